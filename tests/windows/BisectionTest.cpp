// The bisection without its window: the halving rule with its tie, the table
// rows with their end and the guard against intervals doubles cannot split.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "windows/limits/Bisection.h"

namespace kurvio {
namespace {

BisectionFunction Of(double (*f)(double)) {
  return [f](double x) { return FunctionValue{f(x), true}; };
}

double Square2(double x) { return x * x - 2; }
double AboveAxis(double x) { return x * x + 1; }
double Identity(double x) { return x; }
double ZeroAtOne(double x) { return x - 1; }
double ThreePointThree(double x) { return x - 3.3; }
double NotANumber(double) { return std::numeric_limits<double>::quiet_NaN(); }

// 1/x with the evaluator's rule: undefined (value 0) at 0.
const BisectionFunction kReciprocal = [](double x) {
  return x == 0 ? FunctionValue{0, false} : FunctionValue{1 / x, true};
};
const BisectionFunction kUndefined = [](double) { return FunctionValue{0, false}; };

TEST(BisectionTest, HalvingKeepsTheHalfWithTheSignChange) {
  const struct {
    const char* what;
    double (*f)(double);
    double a, b, nextA, nextB;
  } cases[] = {
      {"sign change in the right half", Square2, 0, 2, 1, 2},
      {"no sign change moves a", AboveAxis, 0, 2, 1, 2},
      {"f(m) = 0 moves b", ZeroAtOne, 0, 2, 0, 1},
      {"f(a) = 0 moves b", Identity, 0, 2, 0, 1},
      {"NaN is no sign change", NotANumber, 0, 2, 1, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const Halving h = Halve({c.a, c.b}, Of(c.f));
    EXPECT_EQ(h.m, (c.a + c.b) / 2);
    EXPECT_EQ(h.next.a, c.nextA);
    EXPECT_EQ(h.next.b, c.nextB);
    EXPECT_TRUE(h.progressed);
  }
}

TEST(BisectionTest, IntervalsThatCannotShrinkMakeNoProgress) {
  const double big = 1e20;
  const double next = std::nextafter(big, 1e300);  // 16384 further on
  EXPECT_FALSE(Halve({big, next}, Of(AboveAxis)).progressed);
  EXPECT_FALSE(Halve({2, 2}, Of(Square2)).progressed);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_FALSE(Halve({nan, 1}, Of(Identity)).progressed);
}

TEST(BisectionTest, TableHalvesUntilNarrowerThanTheBound) {
  const BisectionTable table = TableRows({0, 10}, 1e-6, Of(ThreePointThree));
  ASSERT_EQ(table.rows.size(), 24u);  // 10 / 2^24 < 1e-6 <= 10 / 2^23
  EXPECT_TRUE(table.solved);
  EXPECT_NEAR(table.rows.back().m, 3.3, 1e-6);
}

TEST(BisectionTest, TableEnds) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Case {
    const char* what;
    Interval start;
    double eps;
    BisectionFunction f;
    std::size_t rows;  // 0: just finite and short
    bool solved;
  };
  const Case cases[] = {
      // The interval shrinks onto the pole, where |f(m)| is large.
      {"pole", {-1, 1}, 1e-5, kReciprocal, 18, false},
      {"no zero", {0, 2}, 1e-5, Of(AboveAxis), 18, false},
      {"reversed start values: one row", {2, 0}, 1e-5, Of(Square2), 1, false},
      {"already narrower than the bound: one row", {1.4142, 1.41421}, 1e-4, Of(Square2), 1, true},
      {"undefined everywhere", {0, 2}, 1e-5, kUndefined, 18, false},
      {"NaN end", {nan, 2}, 1e-5, Of(Square2), 1, false},
      // Doubles near 1e20 lie 16384 apart: the interval stops shrinking long before 1e-5.
      {"far out", {1e20, 1e20 + 1e6}, 1e-5, Of(Identity), 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const BisectionTable table = TableRows(c.start, c.eps, c.f);
    if (c.rows > 0)
      EXPECT_EQ(table.rows.size(), c.rows);
    else
      EXPECT_LT(table.rows.size(), 400u);
    EXPECT_EQ(table.solved, c.solved);
  }
  // The cap holds whatever the interval does.
  EXPECT_EQ(TableRows({0, 1e6}, 1e-6, Of(ThreePointThree), 5).rows.size(), 5u);
}

}  // namespace
}  // namespace kurvio
