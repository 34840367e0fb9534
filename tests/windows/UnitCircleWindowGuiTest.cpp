// The unit-circle window driven through its controls: the value texts and
// what is left out near a pole or at zero, the axis labels of both units, the
// animation's ends and the bars afterwards, the user's coordinate window
// around the window and its settings dialog, the export size and the layout.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <cmath>
#include <functional>
#include <numbers>

#include "export/Export.h"
#include "export/WmfReader.h"
#include "plot/PaintBox.h"
#include "plot/PlotFrame.h"
#include "plot/QtCanvas.h"
#include "settings/Settings.h"
#include "support/RecordingCanvas.h"
#include "support/TempDir.h"
#include "support/WindowTestSettings.h"
#include "widgets/TBitCheckBox.h"
#include "widgets/TColorButton.h"
#include "widgets/TSwitch.h"
#include "windows/trig/UnitCircleSettings.h"
#include "windows/trig/UnitCircleWindow.h"

namespace kurvio {
namespace {

constexpr double kPi = std::numbers::pi;

// Records the font of every text as well.
class FontRecordingCanvas : public testing::RecordingCanvas {
 public:
  std::vector<std::string> fonts;
  void TextOut(int x, int y, const std::string& text) override {
    fonts.push_back(font.name);
    RecordingCanvas::TextOut(x, y, text);
  }
  // The texts that begin with `start`.
  std::vector<std::string> TextsStarting(const std::string& start) const {
    std::vector<std::string> out;
    for (const testing::TextCall& t : texts)
      if (t.text.rfind(start, 0) == 0) out.push_back(t.text);
    return out;
  }
  int Count(const std::string& call) const {
    int n = 0;
    for (const std::string& c : calls) n += c.rfind(call + " ", 0) == 0;
    return n;
  }
};

class UnitCircleWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UseDefaultSettingsIn(dir);
    x1 = -10;
    x2 = 10;
    y1 = -5;
    y2 = 5;
    FrameDelay = 0;
    Open();
  }
  void TearDown() override {
    form.reset();
    DrawCanvas = nullptr;
    ExportDrawing = false;
    SetDefaultSettings();  // the line width and colours some tests set
  }
  void Open() {
    form = std::make_unique<TForm5>();
    form->resize(1280, 900);
    form->show();
    QApplication::processEvents();
  }
  // The picture drawn once more on a recording canvas.
  void Record(FontRecordingCanvas& canvas) {
    DrawCanvas = &canvas;
    ExportDrawing = true;
    form->darstellen();
    ExportDrawing = false;
    DrawCanvas = nullptr;
  }
  void Click(TBitCheckBox* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, 5)); }
  static void ClickSwitch(TSwitch* s) {
    for (int x = 0; x < s->width(); ++x)
      if (s->IsOnRaisedHalf(x)) {
        QTest::mouseClick(s, Qt::LeftButton, {}, QPoint(x + 2, s->height() / 2));
        return;
      }
  }
  // Runs the animation until `enough` holds (checked every few milliseconds), then switches it off.
  void Animate(const std::function<bool()>& enough) {
    int checks = 0;
    std::function<void()> watch = [&] {
      if (enough() || ++checks > 400) {
        ClickSwitch(form->Switch1);
        return;
      }
      QTimer::singleShot(5, form.get(), watch);
    };
    QTimer::singleShot(0, form.get(), watch);
    ClickSwitch(form->Switch1);
    ASSERT_LE(checks, 400) << "the animation never got there";
    EXPECT_FALSE(AnimationRunning);
  }
  // Opens the window's settings dialog with the right mouse button and runs `use` on it.
  void WithSettingsDialog(const std::function<void(TForm6&)>& use) {
    bool shown = false;
    QTimer::singleShot(0, form.get(), [&] {
      auto* dialog = qobject_cast<TForm6*>(QApplication::activeModalWidget());
      shown = dialog != nullptr;
      if (!dialog) return;
      use(*dialog);
      dialog->Button1->click();
    });
    QTest::mouseClick(form->PaintBox1, Qt::RightButton, {}, QPoint(50, 50));
    EXPECT_TRUE(shown);
  }
  Color Pixel(double x, double y) const {
    return FromQColor(form->Bitmap().pixelColor(ScreenX(x), ScreenY(y)));
  }

  TempDir dir;
  std::unique_ptr<TForm5> form;
};

TEST_F(UnitCircleWindowTest, ValueTextsInBothUnits) {
  struct Case {
    int degrees;
    bool radians, cos;
    const char* first;
    const char* second;  // empty: no second line
  } cases[] = {
      {30, false, false, "sin(30°) = 0,5", ""},
      {30, true, false, "sin(0,5236) = 0,5", ""},
      // Five digits of the angle in the cos line.
      {100, true, true, "sin(1,745) = 0,9848", "cos(1,7453) = -0,1736"},
      {100, false, true, "sin(100°) = 0,9848", "cos(100°) = -0,1736"},
      // sin(180°) is not quite 0 in doubles; the text says 0.
      {180, true, false, "sin(3,142) = 0", ""},
  };
  for (const Case& c : cases) {
    form->ScrollBar1->setValue(c.degrees);
    if (form->Radians != c.radians) Click(form->BitCheckBox2);
    if (form->ShowCos != c.cos) Click(form->BitCheckBox1);
    FontRecordingCanvas canvas;
    Record(canvas);
    const auto sin = canvas.TextsStarting("sin(");
    const auto cos = canvas.TextsStarting("cos(");
    ASSERT_EQ(sin.size(), 1u) << c.first;
    EXPECT_EQ(sin[0], c.first);
    ASSERT_EQ(cos.size(), *c.second ? 1u : 0u) << c.first;
    EXPECT_EQ(cos.empty() ? "" : cos[0], c.second);
  }
}

TEST_F(UnitCircleWindowTest, ZeroAngleHasNoArcOrSector) {
  Click(form->BitCheckBox2);  // degrees: the sector is drawn too
  {
    FontRecordingCanvas canvas;
    Record(canvas);
    EXPECT_EQ(canvas.Count("Arc"), 1);
    EXPECT_EQ(canvas.Count("Pie"), 1);
  }
  form->SpeedButton2->click();
  EXPECT_EQ(form->alpha, 0.0);
  EXPECT_EQ(form->ScrollBar1->value(), 0);
  EXPECT_EQ(form->TrackBar1->value(), 0);
  FontRecordingCanvas canvas;
  Record(canvas);
  EXPECT_EQ(canvas.Count("Arc"), 0);
  EXPECT_EQ(canvas.Count("Pie"), 0);
  EXPECT_EQ(canvas.TextsStarting("sin(")[0], "sin(0°) = 0");
  Click(form->BitCheckBox2);
  FontRecordingCanvas radians;
  Record(radians);
  EXPECT_EQ(radians.TextsStarting("sin(")[0], "sin(0) = 0");

  // An angle that only rounds to nothing, as an animation may leave, draws no whole circle.
  form->alpha = 1e-17;
  FontRecordingCanvas tiny;
  Record(tiny);
  EXPECT_EQ(tiny.Count("Arc"), 0);
  // A full turn is the whole circle.
  form->ScrollBar1->setValue(360);
  FontRecordingCanvas turn;
  Record(turn);
  EXPECT_EQ(turn.Count("Arc"), 1);
}

TEST_F(UnitCircleWindowTest, TangentAtThePoleDrawsNoValueButTracesUpToIt) {
  LineWidth = 2;  // the user's, for the other windows
  Farben::Zeichenstift = 255;
  form->RadioButton2->click();
  Click(form->BitCheckBox3);  // cot too
  ASSERT_TRUE(form->TangentMode);
  ASSERT_TRUE(form->ShowCot);
  const auto tangent = [](const testing::Segment& s, int width) {
    return s.color == Farben::tangens && s.width == width;
  };

  form->ScrollBar1->setValue(60);
  {
    FontRecordingCanvas canvas;
    Record(canvas);
    EXPECT_EQ(canvas.TextsStarting("tan("), std::vector<std::string>{"tan(1,047) = 1,732"});
    EXPECT_EQ(canvas.TextsStarting("cot("), std::vector<std::string>{"cot(1,0472) = 0,5774"});
    int segments = 0;
    for (const testing::Segment& s : canvas.DrawnSegments()) segments += tangent(s, 2);
    EXPECT_EQ(segments, 2);  // on the tangent line and at alpha
  }

  form->ScrollBar1->setValue(90);
  FontRecordingCanvas canvas;
  Record(canvas);
  EXPECT_TRUE(canvas.TextsStarting("tan(").empty());
  EXPECT_TRUE(canvas.TextsStarting("cot(").empty());
  int top = PlotHeight, right = 0;
  for (const testing::Segment& s : canvas.DrawnSegments()) {
    EXPECT_FALSE(tangent(s, 2)) << s.from.x << "," << s.from.y << " " << s.to.x << "," << s.to.y;
    if (tangent(s, 3)) {
      top = std::min({top, s.from.y, s.to.y});
      right = std::max({right, s.from.x, s.to.x});
    }
  }
  // Up to where the branch leaves the top row on its way to the pole.
  EXPECT_EQ(top, PlotTop);
  EXPECT_NEAR(right, ScreenX(std::atan(4.0)), 1);
  EXPECT_EQ(LineWidth, 2);
  EXPECT_EQ(Farben::Zeichenstift, Color{255});
}

TEST_F(UnitCircleWindowTest, AxisEndNamesTheUnit) {
  const int left = ScreenX(2 * kPi) - testing::RecordingCanvas::kCharWidth / 2;
  const int top = ScreenY(-0.1);
  for (bool radians : {true, false}) {
    if (form->Radians != radians) Click(form->BitCheckBox2);
    FontRecordingCanvas canvas;
    Record(canvas);
    int found = 0;
    for (std::size_t i = 0; i < canvas.texts.size(); ++i) {
      const testing::TextCall& t = canvas.texts[i];
      if (t.x != left || t.y != top) continue;
      ++found;
      EXPECT_EQ(t.text, radians ? "x" : "a");
      EXPECT_EQ(IsSymbolFont(canvas.fonts[i]), !radians) << canvas.fonts[i];
    }
    EXPECT_EQ(found, 1) << radians;
  }
}

TEST_F(UnitCircleWindowTest, AnimationTurnsAtTheEndsAndLeavesTheBarsOnTheGrid) {
  Schrittzahl2 = 2;  // 2° a frame
  // Started at 2 pi going up: back at once, and one more frame after switching off.
  form->ScrollBar1->setValue(360);
  form->TrackBar1->setValue(24);
  ASSERT_EQ(form->alpha, 2 * kPi);
  Animate([] { return true; });
  EXPECT_EQ(form->Direction, -1);
  EXPECT_EQ(form->ScrollBar1->value(), 356);
  EXPECT_EQ(form->TrackBar1->value(), 24);
  EXPECT_DOUBLE_EQ(form->alpha, 356 * kPi / 180);

  // Wherever it stops, the angle is the scroll bar's and the track bar the nearest 15°.
  Schrittzahl2 = 3;
  form->SpeedButton24->click();  // up again
  form->TrackBar1->setValue(2);
  int frames = 0;
  Animate([&] { return ++frames > 7; });
  EXPECT_DOUBLE_EQ(form->alpha, form->ScrollBar1->value() * kPi / 180);
  EXPECT_EQ(form->TrackBar1->value(), std::lround(form->ScrollBar1->value() / 15.0));

  // An angle dragged far past an end comes back instead of turning on the spot.
  for (double start : {6.45, -5.0}) {
    const int column = static_cast<int>(std::lround((start + 6.5) / 13 * form->PaintBox1->width()));
    form->PaintBox1MouseDown(Qt::LeftButton, column, 10);
    form->PaintBox1MouseMove(column, 10);
    form->PaintBox1MouseUp(Qt::LeftButton, column, 10);
    const double dragged = form->alpha;
    EXPECT_NEAR(dragged, start, 13.0 / form->PaintBox1->width());
    Animate([&] { return std::fabs(form->alpha - dragged) > 0.2; });
    EXPECT_EQ(form->Direction, start > 0 ? -1 : 1);
  }
}

TEST_F(UnitCircleWindowTest, UsersCoordinateWindowComesBack) {
  EXPECT_TRUE(TrigAxisMode);
  EXPECT_EQ(x1, -6.5);
  EXPECT_EQ(y2, 4.0);
  // The settings dialog saves the user's window, not the fixed one, and changes draw at once.
  constexpr Color kRed = 255;
  WithSettingsDialog([&](TForm6& dialog) {
    dialog.ColorButton1->SetSelectionColor(static_cast<int>(kRed));
    EXPECT_EQ(Farben::sinus, kRed);
    dialog.Button2->click();
  });
  EXPECT_EQ(x1, -6.5);
  // The sine leg under P at 30°.
  EXPECT_EQ(Pixel(-5 + std::cos(kPi / 6), 0.25), kRed);

  form->SpeedButton6->click();
  EXPECT_FALSE(form->isVisible());
  EXPECT_FALSE(TrigAxisMode);
  EXPECT_EQ(x1, -10.0);
  EXPECT_EQ(x2, 10.0);
  EXPECT_EQ(y1, -5.0);
  EXPECT_EQ(y2, 5.0);
  form.reset();
  EXPECT_EQ(x1, -10.0);
  SetDefaultSettings();
  LoadSettings();
  EXPECT_EQ(x1, -10.0);
  EXPECT_EQ(y2, 5.0);
  EXPECT_EQ(Farben::sinus, kRed);

  // Destroyed without closing, as well.
  Open();
  form.reset();
  EXPECT_FALSE(TrigAxisMode);
  EXPECT_EQ(x1, -10.0);
}

TEST_F(UnitCircleWindowTest, EscapeDuringAnAnimationClosesAndGivesBackTheWindow) {
  QTimer::singleShot(30, form.get(), [&] { QTest::keyClick(form.get(), Qt::Key_Escape); });
  ClickSwitch(form->Switch1);  // returns once the loop has seen the window close
  EXPECT_FALSE(form->isVisible());
  EXPECT_FALSE(AnimationRunning);
  EXPECT_FALSE(form->Switch1->Checked());
  EXPECT_FALSE(TrigAxisMode);
  EXPECT_EQ(x1, -10.0);  // no frame after closing put the fixed view back
  EXPECT_EQ(y1, -5.0);
}

TEST_F(UnitCircleWindowTest, SettingsFieldsTakeTheirFallbacks) {
  struct Case {
    const char* typed;
    int steps, percent;
  } cases[] = {{"7", 7, 100},   {"0", 2, 100},   {"25", 2, 25},  {"abc", 2, 100},
               {"", 2, 100},    {"1", 1, 100},   {"20", 20, 20}, {"19", 19, 100},
               {"250", 2, 100}, {"200", 2, 200}, {"-5", 2, 100}, {"1e2", 2, 100}};
  TForm6 dialog(form.get(), {[] {}, [] {}, [] {}});
  dialog.show();
  QApplication::setActiveWindow(&dialog);
  for (const Case& c : cases) {
    for (QLineEdit* edit : {dialog.Edit7, dialog.Edit1}) {
      edit->setFocus();
      edit->setText(QString::fromUtf8(c.typed));
      QTest::keyClick(edit, Qt::Key_Return);  // Enter moves on: the field takes its value
    }
    EXPECT_EQ(Schrittzahl2, c.steps) << c.typed;
    EXPECT_EQ(DruckenProzent, c.percent) << c.typed;
    EXPECT_EQ(dialog.Edit7->text(), QString::number(c.steps));
    EXPECT_EQ(dialog.Edit1->text(), QString::number(c.percent));
  }

  // The defaults are shown and written.
  Farben::sinus = 0;
  dialog.Button3->click();
  EXPECT_EQ(dialog.Edit7->text(), "4");
  EXPECT_EQ(dialog.ColorButton1->SelectionColor(), 16711680);
  Schrittzahl2 = 9;
  LoadSettings();
  EXPECT_EQ(Schrittzahl2, 4);
  EXPECT_EQ(Farben::tangens, Color{16711935});
}

TEST_F(UnitCircleWindowTest, MetafileOfTheFixedView) {
  form->PaintBox1->resize(400, 300);
  QApplication::processEvents();
  const testing::WmfFile f = testing::ReadWmf(RenderWmf(kUnitCircleExport, form->PictureTarget()));
  ASSERT_EQ(f.error, "");
  EXPECT_EQ(f.right, 1604);
  EXPECT_EQ(f.bottom, 1204);
  bool title = false;
  for (const testing::WmfOp& op : f.Ops(0x0521)) title = title || op.text == "Einheitskreis r = 1";
  EXPECT_TRUE(title);
  EXPECT_EQ(f.Count(0x0817), 1);  // the arc
  EXPECT_EQ(LineScale, 1.0);
  EXPECT_FALSE(ExportDrawing);
  EXPECT_EQ(x1, -6.5);
}

TEST_F(UnitCircleWindowTest, PaintBoxIsThirteenToEightAndTheBarsStayInSight) {
  for (const QSize size : {QSize(1280, 900), QSize(800, 600), QSize(1920, 1000), QSize(700, 900)}) {
    form->resize(size);
    QApplication::processEvents();
    const int w = form->PaintBox1->width();
    EXPECT_EQ(form->PaintBox1->height(), std::lround(w * 8 / 13.0)) << size.width();
    EXPECT_EQ(form->Panel1->width(), w);
    EXPECT_EQ(form->Panel1->y(), form->PaintBox1->geometry().bottom() + 1);
    const int ph = form->Panel1->height();
    EXPECT_GE(ph, 100) << size.width();
    EXPECT_EQ(form->TrackBar1->geometry().x(), std::lround(w * 3.15 / 13));
    EXPECT_EQ(form->TrackBar1->width(), std::lround(w * 9.85 / 13));
    EXPECT_EQ(form->TrackBar1->y(), ph / 6);
    EXPECT_EQ(form->ScrollBar1->geometry().x(), std::lround(w * 3 / 13.0));
    EXPECT_EQ(form->ScrollBar1->width(), std::lround(w * 10 / 13.0));
    EXPECT_EQ(form->ScrollBar1->y(), ph / 2);
    EXPECT_EQ(form->Panel2->y(), ph / 4);
    EXPECT_LE(form->Panel1->geometry().bottom(), form->height());
    EXPECT_LE(form->PaintBox1->geometry().right(), form->Panel3->x());
    // The picture follows the paint box.
    EXPECT_EQ(form->Bitmap().size(), form->PaintBox1->size());
  }
}

}  // namespace
}  // namespace kurvio
