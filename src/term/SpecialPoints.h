// SPDX-License-Identifier: GPL-3.0-or-later
// The special points of a curve discussion over an interval: zeros, high and
// low points, inflection and saddle points, poles and gaps of the domain, and
// the stretches where f rises, falls and curves left or right.
//
// Every point is found by a sign change (or a touching zero) of f, f' or f''
// from the term's own derivatives. The interval is first cut where f''' changes
// sign, so that f'' is monotone on every piece and has at most one zero there;
// those zeros cut it again for f', and those for f. So two extrema closer than
// the sampling step are not missed, and a term that oscillates faster than the
// sampling can resolve is reported as a limit rather than as a silent gap.
#pragma once

#include <string>
#include <vector>

#include "term/TermBatch.h"

namespace kurvio {

// Edge: an end of the interval, where f is defined (no extremum: the curve is
// only known up to there).
enum class PointKind { Zero, High, Low, Inflection, Saddle, Edge };

// The derivative whose zero the point is: 0 a zero, 1 an extremum, 2 an
// inflection or saddle point; -1 for a point at the edge.
int DerivativeOrderOf(PointKind kind);

struct SpecialPoint {
  PointKind kind;
  double x, y;
};

enum class BreakKind { Pole, Gap };

// A point where f is not defined: a pole or a single missing point.
struct DomainBreak {
  BreakKind kind;
  double x;
};

enum class Trend { Rising, Falling, Constant, LeftCurved, RightCurved, Straight };

// A stretch of the interval; an end is open where f is not defined at it.
struct Stretch {
  Trend trend;
  double from, to;
  bool fromOpen = false, toOpen = false;
};

// At most this many points of one kind are reported.
inline constexpr int kMaxPointsOfAKind = 50;

struct CurveFeatures {
  double from = 0, to = 0;            // the interval searched
  std::vector<SpecialPoint> points;   // sorted by x within each kind
  std::vector<DomainBreak> breaks;    // sorted by x
  std::vector<Stretch> undefined;     // stretches where f is not defined
  std::vector<Stretch> monotony;      // Rising, Falling, Constant
  std::vector<Stretch> curvature;     // LeftCurved, RightCurved, Straight
  // Empty when the search is complete; otherwise what stopped it
  // ("mehr als 50 Nullstellen – Intervall verkleinern").
  std::string limit;
  // f = 0 on a stretch: the limit says so, yet every other point is found.
  bool zeroStretch = false;
};

// The term with its t read as x, so that the integral window's f(t) is searched
// like an f(x) (that window reads x and t alike).
TermHandle TermInX(const TermNode* root);

// The features of the term (x varying, the other inputs fixed) on [from, to].
CurveFeatures FindCurveFeatures(const TermHandle& term, const TermInputs& fixed, double from,
                                double to);

}  // namespace kurvio
