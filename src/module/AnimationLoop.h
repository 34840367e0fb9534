// SPDX-License-Identifier: GPL-3.0-or-later
// The loop of an animation: no timer and no thread, but frames drawn inside
// the handler that starts it, with the window's frame wait in between, during
// which every other handler of the window may run.
#pragma once

#include <functional>

class QObject;

namespace kurvio {

// While AnimationRunning: `frame` steps and draws (and may clear
// AnimationRunning, as a switched-off switch does), then `delay` waits.
// False when `window` was destroyed during a wait: the caller must return at
// once without touching it. A window closing during an animation clears
// AnimationRunning, so the loop ends after the current frame.
bool RunAnimation(QObject* window, const std::function<void()>& frame,
                  const std::function<void()>& delay);

}  // namespace kurvio
