// SPDX-License-Identifier: GPL-3.0-or-later
// Bisection: the halving of an interval that keeps a sign change of f, the
// intervals of the ladder, the rows of the table, the final test and the texts
// the bisection window shows. No Qt.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace kurvio {

// f at x, and whether f is defined there.
struct FunctionValue {
  double y = 0;
  bool defined = true;
};
using BisectionFunction = std::function<FunctionValue(double x)>;

struct Interval {
  double a = 0, b = 0;
};

// One halving: m := (a + b) / 2; if f(a) * f(m) <= 0 then b := m else a := m,
// so a product of exactly 0 moves b.
struct Halving {
  Interval next;
  double m = 0, fa = 0, fm = 0;
  bool fmDefined = true;
  // False when the interval came out unchanged: its ends are neighbouring
  // doubles (or too far out to be split finer than their spacing), and halving
  // again would repeat forever.
  bool progressed = false;
};
Halving Halve(Interval interval, const BisectionFunction& f);

// The ladder below the plot shows the start interval and at most this many halvings.
inline constexpr int kLadderHalvings = 12;
// The start interval and the intervals after each of the first `steps`
// halvings (at most `maxHalvings`); ends early when a halving makes no progress.
std::vector<Interval> LadderIntervals(Interval start, int steps, const BisectionFunction& f,
                                      int maxHalvings = kLadderHalvings);

// One row of the table: the interval before its halving, m, f(a) and f(m).
struct BisectionRow {
  double a = 0, b = 0, m = 0, fa = 0, fm = 0;
};
struct BisectionTable {
  std::vector<BisectionRow> rows;
  // |f(m)| <= 0.1 for the last m, and f is defined there; otherwise the table
  // ends with the row "Keine Lösung!".
  bool solved = false;
};
// A table longer than this is cut off; the halvings stop earlier anyway once
// the interval cannot shrink any more.
inline constexpr std::size_t kMaxTableRows = 2000;
// Halves from the start interval, at least once, while b - a >= eps.
BisectionTable TableRows(Interval start, double eps, const BisectionFunction& f,
                         std::size_t maxRows = kMaxTableRows);

// The final test after the last step, at the last midpoint m: "x := (a + b) / 2 = "
// with (a + b) / 2, then "     f(x) = " with f((a + b) / 2), when |f(m)| < 0.1 and f
// is defined at m; otherwise " Keine Lösung!".
std::string ResultText(Interval interval, double m, const BisectionFunction& f, int decimals,
                       char decimalSeparator);

// The readouts' number form: `decimals` correctly rounded places; a number with more digits
// than that before the separator in the exponent form.
std::string Readout(double v, int decimals, char decimalSeparator);
// The same for f(a)*f(m), whose sign is the point: a nonzero value that would read as all
// zeros is written in the exponent form.
std::string ProductReadout(double v, int decimals, char decimalSeparator);
// The status line for the interval: a, b, m = (a + b) / 2, f(a), f(m) and f(a)*f(m).
std::string StatusText(Interval interval, double fa, double fm, int decimals,
                       char decimalSeparator);
// The six cells of a table row.
std::vector<std::string> TableCells(const BisectionRow& row, int decimals, char decimalSeparator);
// The header row of the table and the text of the row that ends an unsolved table.
std::vector<std::string> TableHeaders();
inline constexpr const char* kNoSolutionCell = "Keine Lösung!";

// The decimals typed by the user: 1..6 stay, anything else becomes 4.
int ValidDecimals(int typed);
// 0.1 to the power `decimals`.
double ErrorBound(int decimals);
// "= " and the error bound in the general form ("= 0,00001", "= 1E-6").
std::string ErrorBoundText(double eps, char decimalSeparator);

}  // namespace kurvio
