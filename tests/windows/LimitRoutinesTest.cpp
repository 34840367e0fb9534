// SPDX-License-Identifier: GPL-3.0-or-later
// The bisection, the half neighbourhoods, the sequences' limit and the
// guessing game's function lists without their windows: every halving, every
// table row, every sample, each limit estimate and n0, the lists read from a
// hand-edited file, compared with
// tests/pictures/limit-routines.txt (see support/KeptText.h).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <limits>
#include <set>
#include <sstream>
#include <string>

#include "support/KeptText.h"
#include "term/Term.h"
#include "windows/limits/Bisection.h"
#include "windows/limits/FunctionList.h"
#include "windows/limits/Neighbourhood.h"
#include "windows/limits/SequenceLimit.h"

namespace kurvio {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::string Contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

std::string N(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.17g", v);
  return text;
}

struct NamedFunction {
  const char* name;
  BisectionFunction f;
};
const NamedFunction kFunctions[] = {
    {"x^2-2",
     [](double x) {
       return FunctionValue{x * x - 2, true};
     }},
    {"x^2+1",
     [](double x) {
       return FunctionValue{x * x + 1, true};
     }},
    {"x",
     [](double x) {
       return FunctionValue{x, true};
     }},
    {"x-1",
     [](double x) {
       return FunctionValue{x - 1, true};
     }},
    {"x-3.3",
     [](double x) {
       return FunctionValue{x - 3.3, true};
     }},
    {"NaN",
     [](double) {
       return FunctionValue{kNaN, true};
     }},
    // The evaluator's rule: undefined counts 0.
    {"1/x",
     [](double x) {
       return x == 0 ? FunctionValue{0, false} : FunctionValue{1 / x, true};
     }},
    {"undefined",
     [](double) {
       return FunctionValue{0, false};
     }},
};

void Bisections(std::ostream& out) {
  const double far = 1e20, next = std::nextafter(far, 1e300);  // 16384 apart
  const Interval starts[] = {{0, 2}, {2, 0},    {-1, 1},     {0, 10},         {1.4142, 1.41421},
                             {2, 2}, {kNaN, 2}, {far, next}, {far, far + 1e6}};
  for (const NamedFunction& f : kFunctions)
    for (const Interval& start : starts) {
      const std::string what = std::string(f.name) + " on [" + N(start.a) + ", " + N(start.b) + "]";
      const Halving h = Halve(start, f.f);
      out << what << ": halved at " << N(h.m) << " to [" << N(h.next.a) << ", " << N(h.next.b)
          << "]" << (h.progressed ? "" : " without progress") << '\n';
      for (double eps : {1e-1, 1e-5}) {
        const BisectionTable table = TableRows(start, eps, f.f);
        out << what << " to " << eps << ": " << table.rows.size() << " rows, "
            << (table.solved ? "solved" : "no solution") << '\n';
        for (const BisectionRow& r : table.rows)
          out << "  " << N(r.a) << ' ' << N(r.b) << ' ' << N(r.m) << ' ' << N(r.fa) << ' '
              << N(r.fm) << '\n';
      }
    }
  out << "cut off: " << TableRows({0, 1e6}, 1e-6, kFunctions[4].f, 5).rows.size() << " rows\n";
}

void Neighbourhoods(std::ostream& out) {
  const struct {
    double (*f)(double);
    const char* name;
    double xo, delta, step;
  } cases[] = {
      {[](double x) { return x; }, "x", 1, 1, 0.25},
      {[](double x) { return x; }, "x", 1, 1, -0.25},  // the sign of the step is the side's
      {[](double x) { return x * x; }, "x^2", 1, 2, 0.5},
      {[](double x) { return x; }, "x", 3, 1, 5},  // a step longer than delta: one sample
      {[](double x) { return x; }, "x", 3, 0, 0.1},
      {[](double) { return kNaN; }, "NaN", 0, 1, 0.125},  // never an extreme
      {[](double x) { return x; }, "x", 1, 1, 1e-9},      // far too many: made coarser
      {[](double x) { return x; }, "x", 1, 1, 0},
      {[](double x) { return x; }, "x", 1, 1, 1.0 / 50000},  // below the cap: as given
      {[](double x) { return x; }, "x", 1e20, 1, 1e-9},      // lost in the rounding of x
  };
  for (const auto& c : cases)
    for (HalfSide side : {HalfSide::Left, HalfSide::Right}) {
      std::ostringstream xs;
      long calls = 0;
      const std::function<double(double)> f = [&](double x) {
        if (++calls <= 8) xs << ' ' << N(x);
        return c.f(x);
      };
      const NeighbourhoodBatch batch = [&](const double* x, std::size_t n, double* y) {
        for (std::size_t i = 0; i < n; ++i) y[i] = c.f(x[i]);
      };
      const auto line = [](const NeighbourhoodExtremes& e) {
        return std::to_string(e.samples) + " samples, max " + N(e.yMax) + " at " + N(e.xMax) +
               ", min " + N(e.yMin) + " at " + N(e.xMin);
      };
      const NeighbourhoodExtremes e = SampleHalfNeighbourhood(f, c.xo, c.delta, c.step, side);
      EXPECT_EQ(line(SampleHalfNeighbourhood(batch, c.xo, c.delta, c.step, side)), line(e));
      EXPECT_EQ(calls, e.samples);
      EXPECT_LE(e.samples, kMaxNeighbourhoodSamples);
      out << (side == HalfSide::Left ? "left" : "right") << " of " << N(c.xo) << " by "
          << N(c.delta) << " in steps of " << N(c.step) << " on " << c.name << ": " << line(e)
          << "\n  at" << xs.str() << '\n';
    }
}

// Sequences as a pupil types them: the estimate of g from far-out terms, and n0
// for a g and an epsilon, the same from a block search that evaluates every
// index once and in order, none past the last term it may need.
void Sequences(std::ostream& out) {
  const struct {
    const char* term;
    double g, eps;
  } cases[] = {
      {"1/n", 0, 0.1},  // a(10) = 0,1 is not below 0,1
      {"(-1)^n/n", 0, 0.01},   {"1+1/n", 1, 0.001},     {"1/sqrt(n-20)", 0, 0.2},
      {"1/(n-30)", 0, 0.05},   {"2^(-n)", 0, 1e-300},   {"n", 1e7, 1},
      {"2000+1/n", 2000, 0.1},                      // too far out to count as found
      {"n^2", 0, 1},           {"sqrt(-n)", 0, 1},  // undefined everywhere
      {"(n-9990)^2", 0, 200},  {"1/(n-10020)", 0, 0.5},
  };
  TermHandle term;
  const SequenceTerm a = [&term](double n, bool& defined) {
    const TermValue v = Evaluate(term, 0, 0, 0, 0, 0, n);
    defined = v.defined;
    return v.value;
  };
  for (const auto& c : cases) {
    Compile(term, c.term, true, TermMode::Sequence);
    double next = 1;
    const SequenceBatch batch = [&](const double* n, std::size_t count, double* v, bool* defined) {
      for (std::size_t i = 0; i < count; ++i) {
        EXPECT_EQ(n[i], next++) << c.term;
        v[i] = a(n[i], defined[i]);
      }
    };
    const LimitEstimate e = BerechneGrenzwert(a, -3);
    const int n0 = Berechne_n0(a, c.g, c.eps);
    EXPECT_EQ(Berechne_n0(batch, c.g, c.eps), n0) << c.term;
    EXPECT_LE(next - 1, kN0Last + kN0Window - 1) << c.term;
    out << c.term << ": limit " << N(e.g) << (e.found ? "" : " not found") << ", n0 " << n0
        << " for " << N(c.g) << " and " << N(c.eps) << '\n';
  }
}

// Every family of a missing file and of a hand-edited one: keys are numbered
// through the sections, a key in the wrong section counts nowhere, and an empty
// value, an overlong one and binary junk do not break the rest.
void FunctionListsOf(std::ostream& out) {
  const std::string edited =
      "[Lineare Funktionen]\r\nf1(x)=2x+1\r\nf2(x)=\r\nf41(x)=x^2+9\r\n"
      "[quadratische funktionen]\r\nf41(x)=(x-1)^2\r\nf80(x)=" +
      std::string(60, 'x') + "\r\n[Sonstige]\r\nf240(x)=sqrt(x)\r\n\x01\x00junk\n";
  for (const std::string& content : {std::string(), edited}) {
    const FunctionLists lists = ParseFunctionLists(content);
    for (std::size_t f = 0; f < lists.size(); ++f) {
      out << kFunctionFamilies[f].section << ':';
      for (const std::string& term : lists[f]) out << ' ' << term;
      out << '\n';
    }
  }
}

TEST(LimitRoutines, TablesAndSamplesAreAsKept) {
  std::ostringstream drawn;
  Bisections(drawn);
  Neighbourhoods(drawn);
  Sequences(drawn);
  FunctionListsOf(drawn);
  EXPECT_TRUE(testing::MatchesKept("limit-routines.txt", drawn.str()));
}

TEST(FunctionLists, ShippedListFillsEveryFamilyWithTermsThatCompile) {
  const std::string file = Contents(std::string(KURVIO_DATA_DIR) + "/" + kFunctionListFile);
  ASSERT_FALSE(file.empty());
  const FunctionLists lists = ParseFunctionLists(file);
  for (std::size_t f = 0; f < lists.size(); ++f) {
    SCOPED_TRACE(kFunctionFamilies[f].section);
    ASSERT_EQ(lists[f].size(), static_cast<std::size_t>(kFunctionFamilies[f].count));
    EXPECT_EQ(std::set<std::string>(lists[f].begin(), lists[f].end()).size(), lists[f].size());
    for (const std::string& term : lists[f]) {
      SCOPED_TRACE(term);
      TermHandle handle;
      CompileTerm(handle, term, true);
      EXPECT_TRUE(TermDefined);
    }
  }
}

TEST(FunctionLists, PicksCoverTheWholeFamily) {
  std::set<int> seen;
  for (int i = 0; i < 4000; ++i) {
    const int k = PickFunctionIndex(40);
    ASSERT_GE(k, 0);
    ASSERT_LT(k, 40);
    seen.insert(k);
  }
  EXPECT_EQ(seen.size(), 40u);
  EXPECT_EQ(PickFunctionIndex(0), 0);
}

}  // namespace
}  // namespace kurvio
