// Texts kept in tests/pictures/core: a whole table of results compared line by
// line, so that one row catches any change along its path. After an intended
// change run the test with KURVIO_UPDATE_PICTURES=1, read the diff and commit it.
#pragma once

#include <charconv>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace kurvio::testing {

// The shortest text that reads back as the same double, whatever the C locale.
inline std::string KeptNumber(double v) {
  char text[32];
  return std::string(text, std::to_chars(text, text + sizeof text, v).ptr);
}

// The first line where `text` differs from the text kept as `name`, or "".
inline std::string KeptDifference(const std::string& name, const std::string& text) {
  const std::string path = KURVIO_PICTURES_DIR "/core/" + name + ".txt";
  if (std::getenv("KURVIO_UPDATE_PICTURES")) std::ofstream(path, std::ios::binary) << text;
  std::ifstream file(path, std::ios::binary);
  std::stringstream kept;
  kept << file.rdbuf();
  std::istringstream a(kept.str()), b(text);
  std::string la, lb;
  for (int line = 1;; ++line) {
    const bool moreA = static_cast<bool>(std::getline(a, la));
    const bool moreB = static_cast<bool>(std::getline(b, lb));
    if (!moreA && !moreB) return "";
    if (!moreA || !moreB || la != lb)
      return path + ":" + std::to_string(line) + ": kept \"" + (moreA ? la : "<end>") +
             "\", now \"" + (moreB ? lb : "<end>") + "\"";
  }
}

}  // namespace kurvio::testing
