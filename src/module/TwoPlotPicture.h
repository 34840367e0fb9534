// SPDX-License-Identifier: GPL-3.0-or-later
// The picture of the curve-discussion and integral windows: two plots of the
// paint box's width, one above the other, each half the paint box high. Each
// plot keeps a static picture (axes, whole graphs) apart from its moving
// parts; a frame draws only the moving parts on a bitmap of their own and lays
// the static picture over them by one bitwise AND. A frame clears, combines and
// shows only the box its moving parts and legend cover now or covered in the
// frame before; a new static picture or size shows the whole plot again.
// During an export both plots go straight onto the export canvas, the lower one
// a plot's height lower.
#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <functional>

#include "plot/DrawFrame.h"

class QFont;

namespace kurvio {

class TPaintBox;

class TwoPlotPicture {
 public:
  enum Plot { Upper = 0, Lower = 1 };

  // `paintBox` shows Screen(); it outlives the picture.
  explicit TwoPlotPicture(TPaintBox& paintBox);

  // Each plot as wide as the paint box and (its height + 1) div 2 high; every
  // bitmap takes that size.
  void Resize();
  int PlotWidth() const { return static_[Upper].width(); }
  int PlotHeight() const { return static_[Upper].height(); }

  // A plot's static picture: on screen the working bitmap is filled with the
  // background, `draw` draws on it in `frame` (DrawOn), and the result is kept
  // and shown. During an export `draw` runs on the export canvas.
  void DrawStatic(Plot plot, const QFont& font, DrawFrame& frame,
                  const std::function<void()>& draw);
  // A frame of a plot's animation: on screen the last frame's moving parts are
  // cleared, `draw` draws the new ones, the plot's static picture is combined
  // with them by AND where either covers, and that part is shown. During an
  // export as DrawStatic.
  void DrawMoving(Plot plot, const QFont& font, DrawFrame& frame,
                  const std::function<void()>& draw);
  // Drawn last in every frame of `plot` (a legend), over the combined picture,
  // so that nothing shows through it.
  void SetFrameOverlay(Plot plot, std::function<void()> over) { over_[plot] = std::move(over); }

  // Both plots as the paint box shows them (one plot wide, two high).
  const QImage& Screen() const { return screen_; }
  const QImage& Static(Plot plot) const { return static_[plot]; }
  // The next frame of each plot clears, combines and shows the whole plot.
  void ShowWholeNextFrame();

 private:
  // A plot straight onto the export canvas, with `over` (a legend) where given.
  void DrawForExport(Plot plot, const DrawFrame& frame, const std::function<void()>& draw,
                     const std::function<void()>* over);
  // The plot's part of the screen, drawn on in place.
  QImage ScreenPart(Plot plot);

  TPaintBox& paintBox_;
  QImage moving_[2];  // each plot's moving parts on the background
  QImage static_[2];
  QImage screen_;
  QRect covered_[2];  // what the last frame's moving parts and legend cover
  bool whole_[2] = {true, true};
  std::function<void()> over_[2];
};

}  // namespace kurvio
