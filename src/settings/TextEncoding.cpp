#include "settings/TextEncoding.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace kurvio {
namespace {

// Code points of Windows-1252 bytes 0x80..0x9F; 0 where the byte is unassigned.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// Decodes strict UTF-8 (no overlong forms, no surrogates); nullopt if it is not.
std::optional<std::vector<char32_t>> DecodeUtf8(const std::string& text) {
  std::vector<char32_t> out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const auto b0 = static_cast<unsigned char>(text[i]);
    int extra;
    char32_t cp;
    if (b0 < 0x80) {
      extra = 0, cp = b0;
    } else if (b0 >= 0xC2 && b0 <= 0xDF) {
      extra = 1, cp = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
      extra = 2, cp = b0 & 0x0F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
      extra = 3, cp = b0 & 0x07;
    } else {
      return std::nullopt;
    }
    if (i + static_cast<std::size_t>(extra) >= text.size()) return std::nullopt;
    for (int k = 1; k <= extra; ++k) {
      const auto b = static_cast<unsigned char>(text[i + k]);
      if ((b & 0xC0) != 0x80) return std::nullopt;
      cp = (cp << 6) | (b & 0x3F);
    }
    if ((extra == 2 && cp < 0x800) || (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF)) ||
        (cp >= 0xD800 && cp <= 0xDFFF))
      return std::nullopt;
    out.push_back(cp);
    i += static_cast<std::size_t>(extra) + 1;
  }
  return out;
}

}  // namespace

char ByteOfCodePoint(char32_t cp) {
  if (cp == 0x03C0) return '\xE3';  // π
  if (cp == 0x03A6) return '\xE8';  // Φ
  // 0xE3 and 0xE8 stand for π and Φ, so ã and è have no byte of their own.
  if (cp < 0x80 || (cp >= 0xA0 && cp < 0x100 && cp != 0xE3 && cp != 0xE8))
    return static_cast<char>(cp);
  // The unassigned bytes of 0x80..0x9F travel as their C1 code points.
  if (cp >= 0x80 && cp < 0xA0 && kCp1252High[cp - 0x80] == 0) return static_cast<char>(cp);
  for (int i = 0; i < 32; ++i)
    if (kCp1252High[i] != 0 && kCp1252High[i] == cp) return static_cast<char>(0x80 + i);
  return '?';
}

char32_t CodePointOfByte(unsigned char byte) {
  if (byte == 0xE3) return 0x03C0;
  if (byte == 0xE8) return 0x03A6;
  if (byte >= 0x80 && byte < 0xA0 && kCp1252High[byte - 0x80] != 0) return kCp1252High[byte - 0x80];
  return byte;
}

std::string EightBitText(const std::string& text) {
  bool ascii = true;
  for (char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) ascii = false;
  if (ascii) return text;
  const auto decoded = DecodeUtf8(text);
  if (!decoded) return text;
  std::string out;
  out.reserve(decoded->size());
  for (char32_t cp : *decoded) out.push_back(ByteOfCodePoint(cp));
  return out;
}

}  // namespace kurvio
