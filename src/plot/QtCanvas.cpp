// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/QtCanvas.h"

#include "plot/PlotFrame.h"
#include "plot/WideLines.h"

#include <QFontMetrics>
#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace kurvio {

bool QtCanvasClipsChains = true;

namespace {

// A box in ascending order, within the range in which QRect arithmetic cannot overflow.
void Normalise(int& left, int& top, int& right, int& bottom) {
  auto clamp = [](int& v) { v = std::clamp(v, -kPixelLimit, kPixelLimit); };
  clamp(left);
  clamp(top);
  clamp(right);
  clamp(bottom);
  if (right < left) std::swap(left, right);
  if (bottom < top) std::swap(top, bottom);
}

}  // namespace

QColor ToQColor(Color c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

Color FromQColor(const QColor& c) { return RGB(c.red(), c.green(), c.blue()); }

QtCanvas::QtCanvas(QPaintDevice* device, bool antialiased)
    : painter_(device), antialiased_(antialiased) {
  painter_.setRenderHint(QPainter::Antialiasing, antialiased_);
  painter_.setRenderHint(QPainter::TextAntialiasing, true);
}

QtCanvas::~QtCanvas() {
  Flush();
  if (painter_.isActive()) painter_.end();
}

void QtCanvas::Flush() {
  if (pending_.size() < 2) {
    pending_.clear();
    return;
  }
  const Pen current = pen;
  pen = pendingPen_;
  ApplyPen(false);
  DrawPolyline(pending_);
  pen = current;
  pending_.clear();
}

bool QtCanvas::SpansWideLines() const {
  if (!spanWideLines_ || antialiased_ || pen.width < 2 || pen.style == PenStyle::Clear ||
      pen.mode != PenMode::Copy || !OnRaster() ||
      painter_.transform().type() > QTransform::TxTranslate)
    return false;
  const QPaintDevice* device = painter_.device();
  if (device->devType() != QInternal::Image) return false;
  const QImage::Format format = static_cast<const QImage*>(device)->format();
  return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
         format == QImage::Format_ARGB32_Premultiplied;
}

void QtCanvas::SpanPolyline(const QPolygon& points) {
  auto* image = static_cast<QImage*>(painter_.device());
  const int ox = static_cast<int>(painter_.transform().dx());
  const int oy = static_cast<int>(painter_.transform().dy());
  QRect clip = image->rect();
  if (painter_.hasClipping())
    clip &= painter_.clipBoundingRect().toAlignedRect().translated(ox, oy);
  if (clip.isEmpty()) return;
  std::vector<Point> device;
  device.reserve(static_cast<std::size_t>(points.size()));
  for (const QPoint& p : points) device.push_back({p.x() + ox, p.y() + oy});
  // As the painter does: into the pixels it paints on, without detaching them.
  uchar* bits = const_cast<uchar*>(image->constBits());
  const PixelRows rows{reinterpret_cast<std::uint32_t*>(bits), image->bytesPerLine() / 4};
  const PixelBox box{clip.left(), clip.top(), clip.right() + 1, clip.bottom() + 1};
  const std::uint32_t value = ToQColor(pen.color).rgb();
  const int w = pen.width;
  const std::vector<double> dashes = DashPattern(pen.style);
  if (dashes.empty()) return DrawWideChain(rows, box, device.data(), device.size(), w, value);
  std::vector<int> pattern;
  for (const double d : dashes) pattern.push_back(static_cast<int>(d) * w);
  DrawWideDashes(rows, box, device.data(), device.size(), w, value, pattern);
}

void QtCanvas::DrawPolyline(const QPolygon& points) {
  if (SpansWideLines()) {
    SpanPolyline(points);
    return;
  }
  // Qt writes the pixels of a thin line straight into an image only under a
  // rectangular clip; without one, each pixel goes through its span blender:
  // the same pixels at about one and a half times the cost. So a longer chain
  // on an unclipped image is drawn under a clip of the whole image.
  constexpr qsizetype kClippedChain = 8;
  const bool clipToImage = QtCanvasClipsChains && points.size() >= kClippedChain &&
                           !painter_.hasClipping() && OnRaster() &&
                           painter_.transform().type() <= QTransform::TxTranslate;
  if (clipToImage) {
    const QPaintDevice* device = painter_.device();
    painter_.setClipRect(
        painter_.transform().inverted().mapRect(QRect(0, 0, device->width(), device->height())));
  }
  painter_.drawPolyline(points);
  if (clipToImage) painter_.setClipping(false);
}

void QtCanvas::MoveTo(int x, int y) {
  Flush();
  Canvas::MoveTo(x, y);
}

bool QtCanvas::OnRaster() const {
  return painter_.paintEngine() && painter_.paintEngine()->type() == QPaintEngine::Raster;
}

void QtCanvas::ApplyMode() {
  // Not-xor needs a raster device; elsewhere (printer, PDF) lines are simply copied.
  painter_.setCompositionMode(pen.mode == PenMode::NotXor && OnRaster()
                                  ? QPainter::RasterOp_NotSourceXorDestination
                                  : QPainter::CompositionMode_SourceOver);
}

void QtCanvas::ApplyPen(bool closedShape) {
  if (pen.style == PenStyle::Clear) {
    painter_.setPen(Qt::NoPen);
    return;
  }
  QPen p(ToQColor(pen.color));
  const int width = std::max(pen.width, 1);
  p.setWidth(width);
  const std::vector<double> dashes = DashPattern(pen.style);
  if (dashes.empty())
    p.setStyle(Qt::SolidLine);
  else
    p.setDashPattern(QList<qreal>(dashes.begin(), dashes.end()));
  if (width <= 1) {
    // A flat cap leaves out the end pixel of a thin line, as LineTo must.
    p.setCapStyle(closedShape ? Qt::SquareCap : Qt::FlatCap);
    p.setJoinStyle(Qt::MiterJoin);
  } else if (pen.style != PenStyle::Solid) {
    // Each dash or dot of a wide pen with round caps is a path of curves of its own:
    // square ones look the same at a few pixels and cost a fraction.
    p.setCapStyle(Qt::FlatCap);
    p.setJoinStyle(Qt::MiterJoin);
  } else {
    p.setCapStyle(Qt::RoundCap);
    p.setJoinStyle(Qt::RoundJoin);
  }
  painter_.setPen(p);
  ApplyMode();
}

void QtCanvas::ApplyBrush() {
  static const Qt::BrushStyle kStyles[] = {Qt::SolidPattern, Qt::NoBrush,         Qt::HorPattern,
                                           Qt::VerPattern,   Qt::FDiagPattern,    Qt::BDiagPattern,
                                           Qt::CrossPattern, Qt::DiagCrossPattern};
  painter_.setBrush(QBrush(ToQColor(brush.color), kStyles[static_cast<int>(brush.style)]));
  // Hatched brushes leave the background between their lines as it is.
  painter_.setBackgroundMode(Qt::TransparentMode);
}

void QtCanvas::ApplyFont() {
  QFont f(IsSymbolFont(font.name) ? QStringLiteral("Arial") : QString::fromStdString(font.name));
  f.setPointSize(std::max(font.size, 1));
  f.setBold(font.bold);
  f.setItalic(font.italic);
  painter_.setFont(f);
}

QString QtCanvas::DisplayText(const std::string& text) const {
  return QString::fromStdString(IsSymbolFont(font.name) ? SymbolFontText(text) : text);
}

bool operator==(const Pen& a, const Pen& b) {
  return a.color == b.color && a.width == b.width && a.style == b.style && a.mode == b.mode;
}

void QtCanvas::LineTo(int x, int y) {
  const Point from = PenPos();
  SetPenPos(x, y);
  if (from == Point{x, y}) return;  // a line of no length draws nothing
  if (!pending_.isEmpty() && !(pendingPen_ == pen)) Flush();
  if (pending_.isEmpty()) {
    pendingPen_ = pen;
    pending_ << QPoint(from.x, from.y);
  }
  pending_ << QPoint(x, y);
}

void QtCanvas::PolylineTo(std::span<const Point> points) {
  for (const Point& p : points) QtCanvas::LineTo(p.x, p.y);
}

void QtCanvas::Polyline(const std::vector<Point>& points) {
  Flush();
  if (points.size() < 2) return;
  ApplyPen(false);
  QPolygon poly;
  for (const Point& p : points) poly << QPoint(p.x, p.y);
  DrawPolyline(poly);
}

void QtCanvas::Polygon(const std::vector<Point>& points) {
  Flush();
  if (points.empty()) return;
  ApplyBrush();
  QPolygon poly;
  for (const Point& p : points) poly << QPoint(p.x, p.y);
  if (SpansWideLines()) {
    // The inside as Qt fills it, the wide outline as spans over its edge: through
    // Qt's stroker the outline of a small marker costs many times its inside.
    painter_.setPen(Qt::NoPen);
    painter_.drawPolygon(poly);
    poly << poly.first();
    SpanPolyline(poly);
    return;
  }
  ApplyPen(true);
  painter_.drawPolygon(poly);
}

void QtCanvas::Rectangle(int left, int top, int right, int bottom) {
  Flush();
  Normalise(left, top, right, bottom);
  if (right <= left || bottom <= top) return;
  ApplyPen(true);
  ApplyBrush();
  // The outline lies inside the box: a 1-pixel pen covers left..right-1.
  painter_.drawRect(QRect(left, top, right - left - 1, bottom - top - 1));
}

void QtCanvas::Ellipse(int left, int top, int right, int bottom) {
  Flush();
  Normalise(left, top, right, bottom);
  ApplyPen(true);
  ApplyBrush();
  painter_.drawEllipse(QRect(left, top, right - left - 1, bottom - top - 1));
}

void QtCanvas::ArcAngles(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4,
                         int& start, int& span) const {
  const double cx = (left + right) / 2.0;
  const double cy = (top + bottom) / 2.0;
  // Screen y grows downwards; angles count counter-clockwise as seen on screen.
  const double a3 = std::atan2(cy - y3, x3 - cx);
  const double a4 = std::atan2(cy - y4, x4 - cx);
  double sweep = a4 - a3;
  while (sweep <= 0.0) sweep += 2.0 * std::numbers::pi;
  start = static_cast<int>(std::lround(a3 * 180.0 / std::numbers::pi * 16.0));
  span = static_cast<int>(std::lround(sweep * 180.0 / std::numbers::pi * 16.0));
}

void QtCanvas::Arc(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4) {
  Flush();
  Normalise(left, top, right, bottom);
  int start = 0, span = 0;
  ArcAngles(left, top, right, bottom, x3, y3, x4, y4, start, span);
  ApplyPen(false);
  painter_.drawArc(QRect(left, top, right - left - 1, bottom - top - 1), start, span);
}

void QtCanvas::Pie(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4) {
  Flush();
  Normalise(left, top, right, bottom);
  int start = 0, span = 0;
  ArcAngles(left, top, right, bottom, x3, y3, x4, y4, start, span);
  ApplyPen(true);
  ApplyBrush();
  painter_.drawPie(QRect(left, top, right - left - 1, bottom - top - 1), start, span);
}

void QtCanvas::FillRect(int left, int top, int right, int bottom) {
  Flush();
  Normalise(left, top, right, bottom);
  if (brush.style == BrushStyle::Clear) return;
  painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
  ApplyBrush();
  painter_.fillRect(QRect(left, top, right - left, bottom - top), painter_.brush());
}

void QtCanvas::TextOut(int x, int y, const std::string& text) {
  Flush();
  ApplyFont();
  painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
  const QString s = DisplayText(text);
  const QFontMetrics fm(painter_.font(), painter_.device());
  const QRect box(x, y, fm.horizontalAdvance(s), fm.height());
  if (brush.style != BrushStyle::Clear) painter_.fillRect(box, ToQColor(brush.color));
  painter_.setPen(ToQColor(font.color));
  painter_.drawText(QPoint(x, y + fm.ascent()), s);
}

int QtCanvas::TextWidth(const std::string& text) {
  ApplyFont();
  return QFontMetrics(painter_.font(), painter_.device()).horizontalAdvance(DisplayText(text));
}

int QtCanvas::TextHeight(const std::string& text) {
  (void)text;
  ApplyFont();
  return QFontMetrics(painter_.font(), painter_.device()).height();
}

void QtCanvas::SetClipRect(int left, int top, int right, int bottom) {
  Flush();
  Normalise(left, top, right, bottom);
  painter_.setClipRect(QRect(left, top, right - left, bottom - top));
}

void QtCanvas::ResetClip() {
  Flush();
  painter_.setClipping(false);
}

void QtCanvas::SetOrigin(int x, int y) {
  Flush();
  painter_.resetTransform();
  painter_.translate(x, y);
}

void QtCanvas::ShiftOrigin(int dx, int dy) {
  Flush();
  // The painter's transform is a pure translation, so logical and device steps agree;
  // the clip, fixed on the device when it was set, does not move.
  painter_.translate(dx, dy);
}

}  // namespace kurvio
