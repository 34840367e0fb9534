// SPDX-License-Identifier: GPL-3.0-or-later
// The plot frame: the world window, its mapping to pixels, the tick spacing
// and the coordinate system every graph window draws first.
#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "plot/Canvas.h"
#include "plot/DrawFrame.h"
#include "settings/Settings.h"

namespace kurvio {

extern bool AnimationRunning;  // an animation loop runs

// The world window x1..x2, y1..y2 lives with the settings (section "Koordinatensystem").
extern double XTickStep;
extern double YTickStep;
extern bool AutoTickSteps;
extern double ManualXTickStep;
extern double ManualYTickStep;
extern double AutoXTickStep;
extern double AutoYTickStep;
extern bool TrigAxisMode;    // the unit circle window is open: x ticks at multiples of π/6
extern bool NumberLineMode;  // the launch of a number-line window raises it

// Curve tracing.
extern int CurveKind;
extern Color CurveColor;
extern int LineWidth;
// The default settings reset the pen width: LineWidth 1.
void ResetLineDefaults();

// The automatic spacing for an axis of length d: 1, 2 or 5 times a power of ten.
double TickSpacing(double d);
// The tick steps for `view` drawn `width` × `height` pixels large: the automatic
// ones, or the steps the user set where they leave each tick a pixel or more.
struct TickSteps {
  double x = 1.0, y = 1.0;
  double autoX = 1.0, autoY = 1.0;
};
TickSteps TickStepsFor(const WorldWindow& view, const AxisStyle& axes, int width, int height);
// A tick value as a label: the general form with 4 significant digits, at least
// 2 exponent digits and the given decimal separator.
std::string TickLabel(double v, char decimalSeparator);

// `view` widened about its middle so that one unit is as many pixels long on both
// axes of a plot `width` × `height` large; only ever wider, the axis with the
// shorter unit keeps its range. None for a view or size that allows no unit.
std::optional<WorldWindow> WithEqualUnits(const WorldWindow& view, int width, int height);

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
void TextOutClear(const DrawFrame& frame, const std::string& text,
                  std::initializer_list<Point> spots);
void TextOutClear(const DrawFrame& frame, const std::string& text,
                  const std::vector<Point>& spots);

// The axes with their ticks, numbers and names, and the grid, in `frame`.
void DrawCoordinateSystem(const DrawFrame& frame);

// Zoom about the centre: each end moves out by `fraction` of the width and
// height (0.5 doubles the window, -0.25 halves it).
void ZoomWorldWindow(WorldWindow& view, double fraction);
// Zoom about a point: lo..hi becomes `factor` times as wide and `at` keeps its
// place in it (0.8 zooms in, 1.25 out).
void ZoomRangeAbout(double& lo, double& hi, double at, double factor);
// Both axes of the view about the world point (x, y).
void ZoomWorldWindowAbout(WorldWindow& view, double x, double y, double factor);
// Moves the view by tenths of its width (sx) and height (sy).
void ShiftWorldWindow(WorldWindow& view, int sx, int sy);

// A line on the frame's canvas between two world points, or between two pixels.
void WorldLine(const DrawFrame& frame, double xa, double ya, double xb, double yb);
void PixelLine(const DrawFrame& frame, int xa, int ya, int xb, int yb);

}  // namespace kurvio
