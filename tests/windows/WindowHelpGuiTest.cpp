// SPDX-License-Identifier: GPL-3.0-or-later
// F1 opens the help of its window, with a link to the term help, else the term help.
#include <QPlainTextEdit>
#include <QTextBrowser>
#include <QTimer>
#include <memory>

#include "app/WindowTable.h"
#include "module/HelpWindow.h"
#include "module/SettingsDialog.h"
#include "module/WindowHelp.h"
#include "support/WindowFixture.h"
#include "windows/limits/CovariationWindow.h"

namespace kurvio {
namespace {

// What F1 in `window` showed: the window's help text, and whether the term
// help opened, by the link at the end of that text or at once.
struct HelpSeen {
  QString text;
  bool termHelp = false;
};

HelpSeen PressF1(QWidget* window) {
  const auto seen = std::make_shared<HelpSeen>();  // a step may still wait when F1 returns
  const auto closeTermHelp = [seen] {
    auto* termHelp = qobject_cast<TForm18*>(QApplication::activeModalWidget());
    seen->termHelp = termHelp != nullptr;
    if (termHelp) QTest::keyClick(termHelp->Memo1, Qt::Key_Escape);
  };
  QTimer::singleShot(0, [seen, closeTermHelp] {
    auto* help = qobject_cast<TWindowHelp*>(QApplication::activeModalWidget());
    if (!help) return closeTermHelp();
    seen->text = help->text->toPlainText();
    QTextDocument* text = help->text->document();
    help->text->setTextCursor(
        text->find("Hilfe zur Termeingabe", text->characterCount(), QTextDocument::FindBackward));
    help->text->ensureCursorVisible();
    QTimer::singleShot(0, closeTermHelp);
    QTest::mouseClick(help->text->viewport(), Qt::LeftButton, {},
                      help->text->cursorRect().center() - QPoint(30, 0));
    QTest::keyClick(help->text, Qt::Key_Escape);
  });
  QTest::keyClick(window, Qt::Key_F1);
  return *seen;
}

using CovariationHelpTest = WindowTest<TForm12>;

// The help tells of the window's own controls by the captions they carry: the
// covariation window's, and not the tangent window's, which has its own.
TEST_F(CovariationHelpTest, F1ShowsTheWindowsHelpWithALinkToTheTermHelp) {
  Open();
  const HelpSeen seen = PressF1(form.get());
  for (const char* box : {"BitCheckBox1", "BitCheckBox4"})
    EXPECT_TRUE(seen.text.contains(Find<TBitCheckBox>(box)->Caption())) << box;
  EXPECT_FALSE(seen.text.contains(QStringLiteral("Sekantensteigungsdreieck")));
  EXPECT_TRUE(seen.termHelp);
}

// Every graph window has a help of its own; F1 in the settings dialog, which
// has none, opens the term help.
TEST_F(CovariationHelpTest, EveryGraphWindowHasItsOwnHelp) {
  QStringList texts;
  std::vector<const char*> windows{"TForm1"};  // the main window, and each of the start window's
  for (const ModuleWindow& module : ModuleWindows()) windows.push_back(module.className);
  for (const char* window : windows) {
    texts << TWindowHelp::TextFor(QString::fromLatin1(window));
    EXPECT_GT(texts.back().size(), 1000) << window;
    EXPECT_EQ(texts.count(texts.back()), 1) << window;
  }
  TForm2 settings;
  settings.show();
  const HelpSeen seen = PressF1(&settings);
  EXPECT_TRUE(seen.text.isEmpty() && seen.termHelp);
}

}  // namespace
}  // namespace kurvio
