// SPDX-License-Identifier: GPL-3.0-or-later
// The canvas on a QPainter: an off-screen QImage, a printer or any other
// paint device.
#pragma once

#include <QPainter>

#include "plot/Canvas.h"

class QPaintDevice;

namespace kurvio {

// False draws every chain as Qt does without a clip of its own, so that tests
// can compare the two.
extern bool QtCanvasClipsChains;

QColor ToQColor(Color c);
Color FromQColor(const QColor& c);

class QtCanvas : public Canvas {
 public:
  // Paints on the device until destroyed. Lines are aliased unless
  // `antialiased`, so that layers combined with AND and not-xor rubber bands
  // work on exact pixels.
  explicit QtCanvas(QPaintDevice* device, bool antialiased = false);
  ~QtCanvas() override;
  QtCanvas(const QtCanvas&) = delete;
  QtCanvas& operator=(const QtCanvas&) = delete;

  // The painter, with every line drawn so far on it.
  QPainter& painter() {
    Flush();
    return painter_;
  }

  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void PolylineTo(std::span<const Point> points) override;
  void Polyline(const std::vector<Point>& points) override;
  void Polygon(const std::vector<Point>& points) override;
  void Rectangle(int left, int top, int right, int bottom) override;
  void Ellipse(int left, int top, int right, int bottom) override;
  void Arc(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4) override;
  void Pie(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4) override;
  void FillRect(int left, int top, int right, int bottom) override;
  void TextOut(int x, int y, const std::string& text) override;
  int TextWidth(const std::string& text) override;
  int TextHeight(const std::string& text) override;
  void SetClipRect(int left, int top, int right, int bottom) override;
  void ResetClip() override;
  void SetOrigin(int x, int y) override;
  void ShiftOrigin(int dx, int dy) override;

  // Presentation mode's thick lines: solid and dashed lines two pixels wide or more on an
  // aliased 32-bit image are drawn as spans into its pixels (plot/WideLines.h),
  // as Qt's stroker is too slow for thick graphs at projector sizes.
  void SpanWideLines(bool on) { spanWideLines_ = on; }

 private:
  // Consecutive LineTo calls are collected into one polyline and drawn when
  // anything else happens: far fewer painter calls, and joints drawn once, as
  // a not-xor chain needs.
  void Flush();
  void DrawPolyline(const QPolygon& points);
  // Whether the pen's lines are drawn as spans (SpanWideLines), solid or dashed.
  bool SpansWideLines() const;
  void SpanPolyline(const QPolygon& points);
  // Whether the painter draws into an image (not on a printer, PDF or SVG).
  bool OnRaster() const;
  void ApplyPen(bool closedShape);
  void ApplyBrush();
  void ApplyFont();
  void ApplyMode();
  QString DisplayText(const std::string& text) const;
  // Start and span angles (1/16 degree) of the arc of the box from ray 3 to ray 4.
  void ArcAngles(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4,
                 int& start, int& span) const;

  QPainter painter_;
  bool antialiased_;
  bool spanWideLines_ = false;
  QPolygon pending_;
  Pen pendingPen_;
};

}  // namespace kurvio
