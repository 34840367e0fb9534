// SPDX-License-Identifier: GPL-3.0-or-later
// An INI file with the semantics of a Windows profile file: section and key
// names compare without regard to case, the first occurrence wins, and writing
// a key changes only its own line, so comments, unknown sections and keys that
// a teacher added to the file survive every save.
//
// The text is 8-bit (Windows-1252); names and values written in UTF-8 are found
// and read as their 8-bit form.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace kurvio {

class IniFile {
 public:
  IniFile() = default;
  explicit IniFile(const std::string& content);

  // The value of a key with surrounding blanks removed, in its 8-bit form;
  // nullopt if the section or key is missing.
  std::optional<std::string> Value(const std::string& section, const std::string& key) const;
  // The same as the text holds it, for a text that is UTF-8 as a whole.
  std::optional<std::string> RawValue(const std::string& section, const std::string& key) const;

  // A missing key, or a value that does not convert, gives the default.
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& fallback) const;
  int ReadInteger(const std::string& section, const std::string& key, int fallback) const;
  // Any integer other than 0 is true.
  bool ReadBool(const std::string& section, const std::string& key, bool fallback) const;
  // Accepts a decimal comma as well as a point; only finite values convert.
  double ReadReal(const std::string& section, const std::string& key, double fallback) const;

  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  void WriteInteger(const std::string& section, const std::string& key, int value);
  void WriteBool(const std::string& section, const std::string& key, bool value);
  // Shortest text with up to 15 significant digits, with the given separator.
  void WriteReal(const std::string& section, const std::string& key, double value,
                 char decimalSeparator);

  // The whole file as it would be written.
  std::string Text() const;

  // Every key that is read, in the order of the file: its section and key as
  // written, and its raw value (as RawValue gives it).
  struct Entry {
    std::string section, key, value;
  };
  std::vector<Entry> Entries() const;

 private:
  struct Line {
    std::string text;
    std::string end;  // "\r\n", "\n", or "" for a last line without one
  };
  struct Section {
    std::size_t lastLine = 0;  // last non-blank line, where new keys go after
    std::unordered_map<std::string, std::size_t> keys;
  };

  void BuildIndex();
  std::string LineEnd() const;

  std::string bom_;
  std::vector<Line> lines_;
  std::unordered_map<std::string, Section> sections_;
};

// Parses a whole text as a decimal integer or real the way the settings file
// does; nullopt when it does not convert.
std::optional<int> ParseInteger(const std::string& text);
std::optional<double> ParseReal(const std::string& text);
// The settings file's form of a real: shortest text, up to 15 significant digits.
std::string FormatReal(double value, char decimalSeparator);

}  // namespace kurvio
