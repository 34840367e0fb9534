// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/WideLines.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace kurvio {
namespace {

struct Painter {
  PixelRows pixels;
  PixelBox clip;
  int width, before;  // `before` pixels on the near side of the centre line
  std::uint32_t value;

  void Row(int y, int left, int right) const {  // left..right inclusive
    if (y < clip.top || y >= clip.bottom) return;
    left = std::max(left, clip.left);
    right = std::min(right, clip.right - 1);
    if (left > right) return;
    std::fill(pixels.bits + y * pixels.stride + left, pixels.bits + y * pixels.stride + right + 1,
              value);
  }
  void Column(int x, int top, int bottom) const {
    if (x < clip.left || x >= clip.right) return;
    top = std::max(top, clip.top);
    bottom = std::min(bottom, clip.bottom - 1);
    for (int y = top; y <= bottom; ++y) pixels.bits[y * pixels.stride + x] = value;
  }
  void Square(int x, int y) const {
    for (int row = y - before; row < y - before + width; ++row)
      Row(row, x - before, x - before + width - 1);
  }
  // A segment already within reach of the clip, so that its steps are few.
  void Segment(int ax, int ay, int bx, int by) const {
    const int dx = std::abs(bx - ax), dy = std::abs(by - ay);
    const int sx = ax < bx ? 1 : -1, sy = ay < by ? 1 : -1;
    if (dx >= dy) {
      int err = dx / 2;
      for (int x = ax, y = ay;; x += sx) {
        Column(x, y - before, y - before + width - 1);
        if (x == bx) break;
        err -= dy;
        if (err < 0) y += sy, err += dx;
      }
    } else {
      int err = dy / 2;
      for (int y = ay, x = ax;; y += sy) {
        Row(y, x - before, x - before + width - 1);
        if (y == by) break;
        err -= dx;
        if (err < 0) x += sx, err += dy;
      }
    }
  }
};

// Cuts the segment to the box (Liang-Barsky); false when nothing of it is inside.
bool ClipSegment(double& ax, double& ay, double& bx, double& by, double left, double top,
                 double right, double bottom) {
  double t0 = 0.0, t1 = 1.0;
  const double dx = bx - ax, dy = by - ay;
  const double p[] = {-dx, dx, -dy, dy};
  const double q[] = {ax - left, right - ax, ay - top, bottom - ay};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0.0) {
      if (q[i] < 0.0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0.0)
      t0 = std::max(t0, t);
    else
      t1 = std::min(t1, t);
    if (t0 > t1) return false;
  }
  const double x0 = ax + t0 * dx, y0 = ay + t0 * dy;
  bx = ax + t1 * dx, by = ay + t1 * dy;
  ax = x0, ay = y0;
  return true;
}

}  // namespace

void DrawWideChain(PixelRows pixels, PixelBox clip, const Point* points, std::size_t count,
                   int width, std::uint32_t value) {
  if (count == 0 || width < 1 || clip.left >= clip.right || clip.top >= clip.bottom) return;
  const Painter painter{pixels, clip, width, (width - 1) / 2, value};
  // Segments are cut to the clip grown by the pen, so that a line from far
  // outside costs only the pixels it has inside.
  const double reach = width + 1.0;
  const double left = clip.left - reach, top = clip.top - reach;
  const double right = clip.right + reach, bottom = clip.bottom + reach;
  bool previousAlongX = true;
  for (std::size_t i = 0; i + 1 < count; ++i) {
    const Point a = points[i], b = points[i + 1];
    const bool alongX =
        std::abs(static_cast<long long>(b.x) - a.x) >= std::abs(static_cast<long long>(b.y) - a.y);
    if (i > 0 && alongX != previousAlongX) painter.Square(a.x, a.y);
    previousAlongX = alongX;
    const auto inside = [&](Point p) {
      return p.x > left && p.x < right && p.y > top && p.y < bottom;
    };
    if (inside(a) && inside(b)) {  // most segments of a curve: no cutting needed
      painter.Segment(a.x, a.y, b.x, b.y);
      continue;
    }
    double ax = a.x, ay = a.y, bx = b.x, by = b.y;
    if (!ClipSegment(ax, ay, bx, by, left, top, right, bottom)) continue;
    painter.Segment(static_cast<int>(std::lround(ax)), static_cast<int>(std::lround(ay)),
                    static_cast<int>(std::lround(bx)), static_cast<int>(std::lround(by)));
  }
  // The ends, as a round cap would close them.
  for (const Point p : {points[0], points[count - 1]})
    if (p.x > left && p.x < right && p.y > top && p.y < bottom) painter.Square(p.x, p.y);
}

void DrawWideDashes(PixelRows pixels, PixelBox clip, const Point* points, std::size_t count,
                    int width, std::uint32_t value, std::span<const int> pattern) {
  if (count == 0 || width < 1 || clip.left >= clip.right || clip.top >= clip.bottom) return;
  long long period = 0;
  for (const int length : pattern) {
    if (length < 1) return;
    period += length;
  }
  if (period == 0) return;
  const Painter painter{pixels, clip, width, (width - 1) / 2, value};
  const double reach = width + 1.0;
  const double left = clip.left - reach, top = clip.top - reach;
  const double right = clip.right + reach, bottom = clip.bottom + reach;
  long long travelled = 0;  // pixels along the chain so far, for the pattern's phase
  for (std::size_t i = 0; i + 1 < count; ++i) {
    const Point a = points[i], b = points[i + 1];
    const long long dx = static_cast<long long>(b.x) - a.x, dy = static_cast<long long>(b.y) - a.y;
    const long long length = std::max(std::llabs(dx), std::llabs(dy));
    const long long start = travelled;
    travelled += length;
    if (length == 0) continue;
    // Only the part within reach of the clip is walked.
    double ax = a.x, ay = a.y, bx = b.x, by = b.y;
    if (!ClipSegment(ax, ay, bx, by, left, top, right, bottom)) continue;
    const auto along = [&](double x, double y) {
      return static_cast<long long>(std::llround(std::llabs(dx) >= std::llabs(dy) ? (x - a.x) * (dx > 0 ? 1 : -1)
                                                                        : (y - a.y) * (dy > 0 ? 1 : -1)));
    };
    const long long from = along(ax, ay), to = along(bx, by);
    const auto at = [&](long long p, int& x, int& y) {
      x = static_cast<int>(a.x + std::llround(static_cast<double>(dx) * p / length));
      y = static_cast<int>(a.y + std::llround(static_cast<double>(dy) * p / length));
    };
    // The dash or gap the walk is in at `from`, and how far into it.
    long long phase = (start + from) % period;
    std::size_t k = 0;
    while (phase >= pattern[k]) phase -= pattern[k], k = (k + 1) % pattern.size();
    for (long long p = from; p < to;) {
      const long long end = std::min(to, p + pattern[k] - phase);
      if (k % 2 == 0) {  // a dash: pixels p .. end - 1
        int fromX, fromY, toX, toY;
        at(p, fromX, fromY);
        at(end - 1, toX, toY);
        painter.Segment(fromX, fromY, toX, toY);
      }
      p = end;
      phase = 0;
      k = (k + 1) % pattern.size();
    }
  }
}

}  // namespace kurvio
