// SPDX-License-Identifier: GPL-3.0-or-later
// The sequences window: a typed limit and that of a faulty term, ε against
// max ε, and the view rule.
#include <algorithm>
#include <QScrollBar>

#include "app/ModuleLauncher.h"
#include "plot/PaintBox.h"
#include "support/WindowFixture.h"
#include "windows/limits/SequencesWindow.h"

namespace kurvio {
namespace {

class SequencesWindowTest : public WindowTest<TForm15> {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    UseSettingsIn(dir, "[Funktionsterme]\nFolgen a(n)=1/n\n");
    StartValues.y1 = -0.2;  // terms near 0 well apart from the axis
    StartValues.y2 = 1.2;
    Open(1100, 800);
  }
  void TearDown() override {
    WindowTest::TearDown();
    AskSaveFileName = nullptr;
  }
  const LaunchModes modes_{{.termSequenceMode = true}};  // as the start window opens it
  void Check(const char* box, bool on) {
    Find<TBitCheckBox>(box)->SetChecked(on);
    if (std::string(box) == "BitCheckBox1")
      form->onDetermineLimitClicked();
    else
      form->onDisplayBoxClicked();
  }
};

// Without "Grenzwert bestimmen" g may be typed; with it, a term with a syntax
// error counts as 0, and so does its limit.
TEST_F(SequencesWindowTest, TypedLimitAndTheLimitOfAFaultyTerm) {
  Check("BitCheckBox1", false);
  Type("Edit2", QStringLiteral("0,5"));
  EXPECT_EQ(FolgenGrenzwert, 0.5);
  Check("BitCheckBox1", true);
  Type("Edit1", QStringLiteral("1+1/n"));
  EXPECT_EQ(FolgenGrenzwert, 1.0);
  Type("Edit1", QStringLiteral("1+1/(n"));
  EXPECT_EQ(messages.size(), 1u);
  EXPECT_EQ(FolgenGrenzwert, 0.0);
}

// The ε-strip lies around g: around the limit found or the one typed, and nowhere while
// the search finds none ("g = ?").
TEST_F(SequencesWindowTest, TheStripNeedsALimit) {
  const auto strips = [this] {
    const testing::RecordingCanvas drawn = Record([this] { form->animieren(); });
    return std::count_if(drawn.calls.begin(), drawn.calls.end(),
                         [](const std::string& c) { return c.rfind("Rectangle", 0) == 0; });
  };
  Check("BitCheckBox1", true);
  Type("Edit1", QStringLiteral("1/n"));
  EXPECT_EQ(strips(), 1);
  Type("Edit1", QStringLiteral("n"));
  EXPECT_EQ(Text("Edit2"), QStringLiteral("?"));
  EXPECT_EQ(strips(), 0);
  Check("BitCheckBox1", false);
  Type("Edit2", QStringLiteral("3"));
  EXPECT_EQ(strips(), 1);
}

// The n0 part keeps its room while hidden: nothing below it moves as a limit is found.
TEST_F(SequencesWindowTest, TheControlsBelowStayWhenALimitIsFound) {
  const auto below = [this] {
    QApplication::processEvents();
    return Find("ListBox1")->mapTo(form.get(), QPoint());
  };
  Check("BitCheckBox1", false);
  const auto without = below();
  Check("BitCheckBox1", true);
  ASSERT_TRUE(Find("Panel4")->isVisible());
  EXPECT_EQ(below(), without);
}

TEST_F(SequencesWindowTest, MaxEpsMovesTheBarAndAWidthOfZeroIsRefused) {
  auto* bar = Find<QScrollBar>("ScrollBar3");
  Type("Edit4", QStringLiteral("3"));  // beyond the bar: at its end, the value as typed
  EXPECT_EQ(bar->value(), 1000);
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
  for (int i = 0; i < 10 && x2 != 15; ++i) {  // narrower than 2: the start values
    Click("SpeedButton7");
    EXPECT_GE(x2 - x1, 2);
  }
  EXPECT_EQ(x1, -1);
  emit form->paintBox->MouseDown(Qt::LeftButton, 100, 100);  // the rubber band: the same rule
  emit form->paintBox->MouseMove(400, 300);
  emit form->paintBox->MouseUp(Qt::LeftButton, 400, 300);
  EXPECT_DOUBLE_EQ(x1, -x2 / 12);
}

}  // namespace
}  // namespace kurvio
