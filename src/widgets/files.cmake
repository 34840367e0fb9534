# SPDX-License-Identifier: GPL-3.0-or-later
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
  widgets/TPictureComboBox.h
  widgets/TPictureComboBox.cpp
  widgets/TFillStyleComboBox.h
  widgets/TFillStyleComboBox.cpp
  widgets/TLineWidthComboBox.h
  widgets/TLineWidthComboBox.cpp
  widgets/TSMButton.h
  widgets/TSMButton.cpp
  widgets/TRichButton.h
  widgets/TRichButton.cpp
)
