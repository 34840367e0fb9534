// The tangent window: secant and tangent slopes, triangles, guide lines, fixed
// secants, undefined points, the view, the animation of Q and the examples.
#include <QListWidget>
#include <QScrollBar>
#include <QTimer>

#include "support/WindowFixture.h"
#include "widgets/TColorButton.h"
#include "windows/curves/TangentWindow.h"

namespace kurvio {
namespace {

constexpr Color kYellow = 65535, kDarkGreen = 32768, kRed = 255, kGrey = 12632256;
constexpr Color kSecant = 8388736;

class TangentWindowTest : public WindowTest<TForm8> {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    TermFx = "x^2";
    xP = 1;
    xQ = 3;
  }
  Color At(double x, double y) const { return Pixel(form->Bitmap(), x, y); }
  bool Anywhere(Color colour) const { return AnyPixel(form->Bitmap(), colour); }
};

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
  Open();
  EXPECT_EQ(Text("Label13"), "?");
  Click("BitCheckBox1");
  EXPECT_EQ(Text("Label13"), "2");  // f'(1) for x^2
  double last = 1e9;
  for (const char* q : {"3", "2", "1,5", "1,1", "1,01"}) {
    Type("Edit5", QString::fromUtf8(q));
    const double gap = std::fabs(Number("Label7") - 2.0);
    EXPECT_LT(gap, last) << q;
    last = gap;
  }
  EXPECT_LT(last, 0.011);
  Type("Edit5", QStringLiteral("1,001"));
  EXPECT_EQ(xQ, 1.0);  // Q lies on the bar's grid of a hundredth
  EXPECT_EQ(Text("Label7"), "nicht definiert!");
  EXPECT_EQ(Text("Label13"), "2");  // the tangent is still drawn
  Type("Edit1", QStringLiteral("x^2/3"));
  EXPECT_EQ(Text("Label13"), "0,66667");  // five significant digits
}

// The right angle of the secant's triangle lies under or over the right-hand point; the
// tangent's triangle runs one to the right of P and m up; the guides run to both axes.
TEST_F(TangentWindowTest, TrianglesAndGuideLines) {
  xQ = -2;     // L = Q (-2|4), R = P (1|1)
  Gitter = 1;  // no grid over the guides
  Open();
  Click("BitCheckBox3");
  const struct {
    double x, y;
    Color colour;
    bool is = true;
  } rows[] = {
      {0.7, 3.5, kYellow}, {-1.5, 1.5, kYellow, false}, {-0.5, 4, kDarkGreen}, {1, 2.5, kRed}};
  for (const auto& r : rows) EXPECT_EQ(At(r.x, r.y) == r.colour, r.is) << r.x << "|" << r.y;
  Type("Edit5", QStringLiteral("2"));  // Q to the right: the angle sits under Q
  EXPECT_EQ(At(1.8, 1.5), kYellow);
  EXPECT_NE(At(1.2, 3.5), kYellow);
  Click("BitCheckBox3");
  Click("BitCheckBox1");
  Click("BitCheckBox5");  // tangent at (1|1), slope 2: legs to (2|1) and (2|3)
  EXPECT_EQ(At(1.5, 1), kDarkGreen);
  EXPECT_EQ(At(2, 2.5), kRed);
  EXPECT_EQ(At(1.4, 1.8), Farben::Tangente);  // y = 2x - 1 within its overhang
  Click("BitCheckBox4");                      // guides from P (1|1) and Q (2|4) to both axes
  for (auto [x, y] : {std::pair{1.0, 0.5}, {0.5, 1.0}, {2.0, 3.5}, {0.5, 4.0}})
    EXPECT_EQ(At(x, y), kGrey) << x << "|" << y;
  EXPECT_NE(At(3, 1), kGrey);
}

TEST_F(TangentWindowTest, FixedSecantKeepsItsQWhenPMovesAndOnlyTheCurrentOneIsLabelled) {
  Open();
  EXPECT_FALSE(Find("SpeedButton16")->isEnabled());
  Find<TColorButton>("ColorButton1")->SetSelectionColor(255);  // the fixed one red
  Click("SpeedButton13");
  EXPECT_TRUE(Find("SpeedButton16")->isEnabled());
  Find<TColorButton>("ColorButton1")->SetSelectionColor(static_cast<int>(kSecant));
  Type("Edit5", QStringLiteral("-1"));
  Type("Edit2", QStringLiteral("0"));
  EXPECT_EQ(At(1.5, 4.5), kRed);      // through the new P (0|0) and its own Q (3|9)
  EXPECT_EQ(At(-0.5, 0.5), kSecant);  // the current one through (-1|1)
  Type("Edit5", QStringLiteral("2"));
  Click("BitCheckBox2");
  std::string labels;
  for (const testing::TextCall& t : Record([this] { form->animieren(); }).texts) {
    if (t.text != "P" && t.text != "Q") continue;
    labels += t.text;
    const double x = t.text == "Q" ? 2 : 0;  // up and left of its point
    EXPECT_EQ(t.x, ScreenX(x) - 8) << t.text;
    EXPECT_EQ(t.y, ScreenY(x * x) - 20) << t.text;
  }
  EXPECT_EQ(labels, "QP");
  for (int i = 0; i < 50; ++i) Click("SpeedButton13");
  EXPECT_EQ(form->FixedSecants.Count(), 51u);
  Click("SpeedButton16");
  EXPECT_EQ(form->FixedSecants.Count(), 50u);
  Click("SpeedButton24");
  EXPECT_TRUE(form->FixedSecants.IsEmpty());
  EXPECT_FALSE(Find("SpeedButton24")->isEnabled());
}

TEST_F(TangentWindowTest, UndefinedPointsGiveNoSecantMarkersOrTangent) {
  TermFx = "sqrt(x)";
  xQ = 4;
  Open();
  for (const char* box : {"BitCheckBox1", "BitCheckBox4", "BitCheckBox3"}) Click(box);
  // A marker ring over Q, beside the grid line through x = 4 which the axes draw over it.
  const auto ringTop = [&] {
    for (int dx : {-1, 1})
      for (int dy : {-3, -2})
        if (form->Bitmap().pixelColor(ScreenX(4) + dx, ScreenY(2) + dy) == Qt::black) return true;
    return false;
  };
  EXPECT_TRUE(ringTop());
  EXPECT_TRUE(Anywhere(Farben::Tangente));
  Type("Edit2", QStringLiteral("-1"));
  EXPECT_FALSE(ringTop());
  for (Color c : {kSecant, Farben::Tangente, kGrey, kYellow}) EXPECT_FALSE(Anywhere(c)) << c;
  EXPECT_EQ(At(4, 2), kBlack);  // the graph
  Type("Edit2", QStringLiteral("1"));
  Type("Edit5", QStringLiteral("-1"));  // P defined, Q not: nothing of the secant either
  EXPECT_FALSE(Anywhere(kSecant));
  Type("Edit1", QStringLiteral("x^3-3x"));
  EXPECT_EQ(Text("Label13"), "0");  // not a rounding residue such as -2,2204E-13
  Type("Edit1", QStringLiteral("abs(x-1)"));
  EXPECT_EQ(Text("Label13"), "nicht definiert!");
  Click("BitCheckBox3");
  Click("BitCheckBox5");
  EXPECT_FALSE(Anywhere(Farben::Tangente));
  EXPECT_FALSE(Anywhere(kDarkGreen));
}

TEST_F(TangentWindowTest, ZoomsAndPansKeepPAndQAndTheBarsFollowTheView) {
  xQ = 2;
  Open();
  for (const char* b : {"SpeedButton7", "SpeedButton7", "SpeedButton3", "SpeedButton9"}) Click(b);
  EXPECT_EQ(xP, 1.0);
  EXPECT_EQ(xQ, 2.0);
  auto* bar = Find<QScrollBar>("ScrollBar2");
  EXPECT_EQ(bar->value(), std::lround((2 - x1) * bar->maximum() / (x2 - x1)));
  Click("SpeedButton22");
  for (int i = 0; i < 3; ++i) Click("SpeedButton7");  // -1,75 .. 1,75: Q lies outside
  EXPECT_EQ(xQ, 2.0);
  EXPECT_EQ(bar->value(), bar->maximum());
  Click("SpeedButton22");
  Type("Edit2", QStringLiteral("0,5"));
  Type("Edit5", QStringLiteral("-0,5"));
  Click("SpeedButton2");  // the reset buttons put P and Q back
  Click("SpeedButton12");
  EXPECT_EQ(xP, 1.0);
  EXPECT_EQ(xQ, 2.0);
}

TEST_F(TangentWindowTest, AnimationTurnsAtTheEdgesAndDraggingMovesQ) {
  Schrittzahl = 20;  // 0,7 a frame across -7..7
  FrameDelay = 0;
  Open();
  Type("Edit5", QStringLiteral("6,5"));
  double highest = xQ, atClick = 0;
  int frames = 0;
  std::function<void()> watch = [&] {
    highest = std::max(highest, xQ);
    if (++frames < 6) return QTimer::singleShot(16, form.get(), watch);
    atClick = xQ;
    Click("Switch1");  // off
  };
  QTimer::singleShot(16, form.get(), watch);
  Click("Switch1");  // on: runs until it is switched off
  EXPECT_FALSE(AnimationRunning);
  EXPECT_LT(highest, 7.0 + 0.7 + 1e-9);  // turned at the right edge
  EXPECT_LT(atClick, 7.0);
  EXPECT_NEAR(xQ, atClick + 0.7, 0.01);  // one step more, forwards again
  const double step = form->AnimationStep;
  Click("SpeedButton25");
  EXPECT_EQ(form->AnimationStep, -step);
  form->onPaintBoxPressed(Qt::LeftButton, ScreenX(-2), 10);
  EXPECT_NEAR(xQ, -2, 14.0 / PlotWidth);
  form->onPaintBoxMoved(ScreenX(5), 10);
  EXPECT_NEAR(xQ, 5, 14.0 / PlotWidth);
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
  EXPECT_EQ(told, std::vector<QString>{"Die Liste ist voll (höchstens 10 Einträge)."});
  // The third entry, replaced, remembers a view and P and Q.
  x1 = -2, x2 = 5, y1 = -1, y2 = 30;
  Type("Edit2", QStringLiteral("2"));
  Type("Edit5", QStringLiteral("4"));
  list->setCurrentRow(2);
  Click("SpeedButton5");
  Type("Edit1", QStringLiteral("x^3"));
  Click("SpeedButton4");
  x1 = y1 = -7;
  x2 = y2 = 7;
  Type("Edit2", QStringLiteral("0"));
  list->setCurrentRow(9);
  Click("SpeedButton1");
  EXPECT_EQ(TermFx, "x^3");
  EXPECT_EQ(std::vector<double>({x1, y2}), std::vector<double>({-2, 30}));
  EXPECT_NEAR(xP, 2.0, 1e-9);
  EXPECT_NEAR(xQ, 4.0, 1e-9);
  form->close();
  Open();  // the next opening reads them back
  EXPECT_EQ(Find<QListWidget>("ListBox1")->item(9)->text(), "x^3");
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
