// The limits window driven through its controls: the strip, the half
// neighbourhoods and their images, the epsilon and delta bars, xo outside the
// view, the zoom box, syntax errors, the example list, colours and labels.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <cmath>

#include "module/ExampleList.h"
#include "module/NumberScroll.h"
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
#include "windows/limits/LimitsWindow.h"

namespace kurvio {
namespace {

constexpr Color kBlue = 16711680;

class LimitsWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UseDefaultSettingsIn(dir);
    Farben::Zeichenstift = kBlue;
    TermStetigkeitF1 = "x^2";
    TermStetigkeitF2 = "x^2";
    xP = 1;
    SyntaxErrorReporter = [this](const std::string& m) { messages.push_back(m); };
    ReportExampleListMessage = [](QWidget*, const QString&) {};
  }
  void TearDown() override {
    form.reset();
    SyntaxErrorReporter = nullptr;
    ReportExampleListMessage = nullptr;
    MainTerm.reset();
  }
  void Open() {
    form = std::make_unique<TForm11>();
    form->resize(1100, 750);
    form->show();
    QApplication::processEvents();
  }
  void Type(QLineEdit* edit, const QString& text) { TypeInto(form.get(), edit, text); }
  void Pieces(const char* f1, const char* f2, const char* xo) {
    Type(form->Edit1, QString::fromUtf8(f1));
    Type(form->Edit3, QString::fromUtf8(f2));
    Type(form->Edit2, QString::fromUtf8(xo));
  }
  Color Pixel(double x, double y) const {
    return FromQColor(form->Bitmap().pixelColor(ScreenX(x), ScreenY(y)));
  }
  // The colour within a pixel of the point.
  bool Near(double x, double y, Color colour) const {
    for (int dx = -1; dx <= 1; ++dx)
      for (int dy = -1; dy <= 1; ++dy)
        if (FromQColor(form->Bitmap().pixelColor(ScreenX(x) + dx, ScreenY(y) + dy)) == colour)
          return true;
    return false;
  }
  // The picture as drawn on a recording canvas.
  testing::RecordingCanvas Record() {
    testing::RecordingCanvas canvas;
    DrawCanvas = &canvas;
    ExportDrawing = true;
    form->animieren();
    ExportDrawing = false;
    DrawCanvas = nullptr;
    return canvas;
  }
  static std::string LastCall(const testing::RecordingCanvas& canvas, const std::string& name) {
    for (auto it = canvas.calls.rbegin(); it != canvas.calls.rend(); ++it)
      if (it->rfind(name + " ", 0) == 0) return it->substr(name.size() + 1);
    return {};
  }

  TempDir dir;
  std::vector<std::string> messages;
  std::unique_ptr<TForm11> form;
};

TEST_F(LimitsWindowTest, ContinuousPiecesMapTheNeighbourhoodIntoTheStrip) {
  Open();
  EXPECT_EQ(form->delta, edmax / 2);  // the start value
  Pieces("x^2", "x^2", "1");
  Type(form->Edit5, QStringLiteral("0,1"));
  Type(form->Edit4, QStringLiteral("0,5"));
  EXPECT_DOUBLE_EQ(form->delta, 0.1);
  EXPECT_DOUBLE_EQ(form->eps, 0.5);
  // x^2 on [0,9; 1) and (1; 1,1]: inside 1 ± 0,5, touching 1 from both sides.
  for (const NeighbourhoodExtremes& image : {form->LeftImage, form->RightImage}) {
    EXPECT_GT(image.yMin, 0.5);
    EXPECT_LT(image.yMax, 1.5);
  }
  EXPECT_NEAR(form->LeftImage.yMin, 0.81, 1e-9);
  EXPECT_NEAR(form->RightImage.yMax, 1.21, 1e-9);
  EXPECT_NEAR(form->RightImage.yMin, 1.0, 0.03);  // half-pixel steps down to xo
  // Both segments in the image colour on the y-axis, the neighbourhood on the x-axis.
  EXPECT_EQ(Pixel(0, 0.9), Farben::fvondelta);
  EXPECT_EQ(Pixel(0, 1.1), Farben::fvondelta);
  EXPECT_EQ(Pixel(0.95, 0), Farben::delta);
  // The open square and the dot share their box.
  const testing::RecordingCanvas canvas = Record();
  EXPECT_FALSE(LastCall(canvas, "Ellipse").empty());
  EXPECT_EQ(LastCall(canvas, "Rectangle"), LastCall(canvas, "Ellipse"));
}

TEST_F(LimitsWindowTest, AJumpLeavesTheStripForEveryDelta) {
  Open();
  Pieces("x", "x+2", "1");
  Type(form->Edit4, QStringLiteral("0,5"));
  for (int position = 1; position <= 200; ++position) {
    form->ScrollBar2->setValue(position);
    ASSERT_DOUBLE_EQ(form->delta, edmax * position / 200);
    // f2 beyond 1 is above 3, the strip ends at 1,5; the left image stays inside once delta < 0,5.
    ASSERT_GT(form->RightImage.yMin, 1.5) << position;
    ASSERT_EQ(form->LeftImage.yMin > 0.5, form->delta < 0.5) << position;
  }
  EXPECT_EQ(Pixel(0, 3.5), Farben::fvondelta);
  const testing::RecordingCanvas canvas = Record();
  EXPECT_NE(LastCall(canvas, "Rectangle"), LastCall(canvas, "Ellipse"));
}

TEST_F(LimitsWindowTest, XoOutsideTheViewStillDraws) {
  Open();
  Type(form->Edit1, QStringLiteral("x"));
  Type(form->Edit3, QStringLiteral("3,5"));
  QTest::mouseClick(form->BitCheckBox2, Qt::LeftButton, {}, QPoint(5, 5));
  ASSERT_TRUE(form->ShowLabels);
  const struct {
    const char* xo;
    double value;
    bool f1Seen, f2Seen;
  } cases[] = {{"-20", -20, false, true}, {"20", 20, true, false}};
  for (const auto& c : cases) {
    // The first entry puts xo on the bar's end; typed again it stays where it was typed.
    Type(form->Edit2, QString::fromUtf8(c.xo));
    Type(form->Edit2, QString::fromUtf8(c.xo));
    EXPECT_EQ(xP, c.value);
    EXPECT_EQ(Near(-2.5, -2.5, kBlue), c.f1Seen) << c.xo;
    EXPECT_EQ(Near(2.5, 3.5, kBlue), c.f2Seen) << c.xo;
  }
}

TEST_F(LimitsWindowTest, EpsilonAndDeltaStayOnTheirBars) {
  edmax = 4;
  Open();
  struct Pair {
    QLineEdit* edit;
    QScrollBar* bar;
    QToolButton* reset;
    const double* value;
  };
  for (const Pair& p : {Pair{form->Edit4, form->ScrollBar3, form->SpeedButton13, &form->eps},
                        Pair{form->Edit5, form->ScrollBar2, form->SpeedButton12, &form->delta}}) {
    p.bar->setValue(1);
    EXPECT_EQ(*p.value, edmax / 200);
    // Off the bar: the bar's end, and the bar's value when that moved it; a bar that
    // stood there already keeps the typed value.
    const struct {
      const char* typed;
      int position;
      double value;
    } cases[] = {{"0", 1, 0.0},      {"1", 50, 1.0},    {"0", 1, 0.02},
                 {"-3", 1, -3.0},    {"9", 200, 4.0},   {"9", 200, 9.0},
                 {"0,001", 1, 0.02}, {"0,105", 5, 0.1}, {"0,105", 5, 0.105}};
    for (const auto& c : cases) {
      Type(p.edit, QString::fromUtf8(c.typed));
      EXPECT_EQ(p.bar->value(), c.position) << c.typed;
      EXPECT_DOUBLE_EQ(*p.value, c.value) << c.typed;
    }
    p.reset->click();
    EXPECT_EQ(*p.value, 1.0);
    EXPECT_EQ(p.bar->value(), 50);
  }
  // A smaller full scale: the reset's 1 lies beyond it.
  edmax = 0.5;
  form->SpeedButton12->click();
  EXPECT_EQ(form->delta, 0.5);
  EXPECT_EQ(form->ScrollBar2->value(), 200);
}

TEST_F(LimitsWindowTest, ZoomBoxOfTenPixelsLeavesNoTrace) {
  Open();
  const QImage before = form->Bitmap().copy();
  const double viewBefore[] = {x1, x2, y1, y2};
  // Driven as the mouse drives it: 10 pixels wide is not enough.
  QTest::mousePress(form->PaintBox1, Qt::LeftButton, {}, QPoint(100, 100));
  form->PaintBox1MouseMove(150, 180);
  form->PaintBox1MouseMove(110, 130);
  QTest::mouseRelease(form->PaintBox1, Qt::LeftButton, {}, QPoint(110, 130));
  EXPECT_TRUE(form->Bitmap() == before);
  EXPECT_EQ(x1, viewBefore[0]);
  EXPECT_EQ(y2, viewBefore[3]);

  const double left = WorldX(100), right = WorldX(300), top = WorldY(100), bottom = WorldY(250);
  QTest::mousePress(form->PaintBox1, Qt::LeftButton, {}, QPoint(300, 250));
  form->PaintBox1MouseMove(200, 200);
  QTest::mouseRelease(form->PaintBox1, Qt::LeftButton, {}, QPoint(100, 100));
  EXPECT_EQ(x1, left);
  EXPECT_EQ(x2, right);
  EXPECT_EQ(y1, bottom);
  EXPECT_EQ(y2, top);
  EXPECT_EQ(form->ScrollBar1->maximum(), BarMaxForTicks(x2 - x1, XTickStep));

  form->SpeedButton22->click();  // back to the start view
  EXPECT_EQ(x2 - x1, 14.0);
  EXPECT_EQ(form->ScrollBar1->maximum(), 1400);  // a hundred positions per tick
}

TEST_F(LimitsWindowTest, ViewChangesKeepXoAndTheBarFollows) {
  Open();
  Type(form->Edit2, QStringLiteral("0"));
  // A box zoom off the middle, zooms and pans: xo stays 0 wherever its bar stands.
  QTest::mousePress(form->PaintBox1, Qt::LeftButton, {}, QPoint(130, 80));
  QTest::mouseMove(form->PaintBox1, QPoint(411, 300));
  QTest::mouseRelease(form->PaintBox1, Qt::LeftButton, {}, QPoint(411, 300));
  for (QToolButton* b :
       {form->SpeedButton7, form->SpeedButton3, form->SpeedButton3, form->SpeedButton9})
    b->click();
  EXPECT_EQ(xP, 0.0);
  EXPECT_EQ(form->Edit2->text().trimmed(), "0,00");
  form->SpeedButton22->click();
  form->SpeedButton3->click();  // -14 .. 14: ticks of 2, a bar position every 0,02
  Type(form->Edit2, QStringLiteral("10"));
  form->SpeedButton22->click();  // -7 .. 7: 10 lies outside and stays, its bar at the end
  EXPECT_EQ(xP, 10.0);
  EXPECT_EQ(form->ScrollBar1->value(), form->ScrollBar1->maximum());
}

TEST_F(LimitsWindowTest, SyntaxErrorsAreReportedOnceWhenTheFieldIsLeft) {
  Open();
  int position = 20;
  for (QLineEdit* edit : {form->Edit1, form->Edit3}) {
    messages.clear();
    Type(form->Edit1, QStringLiteral("x"));
    Type(form->Edit3, QStringLiteral("x"));
    const QImage before = form->Bitmap().copy();
    // Left for a control without a leave handler of its own.
    edit->setFocus();
    edit->setText(QStringLiteral("x*(2"));
    form->BitCheckBox2->setFocus();
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_TRUE(form->Bitmap() == before);  // no redraw
    EXPECT_TRUE(edit->hasFocus());
    EXPECT_EQ(edit == form->Edit1 ? TermStetigkeitF1 : TermStetigkeitF2, "x*(2");
    // Later redraws draw the piece as 0, quietly.
    form->ScrollBar2->setValue(++position);
    form->ScrollBar3->setValue(++position);
    EXPECT_EQ(messages.size(), 1u);
    const NeighbourhoodExtremes& image = edit == form->Edit1 ? form->LeftImage : form->RightImage;
    EXPECT_EQ(image.yMax, 0.0);
    EXPECT_EQ(image.yMin, 0.0);
    Type(edit, QStringLiteral("x"));
  }
}

TEST_F(LimitsWindowTest, ExamplesComeBackExactlyAndHandEditedOnesAsFarAsTheyGo) {
  WriteBytes(dir.File("Bsp4.txt"),
             "x^3;  x-1\r\n"
             "sin(x)\r\n"
             "x^4;  x; xo = ?\r\n");
  Open();
  ASSERT_EQ(form->ListBox1->count(), 3);
  Pieces("x", "x+2", "1,5");
  form->SpeedButton4->click();
  ASSERT_EQ(form->ListBox1->count(), 4);
  EXPECT_EQ(form->ListBox1->item(3)->text(), "x;  x+2; xo =  1,50     ");
  form->SpeedButton4->click();  // the same example again: refused
  EXPECT_EQ(form->ListBox1->count(), 4);
  Pieces("x", "x+3", "1,5");
  form->SpeedButton4->click();  // the same f1 with another f2 is another example
  EXPECT_EQ(form->ListBox1->count(), 5);

  auto get = [&](int row) {
    form->ListBox1->setCurrentRow(row);
    form->SpeedButton1->click();
  };
  Pieces("x^2", "1", "-2");
  get(3);
  EXPECT_EQ(form->Edit1->text(), "x");
  EXPECT_EQ(form->Edit3->text(), "x+2");
  EXPECT_EQ(form->Edit2->text(), "  1,50     ");
  EXPECT_EQ(xP, 1.5);
  EXPECT_EQ(TermStetigkeitF1, "x");
  EXPECT_EQ(TermStetigkeitF2, "x+2");
  EXPECT_TRUE(form->Edit1->hasFocus());

  get(0);  // no "xo =": f2 the rest of the line, xo stays
  EXPECT_EQ(form->Edit1->text(), "x^3");
  EXPECT_EQ(form->Edit3->text(), "x-1");
  EXPECT_EQ(xP, 1.5);
  get(1);  // no ";": f1 alone
  EXPECT_EQ(form->Edit1->text(), "sin(x)");
  EXPECT_EQ(form->Edit3->text(), "x-1");
  EXPECT_EQ(xP, 1.5);
  get(2);  // an xo that does not read: xo stays, without a message
  EXPECT_EQ(form->Edit3->text(), "x");
  EXPECT_EQ(xP, 1.5);
  EXPECT_TRUE(messages.empty());

  form->ListBox1->setCurrentRow(1);
  form->SpeedButton5->click();
  form->close();
  EXPECT_EQ(ReadBytes(dir.File("Bsp4.txt")),
            "x^3;  x-1\r\n"
            "x^4;  x; xo = ?\r\n"
            "x;  x+2; xo =  1,50     \r\n"
            "x;  x+3; xo =  1,50     \r\n");
}

TEST_F(LimitsWindowTest, ColourButtonsStoreTheirColours) {
  Open();
  Type(form->Edit5, QStringLiteral("1"));
  Type(form->Edit4, QStringLiteral("0,5"));  // the strip's dotted edges off the x-axis
  const struct {
    TColorButton* button;
    Color* setting;
    double x, y;  // a pixel in that colour
  } cases[] = {
      {form->ColorButton1, &Farben::epsilon, -5.5, 1.3},
      {form->ColorButton2, &Farben::delta, 0.5, 0},
      {form->ColorButton3, &Farben::fvondelta, 0, 2.5},
  };
  Color colour = 65535;
  for (const auto& c : cases) {
    EXPECT_EQ(Pixel(c.x, c.y), *c.setting);
    c.button->SetSelectionColor(static_cast<int>(colour));
    EXPECT_EQ(*c.setting, colour);
    EXPECT_EQ(Pixel(c.x, c.y), colour);
    colour += 0x100000;
  }
}

TEST_F(LimitsWindowTest, LabelsNameEpsilonAndDelta) {
  Open();
  Type(form->Edit5, QStringLiteral("1"));
  const QImage without = form->Bitmap().copy();
  QTest::mouseClick(form->BitCheckBox2, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_TRUE(form->ShowLabels);
  EXPECT_FALSE(form->Bitmap() == without);
  // In the symbol font: four epsilons in the strip's halves, two deltas under the x-axis.
  std::vector<testing::TextCall> eps, delta;
  for (const testing::TextCall& t : Record().texts) {
    if (t.text == "e") eps.push_back(t);
    if (t.text == "d") delta.push_back(t);
  }
  ASSERT_EQ(eps.size(), 4u);
  ASSERT_EQ(delta.size(), 2u);
  const int h = testing::RecordingCanvas::kTextHeight, w = testing::RecordingCanvas::kCharWidth;
  EXPECT_EQ(eps[1].y, ScreenY(0.5) - h / 2);  // f1(1) = 1, eps 1: the lower half's middle
  EXPECT_EQ(eps[2].x, ScreenX(x2) - PlotWidth / 10);
  EXPECT_EQ(delta[1].x, ScreenX(1.5) - w / 2);  // centred on xo + delta/2
}

TEST_F(LimitsWindowTest, TinyViewsAndUndefinedValuesDrawWithoutHanging) {
  Open();
  QTest::mouseClick(form->BitCheckBox2, Qt::LeftButton, {}, QPoint(5, 5));
  x1 = 1 - 0.00005;
  x2 = 1 + 0.00005;
  form->animieren();  // delta 1 over a view 0,0001 wide
  EXPECT_EQ(form->LeftImage.samples, kMaxNeighbourhoodSamples);
  EXPECT_EQ(form->RightImage.samples, kMaxNeighbourhoodSamples);
  form->SpeedButton22->click();

  const char* nasty[][3] = {
      {"ln(x)", "sqrt(x)", "0"}, {"1/(x-1)", "x/0", "1"}, {"x^1000", "-x^1000", "2"}};
  for (const auto& n : nasty) {
    Pieces(n[0], n[1], n[2]);
    EXPECT_TRUE(messages.empty()) << n[0];
    EXPECT_FALSE(std::isnan(form->LeftImage.yMax) || std::isnan(form->RightImage.yMin)) << n[0];
  }
}

}  // namespace
}  // namespace kurvio
