// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/IniFile.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>

#include "settings/TextEncoding.h"

namespace kurvio {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Trim(const std::string& s) {
  std::size_t begin = 0, end = s.size();
  while (begin < end && IsBlank(s[begin])) ++begin;
  while (end > begin && IsBlank(s[end - 1])) --end;
  return s.substr(begin, end - begin);
}

// Names compare as Windows does: without regard to case, also for the
// accented letters of Windows-1252 ("Tangentenlänge" = "TANGENTENLÄNGE").
std::string FoldName(const std::string& name) {
  std::string folded = EightBitText(Trim(name));
  for (char& c : folded) {
    const auto b = static_cast<unsigned char>(c);
    if ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDE && b != 0xD7))
      c = static_cast<char>(b + 0x20);
  }
  return folded;
}

// A line "[name]" (the closing bracket may be missing); nullopt for other lines.
std::optional<std::string> SectionName(const std::string& line) {
  const std::string t = Trim(line);
  if (t.empty() || t[0] != '[') return std::nullopt;
  const std::size_t close = t.find(']');
  return t.substr(1, close == std::string::npos ? std::string::npos : close - 1);
}

}  // namespace

std::optional<int> ParseInteger(const std::string& text) {
  std::string t = Trim(text);
  if (!t.empty() && t[0] == '+') t.erase(0, 1);  // one sign; from_chars takes no other
  long long v = 0;
  const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
  if (ec != std::errc() || end != t.data() + t.size() || v < INT_MIN || v > INT_MAX)
    return std::nullopt;
  return static_cast<int>(v);
}

std::optional<double> ParseReal(const std::string& text) {
  std::string t = Trim(text);
  int separators = 0;
  for (char& c : t) {
    if (c == ',' || c == '.') {
      c = '.';
      ++separators;
    }
  }
  if (separators > 1) return std::nullopt;
  if (!t.empty() && t[0] == '+') t.erase(0, 1);  // one sign; from_chars takes no other
  double v = 0.0;
  const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
  if (ec != std::errc() || end != t.data() + t.size() || !std::isfinite(v)) return std::nullopt;
  return v;
}

std::string FormatReal(double value, char decimalSeparator) {
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
  std::string text(buffer, result.ptr);
  for (char& c : text)
    if (c == '.') c = decimalSeparator == ',' ? ',' : '.';
  return text;
}

IniFile::IniFile(const std::string& content) {
  std::size_t pos = 0;
  if (content.compare(0, 3, "\xEF\xBB\xBF") == 0) {
    bom_ = content.substr(0, 3);
    pos = 3;
  }
  while (pos < content.size()) {
    const std::size_t newline = content.find('\n', pos);
    Line line;
    if (newline == std::string::npos) {
      line.text = content.substr(pos);
      pos = content.size();
    } else {
      line.text = content.substr(pos, newline - pos);
      line.end = "\n";
      pos = newline + 1;
    }
    if (!line.end.empty() && !line.text.empty() && line.text.back() == '\r') {
      line.text.pop_back();
      line.end = "\r\n";
    }
    lines_.push_back(std::move(line));
  }
  BuildIndex();
}

void IniFile::BuildIndex() {
  sections_.clear();
  Section* current = nullptr;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const std::string& text = lines_[i].text;
    if (const auto name = SectionName(text)) {
      // A section that appears again is not read; only the first one counts.
      const auto [it, inserted] = sections_.try_emplace(FoldName(*name));
      current = inserted ? &it->second : nullptr;
      if (current) current->lastLine = i;
      continue;
    }
    if (!current) continue;
    const std::string t = Trim(text);
    if (t.empty()) continue;
    current->lastLine = i;
    if (t[0] == ';') continue;
    const std::size_t eq = t.find('=');
    if (eq == std::string::npos) continue;
    current->keys.try_emplace(FoldName(t.substr(0, eq)), i);
  }
}

std::string IniFile::LineEnd() const {
  for (const Line& line : lines_)
    if (!line.end.empty()) return line.end;
  return "\r\n";
}

std::optional<std::string> IniFile::RawValue(const std::string& section,
                                             const std::string& key) const {
  const auto s = sections_.find(FoldName(section));
  if (s == sections_.end()) return std::nullopt;
  const auto k = s->second.keys.find(FoldName(key));
  if (k == s->second.keys.end()) return std::nullopt;
  const std::string& text = lines_[k->second].text;
  return Trim(text.substr(text.find('=') + 1));
}

std::optional<std::string> IniFile::Value(const std::string& section,
                                          const std::string& key) const {
  const auto raw = RawValue(section, key);
  if (!raw) return raw;
  return EightBitText(*raw);
}

std::string IniFile::ReadString(const std::string& section, const std::string& key,
                                const std::string& fallback) const {
  return Value(section, key).value_or(fallback);
}

int IniFile::ReadInteger(const std::string& section, const std::string& key, int fallback) const {
  const auto v = Value(section, key);
  if (!v) return fallback;
  return ParseInteger(*v).value_or(fallback);
}

bool IniFile::ReadBool(const std::string& section, const std::string& key, bool fallback) const {
  const auto v = Value(section, key);
  if (!v) return fallback;
  const auto i = ParseInteger(*v);
  return i ? *i != 0 : fallback;
}

double IniFile::ReadReal(const std::string& section, const std::string& key,
                         double fallback) const {
  const auto v = Value(section, key);
  if (!v) return fallback;
  return ParseReal(*v).value_or(fallback);
}

void IniFile::WriteString(const std::string& section, const std::string& key,
                          const std::string& value) {
  // A line break inside a value would split it and could forge keys or sections.
  std::string clean = value;
  for (char& c : clean)
    if (c == '\r' || c == '\n') c = ' ';
  std::string text = key + "=" + clean;

  const auto s = sections_.find(FoldName(section));
  if (s != sections_.end()) {
    const auto k = s->second.keys.find(FoldName(key));
    if (k != s->second.keys.end()) {
      lines_[k->second].text = std::move(text);
      return;
    }
  }
  const std::string end = LineEnd();
  std::size_t at;
  std::vector<Line> added;
  if (s != sections_.end()) {
    at = s->second.lastLine + 1;
  } else {
    at = lines_.size();
    added.push_back({"[" + section + "]", end});
  }
  added.push_back({std::move(text), end});
  if (at > 0 && lines_[at - 1].end.empty()) lines_[at - 1].end = end;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), added.begin(), added.end());

  // Shift the index instead of rebuilding it: a large file stays quick to save.
  for (auto& [name, entry] : sections_) {
    if (entry.lastLine >= at) entry.lastLine += added.size();
    for (auto& [folded, line] : entry.keys)
      if (line >= at) line += added.size();
  }
  Section& target = s != sections_.end() ? s->second : sections_[FoldName(section)];
  target.lastLine = at + added.size() - 1;
  target.keys.emplace(FoldName(key), target.lastLine);
}

void IniFile::WriteInteger(const std::string& section, const std::string& key, int value) {
  WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void IniFile::WriteReal(const std::string& section, const std::string& key, double value,
                        char decimalSeparator) {
  WriteString(section, key, FormatReal(value, decimalSeparator));
}

std::vector<IniFile::Entry> IniFile::Entries() const {
  // The index knows which lines are read; the file's order is the lines'.
  std::vector<std::pair<std::size_t, std::string>> keyLines;  // line, folded section
  for (const auto& [name, entry] : sections_)
    for (const auto& [folded, line] : entry.keys) keyLines.emplace_back(line, name);
  std::sort(keyLines.begin(), keyLines.end());
  std::vector<Entry> entries;
  std::string section;
  std::size_t scanned = 0;
  for (const auto& [line, folded] : keyLines) {
    // The section's name as written: the nearest section line above the key.
    for (; scanned < line; ++scanned)
      if (const auto name = SectionName(lines_[scanned].text)) section = Trim(*name);
    const std::string t = Trim(lines_[line].text);
    const std::size_t eq = t.find('=');
    entries.push_back({section, Trim(t.substr(0, eq)), Trim(t.substr(eq + 1))});
  }
  return entries;
}

std::string IniFile::Text() const {
  std::string out = bom_;
  for (const Line& line : lines_) out += line.text + line.end;
  return out;
}

}  // namespace kurvio
