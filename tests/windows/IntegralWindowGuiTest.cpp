// The integral window: F by the Simpson rule and its graph with the stop rule,
// the area, the bar and readout of F(x), the label of x and TermIntegralMode.
#include <QTimer>

#include "plot/PaintBox.h"
#include "support/WindowFixture.h"
#include "term/NumberFormat.h"
#include "windows/curves/IntegralWindow.h"

namespace kurvio {
namespace {

class IntegralWindowTest : public WindowTest<TForm7> {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    TermFt = std::string(1, '1');  // f = 1 (a plain "1" trips a false -Wrestrict)
    Gitter = 1;
  }
  bool AnyInLower(Color colour) const {
    return AnyPixel(form->Picture().Static(TwoPlotPicture::Lower), colour);
  }
  bool LowerColumnHas(double x, Color colour) const {
    const QImage& s = form->Picture().Static(TwoPlotPicture::Lower);
    for (int row = 0; row < s.height(); ++row)
      if (FromQColor(s.pixelColor(ScreenX(x), row)) == colour) return true;
    return false;
  }
  Color Lower(double x, double y) const {
    return FromQColor(form->Picture().Screen().pixelColor(ScreenX(x), PlotHeight + ScreenY(y)));
  }
  Color Upper(double x, double y) const { return Pixel(form->Picture().Screen(), x, y); }
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

TEST_F(IntegralWindowTest, EveryDesignNameNamesOneControl) {
  const QWidget* w = &Open();
  ExpectDesignNames(w, "QLineEdit", {"Edit1", "Edit2", "Edit3", "Edit4"});
  ExpectDesignNames(w, "QScrollBar", {"ScrollBar1", "ScrollBar2"});
  ExpectDesignNames(w, {{"Switch1", "kurvio::TSwitch"}, {"Label2", "QLabel"}});
  ExpectDesignNames(
      w, "QAbstractButton",
      {"SpeedButton1", "SpeedButton4", "SpeedButton5", "SpeedButton28", "SpeedButton3",
       "SpeedButton7", "SpeedButton22", "SpeedButton14", "SpeedButton15", "SpeedButton17",
       "SpeedButton23", "SpeedButton35", "SpeedButton13", "SpeedButton6", "SpeedButton2"});
  ExpectDesignNames(w, {{"ListBox1", "QListWidget"}, {"PaintBox1", "kurvio::TPaintBox"}});
}

// F(u) from 0: the graph passes within a row of (u|F(u)) on both sides of x0.
TEST_F(IntegralWindowTest, GraphOfFFollowsTheIntegral) {
  const struct {
    const char* term;
    double (*F)(double);
  } cases[] = {{"1", [](double u) { return u; }}, {"t", [](double u) { return u * u / 2; }}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.term);
    TermFt = c.term;
    Open();
    const QImage& lower = form->Picture().Static(TwoPlotPicture::Lower);
    for (double u : {-3.0, -0.5, 2.0, 3.5}) {
      bool found = false;
      for (int dy = -1; dy <= 1; ++dy)
        found = found ||
                FromQColor(lower.pixelColor(ScreenX(u), ScreenY(c.F(u)) + dy)) == Farben::flaeche;
      EXPECT_TRUE(found) << u;
    }
  }
}

// f = 1: the area between x0 and x above, the bar from 0 to F(x) below, x labelled on the far side.
TEST_F(IntegralWindowTest, AreaBarReadoutAndLabelOfX) {
  const struct {
    const char* x0;
    const char* x;
    double from, to;
  } cases[] = {{"0", "3", 0, 3}, {"2", "0,5", 0.5, 2}, {"-1", "-3", -3, -1}};
  Open();
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.x0) + " to " + c.x);
    Type("Edit3", QString::fromUtf8(c.x0));
    Type("Edit4", QString::fromUtf8(c.x));
    const double x = PointX0, F = x - IntegralX0;
    EXPECT_EQ(Text("Label2"),
              QString::fromStdString(FormatNumber(Nachkommastellen, F)) + QStringLiteral(" [FE]"));
    EXPECT_EQ(Upper((c.from + c.to) / 2, 0.5), Farben::flaeche);
    EXPECT_NE(Upper(c.from - 0.5, 0.5), Farben::flaeche);
    EXPECT_NE(Upper(c.to + 0.5, 0.5), Farben::flaeche);
    EXPECT_EQ(Lower(x, F / 2), Farben::flaeche);
    EXPECT_NE(Lower(x, F + (F > 0 ? 0.5 : -0.5)), Farben::flaeche);
    const testing::RecordingCanvas canvas = Record([this] { form->animieren(); });
    ASSERT_EQ(canvas.texts.size(), 1u);
    EXPECT_EQ(canvas.texts[0].text, "x");
    EXPECT_EQ(canvas.texts[0].x > ScreenX(x), x > IntegralX0);
  }
}

TEST_F(IntegralWindowTest, RootEndsAtZeroOnItsWayLeftAndIsMissingFromBelowZero) {
  y1 = -2;
  y2 = 20;
  TermFt = "sqrt(t)";
  Open();
  Type("Edit3", QStringLiteral("1"));
  EXPECT_TRUE(LowerColumnHas(0.5, Farben::flaeche));
  EXPECT_TRUE(LowerColumnHas(6.9, Farben::flaeche));  // to the right edge
  EXPECT_FALSE(LowerColumnHas(-0.5, Farben::flaeche));
  Type("Edit3", QStringLiteral("-1"));
  EXPECT_FALSE(AnyInLower(Farben::flaeche));
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
  Open();
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.term) + " from " + c.x0 + " to " + c.x);
    Type("Edit1", QString::fromUtf8(c.term));
    Type("Edit3", QString::fromUtf8(c.x0));
    Type("Edit4", QString::fromUtf8(c.x));
    EXPECT_EQ(Text("Label2") == QStringLiteral("nicht definiert"), !c.exists);
  }
  // 1/t from 1 leftwards: F ends before 0, and the area from x0 = -2 to x = 1 stops short of it.
  Type("Edit1", QStringLiteral("1/t"));
  Type("Edit3", QStringLiteral("1"));
  EXPECT_TRUE(LowerColumnHas(0.5, Farben::flaeche));
  EXPECT_FALSE(LowerColumnHas(-0.5, Farben::flaeche));
  Type("Edit3", QStringLiteral("-2"));
  Type("Edit4", QStringLiteral("1"));
  EXPECT_EQ(Upper(-1, -0.2), Farben::flaeche);
  EXPECT_NE(Upper(0.5, 0.2), Farben::flaeche);
  // From the right of the pole leftwards: the area ends at the pole too.
  Type("Edit3", QStringLiteral("2"));
  Type("Edit4", QStringLiteral("-1"));
  EXPECT_EQ(Upper(1, 0.2), Farben::flaeche);
  EXPECT_NE(Upper(-0.5, -0.2), Farben::flaeche);
}

// F = 2 sqrt(2) - 2 sqrt(2 - u) ends at u = 2, steep: it is drawn joined up to its last column.
TEST_F(IntegralWindowTest, SteepGraphIsDrawnUpToWhereItEnds) {
  TermFt = "1/sqrt(2-t)";
  Open();
  const auto segments = Record([this] { form->IntegralKurveZeichnen(); }).DrawnSegments();
  ASSERT_FALSE(segments.empty());
  for (std::size_t i = 1; i < segments.size(); ++i)
    EXPECT_EQ(segments[i].from, segments[i - 1].to) << segments[i].from.x;
  EXPECT_GE(segments.back().to.x, ScreenX(2) - 1);
}

TEST_F(IntegralWindowTest, BoundsFarOutsideTheViewDrawWithoutHanging) {
  Open();
  Type("Edit3", QStringLiteral("-1000000000"));
  // F(u) = u + 1e9 lies far above the view: clamped, nothing inside, and no hang.
  EXPECT_FALSE(AnyInLower(Farben::flaeche));
  Type("Edit1", QStringLiteral("0"));
  EXPECT_TRUE(LowerColumnHas(3, Farben::flaeche));  // F = 0 along the axis
  Type("Edit1", QStringLiteral("1/t"));
  for (const char* x0 : {"0", "1e300", "-1e300"}) {
    Type("Edit3", QString::fromUtf8(x0));
    for (const char* x : {"0", "5", "-1e300", "1e300"}) Type("Edit4", QString::fromUtf8(x));
  }
}

TEST_F(IntegralWindowTest, ATermWithXIsRefusedUntilTheWindowCloses) {
  Open();
  Type("Edit1", QStringLiteral("x^2"));
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].rfind("Syntaxfehler: ", 0), 0u);
  // Closed during an animation, the window hands the variable x back.
  QTimer::singleShot(60, form.get(), [this] { form->close(); });
  Click("Switch1");
  EXPECT_FALSE(form->isVisible());
  EXPECT_FALSE(TermIntegralMode);
  CompileTerm(MainTerm, "x^2", true);
  EXPECT_TRUE(TermDefined);
}

}  // namespace
}  // namespace kurvio
