// FormatNumber and FormatNumberBare across the boundaries of the two forms, the
// general form of labels and readouts, and both under a German C locale.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

#include "plot/PlotFrame.h"
#include "settings/Settings.h"
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
  // clang-format off
  const Case cases[] = {
      // clang-format off
      {2, 1.5, "  1,50     "}, {2, -1.5, " -1,50     "}, {2, 250, "  2,50 E+2"},
      {2, 0.05, "  5,00 E-2"}, {2, 0, "  0,00     "}, {2, -0.0, "  0,00     "},
      {2, 1e-21, "  0,00     "}, {2, -1e-21, "  0,00     "}, {2, 1e-20, "  1,00 E-20"},
      {2, 0.1, "  1,00 E-1"}, {2, 0.1000001, "  0,10     "}, {2, 99.99, " 99,99     "},
      {2, 99.999, "100,00     "}, {2, 100, "  1,00 E+2"}, {2, -100, " -1,00 E+2"},
      {2, 1000, "  1,00 E+3"}, {2, 1.570796327, "  1,57     "}, {2, 0.0001, "  1,00 E-4"},
      {2, -0.05, " -5,00 E-2"}, {0, 1.5, "   2     "}, {0, 250, "   2 E+2"}, {1, 0.5, "  0,5     "},
      {3, -12.3456, "-12,346     "}, {4, 3.14159, "  3,1416     "}, {4, 123456, "  1,2346 E+5"},
      {4, 1e-5, "  1,0000 E-5"}, {2, 1e49, "  1,00 E+49"},
      // clang-format on
  };
  // clang-format on
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

TEST(NumberFormat, GeneralForm) {
  struct Case {
    double value;
    int precision, exponentDigits;
    const char* text;
  };
  const Case cases[] = {
      // vertex label
      // clang-format off
      {1.234, 2, 1, "1,2"}, {-0.5, 2, 1, "-0,5"}, {150, 2, 1, "1,5E2"}, {12, 2, 1, "12"},
      {0, 2, 1, "0"}, {-0.0, 2, 1, "0"}, {1e-6, 2, 1, "1E-6"}, {0.000012, 2, 1, "0,000012"},
      {-0.0000012, 2, 1, "-1,2E-6"}, {99.96, 2, 1, "1E2"}, // rounding carries into a third digit
      {0.125, 2, 1, "0,13"}, // halves round away from zero
      {-0.125, 2, 1, "-0,13"}, {2.5, 1, 1, "3"}, {-99.96, 2, 1, "-1E2"},
      // clang-format on
      // slope readouts
      // clang-format off
      {1.0 / 3, 5, 2, "0,33333"}, {12345.6, 5, 2, "12346"}, {123456, 5, 2, "1,2346E05"},
      {-123456, 5, 2, "-1,2346E05"}, {99999.9, 5, 2, "1E05"}, {1e-7, 5, 2, "1E-07"},
      {2.5e100, 5, 2, "2,5E100"},
      // clang-format on
      // ε label: shortest form up to 15 digits; a magnitude of 0.00001 is still fixed
      // clang-format off
      {0.1, 15, 1, "0,1"}, {0.001, 15, 1, "0,001"}, {0.00001, 15, 1, "0,00001"},
      {0.1 * 0.1 * 0.1 * 0.1 * 0.1, 15, 1, "0,00001"}, {1e-6, 15, 1, "1E-6"},
      {0.1 * 0.1 * 0.1 * 0.1 * 0.1 * 0.1, 15, 1, "1E-6"},
      {9.99999999999999e-6, 15, 1, "9,99999999999999E-6"},
      {9.999999999999999e-6, 15, 1, "0,00001"}, // rounds up to the fixed range
      // clang-format on
      // tick labels
      // clang-format off
      {0.5, 4, 2, "0,5"}, {2, 4, 2, "2"}, {100000, 4, 2, "1E05"}, {1234.5, 4, 2, "1235"},
      {12345, 4, 2, "1,235E04"}, {9.9996, 4, 2, "10"}, {0.1 * 3, 4, 2, "0,3"},
      {3.0000000000000004, 4, 2, "3"}, {1e-300, 4, 2, "1E-300"},
      {std::numeric_limits<double>::denorm_min(), 4, 2, "4,941E-324"},
      {std::numeric_limits<double>::max(), 17, 2, "1,7976931348623157E308"},
      // clang-format on
      // odd arguments are clamped
      // clang-format off
      {1.5, 0, 1, "2"}, {1234, -3, 9, "1E0003"}, {0.1, 40, 1, "0,10000000000000001"},
      // clang-format on
  };
  for (const Case& c : cases)
    EXPECT_EQ(FormatGeneral(c.value, c.precision, c.exponentDigits, ','), c.text)
        << c.value << " " << c.precision << " " << c.exponentDigits;
  EXPECT_EQ(FormatGeneral(0.5, 4, 2, '.'), "0.5");
  EXPECT_EQ(FormatGeneral(150, 2, 1, '.'), "1.5E2");
  EXPECT_EQ(FormatGeneral(std::numeric_limits<double>::infinity(), 4, 2, ','), "---");
  EXPECT_EQ(FormatGeneral(-std::numeric_limits<double>::infinity(), 4, 2, ','), "---");
  EXPECT_EQ(FormatGeneral(std::numeric_limits<double>::quiet_NaN(), 4, 2, ','), "---");
}

// The fixed form of the bisection readouts: d significant digits, d places.
TEST(NumberFormat, FixedRoundsToSignificantDigitsThenToPlaces) {
  struct Case {
    double value;
    int precision, decimals;
    const char* text;
  };
  const Case cases[] = {
      // clang-format off
      {1.4142135623730951, 5, 5, "1,41420"}, {-1.4142135623730951, 5, 5, "-1,41420"},
      {1.41421356 * 1.41421356 - 2, 5, 5, "0,00000"}, // no "-0"
      {-0.0000384, 5, 5, "-0,00004"}, {0.125, 2, 2, "0,13"}, // halves away from zero
      {0.123456, 5, 2, "0,12"}, // fewer places than digits
      {12.3456789, 5, 5, "12,34600"},
      {99999.6, 5, 5, "1E0005"}, // rounds to six digits before the separator
      {99999, 5, 1, "99999,0"}, {9.99999, 5, 4, "10,0000"}, {0.96, 1, 1, "1,0"},
      {0, 4, 4, "0,0000"}, {123456, 5, 2, "1,2346E05"}, {1e300, 6, 6, "1E0300"}, {2.5, 3, 0, "3"},
      // clang-format on
  };
  for (const Case& c : cases)
    EXPECT_EQ(FormatFixed(c.value, c.precision, c.decimals, ','), c.text)
        << c.value << " " << c.precision << " " << c.decimals;
  EXPECT_EQ(FormatFixed(2.5, 3, 1, '.'), "2.5");
  EXPECT_EQ(FormatFixed(std::numeric_limits<double>::quiet_NaN(), 4, 4, ','), "---");
}

// Qt sets the C library's locale from the environment; a German one must not
// change a single character of any number text.
TEST(NumberFormat, TextsDoNotDependOnTheCLocale) {
  const auto texts = [] {
    std::string out;
    const double values[] = {0,      1.5,  -1.5,    250,   0.05,    1.0 / 3,
                             123456, 1e-6, 0.00001, 99.96, -0.0001, 1e300};
    for (double v : values) {
      out += FormatNumber(2, v) + "|" + FormatNumberBare(4, v) + "|";
      out += FormatGeneral(v, 2, 1, ',') + "|" + FormatGeneral(v, 5, 2, '.') + "|";
      out += FormatGeneral(v, 15, 1, ',') + "|" + FormatFixed(v, 5, 5, ',') + "|";
      out += TickLabel(v) + "\n";
    }
    return out;
  };
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  const char savedSeparator = DecimalSeparator;
  DecimalSeparator = ',';
  std::setlocale(LC_ALL, "C");
  const std::string underC = texts();
  if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) {
    std::setlocale(LC_ALL, saved.c_str());
    DecimalSeparator = savedSeparator;
    GTEST_SKIP() << "locale de_DE.UTF-8 is not installed";
  }
  const std::string underGerman = texts();
  std::setlocale(LC_ALL, saved.c_str());
  DecimalSeparator = savedSeparator;
  EXPECT_EQ(underGerman, underC);
  EXPECT_NE(underC.find("  2,50 E+2|"), std::string::npos) << underC;
  EXPECT_NE(underC.find("|0.33333|"), std::string::npos) << underC;
  EXPECT_NE(underC.find("|1,235E05\n"), std::string::npos) << underC;
}

}  // namespace
}  // namespace kurvio
