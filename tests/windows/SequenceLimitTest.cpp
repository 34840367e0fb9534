// The limit estimate and the n0 search of the sequences window, on terms as a
// pupil types them.
#include "windows/limits/SequenceLimit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "term/Term.h"

namespace kurvio {
namespace {

class SequenceLimitTest : public ::testing::Test {
 protected:
  void SetUp() override { TermSequenceMode = true; }
  void TearDown() override { TermSequenceMode = false; }

  SequenceTerm Compile(const std::string& text) {
    CompileTerm(term_, text, true);
    EXPECT_TRUE(TermDefined) << text;
    return [this](double n, bool& defined) {
      const double v = EvalTerm(term_, 0, 0, 0, 0, 0, n);
      defined = TermDefined;
      return v;
    };
  }

  TermHandle term_;
};

// The rule as it reads: every candidate n tests its 51 terms afresh.
int PlainN0(const SequenceTerm& a, double g, double eps) {
  for (int n = 1; n <= kN0Last; ++n) {
    bool all = true;
    for (int k = n; k < n + kN0Window && all; ++k) {
      bool defined = false;
      const double v = a(k, defined);
      all = defined && std::fabs(g - v) < eps;
    }
    if (all) return n;
  }
  return 0;
}

TEST_F(SequenceLimitTest, EstimatesTheLimitFromFarOutTerms) {
  const struct {
    const char* term;
    double g;
    bool found;
  } cases[] = {
      {"1/n", 0, true},           // 1e-7 snaps to 0
      {"1+1/n", 1, true},         // rounded to six digits
      {"n", 1e7, false},          // the steps do not grow, but they are not small
      {"2000+1/n", 2000, false},  // too far out to count as found
      {"n^2", -3, false},         // growing steps: g keeps its value
      {"sqrt(-n)", -3, false},    // undefined everywhere
  };
  for (const auto& c : cases) {
    const LimitEstimate e = BerechneGrenzwert(Compile(c.term), -3);
    EXPECT_DOUBLE_EQ(e.g, c.g) << c.term;
    EXPECT_EQ(e.found, c.found) << c.term;
  }
}

// The search finds the rule's n0, in blocks evaluating every term at most once.
TEST_F(SequenceLimitTest, FastSearchAgreesWithThePlainRule) {
  const struct {
    const char* term;
    double g, eps;
  } cases[] = {
      {"1/n", 0, 0.1},        {"(-1)^n/n", 0, 0.01},   {"1/sqrt(n-20)", 0, 0.2},
      {"1/(n-30)", 0, 0.05},  {"2^(-n)", 0, 1e-300},   {"n", 1e7, 1},
      {"(n-9990)^2", 0, 200}, {"1/(n-10020)", 0, 0.5},
  };
  for (const auto& c : cases) {
    const SequenceTerm a = Compile(c.term);
    const int n0 = PlainN0(a, c.g, c.eps);
    EXPECT_EQ(Berechne_n0(a, c.g, c.eps), n0) << c.term << " " << c.eps;
    // In blocks: the same n0, each index once and in order, none past the last term.
    double next = 1;
    const SequenceBatch batch = [&](const double* n, std::size_t count, double* values,
                                    bool* defined) {
      for (std::size_t i = 0; i < count; ++i) {
        EXPECT_EQ(n[i], next++) << c.term;
        values[i] = a(n[i], defined[i]);
      }
    };
    EXPECT_EQ(Berechne_n0(batch, c.g, c.eps), n0) << c.term << " " << c.eps;
    EXPECT_LE(next - 1, kN0Last + kN0Window - 1) << c.term;
  }
}

}  // namespace
}  // namespace kurvio
