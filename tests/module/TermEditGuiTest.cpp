// SPDX-License-Identifier: GPL-3.0-or-later
// Term and number fields on real QLineEdits: what the user sees, what is
// stored, and where the caret goes after a syntax error.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "module/TermEdit.h"
#include "settings/Settings.h"
#include "support/TempDir.h"
#include "support/WindowTestSettings.h"
#include "term/Term.h"
#include "term/TermText.h"

namespace kurvio {
namespace {

// The term engine's value of pi.
constexpr double kPi = 3.141592654;

class TermEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto* layout = new QVBoxLayout(&window);
    edit = new QLineEdit(&window);
    other = new QLineEdit(&window);
    layout->addWidget(edit);
    layout->addWidget(other);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    UseDefaultSettingsIn(dir);  // two decimals
    SyntaxErrorReporter = [this](const std::string& m) { messages.push_back(m); };
  }
  void TearDown() override { SyntaxErrorReporter = nullptr; }
  // Types into the field and leaves it for the other one, as the windows see it.
  void Type(const QString& text) {
    edit->setFocus();
    edit->setText(text);
    other->setFocus();
    messages.clear();
  }
  QWidget window;
  TempDir dir;
  QLineEdit* edit = nullptr;
  QLineEdit* other = nullptr;
  std::vector<std::string> messages;
};

// A number field shows its value in the number form and stores it unrounded
// (`y`); an undefined value brings back the old one (42) silently. A term
// field shows the normalised term and compiles it (f(x) = y).
TEST_F(TermEditTest, FieldsShowAndStoreWhatWasTyped) {
  const struct {
    bool term;
    QString typed, shown;
    double x, y;
  } cases[] = {
      // clang-format off
      {false, "pi/2", "  1,57     ", 0, 1.570796327}, {false, "1000", "1000,00     ", 0, 1000},
      {false, "10^6", "  1,00 E+6", 0, 1e6}, {false, "0,1", "  0,10     ", 0, 0.1},
      {false, "0,05", "  0,05     ", 0, 0.05}, {false, "0,0045", "  4,50 E-3", 0, 0.0045},
      {false, "0,0001", "  1,00 E-4", 0, 0.0001}, {false, "sqrt(2)", "  1,41     ", 0, std::sqrt(2.0)},
      {false, "-1,5", " -1,50     ", 0, -1.5},
      {false, "a+b+c+3", "  3,00     ", 0, 3}, // parameters count as 0
      {false, QString::fromUtf8("π"), "  3,14     ", 0, kPi}, {false, "", "  0,00     ", 0, 0},
      {false, "1/0", " 42,00     ", 0, 42}, {false, "ln(0)", " 42,00     ", 0, 42},
      {false, "sqrt(-1)", " 42,00     ", 0, 42},
      {true, "x^2 {Parabel}", "x^2{Parabel}", 3, 9}, {true, "2,5x", "2,5x", 2, 5},
      {true, "2.5 * X", "2,5*x", 2, 5}, {true, "pi*x {Bsp. 1}", QString::fromUtf8("π*x{Bsp, 1}"), 1, kPi},
      {true, QString::fromUtf8("π x"), QString::fromUtf8("πx"), 2, 2 * kPi},
      {true, "PHI(0)", QString::fromUtf8("Φ(0)"), 0, 0.5}, {true, "", "", 5, 0},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed.toStdString());
    double value = 42;
    Type(c.typed);
    if (c.term) {
      CheckTermEdit(edit);
      EXPECT_TRUE(TermDefined);
      value = EvalTerm(MainTerm, c.x, 0, 0, 0, 0, 0);
    } else {
      ReadNumberEdit(edit, value, value);
    }
    EXPECT_EQ(edit->text(), c.shown);
    EXPECT_NEAR(value, c.y, 1e-12);
    EXPECT_TRUE(messages.empty());
  }
  // Read twice, a value stays; more places show more but store the same.
  double value = 0;
  Type("1000");
  ReadNumberEdit(edit, value, value);
  ReadNumberEdit(edit, value, value);
  EXPECT_EQ(value, 1000.0);
  UseSettingsIn(dir, "[Eingabe]\nNachkommastellen=4\n");
  Type("pi");
  ReadNumberEdit(edit, value, value);
  EXPECT_EQ(edit->text(), "  3,1416     ");
  EXPECT_DOUBLE_EQ(value, kPi);
  // What a window stores from a term field keeps the term's bytes.
  Type(QString::fromUtf8("sin(pi*x)+phi(x)"));
  CheckTermEdit(edit);
  EXPECT_EQ(DisplayToTerm(edit->text()), "sin(\xE3*x)+\xE8(x)");
}

// A number field keeps its text and its value, a term field its text and the
// term 0; both keep the focus with the caret at the error, unless nobody is told.
TEST_F(TermEditTest, SyntaxErrorKeepsTextAndFocus) {
  const struct {
    bool term;
    const char* typed;
    const char* message;
    int caret;
  } cases[] = {
      // clang-format off
      {false, "2*x", "Syntaxfehler: unbekanntes Symbol „x“ an Stelle 3 — in Zahlenfeldern stehen weder x noch t", 3},
      {false, "t+1", "Syntaxfehler: unbekanntes Symbol „t“ an Stelle 1 — in Zahlenfeldern stehen weder x noch t", 1},
      {false, "(1+2", "Syntaxfehler: unvollst\xC3\xA4ndig ", 4}, // at the end of the text
      {true, "sin x", "Syntaxfehler: Klammer \"(\" fehlt ", 4},
      {true, "x+y", "Syntaxfehler: unbekanntes Symbol „y“ an Stelle 3 — die Variable heißt x; einzugeben ist nur der Term", 3},
      {true, "x+1)", "Syntaxfehler: Klammer \")\" zuviel ", 4},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    double value = 7;
    Type(c.typed);
    if (c.term) {
      CheckTermEdit(edit);
      EXPECT_FALSE(TermDefined);
      ASSERT_TRUE(MainTerm);
      EXPECT_EQ(EvalTerm(MainTerm, 5, 0, 0, 0, 0, 0), 0.0);
    } else {
      ReadNumberEdit(edit, value, value);
      EXPECT_FALSE(TermDefined);
      EXPECT_EQ(edit->text(), c.typed);
    }
    EXPECT_EQ(value, 7.0);
    EXPECT_EQ(messages, std::vector<std::string>{c.message});
    EXPECT_TRUE(edit->hasFocus());
    EXPECT_EQ(edit->cursorPosition(), c.caret);
  }
  Type("x+y");
  {
    QuietSyntaxErrors quiet;
    CheckTermEdit(edit);
  }
  EXPECT_TRUE(other->hasFocus());
  CompileFieldTerm(edit);  // a redraw compiles quietly, and 0 for a bad term
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(EvalTerm(MainTerm, 5, 0, 0, 0, 0, 0), 0.0);
  Type("2x");
  CompileFieldTerm(edit);
  EXPECT_EQ(EvalTerm(MainTerm, 5, 0, 0, 0, 0, 0), 10.0);
}

TEST_F(TermEditTest, APastedTermTooLongForTheFieldIsRefusedWithAMessage) {
  LimitTermField(edit, 10);
  std::vector<std::string>& said = messages;
  edit->setFocus();
  QTest::keyClicks(edit, "x^2+3x-12345");  // typing stops at the limit, silently
  EXPECT_EQ(edit->text(), QStringLiteral("x^2+3x-123"));
  EXPECT_TRUE(said.empty());
  edit->setText(QStringLiteral("sin(x)"));
  edit->setCursorPosition(3);
  QApplication::clipboard()->setText(QStringLiteral("x^2+3x-12"));
  edit->paste();  // would make 15: nothing of it is taken
  QApplication::processEvents();
  EXPECT_EQ(edit->text(), QStringLiteral("sin(x)"));
  EXPECT_EQ(edit->cursorPosition(), 3);
  ASSERT_EQ(said.size(), 1u);
  EXPECT_EQ(said[0], TermTooLongMessage(10));
  EXPECT_NE(said[0].find("höchstens 10 Zeichen"), std::string::npos);
  QApplication::clipboard()->setText(QStringLiteral("2*"));
  edit->paste();  // fits
  EXPECT_EQ(edit->text(), QStringLiteral("sin2*(x)"));
  edit->setText(QStringLiteral("a longer text from a file"));  // programs may set more
  EXPECT_EQ(edit->text().size(), 25);
}

TEST_F(TermEditTest, SyntaxErrorDialogShowsTheMessage) {
  InstallSyntaxErrorDialog();
  QString shown;
  // The box is modal; close it from inside its own event loop.
  std::function<void()> closeBox = [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) {
      QTimer::singleShot(10, closeBox);
      return;
    }
    shown = box->text();
    box->button(QMessageBox::Ok)->click();
  };
  QTimer::singleShot(0, closeBox);
  double value = 1;
  Type("(1+2");
  ReadNumberEdit(edit, value, value);
  EXPECT_EQ(shown, QString::fromUtf8("Syntaxfehler: unvollständig "));
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_EQ(value, 1.0);
}

}  // namespace
}  // namespace kurvio
