// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/TextEncoding.h"

#include <algorithm>
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

// The length of the strict UTF-8 sequence (no overlong forms, no surrogates)
// at text[i], with its code point in `cp`; 0 when there is none.
std::size_t DecodeOne(const std::string& text, std::size_t i, char32_t& cp) {
  const auto b0 = static_cast<unsigned char>(text[i]);
  std::size_t extra;
  if (b0 < 0x80) {
    cp = b0;
    return 1;
  } else if (b0 >= 0xC2 && b0 <= 0xDF) {
    extra = 1, cp = b0 & 0x1F;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    extra = 2, cp = b0 & 0x0F;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    extra = 3, cp = b0 & 0x07;
  } else {
    return 0;
  }
  if (i + extra >= text.size()) return 0;
  for (std::size_t k = 1; k <= extra; ++k) {
    const auto b = static_cast<unsigned char>(text[i + k]);
    if ((b & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b & 0x3F);
  }
  if ((extra == 2 && cp < 0x800) || (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF)) ||
      (cp >= 0xD800 && cp <= 0xDFFF))
    return 0;
  return extra + 1;
}

// Decodes strict UTF-8; nullopt if it is not.
std::optional<std::vector<char32_t>> DecodeUtf8(const std::string& text) {
  std::vector<char32_t> out;
  out.reserve(text.size());
  char32_t cp;
  for (std::size_t i = 0, n; i < text.size(); i += n) {
    n = DecodeOne(text, i, cp);
    if (n == 0) return std::nullopt;
    out.push_back(cp);
  }
  return out;
}

bool IsUtf8(const std::string& text, std::size_t begin, std::size_t end) {
  char32_t cp;
  for (std::size_t i = begin, n; i < end; i += n) {
    n = DecodeOne(text, i, cp);
    if (n == 0 || i + n > end) return false;
  }
  return true;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

constexpr char kBom[] = "\xEF\xBB\xBF";

// The end of the line starting at `pos` (the first CR or LF), and in `next` where the next
// line starts.
std::size_t LineEndAt(const std::string& text, std::size_t pos, std::size_t& next) {
  const std::size_t end = std::min(text.find_first_of("\r\n", pos), text.size());
  next = end;
  if (end < text.size()) next += text.compare(end, 2, "\r\n") == 0 ? 2 : 1;
  return end;
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

std::string DecodeText(const std::string& bytes, TextForm& form) {
  form = TextForm();
  std::size_t pos = 0;
  if (bytes.compare(0, 3, kBom) == 0) {
    form.utf8 = form.bom = true;
    pos = 3;
  }
  const bool wholeUtf8 = IsUtf8(bytes, pos, bytes.size());
  if (wholeUtf8)
    form.utf8 = form.utf8 || std::any_of(bytes.begin() + static_cast<std::ptrdiff_t>(pos),
                                         bytes.end(), [](char c) { return c & 0x80; });
  std::string text;
  text.reserve(bytes.size() - pos);
  bool firstEnd = true;
  while (pos < bytes.size()) {
    std::size_t next;
    const std::size_t end = LineEndAt(bytes, pos, next);
    if (wholeUtf8 || IsUtf8(bytes, pos, end)) {
      text.append(bytes, pos, end - pos);
    } else {
      text += Utf8OfEightBit(bytes.substr(pos, end - pos));
    }
    if (next > end) {
      text.push_back('\n');
      if (firstEnd) form.lineEnd = bytes.substr(end, next - end);
      firstEnd = false;
    }
    pos = next;
  }
  return text;
}

std::string EncodeText(const std::string& text, const TextForm& form) {
  std::string out;
  out.reserve(text.size() + text.size() / 16 + 3);
  if (!form.utf8) {
    char32_t cp;
    for (std::size_t pos = 0, next; pos < text.size(); pos = next) {
      const std::size_t end = LineEndAt(text, pos, next);
      for (std::size_t i = pos, n; i < end; i += n) {
        n = DecodeOne(text, i, cp);
        if (n == 0) {  // not UTF-8 after all: the byte stands for itself
          out.push_back(text[i]);
          n = 1;
          continue;
        }
        const char byte = ByteOfCodePoint(cp);
        if (byte == '?' && cp != '?') return EncodeText(text, {true, true, form.lineEnd});
        out.push_back(byte);
      }
      if (next > end) out += form.lineEnd;
    }
    return out;
  }
  if (form.bom) out += kBom;
  for (std::size_t pos = 0, next; pos < text.size(); pos = next) {
    const std::size_t end = LineEndAt(text, pos, next);
    out.append(text, pos, end - pos);
    if (next > end) out += form.lineEnd;
  }
  return out;
}

std::string Utf8OfEightBit(const std::string& eightBit) {
  std::string text;
  for (unsigned char byte : eightBit) AppendUtf8(text, CodePointOfByte(byte));
  return text;
}

}  // namespace kurvio
