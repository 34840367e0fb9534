// The bisection window: the steps with their band, readouts and result, guide
// lines, the mouse, the ladder, the decimals, the table, errors and examples.
#include <QListWidget>
#include <QTableWidget>
#include <set>

#include "support/WindowFixture.h"
#include "widgets/TColorButton.h"
#include "windows/limits/BisectionTableWindow.h"
#include "windows/limits/BisectionWindow.h"

namespace kurvio {
namespace {

constexpr Color kRed = 255, kGreen = 65280, kBlue = 16711680, kYellow = 65535;
constexpr int kBandRow = 30;  // a row of the plot below the name of the y-axis

class BisectionWindowTest : public WindowTest<TForm13> {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    TermBisektion = "x^2-2";
    Open();
  }
  void Interval(const char* a0, const char* b0) {
    Type("Edit2", QString::fromLatin1(a0));
    Type("Edit3", QString::fromLatin1(b0));
  }
  Color At(int x, int y) const { return FromQColor(form->Bitmap().pixelColor(x, y)); }
  // A third into the band: clear of the axis and of the grid while it is wider than a pixel.
  Color Band() const {
    const int left = ScreenX(form->a), right = ScreenX(form->b);
    return At(left + (right - left) / 3, kBandRow);
  }
  std::unique_ptr<TForm14> Table() {
    return std::make_unique<TForm14>(form.get(), form->a0, form->b0, form->eps, form->d);
  }
  int RepeatUntilDone() {
    int clicks = 0;
    for (; Find("SpeedButton2")->isEnabled() && clicks < 1000; ++clicks) Click("SpeedButton2");
    return clicks;
  }
};

TEST_F(BisectionWindowTest, EveryDesignNameNamesOneControl) {
  const QWidget* w = form.get();
  ExpectDesignNames(w, "QLineEdit", {"Edit1", "Edit2", "Edit3", "Edit4"});
  ExpectDesignNames(w, "QLabel", {"Label12", "Panel2"});
  ExpectDesignNames(w, "kurvio::TColorButton", {"ColorButton1", "ColorButton2"});
  ExpectDesignNames(w, "kurvio::TBitCheckBox", {"BitCheckBox1", "BitCheckBox2", "BitCheckBox5"});
  ExpectDesignNames(w, "QListWidget", {"ListBox1"});
  ExpectDesignNames(
      w, "QAbstractButton",
      {"SpeedButton1",  "SpeedButton2",  "SpeedButton3",  "SpeedButton4",  "SpeedButton5",
       "SpeedButton6",  "SpeedButton7",  "SpeedButton8",  "SpeedButton9",  "SpeedButton10",
       "SpeedButton11", "SpeedButton12", "SpeedButton14", "SpeedButton15", "SpeedButton17",
       "SpeedButton18", "SpeedButton19", "SpeedButton20", "SpeedButton21", "SpeedButton22",
       "SpeedButton23", "SpeedButton28"});
  ExpectDesignNames(Table().get(), {{"StringGrid1", "QTableWidget"}, {"BitBtn2", "QPushButton"}});
}

TEST_F(BisectionWindowTest, SquareRootOfTwoInEighteenStepsThenTheResult) {
  Interval("0", "2");
  EXPECT_EQ(Text("Panel2"),
            "  a = 0,00000  b = 2,00000  m = 1,00000  f(a) = -2,00000  f(m) = -1,00000"
            "  f(a)*f(m) = 2,00000");
  for (int i = 1; i <= 18; ++i) {
    const QString before = Text("Panel2");
    Click("SpeedButton2");
    ASSERT_EQ(form->steps, i);
    EXPECT_EQ(Band(), kGreen) << i;
    EXPECT_NE(Text("Panel2"), before);
    EXPECT_TRUE(Text("Label12").isEmpty());
  }
  EXPECT_LT(form->a, 1.41421357);
  EXPECT_GT(form->b, 1.41421356);
  Click("SpeedButton2");
  EXPECT_EQ(form->steps, 18);
  EXPECT_TRUE(Text("Label12").startsWith("x := (a + b) / 2 = 1,41421     f(x) = "));
  EXPECT_FALSE(Find("SpeedButton2")->isEnabled());
  Type("Edit2", QStringLiteral("1"));  // new start values start over
  EXPECT_EQ(form->steps, 0);
  EXPECT_TRUE(Find("SpeedButton2")->isEnabled());
}

TEST_F(BisectionWindowTest, TheBandShowsTheRuleInItsColours) {
  const struct {
    const char* term;
    Color band;
    double a, b;  // after one step from [0; 2]
  } cases[] = {{"x^2+1", kRed, 1, 2}, {"x-1", kGreen, 0, 1}, {"x-1,5", kGreen, 1, 2}};
  for (const auto& c : cases) {
    Type("Edit1", QString::fromLatin1(c.term));
    Interval("0", "2");
    EXPECT_EQ(Band(), c.band) << c.term;
    Click("SpeedButton2");
    EXPECT_EQ(form->a, c.a) << c.term;
    EXPECT_EQ(form->b, c.b) << c.term;
  }
  Find<TColorButton>("ColorButton1")->SetSelectionColor(static_cast<int>(kYellow));
  Type("Edit1", QStringLiteral("x^2+1"));
  EXPECT_EQ(Band(), kYellow);
  EXPECT_EQ(At(ScreenX(form->a) - 3, kBandRow), Farben::Hintergrund);  // the band's edges
  EXPECT_EQ(At(ScreenX(form->b) + 3, kBandRow), Farben::Hintergrund);
}

// x^2 - 2 on [0; 2]: m = 1, f(a) = -2, f(b) = 2, f(m) = -1.
TEST_F(BisectionWindowTest, GuideLinesAndLabelsStandAtTheirPoints) {
  Interval("0", "2");
  Click("BitCheckBox1");
  // Beside the curve and the axis that are drawn over them.
  EXPECT_EQ(At(ScreenX(0) + 1, ScreenY(-2) + 1), kBlue);
  EXPECT_EQ(At(ScreenX(2) - 1, ScreenY(2) - 1), kBlue);
  EXPECT_EQ(At(ScreenX(1) + 1, ScreenY(-1) + 1), kYellow);
  EXPECT_EQ(At(ScreenX(1) - 1, ScreenY(-1) - 1), kYellow);
  Click("BitCheckBox2");
  std::string labels;
  for (const testing::TextCall& t : Record([this] { form->animieren(); }).texts)
    if (t.text.rfind("f(", 0) == 0 && t.x == ScreenX(0) - 25) labels += t.text + " ";
  EXPECT_EQ(labels, "f(a) f(b) f(m) ");
}

TEST_F(BisectionWindowTest, TheMouseChoosesTheIntervalOrZooms) {
  QWidget* box = Find("PaintBox1");
  // A click without dragging gives the result at once.
  for (const auto& [x, result] :
       {std::pair{1.414, "x := (a + b) / 2 = 1,4"}, {4.0, " Keine Lösung!"}}) {
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(ScreenX(x), 50));
    EXPECT_EQ(form->a, form->b);
    Click("SpeedButton2");
    EXPECT_EQ(form->steps, 0);
    EXPECT_TRUE(Text("Label12").startsWith(QString::fromUtf8(result))) << x;
  }
  // Dragged leftwards, the ends swap.
  QTest::mousePress(box, Qt::LeftButton, {}, QPoint(ScreenX(3), 40));
  QTest::mouseMove(box, QPoint(ScreenX(1), 40));
  QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(ScreenX(-1), 40));
  EXPECT_NEAR(form->a, -1, 0.02);
  EXPECT_NEAR(form->b, 3, 0.02);
  EXPECT_EQ(form->a0, form->a);
  EXPECT_EQ(At(ScreenX(2.5), kBandRow), kGreen);
  EXPECT_NE(At(ScreenX(3.5), kBandRow), kGreen);
  QTest::mouseMove(box, QPoint(ScreenX(5), 40));  // no longer dragging
  EXPECT_NEAR(form->b, 3, 0.02);
  // In zoom mode the box zooms and the interval stays.
  Click("BitCheckBox5");
  const double left = WorldX(100), right = WorldX(300);
  QTest::mousePress(box, Qt::LeftButton, {}, QPoint(100, 100));
  QTest::mouseMove(box, QPoint(200, 200));
  QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(300, 250));
  EXPECT_EQ(x1, left);
  EXPECT_EQ(x2, right);
  EXPECT_NEAR(form->b, 3, 0.02);
}

TEST_F(BisectionWindowTest, LadderStopsGrowingAfterTwelveSteps) {
  const auto rows = [this] {  // the rows of horizontal lines from the frame line down
    std::set<int> rows;
    for (const testing::Segment& s : Record([this] { form->animieren(); }).segments)
      if (s.from.y == s.to.y && s.from.y >= PlotHeight) rows.insert(s.from.y);
    return rows;
  };
  Interval("0", "2");
  EXPECT_EQ(rows().size(), 1u + 1u);  // the start interval and the frame
  for (int i = 0; i < 12; ++i) Click("SpeedButton2");
  const std::set<int> twelve = rows();
  EXPECT_EQ(twelve.size(), 13u + 1u);
  Click("SpeedButton2");
  EXPECT_EQ(rows(), twelve);
  const int e = PlotHeight / 60;
  EXPECT_EQ(*std::next(twelve.begin()), PlotHeight + 2 * e);
  EXPECT_EQ(*twelve.rbegin(), PlotHeight + 14 * e);
  // On the bitmap: the first step runs from 1 to 2 under the start interval.
  EXPECT_EQ(At(ScreenX(1.5), PlotHeight + 3 * e), kBlack);
  EXPECT_NE(At(ScreenX(0.5), PlotHeight + 3 * e), kBlack);
}

TEST_F(BisectionWindowTest, DecimalsOutsideOneToSixBecomeFour) {
  const struct {
    const char *typed, *shown;
    double eps;
    const char* label;
  } cases[] = {{"7", "4", 1e-4, "= 0,0001"}, {"0", "4", 1e-4, "= 0,0001"},
               {"x", "4", 1e-4, "= 0,0001"}, {"6", "6", 1e-6, "= 1E-6"},
               {"1", "1", 1e-1, "= 0,1"},    {" 2 ", "2", 1e-2, "= 0,01"}};
  Interval("0", "2");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    Type("Edit4", QString::fromUtf8(c.typed));
    EXPECT_EQ(Text("Edit4"), c.shown);
    EXPECT_DOUBLE_EQ(form->eps, c.eps);
    EXPECT_EQ(Text("errorBound"), c.label);
  }
  EXPECT_TRUE(Text("Panel2").startsWith("  a = 0,00  b = 2,00  m = 1,00"));
  EXPECT_EQ(RepeatUntilDone(), 8 + 1);  // 2 / 2^8 < 0.01
  EXPECT_TRUE(Text("Label12").startsWith("x := (a + b) / 2 = 1,42     f(x) = "));
}

TEST_F(BisectionWindowTest, TableFromTheStartIntervalAndEndsWithoutASolution) {
  Type("Edit1", QStringLiteral("x-3,3"));
  Interval("10", "0");  // typed reversed: taken the right way round
  Type("Edit4", QStringLiteral("6"));
  Click("SpeedButton2");  // steps in the window do not matter
  EXPECT_EQ(form->b, 5.0);
  auto first = Table();
  QTableWidget* grid = first->grid;
  ASSERT_EQ(grid->rowCount(), 1 + 24);
  EXPECT_EQ(grid->item(2, 1)->text(), "5,000000");  // x - 3,3 changes sign left of 5
  EXPECT_TRUE(grid->item(24, 2)->text().startsWith("3,30000"));
  Type("Edit1", QStringLiteral("1/x"));
  Interval("-1", "1");
  Type("Edit4", QStringLiteral("5"));
  EXPECT_EQ(RepeatUntilDone(), 18 + 1);
  EXPECT_EQ(Text("Label12"), " Keine Lösung!");  // a pole
  auto table = Table();
  ASSERT_EQ(table->grid->rowCount(), 1 + 18 + 1);
  EXPECT_EQ(table->grid->item(19, 2)->text(), "Keine Lösung!");
  // An interval too far out to be halved down to the bound ends as well.
  Type("Edit1", QStringLiteral("x^2-2"));
  Interval("10^20", "10^20+10^10");
  EXPECT_LT(RepeatUntilDone(), 100);
  EXPECT_EQ(Text("Label12"), " Keine Lösung!");
  EXPECT_LT(Table()->grid->rowCount(), 100);
}

TEST_F(BisectionWindowTest, ASyntaxErrorIsReportedOnceAndExamplesHoldTheTermAlone) {
  Interval("0", "2");
  Type("Edit1", QStringLiteral("x^2-"));
  EXPECT_TRUE(Find("Edit1")->hasFocus());
  Click("SpeedButton2");
  Find<TBitCheckBox>("BitCheckBox1")->SetChecked(true);
  form->animieren();
  EXPECT_EQ(messages.size(), 1u);
  for (const char* term : {"x^3-x-1", "cos(x)-x"}) {
    Type("Edit1", QString::fromUtf8(term));
    Click("SpeedButton7");
  }
  Click("SpeedButton2");
  Find<QListWidget>("ListBox1")->setCurrentRow(0);
  Click("SpeedButton3");
  EXPECT_EQ(TermBisektion, "x^3-x-1");
  EXPECT_EQ(form->steps, 0);
  form->close();
  EXPECT_EQ(ReadBytes(dir.File("Bsp7.txt")), "x^3-x-1\r\ncos(x)-x\r\n");
}

}  // namespace
}  // namespace kurvio
