// SPDX-License-Identifier: GPL-3.0-or-later
// The zoom box drawn with the mouse: a dotted not-xor rectangle on the
// window's picture (drawing it twice erases it), which becomes the new view
// when it is more than 10 pixels wide and high.
#pragma once

#include <QPoint>
#include <optional>

#include "plot/DrawFrame.h"

class QImage;

namespace kurvio {

class TPaintBox;

class ZoomBox {
 public:
  // `picture` is what `paintBox` shows; both outlive the box.
  ZoomBox(QImage& picture, TPaintBox& paintBox) : picture_(picture), paintBox_(paintBox) {}

  bool Active() const { return active_; }
  void Begin(int x, int y);
  void Move(int x, int y);
  // Erases the box, or gives it as the new view (by WorldX/WorldY of `shown`,
  // the frame the picture was drawn in).
  std::optional<WorldWindow> End(const DrawFrame& shown, int x, int y);

 private:
  void Draw();
  QImage& picture_;
  TPaintBox& paintBox_;
  bool active_ = false;
  QPoint start_, end_;
};

}  // namespace kurvio
