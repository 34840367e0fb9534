// SPDX-License-Identifier: GPL-3.0-or-later
#include "term/Symbolic.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numeric>
#include <unordered_map>

namespace kurvio::sym {
namespace {

// Fractions stay exact while numerator and denominator stay below this.
constexpr std::int64_t kExactLimit = std::int64_t{1} << 52;

bool Fits(__int128 v) { return v < kExactLimit && v > -kExactLimit; }

Number Inexact(double v) {
  Number n;
  n.value = v;
  n.exact = false;
  return n;
}

__int128 Gcd(__int128 a, __int128 b) {
  if (a < 0) a = -a;
  if (b < 0) b = -b;
  while (b != 0) {
    const __int128 r = a % b;
    a = b;
    b = r;
  }
  return a;
}

Number Reduced(__int128 p, __int128 q, double fallback) {
  if (q == 0) return Inexact(fallback);
  if (q < 0) {
    p = -p;
    q = -q;
  }
  const __int128 g = Gcd(p, q);
  if (g > 1) {
    p /= g;
    q /= g;
  }
  if (!Fits(p) || !Fits(q)) return Inexact(fallback);
  Number n;
  n.p = static_cast<std::int64_t>(p);
  n.q = static_cast<std::int64_t>(q);
  n.value = static_cast<double>(n.p) / static_cast<double>(n.q);
  return n;
}

// Nodes the builders may still make; the largest value when no budget lives.
std::size_t nodesLeft = static_cast<std::size_t>(-1);

void Count() {
  if (nodesLeft == 0) throw TooLarge{};
  --nodesLeft;
}

// The expressions made while a budget lives, by hash: equal ones are shared.
std::unordered_multimap<std::size_t, std::weak_ptr<const Expr>>* interned = nullptr;

bool SameNode(const Expr& a, const Expr& b) {
  return a.kind == b.kind && a.tag == b.tag && a.num == b.num && a.ops == b.ops &&
         (a.kind != Kind::Num || a.num.exact == b.num.exact);
}

Ex Finish(std::shared_ptr<Expr> e) {
  Count();
  std::size_t h = static_cast<std::size_t>(e->kind) * 0x9E3779B97F4A7C15ull + e->tag;
  if (e->kind == Kind::Num) h ^= std::hash<double>()(e->num.value) + 0x7F4A7C15;
  for (const Ex& o : e->ops) {
    h = (h ^ std::hash<const void*>()(o.get())) * 0x100000001B3ull;
    e->hasX = e->hasX || o->hasX;
  }
  if (e->kind == Kind::Leaf) e->hasX = e->tag == kVarX;
  e->hash = h;
  if (!interned) return e;
  const auto [from, to] = interned->equal_range(h);
  for (auto it = from; it != to; ++it)
    if (const Ex known = it->second.lock(); known && SameNode(*known, *e)) return known;
  interned->emplace(h, e);
  return e;
}

Ex Make(Kind kind, std::uint8_t tag, std::vector<Ex> ops) {
  auto e = std::make_shared<Expr>();
  e->kind = kind;
  e->tag = tag;
  e->ops = std::move(ops);
  return Finish(std::move(e));
}

// A term as coefficient times the rest (1 when the term is a number).
std::pair<Number, Ex> SplitCoefficient(const Ex& t) {
  if (t->kind == Kind::Num) return {t->num, Num(1.0)};
  if (t->kind == Kind::Mul && t->ops.front()->kind == Kind::Num) {
    std::vector<Ex> rest(t->ops.begin() + 1, t->ops.end());
    return {t->ops.front()->num, rest.size() == 1 ? rest.front() : Make(Kind::Mul, 0, rest)};
  }
  return {Number::Fraction(1, 1), t};
}

// A factor as base ^ exponent.
std::pair<Ex, Ex> SplitPower(const Ex& f) {
  if (f->kind == Kind::Pow) return {f->ops[0], f->ops[1]};
  return {f, Num(1.0)};
}

void SortOps(std::vector<Ex>& ops) {
  std::stable_sort(ops.begin(), ops.end(),
                   [](const Ex& a, const Ex& b) { return Compare(a, b) < 0; });
}

}  // namespace

Number Number::Of(double v) {
  if (!std::isfinite(v)) return Inexact(v);
  if (v == std::trunc(v) && std::fabs(v) < static_cast<double>(kExactLimit))
    return Fraction(static_cast<std::int64_t>(v), 1);
  // The continued fraction of v: a convergent whose quotient is v itself
  // makes the literal exact (0.1 = 1/10, 0.333 = 333/1000).
  double rest = std::fabs(v);
  __int128 h0 = 1, h1 = 0, k0 = 0, k1 = 1;  // convergents h/k
  for (int i = 0; i < 40; ++i) {
    const double a = std::floor(rest);
    if (a > 1e15) break;
    const __int128 ai = static_cast<__int128>(a);
    const __int128 h = ai * h0 + h1, k = ai * k0 + k1;
    if (k > 100000000) break;
    h1 = h0;
    h0 = h;
    k1 = k0;
    k0 = k;
    if (static_cast<double>(h) / static_cast<double>(k) == std::fabs(v))
      return Reduced(v < 0 ? -h : h, k, v);
    const double frac = rest - a;
    if (frac <= 0.0) break;
    rest = 1.0 / frac;
  }
  return Inexact(v);
}

Number Number::Fraction(std::int64_t p, std::int64_t q) {
  return Reduced(p, q, static_cast<double>(p) / static_cast<double>(q));
}

Number operator+(const Number& a, const Number& b) {
  if (a.exact && b.exact)
    return Reduced(static_cast<__int128>(a.p) * b.q + static_cast<__int128>(b.p) * a.q,
                   static_cast<__int128>(a.q) * b.q, a.value + b.value);
  return Inexact(a.value + b.value);
}

Number operator*(const Number& a, const Number& b) {
  if (a.exact && b.exact)
    return Reduced(static_cast<__int128>(a.p) * b.p, static_cast<__int128>(a.q) * b.q,
                   a.value * b.value);
  return Inexact(a.value * b.value);
}

Number operator-(const Number& a) {
  Number n = a;
  n.value = -a.value;
  n.p = -a.p;
  return n;
}

bool operator==(const Number& a, const Number& b) {
  if (a.exact && b.exact) return a.p == b.p && a.q == b.q;
  return a.value == b.value;
}

Budget::Budget(std::size_t nodes) : saved_(nodesLeft) {
  nodesLeft = nodes;
  if (!interned) {
    interned = new std::unordered_multimap<std::size_t, std::weak_ptr<const Expr>>;
    owner_ = true;
  }
}

Budget::~Budget() {
  nodesLeft = saved_;
  if (owner_) {
    delete interned;
    interned = nullptr;
  }
}

Ex Num(const Number& n) {
  auto e = std::make_shared<Expr>();
  e->kind = Kind::Num;
  e->num = n;
  return Finish(std::move(e));
}

Ex Num(double v) { return Num(Number::Of(v)); }

Ex Raw(Kind kind, std::uint8_t tag, std::vector<Ex> ops) { return Make(kind, tag, std::move(ops)); }

Ex Leaf(std::uint8_t kind) { return Make(Kind::Leaf, kind, {}); }

bool NegativeTerm(const Ex& t) {
  if (t->kind == Kind::Num) return t->num.Negative();
  return t->kind == Kind::Mul && t->ops.front()->kind == Kind::Num &&
         t->ops.front()->num.Negative();
}

bool IsNum(const Ex& e, double v) { return e->kind == Kind::Num && e->num.value == v; }

int Compare(const Ex& a, const Ex& b) {
  if (a == b) return 0;
  if (a->kind != b->kind) return a->kind < b->kind ? -1 : 1;
  switch (a->kind) {
    case Kind::Num:
      if (a->num == b->num) return 0;
      return a->num.value < b->num.value ? -1 : 1;
    case Kind::Leaf:
      return a->tag == b->tag ? 0 : (a->tag < b->tag ? -1 : 1);
    case Kind::Fn:
      if (a->tag != b->tag) return a->tag < b->tag ? -1 : 1;
      break;
    default:
      break;
  }
  const std::size_t n = std::min(a->ops.size(), b->ops.size());
  for (std::size_t i = 0; i < n; ++i)
    if (const int c = Compare(a->ops[i], b->ops[i]); c != 0) return c;
  if (a->ops.size() == b->ops.size()) return 0;
  return a->ops.size() < b->ops.size() ? -1 : 1;
}

bool HasX(const Ex& e) { return e->hasX; }

Ex Add(std::vector<Ex> terms) {
  std::vector<Ex> flat;
  for (const Ex& t : terms) {
    if (t->kind == Kind::Add) {
      flat.insert(flat.end(), t->ops.begin(), t->ops.end());
    } else if (t->kind == Kind::Mul && t->ops.size() == 2 && t->ops[0]->kind == Kind::Num &&
               t->ops[1]->kind == Kind::Add) {
      // A number times a sum is spread over the sum: 2(x+1) - (x+1) = x+1.
      for (const Ex& inner : t->ops[1]->ops) flat.push_back(Mul({t->ops[0], inner}));
    } else {
      flat.push_back(t);
    }
  }
  Number constant = Number::Fraction(0, 1);
  std::vector<std::pair<Ex, Number>> groups;
  for (const Ex& t : flat) {
    if (t->kind == Kind::Num) {
      constant = constant + t->num;
      continue;
    }
    const std::pair<Number, Ex> split = SplitCoefficient(t);
    const Number& coefficient = split.first;
    const Ex& rest = split.second;
    auto same = std::find_if(groups.begin(), groups.end(),
                             [&](const auto& g) { return Compare(g.first, rest) == 0; });
    if (same != groups.end())
      same->second = same->second + coefficient;
    else
      groups.emplace_back(rest, coefficient);
  }
  std::vector<Ex> out;
  for (const auto& [rest, coefficient] : groups) {
    if (coefficient.IsZero()) continue;
    out.push_back(coefficient.IsOne() ? rest : Mul({Num(coefficient), rest}));
  }
  if (!constant.IsZero() || out.empty()) out.push_back(Num(constant));
  if (out.size() == 1) return out.front();
  SortOps(out);
  return Make(Kind::Add, 0, std::move(out));
}

Ex Mul(std::vector<Ex> factors) {
  std::vector<Ex> flat;
  for (const Ex& f : factors) {
    if (f->kind == Kind::Mul)
      flat.insert(flat.end(), f->ops.begin(), f->ops.end());
    else
      flat.push_back(f);
  }
  Number coefficient = Number::Fraction(1, 1);
  std::vector<std::pair<Ex, Ex>> groups;
  for (const Ex& f : flat) {
    if (f->kind == Kind::Num) {
      coefficient = coefficient * f->num;
      continue;
    }
    const std::pair<Ex, Ex> split = SplitPower(f);
    const Ex& base = split.first;
    const Ex& exponent = split.second;
    auto same = std::find_if(groups.begin(), groups.end(),
                             [&](const auto& g) { return Compare(g.first, base) == 0; });
    if (same != groups.end())
      same->second = Add({same->second, exponent});
    else
      groups.emplace_back(base, exponent);
  }
  if (coefficient.IsZero()) return Num(0.0);
  // u*sqrt(u)^k is sqrt(u)^(k+2) wherever sqrt(u) is defined, which is
  // wherever the product is (k is not 0): |x|/sqrt(|x|) is sqrt(|x|).
  for (auto& root : groups) {
    if (!(root.first->kind == Kind::Fn && root.first->tag == kSqrt &&
          root.second->kind == Kind::Num && root.second->num.IsInteger() &&
          !root.second->num.IsZero()))
      continue;
    for (auto& other : groups) {
      if (&other == &root || Compare(other.first, root.first->ops[0]) != 0 ||
          other.second->kind != Kind::Num || !other.second->num.IsInteger())
        continue;
      root.second = Add({root.second, Mul({Num(2.0), other.second})});
      other.second = Num(0.0);
    }
  }
  // u*sgn(u) is |u|, and |u|*sgn(u) is u, everywhere.
  for (auto& sign : groups) {
    if (!(sign.first->kind == Kind::Fn && sign.first->tag == kSgn && IsNum(sign.second, 1.0)))
      continue;
    const Ex& u = sign.first->ops[0];
    for (auto& other : groups) {
      if (!IsNum(other.second, 1.0)) continue;
      const bool isU = Compare(other.first, u) == 0;
      const bool isAbs = other.first->kind == Kind::Fn && other.first->tag == kAbs &&
                         Compare(other.first->ops[0], u) == 0;
      if (!isU && !isAbs) continue;
      other.first = isU ? Fn(kAbs, u) : u;
      sign.second = Num(0.0);  // the sign is used up
      break;
    }
  }
  std::vector<Ex> out;
  bool again = false;
  for (const auto& [base, exponent] : groups) {
    const Ex p = Pow(base, exponent);
    if (p->kind == Kind::Num) {
      coefficient = coefficient * p->num;
    } else {
      again = again || p->kind == Kind::Mul;
      out.push_back(p);
    }
  }
  if (again) {
    out.push_back(Num(coefficient));
    return Mul(std::move(out));
  }
  if (out.empty()) return Num(coefficient);
  SortOps(out);
  if (coefficient.IsOne() && out.size() == 1) return out.front();
  if (!coefficient.IsOne()) out.insert(out.begin(), Num(coefficient));
  if (out.size() == 2 && out[0]->kind == Kind::Num && out[1]->kind == Kind::Add)
    return Add({Make(Kind::Mul, 0, out)});  // spread the number over the sum
  return Make(Kind::Mul, 0, std::move(out));
}

Ex Pow(const Ex& base, const Ex& exponent) {
  if (exponent->kind == Kind::Num) {
    const Number& e = exponent->num;
    if (e.IsZero()) return Num(1.0);
    if (e.IsOne()) return base;
    if (base->kind == Kind::Num && base->num.exact && e.IsInteger() && std::llabs(e.p) <= 64 &&
        !(base->num.IsZero() && e.p < 0)) {
      Number r = Number::Fraction(1, 1);
      Number b = base->num;
      if (e.p < 0) b = Number::Fraction(b.q, b.p);
      for (std::int64_t i = 0; i < std::llabs(e.p); ++i) r = r * b;
      if (r.exact) return Num(r);
    }
    if (IsNum(base, 1.0)) return base;
    // Away from the argument's zero, which is a rough place where one-sided
    // limits decide, sgn(u)^2 is 1 and sgn(u)^3 is sgn(u); |u|^2 is u^2 everywhere.
    if (e.IsInteger() && base->kind == Kind::Fn && (base->tag == kSgn || base->tag == kAbs) &&
        e.p % 2 == 0)
      return base->tag == kSgn ? Num(1.0) : Pow(base->ops[0], exponent);
    if (e.IsInteger() && base->kind == Kind::Fn && base->tag == kSgn) return base;
    if (e.IsInteger()) {
      if (base->kind == Kind::Pow) return Pow(base->ops[0], Mul({base->ops[1], exponent}));
      if (base->kind == Kind::Mul) {
        std::vector<Ex> powers;
        for (const Ex& f : base->ops) powers.push_back(Pow(f, exponent));
        return Mul(std::move(powers));
      }
    }
  }
  return Make(Kind::Pow, 0, {base, exponent});
}

Ex Fn(std::uint8_t kind, const Ex& argument) { return Make(Kind::Fn, kind, {argument}); }

Ex FromTree(const TermNode* node) {
  if (!node) return nullptr;
  switch (node->kind) {
    case kNumber:
      return Num(node->value);
    case kVarX:
    case kParamT:
    case kParamA:
    case kParamB:
    case kParamC:
    case kIndexN:
    case kVarW:
    case kConstPi:
    case kConstE:
      return Leaf(node->kind);
    default:
      break;
  }
  const Ex left = FromTree(node->left.get());
  if (!left) return nullptr;
  if (node->kind == kNeg) return Mul({Num(-1.0), left});
  if (node->kind >= kLn && node->kind <= kFak) return Fn(node->kind, left);
  const Ex right = FromTree(node->right.get());
  if (!right) return nullptr;
  switch (node->kind) {
    case kAdd:
      return Add({left, right});
    case kSub:
      return Sub(left, right);
    case kMul:
      return Mul({left, right});
    case kDiv:
      return Div(left, right);
    case kPow:
      return Pow(left, right);
    default:
      return nullptr;
  }
}

namespace {

TermHandle Node(std::uint8_t kind, TermHandle left = nullptr, TermHandle right = nullptr) {
  auto n = std::make_unique<TermNode>();
  n->kind = kind;
  n->left = std::move(left);
  n->right = std::move(right);
  return n;
}

TermHandle Literal(double v) {
  TermHandle n = Node(kNumber);
  n->value = v;
  return n;
}

TermHandle Product(TermHandle a, TermHandle b) {
  if (!a) return b;
  if (!b) return a;
  return Node(kMul, std::move(a), std::move(b));
}

// |coefficient| and the factors of a product, split into those above and
// below the fraction bar; `negative` tells the sign.
struct Fraction {
  TermHandle numerator, denominator;
  bool negative = false;
};

Fraction Split(const Ex& e) {
  Fraction f;
  std::vector<Ex> factors = e->kind == Kind::Mul ? e->ops : std::vector<Ex>{e};
  for (const Ex& factor : factors) {
    if (factor->kind == Kind::Num) {
      const Number& n = factor->num;
      f.negative = n.Negative();
      if (n.exact) {
        if (std::llabs(n.p) != 1)
          f.numerator =
              Product(std::move(f.numerator), Literal(std::fabs(static_cast<double>(n.p))));
        if (n.q != 1)
          f.denominator = Product(std::move(f.denominator), Literal(static_cast<double>(n.q)));
      } else if (std::fabs(n.value) != 1.0) {
        f.numerator = Product(std::move(f.numerator), Literal(std::fabs(n.value)));
      }
      continue;
    }
    if (factor->kind == Kind::Pow && factor->ops[1]->kind == Kind::Num &&
        factor->ops[1]->num.Negative()) {
      f.denominator =
          Product(std::move(f.denominator), ToTree(Pow(factor->ops[0], Num(-factor->ops[1]->num))));
      continue;
    }
    f.numerator = Product(std::move(f.numerator), ToTree(factor));
  }
  return f;
}

}  // namespace

TermHandle ToTree(const Ex& e) {
  switch (e->kind) {
    case Kind::Num:
      return Literal(e->num.value);
    case Kind::Leaf:
      return Node(e->tag);
    case Kind::Fn:
      return Node(e->tag, ToTree(e->ops[0]));
    case Kind::Add: {
      TermHandle sum;
      for (const Ex& t : e->ops) {
        const bool negative = NegativeTerm(t);
        TermHandle magnitude = ToTree(negative ? Mul({Num(-1.0), t}) : t);
        if (!sum)
          sum = negative ? Node(kNeg, std::move(magnitude)) : std::move(magnitude);
        else
          sum = Node(negative ? kSub : kAdd, std::move(sum), std::move(magnitude));
      }
      return sum;
    }
    case Kind::Pow:
    case Kind::Mul: {
      if (e->kind == Kind::Pow && !(e->ops[1]->kind == Kind::Num && e->ops[1]->num.Negative()))
        return Node(kPow, ToTree(e->ops[0]), ToTree(e->ops[1]));
      Fraction f = Split(e);
      TermHandle value = f.numerator ? std::move(f.numerator) : Literal(1.0);
      if (f.denominator) value = Node(kDiv, std::move(value), std::move(f.denominator));
      return f.negative ? Node(kNeg, std::move(value)) : std::move(value);
    }
  }
  return Literal(0.0);
}

std::size_t UnfoldedSize(const Ex& e, std::size_t limit) {
  std::size_t size = 1;
  for (const Ex& o : e->ops) {
    if (size > limit) break;
    size += UnfoldedSize(o, limit - size);
  }
  return size;
}

std::size_t TreeSize(const TermNode* node) {
  if (!node) return 0;
  return 1 + TreeSize(node->left.get()) + TreeSize(node->right.get());
}

namespace {

Ex DeriveNode(const Ex& e);

// Shared subexpressions are differentiated once.
class Derivatives {
 public:
  Ex Of(const Ex& e) {
    const auto it = known_.find(e.get());
    if (it != known_.end()) return it->second;
    Ex d = DeriveNode(e);
    known_.emplace(e.get(), d);
    keep_.push_back(e);
    return d;
  }

 private:
  std::unordered_map<const Expr*, Ex> known_;
  std::vector<Ex> keep_;  // so that no address is reused while the map holds it
};

Derivatives* derivatives = nullptr;

}  // namespace

Ex Derive(const Ex& e) {
  if (derivatives) return derivatives->Of(e);
  Derivatives memo;
  derivatives = &memo;
  struct Reset {
    ~Reset() { derivatives = nullptr; }
  } reset;
  return memo.Of(e);
}

namespace {

Ex DeriveNode(const Ex& e) {
  if (!HasX(e)) return Num(0.0);
  switch (e->kind) {
    case Kind::Num:
      return Num(0.0);
    case Kind::Leaf:
      return Num(1.0);  // x itself
    case Kind::Add: {
      std::vector<Ex> terms;
      for (const Ex& t : e->ops) {
        Ex d = Derive(t);
        if (!d) return nullptr;
        terms.push_back(std::move(d));
      }
      return Add(std::move(terms));
    }
    case Kind::Mul: {
      std::vector<Ex> terms;
      for (std::size_t i = 0; i < e->ops.size(); ++i) {
        if (!HasX(e->ops[i])) continue;
        Ex d = Derive(e->ops[i]);
        if (!d) return nullptr;
        std::vector<Ex> factors = e->ops;
        factors[i] = d;
        terms.push_back(Mul(std::move(factors)));
      }
      return Add(std::move(terms));
    }
    case Kind::Pow: {
      const Ex& base = e->ops[0];
      const Ex& exponent = e->ops[1];
      if (!HasX(exponent)) {
        Ex d = Derive(base);
        if (!d) return nullptr;
        return Mul({exponent, Pow(base, Add({exponent, Num(-1.0)})), d});
      }
      Ex dExponent = Derive(exponent);
      if (!dExponent) return nullptr;
      if (!HasX(base)) {
        if (IsNum(base, 0.0)) return Num(0.0);  // 0^u is 0 wherever it is defined and u varies
        // e^u: the term's e means Euler's number, whose logarithm is 1.
        if (base->kind == Kind::Leaf && base->tag == kConstE) return Mul({e, dExponent});
        return Mul({e, Fn(kLn, base), dExponent});
      }
      Ex dBase = Derive(base);
      if (!dBase) return nullptr;
      return Mul({e, Add({Mul({dExponent, Fn(kLn, base)}),
                          Mul({exponent, dBase, Pow(base, Num(-1.0))})})});
    }
    case Kind::Fn:
      break;
  }
  const Ex& u = e->ops[0];
  Ex du = Derive(u);
  if (!du) return nullptr;
  const auto square = [](const Ex& v) { return Pow(v, Num(2.0)); };
  const auto inverse = [](const Ex& v) { return Pow(v, Num(-1.0)); };
  Ex outer;
  switch (e->tag) {
    case kLn:
      outer = inverse(u);
      break;
    case kLg:
      outer = Mul({Num(0.434294481), inverse(u)});
      break;
    case kLd:
      outer = Mul({Num(1.442695041), inverse(u)});
      break;
    case kExp:
      outer = e;
      break;
    case kSin:
      outer = Fn(kCos, u);
      break;
    case kCos:
      outer = Mul({Num(-1.0), Fn(kSin, u)});
      break;
    case kTan:
      outer = Add({Num(1.0), square(e)});
      break;
    case kCot:
      outer = Mul({Num(-1.0), Add({Num(1.0), square(e)})});
      break;
    case kArcsin:
      outer = inverse(Fn(kSqrt, Sub(Num(1.0), square(u))));
      break;
    case kArccos:
      outer = Mul({Num(-1.0), inverse(Fn(kSqrt, Sub(Num(1.0), square(u))))});
      break;
    case kArctan:
      outer = inverse(Add({Num(1.0), square(u)}));
      break;
    case kArccot:
      outer = Mul({Num(-1.0), inverse(Add({Num(1.0), square(u)}))});
      break;
    case kSinh:
      outer = Fn(kCosh, u);
      break;
    case kCosh:
      outer = Fn(kSinh, u);
      break;
    case kTanh:
    case kCoth:
      outer = Sub(Num(1.0), square(e));
      break;
    case kSqrt:
      outer = Mul({Num(Number::Fraction(1, 2)), inverse(e)});
      break;
    case kSqr:
      outer = Mul({Num(2.0), u});
      break;
    case kNormal:
      outer = Mul({Num(-1.0), u, e});
      break;
    case kPhi:
      outer = Fn(kNormal, u);
      break;
    case kAbs:
      outer = Fn(kSgn, u);
      break;
    case kSgn:
    case kInt:
    case kMaxint:
      return Num(0.0);  // steps: flat wherever they do not jump
    case kDeg:
      outer = Num(57.29577951);
      break;
    case kRad:
      outer = Num(0.017453292);
      break;
    default:
      return nullptr;  // fak: defined at whole numbers only
  }
  return Mul({outer, du});
}

}  // namespace

}  // namespace kurvio::sym
