// SPDX-License-Identifier: GPL-3.0-or-later
// The number texts: every form of a table of values kept in
// tests/pictures/core/number-texts.txt (see support/KeptText.h), and the rules around
// them: odd arguments, the round trip through the compiler, the C locale.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

#include "plot/PlotFrame.h"
#include "support/KeptText.h"
#include "term/NumberFormat.h"
#include "term/Term.h"

namespace kurvio::testing {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

const double kValues[] = {
    // clang-format off
    0, -0.0, 1.5, -1.5, 250, 0.05, -0.05, 1e-21, -1e-21, 1e-20, 0.1, 0.1000001, 99.99, 99.999,
    100, -100, 1000, 1.570796327, 0.0001, 0.5, -12.3456, 3.14159, 123456, -123456, 1e-5, 1e49,
    1e300, 1.234, -0.5, 150, 12, 1e-6, 0.000012, -0.0000012, 99.96, -99.96, 0.125, -0.125, 2.5,
    1.0 / 3, 12345.6, 99999.9, 1e-7, 2.5e100, 0.001, 0.00001, 0.1 * 0.1 * 0.1 * 0.1 * 0.1,
    0.1 * 0.1 * 0.1 * 0.1 * 0.1 * 0.1, 9.99999999999999e-6, 9.999999999999999e-6, 2, 100000,
    1234.5, 12345, 9.9996, 0.1 * 3, 3.0000000000000004, 1e-300,
    std::numeric_limits<double>::denorm_min(), std::numeric_limits<double>::max(),
    1.4142135623730951, -1.4142135623730951, 1.41421356 * 1.41421356 - 2, -0.0000384, 0.123456,
    12.3456789, 99999.6, 99999, 9.99999, 0.96, 1.0 / 64, -kInf, std::nan(""),
    // clang-format on
};

// Every form of every value, the labels with their separator too.
std::string AllForms() {
  // Precision and exponent digits of the general form, the last three clamped;
  // precision and places of the fixed one.
  const int kGeneral[] = {1, 2, 4, 5, 15, 17, 0, -3, 40};
  const int kFixed[][2] = {{1, 1}, {2, 2}, {3, 0}, {4, 4}, {5, 1}, {5, 2}, {5, 4}, {5, 5}, {6, 6}};
  std::string kept;
  for (double v : kValues) {
    kept += KeptNumber(v) + "\n  number:";
    for (int decimals = -1; decimals <= 4; ++decimals)
      kept += " [" + FormatNumber(decimals, v) + "]";
    kept += "\n  general:";
    for (int g : kGeneral) kept += " [" + FormatGeneral(v, g, ',') + "]";
    kept += "\n  fixed:";
    for (const auto& f : kFixed) kept += " [" + FormatFixed(v, f[0], f[1], ',') + "]";
    kept += "\n  readout:";
    for (int decimals = -1; decimals <= 4; ++decimals)
      kept += " [" + FormatReadout(decimals, v) + "]";
    kept += "\n  bare, with a point, label: [" + FormatNumberBare(4, v) + "] [" +
            FormatGeneral(v, 5, '.') + "] [" + TickLabel(v, ',') + "]\n";
  }
  return kept;
}

TEST(NumberFormat, EveryFormOfTheValuesAsKept) {
  EXPECT_TRUE(MatchesKept("core/number-texts.txt", AllForms()));
}

TEST(NumberFormat, OddArgumentsAreClampedAndTheSeparatorFollowed) {
  EXPECT_LT(FormatNumber(1000, 1.5).size(), 40u);
  EXPECT_EQ(FormatNumberBare(2, 1.5), "  1,50");  // only the trailing blanks dropped
  EXPECT_EQ(FormatNumberBare(2, 2.5e5), "  2,50 E+5");
  // A mantissa rounded up to 10 moves the exponent.
  EXPECT_EQ(FormatReadout(2, -999700), "-1,00 E+6");
  EXPECT_EQ(FormatNumberBare(2, 9.997e-5), "  1,00 E-4");
  EXPECT_EQ(FormatGeneral(150, 2, '.'), "1.5 E+2");
  EXPECT_EQ(FormatFixed(2.5, 3, 1, '.'), "2.5");
  EXPECT_EQ(FormatGeneral(kInf, 4, ','), "---");
  EXPECT_EQ(FormatFixed(std::nan(""), 4, 4, ','), "---");
  EXPECT_NE(FormatNumber(2, kInf).find("---"), std::string::npos);
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

// Qt sets the C library's locale from the environment; a German one must not
// change a single character of any number text.
TEST(NumberFormat, TextsDoNotDependOnTheCLocale) {
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  std::setlocale(LC_ALL, "C");
  const std::string underC = AllForms();
  const bool german = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
  const std::string underGerman = AllForms();
  std::setlocale(LC_ALL, saved.c_str());
  if (!german) GTEST_SKIP() << "locale de_DE.UTF-8 is not installed";
  EXPECT_EQ(underGerman, underC);
}

// Only the decimals an error estimate leaves certain: the last digit shown is
// off by less than half a unit.
TEST(NumberFormat, CertainDigitsOnly) {
  constexpr int kNone = -1;
  const struct {
    int decimals;
    double value, error;
    int shownDecimals;  // FormatReadout(shownDecimals, shownValue), or nothing
    double shownValue;
  } cases[] = {
      // clang-format off
      {2, 6.2831853, 1e-9, 2, 6.2831853}, {2, 6.2831853, 0.0049, 2, 6.2831853},
      {2, 6.2831853, 0.005, 1, 6.2831853}, {2, 6.2831853, 0.3, 0, 6.2831853},
      {2, 6.2831853, 0.5, kNone, 0}, {4, 1.44189, 3e-3, 2, 1.44189},
      // In the exponent form the last digit's unit follows the exponent.
      {2, 123456.78, 1, 2, 123456.78}, {2, 123456.78, 600, 1, 123456.78},
      {2, -123456.78, 6000, 0, -123456.78}, {2, 123456.78, 60000, kNone, 0},
      {2, 1234.5678, 0.01, 1, 1234.5678}, {2, 1234.5678, 0.3, 0, 1234.5678},
      {2, 0.012345, 1e-6, 2, 0.012345}, {2, 0.012345, 1e-4, 2, 0.012345}, {2, 0.012345, 0.006, 1, 0.012345},
      // Within the error of zero: zero, without a sign or an exponent.
      {2, 2.2e-16, 4.4e-14, 2, 0}, {2, -3e-15, 1e-13, 2, 0}, {2, 0.003, 0.004, 2, 0},
      {2, -0.3, 0.4, 0, 0}, {2, 0.0, 0.0, 2, 0},
      // Nothing certain about a value that is not one.
      {2, NAN, 0, kNone, 0}, {2, 1, INFINITY, kNone, 0}, {2, 1, NAN, kNone, 0},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.value << " ± " << c.error);
    const std::string expected =
        c.shownDecimals == kNone ? "" : FormatReadout(c.shownDecimals, c.shownValue);
    EXPECT_EQ(FormatCertain(c.decimals, c.value, c.error), expected);
  }
  EXPECT_EQ(FormatCertain(2, -3e-15, 1e-13), "0,00");
}

}  // namespace
}  // namespace kurvio::testing
