// SPDX-License-Identifier: GPL-3.0-or-later
// The design names outside checks find controls by: every named control of every window with
// its class, kept in tests/pictures/design-names.txt (support/KeptText.h); each name once a window.
#include <functional>
#include <map>

#include "app/MainWindow.h"
#include "app/StartWindow.h"
#include "app/WindowTable.h"
#include "module/SettingsDialog.h"
#include "support/KeptText.h"
#include "support/WindowFixture.h"
#include "windows/limits/BisectionTableWindow.h"
#include "windows/trig/UnitCircleSettings.h"

namespace kurvio {
namespace {

// "  Edit1 QLineEdit" a line, by name; Qt's own parts (qt_…) left out.
std::string NamedControls(const QWidget& window) {
  std::map<std::string, std::string> named;
  for (const QWidget* control : window.findChildren<QWidget*>()) {
    const std::string name = control->objectName().toStdString();
    if (name.empty() || name.starts_with("qt_")) continue;
    EXPECT_TRUE(named.emplace(name, control->metaObject()->className()).second)
        << name << " twice in " << window.metaObject()->className();
  }
  std::string lines;
  for (const auto& [name, kind] : named) lines += "  " + name + " " + kind + "\n";
  return lines;
}

TEST(DesignNames, EveryWindowsNamedControlsAsKept) {
  TempDir dir;
  UseDefaultSettingsIn(dir);
  std::vector<std::function<QDialog*()>> windows = {
      [] { return new TForm4; }, [] { return new TForm1; }, [] { return new TForm2; },
      [] { return new TForm6; }, [] { return new TForm14(nullptr, 1, 2, 0.01, 4); }};
  for (const ModuleWindow& w : ModuleWindows())
    windows.push_back([&w] { return w.create(nullptr); });
  std::string kept;
  for (const auto& make : windows) {
    const std::unique_ptr<QDialog> window(make());
    window->show();
    QApplication::processEvents();
    kept += std::string(window->metaObject()->className()) + "\n" + NamedControls(*window);
  }
  EXPECT_TRUE(testing::MatchesKept("design-names.txt", kept));
}

}  // namespace
}  // namespace kurvio
