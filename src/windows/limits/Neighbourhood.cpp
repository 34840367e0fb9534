// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/limits/Neighbourhood.h"

#include <cmath>
#include <vector>

namespace kurvio {
namespace {

// The samples are generated `block` at a time and then evaluated together;
// the sequence of x never depends on the values.
NeighbourhoodExtremes Sample(const NeighbourhoodBatch& f, double xo, double delta, double step,
                             HalfSide side, std::size_t block) {
  NeighbourhoodExtremes e;
  const double coarsest = std::fabs(delta) / static_cast<double>(kMaxNeighbourhoodSamples);
  double h = std::fabs(step);
  if (!(h >= coarsest)) h = coarsest;
  const bool left = side == HalfSide::Left;
  if (!left) h = -h;
  std::vector<double> xs(block), ys(block);
  double x = left ? xo - delta : xo + delta;
  bool more = true;
  while (more) {
    std::size_t n = 0;
    while (n < block) {
      xs[n++] = x;
      const double next = x + h;
      // A step lost in the rounding of x would never get anywhere.
      if (next == x || e.samples + static_cast<long>(n) >= kMaxNeighbourhoodSamples) {
        more = false;
        break;
      }
      x = next;
      if (!(left ? x < xo : x > xo)) {
        more = false;
        break;
      }
    }
    f(xs.data(), n, ys.data());
    for (std::size_t i = 0; i < n; ++i) {
      const double y = ys[i];
      if (y > e.yMax) {
        e.yMax = y;
        e.xMax = xs[i];
      }
      if (y < e.yMin) {
        e.yMin = y;
        e.xMin = xs[i];
      }
    }
    e.samples += static_cast<long>(n);
  }
  return e;
}

}  // namespace

NeighbourhoodExtremes SampleHalfNeighbourhood(const std::function<double(double x)>& f, double xo,
                                              double delta, double step, HalfSide side) {
  const NeighbourhoodBatch one = [&f](const double* x, std::size_t count, double* y) {
    for (std::size_t i = 0; i < count; ++i) y[i] = f(x[i]);
  };
  return Sample(one, xo, delta, step, side, 1);
}

NeighbourhoodExtremes SampleHalfNeighbourhood(const NeighbourhoodBatch& f, double xo, double delta,
                                              double step, HalfSide side) {
  // Blocks large enough for a whole half in the common case, small enough to stay in the cache.
  return Sample(f, xo, delta, step, side, 4096);
}

}  // namespace kurvio
