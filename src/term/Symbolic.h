// SPDX-License-Identifier: GPL-3.0-or-later
// Terms as algebra: a compiled tree turned into sums, products and powers that
// simplify as they are built (numbers folded, like terms and equal bases
// collected), differentiated with respect to x, and turned back into a tree
// that the term engine compiles and evaluates like any other. Internal to the
// term engine; the derivative readouts and graphs use term/Derivative.h.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "term/Term.h"

namespace kurvio::sym {

// A number, exact as a fraction p/q (q > 0, in lowest terms) where the term
// gives one (integers, decimals, quotients of them), otherwise a double.
struct Number {
  double value = 0.0;
  bool exact = true;
  std::int64_t p = 0, q = 1;

  static Number Of(double v);  // exact when v is a fraction with a small denominator
  static Number Fraction(std::int64_t p, std::int64_t q);
  bool IsZero() const { return value == 0.0; }
  bool IsOne() const { return exact ? p == 1 && q == 1 : value == 1.0; }
  bool IsInteger() const { return exact ? q == 1 : false; }
  bool Negative() const { return value < 0.0; }
};

Number operator+(const Number& a, const Number& b);
Number operator*(const Number& a, const Number& b);
Number operator-(const Number& a);
bool operator==(const Number& a, const Number& b);

enum class Kind : std::uint8_t {
  Num,   // number
  Leaf,  // x, t, a, b, c, n, w, pi, e: `leaf` holds the node kind
  Add,   // sum of ops
  Mul,   // product of ops (at most one number, first)
  Pow,   // ops[0] ^ ops[1]
  Fn,    // function `fn` of ops[0]
};

struct Expr;
using Ex = std::shared_ptr<const Expr>;

struct Expr {
  Kind kind = Kind::Num;
  std::uint8_t tag = 0;  // Leaf: the leaf's node kind; Fn: the function's node kind
  bool hasX = false;     // whether x occurs in it
  Number num;
  std::vector<Ex> ops;
  std::size_t hash = 0;  // of the node and the addresses of its operands
};

// While a Budget lives, equal expressions are one object (so that comparing
// and differentiating shared parts costs nothing twice), and the builders throw TooLarge once they
// have made more nodes than it allows: a term whose derivatives swell beyond any use (a product of
// thirty functions, three times differentiated) costs no more.
struct TooLarge {};
class Budget {
 public:
  explicit Budget(std::size_t nodes);
  ~Budget();
  Budget(const Budget&) = delete;
  Budget& operator=(const Budget&) = delete;

 private:
  std::size_t saved_;
  bool owner_ = false;
};

// Builders: each returns the simplified form.
Ex Num(const Number& n);
Ex Num(double v);
Ex Leaf(std::uint8_t kind);
Ex Add(std::vector<Ex> terms);
Ex Mul(std::vector<Ex> factors);
Ex Pow(const Ex& base, const Ex& exponent);
Ex Fn(std::uint8_t kind, const Ex& argument);
// A node as it stands, not simplified (a sum kept behind its common factor).
Ex Raw(Kind kind, std::uint8_t tag, std::vector<Ex> ops);
inline Ex Sub(const Ex& a, const Ex& b) { return Add({a, Mul({Num(-1.0), b})}); }
inline Ex Div(const Ex& a, const Ex& b) { return Mul({a, Pow(b, Num(-1.0))}); }

// Total order of expressions; 0 for equal ones.
int Compare(const Ex& a, const Ex& b);
bool IsNum(const Ex& e, double v);
// Whether a term of a sum carries a minus: a negative number, or a product led by one.
bool NegativeTerm(const Ex& t);
// Whether the expression reads x.
bool HasX(const Ex& e);

// A compiled tree as an expression; null for a tree the algebra does not
// know (a node kind outside the term language).
Ex FromTree(const TermNode* node);
// The expression as a tree the term engine evaluates.
TermHandle ToTree(const Ex& e);

// d/dx; null where the derivative never exists (fak of a varying argument).
Ex Derive(const Ex& e);

// The form a pupil writes: polynomial parts multiplied out and ordered by
// descending powers of x, a factor common to every term of a sum (e^(-x))
// taken out, quotients as quotients. Same value, for display.
Ex PupilForm(const Ex& e);
// The expression in the term language's syntax as the term fields show it
// (decimal comma, byte 0xE3 for pi): "3x^2-3", "(1-x)*e^(-x)", "2a*x+b".
std::string ToText(const Ex& e);

// The number of nodes the expression has written out as a tree (shared parts
// counted each time), or some number above `limit` once it exceeds it.
std::size_t UnfoldedSize(const Ex& e, std::size_t limit);

// The number of nodes of the tree, for keeping derivative programs small.
std::size_t TreeSize(const TermNode* node);

}  // namespace kurvio::sym
