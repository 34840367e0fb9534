// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/ZoomBox.h"

#include <algorithm>

#include "plot/PaintBox.h"
#include "plot/PlotFrame.h"
#include "plot/QtCanvas.h"

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

std::optional<WorldWindow> ZoomBox::End(const DrawFrame& shown, int x, int y) {
  if (!active_) return std::nullopt;
  active_ = false;
  const int left = std::min(start_.x(), x), right = std::max(start_.x(), x);
  const int top = std::min(start_.y(), y), bottom = std::max(start_.y(), y);
  if (right - left > 10 && bottom - top > 10) {
    return WorldWindow{shown.WorldX(left), shown.WorldX(right), shown.WorldY(bottom),
                       shown.WorldY(top)};
  }
  Draw();  // the box as last drawn, which erases it
  return std::nullopt;
}

}  // namespace kurvio
