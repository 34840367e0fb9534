// SPDX-License-Identifier: GPL-3.0-or-later
// Tells the settings core what only Qt knows: where the program and the user's
// configuration live, and the locale's decimal separator.
#pragma once

namespace kurvio {

// Sets ProgramDir (the data folder of an installed copy, else the executable's
// folder), ProgramDirShared, UserDir and DecimalSeparator; needs the
// application object.
void InitSettingsEnvironment();

}  // namespace kurvio
