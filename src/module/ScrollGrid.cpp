// SPDX-License-Identifier: GPL-3.0-or-later
#include "module/ScrollGrid.h"

#include <cmath>

namespace kurvio {

double ValueFromPosition(int n, double p1, double p2, int S) {
  if (S <= 0) return p1;
  return p1 + (p2 - p1) * n / S;
}

int PositionFromValue(double p, double p1, double p2, int S) {
  const double n = std::nearbyint((p - p1) * S / (p2 - p1));
  // Coinciding bounds or values far outside them must not overflow the conversion.
  if (!std::isfinite(n)) return 1;
  if (n > 1e9) return 1000000000;
  if (n < -1e9) return -1000000000;
  return static_cast<int>(n);
}

}  // namespace kurvio
