// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/PlotFrame.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "settings/Settings.h"
#include "term/NumberFormat.h"

namespace kurvio {

bool AnimationRunning = false;
double XTickStep = 1.0;
double YTickStep = 1.0;
bool AutoTickSteps = true;
double ManualXTickStep = 1.0;
double ManualYTickStep = 1.0;
double AutoXTickStep = 1.0;
double AutoYTickStep = 1.0;
bool TrigAxisMode = false;
bool NumberLineMode = false;
int CurveKind = 0;
Color CurveColor = kBlack;
int LineWidth = 1;

void ResetLineDefaults() { LineWidth = 1; }

int DrawFrame::CurvePenWidth(int lineWidth) const {
  const int pen = Scaled(lineWidth);
  if (!presentation) return pen;
  return std::max(pen, RoundPixel(3.0 * lineScale));
}

namespace {

// 10^n for n >= 0: exact up to 10^22, which is the range that matters.
double PowerOfTen(int n) {
  double p = 1.0;
  for (int i = 0; i < n; ++i) p *= 10.0;
  return p;
}

// m * 10^k as the double nearest to it, so that 0.01 or 0.05 is the same
// value as the literal: dividing by an exact power beats multiplying by 0.1.
double TimesPowerOfTen(double m, int k) { return k >= 0 ? m * PowerOfTen(k) : m / PowerOfTen(-k); }

}  // namespace

double TickSpacing(double d) {
  if (!(d > 0.0) || !std::isfinite(d)) return 1.0;
  // A window exactly 10 or 0.1 wide is one power of ten wide (r = 1) and gets ten
  // ticks; std::log10 is exact there.
  int k = static_cast<int>(std::floor(std::log10(d)));
  double r = d / TimesPowerOfTen(1.0, k);
  // The logarithm of a value just above a power of ten may round below it. (Just
  // below one, r comes out a hair under 1: the window keeps the power's spacing.)
  if (r >= 10.0) {
    ++k;
    r = d / TimesPowerOfTen(1.0, k);
  }
  const double factor = r < 2.0 ? 1.0 : r < 4.0 ? 2.0 : 5.0;
  const double step = TimesPowerOfTen(factor, k - 1);
  // Only windows at the ends of the double range get here without a usable step.
  return step > 0.0 && std::isfinite(step) ? step : d / 10.0;
}

namespace {

constexpr double kTrigXStep = 0.5235987755982989;  // pi/6

// A step that would put more ticks on an axis than it has pixels stalls the
// drawing and shows nothing useful; such a step gives way to the automatic one.
double UsableStep(double manual, double automatic, double d, int pixels) {
  if (!(manual > 0.0) || !std::isfinite(manual)) return automatic;
  if (d / manual > 2.0 * std::max(pixels, 1) + 2.0) return automatic;
  return manual;
}

void SetPen(Canvas& c, Color color, PenStyle style) {
  c.pen.color = color;
  c.pen.style = style;
}

void Line(Canvas& c, int ax, int ay, int bx, int by) {
  c.MoveTo(ax, ay);
  c.LineTo(bx, by);
}

void Arrowhead(const DrawFrame& frame, const std::vector<Point>& triangle) {
  Canvas& c = *frame.canvas;
  c.brush = {kBlack, BrushStyle::Solid};
  c.Polygon(triangle);
  c.brush.color = frame.axes.background;
}

// The grid keeps the device's thin pen in presentation mode too: it is the
// ground the lines are read on, not a line to read.
void GridLine(const DrawFrame& frame, int ax, int ay, int bx, int by) {
  Canvas& c = *frame.canvas;
  const int width = c.pen.width;
  c.pen.width = RoundPixel(frame.lineScale);
  SetPen(c, frame.axes.gridColour, frame.axes.grid == 2 ? PenStyle::Dot : PenStyle::Solid);
  Line(c, ax, ay, bx, by);
  SetPen(c, kBlack, PenStyle::Solid);
  c.pen.width = width;
}

// Tick indices i with v = i * step, from trunc(lo / step) to trunc(hi / step).
template <typename Visit>
void ForEachTick(double lo, double hi, double step, Visit visit) {
  const double first = std::trunc(lo / step);
  const double last = std::trunc(hi / step);
  if (!std::isfinite(first) || !std::isfinite(last) || last - first > 1e6) return;
  for (double i = first; i <= last; i += 1.0) visit(static_cast<long long>(i), i * step);
}

}  // namespace

TickSteps TickStepsFor(const WorldWindow& view, const AxisStyle& axes, int width, int height) {
  if (axes.trig) return {kTrigXStep, 1.0, kTrigXStep, 1.0};
  const double dx = std::fabs(view.x2 - view.x1);
  const double dy = std::fabs(view.y2 - view.y1);
  TickSteps steps;
  steps.autoX = TickSpacing(dx);
  steps.autoY = TickSpacing(dy);
  steps.x = axes.autoTicks ? steps.autoX : UsableStep(axes.manualX, steps.autoX, dx, width);
  steps.y = axes.autoTicks ? steps.autoY : UsableStep(axes.manualY, steps.autoY, dy, height);
  return steps;
}

std::string TickLabel(double v, char decimalSeparator) {
  return FormatGeneral(v, 4, decimalSeparator);
}

std::optional<WorldWindow> WithEqualUnits(const WorldWindow& view, int width, int height) {
  if (width <= 0 || height <= 0) return std::nullopt;
  WorldWindow v = view;
  const double xPerPixel = (v.x2 - v.x1) / width;
  const double yPerPixel = (v.y2 - v.y1) / height;
  if (!(xPerPixel > 0 && yPerPixel > 0 && std::isfinite(xPerPixel) && std::isfinite(yPerPixel)))
    return std::nullopt;
  if (xPerPixel < yPerPixel) {
    const double middle = (v.x1 + v.x2) / 2, half = yPerPixel * width / 2;
    v.x1 = middle - half;
    v.x2 = middle + half;
  } else if (yPerPixel < xPerPixel) {
    const double middle = (v.y1 + v.y2) / 2, half = xPerPixel * height / 2;
    v.y1 = middle - half;
    v.y2 = middle + half;
  }
  return v;
}

namespace {

std::vector<LabelBox> axisLabels;    // of the last coordinate system
std::vector<LabelBox> placedLabels;  // placed with TextOutClear in this drawing

bool Clear(const LabelBox& box) {
  for (const auto* list : {&axisLabels, &placedLabels})
    for (const LabelBox& other : *list)
      if (box.Overlaps(other)) return false;
  return true;
}

}  // namespace

void ForgetPlacedLabels() { placedLabels.clear(); }

void TextOutClear(const DrawFrame& frame, const std::string& text,
                  std::initializer_list<Point> spots) {
  TextOutClear(frame, text, std::vector<Point>(spots));
}

void TextOutClear(const DrawFrame& frame, const std::string& text,
                  const std::vector<Point>& spots) {
  if (!frame.canvas || spots.empty()) return;
  Canvas& c = *frame.canvas;
  const int width = WrittenTextWidth(c, text), height = c.TextHeight(text);
  const auto boxAt = [&](Point p) { return LabelBox{p.x, p.y, p.x + width, p.y + height}; };
  Point chosen = *spots.begin();
  for (const Point& spot : spots) {
    const LabelBox box = boxAt(spot);
    if (box.left >= 0 && box.top >= 0 && box.right <= frame.width && box.bottom <= frame.height &&
        Clear(box)) {
      chosen = spot;
      break;
    }
  }
  placedLabels.push_back(boxAt(chosen));
  WriteText(c, chosen.x, chosen.y, text);
}

void DrawCoordinateSystem(const DrawFrame& frame) {
  if (!frame.canvas) return;
  Canvas& c = *frame.canvas;
  const WorldWindow& view = frame.world;
  const int width = frame.width, height = frame.height;
  const AxisStyle& axes = frame.axes;
  const TickSteps steps = TickStepsFor(view, axes, width, height);

  const double axisY = (view.y1 <= 0.0 && 0.0 <= view.y2) ? 0.0 : (view.y1 > 0.0 ? view.y1 : view.y2);
  const double axisX = (view.x1 <= 0.0 && 0.0 <= view.x2) ? 0.0 : (view.x1 > 0.0 ? view.x1 : view.x2);
  const int Y0 = frame.ScreenY(axisY);
  const int X0 = frame.ScreenX(axisX);
  const int a = frame.Scaled(6);
  const int h = frame.Scaled(4);

  c.pen.width = frame.Scaled(1);
  SetPen(c, kBlack, PenStyle::Solid);
  Line(c, 0, Y0, width, Y0);
  Arrowhead(frame, {{width - a, Y0 - h}, {width, Y0}, {width - a, Y0 + h}});

  auto label = [&](const std::string& text, int left, int top) { c.TextOut(left, top, text); };
  // With the labelling "1" only the unit is numbered; where the unit is out of sight, every
  // tick is, so that no axis is left without numbers.
  const bool numberEveryX = !axes.unitOnly || !(view.x1 < steps.x && steps.x < view.x2);
  const bool numberEveryY = !axes.unitOnly || !(view.y1 < steps.y && steps.y < view.y2);
  // Numbers below the x-axis, or above it where it runs along the bottom edge.
  const int textHeight = c.TextHeight("X");
  const int xLabelTop = Y0 + a + textHeight > height ? Y0 - a - textHeight : Y0 + a;
  // A number stays inside the plot and off the axes' names and the numbers before it;
  // one that finds no room is left out.
  const int xNameLeft = width - c.TextWidth(axes.xName) - a, xNameTop = Y0 - 5 * h;
  const int yNameLeft = X0 + a;
  std::vector<LabelBox>& taken = axisLabels;
  taken = {{xNameLeft, xNameTop, xNameLeft + c.TextWidth(axes.xName), xNameTop + textHeight}};
  if (!axes.numberLine)
    taken.push_back({yNameLeft, 0, yNameLeft + c.TextWidth(axes.yName), textHeight});
  auto number = [&](const std::string& text, int left, int top) {
    const int textWidth = c.TextWidth(text);
    left = std::clamp(left, 0, std::max(width - textWidth, 0));
    top = std::clamp(top, 0, std::max(height - textHeight, 0));
    const LabelBox box{left, top, left + textWidth, top + textHeight};
    if (!Clear(box)) return;
    taken.push_back(box);
    label(text, left, top);
  };

  ForEachTick(view.x1, view.x2, steps.x, [&](long long i, double v) {
    if (!(view.x1 < v && v < view.x2) || (v == 0.0 && !axes.numberLine)) return;
    const int X = frame.ScreenX(v);
    if (axes.grid >= 2 && !axes.numberLine) GridLine(frame, X, 0, X, height);
    Line(c, X, Y0 - h, X, Y0 + h);
    bool labelled = axes.numberLine && i == 0;
    if (!axes.trig) labelled = labelled || numberEveryX || i == 1;
    if (labelled) {
      const std::string text = TickLabel(v, axes.decimalSeparator);
      number(text, X - c.TextWidth(text) / 2, xLabelTop);
    }
  });

  label(axes.xName, xNameLeft, xNameTop);

  if (axes.numberLine) return;

  Line(c, X0, 0, X0, height);
  Arrowhead(frame, {{X0 - h, a}, {X0, 0}, {X0 + h, a}});

  ForEachTick(view.y1, view.y2, steps.y, [&](long long i, double v) {
    if (v == 0.0 || !(view.y1 < v && v < view.y2)) return;
    const int Y = frame.ScreenY(v);
    if (axes.grid >= 2) GridLine(frame, 0, Y, width, Y);
    Line(c, X0 - h, Y, X0 + h, Y);
    if (numberEveryY || i == 1) {
      // Left of the y-axis, or right of it where it runs along the left edge.
      const std::string text = TickLabel(v, axes.decimalSeparator);
      const int textWidth = c.TextWidth(text);
      number(text, X0 - textWidth - a < 0 ? X0 + a : X0 - textWidth - a, Y - textHeight / 2);
    }
  });

  label(axes.yName, yNameLeft, 0);
}

void ZoomWorldWindow(WorldWindow& view, double fraction) {
  const double dx = view.x2 - view.x1;
  const double dy = view.y2 - view.y1;
  view.x1 -= dx * fraction;
  view.x2 += dx * fraction;
  view.y1 -= dy * fraction;
  view.y2 += dy * fraction;
}

void ZoomRangeAbout(double& lo, double& hi, double at, double factor) {
  lo = at - (at - lo) * factor;
  hi = at + (hi - at) * factor;
}

void ZoomWorldWindowAbout(WorldWindow& view, double x, double y, double factor) {
  ZoomRangeAbout(view.x1, view.x2, x, factor);
  ZoomRangeAbout(view.y1, view.y2, y, factor);
}

void WorldLine(const DrawFrame& frame, double xa, double ya, double xb, double yb) {
  PixelLine(frame, frame.ScreenX(xa), frame.ScreenY(ya), frame.ScreenX(xb), frame.ScreenY(yb));
}

void PixelLine(const DrawFrame& frame, int xa, int ya, int xb, int yb) {
  frame.canvas->MoveTo(xa, ya);
  frame.canvas->LineTo(xb, yb);
}

void ShiftWorldWindow(WorldWindow& view, int sx, int sy) {
  const double dx = (view.x2 - view.x1) / 10;
  const double dy = (view.y2 - view.y1) / 10;
  view.x1 += sx * dx;
  view.x2 += sx * dx;
  view.y1 += sy * dy;
  view.y2 += sy * dy;
}

}  // namespace kurvio
