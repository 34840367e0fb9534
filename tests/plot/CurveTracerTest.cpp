// The curve tracer on a recording canvas: gaps, poles, clipping and the last sample.
#include <algorithm>
#include <climits>
#include <cmath>

#include "plot/CurveTracer.h"
#include "plot/PlotTestSupport.h"
#include "term/Term.h"

namespace kurvio::testing {
namespace {

class TracerTest : public PlotTest {
 protected:
  void TearDown() override {
    PlotTest::TearDown();
    MainTerm.reset();
  }
  // Traces a term over the whole window and returns the segments that cover pixels.
  std::vector<Segment> Trace(const char* term, int step = 1) {
    CompileTerm(MainTerm, term, true);
    EXPECT_TRUE(TermDefined) << term;
    canvas = RecordingCanvas();
    TraceCurve(Value(), x1, x2, x1, x2, step);
    return canvas.DrawnSegments();
  }
  CurveValueFunction Value() {
    return [this](double x) {
      samples.push_back(x);
      return EvalTerm(MainTerm, x, 0, 0, 0, 0, 0);
    };
  }
  std::vector<double> samples;
};

bool SpansWholeHeight(const Segment& s) {
  return std::min(s.from.y, s.to.y) <= 0 && std::max(s.from.y, s.to.y) >= 700;
}

TEST_F(TracerTest, PenAndStepOfOneColumn) {
  CurveColor = 0x0000FF;
  LineWidth = 3;
  const auto segments = Trace("x/2");
  // One segment a column; the step past the right edge is evaluated at the edge.
  ASSERT_GE(segments.size(), 700u);
  ASSERT_LE(segments.size(), 701u);
  EXPECT_EQ(segments.front().from, (Point{0, ScreenY(-3.5)}));
  EXPECT_EQ(segments[699].to, (Point{700, ScreenY(3.5)}));
  EXPECT_EQ(segments.back().to.y, ScreenY(3.5));
  EXPECT_EQ(segments.front().color, 0x0000FFu);
  EXPECT_EQ(segments.front().width, 3);
  for (const Segment& s : segments) EXPECT_EQ(s.to.x - s.from.x, 1);
}

TEST_F(TracerTest, TwoPixelStep) {
  const auto segments = Trace("x/2", 2);
  ASSERT_GE(segments.size(), 350u);
  ASSERT_LE(segments.size(), 351u);
  for (const Segment& s : segments) EXPECT_EQ(s.to.x - s.from.x, 2);
}

TEST_F(TracerTest, PoleOfReciprocalIsNotJoined) {
  const auto segments = Trace("1/x");
  ASSERT_FALSE(segments.empty());
  for (const Segment& s : segments) {
    // Each branch stays on its side of the x-axis; nothing joins them.
    const bool fromBelow = s.from.y >= 350, toBelow = s.to.y >= 350;
    EXPECT_EQ(fromBelow, toBelow) << s.from.x << "," << s.from.y << " -> " << s.to.x << ","
                                  << s.to.y;
    EXPECT_FALSE(SpansWholeHeight(s));
  }
  const bool leftBranch = std::any_of(segments.begin(), segments.end(),
                                      [](const Segment& s) { return s.to.x < 350; });
  const bool rightBranch = std::any_of(segments.begin(), segments.end(),
                                       [](const Segment& s) { return s.from.x > 350; });
  EXPECT_TRUE(leftBranch && rightBranch);
}

TEST_F(TracerTest, TangentHasNoVerticalLinesAtPoles) {
  const auto segments = Trace("tan(x)");
  ASSERT_GT(segments.size(), 100u);
  for (const Segment& s : segments) EXPECT_FALSE(SpansWholeHeight(s)) << s.from.x;
}

TEST_F(TracerTest, SquareRootStartsAtFirstDefinedColumn) {
  const auto segments = Trace("sqrt(x)");
  ASSERT_FALSE(segments.empty());
  for (const Segment& s : segments) EXPECT_GE(std::min(s.from.x, s.to.x), 350);
  // x = 0 itself may come out a hair below 0 after 350 steps of 0.02.
  EXPECT_LE(segments.front().from.x, 351);
}

TEST_F(TracerTest, ParabolaLeavesAndReentersThroughTheTop) {
  const auto segments = Trace("x^2");
  // sqrt(7) = 2.6458: the curve leaves at column 350 + 132.3 and comes back at 350 - 132.3.
  const auto toTop = std::find_if(segments.begin(), segments.end(), [](const Segment& s) {
    return s.to.y == 0 && s.from.y > 0 && s.from.x > 350;
  });
  ASSERT_NE(toTop, segments.end());
  EXPECT_EQ(toTop->to.x, 483);  // the first column outside
  const auto fromOutside = std::find_if(segments.begin(), segments.end(), [](const Segment& s) {
    return s.from.y < 0 && s.to.y >= 0;
  });
  ASSERT_NE(fromOutside, segments.end());
  EXPECT_EQ(fromOutside->to.x, 218);
  EXPECT_LT(fromOutside->from.y, 0);
  // Nothing is drawn between the two points outside the area.
  for (const Segment& s : segments) EXPECT_FALSE(s.from.y < 0 && s.to.y < 0);
}

TEST_F(TracerTest, HugeValuesAreClampedBeforeMapping) {
  x2 = 20;
  Trace("exp(x)");
  int minY = INT_MAX;
  for (const Segment& s : canvas.segments) minY = std::min({minY, s.from.y, s.to.y});
  for (const std::string& call : canvas.calls)
    if (call.rfind("MoveTo", 0) == 0) minY = std::min(minY, std::stoi(call.substr(call.rfind(' '))));
  EXPECT_EQ(minY, ScreenY(100000));

  Trace("-exp(x)");
  int maxY = INT_MIN;
  for (const std::string& call : canvas.calls)
    maxY = std::max(maxY, std::stoi(call.substr(call.rfind(' '))));
  EXPECT_EQ(maxY, ScreenY(-10000));
}

TEST_F(TracerTest, TinyWindowStaysWithinPixelRange) {
  y1 = 0;
  y2 = 0.0001;
  const auto segments = Trace("x*1000");
  for (const Segment& s : segments) {
    EXPECT_GE(s.to.y, -kPixelLimit);
    EXPECT_LE(s.to.y, kPixelLimit);
  }
  // Only the columns where the line crosses the thin band are drawn, through the band.
  for (const Segment& s : segments) EXPECT_FALSE(SpansWholeHeight(s) && s.from.x < 340);
}

TEST_F(TracerTest, CurveDefinedNowhereDrawsNothing) {
  EXPECT_TRUE(Trace("sqrt(-1-x^2)").empty());
  EXPECT_TRUE(Trace("ln(-abs(x)-1)", 2).empty());
}

TEST_F(TracerTest, LastSampleIsTakenAtTo) {
  CompileTerm(MainTerm, "x", true);
  samples.clear();
  TraceCurve(Value(), x1, x2, -1.0, 1.2345);
  ASSERT_FALSE(samples.empty());
  EXPECT_DOUBLE_EQ(samples.front(), -1.0);
  EXPECT_EQ(*std::max_element(samples.begin(), samples.end()), 1.2345);
  EXPECT_EQ(samples.back(), 1.2345);
  // The last point keeps its own column although its value is taken at `to`.
  EXPECT_EQ(canvas.segments.back().to.y, ScreenY(1.2345));
}

TEST_F(TracerTest, UndefinedStretchIsSkippedWithTheTrailingEdgeAsLimit) {
  // ln(x) is undefined left of 0: the skipping runs on to the first defined column.
  CompileTerm(MainTerm, "ln(x)", true);
  samples.clear();
  canvas = RecordingCanvas();
  TraceCurve(Value(), x1, x2, x1, x2);
  EXPECT_EQ(canvas.calls.front().rfind("MoveTo", 0), 0u);
  EXPECT_GE(canvas.DrawnSegments().front().from.x, 350);
}

TEST_F(TracerTest, DegenerateCallsReturnAtOnce) {
  CompileTerm(MainTerm, "x", true);
  canvas = RecordingCanvas();
  TraceCurve(Value(), 5, 5, 5, 5);  // no width
  TraceCurve(Value(), 7, -7, -7, 7);  // reversed
  PlotWidth = 0;
  TraceCurve(Value(), -7, 7, -7, 7);
  EXPECT_TRUE(canvas.calls.empty());
  // A step lost in the rounding of x ends the curve instead of looping forever.
  PlotWidth = 700;
  x1 = 1e17;
  x2 = 1e17 + 64;
  TraceCurve(Value(), x1, x2, x1, x2);
  DrawCanvas = nullptr;
  TraceCurve(Value(), -7, 7, -7, 7);
}

}  // namespace
}  // namespace kurvio::testing
