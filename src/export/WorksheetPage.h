// SPDX-License-Identifier: GPL-3.0-or-later
// The page of a worksheet: one unit of the view is 1 cm on paper. Where the
// coordinate system lies on an A4 page, which way the page is turned, whether
// it fits at all, and how far apart the axes' numbers stand.
#pragma once

#include <string>

#include "plot/DrawFrame.h"

namespace kurvio {

inline constexpr double kWorksheetUnitMm = 10.0;
inline constexpr double kA4ShortMm = 210.0;
inline constexpr double kA4LongMm = 297.0;
inline constexpr double kWorksheetMarginMm = 15.0;
// The window's title line above the coordinate system.
inline constexpr double kWorksheetTitleMm = 10.0;

// Millimetres from the paper's top-left corner.
struct WorksheetPage {
  bool fits = false;
  bool landscape = false;
  double paperWidth = kA4ShortMm, paperHeight = kA4LongMm;
  // The top-left corner of the coordinate system (the upper one of two) and
  // the size of all of them together; the title line lies above `top`.
  double left = 0, top = 0, width = 0, height = 0;
  // Why the worksheet cannot be made (UTF-8), when it does not fit.
  std::string problem;
};

// The page of `view` drawn `plots` times one below the other: the title line
// and the coordinate systems centred within the margins, on an upright page
// unless only a turned one holds them or both do and they are wider than high.
WorksheetPage LayOutWorksheet(const WorldWindow& view, int plots);

// The distance in units between numbered ticks: 1, 2, 5, 10, 20, … — the
// smallest that leaves numbers `labelMm` long (across the axis they number) a
// gap between them.
double WorksheetNumberStep(double labelMm);

}  // namespace kurvio
