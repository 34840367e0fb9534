#include "plot/ZoomBox.h"

#include <algorithm>

#include "plot/PaintBox.h"
#include "plot/PlotFrame.h"
#include "plot/QtCanvas.h"
#include "settings/Settings.h"

namespace kurvio {

void ZoomBox::Draw() {
  {
    QtCanvas canvas(&picture_);
    canvas.pen.mode = PenMode::NotXor;
    canvas.pen.style = PenStyle::Dot;
    canvas.pen.color = kBlack;
    canvas.brush.style = BrushStyle::Clear;
    canvas.Rectangle(std::min(start_.x(), end_.x()), std::min(start_.y(), end_.y()),
                     std::max(start_.x(), end_.x()), std::max(start_.y(), end_.y()));
  }
  paintBox_.Show();
}

void ZoomBox::Begin(int x, int y) {
  start_ = end_ = QPoint(x, y);
  Draw();
  active_ = true;
}

void ZoomBox::Move(int x, int y) {
  if (!active_) return;
  Draw();  // the old box again, which erases it
  end_ = QPoint(x, y);
  Draw();
}

bool ZoomBox::End(int x, int y) {
  if (!active_) return false;
  active_ = false;
  const int left = std::min(start_.x(), x), right = std::max(start_.x(), x);
  const int top = std::min(start_.y(), y), bottom = std::max(start_.y(), y);
  if (right - left > 10 && bottom - top > 10) {
    const double nx1 = WorldX(left), nx2 = WorldX(right);
    const double ny1 = WorldY(bottom), ny2 = WorldY(top);
    x1 = nx1;
    x2 = nx2;
    y1 = ny1;
    y2 = ny2;
    return true;
  }
  Draw();  // the box as last drawn, which erases it
  return false;
}

}  // namespace kurvio
