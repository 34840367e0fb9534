// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/WorksheetPage.h"

#include <algorithm>
#include <cmath>

#include "term/NumberFormat.h"

namespace kurvio {
namespace {

// Lengths computed from a view may lie a rounding error above a size that fits.
constexpr double kToleranceMm = 1e-6;

std::string Cm(double mm) { return FormatGeneral(mm / 10.0, 4, ','); }

struct Room {
  double width, height;  // for the coordinate systems, in mm
  bool Holds(double w, double h) const {
    return w <= width + kToleranceMm && h <= height + kToleranceMm;
  }
};

Room RoomOn(double paperWidth, double paperHeight) {
  return {paperWidth - 2 * kWorksheetMarginMm,
          paperHeight - 2 * kWorksheetMarginMm - kWorksheetTitleMm};
}

}  // namespace

WorksheetPage LayOutWorksheet(const WorldWindow& view, int plots) {
  WorksheetPage page;
  const int count = plots > 1 ? plots : 1;
  const double spanX = view.x2 - view.x1, spanY = view.y2 - view.y1;
  if (!(spanX > 0 && spanY > 0 && std::isfinite(spanX) && std::isfinite(spanY))) {
    page.problem = "Für dieses Koordinatensystem gibt es kein Arbeitsblatt.";
    return page;
  }
  page.width = spanX * kWorksheetUnitMm;
  page.height = count * spanY * kWorksheetUnitMm;
  const Room upright = RoomOn(kA4ShortMm, kA4LongMm), turned = RoomOn(kA4LongMm, kA4ShortMm);
  const bool fitsUpright = upright.Holds(page.width, page.height);
  const bool fitsTurned = turned.Holds(page.width, page.height);
  if (!fitsUpright && !fitsTurned) {
    const std::string times = count > 1 ? std::to_string(count) + " × " : "";
    page.problem = "Das Koordinatensystem ist für ein Arbeitsblatt zu groß: x von " +
                   FormatGeneral(view.x1, 4, ',') + " bis " + FormatGeneral(view.x2, 4, ',') +
                   " braucht " + Cm(page.width) + " cm, y von " + FormatGeneral(view.y1, 4, ',') +
                   " bis " + FormatGeneral(view.y2, 4, ',') + " braucht " + times +
                   Cm(spanY * kWorksheetUnitMm) + " cm; auf die Seite passen hochkant " +
                   Cm(upright.width) + " × " + Cm(upright.height) + " cm oder quer " +
                   Cm(turned.width) + " × " + Cm(turned.height) + " cm.";
    return page;
  }
  page.fits = true;
  page.landscape = !fitsUpright || (fitsTurned && page.width > page.height);
  if (page.landscape) {
    page.paperWidth = kA4LongMm;
    page.paperHeight = kA4ShortMm;
  }
  page.left = (page.paperWidth - page.width) / 2;
  page.top = (page.paperHeight - kWorksheetTitleMm - page.height) / 2 + kWorksheetTitleMm;
  return page;
}

double WorksheetNumberStep(double labelMm) {
  // Two millimetres between neighbouring numbers.
  const double needed = (std::isfinite(labelMm) ? std::max(labelMm, 0.0) : 0.0) + 2.0;
  for (double power = 1; power < 1e12; power *= 10)
    for (double factor : {1.0, 2.0, 5.0})
      if (factor * power * kWorksheetUnitMm >= needed) return factor * power;
  return 1e12;
}

}  // namespace kurvio
