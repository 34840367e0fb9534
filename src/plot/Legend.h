// SPDX-License-Identifier: GPL-3.0-or-later
// The terms of a picture as a small legend: a framed box in the background
// colour, in the corner of the plot that the picture's curve crosses least.
#pragma once

#include <string>
#include <vector>

#include "plot/Canvas.h"
#include "plot/CurveTracer.h"

namespace kurvio {

// The corners in the order they are tried.
enum class Corner { TopLeft, TopRight, BottomLeft, BottomRight };

// The corner whose box of width × height, `margin` pixels in from the edges of
// the frame's plot (columns 0..width, rows top..height), holds the fewest of
// `samples`; of equal ones the first.
Corner FreeCorner(const DrawFrame& frame, const std::vector<Point>& samples, int width,
                  int height, int margin);

// `lines` (UTF-8) in the canvas font, one under the other, in a box with a thin
// black frame in the FreeCorner of `curve` sampled at every column. Pen, brush
// and font are left as they were.
void DrawLegend(const DrawFrame& frame, const std::vector<std::string>& lines,
                const CurveBatchFunction& curve);

}  // namespace kurvio
