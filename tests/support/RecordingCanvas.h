// SPDX-License-Identifier: GPL-3.0-or-later
// A canvas that records every call, for checking drawing routines call by call
// and for keeping whole pictures as text.
#pragma once

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "plot/Canvas.h"

namespace kurvio::testing {

struct Segment {
  Point from, to;
  Color color;
  int width;
  PenStyle style;
  bool operator==(const Segment&) const = default;
};

struct TextCall {
  int x, y;
  std::string text;
};

class RecordingCanvas : public Canvas {
 public:
  // Fixed metrics so that label positions can be computed in tests.
  static constexpr int kCharWidth = 7;
  static constexpr int kTextHeight = 16;

  std::vector<std::string> calls;
  std::vector<Segment> segments;
  std::vector<TextCall> texts;
  std::vector<std::vector<Point>> polygons;
  // Every call on a line of its own, preceded by the pen, brush and font
  // whenever they differ from those of the call before.
  std::string picture;

  void MoveTo(int x, int y) override {
    Canvas::MoveTo(x, y);
    Log("MoveTo", x, y);
  }
  void LineTo(int x, int y) override {
    const Point from = PenPos();
    Canvas::MoveTo(x, y);
    segments.push_back({from, {x, y}, pen.color, pen.width, pen.style});
    Log("LineTo", x, y);
  }
  void Polyline(const std::vector<Point>& points) override { Log("Polyline", Text(points)); }
  void Polygon(const std::vector<Point>& points) override {
    polygons.push_back(points);
    Log("Polygon", Text(points));
  }
  void Rectangle(int left, int top, int right, int bottom) override {
    Log("Rectangle", left, top, right, bottom);
  }
  void Ellipse(int left, int top, int right, int bottom) override {
    Log("Ellipse", left, top, right, bottom);
  }
  void Arc(int left, int top, int right, int bottom, int, int, int, int) override {
    Log("Arc", left, top, right, bottom);
  }
  void Pie(int left, int top, int right, int bottom, int, int, int, int) override {
    Log("Pie", left, top, right, bottom);
  }
  void FillRect(int left, int top, int right, int bottom) override {
    Log("FillRect", left, top, right, bottom);
  }
  void TextOut(int x, int y, const std::string& text) override {
    texts.push_back({x, y, text});
    Log("TextOut", x, y, text);
  }
  int TextWidth(const std::string& text) override {
    return static_cast<int>(text.size()) * kCharWidth;
  }
  int TextHeight(const std::string&) override { return kTextHeight; }
  void SetClipRect(int left, int top, int right, int bottom) override {
    Log("Clip", left, top, right, bottom);
  }
  void ResetClip() override { Log("ResetClip"); }
  void SetOrigin(int x, int y) override { Log("Origin", x, y); }
  void ShiftOrigin(int dx, int dy) override { Log("ShiftOrigin", dx, dy); }

  // Segments that actually cover pixels (a line to the current point draws nothing).
  std::vector<Segment> DrawnSegments() const {
    std::vector<Segment> out;
    for (const Segment& s : segments)
      if (!(s.from == s.to)) out.push_back(s);
    return out;
  }

 private:
  template <typename... Args>
  void Log(const char* name, const Args&... args) {
    std::ostringstream out;
    out << name;
    ((out << ' ' << args), ...);
    calls.push_back(out.str());
    std::ostringstream state;
    state << "pen " << pen.color << ' ' << pen.width << ' ' << int(pen.style) << ' '
          << int(pen.mode) << "  brush " << brush.color << ' ' << int(brush.style) << "  font "
          << font.name << ' ' << font.size << ' ' << font.color << ' ' << font.bold << font.italic;
    if (state.str() != state_) picture += (state_ = state.str()) + '\n';
    picture += calls.back() + '\n';
  }
  static std::string Text(const std::vector<Point>& points) {
    std::ostringstream out;
    for (const Point& p : points) out << ' ' << p.x << ' ' << p.y;
    return out.str().substr(std::min<std::size_t>(1, points.size()));
  }
  std::string state_;
};

}  // namespace kurvio::testing
