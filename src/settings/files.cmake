list(APPEND KURVIO_CORE_SOURCES
  settings/Settings.cpp
)
