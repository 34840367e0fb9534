// Checks that an exported two-plot picture holds both plots: the number of
// x-axes (lines across the whole picture) found in the metafile, in its
// wmf2svg rendering and on the printed page.
#pragma once

#include <gtest/gtest.h>

#include <QPrinter>
#include <cmath>
#include <functional>
#include <string>

#include "export/Export.h"
#include "export/ExportReadBack.h"
#include "export/Wmf2svg.h"
#include "export/WmfReader.h"
#include "plot/PlotFrame.h"
#include "support/TempDir.h"

namespace kurvio::testing {

// Lines across the metafile in its upper and its lower half; the frame must be two plots high.
inline void MetafileAxes(const ExportTarget& target, int& upper, int& lower, int& svgAxes) {
  const int screenPlot = PlotHeight;
  const std::string wmf = RenderWmf(kAnalysisWindowExport, target);
  const WmfFile f = ReadWmf(wmf);
  upper = lower = svgAxes = 0;
  if (!f.error.empty()) return;
  const int H = (screenPlot + 1) * 2;
  if (f.bottom - f.top != 2 * H) return;
  for (const WmfOp& op : f.ops) {
    if (op.points.size() != 2 || op.points[0].y != op.points[1].y) continue;
    if (std::abs(op.points[1].x - op.points[0].x) < f.right - f.left - 4) continue;
    (op.points[0].y < H ? upper : lower) += 1;
  }
  // An independent reader: the horizontal lines as long as the longest one.
  bool ok = false;
  const std::string svg = HaveWmf2svg() ? Wmf2svg(wmf, f.right, f.bottom, ok) : std::string();
  if (!ok) {
    svgAxes = -1;  // no wmf2svg here
    return;
  }
  double longest = 0;
  const std::vector<SvgLine> lines = SvgLines(svg);
  for (const SvgLine& l : lines)
    if (std::fabs(l.y1 - l.y2) < 0.01) longest = std::max(longest, std::fabs(l.x2 - l.x1));
  for (const SvgLine& l : lines)
    if (std::fabs(l.y1 - l.y2) < 0.01 && std::fabs(l.x2 - l.x1) > 0.99 * longest) ++svgAxes;
}

// x-axes, 14 cm long at 100 %, on the page printed through Qt's PDF output.
inline int PrintedAxes(const ExportTarget& target, const TempDir& dir) {
  const std::string pdf = dir.File("druck.pdf");
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(pdf));
  if (!PrintGraphic(kAnalysisWindowExport, target, printer)) return -1;
  constexpr int kDpi = 100;
  const QImage page = RasterisePdf(pdf, kDpi, dir.File("seite"));
  if (page.isNull()) return -1;
  const int axis = static_cast<int>(14 / 2.54 * kDpi);
  int axes = 0;
  for (const DarkRun& run : HorizontalLines(page, axis * 9 / 10))
    axes += run.length < axis * 11 / 10;
  return axes;
}

// Metafile, its wmf2svg rendering and the printed page each hold an x-axis per plot.
inline void ExpectBothPlotsExported(const std::function<void()>& redraw, TPaintBox* paintBox,
                                    const TempDir& dir) {
  ExportTarget target{redraw, redraw, paintBox};
  target.layout = PictureLayout::TwoPlots;
  int upper = 0, lower = 0, svgAxes = 0;
  MetafileAxes(target, upper, lower, svgAxes);
  EXPECT_GE(upper, 1);
  EXPECT_GE(lower, 1);
  if (svgAxes >= 0) {
    EXPECT_EQ(svgAxes, 2);
  }
  if (HavePdftoppm()) {
    EXPECT_EQ(PrintedAxes(target, dir), 2);
  }
}

}  // namespace kurvio::testing
