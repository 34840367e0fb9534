list(APPEND KURVIO_CORE_SOURCES
  settings/IniFile.cpp
  settings/ProgramFiles.cpp
  settings/Settings.cpp
  settings/TextEncoding.cpp
)
list(APPEND KURVIO_UI_SOURCES
  settings/SettingsStartup.cpp
)
