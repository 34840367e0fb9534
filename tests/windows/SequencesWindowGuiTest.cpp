// The sequences window: the limit estimate, n0 with its line, the points, the
// number line, the joined points, ε against max ε, the view rule and files.
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
    StartValues.y1 = -0.2;  // terms near 0 well apart from the axis
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
  Check("BitCheckBox1", true);
  EXPECT_FALSE(Find("Edit2")->isEnabled());
  Check("BitCheckBox3", true);
  const struct {
    const char *term, *eps;
    bool found;
    double g;
    int n0;
  } cases[] = {
      {"1/n", "0,1", true, 0, 11},  // a(10) = 0,1 is not below 0,1
      {"1+1/n", "0,5", true, 1, 3},
      {"n", "0,5", false, 1e7, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.term);
    Type("Edit4", QString::fromLatin1(c.eps));
    Type("Edit1", QString::fromLatin1(c.term));
    EXPECT_DOUBLE_EQ(FolgenGrenzwert, c.g);
    EXPECT_EQ(Find("Panel4")->isVisibleTo(form.get()), c.found);
    EXPECT_EQ(Text("Label11"), c.found ? QString::number(c.n0) : QStringLiteral("?"));
    EXPECT_EQ(Text("Edit2") == QStringLiteral("?"), !c.found);
  }
  Check("BitCheckBox1", false);  // without "Grenzwert bestimmen" g may be typed again
  EXPECT_TRUE(Find("Edit2")->isEnabled());
  Type("Edit2", QStringLiteral("0,5"));
  EXPECT_EQ(FolgenGrenzwert, 0.5);
  // A term with a syntax error counts as 0: its limit is 0, and no red line is left at 1.
  for (const char* box : {"BitCheckBox1", "BitCheckBox4"}) Check(box, true);
  Type("Edit1", QStringLiteral("1+1/n"));
  EXPECT_EQ(At(10, 1, 3), kRed);  // the limit marked
  Type("Edit1", QStringLiteral("1+1/(n"));
  EXPECT_EQ(messages.size(), 1u);
  EXPECT_EQ(FolgenGrenzwert, 0.0);
  EXPECT_NE(At(10, 1, 3), kRed);
}

// 1/n with ε = 0,1 around 0: the strip, the dots, n0 = 11 with its line and label.
TEST_F(SequencesWindowTest, StripPointsAndTheBlueLineStandWhereTheyBelong) {
  Type("Edit4", QStringLiteral("0,1"));
  EXPECT_EQ(At(5, 0.05, 3), Farben::epsilon);
  EXPECT_EQ(At(5, -0.05, 3), Farben::epsilon);
  EXPECT_NE(At(5, 0.15, 3), Farben::epsilon);
  EXPECT_EQ(At(4, 0.25, 2), kBlack);  // a dot, 5 × 5 pixels
  EXPECT_NE(At(4, 0.25, 4), kBlack);
  Check("BitCheckBox1", true);
  Check("BitCheckBox3", true);
  const double halfway = 0.5 / 11;  // up the line from the axis to a(11)
  EXPECT_EQ(At(11, halfway), kBlue);
  EXPECT_NE(At(10, halfway), kBlue);
  EXPECT_NE(At(12, halfway), kBlue);
  std::string labels;  // "n" and "o" below the axis, the "o" lower and to the right
  for (const testing::TextCall& t : Record([this] { form->animieren(); }).texts)
    if ((t.text == "n" && t.x == ScreenX(11) - 4 && t.y == ScreenY(0) + 16) ||
        (t.text == "o" && t.x == ScreenX(11) + 4 && t.y == ScreenY(0) + 20))
      labels += t.text;
  EXPECT_EQ(labels, "no");
  Check("BitCheckBox3", false);  // no n0 line without its switch
  EXPECT_NE(At(11, halfway), kBlue);
  EXPECT_EQ(Text("Label11"), QStringLiteral("?"));
}

TEST_F(SequencesWindowTest, NumberLineMarksTermsAtTheLeftEdgeAndOnlyVisiblePointsAreJoined) {
  const auto edge = [this](int x, double y) {
    return FromQColor(form->Bitmap().pixelColor(x, ScreenY(y))) == kBlack;
  };
  EXPECT_FALSE(edge(10, 0.5));
  Check("BitCheckBox5", true);
  for (const double y : {1.0 / 3, 0.25, 1.0 / 7}) EXPECT_TRUE(edge(10, y)) << y;
  EXPECT_FALSE(edge(10, 0.75));
  EXPECT_FALSE(edge(2, 0.5));
  Type("Edit1", QStringLiteral("0,5+0,4sin(n)"));
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

TEST_F(SequencesWindowTest, MaxEpsMovesTheBarAndAWidthOfZeroIsRefused) {
  auto* bar = Find<QScrollBar>("ScrollBar3");
  Type("Edit4", QStringLiteral("3"));
  Type("Edit4", QStringLiteral("3"));  // at the bar's end already: the typed value stays
  for (const auto& [max, position] : {std::pair{"4", 750}, {"0", 750}}) {
    Type("Edit3", QString::fromLatin1(max));
    EXPECT_EQ(bar->value(), position) << max;
    EXPECT_DOUBLE_EQ(form->eps, 3.0) << max;
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
  for (int i = 0; i < 10 && x2 != 15; ++i) {  // narrower than 2: the start values
    Click("SpeedButton7");
    EXPECT_GE(x2 - x1, 2);
  }
  EXPECT_EQ(x1, -1);
  Click("SpeedButton22");
  EXPECT_EQ(x1, -1.5);
  EXPECT_EQ(x2, 18);
  form->onPaintBoxMouseDown(Qt::LeftButton, 100, 100);  // the rubber band: the same rule
  form->onPaintBoxMouseMove(400, 300);
  form->onPaintBoxMouseUp(Qt::LeftButton, 400, 300);
  EXPECT_DOUBLE_EQ(x1, -x2 / 12);
}

TEST_F(SequencesWindowTest, FileButtonWritesMetafileOrJpegByTheName) {
  QString name;
  AskSaveFileName = [&](QWidget*, const QString&, const QString&, QString&) { return name; };
  name = QString::fromStdString(dir.File("folge.wmf"));
  Click("SpeedButton17");
  EXPECT_EQ(ReadBytes(name.toStdString()).substr(0, 4), "\xd7\xcd\xc6\x9a");  // placeable header
  name = QString::fromStdString(dir.File("folge.jpeg"));
  Click("SpeedButton17");
  EXPECT_EQ(testing::DecodeJpeg(ReadBytes(name.toStdString())).size(), Find("PaintBox1")->size());
}

TEST_F(SequencesWindowTest, ExampleTakesTheTermAndEstimatesAgain) {
  Check("BitCheckBox1", true);
  Type("Edit1", QStringLiteral("n^2"));
  EXPECT_FALSE(form->LimitFound);
  auto* list = Find<QListWidget>("ListBox1");
  list->clear();
  form->ExampleList().SetEntries({"1+1/n"});
  list->setCurrentRow(0);
  Click("SpeedButton1");
  EXPECT_TRUE(form->LimitFound);
  EXPECT_DOUBLE_EQ(FolgenGrenzwert, 1);
}

}  // namespace
}  // namespace kurvio
