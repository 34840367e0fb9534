// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/Legend.h"

#include <algorithm>
#include <memory>

#include "plot/PlotFrame.h"
#include "settings/Settings.h"

namespace kurvio {
namespace {

struct Box {
  int left, top, right, bottom;
};

Box CornerBox(const DrawFrame& frame, Corner corner, int width, int height, int margin) {
  const bool left = corner == Corner::TopLeft || corner == Corner::BottomLeft;
  const bool top = corner == Corner::TopLeft || corner == Corner::TopRight;
  const int x = left ? margin : frame.width - margin - width;
  const int y = top ? frame.top + margin : frame.height - margin - height;
  return {x, y, x + width, y + height};
}

// The curve's pixel at every column where it is defined.
std::vector<Point> CurveSamples(const DrawFrame& frame, const CurveBatchFunction& curve) {
  std::vector<Point> samples;
  if (!curve || frame.width <= 0) return samples;
  const WorldWindow& view = frame.world;
  const std::size_t count = static_cast<std::size_t>(frame.width) + 1;
  std::vector<double> x(count), y(count);
  const auto defined = std::make_unique<bool[]>(count);
  for (std::size_t i = 0; i < count; ++i)
    x[i] = view.x1 + (view.x2 - view.x1) * static_cast<double>(i) / frame.width;
  curve(x.data(), count, y.data(), defined.get());
  for (std::size_t i = 0; i < count; ++i)
    if (defined[i]) samples.push_back({static_cast<int>(i), frame.ScreenY(y[i])});
  return samples;
}

}  // namespace

Corner FreeCorner(const DrawFrame& frame, const std::vector<Point>& samples, int width,
                  int height, int margin) {
  Corner best = Corner::TopLeft;
  long fewest = -1;
  for (Corner corner :
       {Corner::TopLeft, Corner::TopRight, Corner::BottomLeft, Corner::BottomRight}) {
    const Box b = CornerBox(frame, corner, width, height, margin);
    const long inside = std::count_if(samples.begin(), samples.end(), [&b](const Point& p) {
      return p.x >= b.left && p.x < b.right && p.y >= b.top && p.y < b.bottom;
    });
    if (fewest < 0 || inside < fewest) {
      fewest = inside;
      best = corner;
    }
  }
  return best;
}

void DrawLegend(const DrawFrame& frame, const std::vector<std::string>& lines,
                const CurveBatchFunction& curve) {
  if (!frame.canvas || lines.empty()) return;
  Canvas& c = *frame.canvas;
  const Pen pen = c.pen;
  const Brush brush = c.brush;
  const Font font = c.font;
  const int margin = frame.Scaled(8), padding = frame.Scaled(4);
  int width = 0, height = 0;
  for (const std::string& line : lines) {
    width = std::max(width, WrittenTextWidth(c, line));
    height += c.TextHeight(line);
  }
  width += 2 * padding;
  height += 2 * padding;
  const Box b =
      CornerBox(frame, FreeCorner(frame, CurveSamples(frame, curve), width, height, margin), width,
                height, margin);
  c.pen = {kBlack, frame.Scaled(1), PenStyle::Solid, PenMode::Copy};
  c.brush = {frame.axes.background, BrushStyle::Solid};
  c.font.color = kBlack;
  c.Rectangle(b.left, b.top, b.right, b.bottom);
  int y = b.top + padding;
  for (const std::string& line : lines) {
    WriteText(c, b.left + padding, y, line);
    y += c.TextHeight(line);
  }
  c.pen = pen;
  c.brush = brush;
  c.font = font;
}

}  // namespace kurvio
