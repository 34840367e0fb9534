// SPDX-License-Identifier: GPL-3.0-or-later
#include "module/AnimationLoop.h"

#include <QObject>
#include <QPointer>

#include "plot/PlotFrame.h"

namespace kurvio {

bool RunAnimation(QObject* window, const std::function<void()>& frame,
                  const std::function<void()>& delay) {
  const QPointer<QObject> alive(window);
  while (AnimationRunning) {
    frame();
    delay();
    if (!alive) return false;
  }
  return true;
}

}  // namespace kurvio
