// SPDX-License-Identifier: GPL-3.0-or-later
// The grid of a scroll bar that sets a value between two bounds: position n
// of S stands for p1 + (p2 - p1)·n / S.
#pragma once

namespace kurvio {

// p1 + (p2 - p1)·n / S; p1 when S is not positive.
double ValueFromPosition(int n, double p1, double p2, int S);
// round((p - p1)·S / (p2 - p1)), ties to even; bounds that coincide give
// position 1, and positions far outside the bar stay within ±1e9.
int PositionFromValue(double p, double p1, double p2, int S);

}  // namespace kurvio
