#include "term/TermBatch.h"

namespace kurvio {

bool TermBatchPointByPoint = false;

namespace {

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

}  // namespace

void EvalTermBatch(const TermHandle& term, BatchInput vary, const TermInputs& fixed,
                   const double* points, std::size_t count, double* values, bool* defined) {
  TermDefined = term != nullptr;
  for (std::size_t i = 0; i < count; ++i) {
    const TermInputs in = At(fixed, vary, points[i]);
    values[i] = EvalTerm(term, in.x, in.t, in.a, in.b, in.c, in.n);
    defined[i] = TermDefined;
  }
}

void EvalDerivativeBatch(const TermHandle& term, int order, const TermInputs& fixed,
                         const double* points, std::size_t count, double* values, bool* defined) {
  TermDefined = term != nullptr;
  for (std::size_t i = 0; i < count; ++i) {
    values[i] = EvalDerivative(term, order, points[i], fixed.t, fixed.a, fixed.b, fixed.c, fixed.n);
    defined[i] = TermDefined;
  }
}

}  // namespace kurvio
