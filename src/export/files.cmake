# SPDX-License-Identifier: GPL-3.0-or-later
list(APPEND KURVIO_CORE_SOURCES
  export/WmfGeometry.cpp
  export/WmfText.cpp
  export/WmfCanvas.cpp
  export/WorksheetPage.cpp
)
list(APPEND KURVIO_UI_SOURCES
  export/ExportFile.cpp
  export/JpegWriter.cpp
  export/Export.cpp
  export/PictureDialog.cpp
  export/Worksheet.cpp
)
