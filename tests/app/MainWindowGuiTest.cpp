// SPDX-License-Identifier: GPL-3.0-or-later
// The main window driven through its real controls: families, parameters,
// fixed curves, extras, spectrum, animation and mouse.
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "app/Family.h"
#include "app/MainWindow.h"
#include "plot/PaintBox.h"
#include "support/WindowFixture.h"

namespace kurvio {
namespace {

class MainWindowTest : public WindowTest<TForm1> {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    OpenWith("");
  }
  // The window opened afresh on a settings file with the test's terms and `settings`.
  void OpenWith(const std::string& settings) {
    form.reset();
    UseSettingsIn(dir, "[Funktionsterme]\nf(x,t,a,b)=x^3-3x\naf(x-u)+v=sin(x)\n" + settings);
    Open(1200, 800);
  }
  // Records `value` between frames of the animation of this switch until
  // `frames` values were seen, then switches it off.
  std::vector<double> Run(const char* animation, const double& value, int frames) {
    std::vector<double> seen;
    QTimer timer;
    timer.setInterval(1);
    QObject::connect(&timer, &QTimer::timeout, [&] {
      if (seen.empty() || seen.back() != value) seen.push_back(value);
      if (static_cast<int>(seen.size()) == frames && Find<TSwitch>(animation)->Checked())
        Click(animation);
    });
    timer.start();
    Click(animation);  // returns when the animation has ended
    timer.stop();
    return seen;
  }
  void Drag(QPoint from, QPoint to) {
    QTest::mousePress(form->paintBox, Qt::LeftButton, {}, from);
    QTest::mouseMove(form->paintBox, to);
    QTest::mouseRelease(form->paintBox, Qt::LeftButton, {}, to);
  }
};

// "Ableitungsterme" where the family has a term of its own: f of y = af(x-u)+v and the
// family term with its parameters as letters.
TEST_F(MainWindowTest, DerivativeTermsInTheTabsWithATerm) {
  auto* tabs = Find<QTabBar>("TabControl1");
  tabs->setCurrentIndex(1);
  EXPECT_FALSE(Find<QWidget>("derivativeTermsBox")->isVisible());
  tabs->setCurrentIndex(4);
  Click("derivativeTermsBox");
  Type("Edit1", QStringLiteral("a*x^2+b*x+c"));
  EXPECT_EQ(Text("derivativeTerm1"), QStringLiteral("f'(x) = 2a*x+b"));
  EXPECT_EQ(Text("derivativeTerm2"), QStringLiteral("f''(x) = 2a"));
  tabs->setCurrentIndex(3);
  EXPECT_EQ(Text("derivativeTerm1"), QStringLiteral("f'(x) = cos(x)"));
  tabs->setCurrentIndex(0);
  EXPECT_FALSE(Find<QWidget>("derivativeTerm1")->isVisible());
}

TEST_F(MainWindowTest, ParameterFieldBoundsAndScrollGrid) {
  Type("Edit2", "pi/2");
  EXPECT_DOUBLE_EQ(ParamA, 1.570796327);
  EXPECT_EQ(Text("Edit2"), "  1,57     ");
  EXPECT_EQ(form->aBar->value(), 139);  // round(5.570796327 * 25), the value stays off the grid
  // Equal bounds come back from the start values.
  for (const char* bound : {"Edit3", "Edit4"}) Type(bound, "2");
  EXPECT_EQ(ParamA1, -4);
  EXPECT_EQ(ParamA2, 4);
  Type("Edit5", "10");  // b far above its bounds
  EXPECT_EQ(form->bBar->value(), 200);
}

// Where f is not defined the picture stays empty: sqrt(x) is drawn right of 0 only, with
// no line from the edge to where it starts.
TEST_F(MainWindowTest, UndefinedPartsStayEmpty) {
  OpenWith("[Farben]\nZeichenstift=255\n");  // red
  ASSERT_EQ(Farben::Zeichenstift, RGB(255, 0, 0));
  Type("Edit1", "sqrt(x)");
  const QImage& back = form->Layers().BackBuffer();
  int red = 0;
  for (int column = 0; column < back.width(); ++column)
    for (int row = 0; row < back.height(); ++row)
      if (FromQColor(back.pixelColor(column, row)) == RGB(255, 0, 0)) {
        ++red;
        ASSERT_GE(column, form->ShownFrame().ScreenX(0)) << row;
      }
  EXPECT_GT(red, back.width() / 4);
}

TEST_F(MainWindowTest, SpectrumColoursFollowTheParameter) {
  Click("BitCheckBox9");
  form->aBar->setValue(200);  // at the upper bound: k = 254
  EXPECT_EQ(Farben::Zeichenstift, RGB(254, 0, 1));
  Click("BitCheckBox9");
  EXPECT_EQ(Farben::Zeichenstift, 0);
  // With "fix" every step of the bar adds a curve, kept across a change of family.
  form->familyTabs->setCurrentIndex(1);
  Click("BitCheckBox9");
  Click("BitCheckBox10");
  for (int position : {20, 60, 100, 140, 180}) form->aBar->setValue(position);
  EXPECT_EQ(form->FixedCurves.Count(), 5u);
  form->familyTabs->setCurrentIndex(2);
  EXPECT_EQ(form->FixedCurves.Count(), 5u);
  Click("SpeedButton12");  // deletes the newest
  EXPECT_EQ(form->FixedCurves.Count(), 4u);
  Click("SpeedButton5");
  EXPECT_TRUE(form->FixedCurves.IsEmpty());
}

TEST_F(MainWindowTest, AFaultyTermIsReportedOnceWhenItsFieldIsLeft) {
  form->termField->setText(QStringLiteral("x^3-"));
  // Repaints and tab changes compile the field again, silently.
  form->FormPaint();
  form->familyTabs->setCurrentIndex(3);
  form->familyTabs->setCurrentIndex(4);
  EXPECT_TRUE(messages.empty());
  form->termField->setFocus();
  QTest::keyClick(form->termField, Qt::Key_Return);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].rfind("Syntaxfehler: ", 0), 0u);
  EXPECT_TRUE(form->termField->hasFocus());  // the caret stands at the error
}

// "Beenden" and Escape both close while the term field holds an error.
TEST_F(MainWindowTest, ClosesWhileTheTermFieldHoldsAnError) {
  for (int way = 0; way < 2; ++way) {
    form->show();
    QApplication::setActiveWindow(form.get());
    form->termField->setFocus();
    form->termField->setText(QStringLiteral("sin(x"));
    if (way == 0)
      QTest::mouseClick(form->buttons.closeButton, Qt::LeftButton);
    else
      QTest::keyClick(form->termField, Qt::Key_Escape);
    EXPECT_FALSE(form->isVisible()) << way;
    EXPECT_TRUE(messages.empty()) << way;
    EXPECT_EQ(TermFxtab, "sin(x") << way;  // kept for the next visit
  }
}

TEST_F(MainWindowTest, SweepStepsTurnsAndEndsOnTheGrid) {
  Type("Edit2", "3,9");
  const std::vector<double> seen = Run("Switch1", ParamA, 8);
  ASSERT_GE(seen.size(), 8u);
  // 0.04 a frame; the first value above 4 turns the sweep round.
  const double expected[] = {3.94, 3.98, 4.02, 3.98, 3.94};
  for (int i = 0; i < 5; ++i) EXPECT_NEAR(seen[i], expected[i], 1e-9) << i;
  EXPECT_FALSE(AnimationRunning);
  const double n = (ParamA + 4) * 200 / 8;  // p1 + (p2 - p1)·n / S
  EXPECT_NEAR(n, std::round(n), 1e-9);
  EXPECT_EQ(form->aBar->value(), static_cast<int>(std::round(n)));
}

// The point moves a twentieth of the half width a frame (the fewest steps a settings
// file allows) and turns once beyond the edge.
TEST_F(MainWindowTest, PointAnimationTurnsBeyondTheEdge) {
  OpenWith("[Animation]\nSchrittzahl=20\n");
  Type("Edit11", "6,5");
  const std::vector<double> seen = Run("Switch4", PointX0, 4);
  ASSERT_EQ(seen.size(), 4u);
  const double expected[] = {6.85, 7.2, 6.85, 6.5};
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(seen[i], expected[i], 1e-9) << i;
}

// The tangent's point is marked and its slope written beside it, zero within the
// rounding of x0 and of the term; the graph of f' carries its name.
TEST_F(MainWindowTest, TheTangentPointShowsItsSlopeAndTheDerivativeItsName) {
  form->familyTabs->setCurrentIndex(4);
  Click("BitCheckBox4");
  Type("Edit5", "2");  // b, the shift u of af(x-u)+v alone
  const struct {
    const char* term;
    const char* x0;
    const char* slope;
  } kRows[] = {
      {"x^2", "1", "m = 2"},
      {"x^3/3-x", "-2", "m = 3"},
      {"sin(x)", "pi", "m = -1"},
      {"sin(x)", "pi/2", "m = 0"},  // cos of a rounded pi/2 is no slope to show
      {"x^2-x", "0,5", "m = 0"},
      // A small slope is no rounding where f'' is small at x0 itself.
      {"x^3", "0,00001", "m = 3 E-10"},
  };
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.term);
    Type("Edit1", QString::fromUtf8(row.term));
    Type("Edit11", QString::fromUtf8(row.x0));
    const testing::RecordingCanvas drawn = Record([&] { form->darstellen(); });
    const int X = form->ShownFrame().ScreenX(PointX0),
              Y = form->ShownFrame().ScreenY(FamilyValue(4, PointX0));
    const std::string mark = "Ellipse " + std::to_string(X - 3) + " " + std::to_string(Y - 3) +
                             " " + std::to_string(X + 4) + " " + std::to_string(Y + 4);
    EXPECT_EQ(std::count(drawn.calls.begin(), drawn.calls.end(), mark), 1);
    const auto slope = std::find_if(drawn.texts.begin(), drawn.texts.end(),
                                    [&](const auto& t) { return t.text == row.slope; });
    ASSERT_NE(slope, drawn.texts.end());
    EXPECT_LT(std::abs(slope->x - X), 60);
    EXPECT_LT(std::abs(slope->y - Y), 30);
  }
  const auto named = [](const testing::RecordingCanvas& drawn) {
    return std::count_if(drawn.texts.begin(), drawn.texts.end(),
                         [](const auto& t) { return t.text == "f'"; });
  };
  EXPECT_EQ(named(Record([&] { form->darstellen(); })), 0);
  Click("BitCheckBox1");
  EXPECT_EQ(named(Record([&] { form->darstellen(); })), 1);
}

TEST_F(MainWindowTest, DraggingMovesThePointAndTheVertex) {
  const int w = form->paintBox->width(), h = form->paintBox->height();
  Drag({10, 10}, {w / 2, 10});
  EXPECT_NEAR(PointX0, 0, 14.0 / w);
  form->familyTabs->setCurrentIndex(2);
  Click("BitCheckBox3");
  Drag({10, 10}, {w * 3 / 4, h / 4});
  EXPECT_NEAR(ParamB, 3.5, 0.05);  // u and v on the scroll grid (steps of 0.04)
  EXPECT_NEAR(ParamC, 3.5, 0.05);
  form->familyTabs->setCurrentIndex(1);  // a·x²+b·x+c: b and c follow the vertex
  Type("Edit2", "2");
  Drag({10, 10}, {w * 15 / 28, h * 3 / 7});
  double xS, yS;
  FamilyVertex(2, xS, yS);
  EXPECT_NEAR(xS, 0.5, 0.05);
  EXPECT_NEAR(yS, 1, 0.05);
}

}  // namespace
}  // namespace kurvio
