// The example files as text: the line form, the limits window's entries, the
// tangent window's sections, and the files shipped beside the program.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "module/ExampleFiles.h"
#include "settings/IniFile.h"
#include "settings/TextEncoding.h"
#include "support/TempDir.h"
#include "term/Term.h"

namespace kurvio {
namespace {

using Lines = std::vector<std::string>;

// A file as the store reads it (DecodeText, then the lines) and writes it back.
TEST(ExampleLinesTest, EveryLineIsAnEntryAndAFileIsWrittenBackInItsOwnForm) {
  const struct {
    const char* name;
    std::string file;
    Lines expected;  // in UTF-8
    bool utf8;
    const char* lineEnd;
    std::string written;  // of the same entries; "=" for the file itself
  } cases[] = {
      {"empty file", "", {}, false, "\r\n", "="},
      {"CRLF", "x^2;  a\r\nsin(x)\r\n", {"x^2;  a", "sin(x)"}, false, "\r\n", "="},
      {"CR alone", "x^2\rsin(x)\r", {"x^2", "sin(x)"}, false, "\r", "="},
      {"the first line end counts", "a\rb\r\nc\n", {"a", "b", "c"}, false, "\r", "a\rb\rc\r"},
      {"no end on the last line", "a\r\nb", {"a", "b"}, false, "\r\n", "a\r\nb\r\n"},
      {"empty lines", "a\r\n\r\n\nb\r\n", {"a", "", "", "b"}, false, "\r\n", "a\r\nb\r\n"},
      {"8-bit", "\xE3*x;  \xE4\xB2\r\n", {"\u03C0*x;  \u00E4\u00B2"}, false, "\r\n", "="},
      {"UTF-8 beyond 8 bits", "\u2264 \u0394\n", {"\u2264 \u0394"}, true, "\n", "="},
      {"UTF-8 with a BOM", "\xEF\xBB\xBF\u03A6+x\r\n", {"\u03A6+x"}, true, "\r\n", "="},
      {"mixed", "\xE3\r\n\u03C0\r\n", {"\u03C0", "\u03C0"}, false, "\r\n", "\xE3\r\n\xE3\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TextForm form;
    const Lines entries = ParseExampleLines(DecodeText(c.file, form));
    EXPECT_EQ(entries, c.expected);
    EXPECT_EQ(form.utf8, c.utf8);
    EXPECT_EQ(form.lineEnd, c.lineEnd);
    EXPECT_EQ(EncodeText(WriteExampleLines(entries), form), c.written == "=" ? c.file : c.written);
  }
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

TEST(ExampleLinesTest, WritingDropsEmptyEntriesAndKeepsLinesApart) {
  EXPECT_EQ(WriteExampleLines({"a;  eins", "", "b"}), "a;  eins\nb\n");
  EXPECT_EQ(WriteExampleLines({}), "");
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

TEST(ExampleLinesTest, TermAndRest) {
  const struct {
    std::string entry, term, rest;
  } cases[] = {
      {"x^2;  Normalparabel", "x^2", "Normalparabel"},
      {"x^2;Parabel", "x^2", "rabel"},  // three characters are skipped unseen
      {"a;b;  c", "a", "  c"},          // the first ";" counts
      {"x;", "x", ""},
      {"Parabel", "", "rabel"},  // no ";": no term, the rest from the third character
      {"ab", "", ""},
      {"abc", "", "c"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ExampleTerm(c.entry), c.term) << c.entry;
    EXPECT_EQ(ExampleRest(c.entry), c.rest) << c.entry;
  }
  // Joined and split again, a comment may hold a ";" of its own.
  const std::string joined = JoinExample("\xE3*x^2", "Kreis; \xE4");
  EXPECT_EQ(joined, "\xE3*x^2;  Kreis; \xE4");
  EXPECT_EQ(ExampleRest(joined), "Kreis; \xE4");
}

// Written by the window and split again; hand-edited lines give what they hold.
TEST(LimitsExamplesTest, EntriesSplitIntoTheirThreeFields) {
  const std::string written = JoinLimitsExample("  x ", "\xE3*x", "  1,00 E+3");
  EXPECT_EQ(written, "  x ;  \xE3*x; xo =  1,00 E+3");
  const std::optional<std::string> none;
  const struct {
    std::string entry, f1;
    std::optional<std::string> f2, xo;
  } cases[] = {
      {written, "  x ", "\xE3*x", "1,00 E+3"},  // blanks inside the fields stay
      {"x;x+2;xo=1", "x", "x+2;xo=1", none},    // no "xo =": f2 is the rest of the line
      {"x;   x+2", "x", " x+2", none},          // two blanks after the ";" go, no more
      {"x;x+2 xo = 3", "x", "x+2", "3"},
      {"x;xo =", "x", "", none},           // nothing after "xo =": xo stays
      {"x^2", "x^2", none, none},          // no ";": f2 and xo stay
      {"xo = 2; x", "xo = 2", "x", none},  // "xo =" counts only after the ";"
  };
  for (const auto& c : cases) {
    const LimitsEntry e = SplitLimitsExample(c.entry);
    EXPECT_EQ(e.f1, c.f1) << c.entry;
    EXPECT_EQ(e.f2, c.f2) << c.entry;
    EXPECT_EQ(e.xo, c.xo) << c.entry;
    EXPECT_EQ(ExampleTerm(c.entry), c.entry.find(';') == std::string::npos ? "" : c.f1);
  }
}

std::string Shipped(const std::string& name) {
  return ReadBytes(std::string(KURVIO_DATA_DIR) + "/" + name);
}

const TangentExample kCurrent{0.5, 2.5, -4, 4, -3, 3};

std::vector<double> Values(const TangentExample& v) { return {v.xP, v.xQ, v.x1, v.x2, v.y1, v.y2}; }

TEST(TangentExamplesTest, FilledSectionsMoveUp) {
  const std::string file =
      "[Beispiele1]\r\nf(x)=---\r\nxP=9\r\n"
      "[Beispiele2]\r\nf(x)=x^2\r\nxP=1\r\nxQ=2\r\nxmin=-5\r\nxmax=5\r\nymin=-1\r\nymax=9\r\n"
      "[Beispiele3]\r\nxP=4\r\n"
      "[Beispiele5]\r\nf(x)=sin(x)\r\nxP=0,5\r\nxQ=1.5\r\nxmin=-6,25\r\nxmax=6.25\r\n"
      "ymin=-2\r\nymax=2\r\n"
      "[Beispiele11]\r\nf(x)=zu viel\r\n";
  const auto entries = ParseTangentExamples(file, kCurrent);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].term, "x^2");
  EXPECT_EQ(Values(entries[0].values), (std::vector<double>{1, 2, -5, 5, -1, 9}));
  EXPECT_EQ(entries[1].term, "sin(x)");
  // A decimal comma and a point both read.
  EXPECT_EQ(Values(entries[1].values), (std::vector<double>{0.5, 1.5, -6.25, 6.25, -2, 2}));

  // Written back: the empty sections up to the tenth, with the window's start values.
  const IniFile written(WriteTangentExamples(entries, "", ','));
  EXPECT_EQ(written.ReadString("Beispiele3", "f(x)", ""), "---");
  EXPECT_EQ(written.ReadString("Beispiele10", "xQ", ""), "3");
  EXPECT_EQ(written.ReadString("Beispiele10", "ymin", ""), "-7");
  EXPECT_FALSE(written.Value("Beispiele11", "f(x)"));
}

TEST(TangentExamplesTest, MissingOrBadNumbersTakeTheCurrentValues) {
  const std::string file =
      "[Beispiele1]\r\nf(x)=x^3\r\nxP=abc\r\nxQ=\r\nxmin=1,5,0\r\nxmax=inf\r\n"
      "[beispiele2]\r\nF(X)=\xCF\x80*x\r\nymax=1e400\r\n";
  const auto entries = ParseTangentExamples(file, kCurrent);
  ASSERT_EQ(entries.size(), 2u);
  for (const auto& e : entries) EXPECT_EQ(Values(e.values), Values(kCurrent)) << e.term;
  EXPECT_EQ(entries[1].term, "\xCF\x80*x");  // names without regard to case, the term as it stands
  EXPECT_TRUE(ParseTangentExamples("", kCurrent).empty());
  EXPECT_TRUE(ParseTangentExamples(std::string("\0[\xFF]\n=\r", 8), kCurrent).empty());
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
    bool* mode;
    bool comment;
  } lists[] = {{"Bsp1.txt", nullptr, true},
               {"Bsp2.txt", &TermIntegralMode, true},
               {"Bsp4.txt", nullptr, true},
               {"Bsp5.txt", nullptr, false},
               {"Bsp8.txt", &TermSequenceMode, false}};
  for (const auto& l : lists) {
    const Lines entries = ParseExampleLines(Shipped(l.file));
    ASSERT_GE(entries.size(), 8u) << l.file;
    if (l.mode) *l.mode = true;
    for (const std::string& entry : entries) {
      SCOPED_TRACE(entry);
      TermHandle term;
      CompileTerm(term, l.comment ? ExampleTerm(entry) : entry, true);
      EXPECT_TRUE(TermDefined);
      EXPECT_EQ(entry.find(';') != std::string::npos, l.comment);
      if (!l.comment) continue;
      EXPECT_FALSE(ExampleRest(entry).empty());
      EXPECT_EQ(JoinExample(ExampleTerm(entry), ExampleRest(entry)), entry);
    }
    if (l.mode) *l.mode = false;
  }
}

}  // namespace
}  // namespace kurvio
