// SPDX-License-Identifier: GPL-3.0-or-later
// The legend goes to the first corner its curve crosses least; subscript digits go lower.
#include "plot/Legend.h"

#include "plot/PlotTestSupport.h"

namespace kurvio::testing {
namespace {

using LegendTest = PlotTest;

TEST_F(LegendTest, GoesBelowACurveAlongTheTopToTheLeft) {
  DrawLegend(frame, {"f(x) = 1", "a = 2"}, [](const double*, std::size_t count, double* y, bool* defined) {
    for (std::size_t i = 0; i < count; ++i) y[i] = 6.8, defined[i] = true;  // row 10
  });
  // 8 characters of 7 pixels, two lines of 16, 4 pixels inside, 8 from the edges.
  EXPECT_EQ(canvas.calls,
            (std::vector<std::string>{"Rectangle 8 652 72 692", "TextOut 12 656 f(x) = 1",
                                      "TextOut 12 672 a = 2"}));
}

TEST(WrittenText, ASubscriptDigitIsLoweredBetweenTheRunsAroundIt) {
  RecordingCanvas c;
  WriteText(c, 10, 20, "x\u2081 = 2\u20AC");  // "x₁ = 2€": the euro sign is no digit
  EXPECT_EQ(c.calls, (std::vector<std::string>{"TextOut 10 20 x", "TextOut 17 25 1",
                                               "TextOut 24 20  = 2\u20AC"}));
  EXPECT_EQ(WrittenTextWidth(c, "x\u2081 = 2\u20AC"), 7 + 7 + 7 * 7);
}

}  // namespace
}  // namespace kurvio::testing
