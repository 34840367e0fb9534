// SPDX-License-Identifier: GPL-3.0-or-later
// The pupil's form of an expression and its text in the term language.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

#include "term/Symbolic.h"

namespace kurvio::sym {
namespace {

// Products of sums are multiplied out only while they stay this short.
constexpr std::size_t kMostExpandedTerms = 16;

std::vector<Ex> TermsOf(const Ex& e) { return e->kind == Kind::Add ? e->ops : std::vector<Ex>{e}; }

Ex Expand(const Ex& e);

// The product of two expanded expressions, multiplied out when short enough.
Ex Times(const Ex& a, const Ex& b) {
  const std::vector<Ex> ta = TermsOf(a), tb = TermsOf(b);
  if (ta.size() * tb.size() > kMostExpandedTerms || (ta.size() == 1 && tb.size() == 1))
    return Mul({a, b});
  std::vector<Ex> terms;
  for (const Ex& x : ta)
    for (const Ex& y : tb) terms.push_back(Mul({x, y}));
  return Add(std::move(terms));
}

Ex Expand(const Ex& e) {
  switch (e->kind) {
    case Kind::Add: {
      std::vector<Ex> terms;
      for (const Ex& t : e->ops) terms.push_back(Expand(t));
      return Add(std::move(terms));
    }
    case Kind::Mul: {
      Ex product = Num(1.0);
      for (const Ex& f : e->ops) product = Times(product, Expand(f));
      return product;
    }
    case Kind::Pow: {
      const Ex base = Expand(e->ops[0]);
      const Ex& exponent = e->ops[1];
      if (base->kind == Kind::Add && exponent->kind == Kind::Num && exponent->num.IsInteger() &&
          exponent->num.p > 1 && exponent->num.p <= 4) {
        Ex product = base;
        for (std::int64_t i = 1; i < exponent->num.p; ++i) product = Times(product, base);
        return product;
      }
      // sqrt(u)^2 is u wherever sqrt(u) is defined, and the form is only shown where it is.
      if (base->kind == Kind::Fn && base->tag == kSqrt && exponent->kind == Kind::Num &&
          exponent->num.IsInteger() && exponent->num.p % 2 == 0)
        return Expand(Pow(base->ops[0], Num(Number::Fraction(exponent->num.p / 2, 1))));
      return Pow(base, Expand(exponent));
    }
    case Kind::Fn:
      return Fn(e->tag, Expand(e->ops[0]));
    default:
      return e;
  }
}

// Whether a factor is a polynomial's: numbers, letters, sums of them and whole powers.
bool Rational(const Ex& f) {
  switch (f->kind) {
    case Kind::Num:
    case Kind::Leaf:
      return f->kind == Kind::Num || f->tag != kConstE;
    case Kind::Add:
    case Kind::Mul:
      return std::all_of(f->ops.begin(), f->ops.end(), Rational);
    case Kind::Pow:
      return Rational(f->ops[0]) && f->ops[1]->kind == Kind::Num && f->ops[1]->num.IsInteger();
    default:
      return false;
  }
}

// The terms of a sum over one denominator, as pupils write the quotient rule's
// results: (x+1)/(x-1) has f' = -2/(x-1)^2, not 1/(x-1)-(x+1)/(x-1)^2. Done
// where every term is a quotient of polynomials, or every term has the same
// bases below the bar (ln(x)/x: (1-ln(x))/x^2).
Ex OverOneDenominator(const Ex& sum) {
  if (sum->kind != Kind::Add) return sum;
  struct Part {
    std::vector<Ex> above;
    std::vector<std::pair<Ex, Number>> below;  // base, positive exponent
  };
  std::vector<Part> parts;
  bool anyBelow = false;
  for (const Ex& t : sum->ops) {
    Part p;
    for (const Ex& f : t->kind == Kind::Mul ? t->ops : std::vector<Ex>{t}) {
      if (f->kind == Kind::Pow && f->ops[1]->kind == Kind::Num && f->ops[1]->num.Negative())
        p.below.emplace_back(f->ops[0], -f->ops[1]->num);
      else
        p.above.push_back(f);
    }
    anyBelow = anyBelow || !p.below.empty();
    parts.push_back(std::move(p));
  }
  if (!anyBelow) return sum;
  const auto sameBases = [](const Part& a, const Part& b) {
    if (a.below.size() != b.below.size()) return false;
    for (const auto& below : a.below)
      if (std::none_of(b.below.begin(), b.below.end(),
                       [&](const auto& g) { return Compare(g.first, below.first) == 0; }))
        return false;
    return true;
  };
  const bool allSame = std::all_of(parts.begin(), parts.end(),
                                   [&](const Part& p) { return sameBases(p, parts.front()); });
  if (!allSame && !Rational(sum)) return sum;
  // The common denominator: every base with its highest exponent.
  std::vector<std::pair<Ex, Number>> common;
  for (const Part& p : parts)
    for (const auto& below : p.below) {
      auto it = std::find_if(common.begin(), common.end(),
                             [&](const auto& g) { return Compare(g.first, below.first) == 0; });
      if (it == common.end())
        common.push_back(below);
      else if (it->second.value < below.second.value)
        it->second = below.second;
    }
  std::vector<Ex> numerator;
  for (const Part& p : parts) {
    std::vector<Ex> factors = p.above;
    for (const auto& [base, e] : common) {
      Number missing = e;
      for (const auto& [b, pe] : p.below)
        if (Compare(b, base) == 0) missing = e + (-pe);
      if (!missing.IsZero()) factors.push_back(Pow(base, Num(missing)));
    }
    numerator.push_back(Expand(Mul(std::move(factors))));
  }
  const Ex top = Add(std::move(numerator));
  std::vector<Ex> quotient = top->kind == Kind::Mul ? top->ops : std::vector<Ex>{top};
  for (const auto& [base, e] : common) quotient.push_back(Pow(base, Num(-e)));
  return Raw(Kind::Mul, 0, std::move(quotient));
}

// Each part of an expression rewritten by `rewrite` from the inside out.
template <class Rewrite>
Ex Everywhere(const Ex& e, Rewrite rewrite) {
  if (e->kind == Kind::Num || e->kind == Kind::Leaf) return e;
  std::vector<Ex> ops;
  for (const Ex& o : e->ops) ops.push_back(Everywhere(o, rewrite));
  // A product is built anew, so that quotients found inside it join its own
  // fraction bar and equal bases above and below it cancel.
  return rewrite(e->kind == Kind::Mul ? Mul(std::move(ops)) : Raw(e->kind, e->tag, std::move(ops)));
}

// A factor a pupil keeps in front of a bracket: anything but a number, a
// letter or a whole power of a letter (e^(-x), sin(x), sqrt(x)).
bool Factorable(const Ex& f) {
  if (f->kind == Kind::Leaf) return false;
  if (f->kind == Kind::Pow && f->ops[0]->kind == Kind::Leaf && f->ops[0]->tag != kConstE &&
      f->ops[1]->kind == Kind::Num)
    return false;
  return f->kind != Kind::Num;
}

std::vector<Ex> FactorsOf(const Ex& t) {
  return t->kind == Kind::Mul ? t->ops : std::vector<Ex>{t};
}

// A sum whose terms share a factor such as e^(-x) as that factor times the rest.
Ex TakeOutCommonFactor(const Ex& sum) {
  if (sum->kind != Kind::Add) return sum;
  std::vector<Ex> common;
  for (const Ex& f : FactorsOf(sum->ops.front())) {
    if (!Factorable(f)) continue;
    const bool everywhere = std::all_of(sum->ops.begin() + 1, sum->ops.end(), [&](const Ex& t) {
      const std::vector<Ex> fs = FactorsOf(t);
      return std::any_of(fs.begin(), fs.end(), [&](const Ex& g) { return Compare(f, g) == 0; });
    });
    if (everywhere) common.push_back(f);
  }
  if (common.empty()) return sum;
  std::vector<Ex> rest;
  for (const Ex& t : sum->ops) {
    std::vector<Ex> factors = FactorsOf(t);
    for (const Ex& c : common) {
      auto it = std::find_if(factors.begin(), factors.end(),
                             [&](const Ex& g) { return Compare(c, g) == 0; });
      factors.erase(it);
    }
    rest.push_back(factors.empty() ? Num(1.0) : Mul(std::move(factors)));
  }
  // Built as it stands: Mul would spread a number over the sum again.
  std::vector<Ex> product{Add(std::move(rest))};
  product.insert(product.end(), common.begin(), common.end());
  return Raw(Kind::Mul, 0, std::move(product));
}

// ---- Text ----

std::string NumberText(double v) {
  char buffer[40];
  auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(v));
  std::string text = error == std::errc() ? std::string(buffer, end) : std::string("0");
  // The term fields show a decimal comma; the shortest form never has an exponent below 1e16.
  std::replace(text.begin(), text.end(), '.', ',');
  return text;
}

// |n| as the term field shows it: "3", "0,5", "1/3".
std::string MagnitudeText(const Number& n) {
  if (!n.exact) return NumberText(n.value);
  std::int64_t q = n.q;
  while (q % 2 == 0) q /= 2;
  while (q % 5 == 0) q /= 5;
  if (q == 1) return NumberText(n.value);
  return std::to_string(std::llabs(n.p)) + "/" + std::to_string(n.q);
}

std::string Text(const Ex& e);

// Where a factor stands among the others: parameters, x, brackets, functions.
int FactorRank(const Ex& f) {
  const Ex& base = f->kind == Kind::Pow ? f->ops[0] : f;
  if (base->kind == Kind::Leaf) {
    if (base->tag == kVarX) return 2;
    if (base->tag == kConstE) return 5;
    return base->tag == kConstPi ? 0 : 1;
  }
  if (base->kind == Kind::Add) return 3;
  return 4;
}

bool NeedsBrackets(const Ex& e) { return e->kind == Kind::Add; }

std::string AtomText(const Ex& e) {
  const std::string t = Text(e);
  const bool plain =
      e->kind == Kind::Leaf || e->kind == Kind::Fn ||
      (e->kind == Kind::Num && e->num.value >= 0 && (!e->num.exact || e->num.IsInteger()));
  return plain ? t : "(" + t + ")";
}

std::string PowerText(const Ex& base, const Ex& exponent) {
  std::string t = AtomText(base);
  const bool plainExponent =
      exponent->kind == Kind::Leaf ||
      (exponent->kind == Kind::Num && exponent->num.IsInteger() && exponent->num.value > 0);
  return t + "^" + (plainExponent ? Text(exponent) : "(" + Text(exponent) + ")");
}

std::string FactorText(const Ex& f) {
  if (f->kind == Kind::Pow) return PowerText(f->ops[0], f->ops[1]);
  return NeedsBrackets(f) ? "(" + Text(f) + ")" : Text(f);
}

// The factors joined: "2a*x", "(1-x)*e^(-x)". A number goes straight before
// a letter or a function, as pupils write it, except before e (2e would read
// as a number).
std::string ProductText(const std::string& number, std::vector<Ex> factors) {
  std::stable_sort(factors.begin(), factors.end(),
                   [](const Ex& a, const Ex& b) { return FactorRank(a) < FactorRank(b); });
  std::string text = number;
  for (std::size_t i = 0; i < factors.size(); ++i) {
    const std::string f = FactorText(factors[i]);
    if (!text.empty()) {
      const bool afterNumber = i == 0;
      const char first = f.front();
      const bool joins = afterNumber && first != 'e' && first != '(' &&
                         (std::isalpha(static_cast<unsigned char>(first)) ||
                          static_cast<unsigned char>(first) == 0xE3);
      if (!joins) text += "*";
    }
    text += f;
  }
  return text.empty() ? "1" : text;
}

// A product (or power) without its sign: numerator, and denominator after "/".
std::string QuotientText(const Ex& e, bool& negative) {
  negative = false;
  Number coefficient = Number::Fraction(1, 1);
  std::vector<Ex> above, below;
  for (const Ex& f : e->kind == Kind::Mul ? e->ops : std::vector<Ex>{e}) {
    if (f->kind == Kind::Num) {
      coefficient = f->num;
      continue;
    }
    if (f->kind == Kind::Pow && f->ops[1]->kind == Kind::Num && f->ops[1]->num.Negative())
      below.push_back(Pow(f->ops[0], Num(-f->ops[1]->num)));
    else
      above.push_back(f);
  }
  negative = coefficient.Negative();
  std::string top, bottom;
  // A fraction goes above and below the bar where the bar is there anyway (1/(2sqrt(x))) or the
  // fraction has no decimal form (x/3); otherwise it stands as a decimal in front (0,75x^2).
  if (coefficient.exact && coefficient.q != 1 &&
      (!below.empty() || MagnitudeText(coefficient).find('/') != std::string::npos)) {
    Number p = Number::Fraction(std::llabs(coefficient.p), 1);
    Number q = Number::Fraction(coefficient.q, 1);
    top = p.IsOne() ? "" : MagnitudeText(p);
    bottom = MagnitudeText(q);
  } else if (std::fabs(coefficient.value) != 1.0) {
    top = MagnitudeText(coefficient);
  }
  std::string numerator = above.empty() ? (top.empty() ? "1" : top) : ProductText(top, above);
  if (below.empty() && bottom.empty()) return numerator;
  std::string denominator = ProductText(bottom, below);
  const bool single = below.size() + (bottom.empty() ? 0 : 1) == 1;
  return numerator + "/" + (single ? denominator : "(" + denominator + ")");
}

// The power of x a term carries (for the order of a sum), -1 for none.
double DegreeInX(const Ex& t) {
  double degree = 0;
  for (const Ex& f : FactorsOf(t)) {
    if (f->kind == Kind::Leaf && f->tag == kVarX) degree += 1;
    if (f->kind == Kind::Pow && f->ops[0]->kind == Kind::Leaf && f->ops[0]->tag == kVarX &&
        f->ops[1]->kind == Kind::Num)
      degree += f->ops[1]->num.value;
  }
  return HasX(t) ? degree : -1e9;
}

std::string SumText(const Ex& e) {
  std::vector<Ex> terms = e->ops;
  std::stable_sort(terms.begin(), terms.end(),
                   [](const Ex& a, const Ex& b) { return DegreeInX(a) > DegreeInX(b); });
  // A difference of two starts with its positive term: 1-x, not -x+1.
  if (terms.size() == 2 && NegativeTerm(terms[0]) && !NegativeTerm(terms[1]))
    std::swap(terms[0], terms[1]);
  std::string text;
  for (std::size_t i = 0; i < terms.size(); ++i) {
    const bool negative = NegativeTerm(terms[i]);
    const std::string magnitude = Text(negative ? Mul({Num(-1.0), terms[i]}) : terms[i]);
    if (negative)
      text += "-";
    else if (i > 0)
      text += "+";
    text += magnitude;
  }
  return text;
}

std::string Text(const Ex& e) {
  switch (e->kind) {
    case Kind::Num:
      return (e->num.Negative() ? "-" : "") + MagnitudeText(e->num);
    case Kind::Leaf:
      switch (e->tag) {
        case kVarX:
          return "x";
        case kParamT:
          return "t";
        case kParamA:
          return "a";
        case kParamB:
          return "b";
        case kParamC:
          return "c";
        case kIndexN:
          return "n";
        case kVarW:
          return "w";
        case kConstPi:
          return std::string(1, kPiByte);
        default:
          return "e";
      }
    case Kind::Fn: {
      static const struct {
        std::uint8_t kind;
        const char* name;
      } kNames[] = {
          {kLn, "ln"},         {kLg, "lg"},         {kLd, "ld"},         {kExp, "exp"},
          {kSin, "sin"},       {kCos, "cos"},       {kTan, "tan"},       {kCot, "cot"},
          {kArcsin, "arcsin"}, {kArccos, "arccos"}, {kArctan, "arctan"}, {kArccot, "arccot"},
          {kSinh, "sinh"},     {kCosh, "cosh"},     {kTanh, "tanh"},     {kCoth, "coth"},
          {kSqrt, "sqrt"},     {kSqr, "sqr"},       {kNormal, "normal"}, {kPhi, "phi"},
          {kAbs, "abs"},       {kSgn, "sgn"},       {kMaxint, "maxint"}, {kInt, "int"},
          {kDeg, "deg"},       {kRad, "rad"},       {kFak, "fak"}};
      for (const auto& n : kNames)
        if (n.kind == e->tag) return std::string(n.name) + "(" + Text(e->ops[0]) + ")";
      return "?";
    }
    case Kind::Add:
      return SumText(e);
    case Kind::Mul:
    case Kind::Pow: {
      if (e->kind == Kind::Pow && !(e->ops[1]->kind == Kind::Num && e->ops[1]->num.Negative()))
        return PowerText(e->ops[0], e->ops[1]);
      bool negative = false;
      const std::string magnitude = QuotientText(e, negative);
      return (negative ? "-" : "") + magnitude;
    }
  }
  return "?";
}

}  // namespace

Ex PupilForm(const Ex& e) {
  return Everywhere(Everywhere(Expand(e), OverOneDenominator), TakeOutCommonFactor);
}

std::string ToText(const Ex& e) { return Text(e); }

}  // namespace kurvio::sym
