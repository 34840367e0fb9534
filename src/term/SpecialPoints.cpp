// SPDX-License-Identifier: GPL-3.0-or-later
#include "term/SpecialPoints.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>

#include "term/Derivative.h"

namespace kurvio {
namespace {

constexpr int kOrders = 4;          // f, f', f'' and f''', which cuts the interval first
constexpr int kCells = 4096;        // the first sampling
constexpr int kFineCells = 65536;   // where f''' swings faster than the first can follow
// What is left of a true zero within the rounding of the values around it.
constexpr double kNoise = 1e-9;

struct Node {
  double x = 0;
  double v[kOrders] = {};
  bool d[kOrders] = {};
};

// A zero of f^(k) on the pieces: where its sign changes (crossing, also across
// a single place where f^(k) does not exist, a kink) or where it touches zero.
struct Root {
  double x;
  bool crossing;
  bool rising;  // crossing from minus to plus; touching from above
  double l, r;  // the bracket a crossing shrank to
  // The bisection met a place where f^(k) is not defined: a kink, or the
  // stretch around a pole where the values leave the term's range.
  bool broken = false;
};

class Curve {
 public:
  Curve(const TermHandle& term, const TermInputs& in) : term_(term), in_(in) {}

  double Value(int k, double x, bool& defined) const {
    double v = 0;
    EvalDerivativeBatch(term_, k, in_, &x, 1, &v, &defined);
    defined = defined && std::isfinite(v);
    return v;
  }
  double Value(int k, double x) const {
    bool defined = false;
    const double v = Value(k, x, defined);
    return defined ? v : NAN;
  }
  Node At(double x) const {
    Node n;
    n.x = x;
    for (int k = 0; k < kOrders; ++k) n.v[k] = Value(k, x, n.d[k]);
    return n;
  }
  std::vector<Node> Grid(double from, double to, int cells) const {
    std::vector<Node> nodes(cells + 1);
    std::vector<double> xs(cells + 1), vs(cells + 1);
    const auto defined = std::make_unique<bool[]>(cells + 1);
    for (int i = 0; i <= cells; ++i) xs[i] = nodes[i].x = from + (to - from) * i / cells;
    xs[cells] = nodes[cells].x = to;
    for (int k = 0; k < kOrders; ++k) {
      EvalDerivativeBatch(term_, k, in_, xs.data(), xs.size(), vs.data(), defined.get());
      for (int i = 0; i <= cells; ++i) {
        nodes[i].v[k] = vs[i];
        nodes[i].d[k] = defined[i] && std::isfinite(vs[i]);
      }
    }
    return nodes;
  }

 private:
  const TermHandle& term_;
  TermInputs in_;
};

// -1, +1, 0 for a value within the rounding of its neighbours' size, 2 where undefined.
int SignAt(const std::vector<Node>& nodes, std::size_t i, int k) {
  if (!nodes[i].d[k]) return 2;
  double size = std::fabs(nodes[i].v[k]);
  if (i > 0 && nodes[i - 1].d[k]) size = std::max(size, std::fabs(nodes[i - 1].v[k]));
  if (i + 1 < nodes.size() && nodes[i + 1].d[k])
    size = std::max(size, std::fabs(nodes[i + 1].v[k]));
  if (std::fabs(nodes[i].v[k]) <= kNoise * size) return 0;
  return nodes[i].v[k] > 0 ? 1 : -1;
}

// The sign changes between neighbouring nodes whose sign is clear, a cheap count.
int CountSignChanges(const std::vector<Node>& nodes, int k) {
  int count = 0, previous = 0;
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    const int s = SignAt(nodes, i, k);
    if (s == 2) {
      previous = 0;
    } else if (s != 0) {
      if (previous != 0 && s != previous) ++count;
      previous = s;
    }
  }
  return count;
}

// Whether the sign of f^(k) alternates over two neighbouring cells somewhere:
// it swings faster than the nodes can follow.
bool SwingsFaster(const std::vector<Node>& nodes, int k) {
  for (std::size_t i = 1; i + 1 < nodes.size(); ++i) {
    const int a = SignAt(nodes, i - 1, k), b = SignAt(nodes, i, k), c = SignAt(nodes, i + 1, k);
    if (a != 2 && a != 0 && b == -a && c == a) return true;
  }
  return false;
}

// Shrinks [a, b] around the sign change of f^(k) to neighbouring doubles.
Root Bisect(const Curve& curve, int k, const Node& a, const Node& b) {
  double l = a.x, r = b.x;
  const bool negativeLeft = a.v[k] < 0;
  for (int i = 0; i < 200; ++i) {
    const double m = l + (r - l) / 2;
    if (!(m > l && m < r)) break;
    bool defined = false;
    const double v = curve.Value(k, m, defined);
    if (!defined) return {m, true, negativeLeft, m, m, true};
    if (v == 0) return {m, true, negativeLeft, m, m};
    if ((v < 0) == negativeLeft)
      l = m;
    else
      r = m;
  }
  const double vl = std::fabs(curve.Value(k, l)), vr = std::fabs(curve.Value(k, r));
  return {vr < vl ? r : l, true, negativeLeft, l, r};
}

struct Flat {
  double from, to;
};

// The zeros of f^(k) on the nodes: crossings bisected, runs of values within
// the rounding taken as one zero at their smallest value; for k >= 1 a single
// node where f^(k) does not exist between clear, opposite signs (a kink).
// Runs longer than one cell are stretches where f^(k) vanishes.
std::vector<Root> ZerosOf(const Curve& curve, const std::vector<Node>& nodes, int k,
                          std::vector<Flat>* flats) {
  std::vector<Root> roots;
  int previous = 0;       // the last clear sign, 0 after a break
  std::size_t last = 0;   // its node
  std::ptrdiff_t run = -1;  // first node of a run of zeros
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    const int s = SignAt(nodes, i, k);
    if (s == 2) {
      const bool kink = k >= 1 && nodes[i].d[0] && previous != 0 && last + 1 == i &&
                        i + 1 < nodes.size() && SignAt(nodes, i + 1, k) == -previous;
      if (kink) roots.push_back({nodes[i].x, true, previous < 0, nodes[i].x, nodes[i].x, true});
      previous = 0;
      run = -1;
      continue;
    }
    if (s == 0) {
      if (run < 0) run = static_cast<std::ptrdiff_t>(i);
      continue;
    }
    if (run >= 0) {
      if (i - run > 2) {
        if (flats) flats->push_back({nodes[run].x, nodes[i - 1].x});
      } else {
        std::size_t best = run;
        for (std::size_t j = run; j < i; ++j)
          if (std::fabs(nodes[j].v[k]) < std::fabs(nodes[best].v[k])) best = j;
        const bool crossing = previous != 0 && previous != s;
        roots.push_back({nodes[best].x, crossing, crossing ? s > 0 : s > 0, nodes[best].x,
                         nodes[best].x});
      }
      run = -1;
    } else if (previous != 0 && previous != s && last + 1 == i) {
      roots.push_back(Bisect(curve, k, nodes[i - 1], nodes[i]));
    }
    previous = s;
    last = i;
  }
  if (run >= 0 && nodes.size() - run > 2) {
    if (flats) flats->push_back({nodes[run].x, nodes.back().x});
  } else if (run >= 0) {
    const Node& end = nodes[nodes.size() - 1];
    roots.push_back({end.x, false, previous > 0, end.x, end.x});
  }
  return roots;
}

// The nodes with the places added, each evaluated.
std::vector<Node> WithPlaces(const Curve& curve, std::vector<Node> nodes,
                             const std::vector<Root>& roots) {
  for (const Root& r : roots)
    if (r.x > nodes.front().x && r.x < nodes.back().x) nodes.push_back(curve.At(r.x));
  std::sort(nodes.begin(), nodes.end(), [](const Node& a, const Node& b) { return a.x < b.x; });
  nodes.erase(std::unique(nodes.begin(), nodes.end(),
                          [](const Node& a, const Node& b) { return a.x == b.x; }),
              nodes.end());
  return nodes;
}

class Search {
 public:
  Search(const TermHandle& term, const TermInputs& in, double from, double to)
      : term_(term), in_(in), curve_(term, in), from_(from), to_(to) {}

  CurveFeatures Run();

 private:
  // Whether f^(k) is continuous across the bracket [l, r]: its values at the
  // ends differ by no more than rounding compared with `size`.
  bool ContinuousAt(int k, double l, double r, double size) const {
    bool dl = false, dr = false;
    const double vl = curve_.Value(k, l, dl), vr = curve_.Value(k, r, dr);
    return dl && dr && std::fabs(vl - vr) <= 1e-6 * std::max({size, std::fabs(vl), 1e-300});
  }
  // Whether f jumps at a root of f': across its bracket, or for a root without
  // one (f' exactly 0 there) a millionth to either side, where a continuous f
  // differs only by the cube of that step. A side outside the domain tells nothing.
  bool JumpsAt(const Root& r, double size) const {
    if (r.l != r.r) return !ContinuousAt(0, r.l, r.r, size);
    const double h = 1e-6 * std::max(1.0, std::fabs(r.x));
    bool dl = false, dr = false;
    curve_.Value(0, r.x - h, dl);
    curve_.Value(0, r.x + h, dr);
    return dl && dr && !ContinuousAt(0, r.x - h, r.x + h, size);
  }
  bool Huge(double v) const { return !std::isfinite(v) || std::fabs(v) > poleBound_; }
  // The size of f^(k) around x among the nodes.
  double SizeNear(const std::vector<Node>& nodes, int k, double x) const;
  void AddBreak(BreakKind kind, double x) { features_.breaks.push_back({kind, x}); }
  void FindUndefined(const std::vector<Node>& nodes);
  void FindVanishingDenominators(const std::vector<Node>& nodes);
  double DomainEdge(double defined, double undefined) const;
  bool GrowsAt(double x) const;
  double CentreOfUndefined(int k, double x, double& width) const;
  bool Mend(Root& r, int k);
  void Classify(const std::vector<Node>& nodes, std::vector<Root> roots[3]);
  void Stretches(const std::vector<Node>& nodes);
  std::vector<double> Cuts(std::initializer_list<PointKind> kinds) const;

  const TermHandle& term_;
  TermInputs in_;
  Curve curve_;
  double from_, to_;
  double poleBound_ = HUGE_VAL;
  CurveFeatures features_;
  std::vector<Flat> flats_[3];
};

double Search::SizeNear(const std::vector<Node>& nodes, int k, double x) const {
  const auto it = std::lower_bound(nodes.begin(), nodes.end(), x,
                                   [](const Node& n, double v) { return n.x < v; });
  const std::size_t i = static_cast<std::size_t>(it - nodes.begin());
  double size = 0;
  for (std::size_t j = i > 2 ? i - 2 : 0; j < std::min(nodes.size(), i + 2); ++j)
    if (nodes[j].d[k]) size = std::max(size, std::fabs(nodes[j].v[k]));
  return size;
}

// The last place where f is defined between a place where it is and one where it is not.
double Search::DomainEdge(double defined, double undefined) const {
  for (int i = 0; i < 200; ++i) {
    const double m = defined + (undefined - defined) / 2;
    if (m == defined || m == undefined) break;
    if (std::isnan(curve_.Value(0, m)))
      undefined = m;
    else
      defined = m;
  }
  return defined;
}

// The middle of the stretch around x where f^(k) is not defined, and its width:
// where a pole lies, whose values leave the term's range alike on both sides of
// it, or a kink, where the derivative is missing within the rounding of it.
double Search::CentreOfUndefined(int k, double x, double& width) const {
  const auto definedAt = [&](double v) { return !std::isnan(curve_.Value(k, v)); };
  width = HUGE_VAL;
  double edges[2];
  for (int side = 0; side < 2; ++side) {
    const double direction = side == 0 ? -1.0 : 1.0;
    double step = std::max(std::fabs(x), 1.0) * 1e-15, out = x;
    for (int i = 0; i < 200 && !definedAt(out); ++i, step *= 2) out = x + direction * step;
    if (!definedAt(out)) return x;
    double in = x;  // undefined
    for (int i = 0; i < 200; ++i) {
      const double m = in + (out - in) / 2;
      if (m == in || m == out) break;
      (definedAt(m) ? out : in) = m;
    }
    edges[side] = out;
  }
  width = edges[1] - edges[0];
  return edges[0] + width / 2;
}

// Whether |f| grows without bound towards x from either side.
bool Search::GrowsAt(double x) const {
  const double w = to_ - from_;
  for (double side : {-1.0, 1.0}) {
    const double near = std::fabs(curve_.Value(0, x + side * 1e-6 * w));
    const double far = std::fabs(curve_.Value(0, x + side * 1e-3 * w));
    if (near > 10 * far) return true;
  }
  return false;
}

void Search::FindUndefined(const std::vector<Node>& nodes) {
  const double w = to_ - from_;
  std::size_t i = 0;
  while (i < nodes.size()) {
    if (nodes[i].d[0]) {
      ++i;
      continue;
    }
    std::size_t j = i;
    while (j + 1 < nodes.size() && !nodes[j + 1].d[0]) ++j;
    const double lo = i > 0 ? DomainEdge(nodes[i - 1].x, nodes[i].x) : from_;
    const double hi = j + 1 < nodes.size() ? DomainEdge(nodes[j + 1].x, nodes[j].x) : to_;
    // f reaching 0 where its domain ends (sqrt(4-x^2) at 2) has a zero there.
    for (std::size_t e : {i, j}) {
      const bool left = e == i;
      if (left ? i == 0 : j + 1 == nodes.size()) continue;
      const Node& inside = nodes[left ? i - 1 : j + 1];
      const double edge = left ? lo : hi;
      const double v = curve_.Value(0, edge);
      if (std::fabs(v) <= 1e-6 * std::fabs(inside.v[0]) && !(i == j && hi - lo < 1e-6 * w))
        features_.points.push_back({PointKind::Zero, edge, 0.0});
    }
    if (i == j && i > 0 && j + 1 < nodes.size() && hi - lo < 1e-6 * w) {
      AddBreak(GrowsAt(nodes[i].x) ? BreakKind::Pole : BreakKind::Gap, nodes[i].x);
    } else {
      // An end at a round number (ln x: the last defined place is just above 0)
      // is that number, open where f is defined there.
      Stretch s{Trend::Constant, i > 0 ? lo : from_, j + 1 < nodes.size() ? hi : to_, i > 0,
                j + 1 < nodes.size()};
      for (auto [end, open] : {std::pair{&s.from, &s.fromOpen}, std::pair{&s.to, &s.toOpen}}) {
        if (!*open) continue;
        const double round = std::round(*end * 1e8) / 1e8;
        if (std::fabs(round - *end) > 1e-12 * std::max(1.0, std::fabs(*end))) continue;
        *end = round;
        *open = !std::isnan(curve_.Value(0, round));
      }
      features_.undefined.push_back(s);
    }
    i = j + 1;
  }
}

// A bisection that met an undefined place: a pole or gap of f there, a kink
// (f^(k) missing at that one place only, which is then a crossing like any
// other), or f^(k) out of range on the stretch around a pole of f, which the
// search finds on its own.
bool Search::Mend(Root& r, int k) {
  if (!r.broken) return true;
  double width = 0;
  const double x = CentreOfUndefined(k, r.x, width);
  bool defined = false;
  const double y = curve_.Value(0, x, defined);
  if (!defined || Huge(y)) {
    AddBreak(GrowsAt(x) || Huge(y) ? BreakKind::Pole : BreakKind::Gap, x);
    return false;
  }
  // A kink: f^(k) is missing on no more than the rounding around one place.
  if (k == 0 || width > 1e-6 * (to_ - from_)) return false;
  r.x = r.l = r.r = x;
  return true;
}

// Where a denominator (or cos u of tan u, sin u of cot u) vanishes, f has a
// pole or a gap, also where no sample lies on it: sin(x)/x has one at 0 on
// [-7; 6] too. Each sign change of such a part is bisected to its zero.
void Search::FindVanishingDenominators(const std::vector<Node>& nodes) {
  constexpr std::size_t kMaxPlaces = 4 * kMaxPointsOfAKind;
  const std::size_t n = nodes.size();
  std::vector<double> xs(n), vs(n);
  const auto defined = std::make_unique<bool[]>(n);
  for (std::size_t i = 0; i < n; ++i) xs[i] = nodes[i].x;
  const auto inUndefined = [&](double x) {
    for (const Stretch& s : features_.undefined)
      if (s.from <= x && x <= s.to) return true;
    return false;
  };
  std::size_t found = 0;
  for (const TermDerivatives::Rough& part : DerivativesOf(term_.get()).rough) {
    if (!part.pole) continue;
    EvalTermBatch(part.argument, BatchInput::X, in_, xs.data(), n, vs.data(), defined.get());
    const auto valueAt = [&](double x) {
      double v = 0;
      bool d = false;
      EvalTermBatch(part.argument, BatchInput::X, in_, &x, 1, &v, &d);
      return d ? v : NAN;
    };
    for (std::size_t i = 0; i < n && found < kMaxPlaces; ++i) {
      double place = NAN;
      if (defined[i] && vs[i] == 0) {
        place = xs[i];
      } else if (i + 1 < n && defined[i] && defined[i + 1] && vs[i + 1] != 0 &&
                 (vs[i] < 0) != (vs[i + 1] < 0)) {
        double l = xs[i], r = xs[i + 1];
        const bool negativeLeft = vs[i] < 0;
        // Enough halvings to reach a zero at 0 itself, among the smallest doubles.
        for (int step = 0; step < 1100; ++step) {
          const double m = l + (r - l) / 2;
          if (!(m > l && m < r)) break;
          const double v = valueAt(m);
          if (std::isnan(v) || v == 0) {
            l = r = m;
            break;
          }
          ((v < 0) == negativeLeft ? l : r) = m;
        }
        place = std::fabs(valueAt(l)) <= std::fabs(valueAt(r)) ? l : r;
      }
      if (std::isnan(place) || inUndefined(place)) continue;
      AddBreak(GrowsAt(place) ? BreakKind::Pole : BreakKind::Gap, place);
      ++found;
    }
  }
}

void Search::Classify(const std::vector<Node>& nodes, std::vector<Root> roots[3]) {
  std::vector<SpecialPoint>& points = features_.points;
  for (int k = 0; k < 3; ++k)
    std::erase_if(roots[k], [&](Root& r) { return !Mend(r, k); });
  // Zeros of f: crossings where f is continuous, touching zeros; crossings to
  // huge values are poles, other jumps are no zeros.
  for (const Root& r : roots[0]) {
    if (r.crossing && r.l != r.r) {
      const double vl = curve_.Value(0, r.l), vr = curve_.Value(0, r.r);
      if (Huge(vl) || Huge(vr)) {
        AddBreak(BreakKind::Pole, r.x);
        continue;
      }
      if (!ContinuousAt(0, r.l, r.r, SizeNear(nodes, 0, r.x))) continue;
    }
    points.push_back({PointKind::Zero, r.x, 0.0});
  }
  // Extrema: f' changes sign where f is continuous.
  for (const Root& r : roots[1]) {
    if (!r.crossing) continue;
    bool defined = false;
    const double y = curve_.Value(0, r.x, defined);
    if (!defined || Huge(y) || JumpsAt(r, SizeNear(nodes, 0, r.x))) {
      if (!defined || Huge(y)) AddBreak(BreakKind::Pole, r.x);
      continue;
    }
    points.push_back({r.rising ? PointKind::Low : PointKind::High, r.x, y});
  }
  // Inflection points: f'' changes sign where f and f' are continuous; a saddle where f' is 0.
  for (const Root& r : roots[2]) {
    if (!r.crossing) continue;
    bool defined = false, slopeDefined = false;
    const double y = curve_.Value(0, r.x, defined);
    const double m = curve_.Value(1, r.x, slopeDefined);
    if (!defined || Huge(y) || !slopeDefined) continue;
    if (r.l != r.r && (!ContinuousAt(0, r.l, r.r, SizeNear(nodes, 0, r.x)) ||
                       !ContinuousAt(1, r.l, r.r, SizeNear(nodes, 1, r.x))))
      continue;
    const bool flat = std::fabs(m) <= kNoise * std::max(SizeNear(nodes, 1, r.x), 1e-300) || m == 0;
    points.push_back({flat ? PointKind::Saddle : PointKind::Inflection, r.x, y});
  }
  // The ends of the interval are where the curve is known up to: points at
  // the edge, never extrema, however high or low they lie.
  for (const Node* end : {&nodes.front(), &nodes.back()})
    if (end->d[0]) points.push_back({PointKind::Edge, end->x, end->v[0]});
  // A zero that touches the axis at an extremum is found twice over (f within
  // rounding of 0 at the extremum, and f's own touching): keep one.
  for (const SpecialPoint& p : std::vector<SpecialPoint>(points)) {
    if (p.kind != PointKind::High && p.kind != PointKind::Low) continue;
    if (std::fabs(p.y) > kNoise * std::max(SizeNear(nodes, 0, p.x), 1e-300)) continue;
    const double near = 1e-7 * (to_ - from_);
    std::erase_if(points, [&](const SpecialPoint& q) {
      return q.kind == PointKind::Zero && std::fabs(q.x - p.x) <= near;
    });
    points.push_back({PointKind::Zero, p.x, 0.0});
  }
  // Zeros, extrema, inflection points, then the edges.
  const auto group = [](PointKind k) {
    const int order = DerivativeOrderOf(k);
    return order < 0 ? 3 : order;
  };
  std::sort(points.begin(), points.end(), [&](const SpecialPoint& a, const SpecialPoint& b) {
    return group(a.kind) != group(b.kind) ? group(a.kind) < group(b.kind) : a.x < b.x;
  });
  const double close = 1e-6 * (to_ - from_);
  points.erase(std::unique(points.begin(), points.end(),
                           [&](const SpecialPoint& a, const SpecialPoint& b) {
                             return a.kind == b.kind && b.x - a.x <= close;
                           }),
               points.end());
  std::sort(features_.breaks.begin(), features_.breaks.end(),
            [](const DomainBreak& a, const DomainBreak& b) { return a.x < b.x; });
  features_.breaks.erase(
      std::unique(features_.breaks.begin(), features_.breaks.end(),
                  [&](const DomainBreak& a, const DomainBreak& b) { return b.x - a.x <= close; }),
      features_.breaks.end());
  // Nothing lies where f is not defined: the top of sin(x)/x at its gap is no high point.
  std::erase_if(points, [&](const SpecialPoint& p) {
    return std::any_of(features_.breaks.begin(), features_.breaks.end(),
                       [&](const DomainBreak& b) { return std::fabs(b.x - p.x) <= close; });
  });
}

// The places that cut the interval into the stretches of one trend: the given
// points, the poles and gaps, and the ends of the undefined stretches.
std::vector<double> Search::Cuts(std::initializer_list<PointKind> kinds) const {
  std::vector<double> cuts{from_, to_};
  for (const SpecialPoint& p : features_.points)
    if (std::find(kinds.begin(), kinds.end(), p.kind) != kinds.end()) cuts.push_back(p.x);
  for (const DomainBreak& b : features_.breaks) cuts.push_back(b.x);
  for (const Stretch& s : features_.undefined) {
    cuts.push_back(s.from);
    cuts.push_back(s.to);
  }
  std::sort(cuts.begin(), cuts.end());
  cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());
  return cuts;
}

void Search::Stretches(const std::vector<Node>& nodes) {
  const auto openAt = [&](double x) {
    for (const DomainBreak& b : features_.breaks)
      if (b.x == x) return true;
    return std::isnan(curve_.Value(0, x));
  };
  const auto fill = [&](std::initializer_list<PointKind> kinds, int k, Trend up, Trend down,
                        Trend none, std::vector<Stretch>& out) {
    const std::vector<double> cuts = Cuts(kinds);
    for (std::size_t c = 0; c + 1 < cuts.size(); ++c) {
      const double a = cuts[c], b = cuts[c + 1];
      int plus = 0, minus = 0;
      for (std::size_t i = 0; i < nodes.size(); ++i) {
        if (nodes[i].x <= a || nodes[i].x >= b) continue;
        const int s = SignAt(nodes, i, k);
        plus += s == 1;
        minus += s == -1;
      }
      if (plus == 0 && minus == 0) {
        // A piece narrower than a cell: its middle decides; none where f is not defined.
        const double v = curve_.Value(k, a + (b - a) / 2);
        if (std::isnan(v)) continue;
        plus = v > 0;
        minus = v < 0;
      }
      const Trend trend = plus > minus ? up : minus > plus ? down : none;
      out.push_back({trend, a, b, openAt(a), openAt(b)});
    }
  };
  fill({PointKind::High, PointKind::Low}, 1, Trend::Rising, Trend::Falling, Trend::Constant,
       features_.monotony);
  fill({PointKind::Inflection, PointKind::Saddle}, 2, Trend::LeftCurved, Trend::RightCurved,
       Trend::Straight, features_.curvature);
}

CurveFeatures Search::Run() {
  features_.from = from_;
  features_.to = to_;
  std::vector<Node> nodes = curve_.Grid(from_, to_, kCells);
  if (SwingsFaster(nodes, 3) || SwingsFaster(nodes, 2)) nodes = curve_.Grid(from_, to_, kFineCells);

  static const char* const kTooMany[3] = {"mehr als 50 Nullstellen – Intervall verkleinern",
                                          "mehr als 50 Extrempunkte – Intervall verkleinern",
                                          "mehr als 50 Wendepunkte – Intervall verkleinern"};
  for (int k = 0; k < 3; ++k)
    if (CountSignChanges(nodes, k) > kMaxPointsOfAKind) {
      features_.limit = kTooMany[k];
      return features_;
    }
  if (SwingsFaster(nodes, 3))
    features_.limit = "die Kurve schwankt zu schnell – Intervall verkleinern";

  std::vector<double> sizes;
  for (const Node& n : nodes)
    if (n.d[0]) sizes.push_back(std::fabs(n.v[0]));
  if (sizes.empty()) {
    features_.undefined.push_back({Trend::Constant, from_, to_, false, false});
    return features_;
  }
  std::nth_element(sizes.begin(), sizes.begin() + sizes.size() / 2, sizes.end());
  poleBound_ = 1e9 * std::max(1.0, sizes[sizes.size() / 2]);

  FindUndefined(nodes);
  FindVanishingDenominators(nodes);
  // f''' cuts the interval for f'', the zeros of f'' for f', those of f' for f.
  std::vector<Root> roots[kOrders];
  roots[3] = ZerosOf(curve_, nodes, 3, nullptr);
  for (int k = 2; k >= 0; --k) {
    nodes = WithPlaces(curve_, std::move(nodes), roots[k + 1]);
    roots[k] = ZerosOf(curve_, nodes, k, &flats_[k]);
    if (roots[k].size() > static_cast<std::size_t>(4 * kMaxPointsOfAKind)) {
      features_.limit = kTooMany[k];
      return features_;
    }
  }
  if (!flats_[0].empty()) {
    features_.limit = "f(x) = 0 auf einer Strecke – unendlich viele Nullstellen";
    features_.zeroStretch = true;
  }
  Classify(nodes, roots);
  Stretches(nodes);
  return features_;
}

}  // namespace

TermHandle TermInX(const TermNode* root) {
  if (!root) return nullptr;
  auto copy = std::make_unique<TermNode>();
  copy->kind = root->kind == kParamT ? static_cast<std::uint8_t>(kVarX) : root->kind;
  copy->value = root->value;
  copy->left = TermInX(root->left.get());
  copy->right = TermInX(root->right.get());
  return copy;
}

int DerivativeOrderOf(PointKind kind) {
  switch (kind) {
    case PointKind::Zero: return 0;
    case PointKind::High:
    case PointKind::Low: return 1;
    case PointKind::Inflection:
    case PointKind::Saddle: return 2;
    case PointKind::Edge: return -1;
  }
  return -1;
}

CurveFeatures FindCurveFeatures(const TermHandle& term, const TermInputs& fixed, double from,
                                double to) {
  if (!term || !std::isfinite(to - from) || !(from < to))
    return CurveFeatures{from, to, {}, {}, {}, {}, {}, {}};
  return Search(term, fixed, from, to).Run();
}

}  // namespace kurvio
