// The guessing game's function list: the shipped file, and what a missing or
// hand-edited file gives.
#include "windows/limits/FunctionList.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

#include "term/Term.h"

namespace kurvio {
namespace {

std::string ShippedList() {
  std::ifstream in(std::string(KURVIO_DATA_DIR) + "/" + kFunctionListFile, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

TEST(FunctionListTest, ShippedListFillsEveryFamilyWithTermsThatCompile) {
  const std::string file = ShippedList();
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

TEST(FunctionListTest, MissingOrBrokenEntriesTakeTheFamilysFallback) {
  const FunctionLists none = ParseFunctionLists("");
  EXPECT_EQ(none[9], std::vector<std::string>(40, "abs(x)"));
  // Keys are numbered through the sections; a key in the wrong section counts
  // nowhere; an empty value and binary junk do not break the rest.
  const std::string edited =
      "[Lineare Funktionen]\r\nf1(x)=2x+1\r\nf2(x)=\r\nf41(x)=x^2+9\r\n"
      "[quadratische funktionen]\r\nf41(x)=(x-1)^2\r\nf80(x)=" +
      std::string(60, 'x') + "\r\n[Sonstige]\r\nf240(x)=sqrt(x)\r\n\x01\x00junk\n";
  const FunctionLists lists = ParseFunctionLists(edited);
  EXPECT_EQ(lists[0][0], "2x+1");
  EXPECT_EQ(lists[0][1], "x");
  EXPECT_EQ(lists[1][0], "(x-1)^2");
  EXPECT_EQ(lists[1][39], std::string(40, 'x'));
  EXPECT_EQ(lists[1][1], "x^2");
  EXPECT_EQ(lists[9][39], "sqrt(x)");
}

TEST(FunctionListTest, PicksCoverTheWholeFamily) {
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
