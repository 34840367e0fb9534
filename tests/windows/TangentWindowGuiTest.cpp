// The tangent window driven through its controls: secant and tangent slopes,
// the slope triangles, fixed secants, undefined points, the view, the
// animation of Q and its example list.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "module/ExampleList.h"
#include "plot/PaintBox.h"
#include "plot/PlotFrame.h"
#include "plot/QtCanvas.h"
#include "module/ViewPad.h"
#include "settings/Settings.h"
#include "support/RecordingCanvas.h"
#include "support/TempDir.h"
#include "support/WindowTestSettings.h"
#include "term/Term.h"
#include "widgets/TBitCheckBox.h"
#include "widgets/TColorButton.h"
#include "widgets/TSwitch.h"
#include "windows/curves/TangentWindow.h"

namespace kurvio {
namespace {

constexpr Color kYellow = 65535;
constexpr Color kDarkGreen = 32768;

class TangentWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UseDefaultSettingsIn(dir);
    TermFx = "x^2";
    xP = 1;
    xQ = 3;
    SyntaxErrorReporter = [this](const std::string& m) { messages.push_back(m); };
    ReportExampleListMessage = [](QWidget*, const QString&) {};
    Open();
  }
  void TearDown() override {
    form.reset();
    SyntaxErrorReporter = nullptr;
    ReportExampleListMessage = nullptr;
    MainTerm.reset();
  }
  void Open() {
    form = std::make_unique<TForm8>();
    form->resize(1100, 750);
    form->show();
    QApplication::processEvents();
  }
  void Type(QLineEdit* edit, const QString& text) { TypeInto(form.get(), edit, text); }
  void Click(TBitCheckBox* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, 5)); }
  // A click on the switch's raised half, which toggles it.
  static void ClickSwitch(TSwitch* s) {
    for (int x = 0; x < s->width(); ++x)
      if (s->IsOnRaisedHalf(x)) {
        QTest::mouseClick(s, Qt::LeftButton, {}, QPoint(x + 2, s->height() / 2));
        return;
      }
  }
  Color Pixel(double x, double y) const {
    return FromQColor(form->Bitmap().pixelColor(ScreenX(x), ScreenY(y)));
  }
  bool AnyPixel(Color colour) const {
    const QImage& image = form->Bitmap();
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if (FromQColor(image.pixelColor(x, y)) == colour) return true;
    return false;
  }
  double Slope(const QLabel* label) const {
    return label->text().replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
  }

  TempDir dir;
  std::vector<std::string> messages;
  std::unique_ptr<TForm8> form;
};

TEST_F(TangentWindowTest, SecantSlopeApproachesTheTangentSlope) {
  Click(form->BitCheckBox1);
  EXPECT_EQ(form->Label13->text(), "2");  // f'(1) for x^2
  double last = 1e9;
  // Q on the bar's grid of a hundredth (a typed value is put on it).
  for (const char* q : {"3", "2", "1,5", "1,1", "1,01"}) {
    Type(form->Edit5, QString::fromUtf8(q));
    const double gap = std::fabs(Slope(form->Label7) - 2.0);
    EXPECT_LT(gap, last) << q;
    last = gap;
  }
  EXPECT_LT(last, 0.011);
  Type(form->Edit5, QStringLiteral("1,001"));
  EXPECT_EQ(xQ, 1.0);  // the bar's grid value replaced the typed one
  Type(form->Edit5, QStringLiteral("1"));
  EXPECT_EQ(form->Label7->text(), "nicht definiert!");
  EXPECT_EQ(form->Label13->text(), "2");  // the tangent is still drawn
}

TEST_F(TangentWindowTest, TangentReadoutFollowsItsSwitch) {
  EXPECT_EQ(form->Label13->text(), "?");
  Type(form->Edit1, QStringLiteral("x^2/3"));
  Click(form->BitCheckBox1);  // on: the slope at once, with five significant digits
  EXPECT_EQ(form->Label13->text(), "0,66667");
  Click(form->BitCheckBox1);
  EXPECT_EQ(form->Label13->text(), "?");
}

TEST_F(TangentWindowTest, RightAngleUnderOrOverTheRightHandPoint) {
  Type(form->Edit2, QStringLiteral("1"));
  Type(form->Edit5, QStringLiteral("-2"));  // Q left of P: L = Q (-2|4), R = P (1|1)
  Click(form->BitCheckBox3);
  // The right angle sits at (1|4), over P; the horizontal leg runs at the left point's height.
  EXPECT_EQ(Pixel(0.7, 3.5), kYellow);
  EXPECT_NE(Pixel(-1.5, 1.5), kYellow);
  EXPECT_EQ(Pixel(-0.5, 4), kDarkGreen);
  EXPECT_EQ(Pixel(1, 2.5), Color{255});  // the red vertical leg through P
  // Q to the right: the angle sits under Q.
  Type(form->Edit5, QStringLiteral("2"));
  EXPECT_EQ(Pixel(1.8, 1.5), kYellow);
  EXPECT_NE(Pixel(1.2, 3.5), kYellow);
}

TEST_F(TangentWindowTest, FixedSecantKeepsItsQWhenPMoves) {
  form->ColorButton1->SetSelectionColor(255);  // the fixed one red
  form->SpeedButton13->click();
  EXPECT_TRUE(form->SpeedButton16->isEnabled());
  EXPECT_TRUE(form->SpeedButton24->isEnabled());
  form->ColorButton1->SetSelectionColor(8388736);
  Type(form->Edit5, QStringLiteral("-1"));
  Type(form->Edit2, QStringLiteral("0"));
  FixedSecant s;
  ASSERT_TRUE(form->FixedSecants.Read(1, s));
  EXPECT_EQ(s.xQ, 3.0);
  // Through the new P (0|0) and its own Q (3|9): slope 3.
  EXPECT_EQ(Pixel(1.5, 4.5), Color{255});
  // Many fixed secants; the delete buttons take them back one by one, then all.
  for (int i = 0; i < 50; ++i) form->SpeedButton13->click();
  EXPECT_EQ(form->FixedSecants.Count(), 51u);
  form->SpeedButton16->click();
  EXPECT_EQ(form->FixedSecants.Count(), 50u);
  form->SpeedButton24->click();
  EXPECT_TRUE(form->FixedSecants.IsEmpty());
  EXPECT_FALSE(form->SpeedButton16->isEnabled());
  EXPECT_FALSE(form->SpeedButton24->isEnabled());
}

TEST_F(TangentWindowTest, UndefinedPGivesNoSecantMarkersOrTangent) {
  Type(form->Edit1, QStringLiteral("sqrt(x)"));
  Type(form->Edit5, QStringLiteral("4"));
  for (TBitCheckBox* box : {form->BitCheckBox1, form->BitCheckBox4, form->BitCheckBox3}) Click(box);
  const int qx = ScreenX(4), qy = ScreenY(2);
  // With P at 1 there is a marker ring over Q, a secant, guide lines and a tangent.
  // Beside the grid line through x = 4, which the axes draw over the marker.
  auto ringTop = [&] {
    const QImage& image = form->Bitmap();
    for (int dx : {-1, 1})
      for (int dy : {-3, -2})
        if (image.pixelColor(qx + dx, qy + dy) == Qt::black) return true;
    return false;
  };
  EXPECT_TRUE(ringTop());
  EXPECT_TRUE(AnyPixel(Farben::Tangente));
  Type(form->Edit2, QStringLiteral("-1"));
  EXPECT_FALSE(ringTop());
  EXPECT_FALSE(AnyPixel(8388736));  // secant
  EXPECT_FALSE(AnyPixel(Farben::Tangente));
  EXPECT_FALSE(AnyPixel(12632256));  // guide lines
  EXPECT_FALSE(AnyPixel(kYellow));
  EXPECT_EQ(Pixel(0, 3), kBlack);  // the y-axis
  EXPECT_EQ(Pixel(4, 2), kBlack);  // the graph
}

TEST_F(TangentWindowTest, ZoomingInBelowTheSmallestViewBringsBackTheStart) {
  double smallest = 1e9;
  for (int i = 0; i < 20; ++i) {
    form->SpeedButton7->click();
    smallest = std::min(smallest, x2 - x1);
  }
  EXPECT_GE(smallest, 0.0001);
  EXPECT_EQ(x1, -1.75);  // reset on the 18th zoom, then two more halvings
  form->SpeedButton22->click();
  EXPECT_EQ(x2 - x1, 14.0);
  EXPECT_EQ(form->ScrollBar1->maximum(), 1400);  // a hundred positions per tick
  form->SpeedButton3->click();
  EXPECT_EQ(form->ScrollBar1->maximum(), 1400);  // 28 wide, ticks of 2
  EXPECT_DOUBLE_EQ(form->AnimationStep, 28.0 / PlotWidth);
}

TEST_F(TangentWindowTest, ZoomsAndPansLeavePAndQWhereTheUserPutThem) {
  Type(form->Edit5, QStringLiteral("2"));
  for (QToolButton* b : {form->SpeedButton7, form->SpeedButton7, form->SpeedButton3,
                         form->GroupBox1->rightButton, form->GroupBox1->upLeftButton})
    b->click();
  EXPECT_EQ(xP, 1.0);
  EXPECT_EQ(xQ, 2.0);
  EXPECT_EQ(form->Edit5->text().trimmed(), QStringLiteral("2,00"));
  // The bars stand at the values; outside the view at their end.
  EXPECT_EQ(form->ScrollBar2->value(),
            std::lround((2 - x1) * form->ScrollBar2->maximum() / (x2 - x1)));
  form->SpeedButton22->click();
  for (int i = 0; i < 3; ++i) form->SpeedButton7->click();  // -1,75 .. 1,75: Q lies outside
  EXPECT_EQ(xQ, 2.0);
  EXPECT_EQ(form->ScrollBar2->value(), form->ScrollBar2->maximum());
}

TEST_F(TangentWindowTest, TangentSlopeIsZeroOrNotDefined) {
  Click(form->BitCheckBox1);
  Type(form->Edit1, QStringLiteral("x^3-3x"));
  EXPECT_EQ(form->Label13->text(), "0");  // not a rounding residue such as -2,2204E-13
  Type(form->Edit1, QStringLiteral("abs(x-1)"));
  EXPECT_EQ(form->Label13->text(), "nicht definiert!");
  Click(form->BitCheckBox5);
  EXPECT_FALSE(AnyPixel(Farben::Tangente));
  EXPECT_FALSE(AnyPixel(kDarkGreen));
}

TEST_F(TangentWindowTest, LabelsAndTriangleBelongToTheCurrentSecant) {
  y1 = -1;
  y2 = 10;
  Type(form->Edit2, QStringLiteral("0"));
  Type(form->Edit5, QStringLiteral("-3"));
  form->SpeedButton13->click();  // fixed: (-3|9) to (0|0)
  Type(form->Edit5, QStringLiteral("2"));
  for (TBitCheckBox* box : {form->BitCheckBox2, form->BitCheckBox3, form->BitCheckBox4}) Click(box);
  EXPECT_NE(Pixel(-0.5, 8), kYellow);   // inside the fixed secant's triangle
  EXPECT_EQ(Pixel(1.8, 0.5), kYellow);  // inside the current one's

  testing::RecordingCanvas canvas;
  DrawCanvas = &canvas;
  ExportDrawing = true;
  form->animieren();
  ExportDrawing = false;
  DrawCanvas = nullptr;
  int ps = 0, qs = 0;
  for (const testing::TextCall& t : canvas.texts) {
    ps += t.text == "P";
    qs += t.text == "Q";
  }
  EXPECT_EQ(ps, 1);
  EXPECT_EQ(qs, 1);
  EXPECT_EQ(canvas.polygons.size(), 1u + 2u);  // one triangle and the two axis arrowheads
}

TEST_F(TangentWindowTest, AnimationTurnsAtTheEdgesAndStepsOnceMoreWhenSwitchedOff) {
  Schrittzahl = 20;  // 0,7 a frame across -7..7
  FrameDelay = 0;
  Type(form->Edit5, QStringLiteral("6,5"));
  double highest = xQ, atClick = 0;
  int frames = 0;
  std::function<void()> watch = [&] {
    highest = std::max(highest, xQ);
    ++frames;
    if (frames == 6) {
      atClick = xQ;
      ClickSwitch(form->Switch1);  // off
      return;
    }
    QTimer::singleShot(16, form.get(), watch);
  };
  QTimer::singleShot(16, form.get(), watch);
  ClickSwitch(form->Switch1);  // on: runs until it is switched off
  EXPECT_FALSE(form->Switch1->Checked());
  EXPECT_FALSE(AnimationRunning);
  EXPECT_LT(highest, 7.0 + 0.7 + 1e-9);  // turned at the right edge
  EXPECT_LT(atClick, 7.0);
  EXPECT_NEAR(xQ, atClick + 0.7, 0.01);  // one step more, forwards again
}

TEST_F(TangentWindowTest, ExampleListHoldsTenAndRestoresViewAndPoints) {
  std::vector<QString> told;
  ReportExampleListMessage = [&](QWidget*, const QString& m) { told.push_back(m); };
  for (int i = 1; i <= 11; ++i) {
    Type(form->Edit1, QStringLiteral("x^2+%1").arg(i));
    form->SpeedButton4->click();
  }
  EXPECT_EQ(form->ListBox1->count(), 10);
  EXPECT_EQ(form->Examples.Count(), 10u);
  EXPECT_EQ(told, std::vector<QString>{"Die Liste ist voll (höchstens 10 Einträge)."});
  ReportExampleListMessage = [](QWidget*, const QString&) {};

  // The third entry remembers a view and P and Q.
  x1 = -2;
  x2 = 5;
  y1 = -1;
  y2 = 30;
  Type(form->Edit2, QStringLiteral("2"));
  Type(form->Edit5, QStringLiteral("4"));
  form->ListBox1->setCurrentRow(2);
  form->SpeedButton5->click();
  Type(form->Edit1, QStringLiteral("x^3"));
  form->SpeedButton4->click();
  ASSERT_EQ(form->ListBox1->count(), 10);

  x1 = y1 = -7;
  x2 = y2 = 7;
  Type(form->Edit2, QStringLiteral("0"));
  Type(form->Edit1, QStringLiteral("x"));
  form->ListBox1->setCurrentRow(9);
  form->SpeedButton1->click();
  EXPECT_EQ(form->Edit1->text(), "x^3");
  EXPECT_EQ(TermFx, "x^3");
  EXPECT_EQ(x1, -2.0);
  EXPECT_EQ(y2, 30.0);
  EXPECT_NEAR(xP, 2.0, 1e-9);
  EXPECT_NEAR(xQ, 4.0, 1e-9);
  EXPECT_TRUE(form->Edit1->hasFocus());

  form->close();
  const std::string file = ReadBytes(dir.File("Bsp3.txt"));
  int sections = 0;
  for (std::size_t at = file.find("[Beispiele"); at != std::string::npos;
       at = file.find("[Beispiele", at + 1))
    ++sections;
  EXPECT_EQ(sections, 10);
  EXPECT_NE(file.find("f(x)=x^3"), std::string::npos);
  EXPECT_EQ(file.find("---"), std::string::npos);  // all ten slots hold a term

  // The next opening reads them back.
  Open();
  EXPECT_EQ(form->ListBox1->count(), 10);
}

// A hand-edited file in UTF-8 with LF line ends stays as it is when the window only opened it;
// an entry added keeps its form, its comment and the other sections' places.
TEST_F(TangentWindowTest, AFileKeepsItsFormAndWhatElseItHolds) {
  const std::string path = dir.File("Bsp3.txt");
  const std::string file = "; Fachschaft \u00C4\n[Beispiele2]\nf(x)=\u03C0*x \u2264\nxP=2\n";
  form.reset();
  WriteBytes(path, file);
  Open();
  ASSERT_EQ(form->ListBox1->count(), 1);
  EXPECT_EQ(form->ListBox1->item(0)->text(), "π*x ≤");
  form->close();
  EXPECT_EQ(ReadBytes(path), file);
  Open();
  Type(form->Edit1, "x^3");
  form->SpeedButton4->click();
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
  ReportExampleListMessage = [&](QWidget*, const QString& m) { told.push_back(m); };
  const auto add = [](TForm8& window, const QString& term) {
    TypeInto(&window, window.Edit1, term);
    window.SpeedButton4->click();
  };
  for (int i = 1; i <= 8; ++i) add(*form, QStringLiteral("x+%1").arg(i));
  form->close();
  Open();
  TForm8 other;
  other.show();
  add(other, "2*x");
  add(other, "3*x");
  other.close();
  form->ListBox1->setCurrentRow(0);
  form->SpeedButton5->click();
  add(*form, "sin(x)");
  add(*form, "cos(x)");
  form->close();
  EXPECT_EQ(told, std::vector<QString>{QStringLiteral("Die Beispieldatei „%1“ fasst höchstens 10 "
                                                      "Einträge. Nicht gespeichert: cos(x)")
                                           .arg(QString::fromStdString(dir.File("Bsp3.txt")))});
  Open();
  QStringList shown;
  for (int i = 0; i < form->ListBox1->count(); ++i) shown << form->ListBox1->item(i)->text();
  EXPECT_EQ(shown.join(' '), "x+2 x+3 x+4 x+5 x+6 x+7 x+8 2*x 3*x sin(x)");
}

TEST_F(TangentWindowTest, DraggingQ) {
  const int column = ScreenX(-2);
  form->PaintBox1MouseDown(Qt::LeftButton, column, 10);
  EXPECT_NEAR(xQ, -2, 14.0 / PlotWidth);
  form->PaintBox1MouseMove(ScreenX(5), 10);
  EXPECT_NEAR(xQ, 5, 14.0 / PlotWidth);
  EXPECT_EQ(form->Edit5->text().trimmed().left(2), "5,");
  form->PaintBox1MouseUp(Qt::LeftButton, ScreenX(5), 10);
  form->PaintBox1MouseMove(ScreenX(1), 10);  // no longer dragging
  EXPECT_NEAR(xQ, 5, 14.0 / PlotWidth);
}

}  // namespace
}  // namespace kurvio
