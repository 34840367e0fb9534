// SPDX-License-Identifier: GPL-3.0-or-later
// Lower, upper, trapezoid and midpoint sums: the integral approached by n strips
// of equal width, as it is introduced in class. A strip of the lower (upper) sum
// is as high as the least (greatest) value f takes on it, found among its ends
// and the points inside it where f may turn or jump, not as high as an end.
#pragma once

#include <vector>

#include "term/Quadrature.h"
#include "term/SpecialPoints.h"

namespace kurvio {

enum class SumKind { Lower, Upper, Trapezoid, Midpoint };

// A strip from `from` to `to` (from < to) with its heights at both sides; they
// differ only in a trapezoid.
struct SumStrip {
  double from, to, left, right;
};

struct StripSum {
  bool exists = false;
  double value = 0.0;
  std::vector<SumStrip> strips;
};

// The sum of `kind` over [from, to] in `count` strips (count ≥ 1); from > to gives
// the negative, as the integral does. `turns` holds, sorted, the points where
// f may take a least or greatest value between the ends of a strip: its extrema,
// kinks, jumps and gaps. At a point where f is undefined (a gap, an end of the
// domain) the value beside it counts. The sum does not exist where f is undefined
// at a point and beside it, or not finite.
StripSum SumOfStrips(const PartialFunction& f, double from, double to, int count, SumKind kind,
                     const std::vector<double>& turns);

// The turns of a curve for SumOfStrips: its high and low points (kinks among
// them), gaps and poles from the search, and the points where it may jump
// (`jumps`, as RoughBreaks finds them); sorted.
std::vector<double> TurnsOf(const CurveFeatures& features, const std::vector<double>& jumps);

}  // namespace kurvio
