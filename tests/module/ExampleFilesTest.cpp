// The example files as text: the line form, the limits window's entries and
// the tangent window's sections.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "module/ExampleFiles.h"
#include "settings/IniFile.h"
#include "term/NumberFormat.h"
#include "term/Term.h"

namespace kurvio {
namespace {

using Lines = std::vector<std::string>;

TEST(ExampleLinesTest, EveryLineIsAnEntry) {
  const struct {
    const char* name;
    std::string content;
    Lines expected;
  } cases[] = {
      {"empty file", "", {}},
      {"CRLF", "x^2;  Parabel\r\nsin(x)\r\n", {"x^2;  Parabel", "sin(x)"}},
      {"LF", "x^2\nsin(x)\n", {"x^2", "sin(x)"}},
      {"no end on the last line", "x^2\r\nsin(x)", {"x^2", "sin(x)"}},
      {"empty lines", "a\r\n\r\n\nb\r\n", {"a", "", "", "b"}},
      {"only a line end", "\r\n", {""}},
      {"CR inside a line stays", "a\rb\r\n", {"a\rb"}},
      {"8-bit pi", "\xE3*x;  Kreis\r\n", {"\xE3*x;  Kreis"}},
      {"UTF-8",
       "\xCF\x80*x;  Fl\xC3\xA4"
       "che\r\n",
       {"\xE3*x;  Fl\xE4"
        "che"}},
      {"UTF-8 with a byte order mark", "\xEF\xBB\xBF\xCE\xA6+x\r\n", {"\xE8+x"}},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseExampleLines(c.content), c.expected) << c.name;
}

TEST(ExampleLinesTest, WritingDropsEmptyEntriesAndKeepsLinesApart) {
  const Lines shown = ParseExampleLines("a;  eins\r\n\r\nb\n");
  ASSERT_EQ(shown.size(), 3u);
  const std::string written = WriteExampleLines(shown);
  EXPECT_EQ(written, "a;  eins\r\nb\r\n");
  EXPECT_EQ(ParseExampleLines(written), (Lines{"a;  eins", "b"}));
  EXPECT_EQ(WriteExampleLines({}), "");
  // A line break inside an entry does not split it into two on the next load.
  EXPECT_EQ(ParseExampleLines(WriteExampleLines({"a\r\nb", "c\nd"})), (Lines{"a  b", "c d"}));
  // The 8-bit form is written as it is.
  EXPECT_EQ(WriteExampleLines({"\xE3\xE8\xB2"}), "\xE3\xE8\xB2\r\n");
}

TEST(ExampleLinesTest, BinaryJunkAndHugeLinesLoad) {
  std::string junk;
  for (int i = 0; i < 256; ++i) junk.push_back(static_cast<char>(i));
  junk += junk;
  const Lines fromJunk = ParseExampleLines(junk);
  ASSERT_EQ(fromJunk.size(), 3u);  // two LF bytes, then the rest without a line end
  EXPECT_EQ(fromJunk[0], junk.substr(0, 10));
  EXPECT_EQ(fromJunk[1].size(), 255u);
  EXPECT_EQ(fromJunk[2].size(), 245u);

  const std::string huge(1 << 20, 'x');
  const Lines fromHuge = ParseExampleLines(huge + "\r\nsin(x)\r\n");
  ASSERT_EQ(fromHuge.size(), 2u);
  EXPECT_EQ(fromHuge[0], huge);
  EXPECT_EQ(fromHuge[1], "sin(x)");
}

TEST(ExampleLinesTest, TermAndRest) {
  const struct {
    std::string entry, term, rest;
  } cases[] = {
      {"x^2;  Normalparabel", "x^2", "Normalparabel"},
      {"x^2;Parabel", "x^2", "rabel"},  // three characters are skipped unseen
      {"a;b;  c", "a", "  c"},          // the first ";" counts
      {";  nur Kommentar", "", "nur Kommentar"},
      {"x;", "x", ""},
      {"x;  ", "x", ""},
      {"Parabel", "", "rabel"},  // no ";": no term, the rest from the third character
      {"ab", "", ""},
      {"abc", "", "c"},
      {"", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ExampleTerm(c.entry), c.term) << c.entry;
    EXPECT_EQ(ExampleRest(c.entry), c.rest) << c.entry;
  }
  const std::string joined = JoinExample("\xE3*x^2",
                                         "Kreis; Fl\xE4"
                                         "che");
  EXPECT_EQ(joined,
            "\xE3*x^2;  Kreis; Fl\xE4"
            "che");
  EXPECT_EQ(ExampleTerm(joined), "\xE3*x^2");
  EXPECT_EQ(ExampleRest(joined),
            "Kreis; Fl\xE4"
            "che");
}

TEST(LimitsExamplesTest, WrittenEntriesComeBackExactly) {
  const struct {
    std::string f1, f2, xo;
  } cases[] = {
      {"x", "x+2", "  1,00     "},       {"x^2", "x^2", " -2,50     "}, {"", "", "  1,00 E+3"},
      {"  x ", " x+1  ", "  0,00     "},  // blanks inside the fields stay
      {"\xE3*x", "sin(x)/x", "pi"},
  };
  for (const auto& c : cases) {
    const std::string entry = JoinLimitsExample(c.f1, c.f2, c.xo);
    const LimitsEntry e = SplitLimitsExample(entry);
    EXPECT_EQ(e.f1, c.f1) << entry;
    EXPECT_EQ(e.f2, c.f2) << entry;
    const std::size_t first = c.xo.find_first_not_of(' ');
    EXPECT_EQ(e.xo, c.xo.substr(first, c.xo.find_last_not_of(' ') - first + 1)) << entry;
    // The list's term is f1, as for every line-form list.
    EXPECT_EQ(ExampleTerm(entry), c.f1);
  }
  EXPECT_EQ(JoinLimitsExample("x", "x+2", "  1,00     "), "x;  x+2; xo =  1,00     ");
}

TEST(LimitsExamplesTest, HandEditedEntriesGiveWhatTheyHold) {
  const std::optional<std::string> none;
  const struct {
    std::string entry, f1;
    std::optional<std::string> f2, xo;
  } cases[] = {
      {"x;x+2;xo=1", "x", "x+2;xo=1", none},  // no "xo =": f2 is the rest of the line
      {"x;  x+2", "x", "x+2", none},
      {"x;", "x", "", none},
      {"x; x+2 ;  xo = 3 ", "x", "x+2 ", "3"},
      {"x;x+2 xo = 3", "x", "x+2", "3"},
      {"x;  xo = 3", "x", "", "3"},
      {"x;xo =", "x", "", none},   // nothing after "xo =": xo stays
      {"x^2", "x^2", none, none},  // no ";": f2 and xo stay
      {"x^2 xo = 2", "x^2", none, "2"},
      {"xo = 2; x", "xo = 2", "x", none},  // "xo =" counts only after the ";"
      {"", "", none, none},
      {";", "", "", none},
      {"xo =", "", none, none},
  };
  for (const auto& c : cases) {
    const LimitsEntry e = SplitLimitsExample(c.entry);
    EXPECT_EQ(e.f1, c.f1) << c.entry;
    EXPECT_EQ(e.f2, c.f2) << c.entry;
    EXPECT_EQ(e.xo, c.xo) << c.entry;
  }
}

std::string Shipped(const std::string& name) {
  std::ifstream in(std::string(KURVIO_DATA_DIR) + "/" + name, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

// The shipped limits examples are lines the window itself would write: terms as
// a left term field shows them, xo as its field shows it with two decimals.
TEST(LimitsExamplesTest, ShippedExamplesAreInTheWindowsOwnForm) {
  const std::string file = Shipped("Bsp4.txt");
  const Lines entries = ParseExampleLines(file);
  ASSERT_GE(entries.size(), 8u);
  EXPECT_EQ(WriteExampleLines(entries), file);  // CRLF, no empty or UTF-8 lines
  std::set<std::string> terms;
  for (const std::string& entry : entries) {
    // The window refuses a second entry with the same f1.
    EXPECT_TRUE(terms.insert(ExampleTerm(entry)).second) << entry;
    SCOPED_TRACE(entry);
    const LimitsEntry e = SplitLimitsExample(entry);
    ASSERT_TRUE(e.f2 && e.xo);
    for (const std::string& term : {e.f1, *e.f2}) {
      std::string shown = NormalizeTerm(term);
      std::replace(shown.begin(), shown.end(), '.', ',');
      EXPECT_EQ(shown, term);
      TermHandle compiled;
      CompileTerm(compiled, term, true);
      EXPECT_TRUE(TermDefined);
    }
    TermHandle xo;
    CompileTerm(xo, *e.xo, false);
    ASSERT_TRUE(TermDefined);
    const double value = EvalTerm(xo, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(JoinLimitsExample(e.f1, *e.f2, FormatNumber(2, value)), entry);
  }
}

const TangentExample kCurrent{0.5, 2.5, -4, 4, -3, 3};

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
  EXPECT_EQ(entries[0].values.xQ, 2);
  EXPECT_EQ(entries[0].values.y2, 9);
  EXPECT_EQ(entries[1].term, "sin(x)");
  // A decimal comma and a point both read.
  EXPECT_EQ(entries[1].values.xP, 0.5);
  EXPECT_EQ(entries[1].values.xQ, 1.5);
  EXPECT_EQ(entries[1].values.x1, -6.25);
  EXPECT_EQ(entries[1].values.x2, 6.25);

  const IniFile written(WriteTangentExamples(entries, "", ','));
  EXPECT_EQ(written.ReadString("Beispiele1", "f(x)", ""), "x^2");
  EXPECT_EQ(written.ReadString("Beispiele2", "f(x)", ""), "sin(x)");
  EXPECT_EQ(written.ReadString("Beispiele2", "xmin", ""), "-6,25");
  for (int n = 3; n <= 10; ++n) {
    const std::string s = "Beispiele" + std::to_string(n);
    EXPECT_EQ(written.ReadString(s, "f(x)", ""), "---") << s;
    const char* keys[] = {"xP", "xQ", "xmin", "xmax", "ymin", "ymax"};
    const char* values[] = {"1", "3", "-7", "7", "-7", "7"};
    for (int k = 0; k < 6; ++k) EXPECT_EQ(written.ReadString(s, keys[k], ""), values[k]) << s;
  }
  EXPECT_FALSE(written.Value("Beispiele11", "f(x)"));
}

TEST(TangentExamplesTest, MissingOrBadNumbersTakeTheCurrentValues) {
  const std::string file =
      "[Beispiele1]\r\nf(x)=x^3\r\nxP=abc\r\nxQ=\r\nxmin=1,5,0\r\nxmax=inf\r\n"
      "[beispiele2]\r\nF(X)=\xCF\x80*x\r\nymax=1e400\r\n";
  const auto entries = ParseTangentExamples(file, kCurrent);
  ASSERT_EQ(entries.size(), 2u);
  for (const auto& e : entries) {
    EXPECT_EQ(e.values.xP, kCurrent.xP) << e.term;
    EXPECT_EQ(e.values.xQ, kCurrent.xQ) << e.term;
    EXPECT_EQ(e.values.x1, kCurrent.x1) << e.term;
    EXPECT_EQ(e.values.x2, kCurrent.x2) << e.term;
    EXPECT_EQ(e.values.y1, kCurrent.y1) << e.term;
    EXPECT_EQ(e.values.y2, kCurrent.y2) << e.term;
  }
  EXPECT_EQ(entries[1].term, "\xE3*x");  // names without regard to case, UTF-8 as 8-bit
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
  for (char separator : {',', '.'}) {
    const std::string text = WriteTangentExamples(entries, old, separator);
    EXPECT_EQ(text.rfind("; Beispiele der Fachschaft\r\n[Beispiele1]\r\nf(x)=x^0\r\n", 0), 0u);
    EXPECT_NE(text.find("Notiz=bleibt\r\n"), std::string::npos);
    const auto back = ParseTangentExamples(text, kCurrent);
    ASSERT_EQ(back.size(), 10u);  // entries beyond ten are not written
    for (std::size_t i = 0; i < back.size(); ++i) {
      const TangentExample& w = entries[i].values;
      const TangentExample& r = back[i].values;
      EXPECT_EQ(back[i].term, entries[i].term);
      EXPECT_EQ(r.xP, w.xP) << i;
      EXPECT_EQ(r.xQ, w.xQ);
      EXPECT_EQ(r.x1, w.x1);
      EXPECT_EQ(r.x2, w.x2);
      EXPECT_EQ(r.y1, w.y1);
      EXPECT_EQ(r.y2, w.y2);
    }
  }
}

}  // namespace
}  // namespace kurvio
