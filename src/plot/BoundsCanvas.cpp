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

BoundsCanvas::BoundsCanvas(Canvas& device) : device_(device) {
  pen = device.pen;
  brush = device.brush;
  font = device.font;
  Canvas::MoveTo(device.PenPos().x, device.PenPos().y);
}

void BoundsCanvas::Pass() {
  device_.pen = pen;
  device_.brush = brush;
  device_.font = font;
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

void BoundsCanvas::MoveTo(int x, int y) {
  Canvas::MoveTo(x, y);
  Pass();
  device_.MoveTo(x, y);
}

void BoundsCanvas::LineTo(int x, int y) {
  const Point from = PenPos();
  Cover(from.x, from.y, x, y, PenSpread());
  SetPenPos(x, y);
  Pass();
  device_.LineTo(x, y);
}

void BoundsCanvas::Polyline(const std::vector<Point>& points) {
  CoverPoints(points);
  Pass();
  device_.Polyline(points);
}

void BoundsCanvas::Polygon(const std::vector<Point>& points) {
  CoverPoints(points);
  Pass();
  device_.Polygon(points);
}

void BoundsCanvas::Rectangle(int left, int top, int right, int bottom) {
  Cover(left, top, right, bottom, PenSpread());
  Pass();
  device_.Rectangle(left, top, right, bottom);
}

void BoundsCanvas::Ellipse(int left, int top, int right, int bottom) {
  Cover(left, top, right, bottom, PenSpread());
  Pass();
  device_.Ellipse(left, top, right, bottom);
}

void BoundsCanvas::Arc(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4) {
  Cover(left, top, right, bottom, PenSpread());
  Pass();
  device_.Arc(left, top, right, bottom, x3, y3, x4, y4);
}

void BoundsCanvas::Pie(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4) {
  Cover(left, top, right, bottom, PenSpread());
  Pass();
  device_.Pie(left, top, right, bottom, x3, y3, x4, y4);
}

void BoundsCanvas::FillRect(int left, int top, int right, int bottom) {
  Cover(left, top, right, bottom, 1);
  Pass();
  device_.FillRect(left, top, right, bottom);
}

void BoundsCanvas::TextOut(int x, int y, const std::string& text) {
  Pass();
  // Italic and smoothed glyphs may reach a little beyond their advance.
  const int height = device_.TextHeight(text);
  Cover(x, y, x + device_.TextWidth(text), y + height, 2 + height / 4);
  device_.TextOut(x, y, text);
}

int BoundsCanvas::TextWidth(const std::string& text) {
  Pass();
  return device_.TextWidth(text);
}

int BoundsCanvas::TextHeight(const std::string& text) {
  Pass();
  return device_.TextHeight(text);
}

void BoundsCanvas::SetClipRect(int left, int top, int right, int bottom) {
  Pass();
  device_.SetClipRect(left, top, right, bottom);
}

void BoundsCanvas::ResetClip() {
  Pass();
  device_.ResetClip();
}

void BoundsCanvas::SetOrigin(int x, int y) {
  originX_ = x;
  originY_ = y;
  Pass();
  device_.SetOrigin(x, y);
}

void BoundsCanvas::ShiftOrigin(int dx, int dy) {
  originX_ += dx;
  originY_ += dy;
  Pass();
  device_.ShiftOrigin(dx, dy);
}

}  // namespace kurvio
