// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/Canvas.h"

#include <algorithm>
#include <cctype>

namespace kurvio {

std::vector<double> DashPattern(PenStyle style) {
  switch (style) {
    case PenStyle::Dash:
      return {4, 2};
    case PenStyle::Dot:
      return {1, 1};
    case PenStyle::DashDot:
      return {4, 2, 1, 2};
    case PenStyle::DashDotDot:
      return {4, 2, 1, 2, 1, 2};
    default:
      return {};
  }
}

bool IsSymbolFont(const std::string& name) {
  static const char kSymbol[] = "symbol";
  if (name.size() != sizeof kSymbol - 1) return false;
  for (std::size_t i = 0; i < name.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(name[i])) != kSymbol[i]) return false;
  return true;
}

std::string SymbolFontText(const std::string& text) {
  // The Greek letter each Latin letter stands for in the symbol font.
  static const char* const kLower[26] = {"α", "β", "χ", "δ", "ε", "φ", "γ", "η", "ι",
                                         "ϕ", "κ", "λ", "μ", "ν", "ο", "π", "θ", "ρ",
                                         "σ", "τ", "υ", "ϖ", "ω", "ξ", "ψ", "ζ"};
  static const char* const kUpper[26] = {"Α", "Β", "Χ", "Δ", "Ε", "Φ", "Γ", "Η", "Ι",
                                         "ϑ", "Κ", "Λ", "Μ", "Ν", "Ο", "Π", "Θ", "Ρ",
                                         "Σ", "Τ", "ϒ", "ς", "Ω", "Ξ", "Ψ", "Ζ"};
  std::string out;
  for (char c : text) {
    if (c >= 'a' && c <= 'z')
      out += kLower[c - 'a'];
    else if (c >= 'A' && c <= 'Z')
      out += kUpper[c - 'A'];
    else
      out.push_back(c);
  }
  return out;
}

namespace {

// "₀" … "₉" are E2 82 80 … E2 82 89.
bool SubscriptDigitAt(const std::string& text, std::size_t i) {
  return i + 2 < text.size() && text[i] == '\xE2' && text[i + 1] == '\x82' &&
         static_cast<unsigned char>(text[i + 2]) >= 0x80 &&
         static_cast<unsigned char>(text[i + 2]) <= 0x89;
}

// Walks the text in runs of plain text and single subscript digits (as plain
// digits), with the index font set while one is measured or drawn. `piece`
// gets the left edge, the run and whether it is an index, and returns its width.
template <class Piece>
int ForEachRun(Canvas& c, const std::string& text, Piece piece) {
  const Font font = c.font;
  int left = 0;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    const bool index = SubscriptDigitAt(text, i);
    if (!index && i < text.size()) continue;
    if (i > start) left += piece(left, text.substr(start, i - start), false);
    if (!index) break;
    c.font.size = std::max(1, (font.size * 7 + 5) / 10);
    left += piece(left, std::string(1, static_cast<char>('0' + (text[i + 2] - '\x80'))), true);
    c.font = font;
    start = i + 3;
    i += 2;
  }
  return left;
}

}  // namespace

void WriteText(Canvas& c, int x, int y, const std::string& text) {
  if (text.find("\xE2\x82") == std::string::npos) return c.TextOut(x, y, text);
  const int lowered = c.TextHeight(text) / 3;
  ForEachRun(c, text, [&](int left, const std::string& run, bool index) {
    c.TextOut(x + left, index ? y + lowered : y, run);
    return c.TextWidth(run);
  });
}

int WrittenTextWidth(Canvas& c, const std::string& text) {
  if (text.find("\xE2\x82") == std::string::npos) return c.TextWidth(text);
  return ForEachRun(c, text, [&](int, const std::string& run, bool) { return c.TextWidth(run); });
}

}  // namespace kurvio
