// SPDX-License-Identifier: GPL-3.0-or-later
// The curve tracer on a recording canvas: a table of curves kept call by call in
// tests/pictures/core/curves.txt (see support/KeptText.h), and the rules a picture
// alone does not show: gaps, the last sample, the cost and the odd calls.
#include <algorithm>
#include <cmath>
#include <sstream>
#include <tuple>
#include <type_traits>

#include "module/PictureFrame.h"
#include "plot/BoundsCanvas.h"
#include "plot/CurveTracer.h"
#include "plot/PresentationCanvas.h"
#include "plot/PlotTestSupport.h"
#include "support/KeptText.h"
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
  std::vector<Segment> Trace(const char* term) {
    CompileTerm(MainTerm, term, true);
    EXPECT_TRUE(TermDefined) << term;
    canvas = RecordingCanvas();
    TraceValueCurve(frame, Value(), frame.world.x1, frame.world.x2, frame.world.x1, frame.world.x2);
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

// The drawn segments that pass over x (in world units).
int SegmentsAcross(const DrawFrame& frame, const std::vector<Segment>& segments, double x) {
  const double column = (x - frame.world.x1) / (frame.world.x2 - frame.world.x1) * frame.width;
  return static_cast<int>(std::count_if(segments.begin(), segments.end(), [&](const Segment& s) {
    return std::min(s.from.x, s.to.x) < column && column < std::max(s.from.x, s.to.x);
  }));
}

// Neighbouring samples far apart on the screen are joined only where the curve
// closes the gap between them: never across a jump or a pole, always along a
// steep but continuous stretch.
TEST_F(TracerTest, JumpsAndPolesAreLeftOpenSteepStretchesJoined) {
  const double halfPi = std::acos(0.0);
  const struct {
    const char* term;
    double x1, x2, y1, y2;
    int across;              // lines over each of `at`
    std::vector<double> at;  // where the curve jumps, or where it is steep
  } cases[] = {
      // The view starts at -7,1 so that the jumps fall between columns.
      // clang-format off
      {"int(x)", -7.1, 7, -7, 7, 0, {-6, -3, -1, 1, 2, 5}}, {"1/x", -7, 7, -7, 7, 0, {0}},
      {"tan(x)", -7, 7, -7, 7, 0, {-halfPi, halfPi}}, {"sgn(x)", -7.1, 7, -7, 7, 0, {0}},
      {"x+sgn(3x-1)", -7.1, 7, -7, 7, 0, {1.0 / 3}}, // two sloping pieces
      {"1/x", -100, 101, -100, 100, 0, {0}}, // both neighbours of 0 inside the plot
      {"1/x", -99.9995, 100, -1000, 1000, 0, {0}}, // the right one far above it
      {"tan(x)", -7, 7, -100, 100, 0, {-halfPi, halfPi, 3 * halfPi}},
      {"sgn(x)/sqrt(abs(x)-1/1000)", -7.1, 7, -100, 100, 0, {0}}, // undefined between neighbours
      {"x^(1/3)", -7, 7, -1, 1, 1, {0.03, 0.05}}, {"sgn(x)*abs(x)^(1/3)", -7, 7, -1, 1, 1, {-0.01, 0.01}},
      {"arctan(1000x)", -7, 7, -7, 7, 1, {-0.01, 0.01}},
      {"exp(x)", -7, 7, -7, 7, 1, {std::log(7.0)}}, // the line to the top edge
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.term);
    frame.world = {c.x1, c.x2, c.y1, c.y2};
    const auto segments = Trace(c.term);
    EXPECT_GT(segments.size(), 40u);
    for (double at : c.at) EXPECT_EQ(SegmentsAcross(frame, segments, at), c.across) << "at " << at;
    for (const Segment& s : segments)
      EXPECT_FALSE(std::min(s.from.y, s.to.y) <= 0 && std::max(s.from.y, s.to.y) >= 700);
  }
}

// The first sample is `from`, the last `to`, none further apart than a column;
// the last point keeps its own column although its value is taken at `to`.
TEST_F(TracerTest, RangeInsideTheViewIsSampledWhole) {
  const double dx = (frame.world.x2 - frame.world.x1) / frame.width;
  const double ranges[][2] = {{-1.0, 1.2345}, {frame.world.x1 + 0.3, frame.world.x2 - 0.3}, {frame.world.x1 - 2 * dx, frame.world.x2 + 2 * dx}};
  CompileTerm(MainTerm, "x", true);
  for (const auto& range : ranges) {
    SCOPED_TRACE(range[0]);
    samples.clear();
    canvas = RecordingCanvas();
    TraceValueCurve(frame, Value(), frame.world.x1, frame.world.x2, range[0], range[1]);
    ASSERT_GE(samples.size(), 2u);
    EXPECT_EQ(samples.front(), range[0]);
    EXPECT_EQ(samples.back(), range[1]);
    for (std::size_t i = 1; i < samples.size(); ++i) {
      EXPECT_GT(samples[i] - samples[i - 1], -1e-12) << i;
      EXPECT_LT(samples[i] - samples[i - 1], dx + 1e-12) << i;
    }
    if (range[1] < frame.world.x2) {
      EXPECT_EQ(canvas.segments.back().to.y, frame.ScreenY(range[1]));
    }
  }
}

// So far out that its grid is lost in the rounding of x, a start samples the
// curve as a start at the view's left edge does: from next to the view.
TEST_F(TracerTest, AStartFarOutSamplesAsOneFromTheViewsEdge) {
  const double dx = (frame.world.x2 - frame.world.x1) / frame.width;
  CompileTerm(MainTerm, "x^2/3", true);
  for (double from : {-1e17, -5.891e15, -4.11e14}) {
    SCOPED_TRACE(from);
    samples.clear();
    TraceValueCurve(frame, Value(), frame.world.x1, frame.world.x2, from, frame.world.x2);
    ASSERT_FALSE(samples.empty());
    EXPECT_GT(samples.front(), frame.world.x1 - 8 * dx);
  }
}

TEST_F(TracerTest, DegenerateCallsReturnAtOnce) {
  CompileTerm(MainTerm, "x", true);
  frame.width = 0;
  TraceValueCurve(frame, Value(), -7, 7, -7, 7);
  EXPECT_TRUE(canvas.calls.empty());
  frame.canvas = nullptr;
  frame.width = 700;
  TraceValueCurve(frame, Value(), -7, 7, -7, 7);
  EXPECT_TRUE(samples.empty());
}

// Each curve traced one point at a time is kept call by call with the number of
// evaluations it took, which stays near one a column; the batch tracer, whether the batch itself
// runs point by point or not, must draw the same calls, and so must the derivatives.
TEST_F(TracerTest, CurvesDrawTheirKeptPictureAlsoInBatches) {
  const struct {
    const char* term;
    double x1, x2, y1, y2, from, to;
    int step = 1, width = 1;
  } cases[] = {
      // clang-format off
      {"x/2", -7, 7, -7, 7, -7, 7, 1, 3}, {"x/2", -7, 7, -7, 7, -7, 7, 2},
      {"x^2", -7, 7, -7, 7, -7, 7}, // leaves and comes back through the top
      {"x", -7, 7, -7, 7, -1000, 1000}, {"-x", -7, 7, -7, 7, -1000, 1000}, // through the corners
      {"int(x)", -7.1, 7, -7, 7, -7.1, 7}, {"1/x", -7, 7, -7, 7, -7, 7},
      {"tan(x)", -7, 7, -7, 7, -7, 7}, {"x+sgn(3x-1)", -7.1, 7, -7, 7, -7.1, 7},
      {"sgn(x)/sqrt(abs(x)-1/1000)", -7.1, 7, -100, 100, -7.1, 7},
      {"x^(1/3)", -7, 7, -1, 1, -7, 7}, {"arctan(1000x)", -7, 7, -7, 7, -7, 7},
      {"sin(x)", -7, 7, -7, 7, -7, 7}, {"6*sin(3x)", -7, 7, -7, 7, -7, 7},
      {"exp(x)", -7, 7, -7, 7, -7, 7}, {"exp(x)", -2, 20, -2, 20, -2, 20}, // clamped values
      {"-exp(x)", -2, 20, -2, 20, -2, 20, 2, 4}, {"sqrt(x)", -7, 7, -7, 7, -7, 7},
      {"sqrt(-1-x^2)", -7, 7, -7, 7, -7, 7}, {"ln(-abs(x)-1)", -7, 7, -7, 7, -7, 7, 2},
      {"sqrt(-1-x^2)", -7, 7, -7, 7, -1e6, 1e6}, // skipped without sampling far beyond the view
      {"sqrt(x-8)", -7, 7, -7, 7, -7, 7}, {"ln(x^2-4)", -7, 7, -7, 7, -7, 7, 2},
      {"x*1000", -7, 7, 0, 0.0001, -7, 7}, // a band thinner than a row
      {"a*x^3+b*x^2+c", -7, 7, -7, 7, -7, 7, 2, 2}, {"1/(x-0.01)", -7, 7, -7, 7, -7, 7, 1, 3},
      // A jump in nearly every column still costs only a few evaluations per column.
      {"sin(1/x)", -0.01, 0.01, -0.01, 0.01, -0.01, 0.01},
      {"int(100*sin(100x))", -0.01, 0.01, -0.01, 0.01, -0.01, 0.01},
      // A secant some 10^10 columns long reaches both edges of a tiny view, sampled only near it.
      {"x", 3, 3.0001, 3, 3.0001, -1000, 1000}, {"x^2", 3, 3.0001, 3, 3.0001, -1000, 1000},
      // Steep entry from far below: joined to its own point in the column before the
      // view, not to a row clamped just below it, also with a wide pen.
      {"1000(x+8)-8", -8, 8, -8, 8, -1000, 1000}, {"1000(x+8)-8", -8, 8, -8, 8, -1000, 1000, 1, 4},
      {"x/1000", -1e6, 1e6, -1e6, 1e6, -1e6, 1e6},
      {"x^3", -7, 7, -7, 7, -2, 3.1234}, {"sqrt(x)", -7, 7, -7, 7, -1, 1e6, 2, 2},
      {"sqrt(2-x)", -7, 7, -7, 7, 1, 4}, {"x", -7, 7, -7, 7, 100, 1e6}, // wholly right of the view
      {"x", 1e17, 1e17 + 64, 1e17, 1e17 + 64, 1e17, 1e17 + 64}, // a step lost in rounding
      {"x", 5, 5, 5, 5, 5, 5}, {"x", 7, -7, -7, 7, -7, 7}, {"x", -7, 7, -7, 7, -7, HUGE_VAL}, // no curve
      // Rows step -11 then -10 after an entry from below: an even step, joined
      // without a look at the hole between the two samples.
      {"-0.5(x-10)^2+10.5(x-10)+3+0*sqrt(abs(x-10.5)-0.1)", 0, 100, 0, 100, -1000, 1000},
      // clang-format on
  };
  frame.width = frame.height = 100;
  frame.curve.color = 0x0000FF;
  std::ostringstream kept;
  const TermInputs in{0, 0.5, 2, -1, 3, 0};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.term);
    frame.world = {c.x1, c.x2, c.y1, c.y2};
    frame.curve.width = c.width;
    CompileTerm(MainTerm, c.term, true);
    const auto draw = [&](const auto& curve) {
      canvas = RecordingCanvas();
      if constexpr (std::is_invocable_v<decltype(curve), double>)
        TraceValueCurve(frame, curve, frame.world.x1, frame.world.x2, c.from, c.to, c.step);
      else
        TraceCurve(frame, curve, frame.world.x1, frame.world.x2, c.from, c.to, c.step);
      return canvas.picture;
    };
    int count = 0;
    const std::string picture = draw([&](double x) {
      ++count;
      return EvalTerm(MainTerm, x, in.t, in.a, in.b, in.c, in.n);
    });
    kept << "== " << c.term << "  view " << frame.world.x1 << " " << frame.world.x2 << " " << frame.world.y1 << " " << frame.world.y2 << "  from "
         << c.from << " to " << c.to << "  step " << c.step << "  " << count << " samples\n"
         << picture;
    for (bool pointByPoint : {true, false}) {
      TermBatchPointByPoint = pointByPoint;
      EXPECT_EQ(draw(TermCurve(MainTerm, BatchInput::X, in)), picture) << pointByPoint;
      for (int order = 1; order <= 2; ++order)
        EXPECT_EQ(draw(DerivativeCurve(MainTerm, order, in)), draw([&](double x) {
                    return EvalDerivative(MainTerm, order, x, in.t, in.a, in.b, in.c, in.n);
                  }))
            << "order " << order;
    }
  }
  EXPECT_TRUE(MatchesKept("core/curves.txt", kept.str()));
}

// Presentation mode samples every second step of the plain picture, and the
// runs of lines the tracer hands over reach the device, and the box of what was
// drawn, as the same lines one by one would.
TEST_F(TracerTest, PresentationHalvesTheSamplesAndRunsArriveAsTheirLines) {
  CompileTerm(MainTerm, "x^2/7", true);
  std::size_t plain = 0;
  for (const bool presentation : {false, true}) {
    frame.presentation = presentation;
    samples.clear();
    TraceValueCurve(frame, Value(), -7, 7, -7, 7, 2);
    if (!presentation) plain = samples.size();
  }
  EXPECT_NEAR(static_cast<double>(samples.size()), plain / 2.0, 3.0);

  const std::vector<Point> run = {{20, 10}, {20, 10}, {20, 30}, {5, 40}};
  const auto draw = [&](bool atOnce, PixelBox& drawn) {
    RecordingCanvas device;
    BoundsCanvas bounds(device);
    PresentationCanvas shown(bounds, kWhite);
    shown.pen = {0xFFFF00, 2, PenStyle::Solid, PenMode::Copy};
    shown.MoveTo(10, 10);
    if (atOnce)
      shown.PolylineTo(run);
    else
      for (const Point& p : run) shown.LineTo(p.x, p.y);
    EXPECT_EQ(shown.PenPos(), (Point{5, 40}));
    drawn = bounds.Drawn();
    return device.picture;
  };
  PixelBox one, all;
  EXPECT_EQ(draw(true, all), draw(false, one));
  EXPECT_EQ(std::tie(all.left, all.top, all.right, all.bottom),
            std::tie(one.left, one.top, one.right, one.bottom));
}

}  // namespace
}  // namespace kurvio::testing
