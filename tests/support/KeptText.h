// Text a test keeps in tests/pictures and compares with what it produced now.
// After an intended change run the tests with KURVIO_UPDATE_PICTURES=1, read
// the diff of the kept files and commit it.
#pragma once

#include <gtest/gtest.h>

#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace kurvio::testing {

// The shortest text that reads back as the same double, whatever the C locale.
inline std::string KeptNumber(double v) {
  char text[32];
  return std::string(text, std::to_chars(text, text + sizeof text, v).ptr);
}

// The kept text of `name` (a path below tests/pictures); with
// KURVIO_UPDATE_PICTURES set, `produced` is kept first.
inline std::string KeptText(const std::string& name, const std::string& produced) {
  const std::string path = std::string(KURVIO_PICTURES_DIR) + "/" + name;
  if (std::getenv("KURVIO_UPDATE_PICTURES")) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << produced;
  }
  std::ifstream in(path, std::ios::binary);
  std::ostringstream kept;
  kept << in.rdbuf();
  return kept.str();
}

// The first line where the kept and the produced text differ, for a failure message.
inline std::string FirstDifference(const std::string& kept, const std::string& produced) {
  std::istringstream k(kept), p(produced);
  std::string lk, lp;
  for (int line = 1;; ++line) {
    const bool moreK = static_cast<bool>(std::getline(k, lk));
    const bool moreP = static_cast<bool>(std::getline(p, lp));
    if (!moreK && !moreP) return "none";
    if (!moreK || !moreP || lk != lp)
      return "line " + std::to_string(line) + ": kept \"" + (moreK ? lk : "<end>") +
             "\", produced \"" + (moreP ? lp : "<end>") + "\"";
  }
}

// Whether `produced` is the text kept as `name`; else the first difference.
inline ::testing::AssertionResult MatchesKept(const std::string& name,
                                              const std::string& produced) {
  const std::string kept = KeptText(name, produced);
  if (kept == produced) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << name << ": " << FirstDifference(kept, produced);
}

}  // namespace kurvio::testing
