// The program's number texts: the fixed or scientific form with a decimal comma
// shown in number fields, and the general form of labels and readouts.
// None of them depends on the C library's locale.
#pragma once

#include <string>

namespace kurvio {

// 0.1 < |v| < 100 (or |v| < 1e-20): '  1,50     '; otherwise '  2,50 E+2'.
std::string FormatNumber(int decimals, double value);
// FormatNumber without the five trailing blanks of the fixed form.
std::string FormatNumberBare(int decimals, double value);

// FormatNumber with only the decimals that `error` (an estimate of |value - exact|) leaves
// certain: each one fewer while the error is not below half a unit of the last digit shown.
// A value within the error of zero reads as zero. Empty where not even 0 decimals are certain.
std::string FormatCertain(int decimals, double value, double error);

// The general floating-point form: the value rounded to `precision` significant
// digits (1..17; halves away from zero), fixed notation without trailing zeros when the rounded
// value has at most `precision` digits before the separator and a magnitude of at least 0.00001,
// otherwise mantissa, "E", exponent ("-" only when negative, padded with zeros to `exponentDigits`,
// at most 4). 0 is "0", a value that is not finite "---". With ',': 1.234 (2, 1) "1,2"; 150 (2, 1)
// "1,5E2"; 123456 (5, 2) "1,2346E05"; 1e-6 (15, 1) "1E-6".
std::string FormatGeneral(double value, int precision, int exponentDigits, char decimalSeparator);

// The fixed form: the value rounded to `precision` significant digits, written with exactly
// `decimals` places (halves away from zero): 1.41421356 (5, 5) "1,41420", 2.5e-5 (5, 4) "0,0000"
// without a sign. More than `precision` digits before the separator give the general form's
// exponent notation with at least `decimals` (at most 4) exponent digits. Not finite: "---".
std::string FormatFixed(double value, int precision, int decimals, char decimalSeparator);

}  // namespace kurvio
