// SPDX-License-Identifier: GPL-3.0-or-later
// Definite integrals of a term to many digits, with an estimate of their error:
// GSL's adaptive Gauss–Kronrod rules, the interval split where the term jumps
// or kinks, so that every piece is smooth inside and at most singular at its ends.
#pragma once

#include <functional>
#include <vector>

#include "term/Term.h"

namespace kurvio {

struct Quadrature {
  double value = 0.0;
  double error = 0.0;  // estimate of |value - exact value|
  bool exists = false;
};

// f at t; sets `defined` to false where f has no value there.
using PartialFunction = std::function<double(double t, bool& defined)>;

// More breaks than this are left to the adaptive rule: a term like int(1e6 t)
// must not cost a search for every step.
inline constexpr std::size_t kMaxBreaks = 2000;

// The sorted points strictly between `from` and `to` where the argument of one
// of the term's rough nodes (RoughNodes with x and t) reaches its rough place
// or stops being defined, with x and t both at the point and a, b, c fixed.
// Found on a grid and bisected to the resolution of a double.
std::vector<double> RoughBreaks(const TermNode* root, double from, double to, double a, double b,
                                double c);

// ∫ f from a to b (b < a gives the negative), one adaptive rule with
// extrapolation (QAGS) per piece between those of the sorted `breaks` that lie
// strictly between a and b, so that
// integrable singularities at the ends of a piece (1/sqrt t, ln t at 0)
// converge. It does not exist where f is undefined at a point the rule asks
// for, where the rule reports divergence, or where a rule that does not
// converge (a non-integrable singularity at an end) changes its value by more
// than 5 % of max(1, |value|) when given ten times as many subintervals.
Quadrature Integrate(const PartialFunction& f, double a, double b,
                     const std::vector<double>& breaks = {});

// ∫ f over a short step (one column of a graph) to an absolute `tolerance`:
// a 15-point Gauss–Kronrod rule, bisected where its error asks (QAG), and
// Integrate where that does not reach the tolerance; split at the breaks too.
Quadrature IntegrateStep(const PartialFunction& f, double a, double b, double tolerance,
                         const std::vector<double>& breaks = {});

}  // namespace kurvio
