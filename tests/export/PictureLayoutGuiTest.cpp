// SPDX-License-Identifier: GPL-3.0-or-later
// Exports of pictures that reach below the window's plot: two plots one above
// the other, and a plot with the bisection ladder or the covariation rails
// below it. The metafile frame and the print clip must hold all of it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPrinter>
#include <QWidget>
#include <cmath>

#include "export/Export.h"
#include "export/ExportReadBack.h"
#include "export/WmfReader.h"
#include "plot/PlotFrame.h"
#include "settings/ProgramFiles.h"
#include "settings/Settings.h"
#include "support/TempDir.h"
#include "support/WindowTestSettings.h"

namespace kurvio {
namespace {

using testing::DarkRun;
using testing::ReadWmf;
using testing::WmfFile;
using testing::WmfOp;

constexpr std::uint16_t kLineTo = 0x0213;

// A window of the given layout, drawn as the analysis windows will draw it:
// its plot's coordinate system, and below it either the lower plot's
// (PlotHeight further down) or the ladder's last rung and two lines further down.
class PictureLayoutExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UseDefaultSettingsIn(dir);
    // The x-axis at four fifths of the plot's height.
    UseSettingsIn(dir, "[Koordinatensystem]\nx1=-7\nx2=7\ny1=-2\ny2=8\n");
    box.resize(400, 300);
    ReportExportError = [this](QWidget*, const QString& m) { errors.push_back(m); };
  }
  void TearDown() override { ReportExportError = nullptr; }

  ExportTarget Target(PictureLayout layout) {
    ExportTarget target;
    target.redraw = [this, layout](const DrawFrame& frame) { Draw(frame, layout); };
    target.view = {x1, x2, y1, y2};
    target.redrawOnScreen = [] {};
    target.paintBox = &box;
    target.layout = layout;
    return target;
  }

  void Draw(const DrawFrame& frame, PictureLayout layout) {
    ASSERT_NE(frame.canvas, nullptr);
    Canvas& c = *frame.canvas;
    plotWidth = frame.width, plotHeight = frame.height, axisRow = frame.ScreenY(0);
    DrawCoordinateSystem(frame);
    auto line = [&](int left, int right, int row) {
      c.pen = {kBlack, frame.Scaled(1), PenStyle::Solid, PenMode::Copy};
      c.MoveTo(left, row);
      c.LineTo(right, row);
    };
    if (layout == PictureLayout::TwoPlots) {
      c.ShiftOrigin(0, frame.height);
      DrawCoordinateSystem(frame);
      c.ShiftOrigin(0, -frame.height);
    } else if (layout == PictureLayout::PlotAndLadder) {
      const int h = frame.height;
      ladderRow = h + 14 * (h / 60);  // the twelfth step's rung
      betweenRow = (5 * h / 4 + 4 * h / 3) / 2;
      farRow = 3 * h / 2;
      line(frame.width / 4, 3 * frame.width / 4, ladderRow);
      line(frame.width / 8, 3 * frame.width / 8, betweenRow);
      line(frame.width / 8, 7 * frame.width / 8, farRow);
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
  } cases[] = {{PictureLayout::OnePlot, 602, 602},
               {PictureLayout::TwoPlots, 302, 604},
               {PictureLayout::PlotAndLadder, 482, 602},
               {PictureLayout::PlotAndRails, 482, 602}};
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.layout));
    const WmfFile f = ReadWmf(RenderWmf(kAnalysisWindowExport, Target(c.layout)));
    ASSERT_EQ(f.error, "");
    EXPECT_EQ((std::vector{plotWidth, plotHeight, f.right, f.bottom}),
              (std::vector{802, c.plot, 802, c.height}));
    // The upper x-axis, where the plot's own coordinates put it.
    EXPECT_TRUE(HasLine(f, 0, 802, axisRow));
    EXPECT_EQ(HasLine(f, 0, 802, c.plot + axisRow), c.layout == PictureLayout::TwoPlots);
    if (c.layout != PictureLayout::PlotAndLadder) continue;
    EXPECT_TRUE(HasLine(f, plotWidth / 4, 3 * plotWidth / 4, ladderRow));
    // Further down lies outside the picture.
    EXPECT_GE(betweenRow, f.bottom);
    EXPECT_FALSE(HasLine(f, plotWidth / 8, 3 * plotWidth / 8, betweenRow));
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

// The print clip holds the lower plot one plot height below the upper, and the
// ladder's rung, not what lies further down.
TEST_F(PictureLayoutExportTest, PrintClipHoldsWhatLiesBelowThePlot) {
  if (!testing::HavePdftoppm()) GTEST_SKIP() << "no pdftoppm";
  double toPage = 0;
  QImage page = Print(PictureLayout::TwoPlots, toPage);
  ASSERT_FALSE(page.isNull());
  const double axisLength = plotWidth * toPage;  // 14 cm at drucken% = 100
  EXPECT_NEAR(axisLength / kDpi * 2.54, 14.0, 0.05);
  const auto axes = LinesOfLength(testing::HorizontalLines(page, 100), axisLength);
  ASSERT_EQ(axes.size(), 2u) << "the lower x-axis is cut off";
  EXPECT_NEAR(axes[1].row - axes[0].row, plotHeight * toPage, 2.0);
  EXPECT_NEAR(axes[1].left, axes[0].left, 2.0);

  page = Print(PictureLayout::PlotAndLadder, toPage);
  ASSERT_FALSE(page.isNull());
  const std::vector<DarkRun> lines = testing::HorizontalLines(page, 100);
  const auto axis = LinesOfLength(lines, plotWidth * toPage);
  ASSERT_EQ(axis.size(), 1u);
  auto rowBelowAxis = [&](int row) { return axis[0].row + (row - axisRow) * toPage; };
  const auto rung = LinesOfLength(lines, plotWidth / 2 * toPage);
  ASSERT_EQ(rung.size(), 1u) << "the ladder is cut off";
  EXPECT_NEAR(rung[0].row, rowBelowAxis(ladderRow), 2.0);
  EXPECT_TRUE(LinesOfLength(lines, plotWidth * 3 / 4 * toPage).empty());
}

}  // namespace
}  // namespace kurvio
