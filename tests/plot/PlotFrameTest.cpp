// Mapping, and the tick spacing and coordinate system of a table of views kept
// call by call in tests/pictures/core/coordinate-systems.txt (see support/KeptText.h).
#include <cmath>
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

TEST_F(PlotTest, MappingRoundsLikeNearbyintAndSaturates) {
  EXPECT_EQ(ScreenX(-7), 0);
  EXPECT_EQ(ScreenX(7), 700);
  EXPECT_EQ(ScreenY(-7), 700);
  EXPECT_EQ(ScreenY(1), 300);
  EXPECT_DOUBLE_EQ(WorldX(400), 1.0);
  EXPECT_DOUBLE_EQ(WorldY(300), 1.0);
  for (double v : {-0.5, 0.5, 1.5, -2.5, 2.4999999999999996, 1e9 - 0.5, -1e9 + 0.5, 123456.5, -0.0,
                   7.0000000000000009, 999999999.49999988})
    EXPECT_EQ(RoundPixel(v), static_cast<int>(std::nearbyint(v))) << v;
  PlotWidth = 7;  // ties go to the even pixel
  x1 = 0;
  x2 = 14;
  EXPECT_EQ(ScreenX(3), 2);
  EXPECT_EQ(ScreenX(5), 2);
  EXPECT_EQ(ScreenX(1e300), kPixelLimit);
  y1 = 0;
  y2 = 0.0001;
  EXPECT_EQ(ScreenY(100000), -kPixelLimit);
  EXPECT_EQ(ScreenY(-100000), kPixelLimit);
  EXPECT_EQ(ScreenY(std::nan("")), -kPixelLimit);
}

// Equal units widen one range about its middle; a resize widens the view the user set, not
// the widened one, a zoom is a new view, and turning them off gives the view back.
TEST_F(PlotTest, EqualUnitsWidenTheViewTheUserSet) {
  const auto unitsEqual = [] {
    return std::fabs((x2 - x1) / PlotWidth - (y2 - y1) / PlotHeight) < 1e-12;
  };
  const auto view = [] { return std::vector<double>{x1, x2, y1, y2}; };
  x1 = -7, x2 = 7, y1 = -7, y2 = 7;
  PlotWidth = 800, PlotHeight = 400;
  ApplyEqualUnits();  // off: nothing changes
  EXPECT_THAT(view(), Pointwise(DoubleNear(1e-12), std::vector<double>({-7, 7, -7, 7})));
  EqualUnits = true;
  ApplyEqualUnits();
  EXPECT_THAT(view(), Pointwise(DoubleNear(1e-12), std::vector<double>({-14, 14, -7, 7})));
  PlotWidth = 400, PlotHeight = 800;  // a resize: from the view set, not from the widened one
  ApplyEqualUnits();
  EXPECT_THAT(view(), Pointwise(DoubleNear(1e-12), std::vector<double>({-7, 7, -14, 14})));
  PlotWidth = 800, PlotHeight = 400;
  ApplyEqualUnits();
  ApplyEqualUnits();  // again: it stays
  EXPECT_THAT(view(), Pointwise(DoubleNear(1e-12), std::vector<double>({-14, 14, -7, 7})));
  x1 = 0, x2 = 2, y1 = 0, y2 = 10;  // a zoom: the new view is widened
  ApplyEqualUnits();
  EXPECT_TRUE(unitsEqual());
  EXPECT_THAT(view(), Pointwise(DoubleNear(1e-12), std::vector<double>({-9, 11, 0, 10})));
  y2 = std::nan("");  // a broken view is left alone
  ApplyEqualUnits();
  EXPECT_TRUE(std::isnan(y2));
  x1 = 0, x2 = 2, y1 = 0, y2 = 10;
  ApplyEqualUnits();
  EqualUnits = false;
  ApplyEqualUnits();
  EXPECT_THAT(view(), Pointwise(DoubleNear(1e-12), std::vector<double>({0, 2, 0, 10})));
}

TEST_F(PlotTest, ManualStepsGiveWayWhenUnusable) {
  AutoTickSteps = false;
  ManualXTickStep = 2;
  ManualYTickStep = 0.5;
  ComputeTickSteps();
  EXPECT_EQ(XTickStep, 2);
  EXPECT_EQ(YTickStep, 0.5);
  EXPECT_EQ(AutoXTickStep, 1);
  // A step that would put millions of ticks on the axis, or none at all, gives way.
  ManualXTickStep = 1e-9;
  ManualYTickStep = 0;
  ComputeTickSteps();
  EXPECT_EQ(XTickStep, 1);
  EXPECT_EQ(YTickStep, 1);
  // At most two ticks a pixel and two more: 1024 ticks on 16 units and 511 pixels.
  PlotWidth = 511;
  x1 = -8, x2 = 8;
  for (double step : {1.0 / 64, 1.0 / 65}) {
    ManualXTickStep = step;
    ComputeTickSteps();
    EXPECT_EQ(XTickStep, step == 1.0 / 64 ? step : AutoXTickStep) << step;
  }
}

// With the labelling "1" a zoomed view without its unit still has numbers on both axes,
// inside the plot and apart from each other.
TEST_F(PlotTest, AxesWithoutTheirUnitInViewAreNumbered) {
  x1 = 2.3, x2 = 2.7, y1 = 3.1, y2 = 3.6;
  DrawCoordinateSystem();
  std::vector<LabelBox> numbers;
  for (const auto& t : canvas.texts) {
    if (t.text == XAxisName || t.text == YAxisName) continue;
    const LabelBox box{t.x, t.y, t.x + canvas.TextWidth(t.text), t.y + canvas.TextHeight(t.text)};
    EXPECT_TRUE(box.left >= 0 && box.right <= PlotWidth && box.top >= 0 && box.bottom <= PlotHeight)
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
  ZoomWorldWindow(0.25);
  ShiftWorldWindow(2, -1);
  kept << "\nthe default view zoomed out by a quarter, shifted 2 right and 1 down: " << x1 << " "
       << x2 << " " << y1 << " " << y2 << "\n";
  for (const auto& c : cases) {
    canvas = RecordingCanvas();
    x1 = c.x1, x2 = c.x2, y1 = c.y1, y2 = c.y2;
    Gitter = c.gitter;
    Skalierung = c.skalierung;
    NumberLineMode = c.numberLine;
    TrigAxisMode = c.trig;
    AutoTickSteps = !c.trig;
    ManualXTickStep = 3;
    PlotWidth = PlotHeight = c.size;
    LineScale = c.lineScale;
    DrawCoordinateSystem();
    kept << "== " << c.name << ": steps " << XTickStep << " " << YTickStep << "\n"
         << canvas.picture;
  }
  EXPECT_TRUE(MatchesKept("core/coordinate-systems.txt", kept.str()));
  LineScale = 1;
  AutoTickSteps = true;
  ManualXTickStep = 1;
}

}  // namespace
}  // namespace kurvio::testing
