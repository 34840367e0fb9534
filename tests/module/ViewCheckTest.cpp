// SPDX-License-Identifier: GPL-3.0-or-later
// The scroll grid and the check of a coordinate window that every graph window shares.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "module/ScrollGrid.h"
#include "module/ViewCheck.h"
#include "settings/Settings.h"
#include "support/KeptText.h"

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
  EXPECT_EQ(PositionFromValue(1e300, 0, 1, 200), 1000000000);
  // Ties go to the even position.
  EXPECT_EQ(PositionFromValue(0.5, 0, 100, 100), 0);
  EXPECT_EQ(PositionFromValue(1.5, 0, 100, 100), 2);
}

// Views checked against the default limits and a window's own (lowest -100, 2 to 1000 wide, at
// least 1e-7 high, x widened by 1 to the left after the clamp), each with the view after it and
// the resets to the start values -7..7: kept in tests/pictures/module/view-check.txt. A size at a
// limit is usable, NaN never; after a reset for the width the height is checked on the start
// values.
TEST(ViewCheckTest, ViewsAsKept) {
  StartValues.x1 = StartValues.y1 = -7;
  StartValues.x2 = StartValues.y2 = 7;
  ViewLimits own;
  own.lowest = -100;
  own.minWidth = 2;
  own.maxWidth = 1000;
  own.minHeight = 1e-7;
  const double views[][4] = {
      {-20000, 200000, -3, 3}, {-20000, 200000, -20000, 200000},
      {1, 1.00005, 0, 1},      {1, 0.99995, 0, 1},
      {1, NAN, 0, 1},          {1, 1, 1, 1},
      {0, 0.0001, 0, 0.0001},  {0, 0.0001, 0, 0.00009},
      {0, 1, 0, 1e-7},         {0, 0.99, 0, 1},
      {0, 999, 0, 1},          {0, 999.5, 0, 1},
      {-200, 800, 0, 1},       {0, 1, 0, 0.9e-7},
  };
  std::string produced;
  for (const bool ownLimits : {false, true}) {
    produced += ownLimits ? "own limits:\n" : "default limits:\n";
    for (const auto& v : views) {
      double xa = v[0], xb = v[1], ya = v[2], yb = v[3];
      const ViewRef view{xa, xb, ya, yb};
      int resets = 0;
      const auto reset = [&] {
        ++resets;
        InitWerte(view);
      };
      if (ownLimits)
        WertePruefen(view, reset, own, [&] { xa -= 1; });
      else
        WertePruefen(view, reset);
      for (const double d : v) produced += testing::KeptNumber(d) + " ";
      produced += "->";
      for (const double d : {xa, xb, ya, yb}) produced += " " + testing::KeptNumber(d);
      produced += ", resets " + std::to_string(resets) + "\n";
    }
  }
  EXPECT_TRUE(testing::MatchesKept("module/view-check.txt", produced));
}

}  // namespace
}  // namespace kurvio
