// The covariation window: points on the rails, the Cartesian path, the order
// of the arrows, the arrowheads, the guessing game, animation and readouts.
#include <QTimer>
#include <filesystem>
#include <functional>

#include "export/Export.h"
#include "plot/PaintBox.h"
#include "settings/FileMessages.h"
#include "support/WindowFixture.h"
#include "windows/limits/CovariationWindow.h"

namespace kurvio {
namespace {

constexpr Color kRed = 255, kBlue = 16711680;

class CovariationWindowTest : public WindowTest<TForm12> {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    TermKovariation = "x^2";
    xP = 3;
    NumberLineMode = true;  // as the start window opens it
    Open(1200, 800);
  }
  void TearDown() override {
    WindowTest::TearDown();
    NumberLineMode = false;
  }
  void Check(const char* box) {
    Find<TBitCheckBox>(box)->SetChecked(true);
    form->onDisplayBoxClicked();
  }
  void Guess(bool on) {
    Find<TBitCheckBox>("BitCheckBox4")->SetChecked(on);
    form->onGuessBoxClicked();
  }
  // The colour just right of the centre of the dot at v on a rail: the x rail
  // at row h·20/21, the f(x) rail at h·5/6.
  Color Rail(double v, double lo, double hi, bool fRail) const {
    const int w = form->paintBox->width(), h = form->paintBox->height();
    const QPoint p(static_cast<int>(std::lround((v - lo) / (hi - lo) * w)) + 2,
                   static_cast<int>(std::lround(fRail ? h - h / 6.0 : h - h / 21.0)));
    return form->Bitmap().rect().contains(p) ? FromQColor(form->Bitmap().pixelColor(p)) : kWhite;
  }
  testing::RecordingCanvas Frame() {
    PlotHeight = LayoutPlotHeight(PictureLayout::PlotAndRails, form->paintBox->height());
    return Record([this] { form->animieren(); });
  }
};

TEST_F(CovariationWindowTest, EveryDesignNameNamesOneControl) {
  const QWidget* w = form.get();
  ExpectDesignNames(w, "QLineEdit", {"Edit1", "Edit2", "Edit3"});
  ExpectDesignNames(w, {{"ScrollBar1", "QScrollBar"},
                        {"Switch1", "kurvio::TSwitch"},
                        {"TrackBar2", "QSlider"},
                        {"ListBox1", "QListWidget"}});
  ExpectDesignNames(w, "QLabel", {"Label9", "Label6"});
  ExpectDesignNames(w, "kurvio::TColorButton", {"ColorButton1", "ColorButton2"});
  ExpectDesignNames(w, "kurvio::TBitCheckBox",
                    {"BitCheckBox1", "BitCheckBox2", "BitCheckBox3", "BitCheckBox4"});
  ExpectDesignNames(
      w, "QAbstractButton",
      {"SpeedButton1",  "SpeedButton2",  "SpeedButton3",  "SpeedButton4",  "SpeedButton5",
       "SpeedButton6",  "SpeedButton7",  "SpeedButton8",  "SpeedButton9",  "SpeedButton10",
       "SpeedButton11", "SpeedButton12", "SpeedButton13", "SpeedButton14", "SpeedButton15",
       "SpeedButton16", "SpeedButton17", "SpeedButton18", "SpeedButton19", "SpeedButton20",
       "SpeedButton21", "SpeedButton22", "SpeedButton23", "SpeedButton24", "SpeedButton25",
       "SpeedButton26", "SpeedButton27", "SpeedButton28", "SpeedButton29", "SpeedButton30",
       "SpeedButton32"});
}

TEST_F(CovariationWindowTest, RailButtonsHalveDoubleAndResetTheirRail) {
  EXPECT_EQ(Rail(3, -7, 7, false), kRed);  // x on its rail
  EXPECT_NE(Rail(9, -7, 7, true), kBlue);  // f(3) = 9 beyond the f(x) rail's end
  // Double, reset (to the start values' x range) and halve the f(x) rail, then the x rail.
  const struct {
    const char* button;
    double xa, xb, ya, yb;
  } steps[] = {{"SpeedButton5", -7, 7, -14, 14},    {"SpeedButton4", -7, 7, -7, 7},
               {"SpeedButton1", -7, 7, -3.5, 3.5},  {"SpeedButton24", -14, 14, -3.5, 3.5},
               {"SpeedButton16", -7, 7, -3.5, 3.5}, {"SpeedButton12", -3.5, 3.5, -3.5, 3.5}};
  for (const auto& s : steps) {
    Click(s.button);
    EXPECT_EQ(std::vector<double>({form->xa, form->xb, form->ya, form->yb}),
              std::vector<double>({s.xa, s.xb, s.ya, s.yb}))
        << s.button;
  }
  Click("SpeedButton5");
  Click("SpeedButton5");
  Click("SpeedButton24");  // f(x) rail -14..14, x rail -7..7
  EXPECT_EQ(Rail(9, -14, 14, true), kBlue);
  EXPECT_EQ(Rail(3, -7, 7, false), kRed);
  // The readouts and the picture's view follow the Cartesian part.
  EXPECT_EQ(y2, 14);
  EXPECT_EQ(Text("Label9"), QStringLiteral("x =  3,00     "));
  EXPECT_EQ(Text("Label6"), QStringLiteral("f(x) =  9,00     "));
}

// x = 2 on -7..7 both ways: the dots on the axes, the path over the graph point, the head.
TEST_F(CovariationWindowTest, CartesianPathRunsFromXOverTheGraphToFx) {
  Check("BitCheckBox3");
  Check("BitCheckBox2");
  xP = 2;
  form->animieren();
  PlotHeight = form->paintBox->height() / 5 * 4;  // the Cartesian part's
  const auto at = [&](double x, double y, int dx = 0, int dy = 0) {
    return FromQColor(form->Bitmap().pixelColor(ScreenX(x) + dx, ScreenY(y) + dy));
  };
  EXPECT_EQ(at(2, 0, 2, -2), kRed);   // x on the x-axis
  EXPECT_EQ(at(0, 4, 2, -2), kBlue);  // f(x) on the y-axis
  EXPECT_EQ(at(1, 4), kBlack);        // from the y-axis to the graph point
  EXPECT_EQ(at(2, 2), kBlack);        // and down to the x-axis
  EXPECT_EQ(at(0, 4, 9), kBlack);     // the head, right of the axis for x > 0
  xP = -2;
  form->animieren();
  PlotHeight = form->paintBox->height() / 5 * 4;
  EXPECT_NE(at(0, 4, 9), kBlack);  // and left of it for x ≤ 0
  EXPECT_EQ(at(0, 4, -9), kBlack);
}

TEST_F(CovariationWindowTest, FixedArrowsFromOldestToNewestThenTheCurrentOne) {
  Check("BitCheckBox2");
  for (double x : {-2.0, 1.0}) {
    xP = x;
    Click("SpeedButton13");
  }
  xP = 3;
  const testing::RecordingCanvas canvas = Frame();
  const int h = LayoutPictureHeight(PictureLayout::PlotAndRails, PlotHeight);
  std::vector<int> xDots;  // the dots on the x rail, in the order drawn
  for (const std::string& call : canvas.calls) {
    int a = 0, b = 0, c = 0, d = 0;
    if (std::sscanf(call.c_str(), "Ellipse %d %d %d %d", &a, &b, &c, &d) == 4 &&
        b + 4 == static_cast<int>(std::lround(h - h / 21.0)))
      xDots.push_back(a + 4);
  }
  const auto column = [&](double x) {
    return static_cast<int>(std::lround((x + 7) / 14 * PlotWidth));
  };
  EXPECT_EQ(xDots, (std::vector<int>{column(-2), column(1), column(3)}));
  Click("SpeedButton11");  // removes the newest
  FixedArrow left;
  ASSERT_EQ(form->FixedArrows.Count(), 1u);
  ASSERT_TRUE(form->FixedArrows.Read(1, left));
  EXPECT_EQ(left.x, -2);
  Click("SpeedButton18");
  EXPECT_TRUE(form->FixedArrows.IsEmpty());
}

TEST_F(CovariationWindowTest, ArrowheadsFollowTheArrow) {
  Check("BitCheckBox2");
  Type("Edit1", QStringLiteral("x"));  // same rails: f(x) straight above x
  xP = 2;
  std::vector<Point> head = Frame().polygons.back();
  EXPECT_EQ(head, (std::vector<Point>{
                      head[0], {head[0].x + 4, head[0].y + 12}, {head[0].x - 4, head[0].y + 12}}));
  // Slanted: the base behind the tip, 12 away, 4 to each side.
  for (const char* term : {"x+4", "x-4"}) {
    Type("Edit1", QString::fromLatin1(term));
    head = Frame().polygons.back();
    ASSERT_EQ(head.size(), 3u);
    const double baseX = (head[1].x + head[2].x) / 2.0, baseY = (head[1].y + head[2].y) / 2.0;
    EXPECT_EQ(baseX < head[0].x, term[1] == '+') << term;  // the arrow points right or left
    EXPECT_GT(baseY, head[0].y) << term;                   // and up
    EXPECT_NEAR(std::hypot(head[0].x - baseX, head[0].y - baseY), 12, 1.0) << term;
    EXPECT_NEAR(std::hypot(head[1].x - head[2].x, head[1].y - head[2].y), 8, 1.5) << term;
  }
}

TEST_F(CovariationWindowTest, UndefinedValueShowsInTheReadoutAndLeavesTheArrowOut) {
  Check("BitCheckBox3");
  Type("Edit1", QStringLiteral("sqrt(x)"));
  Type("Edit2", QStringLiteral("-1"));
  EXPECT_EQ(xP, -1);
  EXPECT_EQ(Text("Label6"), QStringLiteral("f(x) = nicht definiert"));
  EXPECT_EQ(Rail(-1, -7, 7, false), kRed);  // x is still there
}

TEST_F(CovariationWindowTest, GuessingGameWithoutAListPicksTheFallback) {
  Guess(true);
  Click("SpeedButton9");  // "mx+c"
  EXPECT_EQ(Text("Edit1"), QStringLiteral("x"));
  EXPECT_EQ(TermKovariation, "x");
  EXPECT_EQ(Text("Edit3"), QStringLiteral("lineare Funktion"));
  Click("SpeedButton30");
  EXPECT_EQ(Text("Edit3"), QStringLiteral("x"));
  // A list written later is read on the next click.
  WriteBytes(dir.File("FktListe.txt"), "[Potenzfunktionen]\r\nf81(x)=x^5\r\n");
  Guess(false);
  Guess(true);
  bool sawFifth = false;
  for (int i = 0; i < 60 && !sawFifth; ++i) {
    Click("SpeedButton19");
    sawFifth = Text("Edit1") == QStringLiteral("x^5");
  }
  EXPECT_TRUE(sawFifth);
  // A list that cannot be read is reported once, and the game goes on.
  std::filesystem::remove(dir.File("FktListe.txt"));
  std::filesystem::create_directory(dir.File("FktListe.txt"));
  std::vector<QString> reported;
  ReportFileError = [&reported](QWidget*, const QString& m) { reported.push_back(m); };
  for (int i = 0; i < 2; ++i) {
    Guess(false);
    Guess(true);
  }
  ASSERT_EQ(reported.size(), 1u);
  EXPECT_TRUE(reported[0].contains(QString::fromStdString(dir.File("FktListe.txt"))));
  Click("SpeedButton9");
  EXPECT_EQ(Text("Edit1"), QStringLiteral("x"));
}

TEST_F(CovariationWindowTest, AnimationRunsOneStepPastTheEndAndTurns) {
  Schrittzahl = 14;  // 1 a frame across -7..7
  FrameDelay = 0;
  xP = 6.5;
  double highest = xP;
  int frames = 0;
  auto* animation = Find<TSwitch>("Switch1");
  std::function<void()> watch = [&] {
    highest = std::max(highest, xP);
    if (++frames == 4) return animation->SetChecked(false);
    QTimer::singleShot(16, form.get(), watch);
  };
  QTimer::singleShot(16, form.get(), watch);
  animation->SetChecked(true);
  form->onAnimationSwitchClicked();  // runs until it is switched off
  EXPECT_FALSE(AnimationRunning);
  EXPECT_DOUBLE_EQ(highest, 7.5);
  EXPECT_LT(xP, 7.0);
  const double step = form->AnimationStep;
  Click("SpeedButton25");
  EXPECT_EQ(form->AnimationStep, -step);
}

TEST_F(CovariationWindowTest, DraggingAnywhereMovesX) {
  const int w = form->paintBox->width(), h = form->paintBox->height();  // on the rails as well
  const auto at = [&](int column) { return -7 + 14.0 * column / w; };
  form->onPaintBoxMouseDown(Qt::LeftButton, w / 4, 10);
  EXPECT_DOUBLE_EQ(xP, at(w / 4));
  form->onPaintBoxMouseMove(w / 2, h - 5);
  EXPECT_DOUBLE_EQ(xP, at(w / 2));
  form->onPaintBoxMouseUp(Qt::LeftButton, w / 2, h - 5);
  form->onPaintBoxMouseMove(w, 5);  // released: no more moving
  EXPECT_DOUBLE_EQ(xP, at(w / 2));
}

}  // namespace
}  // namespace kurvio
