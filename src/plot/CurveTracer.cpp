#include "plot/CurveTracer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "plot/PlotFrame.h"
#include "settings/Settings.h"
#include "term/Term.h"

namespace kurvio {
namespace {

// An upper bound on the samples of one curve, so that no window, however
// small its step, can stall a frame for good.
constexpr long kMaxSamples = 1000000;

class Tracer {
 public:
  Tracer(const CurveValueFunction& value, double dx, double scaleTo, double to)
      : value_(value), dx_(dx), scaleTo_(scaleTo), to_(to) {}

  // Samples from + k * dx (the last one at `to` when it lies inside the view), but
  // only from `margin` steps left of the view to `margin` steps right of it: a
  // secant from far outside a tiny view would otherwise take billions of steps.
  void Run(double scaleFrom, double from, int margin) {
    x_ = StartBefore(scaleFrom - margin * dx_, from);
    const double right = scaleTo_ + margin * dx_;
    NextPoint();
    if (Y_ > PlotHeight) Y_ = PlotHeight + 10;
    if (Y_ < PlotTop) Y_ = PlotTop - 10;
    DrawCanvas->MoveTo(X_, Y_);
    lastY_ = Y_;
    while (x_ <= to_ + dx_ && samples_ < kMaxSamples) {
      LineToPoint();
      if (x_ > right) break;
      NextPoint();
    }
  }

 private:
  // The x before the first sample: from - dx, or when `from` lies left of
  // `left` the point of the same grid whose next one is at or just left of it.
  double StartBefore(double left, double from) const {
    if (!(from < left)) return from - dx_;
    double first = from + std::floor((left - from) / dx_) * dx_;
    if (first > left) first -= dx_;
    // Far out, the grid is lost in the rounding of x; a start next to the view draws the same.
    if (!(first <= left && first > left - 2 * dx_)) first = left;
    return first - dx_;
  }

  bool Advance() {
    const double next = x_ + dx_;
    ++samples_;
    if (next == x_) {  // the step is lost in the rounding of x: nothing more to trace
      samples_ = kMaxSamples;
      return false;
    }
    x_ = next;
    return samples_ < kMaxSamples;
  }

  void NextPoint() {
    bool passedUndefined = false;
    double y = 0.0;
    for (;;) {
      if (!Advance()) break;
      y = value_(std::min(x_, to_));
      if (TermDefined) break;
      passedUndefined = true;
      if (!(x_ < scaleTo_)) break;
    }
    if (y > kCurveValueMax) y = kCurveValueMax;
    if (y < kCurveValueMin) y = kCurveValueMin;
    X_ = ScreenX(x_);
    Y_ = ScreenY(y);
    if (passedUndefined) DrawCanvas->MoveTo(X_, Y_);
  }

  void LineToPoint() {
    const long long jump = std::llabs(static_cast<long long>(lastY_) - Y_);
    if (Y_ >= PlotTop && Y_ <= PlotHeight && jump < kCurveJump) {
      DrawCanvas->LineTo(X_, Y_);
      lastY_ = Y_;
      return;
    }
    if (lastY_ > PlotTop && lastY_ <= PlotHeight && jump < kCurveJump) {
      // Leaving the area: draw to its edge.
      if (Y_ > PlotHeight) DrawCanvas->LineTo(X_, PlotHeight);
      if (Y_ < PlotTop) DrawCanvas->LineTo(X_, PlotTop);
    }
    DrawCanvas->MoveTo(X_, Y_);
    lastY_ = Y_;
  }

  const CurveValueFunction& value_;
  const double dx_;
  const double scaleTo_;
  const double to_;
  double x_ = 0.0;
  int X_ = 0;
  int Y_ = 0;
  int lastY_ = 0;
  long samples_ = 0;
};

}  // namespace

void TraceCurve(const CurveValueFunction& curveValue, double scaleFrom, double scaleTo, double from,
                double to, int stepPixels) {
  if (!DrawCanvas || PlotWidth <= 0) return;
  const double dx = stepPixels * (scaleTo - scaleFrom) / PlotWidth;
  if (!(dx > 0.0) || !std::isfinite(dx) || !std::isfinite(from) || !std::isfinite(to)) return;
  DrawCanvas->pen.color = CurveColor;
  DrawCanvas->pen.width = Scaled(LineWidth);
  // Outside the view only the segments that reach into it matter: the one from
  // the column before it, whose start must be a true point and not the clamped
  // first sample, so sampling starts two columns out; and those a wide pen
  // carries in from further out.
  const int marginColumns = 2 + std::max(DrawCanvas->pen.width, 1);
  const int margin = (marginColumns + stepPixels - 1) / stepPixels;
  Tracer(curveValue, dx, scaleTo, to).Run(scaleFrom, from, margin);
}

}  // namespace kurvio
