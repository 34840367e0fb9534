// The unit-circle window: picture and value texts at computed places, the
// animation's ends, the user's view around the window, settings and export.
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QTimer>
#include <functional>
#include <numbers>

#include "export/Export.h"
#include "export/WmfReader.h"
#include "plot/PaintBox.h"
#include "support/WindowFixture.h"
#include "widgets/TColorButton.h"
#include "windows/trig/UnitCircleSettings.h"
#include "windows/trig/UnitCircleWindow.h"

namespace kurvio {
namespace {

constexpr double kPi = std::numbers::pi;
using UnitCircleSettingsTest = WindowTest<TForm6>;

class UnitCircleWindowTest : public WindowTest<TForm5> {
 protected:
  // The display as asked for: tangent mode, cos (or cot) shown, radians, the angle in degrees.
  void Show(bool tangent, bool extra, bool radians, int degrees) {
    (tangent ? form->tangentModeButton : form->sineModeButton)->click();
    form->cosineBox->SetChecked(extra && !tangent);
    form->cotangentBox->SetChecked(extra && tangent);
    form->radiansBox->SetChecked(radians);
    form->onDisplayBoxClicked();
    Find<QScrollBar>("ScrollBar1")->setValue(degrees);
    form->darstellen();
  }
  testing::RecordingCanvas Frame() {
    return Record([this] { form->darstellen(); });
  }
  // Runs the animation until `enough` holds (checked every few milliseconds), then stops it.
  void Animate(const std::function<bool()>& enough) {
    int checks = 0;
    std::function<void()> watch = [&] {
      if (enough() || ++checks > 400) return Click("Switch1");
      QTimer::singleShot(5, form.get(), watch);
    };
    QTimer::singleShot(0, form.get(), watch);
    Click("Switch1");
    EXPECT_LE(checks, 400) << "the animation never got there";
    EXPECT_FALSE(AnimationRunning);
  }
};

TEST_F(UnitCircleWindowTest, EveryDesignNameNamesOneControl) {
  const QWidget* w = &Open();
  ExpectDesignNames(
      w, {{"ScrollBar1", "QScrollBar"}, {"TrackBar1", "QSlider"}, {"Switch1", "kurvio::TSwitch"}});
  ExpectDesignNames(w, "kurvio::TBitCheckBox", {"BitCheckBox1", "BitCheckBox2", "BitCheckBox3"});
  ExpectDesignNames(w, "QAbstractButton",
                    {"SpeedButton24", "SpeedButton2", "SpeedButton14", "SpeedButton15",
                     "SpeedButton17", "SpeedButton23", "SpeedButton6"});
  TForm6 dialog;
  ExpectDesignNames(&dialog, "kurvio::TColorButton",
                    {"ColorButton1", "ColorButton2", "ColorButton3", "ColorButton4", "ColorButton5",
                     "ColorButton6", "ColorButton7", "ColorButton8"});
  ExpectDesignNames(&dialog, "QLineEdit", {"Edit7", "Edit1"});
  ExpectDesignNames(&dialog, "QAbstractButton", {"SpeedButton1", "Button1", "Button2", "Button3"});
}

// Pixels at places computed from the angle: legs, arc, angle, the trace and its thin rest.
TEST_F(UnitCircleWindowTest, PictureAtComputedPlaces) {
  Open();
  const Color black = kBlack;
  const double a = kPi / 6, c = std::cos(a), s = 0.5, t = std::tan(a), b = -2 * kPi / 9;
  const double r = 0.15 * std::cos(kPi / 4);  // inside the sector at 45°
  const struct {
    const char* what;
    bool tangent, extra, radians;
    int degrees;
    double x, y;
    const Color* colour;
    bool expected = true;
  } cases[] = {
      {"sine leg", false, false, true, 30, -5 + c, s / 2, &Farben::sinus},
      {"sine at alpha", false, false, true, 30, a, s / 2, &Farben::sinus},
      {"cosine at alpha", false, true, true, 30, a, (s + c) / 2, &Farben::cosinus},
      {"no cosine unasked", false, false, true, 30, a, (s + c) / 2, &Farben::cosinus, false},
      {"traced sine", false, false, true, 30, a / 2, std::sin(a / 2), &Farben::sinus},
      {"thin sine beyond alpha", false, false, true, 30, a + 0.6, std::sin(a + 0.6), &black},
      {"arc", false, false, true, 30, -5 + std::cos(a / 2), std::sin(a / 2), &Farben::bogen},
      {"no arc the other way", false, false, true, 30, -5 + c, -s, &Farben::bogen, false},
      {"arc of -40°", false, false, true, -40, -5 + std::cos(b / 2), std::sin(b / 2),
       &Farben::bogen},
      {"angle on the axis", false, false, true, 30, a / 2, 0, &Farben::bogen},
      {"angle on the axis in degrees", false, false, false, 30, a / 2, 0, &Farben::winkel},
      {"sector in degrees", false, false, false, 90, -5 + r, r, &Farben::winkel},
      {"no sector in radians", false, false, true, 90, -5 + r, r, &Farben::winkel, false},
      {"no tangent line in sine mode", false, false, true, 30, -4, 3, &Farben::Hintergrund},
      {"tangent line", true, false, true, 30, -4, 3, &black},
      {"tangent segment", true, false, true, 30, -4, t / 2, &Farben::tangens},
      {"traced tangent", true, false, true, 30, a / 2, std::tan(a / 2), &Farben::tangens},
      {"traced cotangent", true, true, true, 60, 0.8, 1 / std::tan(0.8), &Farben::cotangens},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.what);
    Show(k.tangent, k.extra, k.radians, k.degrees);
    EXPECT_EQ(Near(form->Bitmap(), k.x, k.y, *k.colour), k.expected);
  }
}

TEST_F(UnitCircleWindowTest, ValueTexts) {
  Open();
  const struct {
    bool tangent, extra, radians;
    int degrees;
    const char *first, *second;  // empty: not drawn
  } cases[] = {
      {false, false, false, 30, "sin(30°) = 0,5", ""},
      {false, false, true, 30, "sin(0,5236) = 0,5", ""},
      // Five digits of the angle in the second line.
      {false, true, true, 100, "sin(1,745) = 0,9848", "cos(1,7453) = -0,1736"},
      {false, true, false, 100, "sin(100°) = 0,9848", "cos(100°) = -0,1736"},
      {false, false, true, 180, "sin(3,142) = 0", ""},  // not quite 0 in doubles
      {false, false, true, 0, "sin(0) = 0", ""},
      {true, true, true, 60, "tan(1,047) = 1,732", "cot(1,0472) = 0,5774"},
      {true, true, true, 90, "", ""},                       // at the pole: neither
      {true, true, true, 3, "tan(0,05236) = 0,05241", ""},  // cot near its pole: left out
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.first) + " " + std::to_string(c.degrees));
    Show(c.tangent, c.extra, c.radians, c.degrees);
    std::string texts[2];
    for (const testing::TextCall& t : Frame().texts)
      for (int i : {0, 1})
        if (t.text.rfind(c.tangent ? (i ? "cot(" : "tan(") : (i ? "cos(" : "sin("), 0) == 0)
          texts[i] += t.text;
    EXPECT_EQ(texts[0], c.first);
    EXPECT_EQ(texts[1], c.second);
  }
}

TEST_F(UnitCircleWindowTest, ArcAndSectorOnlyForAnAngleAndTheBarsSetIt) {
  Open();
  Find<TBitCheckBox>("BitCheckBox2")->SetChecked(false);  // degrees: the sector too
  form->onDisplayBoxClicked();
  for (const auto& [alpha, arcs] : {std::pair{kPi / 6, 1}, {0.0, 0}, {1e-17, 0}, {2 * kPi, 1}}) {
    form->alpha = alpha;
    const testing::RecordingCanvas canvas = Frame();
    EXPECT_EQ(Calls(canvas, "Arc"), arcs) << alpha;
    EXPECT_EQ(Calls(canvas, "Pie"), arcs) << alpha;
  }
  Click("SpeedButton2");
  EXPECT_EQ(form->alpha, 0.0);
  EXPECT_EQ(Find<QScrollBar>("ScrollBar1")->value(), 0);
  Find<QSlider>("TrackBar1")->setValue(3);
  EXPECT_DOUBLE_EQ(form->alpha, kPi / 4);
}

TEST_F(UnitCircleWindowTest, TangentTracesUpToThePoleAndKeepsTheUsersPen) {
  LineWidth = 2;  // the user's, for the other windows
  Farben::Zeichenstift = 255;
  Open();
  Show(true, true, true, 90);
  int top = PlotHeight, right = 0;
  for (const testing::Segment& s : Frame().DrawnSegments()) {
    EXPECT_FALSE(s.color == Farben::tangens && s.width == 2);  // no segment, no line at alpha
    if (s.color == Farben::tangens && s.width == 3) {
      top = std::min({top, s.from.y, s.to.y});
      right = std::max({right, s.from.x, s.to.x});
    }
  }
  EXPECT_EQ(top, PlotTop);  // up to where the branch leaves the top row
  EXPECT_NEAR(right, ScreenX(std::atan(4.0)), 1);
  EXPECT_EQ(LineWidth, 2);
  EXPECT_EQ(Farben::Zeichenstift, Color{255});
  SetDefaultSettings();
}

TEST_F(UnitCircleWindowTest, AnimationTurnsAtTheEndsAndLeavesTheBarsOnTheGrid) {
  FrameDelay = 0;
  Schrittzahl2 = 2;  // 2° a frame
  Open();
  auto* bar = Find<QScrollBar>("ScrollBar1");
  auto* track = Find<QSlider>("TrackBar1");
  // Started at 2 pi going up: back at once, and one more frame after switching off.
  bar->setValue(360);
  track->setValue(24);
  Animate([] { return true; });
  EXPECT_EQ(form->Direction, -1);
  EXPECT_EQ(bar->value(), 356);
  EXPECT_EQ(track->value(), 24);
  EXPECT_DOUBLE_EQ(form->alpha, 356 * kPi / 180);
  // Wherever it stops, the angle is the scroll bar's and the track bar the nearest 15°.
  Schrittzahl2 = 3;
  Click("SpeedButton24");  // up again
  track->setValue(2);
  int frames = 0;
  Animate([&] { return ++frames > 7; });
  EXPECT_DOUBLE_EQ(form->alpha, bar->value() * kPi / 180);
  EXPECT_EQ(track->value(), std::lround(bar->value() / 15.0));
  // An angle dragged far past an end comes back instead of turning on the spot.
  for (double start : {6.45, -5.0}) {
    const int column = static_cast<int>(std::lround((start + 6.5) / 13 * form->paintBox->width()));
    form->onPaintBoxPressed(Qt::LeftButton, column, 10);
    form->onPaintBoxMoved(column, 10);
    form->onPaintBoxReleased(Qt::LeftButton, column, 10);
    form->onPaintBoxMoved(column / 2, 10);  // released: the angle stays
    const double dragged = form->alpha;
    EXPECT_NEAR(dragged, start, 13.0 / form->paintBox->width());
    Animate([&] { return std::fabs(form->alpha - dragged) > 0.2; });
    EXPECT_EQ(form->Direction, start > 0 ? -1 : 1);
  }
}

TEST_F(UnitCircleWindowTest, UsersCoordinateWindowComesBackHoweverTheWindowGoes) {
  x1 = -10, x2 = 10, y1 = -5, y2 = 5;
  Open();
  EXPECT_TRUE(TrigAxisMode);
  EXPECT_EQ(x1, -6.5);
  // The settings dialog saves the user's window, not the fixed one, and changes draw at once.
  constexpr Color kRed = 255;
  bool shown = false;
  QTimer::singleShot(0, form.get(), [&] {
    auto* dialog = qobject_cast<TForm6*>(QApplication::activeModalWidget());
    if (!(shown = dialog != nullptr)) return;
    dialog->findChild<TColorButton*>("ColorButton1")->SetSelectionColor(static_cast<int>(kRed));
    dialog->findChild<QAbstractButton*>("Button2")->click();
    dialog->findChild<QAbstractButton*>("Button1")->click();
  });
  QTest::mouseClick(form->paintBox, Qt::RightButton, {}, QPoint(50, 50));
  EXPECT_TRUE(shown);
  EXPECT_EQ(Pixel(form->Bitmap(), -5 + std::cos(kPi / 6), 0.25), kRed);  // the sine leg at 30°
  Click("SpeedButton6");
  EXPECT_FALSE(form->isVisible());
  EXPECT_FALSE(TrigAxisMode);
  EXPECT_EQ(std::vector<double>({x1, x2, y1, y2}), std::vector<double>({-10, 10, -5, 5}));
  form.reset();
  SetDefaultSettings();
  LoadSettings();
  EXPECT_EQ(x1, -10.0);
  EXPECT_EQ(y2, 5.0);
  EXPECT_EQ(Farben::sinus, kRed);
  // Closed by Escape during an animation: no frame after closing puts the fixed view back.
  FrameDelay = 0;
  Open();
  QTimer::singleShot(30, form.get(), [&] { QTest::keyClick(form.get(), Qt::Key_Escape); });
  Click("Switch1");  // returns once the loop has seen the window close
  EXPECT_FALSE(form->isVisible());
  EXPECT_FALSE(AnimationRunning);
  EXPECT_FALSE(Find<TSwitch>("Switch1")->Checked());
  EXPECT_FALSE(TrigAxisMode);
  EXPECT_EQ(x1, -10.0);
  Open();  // destroyed without closing, as well
  form.reset();
  EXPECT_FALSE(TrigAxisMode);
  EXPECT_EQ(y1, -5.0);
  SetDefaultSettings();
}

TEST_F(UnitCircleSettingsTest, FieldsTakeTheirFallbacksAndDefaultsAreWritten) {
  const struct {
    const char* typed;
    int steps, percent;
  } cases[] = {{"7", 7, 100},   {"0", 2, 100},   {"25", 2, 25},  {"abc", 2, 100},
               {"", 2, 100},    {"1", 1, 100},   {"20", 20, 20}, {"19", 19, 100},
               {"250", 2, 100}, {"200", 2, 200}, {"-5", 2, 100}, {"1e2", 2, 100}};
  Open(400, 300);
  for (const auto& c : cases) {
    Type("Edit7", QString::fromUtf8(c.typed));  // Enter moves on: the field takes its value
    Type("Edit1", QString::fromUtf8(c.typed));
    EXPECT_EQ(Schrittzahl2, c.steps) << c.typed;
    EXPECT_EQ(DruckenProzent, c.percent) << c.typed;
    EXPECT_EQ(Text("Edit7"), QString::number(c.steps));
    EXPECT_EQ(Text("Edit1"), QString::number(c.percent));
  }
  Farben::sinus = 0;
  Click("Button3");
  EXPECT_EQ(Text("Edit7"), "4");
  EXPECT_EQ(Find<TColorButton>("ColorButton1")->SelectionColor(), 16711680);
  Schrittzahl2 = 9;
  LoadSettings();
  EXPECT_EQ(Schrittzahl2, 4);
  EXPECT_EQ(Farben::tangens, Color{16711935});
}

TEST_F(UnitCircleWindowTest, MetafileOfTheFixedViewLeavesTheScreenAsItWas) {
  Open(1280, 900);
  const testing::WmfFile f = testing::ReadWmf(RenderWmf(kUnitCircleExport, form->PictureTarget()));
  EXPECT_EQ(f.Count(0x0817), 1);  // the arc
  EXPECT_EQ(LineScale, 1.0);
  EXPECT_FALSE(ExportDrawing);
  EXPECT_EQ(x1, -6.5);
}

}  // namespace
}  // namespace kurvio
