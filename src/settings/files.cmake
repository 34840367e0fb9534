# SPDX-License-Identifier: GPL-3.0-or-later
list(APPEND KURVIO_CORE_SOURCES
  settings/IniFile.cpp
  settings/LessonFile.cpp
  settings/Preferences.cpp
  settings/ProgramFiles.cpp
  settings/Settings.cpp
  settings/TextEncoding.cpp
  settings/WindowState.cpp
)
list(APPEND KURVIO_UI_SOURCES
  settings/ProgramPrinter.h
  settings/ProgramPrinter.cpp
  settings/SettingsStartup.cpp
  settings/FileMessages.h
  settings/FileMessages.cpp
)
