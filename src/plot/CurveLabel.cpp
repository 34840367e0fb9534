// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/CurveLabel.h"

#include <vector>

#include "plot/PlotFrame.h"
#include "settings/Settings.h"

namespace kurvio {

void LabelCurve(const DrawFrame& frame, const std::string& name, const CurveBatchFunction& curve) {
  if (!frame.canvas || !curve || frame.width <= 0 || frame.height <= 0) return;
  const WorldWindow& view = frame.world;
  // Where along the plot to look: the right part first, where a curve's name is read last.
  constexpr double kAlong[] = {0.85, 0.7, 0.55, 0.4, 0.25, 0.1};
  constexpr std::size_t kCount = sizeof kAlong / sizeof kAlong[0];
  // Each point with a neighbour a few pixels to its right, for the way the curve runs.
  const double step = 4.0 * (view.x2 - view.x1) / frame.width;
  double x[2 * kCount], y[2 * kCount];
  bool defined[2 * kCount];
  for (std::size_t i = 0; i < kCount; ++i) {
    x[2 * i] = view.x1 + kAlong[i] * (view.x2 - view.x1);
    x[2 * i + 1] = x[2 * i] + step;
  }
  curve(x, 2 * kCount, y, defined);
  Canvas& c = *frame.canvas;
  const int gap = frame.Scaled(6), width = c.TextWidth(name), height = c.TextHeight(name);
  std::vector<Point> spots;
  for (std::size_t i = 0; i < 2 * kCount; i += 2) {
    if (!defined[i] || !(view.y1 < y[i] && y[i] < view.y2)) continue;
    const int X = frame.ScreenX(x[i]), Y = frame.ScreenY(y[i]);
    // Off the curve: above left and below right of a rising one, the other corners of a
    // falling one.
    const bool rising = defined[i + 1] && y[i + 1] > y[i];
    const Point aboveLeft{X - gap - width, Y - gap - height}, belowRight{X + gap, Y + gap};
    const Point aboveRight{X + gap, Y - gap - height}, belowLeft{X - gap - width, Y + gap};
    spots.push_back(rising ? aboveLeft : aboveRight);
    spots.push_back(rising ? belowRight : belowLeft);
  }
  if (spots.empty()) return;
  const Color color = c.font.color;
  const Brush brush = c.brush;
  c.font.color = frame.curve.color;
  c.brush = {frame.axes.background, BrushStyle::Solid};
  TextOutClear(frame, name, spots);
  c.font.color = color;
  c.brush = brush;
}

}  // namespace kurvio
