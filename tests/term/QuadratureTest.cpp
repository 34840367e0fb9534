// SPDX-License-Identifier: GPL-3.0-or-later
// Integrals against their closed forms, the honesty of the error estimate, and
// the places where a term jumps or kinks.
#include "term/Quadrature.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <numbers>
#include <vector>

#include "term/Term.h"

namespace kurvio {
namespace {

using std::numbers::pi;

struct Compiled {
  explicit Compiled(const char* text) { CompileTerm(term, text, true); }
  // The term with x and t both at the point, as the integral window asks it.
  double operator()(double t, bool& defined) const {
    const double v = EvalTerm(term, t, t, 0, 0, 0, 0);
    defined = TermDefined;
    return v;
  }
  Quadrature Integral(double a, double b) const {
    const Compiled& self = *this;
    return Integrate([&](double t, bool& d) { return self(t, d); }, a, b,
                     RoughBreaks(term.get(), a, b, 0, 0, 0));
  }
  TermHandle term;
};

TEST(QuadratureTest, ClosedFormsToTenDigitsWithAnHonestError) {
  const struct {
    const char* term;
    double a, b, exact;
  } cases[] = {
      // clang-format off
      // Polynomials, either way round.
      {"x^3", 0, 2, 4}, {"x^3", 2, 0, -4}, {"3x^2-2x+1", -1, 2, 9}, {"x^7", -1, 1, 0},
      // Smooth.
      {"exp(-x^2)", -3, 3, std::sqrt(pi) * std::erf(3.0)}, {"1/x", 1, std::numbers::e, 1},
      {"sin(x)", 0, 2 * pi, 0}, {"cos(x)^2", 0, pi, pi / 2},
      // Jumps and kinks, split where they are.
      {"sgn(x)", -1, 2, 1}, {"int(x)", 0, 3.5, 0 + 1 + 2 + 3 * 0.5}, {"int(x)", -2.5, 0, -2 * 0.5 - 1},
      {"abs(x-1)", -1, 3, 2 + 2}, {"abs(sin(x))", 0, 3 * pi, 6}, {"x*sgn(x-0.3)", -1, 1, 0.455 + 0.455},
      // A domain edge at an end: the half circle.
      {"sqrt(4-x^2)", -2, 2, 2 * pi},
      // Integrable singularities at an end or at a kink inside.
      {"1/sqrt(x)", 0, 4, 4}, {"1/sqrt(-x)", -4, 0, 4}, {"ln(x)", 0, 1, -1},
      {"ln(abs(x))", -1, 1, -2},
      {"1/sqrt(abs(x))", -1, 4, 2 + 4}, {"x^(-0.9)", 0, 1, 10},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.term << " from " << c.a << " to " << c.b);
    const Quadrature q = Compiled(c.term).Integral(c.a, c.b);
    ASSERT_TRUE(q.exists);
    EXPECT_LE(std::fabs(q.value - c.exact), q.error) << q.value;
    EXPECT_LE(q.error, 1e-9 * std::max(1.0, std::fabs(c.exact)));
  }
}

TEST(QuadratureTest, SlowImproperIntegralsGetALargerErrorThatStillHolds) {
  const struct {
    const char* term;
    double a, b, exact;
  } cases[] = {
      {"1/(x*ln(x)^2)", 0, 0.5, 1 / std::log(2.0)},  // the tail beyond δ is 1/|ln δ|
      {"sin(1/x)", 0, 1, 0.50406706190692837},       // sin 1 - Ci(1)
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.term);
    const Quadrature q = Compiled(c.term).Integral(c.a, c.b);
    ASSERT_TRUE(q.exists);
    EXPECT_LE(std::fabs(q.value - c.exact), q.error) << q.value;
    EXPECT_LT(q.error, 0.05);
  }
}

TEST(QuadratureTest, DivergentOrUndefinedIntegralsDoNotExist) {
  const struct {
    const char* term;
    double a, b;
  } cases[] = {
      {"1/x", 0, 1},           {"1/x", 1, 0},       {"1/x^2", 0, 1},
      {"1/(x*ln(x))", 0, 0.5},  // diverges like ln|ln x|: slower than any rule notices alone
      {"tan(x)", 0, pi / 2},   {"sqrt(x)", -1, 1},  // undefined inside
      {"ln(x)", -1, 1},        {"sqrt(x-1)", 0, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.term);
    EXPECT_FALSE(Compiled(c.term).Integral(c.a, c.b).exists);
  }
}

TEST(QuadratureTest, EmptyAndEndlessIntervals) {
  const Compiled f("x^2");
  const Quadrature empty = f.Integral(3, 3);
  EXPECT_TRUE(empty.exists);
  EXPECT_EQ(empty.value, 0.0);
  EXPECT_FALSE(f.Integral(0, INFINITY).exists);
  EXPECT_FALSE(f.Integral(NAN, 1).exists);
}

TEST(QuadratureTest, AStepReachesItsTolerance) {
  const Compiled f("exp(x)"), jump("sgn(x-0.0042)"), root("sqrt(x)");
  const auto of = [](const Compiled& c) { return [&c](double t, bool& d) { return c(t, d); }; };
  const Quadrature smooth = IntegrateStep(of(f), 0, 0.01, 1e-12);
  ASSERT_TRUE(smooth.exists);
  EXPECT_NEAR(smooth.value, std::expm1(0.01), 1e-12);
  // A jump inside without its break: bisected until the error is small enough.
  const Quadrature jumping = IntegrateStep(of(jump), 0, 0.01, 1e-9);
  ASSERT_TRUE(jumping.exists);
  EXPECT_NEAR(jumping.value, 0.01 - 2 * 0.0042, 1e-9);
  EXPECT_FALSE(IntegrateStep(of(root), -0.01, 0.01, 1e-9).exists);
  // A singular end, where the short rule cannot converge: the full rule takes over.
  const Compiled log("ln(x)");
  const Quadrature end = IntegrateStep(of(log), 0, 0.01, 1e-12);
  ASSERT_TRUE(end.exists);
  EXPECT_NEAR(end.value, 0.01 * std::log(0.01) - 0.01, 1e-12);
}

TEST(QuadratureTest, BreaksWhereAnArgumentReachesItsRoughPlace) {
  const struct {
    const char* term;
    double from, to;
    std::vector<double> breaks;
  } cases[] = {
      // clang-format off
      {"sgn(x)", -1, 2, {0}}, {"int(x)", 0, 3.5, {1, 2, 3}}, {"int(x)", -2.5, 0, {-2, -1}},
      {"abs(x-1)", -1, 3, {1}}, {"sgn(sin(x))", 0.5, 7, {pi, 2 * pi}},
      {"maxint(x/2)", 0, 5, {2, 4}},
      {"sqrt(x)", -1, 1, {0}},               // where the domain ends
      {"arcsin(x/2)", -3, 3, {-2, 2}},
      {"sqrt(4-x^2)", -2, 2, {}},            // only at the ends: no break
      {"x^2+sin(x)", -5, 5, {}}, {"sgn(x)", 0.5, 2, {}},
      {"sgn(x^2-0.0001)", -1, 1, {-0.01, 0.01}},  // both between two grid points
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.term);
    const Compiled f(c.term);
    const std::vector<double> found = RoughBreaks(f.term.get(), c.from, c.to, 0, 0, 0);
    ASSERT_EQ(found.size(), c.breaks.size());
    for (std::size_t i = 0; i < found.size(); ++i)
      EXPECT_NEAR(found[i], c.breaks[i], 1e-15 * std::max(1.0, std::fabs(c.breaks[i])));
  }
}

TEST(QuadratureTest, ManyJumpsAreAllFoundUpToABound) {
  const Compiled steps("int(1000x)");
  const std::vector<double> all = RoughBreaks(steps.term.get(), 0, 1, 0, 0, 0);
  EXPECT_EQ(all.size(), 999u);
  const Quadrature q = steps.Integral(0, 1);
  ASSERT_TRUE(q.exists);
  EXPECT_NEAR(q.value, 999 * 1000 / 2 / 1000.0, 1e-9);

  // Far too many to split at: bounded, and quick.
  const Compiled dense("int(1e9*x)");
  const auto start = std::chrono::steady_clock::now();
  const std::vector<double> bounded = RoughBreaks(dense.term.get(), 0, 1, 0, 0, 0);
  EXPECT_LE(bounded.size(), kMaxBreaks);
  EXPECT_TRUE(std::is_sorted(bounded.begin(), bounded.end()));
  const Quadrature rough = dense.Integral(0, 1);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  if (rough.exists) {
    EXPECT_NEAR(rough.value, (1e9 - 1) / 2, 1e-6 * 1e9);
  }
}

}  // namespace
}  // namespace kurvio
