// SPDX-License-Identifier: GPL-3.0-or-later
// Wide solid lines drawn as spans straight into 32-bit pixels: each step
// along a segment's longer axis fills `width` pixels across it, and a square
// of the pen's width closes the chain's ends and any corner where the longer
// axis changes. Far cheaper than stroking an outline, which is what lets
// presentation mode's thick graphs keep up with an animation on a projector.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "plot/Canvas.h"

namespace kurvio {

struct PixelRows {
  std::uint32_t* bits = nullptr;
  std::ptrdiff_t stride = 0;  // pixels from one row to the next
};

// Pixels x with left <= x < right and y with top <= y < bottom.
struct PixelBox {
  int left = 0, top = 0, right = 0, bottom = 0;
};

// The chain through `points` (device pixels), `width` >= 1 pixels wide, in
// `value`, limited to `clip`. Segments far outside the clip cost nothing.
void DrawWideChain(PixelRows pixels, PixelBox clip, const Point* points, std::size_t count,
                   int width, std::uint32_t value);

// The chain dashed: `pattern` holds the lengths of the dashes and the gaps between them in
// turn (pixels along each segment's longer axis), carried on from one segment to the next.
// Each dash ends flat, as a flat cap ends it.
void DrawWideDashes(PixelRows pixels, PixelBox clip, const Point* points, std::size_t count,
                    int width, std::uint32_t value, std::span<const int> pattern);

}  // namespace kurvio
