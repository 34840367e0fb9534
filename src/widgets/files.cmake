list(APPEND KURVIO_UI_SOURCES
  widgets/WidgetPaint.h
  widgets/WidgetPaint.cpp
  widgets/TColorButton.h
  widgets/TColorButton.cpp
  widgets/TColorPopup.h
  widgets/TColorPopup.cpp
  widgets/TSwitch.h
  widgets/TSwitch.cpp
  widgets/TBitCheckBox.h
  widgets/TBitCheckBox.cpp
  widgets/CheckGlyphs.h
  widgets/CheckGlyphs.cpp
)
