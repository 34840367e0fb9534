// The evaluation program (its agreement with the tree walk over a table of terms
// is checked with the kept values): the inputs it reads, and its life with its tree.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "term/Term.h"
#include "term/TermBatch.h"
#include "term/TermCache.h"

namespace kurvio {
namespace {

void ExpectSameAsTree(const TermHandle& term, const TermInputs& in) {
  const double fast = EvalTerm(term, in.x, in.t, in.a, in.b, in.c, in.n);
  const bool fastDefined = TermDefined;
  const double slow = EvalTermByTree(term.get(), in.x, in.t, in.a, in.b, in.c, in.n);
  EXPECT_EQ(fastDefined, TermDefined) << in.x << " " << in.a;
  EXPECT_EQ(std::memcmp(&fast, &slow, sizeof fast), 0) << fast << " vs " << slow;
}

TEST(TermProgram, OnlyTheInputsReadCountAndNothingLingers) {
  TermSequenceMode = false;
  const double nan = std::numeric_limits<double>::quiet_NaN();
  TermHandle onlyX, shifted, withAT, withBC;
  CompileTerm(onlyX, "x^2-1", true);
  CompileTerm(shifted, "x-1.5", true);
  CompileTerm(withAT, "a*x+t", true);
  CompileTerm(withBC, "b*c+x", true);
  const TermInputs cases[] = {{2, 1e60, nan, 1e60, -1e60, nan},
                              {2, 1, 3, 0.5, 4, 4},
                              {1e60, 0, 0, 0, 0, 0},
                              {-3, 0.5, 1e50, 2, nan, 1}};
  // Alternating four terms moves each program out of the cache and back, and
  // each leaves its inputs in a frame the next may share.
  for (int round = 0; round < 2; ++round)
    for (const TermInputs& in : cases)
      for (const TermHandle* term : {&onlyX, &shifted, &withAT, &withBC})
        ExpectSameAsTree(*term, in);
  // Inputs a term of x alone never reads change nothing, even beyond the range rule.
  EXPECT_EQ(EvalTerm(onlyX, 2, nan, 1e60, -1e60, nan, 1e99), 3.0);
  EXPECT_TRUE(TermDefined);
  EvalTerm(withAT, 2, 0, 1e60, 0, 0, 0);
  EXPECT_FALSE(TermDefined);
}

TermHandle Node(std::uint8_t kind, TermHandle left = nullptr, TermHandle right = nullptr) {
  TermHandle node = std::make_unique<TermNode>();
  node->kind = kind;
  node->value = 4;
  node->left = std::move(left);
  node->right = std::move(right);
  return node;
}

TEST(TermProgram, NeverOutlivesItsTree) {
  TermHandle term;
  CompileTerm(term, "x+1", true);
  EXPECT_EQ(EvalTerm(term, 1, 0, 0, 0, 0, 0), 2.0);
  // A new tree, possibly at the same address, gets its own program.
  for (int i = 0; i < 50; ++i) {
    CompileTerm(term, "x+" + std::to_string(i), true);
    ASSERT_EQ(EvalTerm(term, 1, 0, 0, 0, 0, 0), 1.0 + i);
  }
  // Hand-built trees, also odd ones the compiler never makes, run as the tree walk runs them.
  TermHandle trees[] = {Node(kMul, Node(kVarX), Node(kNumber)),
                        Node(kVarX),
                        Node(kNeg, Node(kVarX), Node(kNumber)),
                        Node(kSin, nullptr, Node(kVarX)),
                        Node(kAdd, Node(kVarX)),
                        Node(kPow, nullptr, Node(kVarX)),
                        Node(kSqrt, Node(kVarX), Node(kVarX)),
                        Node(3),
                        Node(kNeg)};
  for (const TermHandle& tree : trees) ExpectSameAsTree(tree, {2.5, 0.5, 1.5, -2, 3, 7});
  EXPECT_EQ(EvalTerm(trees[0], 2.5, 0, 0, 0, 0, 0), 10.0);
  for (TermHandle& tree : trees) tree.reset();
  // No term at all, also once the freed trees have taken their programs with them.
  const TermHandle none;
  EXPECT_EQ(EvalTerm(none, 1, 0, 0, 0, 0, 0), 0.0);
  EXPECT_FALSE(TermDefined);
  EXPECT_EQ(EvalTerm(term, 1, 0, 0, 0, 0, 0), 50.0);
  EXPECT_TRUE(TermDefined);
}

}  // namespace
}  // namespace kurvio
