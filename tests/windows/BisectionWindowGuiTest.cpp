// SPDX-License-Identifier: GPL-3.0-or-later
// The bisection window: the number of steps and the result, the mouse, the
// decimals and the table.
#include <QTableWidget>

#include "support/WindowFixture.h"
#include "windows/limits/BisectionTableWindow.h"
#include "windows/limits/BisectionWindow.h"

namespace kurvio {
namespace {

class BisectionWindowTest : public WindowTest<TForm13> {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    UseSettingsIn(dir, "[Funktionsterme]\nBisektion f(x)=x^2-2\n");
    Open();
  }
  void Interval(const char* a0, const char* b0) {
    Type("Edit2", QString::fromLatin1(a0));
    Type("Edit3", QString::fromLatin1(b0));
  }
  std::unique_ptr<TForm14> Table() {
    return std::make_unique<TForm14>(form.get(), form->a0, form->b0, form->eps, form->d);
  }
};

TEST_F(BisectionWindowTest, SquareRootOfTwoInEighteenStepsThenTheResult) {
  Interval("0", "2");
  for (int i = 0; i < 18; ++i) Click("SpeedButton2");
  EXPECT_EQ(form->steps, 18);
  EXPECT_TRUE(Text("Label12").isEmpty());
  Click("SpeedButton2");
  EXPECT_EQ(form->steps, 18);
  EXPECT_TRUE(Text("Label12").startsWith("x := (a + b) / 2 = 1,41421     f(x) = "));
  EXPECT_FALSE(Find("SpeedButton2")->isEnabled());
}

TEST_F(BisectionWindowTest, TheMouseChoosesTheInterval) {
  QWidget* box = Find("PaintBox1");
  // A click without dragging gives the result at once.
  QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(form->ShownFrame().ScreenX(4), 50));
  EXPECT_EQ(form->a, form->b);
  Click("SpeedButton2");
  EXPECT_EQ(Text("Label12"), " Keine Lösung!");
  // Dragged leftwards, the ends swap.
  QTest::mousePress(box, Qt::LeftButton, {}, QPoint(form->ShownFrame().ScreenX(3), 40));
  QTest::mouseMove(box, QPoint(form->ShownFrame().ScreenX(1), 40));
  QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(form->ShownFrame().ScreenX(-1), 40));
  EXPECT_NEAR(form->a, -1, 0.02);
  EXPECT_NEAR(form->b, 3, 0.02);
  // With "Zoom" ticked the same drag draws a zoom box: the view changes, the interval stays.
  Click("BitCheckBox5");
  QTest::mousePress(box, Qt::LeftButton, {}, QPoint(form->ShownFrame().ScreenX(-2), 40));
  QTest::mouseMove(box, QPoint(form->ShownFrame().ScreenX(2), 240));
  QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(form->ShownFrame().ScreenX(2), 240));
  EXPECT_NEAR(x1, -2, 0.05);
  EXPECT_NEAR(x2, 2, 0.05);
  EXPECT_NEAR(form->b, 3, 0.02);
}

TEST_F(BisectionWindowTest, DecimalsOutsideOneToSixBecomeFourAndTheTableFollows) {
  const struct {
    const char *typed, *shown;
    double eps;
    const char* label;
  } cases[] = {{"7", "4", 1e-4, "= 0,0001"},
               {"0", "4", 1e-4, "= 0,0001"},
               {"6", "6", 1e-6, "= 0,000001"},
               {"1", "1", 1e-1, "= 0,1"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    Type("Edit4", QString::fromUtf8(c.typed));
    EXPECT_EQ(Text("Edit4"), c.shown);
    EXPECT_DOUBLE_EQ(form->eps, c.eps);
    EXPECT_EQ(Text("errorBound"), c.label);
  }
  // The table starts from the start interval and ends without a solution at a pole.
  Type("Edit1", QStringLiteral("1/x"));
  Interval("1", "-1");  // typed reversed: taken the right way round
  Type("Edit4", QStringLiteral("5"));
  Click("SpeedButton2");  // steps in the window do not matter
  auto table = Table();
  ASSERT_EQ(table->grid->rowCount(), 1 + 18 + 1);
  EXPECT_EQ(table->grid->item(1, 0)->text(), "-1,00000");
  EXPECT_EQ(table->grid->item(19, 2)->text(), "Keine Lösung!");  // a pole
}

}  // namespace
}  // namespace kurvio
