// SPDX-License-Identifier: GPL-3.0-or-later
#include "term/Derivative.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "term/Symbolic.h"
#include "term/TermBatch.h"
#include "term/TermProgram.h"

namespace kurvio {
namespace {

// The nodes the algebra may make for one term's derivatives.
constexpr std::size_t kNodeBudget = 200000;
// Derivatives shown as text up to this size in the pupil's form; larger ones
// as they are simplified; beyond the second limit not at all.
constexpr std::size_t kPupilFormSize = 300;
constexpr std::size_t kTextSize = 2000;
// The largest derivative tree evaluated.
constexpr std::size_t kTreeSize = 20000;

// Whether every number of a (small) expression can be written down.
bool Writable(const sym::Ex& e) {
  if (e->kind == sym::Kind::Num) return std::isfinite(e->num.value);
  return std::all_of(e->ops.begin(), e->ops.end(), Writable);
}

std::string TextOf(const sym::Ex& e) {
  if (sym::UnfoldedSize(e, kTextSize) > kTextSize || !Writable(e)) return {};
  if (sym::UnfoldedSize(e, kPupilFormSize) <= kPupilFormSize) return sym::ToText(sym::PupilForm(e));
  return sym::ToText(e);
}

TermHandle Clone(const TermNode* node) {
  if (!node) return nullptr;
  auto copy = std::make_unique<TermNode>();
  copy->kind = node->kind;
  copy->value = node->value;
  copy->left = Clone(node->left.get());
  copy->right = Clone(node->right.get());
  return copy;
}

std::unique_ptr<detail::Program> ProgramOf(const TermNode* root) {
  auto p = std::make_unique<detail::Program>();
  detail::BuildProgram(*p, root);
  return p;
}

// 0*f + derivative: undefined where f is. Nothing folds the product away, as
// f reads x; its value is +-0, so the sum is the derivative to the bit (but
// for the sign of a zero, which the evaluation drops).
TermHandle Guarded(const TermNode* root, const TermNode* derivative) {
  auto zero = std::make_unique<TermNode>();
  zero->kind = kNumber;
  auto product = std::make_unique<TermNode>();
  product->kind = kMul;
  product->left = std::move(zero);
  product->right = Clone(root);
  auto sum = std::make_unique<TermNode>();
  sum->kind = kAdd;
  sum->left = std::move(product);
  sum->right = Clone(derivative);
  return sum;
}

// The tree of the derivative as simplified, or of its pupil's form where that
// is much smaller: a quotient over one denominator, (x+1)(x-1)/(x^2+4) with
// f'' = (120x^2-160)/(x^2+4)^3 in 15 nodes instead of 83.
TermHandle SmallerTree(const sym::Ex& e) {
  TermHandle tree = sym::ToTree(e);
  if (sym::UnfoldedSize(e, kPupilFormSize) > kPupilFormSize) return tree;
  TermHandle pupils = sym::ToTree(sym::PupilForm(e));
  return 4 * sym::TreeSize(pupils.get()) <= 3 * sym::TreeSize(tree.get()) ? std::move(pupils)
                                                                          : std::move(tree);
}

// The parts of the tree that vanish at a pole: denominators, cos u for tan u,
// sin u for cot u, u for coth u.
void CollectPoles(const TermNode* node, std::vector<TermHandle>& out) {
  if (!node) return;
  const TermNode* u = node->left.get();
  if (node->kind == kDiv && DependsOn(node->right.get(), kVarX))
    out.push_back(Clone(node->right.get()));
  if ((node->kind == kTan || node->kind == kCot) && DependsOn(u, kVarX)) {
    auto f = std::make_unique<TermNode>();
    f->kind = node->kind == kTan ? kCos : kSin;
    f->left = Clone(u);
    out.push_back(std::move(f));
  }
  if (node->kind == kCoth && DependsOn(u, kVarX)) out.push_back(Clone(u));
  CollectPoles(node->left.get(), out);
  CollectPoles(node->right.get(), out);
}

void Build(const TermNode* root, TermDerivatives& d) {
  for (const RoughNode& r : RoughNodes(root, kVarX)) {
    TermHandle argument = Clone(r.argument);
    std::unique_ptr<detail::Program> program = ProgramOf(argument.get());
    const bool isX = argument->kind == kVarX;
    d.rough.push_back({std::move(argument), r.kind, std::move(program), isX});
  }
  std::vector<TermHandle> poles;
  CollectPoles(root, poles);
  for (TermHandle& p : poles) {
    std::unique_ptr<detail::Program> program = ProgramOf(p.get());
    const bool isX = p->kind == kVarX;
    d.rough.push_back({std::move(p), RoughKind::Zero, std::move(program), isX, true});
  }
  try {
    const sym::Budget budget(kNodeBudget);
    sym::Ex e = sym::FromTree(root);
    for (int k = 1; k <= 3 && e; ++k) {
      e = sym::Derive(e);
      if (e && sym::UnfoldedSize(e, kTreeSize) > kTreeSize) d.largeFrom = k;
      if (!e || d.largeFrom == k) break;
      d.trees[k] = SmallerTree(e);
      d.guarded[k] = Guarded(root, d.trees[k].get());
      d.programs[k] = ProgramOf(d.guarded[k].get());
      if (k <= 2) d.texts[k] = TextOf(e);
    }
  } catch (const sym::TooLarge&) {
    // The derivatives made so far stand; the higher ones are not given.
    for (int k = 1; k <= 3; ++k)
      if (!d.trees[k]) {
        d.largeFrom = k;
        break;
      }
  }
}

// A side's limit of a derivative at a rough place, from its values at
// distances falling tenfold: a geometric tail (as that of h^p) is summed up.
struct Limit {
  bool exists = false;
  double value = 0.0;
  double error = 0.0;
};

struct Inputs {
  double t, a, b, c, n;
};

double Noise(double v) { return 1e-10 * (1.0 + std::fabs(v)); }

Limit LimitAt(const TermHandle& tree, double x, double side, const Inputs& in) {
  constexpr int kSteps = 4;
  const double scale = std::max(1.0, std::fabs(x));
  double g[kSteps];
  double h = 1e-4 * scale;
  for (int i = 0; i < kSteps; ++i, h *= 0.1) {
    const TermValue v = Evaluate(tree, x + side * h, in.t, in.a, in.b, in.c, in.n);
    if (!v.defined) return {};
    g[i] = v.value;
  }
  const double d1 = g[0] - g[1], d2 = g[1] - g[2], d3 = g[2] - g[3];
  const double noise = Noise(g[3]);
  if (std::fabs(d3) <= noise) return {true, g[3], std::fabs(d3) + noise};
  if (d2 == 0.0) return {};
  const double q = d3 / d2;
  // Falling steadily: the rest of the way is the tail of a geometric series.
  if (!(q > 0.0 && q < 0.9) || std::fabs(d2) > std::fabs(d1) * 1.01) return {};
  const double tail = d3 * q / (1.0 - q);
  return {true, g[3] - tail, 0.25 * std::fabs(tail) + 0.01 * std::fabs(d3) + noise};
}

// Whether x lies at (or within the rounding of) a place where the term may
// fail to be smooth.
// A denominator's value (just evaluated) no pole can hide behind.
bool FarFromPole(TermValue v) { return v.defined && !(std::fabs(v.value) <= 1e-6); }

bool AtRoughPlace(const TermDerivatives& d, double x, const Inputs& in) {
  const double delta = 1e-9 * std::max(1.0, std::fabs(x));
  for (const TermDerivatives::Rough& r : d.rough) {
    if (r.isX) {
      if (StraddlesRoughPlace(r.kind, x - delta, x, x + delta)) return true;
      continue;
    }
    const detail::Program& p = *r.program;
    const auto value = [&](double at) {
      return detail::EvaluateWithProgram(p, at, in.t, in.a, in.b, in.c, in.n);
    };
    if (r.pole && FarFromPole(value(x))) continue;
    const TermValue below = value(x - delta), at = value(x), above = value(x + delta);
    if (!below.defined || !at.defined || !above.defined) return true;
    if (StraddlesRoughPlace(r.kind, below.value, at.value, above.value)) return true;
  }
  return false;
}

constexpr TermValue kUndefined{0.0, false};

// The derivative of `order` at a rough place (or where a derivative's tree is
// undefined although the term is defined): the term continuous there, and
// each order's one-sided limits equal.
TermValue AtRoughPoint(const TermHandle& term, const TermDerivatives& d, int order, double x,
                       double fx, const Inputs& in) {
  const Limit left = LimitAt(term, x, -1.0, in), right = LimitAt(term, x, 1.0, in);
  if (!left.exists || !right.exists) return kUndefined;
  if (std::fabs(left.value - fx) > left.error + Noise(fx) ||
      std::fabs(right.value - fx) > right.error + Noise(fx))
    return kUndefined;
  double value = 0.0;
  for (int k = 1; k <= order; ++k) {
    const TermHandle& tree = d.trees[k];
    if (!tree) return kUndefined;
    const Limit l = LimitAt(tree, x, -1.0, in), r = LimitAt(tree, x, 1.0, in);
    if (!l.exists || !r.exists) return kUndefined;
    const double mean = 0.5 * (l.value + r.value);
    if (std::fabs(l.value - r.value) > l.error + r.error + Noise(mean)) return kUndefined;
    const TermValue direct = Evaluate(tree, x, in.t, in.a, in.b, in.c, in.n);
    if (direct.defined && std::fabs(direct.value - l.value) <= l.error + Noise(direct.value) &&
        std::fabs(direct.value - r.value) <= r.error + Noise(direct.value))
      value = direct.value;
    else
      value = std::fabs(mean) <= std::max(l.error, r.error) ? 0.0 : mean;
  }
  return {value + 0.0, true};
}

int OrderOf(int order) { return order == 1 || order == 2 ? order : 3; }

}  // namespace

TermDerivatives::TermDerivatives() = default;
TermDerivatives::~TermDerivatives() = default;

const TermDerivatives& DerivativesOf(const TermNode* root) {
  if (!root->derivatives) {
    auto d = std::make_shared<TermDerivatives>();
    Build(root, *d);
    root->derivatives = std::move(d);
  }
  return *root->derivatives;
}

const std::string& DerivativeText(const TermHandle& term, int order) {
  static const std::string kNone;
  if (!term || order < 1 || order > 2) return kNone;
  return DerivativesOf(term.get()).texts[order];
}

TermValue EvaluateDerivative(const TermHandle& term, int order, double x, double t, double a,
                             double b, double c, double n) {
  if (order == 0) return Evaluate(term, x, t, a, b, c, n);
  if (!term) return kUndefined;
  order = OrderOf(order);
  const TermDerivatives& d = DerivativesOf(term.get());
  if (!d.programs[order]) return kUndefined;
  const TermValue value = detail::EvaluateWithProgram(*d.programs[order], x, t, a, b, c, n);
  const Inputs in{t, a, b, c, n};
  if (value.defined && (d.rough.empty() || !AtRoughPlace(d, x, in)))
    return {value.value + 0.0, true};  // no -0
  // f undefined, its derivative's term undefined, or a rough place: a closer look.
  const TermValue fx = Evaluate(term, x, t, a, b, c, n);
  if (!fx.defined) return kUndefined;
  return AtRoughPoint(term, d, order, x, fx.value, in);
}

void EvalDerivativeBatch(const TermHandle& term, int order, const TermInputs& fixed,
                         const double* points, std::size_t count, double* values, bool* defined) {
  if (order == 0) return EvalTermBatch(term, BatchInput::X, fixed, points, count, values, defined);
  const auto pointByPoint = [&] {
    for (std::size_t i = 0; i < count; ++i) {
      const TermValue v =
          EvaluateDerivative(term, order, points[i], fixed.t, fixed.a, fixed.b, fixed.c, fixed.n);
      values[i] = v.value;
      defined[i] = v.defined;
    }
  };
  if (TermBatchPointByPoint || !term) return pointByPoint();
  order = OrderOf(order);
  const TermDerivatives& d = DerivativesOf(term.get());
  if (!d.guarded[order]) {
    std::fill(values, values + count, 0.0);
    std::fill(defined, defined + count, false);
    return;
  }
  // The derivative (guarded by the term) and the rough places each as one
  // batch; a point that needs a closer look gets the single evaluation,
  // which decides the same way from the same bits.
  constexpr std::size_t kBlock = 512;
  double below[kBlock], at[kBlock], above[kBlock], shifted[kBlock];
  bool belowOk[kBlock], atOk[kBlock], aboveOk[kBlock], look[kBlock];
  for (std::size_t start = 0; start < count; start += kBlock) {
    const std::size_t m = std::min(kBlock, count - start);
    const double* x = points + start;
    double* v = values + start;
    bool* ok = defined + start;
    EvalTermBatch(d.guarded[order], BatchInput::X, fixed, x, m, v, ok);
    for (std::size_t i = 0; i < m; ++i) look[i] = !ok[i];
    for (const TermDerivatives::Rough& r : d.rough) {
      if (r.isX) {
        for (std::size_t i = 0; i < m; ++i) {
          const double delta = 1e-9 * std::max(1.0, std::fabs(x[i]));
          look[i] = look[i] || StraddlesRoughPlace(r.kind, x[i] - delta, x[i], x[i] + delta);
        }
        continue;
      }
      if (r.pole) {
        // Near a pole's zero the single evaluation looks closer.
        EvalTermBatch(r.argument, BatchInput::X, fixed, x, m, at, atOk);
        for (std::size_t i = 0; i < m; ++i) look[i] = look[i] || !FarFromPole({at[i], atOk[i]});
        continue;
      }
      for (std::size_t i = 0; i < m; ++i) shifted[i] = x[i] - 1e-9 * std::max(1.0, std::fabs(x[i]));
      EvalTermBatch(r.argument, BatchInput::X, fixed, shifted, m, below, belowOk);
      EvalTermBatch(r.argument, BatchInput::X, fixed, x, m, at, atOk);
      for (std::size_t i = 0; i < m; ++i) shifted[i] = x[i] + 1e-9 * std::max(1.0, std::fabs(x[i]));
      EvalTermBatch(r.argument, BatchInput::X, fixed, shifted, m, above, aboveOk);
      for (std::size_t i = 0; i < m; ++i)
        look[i] = look[i] || !belowOk[i] || !atOk[i] || !aboveOk[i] ||
                  StraddlesRoughPlace(r.kind, below[i], at[i], above[i]);
    }
    for (std::size_t i = 0; i < m; ++i) {
      if (look[i]) {
        const TermValue closer =
            EvaluateDerivative(term, order, x[i], fixed.t, fixed.a, fixed.b, fixed.c, fixed.n);
        v[i] = closer.value;
        ok[i] = closer.defined;
      } else {
        v[i] += 0.0;
      }
    }
  }
}

}  // namespace kurvio
