// SPDX-License-Identifier: GPL-3.0-or-later
#include "module/PictureFrame.h"

#include <optional>
#include <utility>

#include "plot/PlotFrame.h"
#include "settings/Preferences.h"
#include "settings/Settings.h"
#include "term/Term.h"

namespace kurvio {

WorldWindow SettingsView() { return {x1, x2, y1, y2}; }

void SetSettingsView(const WorldWindow& view) {
  x1 = view.x1;
  x2 = view.x2;
  y1 = view.y1;
  y2 = view.y2;
}

namespace {

// The view the user set, and what ApplyEqualUnits made of it (`widened`).
struct EqualUnitsState {
  WorldWindow set{}, widened{};
  bool active = false;
};
EqualUnitsState equalUnits;

}  // namespace

void ApplyEqualUnits(int width, int height) {
  EqualUnitsState& s = equalUnits;
  const WorldWindow now = SettingsView();
  if (!EqualUnits) {
    if (s.active && now == s.widened) SetSettingsView(s.set);
    s.active = false;
    return;
  }
  if (width <= 0 || height <= 0) return;
  if (!s.active || !(now == s.widened)) s.set = now;
  const std::optional<WorldWindow> widened = WithEqualUnits(s.set, width, height);
  if (!widened) return;
  SetSettingsView(*widened);
  s.widened = SettingsView();
  s.active = true;
}

AxisStyle SettingsAxes() {
  AxisStyle axes;
  axes.trig = TrigAxisMode;
  axes.numberLine = NumberLineMode;
  axes.grid = Gitter;
  axes.unitOnly = Skalierung;
  axes.autoTicks = AutoTickSteps;
  axes.manualX = ManualXTickStep;
  axes.manualY = ManualYTickStep;
  axes.decimalSeparator = DecimalSeparator;
  axes.gridColour = Farben::Gitter;
  axes.background = Farben::Hintergrund;
  return axes;
}

void ComputeTickSteps(const WorldWindow& view, const AxisStyle& axes, int width, int height) {
  const TickSteps steps = TickStepsFor(view, axes, width, height);
  XTickStep = steps.x;
  YTickStep = steps.y;
  AutoXTickStep = steps.autoX;
  AutoYTickStep = steps.autoY;
}

namespace {

CurvePen WindowCurvePen() { return {CurveColor, LineWidth}; }

}  // namespace

DrawFrame CurveFrame(const DrawFrame& frame) {
  DrawFrame withPen = frame;
  withPen.curve = WindowCurvePen();
  return withPen;
}

DrawFrame PictureFrame(Canvas* canvas, int width, int height, int top, double lineScale,
                       bool forExport) {
  ApplyEqualUnits(width, height);
  DrawFrame frame;
  frame.canvas = canvas;
  frame.world = SettingsView();
  frame.width = width;
  frame.height = height;
  frame.top = top;
  frame.lineScale = lineScale;
  frame.forExport = forExport;
  frame.presentation = PresentationMode;
  frame.axes = SettingsAxes();
  frame.curve = WindowCurvePen();
  ComputeTickSteps(frame.world, frame.axes, width, height);
  return frame;
}

DrawFrame WindowFrames::Begin(int width, int height) const {
  return export_ ? *export_ : PictureFrame(nullptr, width, height);
}

std::function<void(const DrawFrame&)> WindowFrames::ExportRedraw(DrawFrame& frame,
                                                                 std::function<void()> redraw) {
  return [this, &frame, redraw = std::move(redraw)](const DrawFrame& exportFrame) {
    const DrawFrame shown = frame;
    export_ = &exportFrame;
    redraw();
    export_ = nullptr;
    frame = shown;
  };
}

CurveBatchFunction PointByPoint(CurveValueFunction curveValue) {
  return [curveValue = std::move(curveValue)](const double* x, std::size_t count, double* y,
                                              bool* defined) {
    for (std::size_t i = 0; i < count; ++i) {
      y[i] = curveValue(x[i]);
      defined[i] = TermDefined;
    }
  };
}

void TraceValueCurve(const DrawFrame& frame, const CurveValueFunction& curveValue,
                     double scaleFrom, double scaleTo, double from, double to, int stepPixels) {
  TraceCurve(frame, PointByPoint(curveValue), scaleFrom, scaleTo, from, to, stepPixels,
             CurveSampling::OnePointAtATime);
}

}  // namespace kurvio
