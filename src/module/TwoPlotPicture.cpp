#include "module/TwoPlotPicture.h"

#include <QPainter>
#include <algorithm>

#include "export/Export.h"
#include "module/DrawOn.h"
#include "plot/PaintBox.h"
#include "plot/PlotFrame.h"
#include "plot/PlotLayers.h"
#include "plot/QtCanvas.h"
#include "settings/Settings.h"

namespace kurvio {
namespace {

QImage Blank(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(ToQColor(Farben::Hintergrund));
  return image;
}

}  // namespace

TwoPlotPicture::TwoPlotPicture(TPaintBox& paintBox) : paintBox_(paintBox) {
  paintBox_.SetPicture(&screen_);
}

void TwoPlotPicture::Resize() {
  const int width = std::max(paintBox_.width(), 1);
  const int height = std::max(LayoutPlotHeight(PictureLayout::TwoPlots, paintBox_.height()), 1);
  PlotWidth = width;
  PlotHeight = height;
  PlotTop = 0;
  if (working_.width() == width && working_.height() == height) return;
  working_ = Blank(width, height);
  static_[Upper] = Blank(width, height);
  static_[Lower] = Blank(width, height);
  screen_ = Blank(width, 2 * height);
  paintBox_.SetPicture(&screen_);
}

void TwoPlotPicture::DrawStatic(Plot plot, const QFont& font, const std::function<void()>& draw) {
  Draw(plot, font, draw, false);
}

void TwoPlotPicture::DrawFrame(Plot plot, const QFont& font, const std::function<void()>& draw) {
  Draw(plot, font, draw, true);
}

void TwoPlotPicture::Draw(Plot plot, const QFont& font, const std::function<void()>& draw,
                          bool frame) {
  if (ExportDrawing) {
    // The lower plot in its own coordinates, below the upper one.
    const bool lower = plot == Lower && DrawCanvas;
    if (lower) DrawCanvas->ShiftOrigin(0, PlotHeight);
    draw();
    if (frame && over_[plot]) over_[plot]();
    if (lower) DrawCanvas->ShiftOrigin(0, -PlotHeight);
    return;
  }
  if (working_.isNull()) return;
  working_.fill(ToQColor(Farben::Hintergrund));
  DrawOn(working_, font, draw);
  if (frame) {
    AndImages(working_, static_[plot]);
    if (over_[plot]) DrawOn(working_, font, over_[plot]);
  } else {
    static_[plot] = working_.copy();
  }
  Show(plot);
}

void TwoPlotPicture::Show(Plot plot) {
  const QRect area(QPoint(0, plot == Lower ? working_.height() : 0), working_.size());
  {
    QPainter painter(&screen_);
    painter.drawImage(area.topLeft(), working_);
  }
  paintBox_.Show(area);
}

}  // namespace kurvio
