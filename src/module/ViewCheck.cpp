// SPDX-License-Identifier: GPL-3.0-or-later
#include "module/ViewCheck.h"

#include <cmath>

#include "plot/PlotFrame.h"
#include "settings/Settings.h"

namespace kurvio {
namespace {

bool Usable(double size, double smallest, double largest) {
  return size >= smallest && size <= largest;  // false for NaN
}

}  // namespace

ViewRef PlotView() { return {x1, x2, y1, y2}; }

void InitWerte(const ViewRef& view) {
  view.xa = StartValues.x1;
  view.xb = StartValues.x2;
  view.ya = StartValues.y1;
  view.yb = StartValues.y2;
}

void WertePruefen(const ViewRef& view, const std::function<void()>& initWerte,
                  const ViewLimits& limits, const std::function<void()>& afterClamp) {
  if (view.xa < limits.lowest) view.xa = limits.lowest;
  if (view.ya < limits.lowest) view.ya = limits.lowest;
  if (view.xb > limits.highest) view.xb = limits.highest;
  if (view.yb > limits.highest) view.yb = limits.highest;
  if (afterClamp) afterClamp();
  if (!Usable(std::fabs(view.xb - view.xa), limits.minWidth, limits.maxWidth) && initWerte)
    initWerte();
  if (!Usable(std::fabs(view.yb - view.ya), limits.minHeight, limits.maxHeight) && initWerte)
    initWerte();
}

}  // namespace kurvio
