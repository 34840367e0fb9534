// SPDX-License-Identifier: GPL-3.0-or-later
// Prints the wall-clock time (ns) at which the start window has finished its
// first paint, then quits; bench/startup.sh subtracts the time of the launch.
#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <cstdio>
#include <ctime>

#include "app/StartWindow.h"
#include "module/TermEdit.h"
#include "settings/SettingsStartup.h"

namespace {

class FirstPaint : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !seen_) {
      seen_ = true;
      QTimer::singleShot(0, [] {
        timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        std::printf("%lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
        std::fflush(stdout);
        QCoreApplication::exit(0);
      });
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  bool seen_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Kurvio"));
  kurvio::InitSettingsEnvironment();
  kurvio::InstallSyntaxErrorDialog();
  kurvio::TForm4 start;
  start.ConfirmClose = [] { return true; };
  FirstPaint probe;
  start.installEventFilter(&probe);
  start.show();
  return app.exec();
}
