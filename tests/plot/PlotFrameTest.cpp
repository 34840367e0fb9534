// SPDX-License-Identifier: GPL-3.0-or-later
// Mapping, and the tick spacing and coordinate system of a table of views kept
// call by call in tests/pictures/core/coordinate-systems.txt (see support/KeptText.h).
#include <cmath>
#include <optional>
#include <sstream>
#include <vector>

#include <gmock/gmock.h>

#include "settings/Preferences.h"

#include "plot/PlotTestSupport.h"
#include "support/KeptText.h"

namespace kurvio::testing {
namespace {

using ::testing::DoubleNear;
using ::testing::Pointwise;
using ::testing::Value;

TEST_F(PlotTest, MappingRoundsLikeNearbyintAndSaturates) {
  EXPECT_EQ(frame.ScreenX(-7), 0);
  EXPECT_EQ(frame.ScreenX(7), 700);
  EXPECT_EQ(frame.ScreenY(-7), 700);
  EXPECT_EQ(frame.ScreenY(1), 300);
  EXPECT_DOUBLE_EQ(frame.WorldX(400), 1.0);
  EXPECT_DOUBLE_EQ(frame.WorldY(300), 1.0);
  for (double v : {-0.5, 0.5, 1.5, -2.5, 2.4999999999999996, 1e9 - 0.5, -1e9 + 0.5, 123456.5, -0.0,
                   7.0000000000000009, 999999999.49999988})
    EXPECT_EQ(RoundPixel(v), static_cast<int>(std::nearbyint(v))) << v;
  frame.width = 7;  // ties go to the even pixel
  frame.world = {0, 14, 0, 0.0001};
  EXPECT_EQ(frame.ScreenX(3), 2);
  EXPECT_EQ(frame.ScreenX(5), 2);
  EXPECT_EQ(frame.ScreenX(1e300), kPixelLimit);
  EXPECT_EQ(frame.ScreenY(100000), -kPixelLimit);
  EXPECT_EQ(frame.ScreenY(-100000), kPixelLimit);
  EXPECT_EQ(frame.ScreenY(std::nan("")), -kPixelLimit);
  // Pens grow with the device's scale, twice in presentation mode; a graph's is 3 pixels at least.
  frame.lineScale = 2.5;
  EXPECT_EQ((std::vector{frame.Scaled(2), frame.CurvePenWidth(1)}), (std::vector{5, 2}));
  frame.presentation = true;
  EXPECT_EQ((std::vector{frame.Scaled(2), frame.CurvePenWidth(1)}), (std::vector{10, 8}));
  frame.lineScale = 1;
  EXPECT_EQ(frame.CurvePenWidth(1), 3);
}

// One range widened about its middle, only ever wider; a view or plot without a unit has none.
TEST(EqualUnitsTest, WidenTheAxisWithTheShorterUnit) {
  const auto near = [](const std::optional<WorldWindow>& v, std::vector<double> want) {
    return v && Value(std::vector{v->x1, v->x2, v->y1, v->y2}, Pointwise(DoubleNear(1e-12), want));
  };
  EXPECT_TRUE(near(WithEqualUnits({-7, 7, -7, 7}, 800, 400), {-14, 14, -7, 7}));
  EXPECT_TRUE(near(WithEqualUnits({-7, 7, -7, 7}, 400, 800), {-7, 7, -14, 14}));
  EXPECT_TRUE(near(WithEqualUnits({0, 2, 0, 10}, 800, 400), {-9, 11, 0, 10}));
  EXPECT_FALSE(WithEqualUnits({0, 2, 0, std::nan("")}, 800, 400) || WithEqualUnits({}, 0, 400));
}

TEST_F(PlotTest, ManualStepsGiveWayWhenUnusable) {
  AxisStyle& axes = frame.axes;
  axes.autoTicks = false;
  axes.manualX = 2;
  axes.manualY = 0.5;
  const auto steps = [this] {
    const TickSteps s = TickStepsFor(frame.world, frame.axes, 700, 700);
    return std::vector{s.x, s.y, s.autoX, s.autoY};
  };
  EXPECT_EQ(steps(), (std::vector{2.0, 0.5, 1.0, 1.0}));
  // A step that would put millions of ticks on the axis, or none at all, gives way.
  axes.manualX = 1e-9;
  axes.manualY = 0;
  EXPECT_EQ(steps(), (std::vector{1.0, 1.0, 1.0, 1.0}));
  // At most two ticks a pixel and two more: 1024 ticks on 16 units and 511 pixels.
  for (double step : {1.0 / 64, 1.0 / 65}) {
    axes.manualX = step;
    const TickSteps s = TickStepsFor({-8, 8, -7, 7}, axes, 511, 700);
    EXPECT_EQ(s.x, step == 1.0 / 64 ? step : s.autoX) << step;
  }
}

// With the labelling "1" a zoomed view without its unit still has numbers on both axes,
// inside the plot and apart from each other.
TEST_F(PlotTest, AxesWithoutTheirUnitInViewAreNumbered) {
  frame.world = {2.3, 2.7, 3.1, 3.6};
  DrawCoordinateSystem(frame);
  std::vector<LabelBox> numbers;
  for (const auto& t : canvas.texts) {
    if (t.text == frame.axes.xName || t.text == frame.axes.yName) continue;
    const LabelBox box{t.x, t.y, t.x + canvas.TextWidth(t.text), t.y + canvas.TextHeight(t.text)};
    EXPECT_TRUE(box.left >= 0 && box.right <= frame.width && box.top >= 0 && box.bottom <= frame.height)
        << t.text;
    for (const LabelBox& other : numbers) EXPECT_FALSE(box.Overlaps(other)) << t.text;
    numbers.push_back(box);
  }
  EXPECT_GE(numbers.size(), 4u);  // two on each axis at least
}

// Each view with its settings, drawn on a 100 x 100 plot unless it says otherwise.
TEST_F(PlotTest, CoordinateSystemsDrawTheirKeptPicture) {
  const struct {
    const char* name;
    double x1, x2, y1, y2;
    int gitter = 1;
    bool skalierung = true, numberLine = false, trig = false;
    int size = 100;
    double lineScale = 1;
  } cases[] = {
      // clang-format off
      {"default", -7, 7, -7, 7}, {"every tick labelled", -7, 7, -7, 7, 1, false},
      {"dotted grid", -7, 7, -7, 7, 2}, {"solid grid", -3, 3, -2, 2, 3},
      {"axes at the left and bottom border", 2, 12, 1, 5},
      {"axes at the right and top border", -12, -3, -9, -2},
      {"axes on the edges of the view", -10, 0, 0, 10, 2, false},
      {"a tenth wide: ten ticks, not twenty", -0.05, 0.05, -7, 7},
      {"number line", -7, 7, -7, 7, 2, true, true},
      {"trig axis, the manual x step ignored", -7, 7, -7, 7, 2, true, false, true},
      {"scaled for a device", -7, 7, -7, 7, 1, true, false, false, 400, 4},
      {"at the ends of the double range", -1e300, 1e300, -1e-300, 1e-300},
      // clang-format on
  };
  std::ostringstream kept;
  kept << "tick spacing of a view of width";
  for (double d : {14.0, 30.0, 50.0, 100.0, 10.0, 0.5, 0.0001, 1.0, 3.9, 4.0, 2e7, 1e-12, 0.3,
                   1e300, 0.0, -5.0, std::nan("")})
    kept << "  " << d << ": " << KeptNumber(TickSpacing(d));
  WorldWindow view = frame.world;
  ZoomWorldWindow(view, 0.25);
  ShiftWorldWindow(view, 2, -1);
  kept << "\nthe default view zoomed out by a quarter, shifted 2 right and 1 down: " << view.x1
       << " " << view.x2 << " " << view.y1 << " " << view.y2 << "\n";
  for (const auto& c : cases) {
    canvas = RecordingCanvas();
    frame.world = {c.x1, c.x2, c.y1, c.y2};
    frame.axes.grid = c.gitter;
    frame.axes.unitOnly = c.skalierung;
    frame.axes.numberLine = c.numberLine;
    frame.axes.trig = c.trig;
    frame.axes.autoTicks = !c.trig;
    frame.axes.manualX = 3;
    frame.width = frame.height = c.size;
    frame.lineScale = c.lineScale;
    DrawCoordinateSystem(frame);
    const TickSteps steps = TickStepsFor(frame.world, frame.axes, c.size, c.size);
    kept << "== " << c.name << ": steps " << steps.x << " " << steps.y << "\n" << canvas.picture;
  }
  EXPECT_TRUE(MatchesKept("core/coordinate-systems.txt", kept.str()));
}

}  // namespace
}  // namespace kurvio::testing
