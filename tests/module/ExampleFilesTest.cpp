// SPDX-License-Identifier: GPL-3.0-or-later
// The example files as text: the line form, the limits window's entries, the
// tangent window's sections, and the files shipped beside the program.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "module/ExampleFiles.h"
#include "settings/TextEncoding.h"
#include "support/KeptText.h"
#include "support/TempDir.h"
#include "term/Term.h"

namespace kurvio {
namespace {

using Lines = std::vector<std::string>;

// Bytes outside printable ASCII as \xNN, so that the kept text reads as plain lines.
std::string Shown(const std::string& text) {
  std::string out;
  for (const unsigned char c : text) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "\\x%02X", c);
    out += c >= 0x20 && c < 0x7F ? std::string(1, static_cast<char>(c)) : hex;
  }
  return out;
}

// Files as the store reads them (DecodeText, then the lines) and writes them back,
// and entries split by the line form's and the limits window's rules: kept in
// tests/pictures/module/example-lines.txt (see support/KeptText.h).
TEST(ExampleLinesTest, FilesAndEntriesAsKept) {
  std::string produced;
  for (const std::string& file :
       {std::string(), std::string("x^2;  a\r\nsin(x)\r\n"), std::string("x^2\rsin(x)\r"),
        std::string("a\rb\r\nc\n"),  // the first line end counts
        std::string("a\r\nb"), std::string("a\r\n\r\n\nb\r\n"),
        std::string("\xE3*x;  \xE4\xB2\r\n"),  // 8-bit
        std::string("\u2264 \u0394\n"), std::string("\xEF\xBB\xBF\u03A6+x\r\n"),
        std::string("\xE3\r\n\u03C0\r\n")}) {  // mixed
    TextForm form;
    const Lines entries = ParseExampleLines(DecodeText(file, form));
    produced += Shown(file) + " |";
    for (const std::string& e : entries) produced += " [" + Shown(e) + "]";
    produced += (form.utf8 ? " | utf8 | " : " | 8bit | ") + Shown(form.lineEnd) + " | " +
                Shown(EncodeText(WriteExampleLines(entries), form)) + "\n";
  }
  // Term and rest, then f1, f2 and xo of the limits window ("-" for none).
  const auto optional = [](const std::optional<std::string>& v) { return v ? Shown(*v) : "-"; };
  for (const std::string& entry :
       {std::string("x^2;  Normalparabel"), std::string("x^2;Parabel"), std::string("a;b;  c"),
        std::string("x;"), std::string("Parabel"), std::string("ab"), std::string("abc"),
        JoinExample("\xE3*x^2", "Kreis; \xE4"), JoinLimitsExample("  x ", "\xE3*x", "  1,00 E+3"),
        std::string("x;x+2;xo=1"), std::string("x;   x+2"), std::string("x;x+2 xo = 3"),
        std::string("x;xo ="), std::string("xo = 2; x")}) {
    const LimitsEntry e = SplitLimitsExample(entry);
    produced += "[" + Shown(entry) + "] | " + Shown(ExampleTerm(entry)) + " | " +
                Shown(ExampleRest(entry)) + " | " + Shown(e.f1) + " | " + optional(e.f2) + " | " +
                optional(e.xo) + "\n";
  }
  EXPECT_TRUE(testing::MatchesKept("module/example-lines.txt", produced));
}

TEST(ExampleLinesTest, ACharacterThe8BitFormCannotHoldMakesTheFileUtf8) {
  TextForm eightBit;
  const std::string text = DecodeText("\xE3*x;  Kreis\r\n", eightBit);
  EXPECT_EQ(EncodeText(text + "x;  \u00E4 \u00A7 \u20AC\n", eightBit),
            "\xE3*x;  Kreis\r\nx;  \xE4 \xA7 \x80\r\n");
  // The 8-bit form has no byte for these: 0xE3 and 0xE8 are pi and phi.
  for (const char* added : {"\u2264", "\u00E3"})
    EXPECT_EQ(EncodeText(text + added + "\n", eightBit),
              "\xEF\xBB\xBF\u03C0*x;  Kreis\r\n" + std::string(added) + "\r\n")
        << added;
}

TEST(ExampleLinesTest, WritingKeepsLinesApart) {
  // A line break inside an entry does not split it into two on the next load.
  EXPECT_EQ(ParseExampleLines(WriteExampleLines({"a\r\nb", "c\nd", "e\rf"})),
            (Lines{"a  b", "c d", "e f"}));
  // Binary junk loads, split at each LF and CR, and comes back.
  std::string junk;
  for (int i = 0; i < 512; ++i) junk.push_back(static_cast<char>(i));
  TextForm form;
  std::string back = junk;
  std::replace(back.begin(), back.end(), '\r', '\n');
  EXPECT_EQ(EncodeText(WriteExampleLines(ParseExampleLines(DecodeText(junk, form))), form),
            back + "\n");
}

// Two copies of the program on one list: each keeps what the other did.
TEST(ExampleLinesTest, MergingKeepsTheOtherCopysEntriesAndAppliesOurChanges) {
  const struct {
    const char* name;
    Lines base, mine, theirs, merged;
  } cases[] = {
      {"both added", {"a", "b"}, {"a", "b", "c"}, {"a", "b", "d"}, {"a", "b", "d", "c"}},
      {"ours deleted, theirs added", {"a", "b"}, {"b"}, {"a", "b", "d"}, {"b", "d"}},
      {"both added the same", {"a"}, {"a", "x"}, {"x", "a"}, {"x", "a"}},
      {"the file is gone", {"a", "b"}, {"a", "b", "c"}, {}, {"c"}},
      {"one of two equal lines deleted",
       {"a", "a", "b"},
       {"a", "b"},
       {"a", "a", "b", "d"},
       {"a", "b", "d"}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(MergeExampleLines(c.base, c.mine, c.theirs), c.merged) << c.name;
}

std::string Shipped(const std::string& name) {
  return ReadBytes(std::string(KURVIO_DATA_DIR) + "/" + name);
}

const TangentExample kCurrent{0.5, 2.5, -4, 4, -3, 3};

std::vector<double> Values(const TangentExample& v) { return {v.xP, v.xQ, v.x1, v.x2, v.y1, v.y2}; }

// Filled sections move up; a decimal comma and a point both read; names count
// without regard to case; a missing or bad number takes the current value. The
// entries read and the file written back from the first (the empty sections up
// to the tenth, with the window's start values) are kept in
// tests/pictures/module/tangent-examples.txt.
TEST(TangentExamplesTest, SectionsReadAndWrittenAsKept) {
  std::string produced;
  bool first = true;
  for (const std::string& file :
       {std::string("[Beispiele1]\r\nf(x)=---\r\nxP=9\r\n"
                    "[Beispiele2]\r\nf(x)=x^2\r\nxP=1\r\nxQ=2\r\nxmin=-5\r\nxmax=5\r\nymin=-1\r\n"
                    "ymax=9\r\n[Beispiele3]\r\nxP=4\r\n[Beispiele5]\r\nf(x)=sin(x)\r\nxP=0,5\r\n"
                    "xQ=1.5\r\nxmin=-6,25\r\nxmax=6.25\r\nymin=-2\r\nymax=2\r\n"
                    "[Beispiele11]\r\nf(x)=zu viel\r\n"),
        std::string("[Beispiele1]\r\nf(x)=x^3\r\nxP=abc\r\nxQ=\r\nxmin=1,5,0\r\nxmax=inf\r\n"
                    "[beispiele2]\r\nF(X)=\xCF\x80*x\r\nymax=1e400\r\n"),
        std::string(), std::string("\0[\xFF]\n=\r", 8)}) {
    const auto entries = ParseTangentExamples(file, kCurrent);
    produced += "file of " + std::to_string(file.size()) + " bytes:\n";
    for (const TangentEntry& e : entries) {
      produced += Shown(e.term);
      for (const double v : Values(e.values)) produced += " " + testing::KeptNumber(v);
      produced += "\n";
    }
    if (std::exchange(first, false)) produced += WriteTangentExamples(entries, "", ',');
  }
  EXPECT_TRUE(testing::MatchesKept("module/tangent-examples.txt", produced));
}

TEST(TangentExamplesTest, NumbersRoundTripAndOtherLinesStay) {
  std::vector<TangentEntry> entries;
  for (int i = 0; i < 12; ++i)
    entries.push_back(
        {"x^" + std::to_string(i), {i - 0.25, 0.1, 1e-7, 123456.789, -2.5e-300, 1e15}});
  const std::string old =
      "; Beispiele der Fachschaft\r\n[Beispiele1]\r\nf(x)=alt\r\nNotiz=bleibt\r\n";
  const std::string text = WriteTangentExamples(entries, old, '.');
  EXPECT_EQ(text.rfind("; Beispiele der Fachschaft\r\n[Beispiele1]\r\nf(x)=x^0\r\n", 0), 0u);
  EXPECT_NE(text.find("Notiz=bleibt\r\n"), std::string::npos);
  const auto back = ParseTangentExamples(text, kCurrent);
  ASSERT_EQ(back.size(), 10u);  // entries beyond ten are not written
  for (std::size_t i = 0; i < back.size(); ++i)
    EXPECT_EQ(Values(back[i].values), Values(entries[i].values)) << i;
}

// Another copy's entry keeps its values; ours fill what room the ten sections leave.
TEST(TangentExamplesTest, MergingKeepsTheOtherCopysEntriesWithinTheTenSections) {
  std::vector<TangentEntry> base;
  for (int i = 1; i <= 8; ++i) base.push_back({"t" + std::to_string(i), {}});
  std::vector<TangentEntry> theirs = base, mine = base;
  theirs.push_back({"o1", {5}});
  theirs.push_back({"m1", {6}});
  mine.erase(mine.begin());
  for (const char* added : {"m1", "m2", "m3"}) mine.push_back({added, {7}});
  std::vector<TangentEntry> leftOut;
  const std::vector<TangentEntry> merged = MergeTangentExamples(base, mine, theirs, leftOut);
  std::vector<std::string> terms;
  for (const TangentEntry& e : merged) terms.push_back(e.term);
  EXPECT_EQ(terms, (Lines{"t2", "t3", "t4", "t5", "t6", "t7", "t8", "o1", "m1", "m2"}));
  EXPECT_EQ(merged[8].values.xP, 6);
  EXPECT_EQ(merged[9].values.xP, 7);
  ASSERT_EQ(leftOut.size(), 1u);
  EXPECT_EQ(leftOut[0].term, "m3");
}

// The curve-discussion examples in x, the integral examples in t and the limits
// examples have a term and a comment; the covariation examples in x and the
// sequence examples in n the term alone.
TEST(ShippedExamplesTest, LineFormExamplesCompile) {
  const struct {
    const char* file;
    TermMode mode;
    bool comment;
  } lists[] = {{"Bsp1.txt", TermMode::Ordinary, true}, {"Bsp2.txt", TermMode::Integral, true},
               {"Bsp4.txt", TermMode::Ordinary, true}, {"Bsp5.txt", TermMode::Ordinary, false},
               {"Bsp8.txt", TermMode::Sequence, false}};
  for (const auto& l : lists) {
    const Lines entries = ParseExampleLines(Shipped(l.file));
    ASSERT_GE(entries.size(), 8u) << l.file;
    for (const std::string& entry : entries) {
      SCOPED_TRACE(entry);
      TermHandle term;
      EXPECT_TRUE(Compile(term, l.comment ? ExampleTerm(entry) : entry, true, l.mode).ok);
      EXPECT_EQ(entry.find(';') != std::string::npos, l.comment);
      if (!l.comment) continue;
      EXPECT_FALSE(ExampleRest(entry).empty());
      EXPECT_EQ(JoinExample(ExampleTerm(entry), ExampleRest(entry)), entry);
    }
  }
}

}  // namespace
}  // namespace kurvio
