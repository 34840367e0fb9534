# SPDX-License-Identifier: GPL-3.0-or-later
list(APPEND KURVIO_CORE_SOURCES
  windows/limits/Neighbourhood.cpp
  windows/limits/Bisection.cpp
  windows/limits/SequenceLimit.cpp
  windows/limits/FunctionList.cpp
)
list(APPEND KURVIO_UI_SOURCES
  windows/curves/TangentWindow.h
  windows/curves/TangentWindow.cpp
  windows/curves/CurveDiscussionWindow.h
  windows/curves/CurveDiscussionWindow.cpp
  windows/curves/IntegralWindow.h
  windows/curves/IntegralWindow.cpp
  windows/curves/IntegralWindowAreas.cpp
  windows/limits/LimitsWindow.h
  windows/limits/LimitsWindow.cpp
  windows/limits/BisectionWindow.h
  windows/limits/BisectionWindow.cpp
  windows/limits/BisectionTableWindow.h
  windows/limits/BisectionTableWindow.cpp
  windows/limits/SequencesWindow.h
  windows/limits/SequencesWindow.cpp
  windows/limits/CovariationWindow.h
  windows/limits/CovariationWindow.cpp
  windows/trig/UnitCircleWindow.h
  windows/trig/UnitCircleWindow.cpp
  windows/trig/UnitCircleSettings.h
  windows/trig/UnitCircleSettings.cpp
)
