// SPDX-License-Identifier: GPL-3.0-or-later
// A canvas that hands every call on to another canvas, its device, after Pass
// has given the device its pen, brush and font. A canvas that changes what is
// drawn (presentation mode) or looks at it (the bounds of a frame) overrides
// Pass or the calls it needs and keeps the rest.
#pragma once

#include "plot/Canvas.h"

namespace kurvio {

class ForwardingCanvas : public Canvas {
 public:
  explicit ForwardingCanvas(Canvas& device);

  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void PolylineTo(std::span<const Point> points) override;
  void Polyline(const std::vector<Point>& points) override;
  void Polygon(const std::vector<Point>& points) override;
  void Rectangle(int left, int top, int right, int bottom) override;
  void Ellipse(int left, int top, int right, int bottom) override;
  void Arc(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4) override;
  void Pie(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4) override;
  void FillRect(int left, int top, int right, int bottom) override;
  void TextOut(int x, int y, const std::string& text) override;
  int TextWidth(const std::string& text) override;
  int TextHeight(const std::string& text) override;
  void SetClipRect(int left, int top, int right, int bottom) override;
  void ResetClip() override;
  void SetOrigin(int x, int y) override;
  void ShiftOrigin(int dx, int dy) override;

 protected:
  // Gives the device this canvas's state: as it is, unless overridden.
  virtual void Pass();
  Canvas& device_;
};

}  // namespace kurvio
