// SPDX-License-Identifier: GPL-3.0-or-later
// The metafile canvas, read back with the tests' own strict reader and, where
// installed, converted by wmf2svg as an independent reader.
#include <gtest/gtest.h>

#include <cmath>
#include <iomanip>
#include <limits>
#include <sstream>

#include "export/Wmf2svg.h"
#include "export/WmfCanvas.h"
#include "export/WmfGeometry.h"
#include "export/WmfReader.h"
#include "support/KeptText.h"

namespace kurvio {
namespace {

using testing::ReadWmf;
using testing::WmfFile;
using testing::WmfOp;
using testing::WmfPoint;
using Points = std::vector<WmfPoint>;

constexpr std::uint16_t kLineTo = 0x0213, kPolyline = 0x0325, kPolygon = 0x0324,
                        kRectangle = 0x041B, kEllipse = 0x0418, kArc = 0x0817, kTextOut = 0x0521;

// The drawing records of a file, one a line with their points, preceded by the
// pen, brush, font and mode they are drawn in whenever these change; bytes of
// text outside ASCII as \xNN.
std::string Dump(const WmfFile& f) {
  const auto hex = [](std::uint32_t colour) {
    std::ostringstream out;
    out << std::hex << std::setw(6) << std::setfill('0') << colour;
    return out.str();
  };
  std::ostringstream out;
  std::string state;
  for (const WmfOp& op : f.ops) {
    std::ostringstream now;
    if (op.pen)
      now << "pen " << op.pen->PenStyle() << ' ' << op.pen->PenWidth() << ' '
          << hex(op.pen->PenColor());
    if (op.brush) now << " brush " << op.brush->BrushStyle() << ' ' << hex(op.brush->BrushColor());
    if (op.font)
      now << " font " << op.font->FontHeight() << ' ' << op.font->FontFace() << ' '
          << op.font->FontCharset();
    now << " rop " << op.rop2 << " bk " << op.bkMode << ' ' << hex(op.bkColor) << " text "
        << hex(op.textColor) << (op.clipped ? " clipped" : "");
    if (now.str() != state) out << (state = now.str()) << '\n';
    out << std::hex << op.function << std::dec;
    for (const WmfPoint& p : op.points) out << ' ' << p.x << ',' << p.y;
    if (!op.text.empty()) out << " \"";
    for (const unsigned char c : op.text) {
      if (c < 0x80) {
        out << c;
      } else {
        out << "\\x" << std::hex << static_cast<int>(c) << std::dec;
      }
    }
    out << (op.text.empty() ? "\n" : "\"\n");
  }
  return out.str();
}

// Reads the file back and has wmf2svg convert it too (libwmf sizes the
// picture by what is drawn, so it refuses an empty one); with `kept`, its
// records are compared with those kept in tests/pictures/wmf.
WmfFile Read(WmfCanvas& canvas, const char* kept = nullptr) {
  const std::string& bytes = canvas.Finish();
  WmfFile f = ReadWmf(bytes);
  EXPECT_EQ(f.error, "");
  if (!f.ops.empty() && testing::HaveWmf2svg()) {
    bool converted = false;
    testing::Wmf2svg(bytes, canvas.Width(), canvas.Height(), converted);
    EXPECT_TRUE(converted);
  }
  if (kept) {
    EXPECT_TRUE(testing::MatchesKept(std::string("wmf/") + kept + ".txt", Dump(f)));
  }
  return f;
}

TEST(WmfCanvasTest, HeadersDescribeThePicture) {
  struct Case {
    int width, height;
    double scale;
    int inch;
  } cases[] = {{802, 602, 2.0, 192}, {1, 1, 1.0, 96}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.width);
    WmfCanvas canvas(c.width, c.height, c.scale);
    canvas.MoveTo(0, 0);
    canvas.LineTo(c.width, c.height);
    const WmfFile f = ReadWmf(canvas.Finish());  // checks key, checksum, sizes and the EOF record
    ASSERT_EQ(f.error, "");
    EXPECT_EQ((std::vector{f.left, f.top, f.right, f.bottom, f.inch, f.type, f.version}),
              (std::vector{0, 0, c.width, c.height, c.inch, 1, 0x0300}));
  }
  // Out-of-range sizes are cut to what 16-bit coordinates hold.
  WmfCanvas huge(1 << 20, -5, 4.0);
  const WmfFile f = ReadWmf(huge.Finish());
  EXPECT_EQ(f.right, WmfCanvas::kMaxSize);
  EXPECT_EQ(f.bottom, 1);
}

TEST(WmfCanvasTest, LinesLeavingThePictureAreCutNotWrapped) {
  struct Case {
    Point from, to;
    bool visible;
  } cases[] = {
      {{100, 100}, {100, 1000000000}, true},
      {{-1000000000, 50}, {1000000000, 250}, true},
      {{-500, -500}, {-10, 900}, false},
      {{0, 0}, {399, 299}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.from.x) + "," + std::to_string(c.from.y));
    WmfCanvas canvas(400, 300, 1.0);
    canvas.pen.width = 2;
    canvas.MoveTo(c.from.x, c.from.y);
    canvas.LineTo(c.to.x, c.to.y);
    Points points;
    for (const WmfOp& op : Read(canvas).ops)
      if (op.function == kLineTo || op.function == kPolyline || op.function == kPolygon)
        points.insert(points.end(), op.points.begin(), op.points.end());
    EXPECT_EQ(!points.empty(), c.visible);
    const double dx = c.to.x - static_cast<double>(c.from.x), dy = c.to.y - double(c.from.y);
    for (const WmfPoint& p : points) {
      EXPECT_TRUE(p.x >= 0 && p.x <= 400 && p.y >= 0 && p.y <= 300) << p.x << "," << p.y;
      // Still on the original line, not saturated towards a corner.
      EXPECT_LE(std::fabs((p.x - c.from.x) * dy - (p.y - c.from.y) * dx) / std::hypot(dx, dy), 1);
    }
  }
}

TEST(WmfCanvasTest, ChainsBecomePolylinesAndBreakWhereTheyLeave) {
  WmfCanvas canvas(400, 300, 1.0);
  canvas.MoveTo(10, 10);
  for (Point p : std::vector<Point>{{50, 20}, {90, 40}, {120, 5000}, {150, 5000}, {180, 50}})
    canvas.LineTo(p.x, p.y);  // out at the bottom and back in
  canvas.LineTo(220, 60);
  EXPECT_EQ(Read(canvas, "chains").Ops(kPolyline).size(), 2u);
}

TEST(WmfCanvasTest, ShapesReachingOutAreCutToThePicture) {
  WmfCanvas canvas(400, 300, 1.0);
  canvas.brush = {RGB(0, 255, 0), BrushStyle::Solid};
  canvas.Ellipse(-100000, -100000, 100000, 100000);
  canvas.Arc(300, 200, 80000, 90000, 0, 0, 1, 1);
  canvas.Pie(-40000, -40000, 200, 200, 0, 0, 500, 500);
  canvas.Polygon({{-70000, 10}, {200, 10}, {200, 70000}});
  canvas.Rectangle(-5, -5, 1000000, 50);
  canvas.Ellipse(100000, 100000, 100010, 100010);  // wholly outside: nothing
  // Inside: a record of its own, its far end points pulled into 16-bit range.
  canvas.Arc(10, 10, 110, 90, 2000000000, 1000000000, 10, 50);
  const WmfFile f = Read(canvas, "shapes");
  EXPECT_TRUE(f.Ops(kEllipse).empty());
  EXPECT_EQ(f.Ops(kArc).size(), 1u);
  EXPECT_FALSE(f.Ops(kPolygon).empty());
  for (const WmfOp& op : f.ops)
    for (const WmfPoint& p :
         op.function == kArc ? Points(op.points.begin(), op.points.begin() + 2) : op.points)
      EXPECT_TRUE(p.x >= 0 && p.x <= 401 && p.y >= 0 && p.y <= 301)
          << std::hex << op.function << std::dec << " " << p.x << "," << p.y;
}

TEST(WmfCanvasTest, HatchesAndDashesAreDrawnAsLines) {
  WmfCanvas canvas(400, 300, 2.0);
  canvas.brush = {RGB(0, 0, 255), BrushStyle::Cross};
  canvas.Rectangle(16, 16, 80, 80);
  const WmfFile f = Read(canvas, "hatches");
  // The rectangle is hollow over its hatch lines, 16 units apart at scale 2.
  ASSERT_EQ(f.Ops(kRectangle).size(), 1u);
  EXPECT_EQ(f.Ops(kRectangle)[0].brush->BrushStyle(), 1);
  int vertical = 0;  // x = 16, 32, 48, 64 (80 is the excluded edge)
  for (const WmfOp& op : f.Ops(kLineTo))
    vertical += op.points[0].x == op.points[1].x && op.points[0].x % 16 == 0;
  EXPECT_EQ(vertical, 4);
  // A square ring (even-odd): horizontal hatch lines skip the hole; dashes turn corners.
  const DPolyline square{{0, 0}, {40, 0}, {40, 40}, {0, 40}};
  EXPECT_EQ(HatchSegments(square, BrushStyle::Horizontal, 8).size(), 5u);  // 40 is half-open
  EXPECT_EQ(HatchSegments(square, BrushStyle::DiagCross, 8).size(), 18u);
  const auto dashes = DashRuns({{0, 0}, {10, 0}, {10, 10}}, {3, 1});
  ASSERT_EQ(dashes.size(), 5u);
  EXPECT_EQ(dashes[2], (DPolyline{{8, 0}, {10, 0}, {10, 1}}));
  EXPECT_TRUE(ClipPolygon({{20, 20}, {30, 20}, {30, 30}}, ClipBox{0, 0, 10, 10}).empty());
}

TEST(WmfCanvasTest, ObjectTableStaysConsistent) {
  // Many pens and brushes, clip rectangles in between: the reader plays the
  // table strictly (lowest free slot, no use or delete of a missing object,
  // nothing deleted that a saved state holds).
  WmfCanvas canvas(400, 300, 1.0);
  for (int i = 0; i < 60; ++i) {
    if (i % 7 == 0) canvas.SetClipRect(i, i, 300 - i, 250);
    if (i % 11 == 0) canvas.ResetClip();
    canvas.pen.color = RGB(i * 4, 0, 0);
    canvas.pen.width = 1 + i % 3;
    canvas.brush.color = RGB(0, i, 0);
    canvas.font.size = 8 + i % 5;
    canvas.MoveTo(i, 0);
    canvas.LineTo(i, 100);
    canvas.Rectangle(i, 110, i + 20, 130);
    canvas.TextOut(i, 150, "a");
  }
  const WmfFile f = Read(canvas, "objects");
  EXPECT_GT(f.Count(0x01F0), 0);  // deletes
  EXPECT_EQ(f.numberOfObjects, f.peakObjects);
  EXPECT_LE(f.numberOfObjects, 20);
  EXPECT_GE(f.Count(0x02FA), 60);  // pens
}

// A lower plot drawn in its own coordinates: the origin moves, the clip set
// before stays (the lines at device rows 40, 100 and column 55 clipped, the
// last one not).
TEST(WmfCanvasTest, OriginShiftKeepsTheClipRectangle) {
  WmfCanvas canvas(400, 300, 1.0);
  canvas.SetOrigin(50, 30);
  canvas.SetClipRect(0, 0, 100, 100);  // device 50..150, 30..130
  canvas.MoveTo(-20, 10);
  canvas.LineTo(500, 10);
  canvas.ShiftOrigin(0, 60);  // (0, 0) at device (50, 90)
  canvas.MoveTo(0, 10);
  canvas.LineTo(20, 10);
  canvas.MoveTo(0, 50);  // device row 140, below the clip
  canvas.LineTo(20, 50);
  canvas.MoveTo(5, 0);
  canvas.LineTo(5, -200);  // up to the clip's top
  canvas.ShiftOrigin(0, -60);
  canvas.ResetClip();
  canvas.MoveTo(0, 0);
  canvas.LineTo(10, 0);
  EXPECT_EQ(Read(canvas, "origin").Ops(kLineTo).size(), 4u);
}

// 12 pt at 96 per inch is a font height of -16; π goes out in the symbol font
// between two Arial runs, each at its own x; a character without a code as '?'.
TEST(WmfCanvasTest, TextRunsFontsAndBackground) {
  WmfCanvas canvas(800, 600, 4.0);
  canvas.font.size = 12;
  canvas.font.color = RGB(0, 0, 128);
  canvas.brush.style = BrushStyle::Clear;
  canvas.TextOut(10, 20, "f(x)=ä");
  canvas.brush = {RGB(200, 200, 200), BrushStyle::Solid};
  canvas.TextOut(10, 100, "2πx");
  canvas.brush.style = BrushStyle::Clear;
  canvas.font.name = "Symbol";
  canvas.TextOut(10, 200, "abc");
  canvas.TextOut(10, 300, "\xC3\xBF");  // the symbol font's own code 0xFF
  canvas.font.name = "Arial";
  canvas.TextOut(10, 400, "\xC2\x80");  // a control character has no code
  const auto texts = Read(canvas, "texts").Ops(kTextOut);
  ASSERT_EQ(texts.size(), 7u);
  EXPECT_EQ(texts[2].points[0].x, 10 + std::lround(0.556 * 16));  // after the width of "2"
}

TEST(WmfCanvasTest, BadInputNeverBreaksTheFile) {
  WmfCanvas canvas(200, 200, 4.0);
  const int big = std::numeric_limits<int>::max(), small = std::numeric_limits<int>::min();
  canvas.pen.width = big;
  canvas.font.size = big;
  canvas.TextOut(100, 100, std::string(5000, 'x') + "\xFF\xC3");
  canvas.Pie(0, 0, 100, 100, big, big, small, small);
  canvas.SetClipRect(big, big, small, small);
  canvas.brush.style = BrushStyle::DiagCross;
  canvas.FillRect(small, small, big, big);
  canvas.SetOrigin(big, small);
  canvas.LineTo(5, 5);
  canvas.ShiftOrigin(big, small);
  canvas.LineTo(6, 6);
  canvas.SetOrigin(0, 0);
  std::vector<Point> many;
  for (int i = 0; i < 20000; ++i) many.push_back({i % 200, (i * 7) % 200});
  canvas.Polyline(many);
  many.resize(40000, Point{100, 100});
  canvas.Polygon(many);
  many[0] = {-100000, 50};
  canvas.Polygon(many);
  EXPECT_GT(Read(canvas).Count(kPolyline), 4);  // split into pieces the count fits
  canvas.font = Font{};
  EXPECT_EQ(canvas.TextWidth(""), 0);
  // Drawing after completion changes nothing.
  const std::string done = canvas.Finish();
  canvas.LineTo(0, 0);
  canvas.TextOut(0, 0, "x");
  EXPECT_EQ(canvas.Finish(), done);
}

}  // namespace
}  // namespace kurvio
