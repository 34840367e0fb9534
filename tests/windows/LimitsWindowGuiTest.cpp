// The limits window driven through its controls: the strip, the half
// neighbourhoods and their images, the bars, xo outside the view, the zoom box,
// syntax errors, the example list, colours and labels.
#include <QListWidget>
#include <QScrollBar>
#include <cmath>

#include "module/NumberScroll.h"
#include "support/WindowFixture.h"
#include "widgets/TColorButton.h"
#include "windows/limits/LimitsWindow.h"

namespace kurvio {
namespace {

constexpr Color kBlue = 16711680;

class LimitsWindowTest : public WindowTest<TForm11> {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    Farben::Zeichenstift = kBlue;
    TermStetigkeitF1 = TermStetigkeitF2 = "x^2";
    xP = 1;
  }
  void Pieces(const char* f1, const char* f2, const char* xo) {
    Type("Edit1", QString::fromUtf8(f1));
    Type("Edit3", QString::fromUtf8(f2));
    Type("Edit2", QString::fromUtf8(xo));
  }
  Color At(double x, double y) const { return Pixel(form->Bitmap(), x, y); }
  bool Near(double x, double y, Color colour) const {
    for (int dx = -1; dx <= 1; ++dx)
      for (int dy = -1; dy <= 1; ++dy)
        if (FromQColor(form->Bitmap().pixelColor(ScreenX(x) + dx, ScreenY(y) + dy)) == colour)
          return true;
    return false;
  }
  testing::RecordingCanvas Frame() {
    return Record([this] { form->animieren(); });
  }
  static std::string Last(const testing::RecordingCanvas& canvas, const std::string& name) {
    for (auto it = canvas.calls.rbegin(); it != canvas.calls.rend(); ++it)
      if (it->rfind(name + " ", 0) == 0) return it->substr(name.size() + 1);
    return {};
  }
};

TEST_F(LimitsWindowTest, EveryDesignNameNamesOneControl) {
  Open();
  const QWidget* w = form.get();
  ExpectDesignNames(w, "QLineEdit", {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5"});
  ExpectDesignNames(w, "QScrollBar", {"ScrollBar1", "ScrollBar2", "ScrollBar3"});
  ExpectDesignNames(w, "kurvio::TColorButton", {"ColorButton1", "ColorButton2", "ColorButton3"});
  ExpectDesignNames(w, "kurvio::TBitCheckBox", {"BitCheckBox2"});
  ExpectDesignNames(w, "QListWidget", {"ListBox1"});
  ExpectDesignNames(
      w, "QAbstractButton",
      {"SpeedButton1",  "SpeedButton2",  "SpeedButton3",  "SpeedButton4",  "SpeedButton5",
       "SpeedButton6",  "SpeedButton7",  "SpeedButton8",  "SpeedButton9",  "SpeedButton10",
       "SpeedButton11", "SpeedButton12", "SpeedButton13", "SpeedButton14", "SpeedButton15",
       "SpeedButton17", "SpeedButton18", "SpeedButton19", "SpeedButton20", "SpeedButton21",
       "SpeedButton22", "SpeedButton23", "SpeedButton28"});
}

TEST_F(LimitsWindowTest, ContinuousPiecesMapTheNeighbourhoodIntoTheStrip) {
  Open();
  EXPECT_EQ(form->delta, edmax / 2);
  Pieces("x^2", "x^2", "1");
  Type("Edit5", QStringLiteral("0,1"));
  Type("Edit4", QStringLiteral("0,5"));
  EXPECT_DOUBLE_EQ(form->delta, 0.1);
  EXPECT_DOUBLE_EQ(form->eps, 0.5);
  for (const NeighbourhoodExtremes& image : {form->LeftImage, form->RightImage}) {
    EXPECT_GT(image.yMin, 0.5);
    EXPECT_LT(image.yMax, 1.5);
  }
  EXPECT_NEAR(form->LeftImage.yMin, 0.81, 1e-9);
  EXPECT_NEAR(form->RightImage.yMax, 1.21, 1e-9);
  EXPECT_NEAR(form->RightImage.yMin, 1.0, 0.03);  // half-pixel steps down to xo
  EXPECT_EQ(At(0, 0.9), Farben::fvondelta);
  EXPECT_EQ(At(0, 1.1), Farben::fvondelta);
  EXPECT_EQ(At(0.95, 0), Farben::delta);
  EXPECT_EQ(At(1.05, 0), Farben::delta);
  const testing::RecordingCanvas canvas = Frame();
  EXPECT_FALSE(Last(canvas, "Ellipse").empty());
  EXPECT_EQ(Last(canvas, "Rectangle"), Last(canvas, "Ellipse"));  // square and dot coincide
}

// f1 = x up to 1, f2 = x + 2 beyond: every line of the picture at its place.
TEST_F(LimitsWindowTest, AJumpLeavesTheStripForEveryDeltaAndEachLineStandsWhereItBelongs) {
  Open();
  Pieces("x", "x+2", "1");
  Type("Edit4", QStringLiteral("0,5"));
  for (int position = 1; position <= 200; ++position) {
    Find<QScrollBar>("ScrollBar2")->setValue(position);
    ASSERT_DOUBLE_EQ(form->delta, edmax * position / 200);
    ASSERT_GT(form->RightImage.yMin, 1.5) << position;
    ASSERT_EQ(form->LeftImage.yMin > 0.5, form->delta < 0.5) << position;
  }
  Find<QScrollBar>("ScrollBar2")->setValue(150);  // delta 1,5
  const struct {
    const char* what;
    double x, y;
    Color colour;
  } rows[] = {
      {"xo up to f1(xo)", 1, 0.25, kBlack},
      {"xo - delta down to f1(xo - delta)", -0.5, -0.25, kBlack},
      {"xo + delta up to f2(xo + delta)", 2.5, 2.25, kBlack},
      {"the left image's bottom, from the y-axis", -0.25, -0.5, kBlack},
      {"the right image's top, from the y-axis", 1.25, 4.5, kBlack},
      {"the left image on the y-axis", 0, -0.25, Farben::fvondelta},
      {"the right image on the y-axis", 0, 3.75, Farben::fvondelta},
      {"the left neighbourhood", 0.5, 0, Farben::delta},
      {"the right neighbourhood", 2, 0, Farben::delta},
      {"the dot at f1(xo)", 1, 1, kBlue},
      {"inside the open square at f2(xo)", 1, 3, Farben::Hintergrund},
      {"the upper half of the strip", -5.5, 1.25, Farben::epsilon},
      {"the lower half of the strip", -5.5, 0.75, Farben::epsilon},
      {"above the strip", -5.5, 1.75, Farben::Hintergrund},
  };
  for (const auto& r : rows) EXPECT_EQ(At(r.x, r.y), r.colour) << r.what;
  EXPECT_EQ(FromQColor(form->Bitmap().pixelColor(ScreenX(1) - 3, ScreenY(3))), kBlack);
  // The dotted edges of the strip and the dashed f(xo), left of everything else.
  for (const double y : {1.0, 1.5, 0.5}) {
    int black = 0;
    for (int x = ScreenX(-6.5); x < ScreenX(-4.5); ++x)
      black += FromQColor(form->Bitmap().pixelColor(x, ScreenY(y))) == kBlack;
    EXPECT_GT(black, 10) << y;
  }
  EXPECT_NE(Last(Frame(), "Rectangle"), Last(Frame(), "Ellipse"));
}

TEST_F(LimitsWindowTest, XoOutsideTheViewStillDraws) {
  Open();
  Type("Edit1", QStringLiteral("x"));
  Type("Edit3", QStringLiteral("3,5"));
  Click("BitCheckBox2");
  ASSERT_TRUE(form->ShowLabels);
  const struct {
    const char* xo;
    double value;
    bool f1Seen, f2Seen;
  } cases[] = {{"-20", -20, false, true}, {"20", 20, true, false}};
  for (const auto& c : cases) {
    // The first entry puts xo on the bar's end; typed again it stays where it was typed.
    Type("Edit2", QString::fromUtf8(c.xo));
    Type("Edit2", QString::fromUtf8(c.xo));
    EXPECT_EQ(xP, c.value);
    EXPECT_EQ(Near(-2.5, -2.5, kBlue), c.f1Seen) << c.xo;
    EXPECT_EQ(Near(2.5, 3.5, kBlue), c.f2Seen) << c.xo;
  }
}

TEST_F(LimitsWindowTest, EpsilonAndDeltaStayOnTheirBars) {
  edmax = 4;
  Open();
  const struct {
    const char *edit, *bar, *reset;
    const double* value;
  } pairs[] = {{"Edit4", "ScrollBar3", "SpeedButton13", &form->eps},
               {"Edit5", "ScrollBar2", "SpeedButton12", &form->delta}};
  for (const auto& p : pairs) {
    SCOPED_TRACE(p.edit);
    QScrollBar* bar = Find<QScrollBar>(p.bar);
    bar->setValue(1);
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
      EXPECT_EQ(bar->value(), c.position) << c.typed;
      EXPECT_DOUBLE_EQ(*p.value, c.value) << c.typed;
    }
    Click(p.reset);
    EXPECT_EQ(*p.value, 1.0);
    EXPECT_EQ(bar->value(), 50);
  }
  edmax = 0.5;  // the reset's 1 lies beyond a smaller full scale
  Click("SpeedButton12");
  EXPECT_EQ(form->delta, 0.5);
  EXPECT_EQ(Find<QScrollBar>("ScrollBar2")->value(), 200);
}

TEST_F(LimitsWindowTest, ZoomBoxAndViewButtonsKeepXoWhileItsBarFollows) {
  Open();
  const QImage before = form->Bitmap().copy();
  QWidget* box = Find("PaintBox1");
  QTest::mousePress(box, Qt::LeftButton, {}, QPoint(100, 100));
  form->onPaintBoxMouseMove(150, 180);
  form->onPaintBoxMouseMove(110, 130);
  QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(110, 130));  // 10 pixels: no zoom
  EXPECT_TRUE(form->Bitmap() == before);
  EXPECT_EQ(x1, -7);
  EXPECT_EQ(y2, 7);

  Type("Edit2", QStringLiteral("0"));
  const double left = WorldX(100), right = WorldX(300), top = WorldY(100), bottom = WorldY(250);
  QTest::mousePress(box, Qt::LeftButton, {}, QPoint(300, 250));
  form->onPaintBoxMouseMove(200, 200);
  QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(100, 100));
  EXPECT_EQ(x1, left);
  EXPECT_EQ(x2, right);
  EXPECT_EQ(y1, bottom);
  EXPECT_EQ(y2, top);
  QScrollBar* bar = Find<QScrollBar>("ScrollBar1");
  EXPECT_EQ(bar->maximum(), BarMaxForTicks(x2 - x1, XTickStep));
  for (const char* b : {"SpeedButton7", "SpeedButton3", "SpeedButton3", "SpeedButton9"}) Click(b);
  EXPECT_EQ(xP, 0.0);
  EXPECT_EQ(Text("Edit2").trimmed(), "0,00");
  Click("SpeedButton22");
  EXPECT_EQ(bar->maximum(), 1400);  // -7 .. 7: a hundred positions per tick
  Click("SpeedButton3");            // -14 .. 14
  Type("Edit2", QStringLiteral("10"));
  Click("SpeedButton22");  // 10 lies outside and stays, its bar at the end
  EXPECT_EQ(xP, 10.0);
  EXPECT_EQ(bar->value(), bar->maximum());
}

TEST_F(LimitsWindowTest, SyntaxErrorsAreReportedOnceWhenTheFieldIsLeft) {
  Open();
  int position = 20;
  for (const char* name : {"Edit1", "Edit3"}) {
    SCOPED_TRACE(name);
    messages.clear();
    Pieces("x", "x", "1");
    const QImage before = form->Bitmap().copy();
    QLineEdit* edit = Find<QLineEdit>(name);
    edit->setFocus();
    edit->setText(QStringLiteral("x*(2"));
    Find("BitCheckBox2")->setFocus();
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_TRUE(form->Bitmap() == before);  // no redraw
    EXPECT_TRUE(edit->hasFocus());
    EXPECT_EQ(edit == form->f1Field ? TermStetigkeitF1 : TermStetigkeitF2, "x*(2");
    // Later redraws draw the piece as 0, quietly.
    Find<QScrollBar>("ScrollBar2")->setValue(++position);
    Find<QScrollBar>("ScrollBar3")->setValue(++position);
    EXPECT_EQ(messages.size(), 1u);
    const NeighbourhoodExtremes& image = edit == form->f1Field ? form->LeftImage : form->RightImage;
    EXPECT_EQ(image.yMax, 0.0);
    EXPECT_EQ(image.yMin, 0.0);
    Type(name, QStringLiteral("x"));
  }
}

TEST_F(LimitsWindowTest, ExamplesComeBackExactlyAndHandEditedOnesAsFarAsTheyGo) {
  WriteBytes(dir.File("Bsp4.txt"), "x^3;  x-1\r\nsin(x)\r\nx^4;  x; xo = ?\r\n");
  Open();
  auto* list = Find<QListWidget>("ListBox1");
  ASSERT_EQ(list->count(), 3);
  Pieces("x", "x+2", "1,5");
  Click("SpeedButton4");
  EXPECT_EQ(list->item(3)->text(), "x;  x+2; xo =  1,50     ");
  Click("SpeedButton4");  // the same example again: refused
  Pieces("x", "x+3", "1,5");
  Click("SpeedButton4");  // the same f1 with another f2 is another example
  EXPECT_EQ(list->count(), 5);
  const struct {
    int row;
    const char *f1, *f2;
  } cases[] = {{3, "x", "x+2"},
               {0, "x^3", "x-1"},     // no "xo =": f2 the rest of the line, xo stays
               {1, "sin(x)", "x-1"},  // no ";": f1 alone
               {2, "x^4", "x"}};      // an xo that does not read: xo stays
  Pieces("x^2", "1", "-2");
  for (const auto& c : cases) {
    list->setCurrentRow(c.row);
    Click("SpeedButton1");
    EXPECT_EQ(Text("Edit1"), c.f1) << c.row;
    EXPECT_EQ(Text("Edit3"), c.f2) << c.row;
    EXPECT_EQ(xP, 1.5) << c.row;
    EXPECT_EQ(TermStetigkeitF1, c.f1);
    EXPECT_TRUE(Find("Edit1")->hasFocus());
  }
  EXPECT_EQ(TermStetigkeitF2, "x");
  EXPECT_TRUE(messages.size() == 1u);  // the refused repeat only
  list->setCurrentRow(1);
  Click("SpeedButton5");
  form->close();
  EXPECT_EQ(
      ReadBytes(dir.File("Bsp4.txt")),
      "x^3;  x-1\r\nx^4;  x; xo = ?\r\nx;  x+2; xo =  1,50     \r\nx;  x+3; xo =  1,50     \r\n");
}

TEST_F(LimitsWindowTest, ColourButtonsStoreTheirColours) {
  Open();
  Type("Edit5", QStringLiteral("1"));
  Type("Edit4", QStringLiteral("0,5"));
  const struct {
    const char* button;
    Color* setting;
    double x, y;
  } cases[] = {{"ColorButton1", &Farben::epsilon, -5.5, 1.3},
               {"ColorButton2", &Farben::delta, 0.5, 0},
               {"ColorButton3", &Farben::fvondelta, 0, 2.5}};
  Color colour = 65535;
  for (const auto& c : cases) {
    EXPECT_EQ(At(c.x, c.y), *c.setting);
    Find<TColorButton>(c.button)->SetSelectionColor(static_cast<int>(colour));
    EXPECT_EQ(*c.setting, colour);
    EXPECT_EQ(At(c.x, c.y), colour);
    colour += 0x100000;
  }
}

TEST_F(LimitsWindowTest, LabelsNameEpsilonAndDelta) {
  Open();
  Type("Edit5", QStringLiteral("1"));
  const QImage without = form->Bitmap().copy();
  Click("BitCheckBox2");
  EXPECT_FALSE(form->Bitmap() == without);
  std::vector<testing::TextCall> eps, delta;
  for (const testing::TextCall& t : Frame().texts) {
    if (t.text == "e") eps.push_back(t);
    if (t.text == "d") delta.push_back(t);
  }
  ASSERT_EQ(eps.size(), 4u);
  ASSERT_EQ(delta.size(), 2u);
  const int h = testing::RecordingCanvas::kTextHeight, w = testing::RecordingCanvas::kCharWidth;
  EXPECT_EQ(eps[0].x, ScreenX(x1) + PlotWidth / 10);
  EXPECT_EQ(eps[0].y, ScreenY(1.5) - h / 2);  // f1(1) = 1, eps 1: the upper half's middle
  EXPECT_EQ(eps[1].y, ScreenY(0.5) - h / 2);
  EXPECT_EQ(eps[2].x, ScreenX(x2) - PlotWidth / 10);
  EXPECT_EQ(delta[0].x, ScreenX(0.5) - w / 2);
  EXPECT_EQ(delta[1].x, ScreenX(1.5) - w / 2);  // centred on xo + delta/2
  EXPECT_EQ(delta[1].y, ScreenY(0) + h / 2);
}

TEST_F(LimitsWindowTest, TinyViewsAndUndefinedValuesDrawWithoutHanging) {
  Open();
  Click("BitCheckBox2");
  x1 = 1 - 0.00005;
  x2 = 1 + 0.00005;
  form->animieren();  // delta 1 over a view 0,0001 wide
  EXPECT_EQ(form->LeftImage.samples, kMaxNeighbourhoodSamples);
  EXPECT_EQ(form->RightImage.samples, kMaxNeighbourhoodSamples);
  Click("SpeedButton22");
  for (const auto& n : {std::array{"ln(x)", "sqrt(x)", "0"}, std::array{"1/(x-1)", "x/0", "1"},
                        std::array{"x^1000", "-x^1000", "2"}}) {
    Pieces(n[0], n[1], n[2]);
    EXPECT_TRUE(messages.empty()) << n[0];
    EXPECT_FALSE(std::isnan(form->LeftImage.yMax) || std::isnan(form->RightImage.yMin)) << n[0];
  }
}

}  // namespace
}  // namespace kurvio
