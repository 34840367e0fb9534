// SPDX-License-Identifier: GPL-3.0-or-later
// Poles and undefined points that make an integral over a range impossible.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "term/Poles.h"
#include "term/Term.h"

namespace kurvio {
namespace {

TEST(PolesTest, FoundWhereTheTermGrowsWithoutBoundOrIsUndefined) {
  constexpr double kNone = 1e300;
  const struct {
    const char* term;
    double from, to;
    double pole;          // where the first one lies, or kNone
    double also = kNone;  // one more that must be found
  } cases[] = {
      // clang-format off
      {"1/x", -7, 7, 0}, // on the grid
      {"1/(x-0.3)", -7, 7, 0.3}, // between grid points, with a change of sign
      {"1/(x-0.3)^2", -7, 7, 0.3}, // without one
      {"tan(x)", 0, 3, 1.5707963267948966}, {"sqrt(x)", -1, 1, -1}, // an undefined stretch
      {"sqrt(x)+1/(x-0.0002)", -1, 1, -1, 0.0002}, // right after an undefined stretch
      {"sgn(x)", -7, 7, kNone}, // a jump
      {"ln(abs(x))", -7, 7, kNone}, // undefined at 0, but it does not grow without bound
      {"x/x", -7, 7, kNone}, {"sin(10x)+1/(x^2+1)", -7, 7, kNone},
      {"1/(x^2+0.000001)", -1, 1, kNone}, // tall, but a peak
      // A spike between two grid points that neither of them shows is not searched for.
      {"1+1e20*e^(-(1000(x-100.3819660112501))^2)", 0, 4096, kNone},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.term);
    TermHandle term;
    CompileTerm(term, c.term, true);
    const std::vector<double> poles = FindPoles(term, BatchInput::X, {}, c.from, c.to);
    if (c.pole == kNone) {
      EXPECT_TRUE(poles.empty()) << poles.front();
      continue;
    }
    ASSERT_FALSE(poles.empty());
    EXPECT_NEAR(poles.front(), c.pole, 1e-6);
    EXPECT_TRUE(AnyPointBetween(poles, c.pole - 0.1, c.pole + 0.1));
    EXPECT_FALSE(AnyPointBetween(poles, c.pole + 2e-6, c.pole + 1e-5));
    if (c.also != kNone) {
      EXPECT_TRUE(AnyPointBetween(poles, c.also - 1e-6, c.also + 1e-6));
    }
  }
}

}  // namespace
}  // namespace kurvio
