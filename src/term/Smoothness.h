// SPDX-License-Identifier: GPL-3.0-or-later
// Where a term can fail to be smooth: the nodes whose argument reaching a
// certain value makes a jump (sgn, int, maxint), a kink (abs) or an edge of
// the domain (sqrt, a fractional power, arcsin and arccos at +-1). Between
// such places every function of the term language is smooth wherever it is
// defined, so these nodes are all a derivative or an integral has to watch.
#pragma once

#include <cstdint>
#include <vector>

#include "term/Term.h"

namespace kurvio {

enum class RoughKind : std::uint8_t {
  Zero,     // the argument at 0: abs, sgn, sqrt, the base of a fractional power
  Integer,  // the argument at an integer: int, maxint
  Unit,     // the argument at -1 or 1: arcsin, arccos
};

struct RoughNode {
  const TermNode* argument;  // the subtree whose value matters
  RoughKind kind;
  bool jump;  // the term's value itself may jump there (sgn, int, maxint)
};

// Whether the subtree reads the input of kind `variable` (kVarX or kParamT).
bool DependsOn(const TermNode* node, std::uint8_t variable);

// The rough nodes of the tree whose argument depends on `variable` (or, when
// `alsoT` is set, on t as well: the integral window's f(t) reads x and t alike).
std::vector<RoughNode> RoughNodes(const TermNode* root, std::uint8_t variable, bool alsoT = false);

// Whether the argument's values `below` and `above` (taken just left and right
// of a point) and `at` (at the point) put the rough place between or on them.
bool StraddlesRoughPlace(RoughKind kind, double below, double at, double above);

}  // namespace kurvio
