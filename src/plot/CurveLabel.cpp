#include "plot/CurveLabel.h"

#include <vector>

#include "plot/PlotFrame.h"
#include "settings/Settings.h"

namespace kurvio {

void LabelCurve(const std::string& name, const CurveBatchFunction& curve) {
  if (!DrawCanvas || !curve || PlotWidth <= 0 || PlotHeight <= 0) return;
  // Where along the plot to look: the right part first, where a curve's name is read last.
  constexpr double kAlong[] = {0.85, 0.7, 0.55, 0.4, 0.25, 0.1};
  constexpr std::size_t kCount = sizeof kAlong / sizeof kAlong[0];
  double x[kCount], y[kCount];
  bool defined[kCount];
  for (std::size_t i = 0; i < kCount; ++i) x[i] = x1 + kAlong[i] * (x2 - x1);
  curve(x, kCount, y, defined);
  Canvas& c = *DrawCanvas;
  const int gap = Scaled(6), height = c.TextHeight(name);
  std::vector<Point> spots;
  for (std::size_t i = 0; i < kCount; ++i) {
    if (!defined[i] || !(y1 < y[i] && y[i] < y2)) continue;
    const int X = ScreenX(x[i]), Y = ScreenY(y[i]);
    spots.push_back({X + gap, Y - gap - height});
    spots.push_back({X + gap, Y + gap});
  }
  if (spots.empty()) return;
  const Color color = c.font.color;
  const Brush brush = c.brush;
  c.font.color = CurveColor;
  c.brush = {Farben::Hintergrund, BrushStyle::Solid};
  TextOutClear(name, spots);
  c.font.color = color;
  c.brush = brush;
}

}  // namespace kurvio
