// SPDX-License-Identifier: GPL-3.0-or-later
// Building the evaluation program of a compiled tree. The program gives
// exactly the results of the tree walk (TermEval.cpp), which remains the
// reference for folding and for trees the program cannot hold.
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <map>
#include <tuple>
#include <vector>

#include "term/Term.h"
#include "term/TermCache.h"
#include "term/TermProgram.h"

namespace kurvio {
namespace {

using detail::FastInstr;
using detail::FastOp;
using detail::Instr;
using detail::kFromConst;
using detail::kFromStack;
using detail::kFromVar;
using detail::kProgramStack;
using detail::kSlots;
using detail::Op;
using detail::Operand;
using detail::Program;

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
    const TermValue v = EvaluateByTree(node, 0, 0, 0, 0, 0, 0);
    if (!v.defined) return false;  // evaluated at run time, so that it fails there
    leaf = {kFromConst, 0, v.value};
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

// The most values a program has on its stack at once.
int StackDepth(const std::vector<Instr>& code) {
  int sp = -1, depth = 0;
  for (const Instr& in : code) {
    const bool leftOnStack = in.left.source == kFromStack;
    switch (in.op) {
      case Op::Push:
        ++sp;
        break;
      case Op::ConstRange:
      case Op::Undefined:
        break;
      case Op::Neg:
      case Op::Function:
      case Op::PowInt:
        if (!leftOnStack) ++sp;
        break;
      default:
        if (in.right.source == kFromStack) {
          if (leftOnStack) --sp;
        } else if (!leftOnStack) {
          ++sp;
        }
        break;
    }
    depth = std::max(depth, sp + 1);
  }
  return depth;
}

FastOp FastOpOf(const Instr& in) {
  switch (in.op) {
    case Op::Add:
      return FastOp::Add;
    case Op::Sub:
      return FastOp::Sub;
    case Op::Mul:
      return FastOp::Mul;
    case Op::Div:
      return FastOp::Div;
    case Op::Pow:
      return FastOp::Pow;
    case Op::PowInt:
      return in.count == 2 ? FastOp::Square : in.count == 3 ? FastOp::Cube : FastOp::PowInt;
    case Op::Neg:
      return FastOp::Neg;
    case Op::Function:
      switch (in.kind) {
        case kSin:
          return FastOp::Sin;
        case kCos:
          return FastOp::Cos;
        case kSqrt:
          return FastOp::Sqrt;
        case kAbs:
          return FastOp::Abs;
        case kLn:
          return FastOp::Ln;
        case kPhi:
          return FastOp::Phi;
        default:
          return FastOp::Function;
      }
    case Op::ConstRange:
      return FastOp::ConstRange;
    default:
      return FastOp::Undefined;
  }
}

// Translates the stack program into the three-address form of FastInstr,
// each value in a frame entry of its own, so that an instruction that
// computes what an earlier one computed (the same operation on the same
// entries) is left out and its value taken: a derivative's term repeats its
// parts many times. False when the translation ends at an instruction that
// fails; `tooLarge` when the frame would outgrow its 16-bit indices.
bool TranslateFast(Program& p, bool& tooLarge) {
  constexpr std::size_t kMostEntries = 60000;
  p.fast.clear();
  p.frame.assign(static_cast<std::size_t>(kSlots), 0.0);
  std::vector<char> constant(static_cast<std::size_t>(kSlots), 0);
  std::vector<std::uint16_t> loc(static_cast<std::size_t>(p.depth) + 1);  // stack entry -> frame
  p.readCount = 0;
  tooLarge = false;
  std::map<std::uint64_t, std::uint16_t> constants;  // by bits
  std::map<std::tuple<int, int, int, int, int, std::uint64_t>, std::uint16_t> computed;
  auto newEntry = [&](double v, bool isConstant) {
    p.frame.push_back(v);
    constant.push_back(isConstant);
    return static_cast<std::uint16_t>(p.frame.size() - 1);
  };
  auto leaf = [&](const Operand& o) -> std::uint16_t {
    if (o.source == kFromVar) {
      if (std::find(p.reads, p.reads + p.readCount, o.slot) == p.reads + p.readCount)
        p.reads[p.readCount++] = o.slot;
      return o.slot;
    }
    const auto [it, added] = constants.try_emplace(std::bit_cast<std::uint64_t>(o.value), 0);
    if (added) it->second = newEntry(o.value, true);
    return it->second;
  };
  int sp = -1;
  for (const Instr& in : p.code) {
    if (p.frame.size() > kMostEntries) {
      tooLarge = true;
      return false;
    }
    const bool leftOnStack = in.left.source == kFromStack;
    FastInstr f{FastOpOf(in), in.kind, in.count};
    switch (in.op) {
      case Op::Push:
        loc[static_cast<std::size_t>(++sp)] = leaf(in.left);
        continue;
      case Op::ConstRange:
        f.value = in.left.value;
        p.fast.push_back(f);
        return false;
      case Op::Undefined:
        p.fast.push_back(f);
        return false;
      case Op::Neg:
      case Op::Function:
      case Op::PowInt:
        if (leftOnStack) {
          f.a = loc[static_cast<std::size_t>(sp)];
        } else {
          f.a = leaf(in.left);
          ++sp;
        }
        f.value = in.right.value;
        break;
      default:
        if (in.right.source == kFromStack) {
          f.b = loc[static_cast<std::size_t>(sp)];
          f.a = leftOnStack ? loc[static_cast<std::size_t>(--sp)] : leaf(in.left);
        } else {
          if (leftOnStack) {
            f.a = loc[static_cast<std::size_t>(sp)];
          } else {
            f.a = leaf(in.left);
            ++sp;
          }
          f.b = leaf(in.right);
        }
        // A sum that reads x reads it first: a program's first operand is
        // then x itself (see EvalAt). The frame holds no NaN, so the sum is
        // the same to the bit either way round.
        if (in.op == Op::Add && f.b == 0 && f.a != 0) std::swap(f.a, f.b);
        if (in.op == Op::Pow && in.left.source == kFromConst && in.left.value > 0.0) {
          f.op = FastOp::PowPositive;
          f.value = std::log(in.left.value);
        }
        break;
    }
    const auto key = std::make_tuple(static_cast<int>(f.op), static_cast<int>(f.kind),
                                     static_cast<int>(f.count), static_cast<int>(f.a),
                                     static_cast<int>(f.b), std::bit_cast<std::uint64_t>(f.value));
    const auto [it, added] = computed.try_emplace(key, 0);
    if (added) {
      f.dst = newEntry(0.0, false);
      it->second = f.dst;
      p.fast.push_back(f);
    }
    loc[static_cast<std::size_t>(sp)] = it->second;
  }
  if (p.fast.empty()) {
    FastInstr ret{FastOp::ReturnLeaf};
    ret.a = loc[0];  // the program's value, a leaf
    p.fast.push_back(ret);
  }
  p.constantEntry.assign(constant.begin(), constant.end());
  return true;
}

void BuildFast(Program& p) {
  bool tooLarge = false;
  const bool complete = TranslateFast(p, tooLarge);
  if (tooLarge) {
    p.usable = false;  // the tree walk evaluates it
    p.fast.clear();
    return;
  }
  for (std::size_t i = 0; i < p.fast.size(); ++i)
    p.fast[i].run = detail::HandlerOf(p.fast[i].op, i + 1 == p.fast.size());
  const bool onlyX = complete && std::all_of(p.reads, p.reads + p.readCount,
                                             [](std::uint8_t slot) { return slot == 0; });
  p.onlyXRoot = onlyX ? static_cast<const void*>(p.root) : &p;
  // x - c is x + (-c) to the bit, as IEEE subtraction is defined.
  const FastInstr& first = p.fast.front();
  p.shiftsX = onlyX && p.fast.size() == 1 && first.a == 0 && first.b < p.constantEntry.size() &&
              p.constantEntry[first.b] && (first.op == FastOp::Add || first.op == FastOp::Sub);
  p.shift = !p.shiftsX ? 0.0 : first.op == FastOp::Add ? p.frame[first.b] : -p.frame[first.b];
}

// Fixed entries, replaced in turn: the windows' term, its derivatives and the
// arguments of its rough places, and the number fields' term alternate.
constexpr int kCachedPrograms = 16;
Program programCache[kCachedPrograms];
int nextProgram = 0;

}  // namespace

Program* detail::lastProgram = &programCache[0];

void ForgetTermPrograms() {
  for (Program& p : programCache) {
    p.root = nullptr;
    p.usable = false;
    p.onlyXRoot = &p;
  }
}

const Program& detail::ProgramFor(const TermNode* root) {
  if (lastProgram->root == root) return *lastProgram;
  for (Program& p : programCache)
    if (p.root == root) return *(lastProgram = &p);
  Program& p = programCache[nextProgram];
  nextProgram = (nextProgram + 1) % kCachedPrograms;
  lastProgram = &p;
  BuildProgram(p, root);
  return p;
}

void detail::BuildProgram(Program& p, const TermNode* root) {
  p.root = root;
  p.code.clear();
  Emitter emitter(p.code);
  Operand result;
  p.usable = emitter.Emit(root, result, 0);
  if (p.usable) emitter.Materialise(result);
  p.depth = p.usable ? StackDepth(p.code) : 0;
  p.onlyXRoot = &p;
  p.shiftsX = false;
  if (p.usable) BuildFast(p);
}

}  // namespace kurvio
