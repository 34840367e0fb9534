// The column-by-column curve tracer shared by every graph window: gaps where
// the curve is undefined, no line across a pole, clipping at the top and
// bottom rows without overflowing pixel coordinates.
#pragma once

#include <functional>

namespace kurvio {

// The value of the window's current curve at x; TermDefined tells whether it is defined.
using CurveValueFunction = std::function<double(double x)>;

// Traces the curve from `from` to `to` on DrawCanvas in CurveColor with the
// LineWidth pen. The step is `stepPixels` pixel columns of the window
// scaleFrom..scaleTo; undefined points are skipped up to scaleTo; a sample
// beyond `to` is taken at `to`. Whatever lies more than a few columns (and the
// pen's width) outside the window is not sampled, so a range of any length is
// traced in about as many steps as the window has columns.
void TraceCurve(const CurveValueFunction& curveValue, double scaleFrom, double scaleTo, double from,
                double to, int stepPixels = 1);

// World values are clamped to this range before they are mapped (not symmetric).
inline constexpr double kCurveValueMax = 100000.0;
inline constexpr double kCurveValueMin = -10000.0;
// Neighbouring rows this far apart (or more) are never joined: a pole.
inline constexpr long long kCurveJump = 20000;

}  // namespace kurvio
