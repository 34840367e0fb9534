// SPDX-License-Identifier: GPL-3.0-or-later
// Exact forms of special points: where the places and values of zeros,
// extrema and inflection points of a term can be proven exact (rationals,
// square roots of rationals, powers of e, rational multiples of pi, ln of a
// rational), their closed form and the way a pupil writes it. Everything else
// stays with the numeric search, whose decimals a caller shows with "≈".
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "term/Term.h"

namespace kurvio {

// A number proven exact: its value and how a pupil writes it.
struct ExactNumber {
  double value = 0;
  std::string text;  // UTF-8: "-√3", "(1+√5)/2", "1/e", "2/e²", "π/2", "0,5", "2/3"
  std::shared_ptr<const void> form;  // the exact expression, opaque to callers
};

// A number a caller already knows as a decimal (an interval's end, a parameter)
// taken as exactly that decimal, in the same writing; nullopt for a value that is
// not finite or whose writing gets too long (0.3333333333333333).
std::optional<ExactNumber> ExactDecimal(double shown);

// f (a compiled term with the parameters a, b and c taken as the decimals they
// are shown with, 0.5 as 1/2 and 1.3 as 13/10; t = n = 0) as exact algebra.
class ExactFunction {
 public:
  // nullptr where the term holds what exact algebra cannot take (abs, sgn, int
  // and maxint of a varying argument, fak of one, normal, phi, w) or is too
  // large to be worth it (a degree beyond what factoring does in a few ms).
  static std::unique_ptr<ExactFunction> Of(const TermNode* root, double a, double b, double c);
  ~ExactFunction();
  ExactFunction(const ExactFunction&) = delete;
  ExactFunction& operator=(const ExactFunction&) = delete;

  // The places in [from, to] where f^(order) (order 0, 1 or 2) is exactly zero
  // and that can be proven from the factors of degree <= 2 over Q of its
  // numerator (roots under powers and logarithms included), sorted. Zeros of
  // other factors (sin(x), an irreducible cubic) are not among them.
  std::vector<ExactNumber> Zeros(int order, double from, double to) const;
  // A place near the numeric x where f^(order) is proven exactly zero: a
  // rational with a small denominator, a rational multiple of pi, e to a small
  // rational power or ln of a small rational, tried by exact substitution.
  std::optional<ExactNumber> Recognise(int order, double x) const;
  // f at an exact place as a closed form (1/e, 2/e², -√3); nullopt where f is
  // undefined there or the value is no closed form of the writings above.
  std::optional<ExactNumber> ValueAt(const ExactNumber& x) const;

 private:
  struct Impl;
  explicit ExactFunction(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

}  // namespace kurvio
