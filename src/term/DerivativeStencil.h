// The difference stencils of the first and second derivative, and the test
// whether the derivative they estimate exists at all. Shared by the single
// evaluation and the batch, so that both give the same bits.
//
// A stencil happily returns a number at a kink, a jump or a pole: |x| at 0
// gives a first derivative of 0 and a second of 400. What tells such a point
// apart from a smooth one is how the second differences shrink with the step:
// for a smooth function the second difference over 2h is four times the one
// over h; at a kink in the middle it is twice, at a jump once. Both steps come from
// the samples the stencil takes anyway, plus f at x itself.
#pragma once

#include <cmath>
#include <limits>

namespace kurvio::detail {

// The five samples f(x - 2h), f(x - h), f(x), f(x + h), f(x + 2h).
struct StencilSamples {
  double m2, m1, c, p1, p2;
};

// Rounding of the samples scaled up generously: what a stencil of them can
// carry as noise (several ulps of each sample, and of the intermediate terms).
inline double SampleNoise(double sumOfMagnitudes) {
  return 64.0 * std::numeric_limits<double>::epsilon() * sumOfMagnitudes;
}

// False where the samples show a kink, a jump or a pole inside the stencil.
inline bool IsSmoothAround(const StencilSamples& s) {
  const double noise = SampleNoise(std::fabs(s.m2) + std::fabs(s.m1) + 2.0 * std::fabs(s.c) +
                                   std::fabs(s.p1) + std::fabs(s.p2));
  const double inner = s.p1 - 2.0 * s.c + s.m1;  // ~ h^2 f''
  const double outer = s.p2 - 2.0 * s.c + s.m2;  // ~ 4 h^2 f''
  const double left = s.c - 2.0 * s.m1 + s.m2;   // ~ h^2 f'' at x - h
  const double right = s.p2 - 2.0 * s.p1 + s.c;  // ~ h^2 f'' at x + h
  const double a = std::fabs(inner), b = std::fabs(outer);
  // At x: four times for a smooth function, about twice at a kink, once at a jump.
  if (a > noise && b < 2.8 * a) return false;
  // The same for the first differences across x: twice for a smooth function, once across a
  // jump (also one that second differences miss, such as sgn x at 0).
  const double across = std::fabs(s.p1 - s.m1), wide = std::fabs(s.p2 - s.m2);
  if (across > noise && wide < 1.5 * across) return false;
  // Off the middle: one outer second difference far above the two others.
  const double l = std::fabs(left), r = std::fabs(right);
  if (r > noise && r > 4.0 * (a + l)) return false;
  if (l > noise && l > 4.0 * (a + r)) return false;
  return true;
}

// The first derivative from f(x -+ 0.001), f(x -+ 0.002) and f(x); NaN where it does not exist.
// A value within the samples' rounding of zero is zero.
inline double FirstDerivative(const StencilSamples& s) {
  if (!IsSmoothAround(s)) return std::numeric_limits<double>::quiet_NaN();
  const double r = (s.m2 - 8.0 * s.m1 + 8.0 * s.p1 - s.p2) / 0.012;
  const double noise = SampleNoise(std::fabs(s.m2) + 8.0 * std::fabs(s.m1) + 8.0 * std::fabs(s.p1) +
                                   std::fabs(s.p2)) /
                       0.012;
  return std::fabs(r) <= noise ? 0.0 : r;
}

// The second derivative from f(x -+ 0.005), f(x) and f(x -+ 0.01); NaN where it does not exist.
inline double SecondDerivative(const StencilSamples& s) {
  if (!IsSmoothAround(s)) return std::numeric_limits<double>::quiet_NaN();
  const double r = (s.p1 - 2.0 * s.c + s.m1) / 0.000025;
  const double noise =
      SampleNoise(std::fabs(s.p1) + 2.0 * std::fabs(s.c) + std::fabs(s.m1)) / 0.000025;
  return std::fabs(r) <= noise ? 0.0 : r;
}

}  // namespace kurvio::detail
