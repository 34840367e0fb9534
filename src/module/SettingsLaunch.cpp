// SPDX-License-Identifier: GPL-3.0-or-later
#include "module/SettingsLaunch.h"

#include <memory>

#include "module/SettingsDialog.h"

namespace kurvio {

void OpenSettingsFrom(QWidget* owner, const std::function<void()>& redrawOwner) {
  const std::unique_ptr<TForm2> dialog = std::make_unique<TForm2>(owner, redrawOwner);
  dialog->exec();
}

}  // namespace kurvio
