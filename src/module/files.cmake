list(APPEND KURVIO_CORE_SOURCES
  module/ScrollGrid.cpp
  module/ViewCheck.cpp
  module/ExampleFiles.cpp
)
list(APPEND KURVIO_UI_SOURCES
  module/ModuleDialog.h
  module/ModuleDialog.cpp
  module/FrameWait.cpp
  module/Cursors.cpp
  module/HelpWindow.h
  module/HelpWindow.cpp
  module/SettingsLaunch.cpp
  module/IntegerField.cpp
  module/DrawOn.cpp
  module/AnimationLoop.cpp
  module/ButtonColumn.h
  module/ButtonColumn.cpp
  module/Controls.cpp
  module/NumberScroll.h
  module/NumberScroll.cpp
  module/TwoPlotPicture.h
  module/TwoPlotPicture.cpp
  module/AnalysisWindow.h
  module/AnalysisWindow.cpp
  module/ExampleList.h
  module/ExampleList.cpp
)
