// SPDX-License-Identifier: GPL-3.0-or-later
// Exact forms of special points: zeros of f, f' and f'' proven from the
// factors, places recognised near a numeric one, values at them, and that every
// text reads as the value it comes with.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "term/ExactForm.h"
#include "term/Term.h"

namespace kurvio {
namespace {

// The text as a term ("(1+√5)/2" -> "(1+sqrt(5))/2", "2/e²" -> "2/e^(2)"), evaluated by
// the term engine, must give the number's value.
void ExpectTextReadsAsValue(const ExactNumber& n) {
  static const std::string kSuperscripts[] = {"⁰", "¹", "²", "³", "⁴", "⁵", "⁶", "⁷", "⁸", "⁹"};
  const std::string& text = n.text;
  const auto at = [&text](std::size_t i, const std::string& s) {
    return text.compare(i, s.size(), s) == 0;
  };
  std::string term;
  bool exponent = false;
  for (std::size_t i = 0; i < text.size();) {
    const auto digit = std::find_if(std::begin(kSuperscripts), std::end(kSuperscripts),
                                    [&](const std::string& s) { return at(i, s); });
    const bool superscript = digit != std::end(kSuperscripts);
    if (superscript != exponent) term += superscript ? "^(" : ")";
    exponent = superscript;
    std::size_t used = 1;
    if (superscript) {
      term += static_cast<char>('0' + (digit - std::begin(kSuperscripts)));
      used = digit->size();
    } else if (at(i, "√")) {
      used = std::string("√").size();
      const std::size_t end = text.find_first_not_of("0123456789e", i + used);
      term += "sqrt(" + text.substr(i + used, end - i - used) + ")";
      used = (end == std::string::npos ? text.size() : end) - i;
    } else if (at(i, "π") || at(i, "·")) {
      term += at(i, "π") ? "pi" : "*";
      used = 2;
    } else {
      term +=
          text[i] == 'e' && !term.empty() && std::isdigit(static_cast<unsigned char>(term.back()))
              ? "*e"  // 2e is no number here
              : std::string(1, text[i]);
    }
    i += used;
  }
  if (exponent) term += ')';
  TermHandle compiled;
  CompileTerm(compiled, term, true);
  ASSERT_TRUE(compiled) << text << " as " << term;
  EXPECT_NEAR(EvalTerm(compiled, 0, 0, 0, 0, 0, 0), n.value,
              1e-8 * std::max(1.0, std::fabs(n.value)))
      << text << " as " << term;
}

std::unique_ptr<ExactFunction> Exact(const std::string& text, double a = 0, double b = 0,
                                     double c = 0) {
  TermHandle term;
  CompileTerm(term, text, true);
  return term ? ExactFunction::Of(term.get(), a, b, c) : nullptr;
}

TEST(ExactFormTest, ZerosOfTheFactorsAndTheValuesThere) {
  const struct {
    const char* term;
    int order;
    std::vector<std::string> zeros, values;  // in [-10; 10]
    double a = 0, b = 0, c = 0;
  } cases[] = {
      {"x^3-3x", 0, {"-√3", "0", "√3"}, {"0", "0", "0"}},
      {"x^3-3x", 1, {"-1", "1"}, {"2", "-2"}},
      {"x^3-3x", 2, {"0"}, {"0"}},
      {"x^4-2x^2", 0, {"-√2", "0", "√2"}, {"0", "0", "0"}},
      {"x^2-x-1", 0, {"(1-√5)/2", "(1+√5)/2"}, {"0", "0"}},
      {"x*e^(-x)", 1, {"1"}, {"1/e"}},
      {"x*e^(-x)", 2, {"2"}, {"2/e²"}},
      {"x*e^(-2x)", 1, {"0,5"}, {"1/(2e)"}},
      {"a*x^2+b*x+c", 0, {"1-√3", "1+√3"}, {"0", "0"}, 0.5, -1, -1},
      {"(x-1)^2", 0, {"1"}, {"0"}},
      {"(x-1)^2", 2, {}, {}},
      {"1/(x-2)", 0, {}, {}},
      {"(x^2-4)/(x-2)", 0, {"-2"}, {"0"}},  // 2 is no zero: f is undefined there
      {"sqrt(x)*(x+1)", 0, {"0"}, {"0"}},   // nor is -1
      {"ln(x)*(x+2)", 0, {"1"}, {"0"}},
      {"sqrt(x^2-2)*(x-1)", 0, {"-√2", "√2"}, {"0", "0"}},
      {"3x/2+1", 0, {"-2/3"}, {"0"}},
      {"4x+7", 0, {"-1,75"}, {"0"}},
      {"(x^2-3)*(x^3-2)", 0, {"-√3", "√3"}, {"0", "0"}},  // the cubic's zero is no exact one here
      {"sin(x)*(x-1)", 0, {"1"}, {"0"}},
      {"(x-2)/(x^2+1)", 1, {"2-√5", "2+√5"}, {"-1-√5/2", "√5/2-1"}},  // no root below the bar
      {"x^2*ln(x)", 1, {"1/√e"}, {"-1/(2e)"}},                        // from ln(x) = -1/2
      {"e^(2x)-3", 0, {"ln(3)/2"}, {"0"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.term) + " order " + std::to_string(c.order));
    const auto f = Exact(c.term, c.a, c.b, c.c);
    ASSERT_TRUE(f);
    const std::vector<ExactNumber> zeros = f->Zeros(c.order, -10, 10);
    std::vector<std::string> texts, values;
    for (const ExactNumber& z : zeros) {
      ExpectTextReadsAsValue(z);
      texts.push_back(z.text);
      const std::optional<ExactNumber> y = f->ValueAt(z);
      values.push_back(y ? y->text : "-");
      if (y) ExpectTextReadsAsValue(*y);
    }
    EXPECT_EQ(texts, c.zeros);
    EXPECT_EQ(values, c.values);
  }
  const auto cubic = Exact("x^3-3x");
  ASSERT_TRUE(cubic);
  EXPECT_EQ(cubic->Zeros(0, 0, 1.7).size(), 1u);  // only 0: √3 lies beyond the interval
  // π is 2·10⁻¹³ short of the domain: a sign too small to prove is no zero.
  EXPECT_TRUE(Exact("ln(x-3.14159265359)*(x-pi)")->Zeros(0, 3, 3.5).empty());
  // x ≠ 0 and x ≥ 0 from the term as typed, though GiNaC cancels √x: -1 is no zero.
  EXPECT_TRUE(Exact("(x+1)/x+sqrt(x)-sqrt(x)")->Zeros(0, -10, 10).empty());
  EXPECT_FALSE(Exact("1/(x-2)")->ValueAt(*ExactDecimal(2)));
}

TEST(ExactFormTest, RecognisesPlacesNearNumericOnes) {
  const auto sine = Exact("sin(x)");
  ASSERT_TRUE(sine);
  std::vector<std::string> zeros;
  for (int k = -2; k <= 2; ++k) {
    const std::optional<ExactNumber> z = sine->Recognise(0, k * M_PI + 1e-9);
    ASSERT_TRUE(z) << k;
    ExpectTextReadsAsValue(*z);
    zeros.push_back(z->text);
  }
  EXPECT_EQ(zeros, (std::vector<std::string>{"-2π", "-π", "0", "π", "2π"}));
  EXPECT_FALSE(sine->Recognise(0, 2.5));  // π is a zero, but not near
  const struct {
    const char* term;
    int order;
    double x;
    const char* place;  // "" for none
    const char* value;
  } cases[] = {
      {"sin(x)", 1, M_PI / 2, "π/2", "1"},
      {"sin(x)+cos(x)", 0, 3 * M_PI / 4, "3π/4", "0"},
      {"2sin(x)-x", 1, M_PI / 3, "π/3", "√3-π/3"},
      {"e^x-2", 0, std::log(2.0), "ln(2)", "0"},
      {"x*ln(x)", 1, std::exp(-1.0), "1/e", "-1/e"},
      {"ln(x)/x", 1, std::exp(1.0), "e", "1/e"},
      {"x^3-2", 0, std::cbrt(2.0), "", ""},
      {"sin(x)-sin(3.1415926)", 0, M_PI, "", ""},  // near zero at π, but not zero
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.term);
    const auto f = Exact(c.term);
    ASSERT_TRUE(f);
    const std::optional<ExactNumber> place = f->Recognise(c.order, c.x);
    EXPECT_EQ(place ? place->text : "", c.place);
    if (!place) continue;
    ExpectTextReadsAsValue(*place);
    const std::optional<ExactNumber> value = f->ValueAt(*place);
    ASSERT_TRUE(value);
    EXPECT_EQ(value->text, c.value);
    ExpectTextReadsAsValue(*value);
  }
}

TEST(ExactFormTest, RefusesWhatExactAlgebraCannotTakeQuickly) {
  for (const char* term : {"abs(x)", "sgn(x)", "int(x)", "maxint(x)", "fak(x)", "normal(x)",
                           "phi(x)", "x+w", "sqrt(-1)+x", "1/0+x", "x^200", "(x+1)^16*(x-1)^16",
                           "2^(2^(2^(2^5)))+x", "x+2^65", "x^12/(x^13+1)", "1/(x^13+1)+1/(x^12+1)"})
    EXPECT_FALSE(Exact(term)) << term;
  TermHandle x;
  CompileTerm(x, "x", true);
  EXPECT_FALSE(ExactFunction::Of(x.get(), 0, std::nan(""), 0));
  EXPECT_TRUE(Exact("x+2^64"));  // the largest power taken
  const auto constant = Exact("abs(-2)*x+fak(3)+maxint(-1.5)-int(-1.5)");
  ASSERT_TRUE(constant);
  EXPECT_EQ(constant->Zeros(0, -10, 10).front().text, "-2,5");
  // Taken, but the work stays bounded: the second derivative's numerator is not factored.
  for (const char* term : {"(x^3+x+1)^8", "1/(x-1)+1/(x-2)+1/(x-3)+1/(x-4)+1/(x-5)+1/(x-6)",
                           "sin(x)^8*cos(x)^8*e^(x)*(x^4-1)"}) {
    const auto f = Exact(term);
    ASSERT_TRUE(f) << term;
    for (int order = 0; order <= 2; ++order) {
      f->Zeros(order, -10, 10);
      f->Recognise(order, 0.5);
    }
  }
}

TEST(ExactFormTest, DecimalsAsShownAndNoValueBeyondTheWritings) {
  EXPECT_EQ(ExactDecimal(0.5)->text, "0,5");
  EXPECT_EQ(ExactDecimal(-1.25)->text, "-1,25");
  EXPECT_EQ(ExactDecimal(1.3)->text, "1,3");
  EXPECT_EQ(ExactDecimal(0.00001)->text, "1/100000");  // written 1e-05 and 2e+06 in digits
  EXPECT_EQ(ExactDecimal(2e6)->text, "2000000");
  EXPECT_FALSE(ExactDecimal(std::nan("")));
  const auto f = Exact("x*e^(-x)");
  EXPECT_EQ(f->ValueAt(*ExactDecimal(2))->text, "2/e²");
  const std::optional<ExactNumber> pi = Exact("sin(x)")->Recognise(0, M_PI);
  for (const char* term : {"sqrt(x)", "ln(x-1)", "sin(1)*x"})
    EXPECT_FALSE(Exact(term)->ValueAt(*pi)) << term;
  EXPECT_FALSE(Exact("ln(x-1)*ln(x)")->ValueAt(*ExactDecimal(3)));
}

}  // namespace
}  // namespace kurvio
