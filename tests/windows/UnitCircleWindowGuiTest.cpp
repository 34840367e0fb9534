// SPDX-License-Identifier: GPL-3.0-or-later
// The unit-circle window: the animation's ends, the user's view around the
// window, and the settings' fallbacks.
#include <QScrollBar>
#include <QSlider>
#include <QTimer>
#include <numbers>

#include "support/WindowFixture.h"
#include "windows/trig/UnitCircleSettings.h"
#include "windows/trig/UnitCircleWindow.h"

namespace kurvio {
namespace {

constexpr double kPi = std::numbers::pi;
using UnitCircleSettingsTest = WindowTest<TForm6>;

using UnitCircleWindowTest = WindowTest<TForm5>;

TEST_F(UnitCircleWindowTest, AnimationTurnsAtTheEnd) {
  UseSettingsIn(dir, "[Animation]\nSchrittzahl2=2\ntime=0\n");  // 2° a frame, no pause
  Open();
  auto* bar = Find<QScrollBar>("ScrollBar1");
  // Started at 2 pi going up: back at once, and one more frame after switching off.
  bar->setValue(360);
  Find<QSlider>("TrackBar1")->setValue(24);
  QTimer::singleShot(0, form.get(), [this] { Click("Switch1"); });  // off after one frame
  Click("Switch1");
  EXPECT_EQ(form->Direction, -1);
  EXPECT_EQ(bar->value(), 356);
  EXPECT_DOUBLE_EQ(form->alpha, 356 * kPi / 180);
}

TEST_F(UnitCircleWindowTest, UsersCoordinateWindowComesBackHoweverTheWindowGoes) {
  UseSettingsIn(dir, "[Koordinatensystem]\nx1=-10\nx2=10\ny1=-5\ny2=5\n");
  Open();
  EXPECT_EQ(x1, -6.5);
  // Closed by Escape during an animation: no frame after closing puts the fixed view back.
  QTimer::singleShot(30, form.get(), [&] { QTest::keyClick(form.get(), Qt::Key_Escape); });
  Click("Switch1");  // returns once the loop has seen the window close
  EXPECT_FALSE(AnimationRunning);
  EXPECT_FALSE(TrigAxisMode);
  EXPECT_EQ(std::vector<double>({x1, x2, y1, y2}), std::vector<double>({-10, 10, -5, 5}));
  SetDefaultSettings();
}

TEST_F(UnitCircleSettingsTest, FieldsTakeTheirFallbacks) {
  const struct {
    const char* typed;
    int steps, percent;
  } cases[] = {{"0", 2, 100},   {"1", 1, 100},   {"20", 20, 20},  {"25", 2, 25},
               {"19", 19, 100}, {"200", 2, 200}, {"250", 2, 100}, {"abc", 2, 100}};
  Open(400, 300);
  for (const auto& c : cases) {
    Type("Edit7", QString::fromUtf8(c.typed));  // Enter moves on: the field takes its value
    Type("Edit1", QString::fromUtf8(c.typed));
    EXPECT_EQ(Schrittzahl2, c.steps) << c.typed;
    EXPECT_EQ(DruckenProzent, c.percent) << c.typed;
    EXPECT_EQ(Text("Edit7"), QString::number(c.steps));
  }
}

}  // namespace
}  // namespace kurvio
