// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/limits/SequenceLimit.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <memory>
#include <string>
#include <vector>


namespace kurvio {
namespace {

// The value rounded to 6 significant digits.
double RoundToSixDigits(double v) {
  if (!std::isfinite(v)) return v;
  char buffer[40];
  const auto written =
      std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::scientific, 5);
  double out = v;
  if (written.ec == std::errc()) std::from_chars(buffer, written.ptr, out);
  return out;
}

}  // namespace

LimitEstimate BerechneGrenzwert(const SequenceTerm& a, double previous) {
  bool allDefined = true;
  const auto term = [&](double n) {
    bool defined = false;
    const double v = a(n, defined);
    allDefined = allDefined && defined;
    return v;
  };
  const double u1 = term(1e6), u2 = term(1e6 + 1), u3 = term(1e7), u4 = term(1e7 + 1);
  LimitEstimate e{previous, false};
  if (std::fabs(u3 - u4) <= std::fabs(u1 - u2)) {
    const double mean = (u3 + u4) / 2;
    // Terms that are undefined far out, or a mean that overflows, tell nothing about a limit.
    if (allDefined && std::isfinite(mean)) {
      e.g = RoundToSixDigits(mean);
      e.found = std::fabs(u1 - u2) < 0.001 && std::fabs(e.g) < 1000;
    }
  }
  if (std::fabs(e.g) < 0.00001) e.g = 0.0;
  return e;
}

namespace {

// n is accepted when no term from n to n + 50 fails; so the answer is the
// index after the last failing term, as soon as 51 good terms follow it. The
// terms come in blocks from `firstBlock` doubling up to `maxBlock` terms.
int SlidingN0(const SequenceBatch& a, double g, double eps, int firstBlock, int maxBlock) {
  constexpr int kLastTerm = kN0Last + kN0Window - 1;
  std::vector<double> n(maxBlock), values(maxBlock);
  const auto defined = std::make_unique<bool[]>(maxBlock);
  int lastBad = 0;
  int block = firstBlock;
  for (int k = 1; k <= kLastTerm;) {
    const int count = std::min(block, kLastTerm - k + 1);
    for (int i = 0; i < count; ++i) n[i] = k + i;
    a(n.data(), count, values.data(), defined.get());
    for (int i = 0; i < count; ++i, ++k) {
      if (!defined[i] || !(std::fabs(g - values[i]) < eps)) {
        lastBad = k;
        if (lastBad >= kN0Last) return 0;  // no candidate left
      } else if (k - lastBad >= kN0Window) {
        return lastBad + 1;
      }
    }
    block = std::min(2 * block, maxBlock);
  }
  return 0;
}

}  // namespace

int Berechne_n0(const SequenceTerm& a, double g, double eps) {
  const SequenceBatch one = [&a](const double* n, std::size_t count, double* values,
                                 bool* defined) {
    for (std::size_t i = 0; i < count; ++i) {
      defined[i] = false;
      values[i] = a(n[i], defined[i]);
    }
  };
  return SlidingN0(one, g, eps, 1, 1);
}

int Berechne_n0(const SequenceBatch& a, double g, double eps) {
  // The first block reaches just past the earliest possible answer.
  return SlidingN0(a, g, eps, 2 * kN0Window, 2048);
}

}  // namespace kurvio
