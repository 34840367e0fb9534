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
// The evaluation program: the tree in postfix order, with constant subtrees
// folded and small constant integral exponents marked, run on a value stack.
// It gives exactly the results of the tree walk above, which remains the
// reference for folding and for trees the program cannot hold.

enum class Op : std::uint8_t {
  Const,       // a folded constant (defined, within range)
  ConstRange,  // a constant that fails the range rule
  Var,         // argument slot in `slot`
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

// Where a binary operation finds its right operand.
enum Source : std::uint8_t { kFromStack = 0, kFromConst = 1, kFromVar = 2 };

struct Instr {
  Op op;
  std::uint8_t kind = 0;
  std::int8_t count = 0;
  std::uint8_t slot = 0;
  double value = 0.0;
  std::uint8_t source = kFromStack;
};

constexpr int kProgramStack = 256;

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

// Appends the postfix code of `node`; returns the stack depth it needs, or -1
// when the tree cannot be expressed (too deep for the stack).
int Emit(const TermNode* node, std::vector<Instr>& code, int depth) {
  if (depth > kProgramStack - 2) return -1;
  // A constant subtree is evaluated once here, if that gives a defined value.
  if (node->kind != kNumber && IsConstantTree(node)) {
    TermDefined = true;
    const double v = Eval(node, Args{0, 0, 0, 0, 0, 0});
    if (TermDefined) {
      code.push_back({Op::Const, 0, 0, 0, v});
      return 1;
    }
  }
  switch (node->kind) {
    case kNumber:
      if (std::fabs(node->value) < kRangeLimit)
        code.push_back({Op::Const, 0, 0, 0, node->value});
      else
        code.push_back({Op::ConstRange, 0, 0, 0, node->value});
      return 1;
    case kVarX:
    case kParamT:
    case kParamA:
    case kParamB:
    case kParamC:
    case kIndexN: {
      static constexpr std::uint8_t kSlots[] = {0, 0, 1, 0, 0, 0, 0, 2, 3, 4};
      const std::uint8_t slot = node->kind == kIndexN ? 5 : kSlots[node->kind];
      code.push_back({Op::Var, 0, 0, slot, 0});
      return 1;
    }
    case kVarW:
    case kConstPi:
    case kConstE:
      TermDefined = true;
      code.push_back({Op::Const, 0, 0, 0, Eval(node, Args{0, 0, 0, 0, 0, 0})});
      return 1;
    case kNeg: {
      if (!node->left) break;
      const int need = Emit(node->left.get(), code, depth);
      if (need < 0) return -1;
      code.push_back({Op::Neg});
      return need;
    }
    default:
      if (IsBinary(node->kind)) {
        if (!node->left || !node->right) break;
        const int left = Emit(node->left.get(), code, depth);
        if (left < 0) return -1;
        // A constant integral exponent below 7 takes the multiplication path directly.
        if (node->kind == kPow && code.size() > 0 && IsConstantTree(node->right.get())) {
          TermDefined = true;
          const double v = Eval(node->right.get(), Args{0, 0, 0, 0, 0, 0});
          if (TermDefined && std::fabs(v) < 7.0 && v == std::trunc(v)) {
            code.push_back({Op::PowInt, 0, static_cast<std::int8_t>(v), 0, v});
            return left;
          }
        }
        const std::size_t before = code.size();
        const int right = Emit(node->right.get(), code, depth + 1);
        if (right < 0) return -1;
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
        // A right operand that is a single constant or variable is taken directly.
        if (code.size() == before + 1 &&
            (code.back().op == Op::Const || code.back().op == Op::Var)) {
          Instr operand = code.back();
          code.pop_back();
          Instr instr{op, 0, 0, operand.slot, operand.value};
          instr.source = operand.op == Op::Const ? kFromConst : kFromVar;
          code.push_back(instr);
          return left;
        }
        code.push_back({op});
        return std::max(left, right + 1);
      }
      if (node->kind >= kLn && node->kind <= kFak && node->left) {
        const int need = Emit(node->left.get(), code, depth);
        if (need < 0) return -1;
        code.push_back({Op::Function, node->kind});
        return need;
      }
      break;
  }
  code.push_back({Op::Undefined});
  return 1;
}

Program& ProgramFor(const TermNode* root) {
  // Two entries: the windows' term and the number fields' term alternate.
  static Program cache[2];
  static int next = 0;
  static Program* last = &cache[0];
  if (last->root == root && last->generation == TermTreeGeneration) return *last;
  for (Program& p : cache)
    if (p.root == root && p.generation == TermTreeGeneration) return *(last = &p);
  Program& p = cache[next];
  last = &p;
  next = 1 - next;
  p.root = root;
  p.generation = TermTreeGeneration;
  p.code.clear();
  const bool saved = TermDefined;
  p.usable = Emit(root, p.code, 0) > 0;
  TermDefined = saved;
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
  for (const Instr& in : code) {
    double r;
    switch (in.op) {
      case Op::Const:
        stack[++sp] = in.value;
        continue;
      case Op::ConstRange:
        InRange(in.value);
        return 0.0;
      case Op::Var:
        r = args[in.slot];
        if (!InRange(r)) return 0.0;
        stack[++sp] = r;
        continue;
      case Op::PowInt: {
        const double u = stack[sp];
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
          r = Power(u, in.value);
          if (!TermDefined) return 0.0;
        }
        break;
      }
      case Op::Neg:
        r = -stack[sp];
        break;
      case Op::Function:
        r = Function(in.kind, stack[sp]);
        if (!TermDefined) return 0.0;
        break;
      case Op::Undefined:
        return Undefined();
      default: {
        // Binary operations: the left operand is on the stack.
        double v;
        if (in.source == kFromStack) {
          v = stack[sp--];
        } else if (in.source == kFromConst) {
          v = in.value;
        } else {
          v = args[in.slot];
          if (!InRange(v)) return 0.0;
        }
        const double u = stack[sp];
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
