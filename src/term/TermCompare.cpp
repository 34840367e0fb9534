// SPDX-License-Identifier: GPL-3.0-or-later
#include "term/TermCompare.h"

#include <cmath>
#include <memory>
#include <vector>

namespace kurvio {

bool SameFunction(const TermHandle& guess, const TermHandle& hidden, const TermInputs& fixed,
                  double from, double to, int samples) {
  if (!guess || !hidden || samples < 2) return false;
  const std::size_t count = static_cast<std::size_t>(samples);
  std::vector<double> x(count), g(count), h(count);
  const auto gDefined = std::make_unique<bool[]>(count);
  const auto hDefined = std::make_unique<bool[]>(count);
  for (std::size_t i = 0; i < count; ++i)
    x[i] = from + (to - from) * static_cast<double>(i) / static_cast<double>(count - 1);
  EvalTermBatch(guess, BatchInput::X, fixed, x.data(), count, g.data(), gDefined.get());
  EvalTermBatch(hidden, BatchInput::X, fixed, x.data(), count, h.data(), hDefined.get());
  bool anyDefined = false;
  for (std::size_t i = 0; i < count; ++i) {
    if (gDefined[i] != hDefined[i]) return false;
    if (!hDefined[i]) continue;
    anyDefined = true;
    if (!(std::abs(g[i] - h[i]) <= 1e-6 * (1 + std::abs(h[i])))) return false;
  }
  return anyDefined;
}

}  // namespace kurvio
