// SPDX-License-Identifier: GPL-3.0-or-later
// The covariation window: points on the rails, the guessing game, animation,
// mouse and readouts.
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "app/ModuleLauncher.h"
#include "module/SettingsDialog.h"
#include "plot/PaintBox.h"
#include "settings/FileMessages.h"
#include "support/WindowFixture.h"
#include "windows/limits/CovariationWindow.h"

namespace kurvio {
namespace {

class CovariationWindowTest : public WindowTest<TForm12> {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    Open(1200, 800);
  }
  const LaunchModes modes_{{.numberLineMode = true}};  // as the start window opens it
};

TEST_F(CovariationWindowTest, GuessingGameWithoutAListPicksTheFallback) {
  // A list that cannot be read is reported once, and the game goes on.
  std::filesystem::create_directory(dir.File("FktListe.txt"));
  std::vector<QString> reported;
  ReportFileError = [&reported](QWidget*, const QString& m) { reported.push_back(m); };
  for (bool on : {false, true, false, true}) {
    Find<TBitCheckBox>("BitCheckBox4")->SetChecked(on);
    form->onGuessBoxClicked();
  }
  ASSERT_EQ(reported.size(), 1u);
  EXPECT_TRUE(reported[0].contains(QString::fromStdString(dir.File("FktListe.txt"))));
  Click("SpeedButton9");  // "mx+c"
  EXPECT_EQ(Text("Edit1"), QStringLiteral("x"));
}

// Saving the settings during a game writes the term from before it, not the hidden one,
// and the game goes on with its hidden function.
TEST_F(CovariationWindowTest, SavingTheSettingsDuringAGameKeepsTheHiddenTermOut) {
  Type("Edit1", "x^3");
  Click("BitCheckBox4");
  Click("SpeedButton9");  // "mx+c": a hidden line
  const std::string hidden = TermKovariation;
  ASSERT_NE(hidden, "x^3");
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<TForm2*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->saveButton->click();
    dialog->okButton->click();
  });
  Click("SpeedButton14");  // "Einstellungen"
  const std::string saved = ReadBytes(dir.File("Kurvio.ini"));
  EXPECT_NE(saved.find("=x^3"), std::string::npos);
  EXPECT_EQ(saved.find("=" + hidden + "\r"), std::string::npos);
  EXPECT_EQ(TermKovariation, hidden);
}

TEST_F(CovariationWindowTest, AnimationTurnsOneStepPastTheEndAndDraggingAnywhereMovesX) {
  form.reset();
  // The fewest steps a settings file allows: 0,7 a frame across -7..7, from x = 6,5.
  UseSettingsIn(dir, "[Animation]\nSchrittzahl=20\n[xP xQ Koordinaten]\nxP=6,5\n");
  Open(1200, 800);
  double highest = xP;
  int frames = 0;
  auto* animation = Find<TSwitch>("Switch1");
  std::function<void()> watch = [&] {
    highest = std::max(highest, xP);
    if (++frames == 4) return animation->SetChecked(false);
    QTimer::singleShot(16, form.get(), watch);
  };
  QTimer::singleShot(16, form.get(), watch);
  animation->SetChecked(true);
  form->onAnimationSwitchClicked();  // runs until it is switched off
  EXPECT_DOUBLE_EQ(highest, 6.5 + 0.7);
  EXPECT_LT(xP, 7.0);
  const int w = form->paintBox->width(), h = form->paintBox->height();  // on the rails as well
  emit form->paintBox->MouseDown(Qt::LeftButton, w / 4, 10);
  emit form->paintBox->MouseMove(w / 2, h - 5);
  emit form->paintBox->MouseUp(Qt::LeftButton, w / 2, h - 5);
  emit form->paintBox->MouseMove(w, 5);  // released: no more moving
  EXPECT_DOUBLE_EQ(xP, -7 + 14.0 * (w / 2) / w);
}

TEST_F(CovariationWindowTest, AGuessIsJudgedAndDrawnUntilTheGameEnds) {
  Type("Edit1", "x^2/2-2");
  Click("legendBox");
  const struct {
    const char *guess, *verdict;
    bool syntaxError;
  } rows[] = {
      {"x*x/2-2", "Richtig!", false},
      {"x^2/2", "Noch nicht – vergleiche die Graphen", false},
      {"x^2/2-", "", true},
  };
  // Whether the guess's graph and the legend of the hidden term are drawn.
  const auto drawn = [this] {
    const testing::RecordingCanvas c = Record([this] { form->animieren(); });
    return std::pair{
        std::ranges::any_of(c.segments, [](const auto& s) { return s.color == Farben::Tangente; }),
        std::ranges::count(c.texts, "f(x) = x^2/2-2", &testing::TextCall::text) == 1};
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.guess);
    messages.clear();
    Click("BitCheckBox4");
    Type("guessField", QString::fromUtf8(row.guess));
    EXPECT_EQ(Text("guessVerdict"), QString::fromUtf8(row.verdict));
    EXPECT_EQ(messages.size(), row.syntaxError ? 1u : 0u);
    EXPECT_EQ(drawn(), std::pair(!row.syntaxError, false));
    Click("BitCheckBox4");  // the game ends
    EXPECT_EQ(Text("guessField") + Text("guessVerdict"), QString());
    EXPECT_EQ(drawn(), std::pair(false, true));
  }
}

// The syntax-error dialog hands the focus back to the term field, and the
// first Escape there closes the window.
TEST_F(CovariationWindowTest, EscapeAfterASyntaxErrorClosesTheWindowAtOnce) {
  InstallSyntaxErrorDialog();
  QTimer::singleShot(0, [] {  // OK in the error message
    QTest::keyClick(qobject_cast<QMessageBox*>(QApplication::activeModalWidget()), Qt::Key_Return);
  });
  QApplication::setActiveWindow(form.get());
  Type("Edit1", "|x|");
  QApplication::setActiveWindow(form.get());  // the desktop activates it again
  ASSERT_EQ(QApplication::focusWidget(), Find("Edit1"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  EXPECT_FALSE(form->isVisible());
}

}  // namespace
}  // namespace kurvio
