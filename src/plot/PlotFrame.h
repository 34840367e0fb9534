// The plot frame: the world window, its mapping to pixels, the tick spacing
// and the coordinate system every graph window draws first.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "plot/Canvas.h"
#include "settings/Settings.h"

namespace kurvio {

// The surface being drawn on: a screen bitmap, the printer or a metafile.
extern Canvas* DrawCanvas;
extern int PlotWidth;
extern int PlotHeight;
extern int PlotTop;            // top row for curves; 0 on screen
extern double LineScale;       // 1 on screen; multiplies pen widths and drawn offsets
extern bool ExportDrawing;     // a redraw that goes straight to an export canvas
extern bool AnimationRunning;  // an animation loop runs

// The world window x1..x2, y1..y2 lives with the settings (section "Koordinatensystem").
extern double XTickStep;
extern double YTickStep;
extern bool AutoTickSteps;
extern double ManualXTickStep;
extern double ManualYTickStep;
extern double AutoXTickStep;
extern double AutoYTickStep;
extern std::string XAxisName;  // UTF-8
extern std::string YAxisName;
extern bool TrigAxisMode;
extern bool NumberLineMode;

// Curve tracing.
extern int CurveKind;
extern Color CurveColor;
extern int LineWidth;
// The default settings reset the pen width and the scale with them: LineWidth 1, LineScale 1.
void ResetLineDefaults();

// Pixel coordinates are saturated to this magnitude so that no conversion overflows.
inline constexpr int kPixelLimit = 1000000000;

// Rounds half to even and saturates at kPixelLimit (NaN counts as far below).
inline int RoundPixel(double v) {
  if (!(v > -kPixelLimit)) return -kPixelLimit;  // also NaN
  if (v > kPixelLimit) return kPixelLimit;
  // Ties to even, as std::nearbyint in the default rounding mode, but without
  // a library call on every point of a curve: adding and taking away
  // 1.5 * 2^52 leaves the nearest integer of any |v| < 2^51.
  constexpr double kShift = 6755399441055744.0;
  return static_cast<int>((v + kShift) - kShift);
}

// The pixel of a point of the world window. Inline: the curve tracer maps
// every sample, and a call would cost as much as the mapping.
inline int ScreenX(double x) { return RoundPixel((x - x1) / (x2 - x1) * PlotWidth); }
inline int ScreenY(double y) { return RoundPixel(PlotHeight - (y - y1) / (y2 - y1) * PlotHeight); }
double WorldX(int column);
double WorldY(int row);
// round(n * LineScale), the size of a drawn offset or pen on the current
// device; twice that in presentation mode, so that lines, markers and
// arrowheads can be seen from the back of a classroom.
int Scaled(double n);
// The pen of a function's graph `lineWidth` wide: Scaled, and in presentation
// mode at least 3 pixels of the screen.
int CurvePenWidth(int lineWidth);

// The automatic spacing for an axis of length d: 1, 2 or 5 times a power of ten.
double TickSpacing(double d);
// Sets XTickStep and YTickStep (and the automatic values) for the current window.
void ComputeTickSteps();
// A tick value as a label: the general form with 4 significant digits, at least
// 2 exponent digits and the locale's decimal separator (DecimalSeparator).
std::string TickLabel(double v);

// With EqualUnits on: widens x1..x2 or y1..y2 about its middle so that one unit is as many
// pixels long on both axes of the current PlotWidth × PlotHeight. The view the user last set
// is kept aside, so a resize or an export of another shape widens that view afresh rather
// than the widened one; any other change of x1..y2 (a zoom, a reset, a typed view) is the
// new view to widen. With EqualUnits off it puts back the view the user set, if nothing has
// changed it since. DrawCoordinateSystem calls it first.
void ApplyEqualUnits();

// The rectangle a drawn text takes, right and bottom exclusive.
struct LabelBox {
  int left, top, right, bottom;
  bool Overlaps(const LabelBox& o) const {
    return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
  }
};

// The texts placed in the picture being drawn, so that labels keep clear of each other:
// the axes' numbers and names of the last coordinate system, and the labels placed with
// TextOutClear since the drawing began. A tick number that would lie under a label placed
// before the axes is left out.
// Forgets the labels placed: a new drawing begins (PictureCanvas calls it). The axes'
// texts stay until the next coordinate system, which a layer drawn later may not draw.
void ForgetPlacedLabels();
// Writes `text` with its top-left corner at the first of `spots` where it lies inside the
// plot and clear of every text placed so far, or at the first spot when none is clear.
void TextOutClear(const std::string& text, std::initializer_list<Point> spots);
void TextOutClear(const std::string& text, const std::vector<Point>& spots);

void DrawCoordinateSystem();

// Zoom about the centre: each end moves out by `fraction` of the width and
// height (0.5 doubles the window, -0.25 halves it).
void ZoomWorldWindow(double fraction);
// Zoom about a point: lo..hi becomes `factor` times as wide and `at` keeps its
// place in it (0.8 zooms in, 1.25 out).
void ZoomRangeAbout(double& lo, double& hi, double at, double factor);
// Both axes of the world window about the world point (x, y).
void ZoomWorldWindowAbout(double x, double y, double factor);
// Moves the window by tenths of its width (sx) and height (sy).
void ShiftWorldWindow(int sx, int sy);

// A line on DrawCanvas between two world points, or between two pixels.
void WorldLine(double xa, double ya, double xb, double yb);
void PixelLine(int xa, int ya, int xb, int yb);

}  // namespace kurvio
