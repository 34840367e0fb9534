list(APPEND KURVIO_UI_SOURCES
  windows/curves/TangentWindow.h
  windows/curves/TangentWindow.cpp
)
