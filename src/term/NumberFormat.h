// The program's number display: fixed or scientific form with a decimal comma.
#pragma once

#include <string>

namespace kurvio {

// 0.1 < |v| < 100 (or |v| < 1e-20): '  1,50     '; otherwise '  2,50 E+2'.
std::string FormatNumber(int decimals, double value);
// FormatNumber without the five trailing blanks of the fixed form.
std::string FormatNumberBare(int decimals, double value);

}  // namespace kurvio
