// SPDX-License-Identifier: GPL-3.0-or-later
// The arithmetic of the sequences window: the estimate of a sequence's limit
// from far-out terms, and the index n0 from which on the terms stay within ε
// of it (pure C++).
#pragma once

#include <cstddef>
#include <functional>

namespace kurvio {

// a(n); `defined` tells whether the term is defined there.
using SequenceTerm = std::function<double(double n, bool& defined)>;
// a(n[i]) into values[i] and defined[i] for i < count.
using SequenceBatch =
    std::function<void(const double* n, std::size_t count, double* values, bool* defined)>;

struct LimitEstimate {
  double g = 0.0;
  bool found = false;
};

// From u1 = a(10^6), u2 = a(10^6 + 1), u3 = a(10^7), u4 = a(10^7 + 1): when |u3 - u4| <= |u1 - u2|
// the limit is (u3 + u4) / 2 rounded to 6 significant digits, found when also |u1 - u2| < 0.001 and
// |g| < 1000; otherwise (and when a term is undefined or the mean is not a finite number) g keeps
// `previous`. |g| < 0.00001 is 0.
LimitEstimate BerechneGrenzwert(const SequenceTerm& a, double previous);

// The terms a window of this many in a row must keep within ε, and the last
// index tried as n0.
inline constexpr int kN0Window = 51;
inline constexpr int kN0Last = 10001;

// The first n <= 10001 for which a(n) .. a(n + 50) are all defined and within
// ε of g (|g - a(k)| < eps), or 0 when there is none. Each a(k) is evaluated
// at most once.
int Berechne_n0(const SequenceTerm& a, double g, double eps);
// The same n0 with the terms evaluated a block at a time; a block may run a
// little past the term that decides.
int Berechne_n0(const SequenceBatch& a, double g, double eps);

}  // namespace kurvio
