#include "windows/limits/Neighbourhood.h"

#include <cmath>

namespace kurvio {

NeighbourhoodExtremes SampleHalfNeighbourhood(const std::function<double(double x)>& f, double xo,
                                              double delta, double step, HalfSide side) {
  NeighbourhoodExtremes e;
  const double coarsest = std::fabs(delta) / static_cast<double>(kMaxNeighbourhoodSamples);
  double h = std::fabs(step);
  if (!(h >= coarsest)) h = coarsest;
  const bool left = side == HalfSide::Left;
  if (!left) h = -h;
  double x = left ? xo - delta : xo + delta;
  for (;;) {
    const double y = f(x);
    ++e.samples;
    if (y > e.yMax) {
      e.yMax = y;
      e.xMax = x;
    }
    if (y < e.yMin) {
      e.yMin = y;
      e.xMin = x;
    }
    const double next = x + h;
    // A step lost in the rounding of x would never get anywhere.
    if (next == x || e.samples >= kMaxNeighbourhoodSamples) break;
    x = next;
    if (!(left ? x < xo : x > xo)) break;
  }
  return e;
}

}  // namespace kurvio
