// SPDX-License-Identifier: GPL-3.0-or-later
// wmf2svg (libwmf) as an independent reader of the metafiles the tests write.
#pragma once

#include <charconv>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/TempDir.h"

namespace kurvio::testing {

inline bool HaveWmf2svg() { return std::system("command -v wmf2svg > /dev/null 2>&1") == 0; }

// Converts the metafile at its logical size; the SVG text, or empty when the
// conversion failed. `ok` tells whether wmf2svg ran and succeeded. Its numbers
// have a decimal point under any locale.
inline std::string Wmf2svg(const std::string& wmf, int width, int height, bool& ok) {
  TempDir dir;
  WriteBytes(dir.File("in.wmf"), wmf);
  const std::string command =
      "wmf2svg --maxwidth=" + std::to_string(width) + " --maxheight=" + std::to_string(height) +
      " -o " + dir.File("out.svg") + " " + dir.File("in.wmf") + " 2> " + dir.File("err.txt");
  ok = std::system(command.c_str()) == 0;
  return ok ? ReadBytes(dir.File("out.svg")) : std::string();
}

// The numbers in a piece of SVG text, in order ("1.5,2 3,4" gives 1.5 2 3 4),
// read with a decimal point whatever the locale.
inline std::vector<double> SvgNumbers(const std::string& text) {
  std::vector<double> numbers;
  const char* at = text.data();
  const char* const end = text.data() + text.size();
  while (at < end) {
    const char c = *at;
    double value = 0;
    const bool starts = (c >= '0' && c <= '9') || c == '-' || c == '.';
    const auto [next, error] = starts ? std::from_chars(at, end, value)
                                      : std::from_chars_result{at, std::errc::invalid_argument};
    if (error == std::errc() && next != at) {
      numbers.push_back(value);
      at = next;
    } else {
      ++at;
    }
  }
  return numbers;
}

}  // namespace kurvio::testing
