// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/BoundsCanvas.h"

#include <algorithm>

namespace kurvio {

void PixelBox::Add(const PixelBox& other) {
  if (other.Empty()) return;
  if (Empty()) {
    *this = other;
    return;
  }
  left = std::min(left, other.left);
  top = std::min(top, other.top);
  right = std::max(right, other.right);
  bottom = std::max(bottom, other.bottom);
}

int BoundsCanvas::PenSpread() const {
  // Half a wide pen with its round cap on either side, and a pixel for smoothing.
  return pen.style == PenStyle::Clear ? 1 : std::max(pen.width, 1) + 1;
}

void BoundsCanvas::Cover(int left, int top, int right, int bottom, int spread) {
  const auto [lowX, highX] = std::minmax(left, right);
  const auto [lowY, highY] = std::minmax(top, bottom);
  // Far beyond any picture: a box of the int range would overflow when widened.
  constexpr int kFar = 1 << 28;
  const auto near = [](long v) { return static_cast<int>(std::clamp<long>(v, -kFar, kFar)); };
  drawn_.Add({near(long{lowX} + originX_ - spread), near(long{lowY} + originY_ - spread),
              near(long{highX} + originX_ + spread + 1), near(long{highY} + originY_ + spread + 1)});
}

void BoundsCanvas::CoverPoints(const std::vector<Point>& points) {
  if (points.empty()) return;
  int left = points.front().x, right = left, top = points.front().y, bottom = top;
  for (const Point& p : points) {
    left = std::min(left, p.x);
    right = std::max(right, p.x);
    top = std::min(top, p.y);
    bottom = std::max(bottom, p.y);
  }
  Cover(left, top, right, bottom, PenSpread());
}

void BoundsCanvas::LineTo(int x, int y) {
  const Point from = PenPos();
  Cover(from.x, from.y, x, y, PenSpread());
  ForwardingCanvas::LineTo(x, y);
}

void BoundsCanvas::PolylineTo(std::span<const Point> points) {
  Point from = PenPos();
  const int spread = PenSpread();
  for (const Point& p : points) {
    Cover(from.x, from.y, p.x, p.y, spread);
    from = p;
  }
  ForwardingCanvas::PolylineTo(points);
}

void BoundsCanvas::Polyline(const std::vector<Point>& points) {
  CoverPoints(points);
  ForwardingCanvas::Polyline(points);
}

void BoundsCanvas::Polygon(const std::vector<Point>& points) {
  CoverPoints(points);
  ForwardingCanvas::Polygon(points);
}

void BoundsCanvas::Rectangle(int left, int top, int right, int bottom) {
  Cover(left, top, right, bottom, PenSpread());
  ForwardingCanvas::Rectangle(left, top, right, bottom);
}

void BoundsCanvas::Ellipse(int left, int top, int right, int bottom) {
  Cover(left, top, right, bottom, PenSpread());
  ForwardingCanvas::Ellipse(left, top, right, bottom);
}

void BoundsCanvas::Arc(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4) {
  Cover(left, top, right, bottom, PenSpread());
  ForwardingCanvas::Arc(left, top, right, bottom, x3, y3, x4, y4);
}

void BoundsCanvas::Pie(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4) {
  Cover(left, top, right, bottom, PenSpread());
  ForwardingCanvas::Pie(left, top, right, bottom, x3, y3, x4, y4);
}

void BoundsCanvas::FillRect(int left, int top, int right, int bottom) {
  Cover(left, top, right, bottom, 1);
  ForwardingCanvas::FillRect(left, top, right, bottom);
}

void BoundsCanvas::TextOut(int x, int y, const std::string& text) {
  // Italic and smoothed glyphs may reach a little beyond their advance.
  const int height = TextHeight(text);
  Cover(x, y, x + TextWidth(text), y + height, 2 + height / 4);
  ForwardingCanvas::TextOut(x, y, text);
}

void BoundsCanvas::SetOrigin(int x, int y) {
  originX_ = x;
  originY_ = y;
  ForwardingCanvas::SetOrigin(x, y);
}

void BoundsCanvas::ShiftOrigin(int dx, int dy) {
  originX_ += dx;
  originY_ += dy;
  ForwardingCanvas::ShiftOrigin(dx, dy);
}

}  // namespace kurvio
