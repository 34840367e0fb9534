// The scroll grid and the check of a coordinate window that every graph window shares.
#include <gtest/gtest.h>

#include <cmath>

#include "module/ScrollGrid.h"
#include "module/ViewCheck.h"
#include "settings/Settings.h"

namespace kurvio {
namespace {

TEST(ScrollGridTest, PositionsAndValues) {
  EXPECT_DOUBLE_EQ(ValueFromPosition(1, -4, 4, 200), -4 + 8.0 / 200);
  EXPECT_DOUBLE_EQ(ValueFromPosition(7, -4, 4, 0), -4);  // no grid at all
  EXPECT_EQ(PositionFromValue(1, -4, 4, 200), 125);
  EXPECT_EQ(PositionFromValue(-10, -4, 4, 200), -150);  // the scroll bar clips it
  EXPECT_EQ(PositionFromValue(1, 4, -4, 200), 75);      // reversed bounds run the other way
  EXPECT_EQ(PositionFromValue(1, 2, 2, 200), 1);        // no range at all
  EXPECT_EQ(PositionFromValue(-1e300, 0, 1, 200), -1000000000);
  // Ties go to the even position.
  EXPECT_EQ(PositionFromValue(0.5, 0, 100, 100), 0);
  EXPECT_EQ(PositionFromValue(1.5, 0, 100, 100), 2);
}

class ViewCheckTest : public ::testing::Test {
 protected:
  void SetUp() override {
    StartValues.x1 = StartValues.y1 = -7;
    StartValues.x2 = StartValues.y2 = 7;
  }
  double xa = 0, xb = 1, ya = 0, yb = 1;
  ViewRef view{xa, xb, ya, yb};
  int resets = 0;
  void Check(const ViewLimits& limits = {}, const std::function<void()>& afterClamp = {}) {
    WertePruefen(
        view,
        [this] {
          ++resets;
          InitWerte(view);
        },
        limits, afterClamp);
  }
};

TEST_F(ViewCheckTest, OwnValuesAreClampedAndResetFromTheStartValues) {
  xa = -20000;
  xb = 200000;
  ya = -3;
  yb = 3;
  Check();
  EXPECT_EQ(xa, -10000);  // the lower limit is -10000, the upper 100000
  EXPECT_EQ(xb, 100000);
  EXPECT_EQ(resets, 0);

  for (double width : {0.00005, -0.00005, std::nan("")}) {
    xa = 1;
    xb = 1 + width;
    resets = 0;
    Check();
    EXPECT_EQ(xa, -7) << width;
    EXPECT_EQ(yb, 7) << width;  // all four values come back
    EXPECT_EQ(resets, 1) << width;
  }
  // A bad width and a bad height reset twice; the second one finds the start values.
  xa = ya = 1;
  xb = yb = 1;
  resets = 0;
  Check();
  EXPECT_EQ(resets, 1);  // after the first reset the height is fine
}

TEST_F(ViewCheckTest, WindowLimitsAndItsOwnRuleAfterTheClamp) {
  // A window that keeps x between 2 and 1000 wide and moves x1 after the clamp.
  ViewLimits limits;
  limits.minWidth = 2;
  limits.maxWidth = 1000;
  limits.minHeight = 1e-7;
  xa = 0;
  xb = 12;
  ya = 0;
  yb = 1e-6;
  Check(limits, [this] { xa = -xb / 12; });
  EXPECT_EQ(xa, -1);
  EXPECT_EQ(resets, 0);  // 13 wide and 1e-6 high are within this window's limits
  xb = 1.5;              // 1.625 wide: too narrow
  Check(limits, [this] { xa = -xb / 12; });
  EXPECT_EQ(resets, 1);
  xa = 0;
  xb = 1200;  // too wide for this window
  Check(limits);
  EXPECT_EQ(resets, 2);
  EXPECT_EQ(xb, 7);
}

}  // namespace
}  // namespace kurvio
