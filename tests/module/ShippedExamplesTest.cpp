// The example files shipped beside the program: every entry loads, its term
// compiles, and its points lie in its view.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "module/ExampleFiles.h"
#include "term/Term.h"

namespace kurvio {
namespace {

std::string Shipped(const std::string& name) {
  std::ifstream in(std::string(KURVIO_DATA_DIR) + "/" + name, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

TEST(ShippedExamplesTest, TangentExamplesFillTheTenSlots) {
  const std::string file = Shipped("Bsp3.txt");
  ASSERT_FALSE(file.empty());
  // Values a broken entry would fall back to: far away from any good one.
  const TangentExample current{-99, -99, -99, -98, -99, -98};
  const std::vector<TangentEntry> entries = ParseTangentExamples(file, current);
  ASSERT_EQ(entries.size(), static_cast<std::size_t>(kTangentExampleSlots));
  for (const TangentEntry& e : entries) {
    SCOPED_TRACE(e.term);
    TermHandle term;
    CompileTerm(term, e.term, true);
    EXPECT_TRUE(TermDefined);
    const TangentExample& v = e.values;
    EXPECT_LT(v.x1, v.x2);
    EXPECT_LT(v.y1, v.y2);
    for (double x : {v.xP, v.xQ}) {
      EXPECT_GT(x, v.x1);
      EXPECT_LT(x, v.x2);
    }
    // f is defined at P, so a secant or a tangent is there to see.
    EvalTerm(term, v.xP, 0, 1, 0, 0, 0);
    EXPECT_TRUE(TermDefined);
  }
}

// The curve-discussion examples in x, the integral examples in t.
TEST(ShippedExamplesTest, LineFormExamplesHaveATermAndAComment) {
  for (const bool integral : {false, true}) {
    const std::vector<std::string> entries =
        ParseExampleLines(Shipped(integral ? "Bsp2.txt" : "Bsp1.txt"));
    ASSERT_GE(entries.size(), 8u);
    TermIntegralMode = integral;
    for (const std::string& entry : entries) {
      SCOPED_TRACE(entry);
      TermHandle term;
      CompileTerm(term, ExampleTerm(entry), true);
      EXPECT_TRUE(TermDefined);
      EXPECT_FALSE(ExampleRest(entry).empty());
      EXPECT_EQ(JoinExample(ExampleTerm(entry), ExampleRest(entry)), entry);
    }
    TermIntegralMode = false;
  }
}

// The covariation examples in x, the sequence examples in n: the term alone.
TEST(ShippedExamplesTest, TermOnlyExamplesCompile) {
  for (const bool sequence : {false, true}) {
    const std::vector<std::string> entries =
        ParseExampleLines(Shipped(sequence ? "Bsp8.txt" : "Bsp5.txt"));
    ASSERT_GE(entries.size(), 8u);
    TermSequenceMode = sequence;
    for (const std::string& entry : entries) {
      SCOPED_TRACE(entry);
      TermHandle term;
      CompileTerm(term, entry, true);
      EXPECT_TRUE(TermDefined);
      EXPECT_EQ(entry.find(';'), std::string::npos);
    }
    TermSequenceMode = false;
  }
}

}  // namespace
}  // namespace kurvio
