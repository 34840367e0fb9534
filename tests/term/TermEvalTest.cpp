// The evaluator: the domain table, the range rule, the power paths, the
// factorial and phi, and the derivative stencils.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "term/Term.h"

namespace kurvio {
namespace {

struct EvalCase {
  const char* text;
  double x;
  bool defined;
  double expected;  // checked only when defined
  double tolerance = 1e-9;
};

class EvalTest : public ::testing::Test {
 protected:
  void TearDown() override { MainTerm.reset(); }
  void Check(const EvalCase& c) {
    CompileTerm(MainTerm, c.text, true);
    ASSERT_TRUE(TermDefined) << "does not compile: " << c.text;
    const double v = EvalTerm(MainTerm, c.x, 0, 0, 0, 0, 0);
    EXPECT_EQ(TermDefined, c.defined) << c.text << " at " << c.x;
    if (c.defined && TermDefined) {
      EXPECT_NEAR(v, c.expected, c.tolerance * (1 + std::fabs(c.expected))) << c.text;
    }
  }
};

TEST_F(EvalTest, DomainTable) {
  const EvalCase cases[] = {
      // clang-format off
      {"1/x", 0, false, 0}, {"0/x", 0, false, 0}, {"1/x", 1e-16, false, 0}, // |v|*1e15 <= |u|
      {"1/x", 1e-14, true, 1e14, 1e-6}, {"ln(x)", 0, false, 0}, {"ln(x)", -1, false, 0},
      {"lg(x)", 100, true, 2, 1e-8}, {"ld(x)", 8, true, 3, 1e-8}, {"sqrt(x)", -1, false, 0},
      {"sqrt(x)", 0, true, 0},
      {"tan(x)", 1.570796327, true, std::sin(1.570796327) / std::cos(1.570796327), 1e-6},
      {"cot(x)", 0, false, 0}, {"cot(x)", 1.570796327, false, 0}, {"cot(x)", 3.141592654, false, 0},
      {"cot(x)", 1, true, 1 / std::tan(1.0)}, {"arcsin(x)", 1, true, 1.570796327},
      {"arcsin(x)", -1, true, -1.570796327}, {"arcsin(x)", 1.0000001, false, 0},
      {"arcsin(x)", 0.5, true, std::asin(0.5)},
      {"arccos(x)", 0.5, true, 1.570796327 - std::asin(0.5), 1e-8}, {"arccos(x)", -2, false, 0},
      {"arccot(x)", 1, true, 1.570796327 - std::atan(1.0)}, {"exp(x)", 100, false, 0},
      {"exp(x)", -100, true, 0}, {"exp(x)", 1, true, std::exp(1.0)},
      {"sinh(x)", 100, true, 5e49, 1e-9}, {"cosh(x)", 100, true, 5e49, 1e-9},
      {"tanh(x)", 100, true, 1}, {"tanh(x)", -100, true, -1}, {"coth(x)", 0, false, 0},
      {"coth(x)", 1, true, 1 / std::tanh(1.0)}, {"normal(x)", 0, true, 0.398942280, 1e-8},
      {"normal(x)", 11, true, 0}, {"phi(x)", 0, true, 0.5}, {"phi(x)", 1, true, 0.8413, 1e-4},
      {"phi(x)", -1, true, 0.1587, 1e-3}, {"phi(x)", 10, true, 1}, {"maxint(x)", -2.5, true, -3},
      {"maxint(x)", -2, true, -2}, {"maxint(x)", 2.5, true, 2}, {"int(x)", -2.5, true, -2},
      {"sgn(x)", 0, true, 0}, {"abs(x)", -3, true, 3}, {"deg(x)", 3.141592654, true, 180, 1e-8},
      {"rad(x)", 180, true, 180 * 0.017453292}, {"x*x", 1e30, false, 0}, {"x*x", 1e24, true, 1e48},
      {"x+x", 6e49, false, 0}, // range rule on the sum
      {"1e60+x", 0, false, 0}, // range rule on a literal
      {"e", 0, true, 2.718281829, 1e-15}, {"pi", 0, true, 3.141592654, 1e-15},
      // clang-format on
  };
  for (const EvalCase& c : cases) Check(c);
}

TEST_F(EvalTest, PowerPaths) {
  const EvalCase cases[] = {
      // clang-format off
      {"x^2", -3, true, 9}, {"x^0.5", -1, false, 0}, {"x^0.5", 4, true, 2}, {"0^0", 0, true, 1},
      {"0^(-1)", 0, false, 0}, {"0^2.5", 0, true, 0}, {"(-8)^3", 0, true, -512},
      {"(-8)^2.5", 0, false, 0}, {"(-8)^(1/3)", 0, false, 0}, {"(-2)^3", 0, true, -8},
      {"(-20)^3", 0, true, -8000}, // negative base outside the small path
      {"(-20)^8", 0, true, 2.56e10}, {"2^(-2)", 0, true, 0.25}, {"10^39", 0, true, 1e39, 1e-8},
      {"10^40", 0, false, 0}, {"2^x", 1e21, false, 0}, // |exponent| > 1e20
      {"(-2)^x", 3e9, false, 0}, {"2^x", -200, true, 0}, // L <= -90
      // clang-format on
      // The small-exponent path stops multiplying once the product reaches 1e22.
      {"(1e-29)^(-6)", 0, true, 1e29, 1e-6},
  };
  for (const EvalCase& c : cases) Check(c);
}

TEST_F(EvalTest, Factorial) {
  const EvalCase cases[] = {
      // clang-format off
      {"fak(5)", 0, true, 120}, {"fak(0)", 0, true, 1}, {"fak(8)", 0, true, 40320},
      {"fak(10)", 0, true, 3628800},
      {"fak(17)", 0, true, 20922789890000.0 * 17}, // from the stored 16!
      {"fak(32)", 0, true, 2.631308368e35}, {"fak(40)", 0, true, 2.631308368e35},
      {"fak(x)", 1000, true, 2.631308368e35}, {"fak(2.5)", 0, false, 0}, {"fak(-1)", 0, false, 0},
      // clang-format on
  };
  for (const EvalCase& c : cases) Check(c);
}

TEST_F(EvalTest, UndefinedValueIsZeroOrTheCap) {
  CompileTerm(MainTerm, "ln(x)", true);
  EXPECT_EQ(EvalTerm(MainTerm, -1, 0, 0, 0, 0, 0), 0.0);
  EXPECT_FALSE(TermDefined);
  CompileTerm(MainTerm, "-x*1e40", true);
  EXPECT_EQ(EvalTerm(MainTerm, 1e20, 0, 0, 0, 0, 0), 0.0);  // multiplication guard
  CompileTerm(MainTerm, "x", true);
  EXPECT_EQ(EvalTerm(MainTerm, -2e50, 0, 0, 0, 0, 0), -1e50);
  EXPECT_FALSE(TermDefined);
  EXPECT_EQ(EvalTerm(MainTerm, std::numeric_limits<double>::quiet_NaN(), 0, 0, 0, 0, 0), 1e50);
  EXPECT_FALSE(TermDefined);
  EXPECT_EQ(EvalTerm(MainTerm, 1, 0, 0, 0, 0, 0), 1.0);
  EXPECT_TRUE(TermDefined);

  TermHandle empty;
  EXPECT_EQ(EvalTerm(empty, 1, 0, 0, 0, 0, 0), 0.0);
  EXPECT_FALSE(TermDefined);
}

TEST_F(EvalTest, Derivatives) {
  CompileTerm(MainTerm, "x^3", true);
  EXPECT_NEAR(EvalDerivative(MainTerm, 0, 2, 0, 0, 0, 0, 0), 8, 1e-12);
  EXPECT_NEAR(EvalDerivative(MainTerm, 1, 1, 0, 0, 0, 0, 0), 3, 1e-6);
  EXPECT_NEAR(EvalDerivative(MainTerm, 2, 1, 0, 0, 0, 0, 0), 6, 1e-4);
  EXPECT_NEAR(EvalDerivative(MainTerm, 3, 1, 0, 0, 0, 0, 0), 6, 1e-3);
  EXPECT_NEAR(EvalDerivative(MainTerm, 7, 1, 0, 0, 0, 0, 0), 6, 1e-3);  // any other order: third
  EXPECT_NEAR(EvalDerivative(MainTerm, -1, 1, 0, 0, 0, 0, 0), 6, 1e-3);
  EXPECT_TRUE(TermDefined);

  CompileTerm(MainTerm, "a*sin(b*x)+t", true);
  EXPECT_NEAR(EvalDerivative(MainTerm, 1, 0.5, 7, 2, 3, 0, 0), 6 * std::cos(1.5), 1e-6);

  // One undefined sample anywhere in the stencil makes the derivative undefined.
  CompileTerm(MainTerm, "ln(x)", true);
  EvalDerivative(MainTerm, 1, 0.001, 0, 0, 0, 0, 0);  // samples x-0.002 < 0 and x-0.001 = 0
  EXPECT_FALSE(TermDefined);
  EvalDerivative(MainTerm, 1, 0.0025, 0, 0, 0, 0, 0);
  EXPECT_TRUE(TermDefined);
  EvalDerivative(MainTerm, 2, 0.004, 0, 0, 0, 0, 0);  // x-0.005 < 0, the last sample
  EXPECT_FALSE(TermDefined);
  EvalDerivative(MainTerm, 3, 0.015, 0, 0, 0, 0, 0);  // x-0.02 < 0, the first sample
  EXPECT_FALSE(TermDefined);
  CompileTerm(MainTerm, "1/(x-0.01)", true);
  EvalDerivative(MainTerm, 3, 0, 0, 0, 0, 0, 0);  // x+0.01 hits the pole
  EXPECT_FALSE(TermDefined);
}

// Where a stencil would still return a number, the derivative does not exist:
// at a kink, a jump, a pole or where f itself is undefined at x. Smooth points
// close to such places, and slopes that vanish, keep their values.
TEST_F(EvalTest, DerivativesExistOnlyWhereTheFunctionIsSmooth) {
  struct Case {
    const char* term;
    int order;
    double x;
    bool exists;
    double value;  // checked when it exists, unless kAny
  };
  constexpr double kAny = std::numeric_limits<double>::quiet_NaN();
  const Case cases[] = {
      // clang-format off
      {"1/x", 1, 0, false, 0}, {"sqrt(x)", 1, -1, false, 0}, {"abs(x)", 1, 0, false, 0},
      {"abs(x)", 2, 0, false, 0}, {"abs(x)", 1, 0.003, true, 1}, {"abs(x)", 2, 0.02, true, 0},
      {"abs(x-1)", 1, 1.0003, false, 0}, {"int(x)", 1, 1, false, 0},
      {"int(x)", 1, 0.9985, false, 0}, {"sgn(x)", 2, 0, false, 0}, {"1/x", 1, 0.0015, false, 0},
      {"1/x", 1, 0.0012, false, 0}, {"x^3-3x", 1, 1, true, 0}, {"x^3-3x", 2, 0, true, 0},
      {"x^3", 1, 0, true, 0}, {"x^4", 1, 0, true, 0}, {"x^4", 2, 0.001, true, 12e-6},
      {"sin(40x)", 1, 0.3, true, 40 * std::cos(12.0)}, {"exp(x)", 2, 3, true, std::exp(3)},
      {"ln(x)", 1, 0.0025, true, kAny},
      // clang-format on
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.term) + " order " + std::to_string(c.order) + " at " +
                 std::to_string(c.x));
    CompileTerm(MainTerm, c.term, true);
    const double d = EvalDerivative(MainTerm, c.order, c.x, 0, 0, 0, 0, 0);
    EXPECT_EQ(TermDefined, c.exists);
    if (!c.exists || std::isnan(c.value)) continue;
    if (c.value == 0)
      EXPECT_EQ(d, 0.0);  // exactly: no rounding noise left
    else
      EXPECT_NEAR(d, c.value, 1e-3 * std::fabs(c.value) + 1e-4);
  }
}

}  // namespace
}  // namespace kurvio
