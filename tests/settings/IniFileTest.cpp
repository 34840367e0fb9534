// The profile-file semantics: lookup rules, conversions, and that writing
// touches nothing but the key's own line.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "settings/IniFile.h"
#include "settings/TextEncoding.h"
#include "support/KeptText.h"

namespace kurvio {
namespace {

TEST(IniFileTest, LookupFollowsProfileRules) {
  const IniFile ini(
      "a=outside any section\r\n"
      "[Farben]\r\n"
      "  Hintergrund = 123 \r\n"
      "HINTERGRUND=456\r\n"
      "; Gitter=1\r\n"
      "[farben]\r\n"
      "Zeichenstift=99\r\n"
      "[ Koordinatensystem ]   ; comment\n"
      "x1=-3\n"
      "[Faktor]\n"
      "TANGENTENL\xC4NGE=2\n"
      "[Funktionsterme\n"
      "f(x)=\xE3x {kommentar = 1}\n");
  struct Case {
    const char* section;
    const char* key;
    std::optional<std::string> value;
  };
  const Case cases[] = {
      {"Farben", "Hintergrund", "123"},          // trimmed, first occurrence wins
      {"FARBEN", "hintergrund", "123"},          // names without regard to case
      {"Farben", "Gitter", std::nullopt},        // a comment is no key
      {"Farben", "Zeichenstift", std::nullopt},  // a repeated section is not read
      {"", "a", std::nullopt},                   // keys before the first section
      {"Koordinatensystem", "x1", "-3"},
      {"Faktor", "Tangentenl\xE4nge", "2"},  // accented letters fold as well
      {"Funktionsterme", "f(x)", "\xE3x {kommentar = 1}"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ini.Value(c.section, c.key), c.value) << c.section << "/" << c.key;
}

TEST(IniFileTest, EightBitTextConversion) {
  const std::pair<std::string, std::string> cases[] = {
      {"\xE3x", "\xE3x"},                // 8-bit stays as it is
      {"\xCF\x80\xCE\xA6", "\xE3\xE8"},  // π Φ
      {"\xE2\x82\xAC", "\x80"},          // € has its Windows-1252 byte
      {"\xC3\xA3", "?"},                 // ã: its byte means π
      {"\xE4\xB8\xAD", "?"},             // no byte at all
      {"\xC0\x80", "\xC0\x80"},          // overlong: not UTF-8, kept
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(EightBitText(in), out) << in;
}

// Every byte of the 8-bit form with the character it stands for and back, and
// UTF-8 at the edges of strictness (overlong, surrogates, beyond U+10FFFF, cut
// short) read as a file line, as a term and written back as 8 bits: kept in
// tests/pictures/text/encoding.txt.
std::string CodePoint(char32_t cp) {
  char text[16];
  std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(cp));
  return text;
}

TEST(IniFileTest, EveryByteAndUtf8EdgeAsKept) {
  const auto hex = [](const std::string& bytes) {
    std::string out;
    for (const unsigned char c : bytes)
      out += "0123456789abcdef"[c >> 4], out += "0123456789abcdef"[c & 15];
    return out;
  };
  std::string produced;
  for (int b = 0; b < 256; ++b) {
    const char32_t cp = CodePointOfByte(static_cast<unsigned char>(b));
    EXPECT_EQ(ByteOfCodePoint(cp), static_cast<char>(b)) << b;
    TextForm form;
    produced += hex(std::string(1, static_cast<char>(b))) + " U+" + CodePoint(cp) + " " +
                hex(DecodeText(std::string(1, static_cast<char>(b)), form)) + "\n";
  }
  for (const char* edge :
       {"\xC1\xBF", "\xC2\x80", "\xDF\xBF", "\xE0\x9F\xBF", "\xE0\xA0\x80", "\xED\x9F\xBF",
        "\xED\xA0\x80", "\xEE\x80\x80", "\xF0\x8F\xBF\xBF", "\xF0\x90\x80\x80", "\xF4\x8F\xBF\xBF",
        "\xF4\x90\x80\x80", "\xF5\x80\x80\x80", "\xC3", "\xC3\x41", "\xE2\x82"}) {
    TextForm form;
    const std::string line = std::string("a") + edge + "\r\nb\xE4\n";
    const std::string text = DecodeText(line, form);
    produced += hex(line) + " " + hex(text) + (form.utf8 ? " utf8 " : " 8bit ") +
                hex(EightBitText(std::string(edge))) + " " + hex(EncodeText(text, TextForm{})) +
                "\n";
  }
  EXPECT_TRUE(testing::MatchesKept("text/encoding.txt", produced));
}

TEST(IniFileTest, TypedReadsFallBackOnGarbage) {
  const IniFile ini(
      "[S]\n"
      "int=-42\nhex=0x10\nfloat=1.5\nbig=99999999999\nempty=\n"
      "comma=2,5\nexp=1e-3\nboth=1.000,5\nnan=nan\ninf=1e999\ntext=abc\n"
      "b0=0\nb5=5\nbx=ja\n");
  EXPECT_EQ(ini.ReadInteger("S", "int", 1), -42);
  for (const char* key : {"hex", "float", "big", "empty", "text", "missing"})
    EXPECT_EQ(ini.ReadInteger("S", key, 17), 17) << key;

  EXPECT_DOUBLE_EQ(ini.ReadReal("S", "comma", 0), 2.5);
  EXPECT_DOUBLE_EQ(ini.ReadReal("S", "exp", 0), 0.001);
  for (const char* key : {"both", "nan", "inf", "text", "empty", "missing"})
    EXPECT_EQ(ini.ReadReal("S", key, 17.5), 17.5) << key;

  EXPECT_FALSE(ini.ReadBool("S", "b0", true));
  EXPECT_TRUE(ini.ReadBool("S", "b5", false));
  EXPECT_TRUE(ini.ReadBool("S", "bx", true));
  EXPECT_FALSE(ini.ReadBool("S", "bx", false));
}

TEST(IniFileTest, RealsRoundTripWithEitherSeparator) {
  const double values[] = {-4.0, 0.1, -1234567.125, 1e-7, 3e20};
  for (char sep : {',', '.'}) {
    for (double v : values) {
      const std::string text = FormatReal(v, sep);
      EXPECT_EQ(text.find(sep == ',' ? '.' : ','), std::string::npos) << text;
      const auto back = ParseReal(text);
      ASSERT_TRUE(back.has_value()) << text;
      EXPECT_DOUBLE_EQ(*back, v) << text;
    }
  }
  EXPECT_EQ(FormatReal(-4.0, ','), "-4");
  // Fifteen significant digits, no more.
  EXPECT_EQ(FormatReal(std::acos(-1.0), '.'), "3.14159265358979");
}

TEST(IniFileTest, WritingKeepsEveryOtherLine) {
  const std::string original =
      "; Einstellungen der Schule\r\n"
      "[Farben]\r\n"
      "Hintergrund=1\r\n"
      "Eigene Farbe=7\r\n"
      "\r\n"
      "[Unbekannt]\r\n"
      "x=y\r\n";
  IniFile ini(original);
  ini.WriteInteger("FARBEN", "hintergrund", 2);  // in place, spelled as written now
  ini.WriteInteger("Farben", "Gitter", 3);       // after the section's last entry
  ini.WriteString("Neu", "k", "v");              // a new section at the end
  // The index follows the inserted lines.
  ini.WriteInteger("Farben", "gitter", 3);
  ini.WriteString("neu", "K", "v");
  EXPECT_EQ(ini.Value("Unbekannt", "x"), "y");
  EXPECT_EQ(ini.Value("Farben", "Eigene Farbe"), "7");
  EXPECT_EQ(ini.Text(),
            "; Einstellungen der Schule\r\n"
            "[Farben]\r\n"
            "hintergrund=2\r\n"
            "Eigene Farbe=7\r\n"
            "gitter=3\r\n"
            "\r\n"
            "[Unbekannt]\r\n"
            "x=y\r\n"
            "[Neu]\r\n"
            "K=v\r\n");
}

TEST(IniFileTest, WritingHandlesLineEndsAndLineBreaksInValues) {
  IniFile lf("[A]\nk=1");  // LF, last line without an end
  lf.WriteInteger("A", "j", 2);
  EXPECT_EQ(lf.Text(), "[A]\nk=1\nj=2\n");

  IniFile empty;
  empty.WriteString("A", "k", "x\r\n[B]\nk=forged");
  EXPECT_EQ(empty.Text(), "[A]\r\nk=x  [B] k=forged\r\n");
  EXPECT_EQ(empty.Value("B", "k"), std::nullopt);

  IniFile bom("\xEF\xBB\xBF[A]\nk=1\n");
  bom.WriteInteger("A", "k", 5);
  EXPECT_EQ(bom.Text(), "\xEF\xBB\xBF[A]\nk=5\n");
}

}  // namespace
}  // namespace kurvio
