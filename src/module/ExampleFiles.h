// SPDX-License-Identifier: GPL-3.0-or-later
// The example files ("Beispiele") of the analysis windows, as text: the line
// form every window but the tangent window uses, and the tangent window's
// section form. The text is a file's as DecodeText gives it (UTF-8, "\n" line
// ends), so that nothing a file holds is lost; reading and writing the files
// themselves is ExampleStore's.
//
// Splitting an entry and joining its parts work on any text in which ";" and
// blanks are single bytes: the 8-bit form of the windows' fields and UTF-8.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kurvio {

// Line form: one entry a line. Every line is an entry, empty lines included; CR LF, LF and a
// lone CR each end a line; a last line without a line end counts too (but an empty file, or a
// file ending with a line end, has no extra empty entry at its end). A NUL byte or other binary
// junk must not crash.
std::vector<std::string> ParseExampleLines(const std::string& text);
// Every non-empty entry followed by "\n", in order.
std::string WriteExampleLines(const std::vector<std::string>& entries);

// What two copies of a list make of it. `base` is the file as this copy read it, `mine` the
// list as it stands now, `theirs` the file as another copy saved it meanwhile: theirs, without
// the entries mine deleted from base, followed by the entries mine added to base that theirs
// does not hold yet, in mine's order. (The lists know no other change: no entry is edited in
// place or moved.)
std::vector<std::string> MergeExampleLines(const std::vector<std::string>& base,
                                           const std::vector<std::string>& mine,
                                           const std::vector<std::string>& theirs);
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
  bool operator==(const TangentExample&) const = default;
};
struct TangentEntry {
  std::string term;
  TangentExample values;
  bool operator==(const TangentEntry&) const = default;
};
inline constexpr int kTangentExampleSlots = 10;
// The sections in order 1..10 whose "f(x)" is present and not "---"; a missing or unreadable
// number takes the value of `current`. The term is the text as the file holds it.
std::vector<TangentEntry> ParseTangentExamples(const std::string& text,
                                               const TangentExample& current);
// All ten sections: entry n in section n (keys "f(x)", "xP", "xQ", "xmin", "xmax", "ymin",
// "ymax"), "---" with 1, 3, -7, 7, -7, 7 in the others; entries beyond ten are not written.
// Numbers as the settings file writes reals (IniFile::WriteReal with `decimalSeparator`).
// Writes into `oldContent` (an IniFile), so other lines of a hand-edited file are kept.
std::string WriteTangentExamples(const std::vector<TangentEntry>& entries,
                                 const std::string& oldContent, char decimalSeparator);
// MergeExampleLines for the sections, entries told apart by their term (the window takes no
// term twice); another copy's entry keeps its values. Entries of mine that do not fit into the
// ten sections any more are left out, in `leftOut`.
std::vector<TangentEntry> MergeTangentExamples(const std::vector<TangentEntry>& base,
                                               const std::vector<TangentEntry>& mine,
                                               const std::vector<TangentEntry>& theirs,
                                               std::vector<TangentEntry>& leftOut);

}  // namespace kurvio
