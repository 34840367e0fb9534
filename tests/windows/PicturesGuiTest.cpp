// SPDX-License-Identifier: GPL-3.0-or-later
// Every window's readouts and picture, drawing call by drawing call with the
// pen, brush and font it is drawn in, compared with the recording kept in
// tests/pictures; the metafile it copies compared byte by byte and its pixels on
// screen with a kept PNG (a failure leaves the drawn picture and a difference
// picture in the build's picture-diffs); and the same calls whether the terms are
// evaluated in batches or point by point. A change shows as a diff of a recording
// (updating them: support/KeptText.h).
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTest>
#include <functional>
#include <memory>
#include <set>
#include <sstream>

#include "app/WindowTable.h"
#include "app/ModuleLauncher.h"
#include "app/MainWindow.h"
#include "plot/PaintBox.h"
#include "plot/PlotFrame.h"
#include "plot/PresentationCanvas.h"
#include "settings/IniFile.h"
#include "settings/Preferences.h"
#include "settings/Settings.h"
#include "support/KeptImage.h"
#include "support/KeptText.h"
#include "support/RecordingCanvas.h"
#include "support/TempDir.h"
#include "support/WindowTestSettings.h"
#include "term/TermBatch.h"
#include "widgets/TBitCheckBox.h"
#include "windows/curves/CurveDiscussionWindow.h"
#include "windows/curves/IntegralWindow.h"
#include "windows/curves/TangentWindow.h"
#include "windows/limits/BisectionWindow.h"
#include "windows/limits/CovariationWindow.h"
#include "windows/limits/LimitsWindow.h"
#include "windows/limits/SequencesWindow.h"
#include "windows/trig/UnitCircleWindow.h"

namespace kurvio {
namespace {

// A term in every window, as a teacher's settings file has them.
constexpr const char* kClassroomSettings =
    "[Funktionsterme]\n"
    "f(x,t,a,b)=a*x^2+b*x+t\naf(x-u)+v=sin(x)\nf(x)=x^3/4-x\nf(t)=sin(t)+1\n"
    "Stetigkeit f1(x)=x\nStetigkeit f2(x)=x+2\nKovariation f(x)=x^2/2-2\n"
    "Bisektion f(x)=x^3-x-1\nFolgen a(n)=1/n\n";

// The window opened at a fixed size with the classroom terms, `prepare` run on
// it, then its picture drawn as an export draws it.
// The recording of the drawing calls, the metafile "WMF - Clipb." copies, and
// the pixels of the picture on screen.
struct Drawn {
  std::string calls;
  QByteArray metafile, svg;
  QImage screen;
};

// Whether the pictures are drawn in presentation mode, as the user's
// preferences ask.
bool presentationPictures = false;

template <class Window>
Drawn Picture(const std::function<void(Window&)>& prepare,
              const std::function<void(Window&)>& draw, const std::string& settings = {}) {
  TempDir dir;
  UseDefaultSettingsIn(dir);
  UseSettingsIn(dir, kClassroomSettings + settings);
  if (presentationPictures) UsePreferencesIn(dir, "[Ansicht]\nPraesentation=1\n");
  // The modes the start window opens it with.
  const LaunchModes modes(LaunchOf(UnqualifiedName(Window::staticMetaObject.className())));
  auto window = std::make_unique<Window>();
  window->resize(1200, 750);
  window->show();
  QApplication::processEvents();
  // The picture's size fixed, whatever the panel beside it measures.
  window->template findChild<TPaintBox*>()->setFixedSize(760, 700);
  QApplication::processEvents();
  if (prepare) prepare(*window);
  QApplication::processEvents();
  testing::RecordingCanvas log;
  // What the window's labels and fields read, then the drawing.
  for (const QWidget* w : window->template findChildren<QWidget*>()) {
    const auto* label = qobject_cast<const QLabel*>(w);
    const auto* field = qobject_cast<const QLineEdit*>(w);
    // The guess row of the guessing game has tests of its own.
    if ((label || field) && w->isVisible() && w->parent()->objectName() != "guessRow")
      log.picture +=
          (w->objectName() + ": " + (label ? label->text() : field->text()) + "\n").toStdString();
  }
  {
    PictureCanvas shown(log, PresentationMode, Farben::Hintergrund);
    DrawFrame frame = window->ShownFrame();
    frame.canvas = shown.get();
    frame.forExport = true;
    window->DrawInFrame(frame, [&] { draw(*window); });
  }
  window->template findChild<QPushButton*>(QStringLiteral("SpeedButton23"))->click();
  const QImage screen = window->template findChild<TPaintBox*>()->grab().toImage();
  const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
  return {log.picture, copied->data(QStringLiteral("image/x-wmf")),
          copied->data(QStringLiteral("image/svg+xml")), screen};
}

// Every check box of the window ticked, in the order the window holds them;
// not the legend's, its values' and the special points', which the kept pictures are without.
void TickEveryBox(QWidget& window) {
  for (TBitCheckBox* box : window.findChildren<TBitCheckBox*>())
    if (box->isEnabled() && !box->Checked() && box->objectName() != "legendBox" &&
        box->objectName() != "valuesInPictureBox" && box->objectName() != "pointsBox") {
      QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, 5));
      QApplication::processEvents();
    }
}

// Steps as a user takes them: "Edit1=x^2" types into a field, "ticked" ticks
// every box, any other name clicks that control.
std::function<void(QWidget&)> Do(std::vector<std::string> steps) {
  return [steps](QWidget& w) {
    for (const std::string& step : steps) {
      const std::size_t is = step.find('=');
      QWidget* control = w.findChild<QWidget*>(QString::fromStdString(step.substr(0, is)));
      if (step == "ticked")
        TickEveryBox(w);
      else if (is != std::string::npos)
        TypeInto(&w, qobject_cast<QLineEdit*>(control),
                 QString::fromStdString(step.substr(is + 1)));
      else if (auto* button = qobject_cast<QAbstractButton*>(control))
        button->click();
      else
        QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(5, 5));
      QApplication::processEvents();
    }
  };
}

// The main window on one of its tabs, b and c moved on their bars, every box
// ticked, one curve fixed.
std::function<void(TForm1&)> MainTab(int tab) {
  return [tab](TForm1& w) {
    w.familyTabs->setCurrentIndex(tab);
    QApplication::processEvents();
    w.bBar->setValue(w.bBar->value() + 13);
    w.cBar->setValue(w.cBar->value() - 29);
    TickEveryBox(w);
    w.addObjectButton->click();  // "Objekt einfügen"
  };
}
void DrawMain(TForm1& w) {
  w.darstellen2();
  w.darstellen();
}

// The tangent window with three secants fixed and Q on its way to P.
const auto FixedSecants = Do({"ticked", "Edit5=-1,5", "SpeedButton13", "Edit5=-0,5",
                              "SpeedButton13", "Edit5=2,5", "SpeedButton13", "Edit5=1,8"});

// The curve discussion with the trace of the slope from -1,5 to 1,2, x typed in steps of 0,05.
std::function<void(QWidget&)> SlopeTrace() {
  std::vector<std::string> steps{"ticked"};
  for (int i = -30; i <= 24; ++i) steps.push_back("Edit3=" + FormatReal(0.05 * i, ','));
  return Do(steps);
}

// Three arrows fixed at x = -3, -1 and 1, x dragged on to 2,5.
void FixedArrows(TForm12& w) {
  TickEveryBox(w);
  const auto dragTo = [&w](double x) {
    const int column = static_cast<int>((x + 7) / 14 * w.paintBox->width());
    emit w.paintBox->MouseDown(Qt::LeftButton, column, 20);
    emit w.paintBox->MouseUp(Qt::LeftButton, column, 20);
  };
  for (double x : {-3.0, -1.0, 1.0}) {
    dragTo(x);
    w.onFixArrowClicked();
  }
  dragTo(2.5);
}

// A guess of the family y = a(x-u)²+v, then the solution shown.
void GuessAndSolution(TForm12& w) {
  FixedArrows(w);
  w.familyButtons[1]->click();
  w.showSolutionButton->click();
}

void TangentMode(TForm5& w) {
  w.tangentModeButton->click();
  TickEveryBox(w);
}

// A rational term with poles, twelve curves fixed for a from -3 to 2,5 and b from 0 to 2,75.
void PolesAndFixedCurves(TForm1& w) {
  Do({"Edit1=x^3/(x^2-1)+t"})(w);
  MainTab(4)(w);
  for (int i = 0; i < 12; ++i)
    Do({"Edit2=" + FormatReal(-3 + 0.5 * i, ','), "Edit5=" + FormatReal(0.25 * i, ','),
        "SpeedButton6"})(w);
}

// The angle shown in degrees on the bar, in the sine or tangent mode with
// cos or cot shown as well, in degrees or radians.
std::function<void(TForm5&)> Angle(bool tangent, bool extra, bool radians, int degrees) {
  return [=](TForm5& w) {
    (tangent ? w.tangentModeButton : w.sineModeButton)->click();
    for (auto [box, ticked] : {std::pair{w.cosineBox, extra && !tangent},
                               std::pair{w.cotangentBox, extra && tangent},
                               std::pair{w.radiansBox, radians}})
      if (box->Checked() != ticked) QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, 5));
    w.findChild<QScrollBar*>(QStringLiteral("ScrollBar1"))->setValue(degrees);
  };
}

// The point dragged back and forth: the trace of f' covers what it swept;
// moves after the release do nothing.
void SweptByTheMouse(TForm3& w) {
  Do({"BitCheckBox3"})(w);
  emit w.paintBox->MouseDown(Qt::LeftButton, w.ShownFrame().ScreenX(0), 10);
  for (double x : {1.0, 2.0, 0.5, -1.0, 0.0, 1.0}) emit w.paintBox->MouseMove(w.ShownFrame().ScreenX(x), 10);
  emit w.paintBox->MouseUp(Qt::LeftButton, w.ShownFrame().ScreenX(1), 10);
  emit w.paintBox->MouseMove(w.ShownFrame().ScreenX(-3), 10);
}

// The angle dragged to a third of the picture's width; moves after the release do nothing.
void DraggedToAThird(TForm5& w) {
  emit w.paintBox->MouseDown(Qt::LeftButton, 0, 0);
  emit w.paintBox->MouseMove(w.paintBox->width() / 3, 0);
  emit w.paintBox->MouseUp(Qt::LeftButton, 0, 0);
  emit w.paintBox->MouseMove(w.paintBox->width(), 0);
}

// The parabola's vertex at (u|0), marked: a = 1, b = u, c = 0 typed, b's range widened first.
std::function<void(TForm1&)> VertexAt(const char* u) {
  return [u](TForm1& w) {
    w.familyTabs->setCurrentIndex(2);
    QApplication::processEvents();
    Do({"Edit7=10", "Edit2=1", std::string("Edit5=") + u, "Edit8=0", "BitCheckBox6"})(w);
  };
}

constexpr auto Redraw3 = [](TForm3& w) { w.Redraw(); };
constexpr auto Integral = [](TForm7& w) { w.Redraw(); };
constexpr auto Sequences = [](TForm15& w) { w.animieren(); };
constexpr auto Bisection = [](TForm13& w) { w.animieren(); };
constexpr auto Limits = [](TForm11& w) { w.animieren(); };
constexpr auto Tangent = [](TForm8& w) { w.animieren(); };
constexpr auto Covariation = [](TForm12& w) { w.animieren(); };
constexpr auto UnitCircle = [](TForm5& w) { w.darstellen(); };

// A window's picture, and the class of the window.
struct Shown {
  std::function<Drawn()> draw;
  const char* window;
};
struct Row {
  const char* name;
  Shown picture;
};

// `settings`: lines of the settings file beyond the classroom terms.
template <class Window>
Shown Of(std::function<void(Window&)> prepare, std::function<void(Window&)> draw,
         const std::string& settings = {}) {
  return {[prepare, draw, settings] { return Picture<Window>(prepare, draw, settings); },
          UnqualifiedName(Window::staticMetaObject.className())};
}

const Row kPictures[] = {
    {"main-0", Of<TForm1>(MainTab(0), DrawMain)},
    {"main-1", Of<TForm1>(MainTab(1), DrawMain)},
    {"main-2", Of<TForm1>(MainTab(2), DrawMain)},
    {"main-3", Of<TForm1>(MainTab(3), DrawMain)},
    {"main-4", Of<TForm1>(MainTab(4), DrawMain)},
    {"curve-discussion", Of<TForm3>({}, Redraw3)},
    {"curve-discussion-trace", Of<TForm3>(SlopeTrace(), Redraw3)},
    {"unit-circle", Of<TForm5>({}, UnitCircle)},
    {"unit-circle-ticked", Of<TForm5>(TickEveryBox, UnitCircle)},
    {"unit-circle-tangent", Of<TForm5>(TangentMode, UnitCircle)},
    {"integral", Of<TForm7>({}, Integral)},
    {"integral-bounds", Of<TForm7>(Do({"Edit3=-2", "Edit4=2"}), Integral)},
    {"tangent", Of<TForm8>({}, Tangent)},
    {"tangent-secants", Of<TForm8>(FixedSecants, Tangent)},
    {"limits", Of<TForm11>({}, Limits)},
    // The images of the half neighbourhoods, sampled in half-pixel steps down to xo.
    {"limits-images",
     Of<TForm11>(Do({"Edit1=x^2", "Edit3=x^2", "Edit2=1", "Edit5=0,1", "Edit4=0,5", "ticked"}),
                 Limits)},
    {"limits-ticked", Of<TForm11>(TickEveryBox, Limits)},
    {"covariation", Of<TForm12>({}, Covariation)},
    {"covariation-arrows", Of<TForm12>(FixedArrows, Covariation)},
    {"covariation-guess", Of<TForm12>(GuessAndSolution, Covariation)},
    {"bisection", Of<TForm13>({}, Bisection)},
    {"bisection-steps", Of<TForm13>(Do({"ticked", "SpeedButton2", "SpeedButton2", "SpeedButton2",
                                        "SpeedButton2", "SpeedButton2"}),
                                    Bisection)},
    {"sequences", Of<TForm15>(Do({"Edit1=1/n"}), Sequences)},
    {"sequences-ticked", Of<TForm15>(Do({"Edit1=1/n", "ticked"}), Sequences)},
    {"main-poles", Of<TForm1>(PolesAndFixedCurves, DrawMain)},
    {"main-vertex", Of<TForm1>(VertexAt("2"), DrawMain)},
    {"main-vertex-on-the-border", Of<TForm1>(VertexAt("7"), DrawMain)},  // not marked
    {"curve-discussion-swept", Of<TForm3>(SweptByTheMouse, Redraw3)},
    {"curve-discussion-logarithm",
     Of<TForm3>(Do({"Edit1=ln(x^2-1)+1/x", "ticked", "Edit3=1,5"}), Redraw3)},
    {"curve-discussion-flat",
     Of<TForm3>(Do({"Edit1=x^3-3x", "ticked", "Edit3=1"}), Redraw3)},  // f' = 0 to the bit
    // No derivative: no tangent, no triangle, the readouts say so.
    {"curve-discussion-corner", Of<TForm3>(Do({"Edit1=abs(x)", "ticked", "Edit3=0"}), Redraw3)},
    {"curve-discussion-outside", Of<TForm3>(Do({"Edit1=sqrt(x)", "ticked", "Edit3=-1"}), Redraw3)},
    {"curve-discussion-jump", Of<TForm3>(Do({"Edit1=int(x)", "ticked", "Edit3=1"}), Redraw3)},
    // "Besondere Punkte": every point in sight marked with its name.
    {"curve-discussion-points", Of<TForm3>(Do({"Edit1=x^4/4-2x^2", "pointsBox"}), Redraw3)},
    {"unit-circle-dragged", Of<TForm5>(DraggedToAThird, UnitCircle)},
    // No arc for an angle that is not there.
    {"unit-circle-tiny-angle", Of<TForm5>(Angle(false, false, false, 0), UnitCircle)},
    {"unit-circle-30", Of<TForm5>(Angle(false, false, false, 30), UnitCircle)},
    {"unit-circle-radians", Of<TForm5>(Angle(false, true, true, 100), UnitCircle)},
    {"unit-circle-pole", Of<TForm5>(Angle(true, true, true, 90), UnitCircle)},
    {"unit-circle-near-cot-pole", Of<TForm5>(Angle(true, true, true, 3), UnitCircle)},
    {"integral-root",
     Of<TForm7>(Do({"Edit1=1/sqrt(t+3)+sin(t)", "Edit3=-1", "Edit4=2"}), Integral)},
    // No value across a pole or where f is undefined: on a node, between nodes, on an interval.
    {"integral-pole-on-a-node", Of<TForm7>(Do({"Edit1=1/t", "Edit3=-1", "Edit4=1"}), Integral)},
    {"integral-pole-between-nodes",
     Of<TForm7>(Do({"Edit1=1/t", "Edit3=-1", "Edit4=1,5"}), Integral)},
    {"integral-undefined", Of<TForm7>(Do({"Edit1=sqrt(t)", "Edit3=-1", "Edit4=1"}), Integral)},
    {"integral-right-of-the-pole", Of<TForm7>(Do({"Edit1=1/t", "Edit3=0,5", "Edit4=2"}), Integral)},
    // Leftwards from the right of the pole: the area ends at the pole.
    {"integral-pole", Of<TForm7>(Do({"Edit1=1/t", "Edit3=2", "Edit4=-1"}), Integral)},
    // From far right of the view: F is traced leftwards into it.
    {"integral-from-beyond-the-view", Of<TForm7>(Do({"Edit3=10", "Edit4=-3"}), Integral)},
    // A fixed secant keeps its Q when P moves.
    {"tangent-secant-kept", Of<TForm8>(Do({"SpeedButton13", "Edit5=-1", "Edit2=0"}), Tangent)},
    {"tangent-poles", Of<TForm8>(Do({"Edit1=x^3/(x^2-1)", "ticked"}), Tangent)},
    {"tangent-third", Of<TForm8>(Do({"Edit2=1", "Edit1=x^2/3", "ticked"}), Tangent)},
    {"tangent-flat", Of<TForm8>(Do({"Edit2=1", "Edit1=x^3-3x", "ticked"}), Tangent)},
    {"tangent-corner", Of<TForm8>(Do({"Edit2=1", "Edit1=abs(x-1)", "ticked"}), Tangent)},
    // Q typed a thousandth beside P stays there, off the bar's grid of a hundredth.
    {"tangent-q-near-p",
     Of<TForm8>(Do({"Edit2=1", "Edit1=x^2", "Edit5=1,001", "ticked"}), Tangent)},
    {"tangent-undefined-p", Of<TForm8>(Do({"Edit2=1", "Edit1=sqrt(x-2)", "ticked"}), Tangent)},
    // The tangent and the secants drawn two and a half tick steps long.
    {"tangent-long", Of<TForm8>(Do({"Edit2=1", "ticked"}), Tangent, "[Faktor]\nTangentenl\xE4nge=2,5\n")},
    // Each rail doubled, reset and halved; then a term undefined at the x typed in.
    {"covariation-rails",
     Of<TForm12>(Do({"SpeedButton5", "SpeedButton4", "SpeedButton1", "SpeedButton24",
                     "SpeedButton16", "SpeedButton12", "Edit1=sqrt(x)", "Edit2=-1"}),
                 Covariation)},
    // The band in the colour of its rule: no sign change, a zero at m, and one at b.
    {"bisection-no-sign-change", Of<TForm13>(Do({"Edit1=x^2+1", "Edit2=0", "Edit3=2"}), Bisection)},
    {"bisection-zero-at-m", Of<TForm13>(Do({"Edit1=x-1", "Edit2=0", "Edit3=2"}), Bisection)},
    {"bisection-zero-at-b", Of<TForm13>(Do({"Edit1=1-x", "Edit2=0", "Edit3=1"}), Bisection)},
    {"sequences-alternating",
     Of<TForm15>(Do({"Edit1=(-1)^n/n+2", "ticked"}), Sequences)},
    // n0 of 1/n for 0,1: 11, as a(10) = 0,1 is not below 0,1; none for n.
    {"sequences-n0", Of<TForm15>(Do({"ticked", "Edit4=0,1", "Edit1=1/n"}), Sequences)},
    {"sequences-divergent",
     Of<TForm15>(Do({"ticked", "Edit4=0,5", "Edit1=n"}), Sequences)},
};

// The texts of a recording whose rectangles overlap, as the recording canvas measures
// them, one pair a line; empty where every text has room of its own.
std::string OverlappingTexts(const std::string& calls) {
  struct Placed {
    LabelBox box;
    std::string text;
  };
  std::vector<Placed> placed;
  std::string overlaps;
  int dx = 0, dy = 0;
  std::istringstream lines(calls);
  for (std::string line; std::getline(lines, line);) {
    std::istringstream in(line);
    std::string word;
    in >> word;
    int x = 0, y = 0;
    if (word == "ShiftOrigin" && in >> x >> y) dx += x, dy += y;
    if (word == "Origin" && in >> x >> y) dx = x, dy = y;
    if (word != "TextOut" || !(in >> x >> y)) continue;
    std::string text;
    std::getline(in, text);
    if (!text.empty()) text.erase(0, 1);
    if (text.find_first_not_of(' ') == std::string::npos) continue;
    const LabelBox box{
        x + dx, y + dy,
        x + dx + static_cast<int>(text.size()) * testing::RecordingCanvas::kCharWidth,
        y + dy + testing::RecordingCanvas::kTextHeight};
    // The same text in the same place is the same label drawn again (a later frame).
    const auto again = [&](const Placed& other) {
      return other.text == text && other.box.left == box.left && other.box.top == box.top;
    };
    if (std::any_of(placed.begin(), placed.end(), again)) continue;
    for (const Placed& other : placed)
      if (box.Overlaps(other.box)) overlaps += "\"" + other.text + "\" under \"" + text + "\"\n";
    placed.push_back({box, text});
  }
  return overlaps;
}

TEST(Pictures, EveryWindowDrawsWhatItsRecordingHolds) {
  // Every window of the start window's table has rows here.
  for (const ModuleWindow& module : ModuleWindows())
    EXPECT_TRUE(std::any_of(std::begin(kPictures), std::end(kPictures), [&](const Row& row) {
      return std::string(row.picture.window) == module.className;
    })) << module.className << " has no picture";
  for (const Row& row : kPictures) {
    SCOPED_TRACE(row.name);
    const Drawn drawn = row.picture.draw();
    TermBatchPointByPoint = true;
    EXPECT_EQ(drawn.calls, row.picture.draw().calls) << "point by point differs from the batches";
    TermBatchPointByPoint = false;
    const std::string name = row.name;
    EXPECT_TRUE(testing::MatchesKept(name + ".txt", drawn.calls));
    EXPECT_EQ(OverlappingTexts(drawn.calls), "");
    EXPECT_FALSE(drawn.metafile.isEmpty());
    EXPECT_TRUE(testing::MatchesKeptBytes(name + ".wmf", drawn.metafile.toStdString()));
    EXPECT_TRUE(testing::MatchesKeptImage(name + ".png", drawn.screen));
  }
}

// A pixel check that fails leaves the drawn picture and one with the differing pixels in
// red; an update run writes the new file and fails all the same, so that a second run
// compares.
TEST(Pictures, AFailedCheckLeavesItsPicturesAndAnUpdateFailsAfterWriting) {
  if (testing::UpdatingKept()) GTEST_SKIP() << "compares only";
  QImage changed(QString::fromStdString(testing::KeptPath("integral.png")));
  ASSERT_FALSE(changed.isNull());
  changed = changed.convertToFormat(QImage::Format_RGB32);
  changed.setPixel(10, 20, qRgb(1, 2, 3));
  const ::testing::AssertionResult result = testing::MatchesKeptImage("integral.png", changed);
  ASSERT_FALSE(result);
  EXPECT_NE(std::string(result.message()).find("1 pixels differ between (10, 20) and (10, 20)"),
            std::string::npos)
      << result.message();
  const std::string stem = testing::DifferencePath("integral");
  EXPECT_TRUE(QImage(QString::fromStdString(stem + ".drawn.png")) == changed);
  const QImage difference(QString::fromStdString(stem + ".difference.png"));
  EXPECT_EQ(difference.pixel(10, 20), qRgb(255, 0, 0));
  EXPECT_NE(difference.pixel(11, 20), qRgb(255, 0, 0));

  const std::string probe = "update-probe/probe.txt";
  qputenv("KURVIO_UPDATE_PICTURES", "1");
  EXPECT_NONFATAL_FAILURE(testing::KeptText(probe, "new"), "wrote");
  qunsetenv("KURVIO_UPDATE_PICTURES");
  EXPECT_TRUE(testing::MatchesKept(probe, "new"));
  std::filesystem::remove_all(std::filesystem::path(testing::KeptPath(probe)).parent_path());
}

// The pens, brushes and fonts a recording draws with, and the first polygon
// (the x-axis's arrowhead) as its width.
struct DrawnWith {
  std::set<int> penWidths, fontSizes;
  std::set<Color> colours, brushes;
  int arrowWidth = 0;
};
DrawnWith Parse(const std::string& calls) {
  DrawnWith d;
  std::istringstream lines(calls);
  for (std::string line; std::getline(lines, line);) {
    std::istringstream in(line);
    std::string word, font;
    Color pen = 0, brush = 0, text = 0;
    int width = 0, style = 0, mode = 0, brushStyle = 0, size = 0;
    if (line.rfind("pen ", 0) == 0 && in >> word >> pen >> width >> style >> mode >> word >>
                                          brush >> brushStyle >> word >> font >> size >> text) {
      d.penWidths.insert(width);
      d.fontSizes.insert(size);
      d.colours.insert({pen, text});
      d.brushes.insert(brush);
    } else if (line.rfind("Polygon ", 0) == 0 && d.arrowWidth == 0) {
      int x = 0, y = 0, lo = 1 << 30, hi = -(1 << 30);
      in >> word;
      while (in >> x >> y) lo = std::min(lo, x), hi = std::max(hi, x);
      d.arrowWidth = hi - lo;
    }
  }
  return d;
}

// Presentation mode in every window: texts twice as large, the arrowheads and
// pens too, no line pale on the white ground, no area dark under a curve;
// the screen and the metafile differ from what the window draws without it.
TEST(Pictures, PresentationModeReachesEveryWindowAndItsExport) {
  for (const char* name : {"main-4", "curve-discussion", "unit-circle", "integral", "tangent",
                           "limits", "covariation", "bisection", "sequences-ticked"}) {
    SCOPED_TRACE(name);
    const Row& row = *std::find_if(std::begin(kPictures), std::end(kPictures),
                                   [name](const Row& r) { return std::string(r.name) == name; });
    const Drawn plain = row.picture.draw();
    presentationPictures = true;
    const Drawn shown = row.picture.draw();
    presentationPictures = false;
    const DrawnWith before = Parse(plain.calls), after = Parse(shown.calls);
    // Every text twice its size: 20 points, an index 14.
    EXPECT_EQ(*after.fontSizes.rbegin(), 20);
    for (int size : after.fontSizes) EXPECT_EQ(before.fontSizes.count(size / 2), 1u) << size;
    EXPECT_EQ(after.arrowWidth, 2 * before.arrowWidth);
    EXPECT_GE(*after.penWidths.rbegin(), std::max(2 * *before.penWidths.rbegin(), 2));
    for (Color c : after.colours) EXPECT_EQ(PresentationColor(c, kWhite), c) << c;
    // A brush is a marker in a strong colour or an area light under black curves.
    for (Color c : after.brushes)
      EXPECT_TRUE(PresentationColor(c, kWhite) == c || PresentationAreaColor(c, kWhite) == c) << c;
    EXPECT_NE(shown.screen, plain.screen);
    EXPECT_NE(shown.metafile, plain.metafile);
  }
}

// "Term im Bild": a line of the window's legend in its drawing, on screen and
// in the SVG it copies only while the box is ticked.
template <class Window>
std::function<Drawn(bool)> Legend(std::function<void(Window&)> draw) {
  return [draw](bool ticked) {
    std::vector<std::string> steps;
    if (ticked) steps.push_back("legendBox");
    return Picture<Window>(Do(steps), draw);
  };
}

TEST(Pictures, TheLegendShowsTheTermsOnlyWhileTicked) {
  const struct {
    const char* line;
    std::function<Drawn(bool)> picture;
  } rows[] = {
      {"a = 1,00   b = 0,00   c = 0,00   t = 0,00", Legend<TForm1>(DrawMain)},
      {"f(x) = x^3/4-x", Legend<TForm3>(Redraw3)},
      {"f(t) = sin(t)+1", Legend<TForm7>(Integral)},
      {"f(x) = x^3/4-x", Legend<TForm8>(Tangent)},
      {"f(x) = x   für x ≤ x", Legend<TForm11>(Limits)},
      {"f(x) = x^2/2-2", Legend<TForm12>(Covariation)},
      {"f(x) = x^3-x-1", Legend<TForm13>(Bisection)},
      {"a(n) = 1/n", Legend<TForm15>(Sequences)},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.line);
    const Drawn off = row.picture(false), on = row.picture(true);
    for (const auto& [drawn, ticked] : {std::pair{&off, false}, std::pair{&on, true}}) {
      EXPECT_EQ(drawn->calls.find(std::string(" ") + row.line + "\n") != std::string::npos, ticked);
      EXPECT_EQ(drawn->svg.contains(row.line), ticked);
    }
    EXPECT_NE(on.screen, off.screen);
  }
}

// "Werte im Bild": the window's readouts in the legend, on screen and in the SVG, with
// or without the terms; the choice is the user's and holds for the next window.
TEST(Pictures, TheValuesOfTheLessonStandInThePicture) {
  const struct {
    const char* line;
    std::function<Drawn()> picture;
  } rows[] = {
      {"f'(1,0000) = -0,2500",
       [] { return Picture<TForm3>(Do({"BitCheckBox1", "Edit3=1", "valuesInPictureBox"}), Redraw3); }},
      {"F(x) = 1,00 [FE]",
       [] { return Picture<TForm7>(Do({"Edit3=0", "Edit4=pi/2", "Edit1=cos(t)", "valuesInPictureBox"}), Integral); }},
      {"m_s = 0,75",
       [] { return Picture<TForm8>(Do({"Edit2=1", "Edit5=2", "legendBox", "valuesInPictureBox"}), Tangent); }},
      {"[a; b] = [1,00000; 1,50000]",
       [] { return Picture<TForm13>(Do({"Edit2=1", "Edit3=2", "SpeedButton2", "valuesInPictureBox"}), Bisection); }},
      {"[a; b] = [0,00000; 2,00000]",
       [] { return Picture<TForm13>(Do({"Edit2=0", "Edit3=2", "valuesInPictureBox"}), Bisection); }},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.line);
    const Drawn drawn = row.picture();
    EXPECT_NE(drawn.calls.find(std::string(" ") + row.line + "\n"), std::string::npos);
    EXPECT_TRUE(drawn.svg.contains(row.line));
  }
  EXPECT_TRUE(ValuesInPicture);
}

}  // namespace
}  // namespace kurvio
