// SPDX-License-Identifier: GPL-3.0-or-later
// The batch runs the term's evaluation program once per block of points: each
// instruction loops over the whole block. Every point keeps its own defined
// flag and the value EvalTerm would return for it once undefined; a point that
// became undefined takes no further part (its stack entries are garbage that
// is never read back). The loops are plain arithmetic with selects, so that
// the compiler vectorises them; the functions of the C library are called per
// point, exactly as the single evaluation calls them.
#include "term/TermBatch.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "term/TermProgram.h"

namespace kurvio {

bool TermBatchPointByPoint = false;

namespace {

using detail::Instr;
using detail::kFromConst;
using detail::kFromStack;
using detail::kRangeLimit;
using detail::Op;
using detail::Operand;
using detail::Program;

constexpr std::size_t kBlock = 256;
// Stack entries of a whole block that the batch keeps on the machine stack;
// deeper programs run in shorter blocks.
constexpr std::size_t kStackEntries = 16 * kBlock;

// Written in place of the result where an operation is undefined (a guard of
// a multiplication or division, the root of a negative number). No defined
// operand gives NaN there (operands are finite, and the guards exclude
// overflow and zero divisors), so the range pass tells an undefined operation
// (value 0) from a result out of range (value +-1e50).
constexpr double kGuardMarker = std::numeric_limits<double>::quiet_NaN();

TermInputs At(TermInputs in, BatchInput vary, double p) {
  switch (vary) {
    case BatchInput::X:
      in.x = p;
      break;
    case BatchInput::T:
      in.t = p;
      break;
    case BatchInput::XT:
      in.x = in.t = p;
      break;
    case BatchInput::N:
      in.n = p;
      break;
  }
  return in;
}

// One operand of an instruction over the block: a column or one value for all.
struct Column {
  const double* p = nullptr;  // nullptr: `s` for every point
  double s = 0.0;
  double operator[](std::size_t i) const { return p ? p[i] : s; }
};

// The state of one block of points.
class Block {
 public:
  Block(const Program& program, const double* fixedSlots, const bool* varying, const double* points,
        std::size_t n, double* stack)
      : program_(program),
        fixed_(fixedSlots),
        varying_(varying),
        points_(points),
        n_(n),
        stack_(stack) {}

  void Run(double* values, bool* defined);

 private:
  double* Slot(int sp) { return stack_ + static_cast<std::size_t>(sp) * n_; }

  bool Alive(std::size_t i) const { return !anyDead_ || alive_[i]; }
  // Ends point i with the undefined value `value`, unless it already ended.
  void Kill(std::size_t i, double value) {
    if (!anyDead_) {
      // The per-point state is kept only once a point has ended.
      anyDead_ = true;
      std::fill(alive_, alive_ + n_, 1);
    }
    if (!alive_[i]) return;
    alive_[i] = 0;
    undef_[i] = value;
    --aliveCount_;
  }
  void KillAll(double value) {
    for (std::size_t i = 0; i < n_; ++i) Kill(i, value);
  }
  // out[i] := value(i) at every living point, where `value` gives NaN for
  // an undefined result, which ends its point with 0.
  template <class Value>
  void PointByPoint(double* out, Value value) {
    for (std::size_t i = 0; i < n_; ++i) {
      if (!Alive(i)) {
        out[i] = 1.0;
        continue;
      }
      const double r = value(i);
      if (std::isnan(r)) {
        Kill(i, 0.0);
        out[i] = 1.0;
      } else {
        out[i] = r;
      }
    }
  }

  // A leaf operand as a column; a variable is range-checked as the single
  // evaluation does where it reads one. False: no point is left.
  bool Read(const Operand& o, Column& c);
  // The range rule over a column just written.
  void RangePass(double* out);

  // Each writes the instruction's column; true: it may break the range rule.
  bool Unary(const Instr& in, const Column& u, double* out);
  bool PowInt(const Instr& in, const Column& u, double* out);
  bool Binary(Op op, const Column& u, const Column& v, double* out);

  const Program& program_;
  const double* fixed_;
  const bool* varying_;
  const double* points_;
  std::size_t n_;
  double* stack_;
  std::size_t aliveCount_ = 0;
  bool pointsChecked_ = false;  // all points in range
  bool anyDead_ = false;        // alive_ and undef_ hold the state of every point
  std::uint64_t alive_[kBlock];
  double undef_[kBlock];
};

bool Block::Read(const Operand& o, Column& c) {
  if (o.source == kFromConst) {
    c = {nullptr, o.value};
    return true;
  }
  if (!varying_[o.slot]) {
    const double v = fixed_[o.slot];
    if (!(std::fabs(v) < kRangeLimit)) KillAll(std::copysign(kRangeLimit, v));
    c = {nullptr, v};
    return aliveCount_ > 0;
  }
  c = {points_, 0.0};
  if (!pointsChecked_)
    for (std::size_t i = 0; i < n_; ++i)
      if (!(std::fabs(points_[i]) < kRangeLimit)) Kill(i, std::copysign(kRangeLimit, points_[i]));
  return aliveCount_ > 0;
}

void Block::RangePass(double* out) {
  for (std::size_t i = 0; i < n_; ++i) {
    const double r = out[i];
    if (std::fabs(r) < kRangeLimit) continue;
    Kill(i, std::isnan(r) ? 0.0 : std::copysign(kRangeLimit, r));
    out[i] = 1.0;  // keeps later instructions off the slow paths for this point
  }
}

inline bool OutOfRange(double r) { return !(std::fabs(r) < kRangeLimit); }

// out[i] := f(u[i]) with the column or scalar variant of the operand; true
// when a result breaks the range rule.
template <class F>
inline bool Map(const Column& u, double* out, std::size_t n, F f) {
  unsigned bad = 0;
  if (u.p) {
    const double* up = u.p;
    for (std::size_t i = 0; i < n; ++i) {
      const double r = f(up[i]);
      out[i] = r;
      bad |= OutOfRange(r);
    }
    return bad != 0;
  }
  const double r = f(u.s);
  std::fill(out, out + n, r);
  return OutOfRange(r);
}

template <class F>
inline bool Map2(const Column& u, const Column& v, double* out, std::size_t n, F f) {
  unsigned bad = 0;
  if (u.p && v.p) {
    const double* up = u.p;
    const double* vp = v.p;
    for (std::size_t i = 0; i < n; ++i) {
      const double r = f(up[i], vp[i]);
      out[i] = r;
      bad |= OutOfRange(r);
    }
  } else if (u.p) {
    const double* up = u.p;
    const double vs = v.s;
    for (std::size_t i = 0; i < n; ++i) {
      const double r = f(up[i], vs);
      out[i] = r;
      bad |= OutOfRange(r);
    }
  } else if (v.p) {
    const double us = u.s;
    const double* vp = v.p;
    for (std::size_t i = 0; i < n; ++i) {
      const double r = f(us, vp[i]);
      out[i] = r;
      bad |= OutOfRange(r);
    }
  } else {
    const double r = f(u.s, v.s);
    std::fill(out, out + n, r);
    return OutOfRange(r);
  }
  return bad != 0;
}

bool Block::Unary(const Instr& in, const Column& u, double* out) {
  if (in.op == Op::Neg) return Map(u, out, n_, [](double a) { return -a; });
  switch (in.kind) {
    case kSqr:
      return Map(u, out, n_, [](double a) { return a * a; });
    case kAbs:
      return Map(u, out, n_, [](double a) { return std::fabs(a); });
    case kSqrt:
      return Map(u, out, n_, [](double a) { return a >= 0.0 ? std::sqrt(a) : kGuardMarker; });
    default:
      break;
  }
  // The functions of the C library, point by point.
  PointByPoint(out, [&](std::size_t i) { return detail::Function(in.kind, u[i]); });
  return true;
}

template <int kCount>
inline double Product(double base) {
  double r = 1.0;
  for (int k = 0; k < kCount; ++k) r = r < 1e22 ? r * base : r;
  return r;
}

// Bases below 15 in magnitude never reach the 1e22 cut-off with a positive
// exponent below 7, so the plain product is the same.
template <int kCount>
inline double PlainProduct(double base) {
  if constexpr (kCount == 0) {
    return 1.0;
  } else {
    double r = base;
    for (int k = 1; k < kCount; ++k) r *= base;
    return r;
  }
}

template <int kCount>
bool ProductColumn(const double* u, double* out, std::size_t n, bool inverse) {
  unsigned bad = 0;
  if (inverse) {
    for (std::size_t i = 0; i < n; ++i) {
      const double r = Product<kCount>(1.0 / u[i]);
      out[i] = r;
      bad |= OutOfRange(r);
    }
  } else {
    for (std::size_t i = 0; i < n; ++i) out[i] = PlainProduct<kCount>(u[i]);
  }
  return bad != 0;
}

bool Block::PowInt(const Instr& in, const Column& u, double* out) {
  const double exponent = in.right.value;
  // The multiplication path holds for bases of magnitude in (1e-30, 15).
  bool inside = true;
  if (u.p) {
    for (std::size_t i = 0; i < n_; ++i) {
      const double au = std::fabs(u.p[i]);
      inside &= au > 1e-30 && au < 15.0;
    }
  } else {
    const double au = std::fabs(u.s);
    inside = au > 1e-30 && au < 15.0;
  }
  if (!inside || !u.p) {
    PointByPoint(out, [&](std::size_t i) {
      const double a = u[i];
      const double au = std::fabs(a);
      return au > 1e-30 && au < 15.0 ? detail::SmallIntegerPower(a, in.count)
                                     : detail::Power(a, exponent);
    });
    return true;
  }
  const bool inverse = in.count < 0;
  switch (in.count < 0 ? -in.count : in.count) {
    case 0:
      return ProductColumn<0>(u.p, out, n_, inverse);
    case 1:
      return ProductColumn<1>(u.p, out, n_, inverse);
    case 2:
      return ProductColumn<2>(u.p, out, n_, inverse);
    case 3:
      return ProductColumn<3>(u.p, out, n_, inverse);
    case 4:
      return ProductColumn<4>(u.p, out, n_, inverse);
    case 5:
      return ProductColumn<5>(u.p, out, n_, inverse);
    default:
      return ProductColumn<6>(u.p, out, n_, inverse);
  }
}

bool Block::Binary(Op op, const Column& u, const Column& v, double* out) {
  switch (op) {
    case Op::Add:
      return Map2(u, v, out, n_, [](double a, double b) { return a + b; });
    case Op::Sub:
      return Map2(u, v, out, n_, [](double a, double b) { return a - b; });
    case Op::Mul:
      return Map2(u, v, out, n_, [](double a, double b) {
        return std::fabs(a) / kRangeLimit * std::fabs(b) >= 1.0 ? kGuardMarker : a * b;
      });
    case Op::Div:
      return Map2(u, v, out, n_, [](double a, double b) {
        return std::fabs(b) * 1e15 <= std::fabs(a) ? kGuardMarker : a / b;
      });
    default:
      break;
  }
  if (!u.p && u.s > 0.0) {
    const double logU = std::log(u.s);
    PointByPoint(out, [&](std::size_t i) {
      bool ok = true;
      const double r = detail::PowerOfPositive(u.s, logU, v[i], ok);
      return ok ? r : std::numeric_limits<double>::quiet_NaN();
    });
    return true;
  }
  PointByPoint(out, [&](std::size_t i) { return detail::Power(u[i], v[i]); });
  return true;
}

// Mirrors the single evaluation's Run instruction by instruction: the same
// operand order, the same checks in the same order, the same stack.
void Block::Run(double* values, bool* defined) {
  aliveCount_ = n_;
  bool pointsInRange = true;
  for (std::size_t i = 0; i < n_; ++i) pointsInRange &= std::fabs(points_[i]) < kRangeLimit;
  pointsChecked_ = pointsInRange;

  int sp = -1;
  bool running = n_ > 0;
  for (const Instr& in : program_.code) {
    if (!running) break;
    const bool leftOnStack = in.left.source == kFromStack;
    Column u, v;
    switch (in.op) {
      case Op::Push: {
        if (!Read(in.left, u)) {
          running = false;
          break;
        }
        double* out = Slot(++sp);
        if (u.p)
          std::memcpy(out, u.p, n_ * sizeof(double));
        else
          std::fill(out, out + n_, u.s);
        continue;
      }
      case Op::ConstRange:
        KillAll(std::copysign(kRangeLimit, in.left.value));
        running = false;
        break;
      case Op::Undefined:
        KillAll(0.0);
        running = false;
        break;
      case Op::Neg:
      case Op::Function:
      case Op::PowInt: {
        if (leftOnStack) {
          u = {Slot(sp), 0.0};
        } else {
          if (!Read(in.left, u)) {
            running = false;
            break;
          }
          ++sp;
        }
        double* out = Slot(sp);
        if (in.op == Op::PowInt ? PowInt(in, u, out) : Unary(in, u, out)) RangePass(out);
        break;
      }
      default: {
        if (in.right.source == kFromStack) {
          v = {Slot(sp), 0.0};
          if (leftOnStack)
            u = {Slot(--sp), 0.0};
          else
            u = {nullptr, in.left.value};  // only constants stand left of a stack operand
        } else {
          if (leftOnStack) {
            u = {Slot(sp), 0.0};
          } else {
            if (!Read(in.left, u)) {
              running = false;
              break;
            }
            ++sp;
          }
          if (!Read(in.right, v)) {
            running = false;
            break;
          }
        }
        double* out = Slot(sp);
        if (Binary(in.op, u, v, out)) RangePass(out);
        break;
      }
    }
    if (aliveCount_ == 0) running = false;
  }
  if (!anyDead_) {
    std::memcpy(values, Slot(0), n_ * sizeof(double));
    std::fill(defined, defined + n_, true);
    return;
  }
  const double* result = aliveCount_ > 0 ? Slot(0) : nullptr;
  for (std::size_t i = 0; i < n_; ++i) {
    values[i] = alive_[i] ? result[i] : undef_[i];
    defined[i] = alive_[i] != 0;
  }
}

void PointByPoint(const TermHandle& term, BatchInput vary, const TermInputs& fixed,
                  const double* points, std::size_t count, double* values, bool* defined) {
  for (std::size_t i = 0; i < count; ++i) {
    const TermInputs in = At(fixed, vary, points[i]);
    const TermValue v = Evaluate(term, in.x, in.t, in.a, in.b, in.c, in.n);
    values[i] = v.value;
    defined[i] = v.defined;
  }
}

}  // namespace

void EvalTermBatch(const TermHandle& term, BatchInput vary, const TermInputs& fixed,
                   const double* points, std::size_t count, double* values, bool* defined) {
  if (TermBatchPointByPoint || !term)
    return PointByPoint(term, vary, fixed, points, count, values, defined);
  const Program& program = detail::ProgramFor(term.get());
  if (!program.usable) return PointByPoint(term, vary, fixed, points, count, values, defined);

  const double slots[detail::kSlots] = {fixed.x, fixed.t, fixed.a, fixed.b, fixed.c, fixed.n};
  bool varying[detail::kSlots] = {};
  switch (vary) {
    case BatchInput::X:
      varying[0] = true;
      break;
    case BatchInput::T:
      varying[1] = true;
      break;
    case BatchInput::XT:
      varying[0] = varying[1] = true;
      break;
    case BatchInput::N:
      varying[5] = true;
      break;
  }
  const std::size_t depth = static_cast<std::size_t>(std::max(program.depth, 1));
  const std::size_t block = std::min(kBlock, kStackEntries / depth);
  double stack[kStackEntries];
  for (std::size_t start = 0; start < count; start += block) {
    const std::size_t n = std::min(block, count - start);
    Block b(program, slots, varying, points + start, n, stack);
    b.Run(values + start, defined + start);
  }
}

}  // namespace kurvio
