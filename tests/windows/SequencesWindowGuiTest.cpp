// The sequences window driven through its controls: the limit estimate, n0
// with its blue line, the points, the number line, the joined points, ε
// against max ε, its view rule and its WMF-or-JPEG file button.
#include <QFile>
#include <QListWidget>
#include <QScrollBar>

#include "export/Export.h"
#include "export/ExportReadBack.h"
#include "support/WindowFixture.h"
#include "windows/limits/SequencesWindow.h"

namespace kurvio {
namespace {

constexpr Color kRed = 255, kBlue = 16711680;

class SequencesWindowTest : public WindowTest<TForm15> {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    // A view in which terms near 0 are well apart from the axis.
    StartValues.y1 = -0.2;
    StartValues.y2 = 1.2;
    TermSequenceMode = true;
    TermFolgen = "1/n";
    Open(1100, 800);
  }
  void TearDown() override {
    WindowTest::TearDown();
    TermSequenceMode = false;
    AskSaveFileName = nullptr;
  }
  void Term(const char* text) { Type("Edit1", QString::fromLatin1(text)); }
  void Check(const char* box, bool on) {
    Find<TBitCheckBox>(box)->SetChecked(on);
    if (std::string(box) == "BitCheckBox1")
      form->onDetermineLimitClicked();
    else
      form->onDisplayBoxClicked();
  }
  Color At(double n, double y, int dx = 0) const {
    return FromQColor(form->Bitmap().pixelColor(ScreenX(n) + dx, ScreenY(y)));
  }
};

TEST_F(SequencesWindowTest, EveryDesignNameNamesOneControl) {
  const QWidget* w = form.get();
  ExpectDesignNames(w, "QLineEdit", {"Edit1", "Edit2", "Edit3", "Edit4"});
  ExpectDesignNames(w, {{"ScrollBar3", "QScrollBar"},
                        {"Panel4", "QWidget"},
                        {"Label11", "QLabel"},
                        {"ListBox1", "QListWidget"}});
  ExpectDesignNames(w, "kurvio::TColorButton", {"ColorButton1", "ColorButton2"});
  ExpectDesignNames(
      w, "kurvio::TBitCheckBox",
      {"BitCheckBox1", "BitCheckBox2", "BitCheckBox3", "BitCheckBox4", "BitCheckBox5"});
  ExpectDesignNames(w, "QAbstractButton",
                    {"SpeedButton1", "SpeedButton3", "SpeedButton4", "SpeedButton5", "SpeedButton6",
                     "SpeedButton7", "SpeedButton13", "SpeedButton14", "SpeedButton15",
                     "SpeedButton17", "SpeedButton22", "SpeedButton23", "SpeedButton28"});
}

TEST_F(SequencesWindowTest, LimitAndN0OfClassroomSequences) {
  EXPECT_EQ(x2, 18);
  EXPECT_EQ(x1, -1.5);
  Check("BitCheckBox1", true);
  EXPECT_FALSE(Find("Edit2")->isEnabled());
  Check("BitCheckBox3", true);
  const struct {
    const char* term;
    const char* eps;
    bool found;
    double g;
    int n0;
  } cases[] = {
      {"1/n", "0,1", true, 0, 11},  // a(10) = 0,1 is not below 0,1
      {"1+1/n", "0,5", true, 1, 3},
      {"5", "0,001", true, 5, 1},
      {"n", "0,5", false, 1e7, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.term);
    Type("Edit4", QString::fromLatin1(c.eps));
    Term(c.term);
    EXPECT_EQ(form->LimitFound, c.found);
    EXPECT_DOUBLE_EQ(FolgenGrenzwert, c.g);
    EXPECT_EQ(Find("Panel4")->isVisibleTo(form.get()), c.found);
    EXPECT_EQ(form->n0, c.n0);
    EXPECT_EQ(Text("Label11"), c.found ? QString::number(c.n0) : QStringLiteral("?"));
    EXPECT_EQ(Text("Edit2") == QStringLiteral("?"), !c.found);
  }
  // Without "Grenzwert bestimmen" g is shown and may be typed again.
  Check("BitCheckBox1", false);
  EXPECT_TRUE(Find("Edit2")->isEnabled());
  EXPECT_NE(Text("Edit2"), QStringLiteral("?"));
  EXPECT_FALSE(Find("Panel4")->isVisibleTo(form.get()));
  Type("Edit2", QStringLiteral("0,5"));
  EXPECT_EQ(FolgenGrenzwert, 0.5);
}

TEST_F(SequencesWindowTest, ATermWithASyntaxErrorLeavesNothingOfTheTermBefore) {
  Check("BitCheckBox1", true);
  Check("BitCheckBox3", true);
  Check("BitCheckBox4", true);
  Term("1+1/n");
  EXPECT_EQ(FolgenGrenzwert, 1.0);
  EXPECT_EQ(At(10, 1, 3), kRed);  // the limit marked
  Term("1+1/(n");
  ASSERT_EQ(messages.size(), 1u);
  // The faulty term counts as 0: its limit is 0, and no red line is left at 1.
  EXPECT_EQ(FolgenGrenzwert, 0.0);
  EXPECT_NE(At(10, 1, 3), kRed);
  EXPECT_EQ(Text("Label11"), QStringLiteral("1"));
}

// 1/n with ε = 0,1 around 0: the strip, the dots, n0 = 11 with its line and label.
TEST_F(SequencesWindowTest, StripPointsAndTheBlueLineStandWhereTheyBelong) {
  Type("Edit4", QStringLiteral("0,1"));
  EXPECT_EQ(At(5, 0.05, 3), Farben::epsilon);
  EXPECT_EQ(At(5, -0.05, 3), Farben::epsilon);
  EXPECT_NE(At(5, 0.15, 3), Farben::epsilon);
  for (int n : {2, 4}) {
    EXPECT_EQ(At(n, 1.0 / n), kBlack) << n;  // a dot, 5 × 5 pixels
    EXPECT_EQ(At(n, 1.0 / n, 2), kBlack) << n;
    EXPECT_NE(At(n, 1.0 / n, 4), kBlack) << n;
  }
  Check("BitCheckBox1", true);
  Check("BitCheckBox3", true);
  ASSERT_EQ(form->n0, 11);
  const int row = ScreenY(0.5 / 11);  // halfway up the line from the axis to a(11)
  EXPECT_EQ(FromQColor(form->Bitmap().pixelColor(ScreenX(11), row)), kBlue);
  for (int n : {10, 12})
    EXPECT_NE(FromQColor(form->Bitmap().pixelColor(ScreenX(n), row)), kBlue) << n;
  // "n" and "o" below the axis, the "o" lower and to the right.
  const std::vector<testing::TextCall> texts = Record([this] { form->animieren(); }).texts;
  const auto drawn = [&](const char* text, int x, int y) {
    return std::any_of(texts.begin(), texts.end(), [&](const testing::TextCall& t) {
      return t.text == text && t.x == x && t.y == y;
    });
  };
  EXPECT_TRUE(drawn("n", ScreenX(11) - 4, ScreenY(0) + 16));
  EXPECT_TRUE(drawn("o", ScreenX(11) + 4, ScreenY(0) + 20));
  Check("BitCheckBox3", false);  // no n0 line without its switch
  EXPECT_NE(FromQColor(form->Bitmap().pixelColor(ScreenX(11), row)), kBlue);
  EXPECT_EQ(Text("Label11"), QStringLiteral("?"));
}

TEST_F(SequencesWindowTest, NumberLineMarksEveryVisibleTermAtTheLeftEdge) {
  EXPECT_NE(FromQColor(form->Bitmap().pixelColor(10, ScreenY(0.5))), kBlack);
  Check("BitCheckBox5", true);
  for (const double y : {1.0 / 3, 0.25, 1.0 / 7})
    EXPECT_EQ(FromQColor(form->Bitmap().pixelColor(10, ScreenY(y))), kBlack) << y;
  EXPECT_NE(FromQColor(form->Bitmap().pixelColor(10, ScreenY(0.75))), kBlack);
  EXPECT_NE(FromQColor(form->Bitmap().pixelColor(2, ScreenY(0.5))), kBlack);
}

TEST_F(SequencesWindowTest, OnlyPointsUpToTheRightEdgeAreJoined) {
  Term("0,5+0,4sin(n)");
  Check("BitCheckBox2", true);
  int joins = 0, rightmost = 0;
  for (const testing::Segment& s : Record([this] { form->animieren(); }).segments)
    for (int n = 1; n < 1000; ++n)
      if (s.from.x == ScreenX(n) && s.to.x == ScreenX(n + 1) && s.from.y != s.to.y) {
        ++joins;
        rightmost = std::max(rightmost, s.to.x);
        EXPECT_EQ(s.to.y, ScreenY(0.5 + 0.4 * std::sin(n + 1)));
      }
  EXPECT_EQ(joins, 17);  // 1-2, 2-3, ..., 17-18
  EXPECT_EQ(rightmost, ScreenX(18));
}

TEST_F(SequencesWindowTest, EpsAboveItsMaximumEndsAtTheBarsEnd) {
  auto* bar = Find<QScrollBar>("ScrollBar3");
  EXPECT_EQ(bar->maximum(), 1000);
  bar->setValue(500);
  EXPECT_DOUBLE_EQ(form->eps, 0.5);
  const struct {
    const char *field, *typed;
    int position;
    double eps;
  } steps[] = {{"Edit4", "3", 1000, 1.0},  // the bar moved: its value
               {"Edit4", "3", 1000, 3.0},  // it stood there already: the typed value stays
               {"Edit3", "4", 750, 3.0},   // a larger maximum moves the bar
               {"Edit3", "0", 750, 3.0}};  // a maximum of 0 is no width: the old one stays
  for (const auto& s : steps) {
    Type(s.field, QString::fromLatin1(s.typed));
    EXPECT_EQ(bar->value(), s.position) << s.field << s.typed;
    EXPECT_DOUBLE_EQ(form->eps, s.eps) << s.field << s.typed;
  }
  EXPECT_DOUBLE_EQ(form->epsmax, 4.0);
  Click("SpeedButton13");
  EXPECT_EQ(form->eps, 1.0);
  EXPECT_EQ(bar->value(), 250);
}

TEST_F(SequencesWindowTest, ViewKeepsTheIndexAxisJustLeftOfZero) {
  Click("SpeedButton7");  // zoom in
  EXPECT_DOUBLE_EQ(x1, -x2 / 12);
  Click("SpeedButton9");  // a shift to the right, tied again
  EXPECT_DOUBLE_EQ(x1, -x2 / 12);
  // Narrower than 2: InitWerte, whose view differs from the opening one.
  for (int i = 0; i < 10 && x2 != 15; ++i) {
    Click("SpeedButton7");
    EXPECT_GE(x2 - x1, 2);
  }
  EXPECT_EQ(x1, -1);
  EXPECT_EQ(x2, 15);
  Click("SpeedButton22");
  EXPECT_EQ(x1, -1.5);
  EXPECT_EQ(x2, 18);
  // The rubber band zooms with the same rule.
  form->onPaintBoxMouseDown(Qt::LeftButton, 100, 100);
  form->onPaintBoxMouseMove(400, 300);
  form->onPaintBoxMouseUp(Qt::LeftButton, 400, 300);
  EXPECT_DOUBLE_EQ(x1, -x2 / 12);
}

TEST_F(SequencesWindowTest, FileButtonWritesMetafileOrJpegByTheName) {
  QString name;
  AskSaveFileName = [&](QWidget*, const QString&, const QString&, QString&) { return name; };
  name = QString::fromStdString(dir.File("folge.wmf"));
  Click("SpeedButton17");
  QFile wmf(name);
  ASSERT_TRUE(wmf.open(QIODevice::ReadOnly));
  EXPECT_TRUE(wmf.read(4) == QByteArray("\xd7\xcd\xc6\x9a", 4));  // the placeable header
  name = QString::fromStdString(dir.File("folge.jpeg"));
  Click("SpeedButton17");
  QFile jpg(name);
  ASSERT_TRUE(jpg.open(QIODevice::ReadOnly));
  EXPECT_EQ(testing::DecodeJpeg(jpg.readAll().toStdString()).size(), Find("PaintBox1")->size());
}

TEST_F(SequencesWindowTest, ExampleTakesTheTermAndEstimatesAgain) {
  Check("BitCheckBox1", true);
  Term("n^2");
  EXPECT_FALSE(form->LimitFound);
  auto* list = Find<QListWidget>("ListBox1");
  list->clear();
  form->ExampleList().SetEntries({"1+1/n"});
  list->setCurrentRow(0);
  Click("SpeedButton1");
  EXPECT_EQ(TermFolgen, "1+1/n");
  EXPECT_TRUE(form->LimitFound);
  EXPECT_DOUBLE_EQ(FolgenGrenzwert, 1);
}

}  // namespace
}  // namespace kurvio
