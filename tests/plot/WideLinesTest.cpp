// SPDX-License-Identifier: GPL-3.0-or-later
// Wide lines as spans: the pixels a chain covers, cut to the clip, and a line
// from far outside that costs only what it has inside.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plot/WideLines.h"

namespace kurvio {
namespace {

// The 12 × 8 picture after the chain, one text row per pixel row ('#' drawn).
// With a dash pattern, the chain dashed.
std::string Drawn(std::vector<Point> chain, int width, PixelBox clip = {0, 0, 12, 8},
                  std::vector<int> pattern = {}) {
  std::vector<std::uint32_t> bits(12 * 8, 0);
  pattern.empty() ? DrawWideChain({bits.data(), 12}, clip, chain.data(), chain.size(), width, 1)
                  : DrawWideDashes({bits.data(), 12}, clip, chain.data(), chain.size(), width, 1,
                                   pattern);
  std::string rows;
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 12; ++x) rows += bits[y * 12 + x] ? '#' : '.';
    rows += '\n';
  }
  return rows;
}

TEST(WideLines, ChainsCoverTheirWidthAndStayInTheClip) {
  const struct {
    const char* name;
    std::vector<Point> chain;
    int width;
    PixelBox clip;
    const char* picture;
  } rows[] = {
      {"thin",
       {{2, 3}, {8, 3}},
       1,
       {0, 0, 12, 8},
       "............\n............\n............\n..#######...\n"
       "............\n............\n............\n............\n"},
      {"three wide, squared ends",
       {{2, 3}, {8, 3}},
       3,
       {0, 0, 12, 8},
       "............\n............\n.#########..\n.#########..\n"
       ".#########..\n............\n............\n............\n"},
      {"a corner from along x to along y",
       {{1, 1}, {6, 1}, {6, 6}},
       2,
       {0, 0, 12, 8},
       "............\n.#######....\n.#######....\n......##....\n"
       "......##....\n......##....\n......##....\n......##....\n"},
      {"from far outside, cut to the clip",
       {{-1000000000, 4}, {1000000000, 4}},
       2,
       {3, 0, 9, 6},
       "............\n............\n............\n............\n"
       "...######...\n...######...\n............\n............\n"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(Drawn(r.chain, r.width, r.clip), r.picture);
  }
}

// Dashes end flat, the pattern runs on round a corner and from far outside, and a pattern
// that would never end draws nothing.
TEST(WideLines, DashesKeepTheirPatternAcrossCornersAndClips) {
  EXPECT_EQ(Drawn({{0, 1}, {12, 1}}, 2, {0, 0, 12, 8}, {3, 2}),
            "............\n###..###..##\n###..###..##\n............\n"
            "............\n............\n............\n............\n");
  EXPECT_EQ(Drawn({{1, 0}, {5, 0}, {5, 7}}, 1, {0, 0, 12, 8}, {2, 1}),
            ".##.##......\n............\n.....#......\n.....#......\n"
            "............\n.....#......\n.....#......\n............\n");
  // From x = -1000000000: the phase at the clip is that of the whole walk (10^9 = 1 mod 3).
  EXPECT_EQ(Drawn({{-1000000000, 3}, {1000000000, 3}}, 1, {0, 0, 12, 8}, {1, 2}),
            "............\n............\n............\n..#..#..#..#\n"
            "............\n............\n............\n............\n");
  EXPECT_EQ(Drawn({{0, 3}, {11, 3}}, 1, {0, 0, 12, 8}, {2, 0}),
            "............\n............\n............\n............\n"
            "............\n............\n............\n............\n");
}

}  // namespace
}  // namespace kurvio
