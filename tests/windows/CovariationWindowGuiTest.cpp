// The covariation window driven through its controls: points on the rails,
// the order of the arrows, the arrowheads, the guessing game, the animation
// at the rail's end and the readouts.
#include <gtest/gtest.h>

#include <filesystem>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>

#include "export/Export.h"
#include "plot/PaintBox.h"
#include "plot/PlotFrame.h"
#include "plot/QtCanvas.h"
#include "settings/FileMessages.h"
#include "settings/Settings.h"
#include "support/RecordingCanvas.h"
#include "support/TempDir.h"
#include "support/WindowTestSettings.h"
#include "term/Term.h"
#include "widgets/TBitCheckBox.h"
#include "widgets/TSwitch.h"
#include "windows/limits/CovariationWindow.h"

namespace kurvio {
namespace {

constexpr Color kBlue = 16711680;

class CovariationWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UseDefaultSettingsIn(dir);
    TermKovariation = "x^2";
    xP = 3;
    NumberLineMode = true;  // as the start window opens it
    SyntaxErrorReporter = [](const std::string&) {};
    form = std::make_unique<TForm12>();
    form->resize(1200, 800);
    form->show();
    QApplication::processEvents();
  }
  void TearDown() override {
    form.reset();
    NumberLineMode = false;
    SyntaxErrorReporter = nullptr;
    MainTerm.reset();
  }
  void Term(const QString& text) {
    form->Edit1->setText(text);
    form->Edit1Exit();
  }
  void Check(TBitCheckBox* box) {
    box->SetChecked(true);
    form->DisplayCheckBoxClick();
  }
  // The centre of the dot at v on a rail of the picture: the x rail at row
  // h·20/21, the f(x) rail at h·5/6.
  QPoint RailDot(double v, double lo, double hi, bool fRail) const {
    const int w = form->PaintBox1->width(), h = form->PaintBox1->height();
    return {static_cast<int>(std::lround((v - lo) / (hi - lo) * w)),
            static_cast<int>(std::lround(fRail ? h - h / 6.0 : h - h / 21.0))};
  }
  bool DotAt(QPoint p, Color colour) const {
    const QImage& image = form->Bitmap();
    if (!image.rect().contains(p)) return false;
    return FromQColor(image.pixelColor(p + QPoint(2, 0))) == colour;
  }
  // Recording one frame as an export draws it: the plot in the upper four
  // fifths of the paint box, the rails below it.
  testing::RecordingCanvas Record() {
    testing::RecordingCanvas canvas;
    PlotHeight = LayoutPlotHeight(PictureLayout::PlotAndRails, form->PaintBox1->height());
    DrawCanvas = &canvas;
    ExportDrawing = true;
    form->animieren();
    ExportDrawing = false;
    DrawCanvas = nullptr;
    return canvas;
  }

  TempDir dir;
  std::unique_ptr<TForm12> form;
};

TEST_F(CovariationWindowTest, DoublingTheFRailBringsItsPointIntoView) {
  EXPECT_EQ(form->ya, -7);
  EXPECT_EQ(form->yb, 7);
  EXPECT_TRUE(DotAt(RailDot(3, -7, 7, false), 255));    // x on its rail, in red
  EXPECT_FALSE(DotAt(RailDot(9, -7, 7, true), kBlue));  // f(3) = 9 lies beyond the end
  form->SpeedButton5->click();                          // double the f(x) rail
  EXPECT_EQ(form->ya, -14);
  EXPECT_EQ(form->yb, 14);
  EXPECT_TRUE(DotAt(RailDot(9, -14, 14, true), kBlue));
  form->SpeedButton4->click();  // its reset takes the x range of the start values
  EXPECT_EQ(form->yb, 7);
  form->SpeedButton12->click();  // halve the x rail
  EXPECT_EQ(form->xa, -3.5);
  EXPECT_EQ(form->xb, 3.5);
  EXPECT_DOUBLE_EQ(form->AnimationStep, 7.0 / Schrittzahl);
  // The readouts and the picture's view follow the Cartesian part.
  EXPECT_EQ(x1, -3.5);
  EXPECT_EQ(y2, 7);
  EXPECT_EQ(form->Label9->text(), QStringLiteral("x =  3,00     "));
  EXPECT_EQ(form->Label6->text(), QStringLiteral("f(x) =  9,00     "));
}

TEST_F(CovariationWindowTest, FixedArrowsFromOldestToNewestThenTheCurrentOne) {
  Check(form->BitCheckBox2);
  for (double x : {-2.0, 1.0}) {
    xP = x;
    form->SpeedButton13->click();
  }
  xP = 3;
  EXPECT_TRUE(form->SpeedButton11->isEnabled());
  const testing::RecordingCanvas canvas = Record();
  // The dots on the x rail, in the order drawn (the rails' windows are -7..7).
  std::vector<int> xDots;
  const int w = PlotWidth;
  const int r = 4;
  for (const std::string& call : canvas.calls) {
    int a = 0, b = 0, c = 0, d = 0;
    if (std::sscanf(call.c_str(), "Ellipse %d %d %d %d", &a, &b, &c, &d) != 4) continue;
    (void)c;
    (void)d;
    const int row = b + r;
    const int h = LayoutPictureHeight(PictureLayout::PlotAndRails, PlotHeight);
    if (row != static_cast<int>(std::lround(h - h / 21.0))) continue;
    xDots.push_back(a + r);
  }
  const auto column = [&](double x) { return static_cast<int>(std::lround((x + 7) / 14 * w)); };
  ASSERT_EQ(xDots.size(), 3u);
  EXPECT_EQ(xDots[0], column(-2));
  EXPECT_EQ(xDots[1], column(1));
  EXPECT_EQ(xDots[2], column(3));

  form->SpeedButton11->click();  // removes the newest
  EXPECT_EQ(form->FixedArrows.Count(), 1u);
  FixedArrow left;
  ASSERT_TRUE(form->FixedArrows.Read(1, left));
  EXPECT_EQ(left.x, -2);
  form->SpeedButton18->click();
  EXPECT_TRUE(form->FixedArrows.IsEmpty());
  EXPECT_FALSE(form->SpeedButton11->isEnabled());
  EXPECT_FALSE(form->SpeedButton18->isEnabled());
}

TEST_F(CovariationWindowTest, ArrowheadsFollowTheArrow) {
  Check(form->BitCheckBox2);
  Term(QStringLiteral("x"));  // same rails: f(x) straight above x
  xP = 2;
  testing::RecordingCanvas canvas = Record();
  ASSERT_FALSE(canvas.polygons.empty());
  const std::vector<Point>& head = canvas.polygons.back();
  ASSERT_EQ(head.size(), 3u);
  EXPECT_EQ(head[1].x - head[0].x, 4);
  EXPECT_EQ(head[1].y - head[0].y, 12);
  EXPECT_EQ(head[2].x - head[0].x, -4);

  // A slanted arrow: the base lies behind the tip, away from the direction of travel.
  Term(QStringLiteral("x+4"));
  canvas = Record();
  const std::vector<Point>& slanted = canvas.polygons.back();
  ASSERT_EQ(slanted.size(), 3u);
  const int baseX = (slanted[1].x + slanted[2].x) / 2, baseY = (slanted[1].y + slanted[2].y) / 2;
  EXPECT_LT(baseX, slanted[0].x);  // the arrow points right
  EXPECT_GT(baseY, slanted[0].y);  // and up
  const double length = std::hypot(slanted[0].x - baseX, slanted[0].y - baseY);
  EXPECT_NEAR(length, 12, 1.0);
}

TEST_F(CovariationWindowTest, UndefinedValueShowsInTheReadoutAndLeavesTheArrowOut) {
  Check(form->BitCheckBox3);
  Term(QStringLiteral("sqrt(x)"));
  form->Edit2->setText(QStringLiteral("-1"));
  QApplication::setActiveWindow(form.get());
  form->Edit2->setFocus();
  QTest::keyClick(form->Edit2, Qt::Key_Return);
  EXPECT_EQ(xP, -1);
  EXPECT_EQ(form->Label6->text(), QStringLiteral("f(x) = nicht definiert"));
  EXPECT_TRUE(DotAt(RailDot(-1, -7, 7, false), 255));  // x is still there
}

TEST_F(CovariationWindowTest, GuessingGameWithoutAListPicksTheFallback) {
  form->BitCheckBox4->SetChecked(true);
  form->BitCheckBox4Click();
  EXPECT_FALSE(form->ExamplePanel->isVisibleTo(form.get()));
  EXPECT_TRUE(form->FamilyPanel->isVisibleTo(form.get()));
  form->SpeedButton9->click();  // "mx+c"
  EXPECT_EQ(form->Edit1->text(), QStringLiteral("x"));
  EXPECT_EQ(TermKovariation, "x");
  EXPECT_EQ(form->Edit3->text(), QStringLiteral("lineare Funktion"));
  form->SpeedButton30->click();
  EXPECT_EQ(form->Edit3->text(), QStringLiteral("x"));
  // A list written later is read on the next click.
  WriteBytes(dir.File("FktListe.txt"), "[Potenzfunktionen]\r\nf81(x)=x^5\r\n");
  form->BitCheckBox4->SetChecked(false);
  form->BitCheckBox4Click();
  EXPECT_TRUE(form->ExamplePanel->isVisibleTo(form.get()));
  form->BitCheckBox4->SetChecked(true);
  form->BitCheckBox4Click();
  bool sawFifth = false;
  for (int i = 0; i < 60 && !sawFifth; ++i) {
    form->SpeedButton19->click();
    sawFifth = form->Edit1->text() == QStringLiteral("x^5");
  }
  EXPECT_TRUE(sawFifth);
  // A list that cannot be read is reported once, and the game goes on.
  std::filesystem::remove(dir.File("FktListe.txt"));
  std::filesystem::create_directory(dir.File("FktListe.txt"));
  std::vector<QString> reported;
  ReportFileError = [&reported](QWidget*, const QString& m) { reported.push_back(m); };
  for (int i = 0; i < 2; ++i) {
    form->BitCheckBox4->SetChecked(false);
    form->BitCheckBox4Click();
    form->BitCheckBox4->SetChecked(true);
    form->BitCheckBox4Click();
  }
  ASSERT_EQ(reported.size(), 1u);
  EXPECT_TRUE(reported[0].contains(QString::fromStdString(dir.File("FktListe.txt"))));
  form->SpeedButton9->click();
  EXPECT_EQ(form->Edit1->text(), QStringLiteral("x"));
}

TEST_F(CovariationWindowTest, AnimationRunsOneStepPastTheEndAndTurns) {
  Schrittzahl = 14;  // 1 a frame across -7..7
  FrameDelay = 0;
  xP = 6.5;
  double highest = xP;
  int frames = 0;
  std::function<void()> watch = [&] {
    highest = std::max(highest, xP);
    if (++frames == 4) {
      form->Switch1->SetChecked(false);
      return;
    }
    QTimer::singleShot(16, form.get(), watch);
  };
  QTimer::singleShot(16, form.get(), watch);
  form->Switch1->SetChecked(true);
  form->Switch1Click();  // runs until it is switched off
  EXPECT_FALSE(AnimationRunning);
  EXPECT_DOUBLE_EQ(highest, 7.5);
  EXPECT_LT(xP, 7.0);
}

TEST_F(CovariationWindowTest, DraggingAnywhereMovesX) {
  const int w = form->PaintBox1->width(), h = form->PaintBox1->height();
  const auto at = [&](int column) { return -7 + 14.0 * column / w; };
  form->PaintBox1MouseDown(Qt::LeftButton, w / 4, 10);
  EXPECT_DOUBLE_EQ(xP, at(w / 4));
  form->PaintBox1MouseMove(w / 2, h - 5);  // on the rails as well
  EXPECT_DOUBLE_EQ(xP, at(w / 2));
  form->PaintBox1MouseUp(Qt::LeftButton, w / 2, h - 5);
  form->PaintBox1MouseMove(w, 5);  // released: no more moving
  EXPECT_DOUBLE_EQ(xP, at(w / 2));
}

}  // namespace
}  // namespace kurvio
