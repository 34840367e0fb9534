// SPDX-License-Identifier: GPL-3.0-or-later
// The term engine: a function term as text is normalised, compiled into an
// expression tree and evaluated with numeric derivatives.
//
// Term texts are 8-bit byte strings: after normalisation pi is byte 0xE3 and
// phi is byte 0xE8.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace kurvio {

// Kind codes of a compiled node.
enum TermKind : std::uint8_t {
  kNumber = 0,
  kVarX = 1,
  kParamT = 2,
  kVarW = 4,
  kConstPi = 5,
  kConstE = 6,
  kParamA = 7,
  kParamB = 8,
  kParamC = 9,
  kLn = 10,
  kLg = 11,
  kLd = 12,
  kExp = 13,
  kSin = 14,
  kCos = 15,
  kTan = 16,
  kCot = 17,
  kArcsin = 18,
  kArccos = 19,
  kArctan = 20,
  kArccot = 21,
  kSinh = 22,
  kCosh = 23,
  kTanh = 24,
  kCoth = 25,
  kSqrt = 26,
  kSqr = 27,
  kNormal = 28,
  kPhi = 29,
  kAbs = 30,
  kSgn = 31,
  kMaxint = 32,
  kInt = 33,
  kDeg = 34,
  kRad = 35,
  kFak = 36,
  kIndexN = 37,
  kMul = '*',
  kAdd = '+',
  kSub = '-',
  kDiv = '/',
  kPow = '^',
  kNeg = 105,
};

// The one-byte symbols of a normalised term.
inline constexpr char kPiByte = '\xE3';
inline constexpr char kPhiByte = '\xE8';

struct TermDerivatives;

struct TermNode {
  std::uint8_t kind = 0;  // the kind codes of the node table
  double value = 0.0;     // number literals only
  std::unique_ptr<TermNode> left, right;
  // The derivatives of a tree evaluated as a root, made when first asked for
  // (term/Derivative.h); they live and die with the tree.
  mutable std::shared_ptr<TermDerivatives> derivatives;
  // Frees the subtrees without recursion, so no tree can exhaust the stack.
  ~TermNode();
};
using TermHandle = std::unique_ptr<TermNode>;

// Which variables a term knows besides the parameters a, b, c (numbers know none).
enum class TermMode : std::uint8_t {
  Ordinary,  // x and t
  Integral,  // t and w: x is the bound of the integral
  Sequence,  // n and t
};

// The outcome of a compilation.
struct TermCompilation {
  bool ok = false;
  int errorPos = 0;     // where the text failed, counted in the text as typed
  std::string message;  // "Syntaxfehler: " + the error text (UTF-8); empty when ok
};

// A term's value at one point. An undefined value is 0, or +-1e50 where some
// value on the way broke the range rule.
struct TermValue {
  double value = 0.0;
  bool defined = false;
};

std::string NormalizeTerm(const std::string& text);
// The tree of `text` into `handle` (null on an error). Numbers (`variablesAllowed`
// false) know no variable.
TermCompilation Compile(TermHandle& handle, const std::string& text, bool variablesAllowed,
                        TermMode mode);

// The term at the inputs; no term is undefined.
TermValue Evaluate(const TermHandle& term, double x, double t, double a, double b, double c,
                   double n);
// The derivative of order 1, 2 or 3 (any other order than 0) in x, the other
// inputs held fixed: from the term's own derivative, defined exactly where it
// exists (term/Derivative.h); an undefined one is 0. Order 0 is Evaluate.
TermValue EvaluateDerivative(const TermHandle& term, int order, double x, double t, double a,
                             double b, double c, double n);

// Deepest nesting of brackets, functions and signs a term may have.
inline constexpr int kMaxTermNesting = 200;
// Longest normalised term text the compiler accepts (term fields hold at most 180;
// implicit multiplication re-parses once per inserted sign, so the bound also bounds the time).
inline constexpr std::size_t kMaxTermLength = 1000;

}  // namespace kurvio

// The windows' view of the engine, which most of its users want with it.
#include "term/TermGlobals.h"
