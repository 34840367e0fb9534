#include "plot/PlotFrame.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "settings/Preferences.h"
#include "settings/Settings.h"
#include "term/NumberFormat.h"

namespace kurvio {

Canvas* DrawCanvas = nullptr;
int PlotWidth = 0;
int PlotHeight = 0;
int PlotTop = 0;
double LineScale = 1.0;
bool ExportDrawing = false;
bool AnimationRunning = false;
double XTickStep = 1.0;
double YTickStep = 1.0;
bool AutoTickSteps = true;
double ManualXTickStep = 1.0;
double ManualYTickStep = 1.0;
double AutoXTickStep = 1.0;
double AutoYTickStep = 1.0;
std::string XAxisName = "x";
std::string YAxisName = "y";
bool TrigAxisMode = false;
bool NumberLineMode = false;
int CurveKind = 0;
Color CurveColor = kBlack;
int LineWidth = 1;

void ResetLineDefaults() {
  LineWidth = 1;
  LineScale = 1.0;
}

int Scaled(double n) { return RoundPixel(n * LineScale * (PresentationMode ? 2.0 : 1.0)); }

int CurvePenWidth(int lineWidth) {
  const int width = Scaled(lineWidth);
  if (!PresentationMode) return width;
  return std::max(width, RoundPixel(3.0 * LineScale));
}

double WorldX(int column) { return static_cast<double>(column) / PlotWidth * (x2 - x1) + x1; }

double WorldY(int row) { return (1.0 - static_cast<double>(row) / PlotHeight) * (y2 - y1) + y1; }

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

void SetPen(Color color, PenStyle style) {
  DrawCanvas->pen.color = color;
  DrawCanvas->pen.style = style;
}

void Line(int ax, int ay, int bx, int by) {
  DrawCanvas->MoveTo(ax, ay);
  DrawCanvas->LineTo(bx, by);
}

void Arrowhead(const std::vector<Point>& triangle) {
  DrawCanvas->brush = {kBlack, BrushStyle::Solid};
  DrawCanvas->Polygon(triangle);
  DrawCanvas->brush.color = Farben::Hintergrund;
}

// The grid keeps the device's thin pen in presentation mode too: it is the
// ground the lines are read on, not a line to read.
void GridLine(int ax, int ay, int bx, int by) {
  const int width = DrawCanvas->pen.width;
  DrawCanvas->pen.width = RoundPixel(LineScale);
  SetPen(Farben::Gitter, Gitter == 2 ? PenStyle::Dot : PenStyle::Solid);
  Line(ax, ay, bx, by);
  SetPen(kBlack, PenStyle::Solid);
  DrawCanvas->pen.width = width;
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

void ComputeTickSteps() {
  if (TrigAxisMode) {
    XTickStep = AutoXTickStep = kTrigXStep;
    YTickStep = AutoYTickStep = 1.0;
    return;
  }
  const double dx = std::fabs(x2 - x1);
  const double dy = std::fabs(y2 - y1);
  AutoXTickStep = TickSpacing(dx);
  AutoYTickStep = TickSpacing(dy);
  XTickStep =
      AutoTickSteps ? AutoXTickStep : UsableStep(ManualXTickStep, AutoXTickStep, dx, PlotWidth);
  YTickStep =
      AutoTickSteps ? AutoYTickStep : UsableStep(ManualYTickStep, AutoYTickStep, dy, PlotHeight);
}

std::string TickLabel(double v) { return FormatGeneral(v, 4, DecimalSeparator); }

namespace {

struct View {
  double left, right, bottom, top;
  bool operator==(const View&) const = default;
};

View CurrentView() { return {x1, x2, y1, y2}; }

// The view the user set, and what ApplyEqualUnits made of it (`widened`).
struct EqualUnitsState {
  View set{}, widened{};
  bool active = false;
};
EqualUnitsState equalUnits;

}  // namespace

void ApplyEqualUnits() {
  EqualUnitsState& s = equalUnits;
  const View now = CurrentView();
  if (!EqualUnits) {
    if (s.active && now == s.widened) {
      x1 = s.set.left, x2 = s.set.right, y1 = s.set.bottom, y2 = s.set.top;
    }
    s.active = false;
    return;
  }
  if (PlotWidth <= 0 || PlotHeight <= 0) return;
  if (!s.active || !(now == s.widened)) s.set = now;
  View v = s.set;
  const double xPerPixel = (v.right - v.left) / PlotWidth;
  const double yPerPixel = (v.top - v.bottom) / PlotHeight;
  if (!(xPerPixel > 0 && yPerPixel > 0 && std::isfinite(xPerPixel) && std::isfinite(yPerPixel)))
    return;
  // Only ever wider: the axis with the shorter unit keeps its range.
  if (xPerPixel < yPerPixel) {
    const double middle = (v.left + v.right) / 2, half = yPerPixel * PlotWidth / 2;
    v.left = middle - half;
    v.right = middle + half;
  } else if (yPerPixel < xPerPixel) {
    const double middle = (v.bottom + v.top) / 2, half = xPerPixel * PlotHeight / 2;
    v.bottom = middle - half;
    v.top = middle + half;
  }
  x1 = v.left, x2 = v.right, y1 = v.bottom, y2 = v.top;
  s.widened = CurrentView();
  s.active = true;
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

void TextOutClear(const std::string& text, std::initializer_list<Point> spots) {
  TextOutClear(text, std::vector<Point>(spots));
}

void TextOutClear(const std::string& text, const std::vector<Point>& spots) {
  if (!DrawCanvas || spots.empty()) return;
  Canvas& c = *DrawCanvas;
  const int width = WrittenTextWidth(c, text), height = c.TextHeight(text);
  const auto boxAt = [&](Point p) { return LabelBox{p.x, p.y, p.x + width, p.y + height}; };
  Point chosen = *spots.begin();
  for (const Point& spot : spots) {
    const LabelBox box = boxAt(spot);
    if (box.left >= 0 && box.top >= 0 && box.right <= PlotWidth && box.bottom <= PlotHeight &&
        Clear(box)) {
      chosen = spot;
      break;
    }
  }
  placedLabels.push_back(boxAt(chosen));
  WriteText(c, chosen.x, chosen.y, text);
}

void DrawCoordinateSystem() {
  if (!DrawCanvas) return;
  Canvas& c = *DrawCanvas;
  ApplyEqualUnits();
  ComputeTickSteps();

  const double axisY = (y1 <= 0.0 && 0.0 <= y2) ? 0.0 : (y1 > 0.0 ? y1 : y2);
  const double axisX = (x1 <= 0.0 && 0.0 <= x2) ? 0.0 : (x1 > 0.0 ? x1 : x2);
  const int Y0 = ScreenY(axisY);
  const int X0 = ScreenX(axisX);
  const int a = Scaled(6);
  const int h = Scaled(4);

  c.pen.width = Scaled(1);
  SetPen(kBlack, PenStyle::Solid);
  Line(0, Y0, PlotWidth, Y0);
  Arrowhead({{PlotWidth - a, Y0 - h}, {PlotWidth, Y0}, {PlotWidth - a, Y0 + h}});

  auto label = [&](const std::string& text, int left, int top) { c.TextOut(left, top, text); };
  // With the labelling "1" only the unit is numbered; where the unit is out of sight, every
  // tick is, so that no axis is left without numbers.
  const bool numberEveryX = !Skalierung || !(x1 < XTickStep && XTickStep < x2);
  const bool numberEveryY = !Skalierung || !(y1 < YTickStep && YTickStep < y2);
  // Numbers below the x-axis, or above it where it runs along the bottom edge.
  const int textHeight = c.TextHeight("X");
  const int xLabelTop = Y0 + a + textHeight > PlotHeight ? Y0 - a - textHeight : Y0 + a;
  // A number stays inside the plot and off the axes' names and the numbers before it;
  // one that finds no room is left out.
  const int xNameLeft = PlotWidth - c.TextWidth(XAxisName) - a, xNameTop = Y0 - 5 * h;
  const int yNameLeft = X0 + a;
  std::vector<LabelBox>& taken = axisLabels;
  taken = {{xNameLeft, xNameTop, xNameLeft + c.TextWidth(XAxisName), xNameTop + textHeight}};
  if (!NumberLineMode)
    taken.push_back({yNameLeft, 0, yNameLeft + c.TextWidth(YAxisName), textHeight});
  auto number = [&](const std::string& text, int left, int top) {
    const int width = c.TextWidth(text);
    left = std::clamp(left, 0, std::max(PlotWidth - width, 0));
    top = std::clamp(top, 0, std::max(PlotHeight - textHeight, 0));
    const LabelBox box{left, top, left + width, top + textHeight};
    if (!Clear(box)) return;
    taken.push_back(box);
    label(text, left, top);
  };

  ForEachTick(x1, x2, XTickStep, [&](long long i, double v) {
    if (!(x1 < v && v < x2) || (v == 0.0 && !NumberLineMode)) return;
    const int X = ScreenX(v);
    if (Gitter >= 2 && !NumberLineMode) GridLine(X, 0, X, PlotHeight);
    Line(X, Y0 - h, X, Y0 + h);
    bool labelled = NumberLineMode && i == 0;
    if (!TrigAxisMode) labelled = labelled || numberEveryX || i == 1;
    if (labelled) {
      const std::string text = TickLabel(v);
      number(text, X - c.TextWidth(text) / 2, xLabelTop);
    }
  });

  label(XAxisName, xNameLeft, xNameTop);

  if (NumberLineMode) return;

  Line(X0, 0, X0, PlotHeight);
  Arrowhead({{X0 - h, a}, {X0, 0}, {X0 + h, a}});

  ForEachTick(y1, y2, YTickStep, [&](long long i, double v) {
    if (v == 0.0 || !(y1 < v && v < y2)) return;
    const int Y = ScreenY(v);
    if (Gitter >= 2) GridLine(0, Y, PlotWidth, Y);
    Line(X0 - h, Y, X0 + h, Y);
    if (numberEveryY || i == 1) {
      // Left of the y-axis, or right of it where it runs along the left edge.
      const std::string text = TickLabel(v);
      const int width = c.TextWidth(text);
      number(text, X0 - width - a < 0 ? X0 + a : X0 - width - a, Y - textHeight / 2);
    }
  });

  label(YAxisName, yNameLeft, 0);
}

void ZoomWorldWindow(double fraction) {
  const double dx = x2 - x1;
  const double dy = y2 - y1;
  x1 -= dx * fraction;
  x2 += dx * fraction;
  y1 -= dy * fraction;
  y2 += dy * fraction;
}

void ZoomRangeAbout(double& lo, double& hi, double at, double factor) {
  lo = at - (at - lo) * factor;
  hi = at + (hi - at) * factor;
}

void ZoomWorldWindowAbout(double x, double y, double factor) {
  ZoomRangeAbout(x1, x2, x, factor);
  ZoomRangeAbout(y1, y2, y, factor);
}

void WorldLine(double xa, double ya, double xb, double yb) {
  PixelLine(ScreenX(xa), ScreenY(ya), ScreenX(xb), ScreenY(yb));
}

void PixelLine(int xa, int ya, int xb, int yb) {
  DrawCanvas->MoveTo(xa, ya);
  DrawCanvas->LineTo(xb, yb);
}

void ShiftWorldWindow(int sx, int sy) {
  const double dx = (x2 - x1) / 10;
  const double dy = (y2 - y1) / 10;
  x1 += sx * dx;
  x2 += sx * dx;
  y1 += sy * dy;
  y2 += sy * dy;
}

}  // namespace kurvio
