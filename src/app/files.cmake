# SPDX-License-Identifier: GPL-3.0-or-later
list(APPEND KURVIO_CORE_SOURCES
  app/CommandLine.cpp
  app/Family.cpp
)
list(APPEND KURVIO_UI_SOURCES
  app/MainWindow.h
  app/MainWindow.cpp
  app/MainWindowDrawing.cpp
  app/MainWindowAnimation.cpp
  app/StartWindow.h
  app/StartWindow.cpp
  app/StartWindowLessons.cpp
  app/ModuleLauncher.h
  app/ModuleLauncher.cpp
  app/WindowTable.h
  app/WindowTable.cpp
  app/Translations.cpp
  app/InfoWindow.h
  app/InfoWindow.cpp
  app/SingleInstance.h
  app/SingleInstance.cpp
)
list(APPEND KURVIO_APP_SOURCES
  app/main.cpp
)
