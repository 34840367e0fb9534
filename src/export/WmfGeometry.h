// SPDX-License-Identifier: GPL-3.0-or-later
// Plane geometry for the metafile writer: its coordinates are 16-bit, so
// everything is clipped in double precision before it is rounded, and hatch
// patterns and dashes are drawn as plain lines that every reader shows alike.
#pragma once

#include <utility>
#include <vector>

#include "plot/Canvas.h"

namespace kurvio {

struct DPoint {
  double x = 0.0;
  double y = 0.0;
  friend bool operator==(const DPoint&, const DPoint&) = default;
};

using DPolyline = std::vector<DPoint>;

struct ClipBox {
  double left = 0.0, top = 0.0, right = 0.0, bottom = 0.0;
  bool Empty() const { return !(left <= right && top <= bottom); }
  bool Contains(DPoint p) const {
    return left <= p.x && p.x <= right && top <= p.y && p.y <= bottom;
  }
  ClipBox Intersect(const ClipBox& other) const;
};

// Cuts the segment a-b to the box; false when nothing of it lies inside.
bool ClipSegment(DPoint& a, DPoint& b, const ClipBox& box);

// The parts of the polyline inside the box, each with at least two points.
std::vector<DPolyline> ClipPolyline(const DPolyline& points, const ClipBox& box);

// The polygon cut to the box (its edges along the box where it was cut);
// empty when nothing is left.
DPolyline ClipPolygon(const DPolyline& polygon, const ClipBox& box);

// Points along the ellipse in the box, from `start` over `sweep` radians,
// counter-clockwise as seen on screen (y grows downwards).
DPolyline EllipseArcPoints(const ClipBox& ellipseBox, double start, double sweep);

// Start angle and counter-clockwise sweep (radians, sweep in (0, 2π]) of the
// arc of the box from the ray towards p3 to the ray towards p4.
void ArcAngles(const ClipBox& ellipseBox, DPoint p3, DPoint p4, double& start, double& sweep);

// The hatch lines of a hatch brush inside a polygon (even-odd rule), lines
// `spacing` apart and anchored at the device origin as a pattern brush is.
std::vector<std::pair<DPoint, DPoint>> HatchSegments(const DPolyline& polygon, BrushStyle style,
                                                     double spacing);

// The dashes of a polyline for a pattern of on/off lengths that starts "on".
std::vector<DPolyline> DashRuns(const DPolyline& points, const std::vector<double>& pattern);

}  // namespace kurvio
