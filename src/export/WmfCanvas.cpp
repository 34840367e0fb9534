// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/WmfCanvas.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "export/WmfText.h"

namespace kurvio {
namespace {

// Record functions.
constexpr std::uint16_t kEof = 0x0000;
constexpr std::uint16_t kSaveDc = 0x001E;
constexpr std::uint16_t kSetBkMode = 0x0102;
constexpr std::uint16_t kSetMapMode = 0x0103;
constexpr std::uint16_t kSetRop2 = 0x0104;
constexpr std::uint16_t kSetPolyFillMode = 0x0106;
constexpr std::uint16_t kRestoreDc = 0x0127;
constexpr std::uint16_t kSelectObject = 0x012D;
constexpr std::uint16_t kSetTextAlign = 0x012E;
constexpr std::uint16_t kDeleteObject = 0x01F0;
constexpr std::uint16_t kSetBkColor = 0x0201;
constexpr std::uint16_t kSetTextColor = 0x0209;
constexpr std::uint16_t kSetWindowOrg = 0x020B;
constexpr std::uint16_t kSetWindowExt = 0x020C;
constexpr std::uint16_t kLineTo = 0x0213;
constexpr std::uint16_t kMoveTo = 0x0214;
constexpr std::uint16_t kCreatePen = 0x02FA;
constexpr std::uint16_t kCreateFont = 0x02FB;
constexpr std::uint16_t kCreateBrush = 0x02FC;
constexpr std::uint16_t kPolygon = 0x0324;
constexpr std::uint16_t kPolyline = 0x0325;
constexpr std::uint16_t kIntersectClipRect = 0x0416;
constexpr std::uint16_t kEllipse = 0x0418;
constexpr std::uint16_t kRectangle = 0x041B;
constexpr std::uint16_t kTextOut = 0x0521;
constexpr std::uint16_t kArc = 0x0817;
constexpr std::uint16_t kPie = 0x081A;

constexpr int kPsSolid = 0;
constexpr int kPsNull = 5;
constexpr int kPsEndcapFlat = 0x0200;
constexpr int kBsSolid = 0;
constexpr int kBsNull = 1;
constexpr int kOpaque = 2;
constexpr int kTransparent = 1;
constexpr int kR2NotXorPen = 10;
constexpr int kR2CopyPen = 13;
constexpr int kSymbolCharset = 2;

// Objects kept for reuse per kind; a plot switches between a few pens.
constexpr int kCachedObjects[3] = {6, 4, 4};
// Points per POLYLINE record; the count is a signed 16-bit number.
constexpr std::size_t kPolylineChunk = 4000;
// Characters per TEXTOUT record.
constexpr std::size_t kTextChunk = 1000;

class Params {
 public:
  Params& Word(int v) {
    const auto u = static_cast<std::uint16_t>(std::clamp(v, -32768, 65535));
    bytes_.push_back(static_cast<char>(u & 0xFF));
    bytes_.push_back(static_cast<char>(u >> 8));
    return *this;
  }
  Params& Short(long v) { return Word(static_cast<int>(std::clamp(v, -32768L, 32767L))); }
  Params& ColorRef(Color c) {
    Word(static_cast<int>(c & 0xFFFF));
    return Word(static_cast<int>((c >> 16) & 0xFF));
  }
  Params& Bytes(const std::string& b) {
    bytes_ += b;
    if (bytes_.size() % 2) bytes_.push_back('\0');
    return *this;
  }
  const std::string& str() const { return bytes_; }

 private:
  std::string bytes_;
};

void PutWord(std::string& s, std::uint32_t v) {
  s.push_back(static_cast<char>(v & 0xFF));
  s.push_back(static_cast<char>((v >> 8) & 0xFF));
}

void PutDword(std::string& s, std::uint32_t v) {
  PutWord(s, v & 0xFFFF);
  PutWord(s, v >> 16);
}

bool SamePen(const Pen& a, const Pen& b) {
  return a.color == b.color && a.width == b.width && a.style == b.style && a.mode == b.mode;
}

bool Hatched(BrushStyle s) { return s != BrushStyle::Solid && s != BrushStyle::Clear; }

int PenStyleCode(PenStyle s) {
  switch (s) {
    case PenStyle::Dash:
      return 1;
    case PenStyle::Dot:
      return 2;
    case PenStyle::DashDot:
      return 3;
    case PenStyle::DashDotDot:
      return 4;
    case PenStyle::Clear:
      return kPsNull;
    default:
      return kPsSolid;
  }
}


long Round(double v) { return std::lround(std::clamp(v, -32768.0, 32767.0)); }

Point RoundPoint(DPoint p) { return {static_cast<int>(Round(p.x)), static_cast<int>(Round(p.y))}; }

// Windows-1252 bytes of a font name, at most 31 of them.
std::string FaceName(const std::string& name) {
  std::string face;
  for (const TextRun& run : SplitTextRuns(name, false))
    if (!run.symbol) face += run.bytes;
  if (face.empty()) face = "Arial";
  if (face.size() > 31) face.resize(31);
  return face;
}

}  // namespace

WmfCanvas::WmfCanvas(int width, int height, double scale)
    : width_(std::clamp(width, 1, kMaxSize)),
      height_(std::clamp(height, 1, kMaxSize)),
      scale_(std::isfinite(scale) ? std::clamp(scale, 0.01, 100.0) : 1.0) {
  picture_ = {0.0, 0.0, static_cast<double>(width_), static_cast<double>(height_)};
  box_ = picture_;
  Emit(kSetMapMode, Params().Word(8).str());  // anisotropic: the window maps onto the frame
  Emit(kSetWindowOrg, Params().Short(0).Short(0).str());
  Emit(kSetWindowExt, Params().Short(height_).Short(width_).str());
  Emit(kSetBkMode, Params().Word(kTransparent).str());
  Emit(kSetTextAlign, Params().Word(0).str());  // (x, y) is the top left of the text
  Emit(kSetRop2, Params().Word(kR2CopyPen).str());
  Emit(kSetPolyFillMode, Params().Word(1).str());  // alternate, as the screen fills
}

void WmfCanvas::Emit(std::uint16_t function, const std::string& params) {
  const auto words = static_cast<std::uint32_t>(3 + params.size() / 2);
  PutDword(records_, words);
  PutWord(records_, function);
  records_ += params;
  maxRecord_ = std::max(maxRecord_, words);
}

void WmfCanvas::Select(Kind kind, const std::string& data) {
  ++useClock_;
  const int current = device_.selected[kind];
  if (current >= 0 && slots_[current].data == data) {
    slots_[current].lastUse = useClock_;
    return;
  }
  int index = -1;
  for (std::size_t i = 0; i < slots_.size(); ++i)
    if (slots_[i].used && slots_[i].kind == kind && slots_[i].data == data)
      index = static_cast<int>(i);
  if (index < 0) {
    // A new object takes the lowest free slot of the table, as the player assigns them.
    while (index + 1 < static_cast<int>(slots_.size()) && slots_[index + 1].used) ++index;
    ++index;
    if (index == static_cast<int>(slots_.size())) slots_.emplace_back();
    slots_[index] = {true, kind, data, useClock_};
    static constexpr std::uint16_t kCreate[kKinds] = {kCreatePen, kCreateBrush, kCreateFont};
    Emit(kCreate[kind], data);
  }
  slots_[index].lastUse = useClock_;
  Emit(kSelectObject, Params().Word(index).str());
  device_.selected[kind] = index;

  // Delete the least recently used objects beyond the cache, never one that is
  // selected now or that a pending restore selects again.
  for (;;) {
    int count = 0, oldest = -1;
    for (std::size_t i = 0; i < slots_.size(); ++i) {
      const Slot& s = slots_[i];
      if (!s.used || s.kind != kind) continue;
      ++count;
      const int k = static_cast<int>(i);
      if (k == device_.selected[kind] || (saved_ && k == saved_->selected[kind])) continue;
      if (oldest < 0 || s.lastUse < slots_[oldest].lastUse) oldest = k;
    }
    if (count <= kCachedObjects[kind] || oldest < 0) break;
    Emit(kDeleteObject, Params().Word(oldest).str());
    slots_[oldest].used = false;
  }
}

void WmfCanvas::SelectPen(int style, int width, Color color) {
  Select(kPen, Params().Word(style).Short(std::max(width, 0)).Word(0).ColorRef(color).str());
}

void WmfCanvas::SelectBrush(int style, Color color) {
  Select(kBrush, Params().Word(style).ColorRef(style == kBsNull ? 0 : color).Word(0).str());
}

void WmfCanvas::SelectFont(bool symbol) {
  std::string face = symbol ? std::string("Symbol") : FaceName(font.name);
  face.resize(32, '\0');
  Params p;
  p.Short(-FontEm()).Word(0).Word(0).Word(0).Word(font.bold ? 700 : 400);
  p.Word((font.italic ? 1 : 0));               // italic, underline
  p.Word((symbol ? kSymbolCharset : 0) << 8);  // strike-out, charset
  p.Word(0).Word(0);                           // precisions, quality, pitch
  p.Bytes(face);
  Select(kFont, p.str());
}

void WmfCanvas::SetRop2(PenMode mode) {
  const int rop = mode == PenMode::NotXor ? kR2NotXorPen : kR2CopyPen;
  if (device_.rop2 == rop) return;
  Emit(kSetRop2, Params().Word(rop).str());
  device_.rop2 = rop;
}

void WmfCanvas::SetBkMode(int mode) {
  if (device_.bkMode == mode) return;
  Emit(kSetBkMode, Params().Word(mode).str());
  device_.bkMode = mode;
}

void WmfCanvas::SetBkColor(Color color) {
  color &= 0xFFFFFF;
  if (device_.bkColor == color) return;
  Emit(kSetBkColor, Params().ColorRef(color).str());
  device_.bkColor = color;
}

void WmfCanvas::SetTextColor(Color color) {
  color &= 0xFFFFFF;
  if (device_.textColor == color) return;
  Emit(kSetTextColor, Params().ColorRef(color).str());
  device_.textColor = color;
}

void WmfCanvas::SelectShapePen() {
  SetRop2(pen.mode);
  // Gaps of a dashed outline stay see-through.
  if (pen.style != PenStyle::Solid) SetBkMode(kTransparent);
  SelectPen(PenStyleCode(pen.style), pen.width, pen.color);
}

void WmfCanvas::SelectShapeBrush() {
  // Hatches are drawn as lines beforehand; the shape itself is then hollow.
  if (brush.style == BrushStyle::Solid)
    SelectBrush(kBsSolid, brush.color);
  else
    SelectBrush(kBsNull, 0);
}

DPoint WmfCanvas::Device(int x, int y) const {
  return {static_cast<double>(x) + origin_.x, static_cast<double>(y) + origin_.y};
}

bool WmfCanvas::Inside(const ClipBox& b) const {
  return box_.left <= b.left && b.right <= box_.right && box_.top <= b.top &&
         b.bottom <= box_.bottom;
}

int WmfCanvas::FontEm() const {
  const double em = std::round(font.size * kUnitsPerPoint);
  return static_cast<int>(std::clamp(em, 1.0, 32767.0));
}

void WmfCanvas::MoveTo(int x, int y) {
  Flush();
  Canvas::MoveTo(x, y);
}

void WmfCanvas::LineTo(int x, int y) {
  const Point from = PenPos();
  SetPenPos(x, y);
  if (finished_ || from == Point{x, y}) return;  // a line of no length draws nothing
  if (!pending_.empty() && !SamePen(pendingPen_, pen)) Flush();
  if (pending_.empty()) {
    pendingPen_ = pen;
    pending_.push_back(Device(from.x, from.y));
  }
  pending_.push_back(Device(x, y));
}

void WmfCanvas::Flush() {
  if (pending_.size() >= 2) DrawLines(pending_, pendingPen_);
  pending_.clear();
}

void WmfCanvas::EmitMoveTo(Point p) {
  if (hasDevicePos_ && devicePos_ == p) return;
  Emit(kMoveTo, Params().Short(p.y).Short(p.x).str());
  devicePos_ = p;
  hasDevicePos_ = true;
}

void WmfCanvas::EmitRun(const DPolyline& run) {
  std::vector<Point> points;
  for (const DPoint& d : run) {
    const Point p = RoundPoint(d);
    if (points.empty() || !(points.back() == p)) points.push_back(p);
  }
  if (points.size() < 2) return;
  if (points.size() == 2) {
    EmitMoveTo(points[0]);
    Emit(kLineTo, Params().Short(points[1].y).Short(points[1].x).str());
    devicePos_ = points[1];
    return;
  }
  // Long runs go out in pieces that share their joint points.
  for (std::size_t start = 0; start + 1 < points.size(); start += kPolylineChunk) {
    const std::size_t end = std::min(start + kPolylineChunk, points.size() - 1);
    Params p;
    p.Word(static_cast<int>(end - start + 1));
    for (std::size_t i = start; i <= end; ++i) p.Short(points[i].x).Short(points[i].y);
    Emit(kPolyline, p.str());
  }
}

void WmfCanvas::DrawLines(const DPolyline& device, const Pen& linePen) {
  if (finished_ || linePen.style == PenStyle::Clear) return;
  const std::vector<DPolyline> runs = ClipPolyline(device, box_);
  if (runs.empty()) return;
  SetRop2(linePen.mode);
  const std::vector<double> pattern = DashPattern(linePen.style);
  if (pattern.empty()) {
    SelectPen(kPsSolid, linePen.width, linePen.color);
    for (const DPolyline& run : runs) EmitRun(run);
    return;
  }
  // Dashes as short solid lines: not every reader draws dashed pens.
  std::vector<double> lengths;
  for (double d : pattern) lengths.push_back(d * std::max(linePen.width, 1));
  SelectPen(kPsSolid | kPsEndcapFlat, linePen.width, linePen.color);
  for (const DPolyline& run : runs)
    for (const DPolyline& dash : DashRuns(run, lengths)) EmitRun(dash);
}

void WmfCanvas::DrawHatch(const DPolyline& device) {
  const DPolyline inside = ClipPolygon(device, box_);
  const auto segments = HatchSegments(inside, brush.style, 8.0 * scale_);
  if (segments.empty()) return;
  SelectPen(kPsSolid, std::max(1, static_cast<int>(std::lround(scale_))), brush.color);
  for (const auto& [a, b] : segments) EmitRun({a, b});
}

void WmfCanvas::DrawClippedShape(const DPolyline& device) {
  if (device.size() < 2) return;
  SetRop2(pen.mode);
  const DPolyline inside = ClipPolygon(device, box_);
  // A POLYGON record counts its points in 16 bits; a larger one is left unfilled.
  if (!inside.empty() && inside.size() <= 30000 && brush.style == BrushStyle::Solid) {
    SelectPen(kPsNull, 0, 0);
    SelectBrush(kBsSolid, brush.color);
    Params p;
    p.Word(static_cast<int>(inside.size()));
    for (const DPoint& d : inside) {
      const Point q = RoundPoint(d);
      p.Short(q.x).Short(q.y);
    }
    Emit(kPolygon, p.str());
  } else if (!inside.empty() && Hatched(brush.style)) {
    DrawHatch(inside);
  }
  DPolyline ring = device;
  ring.push_back(device.front());
  DrawLines(ring, pen);
}

void WmfCanvas::Polyline(const std::vector<Point>& points) {
  Flush();
  DPolyline device;
  for (const Point& p : points) device.push_back(Device(p.x, p.y));
  DrawLines(device, pen);
}

void WmfCanvas::Polygon(const std::vector<Point>& points) {
  Flush();
  if (finished_ || points.size() < 2) return;
  DPolyline device;
  ClipBox bounds{INFINITY, INFINITY, -INFINITY, -INFINITY};
  for (const Point& p : points) {
    const DPoint d = Device(p.x, p.y);
    device.push_back(d);
    bounds = {std::min(bounds.left, d.x), std::min(bounds.top, d.y), std::max(bounds.right, d.x),
              std::max(bounds.bottom, d.y)};
  }
  if (!Inside(bounds) || device.size() > 30000) {
    DrawClippedShape(device);
    return;
  }
  if (Hatched(brush.style)) DrawHatch(device);
  if (pen.style == PenStyle::Clear && brush.style != BrushStyle::Solid) return;
  SelectShapePen();
  SelectShapeBrush();
  Params p;
  p.Word(static_cast<int>(device.size()));
  for (const DPoint& d : device) {
    const Point q = RoundPoint(d);
    p.Short(q.x).Short(q.y);
  }
  Emit(kPolygon, p.str());
}

void WmfCanvas::DrawBoxShape(std::uint16_t function, const ClipBox& box, const DPolyline& outline,
                             const std::string& extra) {
  if (box.Intersect(box_).Empty()) return;
  if (!Inside(box)) {
    DrawClippedShape(outline);
    return;
  }
  if (Hatched(brush.style)) DrawHatch(outline);
  if (pen.style == PenStyle::Clear && brush.style != BrushStyle::Solid) return;
  SelectShapePen();
  SelectShapeBrush();
  Emit(function, extra + Params()
                             .Short(Round(box.bottom))
                             .Short(Round(box.right))
                             .Short(Round(box.top))
                             .Short(Round(box.left))
                             .str());
}

namespace {

// A box in ascending order; false when it has no area.
bool OrderBox(int& left, int& top, int& right, int& bottom) {
  if (right < left) std::swap(left, right);
  if (bottom < top) std::swap(top, bottom);
  return right > left && bottom > top;
}

}  // namespace

void WmfCanvas::Rectangle(int left, int top, int right, int bottom) {
  Flush();
  if (finished_) return;
  if (!OrderBox(left, top, right, bottom)) return;
  const DPoint a = Device(left, top), b = Device(right, bottom);
  ClipBox box{a.x, a.y, b.x, b.y};
  if (!Inside(box)) {
    // Cut to the picture; a rectangle stays a rectangle.
    box = box.Intersect(box_);
    if (box.Empty()) return;
  }
  const DPolyline outline{
      {box.left, box.top}, {box.right, box.top}, {box.right, box.bottom}, {box.left, box.bottom}};
  DrawBoxShape(kRectangle, box, outline, {});
}

void WmfCanvas::FillRect(int left, int top, int right, int bottom) {
  Flush();
  if (finished_ || brush.style == BrushStyle::Clear) return;
  if (right < left) std::swap(left, right);
  if (bottom < top) std::swap(top, bottom);
  const DPoint a = Device(left, top), b = Device(right, bottom);
  const ClipBox box = ClipBox{a.x, a.y, b.x, b.y}.Intersect(box_);
  if (box.Empty() || box.right - box.left < 1 || box.bottom - box.top < 1) return;
  SetRop2(PenMode::Copy);
  if (Hatched(brush.style)) {
    DrawHatch({{box.left, box.top},
               {box.right, box.top},
               {box.right, box.bottom},
               {box.left, box.bottom}});
    return;
  }
  // Without an outline the player leaves out one more row and column.
  SelectPen(kPsNull, 0, 0);
  SelectBrush(kBsSolid, brush.color);
  Emit(kRectangle, Params()
                       .Short(Round(box.bottom) + 1)
                       .Short(Round(box.right) + 1)
                       .Short(Round(box.top))
                       .Short(Round(box.left))
                       .str());
}

void WmfCanvas::Ellipse(int left, int top, int right, int bottom) {
  Flush();
  if (finished_) return;
  if (!OrderBox(left, top, right, bottom)) return;
  const DPoint a = Device(left, top), b = Device(right, bottom);
  const ClipBox box{a.x, a.y, b.x, b.y};
  const ClipBox drawn{a.x, a.y, b.x - 1, b.y - 1};  // the right and bottom edge are left out
  DrawBoxShape(kEllipse, box, EllipseArcPoints(drawn, 0.0, 2.0 * std::numbers::pi), {});
}

namespace {

// A radial end point in 16-bit range, in the same direction from the centre.
Point RadialPoint(DPoint centre, DPoint p) {
  double t = 1.0;
  const double dx = p.x - centre.x, dy = p.y - centre.y;
  auto limit = [&](double c, double d) {
    if (c + d > 32767.0) t = std::min(t, (32767.0 - c) / d);
    if (c + d < -32768.0) t = std::min(t, (-32768.0 - c) / d);
  };
  limit(centre.x, dx);
  limit(centre.y, dy);
  return RoundPoint({centre.x + dx * t, centre.y + dy * t});
}

}  // namespace

void WmfCanvas::Arc(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4) {
  Flush();
  if (finished_ || pen.style == PenStyle::Clear) return;
  if (!OrderBox(left, top, right, bottom)) return;
  const DPoint a = Device(left, top), b = Device(right, bottom);
  const ClipBox box{a.x, a.y, b.x, b.y};
  if (box.Intersect(box_).Empty()) return;
  const ClipBox drawn{a.x, a.y, b.x - 1, b.y - 1};
  const DPoint p3 = Device(x3, y3), p4 = Device(x4, y4);
  if (!Inside(box)) {
    double start, sweep;
    ArcAngles(drawn, p3, p4, start, sweep);
    DrawLines(EllipseArcPoints(drawn, start, sweep), pen);
    return;
  }
  const DPoint centre{(box.left + box.right) / 2.0, (box.top + box.bottom) / 2.0};
  const Point r3 = RadialPoint(centre, p3), r4 = RadialPoint(centre, p4);
  SelectShapePen();
  Emit(kArc, Params()
                 .Short(r4.y)
                 .Short(r4.x)
                 .Short(r3.y)
                 .Short(r3.x)
                 .Short(Round(box.bottom))
                 .Short(Round(box.right))
                 .Short(Round(box.top))
                 .Short(Round(box.left))
                 .str());
}

void WmfCanvas::Pie(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4) {
  Flush();
  if (finished_) return;
  if (!OrderBox(left, top, right, bottom)) return;
  const DPoint a = Device(left, top), b = Device(right, bottom);
  const ClipBox box{a.x, a.y, b.x, b.y};
  const ClipBox drawn{a.x, a.y, b.x - 1, b.y - 1};
  const DPoint p3 = Device(x3, y3), p4 = Device(x4, y4);
  double start, sweep;
  ArcAngles(drawn, p3, p4, start, sweep);
  DPolyline outline = EllipseArcPoints(drawn, start, sweep);
  outline.insert(outline.begin(),
                 DPoint{(drawn.left + drawn.right) / 2, (drawn.top + drawn.bottom) / 2});
  const DPoint centre{(box.left + box.right) / 2.0, (box.top + box.bottom) / 2.0};
  const Point r3 = RadialPoint(centre, p3), r4 = RadialPoint(centre, p4);
  DrawBoxShape(kPie, box, outline, Params().Short(r4.y).Short(r4.x).Short(r3.y).Short(r3.x).str());
}

void WmfCanvas::TextOut(int x, int y, const std::string& text) {
  Flush();
  if (finished_ || text.empty()) return;
  const std::vector<TextRun> runs = SplitTextRuns(text, IsSymbolFont(font.name));
  const int em = FontEm();
  double width = 0.0;
  for (const TextRun& run : runs) width += RunWidthEm(run, font.bold) * em;
  const DPoint at = Device(x, y);
  const ClipBox cell{at.x, at.y, at.x + width, at.y + em * kLineHeightEm};
  // Text cannot be cut; what lies wholly outside is left out, the rest the clip region cuts.
  if (cell.Intersect(box_).Empty() || at.x < -32768.0 || at.y < -32768.0) return;
  if (brush.style == BrushStyle::Clear) {
    SetBkMode(kTransparent);
  } else {
    SetBkMode(kOpaque);
    SetBkColor(brush.color);
  }
  SetTextColor(font.color);
  double left = at.x;
  for (const TextRun& run : runs) {
    SelectFont(run.symbol);
    for (std::size_t i = 0; i < run.bytes.size() && left <= 32767.0; i += kTextChunk) {
      const TextRun piece{run.symbol, run.bytes.substr(i, kTextChunk)};
      Emit(kTextOut, Params()
                         .Word(static_cast<int>(piece.bytes.size()))
                         .Bytes(piece.bytes)
                         .Short(Round(at.y))
                         .Short(Round(left))
                         .str());
      left += RunWidthEm(piece, font.bold) * em;
    }
  }
}

int WmfCanvas::TextWidth(const std::string& text) {
  double width = 0.0;
  for (const TextRun& run : SplitTextRuns(text, IsSymbolFont(font.name)))
    width += RunWidthEm(run, font.bold);
  return static_cast<int>(std::lround(width * FontEm()));
}

int WmfCanvas::TextHeight(const std::string&) {
  return static_cast<int>(std::lround(FontEm() * kLineHeightEm));
}

void WmfCanvas::SetClipRect(int left, int top, int right, int bottom) {
  Flush();
  if (finished_) return;
  if (right < left) std::swap(left, right);
  if (bottom < top) std::swap(top, bottom);
  ResetClip();
  // The clip region lives in a saved state, since no record takes it away again.
  Emit(kSaveDc, {});
  saved_ = device_;
  const DPoint a = Device(left, top), b = Device(right, bottom);
  Emit(kIntersectClipRect,
       Params().Short(Round(b.y)).Short(Round(b.x)).Short(Round(a.y)).Short(Round(a.x)).str());
  box_ = picture_.Intersect({a.x, a.y, b.x, b.y});
}

void WmfCanvas::ResetClip() {
  Flush();
  if (finished_ || !saved_) return;
  Emit(kRestoreDc, Params().Short(-1).str());
  device_ = *saved_;
  saved_.reset();
  hasDevicePos_ = false;
  box_ = picture_;
}

void WmfCanvas::SetOrigin(int x, int y) {
  Flush();
  origin_ = {x, y};
}

void WmfCanvas::ShiftOrigin(int dx, int dy) {
  Flush();
  // Saturated: an origin far outside the 16-bit picture only clips everything away.
  auto add = [](int a, int d) {
    using Limits = std::numeric_limits<int>;
    return static_cast<int>(std::clamp(static_cast<long long>(a) + d,
                                       static_cast<long long>(Limits::min()),
                                       static_cast<long long>(Limits::max())));
  };
  origin_ = {add(origin_.x, dx), add(origin_.y, dy)};
}

const std::string& WmfCanvas::Finish() {
  if (finished_) return file_;
  Flush();
  ResetClip();
  finished_ = true;
  Emit(kEof, {});

  const auto inch = static_cast<std::uint32_t>(std::clamp(std::lround(96.0 * scale_), 1L, 32767L));
  std::string head;
  PutDword(head, 0x9AC6CDD7);  // placeable key
  PutWord(head, 0);            // handle
  PutWord(head, 0);            // bounding box: left, top, right, bottom
  PutWord(head, 0);
  PutWord(head, static_cast<std::uint32_t>(width_));
  PutWord(head, static_cast<std::uint32_t>(height_));
  PutWord(head, inch);
  PutDword(head, 0);
  std::uint16_t checksum = 0;
  for (std::size_t i = 0; i < head.size(); i += 2)
    checksum ^= static_cast<std::uint16_t>(static_cast<unsigned char>(head[i]) |
                                           static_cast<unsigned char>(head[i + 1]) << 8);
  PutWord(head, checksum);

  PutWord(head, 1);  // memory metafile: the only type every reader takes
  PutWord(head, 9);  // header words
  PutWord(head, 0x0300);
  PutDword(head, static_cast<std::uint32_t>(9 + records_.size() / 2));
  PutWord(head, static_cast<std::uint32_t>(slots_.size()));
  PutDword(head, maxRecord_);
  PutWord(head, 0);

  file_ = head + records_;
  records_.clear();
  records_.shrink_to_fit();
  return file_;
}

}  // namespace kurvio
