// The start of every analysis-window test: the program's files in a fresh
// folder, a German decimal separator and the default settings, which a
// LoadSettings without a file also makes the start values.
#pragma once

#include "settings/Settings.h"
#include "support/TempDir.h"

namespace kurvio {

inline void UseDefaultSettingsIn(const TempDir& dir) {
  ProgramDir = dir.Dir();
  UserDir = dir.Dir();
  DecimalSeparator = ',';
  SetDefaultSettings();
  LoadSettings();
}

}  // namespace kurvio
