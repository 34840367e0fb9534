// The limits window: the strip, the half neighbourhoods and their images, the
// bars, xo outside the view, the zoom box, syntax errors, examples and labels.
#include <QListWidget>
#include <QScrollBar>
#include <cmath>

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
    WriteBytes(dir.File("Bsp4.txt"), "x^3;  x-1\r\nsin(x)\r\n");  // hand-edited
    Open();
  }
  void Pieces(const char* f1, const char* f2, const char* xo) {
    Type("Edit1", QString::fromUtf8(f1));
    Type("Edit3", QString::fromUtf8(f2));
    Type("Edit2", QString::fromUtf8(xo));
  }
  Color At(double x, double y) const { return Pixel(form->Bitmap(), x, y); }
  // The arguments of the last call of one kind in a frame.
  std::string Last(const std::string& name) {
    const testing::RecordingCanvas canvas = Record([this] { form->animieren(); });
    for (auto it = canvas.calls.rbegin(); it != canvas.calls.rend(); ++it)
      if (it->rfind(name + " ", 0) == 0) return it->substr(name.size() + 1);
    return {};
  }
};

TEST_F(LimitsWindowTest, EveryDesignNameNamesOneControl) {
  const QWidget* w = form.get();
  ExpectDesignNames(w, "QLineEdit", {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5"});
  ExpectDesignNames(w, "QScrollBar", {"ScrollBar1", "ScrollBar2", "ScrollBar3"});
  ExpectDesignNames(w, "kurvio::TColorButton", {"ColorButton1", "ColorButton2", "ColorButton3"});
  ExpectDesignNames(w, {{"BitCheckBox2", "kurvio::TBitCheckBox"}, {"ListBox1", "QListWidget"}});
  ExpectDesignNames(
      w, "QAbstractButton",
      {"SpeedButton1",  "SpeedButton2",  "SpeedButton3",  "SpeedButton4",  "SpeedButton5",
       "SpeedButton6",  "SpeedButton7",  "SpeedButton8",  "SpeedButton9",  "SpeedButton10",
       "SpeedButton11", "SpeedButton12", "SpeedButton13", "SpeedButton14", "SpeedButton15",
       "SpeedButton17", "SpeedButton18", "SpeedButton19", "SpeedButton20", "SpeedButton21",
       "SpeedButton22", "SpeedButton23", "SpeedButton28"});
}

TEST_F(LimitsWindowTest, ContinuousPiecesMapTheNeighbourhoodIntoTheStrip) {
  EXPECT_EQ(form->delta, edmax / 2);
  Pieces("x^2", "x^2", "1");
  Type("Edit5", QStringLiteral("0,1"));
  Type("Edit4", QStringLiteral("0,5"));
  EXPECT_DOUBLE_EQ(form->eps, 0.5);
  EXPECT_NEAR(form->LeftImage.yMin, 0.81, 1e-9);
  EXPECT_NEAR(form->LeftImage.yMax, 1.0, 0.03);
  EXPECT_NEAR(form->RightImage.yMax, 1.21, 1e-9);
  EXPECT_NEAR(form->RightImage.yMin, 1.0, 0.03);  // half-pixel steps down to xo
  for (const auto& [x, y, colour] : {std::tuple{0.0, 0.9, Farben::fvondelta},
                                     {0.0, 1.1, Farben::fvondelta},
                                     {0.95, 0.0, Farben::delta},
                                     {1.05, 0.0, Farben::delta}})
    EXPECT_EQ(At(x, y), colour) << x << "|" << y;
  EXPECT_EQ(Last("Rectangle"), Last("Ellipse"));  // square and dot coincide
}

// f1 = x up to 1, f2 = x + 2 beyond: every line of the picture at its place.
TEST_F(LimitsWindowTest, AJumpLeavesTheStripForEveryDeltaAndEachLineStandsWhereItBelongs) {
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
      {"xo + delta up to f2(xo + delta)", 2.5, 2.25, kBlack},
      {"the left image on the y-axis", 0, -0.25, Farben::fvondelta},
      {"the right image on the y-axis", 0, 3.75, Farben::fvondelta},
      {"the right neighbourhood", 2, 0, Farben::delta},
      {"the dot at f1(xo)", 1, 1, kBlue},
      {"inside the open square at f2(xo)", 1, 3, Farben::Hintergrund},
      {"the upper half of the strip", -5.5, 1.25, Farben::epsilon},
      {"above the strip", -5.5, 1.75, Farben::Hintergrund},
  };
  for (const auto& r : rows) EXPECT_EQ(At(r.x, r.y), r.colour) << r.what;
}

TEST_F(LimitsWindowTest, XoOutsideTheViewStillDraws) {
  Type("Edit1", QStringLiteral("x"));
  Type("Edit3", QStringLiteral("3,5"));
  Click("BitCheckBox2");
  for (const auto& [xo, value, f1Seen] : {std::tuple{"-20", -20.0, false}, {"20", 20.0, true}}) {
    // The first entry puts xo on the bar's end; typed again it stays where it was typed.
    Type("Edit2", QString::fromUtf8(xo));
    Type("Edit2", QString::fromUtf8(xo));
    EXPECT_EQ(xP, value);
    EXPECT_EQ(Near(form->Bitmap(), -2.5, -2.5, kBlue), f1Seen) << xo;
    EXPECT_EQ(Near(form->Bitmap(), 2.5, 3.5, kBlue), !f1Seen) << xo;
  }
}

TEST_F(LimitsWindowTest, EpsilonAndDeltaFollowTheirFieldsBarsAndResets) {
  edmax = 4;
  for (const auto& [edit, bar, reset, value] :
       {std::tuple{"Edit4", "ScrollBar3", "SpeedButton13", &form->eps},
        {"Edit5", "ScrollBar2", "SpeedButton12", &form->delta}}) {
    SCOPED_TRACE(edit);
    Find<QScrollBar>(bar)->setValue(1);
    EXPECT_EQ(*value, edmax / 200);
    Type(edit, QStringLiteral("9"));  // off the bar: its end
    EXPECT_EQ(*value, 4.0);
    Type(edit, QStringLiteral("0,105"));
    EXPECT_EQ(Find<QScrollBar>(bar)->value(), 5);
    Click(reset);
    EXPECT_EQ(*value, 1.0);
    EXPECT_EQ(Find<QScrollBar>(bar)->value(), 50);
  }
  edmax = 0.5;  // the reset's 1 lies beyond a smaller full scale
  Click("SpeedButton12");
  EXPECT_EQ(form->delta, 0.5);
  EXPECT_EQ(Find<QScrollBar>("ScrollBar2")->value(), 200);
}

TEST_F(LimitsWindowTest, ZoomBoxAndViewButtonsKeepXo) {
  const QImage before = form->Bitmap().copy();
  QWidget* box = Find("PaintBox1");
  QTest::mousePress(box, Qt::LeftButton, {}, QPoint(100, 100));
  form->onPaintBoxMouseMove(150, 180);
  form->onPaintBoxMouseMove(110, 130);
  QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(110, 130));  // 10 pixels: no zoom
  EXPECT_TRUE(form->Bitmap() == before);
  Type("Edit2", QStringLiteral("0"));
  const double left = WorldX(100), right = WorldX(300), top = WorldY(100), bottom = WorldY(250);
  QTest::mousePress(box, Qt::LeftButton, {}, QPoint(300, 250));
  form->onPaintBoxMouseMove(200, 200);
  QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(100, 100));
  EXPECT_EQ(std::vector<double>({x1, x2, y1, y2}), std::vector<double>({left, right, bottom, top}));
  for (const char* b : {"SpeedButton7", "SpeedButton3", "SpeedButton3", "SpeedButton9"}) Click(b);
  EXPECT_EQ(xP, 0.0);
  Click("SpeedButton22");
  Click("SpeedButton3");  // -14 .. 14
  Type("Edit2", QStringLiteral("10"));
  Click("SpeedButton22");  // 10 lies outside and stays, its bar at the end
  EXPECT_EQ(xP, 10.0);
  EXPECT_EQ(Find<QScrollBar>("ScrollBar1")->value(), Find<QScrollBar>("ScrollBar1")->maximum());
}

TEST_F(LimitsWindowTest, SyntaxErrorsAreReportedOnceAndThePieceCountsAsZero) {
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
    Find<QScrollBar>("ScrollBar2")->setValue(++position);  // later redraws: quietly
    Find<QScrollBar>("ScrollBar3")->setValue(++position);
    EXPECT_EQ(messages.size(), 1u);
    const NeighbourhoodExtremes& image = edit == form->f1Field ? form->LeftImage : form->RightImage;
    EXPECT_EQ(image.yMax, 0.0);
    EXPECT_EQ(image.yMin, 0.0);
    Type(name, QStringLiteral("x"));
  }
}

TEST_F(LimitsWindowTest, ExamplesComeBackExactlyAndHandEditedOnesAsFarAsTheyGo) {
  auto* list = Find<QListWidget>("ListBox1");
  Pieces("x", "x+2", "1,5");
  Click("SpeedButton4");
  EXPECT_EQ(list->item(2)->text(), "x;  x+2; xo =  1,50     ");
  const struct {
    int row;
    const char *f1, *f2;
  } cases[] = {{2, "x", "x+2"}, {0, "x^3", "x-1"}};  // hand-edited: no "xo =", xo stays
  Pieces("x^2", "1", "-2");
  for (const auto& c : cases) {
    list->setCurrentRow(c.row);
    Click("SpeedButton1");
    EXPECT_EQ(TermStetigkeitF1, c.f1) << c.row;
    EXPECT_EQ(TermStetigkeitF2, c.f2) << c.row;
    EXPECT_EQ(xP, 1.5) << c.row;
  }
  list->setCurrentRow(1);
  Click("SpeedButton5");
  form->close();
  EXPECT_EQ(ReadBytes(dir.File("Bsp4.txt")), "x^3;  x-1\r\nx;  x+2; xo =  1,50     \r\n");
}

TEST_F(LimitsWindowTest, ColourButtonsStoreTheirColoursAndLabelsNameEpsilonAndDelta) {
  Type("Edit5", QStringLiteral("1"));
  Type("Edit4", QStringLiteral("0,5"));
  for (const auto& [button, x, y] : {std::tuple{"ColorButton1", -5.5, 1.3},
                                     {"ColorButton2", 0.5, 0.0},
                                     {"ColorButton3", 0.0, 2.5}}) {
    Find<TColorButton>(button)->SetSelectionColor(65535);
    EXPECT_EQ(At(x, y), Color{65535}) << button;
  }
  Type("Edit4", QStringLiteral("1"));
  Click("BitCheckBox2");
  std::vector<testing::TextCall> eps, delta;
  for (const testing::TextCall& t : Record([this] { form->animieren(); }).texts)
    if (t.text == "e" || t.text == "d") (t.text == "e" ? eps : delta).push_back(t);
  ASSERT_EQ(eps.size(), 4u);
  ASSERT_EQ(delta.size(), 2u);
  const int h = testing::RecordingCanvas::kTextHeight, w = testing::RecordingCanvas::kCharWidth;
  EXPECT_EQ(eps[0].y, ScreenY(1.5) - h / 2);  // f1(1) = 1, eps 1: the upper half's middle
  EXPECT_EQ(eps[1].y, ScreenY(0.5) - h / 2);
  EXPECT_EQ(delta[0].x, ScreenX(0.5) - w / 2);
  EXPECT_EQ(delta[1].x, ScreenX(1.5) - w / 2);  // centred on xo + delta/2
}

TEST_F(LimitsWindowTest, TinyViewsAndUndefinedValuesDrawWithoutHanging) {
  Click("BitCheckBox2");
  x1 = 1 - 0.00005;
  x2 = 1 + 0.00005;
  form->animieren();  // delta 1 over a view 0,0001 wide
  EXPECT_EQ(form->LeftImage.samples, kMaxNeighbourhoodSamples);
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
