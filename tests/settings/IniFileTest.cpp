// SPDX-License-Identifier: GPL-3.0-or-later
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

std::string CodePoint(char32_t cp) {
  char text[16];
  std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(cp));
  return text;
}

// Each key looked up, then read as a string, an integer (fallback 17), a real
// (fallback 17.5) and a truth value (fallback true, then false), kept in
// tests/pictures/settings/ini-lookup.txt: a value is trimmed, the first of two
// keys and the first of two sections count, names fold case (accented letters
// too), keys before the first section and comments are no keys, and every
// number that does not convert wholly takes the fallback.
TEST(IniFileTest, LookupAndTypedReadsAsKept) {
  const IniFile ini(
      "a=outside any section\r\n[Farben]\r\n  Hintergrund = 123 \r\nHINTERGRUND=456\r\n"
      "; Gitter=1\r\n[farben]\r\nZeichenstift=99\r\n[ Koordinatensystem ]   ; comment\n"
      "x1=-3\n[Faktor]\nTANGENTENL\xC4NGE=2\n[Funktionsterme\nf(x)=\xE3x {kommentar = 1}\n"
      "[S]\nint=-42\nhex=0x10\nfloat=1.5\nbig=99999999999\nempty=\ncomma=2,5\nexp=1e-3\n"
      "both=1.000,5\nnan=nan\ninf=1e999\ntext=abc\nb0=0\nb5=5\nbx=ja\nplus=+7\nplus2=++7\n");
  // clang-format off
  const std::pair<const char*, const char*> keys[] = {
      {"Farben", "Hintergrund"}, {"FARBEN", "hintergrund"}, {"Farben", "Gitter"},
      {"Farben", "Zeichenstift"}, {"", "a"}, {"Koordinatensystem", "x1"},
      {"Faktor", "Tangentenl\xE4nge"}, {"Funktionsterme", "f(x)"}, {"S", "int"}, {"S", "hex"},
      {"S", "float"}, {"S", "big"}, {"S", "empty"}, {"S", "comma"}, {"S", "exp"}, {"S", "both"},
      {"S", "nan"}, {"S", "inf"}, {"S", "text"}, {"S", "b0"}, {"S", "b5"}, {"S", "bx"},
      {"S", "plus"}, {"S", "plus2"}, {"S", "missing"}};
  // clang-format on
  const auto shown = [](const std::string& text) {
    std::string out;
    for (const unsigned char c : text)
      out += c < 0x80 ? std::string(1, static_cast<char>(c)) : "\\x" + CodePoint(c).substr(2);
    return out;
  };
  std::string produced;
  for (const auto& [section, key] : keys)
    produced += std::string(section) + "/" + shown(key) + ": " +
                shown(ini.Value(section, key).value_or("-")) + " | " +
                shown(ini.ReadString(section, key, "?")) + " | " +
                std::to_string(ini.ReadInteger(section, key, 17)) + " | " +
                testing::KeptNumber(ini.ReadReal(section, key, 17.5)) + " | " +
                std::to_string(ini.ReadBool(section, key, true)) +
                std::to_string(ini.ReadBool(section, key, false)) + "\n";
  EXPECT_TRUE(testing::MatchesKept("settings/ini-lookup.txt", produced));
}

// Every byte of the 8-bit form with the character it stands for and back, and
// UTF-8 at the edges of strictness (overlong, surrogates, beyond U+10FFFF, cut
// short) and characters with and without a byte of their own (π Φ and € have
// one, ã has not, for its byte means π) read as a file line, as a term and
// written back as 8 bits: kept in
// tests/pictures/text/encoding.txt.
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
        "\xF4\x90\x80\x80", "\xF5\x80\x80\x80", "\xC3", "\xC3\x41", "\xE2\x82", "\xCF\x80\xCE\xA6",
        "\xE2\x82\xAC", "\xC3\xA3"}) {
    TextForm form;
    const std::string line = std::string("a") + edge + "\r\nb\xE4\n";
    const std::string text = DecodeText(line, form);
    produced += hex(line) + " " + hex(text) + (form.utf8 ? " utf8 " : " 8bit ") +
                hex(EightBitText(std::string(edge))) + " " + hex(EncodeText(text, TextForm{})) +
                "\n";
  }
  EXPECT_TRUE(testing::MatchesKept("text/encoding.txt", produced));
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
