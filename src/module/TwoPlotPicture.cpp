// SPDX-License-Identifier: GPL-3.0-or-later
#include "module/TwoPlotPicture.h"

#include <QPainter>
#include <algorithm>

#include "export/Export.h"
#include "module/DrawOn.h"
#include "plot/BoundsCanvas.h"
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
  if (static_[Upper].width() == width && static_[Upper].height() == height) return;
  for (Plot plot : {Upper, Lower}) {
    moving_[plot] = Blank(width, height);
    static_[plot] = Blank(width, height);
  }
  screen_ = Blank(width, 2 * height);
  paintBox_.SetPicture(&screen_);
  ShowWholeNextFrame();
}

void TwoPlotPicture::ShowWholeNextFrame() { whole_[Upper] = whole_[Lower] = true; }

QImage TwoPlotPicture::ScreenPart(Plot plot) {
  const int height = static_[plot].height();
  uchar* bits = screen_.bits() + static_cast<qsizetype>(plot == Lower ? height : 0) *
                                     screen_.bytesPerLine();
  return QImage(bits, screen_.width(), height, screen_.bytesPerLine(), screen_.format());
}

namespace {

QRect ToRect(const PixelBox& box) {
  return box.Empty() ? QRect() : QRect(QPoint(box.left, box.top), QPoint(box.right - 1, box.bottom - 1));
}

}  // namespace

void TwoPlotPicture::DrawForExport(Plot plot, const DrawFrame& frame,
                                   const std::function<void()>& draw,
                                   const std::function<void()>* over) {
  // The lower plot in its own coordinates, below the upper one.
  const bool lower = plot == Lower && frame.canvas;
  if (lower) frame.canvas->ShiftOrigin(0, frame.height);
  draw();
  if (over && *over) (*over)();
  if (lower) frame.canvas->ShiftOrigin(0, -frame.height);
}

void TwoPlotPicture::DrawStatic(Plot plot, const QFont& font, DrawFrame& frame,
                                const std::function<void()>& draw) {
  if (frame.forExport) return DrawForExport(plot, frame, draw, nullptr);
  if (static_[plot].isNull()) return;
  QImage& picture = static_[plot];
  picture.fill(ToQColor(Farben::Hintergrund));
  DrawOn(picture, font, frame, draw);
  // Until the next frame the plot shows its static picture alone.
  {
    QPainter painter(&screen_);
    painter.drawImage(QPoint(0, plot == Lower ? picture.height() : 0), picture);
  }
  whole_[plot] = true;
  paintBox_.Show(QRect(QPoint(0, plot == Lower ? picture.height() : 0), picture.size()));
}

void TwoPlotPicture::DrawMoving(Plot plot, const QFont& font, DrawFrame& frame,
                                const std::function<void()>& draw) {
  if (frame.forExport) return DrawForExport(plot, frame, draw, &over_[plot]);
  QImage& moving = moving_[plot];
  if (moving.isNull()) return;
  const QRect all = moving.rect();
  const QColor ground = ToQColor(Farben::Hintergrund);
  // The last frame's moving parts go; elsewhere the bitmap holds the background only.
  if (whole_[plot]) {
    moving.fill(ground);
  } else if (!covered_[plot].isEmpty()) {
    QPainter(&moving).fillRect(covered_[plot] & all, ground);
  }
  PixelBox drawn;
  DrawOn(moving, font, frame, draw, &drawn);
  QRect changed = whole_[plot] ? all : (covered_[plot] | ToRect(drawn)) & all;
  QImage shown = ScreenPart(plot);
  AndImagesInto(shown, moving, static_[plot], changed);
  // The legend over the combined picture, so that nothing shows through it.
  PixelBox legend;
  if (over_[plot]) DrawOn(shown, font, frame, over_[plot], &legend);
  covered_[plot] = (ToRect(drawn) | ToRect(legend)) & all;
  changed |= covered_[plot];
  whole_[plot] = false;
  if (!changed.isEmpty())
    paintBox_.Show(changed.translated(0, plot == Lower ? moving.height() : 0));
}

}  // namespace kurvio
