// SPDX-License-Identifier: GPL-3.0-or-later
// Derivatives of a compiled term from the term itself: the tree is
// differentiated and simplified (term/Symbolic.h), and the derivative's tree
// is compiled and evaluated by the same engine and batches as the term.
//
// A derivative exists at x exactly where the term is defined and continuous
// and the derivative one order lower has equal, finite one-sided derivatives.
// Away from the places where a term can fail to be smooth (term/Smoothness.h)
// that is where the derivative's tree is defined, and its value is the
// derivative to the evaluation's rounding. At such a place the one-sided
// limits of the derivatives decide, order by order: x*abs(x) has f'(0) = 0 and
// no f''(0), abs(x)^3 has f''(0) = 0, exp(sgn(x)) has no f'(0).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "term/Smoothness.h"
#include "term/Term.h"

namespace kurvio {

namespace detail {
struct Program;
}

struct TermDerivatives {
  TermDerivatives();
  ~TermDerivatives();

  // trees[k]: the k-th derivative (k = 1..3); null where it never exists, or
  // from the order on where the derivatives grew too large to be made.
  TermHandle trees[4];
  int largeFrom = 4;  // the first order too large
  // 0*f + f^(k): defined only where f is too, one program for both; with
  // its program, which the single evaluation runs without the cache.
  TermHandle guarded[4];
  std::unique_ptr<detail::Program> programs[4];
  // The texts of f' and f'' as pupils write them; empty where there is none.
  std::string texts[3];
  // The arguments of the term's rough nodes, as trees of their own.
  struct Rough {
    TermHandle argument;
    RoughKind kind;
    std::unique_ptr<detail::Program> program;
    bool isX;  // the argument is x itself, whose values need no evaluation
    // A denominator (or cos u of tan u, sin u of cot u): looked at closely
    // only where its value is near 0, where a pole may lie within the rounding
    // of x (tan at the pi/2 a pupil types).
    bool pole = false;
  };
  std::vector<Rough> rough;
};

// The derivatives of the tree, made on the first call.
const TermDerivatives& DerivativesOf(const TermNode* root);

// "3x^2-3" for f' (order 1) and "6x" for f'' (order 2) of a compiled term, in
// the term fields' syntax with decimal commas (8-bit term bytes, like the
// settings' terms); empty where the derivative never exists.
const std::string& DerivativeText(const TermHandle& term, int order);

}  // namespace kurvio
