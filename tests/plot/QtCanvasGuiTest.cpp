// SPDX-License-Identifier: GPL-3.0-or-later
// QtCanvas on a QImage: exact pixels for lines, boxes, pies, wide lines and the
// not-xor pen.
#include <gtest/gtest.h>

#include <QImage>
#include <limits>
#include <random>
#include <vector>

#include "plot/QtCanvas.h"
#include "settings/Settings.h"

namespace kurvio {
namespace {

class QtCanvasTest : public ::testing::Test {
 protected:
  void SetUp() override {
    image = QImage(700, 700, QImage::Format_RGB32);
    image.fill(Qt::white);
  }
  Color Pixel(int x, int y) const { return FromQColor(image.pixelColor(x, y)); }
  QImage image;
};

// Lines leave out their end pixel, boxes their right and bottom edge (the windows' kept
// pictures show the axes and curves on pixels).
TEST_F(QtCanvasTest, LinesAndBoxesLeaveOutTheirLastPixel) {
  {
    QtCanvas canvas(&image);
    canvas.pen.color = kBlack;
    canvas.pen.width = 1;
    canvas.MoveTo(10, 10);
    canvas.LineTo(20, 10);
    canvas.LineTo(20, 20);
    canvas.brush.color = 0x00FF00;
    canvas.Rectangle(30, 10, 40, 20);
    canvas.FillRect(50, 10, 60, 20);
  }
  const struct {
    int x, y;
    Color color;
  } pixels[] = {
      // clang-format off
      {10, 10, kBlack}, {19, 10, kBlack}, {20, 10, kBlack}, {20, 19, kBlack}, {20, 20, kWhite},
      {30, 10, kBlack}, {39, 19, kBlack}, {40, 20, kWhite}, {35, 15, 0x00FF00u},
      {50, 10, 0x00FF00u}, {59, 19, 0x00FF00u}, {60, 20, kWhite},
      // clang-format on
  };
  for (const auto& p : pixels) EXPECT_EQ(Pixel(p.x, p.y), p.color) << p.x << "," << p.y;
}

TEST_F(QtCanvasTest, NotXorTwiceRestoresTheImage) {
  image.fill(QColor(10, 200, 30));
  const QImage before = image.copy();
  for (PenStyle style : {PenStyle::Dot, PenStyle::Solid}) {
    QtCanvas canvas(&image);
    canvas.pen.mode = PenMode::NotXor;
    canvas.pen.style = style;
    canvas.brush.style = BrushStyle::Clear;
    canvas.Rectangle(50, 60, 150, 120);
    if (style == PenStyle::Dot) canvas.Rectangle(50, 60, 150, 120);
  }
  // not-xor with a black pen inverts: (10, 200, 30) becomes (245, 55, 225).
  EXPECT_EQ(Pixel(50, 60), RGB(245, 55, 225));
  EXPECT_EQ(Pixel(51, 61), RGB(10, 200, 30));
  EXPECT_EQ(image.copy(52, 62, 90, 50), before.copy(52, 62, 90, 50));
}

TEST_F(QtCanvasTest, ChainsUnderTheImageClipKeepQtsPixels) {
  // Random chains, steep, flat, jumping and partly outside, with every pen
  // style, width and mode, at shifted origins and under a clip of the window:
  // each drawn once under the canvas's own clip and once as Qt draws it alone.
  std::mt19937 random(7);
  auto next = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  const PenStyle styles[] = {PenStyle::Solid, PenStyle::Dash, PenStyle::Dot, PenStyle::DashDot};
  for (int trial = 0; trial < 240; ++trial) {
    std::vector<Point> chain;
    int x = next(300) - 50, y = next(240) - 40;
    for (int i = 0, n = 8 + next(80); i < n; ++i) {
      const int kind = trial % 4;  // steep, wandering, jumping, flat
      x = kind == 2 ? next(400) - 60 : kind == 1 ? x + next(21) - 10 : x + 2;
      y = kind == 2 ? next(320) - 60
                    : y + (kind == 0   ? next(61) - 30
                           : kind == 1 ? next(21) - 10
                                       : next(3) - 1);
      chain.push_back({x, y});
    }
    const Color color = RGB(next(256), next(256), next(256));
    QImage pictures[2];
    for (int clipped = 0; clipped < 2; ++clipped) {
      QtCanvasClipsChains = clipped != 0;
      QImage& picture = pictures[clipped];
      picture = QImage(300, 220, QImage::Format_RGB32);
      picture.fill(QColor(200, 220, 240));
      QtCanvas canvas(&picture);
      canvas.SetOrigin(trial % 7, -(trial % 5));
      if (trial % 9 == 0) canvas.SetClipRect(20, 10, 250, 180);
      canvas.pen.color = color;
      canvas.pen.width = 1 + trial / 4 % 3;
      canvas.pen.style = styles[trial / 12 % 4];
      canvas.pen.mode = trial / 48 % 2 ? PenMode::NotXor : PenMode::Copy;
      canvas.MoveTo(chain.front().x, chain.front().y);
      for (const Point& p : chain) canvas.LineTo(p.x, p.y);
      canvas.Polyline(chain);
    }
    QtCanvasClipsChains = true;
    ASSERT_EQ(pictures[0], pictures[1]) << "trial " << trial;
  }
}

// A pie runs counter-clockwise from the first ray to the second, also where
// the second lies clockwise of the first: from east to south is three quarters.
TEST_F(QtCanvasTest, APieRunsCounterClockwiseFromTheFirstRay) {
  {
    QtCanvas canvas(&image);
    canvas.brush.color = 0x00FF00;
    canvas.Pie(100, 100, 301, 301, 400, 200, 200, 400);
  }
  EXPECT_EQ(Pixel(150, 150), 0x00FF00u);  // north-west
  EXPECT_EQ(Pixel(250, 150), 0x00FF00u);  // north-east
  EXPECT_EQ(Pixel(150, 250), 0x00FF00u);  // south-west
  EXPECT_EQ(Pixel(250, 250), 0xFFFFFFu);  // south-east stays
}

TEST_F(QtCanvasTest, ExtremeBoxesDrawWithoutOverflow) {
  QtCanvas canvas(&image);
  canvas.brush.color = 0x00FF00;
  const int lo = std::numeric_limits<int>::min(), hi = std::numeric_limits<int>::max();
  canvas.Rectangle(lo, lo, hi, hi);
  canvas.Ellipse(hi, hi, lo, lo);
  canvas.Arc(lo, 0, hi, 10, 0, 0, 5, 5);
  canvas.Pie(lo, lo, hi, hi, hi, 0, 0, hi);
  canvas.FillRect(lo, lo, hi, hi);
  canvas.SetClipRect(lo, lo, hi, hi);
  canvas.ResetClip();
  canvas.painter().end();
  EXPECT_EQ(Pixel(350, 350), 0x00FF00u);  // the whole area is inside the boxes
}

// Presentation mode's wide outlines as spans: a shape filled inside its outline, a dash's gap.
TEST_F(QtCanvasTest, WideOutlinesAndDashesAsSpans) {
  {
    QtCanvas canvas(&image);
    canvas.SpanWideLines(true);
    canvas.pen = {kBlack, 4, PenStyle::Solid, PenMode::Copy};
    canvas.brush = {0x0000FF, BrushStyle::Solid};
    canvas.Polygon({{100, 100}, {300, 100}, {100, 300}});
    canvas.pen.style = PenStyle::Dash;
    canvas.Polyline({{0, 500}, {700, 500}});
  }
  EXPECT_EQ(std::vector({Pixel(200, 100), Pixel(150, 150), Pixel(250, 250), Pixel(8, 500),
                         Pixel(20, 500)}),
            std::vector({kBlack, 0x0000FFu, 0xFFFFFFu, kBlack, 0xFFFFFFu}));
}

TEST_F(QtCanvasTest, SymbolFontShowsGreekLetters) {
  EXPECT_EQ(SymbolFontText("e d p a"), "ε δ π α");
  EXPECT_TRUE(IsSymbolFont("Symbol"));
  EXPECT_FALSE(IsSymbolFont("Arial"));
  QtCanvas canvas(&image);
  canvas.font.name = "symbol";
  EXPECT_GT(canvas.TextWidth("p"), 0);
  EXPECT_GT(canvas.TextHeight("X"), 5);
}

}  // namespace
}  // namespace kurvio
