// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/ForwardingCanvas.h"

namespace kurvio {

ForwardingCanvas::ForwardingCanvas(Canvas& device) : device_(device) {
  pen = device.pen;
  brush = device.brush;
  font = device.font;
  Canvas::MoveTo(device.PenPos().x, device.PenPos().y);
}

void ForwardingCanvas::Pass() {
  device_.pen = pen;
  device_.brush = brush;
  device_.font = font;
}

void ForwardingCanvas::MoveTo(int x, int y) {
  Canvas::MoveTo(x, y);
  Pass();
  device_.MoveTo(x, y);
}

void ForwardingCanvas::LineTo(int x, int y) {
  SetPenPos(x, y);
  Pass();
  device_.LineTo(x, y);
}

void ForwardingCanvas::PolylineTo(std::span<const Point> points) {
  if (points.empty()) return;
  SetPenPos(points.back().x, points.back().y);
  Pass();
  device_.PolylineTo(points);
}

void ForwardingCanvas::Polyline(const std::vector<Point>& points) {
  Pass();
  device_.Polyline(points);
}

void ForwardingCanvas::Polygon(const std::vector<Point>& points) {
  Pass();
  device_.Polygon(points);
}

void ForwardingCanvas::Rectangle(int left, int top, int right, int bottom) {
  Pass();
  device_.Rectangle(left, top, right, bottom);
}

void ForwardingCanvas::Ellipse(int left, int top, int right, int bottom) {
  Pass();
  device_.Ellipse(left, top, right, bottom);
}

void ForwardingCanvas::Arc(int left, int top, int right, int bottom, int x3, int y3, int x4,
                           int y4) {
  Pass();
  device_.Arc(left, top, right, bottom, x3, y3, x4, y4);
}

void ForwardingCanvas::Pie(int left, int top, int right, int bottom, int x3, int y3, int x4,
                           int y4) {
  Pass();
  device_.Pie(left, top, right, bottom, x3, y3, x4, y4);
}

void ForwardingCanvas::FillRect(int left, int top, int right, int bottom) {
  Pass();
  device_.FillRect(left, top, right, bottom);
}

void ForwardingCanvas::TextOut(int x, int y, const std::string& text) {
  Pass();
  device_.TextOut(x, y, text);
}

int ForwardingCanvas::TextWidth(const std::string& text) {
  Pass();
  return device_.TextWidth(text);
}

int ForwardingCanvas::TextHeight(const std::string& text) {
  Pass();
  return device_.TextHeight(text);
}

void ForwardingCanvas::SetClipRect(int left, int top, int right, int bottom) {
  Pass();
  device_.SetClipRect(left, top, right, bottom);
}

void ForwardingCanvas::ResetClip() {
  Pass();
  device_.ResetClip();
}

void ForwardingCanvas::SetOrigin(int x, int y) {
  Pass();
  device_.SetOrigin(x, y);
}

void ForwardingCanvas::ShiftOrigin(int dx, int dy) {
  Pass();
  device_.ShiftOrigin(dx, dy);
}

}  // namespace kurvio
