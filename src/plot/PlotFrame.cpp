#include "plot/PlotFrame.h"

#include <algorithm>
#include <cmath>

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

std::string TickLabel(double v) { return FormatGeneral(v, 4, 2, DecimalSeparator); }

void DrawCoordinateSystem() {
  if (!DrawCanvas) return;
  Canvas& c = *DrawCanvas;
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

  ForEachTick(x1, x2, XTickStep, [&](long long i, double v) {
    if (!(x1 < v && v < x2) || (v == 0.0 && !NumberLineMode)) return;
    const int X = ScreenX(v);
    if (Gitter >= 2 && !NumberLineMode) GridLine(X, 0, X, PlotHeight);
    Line(X, Y0 - h, X, Y0 + h);
    bool labelled = NumberLineMode && i == 0;
    if (!TrigAxisMode) labelled = labelled || !Skalierung || i == 1;
    if (labelled) {
      const std::string text = TickLabel(v);
      label(text, X - c.TextWidth(text) / 2, Y0 + a);
    }
  });

  label(XAxisName, PlotWidth - c.TextWidth(XAxisName) - a, Y0 - 5 * h);

  if (NumberLineMode) return;

  Line(X0, 0, X0, PlotHeight);
  Arrowhead({{X0 - h, a}, {X0, 0}, {X0 + h, a}});

  ForEachTick(y1, y2, YTickStep, [&](long long i, double v) {
    if (v == 0.0 || !(y1 < v && v < y2)) return;
    const int Y = ScreenY(v);
    if (Gitter >= 2) GridLine(0, Y, PlotWidth, Y);
    Line(X0 - h, Y, X0 + h, Y);
    if (!Skalierung || i == 1) {
      const std::string text = TickLabel(v);
      label(text, X0 - c.TextWidth(text) - a, Y - c.TextHeight("X") / 2);
    }
  });

  label(YAxisName, X0 + a, 0);
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
