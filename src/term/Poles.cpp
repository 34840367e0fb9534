// SPDX-License-Identifier: GPL-3.0-or-later
#include "term/Poles.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace kurvio {
namespace {

constexpr int kGrid = 4096;
constexpr int kSearchSteps = 90;

// |f| at t; infinite where f is undefined.
class Magnitude {
 public:
  Magnitude(const TermHandle& term, BatchInput vary, const TermInputs& fixed)
      : term_(term), vary_(vary), fixed_(fixed) {}
  double operator()(double t) const {
    double value = 0;
    bool defined = false;
    EvalTermBatch(term_, vary_, fixed_, &t, 1, &value, &defined);
    return defined ? std::fabs(value) : HUGE_VAL;
  }

 private:
  const TermHandle& term_;
  BatchInput vary_;
  TermInputs fixed_;
};

// The largest |f| found by a golden-section search on (a, b), and where it was found.
double LargestBetween(const Magnitude& f, double a, double b, double& where) {
  constexpr double kInvPhi = 0.6180339887498949;
  double c = b - kInvPhi * (b - a), d = a + kInvPhi * (b - a);
  double fc = f(c), fd = f(d);
  for (int i = 0; i < kSearchSteps; ++i) {
    if (fc >= fd) {
      b = d;
      d = c;
      fd = fc;
      c = b - kInvPhi * (b - a);
      if (!(c > a && c < d)) break;  // lost in the rounding of t
      fc = f(c);
    } else {
      a = c;
      c = d;
      fc = fd;
      d = a + kInvPhi * (b - a);
      if (!(d < b && d > c)) break;
      fd = f(d);
    }
  }
  where = fc >= fd ? c : d;
  return std::max(fc, fd);
}

}  // namespace

std::vector<double> FindPoles(const TermHandle& term, BatchInput vary, const TermInputs& fixed,
                              double from, double to) {
  std::vector<double> poles;
  if (!term || !std::isfinite(from) || !std::isfinite(to)) return poles;
  if (from > to) std::swap(from, to);
  std::vector<double> t(kGrid + 1), y(kGrid + 1);
  const auto defined = std::make_unique<bool[]>(kGrid + 1);
  for (int i = 0; i <= kGrid; ++i) t[i] = from + (to - from) * i / kGrid;
  EvalTermBatch(term, vary, fixed, t.data(), t.size(), y.data(), defined.get());

  // The size of the term's ordinary values: a pole rises far above it.
  std::vector<double> sizes;
  for (int i = 0; i <= kGrid; ++i)
    if (defined[i]) sizes.push_back(std::fabs(y[i]));
  if (sizes.empty()) return {from};
  std::nth_element(sizes.begin(), sizes.begin() + sizes.size() / 2, sizes.end());
  const double bound = 1e9 * std::max(1.0, sizes[sizes.size() / 2]);

  const Magnitude magnitude(term, vary, fixed);
  const auto size = [&](int i) { return std::fabs(y[i]); };
  double where = 0;
  for (int i = 0; i <= kGrid; ++i) {
    if (!defined[i]) {
      // Within an undefined stretch, or at a single point where |f| grows without bound
      // (not at a gap like that of ln|x| or x/x at 0).
      const bool single = i > 0 && i < kGrid && defined[i - 1] && defined[i + 1];
      if (!single || LargestBetween(magnitude, t[i - 1], t[i], where) > bound ||
          LargestBetween(magnitude, t[i], t[i + 1], where) > bound)
        poles.push_back(t[i]);
      continue;
    }
    if (i == kGrid || !defined[i + 1]) continue;
    // A pole between two grid points shows as a change of sign, or as |f|
    // rising towards one end of the step; anything else cannot hide one.
    const bool signChange = (y[i] < 0) != (y[i + 1] < 0);
    const bool risingLeft =
        i > 0 && defined[i - 1] && size(i) > size(i - 1) && size(i) >= size(i + 1);
    const bool risingRight =
        i + 2 <= kGrid && defined[i + 2] && size(i + 1) > size(i + 2) && size(i + 1) >= size(i);
    if (!signChange && !risingLeft && !risingRight) continue;
    if (LargestBetween(magnitude, t[i], t[i + 1], where) > bound) poles.push_back(where);
  }
  return poles;
}

bool AnyPointBetween(const std::vector<double>& points, double a, double b) {
  const auto it = std::lower_bound(points.begin(), points.end(), std::min(a, b));
  return it != points.end() && *it <= std::max(a, b);
}

bool AnyPointInside(const std::vector<double>& points, double a, double b) {
  const auto it = std::upper_bound(points.begin(), points.end(), std::min(a, b));
  return it != points.end() && *it < std::max(a, b);
}

}  // namespace kurvio
