// SPDX-License-Identifier: GPL-3.0-or-later
// Qt's own texts (message-box buttons, the file dialog) in German, as the
// program's are, whatever the system's language.
#pragma once

namespace kurvio {

// Installs Qt's German translations into the running application; false when
// they are not installed on this system (Qt's English texts remain).
bool InstallGermanQtTranslations();

}  // namespace kurvio
