// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/CurveTracer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>

#include "plot/PlotFrame.h"
#include "settings/Settings.h"
#include "term/Term.h"

namespace kurvio {
namespace {

// An upper bound on the samples of one curve, so that no window, however
// small its step, can stall a frame for good.
constexpr long kMaxSamples = 1000000;

// Neighbouring samples whose rows lie further apart than this are joined only
// once bisection shows that the curve closes the gap between them: a jump (int,
// sgn) or a pole that the samples straddle is left open. A smaller jump is lost
// next to the slope of an ordinary curve.
constexpr double kRefineRows = 2.0;
// Unless their step differs by no more than this from the step before: a steep
// but smooth curve changes its row evenly from column to column and so costs
// no extra evaluations.
constexpr double kEvenRows = 3.0;
// Bisection steps for one gap: 2^-40 of a column is far below anything a
// steep but continuous curve needs to close its gap, and a jump never does.
constexpr int kMaxRefineSteps = 40;
// Extra evaluations per sampled column for the whole curve, so that a term
// with a jump in every column (sin(1/x) near 0) cannot stall a frame; once
// they are used up, neighbours are joined by the plain rule.
constexpr long kRefineBudgetPerColumn = 4;

// The sample sequence x_k = start + k * dx (accumulated step by step) with the
// curve's values at min(x_k, to), evaluated a block at a time. A block ends at
// the first x right of `right`, where the tracer stops unless it is skipping
// an undefined stretch; later blocks are single points.
class Samples {
 public:
  Samples(const CurveBatchFunction& values, double dx, double to, double right, std::size_t block)
      : values_(values), dx_(dx), to_(to), right_(right), block_(std::max<std::size_t>(block, 1)) {}

  void Start(double x) { last_ = x; }

  // Moves to the next sample; false when the step is lost in the rounding of x.
  bool Next(double& x) {
    if (++index_ >= count_ && !Refill()) return false;
    x = xs_[index_];
    return true;
  }
  double Value() const { return values_out_[index_]; }
  bool Defined() const { return defined_[index_]; }
  // The sample `back` (1 or 2) places before the current one, if there is one:
  // the point it was evaluated at, its value and whether it is defined.
  bool Before(std::size_t back, double& point, double& value, bool& defined) const {
    if (index_ >= back) {
      const std::size_t i = index_ - back;
      point = points_[i];
      value = values_out_[i];
      defined = defined_[i];
      return true;
    }
    const std::size_t k = back - index_ - 1;
    if (k >= kept_) return false;
    point = kept_points_[k];
    value = kept_values_[k];
    defined = kept_defined_[k];
    return true;
  }
  // The curve at one point between two samples.
  double ValueAt(double x, bool& defined) const {
    double y = 0.0;
    values_(&x, 1, &y, &defined);
    return y;
  }

 private:
  bool Refill() {
    // The last two samples of the block stay at hand for Before.
    for (std::size_t i = count_ > 2 ? count_ - 2 : 0; i < count_; ++i) {
      kept_points_[1] = kept_points_[0];
      kept_values_[1] = kept_values_[0];
      kept_defined_[1] = kept_defined_[0];
      kept_points_[0] = points_[i];
      kept_values_[0] = values_out_[i];
      kept_defined_[0] = defined_[i];
      kept_ = std::min<std::size_t>(kept_ + 1, 2);
    }
    if (xs_.size() < block_) {
      xs_.resize(block_);
      points_.resize(block_);
      values_out_.resize(block_);
      defined_ = std::make_unique<bool[]>(block_);
    }
    // The sums in locals: through the members, every step would wait for the
    // store of the one before.
    double last = last_;
    const double dx = dx_, to = to_, right = right_;
    const std::size_t limit = std::min(block_, static_cast<std::size_t>(kMaxSamples - generated_));
    std::size_t n = 0;
    while (n < limit) {
      const double next = last + dx;
      if (next == last) break;
      last = next;
      xs_[n] = next;
      points_[n] = std::min(next, to);
      ++n;
      if (next > right) break;
    }
    last_ = last;
    generated_ += static_cast<long>(n);
    index_ = 0;
    count_ = n;
    if (n == 0) return false;
    values_(points_.data(), n, values_out_.data(), defined_.get());
    return true;
  }

  const CurveBatchFunction& values_;
  const double dx_;
  const double to_;
  const double right_;
  const std::size_t block_;
  double last_ = 0.0;
  long generated_ = 0;
  std::size_t index_ = 0;
  std::size_t count_ = 0;
  std::vector<double> xs_, points_, values_out_;
  std::unique_ptr<bool[]> defined_;  // std::vector<bool> has no array to hand over
  double kept_points_[2] = {}, kept_values_[2] = {};
  bool kept_defined_[2] = {};
  std::size_t kept_ = 0;
};

class Tracer {
 public:
  Tracer(const DrawFrame& frame, Samples& samples, double dx, double scaleTo, double to,
         long refineBudget)
      : frame_(frame),
        canvas_(*frame.canvas),
        source_(samples),
        dx_(dx),
        scaleTo_(scaleTo),
        to_(to),
        refineBudget_(refineBudget) {}

  // Draws from the sample after `start` until past `to` or past `right`.
  void Run(double start, double right) {
    x_ = start;
    source_.Start(x_);
    NextPoint();
    if (Y_ > frame_.height) Y_ = frame_.height + 10;
    if (Y_ < frame_.top) Y_ = frame_.top - 10;
    MoveTo(X_, Y_);
    lastY_ = Y_;
    while (x_ <= to_ + dx_ && samples_ < kMaxSamples) {
      LineToPoint();
      if (x_ > right) break;
      NextPoint();
    }
    HandOver();
  }

 private:
  bool Advance() {
    ++samples_;
    if (!source_.Next(x_)) {  // the step is lost in the rounding of x: nothing more to trace
      samples_ = kMaxSamples;
      return false;
    }
    return samples_ < kMaxSamples;
  }

  void NextPoint() {
    bool passedUndefined = false;
    double y = 0.0;
    for (;;) {
      if (!Advance()) break;
      y = source_.Value();
      if (source_.Defined()) break;
      passedUndefined = true;
      if (!(x_ < scaleTo_)) break;
    }
    if (y > kCurveValueMax) y = kCurveValueMax;
    if (y < kCurveValueMin) y = kCurveValueMin;
    X_ = frame_.ScreenX(x_);
    Y_ = frame_.ScreenY(y);
    if (passedUndefined) {
      MoveTo(X_, Y_);
      gapAt_ = samples_;
    }
  }

  // In presentation mode lines go to the canvas a run at a time: there every
  // call passes the pen on through the presentation canvas, and a curve is
  // thousands of lines. Straight to a device, one at a time costs less.
  void MoveTo(int x, int y) {
    HandOver();
    canvas_.MoveTo(x, y);
  }
  void LineTo(int x, int y) {
    if (frame_.presentation)
      run_.push_back({x, y});
    else
      canvas_.LineTo(x, y);
  }
  void HandOver() {
    if (run_.empty()) return;
    canvas_.PolylineTo(run_);
    run_.clear();
  }

  void LineToPoint() {
    const long long step = static_cast<long long>(Y_) - lastY_;
    const long long jump = std::llabs(step);
    if (Y_ >= frame_.top && Y_ <= frame_.height && jump < kCurveJump) {
      if (GapCloses(step)) {
        LineTo(X_, Y_);
        lastStep_ = gapAt_ != samples_ ? step : kNoStep;
        lastY_ = Y_;
        return;
      }
    } else if (lastY_ > frame_.top && lastY_ <= frame_.height && jump < kCurveJump &&
               GapCloses(step)) {
      // Leaving the area: draw to its edge.
      if (Y_ > frame_.height) LineTo(X_, frame_.height);
      if (Y_ < frame_.top) LineTo(X_, frame_.top);
    }
    MoveTo(X_, Y_);
    lastY_ = Y_;
    lastStep_ = kNoStep;
  }

  // The unrounded row of a curve value, clamped as every value is.
  double Row(double y) const {
    if (y > kCurveValueMax) y = kCurveValueMax;
    if (y < kCurveValueMin) y = kCurveValueMin;
    return frame_.height -
           (y - frame_.world.y1) / (frame_.world.y2 - frame_.world.y1) * frame_.height;
  }
  // A row held to just outside the area: what happens further out is not
  // drawn, so a jump there cannot show.
  double Visible(double row) const {
    const double top = frame_.top - 1.0, bottom = frame_.height + 1.0;
    if (!(row > top)) return top;  // also NaN
    return row < bottom ? row : bottom;
  }

  // Whether the curve runs on from the previous sample to this one, so that a
  // line may join them; `step` is the step of their rounded rows. A rounded row
  // lies within half a pixel of the true one, so rounded steps of one pixel
  // are at most kRefineRows, and rounded steps that differ by one differ by at
  // most kEvenRows: the rounded rows answer most cases without more work.
  bool GapCloses(long long step) {
    static_assert(kRefineRows >= 1.0 + 2 * 0.5 && kEvenRows >= 1.0 + 4 * 0.5);
    if (step >= -1 && step <= 1) return true;
    if (step - lastStep_ >= -1 && step - lastStep_ <= 1) return true;
    return StepJoins();
  }

  bool StepJoins() {
    double a = 0.0, value = 0.0;
    bool defined = false;
    // Only two defined samples side by side enclose a stretch worth refining.
    if (!source_.Defined() || !source_.Before(1, a, value, defined) || !defined) return true;
    const double ra = Visible(Row(value)), rb = Visible(Row(source_.Value()));
    const double step = rb - ra;
    if (std::fabs(step) <= kRefineRows) return true;
    double before = 0.0;
    if (lastStep_ != kNoStep && source_.Before(2, before, value, defined) && defined &&
        std::fabs(step - (ra - Visible(Row(value)))) <= kEvenRows)
      return true;
    return Refine(a, ra, std::min(x_, to_), rb);
  }

  // Bisection on x between the points a and b with the visible rows ra and rb,
  // each time into the half whose ends lie further apart: true once the ends
  // come close (a continuous stretch); false when the step is lost in the
  // rounding of x, a midpoint is undefined or the steps run out (a jump or a pole).
  bool Refine(double a, double ra, double b, double rb) {
    for (int step = 0; step < kMaxRefineSteps; ++step) {
      if (refineBudget_ <= 0) return true;  // as without refinement
      const double m = a + 0.5 * (b - a);
      if (!(m > a && m < b)) return false;
      --refineBudget_;
      bool defined = false;
      const double v = source_.ValueAt(m, defined);
      if (!defined) return false;
      const double rm = Visible(Row(v));
      if (std::fabs(rm - ra) >= std::fabs(rb - rm)) {
        b = m;
        rb = rm;
      } else {
        a = m;
        ra = rm;
      }
      if (std::fabs(ra - rb) <= kRefineRows) return true;
    }
    return false;
  }

  const DrawFrame& frame_;
  Canvas& canvas_;
  Samples& source_;
  const double dx_;
  const double scaleTo_;
  const double to_;
  long refineBudget_;
  double x_ = 0.0;
  int X_ = 0;
  int Y_ = 0;
  int lastY_ = 0;
  long samples_ = 0;
  // The rounded step of the last line, when it joined two neighbouring samples.
  static constexpr long long kNoStep = 1LL << 40;
  long long lastStep_ = kNoStep;
  long gapAt_ = -1;         // the last sample after an undefined stretch
  std::vector<Point> run_;  // lines not yet handed to the canvas
};

// The x before the first sample: from - dx, or when `from` lies left of
// `left` the point of the same grid whose next one is at or just left of it.
double StartBefore(double left, double from, double dx) {
  if (!(from < left)) return from - dx;
  double first = from + std::floor((left - from) / dx) * dx;
  if (first > left) first -= dx;
  // Far out, the grid is lost in the rounding of x; a start next to the view draws the same.
  if (!(first <= left && first > left - 2 * dx)) first = left;
  return first - dx;
}

// Samples from + k * dx (the last one at `to` when it lies inside the view), but
// only from `margin` steps left of the view to `margin` steps right of it: a
// secant from far outside a tiny view would otherwise take billions of steps.
// A batch of `block` 0 takes all the samples up to the right margin at once.
void Trace(const DrawFrame& frame, const CurveBatchFunction& values, double scaleFrom,
           double scaleTo, double from, double to, int stepPixels, std::size_t block) {
  if (!frame.canvas) return;
  Canvas& canvas = *frame.canvas;
  // No step for a picture without width.
  const double dx = stepPixels * (scaleTo - scaleFrom) / frame.width;
  if (!(dx > 0.0) || !std::isfinite(dx) || !std::isfinite(from) || !std::isfinite(to)) return;
  canvas.pen.color = frame.curve.color;
  canvas.pen.width = frame.CurvePenWidth(frame.curve.width);
  // Outside the view only the segments that reach into it matter: the one from
  // the column before it, whose start must be a true point and not the clamped
  // first sample, so sampling starts two columns out; and those a wide pen
  // carries in from further out.
  const int marginColumns = 2 + std::max(canvas.pen.width, 1);
  const int margin = (marginColumns + stepPixels - 1) / stepPixels;
  const double start = StartBefore(scaleFrom - margin * dx, from, dx);
  const double right = scaleTo + margin * dx;
  if (block == 0) {
    // Rounding of x can make the steps a little shorter than dx; the few
    // samples a block misses come one at a time.
    const double columns = (right - start) / dx;
    constexpr double kMaxBlock = 1 << 16;
    block = columns > 0 ? static_cast<std::size_t>(std::min(columns, kMaxBlock)) + 4 : 4;
  }
  Samples samples(values, dx, to, right, block);
  const long columns = frame.width / stepPixels + 2 * margin;
  Tracer(frame, samples, dx, scaleTo, to, kRefineBudgetPerColumn * columns).Run(start, right);
}

}  // namespace

void TraceCurve(const DrawFrame& frame, const CurveBatchFunction& curveValues, double scaleFrom,
                double scaleTo, double from, double to, int stepPixels, CurveSampling sampling) {
  // Presentation mode draws the picture twice as large: its pens, its offsets
  // and the steps between the samples of a curve, which stay short against
  // its pen of at least three pixels.
  if (frame.presentation) stepPixels *= 2;
  // One point at a time where a value function relies on being asked only for
  // the samples the picture needs.
  Trace(frame, curveValues, scaleFrom, scaleTo, from, to, stepPixels,
        sampling == CurveSampling::OnePointAtATime ? 1 : 0);
}

CurveBatchFunction TermCurve(const TermHandle& term, BatchInput vary, const TermInputs& fixed) {
  return [&term, vary, fixed](const double* x, std::size_t count, double* values, bool* defined) {
    EvalTermBatch(term, vary, fixed, x, count, values, defined);
  };
}

CurveBatchFunction DerivativeCurve(const TermHandle& term, int order, const TermInputs& fixed) {
  return [&term, order, fixed](const double* x, std::size_t count, double* values, bool* defined) {
    EvalDerivativeBatch(term, order, fixed, x, count, values, defined);
  };
}

}  // namespace kurvio
