// SPDX-License-Identifier: GPL-3.0-or-later
// A canvas that hands every call on to its device as it is and keeps the box
// around all it drew: what a frame covers, so that only that part of a picture
// needs to be cleared, combined and shown again in the next frame.
#pragma once

#include "plot/Canvas.h"
#include "plot/ForwardingCanvas.h"

namespace kurvio {

// A box of pixels: left and top inside, right and bottom just outside.
struct PixelBox {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool Empty() const { return right <= left || bottom <= top; }
  void Add(const PixelBox& other);
};

class BoundsCanvas : public ForwardingCanvas {
 public:
  explicit BoundsCanvas(Canvas& device) : ForwardingCanvas(device) {}

  // All drawn so far in the device's pixels, widened by the pen and a pixel of smoothing.
  const PixelBox& Drawn() const { return drawn_; }

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
  void SetOrigin(int x, int y) override;
  void ShiftOrigin(int dx, int dy) override;

 private:
  // The box from (left, top) to (right, bottom) in the canvas's coordinates, widened by `spread`.
  void Cover(int left, int top, int right, int bottom, int spread);
  void CoverPoints(const std::vector<Point>& points);
  int PenSpread() const;

  int originX_ = 0, originY_ = 0;
  PixelBox drawn_;
};

}  // namespace kurvio
