// wmf2svg (libwmf) as an independent reader of the metafiles the tests write.
#pragma once

#include <charconv>
#include <cmath>
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

// One number of an attribute; NaN when it holds none.
inline double SvgNumber(const std::string& text) {
  const std::vector<double> numbers = SvgNumbers(text);
  return numbers.empty() ? NAN : numbers.front();
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

struct SvgLine {
  double x1, y1, x2, y2;
};

// The <line> elements of the SVG.
inline std::vector<SvgLine> SvgLines(const std::string& svg) {
  const auto x1 = SvgAttributes(svg, "line", "x1");
  const auto y1 = SvgAttributes(svg, "line", "y1");
  const auto x2 = SvgAttributes(svg, "line", "x2");
  const auto y2 = SvgAttributes(svg, "line", "y2");
  std::vector<SvgLine> lines;
  for (std::size_t i = 0; i < x1.size() && i < y1.size() && i < x2.size() && i < y2.size(); ++i)
    lines.push_back({SvgNumber(x1[i]), SvgNumber(y1[i]), SvgNumber(x2[i]), SvgNumber(y2[i])});
  return lines;
}

}  // namespace kurvio::testing
