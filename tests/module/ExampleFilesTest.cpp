// The example files as text: the line form and the tangent window's sections.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "module/ExampleFiles.h"
#include "settings/IniFile.h"

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
