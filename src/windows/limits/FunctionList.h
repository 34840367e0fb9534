// SPDX-License-Identifier: GPL-3.0-or-later
// The function list of the covariation window's guessing game: ten families
// of terms in a settings-style file, and the random pick of one entry.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace kurvio {

struct FunctionFamily {
  const char* section;   // the file's section
  int count;             // its entries; keys are numbered through all sections
  const char* fallback;  // the term of a missing entry
  const char* caption;   // the family's button
  const char* name;      // shown after a pick
};

inline constexpr int kFunctionFamilyCount = 10;
inline constexpr std::size_t kFunctionTermLength = 40;
extern const std::array<FunctionFamily, kFunctionFamilyCount> kFunctionFamilies;

inline constexpr const char* kFunctionListFile = "FktListe.txt";

using FunctionLists = std::array<std::vector<std::string>, kFunctionFamilyCount>;

// Every family with its full number of entries: the key "f<k>(x)" of its
// section, cut to 40 characters, or the family's fallback when the section or
// key is missing or empty (an empty or unreadable file gives only fallbacks).
FunctionLists ParseFunctionLists(const std::string& content);

// A uniformly chosen index 0 .. count - 1 (0 when count < 1), from one
// generator seeded once, so that two quick picks do not repeat each other.
int PickFunctionIndex(int count);

}  // namespace kurvio
