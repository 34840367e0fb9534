// Evaluation programs are cached per compiled tree. Any tree that is freed or
// compiled anew bumps this counter, so a cached program never outlives the
// tree it was made from (a new tree may be allocated at the old address).
// A compiled tree is never changed in place.
#pragma once

#include <cstdint>

#include "term/Term.h"

namespace kurvio {

extern std::uint64_t TermTreeGeneration;

// EvalTerm by walking the tree node by node, without the cached program: the
// reference the program must agree with to the bit.
double EvalTermByTree(const TermNode* root, double x, double t, double a, double b, double c,
                      double n);

}  // namespace kurvio
