// SPDX-License-Identifier: GPL-3.0-or-later
// One compiled term evaluated over a whole column of points: the input that
// varies (x, t, both, or the sequence index n) takes each point in turn, the
// other inputs stay fixed. Every value and every defined flag is bit for bit
// what Evaluate (or EvaluateDerivative) gives at that point, so a picture drawn
// from a batch is the picture drawn point by point.
#pragma once

#include <cstddef>
#include <cstdint>

#include "term/Term.h"

namespace kurvio {

// Which inputs take the points.
enum class BatchInput : std::uint8_t {
  X,   // x
  T,   // t
  XT,  // x and t alike (the integral window's f(t))
  N,   // the sequence index n
};

// The inputs that stay fixed (the varying ones are ignored here).
struct TermInputs {
  double x = 0, t = 0, a = 0, b = 0, c = 0, n = 0;
};

// values[i], defined[i] := Evaluate(term, inputs with the varying ones :=
// points[i]), for i < count.
void EvalTermBatch(const TermHandle& term, BatchInput vary, const TermInputs& fixed,
                   const double* points, std::size_t count, double* values, bool* defined);

// The same for EvaluateDerivative of order 0 to 3 in x, at x := points[i].
void EvalDerivativeBatch(const TermHandle& term, int order, const TermInputs& fixed,
                         const double* points, std::size_t count, double* values, bool* defined);

// When set, the batches run point by point through Evaluate and EvaluateDerivative:
// the reference the tests compare the batch with.
extern bool TermBatchPointByPoint;

}  // namespace kurvio
