list(APPEND KURVIO_CORE_SOURCES
  export/WmfGeometry.cpp
  export/WmfText.cpp
  export/WmfCanvas.cpp
)
