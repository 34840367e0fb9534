// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/limits/Bisection.h"

#include <cmath>

#include "term/NumberFormat.h"

namespace kurvio {

Halving Halve(Interval interval, const BisectionFunction& f) {
  Halving h;
  h.m = (interval.a + interval.b) / 2;
  h.fa = f(interval.a).y;
  const FunctionValue fm = f(h.m);
  h.fm = fm.y;
  h.fmDefined = fm.defined;
  h.next = interval;
  if (h.fa * h.fm <= 0)
    h.next.b = h.m;
  else
    h.next.a = h.m;
  // A NaN end never compares equal, so it must not count as progress.
  h.progressed = !std::isnan(h.m) && (h.next.a != interval.a || h.next.b != interval.b);
  return h;
}

std::vector<Interval> LadderIntervals(Interval start, int steps, const BisectionFunction& f,
                                      int maxHalvings) {
  std::vector<Interval> ladder{start};
  Interval current = start;
  for (int i = 0; i < steps && i < maxHalvings; ++i) {
    const Halving h = Halve(current, f);
    if (!h.progressed) break;
    current = h.next;
    ladder.push_back(current);
  }
  return ladder;
}

BisectionTable TableRows(Interval start, double eps, const BisectionFunction& f,
                         std::size_t maxRows) {
  BisectionTable table;
  Interval current = start;
  bool lastDefined = false;
  do {
    const Halving h = Halve(current, f);
    table.rows.push_back({current.a, current.b, h.m, h.fa, h.fm});
    lastDefined = h.fmDefined;
    if (!h.progressed) break;
    current = h.next;
  } while (current.b - current.a >= eps && table.rows.size() < maxRows);
  table.solved = lastDefined && std::fabs(table.rows.back().fm) <= 0.1;
  return table;
}

std::string Readout(double v, int decimals, char decimalSeparator) {
  // More digits before the separator than places after it: the exponent form.
  if (std::fabs(v) >= std::pow(10.0, decimals))
    return FormatFixed(v, decimals, decimals, decimalSeparator);
  return FormatFixed(v, 17, decimals, decimalSeparator);
}

std::string ProductReadout(double v, int decimals, char decimalSeparator) {
  const std::string fixed = Readout(v, decimals, decimalSeparator);
  if (v == 0.0 || !std::isfinite(v) || fixed.find_first_of("123456789") != std::string::npos)
    return fixed;
  return FormatGeneral(v, decimals, decimalSeparator);
}

std::string ResultText(Interval interval, double m, const BisectionFunction& f, int decimals,
                       char decimalSeparator) {
  const FunctionValue atM = f(m);
  if (!atM.defined || !(std::fabs(atM.y) < 0.1)) return " Keine Lösung!";
  const double x = (interval.a + interval.b) / 2;
  return "x := (a + b) / 2 = " + Readout(x, decimals, decimalSeparator) +
         "     f(x) = " + Readout(f(x).y, decimals, decimalSeparator);
}

std::string StatusText(Interval interval, double fa, double fm, int decimals,
                       char decimalSeparator) {
  const auto r = [&](double v) { return Readout(v, decimals, decimalSeparator); };
  return "  a = " + r(interval.a) + "  b = " + r(interval.b) +
         "  m = " + r((interval.a + interval.b) / 2) + "  f(a) = " + r(fa) + "  f(m) = " + r(fm) +
         "  f(a)*f(m) = " + ProductReadout(fa * fm, decimals, decimalSeparator);
}

std::vector<std::string> TableCells(const BisectionRow& row, int decimals, char decimalSeparator) {
  std::vector<std::string> cells;
  for (double v : {row.a, row.b, row.m, row.fa, row.fm})
    cells.push_back(Readout(v, decimals, decimalSeparator));
  cells.push_back(ProductReadout(row.fa * row.fm, decimals, decimalSeparator));
  return cells;
}

std::vector<std::string> TableHeaders() {
  return {"          a",  "          b",  "          m",
          "        f(a)", "        f(m)", "      f(a)*f(m)"};
}

int ValidDecimals(int typed) { return typed >= 1 && typed <= 6 ? typed : 4; }

double ErrorBound(int decimals) { return std::pow(10.0, -decimals); }

std::string ErrorBoundText(double eps, char decimalSeparator) {
  // In fixed form with the places it needs: 0,000001 rather than 1 E-6.
  const double places = std::ceil(-std::log10(eps) - 1e-9);
  if (!(eps > 0) || !(places <= 15)) return "= " + FormatGeneral(eps, 15, decimalSeparator);
  return "= " + FormatFixed(eps, 15, static_cast<int>(std::max(places, 0.0)), decimalSeparator);
}

}  // namespace kurvio
