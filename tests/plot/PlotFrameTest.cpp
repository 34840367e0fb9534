// Mapping, tick spacing and the coordinate system, checked call by call.
#include <algorithm>
#include <cmath>

#include "plot/PlotTestSupport.h"

namespace kurvio::testing {
namespace {

// Positions of the short tick marks: x of the vertical ones across row y0
// (vertical = true), or y of the horizontal ones across column x0.
std::vector<int> Ticks(const RecordingCanvas& c, int at, bool vertical = true) {
  std::vector<int> out;
  for (const Segment& s : c.segments) {
    const Point a = vertical ? s.from : Point{s.from.y, s.from.x};
    const Point b = vertical ? s.to : Point{s.to.y, s.to.x};
    if (a.x == b.x && a.y == at - 4 && b.y == at + 4) out.push_back(a.x);
  }
  return out;
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

TEST_F(PlotTest, TickSpacingAndLabels) {
  const double cases[][2] = {{14, 1},     {30, 2},           {50, 5},     {100, 10},      {10, 1},
                             {0.5, 0.05}, {0.0001, 0.00001}, {1, 0.1},    {3.9, 0.2},     {4, 0.5},
                             {2e7, 2e6},  {1e-12, 1e-13},    {0.3, 0.02}, {1e300, 1e299}, {0, 1},
                             {-5, 1}};
  for (const auto& c : cases) EXPECT_NEAR(TickSpacing(c[0]), c[1], c[1] * 1e-12) << c[0];
  EXPECT_EQ(TickLabel(0.1 * 3), "0,3");
  EXPECT_EQ(TickLabel(-1.25), "-1,25");
  EXPECT_EQ(TickLabel(123456), "1,235E05");
  EXPECT_EQ(TickLabel(0.000001), "1E-06");
  DecimalSeparator = '.';
  EXPECT_EQ(TickLabel(0.5), "0.5");
  // A window a tenth wide gets ten ticks, not twenty.
  x1 = -0.05;
  x2 = 0.05;
  DecimalSeparator = ',';
  DrawCoordinateSystem();
  EXPECT_EQ(Ticks(canvas, 350), Columns({-0.04, -0.03, -0.02, -0.01, 0.01, 0.02, 0.03, 0.04}));
  EXPECT_EQ(canvas.texts[0].text, "0,01");
}

TEST_F(PlotTest, DefaultWindow) {
  DrawCoordinateSystem();
  EXPECT_EQ(canvas.calls[0], "MoveTo 0 350");
  EXPECT_EQ(canvas.calls[1], "LineTo 700 350");
  EXPECT_EQ(Ticks(canvas, 350), Columns({-6, -5, -4, -3, -2, -1, 1, 2, 3, 4, 5, 6}));
  const std::vector<int> rows = Ticks(canvas, 350, false);
  EXPECT_EQ(rows.size(), 12u);
  EXPECT_EQ(std::count(rows.begin(), rows.end(), ScreenY(0)), 0);
  // With Skalierung only the first positive tick of each axis is labelled (the
  // places of labels and arrowheads are kept by every window's picture recording).
  EXPECT_EQ(Labels(canvas), (std::vector<std::string>{"1", "x", "1", "y"}));
  canvas = RecordingCanvas();
  Skalierung = false;
  DrawCoordinateSystem();
  EXPECT_EQ(canvas.texts.size(), 12u + 1 + 12 + 1);
  EXPECT_EQ(canvas.texts[0].text, "-6");
}

TEST_F(PlotTest, AxesAtTheBorders) {
  x1 = 2;
  x2 = 12;
  DrawCoordinateSystem();
  EXPECT_EQ(Ticks(canvas, 350), Columns({3, 4, 5, 6, 7, 8, 9, 10, 11}));
  EXPECT_EQ(Ticks(canvas, 0, false).size(), 12u);  // the y-axis at the left border
  canvas = RecordingCanvas();
  x1 = -7;
  x2 = 7;
  y1 = 1;
  y2 = 5;
  DrawCoordinateSystem();
  EXPECT_EQ(canvas.calls[0], "MoveTo 0 700");  // x-axis along the bottom
  EXPECT_FALSE(Ticks(canvas, 700).empty());
  canvas = RecordingCanvas();
  y1 = -9;
  y2 = -2;
  x1 = -12;
  x2 = -3;
  DrawCoordinateSystem();
  EXPECT_EQ(canvas.calls[0], "MoveTo 0 0");         // x-axis at the top
  EXPECT_FALSE(Ticks(canvas, 700, false).empty());  // y-axis at the right border
}

TEST_F(PlotTest, GridAndNumberLine) {
  auto gridSegments = [&](PenStyle style) {
    return std::count_if(canvas.segments.begin(), canvas.segments.end(), [&](const Segment& s) {
      return s.color == 0x808080u && s.style == style;
    });
  };
  const int expected[][2] = {{0, 0}, {24, 0}, {0, 24}};  // dotted, solid for Gitter 1..3
  for (int gitter = 1; gitter <= 3; ++gitter) {
    canvas = RecordingCanvas();
    Gitter = gitter;
    DrawCoordinateSystem();
    EXPECT_EQ(gridSegments(PenStyle::Dot), expected[gitter - 1][0]) << gitter;
    EXPECT_EQ(gridSegments(PenStyle::Solid), expected[gitter - 1][1]) << gitter;
    EXPECT_EQ(canvas.pen.style, PenStyle::Solid);
    EXPECT_EQ(canvas.pen.color, kBlack);
  }
  canvas = RecordingCanvas();
  NumberLineMode = true;
  DrawCoordinateSystem();
  EXPECT_EQ(Ticks(canvas, 350).size(), 13u);  // 0 is marked too
  EXPECT_TRUE(Ticks(canvas, 350, false).empty());
  EXPECT_EQ(canvas.polygons.size(), 1u);
  EXPECT_EQ(Labels(canvas), (std::vector<std::string>{"0", "1", "x"}));
  EXPECT_EQ(gridSegments(PenStyle::Solid), 0);
}

TEST_F(PlotTest, TrigManualAndUnusableSteps) {
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
  PlotWidth = 700;
  x1 = -7, x2 = 7;
  TrigAxisMode = true;  // the manual x step is ignored
  ManualXTickStep = 3;
  DrawCoordinateSystem();
  EXPECT_DOUBLE_EQ(XTickStep, 0.5235987755982989);
  EXPECT_EQ(Ticks(canvas, 350).size(), 26u);  // -13..13 sixths of pi, without 0
  EXPECT_EQ(Labels(canvas), (std::vector<std::string>{"x", "1", "y"}));
}

TEST_F(PlotTest, ScaledOffsetsOnAnExportDevice) {
  LineScale = 4;
  PlotWidth = PlotHeight = 2800;
  DrawCoordinateSystem();
  EXPECT_EQ(canvas.polygons[0], (std::vector<Point>{{2776, 1384}, {2800, 1400}, {2776, 1416}}));
  EXPECT_EQ(canvas.segments[0].width, 4);
}

}  // namespace
}  // namespace kurvio::testing
