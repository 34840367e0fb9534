// SPDX-License-Identifier: GPL-3.0-or-later
// The tangent window: deleting fixed secants, the animation of Q and the mouse.
#include <QFontInfo>
#include <QLabel>
#include <QScrollArea>
#include <QTimer>

#include "module/Presentation.h"
#include "plot/PaintBox.h"
#include "support/WindowFixture.h"
#include "widgets/TBitCheckBox.h"
#include "windows/curves/TangentWindow.h"

namespace kurvio {
namespace {

using TangentWindowTest = WindowTest<TForm8>;

// "m_s = 3" stands like "m_t = 2": the same gap between the caption and its number.
TEST_F(TangentWindowTest, BothSlopeReadoutsKeepTheGapAfterTheirCaption) {
  Open();
  const auto gap = [this](const char* readout, const char* caption) {
    const QWidget* number = Find(readout);
    for (const QLabel* label : form->findChildren<QLabel*>())
      if (label->text().startsWith(QString::fromUtf8(caption)))
        return number->x() - (label->x() + label->width());
    return -1;
  };
  EXPECT_GT(gap("Label13", "Tangentensteigung"), 0);
  EXPECT_EQ(gap("Label7", "Sekantensteigung"), gap("Label13", "Tangentensteigung"));
  // Each triangle box says whose slope its triangle shows.
  EXPECT_EQ(Find<TBitCheckBox>("BitCheckBox3")->Caption(), "Sekantensteigungsdreieck");
  EXPECT_EQ(Find<TBitCheckBox>("BitCheckBox5")->Caption(), "Tangentensteigungsdreieck");
}

// What is typed is what is drawn: P at the typed pi/2 (not the bar's 1,57) has the
// slope 0 of the top of the sine, Q a thousandth beside it a secant, and a rejected
// term leaves the legend with the term drawn in its place.
TEST_F(TangentWindowTest, TypedPointsStayAndTheLegendShowsTheTermDrawn) {
  Open();
  Click("legendBox");
  Click("BitCheckBox1");  // the tangent
  Type("Edit1", QStringLiteral("sin(x)"));
  Type("Edit2", QStringLiteral("pi/2"));
  Type("Edit5", QStringLiteral("pi/2+0,001"));
  EXPECT_EQ(Text("Label13"), QStringLiteral("0"));
  EXPECT_EQ(Text("Label7"), QStringLiteral("-0,0005"));
  EXPECT_EQ(Text("Edit5"), QStringLiteral("  1,57     "));
  Type("Edit1", QStringLiteral("|x|"));
  EXPECT_EQ(messages.size(), 1u);
  const testing::RecordingCanvas drawn = Record([&] { form->animieren(); });
  const auto legendShows = [&](const std::string& line) {
    return std::any_of(drawn.calls.begin(), drawn.calls.end(), [&](const std::string& call) {
      return call.rfind("TextOut", 0) == 0 && call.ends_with(" " + line);
    });
  };
  EXPECT_TRUE(legendShows("f(x) = 0"));
  EXPECT_FALSE(legendShows("f(x) = |x|"));
}

// In presentation mode the panel's readouts and check-box texts are twice their size
// and the panel is as wide as they need; off, they are as before.
TEST_F(TangentWindowTest, PresentationModeDoublesTheReadoutsAndWidensThePanel) {
  Open();
  const auto pixels = [&](const char* name) { return QFontInfo(Find(name)->font()).pixelSize(); };
  const int readout = pixels("Label7"), box = pixels("BitCheckBox1");
  auto* area = form->findChild<QScrollArea*>();
  const int width = area->width();
  SetPresentation(true);
  EXPECT_GE(pixels("Label7"), 2 * readout);
  EXPECT_GE(pixels("BitCheckBox1"), 2 * box);
  EXPECT_GT(area->width(), width);
  EXPECT_GE(area->width(), area->widget()->minimumSizeHint().width());
  SetPresentation(false);
  EXPECT_EQ(pixels("Label7"), readout);
  EXPECT_EQ(area->width(), width);
}

TEST_F(TangentWindowTest, DeletingTheFixedSecantsDisablesItsButton) {
  Open();
  Click("SpeedButton13");
  Click("SpeedButton24");
  EXPECT_TRUE(form->FixedSecants.IsEmpty());
  EXPECT_FALSE(Find("SpeedButton24")->isEnabled());
}

TEST_F(TangentWindowTest, AnimationTurnsAtTheEdgeAndDraggingMovesQ) {
  UseSettingsIn(dir, "[Animation]\nSchrittzahl=20\n");  // 0,7 a frame across -7..7
  Open();
  Type("Edit5", QStringLiteral("6,5"));
  double highest = xQ;
  int frames = 0;
  std::function<void()> watch = [&] {
    highest = std::max(highest, xQ);
    if (++frames < 6) return QTimer::singleShot(16, form.get(), watch);
    Click("Switch1");  // off
  };
  QTimer::singleShot(16, form.get(), watch);
  Click("Switch1");                      // on: runs until it is switched off
  EXPECT_LT(highest, 7.0 + 0.7 + 1e-9);  // turned at the right edge
  EXPECT_LT(xQ, 7.0 + 0.7);
  emit form->paintBox->MouseDown(Qt::LeftButton, form->ShownFrame().ScreenX(-2), 10);
  EXPECT_NEAR(xQ, -2, 14.0 / form->ShownFrame().width);
  emit form->paintBox->MouseMove(form->ShownFrame().ScreenX(5), 10);
  emit form->paintBox->MouseUp(Qt::LeftButton, form->ShownFrame().ScreenX(5), 10);
  emit form->paintBox->MouseMove(form->ShownFrame().ScreenX(1), 10);  // no longer dragging
  EXPECT_NEAR(xQ, 5, 14.0 / form->ShownFrame().width);
}

}  // namespace
}  // namespace kurvio
