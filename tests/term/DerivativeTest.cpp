// SPDX-License-Identifier: GPL-3.0-or-later
// Derivatives from the term: values against closed forms worked out by hand,
// kind by kind; every function of the language against a difference quotient
// of the derivative one order lower at random points; and the texts pupils
// read.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "term/Derivative.h"
#include "term/Term.h"

namespace kurvio {
namespace {

constexpr double kA = 1.5, kB = -2, kC = 0.25;
constexpr double kNone = std::numeric_limits<double>::quiet_NaN();  // no derivative

TermHandle Compiled(const std::string& text) {
  TermHandle term;
  CompileTerm(term, text, true);
  return term;
}

struct Reading {
  const char* term;
  double x;
  int order;
  double exact;  // kNone: the derivative does not exist
};

// Closed forms, by hand.
const Reading kReadings[] = {
    // Ordinary points where a difference quotient with a fixed step reads wrong digits.
    {"sin(100x)", 0.3, 2, -10000 * std::sin(30.0)},
    {"1/x", 0.05, 2, 16000},
    {"exp(-50x^2)", 0.1, 2, 0},         // (10000x^2-100)e^(-50x^2)
    {"arctan(100x)", 0.005, 2, -6400},  // -2*100^3*x/(1+(100x)^2)^2
    {"x^3", 1, 1, 3},
    {"x^3", 1, 3, 6},
    {"a*x^2+b*x+c", 2, 1, 2 * kA * 2 + kB},
    {"ln(x)", 0.001, 1, 1000},  // the left stencil point is outside
    {"ln(x^2-1)+1/x", 1.5, 2, -6.5 / 1.5625 + 2 / 3.375},
    // Zero slopes.
    {"x^3-3x", 1, 1, 0},
    {"(x^2-1)^2", 1, 1, 0},
    {"(x^2-1)^2", -1, 1, 0},
    {"x^4-8x^2+16", 2, 1, 0},
    {"x^4-8x^2+16", -2, 1, 0},
    {"x*e^(-x)", 1, 1, 0},
    {"x*e^(-x)", 2, 2, 0},
    // Saddles and a flat minimum of expanded polynomials.
    {"x^3+3x^2+3x+1", -1, 1, 0},
    {"x^3+3x^2+3x+1", -1, 2, 0},
    {"x^3-6x^2+12x-8", 2, 1, 0},
    {"x^3-6x^2+12x-8", 2, 2, 0},
    {"x^4-4x^3+6x^2-4x+1", 1, 1, 0},
    {"x^4-4x^3+6x^2-4x+1", 1, 2, 0},
    {"x^4-4x^3+6x^2-4x+1", 1, 3, 0},
    // Kinks.
    {"abs(x)", 0, 1, kNone},
    {"abs(x)", -2, 1, -1},
    {"abs(x-3)^1.5", 3, 1, 0},
    {"abs(x-3)^1.5", 3, 2, kNone},
    {"abs(sin(x))", 0, 1, kNone},
    // The kink of |sin x| at pi is 4e-10 from the pi a pupil types: still the kink.
    {"abs(sin(x))", 3.141592654, 1, kNone},
    // Kinks of f'.
    {"x*abs(x)", 0, 1, 0},
    {"x*abs(x)", 0, 2, kNone},
    {"x*abs(x)+2", 0, 1, 0},  // continuous where f is not 0
    {"x^2*sgn(x)", 0, 1, 0},
    {"x^2*sgn(x)", 0, 2, kNone},
    {"abs(x)*sin(x)", 0, 1, 0},
    {"abs(x)*sin(x)", 0, 2, kNone},
    {"abs(x)^3", 0, 2, 0},
    {"abs(x)^3", 0, 3, kNone},
    {"sqrt(x^4)", 0, 1, 0},     // the derivative's term is 0/0 there, its limits are 0
    {"x^2*sgn(x)^2", 0, 2, 2},  // its term 2sgn(x)^2 reads 0 there, f is x^2
    // Jumps.
    {"exp(sgn(x))", -0.001, 1, 0},
    {"exp(sgn(x))", 0, 1, kNone},
    {"sgn(x)", 0, 1, kNone},
    {"int(x)", 1, 1, kNone},
    {"int(x)", 0.5, 1, 0},
    {"int(x)", 0, 1, 0},  // trunc is 0 on both sides of 0
    // Poles and edges of the domain.
    {"1/x", 0, 1, kNone},
    {"1/(x-2)", 2, 2, kNone},
    {"sqrt(x)", 0, 1, kNone},
    {"x^(1/3)", 0, 1, kNone},
    {"arcsin(x)", 1, 1, kNone},
    {"ln(x)", 0, 1, kNone},
    {"fak(x)", 3, 1, kNone},
    // Poles within the rounding of x: tan is defined at the pi/2 of a double
    // and of the program (1,570796327), its derivative is not.
    {"tan(x)", 1.5707963267948966, 1, kNone},
    {"tan(x)", 1.570796327, 2, kNone},
    {"1/sin(x)", 3.141592653589793, 1, kNone},
    {"cot(x)", 3.141592654, 1, kNone},
    {"1/(x^2-2)", 1.4142135623730951, 1, kNone},
    {"tan(x)", 1.5, 2, 2 * std::sin(1.5) / std::pow(std::cos(1.5), 3)},
    // Steep.
    {"arctan(1000x)", 0, 1, 1000},
    {"arctan(1000x)", 0, 2, 0},
    {"tan(x)", 1.5, 1, 1 / (std::cos(1.5) * std::cos(1.5))},
};

TEST(Derivative, ReadsTheClosedFormsKindByKind) {
  for (const Reading& r : kReadings) {
    const TermHandle term = Compiled(r.term);
    const double v = EvalDerivative(term, r.order, r.x, 0, kA, kB, kC, 0);
    const std::string what =
        std::string(r.term) + " order " + std::to_string(r.order) + " at " + std::to_string(r.x);
    if (std::isnan(r.exact)) {
      EXPECT_FALSE(TermDefined) << what << " reads " << v;
      continue;
    }
    ASSERT_TRUE(TermDefined) << what;
    EXPECT_NEAR(v, r.exact, 1e-12 * (1 + std::fabs(r.exact))) << what;
    EXPECT_FALSE(std::signbit(v) && v == 0) << what << ": -0";
  }
}

// f' of every function of the language at random points where f is defined,
// against a difference quotient of f (orders 2 and 3 of f' and f''); the
// inner function makes the chain rule count.
TEST(Derivative, EveryFunctionAgreesWithADifferenceQuotient) {
  const char* kFunctions[] = {"ln",     "lg",   "ld",     "exp",    "sin",    "cos",
                              "tan",    "cot",  "arcsin", "arccos", "arctan", "arccot",
                              "sinh",   "cosh", "tanh",   "coth",   "sqrt",   "sqr",
                              "normal", "phi",  "abs",    "deg",    "rad"};
  std::mt19937 random(20261208);
  std::uniform_real_distribution<double> point(-3, 3);
  for (const char* f : kFunctions) {
    for (const std::string inner : {"0.3x+0.1", "x^2/5-0.2"}) {
      const TermHandle term = Compiled(std::string(f) + "(" + inner + ")*x+x^3/(x^2+2)");
      int checked = 0;
      for (int i = 0; i < 60 && checked < 12; ++i) {
        const double x = point(random);
        // Near a pole a difference quotient is no reference.
        if (!(std::fabs(EvalTerm(term, x, 0, kA, kB, kC, 0)) < 50) || !TermDefined) continue;
        for (int order = 1; order <= 3; ++order) {
          // Richardson's difference of the order below: error O(h^4).
          const auto lower = [&](double at) {
            return EvalDerivative(term, order - 1, at, 0, kA, kB, kC, 0);
          };
          const double h = 1e-3;
          const double d1 = (lower(x + h) - lower(x - h)) / (2 * h);
          bool defined = TermDefined;
          const double d2 = (lower(x + h / 2) - lower(x - h / 2)) / h;
          defined = defined && TermDefined;
          lower(x - h);
          defined = defined && TermDefined;
          lower(x - h / 2);
          defined = defined && TermDefined;
          const double v = EvalDerivative(term, order, x, 0, kA, kB, kC, 0);
          // Where the two steps disagree already (by a domain's edge), the quotient is no
          // reference.
          if (!defined || !TermDefined || std::fabs(d2 - d1) > 1e-4 * (1 + std::fabs(d2))) continue;
          const double numeric = (4 * d2 - d1) / 3;
          EXPECT_NEAR(v, numeric, 2e-6 * (1 + std::fabs(numeric)))
              << f << "(" << inner << ") order " << order << " at " << x;
          checked += order == 1;
        }
      }
      EXPECT_GT(checked, 3) << f << "(" << inner << ")";
    }
  }
}

// The batch of f' and f'' gives the single evaluation's bits; shown in
// TermBatchTest for a table of terms. Here: the derivative of a step of the
// program's own constants, and a term whose derivatives grow too large.
TEST(Derivative, ConstantsOfTheLanguageAndSwellingTerms) {
  const TermHandle e = Compiled("e^x");
  EXPECT_EQ(EvalDerivative(e, 1, 1, 0, 0, 0, 0, 0), EvalTerm(e, 1, 0, 0, 0, 0, 0));
  const TermHandle lg = Compiled("lg(x)");
  EXPECT_NEAR(EvalDerivative(lg, 1, 10, 0, 0, 0, 0, 0), 0.0434294481, 1e-12);
  std::string nested = "x";
  for (int i = 0; i < 40; ++i) nested = "1/(x+" + nested + ")";
  const TermHandle deep = Compiled(nested);
  EvalDerivative(deep, 1, 1, 0, 0, 0, 0, 0);
  EXPECT_TRUE(TermDefined);  // f' stays within bounds ...
  EvalDerivative(deep, 3, 1, 0, 0, 0, 0, 0);
  EXPECT_FALSE(TermDefined);  // ... f''' is not made
}

TEST(Derivative, FactorialsAreExactUpTo41) {
  const TermHandle term = Compiled("fak(x)");
  double product = 1;
  for (int k = 1; k <= 22; ++k) {
    product *= k;  // exact up to 22!
    EXPECT_EQ(EvalTerm(term, k, 0, 0, 0, 0, 0), product) << k;
  }
  EXPECT_EQ(EvalTerm(term, 33, 0, 0, 0, 0, 0), 8.68331761881188649551819440128e36);
  EXPECT_EQ(EvalTerm(term, 40, 0, 0, 0, 0, 0), 8.15915283247897734345611269596e47);
  EXPECT_EQ(EvalTerm(term, 41, 0, 0, 0, 0, 0), 3.34525266131638071081700620534e49);
  EXPECT_TRUE(TermDefined);
  EvalTerm(term, 42, 0, 0, 0, 0, 0);
  EXPECT_FALSE(TermDefined);
  EvalTerm(term, 2.5, 0, 0, 0, 0, 0);
  EXPECT_FALSE(TermDefined);
}

// What a pupil writes for the derivatives of school functions.
TEST(Derivative, TextsAsPupilsWriteThem) {
  const struct {
    const char* term;
    const char* first;
    const char* second;
  } kTexts[] = {
      {"x^3-3x", "3x^2-3", "6x"},
      {"x*e^(-x)", "(1-x)*e^(-x)", "(x-2)*e^(-x)"},
      {"a*x^2+b*x+c", "2a*x+b", "2a"},
      {"x^3+3x^2+3x+1", "3x^2+6x+3", "6x+6"},
      {"(x^2-1)^2", "4x^3-4x", "12x^2-4"},
      {"sin(x)", "cos(x)", "-sin(x)"},
      {"x*sin(x)", "x*cos(x)+sin(x)", "2cos(x)-x*sin(x)"},
      {"1/x", "-1/x^2", "2/x^3"},
      {"ln(x)", "1/x", "-1/x^2"},
      {"sqrt(x)", "1/(2sqrt(x))", "-1/(4sqrt(x)^3)"},
      {"e^x", "e^x", "e^x"},
      {"exp(-x^2)", "-2x*exp(-x^2)", "(4x^2-2)*exp(-x^2)"},
      {"x^2*e^x", "(x^2+2x)*e^x", "(x^2+4x+2)*e^x"},
      {"(x+1)/(x-1)", "-2/(x-1)^2", "4/(x-1)^3"},
      {"x/(x^2+1)", "(1-x^2)/(x^2+1)^2", "(2x^3-6x)/(x^2+1)^3"},
      {"ln(x)/x", "(1-ln(x))/x^2", "(2ln(x)-3)/x^3"},
      {"x^3/4-x", "0,75x^2-1", "1,5x"},
      {"1/3x^3", "x^2", "2x"},
      {"sin(2x)", "2cos(2x)", "-4sin(2x)"},
      {"a*sin(b*x+c)+t", "a*b*cos(b*x+c)", "-a*b^2*sin(b*x+c)"},
      {"sqrt(1-x^2)", "-x/sqrt(1-x^2)", "-1/sqrt(1-x^2)^3"},
      {"x^(1/3)", "1/(3x^(2/3))", "-2/(9x^(5/3))"},
      {"2^x", "2^x*ln(2)", "2^x*ln(2)^2"},
      {"5", "0", "0"},
      {"a*x^2+a*x", "2a*x+a", "2a"},  // a letter stays in each term
      {"(2x)^2*x", "12x^2", "24x"},
      // x*sgn(x) is |x|, sgn(x)^2 is 1 away from 0, where limits decide.
      {"x*abs(x)", "2abs(x)", "2sgn(x)"},
      {"abs(x-3)^1.5", "1,5abs(x-3)^(0,5)*sgn(x-3)", "3/(4abs(x-3)^(0,5))"},
      {"x*sqrt(x)", "1,5sqrt(x)", "3/(4sqrt(x))"},  // x is sqrt(x)^2 where sqrt(x) is defined
  };
  for (const auto& t : kTexts) {
    const TermHandle term = Compiled(t.term);
    EXPECT_EQ(DerivativeText(term, 1), t.first) << t.term;
    EXPECT_EQ(DerivativeText(term, 2), t.second) << t.term;
  }
  EXPECT_EQ(DerivativeText(Compiled("fak(x)"), 1), "");
}

// Every text, typed back into a term field, is the derivative it names.
TEST(Derivative, TextsCompileToTheDerivative) {
  for (const char* text : {"x*e^(-x)", "(x+1)/(x-1)", "x^3/4-x", "sqrt(1-x^2)", "ln(x^2-1)+1/x",
                           "a*sin(b*x+c)+t", "abs(x-3)^1.5", "x^(1/3)", "tan(x)*pi"}) {
    const TermHandle term = Compiled(text);
    for (int order : {1, 2}) {
      const TermHandle typed = Compiled(DerivativeText(term, order));
      ASSERT_TRUE(typed) << text << " order " << order << ": " << DerivativeText(term, order);
      for (double x : {-2.7, -0.6, 0.4, 1.3, 2.2, 3.9}) {
        const double v = EvalDerivative(term, order, x, 0.5, kA, kB, kC, 0);
        if (!TermDefined) continue;
        const double w = EvalTerm(typed, x, 0.5, kA, kB, kC, 0);
        ASSERT_TRUE(TermDefined) << text << " order " << order << " at " << x;
        EXPECT_NEAR(v, w, 1e-9 * (1 + std::fabs(v))) << text << " order " << order << " at " << x;
      }
    }
  }
}

}  // namespace
}  // namespace kurvio
