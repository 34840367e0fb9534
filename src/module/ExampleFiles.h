// The example files ("Beispiele") of the analysis windows, as text: the line
// form every window but the tangent window uses, and the tangent window's
// section form. Reading and writing the files themselves is TExampleList's.
//
// Entries are 8-bit text (Windows-1252, 0xE3 for pi, 0xE8 for phi); a file
// written in UTF-8 by a modern editor is read as its 8-bit form.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kurvio {

// Line form: one entry a line. Every line is an entry, empty lines included; CR before LF is
// dropped; a last line without a line end counts too (but an empty file, or a file ending with
// a line end, has no extra empty entry at its end). Text written in UTF-8 is brought to the
// 8-bit form (EightBitText). A NUL byte or other binary junk must not crash; a very long line is
// kept.
std::vector<std::string> ParseExampleLines(const std::string& content);
// Every non-empty entry followed by "\r\n", in order.
std::string WriteExampleLines(const std::vector<std::string>& entries);
// The term: the text before the first ";", or "" when the entry has no ";".
std::string ExampleTerm(const std::string& entry);
// The rest: from the third character after the first ";" on (the writer puts ";  " between
// term and rest); for an entry without ";", from its third character on; "" when too short.
std::string ExampleRest(const std::string& entry);
// term + ";  " + rest.
std::string JoinExample(const std::string& term, const std::string& rest);

// The limits window's entries: f1, f2 and the text of the xo field, written as
// f1 + ";  " + f2 + "; xo =" + xo.
struct LimitsEntry {
  std::string f1;
  std::optional<std::string> f2;  // absent when the entry has no ";"
  std::optional<std::string> xo;  // absent without "xo =" or without text after it
};
std::string JoinLimitsExample(const std::string& f1, const std::string& f2, const std::string& xo);
// Takes back what JoinLimitsExample wrote, exactly. A hand-edited entry gives
// what it holds: f1 is the text before the first ";" (without one: before
// "xo =", or the whole line); f2 follows the ";" and up to two blanks and ends
// at the "; " before "xo =", or at the end of the line when there is no
// "xo ="; the xo text is what follows "xo =", without surrounding blanks.
LimitsEntry SplitLimitsExample(const std::string& entry);

// Section form of the tangent window's file: sections "Beispiele1" .. "Beispiele10".
struct TangentExample {
  double xP = 1, xQ = 3, x1 = -7, x2 = 7, y1 = -7, y2 = 7;
};
struct TangentEntry {
  std::string term;
  TangentExample values;
};
inline constexpr int kTangentExampleSlots = 10;
// The sections in order 1..10 whose "f(x)" is present and not "---"; a missing or unreadable
// number takes the value of `current`.
std::vector<TangentEntry> ParseTangentExamples(const std::string& content,
                                               const TangentExample& current);
// All ten sections: entry n in section n (keys "f(x)", "xP", "xQ", "xmin", "xmax", "ymin",
// "ymax"), "---" with 1, 3, -7, 7, -7, 7 in the others; entries beyond ten are not written.
// Numbers as the settings file writes reals (IniFile::WriteReal with `decimalSeparator`).
// Writes into `oldContent` (an IniFile), so other lines of a hand-edited file are kept.
std::string WriteTangentExamples(const std::vector<TangentEntry>& entries,
                                 const std::string& oldContent, char decimalSeparator);

}  // namespace kurvio
