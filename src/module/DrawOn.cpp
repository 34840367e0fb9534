#include "module/DrawOn.h"

#include <QFont>
#include <QImage>
#include <algorithm>

#include "plot/BoundsCanvas.h"
#include "plot/PlotFrame.h"
#include "plot/PresentationCanvas.h"
#include "plot/QtCanvas.h"

namespace kurvio {

void DrawOn(QImage& image, const QFont& font, const std::function<void()>& draw,
            PixelBox* drawn) {
  if (ExportDrawing) {
    draw();
    return;
  }
  Canvas* const saved = DrawCanvas;
  {
    QtCanvas canvas(&image);
    canvas.font.name = font.family().toStdString();
    canvas.font.size = std::max(font.pointSize(), 1);
    BoundsCanvas bounds(canvas);
    PictureCanvas shown(drawn ? static_cast<Canvas&>(bounds) : canvas);
    DrawCanvas = shown.get();
    draw();
    if (drawn) *drawn = bounds.Drawn();
  }
  DrawCanvas = saved;
}

}  // namespace kurvio
