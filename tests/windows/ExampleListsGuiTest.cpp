// SPDX-License-Identifier: GPL-3.0-or-later
// The example list as each analysis window wires it: an example picked from
// the list replaces a faulty term without the syntax error coming back.
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <array>
#include <map>

#include "app/ModuleLauncher.h"
#include "app/WindowTable.h"
#include "support/WindowFixture.h"

namespace kurvio {
namespace {

// Every window of the table that keeps an example list, opened with the modes the launcher
// raises for it.
TEST(ExampleListsTest, InEveryWindowAnExampleReplacesAFaultyTerm) {
  const std::array<const char*, 4> usual = {"SpeedButton1", "SpeedButton4", "x^2", "x/2"};
  // Where a window's buttons or variable differ from the rest's.
  const std::map<std::string, std::array<const char*, 4>> own = {
      {"TForm7", {"SpeedButton1", "SpeedButton4", "t^2", "t/2"}},
      {"TForm12", {"SpeedButton3", "SpeedButton7", "x^2", "x/2"}},
      {"TForm13", {"SpeedButton3", "SpeedButton7", "x^2", "x/2"}},
      {"TForm15", {"SpeedButton1", "SpeedButton4", "1/n", "n/2"}},
  };
  struct Window {
    const ModuleWindow* row;
    // "Holen" and "Übernehmen", and two examples in the window's variable, which only
    // the modes of its launch accept.
    const char *get, *add, *first, *second;
  };
  std::vector<Window> windows;
  for (const ModuleWindow& row : ModuleWindows()) {
    if (!row.exampleFile) continue;
    const auto found = own.find(row.className);
    const std::array<const char*, 4> names = found != own.end() ? found->second : usual;
    windows.push_back({&row, names[0], names[1], names[2], names[3]});
  }
  ASSERT_EQ(windows.size(), 7u);
  std::vector<std::string> errors;
  SyntaxErrorReporter = [&](const std::string& m) { errors.push_back(m); };
  for (const auto& w : windows) {
    TempDir dir;
    UseDefaultSettingsIn(dir);
    const LaunchModes modes(w.row->launch);
    errors.clear();
    const std::unique_ptr<QDialog> form(w.row->create(nullptr));
    SCOPED_TRACE(form->metaObject()->className());
    auto* list = form->findChild<QListWidget*>("ListBox1");
    auto* term = form->findChild<QLineEdit*>("Edit1");
    form->resize(1100, 750);
    form->show();
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    for (const char* text : {w.first, w.second}) {
      TypeInto(form.get(), term, QString::fromLatin1(text));
      form->findChild<QAbstractButton*>(w.add)->click();
    }
    // A faulty term is reported once; clicking into the list brings no second message,
    // and the example picked there replaces the text.
    term->setFocus();
    term->setText(QStringLiteral("2*(3"));
    form->findChild<QLineEdit*>("Edit2")->setFocus();
    EXPECT_EQ(errors.size(), 1u);
    const QPoint row = list->visualItemRect(list->item(1)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row);
    form->findChild<QAbstractButton*>(w.get)->click();
    EXPECT_EQ(term->text(), w.second);
    EXPECT_EQ(errors.size(), 1u);
  }
  SyntaxErrorReporter = nullptr;
  MainTerm.reset();
}

}  // namespace
}  // namespace kurvio
