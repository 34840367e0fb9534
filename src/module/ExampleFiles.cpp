#include "module/ExampleFiles.h"

#include "settings/IniFile.h"
#include "settings/TextEncoding.h"

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

}  // namespace

std::vector<std::string> ParseExampleLines(const std::string& content) {
  std::vector<std::string> entries;
  std::size_t pos = 0;
  // A modern editor may mark its UTF-8 with a byte order mark, which is no part of the first term.
  if (content.compare(0, 3, "\xEF\xBB\xBF") == 0) pos = 3;
  while (pos < content.size()) {
    std::size_t end = content.find('\n', pos);
    const std::size_t next = end == std::string::npos ? content.size() : end + 1;
    if (end == std::string::npos) end = content.size();
    std::size_t length = end - pos;
    if (next != end && length > 0 && content[end - 1] == '\r') --length;
    entries.push_back(EightBitText(content.substr(pos, length)));
    pos = next;
  }
  return entries;
}

std::string WriteExampleLines(const std::vector<std::string>& entries) {
  std::string out;
  for (const std::string& entry : entries) {
    if (entry.empty()) continue;
    // A line break inside an entry would come back as two entries.
    for (char c : entry) out.push_back(c == '\r' || c == '\n' ? ' ' : c);
    out += "\r\n";
  }
  return out;
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

std::vector<TangentEntry> ParseTangentExamples(const std::string& content,
                                               const TangentExample& current) {
  const IniFile ini(content);
  std::vector<TangentEntry> entries;
  for (int n = 1; n <= kTangentExampleSlots; ++n) {
    const std::string section = SectionOf(n);
    const auto term = ini.Value(section, "f(x)");
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

}  // namespace kurvio
