// SPDX-License-Identifier: GPL-3.0-or-later
// Worksheets to scale: the window's view with one unit as 1 cm on paper, on a
// millimetre grid under numbered axes, with the window's title line above it,
// and the window's picture drawn over the grid unless the solution is hidden.
// A PDF is the whole A4 page; an SVG is the worksheet's picture alone at its
// true size, to be placed into a document; a print goes to an A4 page of the
// printer. Two plots one above the other are both drawn; of a plot with the
// bisection ladder or the number-line rails below it only the plot.
#pragma once

#include <QByteArray>
#include <QString>
#include <string>

#include "export/Export.h"
#include "export/WorksheetPage.h"

class QPrinter;

namespace kurvio {

struct WorksheetFont {
  std::string family = "Arial";
  int points = 8;
};

// The page of the target's view (its two plots where it has them).
WorksheetPage WorksheetPageFor(const ExportTarget& target);

// The file's bytes; empty with the reason in `failure` when the view does not
// fit on the page or nothing could be drawn.
QByteArray RenderWorksheetPdf(const ExportTarget& target, const WorksheetFont& font,
                              bool hideSolution, QString* failure);
QByteArray RenderWorksheetSvg(const ExportTarget& target, const WorksheetFont& font,
                              bool hideSolution, QString* failure);

// Prints the worksheet on an A4 page turned as it needs; the printer's page
// is set back afterwards. The reason when nothing was printed, else empty.
QString PrintWorksheet(const ExportTarget& target, QPrinter& printer, const WorksheetFont& font,
                       bool hideSolution);

}  // namespace kurvio
