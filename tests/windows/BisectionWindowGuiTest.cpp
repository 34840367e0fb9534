// The bisection window driven through its controls: the steps with their band
// colour and result, the guide lines, the mouse interval, the ladder, the
// decimals, the table window, zoom mode, syntax errors and the example list.
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTableWidget>
#include <QTimer>
#include <set>

#include "module/Cursors.h"
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
  // The rows of horizontal lines from the frame line down: the frame and the ladder.
  std::set<int> LadderRows() {
    std::set<int> rows;
    for (const testing::Segment& s : Record([this] { form->animieren(); }).segments)
      if (s.from.y == s.to.y && s.from.y >= PlotHeight) rows.insert(s.from.y);
    return rows;
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
  EXPECT_EQ(Find<TColorButton>("ColorButton1")->SelectionColor(), 255);
  EXPECT_EQ(Find<TColorButton>("ColorButton2")->SelectionColor(), 65280);
  EXPECT_EQ(Text("errorBound"), "= 0,00001");
  Interval("0", "2");
  EXPECT_EQ(Text("Panel2"),
            "  a = 0,00000  b = 2,00000  m = 1,00000  f(a) = -2,00000  f(m) = -1,00000"
            "  f(a)*f(m) = 2,00000");
  EXPECT_EQ(Band(), kGreen);
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
  EXPECT_TRUE(
      Text("Panel2").contains(QRegularExpression("f\\(a\\)\\*f\\(m\\) = [1-9],[0-9]*E-[0-9]+$")))
      << Text("Panel2").toStdString();
  EXPECT_FALSE(Find("SpeedButton2")->isEnabled());
  Type("Edit2", QStringLiteral("1"));  // new start values start over
  EXPECT_EQ(form->steps, 0);
  EXPECT_TRUE(Find("SpeedButton2")->isEnabled());
  EXPECT_TRUE(Text("Label12").isEmpty());
}

TEST_F(BisectionWindowTest, TheRuleWithoutASignChangeAndWithAZeroInTheMiddle) {
  const struct {
    const char* term;
    Color band;
    double a, b;  // after one step from [0; 2]
  } cases[] = {{"x^2+1", kRed, 1, 2},
               {"x-1", kGreen, 0, 1},
               {"x-0,5", kGreen, 0, 1},
               {"x-1,5", kGreen, 1, 2}};
  for (const auto& c : cases) {
    Type("Edit1", QString::fromLatin1(c.term));
    Interval("0", "2");
    EXPECT_EQ(Band(), c.band) << c.term;
    Click("SpeedButton2");
    EXPECT_EQ(form->a, c.a) << c.term;
    EXPECT_EQ(form->b, c.b) << c.term;
  }
  Find<TColorButton>("ColorButton2")->SetSelectionColor(static_cast<int>(kBlue));
  EXPECT_EQ(Band(), kBlue);  // the change colour follows its button
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
  std::vector<testing::TextCall> texts = Record([this] { form->animieren(); }).texts;
  std::erase_if(texts, [](const testing::TextCall& t) { return t.text.rfind("f(", 0) != 0; });
  ASSERT_EQ(texts.size(), 3u);
  const struct {
    const char* text;
    int x, y;
  } expected[] = {{"f(a)", ScreenX(0) - 25, ScreenY(-2) - 6},
                  {"f(b)", ScreenX(0) - 25, ScreenY(2) - 6},
                  {"f(m)", ScreenX(0) - 25, ScreenY(-1) - 6}};
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(texts[i].text, expected[i].text);
    EXPECT_EQ(texts[i].x, expected[i].x) << expected[i].text;
    EXPECT_EQ(texts[i].y, expected[i].y) << expected[i].text;
  }
  Interval("-2", "-1");  // left of the axis the labels go to its right
  texts = Record([this] { form->animieren(); }).texts;
  std::erase_if(texts, [](const testing::TextCall& t) { return t.text != "f(a)"; });
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].x, ScreenX(0) + 8);
}

TEST_F(BisectionWindowTest, AClickWithoutDraggingGivesTheResultAtOnce) {
  Interval("0", "2");
  Click("SpeedButton2");
  QWidget* box = Find("PaintBox1");
  for (const auto& [x, result] :
       {std::pair{1.414, "x := (a + b) / 2 = 1,4"}, std::pair{4.0, " Keine Lösung!"}}) {
    const QPoint at(ScreenX(x), 50);
    QTest::mousePress(box, Qt::LeftButton, {}, at);
    EXPECT_TRUE(Find("SpeedButton2")->isEnabled());
    EXPECT_TRUE(Text("Label12").isEmpty());
    QTest::mouseRelease(box, Qt::LeftButton, {}, at);
    EXPECT_EQ(form->a, form->b);
    EXPECT_EQ(form->a0, form->a);
    Click("SpeedButton2");
    EXPECT_EQ(form->steps, 0);
    EXPECT_FALSE(Find("SpeedButton2")->isEnabled());
    EXPECT_TRUE(Text("Label12").startsWith(QString::fromUtf8(result))) << x;
  }
}

TEST_F(BisectionWindowTest, DraggingLeftwardsSwapsTheEnds) {
  QWidget* box = Find("PaintBox1");
  QTest::mousePress(box, Qt::LeftButton, {}, QPoint(ScreenX(3), 40));
  QTest::mouseMove(box, QPoint(ScreenX(1), 40));
  EXPECT_NEAR(form->a0, 3, 0.02);  // while dragging the band follows the mouse unsorted
  EXPECT_NEAR(form->b0, 1, 0.02);
  QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(ScreenX(-1), 40));
  EXPECT_NEAR(form->a, -1, 0.02);
  EXPECT_NEAR(form->b, 3, 0.02);
  EXPECT_EQ(form->a0, form->a);
  EXPECT_EQ(form->b0, form->b);
  EXPECT_TRUE(Text("Edit2").trimmed().startsWith("-1,0") ||
              Text("Edit2").trimmed().startsWith("-9,9"));
  EXPECT_EQ(At(ScreenX(2.5), kBandRow), kGreen);
  EXPECT_NE(At(ScreenX(3.5), kBandRow), kGreen);
  QTest::mouseMove(box, QPoint(ScreenX(5), 40));  // no longer dragging
  EXPECT_NEAR(form->b, 3, 0.02);
}

TEST_F(BisectionWindowTest, ZoomModeZoomsInsteadOfChoosingTheInterval) {
  QWidget* box = Find("PaintBox1");
  const auto cursor = [box] { return box->cursor().pixmap().toImage(); };
  EXPECT_EQ(cursor(), ProgramCursor(4).pixmap().toImage());
  Click("BitCheckBox5");
  EXPECT_EQ(cursor(), ProgramCursor(1).pixmap().toImage());
  Interval("0", "2");
  const double left = WorldX(100), right = WorldX(300);
  QTest::mousePress(box, Qt::LeftButton, {}, QPoint(100, 100));
  QTest::mouseMove(box, QPoint(200, 200));
  QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(300, 250));
  EXPECT_EQ(x1, left);
  EXPECT_EQ(x2, right);
  EXPECT_EQ(form->a, 0.0);
  EXPECT_EQ(form->b, 2.0);
  Click("BitCheckBox5");
  EXPECT_EQ(cursor(), ProgramCursor(4).pixmap().toImage());
}

TEST_F(BisectionWindowTest, LadderStopsGrowingAfterTwelveSteps) {
  Interval("0", "2");
  EXPECT_EQ(LadderRows().size(), 1u + 1u);  // the start interval and the frame
  for (int i = 0; i < 3; ++i) Click("SpeedButton2");
  EXPECT_EQ(LadderRows().size(), 4u + 1u);
  for (int i = 3; i < 12; ++i) Click("SpeedButton2");
  const std::set<int> twelve = LadderRows();
  EXPECT_EQ(twelve.size(), 13u + 1u);
  const QString status = Text("Panel2");
  Click("SpeedButton2");
  EXPECT_EQ(LadderRows(), twelve);
  EXPECT_NE(Text("Panel2"), status);
  const int e = PlotHeight / 60;
  EXPECT_EQ(*twelve.begin(), PlotHeight);
  EXPECT_EQ(*std::next(twelve.begin()), PlotHeight + 2 * e);
  EXPECT_EQ(*twelve.rbegin(), PlotHeight + 14 * e);
  // On the bitmap: the start interval from 0 to 2 with its ticks, the first step from 1 to 2.
  const int row = PlotHeight + 2 * e;
  EXPECT_EQ(At(ScreenX(1), row), kBlack);
  EXPECT_EQ(At(ScreenX(0), row - 2), kBlack);
  EXPECT_EQ(At(ScreenX(2), row + 2), kBlack);
  EXPECT_NE(At(ScreenX(-0.5), row), kBlack);
  EXPECT_EQ(At(ScreenX(1.5), row + e), kBlack);
  EXPECT_NE(At(ScreenX(0.5), row + e), kBlack);
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
  EXPECT_EQ(Text("Edit3").trimmed(), "2,00");
  EXPECT_EQ(RepeatUntilDone(), 8 + 1);  // 2 / 2^8 < 0.01
  EXPECT_TRUE(Text("Label12").startsWith("x := (a + b) / 2 = 1,42     f(x) = "));
}

TEST_F(BisectionWindowTest, TableListsEveryHalvingFromTheStartInterval) {
  Type("Edit1", QStringLiteral("x-3,3"));
  Interval("0", "10");
  Type("Edit4", QStringLiteral("6"));
  Click("SpeedButton2");  // steps in the window do not matter
  auto table = Table();
  QTableWidget* grid = table->grid;
  ASSERT_EQ(grid->columnCount(), 6);
  ASSERT_EQ(grid->rowCount(), 1 + 24);
  EXPECT_EQ(grid->item(0, 0)->text(), "          a");
  EXPECT_EQ(grid->item(0, 5)->text(), "      f(a)*f(m)");
  EXPECT_EQ(grid->item(1, 0)->text(), "0,000000");
  EXPECT_EQ(grid->item(1, 1)->text(), "10,000000");
  EXPECT_EQ(grid->item(1, 2)->text(), "5,000000");
  EXPECT_EQ(grid->item(2, 1)->text(), "5,000000");  // x - 3,3 changes sign left of 5
  EXPECT_TRUE(grid->item(24, 2)->text().startsWith("3,30000"));
  // A table longer than the screen scrolls; "Weiter" stays on the screen.
  Interval("-10^35", "10^35");
  auto tall = Table();
  EXPECT_GT(tall->grid->rowCount(), 100);
  EXPECT_LE(tall->height(), QGuiApplication::primaryScreen()->availableGeometry().height());
}

TEST_F(BisectionWindowTest, APoleEndsWithoutASolution) {
  Type("Edit1", QStringLiteral("1/x"));
  Interval("-1", "1");
  EXPECT_EQ(RepeatUntilDone(), 18 + 1);
  EXPECT_EQ(Text("Label12"), " Keine Lösung!");
  EXPECT_LT(form->b - form->a, 1e-5);
  EXPECT_LE(form->a, 0.0);
  EXPECT_GE(form->b, 0.0);
  auto table = Table();
  ASSERT_EQ(table->grid->rowCount(), 1 + 18 + 1);
  const int last = table->grid->rowCount() - 1;
  EXPECT_EQ(table->grid->item(last, 2)->text(), "Keine Lösung!");
  for (int c : {0, 1, 3, 4, 5}) EXPECT_TRUE(table->grid->item(last, c)->text().isEmpty());
  // The button shows the table modally; "Weiter" closes it.
  bool shown = false;
  QTimer::singleShot(0, form.get(), [&] {
    auto* open = qobject_cast<TForm14*>(QApplication::activeModalWidget());
    shown = open != nullptr;
    if (open) open->continueButton->click();
  });
  Click("SpeedButton12");
  EXPECT_TRUE(shown);
}

TEST_F(BisectionWindowTest, StartValuesTypedReversedAreTakenTheRightWayRound) {
  Interval("2", "0");
  Click("SpeedButton2");
  EXPECT_EQ(form->a, 1.0);  // [0; 2] halved once
  EXPECT_EQ(form->b, 2.0);
  EXPECT_EQ(form->steps, 1);
  EXPECT_EQ(Text("Edit2").trimmed(), "0,00000");
  EXPECT_EQ(Text("Edit3").trimmed(), "2,00000");
  // An interval too far out to be halved down to the bound ends as well.
  Interval("10^20", "10^20+10^10");
  EXPECT_LT(RepeatUntilDone(), 100);
  EXPECT_EQ(Text("Label12"), " Keine Lösung!");
  EXPECT_LT(Table()->grid->rowCount(), 100);
}

TEST_F(BisectionWindowTest, ASyntaxErrorIsReportedOnceWhenTheFieldIsLeft) {
  Interval("0", "2");
  Type("Edit1", QStringLiteral("x^2-"));
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].rfind("Syntaxfehler: ", 0), 0u);
  EXPECT_EQ(TermBisektion, "x^2-");
  EXPECT_TRUE(Find("Edit1")->hasFocus());
  Click("SpeedButton2");
  Find<TBitCheckBox>("BitCheckBox1")->SetChecked(true);
  form->animieren();
  EXPECT_EQ(messages.size(), 1u);
  Find<QLineEdit>("Edit1")->clear();
  QTest::keyClicks(Find("Edit1"), QString(45, QLatin1Char('1')));
  EXPECT_EQ(Text("Edit1").size(), 40);  // the narrow field takes 40 characters
}

TEST_F(BisectionWindowTest, ExamplesHoldTheTermAlone) {
  Interval("0", "2");
  for (const char* term : {"x^3-x-1", "cos(x)-x"}) {
    Type("Edit1", QString::fromUtf8(term));
    Click("SpeedButton7");
  }
  Click("SpeedButton2");
  Find<QListWidget>("ListBox1")->setCurrentRow(0);
  Click("SpeedButton3");
  EXPECT_EQ(Text("Edit1"), "x^3-x-1");
  EXPECT_EQ(TermBisektion, "x^3-x-1");
  EXPECT_EQ(form->steps, 0);
  EXPECT_TRUE(Find("Edit1")->hasFocus());
  form->close();
  EXPECT_EQ(ReadBytes(dir.File("Bsp7.txt")), "x^3-x-1\r\ncos(x)-x\r\n");
}

}  // namespace
}  // namespace kurvio
