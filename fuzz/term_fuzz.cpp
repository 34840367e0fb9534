// Compiles arbitrary bytes in every mode, with and without variables, and
// evaluates what compiles at a few points and derivative orders.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "term/Term.h"
#include "term/TermCache.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kurvio;
  if (size == 0) return 0;
  // The first byte picks the mode; the rest is the term.
  const std::uint8_t selector = data[0];
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  TermIntegralMode = selector & 1;
  TermSequenceMode = selector & 2;
  const bool variables = selector & 4;

  TermHandle term;
  CompileTerm(term, text, variables);
  if (TermDefined) {
    const double points[] = {0.0, -1.5, 2.0, 1e-300, -1e30, 4e24, -9.9e49, 1e308};
    for (double x : points) {
      // The evaluation program must agree with the tree walk to the bit.
      const double fast = EvalTerm(term, x, 0.5, 1.0, -2.0, 3.0, 7.0);
      const bool fastDefined = TermDefined;
      const double slow = EvalTermByTree(term.get(), x, 0.5, 1.0, -2.0, 3.0, 7.0);
      if (fastDefined != TermDefined || std::memcmp(&fast, &slow, sizeof fast) != 0)
        __builtin_trap();
      for (int order = 1; order <= 3; ++order) EvalDerivative(term, order, x, 0.5, 1, -2, 3, 7);
    }
  } else if (term) {
    __builtin_trap();  // a failed compilation must leave the handle empty
  }
  TermIntegralMode = false;
  TermSequenceMode = false;
  return 0;
}
