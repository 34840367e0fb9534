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

Box CornerBox(Corner corner, int width, int height, int margin) {
  const bool left = corner == Corner::TopLeft || corner == Corner::BottomLeft;
  const bool top = corner == Corner::TopLeft || corner == Corner::TopRight;
  const int x = left ? margin : PlotWidth - margin - width;
  const int y = top ? PlotTop + margin : PlotHeight - margin - height;
  return {x, y, x + width, y + height};
}

// The curve's pixel at every column where it is defined.
std::vector<Point> CurveSamples(const CurveBatchFunction& curve) {
  std::vector<Point> samples;
  if (!curve || PlotWidth <= 0) return samples;
  const std::size_t count = static_cast<std::size_t>(PlotWidth) + 1;
  std::vector<double> x(count), y(count);
  const auto defined = std::make_unique<bool[]>(count);
  for (std::size_t i = 0; i < count; ++i)
    x[i] = x1 + (x2 - x1) * static_cast<double>(i) / PlotWidth;
  curve(x.data(), count, y.data(), defined.get());
  for (std::size_t i = 0; i < count; ++i)
    if (defined[i]) samples.push_back({static_cast<int>(i), ScreenY(y[i])});
  return samples;
}

}  // namespace

Corner FreeCorner(const std::vector<Point>& samples, int width, int height, int margin) {
  Corner best = Corner::TopLeft;
  long fewest = -1;
  for (Corner corner :
       {Corner::TopLeft, Corner::TopRight, Corner::BottomLeft, Corner::BottomRight}) {
    const Box b = CornerBox(corner, width, height, margin);
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

void DrawLegend(const std::vector<std::string>& lines, const CurveBatchFunction& curve) {
  if (!DrawCanvas || lines.empty()) return;
  Canvas& c = *DrawCanvas;
  const Pen pen = c.pen;
  const Brush brush = c.brush;
  const Font font = c.font;
  const int margin = Scaled(8), padding = Scaled(4);
  int width = 0, height = 0;
  for (const std::string& line : lines) {
    width = std::max(width, WrittenTextWidth(c, line));
    height += c.TextHeight(line);
  }
  width += 2 * padding;
  height += 2 * padding;
  const Box b =
      CornerBox(FreeCorner(CurveSamples(curve), width, height, margin), width, height, margin);
  c.pen = {kBlack, Scaled(1), PenStyle::Solid, PenMode::Copy};
  c.brush = {Farben::Hintergrund, BrushStyle::Solid};
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
