// Animation, view pad and mouse of the main window: the loops run inside the
// switch's click, so timers act as the user between frames.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <cmath>

#include "app/MainWindow.h"
#include "module/ViewPad.h"
#include "plot/PaintBox.h"
#include "plot/PlotFrame.h"
#include "settings/Settings.h"
#include "support/TempDir.h"
#include "term/Term.h"
#include "widgets/TBitCheckBox.h"
#include "widgets/TSwitch.h"

namespace kurvio {
namespace {

class AnimationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ProgramDir = dir.Dir();
    UserDir = dir.Dir();
    SetDefaultSettings();
    StartValues.x1 = StartValues.y1 = -7;
    StartValues.x2 = StartValues.y2 = 7;
    TermFxtab = "a*x";
    SyntaxErrorReporter = [](const std::string&) {};
    form = std::make_unique<TForm1>();
    form->resize(1000, 700);
    form->show();
    QApplication::processEvents();
  }
  void TearDown() override {
    form.reset();
    SyntaxErrorReporter = nullptr;
    MainTerm.reset();
    AnimationRunning = false;
  }
  // A click on the raised half of a switch (the half that is not pressed).
  static void ClickSwitch(TSwitch* s) {
    const int x = s->Checked() ? s->width() / 4 : s->width() * 3 / 4;
    for (int probe : {x, s->width() - 1 - x})
      if (s->IsOnRaisedHalf(probe)) {
        QTest::mouseClick(s, Qt::LeftButton, {}, QPoint(probe, s->height() / 2));
        return;
      }
  }
  // Records ParamA between frames until `frames` values were seen, then switches off.
  std::vector<double> RunA(int frames, std::function<void(int)> between = {}) {
    std::vector<double> seen;
    QTimer timer;
    timer.setInterval(1);
    QObject::connect(&timer, &QTimer::timeout, [&] {
      if (seen.empty() || seen.back() != ParamA) {
        seen.push_back(ParamA);
        if (between) between(static_cast<int>(seen.size()));
      }
      if (static_cast<int>(seen.size()) == frames && form->aSwitch->Checked())
        ClickSwitch(form->aSwitch);
    });
    timer.start();
    ClickSwitch(form->aSwitch);  // returns when the animation has ended
    timer.stop();
    return seen;
  }

  TempDir dir;
  std::unique_ptr<TForm1> form;
};

TEST_F(AnimationTest, SweepStepsTurnsAndEndsOnTheGrid) {
  ParamA = 3.9;
  const std::vector<double> seen = RunA(8);
  ASSERT_GE(seen.size(), 8u);
  // 0.04 a frame; the first value above 4 turns the sweep round.
  EXPECT_NEAR(seen[0], 3.94, 1e-9);
  EXPECT_NEAR(seen[1], 3.98, 1e-9);
  EXPECT_NEAR(seen[2], 4.02, 1e-9);
  EXPECT_NEAR(seen[3], 3.98, 1e-9);
  EXPECT_NEAR(seen[4], 3.94, 1e-9);
  EXPECT_FALSE(AnimationRunning);
  EXPECT_FALSE(form->aSwitch->Checked());
  // The end value lies on the scroll grid p1 + (p2 - p1)·n / S.
  const double n = (ParamA + 4) * 200 / 8;
  EXPECT_NEAR(n, std::round(n), 1e-9);
  EXPECT_EQ(form->aBar->value(), static_cast<int>(std::round(n)));
}

TEST_F(AnimationTest, DirectionButtonAndTheUpwardFrameOfSwitchingOff) {
  ParamA = 0;
  double atSwitchOff = 0;
  std::vector<double> seen = RunA(6, [&](int frame) {
    if (frame == 3) form->aDirectionButton->click();  // reverse: now going down
    if (frame == 6) atSwitchOff = ParamA;
  });
  ASSERT_GE(seen.size(), 6u);
  EXPECT_LT(seen[4], seen[3]);
  EXPECT_LT(seen[5], seen[4]);
  // Switching off runs the handler once more: it starts upward, draws one
  // frame and ends, and the interrupted loop ends with it.
  EXPECT_NEAR(ParamA - atSwitchOff, 0.04, 1e-9);
}

TEST_F(AnimationTest, FrameLastsMoreThanFifteenMilliseconds) {
  FrameDelay = 0;
  QElapsedTimer clock;
  clock.start();
  const std::vector<double> seen = RunA(5);
  EXPECT_GT(clock.elapsed(), 15 * static_cast<qint64>(seen.size() - 1));
}

TEST_F(AnimationTest, AnotherSwitchStartedInsideEndsBoth) {
  ParamA = 0;
  ParamB = 0;
  // Two timers: each one's own callback is blocked while a loop runs inside it.
  QTimer startB, stopB;
  startB.setSingleShot(true);
  QObject::connect(&startB, &QTimer::timeout, [&] { ClickSwitch(form->bSwitch); });
  stopB.setInterval(5);
  QObject::connect(&stopB, &QTimer::timeout, [&] {
    if (ParamB > 0.1 && form->bSwitch->Checked()) ClickSwitch(form->bSwitch);
  });
  startB.start(60);
  stopB.start();
  ClickSwitch(form->aSwitch);
  stopB.stop();
  EXPECT_FALSE(AnimationRunning);
  EXPECT_FALSE(form->aSwitch->Checked());  // set off when b started
  EXPECT_GT(ParamB, 0.1);
  EXPECT_GT(ParamA, 0.0);
}

TEST_F(AnimationTest, PointAnimationAndClosingDuringIt) {
  PointX0 = 0;
  QTimer::singleShot(100, form.get(), [&] { form->close(); });
  ClickSwitch(form->pointSwitch);
  EXPECT_FALSE(AnimationRunning);
  EXPECT_GT(PointX0, 0.0);
  EXPECT_FALSE(form->isVisible());
  // (x2 - x1) / (2·S) per frame.
  const double steps = PointX0 / (14.0 / 400);
  EXPECT_NEAR(steps, std::round(steps), 1e-6);
}

TEST_F(AnimationTest, ZoomButtons) {
  form->viewPad->zoomOutButton->click();
  form->viewPad->zoomOutButton->click();
  EXPECT_EQ(x1, -28);
  EXPECT_EQ(y2, 28);
  form->viewPad->resetButton->click();
  EXPECT_EQ(x1, -7);
  form->viewPad->zoomInButton->click();
  EXPECT_EQ(x2, 3.5);
  form->viewPad->rightButton->click();  // right by a tenth
  EXPECT_DOUBLE_EQ(x1, -3.5 + 0.7);
  // Zooming in until the window would be narrower than 0.0001 brings back the start values.
  form->viewPad->resetButton->click();
  int clicks = 0;
  do {
    form->viewPad->zoomInButton->click();
    ++clicks;
    ASSERT_GE(x2 - x1, 0.0001);
  } while (x1 != -7 && clicks < 30);
  EXPECT_EQ(clicks, 18);  // 14 / 2^18 < 0.0001
  EXPECT_EQ(x2, 7);
}

TEST_F(AnimationTest, SmallZoomBoxChangesNothingAndLeavesNoTrace) {
  QTest::mouseClick(form->zoomBoxCheck, Qt::LeftButton, {}, QPoint(5, 5));
  ASSERT_TRUE(form->zoomBoxCheck->Checked());
  const QImage before = form->Layers().BackBuffer().copy();
  QWidget* box = form->paintBox;
  QTest::mousePress(box, Qt::LeftButton, {}, QPoint(100, 100));
  QTest::mouseMove(box, QPoint(110, 150));
  EXPECT_NE(form->Layers().BackBuffer(), before);  // the box is shown while dragging
  QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(110, 150));
  EXPECT_EQ(x1, -7);
  EXPECT_EQ(form->Layers().BackBuffer(), before);

  // A real box zooms to its corners.
  QTest::mousePress(box, Qt::LeftButton, {}, QPoint(100, 100));
  QTest::mouseMove(box, QPoint(300, 250));
  QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(300, 250));
  EXPECT_NEAR(x1, -7 + 14.0 * 100 / PlotWidth, 1e-9);
  EXPECT_NEAR(y2, 7 - 14.0 * 100 / PlotHeight, 1e-9);
}

TEST_F(AnimationTest, DraggingMovesThePointAndTheVertex) {
  QWidget* box = form->paintBox;
  QTest::mousePress(box, Qt::LeftButton, {}, QPoint(10, 10));
  QTest::mouseMove(box, QPoint(box->width() / 2, 10));
  QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(box->width() / 2, 10));
  EXPECT_NEAR(PointX0, 0, 14.0 / box->width());

  form->familyTabs->setCurrentIndex(2);
  QTest::mouseClick(form->moveVertexBox, Qt::LeftButton, {}, QPoint(5, 5));
  ASSERT_TRUE(form->MoveVertex);
  QTest::mousePress(box, Qt::LeftButton, {}, QPoint(10, 10));
  QTest::mouseMove(box, QPoint(box->width() * 3 / 4, box->height() / 4));
  QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(box->width() * 3 / 4, box->height() / 4));
  // u and v follow the mouse, on the scroll grid (steps of 0.04).
  EXPECT_NEAR(ParamB, 3.5, 0.05);
  EXPECT_NEAR(ParamC, 3.5, 0.05);
}

TEST_F(AnimationTest, RightButtonClearsFixedCurvesAndAsksForSettings) {
  form->addObjectButton->click();
  ASSERT_EQ(form->FixedCurves.Count(), 1u);
  int opened = 0;
  form->OpenSettingsDialog = [&](TForm1*) { ++opened; };
  QTest::mouseClick(form->paintBox, Qt::RightButton, {}, QPoint(50, 50));
  EXPECT_TRUE(form->FixedCurves.IsEmpty());
  EXPECT_EQ(opened, 1);
  QTest::mouseClick(form->controlPanel, Qt::RightButton, {}, QPoint(5, 300));
  EXPECT_EQ(opened, 2);
}

}  // namespace
}  // namespace kurvio
