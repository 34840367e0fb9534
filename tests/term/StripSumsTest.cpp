// SPDX-License-Identifier: GPL-3.0-or-later
// Lower, upper, trapezoid and midpoint sums against hand-worked values, and
// the lower and upper sums enclosing the integral for every n on curves that
// turn, kink and jump inside their strips.
#include "term/StripSums.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "term/Term.h"

namespace kurvio {
namespace {

using std::numbers::pi;

struct Curve {
  explicit Curve(const char* text) { CompileTerm(term, text, true); }
  PartialFunction Function() const {
    return [this](double t, bool& defined) {
      const double v = EvalTerm(term, t, t, 0, 0, 0, 0);
      defined = TermDefined;
      return v;
    };
  }
  std::vector<double> Turns(double from, double to) const {
    return TurnsOf(FindCurveFeatures(term, {0, 0, 0, 0, 0, 0}, from, to),
                   RoughBreaks(term.get(), from, to, 0, 0, 0));
  }
  StripSum Sum(double from, double to, int n, SumKind kind) const {
    return SumOfStrips(Function(), from, to, n, kind, Turns(std::min(from, to), std::max(from, to)));
  }
  TermHandle term;
};

TEST(StripSumsTest, TheFourSumsOfTheClassroomExample) {
  // x² on [0; 1] in four strips: heights 0, 1/16, 4/16, 9/16 (and 16/16).
  const Curve square("x^2");
  EXPECT_EQ(square.Sum(0, 1, 4, SumKind::Lower).value, 0.21875);
  EXPECT_EQ(square.Sum(0, 1, 4, SumKind::Upper).value, 0.46875);
  EXPECT_EQ(square.Sum(0, 1, 4, SumKind::Trapezoid).value, 0.34375);
  EXPECT_EQ(square.Sum(0, 1, 4, SumKind::Midpoint).value, 0.328125);
  // Backwards the sums change sign, as the integral does; the strips stay the same.
  const StripSum back = square.Sum(1, 0, 4, SumKind::Upper);
  EXPECT_EQ(back.value, -0.46875);
  EXPECT_EQ(back.strips.back().to, 1);
  // A trapezoid keeps both heights, the other strips one.
  const StripSum trapezoids = square.Sum(0, 1, 4, SumKind::Trapezoid);
  EXPECT_EQ(trapezoids.strips[1].left, 0.0625);
  EXPECT_EQ(trapezoids.strips[1].right, 0.25);
  // A strip over the vertex is as low as the vertex, not as its ends.
  EXPECT_EQ(square.Sum(-1, 1, 1, SumKind::Lower).value, 0);
}

TEST(StripSumsTest, AStripIsAsHighAsTheCurveInsideIt) {
  // sin on [0; 3] in one strip: the top at π/2 gives 3, the ends only 3·sin 3.
  EXPECT_NEAR(Curve("sin(x)").Sum(0, 3, 1, SumKind::Upper).value, 3, 1e-15);
  EXPECT_NEAR(Curve("sin(x)").Sum(0, 3, 1, SumKind::Lower).value, 0, 1e-15);
  // A jump inside the strip: the values on both sides of it count.
  EXPECT_EQ(Curve("sgn(x-0.3)").Sum(-1, 1, 1, SumKind::Lower).value, -2);
  EXPECT_EQ(Curve("sgn(x-0.3)").Sum(-1, 1, 1, SumKind::Upper).value, 2);
  // A kink: |x - 0,3| is lowest at 0,3.
  EXPECT_NEAR(Curve("abs(x-0.3)").Sum(-1, 1, 1, SumKind::Lower).value, 0, 1e-15);
  // A gap at a side or inside counts with the values beside it.
  EXPECT_NEAR(Curve("sin(x)/x").Sum(-1, 1, 2, SumKind::Upper).value, 2, 1e-12);
  EXPECT_NEAR(Curve("sin(x)/x").Sum(-1, 1, 2, SumKind::Midpoint).value,
              2 * std::sin(0.5) / 0.5, 1e-15);
}

TEST(StripSumsTest, NoSumWhereTheCurveIsMissing) {
  // Undefined on a stretch, at a pole, or for a count below one.
  EXPECT_FALSE(Curve("sqrt(x)").Sum(-1, 1, 4, SumKind::Lower).exists);
  EXPECT_FALSE(Curve("1/x").Sum(0, 1, 4, SumKind::Upper).exists);
  EXPECT_FALSE(Curve("x").Sum(0, 1, 0, SumKind::Trapezoid).exists);
  EXPECT_FALSE(Curve("x").Sum(0, INFINITY, 4, SumKind::Lower).exists);
  // A domain that ends at a side: the value beside it.
  EXPECT_TRUE(Curve("sqrt(x)").Sum(0, 4, 4, SumKind::Lower).exists);
  // An empty interval has the sum 0.
  const StripSum empty = Curve("x").Sum(2, 2, 4, SumKind::Upper);
  EXPECT_TRUE(empty.exists);
  EXPECT_EQ(empty.value, 0);
}

TEST(StripSumsTest, LowerAndUpperSumsEncloseTheIntegralForEveryCount) {
  const struct {
    const char* term;
    double from, to;
  } curves[] = {
      {"sin(x)", 0, 3},       {"x^3-3x", -2, 2.5},       {"exp(-x^2)", -1, 3},
      {"abs(x^2-2)", -2, 2},  {"sin(5x)+x/2", -1.3, 2.1}, {"sgn(x-0.3)*x^2", -1, 1},
  };
  for (const auto& c : curves) {
    SCOPED_TRACE(c.term);
    const Curve curve(c.term);
    const std::vector<double> turns = curve.Turns(c.from, c.to);
    const Quadrature integral = Integrate(curve.Function(), c.from, c.to,
                                          RoughBreaks(curve.term.get(), c.from, c.to, 0, 0, 0));
    ASSERT_TRUE(integral.exists);
    for (int n = 1; n <= 1024; ++n) {
      const double lower =
          SumOfStrips(curve.Function(), c.from, c.to, n, SumKind::Lower, turns).value;
      const double upper =
          SumOfStrips(curve.Function(), c.from, c.to, n, SumKind::Upper, turns).value;
      ASSERT_LE(lower, integral.value - integral.error) << n;
      ASSERT_GE(upper, integral.value + integral.error) << n;
    }
  }
}

}  // namespace
}  // namespace kurvio
