list(APPEND KURVIO_UI_SOURCES
  app/HelpWindow.h
  app/HelpWindow.cpp
  app/InfoWindow.h
  app/InfoWindow.cpp
)
