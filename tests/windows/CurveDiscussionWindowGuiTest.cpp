// The curve-discussion window: the bars of f' and f'', the tangent, the
// readouts, the trace of f', the two plots and the reset of x0.
#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "export/Export.h"
#include "export/SvgReadBack.h"
#include "module/ExampleList.h"
#include "plot/PaintBox.h"
#include "plot/PlotFrame.h"
#include "plot/QtCanvas.h"
#include "settings/Settings.h"
#include "support/TempDir.h"
#include "support/WindowTestSettings.h"
#include "term/Term.h"
#include "widgets/TBitCheckBox.h"
#include "windows/TwoPlotExportChecks.h"
#include "windows/curves/CurveDiscussionWindow.h"

namespace kurvio {
namespace {

class CurveDiscussionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UseDefaultSettingsIn(dir);
    Gitter = 1;  // no grid lines for the pixels to meet
    TermFx = "x^3-3x";
    PointX0 = 0;
    SyntaxErrorReporter = [](const std::string&) {};
    ReportExampleListMessage = [](QWidget*, const QString&) {};
    form = std::make_unique<TForm3>();
    form->resize(1100, 750);
    form->show();
    QApplication::processEvents();
  }
  void TearDown() override {
    form.reset();
    SyntaxErrorReporter = nullptr;
    ReportExampleListMessage = nullptr;
    MainTerm.reset();
  }
  void Click(TBitCheckBox* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, 5)); }
  void SetX0(double x) {
    PointX0 = x;
    form->animieren();
  }
  Color Upper(double x, double y) const {
    return FromQColor(form->Picture().Screen().pixelColor(ScreenX(x), ScreenY(y)));
  }
  Color Lower(double x, double y) const {
    return FromQColor(form->Picture().Screen().pixelColor(ScreenX(x), PlotHeight + ScreenY(y)));
  }
  // Whether any pixel of the lower plot's column at x has the colour.
  bool LowerColumnHas(double x, Color colour) const {
    const QImage& s = form->Picture().Screen();
    for (int row = PlotHeight; row < 2 * PlotHeight; ++row)
      if (FromQColor(s.pixelColor(ScreenX(x), row)) == colour) return true;
    return false;
  }

  TempDir dir;
  std::unique_ptr<TForm3> form;
};

TEST_F(CurveDiscussionTest, TheBarOfFPrimeShowsTheSignAndTheTangentLiesFlatAtTheExtrema) {
  Click(form->BitCheckBox1);
  for (double x0 : {-2.0, 2.0}) {
    SetX0(x0);
    EXPECT_EQ(Lower(x0, 3), Color{255}) << x0;  // above the x-axis
    EXPECT_NE(Lower(x0, -1), Color{255}) << x0;
  }
  SetX0(0.5);
  EXPECT_EQ(Lower(0.5, -1), Color{255});  // below it
  EXPECT_NE(Lower(0.5, 1), Color{255});
  EXPECT_TRUE(form->Label2->text().startsWith(QStringLiteral("f'(0,5000) =")))
      << form->Label2->text().toStdString();
  for (double x0 : {-1.0, 1.0}) {
    SetX0(x0);
    const double y0 = x0 * x0 * x0 - 3 * x0;
    // Horizontal: the tangent's colour half a unit to either side at the point's height.
    EXPECT_EQ(Upper(x0 - 0.5, y0), Farben::Tangente) << x0;
    EXPECT_EQ(Upper(x0 + 0.5, y0), Farben::Tangente) << x0;
  }
}

TEST_F(CurveDiscussionTest, ReadoutsAreEmptyWhileTheirCurveIsHidden) {
  Click(form->BitCheckBox4);  // the slope triangle alone
  EXPECT_EQ(form->Label2->text(), QString());
  EXPECT_EQ(form->Label3->text(), QString());
  EXPECT_EQ(Upper(0.5, -0.5), Color{65535});  // the triangle under the tangent at 0
  Click(form->BitCheckBox2);
  EXPECT_TRUE(form->Label3->text().startsWith(QStringLiteral("f''(0,0000) =")));
}

TEST_F(CurveDiscussionTest, TheTraceCoversWhatThePointSweptAndAPressRestartsIt) {
  y1 = -12;
  y2 = 12;
  form->darstellen();
  SetX0(0);
  Click(form->BitCheckBox3);
  form->PaintBox1MouseDown(Qt::LeftButton, ScreenX(0), 10);
  for (double x : {1.0, 2.0, 0.5, -1.0, 0.0, 1.0}) form->PaintBox1MouseMove(ScreenX(x), 10);
  form->PaintBox1MouseUp(Qt::LeftButton, ScreenX(1), 10);
  const Color trace = Farben::fStrich;
  EXPECT_TRUE(LowerColumnHas(-0.9, trace));
  EXPECT_TRUE(LowerColumnHas(1.9, trace));
  EXPECT_FALSE(LowerColumnHas(-1.2, trace));
  EXPECT_FALSE(LowerColumnHas(2.2, trace));

  form->PaintBox1MouseDown(Qt::LeftButton, ScreenX(-2.2), 10);
  form->PaintBox1MouseMove(ScreenX(-1.6), 10);
  EXPECT_TRUE(LowerColumnHas(-1.8, trace));
  EXPECT_FALSE(LowerColumnHas(1.0, trace));
}

TEST_F(CurveDiscussionTest, AnOddPaintBoxGivesTwoEqualPlots) {
  form->PaintBox1->setFixedHeight(501);
  QApplication::processEvents();
  EXPECT_EQ(PlotHeight, 251);
  EXPECT_EQ(PlotWidth, form->PaintBox1->width());
  // The lower x-axis lies at its own ScreenY(0), counted from row 251.
  EXPECT_EQ(FromQColor(form->Picture().Screen().pixelColor(5, 251 + ScreenY(0))), kBlack);
  EXPECT_EQ(FromQColor(form->Picture().Screen().pixelColor(5, ScreenY(0))), kBlack);
}

TEST_F(CurveDiscussionTest, APointWhereFIsUndefinedDrawsWithoutHanging) {
  form->Edit1->setText(QStringLiteral("sqrt(x)"));
  form->Edit1Exit();
  for (TBitCheckBox* box :
       {form->BitCheckBox1, form->BitCheckBox2, form->BitCheckBox3, form->BitCheckBox4})
    Click(box);
  for (double x0 : {-1.0, 0.0, -1e300, 1e300, std::nan("")}) SetX0(x0);
  EXPECT_EQ(Lower(2, -6.5), kWhite);  // nothing stray far below in the lower plot
}

// Where f has no derivative, the readouts say so and neither tangent nor triangle is drawn;
// a slope that is zero reads as zero; the graph of f' has a gap at a kink.
TEST_F(CurveDiscussionTest, NoNumbersAndNoTangentWhereTheDerivativeDoesNotExist) {
  for (TBitCheckBox* box : {form->BitCheckBox1, form->BitCheckBox2, form->BitCheckBox4}) Click(box);
  SetX0(1);  // x^3-3x: f'(1) = 0 to the bit
  EXPECT_EQ(form->Label2->text(), QStringLiteral("f'(1,0000) =  0,0000"));
  const struct {
    const char* term;
    double x0;
  } cases[] = {{"abs(x)", 0}, {"1/x", 0}, {"sqrt(x)", -1}, {"int(x)", 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.term);
    form->Edit1->setText(QString::fromUtf8(c.term));
    form->Edit1Exit();
    SetX0(c.x0);
    EXPECT_TRUE(form->Label2->text().endsWith(QStringLiteral(") = nicht definiert")))
        << form->Label2->text().toStdString();
    EXPECT_TRUE(form->Label3->text().endsWith(QStringLiteral(") = nicht definiert")));
    EXPECT_NE(Upper(c.x0 + 0.5, 0.25), Color{65535});  // no triangle
    EXPECT_NE(Upper(c.x0 + 0.5, 0), Farben::Tangente);
  }
  // abs(x): the graph of f' runs at -1 and 1 with no line between them.
  form->Edit1->setText(QStringLiteral("abs(x)"));
  form->Edit1Exit();
  SetX0(3);
  EXPECT_EQ(Lower(-1, -1), Farben::fStrich);
  EXPECT_EQ(Lower(1, 1), Farben::fStrich);
  EXPECT_NE(Lower(0, 0.5), Farben::fStrich);
  EXPECT_NE(Lower(0, -0.5), Farben::fStrich);
}

TEST_F(CurveDiscussionTest, TheGuideLineRunsFromThePointToTheAxisAndOnDown) {
  Gitter = 1;
  SetX0(0.5);  // f(0,5) = -1,375: the point lies below the axis
  EXPECT_EQ(Upper(0.5, -0.7), Color{12632256});
  Click(form->BitCheckBox1);
  EXPECT_EQ(Upper(0.5, -0.7), Color{12632256});  // the stretch from the axis down to the point
  EXPECT_EQ(Upper(0.5, -3), Color{12632256});    // and on to the bottom
}

TEST_F(CurveDiscussionTest, ResetPutsThePointAtZero) {
  SetX0(2.5);
  form->SpeedButton13->click();
  EXPECT_EQ(PointX0, 0.0);
  EXPECT_EQ(form->Edit3->text().trimmed(), QStringLiteral("0,00"));
}

TEST_F(CurveDiscussionTest, ExamplesKeepTheirComment) {
  form->Edit1->setText(QStringLiteral("x^2"));
  // A character the 8-bit form has no byte for stays, in the field and in the file.
  form->Edit2->setText(QStringLiteral("Parabel, f(x) ≥ 0"));
  form->SpeedButton4->click();
  form->Edit1->setText(QStringLiteral("x"));
  form->Edit2->clear();
  form->ListBox1->setCurrentRow(0);
  form->SpeedButton1->click();
  EXPECT_EQ(form->Edit1->text(), QStringLiteral("x^2"));
  EXPECT_EQ(form->Edit2->text(), QStringLiteral("Parabel, f(x) ≥ 0"));
  EXPECT_EQ(TermFx, "x^2");
  form->close();
  EXPECT_EQ(ReadBytes(dir.File("Bsp1.txt")), "\xEF\xBB\xBFx^2;  Parabel, f(x) \u2265 0\r\n");
}

TEST_F(CurveDiscussionTest, ExportsHoldBothPlots) {
  const auto redraw = [this] {
    form->darstellen();
    form->animieren();
  };
  ExportTarget target{redraw, redraw, form->PaintBox1};
  target.layout = PictureLayout::TwoPlots;
  int upper = 0, lower = 0, svgAxes = 0;
  testing::MetafileAxes(target, upper, lower, svgAxes);
  EXPECT_GE(upper, 1);
  EXPECT_GE(lower, 1);
  if (svgAxes >= 0) {
    EXPECT_EQ(svgAxes, 2);
  }
  if (testing::HavePdftoppm()) {
    EXPECT_EQ(testing::PrintedAxes(target, dir), 2);
  }
}

// The file button's other formats hold both plots, each with its x-axis.
TEST_F(CurveDiscussionTest, FileButtonWritesBothPlotsAsPngSvgAndPdf) {
  QString filter, name;
  AskSaveFileName = [&](QWidget*, const QString&, const QString&, QString& selected) {
    selected = filter;
    return name;
  };
  for (const char* f : {"PNG-Bild (*.png)", "SVG-Grafik (*.svg)", "PDF-Dokument (*.pdf)"}) {
    filter = QString::fromLatin1(f);
    name = QString::fromStdString(dir.File("beide"));
    form->SpeedButton17->click();
  }
  AskSaveFileName = nullptr;
  const int w = form->PaintBox1->width();
  const int plot = LayoutPlotHeight(PictureLayout::TwoPlots, form->PaintBox1->height());
  // An axis in each half of a picture of two plots `plotHeight` high.
  auto oneInEachHalf = [](const std::vector<double>& rows, double plotHeight) {
    return rows.size() == 2 && std::min(rows[0], rows[1]) < plotHeight &&
           std::max(rows[0], rows[1]) >= plotHeight;
  };

  // PNG: four times the screen.
  const QImage png(QString::fromStdString(dir.File("beide.png")));
  const int W4 = (w + 1) * 4, P4 = (plot + 1) * 4;
  ASSERT_EQ(png.size(), QSize(W4, 2 * P4));
  std::vector<double> rows;
  for (const testing::DarkRun& run :
       testing::HorizontalLines(png.convertToFormat(QImage::Format_Grayscale8), W4 * 9 / 10))
    rows.push_back(run.row);
  EXPECT_TRUE(oneInEachHalf(rows, P4)) << rows.size();

  // SVG and PDF at the metafile's scale, twice the screen in these windows.
  const int W2 = (w + 1) * 2, P2 = (plot + 1) * 2;
  const testing::SvgPicture svg = testing::ReadSvg(ReadBytes(dir.File("beide.svg")));
  ASSERT_EQ(svg.error, "");
  EXPECT_TRUE(oneInEachHalf(testing::SvgHorizontalLines(svg, W2 - 1), P2));
  if (!testing::HavePdftoppm()) return;
  const QImage page = testing::RasterisePdf(dir.File("beide.pdf"), 192, dir.File("seite"));
  ASSERT_FALSE(page.isNull());
  rows.clear();
  for (const testing::DarkRun& run : testing::HorizontalLines(page, W2 * 9 / 10))
    rows.push_back(run.row);
  EXPECT_TRUE(oneInEachHalf(rows, P2)) << rows.size();
  if (const QByteArray out = qgetenv("KURVIO_WMF_DIR"); !out.isEmpty())
    for (const char* file : {"beide.png", "beide.svg", "beide.pdf"})
      QFile::copy(QString::fromStdString(dir.File(file)), out + "/" + file);
}

}  // namespace
}  // namespace kurvio
