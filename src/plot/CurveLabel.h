// SPDX-License-Identifier: GPL-3.0-or-later
// The name of a curve written beside it in the picture.
#pragma once

#include <string>

#include "plot/CurveTracer.h"

namespace kurvio {

// Writes `name` in the frame's curve colour next to a visible point of `curve`, trying points from
// the right of the plot to the left, above and below each on the side the curve does
// not run to, and taking the first spot that TextOutClear finds inside the plot and
// clear of the texts placed so far.
// Nothing where the curve shows nowhere in the plot.
void LabelCurve(const DrawFrame& frame, const std::string& name, const CurveBatchFunction& curve);

}  // namespace kurvio
