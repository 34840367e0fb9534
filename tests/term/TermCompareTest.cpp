// SPDX-License-Identifier: GPL-3.0-or-later
// A guessed term is right when it is the hidden function on the range.
#include "term/TermCompare.h"

#include <gtest/gtest.h>

namespace kurvio {
namespace {

TEST(SameFunction, AgreesWithinTheToleranceWhereBothAreDefined) {
  const struct {
    const char *guess, *hidden;
    double from;
    bool same;
  } rows[] = {
      {"x^2", "x*x", -7, true},
      {"x^2+0.0000009", "x^2", -7, true},  // 1e-6 at f = 0
      {"x^2+0.0000011", "x^2", -7, false},
      {"1000.0005", "1000", -7, true},  // 1e-6 of 1 + 1000
      {"x^2+0.001", "x^2", -7, false},
      {"sqrt(x)^2", "x", -2, false},
      {"sqrt(x)^2", "x", 0, true},
      {"sqrt(-1-x^2)", "sqrt(-1-x^2)", -7, false},  // nowhere defined
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.guess) + " / " + row.hidden);
    TermHandle guess, hidden;
    CompileTerm(guess, row.guess, true);
    CompileTerm(hidden, row.hidden, true);
    EXPECT_EQ(SameFunction(guess, hidden, {}, row.from, 2), row.same);
  }
}

}  // namespace
}  // namespace kurvio
