// SPDX-License-Identifier: GPL-3.0-or-later
// Colours as the settings file stores them: 0x00BBGGRR, red in the low byte.
#pragma once

#include <cstdint>

namespace kurvio {

using Color = std::uint32_t;

constexpr Color RGB(int r, int g, int b) {
  return static_cast<Color>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int RedOf(Color c) { return c & 0xFF; }
constexpr int GreenOf(Color c) { return (c >> 8) & 0xFF; }
constexpr int BlueOf(Color c) { return (c >> 16) & 0xFF; }

inline constexpr Color kBlack = 0x000000;
inline constexpr Color kWhite = 0xFFFFFF;

}  // namespace kurvio
