#include "term/TermText.h"

namespace kurvio {
namespace {

// Windows-1252 0x80..0x9F; 0 marks the five unassigned bytes, kept as the C1 code point.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

constexpr char16_t kPi = 0x03C0;
constexpr char16_t kPhi = 0x03A6;

}  // namespace

QString TermToDisplay(const std::string& bytes) {
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()));
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b == 0xE3) {
      text.append(QChar(kPi));
    } else if (b == 0xE8) {
      text.append(QChar(kPhi));
    } else if (b >= 0x80 && b <= 0x9F && kCp1252High[b - 0x80] != 0) {
      text.append(QChar(kCp1252High[b - 0x80]));
    } else {
      text.append(QChar(b));
    }
  }
  return text;
}

std::string DisplayToTerm(const QString& text) {
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(text.size()));
  for (QChar qc : text) {
    const char16_t u = qc.unicode();
    if (u == kPi) {
      bytes.push_back('\xE3');
    } else if (u == kPhi) {
      bytes.push_back('\xE8');
    } else if (u < 0x100 && u != 0xE3 && u != 0xE8) {
      bytes.push_back(static_cast<char>(u));
    } else {
      char b = '?';
      for (int i = 0; i < 32; ++i)
        if (kCp1252High[i] == u && u != 0) b = static_cast<char>(0x80 + i);
      bytes.push_back(b);
    }
  }
  return bytes;
}

}  // namespace kurvio
