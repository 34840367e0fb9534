// Term evaluator: walks a compiled tree; every domain violation and every
// intermediate value of magnitude 1e50 or more clears TermDefined instead of
// raising anything.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "term/Term.h"
#include "term/TermCache.h"

namespace kurvio {
namespace {

// The program's ten-digit constants.
constexpr double kPi = 3.141592654;
constexpr double kE = 2.718281829;
constexpr double kHalfPi = 1.570796327;
constexpr double kTwoPi = 6.283185308;
constexpr double kDegPerRad = 57.29577951;
constexpr double kRadPerDeg = 0.017453292;
constexpr double kInvLn10 = 0.434294481;
constexpr double kInvLn2 = 1.442695041;
constexpr double kRangeLimit = 1e50;

struct Args {
  double x, t, a, b, c, n;
};

// The value returned for an undefined result: 0, or the capped value of the range rule.
double undefinedValue = 0.0;

inline double Undefined() {
  TermDefined = false;
  undefinedValue = 0.0;
  return 0.0;
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

double Power(double u, double v) {
  if (std::fabs(v) > 1e20) return Undefined();
  const double rv = std::nearbyint(v);
  const double au = std::fabs(u);
  if (std::fabs(v) < 7.0 && v == rv && au > 1e-30 && au < 15.0) {
    double base = u;
    int count = static_cast<int>(rv);
    if (count < 0) {
      base = 1.0 / base;
      count = -count;
    }
    double product = 1.0;
    for (int i = 0; i < count; ++i)
      if (product < 1e22) product *= base;
    return product;
  }
  if (u < 0.0) {
    if (v != std::trunc(v)) return Undefined();
    if (std::fabs(v) >= 2147483647.0) return kRangeLimit;
    const double magnitude = Power(-u, v);
    if (!TermDefined) return magnitude;
    return std::fmod(std::trunc(v), 2.0) != 0.0 ? -magnitude : magnitude;
  }
  if (u > 0.0) return ExpCapped(std::log(u) * v);
  if (v > 0.0) return 0.0;
  if (v == 0.0) return 1.0;
  return Undefined();
}

double Factorial(double v) {
  const double k = std::nearbyint(v);
  if (v != k || v < 0.0) return Undefined();
  if (k > 32.0) return 2.631308368e35;
  static constexpr double kStored[] = {1.0, 40320.0, 20922789890000.0, 6.204484016e23,
                                       2.631308368e35};
  const int n = static_cast<int>(k);
  const int base = n / 8 * 8;
  double result = kStored[n / 8];
  for (int i = base + 1; i <= n; ++i) result *= i;
  return result;
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

double Function(std::uint8_t kind, double v) {
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
      if (!TermDefined || tan == 0.0) return Undefined();
      return 1.0 / tan;
    }
    case kArcsin:
      return Arcsin(v);
    case kArccos: {
      const double as = Arcsin(v);
      return TermDefined ? kHalfPi - as : as;
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

double Eval(const TermNode* node, const Args& args) {
  if (!TermDefined) return 0.0;
  double r;
  switch (node->kind) {
    case kNumber:
      r = node->value;
      break;
    case kVarX:
      r = args.x;
      break;
    case kParamT:
      r = args.t;
      break;
    case kVarW:
      r = 0.0;
      break;
    case kConstPi:
      r = kPi;
      break;
    case kConstE:
      r = kE;
      break;
    case kParamA:
      r = args.a;
      break;
    case kParamB:
      r = args.b;
      break;
    case kParamC:
      r = args.c;
      break;
    case kIndexN:
      r = args.n;
      break;
    case kAdd:
    case kSub:
    case kMul:
    case kDiv:
    case kPow: {
      if (!node->left || !node->right) return Undefined();
      const double u = Eval(node->left.get(), args);
      if (!TermDefined) return 0.0;
      const double v = Eval(node->right.get(), args);
      if (!TermDefined) return 0.0;
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
      r = -Eval(node->left.get(), args);
      break;
    default:
      if (node->kind < kLn || node->kind > kFak || !node->left) return Undefined();
      r = Eval(node->left.get(), args);
      if (!TermDefined) return 0.0;
      r = Function(node->kind, r);
      break;
  }
  if (!TermDefined) return 0.0;
  // Range rule: nothing of magnitude 1e50 or more (nor NaN) stays defined.
  if (!(std::fabs(r) < kRangeLimit)) {
    TermDefined = false;
    undefinedValue = std::signbit(r) ? -kRangeLimit : kRangeLimit;
    return undefinedValue;
  }
  return r;
}

// ---------------------------------------------------------------------------
// The evaluation program: the tree in postfix order, run on a value stack.
// Constant subtrees are folded, small constant integral exponents marked, and
// operands that are a constant or a variable are taken from the instruction
// itself. It gives exactly the results of the tree walk above, which remains
// the reference for folding and for trees the program cannot hold.

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

// Where an operand comes from.
enum Source : std::uint8_t { kFromStack = 0, kFromConst = 1, kFromVar = 2 };

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

constexpr int kProgramStack = 64;

struct Program {
  const TermNode* root = nullptr;
  std::uint64_t generation = ~0ull;
  std::vector<Instr> code;
  bool usable = false;  // false: the tree walk evaluates this tree
};

bool IsConstantTree(const TermNode* node) {
  switch (node->kind) {
    case kVarX:
    case kParamT:
    case kParamA:
    case kParamB:
    case kParamC:
    case kIndexN:
      return false;
    default:
      break;
  }
  if (node->left && !IsConstantTree(node->left.get())) return false;
  if (node->right && !IsConstantTree(node->right.get())) return false;
  return true;
}

bool IsBinary(std::uint8_t kind) {
  return kind == kAdd || kind == kSub || kind == kMul || kind == kDiv || kind == kPow;
}

int SlotOf(std::uint8_t kind) {
  switch (kind) {
    case kVarX:
      return 0;
    case kParamT:
      return 1;
    case kParamA:
      return 2;
    case kParamB:
      return 3;
    case kParamC:
      return 4;
    case kIndexN:
      return 5;
    default:
      return -1;
  }
}

class Emitter {
 public:
  explicit Emitter(std::vector<Instr>& code) : code_(code) {}

  // Appends the code of `node`. A leaf becomes a pending operand instead of an
  // instruction, so that the operation using it can take it directly.
  // Returns false when the tree is too deep for the program's stack.
  bool Emit(const TermNode* node, Operand& leaf, int depth) {
    if (depth > kProgramStack - 4) return false;
    if (FoldConstant(node, leaf)) return true;
    const int slot = SlotOf(node->kind);
    if (slot >= 0) {
      leaf = {kFromVar, static_cast<std::uint8_t>(slot), 0.0};
      return true;
    }
    if (node->kind == kNumber) {
      // Only a literal beyond the range rule is left to run time.
      code_.push_back({Op::ConstRange, 0, 0, {kFromConst, 0, node->value}, {}});
      leaf = {};
      return true;
    }
    if (IsBinary(node->kind) && node->left && node->right) return EmitBinary(node, leaf, depth);
    if ((node->kind == kNeg || (node->kind >= kLn && node->kind <= kFak)) && node->left) {
      Operand operand;
      if (!Emit(node->left.get(), operand, depth)) return false;
      const Op op = node->kind == kNeg ? Op::Neg : Op::Function;
      Push({op, node->kind, 0, operand, {}}, operand);
      leaf = {};
      return true;
    }
    code_.push_back({Op::Undefined, 0, 0, {}, {}});
    leaf = {};
    return true;
  }

  // Makes a pending leaf an instruction of its own (the program's result, or
  // an operand that must be on the stack).
  void Materialise(const Operand& leaf) {
    if (leaf.source != kFromStack) code_.push_back({Op::Push, 0, 0, leaf, {}});
  }

 private:
  bool FoldConstant(const TermNode* node, Operand& leaf) {
    if (!IsConstantTree(node)) return false;
    const bool saved = TermDefined;
    TermDefined = true;
    const double v = Eval(node, Args{0, 0, 0, 0, 0, 0});
    const bool defined = TermDefined;
    TermDefined = saved;
    if (!defined) return false;  // evaluated at run time, so that it fails there
    leaf = {kFromConst, 0, v};
    return true;
  }

  // An instruction whose left operand is `left`; a stack operand must be
  // there already, a leaf is read by the instruction.
  void Push(Instr instr, const Operand& left) {
    instr.left = left;
    code_.push_back(instr);
  }

  bool EmitBinary(const TermNode* node, Operand& leaf, int depth) {
    Operand left;
    if (!Emit(node->left.get(), left, depth)) return false;
    // A constant integral exponent below 7 takes the multiplication path directly.
    if (node->kind == kPow) {
      Operand exponent;
      if (FoldConstant(node->right.get(), exponent) && std::fabs(exponent.value) < 7.0 &&
          exponent.value == std::trunc(exponent.value)) {
        Instr instr{Op::PowInt, 0, static_cast<std::int8_t>(exponent.value), {}, exponent};
        Push(instr, left);
        leaf = {};
        return true;
      }
    }
    // The left operand is read after the right one when both are
    // instructions' results; a variable there is range-checked first, so it
    // goes on the stack unless the right operand is a leaf as well.
    const std::size_t leftEnd = code_.size();
    Operand right;
    if (!Emit(node->right.get(), right, depth + 1)) return false;
    if (left.source == kFromVar && right.source == kFromStack) {
      code_.insert(code_.begin() + static_cast<std::ptrdiff_t>(leftEnd),
                   Instr{Op::Push, 0, 0, left, {}});
      left = {};
    }
    Op op = Op::Add;
    switch (node->kind) {
      case kSub:
        op = Op::Sub;
        break;
      case kMul:
        op = Op::Mul;
        break;
      case kDiv:
        op = Op::Div;
        break;
      case kPow:
        op = Op::Pow;
        break;
      default:
        break;
    }
    Instr instr{op, 0, 0, left, right};
    code_.push_back(instr);
    leaf = {};
    return true;
  }

  std::vector<Instr>& code_;
};

// Fixed entries: the windows' term and the number fields' term alternate.
Program programCache[2];
Program* lastProgram = &programCache[0];
int nextProgram = 0;

const Program& ProgramFor(const TermNode* root) {
  if (lastProgram->root == root && lastProgram->generation == TermTreeGeneration)
    return *lastProgram;
  for (Program& p : programCache)
    if (p.root == root && p.generation == TermTreeGeneration) return *(lastProgram = &p);
  Program& p = programCache[nextProgram];
  nextProgram = 1 - nextProgram;
  lastProgram = &p;
  p.root = root;
  p.generation = TermTreeGeneration;
  p.code.clear();
  Emitter emitter(p.code);
  Operand result;
  p.usable = emitter.Emit(root, result, 0);
  if (p.usable) emitter.Materialise(result);
  return p;
}

// The range rule on a value produced by an instruction.
inline bool InRange(double r) {
  if (std::fabs(r) < kRangeLimit) return true;
  TermDefined = false;
  undefinedValue = std::signbit(r) ? -kRangeLimit : kRangeLimit;
  return false;
}

double Run(const std::vector<Instr>& code, const double* args) {
  double stack[kProgramStack];
  int sp = -1;
  // Reads an operand; a variable is range-checked as the tree walk does at its leaf.
  auto read = [&](const Operand& o, double& v) {
    if (o.source == kFromConst) {
      v = o.value;
      return true;
    }
    v = args[o.slot];
    return InRange(v);
  };
  for (const Instr& in : code) {
    double r;
    double u, v;
    // The left operand: a leaf, or the top of the stack (which the result replaces).
    const bool leftOnStack = in.left.source == kFromStack;
    switch (in.op) {
      case Op::Push:
        if (!read(in.left, u)) return 0.0;
        stack[++sp] = u;
        continue;
      case Op::ConstRange:
        InRange(in.left.value);
        return 0.0;
      case Op::Undefined:
        return Undefined();
      case Op::Neg:
      case Op::Function:
      case Op::PowInt:
        if (leftOnStack) {
          u = stack[sp];
        } else {
          if (!read(in.left, u)) return 0.0;
          ++sp;
        }
        if (in.op == Op::Neg) {
          r = -u;
        } else if (in.op == Op::Function) {
          r = Function(in.kind, u);
          if (!TermDefined) return 0.0;
        } else {
          const double au = std::fabs(u);
          if (au > 1e-30 && au < 15.0) {
            double base = u;
            int count = in.count;
            if (count < 0) {
              base = 1.0 / base;
              count = -count;
            }
            r = 1.0;
            for (int i = 0; i < count; ++i)
              if (r < 1e22) r *= base;
          } else {
            r = Power(u, in.right.value);
            if (!TermDefined) return 0.0;
          }
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
            if (!read(in.left, u)) return 0.0;
            ++sp;
          }
          if (!read(in.right, v)) return 0.0;
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
            if (!TermDefined) return 0.0;
            break;
        }
        break;
      }
    }
    if (!InRange(r)) return 0.0;
    stack[sp] = r;
  }
  return stack[0];
}

double EvalRoot(const TermNode* root, const Args& args) {
  const Program& program = ProgramFor(root);
  TermDefined = true;
  if (!program.usable) return Eval(root, args);
  const double slots[6] = {args.x, args.t, args.a, args.b, args.c, args.n};
  return Run(program.code, slots);
}

inline double Sample(const TermNode* root, double x, const Args& args) {
  Args at = args;
  at.x = x;
  return EvalRoot(root, at);
}

}  // namespace

double EvalTerm(const TermHandle& term, double x, double t, double a, double b, double c,
                double n) {
  if (!term) {
    TermDefined = false;
    return 0.0;
  }
  const double r = EvalRoot(term.get(), Args{x, t, a, b, c, n});
  return TermDefined ? r : undefinedValue;
}

double EvalTermByTree(const TermNode* root, double x, double t, double a, double b, double c,
                      double n) {
  if (!root) {
    TermDefined = false;
    return 0.0;
  }
  TermDefined = true;
  const double r = Eval(root, Args{x, t, a, b, c, n});
  return TermDefined ? r : undefinedValue;
}

double EvalDerivative(const TermHandle& term, int order, double x, double t, double a, double b,
                      double c, double n) {
  if (order == 0) return EvalTerm(term, x, t, a, b, c, n);
  if (!term) {
    TermDefined = false;
    return 0.0;
  }
  const TermNode* root = term.get();
  const Args args{x, t, a, b, c, n};
  // Samples in a fixed order; the first undefined one ends the derivative.
  double s[4];
  auto take = [&](int i, double at) {
    s[i] = Sample(root, at, args);
    return TermDefined;
  };
  if (order == 1) {
    if (take(0, x - 0.002) && take(1, x - 0.001) && take(2, x + 0.001) && take(3, x + 0.002))
      return (s[0] - 8.0 * s[1] + 8.0 * s[2] - s[3]) / 0.012;
  } else if (order == 2) {
    if (take(0, x + 0.005) && take(1, x) && take(2, x - 0.005))
      return (s[0] - 2.0 * s[1] + s[2]) / 0.000025;
  } else {
    if (take(0, x - 0.02) && take(1, x - 0.01) && take(2, x + 0.01) && take(3, x + 0.02))
      return (s[3] - 2.0 * s[2] + 2.0 * s[1] - s[0]) / 0.000002;
  }
  return 0.0;
}

}  // namespace kurvio
