// SPDX-License-Identifier: GPL-3.0-or-later
// Opening the settings dialog from the start window or a module window.
#pragma once

#include <functional>

class QWidget;

namespace kurvio {

// Shows the settings dialog modally with `owner` as its owner and frees it
// afterwards. `redrawOwner` runs whenever the dialog changes what the owner
// shows (the defaults button), so that it can redraw at once.
void OpenSettingsFrom(QWidget* owner, const std::function<void()>& redrawOwner = {});

}  // namespace kurvio
