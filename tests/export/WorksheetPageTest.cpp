// SPDX-License-Identifier: GPL-3.0-or-later
// The page of a worksheet: which way A4 is turned, where the coordinate system
// lies, when it is too large, and how far apart the numbers stand.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "export/WorksheetPage.h"

namespace kurvio {
namespace {

TEST(WorksheetPageTest, TheCoordinateSystemIsCentredOnThePageItFitsBest) {
  const struct {
    WorldWindow view;
    int plots;
    bool landscape;
    double left, top;  // mm; the title line's 10 mm lie above `top`
  } cases[] = {
      {{-5, 5, -8, 8}, 1, false, 55, 73.5},
      {{-8, 8, -3, 3}, 1, true, 68.5, 80},        // wider than high: turned
      {{0, 18, 0, 17.5}, 1, false, 15, 66},       // wider, but only upright holds it
      {{0, 26.7, 0, 17}, 1, true, 15, 25},        // exactly the turned page's room
      {{-4, 4, -3, 3}, 2, false, 65, 93.5},       // two plots one above the other
      {{-1.5, 1.5, -1, 1}, 1, true, 133.5, 100},  // small and wide
  };
  for (const auto& c : cases) {
    const WorksheetPage page = LayOutWorksheet(c.view, c.plots);
    SCOPED_TRACE(c.view.x2);
    ASSERT_TRUE(page.fits) << page.problem;
    EXPECT_EQ(page.landscape, c.landscape);
    EXPECT_EQ(page.paperWidth, c.landscape ? 297 : 210);
    EXPECT_EQ(page.paperHeight, c.landscape ? 210 : 297);
    EXPECT_DOUBLE_EQ(page.width, (c.view.x2 - c.view.x1) * 10);
    EXPECT_DOUBLE_EQ(page.height, c.plots * (c.view.y2 - c.view.y1) * 10);
    EXPECT_NEAR(page.left, c.left, 1e-9);
    EXPECT_NEAR(page.top, c.top, 1e-9);
  }
}

TEST(WorksheetPageTest, AViewTooLargeForEitherWaySaysWhatItNeeds) {
  EXPECT_EQ(LayOutWorksheet({-10, 10, -10, 10}, 1).problem,
            "Das Koordinatensystem ist für ein Arbeitsblatt zu groß: x von -10 bis 10 braucht "
            "20 cm, y von -10 bis 10 braucht 20 cm; auf die Seite passen hochkant 18 × 25,7 cm "
            "oder quer 26,7 × 17 cm.");
  const WorksheetPage two = LayOutWorksheet({-2.5, 2.5, -7, 7}, 2);
  EXPECT_FALSE(two.fits);
  EXPECT_NE(two.problem.find("x von -2,5 bis 2,5 braucht 5 cm, y von -7 bis 7 braucht 2 × 14 cm"),
            std::string::npos)
      << two.problem;
  EXPECT_FALSE(LayOutWorksheet({0, 18.01, 0, 17.5}, 1).fits);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (const WorldWindow& broken :
       {WorldWindow{1, 1, 0, 1}, WorldWindow{0, 1, 2, 1}, WorldWindow{nan, 1, 0, 1}})
    EXPECT_EQ(LayOutWorksheet(broken, 1).problem,
              "Für dieses Koordinatensystem gibt es kein Arbeitsblatt.");
}

TEST(WorksheetPageTest, NumbersStandOneTwoOrFiveTimesAPowerOfTenUnitsApart) {
  const std::pair<double, double> cases[] = {{0, 1},    {7.9, 1}, {8.1, 2},  {18, 2},
                                             {18.1, 5}, {60, 10}, {150, 20}, {-3, 1}};
  for (const auto& [labelMm, step] : cases)
    EXPECT_EQ(WorksheetNumberStep(labelMm), step) << labelMm;
  EXPECT_EQ(WorksheetNumberStep(std::numeric_limits<double>::quiet_NaN()), 1);
}

}  // namespace
}  // namespace kurvio
