// The metafile canvas, read back with the tests' own strict reader and, where
// installed, converted by wmf2svg as an independent reader.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "export/Wmf2svg.h"
#include "export/WmfCanvas.h"
#include "export/WmfGeometry.h"
#include "export/WmfReader.h"
#include "export/WmfText.h"
#include "support/TempDir.h"

namespace kurvio {
namespace {

using testing::ReadWmf;
using testing::WmfFile;
using testing::WmfOp;
using testing::WmfPoint;

constexpr std::uint16_t kLineTo = 0x0213, kPolyline = 0x0325, kPolygon = 0x0324,
                        kRectangle = 0x041B, kEllipse = 0x0418, kArc = 0x0817, kPie = 0x081A,
                        kTextOut = 0x0521, kDelete = 0x01F0, kCreatePen = 0x02FA;

// Reads the file back and has wmf2svg convert it too (libwmf sizes the
// picture by what is drawn, so it refuses an empty one).
WmfFile Read(WmfCanvas& canvas) {
  const std::string& bytes = canvas.Finish();
  WmfFile f = ReadWmf(bytes);
  EXPECT_EQ(f.error, "");
  if (!f.ops.empty() && testing::HaveWmf2svg()) {
    bool converted = false;
    testing::Wmf2svg(bytes, canvas.Width(), canvas.Height(), converted);
    EXPECT_TRUE(converted);
  }
  return f;
}

// Every point the file draws, from lines, polylines and polygons.
std::vector<WmfPoint> LinePoints(const WmfFile& f) {
  std::vector<WmfPoint> points;
  for (const WmfOp& op : f.ops)
    if (op.function == kLineTo || op.function == kPolyline || op.function == kPolygon)
      points.insert(points.end(), op.points.begin(), op.points.end());
  return points;
}

TEST(WmfCanvasTest, HeadersDescribeThePicture) {
  struct Case {
    int width, height;
    double scale;
    int inch;
  } cases[] = {{1604, 1204, 4.0, 384}, {802, 602, 2.0, 192}, {1, 1, 1.0, 96}};
  for (const Case& c : cases) {
    WmfCanvas canvas(c.width, c.height, c.scale);
    canvas.MoveTo(0, 0);
    canvas.LineTo(c.width, c.height);
    const std::string bytes = canvas.Finish();
    const WmfFile f = ReadWmf(bytes);
    ASSERT_EQ(f.error, "") << c.width;
    EXPECT_EQ(f.right, c.width);
    EXPECT_EQ(f.bottom, c.height);
    EXPECT_EQ(f.left, 0);
    EXPECT_EQ(f.top, 0);
    EXPECT_EQ(f.inch, c.inch);
    EXPECT_EQ(f.type, 1);
    EXPECT_EQ(f.version, 0x0300);
    EXPECT_EQ(f.functions.back(), 0x0000);
    // The window is the bounding box: origin (0, 0), extent width × height.
    EXPECT_NE(
        bytes.find(std::string("\x05\0\0\0\x0C\x02", 6) +
                   std::string{static_cast<char>(c.height & 0xFF), static_cast<char>(c.height >> 8),
                               static_cast<char>(c.width & 0xFF), static_cast<char>(c.width >> 8)}),
        std::string::npos);
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
      {{100, 100}, {300, 200}, true},
      {{100, 100}, {100, 1000000000}, true},
      {{-1000000000, 50}, {1000000000, 250}, true},
      {{200, -70000}, {200, 70000}, true},
      {{-500, -500}, {-10, 900}, false},
      {{0, 0}, {399, 299}, true},
  };
  for (const Case& c : cases) {
    WmfCanvas canvas(400, 300, 1.0);
    canvas.pen.width = 2;
    canvas.MoveTo(c.from.x, c.from.y);
    canvas.LineTo(c.to.x, c.to.y);
    const WmfFile f = Read(canvas);
    const auto points = LinePoints(f);
    EXPECT_EQ(!points.empty(), c.visible) << c.from.x << "," << c.from.y;
    for (const WmfPoint& p : points) {
      EXPECT_GE(p.x, 0);
      EXPECT_LE(p.x, 400);
      EXPECT_GE(p.y, 0);
      EXPECT_LE(p.y, 300);
      // Still on the original line, not saturated towards a corner.
      const double dx = c.to.x - static_cast<double>(c.from.x);
      const double dy = c.to.y - static_cast<double>(c.from.y);
      const double cross = (p.x - c.from.x) * dy - (p.y - c.from.y) * dx;
      EXPECT_LE(std::fabs(cross) / std::hypot(dx, dy), 1.0) << p.x << "," << p.y;
    }
  }
}

TEST(WmfCanvasTest, ChainsBecomePolylinesAndBreakWhereTheyLeave) {
  WmfCanvas canvas(400, 300, 1.0);
  canvas.MoveTo(10, 10);
  canvas.LineTo(50, 20);
  canvas.LineTo(90, 40);
  canvas.LineTo(120, 5000);  // out at the bottom
  canvas.LineTo(150, 5000);
  canvas.LineTo(180, 50);  // and back in
  canvas.LineTo(220, 60);
  const WmfFile f = Read(canvas);
  const auto polylines = f.Ops(kPolyline);
  ASSERT_EQ(polylines.size(), 2u);
  EXPECT_EQ(polylines[0].points.front(), (WmfPoint{10, 10}));
  EXPECT_EQ(polylines[0].points.back().y, 300);
  EXPECT_EQ(polylines[1].points.front().y, 300);
  EXPECT_EQ(polylines[1].points.back(), (WmfPoint{220, 60}));
}

TEST(WmfCanvasTest, ShapesKeepTheirBoxAndDrawingState) {
  WmfCanvas canvas(400, 300, 1.0);
  canvas.pen = {RGB(255, 0, 0), 3, PenStyle::Solid, PenMode::Copy};
  canvas.brush = {RGB(0, 0, 255), BrushStyle::Solid};
  canvas.Rectangle(10, 20, 110, 120);
  canvas.Ellipse(120, 20, 220, 80);
  canvas.brush.style = BrushStyle::Clear;
  canvas.Arc(230, 20, 330, 120, 330, 70, 230, 70);
  canvas.Pie(230, 130, 330, 230, 330, 180, 280, 130);
  canvas.Polygon({{10, 200}, {60, 150}, {110, 200}});
  canvas.pen.mode = PenMode::NotXor;
  canvas.MoveTo(0, 290);
  canvas.LineTo(50, 290);
  canvas.pen.mode = PenMode::Copy;
  canvas.brush.style = BrushStyle::Solid;
  canvas.brush.color = RGB(1, 2, 3);
  canvas.FillRect(300, 250, 350, 280);
  const WmfFile f = Read(canvas);

  const auto rect = f.Ops(kRectangle);
  ASSERT_EQ(rect.size(), 2u);
  EXPECT_EQ(rect[0].points, (std::vector<WmfPoint>{{10, 20}, {110, 120}}));
  EXPECT_EQ(rect[0].pen->PenWidth(), 3);
  EXPECT_EQ(rect[0].pen->PenColor(), RGB(255, 0, 0));
  EXPECT_EQ(rect[0].brush->BrushStyle(), 0);
  EXPECT_EQ(rect[0].brush->BrushColor(), RGB(0, 0, 255));
  // FillRect: no outline, so one more row and column for the player to leave out.
  EXPECT_EQ(rect[1].points, (std::vector<WmfPoint>{{300, 250}, {351, 281}}));
  EXPECT_EQ(rect[1].pen->PenStyle(), 5);
  EXPECT_EQ(rect[1].brush->BrushColor(), RGB(1, 2, 3));

  ASSERT_EQ(f.Ops(kEllipse).size(), 1u);
  EXPECT_EQ(f.Ops(kEllipse)[0].points, (std::vector<WmfPoint>{{120, 20}, {220, 80}}));
  const auto arc = f.Ops(kArc);
  ASSERT_EQ(arc.size(), 1u);
  EXPECT_EQ(arc[0].points, (std::vector<WmfPoint>{{230, 20}, {330, 120}, {330, 70}, {230, 70}}));
  const auto pie = f.Ops(kPie);
  ASSERT_EQ(pie.size(), 1u);
  EXPECT_EQ(pie[0].brush->BrushStyle(), 1);  // clear
  ASSERT_EQ(f.Ops(kPolygon).size(), 1u);
  EXPECT_EQ(f.Ops(kPolygon)[0].points.size(), 3u);

  const auto lines = f.Ops(kLineTo);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].rop2, 10);  // not-xor
  EXPECT_EQ(rect[1].rop2, 13);   // copy again
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
  const WmfFile f = Read(canvas);
  EXPECT_TRUE(f.Ops(kEllipse).empty());
  EXPECT_TRUE(f.Ops(kArc).empty());
  EXPECT_FALSE(f.Ops(kPolygon).empty());
  for (const WmfOp& op : f.ops)
    for (const WmfPoint& p : op.points) {
      EXPECT_TRUE(p.x >= 0 && p.x <= 401 && p.y >= 0 && p.y <= 301)
          << std::hex << op.function << std::dec << " " << p.x << "," << p.y;
    }
}

TEST(WmfCanvasTest, HatchesAndDashesAreDrawnAsLines) {
  WmfCanvas canvas(400, 300, 2.0);
  canvas.brush = {RGB(0, 0, 255), BrushStyle::Cross};
  canvas.pen.width = 2;
  canvas.Rectangle(16, 16, 80, 80);
  canvas.pen.style = PenStyle::Dot;
  canvas.MoveTo(0, 200);
  canvas.LineTo(100, 200);
  const WmfFile f = Read(canvas);
  // The rectangle is hollow over its hatch lines, 16 units apart at scale 2.
  ASSERT_EQ(f.Ops(kRectangle).size(), 1u);
  EXPECT_EQ(f.Ops(kRectangle)[0].brush->BrushStyle(), 1);
  int vertical = 0, horizontal = 0, dots = 0;
  for (const WmfOp& op : f.Ops(kLineTo)) {
    const WmfPoint a = op.points[0], b = op.points[1];
    if (op.pen->PenColor() == RGB(0, 0, 255)) {
      if (a.x == b.x) {
        ++vertical;
        EXPECT_EQ(a.x % 16, 0);
        EXPECT_TRUE(a.y >= 16 && b.y <= 80);
      }
      if (a.y == b.y) ++horizontal;
    } else {
      ++dots;
      EXPECT_EQ(a.y, 200);
      EXPECT_EQ(b.x - a.x, 2);  // on as long as the pen is wide
    }
  }
  EXPECT_EQ(vertical, 4);  // x = 16, 32, 48, 64 (80 is the excluded edge)
  EXPECT_EQ(horizontal, 4);
  EXPECT_EQ(dots, 25);
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
  const WmfFile f = Read(canvas);
  EXPECT_GT(f.Count(kDelete), 0);
  EXPECT_EQ(f.numberOfObjects, f.peakObjects);
  EXPECT_LE(f.numberOfObjects, 20);
  EXPECT_GE(f.Count(kCreatePen), 60);
}

TEST(WmfCanvasTest, OriginAndClipRectangle) {
  WmfCanvas canvas(400, 300, 1.0);
  canvas.SetOrigin(50, 30);
  canvas.SetClipRect(0, 0, 100, 100);  // device 50..150, 30..130
  canvas.MoveTo(-20, 10);
  canvas.LineTo(500, 10);
  canvas.ResetClip();
  canvas.MoveTo(0, 0);
  canvas.LineTo(10, 0);
  const WmfFile f = Read(canvas);
  const auto lines = f.Ops(kLineTo);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].points, (std::vector<WmfPoint>{{50, 40}, {150, 40}}));
  EXPECT_TRUE(lines[0].clipped);
  EXPECT_EQ(lines[1].points, (std::vector<WmfPoint>{{50, 30}, {60, 30}}));
  EXPECT_FALSE(lines[1].clipped);
}

// A lower plot drawn in its own coordinates: the origin moves, the clip set before stays.
TEST(WmfCanvasTest, OriginShiftKeepsTheClipRectangle) {
  WmfCanvas canvas(400, 300, 1.0);
  canvas.SetOrigin(50, 30);
  canvas.SetClipRect(0, 0, 100, 100);  // device 50..150, 30..130
  canvas.ShiftOrigin(0, 60);           // (0, 0) at device (50, 90)
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
  const WmfFile f = Read(canvas);
  const auto lines = f.Ops(kLineTo);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].points, (std::vector<WmfPoint>{{50, 100}, {70, 100}}));
  EXPECT_EQ(lines[1].points, (std::vector<WmfPoint>{{55, 90}, {55, 30}}));
  EXPECT_TRUE(lines[1].clipped);
  EXPECT_EQ(lines[2].points, (std::vector<WmfPoint>{{50, 30}, {60, 30}}));
}

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
  const WmfFile f = Read(canvas);
  const auto texts = f.Ops(kTextOut);
  ASSERT_EQ(texts.size(), 5u);
  EXPECT_EQ(texts[0].text, "f(x)=\xE4");
  EXPECT_EQ(texts[0].points[0], (WmfPoint{10, 20}));
  EXPECT_EQ(texts[0].font->FontHeight(), -16);  // 12 pt at 96 per inch
  EXPECT_EQ(texts[0].font->FontFace(), "Arial");
  EXPECT_EQ(texts[0].font->FontCharset(), 0);
  EXPECT_EQ(texts[0].bkMode, 1);
  EXPECT_EQ(texts[0].textColor, RGB(0, 0, 128));
  // π goes out in the symbol font between two Arial runs, each at its own x.
  EXPECT_EQ(texts[1].text, "2");
  EXPECT_EQ(texts[2].text, "p");
  EXPECT_EQ(texts[2].font->FontFace(), "Symbol");
  EXPECT_EQ(texts[2].font->FontCharset(), 2);
  EXPECT_EQ(texts[3].text, "x");
  EXPECT_EQ(texts[2].points[0].x, 10 + std::lround(0.556 * 16));
  EXPECT_GT(texts[3].points[0].x, texts[2].points[0].x);
  EXPECT_EQ(texts[1].bkMode, 2);
  EXPECT_EQ(texts[1].bkColor, RGB(200, 200, 200));
  EXPECT_EQ(texts[4].text, "abc");
  EXPECT_EQ(texts[4].font->FontCharset(), 2);

  canvas.font = Font{};
  EXPECT_EQ(canvas.TextWidth(""), 0);
}

TEST(WmfCanvasTest, TextMetricsFollowTheFontSize) {
  WmfCanvas canvas(100, 100, 4.0);
  canvas.font.size = 30;  // 40 units
  EXPECT_EQ(canvas.TextHeight("X"), std::lround(40 * kLineHeightEm));
  EXPECT_EQ(canvas.TextWidth("0"), std::lround(40 * 0.556));
  EXPECT_EQ(canvas.TextWidth("1,5"), std::lround(40 * (0.556 + 0.278 + 0.556)));
  canvas.font.size = 60;
  EXPECT_EQ(canvas.TextWidth("1,5"), std::lround(80 * (0.556 + 0.278 + 0.556)));
}

TEST(WmfCanvasTest, BadInputNeverBreaksTheFile) {
  WmfCanvas canvas(200, 200, 4.0);
  const int big = std::numeric_limits<int>::max();
  const int small = std::numeric_limits<int>::min();
  canvas.pen.width = big;
  canvas.font.size = big;
  canvas.TextOut(small, small, "x");
  canvas.TextOut(100, 100, std::string(5000, 'x') + "\xFF\xC3");
  canvas.Ellipse(small, small, big, big);
  canvas.Arc(small, 0, big, 10, 0, 0, 0, 0);
  canvas.Pie(0, 0, 100, 100, big, big, small, small);
  canvas.Polygon({{small, small}, {big, 0}, {0, big}});
  canvas.Polyline({{small, 0}, {big, 0}, {big, big}});
  canvas.SetClipRect(big, big, small, small);
  canvas.FillRect(small, small, big, big);
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
  const WmfFile f = Read(canvas);
  EXPECT_GT(f.Count(kPolyline), 4);  // split into pieces the count fits
  // Drawing after completion changes nothing.
  const std::string done = canvas.Finish();
  canvas.LineTo(0, 0);
  canvas.TextOut(0, 0, "x");
  EXPECT_EQ(canvas.Finish(), done);
}

TEST(WmfGeometryTest, PolygonClipAndHatch) {
  const ClipBox box{0, 0, 10, 10};
  EXPECT_TRUE(ClipPolygon({{20, 20}, {30, 20}, {30, 30}}, box).empty());
  const DPolyline cut = ClipPolygon({{-10, 5}, {20, 5}, {20, 20}}, box);
  for (const DPoint& p : cut) EXPECT_TRUE(box.Contains(p));
  // A square ring (even-odd): horizontal hatch lines skip the hole.
  const DPolyline square{{0, 0}, {40, 0}, {40, 40}, {0, 40}};
  const auto lines = HatchSegments(square, BrushStyle::Horizontal, 8);
  ASSERT_EQ(lines.size(), 5u);  // y = 0, 8, .., 32; 40 is the half-open edge
  for (const auto& [a, b] : lines) {
    EXPECT_EQ(a.y, b.y);
    EXPECT_DOUBLE_EQ(std::fabs(b.x - a.x), 40);
  }
  EXPECT_EQ(HatchSegments(square, BrushStyle::DiagCross, 8).size(), 18u);
  const auto dashes = DashRuns({{0, 0}, {10, 0}, {10, 10}}, {3, 1});
  ASSERT_EQ(dashes.size(), 5u);
  EXPECT_EQ(dashes[2], (DPolyline{{8, 0}, {10, 0}, {10, 1}}));  // around the corner
}

// wmf2svg fits the picture to what is drawn; the axes span it.
TEST(WmfCanvasTest, Wmf2svgReadsThePicture) {
  if (!testing::HaveWmf2svg()) GTEST_SKIP() << "no wmf2svg";
  WmfCanvas canvas(1604, 1204, 4.0);
  canvas.pen.width = 4;
  canvas.MoveTo(0, 602);
  canvas.LineTo(1604, 602);
  canvas.MoveTo(802, 0);
  canvas.LineTo(802, 1204);
  canvas.pen.color = RGB(255, 0, 0);
  canvas.MoveTo(100, 1000);
  canvas.LineTo(400, 700);
  canvas.LineTo(700, 650);
  canvas.font.size = 38;
  canvas.TextOut(900, 620, "x");
  bool converted = false;
  const std::string svg = testing::Wmf2svg(canvas.Finish(), 1604, 1204, converted);
  ASSERT_TRUE(converted);
  const auto points = testing::SvgAttributes(svg, "polyline", "points");
  ASSERT_FALSE(points.empty());
  const std::vector<double> m = testing::SvgNumbers(points.front());
  ASSERT_GE(m.size(), 6u);
  // The x-axis runs from 0 to 1604 at y = 602: the mapping is offset plus scale.
  const auto axisX1 = testing::SvgAttributes(svg, "line", "x1");
  const auto axisX2 = testing::SvgAttributes(svg, "line", "x2");
  ASSERT_FALSE(axisX1.empty());
  const double x0 = testing::SvgNumber(axisX1.front());
  const double x1604 = testing::SvgNumber(axisX2.front());
  const double s = (x1604 - x0) / 1604;
  EXPECT_NEAR((m[2] - x0) / s, 400, 1);
  EXPECT_NEAR((m[4] - x0) / s, 700, 1);
  EXPECT_NE(svg.find(">x<"), std::string::npos);
}

}  // namespace
}  // namespace kurvio
