// SPDX-License-Identifier: GPL-3.0-or-later
// The evaluation program of a compiled term, shared by the single evaluation
// (TermEval.cpp) and the batch over many points (TermBatch.cpp). Internal to
// the term engine.
//
// The program is the tree in postfix order, run on a value stack. Constant
// subtrees are folded, small constant integral exponents marked, and operands
// that are a constant or a variable are taken from the instruction itself.
#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

#include "term/Term.h"
#include "term/TermCache.h"

namespace kurvio::detail {

inline constexpr double kRangeLimit = 1e50;

enum class Op : std::uint8_t {
  Push,        // the left operand (a leaf)
  ConstRange,  // a literal that fails the range rule
  Add,
  Sub,
  Mul,
  Div,
  Pow,
  PowInt,  // exponent `count`, |count| < 7, a constant
  Neg,
  Function,   // kind in `kind`
  Undefined,  // a node the evaluator does not know
};

// The operations of FastInstr: those of Op, with the frequent functions and
// exponents as operations of their own.
enum class FastOp : std::uint8_t {
  Add,
  Sub,
  Mul,
  Div,
  Pow,
  PowPositive,  // a positive constant base, its logarithm in `value`
  Square,       // PowInt with exponent 2
  Cube,         // PowInt with exponent 3
  PowInt,
  Neg,
  Sin,
  Cos,
  Sqrt,
  Abs,
  Ln,
  Phi,
  Function,
  ConstRange,
  Undefined,
  ReturnLeaf,  // the value at `a` is the program's (which has no other instruction)
};

// Where an operand comes from.
enum Source : std::uint8_t { kFromStack = 0, kFromConst = 1, kFromVar = 2 };

// Variable slots: x, t, a, b, c, n.
inline constexpr int kSlots = 6;

struct Operand {
  Source source = kFromStack;
  std::uint8_t slot = 0;
  double value = 0.0;
};

struct Instr {
  Op op;
  std::uint8_t kind = 0;
  std::int8_t count = 0;
  Operand left, right;
};

inline constexpr int kProgramStack = 64;

struct FastInstr;

// The code of one operation: runs the instruction `in` over the frame `f` and
// hands on to the next one, so that the program's value and whether it is
// defined come back from the call of its first instruction. `u` is the value of its first operand,
// f[in->a], read by the caller before the jump.
using FastHandler = TermValue (*)(const FastInstr* in, double* f, double u);

// The program once more as three-address code over a frame that holds the six
// inputs, then the stack entries, then the constants; pushes become operand
// indices. The single evaluation runs it when no input breaks the range rule,
// so that no read needs a check. Each instruction carries the code of its
// operation, which jumps straight to the code of the next.
struct FastInstr {
  FastOp op;
  std::uint8_t kind = 0;
  std::int8_t count = 0;
  std::uint16_t a = 0, b = 0, dst = 0;  // frame indices of the operands and the result
  FastHandler run = nullptr;
  double value = 0.0;  // PowInt: the exponent; PowPositive: ln of the base; ConstRange: the literal
};

// The code of an operation; that of the program's last instruction returns
// the value instead of handing it on.
FastHandler HandlerOf(FastOp op, bool last);

struct Program {
  const TermNode* root = nullptr;  // null: no program (`usable` is false)
  std::vector<Instr> code;
  int depth = 0;                    // the most values on the stack at once
  bool usable = false;              // false: the tree walk evaluates this tree
  std::vector<FastInstr> fast;      // ends with the result's instruction, or one that fails
  std::uint8_t reads[kSlots] = {};  // the input slots the program reads
  std::uint8_t readCount = 0;
  // `root` when the program is usable and x is the only input it reads (if
  // any), so that one comparison finds the usual case; otherwise an address
  // that no tree has, that of the program itself.
  const void* onlyXRoot = this;
  // With onlyXRoot set: the whole program is x + shift, a sum or difference
  // of x and a constant (a graph shifted up or down). The single evaluation
  // adds it in place instead of running the program.
  bool shiftsX = false;
  double shift = 0.0;
  // Scratch of the single evaluation; evaluations never interleave.
  mutable std::vector<double> frame;
  std::vector<char> constantEntry;  // which entries of the frame hold constants
};

// The cached program of a compiled tree.
const Program& ProgramFor(const TermNode* root);

// Builds the program of `root` into `p`, for a program kept apart from the
// cache (which must then stay where it is: it may point to itself).
void BuildProgram(Program& p, const TermNode* root);

// Evaluate of the program's tree by that program, without the cache.
TermValue EvaluateWithProgram(const Program& program, double x, double t, double a, double b,
                              double c, double n);

// The program ProgramFor gave last, for the single evaluation's own lookup of
// the same tree again.
extern Program* lastProgram;

// Runs the fast program of `program`, whose inputs are in its frame; `u` is
// the value of the first operand of its first instruction.
[[gnu::always_inline]] inline TermValue RunFast(const Program& program, double u) {
  const FastInstr* first = program.fast.data();
  return first->run(first, program.frame.data(), u);
}

[[gnu::always_inline]] inline TermValue RunFast(const Program& program) {
  return RunFast(program, program.frame[program.fast.front().a]);
}

// The range rule on a computed value, which is NaN only where it failed already.
inline double InRange(double r) {
  if (std::fabs(r) < kRangeLimit || std::isnan(r)) return r;
  return std::copysign(kRangeLimit, r);
}

// A value from inside the evaluator as the outside sees it: an undefined one
// is 0, or the capped value of the range rule (which InRange has made it).
inline TermValue Outcome(double r) {
  if (std::fabs(r) < kRangeLimit) [[likely]]
    return {r, true};
  return {std::isnan(r) ? 0.0 : r, false};
}

// The evaluation apart from EvaluateInline's usual case: a term that reads
// more than x, an x beyond the range rule, a tree other than the one
// evaluated last, or no term. A null root matches only an entry without a
// program, which is not usable and goes on to the cache.
[[gnu::noinline]] TermValue EvalSix(const TermNode* root, double x, double t, double a, double b,
                                    double c, double n);

// Evaluate, inlined where it is called once per point: a call would cost as
// much as a short program. Most terms read x alone: the other inputs then need
// neither a check nor a place in the frame, as inputs the program never reads
// are never checked. A program of one sum of x and a constant is not run at all.
[[gnu::always_inline]] inline TermValue EvaluateInline(const TermNode* root, double x, double t,
                                                       double a, double b, double c, double n) {
  const Program& program = *lastProgram;
  if (program.onlyXRoot != root || !(std::fabs(x) < kRangeLimit)) [[unlikely]]
    return EvalSix(root, x, t, a, b, c, n);
  if (program.shiftsX) return Outcome(InRange(x + program.shift));  // the range rule of FastAdd
  program.frame[0] = x;
  // The first operand is x itself in most programs; it need not wait for its store.
  const std::uint16_t first = program.fast.front().a;
  return RunFast(program, first == 0 ? x : program.frame[first]);
}

// The value of a function node, and of u ^ v; NaN where it is undefined.
// A value beyond the range rule is left to the caller's check.
double Function(std::uint8_t kind, double v);
double Power(double u, double v);

// u to the small integral power `count` (|count| < 7) by repeated
// multiplication, for the bases 1e-30 < |u| < 15 where that is exact enough;
// the product stops growing at 1e22.
inline double SmallIntegerPower(double u, int count) {
  double base = u;
  if (count < 0) {
    base = 1.0 / base;
    count = -count;
  }
  double product = 1.0;
  for (int i = 0; i < count; ++i)
    if (product < 1e22) product *= base;
  return product;
}

// Power(u, v) for a base u > 0 whose logarithm logU is already known; false in
// `defined` where Power would leave the result undefined.
inline double PowerOfPositive(double u, double logU, double v, bool& defined) {
  if (std::fabs(v) > 1e20) {
    defined = false;
    return 0.0;
  }
  const double rv = std::nearbyint(v);
  if (std::fabs(v) < 7.0 && v == rv && u > 1e-30 && u < 15.0)
    return SmallIntegerPower(u, static_cast<int>(rv));
  const double l = logU * v;
  if (std::fabs(l) < 90.0) return std::exp(l);
  return l <= -90.0 ? 0.0 : kRangeLimit;
}

}  // namespace kurvio::detail
