// SPDX-License-Identifier: GPL-3.0-or-later
#include "module/ExampleFiles.h"

#include <algorithm>
#include <unordered_map>

#include "settings/IniFile.h"

namespace kurvio {
namespace {

constexpr char kSeparator[] = ";  ";
constexpr std::size_t kRestOffset = 3;  // the reader skips ";" and two blanks unseen
constexpr char kEmptySlot[] = "---";
constexpr char kXoMarkPrefix[] = "; ";
constexpr char kXoMark[] = "xo =";

std::string Trimmed(const std::string& s) {
  const std::size_t first = s.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

std::string SectionOf(int n) { return "Beispiele" + std::to_string(n); }

// The keys of the six numbers, in the order of TangentExample.
struct NumberKey {
  const char* key;
  double TangentExample::*value;
};
constexpr NumberKey kNumberKeys[] = {
    {"xP", &TangentExample::xP},   {"xQ", &TangentExample::xQ},   {"xmin", &TangentExample::x1},
    {"xmax", &TangentExample::x2}, {"ymin", &TangentExample::y1}, {"ymax", &TangentExample::y2},
};

// Which entries of theirs and of mine a merge keeps, in order (see MergeExampleLines).
struct Pick {
  bool mine;
  std::size_t index;
};
std::vector<Pick> MergeKeys(const std::vector<std::string>& base,
                            const std::vector<std::string>& mine,
                            const std::vector<std::string>& theirs) {
  std::unordered_map<std::string, int> inBase, inMine, kept;
  for (const std::string& k : base) ++inBase[k];
  for (const std::string& k : mine) ++inMine[k];
  std::unordered_map<std::string, int> deleted;
  for (const auto& [k, n] : inBase)
    if (n > inMine[k]) deleted[k] = n - inMine[k];
  std::vector<Pick> picks;
  for (std::size_t i = 0; i < theirs.size(); ++i) {
    const auto d = deleted.find(theirs[i]);
    if (d != deleted.end() && d->second > 0) {
      --d->second;
      continue;
    }
    ++kept[theirs[i]];
    picks.push_back({false, i});
  }
  for (std::size_t i = 0; i < mine.size(); ++i) {
    const std::string& k = mine[i];
    const int wanted = inMine[k];
    // Added by this copy, and not added by the other one as well.
    if (wanted > inBase[k] && kept[k] < wanted) {
      ++kept[k];
      picks.push_back({true, i});
    }
  }
  return picks;
}

}  // namespace

std::vector<std::string> ParseExampleLines(const std::string& text) {
  std::vector<std::string> entries;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t end = std::min(text.find_first_of("\r\n", pos), text.size());
    entries.push_back(text.substr(pos, end - pos));
    pos = end < text.size() && text.compare(end, 2, "\r\n") == 0 ? end + 2 : end + 1;
  }
  return entries;
}

std::string WriteExampleLines(const std::vector<std::string>& entries) {
  std::string out;
  for (const std::string& entry : entries) {
    if (entry.empty()) continue;
    // A line break inside an entry would come back as two entries.
    for (char c : entry) out.push_back(c == '\r' || c == '\n' ? ' ' : c);
    out += '\n';
  }
  return out;
}

std::vector<std::string> MergeExampleLines(const std::vector<std::string>& base,
                                           const std::vector<std::string>& mine,
                                           const std::vector<std::string>& theirs) {
  std::vector<std::string> merged;
  for (const Pick& p : MergeKeys(base, mine, theirs))
    merged.push_back(p.mine ? mine[p.index] : theirs[p.index]);
  return merged;
}

std::string ExampleTerm(const std::string& entry) {
  const std::size_t semicolon = entry.find(';');
  return semicolon == std::string::npos ? std::string() : entry.substr(0, semicolon);
}

std::string ExampleRest(const std::string& entry) {
  const std::size_t semicolon = entry.find(';');
  // Without a ";" the rest is counted as if the separator stood before the entry.
  const std::size_t start =
      semicolon == std::string::npos ? kRestOffset - 1 : semicolon + kRestOffset;
  return start < entry.size() ? entry.substr(start) : std::string();
}

std::string JoinExample(const std::string& term, const std::string& rest) {
  return term + kSeparator + rest;
}

std::string JoinLimitsExample(const std::string& f1, const std::string& f2, const std::string& xo) {
  return f1 + kSeparator + f2 + kXoMarkPrefix + kXoMark + xo;
}

LimitsEntry SplitLimitsExample(const std::string& entry) {
  LimitsEntry e;
  const std::size_t semicolon = entry.find(';');
  const std::size_t mark = entry.find(kXoMark, semicolon == std::string::npos ? 0 : semicolon + 1);
  if (mark != std::string::npos) {
    const std::string xo = Trimmed(entry.substr(mark + sizeof kXoMark - 1));
    if (!xo.empty()) e.xo = xo;
  }
  if (semicolon == std::string::npos) {
    std::string f1 = entry.substr(0, mark);
    while (!f1.empty() && f1.back() == ' ') f1.pop_back();
    e.f1 = f1;
    return e;
  }
  e.f1 = entry.substr(0, semicolon);
  std::size_t start = semicolon + 1;
  for (int blanks = 0; blanks < 2 && start < entry.size() && entry[start] == ' '; ++blanks) ++start;
  if (mark == std::string::npos) {
    e.f2 = entry.substr(start);
    return e;
  }
  // The mark lies after the ";" and is no blank, so it never lies before `start`.
  std::string f2 = entry.substr(start, mark - start);
  if (f2.size() >= 2 && f2.compare(f2.size() - 2, 2, kXoMarkPrefix) == 0) {
    f2.resize(f2.size() - 2);
  } else {
    while (!f2.empty() && f2.back() == ' ') f2.pop_back();
    if (!f2.empty() && f2.back() == ';') f2.pop_back();
  }
  e.f2 = f2;
  return e;
}

std::vector<TangentEntry> ParseTangentExamples(const std::string& text,
                                               const TangentExample& current) {
  const IniFile ini(text);
  std::vector<TangentEntry> entries;
  for (int n = 1; n <= kTangentExampleSlots; ++n) {
    const std::string section = SectionOf(n);
    const auto term = ini.RawValue(section, "f(x)");
    if (!term || *term == kEmptySlot) continue;
    TangentEntry entry{*term, current};
    for (const NumberKey& k : kNumberKeys)
      entry.values.*k.value = ini.ReadReal(section, k.key, current.*k.value);
    entries.push_back(std::move(entry));
  }
  return entries;
}

std::string WriteTangentExamples(const std::vector<TangentEntry>& entries,
                                 const std::string& oldContent, char decimalSeparator) {
  IniFile ini(oldContent);
  for (int n = 1; n <= kTangentExampleSlots; ++n) {
    const std::string section = SectionOf(n);
    const bool filled = static_cast<std::size_t>(n) <= entries.size();
    const TangentEntry entry = filled ? entries[n - 1] : TangentEntry{kEmptySlot, {}};
    ini.WriteString(section, "f(x)", entry.term);
    for (const NumberKey& k : kNumberKeys)
      ini.WriteReal(section, k.key, entry.values.*k.value, decimalSeparator);
  }
  return ini.Text();
}

std::vector<TangentEntry> MergeTangentExamples(const std::vector<TangentEntry>& base,
                                               const std::vector<TangentEntry>& mine,
                                               const std::vector<TangentEntry>& theirs,
                                               std::vector<TangentEntry>& leftOut) {
  const auto terms = [](const std::vector<TangentEntry>& entries) {
    std::vector<std::string> t;
    for (const TangentEntry& e : entries) t.push_back(e.term);
    return t;
  };
  std::vector<TangentEntry> merged;
  leftOut.clear();
  for (const Pick& p : MergeKeys(terms(base), terms(mine), terms(theirs))) {
    const TangentEntry& e = p.mine ? mine[p.index] : theirs[p.index];
    (merged.size() < static_cast<std::size_t>(kTangentExampleSlots) ? merged : leftOut)
        .push_back(e);
  }
  return merged;
}

}  // namespace kurvio
