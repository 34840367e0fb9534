// SPDX-License-Identifier: GPL-3.0-or-later
// Compiles arbitrary bytes in every mode, with and without variables, and
// evaluates what compiles at a few points and derivative orders. The
// derivatives' programs must agree with their tree walks as the term's does,
// and the texts of f' and f'' must compile back to what they show.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "term/Derivative.h"
#include "term/Term.h"
#include "term/TermCache.h"

namespace {

// The evaluation program of `root` against the tree walk, to the bit.
void CheckProgram(const kurvio::TermNode* root, const kurvio::TermHandle& handle, double x) {
  using namespace kurvio;
  const double fast = EvalTerm(handle, x, 0.5, 1.0, -2.0, 3.0, 7.0);
  const bool fastDefined = TermDefined;
  const double slow = EvalTermByTree(root, x, 0.5, 1.0, -2.0, 3.0, 7.0);
  if (fastDefined != TermDefined || std::memcmp(&fast, &slow, sizeof fast) != 0) __builtin_trap();
}

}  // namespace

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
    const TermDerivatives& d = DerivativesOf(term.get());
    for (double x : points) {
      CheckProgram(term.get(), term, x);
      for (int order = 1; order <= 3; ++order) {
        EvalDerivative(term, order, x, 0.5, 1, -2, 3, 7);
        if (d.trees[order]) CheckProgram(d.trees[order].get(), d.trees[order], x);
      }
    }
    // The texts are the term fields' syntax: they compile, quietly (unless longer than any term).
    const bool integral = TermIntegralMode, sequence = TermSequenceMode;
    TermIntegralMode = TermSequenceMode = false;
    for (int order = 1; order <= 2; ++order) {
      const std::string& shown = DerivativeText(term, order);
      if (shown.empty() || shown.size() > kMaxTermLength) continue;
      TermHandle typed;
      CompileTermQuietly(typed, shown, true);
      if (!typed) __builtin_trap();
    }
    TermIntegralMode = integral;
    TermSequenceMode = sequence;
  } else if (term) {
    __builtin_trap();  // a failed compilation must leave the handle empty
  }
  TermIntegralMode = false;
  TermSequenceMode = false;
  return 0;
}
