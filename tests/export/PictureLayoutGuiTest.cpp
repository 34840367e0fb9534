// Exports of pictures that reach below the window's plot: two plots one above
// the other, and a plot with the bisection ladder or the covariation rails
// below it. The metafile frame, the clipboard pictures and the print clip must
// hold all of it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <QPrinter>
#include <QWidget>
#include <climits>
#include <cmath>

#include "export/Export.h"
#include "export/ExportReadBack.h"
#include "export/Wmf2svg.h"
#include "export/WmfReader.h"
#include "plot/PlotFrame.h"
#include "plot/QtCanvas.h"
#include "settings/ProgramFiles.h"
#include "settings/Settings.h"
#include "support/TempDir.h"

namespace kurvio {
namespace {

using testing::DarkRun;
using testing::ReadWmf;
using testing::SvgLine;
using testing::WmfFile;
using testing::WmfOp;

constexpr std::uint16_t kLineTo = 0x0213;

TEST(PictureLayoutTest, PlotAndPictureHeights) {
  struct Case {
    PictureLayout layout;
    int box, plot, picture, print;
  } cases[] = {
      {PictureLayout::OnePlot, 301, 301, 301, 301},
      {PictureLayout::TwoPlots, 301, 151, 302, 302},  // the lower plot may reach one row below
      {PictureLayout::TwoPlots, 300, 150, 300, 300},
      {PictureLayout::PlotAndLadder, 304, 240, 300, 320},
      {PictureLayout::PlotAndRails, 304, 240, 300, 300},
  };
  for (const Case& c : cases) {
    const int layout = static_cast<int>(c.layout);
    EXPECT_EQ(LayoutPlotHeight(c.layout, c.box), c.plot) << layout;
    EXPECT_EQ(LayoutPictureHeight(c.layout, c.plot), c.picture) << layout;
    EXPECT_EQ(LayoutPrintHeight(c.layout, c.plot), c.print) << layout;
    // Sizes no window has give empty or saturated heights, never an overflow.
    EXPECT_EQ(LayoutPlotHeight(c.layout, -7), 0);
    EXPECT_GE(LayoutPlotHeight(c.layout, INT_MAX), INT_MAX / 2);
    EXPECT_EQ(LayoutPictureHeight(c.layout, -7), 0);
    EXPECT_GE(LayoutPictureHeight(c.layout, INT_MAX), INT_MAX / 2);
    EXPECT_GE(LayoutPrintHeight(c.layout, INT_MAX), INT_MAX / 2);
  }
}

// The printer's origin sits at the page offsets; a window moves it on from there.
TEST(PictureLayoutTest, QtCanvasOriginShiftKeepsTheClip) {
  QImage image(200, 200, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QtCanvas canvas(&image);
    canvas.SetOrigin(10, 20);
    canvas.SetClipRect(0, 0, 100, 100);  // device 10..110, 20..120
    canvas.ShiftOrigin(0, 50);           // (0, 0) at device (10, 70)
    canvas.MoveTo(0, 10);
    canvas.LineTo(50, 10);
    canvas.MoveTo(0, 70);  // device row 140, below the clip
    canvas.LineTo(50, 70);
    canvas.ShiftOrigin(0, -50);
    canvas.MoveTo(0, 5);
    canvas.LineTo(50, 5);
  }
  for (int row : {80, 25}) EXPECT_LT(qGray(image.pixel(30, row)), 128) << row;
  // Where the lines would lie without the shift, and the clipped one.
  for (int row : {30, 90, 140}) EXPECT_EQ(qGray(image.pixel(30, row)), 255) << row;
  EXPECT_EQ(qGray(image.pixel(5, 80)), 255);  // left of the origin
}

// A window of the given layout, drawn as the analysis windows will draw it:
// its plot's coordinate system, and below it either the lower plot's
// (PlotHeight further down) or the ladder's last rung and two lines further down.
class PictureLayoutExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ProgramDir = dir.Dir();
    UserDir = dir.Dir();
    SetDefaultSettings();
    box.resize(400, 300);
    x1 = -7, x2 = 7, y1 = -2, y2 = 8;  // the x-axis at four fifths of the plot's height
    ReportExportError = [this](QWidget*, const QString& m) { errors.push_back(m); };
  }
  void TearDown() override {
    ReportExportError = nullptr;
    DrawCanvas = nullptr;
  }

  ExportTarget Target(PictureLayout layout) {
    ExportTarget target;
    target.redraw = [this, layout] { Draw(layout); };
    target.redrawOnScreen = [] {};
    target.paintBox = &box;
    target.layout = layout;
    return target;
  }

  void Draw(PictureLayout layout) {
    ASSERT_NE(DrawCanvas, nullptr);
    Canvas& c = *DrawCanvas;
    plotWidth = PlotWidth, plotHeight = PlotHeight, axisRow = ScreenY(0);
    DrawCoordinateSystem();
    auto line = [&](int left, int right, int row) {
      c.pen = {kBlack, Scaled(1), PenStyle::Solid, PenMode::Copy};
      c.MoveTo(left, row);
      c.LineTo(right, row);
    };
    if (layout == PictureLayout::TwoPlots) {
      c.ShiftOrigin(0, PlotHeight);
      DrawCoordinateSystem();
      c.ShiftOrigin(0, -PlotHeight);
    } else if (layout == PictureLayout::PlotAndLadder) {
      const int h = PlotHeight;
      ladderRow = h + 14 * (h / 60);  // the twelfth step's rung
      betweenRow = (5 * h / 4 + 4 * h / 3) / 2;
      farRow = 3 * h / 2;
      line(PlotWidth / 4, 3 * PlotWidth / 4, ladderRow);
      line(PlotWidth / 8, 3 * PlotWidth / 8, betweenRow);
      line(PlotWidth / 8, 7 * PlotWidth / 8, farRow);
    }
  }

  // The printed page at kDpi, and the factor from printer pixels to its pixels.
  QImage Print(PictureLayout layout, double& toPage) {
    const std::string pdf = dir.File("druck.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdf));
    EXPECT_TRUE(PrintGraphic(kAnalysisWindowExport, Target(layout), printer));
    EXPECT_TRUE(errors.empty());
    toPage = static_cast<double>(kDpi) / printer.resolution();
    return testing::RasterisePdf(pdf, kDpi, dir.File("seite"));
  }

  static constexpr int kDpi = 200;
  TempDir dir;
  QWidget box;
  std::vector<QString> errors;
  int plotWidth = 0, plotHeight = 0, axisRow = 0;
  int ladderRow = 0, betweenRow = 0, farRow = 0;
};

// A horizontal line of the metafile: from its left end to its right end at `row`.
bool HasLine(const WmfFile& f, int left, int right, int row) {
  for (const WmfOp& op : f.Ops(kLineTo)) {
    const auto& p = op.points;
    if (p.size() == 2 && p[0].y == row && p[1].y == row &&
        std::abs(std::min(p[0].x, p[1].x) - left) <= 1 &&
        std::abs(std::max(p[0].x, p[1].x) - right) <= 1)
      return true;
  }
  return false;
}

TEST_F(PictureLayoutExportTest, MetafileFrameHoldsTheWholePicture) {
  // A 400 × 300 paint box; the plot is (plot height on screen + 1) × 2 high.
  struct Case {
    PictureLayout layout;
    int plot, height;
  } cases[] = {
      {PictureLayout::OnePlot, 602, 602},
      {PictureLayout::TwoPlots, 302, 604},
      {PictureLayout::PlotAndLadder, 482, 602},
      {PictureLayout::PlotAndRails, 482, 602},
  };
  for (const Case& c : cases) {
    const int layout = static_cast<int>(c.layout);
    const WmfFile f = ReadWmf(RenderWmf(kAnalysisWindowExport, Target(c.layout)));
    ASSERT_EQ(f.error, "") << layout;
    EXPECT_EQ(plotWidth, 802) << layout;
    EXPECT_EQ(plotHeight, c.plot) << layout;
    EXPECT_EQ(f.right, 802) << layout;
    EXPECT_EQ(f.bottom, c.height) << layout;
    // The upper x-axis, where the plot's own coordinates put it.
    EXPECT_TRUE(HasLine(f, 0, 802, axisRow)) << layout;
  }
}

TEST_F(PictureLayoutExportTest, LowerPlotInMetafileAndClipboard) {
  const std::string wmf = RenderWmf(kAnalysisWindowExport, Target(PictureLayout::TwoPlots));
  const WmfFile f = ReadWmf(wmf);
  ASSERT_EQ(f.error, "");
  ASSERT_EQ(plotHeight, 302);
  const int lowerAxis = plotHeight + axisRow;
  EXPECT_TRUE(HasLine(f, 0, 802, lowerAxis));
  EXPECT_LT(lowerAxis, f.bottom);

  if (testing::HaveWmf2svg()) {
    bool ok = false;
    const std::string svg = testing::Wmf2svg(wmf, 802, 604, ok);
    ASSERT_TRUE(ok);
    // wmf2svg maps the picture by an offset and a scale: the two y-axes span it.
    const std::vector<SvgLine> lines = testing::SvgLines(svg);
    double top = INFINITY, bottom = -INFINITY;
    for (const SvgLine& l : lines)
      if (std::fabs(l.x1 - l.x2) < 0.01)
        top = std::min({top, l.y1, l.y2}), bottom = std::max({bottom, l.y1, l.y2});
    ASSERT_LT(top, bottom);
    auto row = [&](double y) { return (y - top) / (bottom - top) * 2 * plotHeight; };
    std::vector<double> axes;  // rows of the lines across the picture
    double longest = 0;
    for (const SvgLine& l : lines)
      if (std::fabs(l.y1 - l.y2) < 0.01) longest = std::max(longest, std::fabs(l.x2 - l.x1));
    for (const SvgLine& l : lines)
      if (std::fabs(l.y1 - l.y2) < 0.01 && std::fabs(l.x2 - l.x1) > 0.99 * longest)
        axes.push_back(row(l.y1));
    ASSERT_EQ(axes.size(), 2u);
    EXPECT_NEAR(std::min(axes[0], axes[1]), axisRow, 1.0);
    EXPECT_NEAR(std::max(axes[0], axes[1]), lowerAxis, 1.0);
  }

  ASSERT_TRUE(CopyWmfToClipboard(kAnalysisWindowExport, Target(PictureLayout::TwoPlots)));
  const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(mime, nullptr);
  EXPECT_TRUE(mime->data("image/svg+xml").contains("viewBox=\"0 0 802 604\""));
  const QImage png = QImage::fromData(mime->data("image/png"), "PNG");
  ASSERT_EQ(png.size(), QSize(802, 604));
  for (int row : {axisRow, lowerAxis}) {
    bool dark = false;
    for (int dy = -1; dy <= 1; ++dy) dark = dark || qGray(png.pixel(200, row + dy)) < 128;
    EXPECT_TRUE(dark) << "no axis at row " << row;
  }
}

TEST_F(PictureLayoutExportTest, LadderLiesInTheMetafile) {
  const std::string wmf = RenderWmf(kAnalysisWindowExport, Target(PictureLayout::PlotAndLadder));
  const WmfFile f = ReadWmf(wmf);
  ASSERT_EQ(f.error, "");
  EXPECT_LT(ladderRow, f.bottom);
  EXPECT_TRUE(HasLine(f, plotWidth / 4, 3 * plotWidth / 4, ladderRow));
  // Further down lies outside the picture.
  EXPECT_GE(betweenRow, f.bottom);
  EXPECT_FALSE(HasLine(f, plotWidth / 8, 3 * plotWidth / 8, betweenRow));

  if (testing::HaveWmf2svg()) {
    bool ok = false;
    const std::string svg = testing::Wmf2svg(wmf, f.right, f.bottom, ok);
    ASSERT_TRUE(ok);
    // wmf2svg fits what is drawn to the size given, in x and y apart: the
    // x-axis spans the plot's width, the y-axis its height.
    const std::vector<SvgLine> lines = testing::SvgLines(svg);
    double xAxis = 0, yTop = 0, yAxis = 0;
    for (const SvgLine& l : lines) {
      if (std::fabs(l.y1 - l.y2) < 0.01) xAxis = std::max(xAxis, std::fabs(l.x2 - l.x1));
      if (std::fabs(l.x1 - l.x2) < 0.01 && std::fabs(l.y2 - l.y1) > yAxis)
        yAxis = std::fabs(l.y2 - l.y1), yTop = std::min(l.y1, l.y2);
    }
    ASSERT_GT(xAxis, 0);
    ASSERT_GT(yAxis, 0);
    bool rung = false;
    for (const SvgLine& l : lines)
      if (std::fabs(l.y1 - l.y2) < 0.01 &&
          std::fabs(std::fabs(l.x2 - l.x1) / xAxis * plotWidth - plotWidth / 2.0) < 2 &&
          std::fabs((l.y1 - yTop) / yAxis * plotHeight - ladderRow) < 1.5)
        rung = true;
    EXPECT_TRUE(rung) << "wmf2svg shows no ladder rung";
  }
}

// On the printed page: lines of about `length` printer pixels, by their rows
// below the first one.
std::vector<DarkRun> LinesOfLength(const std::vector<DarkRun>& lines, double length) {
  std::vector<DarkRun> out;
  for (const DarkRun& l : lines)
    if (std::fabs(l.length - length) < 0.02 * length + 4) out.push_back(l);
  return out;
}

TEST_F(PictureLayoutExportTest, PrintClipHoldsTheLowerPlot) {
  if (!testing::HavePdftoppm()) GTEST_SKIP() << "no pdftoppm";
  double toPage = 0;
  const QImage page = Print(PictureLayout::TwoPlots, toPage);
  ASSERT_FALSE(page.isNull());
  const double axisLength = plotWidth * toPage;  // 14 cm at drucken% = 100
  EXPECT_NEAR(axisLength / kDpi * 2.54, 14.0, 0.05);
  const auto axes = LinesOfLength(testing::HorizontalLines(page, 100), axisLength);
  ASSERT_EQ(axes.size(), 2u) << "the lower x-axis is cut off";
  EXPECT_NEAR(axes[1].row - axes[0].row, plotHeight * toPage, 2.0);
  EXPECT_NEAR(axes[1].left, axes[0].left, 2.0);
}

TEST_F(PictureLayoutExportTest, PrintClipHoldsTheLadder) {
  if (!testing::HavePdftoppm()) GTEST_SKIP() << "no pdftoppm";
  double toPage = 0;
  const QImage page = Print(PictureLayout::PlotAndLadder, toPage);
  ASSERT_FALSE(page.isNull());
  const std::vector<DarkRun> lines = testing::HorizontalLines(page, 100);
  const auto axis = LinesOfLength(lines, plotWidth * toPage);
  ASSERT_EQ(axis.size(), 1u);
  auto rowBelowAxis = [&](int row) { return axis[0].row + (row - axisRow) * toPage; };
  const auto rung = LinesOfLength(lines, plotWidth / 2 * toPage);
  ASSERT_EQ(rung.size(), 1u) << "the ladder is cut off";
  EXPECT_NEAR(rung[0].row, rowBelowAxis(ladderRow), 2.0);
  // The clip reaches a third of the plot's height below it, not further.
  const auto between = LinesOfLength(lines, plotWidth / 4 * toPage);
  ASSERT_EQ(between.size(), 1u);
  EXPECT_NEAR(between[0].row, rowBelowAxis(betweenRow), 2.0);
  EXPECT_TRUE(LinesOfLength(lines, plotWidth * 3 / 4 * toPage).empty());
}

}  // namespace
}  // namespace kurvio
