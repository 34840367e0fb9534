// SPDX-License-Identifier: GPL-3.0-or-later
#include "term/StripSums.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kurvio {
namespace {

// f at x, or where it has no value there, at the next double towards `toward`.
bool ValueNear(const PartialFunction& f, double x, double toward, double& value) {
  for (double at : {x, std::nextafter(x, toward)}) {
    bool defined = true;
    value = f(at, defined);
    if (defined) return std::isfinite(value);
  }
  return false;
}

}  // namespace

StripSum SumOfStrips(const PartialFunction& f, double from, double to, int count, SumKind kind,
                     const std::vector<double>& turns) {
  StripSum sum;
  if (!std::isfinite(from) || !std::isfinite(to) || count < 1) return sum;
  const double lo = std::min(from, to), hi = std::max(from, to);
  const double width = (hi - lo) / count;
  const auto side = [&](int i) { return i == count ? hi : lo + i * width; };
  sum.strips.reserve(static_cast<std::size_t>(count));
  double heights = 0.0;  // the sum of the heights; times the width at the end
  for (int i = 0; i < count; ++i) {
    const double a = side(i), b = side(i + 1);
    // Each side from within the strip: a gap on a side between two strips counts
    // with the value beside it on either side.
    double left = 0.0, right = 0.0;
    if (!ValueNear(f, a, b, left) || !ValueNear(f, b, a, right)) return {};
    SumStrip strip{a, b, left, right};
    if (kind == SumKind::Midpoint) {
      double middle = 0.0;
      if (!ValueNear(f, a + (b - a) / 2, b, middle)) return {};
      strip.left = strip.right = middle;
    } else if (kind != SumKind::Trapezoid) {
      const bool lower = kind == SumKind::Lower;
      double height = lower ? std::min(left, right) : std::max(left, right);
      // Every value of f at and beside a turn inside the strip.
      for (auto t = std::upper_bound(turns.begin(), turns.end(), a); t != turns.end() && *t < b;
           ++t) {
        for (double at : {std::nextafter(*t, a), *t, std::nextafter(*t, b)}) {
          bool defined = true;
          const double v = f(at, defined);
          if (!defined) continue;
          if (!std::isfinite(v)) return {};
          height = lower ? std::min(height, v) : std::max(height, v);
        }
      }
      strip.left = strip.right = height;
    }
    heights += kind == SumKind::Trapezoid ? (strip.left + strip.right) / 2 : strip.left;
    sum.strips.push_back(strip);
  }
  sum.value = width * heights * (from > to ? -1.0 : 1.0);
  sum.exists = std::isfinite(sum.value);
  if (!sum.exists) sum.strips.clear();
  return sum;
}

std::vector<double> TurnsOf(const CurveFeatures& features, const std::vector<double>& jumps) {
  std::vector<double> turns = jumps;
  for (const SpecialPoint& p : features.points)
    if (p.kind == PointKind::High || p.kind == PointKind::Low) turns.push_back(p.x);
  for (const DomainBreak& b : features.breaks) turns.push_back(b.x);
  std::sort(turns.begin(), turns.end());
  turns.erase(std::unique(turns.begin(), turns.end()), turns.end());
  return turns;
}

}  // namespace kurvio
