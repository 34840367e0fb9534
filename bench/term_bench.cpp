// SPDX-License-Identifier: GPL-3.0-or-later
// Evaluation speed of the term engine beside muparser on the same
// expressions, written in each parser's own syntax: one point per call, and
// a column of points per call (the term batch against muparser's bulk mode).
// The column benchmarks report their time per point in the per_point counter.
#include <benchmark/benchmark.h>
#include <muParser.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "term/Derivative.h"
#include "term/Term.h"
#include "term/TermBatch.h"

namespace {

struct Expression {
  const char* name;
  const char* kurvio;
  const char* muparser;
};

// The phi and factorial of the term language, given to muparser as its own functions.
double PhiFn(double v) {
  const double z = std::fabs(v);
  double p = 1.0;
  if (z < 10.0) {
    double poly =
        ((((((0.000005383 * z + 0.0000488906) * z + 0.0000380036) * z + 0.0032776263) * z +
           0.0211410061) *
              z +
          0.049867347) *
             z +
         1.0);
    for (int i = 0; i < 4; ++i) poly *= poly;
    p = 1.0 - 0.5 / poly;
  }
  return v > 0.0 ? p : 1.0 - p;
}
double FakFn(double v) {
  double r = 1.0;
  for (int i = 2; i <= static_cast<int>(v); ++i) r *= i;
  return r;
}

const Expression kExpressions[] = {
    {"poly_sin", "3x^2-2sin(ax)", "3*x^2-2*sin(a*x)"},
    {"gauss", "e^-x^2", "_e^(-(x^2))"},
    {"cubic", "x^3-3x", "x^3-3*x"},
    {"sqrt_ln", "sqrt(abs(x))*ln(x^2+1)", "sqrt(abs(x))*ln(x^2+1)"},
    {"rational", "(x+1)(x-1)/(x^2+4)", "(x+1)*(x-1)/(x^2+4)"},
    {"family", "a*sin(b*x+c)+t", "a*sin(b*x+c)+t"},
    {"phi", "phi(x)", "phi(x)"},
    {"fak", "fak(5)+x", "fak(5)+x"},
};

constexpr double kA = 1.5, kB = 2.0, kC = 0.25, kT = 0.5;

// A curve's worth of points, as the curve tracer asks for them.
constexpr int kColumn = 1600;

std::vector<double> ColumnPoints() {
  std::vector<double> x(kColumn);
  for (int i = 0; i < kColumn; ++i) x[static_cast<std::size_t>(i)] = -5.0 + 10.0 * i / kColumn;
  return x;
}

// The single evaluations take the points of a sweep over [-5, 5) in turn,
// the i-th pass the point SweepPoint(i). Each x is read from the sweep rather
// than worked out from the x before: that would chain every pass of the loop
// to the one before, and the loop would time its own chain (a call that only
// adds took as long as muparser's evaluation of fak(5)+x) instead of the
// evaluation.
constexpr std::size_t kSweep = 1024;  // a power of two: the index wraps with one AND

const std::vector<double> sweepPoints = [] {
  std::vector<double> x(kSweep);
  for (std::size_t i = 0; i < kSweep; ++i) x[i] = -5.0 + 10.0 * static_cast<double>(i) / kSweep;
  return x;
}();

inline double SweepPoint(std::size_t i) { return sweepPoints[i % kSweep]; }

void KurvioEval(benchmark::State& state, const Expression* e) {
  kurvio::TermHandle term;
  kurvio::CompileTerm(term, e->kurvio, true);
  std::size_t i = 0;
  for (auto _ : state)
    benchmark::DoNotOptimize(kurvio::EvalTerm(term, SweepPoint(i++), kT, kA, kB, kC, 0));
}

void PerPoint(benchmark::State& state) {
  state.counters["per_point"] = benchmark::Counter(
      kColumn, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// A column of values per pass, by `column` (the term, the points, the values, the flags).
template <class Column>
void ColumnBenchmark(benchmark::State& state, const Expression* e, Column column) {
  kurvio::TermHandle term;
  kurvio::CompileTerm(term, e->kurvio, true);
  const std::vector<double> x = ColumnPoints();
  std::vector<double> values(kColumn);
  std::unique_ptr<bool[]> defined(new bool[kColumn]);
  for (auto _ : state) {
    column(term, x.data(), values.data(), defined.get());
    benchmark::DoNotOptimize(values.data());
    benchmark::ClobberMemory();
  }
  PerPoint(state);
}

const kurvio::TermInputs kFixed{0, kT, kA, kB, kC, 0};

void KurvioBatch(benchmark::State& state, const Expression* e) {
  ColumnBenchmark(state, e,
                  [](const kurvio::TermHandle& term, const double* x, double* v, bool* d) {
                    kurvio::EvalTermBatch(term, kurvio::BatchInput::X, kFixed, x, kColumn, v, d);
                  });
}

std::size_t Nodes(const kurvio::TermNode* node) {
  return node ? 1 + Nodes(node->left.get()) + Nodes(node->right.get()) : 0;
}

// The size of the derivative's tree (its program runs one instruction a node
// at most) beside the term's, in the counters "nodes" and "term_nodes".
template <int kOrder>
void KurvioDerivative(benchmark::State& state, const Expression* e) {
  kurvio::TermHandle term;
  kurvio::CompileTerm(term, e->kurvio, true);
  std::size_t i = 0;
  for (auto _ : state)
    benchmark::DoNotOptimize(
        kurvio::EvalDerivative(term, kOrder, SweepPoint(i++), kT, kA, kB, kC, 0));
  state.counters["nodes"] =
      static_cast<double>(Nodes(kurvio::DerivativesOf(term.get()).trees[kOrder].get()));
  state.counters["term_nodes"] = static_cast<double>(Nodes(term.get()));
}

// The fixed-step differences the derivatives were once taken by (steps 0.001,
// 0.005 and 0.01), over the same evaluator: the reference for the exact ones.
template <int kOrder>
void KurvioStencil(benchmark::State& state, const Expression* e) {
  kurvio::TermHandle term;
  kurvio::CompileTerm(term, e->kurvio, true);
  const auto f = [&](double x) { return kurvio::EvalTerm(term, x, kT, kA, kB, kC, 0); };
  std::size_t i = 0;
  for (auto _ : state) {
    const double x = SweepPoint(i++);
    double d;
    if (kOrder == 1)
      d = (f(x - 0.002) - 8 * f(x - 0.001) + 8 * f(x + 0.001) - f(x + 0.002)) / 0.012;
    else if (kOrder == 2)
      d = (f(x + 0.005) - 2 * f(x) + f(x - 0.005)) / 0.000025;
    else
      d = (f(x + 0.02) - 2 * f(x + 0.01) + 2 * f(x - 0.01) - f(x - 0.02)) / 0.000002;
    benchmark::DoNotOptimize(d);
  }
}

// f'' over a column, as the curve-discussion window draws it.
void KurvioDerivativeBatch(benchmark::State& state, const Expression* e) {
  ColumnBenchmark(state, e,
                  [](const kurvio::TermHandle& term, const double* x, double* v, bool* d) {
                    kurvio::EvalDerivativeBatch(term, 2, kFixed, x, kColumn, v, d);
                  });
}

struct MuParser {
  mu::Parser parser;
  double x = 0, a = kA, b = kB, c = kC, t = kT;
  explicit MuParser(const char* text) {
    parser.DefineVar("x", &x);
    parser.DefineVar("a", &a);
    parser.DefineVar("b", &b);
    parser.DefineVar("c", &c);
    parser.DefineVar("t", &t);
    parser.DefineFun("phi", PhiFn);
    parser.DefineFun("fak", FakFn);
    parser.SetExpr(text);
    parser.Eval();
  }
};

void MuparserEval(benchmark::State& state, const Expression* e) {
  MuParser p(e->muparser);
  std::size_t i = 0;
  for (auto _ : state) {
    p.x = SweepPoint(i++);
    benchmark::DoNotOptimize(p.parser.Eval());
  }
}

// Bulk mode reads every variable as an array indexed by the point, so the
// fixed parameters are columns of one value.
struct MuParserBulk {
  mu::Parser parser;
  std::vector<double> x = ColumnPoints(), a = std::vector<double>(kColumn, kA),
                      b = std::vector<double>(kColumn, kB), c = std::vector<double>(kColumn, kC),
                      t = std::vector<double>(kColumn, kT), results = std::vector<double>(kColumn);
  explicit MuParserBulk(const char* text) {
    parser.DefineVar("x", x.data());
    parser.DefineVar("a", a.data());
    parser.DefineVar("b", b.data());
    parser.DefineVar("c", c.data());
    parser.DefineVar("t", t.data());
    parser.DefineFun("phi", PhiFn);
    parser.DefineFun("fak", FakFn);
    parser.SetExpr(text);
    parser.Eval(results.data(), kColumn);
  }
};

void MuparserBulk(benchmark::State& state, const Expression* e) {
  MuParserBulk p(e->muparser);
  for (auto _ : state) {
    p.parser.Eval(p.results.data(), kColumn);
    benchmark::DoNotOptimize(p.results.data());
    benchmark::ClobberMemory();
  }
  PerPoint(state);
}

// The same five-point stencil as the term engine, built from muparser evaluations.
void MuparserDerivative(benchmark::State& state, const Expression* e) {
  MuParser p(e->muparser);
  std::size_t i = 0;
  for (auto _ : state) {
    const double x = SweepPoint(i++);
    p.x = x - 0.002;
    const double f0 = p.parser.Eval();
    p.x = x - 0.001;
    const double f1 = p.parser.Eval();
    p.x = x + 0.001;
    const double f2 = p.parser.Eval();
    p.x = x + 0.002;
    const double f3 = p.parser.Eval();
    benchmark::DoNotOptimize((f0 - 8 * f1 + 8 * f2 - f3) / 0.012);
  }
}

int Register() {
  for (const Expression& e : kExpressions) {
    benchmark::RegisterBenchmark((std::string("Eval/kurvio/") + e.name).c_str(), KurvioEval, &e);
    benchmark::RegisterBenchmark((std::string("Eval/muparser/") + e.name).c_str(), MuparserEval,
                                 &e);
    benchmark::RegisterBenchmark((std::string("Batch/kurvio/") + e.name).c_str(), KurvioBatch, &e);
    benchmark::RegisterBenchmark((std::string("Batch/muparser/") + e.name).c_str(), MuparserBulk,
                                 &e);
    benchmark::RegisterBenchmark((std::string("Deriv1/kurvio/") + e.name).c_str(),
                                 KurvioDerivative<1>, &e);
    benchmark::RegisterBenchmark((std::string("Deriv2/kurvio/") + e.name).c_str(),
                                 KurvioDerivative<2>, &e);
    benchmark::RegisterBenchmark((std::string("Deriv3/kurvio/") + e.name).c_str(),
                                 KurvioDerivative<3>, &e);
    benchmark::RegisterBenchmark((std::string("Stencil1/kurvio/") + e.name).c_str(),
                                 KurvioStencil<1>, &e);
    benchmark::RegisterBenchmark((std::string("Stencil2/kurvio/") + e.name).c_str(),
                                 KurvioStencil<2>, &e);
    benchmark::RegisterBenchmark((std::string("Stencil3/kurvio/") + e.name).c_str(),
                                 KurvioStencil<3>, &e);
    benchmark::RegisterBenchmark((std::string("Deriv2Batch/kurvio/") + e.name).c_str(),
                                 KurvioDerivativeBatch, &e);
    benchmark::RegisterBenchmark((std::string("Deriv1/muparser/") + e.name).c_str(),
                                 MuparserDerivative, &e);
  }
  return 0;
}
const int registered = Register();

}  // namespace

BENCHMARK_MAIN();
