// The tangent window driven through its controls: secant and tangent slopes,
// the slope triangles, guide lines, fixed secants, undefined points, the
// view, the animation of Q, dragging and the example list with its file.
#include <QListWidget>
#include <QScrollBar>
#include <QTimer>

#include "plot/PaintBox.h"
#include "support/RecordingCanvas.h"
#include "support/WindowFixture.h"
#include "widgets/TColorButton.h"
#include "windows/curves/TangentWindow.h"

namespace kurvio {
namespace {

using TangentWindowTest = WindowTest<TForm8>;
constexpr Color kYellow = 65535, kDarkGreen = 32768, kRed = 255, kGrey = 12632256;
constexpr Color kSecant = 8388736;

Color At(TForm8& form, double x, double y) {
  return FromQColor(form.Bitmap().pixelColor(ScreenX(x), ScreenY(y)));
}
bool Anywhere(TForm8& form, Color colour) {
  const QImage& image = form.Bitmap();
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (FromQColor(image.pixelColor(x, y)) == colour) return true;
  return false;
}

TEST_F(TangentWindowTest, EveryDesignNameNamesOneControl) {
  const QWidget* w = &Open();
  ExpectDesignNames(w, "QLineEdit", {"Edit1", "Edit2", "Edit5"});
  ExpectDesignNames(w, "QScrollBar", {"ScrollBar1", "ScrollBar2"});
  ExpectDesignNames(w, "QLabel", {"Label7", "Label13"});
  ExpectDesignNames(
      w, "kurvio::TBitCheckBox",
      {"BitCheckBox1", "BitCheckBox2", "BitCheckBox3", "BitCheckBox4", "BitCheckBox5"});
  ExpectDesignNames(w, {{"Switch1", "kurvio::TSwitch"}, {"ColorButton1", "kurvio::TColorButton"}});
  ExpectDesignNames(
      w, "QAbstractButton",
      {"SpeedButton1",  "SpeedButton4",  "SpeedButton5",  "SpeedButton28", "SpeedButton3",
       "SpeedButton7",  "SpeedButton22", "SpeedButton14", "SpeedButton15", "SpeedButton17",
       "SpeedButton23", "SpeedButton6",  "SpeedButton2",  "SpeedButton12", "SpeedButton25",
       "SpeedButton13", "SpeedButton16", "SpeedButton24", "SpeedButton21", "SpeedButton9"});
  ExpectDesignNames(w, {{"ListBox1", "QListWidget"}, {"PaintBox1", "kurvio::TPaintBox"}});
}

TEST_F(TangentWindowTest, SecantSlopeApproachesTheTangentSlope) {
  TermFx = "x^2";
  xP = 1;
  xQ = 3;
  Open();
  EXPECT_EQ(Text("Label13"), "?");
  Click("BitCheckBox1");
  EXPECT_EQ(Text("Label13"), "2");  // f'(1) for x^2
  double last = 1e9;
  // Q on the bar's grid of a hundredth (a typed value is put on it).
  for (const char* q : {"3", "2", "1,5", "1,1", "1,01"}) {
    Type("Edit5", QString::fromUtf8(q));
    const double gap = std::fabs(Number("Label7") - 2.0);
    EXPECT_LT(gap, last) << q;
    last = gap;
  }
  EXPECT_LT(last, 0.011);
  Type("Edit5", QStringLiteral("1,001"));
  EXPECT_EQ(xQ, 1.0);  // the bar's grid value replaced the typed one
  Type("Edit5", QStringLiteral("1"));
  EXPECT_EQ(Text("Label7"), "nicht definiert!");
  EXPECT_EQ(Text("Label13"), "2");  // the tangent is still drawn
  Type("Edit1", QStringLiteral("x^2/3"));
  EXPECT_EQ(Text("Label13"), "0,66667");  // five significant digits
  Click("BitCheckBox1");
  EXPECT_EQ(Text("Label13"), "?");
}

// The right angle of the secant's triangle lies under or over the right-hand point; the
// tangent's triangle runs one to the right of P and m up; the guides run to both axes.
TEST_F(TangentWindowTest, TrianglesAndGuideLines) {
  TermFx = "x^2";
  xP = 1;
  xQ = -2;     // L = Q (-2|4), R = P (1|1)
  Gitter = 1;  // no grid over the guides
  Open();
  Click("BitCheckBox3");
  EXPECT_EQ(At(*form, 0.7, 3.5), kYellow);
  EXPECT_NE(At(*form, -1.5, 1.5), kYellow);
  EXPECT_EQ(At(*form, -0.5, 4), kDarkGreen);
  EXPECT_EQ(At(*form, 1, 2.5), kRed);  // the vertical leg through P
  Type("Edit5", QStringLiteral("2"));  // Q to the right: the angle sits under Q
  EXPECT_EQ(At(*form, 1.8, 1.5), kYellow);
  EXPECT_NE(At(*form, 1.2, 3.5), kYellow);
  Click("BitCheckBox3");
  Click("BitCheckBox1");
  Click("BitCheckBox5");  // tangent at (1|1), slope 2: legs to (2|1) and (2|3)
  EXPECT_EQ(At(*form, 1.5, 1), kDarkGreen);
  EXPECT_EQ(At(*form, 2, 2.5), kRed);
  EXPECT_EQ(At(*form, 1.4, 1.8), Farben::Tangente);  // y = 2x - 1 within its overhang
  Click("BitCheckBox4");                             // guides from P (1|1) and Q (2|4) to both axes
  for (auto [x, y] : {std::pair{1.0, 0.5}, {0.5, 1.0}, {2.0, 3.5}, {0.5, 4.0}})
    EXPECT_EQ(At(*form, x, y), kGrey) << x << "|" << y;
  EXPECT_EQ(At(*form, 1.5, 1), kDarkGreen);
  EXPECT_NE(At(*form, 3, 1), kGrey);
}

TEST_F(TangentWindowTest, FixedSecantKeepsItsQWhenPMoves) {
  TermFx = "x^2";
  xP = 1;
  xQ = 3;
  Open();
  EXPECT_FALSE(Find("SpeedButton16")->isEnabled());
  Find<TColorButton>("ColorButton1")->SetSelectionColor(255);  // the fixed one red
  Click("SpeedButton13");
  EXPECT_TRUE(Find("SpeedButton16")->isEnabled());
  EXPECT_TRUE(Find("SpeedButton24")->isEnabled());
  Find<TColorButton>("ColorButton1")->SetSelectionColor(static_cast<int>(kSecant));
  Type("Edit5", QStringLiteral("-1"));
  Type("Edit2", QStringLiteral("0"));
  FixedSecant s;
  ASSERT_TRUE(form->FixedSecants.Read(1, s));
  EXPECT_EQ(s.xQ, 3.0);
  EXPECT_EQ(At(*form, 1.5, 4.5), kRed);      // through the new P (0|0) and its own Q (3|9)
  EXPECT_EQ(At(*form, -0.5, 0.5), kSecant);  // the current one through (-1|1)
  for (int i = 0; i < 50; ++i) Click("SpeedButton13");
  EXPECT_EQ(form->FixedSecants.Count(), 51u);
  Click("SpeedButton16");
  EXPECT_EQ(form->FixedSecants.Count(), 50u);
  Click("SpeedButton24");
  EXPECT_TRUE(form->FixedSecants.IsEmpty());
  EXPECT_FALSE(Find("SpeedButton16")->isEnabled());
  EXPECT_FALSE(Find("SpeedButton24")->isEnabled());
}

TEST_F(TangentWindowTest, UndefinedPointsGiveNoSecantMarkersOrTangent) {
  TermFx = "sqrt(x)";
  xP = 1;
  xQ = 4;
  Open();
  for (const char* box : {"BitCheckBox1", "BitCheckBox4", "BitCheckBox3"}) Click(box);
  const int qx = ScreenX(4), qy = ScreenY(2);
  // A marker ring over Q, beside the grid line through x = 4 which the axes draw over it.
  const auto ringTop = [&] {
    for (int dx : {-1, 1})
      for (int dy : {-3, -2})
        if (form->Bitmap().pixelColor(qx + dx, qy + dy) == Qt::black) return true;
    return false;
  };
  EXPECT_TRUE(ringTop());
  EXPECT_TRUE(Anywhere(*form, Farben::Tangente));
  Type("Edit2", QStringLiteral("-1"));
  EXPECT_FALSE(ringTop());
  for (Color c : {kSecant, Farben::Tangente, kGrey, kYellow}) EXPECT_FALSE(Anywhere(*form, c)) << c;
  EXPECT_EQ(At(*form, 0, 3), kBlack);  // the y-axis
  EXPECT_EQ(At(*form, 4, 2), kBlack);  // the graph
  // P defined, Q not: nothing of the secant either.
  Type("Edit2", QStringLiteral("1"));
  Type("Edit5", QStringLiteral("-1"));
  EXPECT_FALSE(Anywhere(*form, kSecant));
  // A slope of zero reads as zero; at a kink the tangent is not defined and not drawn.
  Type("Edit1", QStringLiteral("x^3-3x"));
  EXPECT_EQ(Text("Label13"), "0");  // not a rounding residue such as -2,2204E-13
  Type("Edit1", QStringLiteral("abs(x-1)"));
  EXPECT_EQ(Text("Label13"), "nicht definiert!");
  Click("BitCheckBox3");
  Click("BitCheckBox5");
  EXPECT_FALSE(Anywhere(*form, Farben::Tangente));
  EXPECT_FALSE(Anywhere(*form, kDarkGreen));
}

TEST_F(TangentWindowTest, ZoomsAndPansKeepPAndQAndTheBarsFollowTheView) {
  TermFx = "x^2";
  xP = 1;
  xQ = 2;
  Open();
  for (const char* b :
       {"SpeedButton7", "SpeedButton7", "SpeedButton3", "SpeedButton9", "SpeedButton21"})
    Click(b);
  EXPECT_EQ(xP, 1.0);
  EXPECT_EQ(xQ, 2.0);
  EXPECT_EQ(Text("Edit5").trimmed(), QStringLiteral("2,00"));
  auto* bar = Find<QScrollBar>("ScrollBar2");
  EXPECT_EQ(bar->value(), std::lround((2 - x1) * bar->maximum() / (x2 - x1)));
  Click("SpeedButton22");
  for (int i = 0; i < 3; ++i) Click("SpeedButton7");  // -1,75 .. 1,75: Q lies outside
  EXPECT_EQ(xQ, 2.0);
  EXPECT_EQ(bar->value(), bar->maximum());
  double smallest = 1e9;
  for (int i = 0; i < 17; ++i) {
    Click("SpeedButton7");
    smallest = std::min(smallest, x2 - x1);
  }
  EXPECT_GE(smallest, 0.0001);
  EXPECT_EQ(x1, -1.75);  // reset on the 18th zoom, then two more halvings
  Click("SpeedButton22");
  EXPECT_EQ(x2 - x1, 14.0);
  EXPECT_EQ(Find<QScrollBar>("ScrollBar1")->maximum(), 1400);  // a hundred positions per tick
  Click("SpeedButton3");
  EXPECT_EQ(Find<QScrollBar>("ScrollBar1")->maximum(), 1400);  // 28 wide, ticks of 2
  EXPECT_DOUBLE_EQ(form->AnimationStep, 28.0 / PlotWidth);
  // The reset buttons put P and Q back at their start values.
  Type("Edit2", QStringLiteral("0,5"));
  Type("Edit5", QStringLiteral("-0,5"));
  Click("SpeedButton2");
  Click("SpeedButton12");
  EXPECT_EQ(xP, 1.0);
  EXPECT_EQ(xQ, 2.0);
}

TEST_F(TangentWindowTest, LabelsAndTriangleBelongToTheCurrentSecant) {
  TermFx = "x^2";
  xP = 0;
  xQ = -3;
  y1 = -1;
  y2 = 10;
  Open();
  Click("SpeedButton13");  // fixed: (-3|9) to (0|0)
  Type("Edit5", QStringLiteral("2"));
  for (const char* box : {"BitCheckBox2", "BitCheckBox3", "BitCheckBox4"}) Click(box);
  EXPECT_NE(At(*form, -0.5, 8), kYellow);   // inside the fixed secant's triangle
  EXPECT_EQ(At(*form, 1.8, 0.5), kYellow);  // inside the current one's
  testing::RecordingCanvas canvas;
  DrawCanvas = &canvas;
  ExportDrawing = true;
  form->animieren();
  ExportDrawing = false;
  DrawCanvas = nullptr;
  std::string labels;
  for (const testing::TextCall& t : canvas.texts) {
    if (t.text != "P" && t.text != "Q") continue;
    labels += t.text;
    // Up and left of its point: Q at (2|4), P at (0|0).
    const double x = t.text == "Q" ? 2 : 0;
    EXPECT_EQ(t.x, ScreenX(x) - 8) << t.text;
    EXPECT_EQ(t.y, ScreenY(x * x) - 20) << t.text;
  }
  EXPECT_EQ(labels, "QP");
  EXPECT_EQ(canvas.polygons.size(), 1u + 2u);  // one triangle and the two axis arrowheads
}

TEST_F(TangentWindowTest, AnimationTurnsAtTheEdgesAndStepsOnceMoreWhenSwitchedOff) {
  TermFx = "x^2";
  Schrittzahl = 20;  // 0,7 a frame across -7..7
  FrameDelay = 0;
  Open();
  Type("Edit5", QStringLiteral("6,5"));
  double highest = xQ, atClick = 0;
  int frames = 0;
  std::function<void()> watch = [&] {
    highest = std::max(highest, xQ);
    if (++frames == 6) {
      atClick = xQ;
      Click("Switch1");  // off
      return;
    }
    QTimer::singleShot(16, form.get(), watch);
  };
  QTimer::singleShot(16, form.get(), watch);
  Click("Switch1");  // on: runs until it is switched off
  EXPECT_FALSE(Find<TSwitch>("Switch1")->Checked());
  EXPECT_FALSE(AnimationRunning);
  EXPECT_LT(highest, 7.0 + 0.7 + 1e-9);  // turned at the right edge
  EXPECT_LT(atClick, 7.0);
  EXPECT_NEAR(xQ, atClick + 0.7, 0.01);  // one step more, forwards again
  const double step = form->AnimationStep;
  Click("SpeedButton25");
  EXPECT_EQ(form->AnimationStep, -step);
}

TEST_F(TangentWindowTest, DraggingQ) {
  Open();
  form->onPaintBoxPressed(Qt::LeftButton, ScreenX(-2), 10);
  EXPECT_NEAR(xQ, -2, 14.0 / PlotWidth);
  form->onPaintBoxMoved(ScreenX(5), 10);
  EXPECT_NEAR(xQ, 5, 14.0 / PlotWidth);
  EXPECT_EQ(Text("Edit5").trimmed().left(2), "5,");
  form->onPaintBoxReleased(Qt::LeftButton, ScreenX(5), 10);
  form->onPaintBoxMoved(ScreenX(1), 10);  // no longer dragging
  EXPECT_NEAR(xQ, 5, 14.0 / PlotWidth);
}

TEST_F(TangentWindowTest, ExampleListHoldsTenAndRestoresViewAndPoints) {
  std::vector<QString> told;
  Open();
  ReportExampleListMessage = [&](QWidget*, const QString& m) { told.push_back(m); };
  for (int i = 1; i <= 11; ++i) {
    Type("Edit1", QStringLiteral("x^2+%1").arg(i));
    Click("SpeedButton4");
  }
  auto* list = Find<QListWidget>("ListBox1");
  EXPECT_EQ(list->count(), 10);
  EXPECT_EQ(form->Examples.Count(), 10u);
  EXPECT_EQ(told, std::vector<QString>{"Die Liste ist voll (höchstens 10 Einträge)."});
  // The third entry, replaced, remembers a view and P and Q.
  x1 = -2, x2 = 5, y1 = -1, y2 = 30;
  Type("Edit2", QStringLiteral("2"));
  Type("Edit5", QStringLiteral("4"));
  list->setCurrentRow(2);
  Click("SpeedButton5");
  Type("Edit1", QStringLiteral("x^3"));
  Click("SpeedButton4");
  ASSERT_EQ(list->count(), 10);
  x1 = y1 = -7;
  x2 = y2 = 7;
  Type("Edit2", QStringLiteral("0"));
  Type("Edit1", QStringLiteral("x"));
  list->setCurrentRow(9);
  Click("SpeedButton1");
  EXPECT_EQ(Text("Edit1"), "x^3");
  EXPECT_EQ(TermFx, "x^3");
  EXPECT_EQ(x1, -2.0);
  EXPECT_EQ(y2, 30.0);
  EXPECT_NEAR(xP, 2.0, 1e-9);
  EXPECT_NEAR(xQ, 4.0, 1e-9);
  EXPECT_TRUE(Find("Edit1")->hasFocus());
  form->close();
  const std::string file = ReadBytes(dir.File("Bsp3.txt"));
  int sections = 0;
  for (std::size_t at = file.find("[Beispiele"); at != std::string::npos;
       at = file.find("[Beispiele", at + 1))
    ++sections;
  EXPECT_EQ(sections, 10);
  EXPECT_NE(file.find("f(x)=x^3"), std::string::npos);
  EXPECT_EQ(file.find("---"), std::string::npos);  // all ten slots hold a term
  Open();                                          // the next opening reads them back
  EXPECT_EQ(Find<QListWidget>("ListBox1")->count(), 10);
}

// A hand-edited file in UTF-8 with LF line ends stays as it is when the window only opened it;
// an entry added keeps its form, its comment and the other sections' places.
TEST_F(TangentWindowTest, AFileKeepsItsFormAndWhatElseItHolds) {
  const std::string path = dir.File("Bsp3.txt");
  const std::string file = "; Fachschaft \u00C4\n[Beispiele2]\nf(x)=\u03C0*x \u2264\nxP=2\n";
  WriteBytes(path, file);
  Open();
  ASSERT_EQ(Find<QListWidget>("ListBox1")->count(), 1);
  EXPECT_EQ(Find<QListWidget>("ListBox1")->item(0)->text(), "π*x ≤");
  form->close();
  EXPECT_EQ(ReadBytes(path), file);
  Open();
  Type("Edit1", "x^3");
  Click("SpeedButton4");
  form->close();
  const std::string written = ReadBytes(path);
  EXPECT_EQ(written.rfind("; Fachschaft \u00C4\n[Beispiele2]\nf(x)=x^3\n", 0), 0u) << written;
  EXPECT_NE(written.find("[Beispiele1]\nf(x)=\u03C0*x \u2264\nxP=2\n"), std::string::npos);
  EXPECT_EQ(written.find('\r'), std::string::npos);
}

// Two windows on one file, as two copies of the program: the other's entries stay, ours fill
// the room left in the ten sections, and what does not fit is named.
TEST_F(TangentWindowTest, TwoWindowsOnOneFileMergeWithinTheTenSections) {
  std::vector<QString> told;
  const auto add = [](TForm8& window, const QString& term) {
    TypeInto(&window, window.findChild<QLineEdit*>("Edit1"), term);
    window.findChild<QAbstractButton*>("SpeedButton4")->click();
  };
  Open();
  ReportExampleListMessage = [&](QWidget*, const QString& m) { told.push_back(m); };
  for (int i = 1; i <= 8; ++i) add(*form, QStringLiteral("x+%1").arg(i));
  form->close();
  Open();
  TForm8 other;
  other.show();
  add(other, "2*x");
  add(other, "3*x");
  other.close();
  Find<QListWidget>("ListBox1")->setCurrentRow(0);
  Click("SpeedButton5");
  add(*form, "sin(x)");
  add(*form, "cos(x)");
  form->close();
  EXPECT_EQ(told, std::vector<QString>{QStringLiteral("Die Beispieldatei „%1“ fasst höchstens 10 "
                                                      "Einträge. Nicht gespeichert: cos(x)")
                                           .arg(QString::fromStdString(dir.File("Bsp3.txt")))});
  Open();
  QStringList shown;
  for (int i = 0; i < Find<QListWidget>("ListBox1")->count(); ++i)
    shown << Find<QListWidget>("ListBox1")->item(i)->text();
  EXPECT_EQ(shown.join(' '), "x+2 x+3 x+4 x+5 x+6 x+7 x+8 2*x 3*x sin(x)");
}

}  // namespace
}  // namespace kurvio
