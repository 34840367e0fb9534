// SPDX-License-Identifier: GPL-3.0-or-later
// Memory over many openings: every window is opened from the start window and
// closed again, round after round, and the resident set (VmRSS) is printed
// after each round. A window that leaks shows as a set that keeps growing;
// what the first round costs (fonts, caches, Qt's own) stays.
// Runs on the offscreen platform; usage: window_memory [rounds]
#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "app/StartWindow.h"
#include "settings/Settings.h"
#include "settings/SettingsStartup.h"
#include "widgets/TRichButton.h"

namespace {

long ResidentKilobytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
  kurvio::InitSettingsEnvironment();
  kurvio::UserDir = "/nonexistent/";  // nothing of the user's is read or written
  kurvio::TForm4 start;
  start.ConfirmClose = [] { return true; };
  // Each module paints once and is closed as its close button would.
  start.OnModuleShown = [](QDialog* window) {
    QTimer::singleShot(30, window, [window] { window->close(); });
  };
  start.show();
  QApplication::processEvents();
  std::vector<QPushButton*> buttons;
  for (const char* name :
       {"SpeedButton9", "SpeedButton6", "SpeedButton7", "SpeedButton2", "SpeedButton4",
        "SpeedButton5", "SpeedButton3", "SpeedButton8", "SpeedButton14", "SpeedButton1"})
    buttons.push_back(start.findChild<QPushButton*>(QString::fromLatin1(name)));
  // KURVIO_ONLY=k opens only the k-th window (0 the main window, 1.. the buttons above).
  const int only =
      qEnvironmentVariableIsSet("KURVIO_ONLY") ? qEnvironmentVariableIntValue("KURVIO_ONLY") : -1;
  long first = 0;
  for (int round = 1; round <= rounds; ++round) {
    if (only <= 0) start.openMainWindow();
    for (std::size_t k = 0; k < buttons.size(); ++k)
      if (only < 0 || static_cast<std::size_t>(only) == k + 1) buttons[k]->click();
    QApplication::processEvents();
    const long rss = ResidentKilobytes();
    if (round == 1) first = rss;
    std::printf("round %2d: VmRSS %6ld kB (%+ld kB since round 1)\n", round, rss, rss - first);
    std::fflush(stdout);
  }
  return 0;
}
