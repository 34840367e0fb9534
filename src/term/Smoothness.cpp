// SPDX-License-Identifier: GPL-3.0-or-later
#include "term/Smoothness.h"

#include <cmath>

namespace kurvio {
namespace {

bool Reads(const TermNode* node, std::uint8_t variable, bool alsoT) {
  if (!node) return false;
  if (node->kind == variable || (alsoT && node->kind == kParamT)) return true;
  return Reads(node->left.get(), variable, alsoT) || Reads(node->right.get(), variable, alsoT);
}

void Collect(const TermNode* node, std::uint8_t variable, bool alsoT, std::vector<RoughNode>& out) {
  if (!node) return;
  const TermNode* arg = node->left.get();
  switch (node->kind) {
    case kAbs:
    case kSqrt:
      if (Reads(arg, variable, alsoT)) out.push_back({arg, RoughKind::Zero, false});
      break;
    case kSgn:
      if (Reads(arg, variable, alsoT)) out.push_back({arg, RoughKind::Zero, true});
      break;
    case kInt:
    case kMaxint:
      if (Reads(arg, variable, alsoT)) out.push_back({arg, RoughKind::Integer, true});
      break;
    case kArcsin:
    case kArccos:
      if (Reads(arg, variable, alsoT)) out.push_back({arg, RoughKind::Unit, false});
      break;
    case kPow: {
      // A base that can reach 0 under an exponent that is not a whole number
      // from 1 up: x^0.5, x^(-1), x^x.
      const TermNode* exponent = node->right.get();
      const bool wholePositive = exponent && exponent->kind == kNumber && exponent->value >= 1.0 &&
                                 exponent->value == std::trunc(exponent->value);
      if (!wholePositive && Reads(arg, variable, alsoT))
        out.push_back({arg, RoughKind::Zero, false});
      break;
    }
    default:
      break;
  }
  Collect(node->left.get(), variable, alsoT, out);
  Collect(node->right.get(), variable, alsoT, out);
}

}  // namespace

bool DependsOn(const TermNode* node, std::uint8_t variable) { return Reads(node, variable, false); }

std::vector<RoughNode> RoughNodes(const TermNode* root, std::uint8_t variable, bool alsoT) {
  std::vector<RoughNode> out;
  Collect(root, variable, alsoT, out);
  return out;
}

bool StraddlesRoughPlace(RoughKind kind, double below, double at, double above) {
  switch (kind) {
    case RoughKind::Zero:
      return at == 0.0 || (below <= 0.0) != (above <= 0.0) || (below < 0.0) != (above < 0.0);
    case RoughKind::Integer:
      return at == std::trunc(at) || std::floor(below) != std::floor(above);
    case RoughKind::Unit:
      return std::fabs(at) == 1.0 || (below <= -1.0) != (above <= -1.0) ||
             (below < 1.0) != (above < 1.0);
  }
  return false;
}

}  // namespace kurvio
