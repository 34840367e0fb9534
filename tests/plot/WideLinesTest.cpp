// Wide lines as spans: the pixels a chain covers, cut to the clip, and a line
// from far outside that costs only what it has inside.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plot/WideLines.h"

namespace kurvio {
namespace {

// The 12 × 8 picture after the chain, one text row per pixel row ('#' drawn).
std::string Drawn(std::vector<Point> chain, int width, PixelBox clip = {0, 0, 12, 8}) {
  std::vector<std::uint32_t> bits(12 * 8, 0);
  DrawWideChain({bits.data(), 12}, clip, chain.data(), chain.size(), width, 1);
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

}  // namespace
}  // namespace kurvio
