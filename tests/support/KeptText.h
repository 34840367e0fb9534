// SPDX-License-Identifier: GPL-3.0-or-later
// Text a test keeps in tests/pictures and compares with what it produced now.
// After an intended change run the tests with KURVIO_UPDATE_PICTURES=1 (which
// writes the new files and fails), read the diff of the kept files, run the tests
// again and commit it.
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

// The path of `name` (below tests/pictures).
inline std::string KeptPath(const std::string& name) {
  return std::string(KURVIO_PICTURES_DIR) + "/" + name;
}

// An update run (KURVIO_UPDATE_PICTURES set) writes what it produced where it differs from
// what is kept, and fails, naming each file: an update is always looked at, and a second
// run compares.
inline bool UpdatingKept() { return std::getenv("KURVIO_UPDATE_PICTURES") != nullptr; }

inline void WriteKept(const std::string& name, const std::string& produced) {
  const std::string path = KeptPath(name);
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << produced;
  ADD_FAILURE() << "wrote " << path << ": look at the change, then run again without "
                << "KURVIO_UPDATE_PICTURES";
}

// What is kept as `name` (text or bytes); in an update run `produced` is written where it
// differs, and the old content still returned, so that the comparison fails too.
inline std::string KeptText(const std::string& name, const std::string& produced) {
  std::ifstream in(KeptPath(name), std::ios::binary);
  std::ostringstream kept;
  kept << in.rdbuf();
  if (UpdatingKept() && kept.str() != produced) WriteKept(name, produced);
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

// Where a test writes what it produced beside what is kept, when they differ.
inline std::string DifferencePath(const std::string& name) {
  const std::string path = std::string(KURVIO_PICTURE_DIFFS_DIR) + "/" + name;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  return path;
}

// Whether the bytes of a file (a metafile) are those kept as `name`; else where they first
// differ, with the produced file written for a look (DifferencePath).
inline ::testing::AssertionResult MatchesKeptBytes(const std::string& name,
                                                   const std::string& produced) {
  const std::string kept = KeptText(name, produced);
  if (kept == produced) return ::testing::AssertionSuccess();
  std::size_t at = 0;
  while (at < kept.size() && at < produced.size() && kept[at] == produced[at]) ++at;
  const std::string written = DifferencePath(name);
  std::ofstream(written, std::ios::binary) << produced;
  return ::testing::AssertionFailure()
         << name << ": " << produced.size() << " bytes against " << kept.size()
         << " kept, first different at byte " << at << "; produced: " << written;
}

}  // namespace kurvio::testing
