// wmf2svg (libwmf) as an independent reader of the metafiles the tests write.
#pragma once

#include <cstdlib>
#include <string>
#include <vector>

#include "support/TempDir.h"

namespace kurvio::testing {

inline bool HaveWmf2svg() { return std::system("command -v wmf2svg > /dev/null 2>&1") == 0; }

// Converts the metafile at its logical size; the SVG text, or empty when the
// conversion failed. `ok` tells whether wmf2svg ran and succeeded.
inline std::string Wmf2svg(const std::string& wmf, int width, int height, bool& ok) {
  TempDir dir;
  WriteBytes(dir.File("in.wmf"), wmf);
  const std::string command =
      "wmf2svg --maxwidth=" + std::to_string(width) + " --maxheight=" + std::to_string(height) +
      " -o " + dir.File("out.svg") + " " + dir.File("in.wmf") + " 2> " + dir.File("err.txt");
  ok = std::system(command.c_str()) == 0;
  return ok ? ReadBytes(dir.File("out.svg")) : std::string();
}

// The numbers in a piece of SVG text, in order ("1.5,2 3,4" gives 1.5 2 3 4).
inline std::vector<double> SvgNumbers(const std::string& text) {
  std::vector<double> numbers;
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if ((c >= '0' && c <= '9') || c == '-' || c == '.') {
      std::size_t used = 0;
      try {
        numbers.push_back(std::stod(text.substr(i), &used));
      } catch (...) {
        used = 1;
      }
      i += used == 0 ? 1 : used;
    } else {
      ++i;
    }
  }
  return numbers;
}

// The values of `attribute` on every `element` of the SVG, in document order.
inline std::vector<std::string> SvgAttributes(const std::string& svg, const std::string& element,
                                              const std::string& attribute) {
  std::vector<std::string> values;
  const std::string open = "<" + element + " ";
  const std::string key = " " + attribute + "=\"";
  for (std::size_t at = svg.find(open); at != std::string::npos; at = svg.find(open, at + 1)) {
    const std::size_t end = svg.find('>', at);
    const std::size_t k = svg.find(key, at);
    if (k == std::string::npos || k > end) continue;
    const std::size_t start = k + key.size();
    values.push_back(svg.substr(start, svg.find('"', start) - start));
  }
  return values;
}

}  // namespace kurvio::testing
