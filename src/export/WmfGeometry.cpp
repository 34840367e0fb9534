// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/WmfGeometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kurvio {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

DPoint Lerp(DPoint a, DPoint b, double t) { return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t}; }

// One step of the polygon clipper: keeps the side of one box edge.
template <typename Inside, typename Cross>
DPolyline ClipAgainst(const DPolyline& in, Inside inside, Cross cross) {
  DPolyline out;
  if (in.empty()) return out;
  DPoint prev = in.back();
  bool prevIn = inside(prev);
  for (const DPoint& p : in) {
    const bool pIn = inside(p);
    if (pIn != prevIn) out.push_back(cross(prev, p));
    if (pIn) out.push_back(p);
    prev = p;
    prevIn = pIn;
  }
  return out;
}

DPoint CrossX(DPoint a, DPoint b, double x) {
  const double t = (x - a.x) / (b.x - a.x);
  return {x, a.y + (b.y - a.y) * t};
}

DPoint CrossY(DPoint a, DPoint b, double y) {
  const double t = (y - a.y) / (b.y - a.y);
  return {a.x + (b.x - a.x) * t, y};
}

}  // namespace

ClipBox ClipBox::Intersect(const ClipBox& other) const {
  return {std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
          std::min(bottom, other.bottom)};
}

bool ClipSegment(DPoint& a, DPoint& b, const ClipBox& box) {
  if (box.Empty()) return false;
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  double t0 = 0.0, t1 = 1.0;
  // The part with p·t <= q.
  auto edge = [&](double p, double q) {
    if (p == 0.0) return q >= 0.0;
    const double r = q / p;
    if (p < 0.0) {
      if (r > t1) return false;
      t0 = std::max(t0, r);
    } else {
      if (r < t0) return false;
      t1 = std::min(t1, r);
    }
    return true;
  };
  if (!edge(-dx, a.x - box.left) || !edge(dx, box.right - a.x) || !edge(-dy, a.y - box.top) ||
      !edge(dy, box.bottom - a.y))
    return false;
  const DPoint from = a;
  auto inBox = [&](DPoint p) {
    return DPoint{std::clamp(p.x, box.left, box.right), std::clamp(p.y, box.top, box.bottom)};
  };
  if (t1 < 1.0) b = inBox({from.x + t1 * dx, from.y + t1 * dy});
  if (t0 > 0.0) a = inBox({from.x + t0 * dx, from.y + t0 * dy});
  return true;
}

std::vector<DPolyline> ClipPolyline(const DPolyline& points, const ClipBox& box) {
  std::vector<DPolyline> runs;
  DPolyline run;
  auto finish = [&] {
    if (run.size() >= 2) runs.push_back(run);
    run.clear();
  };
  for (std::size_t i = 1; i < points.size(); ++i) {
    DPoint a = points[i - 1];
    DPoint b = points[i];
    if (a == b) continue;
    if (!ClipSegment(a, b, box)) {
      finish();
      continue;
    }
    if (run.empty() || !(run.back() == a)) {
      finish();
      run.push_back(a);
    }
    run.push_back(b);
    if (!(b == points[i])) finish();  // the line leaves the box here
  }
  finish();
  return runs;
}

DPolyline ClipPolygon(const DPolyline& polygon, const ClipBox& box) {
  if (box.Empty()) return {};
  DPolyline p = polygon;
  p = ClipAgainst(
      p, [&](DPoint q) { return q.x >= box.left; },
      [&](DPoint a, DPoint b) { return CrossX(a, b, box.left); });
  p = ClipAgainst(
      p, [&](DPoint q) { return q.x <= box.right; },
      [&](DPoint a, DPoint b) { return CrossX(a, b, box.right); });
  p = ClipAgainst(
      p, [&](DPoint q) { return q.y >= box.top; },
      [&](DPoint a, DPoint b) { return CrossY(a, b, box.top); });
  p = ClipAgainst(
      p, [&](DPoint q) { return q.y <= box.bottom; },
      [&](DPoint a, DPoint b) { return CrossY(a, b, box.bottom); });
  return p.size() >= 3 ? p : DPolyline{};
}

DPolyline EllipseArcPoints(const ClipBox& e, double start, double sweep) {
  const double cx = (e.left + e.right) / 2.0;
  const double cy = (e.top + e.bottom) / 2.0;
  const double rx = std::fabs(e.right - e.left) / 2.0;
  const double ry = std::fabs(e.bottom - e.top) / 2.0;
  // Enough points that a chord stays within a fraction of a unit of the curve.
  const double steps = std::ceil(std::fabs(sweep) * std::sqrt(std::max({rx, ry, 1.0})));
  const int n = static_cast<int>(std::clamp(steps, 8.0, 4096.0));
  DPolyline points;
  points.reserve(n + 1);
  for (int i = 0; i <= n; ++i) {
    const double a = start + sweep * i / n;
    points.push_back({cx + rx * std::cos(a), cy - ry * std::sin(a)});
  }
  return points;
}

void ArcAngles(const ClipBox& e, DPoint p3, DPoint p4, double& start, double& sweep) {
  const double cx = (e.left + e.right) / 2.0;
  const double cy = (e.top + e.bottom) / 2.0;
  const double rx = std::max(std::fabs(e.right - e.left) / 2.0, 0.5);
  const double ry = std::max(std::fabs(e.bottom - e.top) / 2.0, 0.5);
  // The ellipse's parameter where each ray meets it.
  const double a3 = std::atan2((cy - p3.y) / ry, (p3.x - cx) / rx);
  const double a4 = std::atan2((cy - p4.y) / ry, (p4.x - cx) / rx);
  start = a3;
  sweep = a4 - a3;
  while (sweep <= 0.0) sweep += kTwoPi;
  while (sweep > kTwoPi) sweep -= kTwoPi;
}

std::vector<std::pair<DPoint, DPoint>> HatchSegments(const DPolyline& polygon, BrushStyle style,
                                                     double spacing) {
  std::vector<std::pair<DPoint, DPoint>> segments;
  if (polygon.size() < 3 || !(spacing > 0.0)) return segments;
  // Each family of lines is {p : n·p = k·spacing}, walked along the direction d.
  struct Family {
    double nx, ny, dx, dy;
  };
  std::vector<Family> families;
  const bool horizontal = style == BrushStyle::Horizontal || style == BrushStyle::Cross;
  const bool vertical = style == BrushStyle::Vertical || style == BrushStyle::Cross;
  const bool forward = style == BrushStyle::FDiagonal || style == BrushStyle::DiagCross;
  const bool backward = style == BrushStyle::BDiagonal || style == BrushStyle::DiagCross;
  if (horizontal) families.push_back({0, 1, 1, 0});
  if (vertical) families.push_back({1, 0, 0, 1});
  if (forward) families.push_back({1, -1, 1, 1});   // "\": x - y constant
  if (backward) families.push_back({1, 1, 1, -1});  // "/": x + y constant

  struct Crossing {
    double along;
    DPoint p;
  };
  std::vector<Crossing> crossings;
  for (const Family& f : families) {
    double lo = INFINITY, hi = -INFINITY;
    for (const DPoint& p : polygon) {
      const double v = f.nx * p.x + f.ny * p.y;
      lo = std::min(lo, v);
      hi = std::max(hi, v);
    }
    const double kFirst = std::ceil(lo / spacing);
    const double kLast = std::floor(hi / spacing);
    if (!std::isfinite(kFirst) || !std::isfinite(kLast) || kLast - kFirst > 100000) continue;
    for (double k = kFirst; k <= kLast; k += 1.0) {
      const double c = k * spacing;
      crossings.clear();
      for (std::size_t i = 0; i < polygon.size(); ++i) {
        const DPoint a = polygon[i];
        const DPoint b = polygon[(i + 1) % polygon.size()];
        const double va = f.nx * a.x + f.ny * a.y;
        const double vb = f.nx * b.x + f.ny * b.y;
        // Half-open, so a line through a vertex counts it once.
        if ((va <= c && c < vb) || (vb <= c && c < va)) {
          const DPoint p = Lerp(a, b, (c - va) / (vb - va));
          crossings.push_back({f.dx * p.x + f.dy * p.y, p});
        }
      }
      std::sort(crossings.begin(), crossings.end(),
                [](const Crossing& u, const Crossing& v) { return u.along < v.along; });
      for (std::size_t i = 0; i + 1 < crossings.size(); i += 2)
        if (crossings[i + 1].along > crossings[i].along)
          segments.emplace_back(crossings[i].p, crossings[i + 1].p);
    }
  }
  return segments;
}

std::vector<DPolyline> DashRuns(const DPolyline& points, const std::vector<double>& pattern) {
  double period = 0.0;
  for (double d : pattern) period += d > 0.0 ? d : 0.0;
  if (pattern.empty() || !(period > 0.0)) return {points};
  std::vector<DPolyline> dashes;
  DPolyline dash;
  std::size_t k = 0;
  double left = std::max(pattern[0], 0.0);
  for (std::size_t i = 1; i < points.size(); ++i) {
    const DPoint a = points[i - 1];
    const DPoint b = points[i];
    const double length = std::hypot(b.x - a.x, b.y - a.y);
    double pos = 0.0;
    while (pos < length) {
      const double step = std::min(left, length - pos);
      if (k % 2 == 0 && step > 0.0) {
        if (dash.empty()) dash.push_back(Lerp(a, b, pos / length));
        dash.push_back(Lerp(a, b, (pos + step) / length));
      }
      pos += step;
      left -= step;
      if (left <= 1e-9) {
        if (k % 2 == 0 && dash.size() >= 2) dashes.push_back(dash);
        dash.clear();
        k = (k + 1) % pattern.size();
        left = std::max(pattern[k], 0.0);
      }
    }
  }
  if (dash.size() >= 2) dashes.push_back(dash);
  return dashes;
}

}  // namespace kurvio
