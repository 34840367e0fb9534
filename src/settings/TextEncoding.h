// SPDX-License-Identifier: GPL-3.0-or-later
// The program's files are 8-bit text (Windows-1252, with byte 0xE3 for pi and
// 0xE8 for phi in terms). Files edited in a modern editor may be UTF-8 instead;
// this brings such text back to the 8-bit form.
#pragma once

#include <string>

namespace kurvio {

// How a text file was written, so that saving it again keeps its form.
struct TextForm {
  bool utf8 = false;             // else the 8-bit form
  bool bom = false;              // UTF-8 with a byte order mark
  std::string lineEnd = "\r\n";  // the file's first line end: CR LF, LF or CR
};

// A file's bytes as UTF-8 text with "\n" for every line end (CR LF, LF and a
// lone CR each end a line), and in `form` how it was written. A file that is
// UTF-8 as a whole, or starts with a byte order mark, is UTF-8; in any other
// file a line that is valid UTF-8 is taken as such (a line a modern editor
// added) and every other line as the 8-bit form.
std::string DecodeText(const std::string& bytes, TextForm& form);
// UTF-8 text back to bytes in `form`, every line end (as DecodeText counts
// them) as form.lineEnd. Text that the 8-bit form cannot hold is written as
// UTF-8 with a byte order mark instead.
std::string EncodeText(const std::string& text, const TextForm& form);

// Text that is valid UTF-8 and contains a non-ASCII character is converted to
// the 8-bit form (π -> 0xE3, Φ -> 0xE8, a character without a byte -> '?');
// any other text is returned as it is.
std::string EightBitText(const std::string& text);

// Text of the 8-bit form as UTF-8, byte by byte (0xE3 -> π, 0xE8 -> Φ).
std::string Utf8OfEightBit(const std::string& eightBit);

// The character a byte of the 8-bit form stands for: 0xE3 -> π, 0xE8 -> Φ,
// every other byte as Windows-1252 (unassigned ones as their C1 code point).
char32_t CodePointOfByte(unsigned char byte);
// The byte of a character in the 8-bit form; '?' when it has none.
char ByteOfCodePoint(char32_t cp);

}  // namespace kurvio
