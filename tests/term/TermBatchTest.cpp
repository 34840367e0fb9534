// SPDX-License-Identifier: GPL-3.0-or-later
// The batch gives, point for point, the value and the defined flag of the
// single evaluation, bit for bit, over awkward terms, points and lengths.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "term/Term.h"
#include "term/TermBatch.h"
#include "term/TermCache.h"

namespace kurvio {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// `mode` 'i' compiles in the integral window's mode, 's' in the sequence window's.
TermHandle Compiled(const std::string& text, char mode = ' ') {
  TermHandle term;
  Compile(term, text, true,
          mode == 'i'   ? TermMode::Integral
          : mode == 's' ? TermMode::Sequence
                        : TermMode::Ordinary);
  return term;
}

// `open` `count` times, then `inner`, then `close` `count` times.
std::string Repeated(const std::string& open, int count, const std::string& inner,
                     const std::string& close) {
  std::string out = inner;
  for (int i = 0; i < count; ++i) out = open + out + close;
  return out;
}

// Points across the classroom range with the poles and limits of the terms
// below, the special values, and then a sweep to reach any length.
std::vector<double> Points(std::size_t count) {
  const double special[] = {0.0,   -0.0,   1.0,   -1.0,   2.0,     -2.0, 0.5,   1.570796327,
                            -3.0,  3.0,    1e-31, -1e-31, 1e-300,  1e30, -1e30, 1e49,
                            1e50,  -1e50,  1e300, kInf,   -kInf,   kNaN, -kNaN, 2147483647.0,
                            15.0,  -15.0,  6.0,   7.0,    -7.0,    90.0, -90.0, 45.0,
                            0.002, -0.001, 0.999, 1.0001, 2.5,     -2.5, 32.0,  33.0,
                            1e20,  -1e21,  1e-15, 5e-324, -5e-324, 10.0, 11.0,  100.0};
  std::vector<double> p;
  for (std::size_t i = 0; i < count; ++i) {
    if (i < std::size(special))
      p.push_back(special[i]);
    else
      p.push_back(-8.0 + 0.0137 * static_cast<double>(i));
  }
  return p;
}

TermInputs Fixed() { return TermInputs{0.25, 0.5, 1.5, -2.0, 3.0, 7.0}; }

// The batch over `points` (of the value varying `vary`, or of the derivative of
// `order` over x) against the single evaluations, bit for bit.
void ExpectSameAsSingle(const TermHandle& term, const std::string& text, BatchInput vary,
                        const std::vector<double>& points, const TermInputs& fixed, int order = 0) {
  const std::size_t n = points.size();
  std::vector<double> values(n, 123.0);
  std::unique_ptr<bool[]> defined(new bool[n + 1]);
  if (order == 0)
    EvalTermBatch(term, vary, fixed, points.data(), n, values.data(), defined.get());
  else
    EvalDerivativeBatch(term, order, fixed, points.data(), n, values.data(), defined.get());
  for (std::size_t i = 0; i < n; ++i) {
    TermInputs in = fixed;
    const double p = points[i];
    if (vary == BatchInput::X || vary == BatchInput::XT) in.x = p;
    if (vary == BatchInput::T || vary == BatchInput::XT) in.t = p;
    if (vary == BatchInput::N) in.n = p;
    const TermValue single = order == 0
                                 ? Evaluate(term, in.x, in.t, in.a, in.b, in.c, in.n)
                                 : EvaluateDerivative(term, order, p, in.t, in.a, in.b, in.c, in.n);
    ASSERT_EQ(defined[i], single.defined)
        << text << " order " << order << " at point " << i << " = " << p << " input " << int(vary);
    ASSERT_EQ(std::memcmp(&single.value, &values[i], sizeof single.value), 0)
        << text << " order " << order << " at point " << i << " = " << p << ": " << values[i]
        << " vs " << single.value;
  }
}

struct BatchCase {
  const char* text;
  char mode = ' ';
};

const BatchCase kTerms[] = {
    // clang-format off
    {"x^3-3x"}, {"3x^2-2sin(ax)"}, {"e^-x^2"}, {"(x+1)(x-1)/(x^2+4)"}, {"sqrt(abs(x))*ln(x^2+1)"},
    {"a*sin(b*x+c)+t"}, {"phi(x)"}, {"fak(5)+x"}, {"fak(x)"}, {"1/x"}, {"1/(x-1)+1/(x+1)"},
    {"ln(x)"}, {"sqrt(x)"}, {"sqrt(x-1)*sqrt(1-x)"}, {"x^0.5"}, {"x^-2"}, {"x^-6"}, {"x^6"},
    {"x^0"}, {"0^x"}, {"0^0+x"}, {"x^x"}, {"(-x)^3"}, {"x^(1/3)"}, {"2^x^2"}, {"10^x"}, {"e^x"},
    {"0.5^x"}, {"(x-2)^a"}, {"x^t"}, {"x*1e49*1e49"}, {"x*x*x*x*x*x"}, {"1e60*0+x"}, {"x/(x-x)"},
    {"0/0+x"}, {"tan(x)+cot(x)"}, {"sinh(x)*cosh(x)/tanh(x)"}, {"coth(x)"},
    {"arcsin(x)+arccos(x/2)"}, {"arctan(x)-arccot(x)"}, {"exp(x)"}, {"exp(x^2)"}, {"lg(x)+ld(x)"},
    {"maxint(x)-int(x)+sgn(x)"}, {"deg(x)+rad(x)"}, {"normal(x)"}, {"phi(x)*fak(3)"},
    {"-(-(-x))"}, {"sqr(x)-x^2"}, {"x"}, {"a"}, {"42"}, {"a/(b+2)"}, {"x*a+b*t"}, {"a*x"},
    {"x+a"}, {"x^a"}, {"1/x+a"}, {"sin(a)"}, {"t^2+w", 'i'}, {"w*t-1/t", 'i'}, {"1/n", 's'},
    {"(1+1/n)^n", 's'}, {"(-1)^n/n", 's'}, {"fak(n)/n^n", 's'},
    {"((((((x+1)*(x+2))+((x+3)*(x+4)))*(((x+5)*(x+6))+((x+7)*(x+8))))+1)/(x+9))"},
    // Rough places, where the batch hands points to the single evaluation.
    {"x*abs(x)"}, {"abs(x-3)^1.5"}, {"exp(sgn(x))"}, {"int(2x)*x"}, {"sqrt(x^4)"},
    {"arcsin(x/2)^2"}, {"abs(sin(x))"}, {"x^(2/3)"},
    // clang-format on
};

// Also with a fixed input out of range, which ends every point.
TEST(TermBatch, AgreesWithTheSingleEvaluationForEveryInput) {
  const std::vector<double> points = Points(600);
  const BatchInput inputs[] = {BatchInput::X, BatchInput::T, BatchInput::XT, BatchInput::N};
  for (const BatchCase& c : kTerms) {
    const TermHandle term = Compiled(c.text, c.mode);
    ASSERT_TRUE(term) << c.text;
    for (double a : {Fixed().a, 1e50, -1e60, kInf, kNaN}) {
      TermInputs fixed = Fixed();
      fixed.a = a;
      for (BatchInput vary : inputs) ExpectSameAsSingle(term, c.text, vary, points, fixed);
    }
  }
}

// Terms nested to the program's stack limit and one beyond it (the tree walk)
// run in shorter blocks; no term at all is undefined everywhere.
TEST(TermBatch, BlockEdgesDeepTermsAndEmptyColumns) {
  std::vector<std::string> texts = {"x^3-3x", "1/x", "sqrt(x)+ln(x)", "e^-x^2", ""};
  for (int depth : {12, 20, 29, 40}) texts.push_back(Repeated("1/(x+", depth, "x", ")"));
  for (bool pointByPoint : {false, true}) {
    TermBatchPointByPoint = pointByPoint;
    for (std::size_t count : {0u, 1u, 255u, 256u, 257u, 511u, 1600u}) {
      const std::vector<double> points = Points(count);
      for (const std::string& text : texts) {
        const TermHandle term = text.empty() ? nullptr : Compiled(text);
        ASSERT_EQ(term == nullptr, text.empty()) << text;
        for (int order : {0, 2})
          ExpectSameAsSingle(term, text + " n=" + std::to_string(count), BatchInput::X, points,
                             Fixed(), order);
      }
    }
  }
  TermBatchPointByPoint = false;
}

TEST(TermBatch, DerivativesAgreeWithTheSingleEvaluation) {
  const std::vector<double> points = Points(400);
  for (const BatchCase& c : kTerms) {
    if (c.mode != ' ') continue;
    const TermHandle term = Compiled(c.text);
    for (int order : {1, 2, 3, 7})
      ExpectSameAsSingle(term, c.text, BatchInput::X, points, Fixed(), order);
  }
}

}  // namespace
}  // namespace kurvio
