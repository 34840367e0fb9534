// SPDX-License-Identifier: GPL-3.0-or-later
#include "module/DrawOn.h"

#include <QFont>
#include <QImage>
#include <algorithm>
#include <utility>

#include "export/Export.h"
#include "module/PictureFrame.h"
#include "plot/BoundsCanvas.h"
#include "plot/DrawFrame.h"
#include "plot/PresentationCanvas.h"
#include "plot/QtCanvas.h"
#include "settings/Preferences.h"

namespace kurvio {

void DrawOn(QImage& image, const QFont& font, DrawFrame& frame,
            const std::function<void()>& draw, PixelBox* drawn) {
  if (frame.forExport) {
    draw();
    return;
  }
  Canvas* const saved = frame.canvas;
  {
    QtCanvas canvas(&image);
    canvas.SpanWideLines(frame.presentation);
    canvas.font.name = font.family().toStdString();
    canvas.font.size = std::max(font.pointSize(), 1);
    BoundsCanvas bounds(canvas);
    PictureCanvas shown(drawn ? static_cast<Canvas&>(bounds) : canvas, frame.presentation,
                        frame.axes.background);
    frame.canvas = shown.get();
    draw();
    if (drawn) *drawn = bounds.Drawn();
  }
  frame.canvas = saved;
}

ExportTarget WindowPicture(WindowFrames& frames, DrawFrame& frame, std::function<void()> redraw,
                           QWidget* paintBox) {
  ExportTarget target;
  target.redraw = frames.ExportRedraw(frame, redraw);
  target.redrawOnScreen = std::move(redraw);
  target.paintBox = paintBox;
  target.view = SettingsView();
  target.axes = SettingsAxes();
  target.presentation = PresentationMode;
  return target;
}

}  // namespace kurvio
