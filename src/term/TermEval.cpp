// SPDX-License-Identifier: GPL-3.0-or-later
// Term evaluator: walks a compiled tree or runs its program; every domain
// violation and every intermediate value of magnitude 1e50 or more makes the
// result undefined instead of raising anything.
//
// In the tree walk and the checked program an undefined result travels as its
// own value: NaN where a rule failed (the value 0 outside), +-1e50 where a
// value broke the range rule. A defined value is neither, so no flag travels
// beside it, and the first failure is what the evaluation returns. The fast
// program returns the value with its definedness from the instruction that
// ends it.
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "term/Term.h"
#include "term/TermCache.h"
#include "term/TermProgram.h"

namespace kurvio {
namespace {

using detail::FastHandler;
using detail::FastInstr;
using detail::FastOp;
using detail::Function;
using detail::InRange;
using detail::Instr;
using detail::kFromConst;
using detail::kFromStack;
using detail::kProgramStack;
using detail::kRangeLimit;
using detail::Op;
using detail::Operand;
using detail::Outcome;
using detail::Power;
using detail::Program;

// The program's ten-digit constants.
constexpr double kPi = 3.141592654;
constexpr double kE = 2.718281829;
constexpr double kHalfPi = 1.570796327;
constexpr double kTwoPi = 6.283185308;
constexpr double kDegPerRad = 57.29577951;
constexpr double kRadPerDeg = 0.017453292;
constexpr double kInvLn10 = 0.434294481;
constexpr double kInvLn2 = 1.442695041;

struct Args {
  double x, t, a, b, c, n;
};

constexpr double kFailed = std::numeric_limits<double>::quiet_NaN();

inline double Undefined() { return kFailed; }

// Whether a value inside the evaluator is a defined one.
inline bool Defined(double r) { return std::fabs(r) < kRangeLimit; }

// The range rule on an input or a literal: NaN breaks it too.
inline double LeafInRange(double r) {
  return std::fabs(r) < kRangeLimit ? r : std::copysign(kRangeLimit, r);
}

// e^v with the program's cut-offs at +-90.
inline double ExpCapped(double v) {
  if (std::fabs(v) < 90.0) return std::exp(v);
  return v <= -90.0 ? 0.0 : kRangeLimit;
}

// E = e^v for the hyperbolic functions: 1e50 from 90 on, and its reciprocal
// from -90 down, so that the results stay symmetric.
inline double HyperbolicE(double v) {
  if (std::fabs(v) < 90.0) return std::exp(v);
  return v > 0.0 ? kRangeLimit : 1.0 / kRangeLimit;
}

}  // namespace

double detail::Power(double u, double v) {
  if (std::fabs(v) > 1e20) return Undefined();
  const double rv = std::nearbyint(v);
  const double au = std::fabs(u);
  if (std::fabs(v) < 7.0 && v == rv && au > 1e-30 && au < 15.0)
    return SmallIntegerPower(u, static_cast<int>(rv));
  if (u < 0.0) {
    if (v != std::trunc(v)) return Undefined();
    if (std::fabs(v) >= 2147483647.0) return kRangeLimit;
    const double magnitude = Power(-u, v);
    if (std::isnan(magnitude)) return magnitude;
    return std::fmod(std::trunc(v), 2.0) != 0.0 ? -magnitude : magnitude;
  }
  if (u > 0.0) return ExpCapped(std::log(u) * v);
  if (v > 0.0) return 0.0;
  if (v == 0.0) return 1.0;
  return Undefined();
}

namespace {

// k! to the double's rounding; from 42! on beyond the range rule.
double Factorial(double v) {
  // clang-format off
  static constexpr double kFactorials[] = {
      1.0, 1.0, 2.0, 6.0, 24.0, 120.0, 720.0, 5040.0, 40320.0, 362880.0, 3628800.0, 39916800.0,
      479001600.0, 6227020800.0, 87178291200.0, 1307674368000.0, 20922789888000.0,
      355687428096000.0, 6402373705728000.0, 1.21645100408832e+17, 2.43290200817664e+18,
      5.109094217170944e+19, 1.1240007277776077e+21, 2.585201673888498e+22,
      6.204484017332394e+23, 1.5511210043330986e+25, 4.0329146112660565e+26,
      1.0888869450418352e+28, 3.0488834461171387e+29, 8.841761993739702e+30,
      2.6525285981219107e+32, 8.222838654177922e+33, 2.631308369336935e+35,
      8.683317618811886e+36, 2.9523279903960416e+38, 1.0333147966386145e+40,
      3.7199332678990125e+41, 1.3763753091226346e+43, 5.230226174666011e+44,
      2.0397882081197444e+46, 8.159152832478977e+47, 3.345252661316381e+49};
  // clang-format on
  constexpr int kLast = static_cast<int>(sizeof kFactorials / sizeof kFactorials[0]) - 1;
  const double k = std::nearbyint(v);
  if (v != k || v < 0.0) return Undefined();
  if (k > kLast) return kRangeLimit;  // undefined by the range rule, as every value from 1e50 on
  return kFactorials[static_cast<int>(k)];
}

// Standard normal distribution function (Abramowitz and Stegun 26.2.19).
double Phi(double v) {
  const double z = std::fabs(v);
  double p;
  if (z >= 10.0) {
    p = 1.0;
  } else {
    double poly = 0.000005383;
    poly = poly * z + 0.0000488906;
    poly = poly * z + 0.0000380036;
    poly = poly * z + 0.0032776263;
    poly = poly * z + 0.0211410061;
    poly = poly * z + 0.049867347;
    poly = poly * z + 1.0;
    for (int i = 0; i < 4; ++i) poly *= poly;
    p = 1.0 - 0.5 / poly;
  }
  return v > 0.0 ? p : 1.0 - p;
}

double Arcsin(double v) {
  const double av = std::fabs(v);
  if (av < 1.0) return std::atan(v / std::sqrt(1.0 - v * v));
  if (av == 1.0) return kHalfPi * v;
  return Undefined();
}

double Tan(double v) {
  const double c = std::cos(v);
  if (c == 0.0) return Undefined();
  return std::sin(v) / c;
}

}  // namespace

double detail::Function(std::uint8_t kind, double v) {
  switch (kind) {
    case kLn:
      return v > 0.0 ? std::log(v) : Undefined();
    case kLg:
      return v > 0.0 ? std::log(v) * kInvLn10 : Undefined();
    case kLd:
      return v > 0.0 ? std::log(v) * kInvLn2 : Undefined();
    case kExp:
      return ExpCapped(v);
    case kSin:
      return std::sin(v);
    case kCos:
      return std::cos(v);
    case kTan:
      return Tan(v);
    case kCot: {
      if (kHalfPi * std::trunc(v / kHalfPi) == v) return Undefined();
      const double tan = Tan(v);
      if (std::isnan(tan) || tan == 0.0) return Undefined();
      return 1.0 / tan;
    }
    case kArcsin:
      return Arcsin(v);
    case kArccos: {
      const double as = Arcsin(v);
      return std::isnan(as) ? as : kHalfPi - as;
    }
    case kArctan:
      return std::atan(v);
    case kArccot:
      return kHalfPi - std::atan(v);
    case kSinh: {
      const double e = HyperbolicE(v);
      return (e - 1.0 / e) * 0.5;
    }
    case kCosh: {
      const double e = HyperbolicE(v);
      return (1.0 / e + e) * 0.5;
    }
    case kTanh:
      return 1.0 - 2.0 / (1.0 + HyperbolicE(2.0 * v));
    case kCoth: {
      const double tanh = 1.0 - 2.0 / (1.0 + HyperbolicE(2.0 * v));
      return tanh != 0.0 ? 1.0 / tanh : Undefined();
    }
    case kSqrt:
      return v >= 0.0 ? std::sqrt(v) : Undefined();
    case kSqr:
      return v * v;
    case kNormal:
      return std::fabs(v) < 11.0 ? std::exp(-0.5 * v * v) / std::sqrt(kTwoPi) : 0.0;
    case kPhi:
      return Phi(v);
    case kAbs:
      return std::fabs(v);
    case kSgn:
      return v > 0.0 ? 1.0 : (v < 0.0 ? -1.0 : 0.0);
    case kMaxint: {
      const double t = std::trunc(v);
      return (v > 0.0 || v == t) ? t : t - 1.0;
    }
    case kInt:
      return std::trunc(v);
    case kDeg:
      return v * kDegPerRad;
    case kRad:
      return v * kRadPerDeg;
    case kFak:
      return Factorial(v);
    default:
      return Undefined();
  }
}

namespace {

double Eval(const TermNode* node, const Args& args) {
  double r;
  switch (node->kind) {
    case kNumber:
      return LeafInRange(node->value);
    case kVarX:
      return LeafInRange(args.x);
    case kParamT:
      return LeafInRange(args.t);
    case kVarW:
      return 0.0;
    case kConstPi:
      return kPi;
    case kConstE:
      return kE;
    case kParamA:
      return LeafInRange(args.a);
    case kParamB:
      return LeafInRange(args.b);
    case kParamC:
      return LeafInRange(args.c);
    case kIndexN:
      return LeafInRange(args.n);
    case kAdd:
    case kSub:
    case kMul:
    case kDiv:
    case kPow: {
      if (!node->left || !node->right) return Undefined();
      const double u = Eval(node->left.get(), args);
      if (!Defined(u)) return u;
      const double v = Eval(node->right.get(), args);
      if (!Defined(v)) return v;
      switch (node->kind) {
        case kAdd:
          r = u + v;
          break;
        case kSub:
          r = u - v;
          break;
        case kMul:
          if (std::fabs(u) / kRangeLimit * std::fabs(v) >= 1.0) return Undefined();
          r = u * v;
          break;
        case kDiv:
          if (std::fabs(v) * 1e15 <= std::fabs(u)) return Undefined();
          r = u / v;
          break;
        default:
          r = Power(u, v);
          break;
      }
      break;
    }
    case kNeg:
      if (!node->left) return Undefined();
      r = Eval(node->left.get(), args);
      if (!Defined(r)) return r;
      r = -r;
      break;
    default:
      if (node->kind < kLn || node->kind > kFak || !node->left) return Undefined();
      r = Eval(node->left.get(), args);
      if (!Defined(r)) return r;
      r = Function(node->kind, r);
      break;
  }
  // Range rule: nothing of magnitude 1e50 or more stays defined.
  return InRange(r);
}

}  // namespace

namespace {

// 1e-30 < |u| < 15, the bases of the multiplication path of small powers, in
// one comparison of the bit patterns: for non-negative doubles (and NaN above
// them all) the order of the patterns is the order of the values.
inline bool MultiplicationBase(double u) {
  constexpr std::uint64_t kAbove = std::bit_cast<std::uint64_t>(1e-30) + 1;
  constexpr std::uint64_t kBelow = std::bit_cast<std::uint64_t>(15.0);
  const std::uint64_t bits = std::bit_cast<std::uint64_t>(u) & ~(std::uint64_t{1} << 63);
  return bits - kAbove < kBelow - kAbove;
}

double Run(const std::vector<Instr>& code, const double* args) {
  double stack[kProgramStack];
  int sp = -1;
  // Reads an operand; a variable is range-checked as the tree walk does at its leaf.
  auto read = [&](const Operand& o) {
    return o.source == kFromConst ? o.value : LeafInRange(args[o.slot]);
  };
  for (const Instr& in : code) {
    double r;
    double u, v;
    // The left operand: a leaf, or the top of the stack (which the result replaces).
    const bool leftOnStack = in.left.source == kFromStack;
    switch (in.op) {
      case Op::Push:
        u = read(in.left);
        if (!Defined(u)) return u;
        stack[++sp] = u;
        continue;
      case Op::ConstRange:
        return LeafInRange(in.left.value);
      case Op::Undefined:
        return Undefined();
      case Op::Neg:
      case Op::Function:
      case Op::PowInt:
        if (leftOnStack) {
          u = stack[sp];
        } else {
          u = read(in.left);
          if (!Defined(u)) return u;
          ++sp;
        }
        if (in.op == Op::Neg) {
          r = -u;
        } else if (in.op == Op::Function) {
          r = Function(in.kind, u);
        } else {
          const double au = std::fabs(u);
          r = au > 1e-30 && au < 15.0 ? detail::SmallIntegerPower(u, in.count)
                                      : Power(u, in.right.value);
        }
        break;
      default: {
        // Binary: a stack right operand is on top, a stack left operand below it.
        const bool rightOnStack = in.right.source == kFromStack;
        if (rightOnStack) {
          v = stack[sp];
          if (leftOnStack) {
            u = stack[--sp];
          } else {
            u = in.left.value;  // only constants stand left of a stack operand
          }
        } else {
          if (leftOnStack) {
            u = stack[sp];
          } else {
            u = read(in.left);
            if (!Defined(u)) return u;
            ++sp;
          }
          v = read(in.right);
          if (!Defined(v)) return v;
        }
        switch (in.op) {
          case Op::Add:
            r = u + v;
            break;
          case Op::Sub:
            r = u - v;
            break;
          case Op::Mul:
            if (std::fabs(u) / kRangeLimit * std::fabs(v) >= 1.0) return Undefined();
            r = u * v;
            break;
          case Op::Div:
            if (std::fabs(v) * 1e15 <= std::fabs(u)) return Undefined();
            r = u / v;
            break;
          default:
            r = Power(u, v);
            break;
        }
        break;
      }
    }
    r = InRange(r);
    if (!Defined(r)) return r;
    stack[sp] = r;
  }
  return stack[0];
}

// The code of the operations of the fast program, which runs for inputs that
// all keep the range rule: the values of Run, instruction by instruction,
// without the checks of the reads. The code of each instruction ends in a
// jump to the next one's; that of the last, or of one that fails, returns
// what Evaluate returns.

constexpr TermValue kUndefinedValue{0.0, false};

// A value beyond the range rule ends the program: +-1e50, or NaN where the
// operation failed already.
[[gnu::noinline, gnu::cold]] TermValue OutOfRange(double r) { return Outcome(InRange(r)); }

// Hands the value of `in` on: the last instruction returns it, any other
// stores it for the instructions after it and runs the next.
template <bool kLast>
[[gnu::always_inline]] inline TermValue HandOn(const FastInstr* in, double* f, double r) {
  if constexpr (kLast) {
    return {r, true};
  } else {
    f[in->dst] = r;
    const FastInstr* next = in + 1;
    return next->run(next, f, f[next->a]);
  }
}

// The same after the range rule, for operations whose value may break it.
template <bool kLast>
[[gnu::always_inline]] inline TermValue HandOnInRange(const FastInstr* in, double* f, double r) {
  if (!(std::fabs(r) < kRangeLimit)) [[unlikely]]
    return OutOfRange(r);
  return HandOn<kLast>(in, f, r);
}

template <bool kLast>
TermValue FastAdd(const FastInstr* in, double* f, double u) {
  return HandOnInRange<kLast>(in, f, u + f[in->b]);
}

template <bool kLast>
TermValue FastSub(const FastInstr* in, double* f, double u) {
  return HandOnInRange<kLast>(in, f, u - f[in->b]);
}

template <bool kLast>
TermValue FastMul(const FastInstr* in, double* f, double u) {
  const double v = f[in->b];
  const double r = u * v;
  // A product below 1e49 keeps the guard's quotient far below 1 and the
  // range rule; the guard is needed only beyond.
  if (std::fabs(r) < 1e49) [[likely]]
    return HandOn<kLast>(in, f, r);
  if (std::fabs(u) / kRangeLimit * std::fabs(v) >= 1.0) return kUndefinedValue;
  return HandOnInRange<kLast>(in, f, r);
}

template <bool kLast>
TermValue FastDiv(const FastInstr* in, double* f, double u) {
  const double v = f[in->b];
  if (std::fabs(v) * 1e15 <= std::fabs(u)) return kUndefinedValue;
  return HandOnInRange<kLast>(in, f, u / v);
}

// u ^ value of `in` by the general power, for the bases outside the
// multiplication path.
template <bool kLast>
TermValue FastPowerOf(const FastInstr* in, double* f, double u) {
  return HandOnInRange<kLast>(in, f, Power(u, in->value));
}

// Below 15^6 in magnitude a product of a positive power never reaches the
// 1e22 cut-off, so the powers are plain products there.
template <bool kLast>
TermValue FastSquare(const FastInstr* in, double* f, double u) {
  if (MultiplicationBase(u)) [[likely]]
    return HandOn<kLast>(in, f, u * u);
  return FastPowerOf<kLast>(in, f, u);
}

template <bool kLast>
TermValue FastCube(const FastInstr* in, double* f, double u) {
  if (MultiplicationBase(u)) [[likely]]
    return HandOn<kLast>(in, f, u * u * u);
  return FastPowerOf<kLast>(in, f, u);
}

template <bool kLast>
TermValue FastPowInt(const FastInstr* in, double* f, double u) {
  if (!MultiplicationBase(u)) return FastPowerOf<kLast>(in, f, u);
  double r;
  if (in->count > 0) {
    r = u;
    for (int i = 1; i < in->count; ++i) r *= u;
  } else {
    r = detail::SmallIntegerPower(u, in->count);
  }
  return HandOnInRange<kLast>(in, f, r);
}

template <bool kLast>
TermValue FastPowPositive(const FastInstr* in, double* f, double u) {
  bool defined = true;
  const double r = detail::PowerOfPositive(u, in->value, f[in->b], defined);
  if (!defined) return kUndefinedValue;
  return HandOnInRange<kLast>(in, f, r);
}

template <bool kLast>
TermValue FastPow(const FastInstr* in, double* f, double u) {
  return HandOnInRange<kLast>(in, f, Power(u, f[in->b]));
}

// The values of these keep the range rule when u does.
template <bool kLast>
TermValue FastNeg(const FastInstr* in, double* f, double u) {
  return HandOn<kLast>(in, f, -u);
}

template <bool kLast>
TermValue FastSin(const FastInstr* in, double* f, double u) {
  return HandOn<kLast>(in, f, std::sin(u));
}

template <bool kLast>
TermValue FastCos(const FastInstr* in, double* f, double u) {
  return HandOn<kLast>(in, f, std::cos(u));
}

template <bool kLast>
TermValue FastSqrt(const FastInstr* in, double* f, double u) {
  if (!(u >= 0.0)) return kUndefinedValue;
  return HandOn<kLast>(in, f, std::sqrt(u));
}

template <bool kLast>
TermValue FastAbs(const FastInstr* in, double* f, double u) {
  return HandOn<kLast>(in, f, std::fabs(u));
}

template <bool kLast>
TermValue FastLn(const FastInstr* in, double* f, double u) {
  if (!(u > 0.0)) return kUndefinedValue;
  return HandOn<kLast>(in, f, std::log(u));
}

template <bool kLast>
TermValue FastPhi(const FastInstr* in, double* f, double u) {
  return HandOnInRange<kLast>(in, f, Phi(u));
}

template <bool kLast>
TermValue FastFunction(const FastInstr* in, double* f, double u) {
  return HandOnInRange<kLast>(in, f, Function(in->kind, u));
}

TermValue FastConstRange(const FastInstr* in, double*, double) {
  return {LeafInRange(in->value), false};
}

TermValue FastUndefined(const FastInstr*, double*, double) { return kUndefinedValue; }

TermValue FastReturnLeaf(const FastInstr*, double*, double u) { return {u, true}; }

template <bool kLast>
FastHandler HandlerFor(FastOp op) {
  switch (op) {
    case FastOp::Add:
      return FastAdd<kLast>;
    case FastOp::Sub:
      return FastSub<kLast>;
    case FastOp::Mul:
      return FastMul<kLast>;
    case FastOp::Div:
      return FastDiv<kLast>;
    case FastOp::Pow:
      return FastPow<kLast>;
    case FastOp::PowPositive:
      return FastPowPositive<kLast>;
    case FastOp::Square:
      return FastSquare<kLast>;
    case FastOp::Cube:
      return FastCube<kLast>;
    case FastOp::PowInt:
      return FastPowInt<kLast>;
    case FastOp::Neg:
      return FastNeg<kLast>;
    case FastOp::Sin:
      return FastSin<kLast>;
    case FastOp::Cos:
      return FastCos<kLast>;
    case FastOp::Sqrt:
      return FastSqrt<kLast>;
    case FastOp::Abs:
      return FastAbs<kLast>;
    case FastOp::Ln:
      return FastLn<kLast>;
    case FastOp::Phi:
      return FastPhi<kLast>;
    case FastOp::Function:
      return FastFunction<kLast>;
    case FastOp::ConstRange:
      return FastConstRange;
    case FastOp::ReturnLeaf:
      return FastReturnLeaf;
    case FastOp::Undefined:
      break;
  }
  return FastUndefined;
}

using detail::RunFast;

}  // namespace

FastHandler detail::HandlerOf(FastOp op, bool last) {
  return last ? HandlerFor<true>(op) : HandlerFor<false>(op);
}

namespace {

// The inputs in the first six slots of a program's frame.
inline void SetInputs(double* f, double x, double t, double a, double b, double c, double n) {
  f[0] = x;
  f[1] = t;
  f[2] = a;
  f[3] = b;
  f[4] = c;
  f[5] = n;
}

}  // namespace

TermValue detail::EvaluateWithProgram(const Program& program, double x, double t, double a,
                                      double b, double c, double n) {
  if (!program.usable) return Outcome(Eval(program.root, Args{x, t, a, b, c, n}));
  double* f = program.frame.data();
  SetInputs(f, x, t, a, b, c, n);
  // Inputs the program never reads are never checked; a read input out of
  // range takes the checked path, which fails where the tree walk fails.
  bool inRange = true;
  for (int i = 0; i < program.readCount; ++i)
    inRange &= std::fabs(f[program.reads[i]]) < kRangeLimit;
  return inRange ? RunFast(program) : Outcome(Run(program.code, f));
}

namespace {

// The evaluation of the six inputs apart from the usual case: no term, a tree
// other than the one evaluated last, a tree the program cannot hold, or an
// input beyond the range rule.
[[gnu::noinline]] TermValue EvalChecked(const TermNode* root, double x, double t, double a,
                                        double b, double c, double n) {
  if (!root) return {};
  return detail::EvaluateWithProgram(detail::ProgramFor(root), x, t, a, b, c, n);
}

}  // namespace

TermValue detail::EvalSix(const TermNode* root, double x, double t, double a, double b, double c,
                          double n) {
  const Program& program = *lastProgram;
  if (program.root == root) {
    const bool inRange = (std::fabs(x) < kRangeLimit) & (std::fabs(t) < kRangeLimit) &
                         (std::fabs(a) < kRangeLimit) & (std::fabs(b) < kRangeLimit) &
                         (std::fabs(c) < kRangeLimit) & (std::fabs(n) < kRangeLimit);
    if (program.usable & inRange) [[likely]] {
      SetInputs(program.frame.data(), x, t, a, b, c, n);
      return RunFast(program);
    }
  }
  return EvalChecked(root, x, t, a, b, c, n);
}

TermValue Evaluate(const TermHandle& term, double x, double t, double a, double b, double c,
                   double n) {
  return detail::EvaluateInline(term.get(), x, t, a, b, c, n);
}

TermValue EvaluateByTree(const TermNode* root, double x, double t, double a, double b, double c,
                         double n) {
  if (!root) return {};
  return Outcome(Eval(root, Args{x, t, a, b, c, n}));
}

}  // namespace kurvio
