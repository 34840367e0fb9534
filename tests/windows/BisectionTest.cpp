// The bisection without its window: the halving rule with its tie, the
// ladder, the table rows with their end, the guard against intervals that
// doubles cannot split any more, the texts, and the shipped example list.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <limits>
#include <sstream>

#include "module/ExampleFiles.h"
#include "term/Term.h"
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

TEST(BisectionTest, HalvingKeepsTheHalfWithTheSignChange) {
  struct Case {
    const char* what;
    double (*f)(double);
    double a, b;
    double nextA, nextB;
  };
  const Case cases[] = {
      {"sign change in the left half", Identity, -1, 3, -1, 1},
      {"sign change in the right half", Square2, 0, 2, 1, 2},
      {"no sign change moves a", AboveAxis, 0, 2, 1, 2},
      {"no sign change, left of the vertex", AboveAxis, -4, -2, -3, -2},
      {"f(m) = 0 moves b", ZeroAtOne, 0, 2, 0, 1},
      {"f(a) = 0 moves b", Identity, 0, 2, 0, 1},
      {"NaN is no sign change", NotANumber, 0, 2, 1, 2},
  };
  for (const Case& c : cases) {
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
  // Neighbouring doubles can still collapse onto one of them once.
  const double tiny = std::numeric_limits<double>::denorm_min();
  const Halving once = Halve({0, tiny}, Of(Identity));
  EXPECT_TRUE(once.progressed);
  EXPECT_FALSE(Halve(once.next, Of(Identity)).progressed);
}

TEST(BisectionTest, LadderRepeatsTheHalvingsUpToTwelve) {
  const BisectionFunction f = Of(Square2);
  EXPECT_EQ(LadderIntervals({0, 2}, 0, f).size(), 1u);
  const std::vector<Interval> ladder = LadderIntervals({0, 2}, 40, f);
  ASSERT_EQ(ladder.size(), 13u);
  Interval expected{0, 2};
  for (std::size_t i = 0; i < ladder.size(); ++i) {
    EXPECT_EQ(ladder[i].a, expected.a) << i;
    EXPECT_EQ(ladder[i].b, expected.b) << i;
    expected = Halve(expected, f).next;
  }
  EXPECT_EQ(ladder[1].a, 1.0);
  EXPECT_EQ(ladder[2].b, 1.5);
  // Reversed start values: the start row alone when no step was made.
  EXPECT_EQ(LadderIntervals({3, -1}, 0, f).size(), 1u);
  // Ends that doubles cannot split stop the ladder instead of repeating a rung.
  EXPECT_EQ(LadderIntervals({1e20, std::nextafter(1e20, 1e300)}, 12, f).size(), 1u);
}

TEST(BisectionTest, TableHalvesUntilNarrowerThanTheBound) {
  const BisectionTable table = TableRows({0, 10}, 1e-6, Of(ThreePointThree));
  ASSERT_EQ(table.rows.size(), 24u);  // 10 / 2^24 < 1e-6 <= 10 / 2^23
  EXPECT_TRUE(table.solved);
  Interval expected{0, 10};
  for (const BisectionRow& row : table.rows) {
    EXPECT_EQ(row.a, expected.a);
    EXPECT_EQ(row.b, expected.b);
    EXPECT_EQ(row.m, (row.a + row.b) / 2);
    EXPECT_EQ(row.fa, row.a - 3.3);
    EXPECT_EQ(row.fm, row.m - 3.3);
    expected = Halve(expected, Of(ThreePointThree)).next;
  }
  EXPECT_LT(expected.b - expected.a, 1e-6);
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
      {"a point: one row", {3, 3}, 1e-5, Of(Square2), 1, false},
      {"undefined everywhere",
       {0, 2},
       1e-5,
       [](double) {
         return FunctionValue{0, false};
       },
       18,
       false},
      {"NaN values", {0, 2}, 1e-5, Of(NotANumber), 18, false},
      {"NaN end", {nan, 2}, 1e-5, Of(Square2), 1, false},
      // Doubles near 1e20 lie 16384 apart: the interval stops shrinking long before 1e-5.
      {"far out", {1e20, 1e20 + 1e6}, 1e-5, Of(Identity), 0, false},
      {"largest values", {-1e50, 1e50}, 1e-6, Of(Identity), 0, true},
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

TEST(BisectionTest, ResultTextAfterTheLastStep) {
  Interval interval{0, 2};
  double m = 0;
  for (int i = 0; i < 18; ++i) {
    const Halving h = Halve(interval, Of(Square2));
    interval = h.next;
    m = h.m;
  }
  ASSERT_LT(interval.b - interval.a, 1e-5);
  const std::string text = ResultText(interval, m, Of(Square2), 5, ',');
  EXPECT_EQ(text.rfind("x := (a + b) / 2 = 1,41421     f(x) = ", 0), 0u) << text;
  // f is tested at m, not at the middle of the last interval.
  EXPECT_EQ(ResultText({1.414, 1.415}, 3, Of(Square2), 5, ','), " Keine Lösung!");
  EXPECT_EQ(ResultText({-1e-6, 1e-6}, 0, kReciprocal, 5, ','), " Keine Lösung!");
  EXPECT_EQ(ResultText({0.5, 0.5}, 0.5, Of(ZeroAtOne), 5, ','), " Keine Lösung!");
  EXPECT_EQ(ResultText({1, 1}, 1, Of(ZeroAtOne), 3, '.'),
            "x := (a + b) / 2 = 1.000     f(x) = 0.000");
}

TEST(BisectionTest, TableCells) {
  // d correctly rounded places; more digits than that before the separator: exponent form.
  EXPECT_EQ(Readout(1.41421356, 5, ','), "1,41421");
  EXPECT_EQ(Readout(1.40625, 4, ','), "1,4063");
  EXPECT_EQ(Readout(1.40625, 5, ','), "1,40625");
  EXPECT_EQ(Readout(-0.000004, 5, ','), "0,00000");
  EXPECT_EQ(Readout(123456, 3, ','), "1,23E005");
  const std::vector<std::string> cells = TableCells({0, 10, 5, -3.3, 1.7}, 2, ',');
  const std::vector<std::string> expected = {"0,00", "10,00", "5,00", "-3,30", "1,70", "-5,61"};
  EXPECT_EQ(cells, expected);
  // The product keeps its sign where its places would all be zero.
  EXPECT_EQ(TableCells({0, 1, 0.5, -0.003, 0.001}, 2, ',').back(), "-3E-06");
  EXPECT_EQ(TableCells({0, 1, 0.5, 0, 0.001}, 2, ',').back(), "0,00");
  EXPECT_EQ(TableHeaders().size(), 6u);
}

TEST(BisectionTest, ShippedExamplesCompile) {
  std::ifstream in(std::string(KURVIO_DATA_DIR) + "/Bsp7.txt", std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  const std::string file = content.str();
  EXPECT_EQ(file.find('\n'), file.find("\r\n") + 1);  // CRLF line ends
  const std::vector<std::string> entries = ParseExampleLines(file);
  EXPECT_GE(entries.size(), 8u);
  EXPECT_LE(entries.size(), 12u);
  for (const std::string& entry : entries) {
    SCOPED_TRACE(entry);
    EXPECT_LE(entry.size(), 40u);  // fits the term field
    TermHandle term;
    CompileTerm(term, entry, true);
    EXPECT_TRUE(TermDefined);
  }
}

}  // namespace
}  // namespace kurvio
