// SPDX-License-Identifier: GPL-3.0-or-later
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
  const TermValue fast = Evaluate(term, in.x, in.t, in.a, in.b, in.c, in.n);
  const TermValue slow = EvaluateByTree(term.get(), in.x, in.t, in.a, in.b, in.c, in.n);
  EXPECT_EQ(fast.defined, slow.defined) << in.x << " " << in.a;
  EXPECT_EQ(std::memcmp(&fast.value, &slow.value, sizeof fast.value), 0)
      << fast.value << " vs " << slow.value;
}

TEST(TermProgram, OnlyTheInputsReadCountAndNothingLingers) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  TermHandle onlyX, shifted, withAT, withBC;
  Compile(onlyX, "x^2-1", true, TermMode::Ordinary);
  Compile(shifted, "x-1.5", true, TermMode::Ordinary);
  Compile(withAT, "a*x+t", true, TermMode::Ordinary);
  Compile(withBC, "b*c+x", true, TermMode::Ordinary);
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
  EXPECT_EQ(Evaluate(onlyX, 2, nan, 1e60, -1e60, nan, 1e99).value, 3.0);
  EXPECT_TRUE(Evaluate(onlyX, 2, nan, 1e60, -1e60, nan, 1e99).defined);
  EXPECT_FALSE(Evaluate(withAT, 2, 0, 1e60, 0, 0, 0).defined);
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
  Compile(term, "x+1", true, TermMode::Ordinary);
  EXPECT_EQ(Evaluate(term, 1, 0, 0, 0, 0, 0).value, 2.0);
  // A new tree, possibly at the same address, gets its own program.
  for (int i = 0; i < 50; ++i) {
    Compile(term, "x+" + std::to_string(i), true, TermMode::Ordinary);
    ASSERT_EQ(Evaluate(term, 1, 0, 0, 0, 0, 0).value, 1.0 + i);
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
  EXPECT_EQ(Evaluate(trees[0], 2.5, 0, 0, 0, 0, 0).value, 10.0);
  for (TermHandle& tree : trees) tree.reset();
  // No term at all, also once the freed trees have taken their programs with them.
  const TermHandle none;
  EXPECT_EQ(Evaluate(none, 1, 0, 0, 0, 0, 0).value, 0.0);
  EXPECT_FALSE(Evaluate(none, 1, 0, 0, 0, 0, 0).defined);
  EXPECT_EQ(Evaluate(term, 1, 0, 0, 0, 0, 0).value, 50.0);
  EXPECT_TRUE(Evaluate(term, 1, 0, 0, 0, 0, 0).defined);
}

}  // namespace
}  // namespace kurvio
