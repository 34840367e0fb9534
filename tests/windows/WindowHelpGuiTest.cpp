// F1 opens the help of the window it is pressed in, whose link leads on to the
// help on the term language; a window without help of its own gets that at once.
#include <QPlainTextEdit>
#include <QTextBrowser>
#include <QTimer>
#include <memory>

#include "module/HelpWindow.h"
#include "module/SettingsDialog.h"
#include "module/WindowHelp.h"
#include "support/WindowFixture.h"
#include "windows/curves/TangentWindow.h"
#include "windows/limits/CovariationWindow.h"

namespace kurvio {
namespace {

// What F1 in `window` showed: the window's help text, and whether its link, or
// F1 itself, opened the help on the term language.
struct HelpSeen {
  QString text;
  bool termHelp = false;
};

HelpSeen PressF1(QWidget* window) {
  // Shared: a step still waiting when F1 returns must find it.
  const auto seen = std::make_shared<HelpSeen>();
  const auto closeTermHelp = [seen] {
    auto* termHelp = qobject_cast<TForm18*>(QApplication::activeModalWidget());
    seen->termHelp = termHelp != nullptr;
    if (termHelp) QTest::keyClick(termHelp->Memo1, Qt::Key_Escape);
  };
  QTimer::singleShot(0, [seen, closeTermHelp] {
    auto* help = qobject_cast<TWindowHelp*>(QApplication::activeModalWidget());
    if (!help) return closeTermHelp();
    seen->text = help->text->toPlainText();
    // A click on the link, the last "Hilfe zur Termeingabe" of the text.
    QTextDocument* document = help->text->document();
    const QTextCursor link =
        document->find(QStringLiteral("Hilfe zur Termeingabe"), document->characterCount(),
                       QTextDocument::FindBackward);
    help->text->setTextCursor(link);
    help->text->ensureCursorVisible();
    const QPoint inLink = help->text->cursorRect().center() - QPoint(30, 0);
    QTimer::singleShot(0, closeTermHelp);
    QTest::mouseClick(help->text->viewport(), Qt::LeftButton, {}, inLink);
    QTest::keyClick(help->text, Qt::Key_Escape);
  });
  QTest::keyClick(window, Qt::Key_F1);
  return *seen;
}

using CovariationHelpTest = WindowTest<TForm12>;
using TangentHelpTest = WindowTest<TForm8>;

// The help tells of the window's own controls, by the captions they carry.
TEST_F(CovariationHelpTest, F1ShowsTheWindowsHelpWithALinkToTheTermHelp) {
  Open();
  const HelpSeen seen = PressF1(form.get());
  for (const char* box : {"BitCheckBox1", "BitCheckBox4"})
    EXPECT_TRUE(seen.text.contains(Find<TBitCheckBox>(box)->Caption())) << box;
  EXPECT_TRUE(seen.termHelp);
  EXPECT_TRUE(form->isVisible());
}

TEST_F(TangentHelpTest, F1ShowsTheWindowsHelpWithALinkToTheTermHelp) {
  Open();
  const HelpSeen seen = PressF1(form.get());
  for (const char* box : {"BitCheckBox3", "BitCheckBox5"})
    EXPECT_TRUE(seen.text.contains(Find<TBitCheckBox>(box)->Caption())) << box;
  EXPECT_FALSE(seen.text.contains(QStringLiteral("Zuordnungspfeil")));
  EXPECT_TRUE(seen.termHelp);
}

// Every analysis window and the main window have a help of their own; the
// settings dialog has none and F1 there opens the term help.
TEST_F(CovariationHelpTest, EveryGraphWindowHasItsOwnHelp) {
  QStringList texts;
  for (const char* window : {"TForm1", "TForm3", "TForm5", "TForm7", "TForm8", "TForm11", "TForm12",
                             "TForm13", "TForm15"}) {
    const QString text = TWindowHelp::TextFor(QString::fromLatin1(window));
    EXPECT_GT(text.size(), 1000) << window;
    EXPECT_FALSE(texts.contains(text)) << window;
    texts << text;
  }
  EXPECT_TRUE(TWindowHelp::TextFor(QStringLiteral("TForm2")).isEmpty());
  TForm2 settings;
  settings.show();
  const HelpSeen seen = PressF1(&settings);
  EXPECT_TRUE(seen.text.isEmpty());
  EXPECT_TRUE(seen.termHelp);
}

}  // namespace
}  // namespace kurvio
