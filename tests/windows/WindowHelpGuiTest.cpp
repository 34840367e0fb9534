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

// The help tells of the window's own controls by the captions they carry: the
// covariation window's, and not the tangent window's, which has its own.
TEST_F(CovariationHelpTest, F1ShowsTheWindowsHelpWithALinkToTheTermHelp) {
  Open();
  const HelpSeen seen = PressF1(form.get());
  for (const char* box : {"BitCheckBox1", "BitCheckBox4"})
    EXPECT_TRUE(seen.text.contains(Find<TBitCheckBox>(box)->Caption())) << box;
  EXPECT_FALSE(seen.text.contains(QStringLiteral("Sekantensteigungsdreieck")));
  EXPECT_TRUE(TWindowHelp::TextFor("TForm8").contains("Sekantensteigungsdreieck"));
  EXPECT_TRUE(seen.termHelp);
  EXPECT_TRUE(form->isVisible());
}

// Every graph window has a help of its own; F1 in the settings dialog, which
// has none, opens the term help.
TEST_F(CovariationHelpTest, EveryGraphWindowHasItsOwnHelp) {
  QStringList texts;
  for (const char* window : {"TForm1", "TForm3", "TForm5", "TForm7", "TForm8", "TForm11", "TForm12",
                             "TForm13", "TForm15"}) {
    texts << TWindowHelp::TextFor(QString::fromLatin1(window));
    EXPECT_GT(texts.back().size(), 1000) << window;
    EXPECT_EQ(texts.count(texts.back()), 1) << window;
  }
  TForm2 settings;
  settings.show();
  const HelpSeen seen = PressF1(&settings);
  EXPECT_EQ(seen.text, QString());
  EXPECT_TRUE(seen.termHelp);
}

}  // namespace
}  // namespace kurvio
