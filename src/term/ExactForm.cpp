// SPDX-License-Identifier: GPL-3.0-or-later
#include "term/ExactForm.h"

#include <ginac/ginac.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <numeric>
#include <tuple>
#include <utility>

namespace kurvio {
namespace {

using GiNaC::ex;
using GiNaC::is_a;
using GiNaC::numeric;

// Limits that keep one call to a few milliseconds whatever a pupil types.
constexpr std::size_t kMaxTreeNodes = 160;  // nodes of the compiled term
constexpr int kMaxDegreeBound = 24;         // of numerator plus denominator, estimated
constexpr int kMaxDerivedDegree = 32;       // the same for f' and f''
constexpr int kMaxFactorDegree = 16;        // per variable of a polynomial that is factored
constexpr std::size_t kMaxKernels = 3;      // e^(-x), sin(x), … besides x in one numerator
constexpr double kMaxFactorTerms = 200;     // terms a polynomial that is factored may have
constexpr int kMaxIntegerPower = 64;
constexpr int kMaxPowerDigits = 4096;              // bits of a number raised to an integer power
constexpr std::size_t kMaxDerivativeNodes = 4000;  // of f' and f'' as GiNaC builds them
constexpr std::size_t kMaxConditions = 64;
constexpr std::int64_t kMaxRadicand = 100000000;
constexpr std::int64_t kMaxSmall = 1000000000000000;  // 1e15: integers of a text
constexpr std::size_t kMaxTextLength = 24;            // code points
constexpr int kRecogniseDenominator = 12;

// Whether e is the function whose serial is given (GiNaC::exp_SERIAL, …).
template <typename Serial>
bool Is(const ex& e) {
  return GiNaC::is_the_function<Serial>(e);
}

// Thrown while building the algebra of a term exact algebra cannot take.
struct Refused {};

// ---------------------------------------------------------------------------
// Numbers

// The decimal a double is shown with (its shortest round-trip form) as an exact rational.
std::optional<numeric> ShownRational(double v) {
  if (!std::isfinite(v)) return std::nullopt;
  char buffer[64];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, v);
  if (error != std::errc()) return std::nullopt;
  std::int64_t mantissa = 0;
  int exponent = 0, digits = 0;
  bool negative = false, fraction = false;
  const char* p = buffer;
  if (p < end && *p == '-') {
    negative = true;
    ++p;
  }
  for (; p < end && *p != 'e'; ++p) {
    if (*p == '.') {
      fraction = true;
      continue;
    }
    if (*p < '0' || *p > '9') return std::nullopt;
    if ((mantissa > 0 || *p != '0') && ++digits > 17) return std::nullopt;  // leading zeros aside
    mantissa = mantissa * 10 + (*p - '0');
    if (fraction) --exponent;
  }
  if (p < end) {
    int e = 0;
    const auto [rest, bad] = std::from_chars(p + 1 + (p[1] == '+'), end, e);
    if (bad != std::errc() || rest != end) return std::nullopt;
    exponent += e;
  }
  if (std::abs(exponent) > 30) return std::nullopt;
  numeric r = numeric(static_cast<long>(mantissa)) * numeric(10).power(exponent);
  return negative ? -r : r;
}

bool SmallInteger(const numeric& n, std::int64_t& out) {
  if (!n.is_integer() || GiNaC::abs(n) >= numeric(static_cast<long>(kMaxSmall))) return false;
  out = n.to_long();
  return true;
}

// A constant's value in doubles, nullopt where a part of it is beyond 1e100 or not
// real: the guard that keeps evalf() from working for minutes on e^(e^(10^8)).
std::optional<double> Estimate(const ex& e) {
  constexpr double kLarge = 1e100;
  double v = 0;
  if (is_a<numeric>(e)) {
    const numeric& n = GiNaC::ex_to<numeric>(e);
    if (!n.is_real() || GiNaC::abs(n) > numeric(kLarge)) return std::nullopt;
    v = n.to_double();
  } else if (e.is_equal(GiNaC::Pi)) {
    v = 3.14159265358979323846;
  } else if (is_a<GiNaC::add>(e) || is_a<GiNaC::mul>(e)) {
    v = is_a<GiNaC::mul>(e) ? 1 : 0;
    for (std::size_t i = 0; i < e.nops(); ++i) {
      const std::optional<double> o = Estimate(e.op(i));
      if (!o) return std::nullopt;
      v = is_a<GiNaC::mul>(e) ? v * *o : v + *o;
    }
  } else if (is_a<GiNaC::power>(e)) {
    const std::optional<double> b = Estimate(e.op(0)), k = Estimate(e.op(1));
    if (!b || !k) return std::nullopt;
    v = std::pow(*b, *k);
  } else if (is_a<GiNaC::function>(e) && e.nops() == 1) {
    const std::optional<double> u = Estimate(e.op(0));
    if (!u) return std::nullopt;
    using Fn = double (*)(double);
    static const std::pair<unsigned, Fn> kFunctions[] = {
        {GiNaC::exp_SERIAL::serial, [](double t) { return std::exp(t); }},
        {GiNaC::log_SERIAL::serial, [](double t) { return std::log(t); }},
        {GiNaC::sin_SERIAL::serial, [](double t) { return std::sin(t); }},
        {GiNaC::cos_SERIAL::serial, [](double t) { return std::cos(t); }},
        {GiNaC::tan_SERIAL::serial, [](double t) { return std::tan(t); }},
        {GiNaC::asin_SERIAL::serial, [](double t) { return std::asin(t); }},
        {GiNaC::acos_SERIAL::serial, [](double t) { return std::acos(t); }},
        {GiNaC::atan_SERIAL::serial, [](double t) { return std::atan(t); }},
        {GiNaC::sinh_SERIAL::serial, [](double t) { return std::sinh(t); }},
        {GiNaC::cosh_SERIAL::serial, [](double t) { return std::cosh(t); }},
        {GiNaC::tanh_SERIAL::serial, [](double t) { return std::tanh(t); }},
    };
    const unsigned serial = GiNaC::ex_to<GiNaC::function>(e).get_serial();
    const auto f = std::find_if(std::begin(kFunctions), std::end(kFunctions),
                                [serial](const auto& k) { return k.first == serial; });
    if (f == std::end(kFunctions)) return std::nullopt;
    v = f->second(*u);
  } else {
    return std::nullopt;
  }
  if (!(std::fabs(v) <= kLarge)) return std::nullopt;
  return v;
}

// A real number's value, nullopt where it is not real and finite or holds a symbol.
std::optional<double> ValueOf(const ex& e) {
  if (!Estimate(e)) return std::nullopt;
  const ex v = e.evalf();
  if (!is_a<numeric>(v)) return std::nullopt;
  const numeric& n = GiNaC::ex_to<numeric>(v);
  if (!n.is_real()) return std::nullopt;
  const double d = n.to_double();
  if (!std::isfinite(d)) return std::nullopt;
  return d;
}

// ---------------------------------------------------------------------------
// Closed forms: sums of rational multiples of √m · e^r · π^k · ln(q)

struct Monomial {
  std::int64_t radicand = 1;      // square-free
  std::int64_t eP = 0, eQ = 1;    // e^(eP/eQ)
  int piPower = 0;                // π^piPower
  std::int64_t lnP = 1, lnQ = 1;  // ln(lnP/lnQ), lnP/lnQ > 1; 1/1 for none
  bool operator<(const Monomial& o) const {
    // Rational parts first, then roots, powers of e, of π, logarithms.
    const auto rank = [](const Monomial& m) {
      return std::make_tuple(m.lnP != 1, m.piPower != 0, m.eP != 0, m.piPower, m.eP * 1.0 / m.eQ,
                             m.radicand, m.lnP * 1.0 / m.lnQ);
    };
    return rank(*this) < rank(o);
  }
};

using ClosedSum = std::map<Monomial, numeric>;

bool SmallFraction(const numeric& n, std::int64_t& p, std::int64_t& q) {
  return n.is_rational() && SmallInteger(n.numer(), p) && SmallInteger(n.denom(), q);
}

// One product as coefficient · √radicand · e^ePower · π^piPower · ln(lnArg).
struct ProductReader {
  numeric coefficient = 1, radicand = 1, ePower = 0, lnArg = 1;
  int piPower = 0;

  bool Read(const ex& f) {
    if (is_a<numeric>(f)) {
      const numeric& n = GiNaC::ex_to<numeric>(f);
      if (!n.is_rational()) return false;
      coefficient *= n;
      return true;
    }
    if (is_a<GiNaC::mul>(f)) {
      for (std::size_t i = 0; i < f.nops(); ++i)
        if (!Read(f.op(i))) return false;
      return true;
    }
    if (f.is_equal(GiNaC::Pi)) return ++piPower <= 9;
    if (Is<GiNaC::exp_SERIAL>(f)) return AddEPower(f.op(0), 1);
    if (Is<GiNaC::log_SERIAL>(f)) {
      if (!is_a<numeric>(f.op(0)) || lnArg != 1) return false;
      const numeric& q = GiNaC::ex_to<numeric>(f.op(0));
      if (!q.is_rational() || !q.is_positive() || q == 1) return false;
      lnArg = q;
      return true;
    }
    if (!is_a<GiNaC::power>(f) || !is_a<numeric>(f.op(1))) return false;
    const ex& base = f.op(0);
    const numeric& k = GiNaC::ex_to<numeric>(f.op(1));
    if (!k.is_rational()) return false;
    if (base.is_equal(GiNaC::Pi) && k.is_integer()) {
      piPower += k.to_int();
      return std::abs(piPower) <= 9;
    }
    if (Is<GiNaC::exp_SERIAL>(base) && k.is_integer()) return AddEPower(base.op(0), k);
    if (!is_a<numeric>(base) || k.denom() != 2 || GiNaC::abs(k) > kMaxIntegerPower) return false;
    const numeric& b = GiNaC::ex_to<numeric>(base);
    if (!b.is_rational() || !b.is_positive()) return false;
    // b^(k/2) = b^((k-1)/2) · √b
    coefficient *= b.power((k.numer() - 1) / 2);
    radicand *= b;
    return true;
  }

  bool AddEPower(const ex& exponent, const numeric& times) {
    if (!is_a<numeric>(exponent)) return false;
    const numeric& r = GiNaC::ex_to<numeric>(exponent);
    if (!r.is_rational()) return false;
    ePower += r * times;
    return true;
  }

  // Into the sum; false when a part is beyond the writings.
  bool AddTo(ClosedSum& sum) {
    Monomial m;
    // √(p/q) = √(p·q)/q, and the square in p·q comes out.
    coefficient /= radicand.denom();
    std::int64_t r = 0;
    if (!SmallInteger(radicand.numer() * radicand.denom(), r) || r > kMaxRadicand) return false;
    std::int64_t outside = 1;
    for (std::int64_t i = 2; i * i <= r; ++i)
      while (r % (i * i) == 0) {
        r /= i * i;
        outside *= i;
      }
    coefficient *= outside;
    m.radicand = r;
    if (!SmallFraction(ePower, m.eP, m.eQ) || std::abs(m.eP) > 50 * m.eQ || m.eQ > 100)
      return false;
    m.piPower = piPower;
    if (lnArg < 1) {
      lnArg = 1 / lnArg;
      coefficient = -coefficient;
    }
    if (!SmallFraction(lnArg, m.lnP, m.lnQ)) return false;
    numeric& c = sum[m];
    c += coefficient;
    if (c.is_zero()) sum.erase(m);
    return true;
  }
};

// Whether an expression holds only what closed forms are made of (numbers, π,
// e^…, ln, powers with number exponents): only then is expanding it of use.
bool OfClosedParts(const ex& e) {
  for (auto it = e.preorder_begin(); it != e.preorder_end(); ++it) {
    const ex& s = *it;
    if (is_a<GiNaC::symbol>(s) || (is_a<GiNaC::power>(s) && !is_a<numeric>(s.op(1))) ||
        (is_a<GiNaC::function>(s) && !Is<GiNaC::exp_SERIAL>(s) && !Is<GiNaC::log_SERIAL>(s)))
      return false;
  }
  return true;
}

// How many terms multiplying out can give at most: (t1 + … + tn)^k has
// binomial(k + n - 1, n - 1).
double ExpandedTerms(const ex& e) {
  if (is_a<GiNaC::add>(e) || is_a<GiNaC::mul>(e)) {
    double terms = is_a<GiNaC::add>(e) ? 0 : 1;
    for (std::size_t i = 0; i < e.nops(); ++i)
      terms = is_a<GiNaC::add>(e) ? terms + ExpandedTerms(e.op(i)) : terms * ExpandedTerms(e.op(i));
    return std::min(terms, 1e9);
  }
  if (is_a<GiNaC::power>(e) && is_a<numeric>(e.op(1)) &&
      GiNaC::ex_to<numeric>(e.op(1)).is_integer()) {
    const double n = ExpandedTerms(e.op(0));
    const double k = std::min(std::fabs(GiNaC::ex_to<numeric>(e.op(1)).to_double()), 1e6);
    return std::min(std::exp(std::lgamma(k + n) - std::lgamma(k + 1) - std::lgamma(n)), 1e9);
  }
  return 1;
}

bool CheapToExpand(const ex& e) { return ExpandedTerms(e) <= 500; }

// The closed form of a constant expression multiplied out, nullopt where it has none.
std::optional<ClosedSum> ReadExpanded(const ex& expanded) {
  ClosedSum sum;
  const auto term = [&sum](const ex& t) {
    ProductReader reader;
    return reader.Read(t) && reader.AddTo(sum);
  };
  if (is_a<GiNaC::add>(expanded)) {
    if (expanded.nops() > 12) return std::nullopt;
    for (std::size_t i = 0; i < expanded.nops(); ++i)
      if (!term(expanded.op(i))) return std::nullopt;
  } else if (!term(expanded)) {
    return std::nullopt;
  }
  return sum;
}

// Whether a constant expression is zero, proven by GiNaC's own simplification or by
// reading it as a closed form (which merges √2·√3 into √6).
bool ExactlyZero(const ex& e) {
  for (auto it = e.preorder_begin(); it != e.preorder_end(); ++it)
    if (is_a<numeric>(*it) && !GiNaC::ex_to<numeric>(*it).is_crational())
      return false;  // a decimal approximation proves nothing
  if (e.is_zero()) return true;
  // Only closed parts are multiplied out: GiNaC's expand() can recurse without end
  // on powers of other functions (tanh, …).
  if (!OfClosedParts(e) || !CheapToExpand(e)) return false;
  const ex expanded = e.expand();
  if (expanded.is_zero()) return true;
  const std::optional<ClosedSum> sum = ReadExpanded(expanded);
  return sum && sum->empty();
}

// The sign of a constant expression: exact where it is rational or zero, else from
// 17 digits far enough from zero; nullopt where neither decides (or it is not real).
std::optional<int> SignOf(const ex& e) {
  if (is_a<numeric>(e)) {
    const numeric& n = GiNaC::ex_to<numeric>(e);
    if (n.is_rational()) return n.csgn();
  }
  if (ExactlyZero(e)) return 0;
  const std::optional<double> v = ValueOf(e);
  if (!v || std::fabs(*v) < 1e-10) return std::nullopt;
  return *v > 0 ? 1 : -1;
}

// ---------------------------------------------------------------------------
// Texts

void AppendInteger(std::string& text, std::int64_t v) {
  char buffer[24];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, v);
  text.append(buffer, end);
}

// A rational standing alone: a decimal where it ends within four places ("0,5",
// "-1,25"), otherwise a fraction ("2/3").
void AppendRational(std::string& text, std::int64_t p, std::int64_t q) {
  if (p < 0) {
    text += '-';
    p = -p;
  }
  std::int64_t scale = 1;
  int places = 0;
  while (places < 4 && scale % q != 0) {
    scale *= 10;
    ++places;
  }
  if (scale % q != 0) {
    AppendInteger(text, p);
    text += '/';
    AppendInteger(text, q);
    return;
  }
  AppendInteger(text, p / q);
  if (places == 0) return;
  std::int64_t rest = p % q * (scale / q);
  std::string digits(places, '0');
  for (int i = places - 1; i >= 0; --i, rest /= 10) digits[i] = static_cast<char>('0' + rest % 10);
  while (digits.back() == '0') digits.pop_back();
  text += ',';
  text += digits;
}

std::string Superscript(std::int64_t k) {
  static const char* const kDigits[] = {"⁰", "¹", "²", "³", "⁴", "⁵", "⁶", "⁷", "⁸", "⁹"};
  std::string s;
  std::string plain;
  AppendInteger(plain, k);
  for (char d : plain) s += kDigits[d - '0'];
  return s;
}

// "e", "e²", "√e", "e^(1/3)", "e^(-1,5)" for e^(p/q); p > 0 where q is 1 or 2.
std::string EPower(std::int64_t p, std::int64_t q) {
  if (q == 1) return p == 1 ? "e" : "e" + Superscript(p);
  if (p == 1 && q == 2) return "√e";
  std::string s = "e^(";
  AppendRational(s, p, q);
  return s + ")";
}

std::string PiPower(int k) { return k == 1 ? "π" : "π" + Superscript(k); }

// |c| · monomial with c = p/q, p > 0: "2√3", "√3/2", "3π/4", "2/e²", "1/(2e)".
std::string ProductText(std::int64_t p, std::int64_t q, const Monomial& m) {
  std::vector<std::string> above, below;
  if (m.radicand != 1) {
    above.push_back("√");
    AppendInteger(above.back(), m.radicand);
  }
  if (m.eP > 0 || (m.eP < 0 && m.eQ != 1 && !(m.eP == -1 && m.eQ == 2)))
    above.push_back(EPower(m.eP, m.eQ));
  else if (m.eP < 0)
    below.push_back(EPower(-m.eP, m.eQ));
  if (m.piPower > 0) above.push_back(PiPower(m.piPower));
  if (m.piPower < 0) below.push_back(PiPower(-m.piPower));
  if (m.lnP != 1 || m.lnQ != 1) {
    std::string ln = "ln(";
    AppendRational(ln, m.lnP, m.lnQ);
    above.push_back(ln + ")");
  }
  std::string text;
  if (p != 1 || above.empty()) AppendInteger(text, p);
  for (std::size_t i = 0; i < above.size(); ++i) text += (i > 0 ? "·" : "") + above[i];
  if (q == 1 && below.empty()) return text;
  std::string denominator;
  if (q != 1) AppendInteger(denominator, q);
  for (std::size_t i = 0; i < below.size(); ++i) denominator += (i > 0 ? "·" : "") + below[i];
  const bool compound = below.size() + (q != 1 ? 1 : 0) > 1;
  return text + "/" + (compound ? "(" + denominator + ")" : denominator);
}

std::size_t CodePoints(const std::string& s) {
  return static_cast<std::size_t>(std::count_if(
      s.begin(), s.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// The writing of a closed form: "(1+√5)/2", "1-√2", "π/3-√3", "-7/4"; nullopt where it
// gets too long for a row of the list.
std::optional<std::string> Write(const ClosedSum& sum) {
  if (sum.empty()) return "0";
  struct Part {
    std::int64_t p, q;
    Monomial m;
  };
  std::vector<Part> parts;
  for (const auto& [m, c] : sum) {
    Part part{0, 1, m};
    if (!SmallFraction(c, part.p, part.q)) return std::nullopt;
    parts.push_back(part);
  }
  const bool rational = [](const Monomial& m) {
    return m.radicand == 1 && m.eP == 0 && m.piPower == 0 && m.lnP == 1 && m.lnQ == 1;
  }(parts.front().m);
  std::string text;
  if (parts.size() == 1 && rational) {
    AppendRational(text, parts.front().p, parts.front().q);
    return text;
  }
  // A leading minus only where every part has one: √2-1 rather than -1+√2.
  const auto positive =
      std::find_if(parts.begin(), parts.end(), [](const Part& x) { return x.p > 0; });
  if (positive != parts.end()) std::rotate(parts.begin(), positive, positive + 1);
  const std::int64_t common = parts.front().q;
  const bool shared =
      parts.size() > 1 && common != 1 &&
      std::all_of(parts.begin(), parts.end(), [common](const Part& x) { return x.q == common; });
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const Part& x = parts[i];
    if (x.p < 0)
      text += '-';
    else if (i > 0)
      text += '+';
    const std::int64_t q = shared ? 1 : x.q;
    const bool plain = x.m.radicand == 1 && x.m.eP == 0 && x.m.piPower == 0 && x.m.lnP == 1;
    if (plain && !shared)
      AppendRational(text, std::abs(x.p), q);
    else
      text += ProductText(std::abs(x.p), q, x.m);
  }
  if (shared) {
    text = "(" + text + ")/";
    AppendInteger(text, common);
  }
  if (CodePoints(text) > kMaxTextLength) return std::nullopt;
  return text;
}

// A constant expression as an exact number, nullopt where its writing is beyond the rules.
// The closed form as GiNaC's expression, with square-free radicands: GiNaC itself
// keeps √20 as it is.
ex Expression(const ClosedSum& sum) {
  ex e = 0;
  for (const auto& [m, c] : sum)
    e += c * GiNaC::sqrt(ex(numeric(m.radicand))) * GiNaC::exp(ex(numeric(m.eP, m.eQ))) *
         GiNaC::pow(GiNaC::Pi, m.piPower) *
         (m.lnP == 1 ? ex(1) : GiNaC::log(ex(numeric(m.lnP, m.lnQ))));
  return e;
}

// A quotient whose denominator is a + b·√m, with the root taken out of the denominator:
// √5/(10+4√5) = (√5-2)/2.
ex WithoutRootBelow(const ex& e) {
  const ex nd = e.numer_denom();
  const std::optional<ClosedSum> below = ReadExpanded(nd.op(1).expand());
  if (!below || below->size() > 2) return e;
  const ex denominator = Expression(*below);
  ex conjugate = 0;
  for (const auto& [m, c] : *below) {
    if (m.eP != 0 || m.piPower != 0 || m.lnP != 1) return e;
    conjugate += m.radicand == 1 ? ex(c) : -c * GiNaC::sqrt(ex(numeric(m.radicand)));
  }
  const ex rational = (denominator * conjugate).expand();
  if (!is_a<numeric>(rational) || rational.is_zero()) return e;
  return (nd.op(0) * conjugate / rational).expand();
}

std::optional<ExactNumber> MakeNumber(const ex& e) {
  if (!OfClosedParts(e) || !CheapToExpand(e)) return std::nullopt;
  ex expanded = e.expand();
  std::optional<ClosedSum> sum = ReadExpanded(expanded);
  if (!sum) {
    expanded = WithoutRootBelow(expanded);
    if (CheapToExpand(expanded)) sum = ReadExpanded(expanded.expand());
  }
  if (!sum) return std::nullopt;
  std::optional<std::string> text = Write(*sum);
  const std::optional<double> value = ValueOf(e);
  if (!text || !value) return std::nullopt;
  ExactNumber n;
  n.value = *value;
  n.text = std::move(*text);
  n.form = std::make_shared<const ex>(Expression(*sum));
  return n;
}

const ex* FormOf(const ExactNumber& n) { return static_cast<const ex*>(n.form.get()); }

// ---------------------------------------------------------------------------
// Where a term is defined

enum class Need : std::uint8_t { NonZero, NonNegative, Positive };

struct Condition {
  ex what;
  Need need;
};

void Require(std::vector<Condition>& conditions, const ex& what, Need need) {
  for (const Condition& c : conditions)
    if (c.need == need && c.what.is_equal(what)) return;
  if (conditions.size() >= kMaxConditions) throw Refused{};
  conditions.push_back({what, need});
}

// Whether the condition holds where x is `at` (a constant), proven.
bool Holds(const Condition& c, const GiNaC::symbol& x, const ex& at) {
  try {
    const std::optional<int> sign = SignOf(c.what.subs(x == at));
    if (!sign) return false;
    switch (c.need) {
      case Need::NonZero:
        return *sign != 0;
      case Need::NonNegative:
        return *sign >= 0;
      case Need::Positive:
        return *sign > 0;
    }
  } catch (...) {
  }
  return false;
}

// The conditions GiNaC's expression itself makes: powers, logarithms, tangents.
void CollectConditions(const ex& e, const GiNaC::symbol& x, std::vector<Condition>& conditions) {
  for (auto it = e.preorder_begin(); it != e.preorder_end(); ++it) {
    const ex& s = *it;
    if (!s.has(x)) continue;
    if (is_a<GiNaC::power>(s) && s.op(0).has(x)) {
      if (!is_a<numeric>(s.op(1))) {
        Require(conditions, s.op(0), Need::Positive);
        continue;
      }
      const numeric& k = GiNaC::ex_to<numeric>(s.op(1));
      if (!k.is_integer())
        Require(conditions, s.op(0), k.is_positive() ? Need::NonNegative : Need::Positive);
      else if (k.is_negative())
        Require(conditions, s.op(0), Need::NonZero);
    } else if (Is<GiNaC::log_SERIAL>(s)) {
      Require(conditions, s.op(0), Need::Positive);
    } else if (Is<GiNaC::tan_SERIAL>(s)) {
      Require(conditions, GiNaC::cos(s.op(0)), Need::NonZero);
    } else if (Is<GiNaC::asin_SERIAL>(s) || Is<GiNaC::acos_SERIAL>(s)) {
      Require(conditions, 1 - GiNaC::pow(s.op(0), 2), Need::NonNegative);
    }
  }
}

// ---------------------------------------------------------------------------
// From the compiled tree

std::size_t CountNodes(const TermNode* root, std::size_t limit) {
  std::vector<const TermNode*> open{root};
  std::size_t count = 0;
  while (!open.empty() && count <= limit) {
    const TermNode* n = open.back();
    open.pop_back();
    if (!n) continue;
    ++count;
    open.push_back(n->left.get());
    open.push_back(n->right.get());
  }
  return count;
}

// An expression with bounds of the degrees of its numerator and denominator (an
// e^(…) or sin(…) of x counting as degree 1), so that normal() and factor() stay cheap.
struct Part {
  ex e;
  int above = 0, below = 0;
};

class TreeReader {
 public:
  TreeReader(const GiNaC::symbol& x, numeric a, numeric b, numeric c)
      : x_(x), a_(std::move(a)), b_(std::move(b)), c_(std::move(c)) {}

  Part Read(const TermNode* node) {
    if (!node) throw Refused{};
    Part p = ReadNode(*node);
    if (p.above + p.below > kMaxDegreeBound) throw Refused{};
    return p;
  }

  std::vector<Condition> conditions;

 private:
  Part ReadNode(const TermNode& node) {
    switch (node.kind) {
      case kNumber: {
        const std::optional<numeric> r = ShownRational(node.value);
        if (!r) throw Refused{};
        return {*r};
      }
      case kVarX:
        return {x_, 1, 0};
      case kParamT:
      case kIndexN:
        return {0};
      case kParamA:
        return {a_};
      case kParamB:
        return {b_};
      case kParamC:
        return {c_};
      case kConstPi:
        return {GiNaC::Pi};
      case kConstE:
        return {GiNaC::exp(ex(1))};
      case kNeg: {
        Part p = Read(node.left.get());
        p.e = -p.e;
        return p;
      }
      case kAdd:
      case kSub: {
        const Part l = Read(node.left.get()), r = Read(node.right.get());
        return {node.kind == kAdd ? l.e + r.e : l.e - r.e,
                std::max(l.above + r.below, r.above + l.below), l.below + r.below};
      }
      case kMul: {
        const Part l = Read(node.left.get()), r = Read(node.right.get());
        return {l.e * r.e, l.above + r.above, l.below + r.below};
      }
      case kDiv: {
        const Part l = Read(node.left.get()), r = Read(node.right.get());
        Demand(r.e, Need::NonZero);
        return {l.e / r.e, l.above + r.below, l.below + r.above};
      }
      case kPow:
        return Power(Read(node.left.get()), Read(node.right.get()));
      default:
        break;
    }
    if (node.kind >= kLn && node.kind <= kFak) return Function(node.kind, Read(node.left.get()));
    throw Refused{};  // w and anything unknown
  }

  // A requirement on the term's domain; a constant one is decided at once.
  void Demand(const ex& what, Need need) {
    if (what.has(x_)) {
      Require(conditions, what, need);
      return;
    }
    const std::optional<int> sign = SignOf(what);
    const bool holds = sign && (need == Need::NonZero    ? *sign != 0
                                : need == Need::Positive ? *sign > 0
                                                         : *sign >= 0);
    if (!holds) throw Refused{};  // nowhere defined, or not provably so
  }

  static Part Kernel(const ex& e) { return {e, 1, 0}; }

  Part Power(const Part& base, const Part& exponent) {
    const bool varying = base.e.has(x_);
    if (exponent.e.has(x_)) {
      if (base.e.is_equal(GiNaC::exp(ex(1)))) return Kernel(GiNaC::exp(exponent.e));
      Demand(base.e, Need::Positive);
      return Kernel(GiNaC::pow(base.e, exponent.e));
    }
    const std::optional<int> sign = SignOf(exponent.e);
    if (!sign) throw Refused{};
    if (is_a<numeric>(base.e) && is_a<numeric>(exponent.e)) {
      // GiNaC works out 2^(100001/7) as 2^14285 · 2^(6/7) at once.
      const numeric& b = GiNaC::ex_to<numeric>(base.e);
      const numeric& k = GiNaC::ex_to<numeric>(exponent.e);
      const int bits = std::max(b.numer().int_length(), b.denom().int_length());
      if (!k.is_rational() || GiNaC::abs(k) * bits > kMaxPowerDigits) throw Refused{};
    }
    if (is_a<numeric>(exponent.e) && GiNaC::ex_to<numeric>(exponent.e).is_integer()) {
      const numeric& k = GiNaC::ex_to<numeric>(exponent.e);
      if (GiNaC::abs(k) > kMaxIntegerPower) throw Refused{};
      const int n = k.to_int();
      if (n < 0) Demand(base.e, Need::NonZero);
      const int m = std::abs(n);
      return {GiNaC::pow(base.e, k), m * (n > 0 ? base.above : base.below),
              m * (n > 0 ? base.below : base.above)};
    }
    // A power that is no integer: the base must not be negative.
    Demand(base.e, *sign > 0 ? Need::NonNegative : Need::Positive);
    const ex e = GiNaC::pow(base.e, exponent.e);
    return varying ? Kernel(e) : Part{e};
  }

  Part Function(std::uint8_t kind, const Part& arg) {
    const ex& u = arg.e;
    const bool varying = u.has(x_);
    const auto result = [varying](const ex& e) { return varying ? Kernel(e) : Part{e}; };
    switch (kind) {
      case kLn:
      case kLg:
      case kLd:
        Demand(u, Need::Positive);
        return result(kind == kLn   ? GiNaC::log(u)
                      : kind == kLg ? GiNaC::log(u) / GiNaC::log(ex(10))
                                    : GiNaC::log(u) / GiNaC::log(ex(2)));
      case kExp:
        return result(GiNaC::exp(u));
      case kSin:
        return result(GiNaC::sin(u));
      case kCos:
        return result(GiNaC::cos(u));
      case kTan:
        Demand(GiNaC::cos(u), Need::NonZero);
        return result(GiNaC::tan(u));
      case kCot:
        Demand(GiNaC::sin(u), Need::NonZero);
        Demand(GiNaC::cos(u), Need::NonZero);
        return result(GiNaC::cos(u) / GiNaC::sin(u));
      case kArcsin:
      case kArccos:
        Demand(1 - GiNaC::pow(u, 2), Need::NonNegative);
        return result(kind == kArcsin ? GiNaC::asin(u) : GiNaC::acos(u));
      case kArctan:
        return result(GiNaC::atan(u));
      case kArccot:
        return result(GiNaC::Pi / 2 - GiNaC::atan(u));
      case kSinh:
        return result(GiNaC::sinh(u));
      case kCosh:
        return result(GiNaC::cosh(u));
      case kTanh:
        return result(GiNaC::tanh(u));
      case kCoth:
        Demand(u, Need::NonZero);
        return result(1 / GiNaC::tanh(u));
      case kSqrt:
        Demand(u, Need::NonNegative);
        return result(GiNaC::sqrt(u));
      case kSqr:
        return {GiNaC::pow(u, 2), 2 * arg.above, 2 * arg.below};
      case kDeg:
        return {u * 180 / GiNaC::Pi, arg.above, arg.below};
      case kRad:
        return {u * GiNaC::Pi / 180, arg.above, arg.below};
      default:
        break;
    }
    // abs, sgn, int, maxint and fak of a constant only.
    if (varying) throw Refused{};
    if (kind == kAbs || kind == kSgn) {
      const std::optional<int> sign = SignOf(u);
      if (!sign) throw Refused{};
      return {kind == kAbs ? (*sign < 0 ? -u : u) : ex(*sign)};
    }
    if (!is_a<numeric>(u) || !GiNaC::ex_to<numeric>(u).is_rational()) throw Refused{};
    const numeric& r = GiNaC::ex_to<numeric>(u);
    if (kind == kFak) {
      if (!r.is_integer() || r.is_negative() || r > 20) throw Refused{};
      return {GiNaC::factorial(r)};
    }
    if (kind != kInt && kind != kMaxint) throw Refused{};  // normal, phi
    numeric truncated = GiNaC::iquo(r.numer(), r.denom());
    if (kind == kMaxint && r.is_negative() && !r.is_integer()) truncated -= 1;
    return {truncated};
  }

  const GiNaC::symbol& x_;
  numeric a_, b_, c_;
};

// Bounds of the degrees of numerator and denominator that normal() would give
// (a function or a root of x counting as degree 1, its argument bounded too);
// Refused when one exceeds kMaxDerivedDegree.
std::pair<int, int> DegreeBound(const ex& e, const GiNaC::symbol& x) {
  if (!e.has(x)) return {0, 0};
  std::pair<int, int> b{1, 0};
  if (is_a<GiNaC::add>(e) || is_a<GiNaC::mul>(e)) {
    b = {0, 0};
    for (std::size_t i = 0; i < e.nops(); ++i) {
      const auto [above, below] = DegreeBound(e.op(i), x);
      b = is_a<GiNaC::mul>(e)
              ? std::make_pair(b.first + above, b.second + below)
              : std::make_pair(std::max(b.first + below, above + b.second), b.second + below);
      if (b.first + b.second > kMaxDerivedDegree) throw Refused{};
    }
  } else if (is_a<GiNaC::power>(e) && is_a<numeric>(e.op(1)) &&
             GiNaC::ex_to<numeric>(e.op(1)).is_integer()) {
    const auto [above, below] = DegreeBound(e.op(0), x);
    const numeric& k = GiNaC::ex_to<numeric>(e.op(1));
    if (GiNaC::abs(k) > kMaxDerivedDegree) throw Refused{};
    const int n = std::abs(k.to_int());
    b = k.is_positive() ? std::make_pair(n * above, n * below)
                        : std::make_pair(n * below, n * above);
  } else {
    for (std::size_t i = 0; i < e.nops(); ++i) DegreeBound(e.op(i), x);  // a kernel
  }
  if (b.first + b.second > kMaxDerivedDegree) throw Refused{};
  return b;
}

// Replaces what is not rational in x (e^(-x), sin(x), √x, π) by symbols of its own,
// so that the rest is a rational function over Q.
class KernelsAsSymbols : public GiNaC::map_function {
 public:
  GiNaC::exmap kernels;  // symbol -> what it stands for

  ex operator()(const ex& e) override {
    if (is_a<GiNaC::symbol>(e) || is_a<numeric>(e)) return e;
    if (is_a<GiNaC::add>(e) || is_a<GiNaC::mul>(e) ||
        (is_a<GiNaC::power>(e) && is_a<numeric>(e.op(1)) &&
         GiNaC::ex_to<numeric>(e.op(1)).is_integer()))
      return e.map(*this);
    for (const auto& [symbol, kernel] : kernels)
      if (kernel.is_equal(e)) return symbol;
    const GiNaC::symbol symbol;
    kernels.emplace(symbol, e);
    return symbol;
  }
};

// Whether e holds e^(p/q) or b^(p/q) with a long p or q: normal() takes such a power
// as (e^(1/q))^p, a polynomial of degree p.
bool HasLongExponent(const ex& e) {
  for (auto it = e.preorder_begin(); it != e.preorder_end(); ++it) {
    const bool power = is_a<GiNaC::power>(*it) && is_a<numeric>(it->op(0));
    if (!power && !Is<GiNaC::exp_SERIAL>(*it)) continue;
    const ex& exponent = it->op(power ? 1 : 0);
    if (!is_a<numeric>(exponent)) continue;
    const numeric& r = GiNaC::ex_to<numeric>(exponent);
    if (!r.is_integer() && (GiNaC::abs(r.numer()) > 1000 || r.denom() > 1000)) return true;
  }
  return false;
}

std::size_t NodesUpTo(const ex& e, std::size_t limit) {
  std::size_t n = 0;
  for (auto it = e.preorder_begin(); it != e.preorder_end() && n <= limit; ++it) ++n;
  return n;
}

}  // namespace

// ---------------------------------------------------------------------------

struct ExactFunction::Impl {
  GiNaC::symbol x{"x"};
  ex f;
  std::vector<Condition> conditions;  // of the term as typed

  struct Derived {
    bool usable = false;
    ex d;
    std::vector<Condition> conditions;
    bool numeratorTried = false;
    std::optional<ex> numerator;
  };
  mutable std::array<Derived, 3> derived;
  mutable std::array<bool, 3> made{};

  const Derived* Get(int order) const {
    if (order < 0 || order > 2) return nullptr;
    Derived& d = derived[order];
    if (!made[order]) {
      made[order] = true;
      try {
        d.d = order == 0 ? f : f.diff(x, order);
        if (NodesUpTo(d.d, kMaxDerivativeNodes) <= kMaxDerivativeNodes) {
          CollectConditions(d.d, x, d.conditions);
          d.usable = true;
        }
      } catch (...) {
        d.usable = false;
      }
    }
    return d.usable ? &d : nullptr;
  }

  bool Defined(const Derived& d, const ex& at) const {
    const auto holds = [&](const Condition& c) { return Holds(c, x, at); };
    return std::all_of(conditions.begin(), conditions.end(), holds) &&
           std::all_of(d.conditions.begin(), d.conditions.end(), holds);
  }

  // The numerator of f^(order) after normal(), with the denominator's condition added.
  const ex* Numerator(const Derived& dc) const {
    Derived& d = const_cast<Derived&>(dc);
    if (!d.numeratorTried) {
      d.numeratorTried = true;
      if (HasLongExponent(d.d)) return nullptr;
      // Every kernel (π, sin(2), e^(-x)) is one more variable of the polynomials that
      // normal() multiplies out: a dense one in k variables of degree n has
      // binomial(n + k, k) terms.
      const auto [above, below] = DegreeBound(d.d, x);
      KernelsAsSymbols replace;
      replace(d.d);
      const double n = above + below, k = 1.0 + static_cast<double>(replace.kernels.size());
      if (std::lgamma(n + k + 1) - std::lgamma(n + 1) - std::lgamma(k + 1) > std::log(2000.0) ||
          ExpandedTerms(d.d) > 2000)
        return nullptr;
      const ex nd = d.d.numer_denom();
      if (nd.op(1).has(x)) Require(d.conditions, nd.op(1), Need::NonZero);
      d.numerator = nd.op(0);
    }
    return d.numerator ? &*d.numerator : nullptr;
  }

  // Exact roots of g (depth bounds the descent into powers and logarithms).
  void RootsOf(const ex& g, std::vector<ex>& roots, int depth) const {
    if (depth > 3 || !g.has(x)) return;
    KernelsAsSymbols replace;
    const ex polynomial = replace(g);
    const GiNaC::exmap& kernels = replace.kernels;
    if (kernels.size() > kMaxKernels) return;
    GiNaC::lst variables{x};
    for (const auto& [symbol, kernel] : kernels) variables.append(symbol);
    if (!polynomial.is_polynomial(variables)) return;
    // factor() is quick on one variable up to degree 16 and slows down fast with
    // every kernel more: a dense polynomial of degree n in k variables has
    // binomial(n + k, k) terms.
    int degrees = polynomial.degree(x);
    if (degrees > kMaxFactorDegree) return;
    for (const auto& [symbol, kernel] : kernels) degrees += polynomial.degree(symbol);
    const double n = degrees, k = static_cast<double>(variables.nops());
    if (std::lgamma(n + k + 1) - std::lgamma(n + 1) - std::lgamma(k + 1) >
        std::log(kMaxFactorTerms))
      return;
    const ex factored = GiNaC::factor(polynomial);
    const std::size_t count = is_a<GiNaC::mul>(factored) ? factored.nops() : 1;
    for (std::size_t i = 0; i < count; ++i) {
      ex factor = is_a<GiNaC::mul>(factored) ? factored.op(i) : factored;
      if (is_a<GiNaC::power>(factor) && is_a<numeric>(factor.op(1)) &&
          GiNaC::ex_to<numeric>(factor.op(1)).is_pos_integer())
        factor = factor.op(0);
      if (SolveForKernel(factor, kernels, roots, depth)) continue;
      factor = factor.subs(kernels);
      if (!factor.has(x)) continue;
      if (factor.is_polynomial(x) && factor.degree(x) <= 2) {
        Solve(factor, roots);
      } else if (is_a<GiNaC::power>(factor) && is_a<numeric>(factor.op(1)) &&
                 GiNaC::ex_to<numeric>(factor.op(1)).is_positive()) {
        RootsOf(factor.op(0), roots, depth + 1);  // √(x²-1), (x-1)^(3/2)
      } else if (Is<GiNaC::log_SERIAL>(factor)) {
        RootsOf(factor.op(0) - 1, roots, depth + 1);
      }
      // e^(…) never vanishes; the zeros of sin(x), an irreducible cubic, … are not exact here.
    }
  }

  // A factor c1·k + c0 with one kernel k and rational c0, c1: k = -c0/c1 undone
  // (ln(u) = v: u = e^v; e^u = v > 0: u = ln(v); u^r = v > 0: u = v^(1/r)).
  bool SolveForKernel(const ex& factor, const GiNaC::exmap& kernels, std::vector<ex>& roots,
                      int depth) const {
    if (factor.has(x)) return false;
    for (const auto& [symbol, kernel] : kernels) {
      if (!factor.has(symbol) || factor.degree(symbol) != 1) continue;
      const ex c1 = factor.coeff(symbol, 1), c0 = factor.coeff(symbol, 0);
      if (!is_a<numeric>(c1) || !is_a<numeric>(c0)) return false;
      const numeric v = -GiNaC::ex_to<numeric>(c0) / GiNaC::ex_to<numeric>(c1);
      ex u;  // what the kernel's argument must be
      if (Is<GiNaC::log_SERIAL>(kernel))
        u = GiNaC::exp(ex(v));
      else if (v.is_positive() && Is<GiNaC::exp_SERIAL>(kernel))
        u = GiNaC::log(ex(v));
      else if (v.is_positive() && is_a<GiNaC::power>(kernel) && is_a<numeric>(kernel.op(1)) &&
               GiNaC::abs(GiNaC::ex_to<numeric>(kernel.op(1))) <= 4)
        u = GiNaC::pow(ex(v), 1 / GiNaC::ex_to<numeric>(kernel.op(1)));
      else
        return false;
      RootsOf(kernel.op(0) - u, roots, depth + 1);
      return true;
    }
    return false;
  }

  void Solve(const ex& g, std::vector<ex>& roots) const {
    const ex a = g.coeff(x, 2), b = g.coeff(x, 1), c = g.coeff(x, 0);
    if (a.is_zero()) {
      if (!b.is_zero()) roots.push_back(-c / b);
      return;
    }
    if (!OfClosedParts(b * b - 4 * a * c)) return;  // a root of sin(1) is none to write
    const ex discriminant = (b * b - 4 * a * c).expand();
    const std::optional<int> sign = SignOf(discriminant);
    if (!sign || *sign < 0) return;
    roots.push_back((-b - GiNaC::sqrt(discriminant)) / (2 * a));
    if (*sign > 0) roots.push_back((-b + GiNaC::sqrt(discriminant)) / (2 * a));
  }
};

ExactFunction::ExactFunction(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
ExactFunction::~ExactFunction() = default;

std::optional<ExactNumber> ExactDecimal(double shown) {
  try {
    const std::optional<numeric> r = ShownRational(shown);
    if (!r) return std::nullopt;
    return MakeNumber(*r);
  } catch (...) {
    return std::nullopt;
  }
}

std::unique_ptr<ExactFunction> ExactFunction::Of(const TermNode* root, double a, double b,
                                                 double c) {
  if (!root || CountNodes(root, kMaxTreeNodes) > kMaxTreeNodes) return nullptr;
  try {
    const std::optional<numeric> ra = ShownRational(a), rb = ShownRational(b),
                                 rc = ShownRational(c);
    if (!ra || !rb || !rc) return nullptr;
    auto impl = std::make_unique<Impl>();
    TreeReader reader(impl->x, *ra, *rb, *rc);
    impl->f = reader.Read(root).e;
    impl->conditions = std::move(reader.conditions);
    return std::unique_ptr<ExactFunction>(new ExactFunction(std::move(impl)));
  } catch (...) {
    return nullptr;
  }
}

std::vector<ExactNumber> ExactFunction::Zeros(int order, double from, double to) const {
  std::vector<ExactNumber> zeros;
  try {
    const Impl::Derived* d = impl_->Get(order);
    if (!d) return zeros;
    const ex* numerator = impl_->Numerator(*d);
    if (!numerator) return zeros;
    std::vector<ex> roots;
    impl_->RootsOf(*numerator, roots, 0);
    for (const ex& root : roots) {
      std::optional<ExactNumber> n = MakeNumber(root);
      if (!n || n->value < from || n->value > to || !impl_->Defined(*d, *FormOf(*n))) continue;
      const bool known = std::any_of(zeros.begin(), zeros.end(), [&](const ExactNumber& z) {
        return ExactlyZero(*FormOf(z) - *FormOf(*n));
      });
      if (!known) zeros.push_back(std::move(*n));
    }
  } catch (...) {
    zeros.clear();
  }
  std::sort(zeros.begin(), zeros.end(),
            [](const ExactNumber& l, const ExactNumber& r) { return l.value < r.value; });
  return zeros;
}

namespace {

// Whether the fraction p/q (integers in doubles below 1e9) is in lowest terms.
bool Coprime(double p, int q) {
  return std::gcd(static_cast<long>(std::fabs(p)), static_cast<long>(q)) == 1;
}

}  // namespace

std::optional<ExactNumber> ExactFunction::Recognise(int order, double x) const {
  if (!std::isfinite(x) || std::fabs(x) > 1e9) return std::nullopt;
  try {
    const Impl::Derived* d = impl_->Get(order);
    if (!d || d->d.is_zero()) return std::nullopt;  // zero everywhere: no place of its own
    const double tolerance = 1e-6 * std::max(1.0, std::fabs(x));
    std::vector<ex> guesses;
    const auto near = [&](double v) { return std::fabs(v - x) <= tolerance; };
    for (int q = 1; q <= kRecogniseDenominator; ++q) {
      const double p = std::nearbyint(x * q);
      if (near(p / q) && Coprime(p, q)) guesses.push_back(numeric(static_cast<long>(p), q));
    }
    const double pi = 3.14159265358979323846;
    for (int q : {1, 2, 3, 4, 5, 6, 8, 10, 12}) {
      const double k = std::nearbyint(x * q / pi);
      if (k != 0 && std::fabs(k) < 1e6 && near(k * pi / q) && Coprime(k, q))
        guesses.push_back(numeric(static_cast<long>(k), q) * GiNaC::Pi);
    }
    if (x > 0) {  // e^(k/q)
      for (int q = 1; q <= 2; ++q) {
        const double k = std::nearbyint(std::log(x) * q);
        if (k != 0 && std::fabs(k) <= 40 && near(std::exp(k / q)) && Coprime(k, q))
          guesses.push_back(GiNaC::exp(ex(numeric(static_cast<long>(k), q))));
      }
    }
    if (std::fabs(x) < 40) {  // ln(p/q)
      const double r = std::exp(x);
      for (int q = 1; q <= kRecogniseDenominator; ++q) {
        const double p = std::nearbyint(r * q);
        if (p > 0 && p != q && p < 1e9 && near(std::log(p / q)) && Coprime(p, q))
          guesses.push_back(GiNaC::log(ex(numeric(static_cast<long>(p), q))));
      }
    }
    for (const ex& guess : guesses) {
      try {
        // Decimals first: only a value close to zero is worth the exact work.
        const ex there = d->d.subs(impl_->x == guess);
        const std::optional<double> v = ValueOf(there);
        if (!v || std::fabs(*v) > 1e-6 || !impl_->Defined(*d, guess) || !ExactlyZero(there))
          continue;
      } catch (...) {
        continue;
      }
      if (std::optional<ExactNumber> n = MakeNumber(guess)) return n;
    }
  } catch (...) {
  }
  return std::nullopt;
}

std::optional<ExactNumber> ExactFunction::ValueAt(const ExactNumber& at) const {
  const ex* place = FormOf(at);
  if (!place) return std::nullopt;
  try {
    const Impl::Derived* d = impl_->Get(0);
    if (!d || !impl_->Defined(*d, *place)) return std::nullopt;
    return MakeNumber(impl_->f.subs(impl_->x == *place));
  } catch (...) {
    return std::nullopt;
  }
}

}  // namespace kurvio
