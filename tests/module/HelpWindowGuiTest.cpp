// SPDX-License-Identifier: GPL-3.0-or-later
// The help window on the term language: every function listed and defined, and
// Escape closes it.
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTimer>

#include "module/HelpWindow.h"
#include "support/WindowFixture.h"

namespace kurvio {
namespace {

using HelpWindowTest = WindowTest<TForm18>;

// Every function of the term language, in the order of the list, is defined once, in that order.
TEST_F(HelpWindowTest, EveryFunctionIsListedAndDefinedOnce) {
  const QString text = Open().Memo1->toPlainText();
  const QString list = text.left(text.indexOf("Operatoren:"));
  const QString entries = text.mid(text.indexOf("Die Funktionen:"));
  qsizetype previous = -1;
  for (const char* name :
       {"abs",    "sgn",    "int",    "maxint", "fak",    "deg",  "rad",  "sqr",  "sqrt",
        "normal", "phi",    "exp",    "lg",     "ln",     "ld",   "sin",  "cos",  "tan",
        "cot",    "arcsin", "arccos", "arctan", "arccot", "sinh", "cosh", "tanh", "coth"}) {
    EXPECT_TRUE(list.contains(QRegularExpression(QString("(^|\\s)%1(\\s|$)").arg(name)))) << name;
    const QString entry = QString("\n  %1(x) ").arg(name);
    EXPECT_EQ(entries.count(entry), 1) << name;
    EXPECT_GT(entries.indexOf(entry), previous) << name;
    previous = entries.indexOf(entry);
  }
  EXPECT_TRUE(text.contains("π = 3,141592654"));
}

// Execute returns once the modal window is closed by Escape or by a click on the
// text, which does not reach the text.
TEST_F(HelpWindowTest, ExecuteShowsTheWindowUntilEscapeOrAClickClosesIt) {
  for (const bool click : {false, true}) {
    int cursorAt = -1;
    QTimer::singleShot(0, [&] {
      auto* modal = qobject_cast<TForm18*>(QApplication::activeModalWidget());
      if (click)
        QTest::mouseClick(modal->Memo1->viewport(), Qt::LeftButton, {}, QPoint(60, 40));
      else
        QTest::keyClick(modal->Memo1, Qt::Key_Escape);
      cursorAt = modal->Memo1->textCursor().position();
    });
    TForm18::Execute(nullptr);
    EXPECT_EQ(cursorAt, 0) << click;
  }
}

}  // namespace
}  // namespace kurvio
