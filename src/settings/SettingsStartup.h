// Tells the settings core what only Qt knows: where the program and the user's
// configuration live, and the locale's decimal separator.
#pragma once

namespace kurvio {

// Sets ProgramDir, UserDir and DecimalSeparator; needs the application object.
void InitSettingsEnvironment();

}  // namespace kurvio
