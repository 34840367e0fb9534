// The curve-discussion window: the tangent, triangle and guide line above, the
// bars, graphs and trace of f' and f'' below, the readouts, examples and files.
#include <QListWidget>

#include "export/ExportReadBack.h"
#include "export/SvgReadBack.h"
#include "plot/PaintBox.h"
#include "support/WindowFixture.h"
#include "windows/curves/CurveDiscussionWindow.h"

namespace kurvio {
namespace {

constexpr Color kGrey = 12632256, kYellow = 65535, kDarkGreen = 32768, kRed = 255;

class CurveDiscussionTest : public WindowTest<TForm3> {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    TermFx = "x^3-3x";
    Gitter = 1;
    Open();
  }
  Color Upper(double x, double y) const { return Pixel(form->Picture().Screen(), x, y); }
  Color Lower(double x, double y, int dx = 0) const {
    return FromQColor(
        form->Picture().Screen().pixelColor(ScreenX(x) + dx, PlotHeight + ScreenY(y)));
  }
  bool LowerColumnHas(double x, Color colour) const {
    for (int row = PlotHeight; row < 2 * PlotHeight; ++row)
      if (FromQColor(form->Picture().Screen().pixelColor(ScreenX(x), row)) == colour) return true;
    return false;
  }
  void SetX0(double x) {
    PointX0 = x;
    form->animieren();
  }
};

TEST_F(CurveDiscussionTest, EveryDesignNameNamesOneControl) {
  const QWidget* w = form.get();
  ExpectDesignNames(w, "QLineEdit", {"Edit1", "Edit2", "Edit3"});
  ExpectDesignNames(w, "QLabel", {"Label2", "Label3"});
  ExpectDesignNames(w, "kurvio::TBitCheckBox",
                    {"BitCheckBox1", "BitCheckBox2", "BitCheckBox3", "BitCheckBox4"});
  ExpectDesignNames(w, {{"Switch4", "kurvio::TSwitch"}});
  ExpectDesignNames(
      w, "QAbstractButton",
      {"SpeedButton1", "SpeedButton4", "SpeedButton5", "SpeedButton28", "SpeedButton3",
       "SpeedButton7", "SpeedButton22", "SpeedButton14", "SpeedButton15", "SpeedButton17",
       "SpeedButton23", "SpeedButton6", "SpeedButton13", "SpeedButton2"});
  ExpectDesignNames(w, {{"ListBox1", "QListWidget"}, {"PaintBox1", "kurvio::TPaintBox"}});
}

// x^3-3x: f' = 3x^2-3, f'' = 6x. The bars show the signs, the tangent lies flat at the extrema.
TEST_F(CurveDiscussionTest, BarsShowTheSignsOfTheDerivatives) {
  Click("BitCheckBox1");
  for (double x0 : {-2.0, 2.0}) {
    SetX0(x0);
    EXPECT_EQ(Lower(x0, 3), kRed) << x0;  // above the x-axis
    EXPECT_NE(Lower(x0, -1), kRed) << x0;
  }
  SetX0(0.5);
  EXPECT_EQ(Lower(0.5, -1), kRed);  // below it
  EXPECT_EQ(Lower(0.5, 1), kGrey);  // the guide from the plot's top down to the bar
  EXPECT_TRUE(Text("Label2").startsWith(QStringLiteral("f'(0,5000) =")))
      << Text("Label2").toStdString();
  for (double x0 : {-1.0, 1.0}) {
    SetX0(x0);
    const double y0 = x0 * x0 * x0 - 3 * x0;
    EXPECT_EQ(Upper(x0 - 0.5, y0), Farben::Tangente) << x0;
    EXPECT_EQ(Upper(x0 + 0.5, y0), Farben::Tangente) << x0;
  }
  // The bar of f'' one column right of x0, up for f'' > 0 and down for f'' < 0.
  Click("BitCheckBox2");
  for (double x0 : {1.0, -1.0}) {
    SetX0(x0);
    EXPECT_EQ(Lower(x0, 3 * x0, 1), Farben::f2Strich) << x0;
    EXPECT_NE(Lower(x0, -3 * x0, 1), Farben::f2Strich) << x0;
  }
}

TEST_F(CurveDiscussionTest, ReadoutsAreEmptyWhileTheirCurveIsHiddenAndTheTriangleHangsRight) {
  // x^2 at 1: the tangent y = 2x - 1 ends cos(atan 2) to the right of the point.
  Type("Edit1", QStringLiteral("x^2"));
  SetX0(1);
  EXPECT_EQ(Upper(1.4, 1.8), Farben::Tangente);
  EXPECT_NE(Upper(1.5, 2), Farben::Tangente);
  Type("Edit1", QStringLiteral("x^3-3x"));
  SetX0(0);
  Click("BitCheckBox4");  // the slope triangle alone: (0|0), (1|0), (1|-3)
  EXPECT_EQ(Text("Label2"), QString());
  EXPECT_EQ(Text("Label3"), QString());
  EXPECT_EQ(Upper(0.5, -0.5), kYellow);
  EXPECT_EQ(Upper(1, -1), kRed);
  EXPECT_NE(Upper(-0.5, -0.5), kYellow);
  Click("BitCheckBox2");
  EXPECT_TRUE(Text("Label3").startsWith(QStringLiteral("f''(0,0000) =")));
  SetX0(2);  // (2|2), (3|2), (3|11)
  EXPECT_EQ(Upper(2.5, 2), kDarkGreen);
  EXPECT_EQ(Upper(3, 4), kRed);
}

TEST_F(CurveDiscussionTest, TheTraceCoversWhatThePointSweptAndAPressRestartsIt) {
  y1 = -12;
  y2 = 12;
  form->Redraw();
  Click("BitCheckBox3");
  form->onPaintBoxPressed(Qt::LeftButton, ScreenX(0), 10);
  for (double x : {1.0, 2.0, 0.5, -1.0, 0.0, 1.0}) form->onPaintBoxMoved(ScreenX(x), 10);
  form->onPaintBoxReleased(Qt::LeftButton, ScreenX(1), 10);
  const Color trace = Farben::fStrich;
  EXPECT_TRUE(LowerColumnHas(-0.9, trace));
  EXPECT_TRUE(LowerColumnHas(1.9, trace));
  EXPECT_FALSE(LowerColumnHas(-1.2, trace));
  EXPECT_FALSE(LowerColumnHas(2.2, trace));
  form->onPaintBoxMoved(ScreenX(-3), 10);  // released: no longer dragging
  EXPECT_NEAR(PointX0, 1.0, 14.0 / PlotWidth);

  form->onPaintBoxPressed(Qt::LeftButton, ScreenX(-2.2), 10);
  form->onPaintBoxMoved(ScreenX(-1.6), 10);
  EXPECT_TRUE(LowerColumnHas(-1.8, trace));
  EXPECT_FALSE(LowerColumnHas(1.0, trace));
}

// Where f has no derivative, the readouts say so and neither tangent nor triangle is drawn;
// a slope that is zero reads as zero; the graph of f' has a gap at a kink; nothing hangs.
TEST_F(CurveDiscussionTest, NoNumbersAndNoTangentWhereTheDerivativeDoesNotExist) {
  for (const char* box : {"BitCheckBox1", "BitCheckBox2", "BitCheckBox4"}) Click(box);
  SetX0(1);  // f'(1) = 0 to the bit
  EXPECT_EQ(Text("Label2"), QStringLiteral("f'(1,0000) =  0,0000"));
  const struct {
    const char* term;
    double x0;
  } cases[] = {{"abs(x)", 0}, {"1/x", 0}, {"sqrt(x)", -1}, {"int(x)", 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.term);
    Type("Edit1", QString::fromUtf8(c.term));
    SetX0(c.x0);
    EXPECT_TRUE(Text("Label2").endsWith(QStringLiteral(") = nicht definiert")));
    EXPECT_TRUE(Text("Label3").endsWith(QStringLiteral(") = nicht definiert")));
    EXPECT_NE(Upper(c.x0 + 0.5, 0.25), kYellow);
    EXPECT_NE(Upper(c.x0 + 0.5, 0), Farben::Tangente);
  }
  Type("Edit1", QStringLiteral("abs(x)"));
  SetX0(3);
  EXPECT_EQ(Lower(-1, -1), Farben::fStrich);
  EXPECT_EQ(Lower(1, 1), Farben::fStrich);
  EXPECT_NE(Lower(0, 0.5), Farben::fStrich);
  EXPECT_NE(Lower(0, -0.5), Farben::fStrich);
  Type("Edit1", QStringLiteral("sqrt(x)"));
  Click("BitCheckBox3");
  for (double x0 : {-1.0, 0.0, -1e300, 1e300, std::nan("")}) SetX0(x0);
  EXPECT_EQ(Lower(2, -6.5), kWhite);  // nothing stray far below in the lower plot
}

TEST_F(CurveDiscussionTest, TheGuideLineRunsFromThePointToTheAxisAndOnDown) {
  SetX0(0.5);  // f(0,5) = -1,375: the point lies below the axis
  EXPECT_EQ(Upper(0.5, -0.7), kGrey);
  EXPECT_NE(Upper(0.5, -3), kGrey);
  Click("BitCheckBox1");
  EXPECT_EQ(Upper(0.5, -0.7), kGrey);  // the stretch from the axis down to the point
  EXPECT_EQ(Upper(0.5, -3), kGrey);    // and on to the bottom
}

TEST_F(CurveDiscussionTest, ExamplesKeepTheirComment) {
  Find<QLineEdit>("Edit1")->setText(QStringLiteral("x^2"));
  // A character the 8-bit form has no byte for stays, in the field and in the file.
  Find<QLineEdit>("Edit2")->setText(QStringLiteral("Parabel, f(x) ≥ 0"));
  Click("SpeedButton4");
  Find<QLineEdit>("Edit1")->setText(QStringLiteral("x"));
  Find<QLineEdit>("Edit2")->clear();
  Find<QListWidget>("ListBox1")->setCurrentRow(0);
  Click("SpeedButton1");
  EXPECT_EQ(Text("Edit1"), QStringLiteral("x^2"));
  EXPECT_EQ(Text("Edit2"), QStringLiteral("Parabel, f(x) ≥ 0"));
  EXPECT_EQ(TermFx, "x^2");
  form->close();
  EXPECT_EQ(ReadBytes(dir.File("Bsp1.txt")), "\xEF\xBB\xBFx^2;  Parabel, f(x) \u2265 0\r\n");
}

// The file button's PNG, SVG and PDF hold both plots: an x-axis in either half.
TEST_F(CurveDiscussionTest, FilesHoldBothPlots) {
  QString filter;
  AskSaveFileName = [&](QWidget*, const QString&, const QString&, QString& selected) {
    selected = filter;
    return QString::fromStdString(dir.File("beide"));
  };
  for (const char* f : {"PNG-Bild (*.png)", "SVG-Grafik (*.svg)", "PDF-Dokument (*.pdf)"}) {
    filter = QString::fromLatin1(f);
    Click("SpeedButton17");
  }
  AskSaveFileName = nullptr;
  const int w = form->paintBox->width();
  const int plot = LayoutPlotHeight(PictureLayout::TwoPlots, form->paintBox->height());
  const auto oneInEachHalf = [](const std::vector<testing::DarkRun>& runs, double plotHeight) {
    return runs.size() == 2 && std::min(runs[0].row, runs[1].row) < plotHeight &&
           std::max(runs[0].row, runs[1].row) >= plotHeight;
  };
  // PNG: four times the screen; SVG and PDF at the metafile's scale, twice the screen.
  const QImage png(QString::fromStdString(dir.File("beide.png")));
  const int W4 = (w + 1) * 4, P4 = (plot + 1) * 4, W2 = (w + 1) * 2, P2 = (plot + 1) * 2;
  ASSERT_EQ(png.size(), QSize(W4, 2 * P4));
  EXPECT_TRUE(oneInEachHalf(
      testing::HorizontalLines(png.convertToFormat(QImage::Format_Grayscale8), W4 * 9 / 10), P4));
  const testing::SvgPicture svg = testing::ReadSvg(ReadBytes(dir.File("beide.svg")));
  ASSERT_EQ(svg.error, "");
  const std::vector<double> svgRows = testing::SvgHorizontalLines(svg, W2 - 1);
  EXPECT_TRUE(svgRows.size() == 2 && std::min(svgRows[0], svgRows[1]) < P2 &&
              std::max(svgRows[0], svgRows[1]) >= P2);
  if (!testing::HavePdftoppm()) return;
  const QImage page = testing::RasterisePdf(dir.File("beide.pdf"), 192, dir.File("seite"));
  EXPECT_TRUE(oneInEachHalf(testing::HorizontalLines(page, W2 * 9 / 10), P2));
}

}  // namespace
}  // namespace kurvio
