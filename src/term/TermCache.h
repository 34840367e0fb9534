// SPDX-License-Identifier: GPL-3.0-or-later
// Evaluation programs are cached per compiled tree. Freeing or compiling any
// tree forgets them all, so a cached program never outlives the tree it was
// made from (a new tree may be allocated at the old address). A compiled tree
// is never changed in place.
#pragma once

#include "term/Term.h"

namespace kurvio {

void ForgetTermPrograms();

// Evaluate by walking the tree node by node, without the cached program: the
// reference the program must agree with to the bit.
TermValue EvaluateByTree(const TermNode* root, double x, double t, double a, double b, double c,
                         double n);

}  // namespace kurvio
