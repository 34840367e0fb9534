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

}  // namespace kurvio
