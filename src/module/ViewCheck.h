// SPDX-License-Identifier: GPL-3.0-or-later
// The check of a graph window's coordinate window after a zoom, a shift or
// the rubber band, and its reset to the start values. Every window checks
// four values of its own (the main window x1..y2, the covariation window its
// rails) with limits of its own.
#pragma once

#include <functional>

namespace kurvio {

// The four values of a coordinate window, by reference.
struct ViewRef {
  double& xa;
  double& xb;
  double& ya;
  double& yb;
};

struct ViewLimits {
  double lowest = -10000.0;   // xa and ya are raised to it
  double highest = 100000.0;  // xb and yb are lowered to it
  double minWidth = 0.0001;   // a width outside minWidth..maxWidth resets the view
  double maxWidth = 1e7;
  double minHeight = 0.0001;  // likewise the height
  double maxHeight = 1e7;
};

// The plot frame's world window x1, x2, y1, y2.
ViewRef PlotView();

// The view's start values: x1, x2, y1, y2 of StartValues.
void InitWerte(const ViewRef& view);

// Clamps the view to lowest/highest, runs `afterClamp` (a window's own rule),
// then `initWerte` when the width is unusable and again when the height is.
// NaN counts as unusable.
void WertePruefen(const ViewRef& view, const std::function<void()>& initWerte,
                  const ViewLimits& limits = {}, const std::function<void()>& afterClamp = {});

}  // namespace kurvio
