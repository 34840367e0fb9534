// The bisection window driven through its controls: the steps with their band
// colour and result, the mouse interval, the ladder, the decimals, the table
// window, zoom mode, syntax errors and the example list.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <cstdlib>
#include <iterator>
#include <set>

#include "module/Cursors.h"
#include "module/ExampleList.h"
#include "plot/PaintBox.h"
#include "plot/PlotFrame.h"
#include "plot/QtCanvas.h"
#include "settings/Settings.h"
#include "support/RecordingCanvas.h"
#include "support/TempDir.h"
#include "support/WindowTestSettings.h"
#include "term/Term.h"
#include "widgets/TBitCheckBox.h"
#include "widgets/TColorButton.h"
#include "windows/limits/BisectionTableWindow.h"
#include "windows/limits/BisectionWindow.h"

namespace kurvio {
namespace {

constexpr Color kRed = 255;
constexpr Color kGreen = 65280;
// A row of the plot below the name of the y-axis.
constexpr int kBandRow = 30;

class BisectionWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UseDefaultSettingsIn(dir);
    TermBisektion = "x^2-2";
    SyntaxErrorReporter = [this](const std::string& m) { messages.push_back(m); };
    ReportExampleListMessage = [](QWidget*, const QString&) {};
    Open();
  }
  void TearDown() override {
    form.reset();
    SyntaxErrorReporter = nullptr;
    ReportExampleListMessage = nullptr;
    MainTerm.reset();
  }
  void Open() {
    form = std::make_unique<TForm13>();
    form->resize(1100, 750);
    form->show();
    QApplication::processEvents();
  }
  void Type(QLineEdit* edit, const QString& text) { TypeInto(form.get(), edit, text); }
  void Interval(const QString& a0, const QString& b0) {
    Type(form->Edit2, a0);
    Type(form->Edit3, b0);
  }
  void Click(TBitCheckBox* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, 5)); }
  // The colour of the band a third into it (clear of the axis and of the grid
  // lines at whole numbers while it is wider than a pixel).
  Color BandColour() const {
    const int left = ScreenX(form->a), right = ScreenX(form->b);
    return FromQColor(form->Bitmap().pixelColor(left + (right - left) / 3, kBandRow));
  }
  // Every call of one redraw.
  testing::RecordingCanvas Record() {
    testing::RecordingCanvas canvas;
    DrawCanvas = &canvas;
    ExportDrawing = true;
    form->animieren();
    ExportDrawing = false;
    DrawCanvas = nullptr;
    return canvas;
  }
  // The rows of horizontal lines from the frame line down: the frame and the ladder.
  std::set<int> LadderRows() {
    const testing::RecordingCanvas canvas = Record();
    std::set<int> rows;
    for (const testing::Segment& s : canvas.segments)
      if (s.from.y == s.to.y && s.from.y >= PlotHeight) rows.insert(s.from.y);
    return rows;
  }

  TempDir dir;
  std::vector<std::string> messages;
  std::unique_ptr<TForm13> form;
};

TEST_F(BisectionWindowTest, SquareRootOfTwoInEighteenStepsThenTheResult) {
  EXPECT_EQ(form->ColorButton1->SelectionColor(), 255);
  EXPECT_EQ(form->ColorButton2->SelectionColor(), 65280);
  EXPECT_EQ(form->EpsLabel->text(), "= 0,00001");
  Interval("0", "2");
  EXPECT_EQ(form->Panel2->text(),
            "  a = 0,00000  b = 2,00000  m = 1,00000  f(a) = -2,00000  f(m) = -1,00000"
            "  f(a)*f(m) = 2,00000");
  EXPECT_EQ(BandColour(), kGreen);
  for (int i = 1; i <= 18; ++i) {
    const QString before = form->Panel2->text();
    form->SpeedButton2->click();
    EXPECT_EQ(form->steps, i);
    EXPECT_EQ(BandColour(), kGreen) << i;
    EXPECT_NE(form->Panel2->text(), before);
    EXPECT_TRUE(form->Label12->text().isEmpty());
    EXPECT_TRUE(form->SpeedButton2->isEnabled());
  }
  EXPECT_LT(form->a, 1.41421357);
  EXPECT_GT(form->b, 1.41421356);
  form->SpeedButton2->click();
  EXPECT_EQ(form->steps, 18);
  const QString result = form->Label12->text();
  // Correctly rounded places, and the product's sign still to be seen.
  EXPECT_TRUE(result.startsWith("x := (a + b) / 2 = 1,41421     f(x) = ")) << result.toStdString();
  EXPECT_TRUE(form->Panel2->text().contains(
      QRegularExpression("f\\(a\\)\\*f\\(m\\) = [1-9],[0-9]*E-[0-9]+$")))
      << form->Panel2->text().toStdString();
  EXPECT_FALSE(form->SpeedButton2->isEnabled());
  // New start values start over.
  Type(form->Edit2, QStringLiteral("1"));
  EXPECT_EQ(form->steps, 0);
  EXPECT_TRUE(form->SpeedButton2->isEnabled());
  EXPECT_TRUE(form->Label12->text().isEmpty());
}

TEST_F(BisectionWindowTest, TheRuleWithoutASignChangeAndWithAZeroInTheMiddle) {
  Type(form->Edit1, QStringLiteral("x^2+1"));
  Interval("0", "2");
  EXPECT_EQ(BandColour(), kRed);
  form->SpeedButton2->click();
  EXPECT_EQ(form->a, 1.0);
  EXPECT_EQ(form->b, 2.0);
  form->SpeedButton2->click();
  EXPECT_EQ(form->a, 1.5);
  EXPECT_EQ(BandColour(), kRed);

  form->ColorButton2->SetSelectionColor(16711680);  // the change colour follows its button
  Type(form->Edit1, QStringLiteral("x-1"));
  Interval("0", "2");
  EXPECT_EQ(BandColour(), Color{16711680});
  form->SpeedButton2->click();  // f(m) = 0
  EXPECT_EQ(form->a, 0.0);
  EXPECT_EQ(form->b, 1.0);
}

TEST_F(BisectionWindowTest, AClickWithoutDraggingGivesTheResultAtOnce) {
  Interval("0", "2");
  form->SpeedButton2->click();
  const QPoint at(ScreenX(1.414), 50);
  QTest::mousePress(form->PaintBox1, Qt::LeftButton, {}, at);
  QTest::mouseRelease(form->PaintBox1, Qt::LeftButton, {}, at);
  EXPECT_EQ(form->a, form->b);
  EXPECT_EQ(form->a0, form->a);
  EXPECT_EQ(form->steps, 0);
  form->SpeedButton2->click();
  EXPECT_EQ(form->steps, 0);
  EXPECT_FALSE(form->SpeedButton2->isEnabled());
  EXPECT_TRUE(form->Label12->text().startsWith("x := (a + b) / 2 = 1,4"))
      << form->Label12->text().toStdString();
  // Far from the zero.
  const QPoint far(ScreenX(4), 50);
  QTest::mousePress(form->PaintBox1, Qt::LeftButton, {}, far);
  EXPECT_TRUE(form->SpeedButton2->isEnabled());
  EXPECT_TRUE(form->Label12->text().isEmpty());
  QTest::mouseRelease(form->PaintBox1, Qt::LeftButton, {}, far);
  form->SpeedButton2->click();
  EXPECT_EQ(form->Label12->text(), " Keine Lösung!");
}

TEST_F(BisectionWindowTest, DraggingLeftwardsSwapsTheEnds) {
  QTest::mousePress(form->PaintBox1, Qt::LeftButton, {}, QPoint(ScreenX(3), 40));
  QTest::mouseMove(form->PaintBox1, QPoint(ScreenX(1), 40));
  EXPECT_NEAR(form->a0, 3, 0.02);  // while dragging the band follows the mouse unsorted
  EXPECT_NEAR(form->b0, 1, 0.02);
  QTest::mouseRelease(form->PaintBox1, Qt::LeftButton, {}, QPoint(ScreenX(-1), 40));
  EXPECT_NEAR(form->a, -1, 0.02);
  EXPECT_NEAR(form->b, 3, 0.02);
  EXPECT_EQ(form->a0, form->a);
  EXPECT_EQ(form->b0, form->b);
  EXPECT_TRUE(form->Edit2->text().trimmed().startsWith("-1,0") ||
              form->Edit2->text().trimmed().startsWith("-9,9"))
      << form->Edit2->text().toStdString();
  EXPECT_EQ(BandColour(), kGreen);
  EXPECT_EQ(FromQColor(form->Bitmap().pixelColor(ScreenX(2.5), kBandRow)), kGreen);
  EXPECT_NE(FromQColor(form->Bitmap().pixelColor(ScreenX(3.5), kBandRow)), kGreen);
  QTest::mouseMove(form->PaintBox1, QPoint(ScreenX(5), 40));  // no longer dragging
  EXPECT_NEAR(form->b, 3, 0.02);
}

TEST_F(BisectionWindowTest, ZoomModeZoomsInsteadOfChoosingTheInterval) {
  const QImage dragCursor = ProgramCursor(4).pixmap().toImage();
  const QImage zoomCursor = ProgramCursor(1).pixmap().toImage();
  EXPECT_EQ(form->PaintBox1->cursor().pixmap().toImage(), dragCursor);
  Click(form->BitCheckBox5);
  EXPECT_EQ(form->PaintBox1->cursor().pixmap().toImage(), zoomCursor);
  Interval("0", "2");
  const double left = WorldX(100), right = WorldX(300);
  QTest::mousePress(form->PaintBox1, Qt::LeftButton, {}, QPoint(100, 100));
  QTest::mouseMove(form->PaintBox1, QPoint(200, 200));
  QTest::mouseRelease(form->PaintBox1, Qt::LeftButton, {}, QPoint(300, 250));
  EXPECT_EQ(x1, left);
  EXPECT_EQ(x2, right);
  EXPECT_EQ(form->a, 0.0);
  EXPECT_EQ(form->b, 2.0);
  Click(form->BitCheckBox5);
  EXPECT_EQ(form->PaintBox1->cursor().pixmap().toImage(), dragCursor);
}

TEST_F(BisectionWindowTest, LadderStopsGrowingAfterTwelveSteps) {
  Interval("0", "2");
  EXPECT_EQ(LadderRows().size(), 1u + 1u);  // the start interval and the frame
  for (int i = 0; i < 3; ++i) form->SpeedButton2->click();
  EXPECT_EQ(LadderRows().size(), 4u + 1u);
  for (int i = 3; i < 12; ++i) form->SpeedButton2->click();
  const std::set<int> twelve = LadderRows();
  EXPECT_EQ(twelve.size(), 13u + 1u);
  const QString status = form->Panel2->text();
  form->SpeedButton2->click();
  form->SpeedButton2->click();
  EXPECT_EQ(LadderRows(), twelve);
  EXPECT_NE(form->Panel2->text(), status);
  // The rows are one twelfth of a fifth of the plot apart, below the frame.
  const int e = PlotHeight / 60;
  EXPECT_EQ(*twelve.begin(), PlotHeight);
  EXPECT_EQ(*std::next(twelve.begin()), PlotHeight + 2 * e);
  EXPECT_EQ(*twelve.rbegin(), PlotHeight + 14 * e);
  EXPECT_LE(*twelve.rbegin() + 3, form->Bitmap().height());
}

TEST_F(BisectionWindowTest, DecimalsOutsideOneToSixBecomeFour) {
  struct Case {
    const char* typed;
    const char* shown;
    double eps;
    const char* label;
  };
  const Case cases[] = {{"7", "4", 1e-4, "= 0,0001"}, {"0", "4", 1e-4, "= 0,0001"},
                        {"x", "4", 1e-4, "= 0,0001"}, {"6", "6", 1e-6, "= 1E-6"},
                        {" 2 ", "2", 1e-2, "= 0,01"}, {"5", "5", 1e-5, "= 0,00001"}};
  Interval("0", "2");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    Type(form->Edit4, QString::fromUtf8(c.typed));
    EXPECT_EQ(form->Edit4->text(), c.shown);
    EXPECT_DOUBLE_EQ(form->eps, c.eps);
    EXPECT_EQ(form->EpsLabel->text(), c.label);
  }
  Type(form->Edit4, QStringLiteral("2"));
  EXPECT_TRUE(form->Panel2->text().startsWith("  a = 0,00  b = 2,00  m = 1,00"))
      << form->Panel2->text().toStdString();
  EXPECT_EQ(form->Edit3->text().trimmed(), "2,00");
  for (int i = 0; i < 8; ++i) form->SpeedButton2->click();  // 2 / 2^8 < 0.01
  EXPECT_EQ(form->steps, 8);
  form->SpeedButton2->click();
  EXPECT_FALSE(form->SpeedButton2->isEnabled());
  EXPECT_TRUE(form->Label12->text().startsWith("x := (a + b) / 2 = 1,42     f(x) = "))
      << form->Label12->text().toStdString();
}

TEST_F(BisectionWindowTest, TableListsEveryHalvingFromTheStartInterval) {
  Type(form->Edit1, QStringLiteral("x-3,3"));
  Interval("0", "10");
  Type(form->Edit4, QStringLiteral("6"));
  form->SpeedButton2->click();  // steps in the window do not matter
  TForm14 table(form.get(), form->a0, form->b0, form->eps, form->d);
  QTableWidget* grid = table.StringGrid1;
  ASSERT_EQ(grid->columnCount(), 6);
  ASSERT_EQ(grid->rowCount(), 1 + 24);
  EXPECT_EQ(grid->item(0, 0)->text(), "          a");
  EXPECT_EQ(grid->item(0, 5)->text(), "      f(a)*f(m)");
  EXPECT_EQ(grid->item(1, 0)->text(), "0,000000");
  EXPECT_EQ(grid->item(1, 1)->text(), "10,000000");
  EXPECT_EQ(grid->item(1, 2)->text(), "5,000000");
  EXPECT_EQ(grid->item(2, 1)->text(), "5,000000");  // x - 3,3 changes sign left of 5
  EXPECT_TRUE(grid->item(24, 2)->text().startsWith("3,30000"));
}

TEST_F(BisectionWindowTest, TableWindowTakesTheSizeOfItsRows) {
  Type(form->Edit1, QStringLiteral("x-3,3"));
  Interval("0", "10");
  Type(form->Edit4, QStringLiteral("1"));
  TForm14 table(form.get(), form->a0, form->b0, form->eps, form->d);
  QTableWidget* grid = table.StringGrid1;
  ASSERT_EQ(grid->rowCount(), 1 + 7);  // 10 / 2^7 < 0,1
  const QFontMetrics metrics = grid->fontMetrics();
  const int column = metrics.horizontalAdvance(QStringLiteral("AAAAAAAAAAAAAAA"));
  const int row = metrics.height() + 6;
  EXPECT_EQ(grid->columnWidth(3), column);
  EXPECT_EQ(grid->rowHeight(7), row);
  EXPECT_EQ(grid->width(), 6 * column + 12);
  EXPECT_EQ(table.width(), grid->width() + 1);
  EXPECT_EQ(grid->height(), 8 * row + 7);
  EXPECT_EQ(table.height(), grid->height() + 4 + table.BitBtn2->height());
  EXPECT_EQ(table.BitBtn2->geometry().bottom(), table.height() - 3);
  EXPECT_LE(std::abs(table.BitBtn2->geometry().center().x() - table.width() / 2), 1);

  // A table longer than the screen scrolls; "Weiter" stays on the screen.
  Interval("-10^35", "10^35");
  TForm14 tall(form.get(), form->a0, form->b0, form->eps, form->d);
  EXPECT_GT(tall.StringGrid1->rowCount(), 100);
  EXPECT_LE(tall.height(), QGuiApplication::primaryScreen()->availableGeometry().height());
}

TEST_F(BisectionWindowTest, APoleEndsWithoutASolution) {
  Type(form->Edit1, QStringLiteral("1/x"));
  Interval("-1", "1");
  int clicks = 0;
  while (form->SpeedButton2->isEnabled() && clicks < 100) {
    form->SpeedButton2->click();
    ++clicks;
  }
  EXPECT_EQ(clicks, 18 + 1);
  EXPECT_EQ(form->Label12->text(), " Keine Lösung!");
  EXPECT_LT(form->b - form->a, 1e-5);
  EXPECT_LE(form->a, 0.0);
  EXPECT_GE(form->b, 0.0);

  TForm14 table(form.get(), form->a0, form->b0, form->eps, form->d);
  QTableWidget* grid = table.StringGrid1;
  ASSERT_EQ(grid->rowCount(), 1 + 18 + 1);
  const int last = grid->rowCount() - 1;
  EXPECT_EQ(grid->item(last, 2)->text(), "Keine Lösung!");
  for (int c : {0, 1, 3, 4, 5}) EXPECT_TRUE(grid->item(last, c)->text().isEmpty());

  // The button shows the table modally; "Weiter" closes it.
  bool shown = false;
  QTimer::singleShot(0, form.get(), [&] {
    auto* open = qobject_cast<TForm14*>(QApplication::activeModalWidget());
    shown = open != nullptr;
    if (open) open->BitBtn2->click();
  });
  form->SpeedButton12->click();
  EXPECT_TRUE(shown);
}

TEST_F(BisectionWindowTest, StartValuesTypedReversedAreTakenTheRightWayRound) {
  Interval("2", "0");
  form->SpeedButton2->click();
  EXPECT_EQ(form->a, 1.0);  // [0; 2] halved once
  EXPECT_EQ(form->b, 2.0);
  EXPECT_EQ(form->steps, 1);
  EXPECT_EQ(form->Edit2->text().trimmed(), "0,00000");
  EXPECT_EQ(form->Edit3->text().trimmed(), "2,00000");
  // An interval too far out to be halved down to the bound ends as well.
  Interval("10^20", "10^20+10^10");
  int clicks = 0;
  while (form->SpeedButton2->isEnabled() && clicks < 1000) {
    form->SpeedButton2->click();
    ++clicks;
  }
  EXPECT_LT(clicks, 100);
  EXPECT_EQ(form->Label12->text(), " Keine Lösung!");
  TForm14 table(form.get(), form->a0, form->b0, form->eps, form->d);
  EXPECT_LT(table.StringGrid1->rowCount(), 100);
}

TEST_F(BisectionWindowTest, ASyntaxErrorIsReportedOnceWhenTheFieldIsLeft) {
  Interval("0", "2");
  Type(form->Edit1, QStringLiteral("x^2-"));
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].rfind("Syntaxfehler: ", 0), 0u);
  EXPECT_EQ(TermBisektion, "x^2-");
  EXPECT_TRUE(form->Edit1->hasFocus());
  form->SpeedButton2->click();
  form->BitCheckBox1->SetChecked(true);
  form->animieren();
  EXPECT_EQ(messages.size(), 1u);
  form->Edit1->clear();
  QTest::keyClicks(form->Edit1, QString(45, QLatin1Char('1')));
  EXPECT_EQ(form->Edit1->text().size(), 40);  // the narrow field takes 40 characters
}

TEST_F(BisectionWindowTest, ExamplesHoldTheTermAlone) {
  Interval("0", "2");
  for (const char* term : {"x^3-x-1", "cos(x)-x"}) {
    Type(form->Edit1, QString::fromUtf8(term));
    form->SpeedButton7->click();
  }
  ASSERT_EQ(form->ListBox1->count(), 2);
  form->SpeedButton2->click();
  form->ListBox1->setCurrentRow(0);
  form->SpeedButton3->click();
  EXPECT_EQ(form->Edit1->text(), "x^3-x-1");
  EXPECT_EQ(TermBisektion, "x^3-x-1");
  EXPECT_EQ(form->steps, 0);
  EXPECT_TRUE(form->Edit1->hasFocus());
  form->close();
  EXPECT_EQ(ReadBytes(dir.File("Bsp7.txt")), "x^3-x-1\r\ncos(x)-x\r\n");
}

}  // namespace
}  // namespace kurvio
