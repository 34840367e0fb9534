// The help window on the term language: its text, and the ways it closes.
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <memory>

#include "module/HelpWindow.h"

namespace kurvio {
namespace {

class HelpWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<TForm18>();
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    text = form->Memo1->toPlainText();
  }
  std::unique_ptr<TForm18> form;
  QString text;
};

// Every function of the term language, in the order of the list.
const char* const kFunctions[] = {
    "abs",    "sgn",    "int",    "maxint", "fak",    "deg",  "rad",  "sqr",  "sqrt",
    "normal", "phi",    "exp",    "lg",     "ln",     "ld",   "sin",  "cos",  "tan",
    "cot",    "arcsin", "arccos", "arctan", "arccot", "sinh", "cosh", "tanh", "coth"};

TEST_F(HelpWindowTest, ShowsTheTermLanguageInOrder) {
  EXPECT_TRUE(form->Memo1->isReadOnly());
  const QStringList headings = {
      "Funktionen:",   "Operatoren:",    "Konstanten:", "Variable und Parameter:",
      "Syntaxregeln:", "Die Funktionen:"};
  qsizetype previous = -1;
  for (const QString& heading : headings) {
    const qsizetype at = text.indexOf(heading);
    EXPECT_GT(at, previous) << heading.toStdString();
    previous = at;
  }
  EXPECT_TRUE(text.contains("  +  -  *  /  ^   (  )\n"));
  EXPECT_TRUE(text.contains("  arcsin  arccos  arctan  arccot\n"));
  EXPECT_TRUE(text.contains("π = 3,141592654"));
  EXPECT_TRUE(text.contains("e = 2,718281829"));
  EXPECT_TRUE(text.contains("-x/(3-2x)(x+4)     bedeutet   (-x/(3-2x))·(x+4)"));
  EXPECT_TRUE(text.contains("-x/((3-2x)(x+4))   hat den Nenner (3-2x)(x+4)"));
  for (const char* parameter : {"  x    ", "  t    ", "  a    ", "  b    ", "  c    ", "  n    "})
    EXPECT_TRUE(text.contains(QString("\n") + parameter)) << parameter;
}

TEST_F(HelpWindowTest, EveryFunctionIsListedAndDefinedOnce) {
  const qsizetype definitions = text.indexOf("Die Funktionen:");
  const QString list = text.left(text.indexOf("Operatoren:"));
  const QString entries = text.mid(definitions);
  qsizetype previous = -1;
  for (const char* name : kFunctions) {
    const QRegularExpression inList(QString("(^|\\s)%1(\\s|$)").arg(name));
    EXPECT_TRUE(list.contains(inList)) << name;
    const QString entry = QString("\n  %1(x) ").arg(name);
    EXPECT_EQ(entries.count(entry), 1) << name;
    EXPECT_GT(entries.indexOf(entry), previous) << name;  // in the order of the list
    previous = entries.indexOf(entry);
  }
}

TEST_F(HelpWindowTest, TypingChangesNothingAndEscapeOrAClickCloses) {
  QTest::keyClicks(form->Memo1, "xyz");
  EXPECT_EQ(form->Memo1->toPlainText(), text);
  EXPECT_TRUE(form->isVisible());
  QTest::keyClick(form->Memo1, Qt::Key_Escape);
  EXPECT_FALSE(form->isVisible());
  form->show();
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  QTest::mouseClick(form->Memo1->viewport(), Qt::LeftButton, {}, QPoint(40, 40));
  EXPECT_FALSE(form->isVisible());
}

TEST_F(HelpWindowTest, ExecuteReturnsWhenClosed) {
  form.reset();
  bool shown = false;
  QTimer::singleShot(0, [&] {
    auto* help = qobject_cast<TForm18*>(QApplication::activeModalWidget());
    shown = help != nullptr;
    if (help) QTest::keyClick(help->Memo1, Qt::Key_Escape);
  });
  TForm18::Execute(nullptr);
  EXPECT_TRUE(shown);
}

}  // namespace
}  // namespace kurvio
