// SPDX-License-Identifier: GPL-3.0-or-later
// The position rules of the record list, including positions past 16 bits.
#include <gtest/gtest.h>

#include <vector>

#include "settings/RecordList.h"

namespace kurvio {
namespace {

struct Curve {
  int id;
  double a;
};

std::vector<int> Ids(const RecordList<Curve>& list) {
  std::vector<int> ids;
  Curve c{};
  for (std::size_t i = 1; i <= list.Count(); ++i)
    if (list.Read(i, c)) ids.push_back(c.id);
  return ids;
}

// Positions run from 1 to Count(); InsertAfter(Count()) appends, also when
// empty; outside that range nothing happens.
TEST(RecordListTest, PositionsFollowTheListRules) {
  RecordList<Curve> list;
  EXPECT_TRUE(list.IsEmpty());
  list.InsertAfter(0, {1, 0});
  list.InsertAfter(1, {3, 0});
  list.InsertAfter(1, {2, 0});
  list.InsertFront({0, 0});
  list.InsertAfter(list.Count(), {4, 0});
  list.InsertAfter(0, {9, 0});
  list.InsertAfter(6, {9, 0});
  list.Delete(0);
  list.Delete(6);
  Curve c{7, 7.5};
  EXPECT_FALSE(list.Read(0, c));
  EXPECT_FALSE(list.Read(6, c));
  EXPECT_EQ(c.id, 7);
  EXPECT_EQ(Ids(list), (std::vector<int>{0, 1, 2, 3, 4}));
  list.Delete(1);
  list.Delete(2);
  list.Delete(list.Count());
  EXPECT_EQ(Ids(list), (std::vector<int>{1, 3}));
  list.DeleteAll();
  EXPECT_TRUE(list.IsEmpty());
  list.InsertFront({5, 0});
  list.MakeEmpty();
  EXPECT_EQ(list.Count(), 0u);

  for (int i = 1; i <= 70000; ++i) list.InsertAfter(list.Count(), {i, i * 0.5});
  ASSERT_TRUE(list.Read(65537, c));
  EXPECT_EQ(c.id, 65537);
  list.Delete(70000);
  ASSERT_TRUE(list.Read(list.Count(), c));
  EXPECT_EQ(c.id, 69999);
  EXPECT_FALSE(list.Read(70000, c));
}

}  // namespace
}  // namespace kurvio
