#include "windows/limits/SequenceLimit.h"

#include <charconv>
#include <cmath>
#include <string>

#include "term/NumberFormat.h"

namespace kurvio {
namespace {

// The value as the general form with 6 significant digits shows it, read back.
double RoundToSixDigits(double v) {
  const std::string text = FormatGeneral(v, 6, 1, '.');
  double out = v;
  std::from_chars(text.data(), text.data() + text.size(), out);
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

int Berechne_n0(const SequenceTerm& a, double g, double eps) {
  // n is accepted when no term from n to n + 50 fails; so the answer is the
  // index after the last failing term, as soon as 51 good terms follow it.
  int lastBad = 0;
  for (int k = 1; k <= kN0Last + kN0Window - 1; ++k) {
    bool defined = false;
    const double v = a(k, defined);
    if (!defined || !(std::fabs(g - v) < eps)) {
      lastBad = k;
      if (lastBad >= kN0Last) return 0;  // no candidate left
    } else if (k - lastBad >= kN0Window) {
      return lastBad + 1;
    }
  }
  return 0;
}

}  // namespace kurvio
