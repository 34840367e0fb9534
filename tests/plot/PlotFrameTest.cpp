// Mapping, tick spacing and the coordinate system, checked call by call.
#include <algorithm>
#include <cmath>
#include <set>

#include "plot/PlotTestSupport.h"

namespace kurvio::testing {
namespace {

// x positions of the short vertical tick marks on the x-axis at row y0.
std::vector<int> XTicks(const RecordingCanvas& c, int y0) {
  std::vector<int> xs;
  for (const Segment& s : c.segments)
    if (s.from.x == s.to.x && s.from.y == y0 - 4 && s.to.y == y0 + 4) xs.push_back(s.from.x);
  return xs;
}

std::vector<int> YTicks(const RecordingCanvas& c, int x0) {
  std::vector<int> ys;
  for (const Segment& s : c.segments)
    if (s.from.y == s.to.y && s.from.x == x0 - 4 && s.to.x == x0 + 4) ys.push_back(s.from.y);
  return ys;
}

std::vector<std::string> Labels(const RecordingCanvas& c) {
  std::vector<std::string> out;
  for (const TextCall& t : c.texts) out.push_back(t.text);
  return out;
}

std::vector<int> Columns(std::initializer_list<double> values) {
  std::vector<int> out;
  for (double v : values) out.push_back(ScreenX(v));
  return out;
}

TEST_F(PlotTest, Mapping) {
  EXPECT_EQ(ScreenX(-7), 0);
  EXPECT_EQ(ScreenX(7), 700);
  EXPECT_EQ(ScreenX(0), 350);
  EXPECT_EQ(ScreenY(7), 0);
  EXPECT_EQ(ScreenY(-7), 700);
  EXPECT_EQ(ScreenY(1), 300);
  EXPECT_DOUBLE_EQ(WorldX(400), 1.0);
  EXPECT_DOUBLE_EQ(WorldY(300), 1.0);
  // Ties go to the even pixel.
  PlotWidth = 7;
  x1 = 0;
  x2 = 14;
  EXPECT_EQ(ScreenX(1), 0);  // 0.5
  EXPECT_EQ(ScreenX(3), 2);  // 1.5
  EXPECT_EQ(ScreenX(5), 2);  // 2.5
}

TEST_F(PlotTest, PixelsSaturateInsteadOfOverflowing) {
  y1 = 0;
  y2 = 0.0001;
  EXPECT_EQ(ScreenY(100000), -kPixelLimit);
  EXPECT_EQ(ScreenY(-100000), kPixelLimit);
  EXPECT_EQ(ScreenY(std::nan("")), -kPixelLimit);
  EXPECT_EQ(ScreenX(1e300), kPixelLimit);
}

// Rounding is nearbyint's, ties to even, right up to the limit.
TEST_F(PlotTest, RoundingIsNearbyintsUpToTheLimit) {
  for (double v : {-0.5, 0.5, 1.5, -2.5, 2.4999999999999996, 1e9 - 0.5, -1e9 + 0.5, 123456.5, -0.0,
                   7.0000000000000009, 999999999.49999988})
    EXPECT_EQ(RoundPixel(v), static_cast<int>(std::nearbyint(v))) << v;
}

TEST_F(PlotTest, TickSpacing) {
  struct Case {
    double d, step;
  };
  const Case cases[] = {
      {14, 1},        {30, 2},           {50, 5},        {100, 10},  {10, 1},  {0.5, 0.05},
      {0.1, 0.01},    {0.0001, 0.00001}, {1, 0.1},       {3.9, 0.2}, {4, 0.5}, {2e7, 2e6},
      {1e-12, 1e-13}, {0.3, 0.02},       {1e300, 1e299}, {0, 1},     {-5, 1},
  };
  for (const Case& c : cases) EXPECT_NEAR(TickSpacing(c.d), c.step, c.step * 1e-12) << c.d;
}

// A window a tenth wide gets ten ticks, not twenty.
TEST_F(PlotTest, NarrowWindowTicks) {
  x1 = -0.05;
  x2 = 0.05;
  DrawCoordinateSystem();
  EXPECT_EQ(XTicks(canvas, 350), Columns({-0.04, -0.03, -0.02, -0.01, 0.01, 0.02, 0.03, 0.04}));
  EXPECT_EQ(canvas.texts[0].text, "0,01");
}

TEST_F(PlotTest, TickLabels) {
  EXPECT_EQ(TickLabel(0.5), "0,5");
  EXPECT_EQ(TickLabel(2), "2");
  EXPECT_EQ(TickLabel(0.1 * 3), "0,3");
  EXPECT_EQ(TickLabel(-1.25), "-1,25");
  EXPECT_EQ(TickLabel(100000), "1E05");
  EXPECT_EQ(TickLabel(123456), "1,235E05");
  EXPECT_EQ(TickLabel(0.000001), "1E-06");
  DecimalSeparator = '.';
  EXPECT_EQ(TickLabel(0.5), "0.5");
}

TEST_F(PlotTest, DefaultWindow) {
  DrawCoordinateSystem();
  EXPECT_EQ(XTicks(canvas, 350), Columns({-6, -5, -4, -3, -2, -1, 1, 2, 3, 4, 5, 6}));
  std::vector<int> rows = YTicks(canvas, 350);
  EXPECT_EQ(rows.size(), 12u);
  EXPECT_EQ(std::count(rows.begin(), rows.end(), ScreenY(0)), 0);
  // With Skalierung only the first positive tick of each axis is labelled.
  EXPECT_EQ(Labels(canvas), (std::vector<std::string>{"1", "x", "1", "y"}));
  // Label places: centred below the x tick, left of the y tick, the names at the ends.
  EXPECT_EQ(canvas.texts[0].x, 400 - 7 / 2);
  EXPECT_EQ(canvas.texts[0].y, 350 + 6);
  EXPECT_EQ(canvas.texts[1].x, 700 - 7 - 6);
  EXPECT_EQ(canvas.texts[1].y, 350 - 20);
  EXPECT_EQ(canvas.texts[2].x, 350 - 7 - 6);
  EXPECT_EQ(canvas.texts[2].y, 300 - 8);
  EXPECT_EQ(canvas.texts[3].x, 356);
  EXPECT_EQ(canvas.texts[3].y, 0);
  // Arrowheads, filled black; then the brush is the background again.
  ASSERT_EQ(canvas.polygons.size(), 2u);
  EXPECT_EQ(canvas.polygons[0], (std::vector<Point>{{694, 346}, {700, 350}, {694, 354}}));
  EXPECT_EQ(canvas.polygons[1], (std::vector<Point>{{346, 6}, {350, 0}, {354, 6}}));
  EXPECT_EQ(canvas.brush.color, 0xFFFFFFu);
  // The axes.
  EXPECT_EQ(canvas.calls[0], "MoveTo 0 350");
  EXPECT_EQ(canvas.calls[1], "LineTo 700 350");
}

TEST_F(PlotTest, EveryTickLabelledWithoutSkalierung) {
  Skalierung = false;
  DrawCoordinateSystem();
  EXPECT_EQ(canvas.texts.size(), 12u + 1 + 12 + 1);
  EXPECT_EQ(canvas.texts[0].text, "-6");
}

TEST_F(PlotTest, AxesAtTheBorders) {
  x1 = 2;
  x2 = 12;
  DrawCoordinateSystem();
  EXPECT_EQ(XTicks(canvas, 350), Columns({3, 4, 5, 6, 7, 8, 9, 10, 11}));
  EXPECT_EQ(YTicks(canvas, 0).size(), 12u);  // the y-axis stands at the left border

  canvas = RecordingCanvas();
  x1 = -7;
  x2 = 7;
  y1 = 1;
  y2 = 5;
  DrawCoordinateSystem();
  EXPECT_EQ(canvas.calls[0], "MoveTo 0 700");  // x-axis along the bottom
  EXPECT_FALSE(XTicks(canvas, 700).empty());

  canvas = RecordingCanvas();
  y1 = -9;
  y2 = -2;
  x1 = -12;
  x2 = -3;
  DrawCoordinateSystem();
  EXPECT_EQ(canvas.calls[0], "MoveTo 0 0");   // x-axis at y2, the top
  EXPECT_FALSE(YTicks(canvas, 700).empty());  // y-axis at x2, the right border
}

TEST_F(PlotTest, Grid) {
  auto gridSegments = [&](PenStyle style) {
    int n = 0;
    for (const Segment& s : canvas.segments)
      if (s.color == 0x808080u && s.style == style) ++n;
    return n;
  };
  DrawCoordinateSystem();
  EXPECT_EQ(gridSegments(PenStyle::Dot) + gridSegments(PenStyle::Solid), 0);

  canvas = RecordingCanvas();
  Gitter = 2;
  DrawCoordinateSystem();
  EXPECT_EQ(gridSegments(PenStyle::Dot), 24);
  EXPECT_EQ(canvas.pen.style, PenStyle::Solid);
  EXPECT_EQ(canvas.pen.color, kBlack);

  canvas = RecordingCanvas();
  Gitter = 3;
  DrawCoordinateSystem();
  EXPECT_EQ(gridSegments(PenStyle::Solid), 24);
}

TEST_F(PlotTest, NumberLineMode) {
  NumberLineMode = true;
  Gitter = 3;
  DrawCoordinateSystem();
  EXPECT_EQ(XTicks(canvas, 350).size(), 13u);  // 0 is marked too
  EXPECT_TRUE(YTicks(canvas, 350).empty());
  EXPECT_EQ(canvas.polygons.size(), 1u);
  EXPECT_EQ(Labels(canvas), (std::vector<std::string>{"0", "1", "x"}));
  for (const Segment& s : canvas.segments) EXPECT_NE(s.color, 0x808080u);
}

TEST_F(PlotTest, TrigAxisMode) {
  TrigAxisMode = true;
  AutoTickSteps = false;
  ManualXTickStep = 3;  // ignored
  DrawCoordinateSystem();
  EXPECT_DOUBLE_EQ(XTickStep, 0.5235987755982989);
  EXPECT_DOUBLE_EQ(YTickStep, 1.0);
  EXPECT_EQ(XTicks(canvas, 350).size(), 26u);  // -13..13 sixths of pi inside -7..7, without 0
  // No x labels; the y-axis keeps its label.
  EXPECT_EQ(Labels(canvas), (std::vector<std::string>{"x", "1", "y"}));
}

TEST_F(PlotTest, ManualStepsAndUnusableOnes) {
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
  DrawCoordinateSystem();
}

TEST_F(PlotTest, ScaledOffsetsOnAnExportDevice) {
  LineScale = 4;
  PlotWidth = 2800;
  PlotHeight = 2800;
  DrawCoordinateSystem();
  EXPECT_EQ(canvas.polygons[0], (std::vector<Point>{{2776, 1384}, {2800, 1400}, {2776, 1416}}));
  EXPECT_EQ(canvas.segments[0].width, 4);
}

}  // namespace
}  // namespace kurvio::testing
