// SPDX-License-Identifier: GPL-3.0-or-later
// Where the integral of a term over an interval cannot exist: the points of a
// range at which the term has a pole or is undefined between defined values.
#pragma once

#include <vector>

#include "term/TermBatch.h"

namespace kurvio {

// The sorted points in [from, to] where the term, with the input `vary`
// running along the range and the others fixed, is undefined on a fine grid,
// or grows without bound between two grid points (a pole the grid straddles:
// 1/x, tan x, 1/x^2). Integrable singularities that stay far below the
// term's range limit (ln|x|, 1/sqrt|x|) and jumps are not poles.
std::vector<double> FindPoles(const TermHandle& term, BatchInput vary, const TermInputs& fixed,
                              double from, double to);

// Whether one of the sorted points lies in [min(a, b), max(a, b)].
bool AnyPointBetween(const std::vector<double>& points, double a, double b);
// Whether one of the sorted points lies strictly between a and b.
bool AnyPointInside(const std::vector<double>& points, double a, double b);

}  // namespace kurvio
