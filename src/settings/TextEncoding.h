// The program's files are 8-bit text (Windows-1252, with byte 0xE3 for pi and
// 0xE8 for phi in terms). Files edited in a modern editor may be UTF-8 instead;
// this brings such text back to the 8-bit form.
#pragma once

#include <string>

namespace kurvio {

// Text that is valid UTF-8 and contains a non-ASCII character is converted to
// the 8-bit form (π -> 0xE3, Φ -> 0xE8, a character without a byte -> '?');
// any other text is returned as it is.
std::string EightBitText(const std::string& text);

// The character a byte of the 8-bit form stands for: 0xE3 -> π, 0xE8 -> Φ,
// every other byte as Windows-1252 (unassigned ones as their C1 code point).
char32_t CodePointOfByte(unsigned char byte);
// The byte of a character in the 8-bit form; '?' when it has none.
char ByteOfCodePoint(char32_t cp);

}  // namespace kurvio
