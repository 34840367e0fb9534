// SPDX-License-Identifier: GPL-3.0-or-later
// The frames the windows draw in: the view of the settings (x1..y2), widened
// to equal units where the user wants them, at the size of a plot.
#pragma once

#include <functional>

#include "plot/CurveTracer.h"
#include "plot/DrawFrame.h"

namespace kurvio {

// The view x1..y2 of the settings as a world window, and back.
WorldWindow SettingsView();
void SetSettingsView(const WorldWindow& view);

// With EqualUnits on: widens the view of the settings about its middle so that
// one unit is as many pixels long on both axes of a plot width × height large.
// The view the user last set is kept aside, so a resize or an export of another
// shape widens that view afresh rather than the widened one; any other change of
// x1..y2 (a zoom, a reset, a typed view) is the new view to widen. With EqualUnits
// off it puts back the view the user set, if nothing has changed it since.
void ApplyEqualUnits(int width, int height);

// The axes as the settings draw them (grid, numbering, tick steps, colours,
// decimal separator) and as the open windows ask (TrigAxisMode, NumberLineMode), named
// "x" and "y".
AxisStyle SettingsAxes();
// Sets XTickStep and YTickStep (and the automatic values) for such a view.
void ComputeTickSteps(const WorldWindow& view, const AxisStyle& axes, int width, int height);

// The frame of a plot width × height (curves from row `top`) on `canvas`: the
// view of the settings after ApplyEqualUnits, presentation mode as the user set
// it, the settings' axes and the window's curve pen (CurveColor, LineWidth).
// The tick steps (XTickStep, YTickStep) are set for it.
DrawFrame PictureFrame(Canvas* canvas, int width, int height, int top = 0,
                       double lineScale = 1.0, bool forExport = false);

// Where a window's drawings begin: in the export's frame while an export
// draws, otherwise in the screen's.
class WindowFrames {
 public:
  // The frame of a drawing that begins now on a screen plot width × height large
  // (PictureFrame, no canvas yet), or the export's.
  DrawFrame Begin(int width, int height) const;
  bool Exporting() const { return export_ != nullptr; }
  // An export's redraw: `redraw` runs with the export's frame as Begin's; `frame`
  // (the window's frame of the drawing under way) is put back afterwards.
  std::function<void(const DrawFrame&)> ExportRedraw(DrawFrame& frame,
                                                     std::function<void()> redraw);

 private:
  const DrawFrame* export_ = nullptr;
};

// `frame` with the window's curve pen as it is now: CurveColor and LineWidth.
DrawFrame CurveFrame(const DrawFrame& frame);

// The value of a window's curve at x, its definedness in TermDefined; and such a
// function asked one x at a time, as a batch.
using CurveValueFunction = std::function<double(double x)>;
CurveBatchFunction PointByPoint(CurveValueFunction curveValue);
// Traces such a curve one point at a time (TraceCurve).
void TraceValueCurve(const DrawFrame& frame, const CurveValueFunction& curveValue,
                     double scaleFrom, double scaleTo, double from, double to,
                     int stepPixels = 1);

}  // namespace kurvio
