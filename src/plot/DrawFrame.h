// SPDX-License-Identifier: GPL-3.0-or-later
// What a drawing is drawn in: the canvas, the world window, the plot's size in
// pixels and its top row, the scale of pens and offsets, and whether it goes to
// an export or is shown in presentation mode. A window builds one when it
// begins to draw and hands it down; an export builds one for its device.
#pragma once

#include <string>

#include "plot/Canvas.h"

namespace kurvio {

// The part of the plane a plot shows: x1..x2 across, y1..y2 up.
struct WorldWindow {
  double x1 = -10.0, x2 = 10.0, y1 = -10.0, y2 = 10.0;
  bool operator==(const WorldWindow&) const = default;
};

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

// How a frame draws its axes: the settings' grid, numbering, tick steps and
// colours, and the window's names and kind of axes.
struct AxisStyle {
  std::string xName = "x", yName = "y";  // UTF-8
  bool trig = false;        // x ticks at multiples of π/6, left unnumbered
  bool numberLine = false;  // the x axis alone
  int grid = 1;             // 1 none, 2 dotted, 3 solid
  bool unitOnly = true;     // number only the unit tick where it is in sight
  bool autoTicks = true;    // else the user's steps, where they leave room
  double manualX = 1.0, manualY = 1.0;
  char decimalSeparator = ',';
  Color gridColour = 0x808080;
  Color background = kWhite;
};

// The pen of the function graphs a frame draws next: its colour and its width
// before scaling (DrawFrame::CurvePenWidth).
struct CurvePen {
  Color color = kBlack;
  int width = 1;
};

struct DrawFrame {
  Canvas* canvas = nullptr;
  WorldWindow world;
  int width = 0;   // columns 0..width
  int height = 0;  // rows top..height hold the curves
  int top = 0;     // 0 on screen; an export's title line lies above it
  double lineScale = 1.0;  // multiplies pen widths and drawn offsets
  bool forExport = false;  // drawn straight onto an export's canvas
  bool presentation = false;
  AxisStyle axes;
  CurvePen curve;

  // The pixel of a point of the world window. Inline: the curve tracer maps
  // every sample, and a call would cost as much as the mapping.
  int ScreenX(double x) const {
    return RoundPixel((x - world.x1) / (world.x2 - world.x1) * width);
  }
  int ScreenY(double y) const {
    return RoundPixel(height - (y - world.y1) / (world.y2 - world.y1) * height);
  }
  double WorldX(int column) const {
    return static_cast<double>(column) / width * (world.x2 - world.x1) + world.x1;
  }
  double WorldY(int row) const {
    return (1.0 - static_cast<double>(row) / height) * (world.y2 - world.y1) + world.y1;
  }
  // round(n * lineScale), the size of a drawn offset or pen on the device;
  // twice that in presentation mode, so that lines, markers and arrowheads
  // can be seen from the back of a classroom.
  int Scaled(double n) const { return RoundPixel(n * lineScale * (presentation ? 2.0 : 1.0)); }
  // The pen of a function's graph `lineWidth` wide: Scaled, and in presentation
  // mode at least 3 pixels of the screen.
  int CurvePenWidth(int lineWidth) const;
};

}  // namespace kurvio
