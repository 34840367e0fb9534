list(APPEND KURVIO_UI_SOURCES
  windows/curves/TangentWindow.h
  windows/curves/TangentWindow.cpp
  windows/curves/CurveDiscussionWindow.h
  windows/curves/CurveDiscussionWindow.cpp
  windows/curves/IntegralWindow.h
  windows/curves/IntegralWindow.cpp
)
