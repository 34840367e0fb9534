// SPDX-License-Identifier: GPL-3.0-or-later
#include "module/FrameWait.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

namespace kurvio {

void WaitFrame(int ms, int extraMs) {
  QElapsedTimer clock;
  clock.start();
  const qint64 limit = static_cast<qint64>(ms) + extraMs;
  for (;;) {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    const qint64 left = limit - clock.elapsed();
    if (left < 0) break;
    // Sleep a little rather than spin; the frame still never ends early.
    if (left > 1) QThread::msleep(1);
  }
}

}  // namespace kurvio
