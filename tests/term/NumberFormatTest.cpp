// FormatNumber and FormatNumberBare across the boundaries of the two forms.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "term/NumberFormat.h"
#include "term/Term.h"

namespace kurvio {
namespace {

TEST(NumberFormat, FormsAndWidths) {
  struct Case {
    int decimals;
    double value;
    const char* text;
  };
  const Case cases[] = {
      {2, 1.5, "  1,50     "},
      {2, -1.5, " -1,50     "},
      {2, 250, "  2,50 E+2"},
      {2, 0.05, "  5,00 E-2"},
      {2, 0, "  0,00     "},
      {2, -0.0, "  0,00     "},
      {2, 1e-21, "  0,00     "},
      {2, -1e-21, "  0,00     "},
      {2, 1e-20, "  1,00 E-20"},
      {2, 0.1, "  1,00 E-1"},
      {2, 0.1000001, "  0,10     "},
      {2, 99.99, " 99,99     "},
      {2, 99.999, "100,00     "},
      {2, 100, "  1,00 E+2"},
      {2, -100, " -1,00 E+2"},
      {2, 1000, "  1,00 E+3"},
      {2, 1.570796327, "  1,57     "},
      {2, 0.0001, "  1,00 E-4"},
      {2, -0.05, " -5,00 E-2"},
      {0, 1.5, "   2     "},
      {0, 250, "   2 E+2"},
      {1, 0.5, "  0,5     "},
      {3, -12.3456, "-12,346     "},
      {4, 3.14159, "  3,1416     "},
      {4, 123456, "  1,2346 E+5"},
      {4, 1e-5, "  1,0000 E-5"},
      {2, 1e49, "  1,00 E+49"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FormatNumber(c.decimals, c.value), c.text) << c.decimals << " " << c.value;
}

TEST(NumberFormat, BareDropsOnlyTheTrailingBlanks) {
  EXPECT_EQ(FormatNumberBare(2, 1.5), "  1,50");
  EXPECT_EQ(FormatNumberBare(2, 250), "  2,50 E+2");
  EXPECT_EQ(FormatNumberBare(2, 0), "  0,00");
}

TEST(NumberFormat, OddInputStaysSane) {
  EXPECT_EQ(FormatNumber(-3, 1.5), FormatNumber(0, 1.5));
  EXPECT_LT(FormatNumber(1000, 1.5).size(), 40u);
  EXPECT_NE(FormatNumber(2, std::numeric_limits<double>::infinity()).find("---"),
            std::string::npos);
  EXPECT_NE(FormatNumber(2, std::numeric_limits<double>::quiet_NaN()).find("---"),
            std::string::npos);
  EXPECT_EQ(FormatNumber(2, 1e300), "  1,00 E+300");
}

// Every text FormatNumber writes reads back through the term compiler.
TEST(NumberFormat, ReadsBackThroughTheCompiler) {
  const double values[] = {1.5, -1.5, 250, 0.05, 1000, -0.0001, 12345.678, 1e-20, 99.5};
  for (double v : values) {
    const std::string text = FormatNumber(4, v);
    CompileTerm(NumberTerm, text, false);
    ASSERT_TRUE(TermDefined) << text;
    const double back = EvalTerm(NumberTerm, 0, 0, 0, 0, 0, 0);
    EXPECT_NEAR(back, v, 1e-4 * std::fabs(v)) << text;
  }
  NumberTerm.reset();
}

}  // namespace
}  // namespace kurvio
