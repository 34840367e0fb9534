// SPDX-License-Identifier: GPL-3.0-or-later
// The wait between two animation frames: the user interface keeps working
// while it waits, so other handlers (switches, buttons, fields) run between
// frames.
#pragma once

namespace kurvio {

// Handles events until more than `ms` + `extraMs` milliseconds have passed
// (at least one pass over the pending events).
void WaitFrame(int ms, int extraMs);

}  // namespace kurvio
