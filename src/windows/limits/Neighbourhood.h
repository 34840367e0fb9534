// SPDX-License-Identifier: GPL-3.0-or-later
// One half of the delta neighbourhood of xo, sampled for the image f(U) that
// the limits window draws on the y-axis: the largest and the smallest value
// with the x where each was first taken.
#pragma once

#include <cstddef>
#include <functional>

namespace kurvio {

enum class HalfSide { Left, Right };

struct NeighbourhoodExtremes {
  // The starting values stay when no sample beats them (a value that is not a
  // number never does).
  double yMax = -1e6, xMax = -1e6;
  double yMin = 1e6, xMin = 1e6;
  long samples = 0;
};

// Samples per half at most; a finer step would stall the window on a tiny view.
inline constexpr long kMaxNeighbourhoodSamples = 100000;

// Left: x from xo - delta upwards while x < xo; right: from xo + delta
// downwards while x > xo; always at least the first sample. The step is
// |step|, made coarser only where more than kMaxNeighbourhoodSamples would be
// needed (also when it is 0 or not a number). A value replaces an extreme only
// when it is strictly larger or smaller, so each extreme keeps the x nearest
// to the outer end.
NeighbourhoodExtremes SampleHalfNeighbourhood(const std::function<double(double x)>& f, double xo,
                                              double delta, double step, HalfSide side);

// The same with the values taken a block at a time: y[i] := f(x[i]) for i < count.
using NeighbourhoodBatch = std::function<void(const double* x, std::size_t count, double* y)>;
NeighbourhoodExtremes SampleHalfNeighbourhood(const NeighbourhoodBatch& f, double xo, double delta,
                                              double step, HalfSide side);

}  // namespace kurvio
