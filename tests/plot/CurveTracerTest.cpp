// The curve tracer on a recording canvas: gaps, poles, clipping and the last sample.
#include <algorithm>
#include <climits>
#include <cmath>

#include "plot/CurveTracer.h"
#include "plot/PlotTestSupport.h"
#include "term/Term.h"
#include "term/TermBatch.h"

namespace kurvio::testing {
namespace {

class TracerTest : public PlotTest {
 protected:
  void TearDown() override {
    PlotTest::TearDown();
    MainTerm.reset();
    TermBatchPointByPoint = false;
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

TEST_F(TracerTest, PenAndStepOfOneOrTwoColumns) {
  CurveColor = 0x0000FF;
  LineWidth = 3;
  for (int step : {1, 2}) {
    const auto segments = Trace("x/2", step);
    // One segment a step; the step past the right edge is evaluated at the edge.
    ASSERT_GE(segments.size(), 700u / step);
    ASSERT_LE(segments.size(), 700u / step + 1);
    EXPECT_EQ(segments.front().from, (Point{0, ScreenY(-3.5)}));
    EXPECT_EQ(segments[700 / step - 1].to, (Point{700, ScreenY(3.5)}));
    EXPECT_EQ(segments.back().to.y, ScreenY(3.5));
    EXPECT_EQ(segments.front().color, 0x0000FFu);
    EXPECT_EQ(segments.front().width, 3);
    for (const Segment& s : segments) ASSERT_EQ(s.to.x - s.from.x, step);
  }
}

// Neighbouring samples far apart on the screen are joined only where the curve
// closes the gap between them: never across a jump or a pole, always along a
// steep but continuous stretch.
struct GapCase {
  const char* term;
  double x1, x2, y1, y2;
  std::vector<double> at;  // where the curve jumps, or where it is steep
};

// The drawn segments that pass over x (in world units).
int SegmentsAcross(const std::vector<Segment>& segments, double x) {
  const double column = (x - x1) / (x2 - x1) * PlotWidth;
  return static_cast<int>(std::count_if(segments.begin(), segments.end(), [&](const Segment& s) {
    return std::min(s.from.x, s.to.x) < column && column < std::max(s.from.x, s.to.x);
  }));
}

TEST_F(TracerTest, JumpsAndPolesAreLeftOpen) {
  const double halfPi = std::acos(0.0);
  const GapCase cases[] = {
      // The view starts at -7,1 so that the jumps fall between columns.
      // clang-format off
      {"int(x)", -7.1, 7, -7, 7, {-6, -3, -1, 1, 2, 5}}, {"1/x", -7, 7, -7, 7, {0}},
      {"tan(x)", -7, 7, -7, 7, {-halfPi, halfPi}}, {"sgn(x)", -7.1, 7, -7, 7, {0}},
      {"x+sgn(3x-1)", -7.1, 7, -7, 7, {1.0 / 3}}, // two sloping pieces
      {"1/x", -100, 101, -100, 100, {0}}, // both neighbours of 0 inside the plot
      {"1/x", -99.9995, 100, -1000, 1000, {0}}, // the right one far above it
      {"tan(x)", -7, 7, -100, 100, {-halfPi, halfPi, 3 * halfPi}},
      {"sgn(x)/sqrt(abs(x)-1/1000)", -7.1, 7, -100, 100, {0}}, // undefined between neighbours
      // clang-format on
  };
  for (const GapCase& c : cases) {
    x1 = c.x1, x2 = c.x2, y1 = c.y1, y2 = c.y2;
    const auto segments = Trace(c.term);
    EXPECT_GT(segments.size(), 100u) << c.term;
    for (double at : c.at) EXPECT_EQ(SegmentsAcross(segments, at), 0) << c.term << " at " << at;
    for (const Segment& s : segments) EXPECT_FALSE(SpansWholeHeight(s)) << c.term;
  }
}

TEST_F(TracerTest, SteepContinuousStretchesStayJoined) {
  const GapCase cases[] = {
      // clang-format off
      {"x^(1/3)", -7, 7, -1, 1, {0.03, 0.05}}, {"sgn(x)*abs(x)^(1/3)", -7, 7, -1, 1, {-0.01, 0.01}},
      {"arctan(1000x)", -7, 7, -7, 7, {-0.01, 0.01}},
      {"exp(x)", -7, 7, -7, 7, {std::log(7.0)}}, // the line to the top edge
      // clang-format on
  };
  for (const GapCase& c : cases) {
    x1 = c.x1, x2 = c.x2, y1 = c.y1, y2 = c.y2;
    const auto segments = Trace(c.term);
    for (double at : c.at) EXPECT_EQ(SegmentsAcross(segments, at), 1) << c.term << " at " << at;
  }
}

TEST_F(TracerTest, RefinementCostIsBounded) {
  // A smooth curve, gentle or steep, is sampled about once a column and drawn as one line.
  Trace("x");
  const std::size_t columns = samples.size();
  for (const char* term : {"sin(x)", "6*sin(3x)"}) {
    samples.clear();
    Trace(term);
    EXPECT_LE(samples.size(), columns + 8) << term;
    EXPECT_EQ(std::count_if(canvas.calls.begin(), canvas.calls.end(),
                            [](const std::string& call) { return call.rfind("MoveTo", 0) == 0; }),
              1)
        << term;
  }
  // A jump in nearly every column still costs only a few evaluations per column.
  for (const char* term : {"sin(1/x)", "int(100*sin(100x))"}) {
    x1 = -0.01, x2 = 0.01;
    samples.clear();
    Trace(term);
    EXPECT_LT(samples.size(), 6u * PlotWidth) << term;
  }
}

TEST_F(TracerTest, UndefinedStretchesAreSkipped) {
  const auto segments = Trace("sqrt(x)");
  ASSERT_FALSE(segments.empty());
  EXPECT_EQ(canvas.calls.front().rfind("MoveTo", 0), 0u);
  for (const Segment& s : segments) EXPECT_GE(std::min(s.from.x, s.to.x), 350);
  // x = 0 itself may come out a hair below 0 after 350 steps of 0.02.
  EXPECT_LE(segments.front().from.x, 351);
  EXPECT_TRUE(Trace("sqrt(-1-x^2)").empty());
  EXPECT_TRUE(Trace("ln(-abs(x)-1)", 2).empty());
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
    if (call.rfind("MoveTo", 0) == 0)
      minY = std::min(minY, std::stoi(call.substr(call.rfind(' '))));
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

TEST_F(TracerTest, RangeInsideTheViewIsSampledWhole) {
  const double dx = (x2 - x1) / PlotWidth;
  struct Case {
    double from, to;
  };
  // Inside the view, and a little outside it on both sides.
  const Case cases[] = {{-1.0, 1.2345}, {x1 + 0.3, x2 - 0.3}, {x1 - 2 * dx, x2 + 2 * dx}};
  for (const Case& c : cases) {
    CompileTerm(MainTerm, "x", true);
    samples.clear();
    canvas = RecordingCanvas();
    TraceCurve(Value(), x1, x2, c.from, c.to);
    ASSERT_GE(samples.size(), 2u);
    EXPECT_EQ(samples.front(), c.from);
    EXPECT_EQ(samples.back(), c.to);
    for (std::size_t i = 1; i < samples.size(); ++i) {
      EXPECT_GT(samples[i] - samples[i - 1], -1e-12) << c.from << " " << i;
      EXPECT_LT(samples[i] - samples[i - 1], dx + 1e-12) << c.from << " " << i;
    }
    // The last point keeps its own column although its value is taken at `to`.
    if (c.to < x2) {
      EXPECT_EQ(canvas.segments.back().to.y, ScreenY(c.to));
    }
  }
}

// A secant in a view 0.0001 wide, drawn from far outside: some 10^10 columns
// long, it still reaches both edges, and only the columns near the view are sampled.
TEST_F(TracerTest, LongLineInATinyViewReachesBothEdges) {
  PlotWidth = 800;
  PlotHeight = 800;
  x1 = 3;
  x2 = 3.0001;
  y1 = 3;
  y2 = 3.0001;
  const auto line = [this](double x) {
    samples.push_back(x);
    TermDefined = true;
    return x;
  };
  TraceCurve(line, x1, x2, -1000, 1000);
  const auto segments = canvas.DrawnSegments();
  ASSERT_FALSE(segments.empty());
  int left = INT_MAX, right = INT_MIN, inside = 0;
  for (const Segment& s : segments) {
    left = std::min(left, s.from.x);
    right = std::max(right, s.to.x);
    if (s.from.x >= 0 && s.from.x < 800) ++inside;
    EXPECT_NEAR(s.to.y, 800 - s.to.x, 1) << s.to.x;  // on the diagonal
  }
  EXPECT_LE(left, 0);
  EXPECT_GE(right, 800);
  EXPECT_EQ(inside, 800);  // no column left out
  EXPECT_LT(samples.size(), 1000u);

  // `to` inside the view is still the last sample; `from` inside it the first.
  samples.clear();
  TraceCurve(line, x1, x2, -1000, 3.00005);
  EXPECT_EQ(samples.back(), 3.00005);
  EXPECT_EQ(canvas.segments.back().to.y, 400);
  samples.clear();
  TraceCurve(line, x1, x2, 3.00005, 1000);
  EXPECT_EQ(samples.front(), 3.00005);
}

// A curve that enters the view steeply from far outside is joined to its own
// point in the column before the view, not to a row clamped just below the area.
TEST_F(TracerTest, SteepEntryFromFarOutside) {
  PlotWidth = 512;
  PlotHeight = 512;
  x1 = y1 = -8;
  x2 = y2 = 8;  // 1/32 per column, exact
  const auto steep = [](double x) {
    TermDefined = true;
    return 1000 * (x + 8) - 8;  // at the bottom edge at x1, 31.25 below it one column left
  };
  for (int width : {1, 4}) {
    LineWidth = width;
    canvas = RecordingCanvas();
    TraceCurve(steep, x1, x2, -1000, 1000);
    const auto segments = canvas.DrawnSegments();
    const auto entry = std::find_if(segments.begin(), segments.end(),
                                    [](const Segment& s) { return s.to.x == 0; });
    ASSERT_NE(entry, segments.end()) << width;
    EXPECT_EQ(entry->from.x, -1) << width;
    EXPECT_EQ(entry->from.y, 512 + 1000) << width;
    EXPECT_EQ(entry->to.y, 512) << width;
  }
}

TEST_F(TracerTest, UndefinedSkipStaysNearTheView) {
  const auto nowhere = [this](double x) {
    samples.push_back(x);
    TermDefined = false;
    return 0.0;
  };
  TraceCurve(nowhere, x1, x2, -1e6, 1e6);
  EXPECT_TRUE(canvas.DrawnSegments().empty());
  EXPECT_LT(samples.size(), 2u * PlotWidth);
  // A range wholly right of the view ends after its first point.
  samples.clear();
  CompileTerm(MainTerm, "x", true);
  TraceCurve(Value(), x1, x2, 100, 1e6);
  EXPECT_TRUE(canvas.DrawnSegments().empty());
  EXPECT_LT(samples.size(), 3u);
}

TEST_F(TracerTest, DegenerateCallsReturnAtOnce) {
  CompileTerm(MainTerm, "x", true);
  canvas = RecordingCanvas();
  TraceCurve(Value(), 5, 5, 5, 5);    // no width
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

// The batch tracer draws call for call what the point-by-point tracer draws,
// whether the batch itself runs point by point or not; so do the derivatives.
TEST_F(TracerTest, BatchDrawsTheSamePictureAsPointByPoint) {
  const struct {
    const char* term;
    double x1, x2, from, to;
    int step, width;
  } cases[] = {
      // clang-format off
      {"x^2-3", -7, 7, -7, 7, 1, 1},          {"a*x^3+b*x^2+c", -7, 7, -7, 7, 2, 2},
      {"1/x", -7, 7, -7, 7, 1, 1},            {"1/(x-0.01)", -7, 7, -7, 7, 1, 3},
      {"sqrt(x)", -7, 7, -7, 7, 1, 1},        {"sqrt(x-8)", -7, 7, -7, 7, 1, 1},
      {"ln(x^2-4)", -7, 7, -7, 7, 2, 1},      {"tan(x)", -7, 7, -7, 7, 1, 1},
      {"exp(x)", -2, 20, -2, 20, 1, 1},       {"-exp(x)", -2, 20, -2, 20, 2, 4},
      {"sin(1/x)", -0.01, 0.01, -0.01, 0.01, 1, 1},
      {"x^2", 3, 3.0001, -1000, 1000, 1, 1},  {"x/1000", -1e6, 1e6, -1e6, 1e6, 1, 1},
      {"x^3", -7, 7, -2, 3.1234, 1, 1},       {"sqrt(x)", -7, 7, -1, 1e6, 2, 2},
      {"sqrt(2-x)", -7, 7, 1, 4, 1, 1},       {"x", -7, 7, 100, 1e6, 1, 1},
      {"x", 1e17, 1e17 + 64, 1e17, 1e17 + 64, 1, 1}, // a step lost in rounding
      // clang-format on
  };
  using Picture = std::pair<std::vector<std::string>, std::vector<std::pair<Color, int>>>;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.term);
    x1 = y1 = c.x1;
    x2 = y2 = c.x2;
    LineWidth = c.width;
    CompileTerm(MainTerm, c.term, true);
    const auto draw = [&](const auto& curve) {
      canvas = RecordingCanvas();
      TraceCurve(curve, x1, x2, c.from, c.to, c.step);
      Picture p{canvas.calls, {}};
      for (const Segment& s : canvas.segments) p.second.emplace_back(s.color, s.width);
      return p;
    };
    const TermInputs in{0, 0.5, 2, -1, 3, 0};
    const Picture reference =
        draw([&](double x) { return EvalTerm(MainTerm, x, in.t, in.a, in.b, in.c, in.n); });
    EXPECT_FALSE(reference.first.empty());
    for (bool pointByPoint : {true, false}) {
      TermBatchPointByPoint = pointByPoint;
      EXPECT_EQ(draw(TermCurve(MainTerm, BatchInput::X, in)), reference) << pointByPoint;
    }
    for (int order = 1; order <= 2; ++order)
      EXPECT_EQ(draw(DerivativeCurve(MainTerm, order, in)).first,
                draw([&](double x) {
                  return EvalDerivative(MainTerm, order, x, in.t, in.a, in.b, in.c, in.n);
                }).first)
          << "order " << order;
  }
}

}  // namespace
}  // namespace kurvio::testing
