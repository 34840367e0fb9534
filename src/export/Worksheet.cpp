// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/Worksheet.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrinter>
#include <QSvgGenerator>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <iterator>

#include "plot/PlotFrame.h"
#include "plot/PresentationCanvas.h"
#include "plot/QtCanvas.h"

namespace kurvio {
namespace {

// 50 device pixels to the millimetre: grid lines of a view with whole ends fall on whole pixels.
constexpr int kWorksheetDpi = 1270;
constexpr double kPixelsPerMm = kWorksheetDpi / 25.4;
// Around the SVG's picture, so that the outer lines keep their whole width.
constexpr double kSvgBorderMm = 2.0;

int PlotCount(PictureLayout layout) { return layout == PictureLayout::TwoPlots ? 2 : 1; }

QString WindowTitle(const ExportTarget& target) {
  return target.paintBox ? target.paintBox->window()->windowTitle() : QString();
}

// Millimetre paper: very light lines every millimetre, darker ones every half
// and every whole centimetre; each line is drawn once, in the strongest level it belongs to.
struct GridLevel {
  int everyMm;
  Color colour;
  double widthMm;
};
constexpr GridLevel kGridLevels[] = {{1, 0xE3E3E3, 0.1}, {5, 0xCBCBCB, 0.12}, {10, 0xA8A8A8, 0.2}};

void DrawMillimetreGrid(const DrawFrame& frame, double pixelsPerMm) {
  Canvas& c = *frame.canvas;
  const WorldWindow& v = frame.world;
  // Millimetre k lies at k / 10 units; an end a rounding error past a line keeps it.
  const auto first = [](double lo) { return static_cast<long long>(std::ceil(lo * 10 - 1e-9)); };
  const auto last = [](double hi) { return static_cast<long long>(std::floor(hi * 10 + 1e-9)); };
  const std::size_t levels = std::size(kGridLevels);
  for (std::size_t level = 0; level < levels; ++level) {
    const GridLevel& g = kGridLevels[level];
    c.pen = {g.colour, std::max(1, RoundPixel(g.widthMm * pixelsPerMm)), PenStyle::Solid,
             PenMode::Copy};
    const auto drawnHere = [&](long long k) {
      return k % g.everyMm == 0 && (level + 1 == levels || k % kGridLevels[level + 1].everyMm != 0);
    };
    for (long long k = first(v.x1); k <= last(v.x2); ++k) {
      if (!drawnHere(k)) continue;
      const int x = frame.ScreenX(static_cast<double>(k) / 10);
      c.MoveTo(x, 0);
      c.LineTo(x, frame.height);
    }
    for (long long k = first(v.y1); k <= last(v.y2); ++k) {
      if (!drawnHere(k)) continue;
      const int y = frame.ScreenY(static_cast<double>(k) / 10);
      c.MoveTo(0, y);
      c.LineTo(frame.width, y);
    }
  }
}

// The target's axes as the worksheet numbers them: every tick that has room,
// no grid of their own over the millimetre grid, on white paper.
AxisStyle WorksheetAxes(const ExportTarget& target, Canvas& c, double pixelsPerMm) {
  AxisStyle axes = target.axes;
  axes.background = kWhite;
  axes.grid = 1;
  axes.unitOnly = false;
  axes.autoTicks = false;
  const WorldWindow& v = target.view;
  int widest = 0;
  for (double end : {v.x1, v.x2})
    widest = std::max(widest, c.TextWidth(TickLabel(std::trunc(end), axes.decimalSeparator)));
  axes.manualX = WorksheetNumberStep(widest / pixelsPerMm);
  axes.manualY = WorksheetNumberStep(c.TextHeight("0") / pixelsPerMm);
  return axes;
}

// The worksheet on `device`, whose pixel `corner` is the top-left corner of
// the coordinate system, in the device's font.
void DrawWorksheet(Canvas& device, const ExportTarget& target, const WorksheetPage& page,
                   Point corner, double pixelsPerMm, bool hideSolution) {
  const int plots = PlotCount(target.layout);
  // Paper, not a projector: presentation mode's thick lines would hide the scale.
  PictureCanvas shown(device, false, kWhite);
  Canvas& c = *shown.get();
  const Font textFont = c.font;
  DrawFrame frame;
  frame.canvas = &c;
  frame.world = target.view;
  frame.width = RoundPixel(page.width * pixelsPerMm);
  frame.height = RoundPixel(page.height / plots * pixelsPerMm);
  // A pen one pixel wide on screen is 1/96 inch on paper.
  frame.lineScale = pixelsPerMm * 25.4 / 96;
  frame.forExport = true;
  frame.axes = WorksheetAxes(target, c, pixelsPerMm);

  c.SetOrigin(corner.x, corner.y);
  for (int plot = 0; plot < plots; ++plot) {
    c.ShiftOrigin(0, plot * frame.height);
    DrawMillimetreGrid(frame, pixelsPerMm);
    c.ShiftOrigin(0, -plot * frame.height);
  }
  const int reach = frame.Scaled(1);
  c.SetClipRect(-reach, -reach, frame.width + reach, plots * frame.height + reach);
  if (hideSolution) {
    for (int plot = 0; plot < plots; ++plot) {
      c.ShiftOrigin(0, plot * frame.height);
      DrawCoordinateSystem(frame);
      c.ShiftOrigin(0, -plot * frame.height);
    }
  } else if (target.redraw) {
    target.redraw(frame);
  }
  c.ResetClip();

  c.font = textFont;
  c.font.size = textFont.size + 2;
  c.font.bold = true;
  c.font.color = kBlack;
  c.brush.style = BrushStyle::Clear;
  c.TextOut(0, -RoundPixel((kWorksheetTitleMm - 2) * pixelsPerMm),
            WindowTitle(target).toStdString());
}

void UseFont(Canvas& canvas, const WorksheetFont& font) {
  canvas.font.name = font.family;
  canvas.font.size = font.points;
}

Point CornerOf(const WorksheetPage& page, double pixelsPerMm) {
  return {RoundPixel(page.left * pixelsPerMm), RoundPixel(page.top * pixelsPerMm)};
}

const QString kNotDrawn = QStringLiteral("Das Bild konnte nicht gezeichnet werden.");

}  // namespace

WorksheetPage WorksheetPageFor(const ExportTarget& target) {
  return LayOutWorksheet(target.view, PlotCount(target.layout));
}

QByteArray RenderWorksheetPdf(const ExportTarget& target, const WorksheetFont& font,
                              bool hideSolution, QString* failure) {
  const WorksheetPage page = WorksheetPageFor(target);
  if (!page.fits) {
    *failure = QString::fromStdString(page.problem);
    return {};
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setCreator(QStringLiteral("Kurvio"));
    writer.setTitle(WindowTitle(target));
    writer.setResolution(kWorksheetDpi);
    writer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4),
                    page.landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF()));
    QtCanvas canvas(&writer, true);
    if (!canvas.painter().isActive()) {
      *failure = kNotDrawn;
      return {};
    }
    UseFont(canvas, font);
    DrawWorksheet(canvas, target, page, CornerOf(page, kPixelsPerMm), kPixelsPerMm, hideSolution);
  }
  return bytes;
}

QByteArray RenderWorksheetSvg(const ExportTarget& target, const WorksheetFont& font,
                              bool hideSolution, QString* failure) {
  WorksheetPage page = WorksheetPageFor(target);
  if (!page.fits) {
    *failure = QString::fromStdString(page.problem);
    return {};
  }
  // The picture alone: the title line and the coordinate systems within a narrow border.
  page.left = kSvgBorderMm;
  page.top = kSvgBorderMm + kWorksheetTitleMm;
  const QSize size(RoundPixel((page.width + 2 * kSvgBorderMm) * kPixelsPerMm),
                   RoundPixel((page.top + page.height + kSvgBorderMm) * kPixelsPerMm));
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  {
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setTitle(WindowTitle(target));
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setResolution(kWorksheetDpi);
    QtCanvas canvas(&generator, true);
    if (!canvas.painter().isActive()) {
      *failure = kNotDrawn;
      return {};
    }
    UseFont(canvas, font);
    DrawWorksheet(canvas, target, page, CornerOf(page, kPixelsPerMm), kPixelsPerMm, hideSolution);
  }
  return buffer.data();
}

QString PrintWorksheet(const ExportTarget& target, QPrinter& printer, const WorksheetFont& font,
                       bool hideSolution) {
  const WorksheetPage page = WorksheetPageFor(target);
  if (!page.fits) return QString::fromStdString(page.problem);
  const QPageLayout chosen = printer.pageLayout();
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageOrientation(page.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
  QString failure;
  {
    QtCanvas canvas(&printer, true);
    if (!canvas.painter().isActive()) {
      failure = QStringLiteral("Der Drucker ist nicht bereit.");
    } else {
      const int resolution = printer.resolution();
      const double pixelsPerMm = resolution / 25.4;
      // The painter's origin is the corner of the printable area, not of the paper.
      const QRect printable = printer.pageLayout().paintRectPixels(resolution);
      UseFont(canvas, font);
      const Point corner = CornerOf(page, pixelsPerMm);
      DrawWorksheet(canvas, target, page, {corner.x - printable.left(), corner.y - printable.top()},
                    pixelsPerMm, hideSolution);
      if (!canvas.painter().end()) failure = QStringLiteral("Der Druckauftrag wurde abgebrochen.");
    }
    if (!failure.isEmpty() && canvas.painter().isActive()) printer.abort();
  }
  printer.setPageLayout(chosen);
  return failure;
}

}  // namespace kurvio
