// SPDX-License-Identifier: GPL-3.0-or-later
// The column-by-column curve tracer shared by every graph window: gaps where
// the curve is undefined, no line across a pole, clipping at the top and
// bottom rows without overflowing pixel coordinates.
#pragma once

#include <cstddef>
#include <functional>

#include "plot/DrawFrame.h"
#include "term/TermBatch.h"

namespace kurvio {

// The values of the curve at x[0..count) into values and defined: one term
// evaluated over a whole column of points at once.
using CurveBatchFunction =
    std::function<void(const double* x, std::size_t count, double* values, bool* defined)>;

// How the tracer asks for values: in a few large batches (a batch may run a
// little past the last sample the picture needs), or one point at a time for a
// value function that relies on being asked only for the samples the picture needs.
enum class CurveSampling { Batches, OnePointAtATime };

// Traces the curve from `from` to `to` on the frame's canvas with the frame's
// curve pen. The step is `stepPixels` pixel columns of the window
// scaleFrom..scaleTo, twice that in presentation mode; undefined points are skipped up to scaleTo; a sample
// beyond `to` is taken at `to`. Whatever lies more than a few columns (and the
// pen's width) outside the window is not sampled, so a range of any length is
// traced in about as many steps as the window has columns.
void TraceCurve(const DrawFrame& frame, const CurveBatchFunction& curveValues, double scaleFrom,
                double scaleTo, double from, double to, int stepPixels = 1,
                CurveSampling sampling = CurveSampling::Batches);

// The curve of a term whose input `vary` (x, or x and t alike) runs along the
// x axis, the other inputs fixed; and that of its derivative of order 0 to 3 in x.
CurveBatchFunction TermCurve(const TermHandle& term, BatchInput vary, const TermInputs& fixed);
CurveBatchFunction DerivativeCurve(const TermHandle& term, int order, const TermInputs& fixed);

// World values are clamped to this range before they are mapped (not symmetric).
inline constexpr double kCurveValueMax = 100000.0;
inline constexpr double kCurveValueMin = -10000.0;
// Neighbouring rows this far apart (or more) are never joined: a pole.
inline constexpr long long kCurveJump = 20000;

}  // namespace kurvio
