// The sequences window driven through its controls: the limit estimate, n0
// with its blue line, the joined points, ε against max ε, its view rule and
// its WMF-or-JPEG file button.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include "export/Export.h"
#include "export/ExportReadBack.h"
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
#include "windows/limits/SequencesWindow.h"

namespace kurvio {
namespace {

constexpr Color kBlue = 16711680;

class SequencesWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UseDefaultSettingsIn(dir);
    // A view in which terms near 0 are well apart from the axis.
    StartValues.y1 = -0.2;
    StartValues.y2 = 1.2;
    TermSequenceMode = true;
    TermFolgen = "1/n";
    SyntaxErrorReporter = [this](const std::string& m) { messages.push_back(m); };
    ReportExampleListMessage = [](QWidget*, const QString&) {};
    form = std::make_unique<TForm15>();
    form->resize(1100, 800);
    form->show();
    QApplication::processEvents();
  }
  void TearDown() override {
    form.reset();
    TermSequenceMode = false;
    SyntaxErrorReporter = nullptr;
    ReportExampleListMessage = nullptr;
    AskSaveFileName = nullptr;
    MainTerm.reset();
  }
  void Term(const QString& text) {
    form->Edit1->setText(text);
    form->Edit1Exit();
  }
  void Type(QLineEdit* edit, const QString& text) { TypeInto(form.get(), edit, text); }
  void Check(TBitCheckBox* box, bool on) {
    box->SetChecked(on);
    if (box == form->BitCheckBox1)
      form->BitCheckBox1Click();
    else
      form->DisplayCheckBoxClick();
  }
  Color Pixel(int x, int y) const { return FromQColor(QColor(form->Bitmap().pixel(x, y))); }

  TempDir dir;
  std::vector<std::string> messages;
  std::unique_ptr<TForm15> form;
};

TEST_F(SequencesWindowTest, LimitAndN0OfClassroomSequences) {
  EXPECT_EQ(x2, 18);
  EXPECT_EQ(x1, -1.5);
  Check(form->BitCheckBox1, true);
  EXPECT_FALSE(form->Edit2->isEnabled());
  Check(form->BitCheckBox3, true);
  struct Case {
    const char* term;
    double eps;
    bool found;
    double g;
    int n0;
  };
  const Case cases[] = {
      {"1/n", 0.1, true, 0, 11},  // a(10) = 0,1 is not below 0,1
      {"1+1/n", 0.5, true, 1, 3},
      {"5", 0.001, true, 5, 1},
      {"n", 0.5, false, 1e7, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.term);
    Type(form->Edit4, QString::number(c.eps).replace('.', ','));
    Term(QString::fromLatin1(c.term));
    EXPECT_EQ(form->LimitFound, c.found);
    EXPECT_DOUBLE_EQ(FolgenGrenzwert, c.g);
    EXPECT_EQ(form->Panel4->isVisibleTo(form.get()), c.found);
    if (c.found) {
      EXPECT_EQ(form->n0, c.n0);
      EXPECT_EQ(form->Label11->text(), QString::number(c.n0));
    } else {
      EXPECT_EQ(form->Edit2->text(), QStringLiteral("?"));
    }
  }
  // Without "Grenzwert bestimmen" g is shown and may be typed again.
  Check(form->BitCheckBox1, false);
  EXPECT_TRUE(form->Edit2->isEnabled());
  EXPECT_NE(form->Edit2->text(), QStringLiteral("?"));
  EXPECT_FALSE(form->Panel4->isVisibleTo(form.get()));
}

TEST_F(SequencesWindowTest, ATermWithASyntaxErrorLeavesNothingOfTheTermBefore) {
  Check(form->BitCheckBox1, true);
  Check(form->BitCheckBox3, true);
  Check(form->BitCheckBox4, true);
  Term(QStringLiteral("1+1/n"));
  EXPECT_EQ(FolgenGrenzwert, 1.0);
  Term(QStringLiteral("1+1/(n"));
  ASSERT_EQ(messages.size(), 1u);
  // The faulty term counts as 0: its limit is 0, and no red line is left at 1.
  EXPECT_EQ(FolgenGrenzwert, 0.0);
  EXPECT_NE(Pixel(ScreenX(10), ScreenY(1)), Color{255});
  EXPECT_EQ(form->Label11->text(), QStringLiteral("1"));
}

TEST_F(SequencesWindowTest, BlueLineStandsAtN0) {
  Type(form->Edit4, QStringLiteral("0,1"));
  Check(form->BitCheckBox1, true);
  Check(form->BitCheckBox3, true);
  ASSERT_EQ(form->n0, 11);
  const int row = ScreenY(0.5 / 11);  // halfway up the line from the axis to a(11)
  EXPECT_EQ(Pixel(ScreenX(11), row), kBlue);
  for (int n : {10, 12}) EXPECT_NE(Pixel(ScreenX(n), row), kBlue) << n;
  // No n0 line without its switch.
  Check(form->BitCheckBox3, false);
  EXPECT_NE(Pixel(ScreenX(11), row), kBlue);
  EXPECT_EQ(form->Label11->text(), QStringLiteral("?"));
}

TEST_F(SequencesWindowTest, OnlyPointsUpToTheRightEdgeAreJoined) {
  Term(QStringLiteral("0,5+0,4sin(n)"));
  Check(form->BitCheckBox2, true);
  testing::RecordingCanvas canvas;
  DrawCanvas = &canvas;
  ExportDrawing = true;
  form->animieren();
  ExportDrawing = false;
  DrawCanvas = nullptr;
  int joins = 0, rightmost = 0;
  for (const testing::Segment& s : canvas.segments)
    for (int n = 1; n < 1000; ++n)
      if (s.from.x == ScreenX(n) && s.to.x == ScreenX(n + 1) && s.from.y != s.to.y) {
        ++joins;
        rightmost = std::max(rightmost, s.to.x);
      }
  EXPECT_EQ(joins, 17);  // 1-2, 2-3, ..., 17-18
  EXPECT_EQ(rightmost, ScreenX(18));
}

TEST_F(SequencesWindowTest, EpsAboveItsMaximumEndsAtTheBarsEnd) {
  EXPECT_EQ(form->ScrollBar3->maximum(), 1000);
  form->ScrollBar3->setValue(500);
  EXPECT_DOUBLE_EQ(form->eps, 0.5);
  Type(form->Edit4, QStringLiteral("3"));
  EXPECT_EQ(form->ScrollBar3->value(), 1000);
  EXPECT_DOUBLE_EQ(form->eps, 1.0);  // the bar moved: its value
  Type(form->Edit4, QStringLiteral("3"));
  EXPECT_DOUBLE_EQ(form->eps, 3.0);  // it stood there already: the typed value stays
  // A larger maximum moves the bar, which puts ε on it.
  Type(form->Edit3, QStringLiteral("4"));
  EXPECT_EQ(form->ScrollBar3->value(), 750);
  EXPECT_DOUBLE_EQ(form->eps, 3.0);
  // A maximum of 0 is no width: the old one stays.
  Type(form->Edit3, QStringLiteral("0"));
  EXPECT_DOUBLE_EQ(form->epsmax, 4.0);
}

TEST_F(SequencesWindowTest, ViewKeepsTheIndexAxisJustLeftOfZero) {
  form->SpeedButton7->click();  // zoom in
  EXPECT_DOUBLE_EQ(x1, -x2 / 12);
  form->GroupBox1->rightButton->click();  // a shift to the right, tied again
  EXPECT_DOUBLE_EQ(x1, -x2 / 12);
  // Narrower than 2: InitWerte, whose view differs from the opening one.
  for (int i = 0; i < 10 && x2 != 15; ++i) {
    form->SpeedButton7->click();
    EXPECT_GE(x2 - x1, 2);
  }
  EXPECT_EQ(x1, -1);
  EXPECT_EQ(x2, 15);
  form->SpeedButton22->click();
  EXPECT_EQ(x1, -1.5);
  EXPECT_EQ(x2, 18);
  // The rubber band zooms with the same rule.
  form->PaintBox1MouseDown(Qt::LeftButton, 100, 100);
  form->PaintBox1MouseMove(400, 300);
  form->PaintBox1MouseUp(Qt::LeftButton, 400, 300);
  EXPECT_DOUBLE_EQ(x1, -x2 / 12);
}

TEST_F(SequencesWindowTest, FileButtonWritesMetafileOrJpegByTheName) {
  QString name;
  AskSaveFileName = [&](QWidget*, const QString&, const QString&, QString&) { return name; };
  name = QString::fromStdString(dir.File("folge.wmf"));
  form->SpeedButton17->click();
  QFile wmf(QString::fromStdString(dir.File("folge.wmf")));
  ASSERT_TRUE(wmf.open(QIODevice::ReadOnly));
  EXPECT_TRUE(wmf.read(4) == QByteArray("\xd7\xcd\xc6\x9a", 4));  // the placeable header

  name = QString::fromStdString(dir.File("folge.jpeg"));
  form->SpeedButton17->click();
  QFile jpg(QString::fromStdString(dir.File("folge.jpeg")));
  ASSERT_TRUE(jpg.open(QIODevice::ReadOnly));
  const QByteArray bytes = jpg.readAll();
  const QImage picture = testing::DecodeJpeg(bytes.toStdString());
  EXPECT_EQ(picture.size(), form->PaintBox1->size());
}

TEST_F(SequencesWindowTest, ExampleTakesTheTermAndEstimatesAgain) {
  Check(form->BitCheckBox1, true);
  Term(QStringLiteral("n^2"));
  EXPECT_FALSE(form->LimitFound);
  form->ListBox1->clear();
  form->ExampleList().SetEntries({"1+1/n"});
  form->ListBox1->setCurrentRow(0);
  form->SpeedButton1->click();
  EXPECT_EQ(TermFolgen, "1+1/n");
  EXPECT_TRUE(form->LimitFound);
  EXPECT_DOUBLE_EQ(FolgenGrenzwert, 1);
}

}  // namespace
}  // namespace kurvio
