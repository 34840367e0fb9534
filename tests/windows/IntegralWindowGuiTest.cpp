// The integral window: the graph of F by the Simpson rule with its stop rule,
// the readout, the label of x, the bars of the bounds and TermIntegralMode.
#include <gtest/gtest.h>

#include <string>

#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "export/Export.h"
#include "module/ExampleList.h"
#include "plot/PaintBox.h"
#include "plot/PlotFrame.h"
#include "plot/QtCanvas.h"
#include "settings/Settings.h"
#include "support/RecordingCanvas.h"
#include "support/TempDir.h"
#include "support/WindowTestSettings.h"
#include "term/NumberFormat.h"
#include "term/Term.h"
#include "widgets/TSwitch.h"
#include "windows/TwoPlotExportChecks.h"
#include "windows/curves/IntegralWindow.h"

namespace kurvio {
namespace {

class IntegralWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UseDefaultSettingsIn(dir);
    Gitter = 1;
    TermFt = "1";
    PointX0 = 0;
    SyntaxErrorReporter = [this](const std::string& m) { messages.push_back(m); };
    ReportExampleListMessage = [](QWidget*, const QString&) {};
    form = std::make_unique<TForm7>();
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
  void Type(QLineEdit* edit, const QString& text) { TypeInto(form.get(), edit, text); }
  bool LowerColumnHas(double x, Color colour) const {
    const QImage& s = form->Picture().Static(TwoPlotPicture::Lower);
    for (int row = 0; row < s.height(); ++row)
      if (FromQColor(s.pixelColor(ScreenX(x), row)) == colour) return true;
    return false;
  }
  bool AnyLower(Color colour) const {
    const QImage& s = form->Picture().Static(TwoPlotPicture::Lower);
    for (int y = 0; y < s.height(); ++y)
      for (int x = 0; x < s.width(); ++x)
        if (FromQColor(s.pixelColor(x, y)) == colour) return true;
    return false;
  }

  TempDir dir;
  std::vector<std::string> messages;
  std::unique_ptr<TForm7> form;
};

TEST(IntegralTest, SimpsonWithSixteenSubintervals) {
  TermIntegralMode = true;
  CompileTerm(MainTerm, "t^3", true);
  bool undefined = true;
  EXPECT_NEAR(Integral(0, 2, undefined), 4.0, 1e-12);  // exact for cubics
  EXPECT_FALSE(undefined);
  EXPECT_NEAR(Integral(2, 0, undefined), -4.0, 1e-12);
  CompileTerm(MainTerm, "sqrt(t)", true);
  Integral(-1, 1, undefined);  // undefined points count 0 and are told
  EXPECT_TRUE(undefined);
  TermIntegralMode = false;
  MainTerm.reset();
}

TEST_F(IntegralWindowTest, ConstantOneGivesTheLineYEqualsX) {
  EXPECT_EQ(IntegralX0, 0.0);
  // F(u) = u: the graph passes within a row of (u|u) on both sides of x0.
  const QImage& lower = form->Picture().Static(TwoPlotPicture::Lower);
  for (double u : {-3.0, -0.5, 2.0, 5.0}) {
    bool found = false;
    for (int dy = -1; dy <= 1; ++dy)
      found = found || FromQColor(lower.pixelColor(ScreenX(u), ScreenY(u) + dy)) == Farben::flaeche;
    EXPECT_TRUE(found) << u;
  }
  Type(form->Edit4, QStringLiteral("3"));
  EXPECT_EQ(form->Label2->text(),
            QString::fromStdString(FormatNumber(Nachkommastellen, 3)) + QStringLiteral(" [FE]"));
}

TEST_F(IntegralWindowTest, AreaLeftOfTheLowerBoundIsNegative) {
  Type(form->Edit1, QStringLiteral("t"));
  Type(form->Edit3, QStringLiteral("2"));
  Type(form->Edit4, QStringLiteral("0"));
  EXPECT_TRUE(form->Label2->text().startsWith(QStringLiteral(" -2,00")))
      << form->Label2->text().toStdString();
  testing::RecordingCanvas canvas;
  DrawCanvas = &canvas;
  ExportDrawing = true;
  form->animieren();
  ExportDrawing = false;
  DrawCanvas = nullptr;
  ASSERT_EQ(canvas.texts.size(), 1u);
  EXPECT_EQ(canvas.texts[0].text, "x");
  EXPECT_LT(canvas.texts[0].x, ScreenX(0));  // left of the line at x = 0
}

TEST_F(IntegralWindowTest, RootEndsAtZeroOnItsWayLeftAndIsMissingFromBelowZero) {
  y1 = -2;
  y2 = 20;
  Type(form->Edit1, QStringLiteral("sqrt(t)"));
  Type(form->Edit3, QStringLiteral("1"));
  EXPECT_TRUE(LowerColumnHas(0.5, Farben::flaeche));
  EXPECT_TRUE(LowerColumnHas(6.9, Farben::flaeche));  // to the right edge
  EXPECT_FALSE(LowerColumnHas(-0.5, Farben::flaeche));
  Type(form->Edit3, QStringLiteral("-1"));
  EXPECT_FALSE(AnyLower(Farben::flaeche));
}

// An integral across a pole or across points where f is undefined does not exist: the
// readout says so, the area stops before the point and the graph of F ends there.
TEST_F(IntegralWindowTest, NoValueAcrossAPoleOrAnUndefinedStretch) {
  const struct {
    const char* term;
    const char* x0;
    const char* x;
    bool exists;
  } cases[] = {
      {"1/t", "-1", "1", false},    // a node on the pole
      {"1/t", "-1", "1,5", false},  // the pole between two nodes
      {"1/(t-0,3)^2", "-1", "1,3", false}, {"tan(t)", "0", "2", false},
      {"sqrt(t)", "-1", "1", false},       {"1/t", "0,5", "2", true},
      {"sgn(t)", "-1", "2", true},  // a jump is no obstacle
      {"ln(abs(t))", "-1", "1,3", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.term) + " from " + c.x0 + " to " + c.x);
    Type(form->Edit1, QString::fromUtf8(c.term));
    Type(form->Edit3, QString::fromUtf8(c.x0));
    Type(form->Edit4, QString::fromUtf8(c.x));
    EXPECT_EQ(form->Label2->text() == QStringLiteral("nicht definiert"), !c.exists)
        << form->Label2->text().toStdString();
  }
  // 1/t from 1 leftwards: F ends before 0, and the area from x0 = -2 to x = 1 stops short of it.
  Type(form->Edit1, QStringLiteral("1/t"));
  Type(form->Edit3, QStringLiteral("1"));
  EXPECT_TRUE(LowerColumnHas(0.5, Farben::flaeche));
  EXPECT_FALSE(LowerColumnHas(-0.5, Farben::flaeche));
  Type(form->Edit3, QStringLiteral("-2"));
  Type(form->Edit4, QStringLiteral("1"));
  const QImage& upper = form->Picture().Screen();
  EXPECT_EQ(FromQColor(upper.pixelColor(ScreenX(-1), ScreenY(-0.2))), Farben::flaeche);
  EXPECT_NE(FromQColor(upper.pixelColor(ScreenX(0.5), ScreenY(0.2))), Farben::flaeche);
}

// F = 2 sqrt(2) - 2 sqrt(2 - u) ends at u = 2, steep: it is drawn joined up to its last column.
TEST_F(IntegralWindowTest, SteepGraphIsDrawnUpToWhereItEnds) {
  Type(form->Edit1, QStringLiteral("1/sqrt(2-t)"));
  testing::RecordingCanvas canvas;
  DrawCanvas = &canvas;
  form->IntegralKurveZeichnen();
  DrawCanvas = nullptr;
  const auto segments = canvas.DrawnSegments();
  ASSERT_FALSE(segments.empty());
  for (std::size_t i = 1; i < segments.size(); ++i)
    EXPECT_EQ(segments[i].from, segments[i - 1].to) << segments[i].from.x;
  EXPECT_GE(segments.back().to.x, ScreenX(2) - 1);
}

TEST_F(IntegralWindowTest, LowerBoundFarOutsideTheViewDrawsWithoutWalkingThere) {
  Type(form->Edit3, QStringLiteral("-1000000000"));
  // F(u) = u + 1e9 lies far above the view: clamped, nothing inside, and no hang.
  EXPECT_FALSE(AnyLower(Farben::flaeche));
  Type(form->Edit1, QStringLiteral("0"));
  EXPECT_TRUE(LowerColumnHas(3, Farben::flaeche));  // F = 0 along the axis
}

TEST_F(IntegralWindowTest, BoundsAnywhereDrawWithoutHanging) {
  Type(form->Edit1, QStringLiteral("1/t"));
  for (const char* x0 : {"0", "1e300", "-1e300"}) {
    Type(form->Edit3, QString::fromUtf8(x0));
    for (const char* x : {"0", "5", "-1e300", "1e300"}) Type(form->Edit4, QString::fromUtf8(x));
  }
  SUCCEED();  // only a hang or a sanitizer report fails here
}

TEST_F(IntegralWindowTest, ResettingTheBoundsPutsTheBarsOnZero) {
  x1 = -2;
  x2 = 8;
  form->darstellen();
  Type(form->Edit3, QStringLiteral("5"));
  form->SpeedButton6->click();
  EXPECT_EQ(form->ScrollBar2->value(), 40);
  EXPECT_EQ(IntegralX0, 0.0);
  form->ScrollBar1->setValue(100);
  EXPECT_DOUBLE_EQ(PointX0, 3.0);
  form->SpeedButton13->click();
  EXPECT_EQ(form->ScrollBar1->value(), 40);
  EXPECT_EQ(PointX0, 0.0);
}

TEST_F(IntegralWindowTest, ATermWithXIsRefusedUntilTheWindowCloses) {
  Type(form->Edit1, QStringLiteral("x^2"));
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].rfind("Syntaxfehler: ", 0), 0u);
  // Closed during an animation, the window hands the variable x back.
  QTimer::singleShot(60, form.get(), [this] { form->close(); });
  for (int x = 0; x < form->Switch1->width(); ++x)
    if (form->Switch1->IsOnRaisedHalf(x)) {
      QTest::mouseClick(form->Switch1, Qt::LeftButton, {}, QPoint(x + 2, 10));
      break;
    }
  EXPECT_FALSE(form->isVisible());
  EXPECT_FALSE(TermIntegralMode);
  CompileTerm(MainTerm, "x^2", true);
  EXPECT_TRUE(TermDefined);
}

TEST_F(IntegralWindowTest, ExportsHoldBothPlots) {
  Type(form->Edit1, QStringLiteral("sin(t)+1"));  // no graph that runs level across
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

}  // namespace
}  // namespace kurvio
