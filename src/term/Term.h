// The term engine: a function term as text is normalised, compiled into an
// expression tree and evaluated with numeric derivatives.
//
// Term texts are 8-bit byte strings: after normalisation pi is byte 0xE3 and
// phi is byte 0xE8.
#pragma once

#include <cstdint>
#include <functional>
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

extern TermHandle MainTerm;
extern TermHandle NumberTerm;
extern bool TermDefined;
extern int TermErrorPos;
extern bool TermIntegralMode;
extern bool TermSequenceMode;
// Receives "Syntaxfehler: " + the error text (UTF-8) once per failed compilation; empty = silent.
extern std::function<void(const std::string& message)> SyntaxErrorReporter;

std::string NormalizeTerm(const std::string& text);
void CompileTerm(TermHandle& handle, const std::string& text, bool variablesAllowed);
// CompileTerm without a syntax-error message: redraws compile the fields' texts
// again and again, and an error is reported once, when its field is left.
void CompileTermQuietly(TermHandle& handle, const std::string& text, bool variablesAllowed);

// Holds back SyntaxErrorReporter's messages while it lives.
class QuietSyntaxErrors {
 public:
  QuietSyntaxErrors();
  ~QuietSyntaxErrors();
  QuietSyntaxErrors(const QuietSyntaxErrors&) = delete;
  QuietSyntaxErrors& operator=(const QuietSyntaxErrors&) = delete;
  // Whether a message was held back.
  bool HeldBack() const { return heldBack_; }
  // Whether one lives: a field whose error nobody is told of does not hold the focus.
  static bool Active();

 private:
  std::function<void(const std::string& message)> saved_;
  bool heldBack_ = false;
};
double EvalTerm(const TermHandle& term, double x, double t, double a, double b, double c, double n);
// f(x) of an analysis window: MainTerm at x with the parameters a, b and c, t = 0.
double EvalWindowTerm(double x);
// The derivative of order 1, 2 or 3 (any other order than 0) in x, the other
// inputs held fixed: from the term's own derivative, defined exactly where it
// exists (term/Derivative.h).
double EvalDerivative(const TermHandle& term, int order, double x, double t, double a, double b,
                      double c, double n);

// Deepest nesting of brackets, functions and signs a term may have.
inline constexpr int kMaxTermNesting = 200;
// Longest normalised term text the compiler accepts (term fields hold at most 180;
// implicit multiplication re-parses once per inserted sign, so the bound also bounds the time).
inline constexpr std::size_t kMaxTermLength = 1000;

}  // namespace kurvio
