// SPDX-License-Identifier: GPL-3.0-or-later
#include "term/Quadrature.h"

#include <gsl/gsl_errno.h>
#include <gsl/gsl_integration.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

#include "term/Smoothness.h"
#include "term/TermCache.h"

namespace kurvio {
namespace {

constexpr int kGridSteps = 256;
constexpr double kEpsAbs = 1e-13;
constexpr double kEpsRel = 1e-10;
constexpr std::size_t kFirstLimit = 100;   // subintervals of the first try
constexpr std::size_t kCheckLimit = 1000;  // and of the check when it does not converge
constexpr std::size_t kStepLimit = 50;
// An error above this part of max(1, |value|) cannot be told from divergence.
constexpr double kExistence = 0.05;
// Undefined values this close to an end (relative to the piece) are the range
// limit of the evaluator at a singularity there, not a gap in the domain.
constexpr double kEndZone = 1e-9;
constexpr double kNoSide = std::numeric_limits<double>::quiet_NaN();

// Which side of its rough place an argument value lies on (or on it); NaN where undefined.
double Side(RoughKind kind, double v) {
  switch (kind) {
    case RoughKind::Zero:
      return v < 0 ? -1.0 : v > 0 ? 1.0 : 0.0;
    case RoughKind::Integer:
      return std::floor(v);
    case RoughKind::Unit:
      return v < -1 ? -2.0 : v == -1 ? -1.0 : v < 1 ? 0.0 : v == 1 ? 1.0 : 2.0;
  }
  return 0.0;
}

bool SameSide(double p, double q) { return p == q || (std::isnan(p) && std::isnan(q)); }

// How far an argument value lies from its rough place; infinite where undefined.
double Distance(RoughKind kind, double v, bool defined) {
  if (!defined) return HUGE_VAL;
  switch (kind) {
    case RoughKind::Zero:
      return std::fabs(v);
    case RoughKind::Integer:
      return std::fabs(v - std::round(v));
    case RoughKind::Unit:
      return std::min(std::fabs(v - 1), std::fabs(v + 1));
  }
  return HUGE_VAL;
}

// GSL reports through return codes only: its default handler would abort the program.
void QuietGsl() {
  static const bool done = [] {
    gsl_set_error_handler_off();
    return true;
  }();
  (void)done;
}

struct WorkspaceFree {
  void operator()(gsl_integration_workspace* w) const { gsl_integration_workspace_free(w); }
};

gsl_integration_workspace* Workspace() {
  thread_local const std::unique_ptr<gsl_integration_workspace, WorkspaceFree> w(
      gsl_integration_workspace_alloc(kCheckLimit));
  return w.get();
}

// f for GSL: an undefined or infinite value sets the flag and gives 0 from then on,
// so no NaN ever reaches the rule.
struct Call {
  const PartialFunction* f;
  bool undefined = false;
  double at = 0;  // where it first was
};

double Evaluate(double t, void* data) {
  auto& call = *static_cast<Call*>(data);
  if (call.undefined) return 0.0;
  bool defined = true;
  const double v = (*call.f)(t, defined);
  if (defined && std::isfinite(v)) return v;
  call.undefined = true;
  call.at = t;
  return 0.0;
}

bool Finite(double r, double e) { return std::isfinite(r) && std::isfinite(e); }

// A piece a < b, smooth inside, by QAGS; `undefinedAt` is where f was found
// undefined (NaN where it never was).
Quadrature Converge(const PartialFunction& f, double a, double b, double& undefinedAt) {
  undefinedAt = kNoSide;
  Call call{&f};
  const gsl_function g{Evaluate, &call};
  double first = 0, firstError = 0;
  const int status = gsl_integration_qags(&g, a, b, kEpsAbs, kEpsRel, kFirstLimit, Workspace(),
                                          &first, &firstError);
  if (call.undefined) undefinedAt = call.at;
  if (call.undefined || !Finite(first, firstError) || status == GSL_EDIVERGE) return {};
  if (status == GSL_SUCCESS || status == GSL_EROUND) return {first, firstError, true};
  // Not converged: a slow improper integral or a divergent one. With ten times the
  // subintervals the rule reaches far closer to the singularity; a divergent
  // integral grows by as much again.
  double value = 0, error = 0;
  gsl_integration_qags(&g, a, b, kEpsAbs, kEpsRel, kCheckLimit, Workspace(), &value, &error);
  if (call.undefined) undefinedAt = call.at;
  if (call.undefined || !Finite(value, error)) return {};
  error = std::max(error, std::fabs(value - first));
  return {value, error, error <= kExistence * std::max(1.0, std::fabs(value))};
}

// Where f, undefined at `undefined` and defined at `defined`, becomes defined.
double DefinedFrom(const PartialFunction& f, double undefined, double defined) {
  for (int i = 0; i < 1100; ++i) {
    const double mid = undefined + (defined - undefined) / 2;
    if (mid == undefined || mid == defined) break;
    bool ok = true;
    const double v = f(mid, ok);
    (ok && std::isfinite(v) ? defined : undefined) = mid;
  }
  return defined;
}

// A piece a < b. Right next to a singular end the evaluator's range limit
// (nothing of 1e50 and more, no quotient beyond 1e15) leaves f undefined, as
// for 1/sqrt t below 1e-30: the piece is integrated up to where f is defined
// again, and the rest, a tail of width ε, is bounded from f(ε) and f(2ε) as a
// power ε^-p would be, four times over (a logarithm in f falls below its power
// law). A tail with p ≥ 1 does not converge.
Quadrature Piece(const PartialFunction& f, double a, double b, int cuts = 2) {
  double undefinedAt = 0;
  const Quadrature whole = Converge(f, a, b, undefinedAt);
  if (std::isnan(undefinedAt) || cuts == 0) return whole;
  const double zone = kEndZone * (b - a);
  const bool atA = undefinedAt - a <= zone, atB = b - undefinedAt <= zone;
  if (!atA && !atB) {
    // A single point where f is undefined between defined values (the hole of
    // sin(t)/t at 0, on which a node of the rule can fall) changes no integral:
    // the two sides are integrated apart, neither evaluated at the hole.
    bool left = true, right = true;
    const double l = f(std::nextafter(undefinedAt, a), left);
    const double r = f(std::nextafter(undefinedAt, b), right);
    if (!left || !right || !std::isfinite(l) || !std::isfinite(r)) return {};
    const Quadrature below = Piece(f, a, undefinedAt, cuts - 1);
    const Quadrature above = Piece(f, undefinedAt, b, cuts - 1);
    if (!below.exists || !above.exists) return {};
    return {below.value + above.value, below.error + above.error, true};
  }
  const double inner = atA ? a + zone : b - zone;
  bool defined = true;
  if (const double v = f(inner, defined); !defined || !std::isfinite(v)) return {};
  const double cut = DefinedFrom(f, undefinedAt, inner);
  const double end = atA ? a : b;
  const double width = std::fabs(cut - end);
  bool near = true, far = true;
  const double fNear = std::fabs(f(cut, near));
  const double fFar = std::fabs(f(atA ? a + 2 * width : b - 2 * width, far));
  if (!near || !far || !std::isfinite(fNear) || !std::isfinite(fFar) || !(width > 0)) return {};
  const double p = fFar > 0 ? std::max(0.0, std::log2(fNear / fFar)) : 0.0;
  if (!(p < 1.0)) return {};
  Quadrature rest = atA ? Piece(f, cut, b, cuts - 1) : Piece(f, a, cut, cuts - 1);
  if (!rest.exists) return {};
  rest.error += 4 * width * fNear / (1 - p);
  rest.exists =
      std::isfinite(rest.error) && rest.error <= kExistence * std::max(1.0, std::fabs(rest.value));
  return rest;
}

// The breaks strictly between lo and hi.
std::pair<std::vector<double>::const_iterator, std::vector<double>::const_iterator> Inside(
    const std::vector<double>& breaks, double lo, double hi) {
  return {std::upper_bound(breaks.begin(), breaks.end(), lo),
          std::lower_bound(breaks.begin(), breaks.end(), hi)};
}

// Sums the pieces of [lo, hi] between the breaks, each by `rule`.
template <typename Rule>
Quadrature Pieces(double a, double b, const std::vector<double>& breaks, Rule rule) {
  if (!std::isfinite(a) || !std::isfinite(b)) return {};
  if (a == b) return {0.0, 0.0, true};
  const double lo = std::min(a, b), hi = std::max(a, b);
  Quadrature sum{0.0, 0.0, true};
  double from = lo;
  const auto [first, last] = Inside(breaks, lo, hi);
  for (auto it = first;; ++it) {
    const double to = it == last ? hi : *it;
    if (to > from) {
      const Quadrature piece = rule(from, to);
      if (!piece.exists) return {};
      sum.value += piece.value;
      sum.error += piece.error;
      from = to;
    }
    if (it == last) break;
  }
  // The rounding of the sum itself.
  sum.error += 4 * std::numeric_limits<double>::epsilon() * std::fabs(sum.value);
  if (b < a) sum.value = -sum.value;
  return sum;
}

}  // namespace

std::vector<double> RoughBreaks(const TermNode* root, double from, double to, double a, double b,
                                double c) {
  std::vector<double> breaks;
  if (!root || !std::isfinite(from) || !std::isfinite(to) || from == to) return breaks;
  if (from > to) std::swap(from, to);
  for (const RoughNode& node : RoughNodes(root, kVarX, /*alsoT=*/true)) {
    const auto side = [&](double t) {
      const TermValue v = EvaluateByTree(node.argument, t, t, a, b, c, 0);
      return v.defined ? Side(node.kind, v.value) : kNoSide;
    };
    // Of two neighbouring doubles, the one at (or nearer) the rough place: a
    // place on a bound is no break.
    const auto nearer = [&](double lo, double hi) {
      const TermValue vlo = EvaluateByTree(node.argument, lo, lo, a, b, c, 0);
      const TermValue vhi = EvaluateByTree(node.argument, hi, hi, a, b, c, 0);
      return Distance(node.kind, vlo.value, vlo.defined) <
                     Distance(node.kind, vhi.value, vhi.defined)
                 ? lo
                 : hi;
    };
    struct Span {
      double lo, loSide, hi, hiSide;
    };
    std::vector<Span> spans;
    double prev = from, prevSide = side(from);
    for (int i = 1; i <= kGridSteps; ++i) {
      const double t = i == kGridSteps ? to : from + (to - from) * i / kGridSteps;
      const double s = side(t);
      if (!SameSide(s, prevSide)) spans.push_back({prev, prevSide, t, s});
      prev = t;
      prevSide = s;
    }
    // Bisect every change of side down to neighbouring doubles; a span may hide several.
    while (!spans.empty() && breaks.size() < kMaxBreaks) {
      const Span span = spans.back();
      spans.pop_back();
      const double mid = span.lo + (span.hi - span.lo) / 2;
      if (!(mid > span.lo && mid < span.hi)) {
        breaks.push_back(nearer(span.lo, span.hi));
        continue;
      }
      const double s = side(mid);
      if (!SameSide(s, span.hiSide)) spans.push_back({mid, s, span.hi, span.hiSide});
      if (!SameSide(s, span.loSide)) spans.push_back({span.lo, span.loSide, mid, s});
    }
  }
  std::sort(breaks.begin(), breaks.end());
  // Neighbouring doubles from both sides of one place are one break.
  std::vector<double> kept;
  for (double p : breaks) {
    if (!(p > from && p < to)) continue;
    if (!kept.empty() && std::nextafter(kept.back(), to) >= p) continue;
    kept.push_back(p);
  }
  return kept;
}

Quadrature Integrate(const PartialFunction& f, double a, double b,
                     const std::vector<double>& breaks) {
  QuietGsl();
  return Pieces(a, b, breaks, [&](double from, double to) { return Piece(f, from, to); });
}

Quadrature IntegrateStep(const PartialFunction& f, double a, double b, double tolerance,
                         const std::vector<double>& breaks) {
  QuietGsl();
  if (!(tolerance > 0)) tolerance = kEpsAbs;
  return Pieces(a, b, breaks, [&](double from, double to) -> Quadrature {
    Call call{&f};
    const gsl_function g{Evaluate, &call};
    double value = 0, error = 0;
    const int status = gsl_integration_qag(&g, from, to, tolerance, kEpsRel, kStepLimit,
                                           GSL_INTEG_GAUSS15, Workspace(), &value, &error);
    if (call.undefined) return {};
    if (status == GSL_SUCCESS && Finite(value, error)) return {value, error, true};
    return Piece(f, from, to);
  });
}

}  // namespace kurvio
