list(APPEND KURVIO_CORE_SOURCES
  app/Family.cpp
)
list(APPEND KURVIO_UI_SOURCES
  app/ModuleDialog.h
  app/ModuleDialog.cpp
  app/MainWindow.h
  app/MainWindow.cpp
  app/MainWindowDrawing.cpp
  app/MainWindowAnimation.cpp
  app/FrameWait.cpp
  app/Cursors.cpp
  app/StartWindow.h
  app/StartWindow.cpp
)
list(APPEND KURVIO_APP_SOURCES
  app/main.cpp
)
# The help and info windows keep their own list.
if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/app/dialogs.cmake)
  include(${CMAKE_CURRENT_SOURCE_DIR}/app/dialogs.cmake)
endif()
