// SPDX-License-Identifier: GPL-3.0-or-later
// Whether a term typed as a guess is the function it is meant to find.
#pragma once

#include "term/TermBatch.h"

namespace kurvio {

// Whether `guess` and `hidden` (terms of x with the inputs `fixed`) agree on
// `samples` evenly spaced x from `from` to `to`: both undefined, or both defined
// with values within 1e-6·(1 + |hidden value|). At least one point must be defined.
bool SameFunction(const TermHandle& guess, const TermHandle& hidden, const TermInputs& fixed,
                  double from, double to, int samples = 201);

}  // namespace kurvio
