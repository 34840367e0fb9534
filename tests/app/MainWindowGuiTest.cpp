// The main window driven through its real controls: families, parameters,
// fixed curves, extras, spectrum, exports, animation, view pad and mouse.
#include <QClipboard>
#include <QElapsedTimer>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>
#include <climits>
#include <cmath>

#include "app/Family.h"
#include "app/MainWindow.h"
#include "export/Export.h"
#include "module/ViewPad.h"
#include "plot/PaintBox.h"
#include "support/WindowFixture.h"

namespace kurvio {
namespace {

class MainWindowTest : public WindowTest<TForm1> {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    TermFxtab = "x^3-3x";
    TermAfxuv = "sin(x)";
    Open(1200, 800);
  }
  void TearDown() override {
    WindowTest::TearDown();
    AnimationRunning = false;
  }
  Color BackPixel(double x, double y) const { return Pixel(form->Layers().BackBuffer(), x, y); }
  bool BackHas(Color colour) const { return AnyPixel(form->Layers().BackBuffer(), colour); }
  // Records ParamA between frames until `frames` values were seen, then switches off.
  std::vector<double> RunA(int frames, std::function<void(int)> between = {}) {
    std::vector<double> seen;
    QTimer timer;
    timer.setInterval(1);
    QObject::connect(&timer, &QTimer::timeout, [&] {
      if (seen.empty() || seen.back() != ParamA) {
        seen.push_back(ParamA);
        if (between) between(static_cast<int>(seen.size()));
      }
      if (static_cast<int>(seen.size()) == frames && form->aSwitch->Checked()) Click("Switch1");
    });
    timer.start();
    Click("Switch1");  // returns when the animation has ended
    timer.stop();
    return seen;
  }
  void Drag(QPoint from, QPoint to) {
    QTest::mousePress(form->paintBox, Qt::LeftButton, {}, from);
    QTest::mouseMove(form->paintBox, to);
    QTest::mouseRelease(form->paintBox, Qt::LeftButton, {}, to);
  }
};

TEST_F(MainWindowTest, DesignNames) {
  ExpectDesignNames(form.get(), {{"TabControl1", "QTabBar"},
                                 {"Label8", "QLabel"},
                                 {"ColorButton1", "kurvio::TColorButton"},
                                 {"LineWidthComboBox1", "kurvio::TLineWidthComboBox"},
                                 {"PaintBox1", "kurvio::TPaintBox"},
                                 {"Panel1", "QWidget"},
                                 {"Label4", "QLabel"},
                                 {"Edit1", "QLineEdit"},
                                 {"Edit12", "QLineEdit"},
                                 {"SpeedButton28", "QToolButton"},
                                 {"Label1", "QLabel"},
                                 {"Label2", "QLabel"},
                                 {"Label3", "QLabel"},
                                 {"Label11", "QLabel"},
                                 {"Edit2", "QLineEdit"},
                                 {"Edit3", "QLineEdit"},
                                 {"Edit4", "QLineEdit"},
                                 {"Edit5", "QLineEdit"},
                                 {"Edit6", "QLineEdit"},
                                 {"Edit7", "QLineEdit"},
                                 {"Edit8", "QLineEdit"},
                                 {"Edit9", "QLineEdit"},
                                 {"Edit10", "QLineEdit"},
                                 {"Edit13", "QLineEdit"},
                                 {"Edit14", "QLineEdit"},
                                 {"Edit15", "QLineEdit"},
                                 {"ScrollBar1", "QScrollBar"},
                                 {"ScrollBar2", "QScrollBar"},
                                 {"ScrollBar3", "QScrollBar"},
                                 {"ScrollBar4", "QScrollBar"},
                                 {"Switch1", "kurvio::TSwitch"},
                                 {"Switch2", "kurvio::TSwitch"},
                                 {"Switch3", "kurvio::TSwitch"},
                                 {"Switch4", "kurvio::TSwitch"},
                                 {"Switch5", "kurvio::TSwitch"},
                                 {"SpeedButton1", "QToolButton"},
                                 {"SpeedButton2", "QToolButton"},
                                 {"SpeedButton4", "QToolButton"},
                                 {"SpeedButton16", "QToolButton"},
                                 {"SpeedButton24", "QToolButton"},
                                 {"SpeedButton25", "QToolButton"},
                                 {"SpeedButton26", "QToolButton"},
                                 {"SpeedButton29", "QToolButton"},
                                 {"SpeedButton27", "QToolButton"},
                                 {"SpeedButton13", "QToolButton"},
                                 {"BitCheckBox1", "kurvio::TBitCheckBox"},
                                 {"BitCheckBox2", "kurvio::TBitCheckBox"},
                                 {"BitCheckBox3", "kurvio::TBitCheckBox"},
                                 {"BitCheckBox4", "kurvio::TBitCheckBox"},
                                 {"BitCheckBox5", "kurvio::TBitCheckBox"},
                                 {"BitCheckBox6", "kurvio::TBitCheckBox"},
                                 {"BitCheckBox9", "kurvio::TBitCheckBox"},
                                 {"BitCheckBox10", "kurvio::TBitCheckBox"},
                                 {"Label5", "QLabel"},
                                 {"Panel4", "QWidget"},
                                 {"TrackBar1", "QSlider"},
                                 {"TrackBar2", "QSlider"},
                                 {"Edit11", "QLineEdit"},
                                 {"Image1", "QLabel"},
                                 {"SpeedButton3", "QToolButton"},
                                 {"SpeedButton7", "QToolButton"},
                                 {"SpeedButton21", "QToolButton"},
                                 {"SpeedButton11", "QToolButton"},
                                 {"SpeedButton20", "QToolButton"},
                                 {"SpeedButton8", "QToolButton"},
                                 {"SpeedButton22", "QToolButton"},
                                 {"SpeedButton9", "QToolButton"},
                                 {"SpeedButton18", "QToolButton"},
                                 {"SpeedButton10", "QToolButton"},
                                 {"SpeedButton19", "QToolButton"},
                                 {"SpeedButton6", "kurvio::TSMButton"},
                                 {"SpeedButton12", "kurvio::TSMButton"},
                                 {"SpeedButton5", "kurvio::TSMButton"},
                                 {"SpeedButton14", "QPushButton"},
                                 {"SpeedButton15", "QPushButton"},
                                 {"SpeedButton17", "QPushButton"},
                                 {"SpeedButton23", "QPushButton"},
                                 {"SpeedButton35", "QPushButton"}});
}

TEST_F(MainWindowTest, StartsOnTheGeneralFamily) {
  EXPECT_EQ(form->familyTabs->currentIndex(), 4);
  EXPECT_EQ(CurveKind, 4);
  EXPECT_EQ(Text("Edit1"), "x^3-3x");
  EXPECT_EQ(Text("Edit2"), "  1,00     ");
  EXPECT_EQ(form->aBar->value(), 125);
  EXPECT_FALSE(form->deleteLastObjectButton->isEnabled());
  EXPECT_EQ(BackPixel(1, -2), kBlack);  // the curve through (1|-2)
}

TEST_F(MainWindowTest, ParameterFieldBoundsAndScrollGrid) {
  Type("Edit2", "pi/2");
  EXPECT_DOUBLE_EQ(ParamA, 1.570796327);
  EXPECT_EQ(Text("Edit2"), "  1,57     ");
  EXPECT_FALSE(form->aField->hasFocus());  // Enter moved on
  EXPECT_EQ(form->aBar->value(), 139);     // round(5.570796327 * 25), the value stays off the grid
  // Equal bounds come back from the start values.
  for (const char* bound : {"Edit3", "Edit4"}) Type(bound, "2");
  EXPECT_EQ(ParamA1, -4);
  EXPECT_EQ(ParamA2, 4);
  EXPECT_EQ(Text("Edit4"), "  4,00     ");
  for (const char* bound : {"Edit14", "Edit15"}) Type(bound, "1");
  EXPECT_EQ(ParamT1, -4);
  EXPECT_EQ(ParamT2, 4);
  Type("Edit5", "10");  // b far above its bounds
  EXPECT_EQ(ParamB, 10);
  EXPECT_EQ(form->bBar->value(), 200);
  form->bBar->setValue(199);
  EXPECT_DOUBLE_EQ(ParamB, -4 + 8.0 * 199 / 200);
}

TEST_F(MainWindowTest, TabsSwitchExtrasOff) {
  form->familyTabs->setCurrentIndex(0);
  EXPECT_FALSE(form->cField->isVisible());  // two parameters only
  EXPECT_EQ(CurveKind, 1);
  form->familyTabs->setCurrentIndex(1);
  Click("BitCheckBox3");
  EXPECT_TRUE(form->MoveVertex);
  form->familyTabs->setCurrentIndex(3);
  EXPECT_FALSE(form->moveVertexBox->Checked());
  EXPECT_FALSE(form->MoveVertex);
  EXPECT_EQ(CurveKind, 7);
  Click("BitCheckBox1");
  EXPECT_TRUE(ShowDerivative);
  form->familyTabs->setCurrentIndex(2);
  EXPECT_FALSE(ShowDerivative);
  EXPECT_FALSE(form->derivativeBox->Checked());
}

// The vertex is labelled and marked, but not marked on the border of the view; a line has none.
TEST_F(MainWindowTest, VertexLabelAndMark) {
  form->familyTabs->setCurrentIndex(2);
  ParamA = 1;
  ParamC = 0;
  auto differsWithMark = [&](double u) {
    ParamB = u;
    form->markVertexBox->SetChecked(false);
    form->MarkVertex = false;
    form->darstellen();
    const QImage without = form->Layers().BackBuffer().copy();
    Click("BitCheckBox6");
    return form->Layers().BackBuffer() != without;
  };
  EXPECT_TRUE(differsWithMark(2));
  EXPECT_TRUE(form->vertexLabel->isVisible());
  EXPECT_EQ(form->vertexLabel->text(), "S(2|0)");
  EXPECT_FALSE(differsWithMark(7));
  EXPECT_EQ(form->vertexLabel->text(), "S(7|0)");
  EXPECT_FALSE(differsWithMark(-7));
  form->familyTabs->setCurrentIndex(1);
  ParamB = -2;
  ParamC = 1;
  form->MarkVertex = true;
  form->darstellen();
  EXPECT_TRUE(form->vertexLabel->isVisible());
  EXPECT_EQ(form->vertexLabel->text(), "S(1|0)");  // x² - 2x + 1
  ParamA = 0;                                      // a line has no vertex
  form->darstellen();
  EXPECT_FALSE(form->vertexLabel->isVisible());
}

TEST_F(MainWindowTest, FixedCurvesAreDrawnAndDeleted) {
  form->familyTabs->setCurrentIndex(1);
  ParamA = 1;
  ParamB = 0;
  for (double c : {2.0, -3.0}) {
    ParamC = c;
    Click("SpeedButton6");
  }
  EXPECT_EQ(form->FixedCurves.Count(), 2u);
  EXPECT_TRUE(form->deleteLastObjectButton->isEnabled());
  ParamC = 0;
  form->darstellen();
  for (auto [x, y] : {std::pair{0.0, 2.0}, {0.0, -3.0}, {1.0, 1.0}})
    EXPECT_EQ(BackPixel(x, y), kBlack) << x << "|" << y;
  FixedCurve newest;
  Click("SpeedButton12");
  ASSERT_EQ(form->FixedCurves.Count(), 1u);
  ASSERT_TRUE(form->FixedCurves.Read(1, newest));
  EXPECT_EQ(newest.c, 2);
  Click("SpeedButton5");
  EXPECT_TRUE(form->FixedCurves.IsEmpty());
  EXPECT_FALSE(form->deleteAllObjectsButton->isEnabled());
}

TEST_F(MainWindowTest, UndefinedPartsStayEmpty) {
  Farben::Zeichenstift = RGB(255, 0, 0);
  Type("Edit1", "sqrt(x)");
  const QImage& back = form->Layers().BackBuffer();
  int red = 0;
  for (int column = 0; column < back.width(); ++column)
    for (int row = 0; row < back.height(); ++row)
      if (FromQColor(back.pixelColor(column, row)) == RGB(255, 0, 0)) {
        ++red;
        ASSERT_GE(column, ScreenX(0)) << row;  // nothing left of 0, no line from the edge
      }
  EXPECT_GT(red, back.width() / 4);
}

TEST_F(MainWindowTest, TangentTriangleAndDerivative) {
  for (const char* box : {"BitCheckBox2", "BitCheckBox4", "BitCheckBox1"}) Click(box);
  EXPECT_TRUE(form->ShowTriangle && form->ShowTangent && ShowDerivative);
  // The slope triangle at x0 = 0: run 1 along y = 0, rise f'(0) = -3.
  EXPECT_EQ(BackPixel(0.8, -0.5), Farben::Dreieck);
  // The derivative 3x² - 3 passes (1.5|3.75).
  bool derivative = false;
  for (int dy = -2; dy <= 2; ++dy)
    derivative = derivative || FromQColor(form->Layers().BackBuffer().pixelColor(
                                   ScreenX(1.5), ScreenY(3.75) + dy)) == Farben::fStrich;
  EXPECT_TRUE(derivative);
  Type("Edit1", "abs(x)");  // x0 = 0: no slope there
  EXPECT_FALSE(BackHas(Farben::Dreieck));
  EXPECT_FALSE(BackHas(Farben::Tangente));
}

TEST_F(MainWindowTest, FixedTangentIsShorterWhenTheTickIntervalIsAboveOne) {
  Type("Edit1", "x^2");
  Click("BitCheckBox4");
  PointX0 = 1;
  PlotWidth = PlotHeight = 600;
  x1 = y1 = -30;
  x2 = y2 = 30;
  XTickStep = 5;
  Farben::Zeichenstift = RGB(200, 0, 0);
  Farben::Tangente = RGB(0, 200, 0);
  // As an export draws with an insertion running: the live curve and tangent, then both
  // again for the fixed layer, the tangent in the curve's colour.
  FixDrawing = true;
  const auto all = Record([this] { form->darstellen(); }).DrawnSegments();
  FixDrawing = false;
  auto span = [](auto from, auto to) {
    int lo = INT_MAX, hi = INT_MIN;
    for (auto s = from; s != to; ++s) {
      lo = std::min({lo, s->from.x, s->to.x});
      hi = std::max({hi, s->from.x, s->to.x});
    }
    return hi - lo;
  };
  std::vector<testing::Segment> live;
  for (const auto& seg : all)
    if (seg.color == RGB(0, 200, 0)) live.push_back(seg);
  // The fixed tangent is the last run in the curve colour, starting left of where the curve ended.
  std::size_t start = all.size();
  while (start > 0 && all[start - 1].color == RGB(200, 0, 0) &&
         (start == all.size() || all[start - 1].to.x <= all[start].from.x))
    --start;
  // Half extents: cos(atan2(2, 1))·T·5 = 2.24 live and 0.45 fixed, at 10 pixels a unit.
  EXPECT_NEAR(span(live.begin(), live.end()), 45, 3);
  EXPECT_NEAR(span(all.begin() + static_cast<std::ptrdiff_t>(start), all.end()), 9, 3);
}

TEST_F(MainWindowTest, SpectrumColoursFollowTheParameter) {
  Click("BitCheckBox9");
  ASSERT_TRUE(SpectrumOn);
  form->aBar->setValue(1);
  EXPECT_EQ(Farben::Zeichenstift, SpectrumColor(1, ParamA, -4, 4));
  form->aBar->setValue(200);  // at the upper bound: k = 254
  EXPECT_EQ(Farben::Zeichenstift, RGB(254, 0, 1));
  form->spectrumSlider->setValue(5);
  form->aBar->setValue(100);  // a = 0: round(63.5) = 64
  EXPECT_EQ(Farben::Zeichenstift, SpectrumTableColor(5, 2 * 64));
  Click("BitCheckBox9");
  EXPECT_EQ(Farben::Zeichenstift, 0);
  // With "fix" every step of the bar adds a curve, kept across a change of family.
  form->familyTabs->setCurrentIndex(1);
  Click("BitCheckBox9");
  Click("BitCheckBox10");
  for (int position : {20, 60, 100, 140, 180}) form->aBar->setValue(position);
  EXPECT_EQ(form->FixedCurves.Count(), 5u);
  form->familyTabs->setCurrentIndex(2);
  EXPECT_EQ(form->FixedCurves.Count(), 5u);
  EXPECT_EQ(CurveKind, 3);
}

TEST_F(MainWindowTest, ExportButtonsWriteTheFileAndTheClipboard) {
  AskSaveFileName = [&](QWidget*, const QString&, const QString&, QString&) {
    return QString::fromStdString(dir.File("kurve.wmf"));
  };
  form->buttons.wmfFileButton->click();
  AskSaveFileName = nullptr;
  const std::string wmf = ReadBytes(dir.File("kurve.wmf"));
  ASSERT_GT(wmf.size(), 22u);
  EXPECT_EQ(wmf.substr(0, 4), std::string("\xD7\xCD\xC6\x9A", 4));  // placeable header
  EXPECT_FALSE(ExportDrawing);
  EXPECT_EQ(LineScale, 1.0);
  form->buttons.wmfClipboardButton->click();
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(data, nullptr);
  EXPECT_TRUE(data->hasFormat("image/x-wmf") || data->hasFormat("image/wmf"));
  EXPECT_TRUE(data->hasFormat("image/png"));
}

TEST_F(MainWindowTest, AFaultyTermIsReportedOnceWhenItsFieldIsLeft) {
  form->termField->setText(QStringLiteral("x^3-"));
  // Repaints, resizes and tab changes compile the field again, silently.
  form->FormPaint();
  form->resize(1000, 700);
  QApplication::processEvents();
  form->familyTabs->setCurrentIndex(3);
  form->familyTabs->setCurrentIndex(4);
  EXPECT_TRUE(messages.empty());
  form->termField->setFocus();
  QTest::keyClick(form->termField, Qt::Key_Return);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].rfind("Syntaxfehler: ", 0), 0u);
  EXPECT_TRUE(form->termField->hasFocus());  // the caret stands at the error
}

// "Beenden", Escape and the close box all close while the term field holds an error.
TEST_F(MainWindowTest, ClosesWhileTheTermFieldHoldsAnError) {
  for (int way = 0; way < 3; ++way) {
    form->show();
    QApplication::setActiveWindow(form.get());
    form->termField->setFocus();
    form->termField->setText(QStringLiteral("sin(x"));
    if (way == 0)
      QTest::mouseClick(form->buttons.closeButton, Qt::LeftButton);
    else if (way == 1)
      QTest::keyClick(form->termField, Qt::Key_Escape);
    else
      form->close();
    EXPECT_FALSE(form->isVisible()) << way;
    EXPECT_TRUE(messages.empty()) << way;
    EXPECT_EQ(TermFxtab, "sin(x") << way;  // kept for the next visit
  }
}

TEST_F(MainWindowTest, SweepStepsTurnsAndEndsOnTheGrid) {
  ParamA = 3.9;
  const std::vector<double> seen = RunA(8);
  ASSERT_GE(seen.size(), 8u);
  // 0.04 a frame; the first value above 4 turns the sweep round.
  const double expected[] = {3.94, 3.98, 4.02, 3.98, 3.94};
  for (int i = 0; i < 5; ++i) EXPECT_NEAR(seen[i], expected[i], 1e-9) << i;
  EXPECT_FALSE(AnimationRunning);
  EXPECT_FALSE(form->aSwitch->Checked());
  const double n = (ParamA + 4) * 200 / 8;  // p1 + (p2 - p1)·n / S
  EXPECT_NEAR(n, std::round(n), 1e-9);
  EXPECT_EQ(form->aBar->value(), static_cast<int>(std::round(n)));
}

TEST_F(MainWindowTest, DirectionButtonAndTheUpwardFrameOfSwitchingOff) {
  ParamA = 0;
  double atSwitchOff = 0;
  std::vector<double> seen = RunA(6, [&](int frame) {
    if (frame == 3) Click("SpeedButton24");  // reverse: now going down
    if (frame == 6) atSwitchOff = ParamA;
  });
  ASSERT_GE(seen.size(), 6u);
  EXPECT_LT(seen[4], seen[3]);
  EXPECT_LT(seen[5], seen[4]);
  // Switching off runs the handler once more: one frame upward, then both loops end.
  EXPECT_NEAR(ParamA - atSwitchOff, 0.04, 1e-9);
}

TEST_F(MainWindowTest, FrameLastsMoreThanFifteenMilliseconds) {
  FrameDelay = 0;
  QElapsedTimer clock;
  clock.start();
  const std::vector<double> seen = RunA(5);
  EXPECT_GT(clock.elapsed(), 15 * static_cast<qint64>(seen.size() - 1));
}

TEST_F(MainWindowTest, AnotherSwitchStartedInsideEndsBoth) {
  ParamA = ParamB = 0;
  QTimer startB, stopB;  // each one's callback is blocked while a loop runs inside it
  startB.setSingleShot(true);
  QObject::connect(&startB, &QTimer::timeout, [&] { Click("Switch2"); });
  stopB.setInterval(5);
  QObject::connect(&stopB, &QTimer::timeout, [&] {
    if (ParamB > 0.1 && form->bSwitch->Checked()) Click("Switch2");
  });
  startB.start(60);
  stopB.start();
  Click("Switch1");
  stopB.stop();
  EXPECT_FALSE(AnimationRunning);
  EXPECT_FALSE(form->aSwitch->Checked());  // set off when b started
  EXPECT_GT(ParamB, 0.1);
  EXPECT_GT(ParamA, 0.0);
}

TEST_F(MainWindowTest, PointAnimationAndClosingDuringIt) {
  PointX0 = 0;
  QTimer::singleShot(100, form.get(), [&] { form->close(); });
  Click("Switch4");
  EXPECT_FALSE(AnimationRunning);
  EXPECT_GT(PointX0, 0.0);
  EXPECT_FALSE(form->isVisible());
  const double steps = PointX0 / (14.0 / 400);  // (x2 - x1) / (2·S) a frame
  EXPECT_NEAR(steps, std::round(steps), 1e-6);
}

// Every shift button moves the view by a tenth of its width and height, in its direction.
TEST_F(MainWindowTest, ViewPadShiftsTheViewEveryWay) {
  const struct {
    const char* button;
    int right, up;
  } rows[] = {{"SpeedButton21", -1, 1}, {"SpeedButton11", 0, 1}, {"SpeedButton20", 1, 1},
              {"SpeedButton8", -1, 0},  {"SpeedButton9", 1, 0},  {"SpeedButton18", -1, -1},
              {"SpeedButton10", 0, -1}, {"SpeedButton19", 1, -1}};
  for (const auto& r : rows) {
    x1 = -2, x2 = 8, y1 = -1, y2 = 4;  // a tenth: 1 across, 0.5 up
    Click(r.button);
    EXPECT_EQ(std::vector<double>({x1, x2, y1, y2}),
              std::vector<double>({-2.0 + r.right, 8.0 + r.right, -1 + 0.5 * r.up, 4 + 0.5 * r.up}))
        << r.button;
  }
}

TEST_F(MainWindowTest, ZoomButtons) {
  Click("SpeedButton3");
  Click("SpeedButton3");
  EXPECT_EQ(x1, -28);
  EXPECT_EQ(y2, 28);
  Click("SpeedButton22");
  EXPECT_EQ(x1, -7);
  Click("SpeedButton7");
  EXPECT_EQ(x2, 3.5);
  // Zooming in until the window would be narrower than 0.0001 brings back the start values.
  Click("SpeedButton22");
  int clicks = 0;
  do {
    Click("SpeedButton7");
    ++clicks;
    ASSERT_GE(x2 - x1, 0.0001);
  } while (x1 != -7 && clicks < 30);
  EXPECT_EQ(clicks, 18);  // 14 / 2^18 < 0.0001
  EXPECT_EQ(x2, 7);
}

TEST_F(MainWindowTest, SmallZoomBoxChangesNothingAndLeavesNoTrace) {
  Click("BitCheckBox5");
  ASSERT_TRUE(form->zoomBoxCheck->Checked());
  const QImage before = form->Layers().BackBuffer().copy();
  QTest::mousePress(form->paintBox, Qt::LeftButton, {}, QPoint(100, 100));
  QTest::mouseMove(form->paintBox, QPoint(110, 150));
  EXPECT_NE(form->Layers().BackBuffer(), before);  // the box is shown while dragging
  QTest::mouseRelease(form->paintBox, Qt::LeftButton, {}, QPoint(110, 150));
  EXPECT_EQ(x1, -7);
  EXPECT_EQ(form->Layers().BackBuffer(), before);
  Drag({100, 100}, {300, 250});  // a real box zooms to its corners
  EXPECT_NEAR(x1, -7 + 14.0 * 100 / PlotWidth, 1e-9);
  EXPECT_NEAR(y2, 7 - 14.0 * 100 / PlotHeight, 1e-9);
}

TEST_F(MainWindowTest, DraggingMovesThePointAndTheVertex) {
  const int w = form->paintBox->width(), h = form->paintBox->height();
  Drag({10, 10}, {w / 2, 10});
  EXPECT_NEAR(PointX0, 0, 14.0 / w);
  form->familyTabs->setCurrentIndex(2);
  Click("BitCheckBox3");
  ASSERT_TRUE(form->MoveVertex);
  Drag({10, 10}, {w * 3 / 4, h / 4});
  EXPECT_NEAR(ParamB, 3.5, 0.05);  // u and v on the scroll grid (steps of 0.04)
  EXPECT_NEAR(ParamC, 3.5, 0.05);
}

TEST_F(MainWindowTest, RightButtonClearsFixedCurvesAndAsksForSettings) {
  Click("SpeedButton6");
  ASSERT_EQ(form->FixedCurves.Count(), 1u);
  int opened = 0;
  form->OpenSettingsDialog = [&](TForm1*) { ++opened; };
  QTest::mouseClick(form->paintBox, Qt::RightButton, {}, QPoint(50, 50));
  EXPECT_TRUE(form->FixedCurves.IsEmpty());
  EXPECT_EQ(opened, 1);
  QTest::mouseClick(form->controlPanel, Qt::RightButton, {}, QPoint(5, 300));
  EXPECT_EQ(opened, 2);
}

}  // namespace
}  // namespace kurvio
