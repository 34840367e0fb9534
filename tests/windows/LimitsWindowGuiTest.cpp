// SPDX-License-Identifier: GPL-3.0-or-later
// The limits window: a jump's image for every delta, the bars, the zoom box,
// syntax errors, hand-edited examples and awkward views.
#include <QListWidget>
#include <QScrollBar>
#include <cmath>

#include "plot/ColourVision.h"
#include "plot/PaintBox.h"
#include "settings/Preferences.h"
#include "support/WindowFixture.h"
#include "windows/limits/LimitsWindow.h"

namespace kurvio {
namespace {

class LimitsWindowTest : public WindowTest<TForm11> {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    WriteBytes(dir.File("Bsp4.txt"), "x^3;  x-1\r\nsin(x)\r\n");  // hand-edited
    OpenWith("");
  }
  // The window opened afresh on a settings file with x² on both sides of 1 and `settings`.
  void OpenWith(const std::string& settings) {
    form.reset();
    UseSettingsIn(dir,
                  "[Funktionsterme]\nStetigkeit f1(x)=x^2\nStetigkeit f2(x)=x^2\n"
                  "[xP xQ Koordinaten]\nxP=1\n" + settings);
    Open();
  }
  void Pieces(const char* f1, const char* f2, const char* xo) {
    Type("Edit1", QString::fromUtf8(f1));
    Type("Edit3", QString::fromUtf8(f2));
    Type("Edit2", QString::fromUtf8(xo));
  }
};

// f1 = x up to 1, f2 = x + 2 beyond: the right image leaves the strip for every delta.
TEST_F(LimitsWindowTest, TheRightImageOfAJumpLeavesTheStripForEveryDelta) {
  Pieces("x", "x+2", "1");
  Type("Edit4", QStringLiteral("0,5"));
  for (int position = 1; position <= 200; ++position) {
    Find<QScrollBar>("ScrollBar2")->setValue(position);
    ASSERT_DOUBLE_EQ(form->delta, edmax * position / 200);
    ASSERT_GT(form->RightImage.yMin, 1.5) << position;
    ASSERT_EQ(form->LeftImage.yMin > 0.5, form->delta < 0.5) << position;
  }
}

TEST_F(LimitsWindowTest, OnAProjectorTheStripStaysLightUnderTheCurves) {
  QTest::keyClick(form.get(), Qt::Key_F11);  // presentation mode on
  ASSERT_TRUE(PresentationMode);
  form->RedrawPicture();
  const Color strip = Pixel(form->Bitmap(), -6.5, 1.5);  // f(xo) = 1, ε = 1
  QTest::keyClick(form.get(), Qt::Key_F11);
  EXPECT_NE(strip, Farben::Hintergrund);
  EXPECT_GE(ContrastRatio(strip, kBlack), 7);
}

TEST_F(LimitsWindowTest, EpsilonAndDeltaFollowTheirFieldsBarsAndResets) {
  OpenWith("[eps-delta-Umgebung maxRadius]\nedmax=4\n");
  for (const auto& [edit, bar, reset, value] :
       {std::tuple{"Edit4", "ScrollBar3", "SpeedButton13", &form->eps},
        {"Edit5", "ScrollBar2", "SpeedButton12", &form->delta}}) {
    SCOPED_TRACE(edit);
    Find<QScrollBar>(bar)->setValue(1);
    EXPECT_EQ(*value, edmax / 200);
    Type(edit, QStringLiteral("9"));  // off the bar: at its end, the value as typed
    EXPECT_EQ(*value, 9.0);
    EXPECT_EQ(Find<QScrollBar>(bar)->value(), 200);
    Type(edit, QStringLiteral("0,105"));
    EXPECT_EQ(Find<QScrollBar>(bar)->value(), 5);
    Click(reset);
    EXPECT_EQ(*value, 1.0);
  }
  OpenWith("[eps-delta-Umgebung maxRadius]\nedmax=0,5\n");  // the reset's 1 lies beyond it
  Click("SpeedButton12");
  EXPECT_EQ(form->delta, 0.5);
  EXPECT_EQ(Find<QScrollBar>("ScrollBar2")->value(), 200);
}

TEST_F(LimitsWindowTest, ZoomBoxDraggedBackwardsZoomsToItsCorners) {
  QWidget* box = Find("PaintBox1");
  const double left = form->ShownFrame().WorldX(100), right = form->ShownFrame().WorldX(300), top = form->ShownFrame().WorldY(100), bottom = form->ShownFrame().WorldY(250);
  QTest::mousePress(box, Qt::LeftButton, {}, QPoint(300, 250));
  emit form->paintBox->MouseMove(200, 200);
  QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(100, 100));
  EXPECT_EQ(std::vector<double>({x1, x2, y1, y2}), std::vector<double>({left, right, bottom, top}));
}

TEST_F(LimitsWindowTest, SyntaxErrorsAreReportedOnceAndThePieceCountsAsZero) {
  Pieces("x", "x", "1");
  QLineEdit* edit = Find<QLineEdit>("Edit3");
  edit->setFocus();
  edit->setText(QStringLiteral("x*(2"));
  Find("BitCheckBox2")->setFocus();
  EXPECT_EQ(messages.size(), 1u);
  EXPECT_TRUE(edit->hasFocus());
  Find<QScrollBar>("ScrollBar2")->setValue(21);  // later redraws: quietly
  EXPECT_EQ(messages.size(), 1u);
  EXPECT_EQ(form->RightImage.yMax, 0.0);
  EXPECT_EQ(form->RightImage.yMin, 0.0);
}

// A hand-edited example has no "xo =": xo stays.
TEST_F(LimitsWindowTest, HandEditedExamplesComeBackAsFarAsTheyGo) {
  Pieces("x^2", "1", "1,5");
  Find<QListWidget>("ListBox1")->setCurrentRow(0);
  Click("SpeedButton1");
  EXPECT_EQ(TermStetigkeitF1, "x^3");
  EXPECT_EQ(TermStetigkeitF2, "x-1");
  EXPECT_EQ(xP, 1.5);
}

TEST_F(LimitsWindowTest, TinyViewsAndUndefinedValuesDrawWithoutHanging) {
  OpenWith("[Koordinatensystem]\nx1=0,99995\nx2=1,00005\n");  // delta 1 over a view 0,0001 wide
  Pieces("1/(x-1)", "x/0", "1");
  EXPECT_TRUE(messages.empty());
  EXPECT_FALSE(std::isnan(form->LeftImage.yMax) || std::isnan(form->RightImage.yMin));
}

}  // namespace
}  // namespace kurvio
