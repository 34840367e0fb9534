// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/WmfText.h"

#include <cstdint>

namespace kurvio {
namespace {

// Advance widths in 1/1000 em of Arial (Liberation Sans has the same).
constexpr std::uint16_t kAsciiWidths[95] = {
    278,  278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278,  // ' '../
    556,  556, 556, 556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556,  // 0..?
    1015, 667, 667, 722, 722, 667, 611, 778, 722, 278, 500, 667, 556, 833, 722, 778,  // @..O
    667,  778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 278, 278, 278, 469, 556,  // P.._
    333,  556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833, 556, 556,  // `..o
    556,  556, 333, 500, 278, 556, 500, 722, 500, 500, 500, 334, 260, 334, 584};      // p..~

constexpr std::uint16_t kLatin1Widths[96] = {
    278, 333, 556, 556, 556, 556, 260,  556, 333, 737, 370, 556, 584, 333, 737, 552,   // A0..AF
    400, 549, 333, 333, 333, 576, 537,  278, 333, 333, 365, 556, 834, 834, 834, 611,   // B0..BF
    667, 667, 667, 667, 667, 667, 1000, 722, 667, 667, 667, 667, 278, 278, 278, 278,   // C0..CF
    722, 722, 778, 778, 778, 778, 778,  584, 778, 722, 722, 722, 722, 667, 667, 611,   // D0..DF
    556, 556, 556, 556, 556, 556, 889,  500, 556, 556, 556, 556, 278, 278, 278, 278,   // E0..EF
    556, 556, 556, 556, 556, 556, 556,  549, 611, 556, 556, 556, 556, 500, 556, 500};  // F0..FF

// The symbol font: letters are Greek, with their own widths.
constexpr std::uint16_t kSymbolUpper[26] = {722, 667, 722, 612, 611, 763, 603, 722, 333,
                                            631, 722, 686, 889, 722, 722, 768, 741, 556,
                                            592, 611, 690, 439, 768, 645, 795, 611};
constexpr std::uint16_t kSymbolLower[26] = {631, 549, 549, 494, 439, 521, 411, 603, 329,
                                            603, 549, 549, 576, 521, 549, 549, 521, 549,
                                            603, 439, 576, 713, 686, 493, 686, 494};

// Windows-1252 bytes 0x80..0x9F and the characters they stand for.
constexpr char32_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

struct SymbolCode {
  char32_t ch;
  unsigned char code;
};
constexpr SymbolCode kSymbolCodes[] = {
    {U'Α', 'A'},  {U'Β', 'B'},  {U'Χ', 'C'},  {U'Δ', 'D'},  {U'Ε', 'E'},  {U'Φ', 'F'},
    {U'Γ', 'G'},  {U'Η', 'H'},  {U'Ι', 'I'},  {U'ϑ', 'J'},  {U'Κ', 'K'},  {U'Λ', 'L'},
    {U'Μ', 'M'},  {U'Ν', 'N'},  {U'Ο', 'O'},  {U'Π', 'P'},  {U'Θ', 'Q'},  {U'Ρ', 'R'},
    {U'Σ', 'S'},  {U'Τ', 'T'},  {U'ϒ', 'U'},  {U'ς', 'V'},  {U'Ω', 'W'},  {U'Ξ', 'X'},
    {U'Ψ', 'Y'},  {U'Ζ', 'Z'},  {U'α', 'a'},  {U'β', 'b'},  {U'χ', 'c'},  {U'δ', 'd'},
    {U'ε', 'e'},  {U'φ', 'f'},  {U'γ', 'g'},  {U'η', 'h'},  {U'ι', 'i'},  {U'ϕ', 'j'},
    {U'κ', 'k'},  {U'λ', 'l'},  {U'μ', 'm'},  {U'ν', 'n'},  {U'ο', 'o'},  {U'π', 'p'},
    {U'θ', 'q'},  {U'ρ', 'r'},  {U'σ', 's'},  {U'τ', 't'},  {U'υ', 'u'},  {U'ϖ', 'v'},
    {U'ω', 'w'},  {U'ξ', 'x'},  {U'ψ', 'y'},  {U'ζ', 'z'},  {U'−', 0x2D}, {U'≤', 0xA3},
    {U'∞', 0xA5}, {U'≥', 0xB3}, {U'∂', 0xB6}, {U'≠', 0xB9}, {U'≈', 0xBB}, {U'√', 0xD6},
    {U'∑', 0xE5}, {U'∫', 0xF2}};

// Decodes one UTF-8 character at i; a broken sequence gives its first byte
// as a Latin-1 character, so 8-bit text comes through as it was.
char32_t NextChar(const std::string& s, std::size_t& i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char c = byte(i);
  int extra = 0;
  char32_t ch = c;
  if (c >= 0xC2 && c <= 0xDF) {
    extra = 1;
    ch = c & 0x1F;
  } else if (c >= 0xE0 && c <= 0xEF) {
    extra = 2;
    ch = c & 0x0F;
  } else if (c >= 0xF0 && c <= 0xF4) {
    extra = 3;
    ch = c & 0x07;
  }
  if (extra == 0 || i + extra >= s.size()) {
    ++i;
    return c;
  }
  for (int k = 1; k <= extra; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) {
      ++i;
      return c;
    }
    ch = (ch << 6) | (byte(i + k) & 0x3F);
  }
  i += extra + 1;
  return ch;
}

// The Windows-1252 byte of a character, or 0 when it has none.
unsigned char Cp1252Byte(char32_t ch) {
  if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF)) return static_cast<unsigned char>(ch);
  for (int k = 0; k < 32; ++k)
    if (kCp1252High[k] != 0 && kCp1252High[k] == ch) return static_cast<unsigned char>(0x80 + k);
  return 0;
}

unsigned char SymbolByte(char32_t ch) {
  for (const SymbolCode& s : kSymbolCodes)
    if (s.ch == ch) return s.code;
  return 0;
}

}  // namespace

std::vector<TextRun> SplitTextRuns(const std::string& utf8, bool symbolFont) {
  std::vector<TextRun> runs;
  auto add = [&](bool symbol, unsigned char byte) {
    if (runs.empty() || runs.back().symbol != symbol) runs.push_back({symbol, {}});
    runs.back().bytes.push_back(static_cast<char>(byte));
  };
  for (std::size_t i = 0; i < utf8.size();) {
    const char32_t ch = NextChar(utf8, i);
    if (ch == 0) continue;
    if (symbolFont) {
      // The symbol font shows its own codes; what has no code shows as '?'.
      add(true, ch <= 0xFF ? static_cast<unsigned char>(ch) : '?');
      continue;
    }
    if (const unsigned char b = Cp1252Byte(ch)) {
      add(false, b);
    } else if (ch >= U'\u2080' && ch <= U'\u2089') {
      // An index digit (n₀) has no byte of its own: the digit itself says it.
      add(false, static_cast<unsigned char>('0' + (ch - U'\u2080')));
    } else if (const unsigned char s = SymbolByte(ch)) {
      add(true, s);
    } else {
      add(false, '?');
    }
  }
  return runs;
}

double RunWidthEm(const TextRun& run, bool bold) {
  double total = 0.0;
  for (char c : run.bytes) {
    const unsigned char b = static_cast<unsigned char>(c);
    int w = 556;
    if (run.symbol) {
      if (b >= 'A' && b <= 'Z')
        w = kSymbolUpper[b - 'A'];
      else if (b >= 'a' && b <= 'z')
        w = kSymbolLower[b - 'a'];
      else if (b == ' ')
        w = 250;
      else if (b >= '0' && b <= '9')
        w = 500;
      else if (b >= 0x80)
        w = 549;
      else
        w = 500;
    } else if (b >= 0x20 && b < 0x7F) {
      w = kAsciiWidths[b - 0x20];
    } else if (b >= 0xA0) {
      w = kLatin1Widths[b - 0xA0];
    }
    total += w;
  }
  // Bold letters run about five per cent wider.
  return total / 1000.0 * (bold ? 1.05 : 1.0);
}

}  // namespace kurvio
