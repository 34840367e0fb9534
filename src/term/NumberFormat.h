// SPDX-License-Identifier: GPL-3.0-or-later
// The program's number texts: the fixed or scientific form with a decimal comma
// shown in number fields, and the general form of labels and readouts.
// None of them depends on the C library's locale.
#pragma once

#include <string>

namespace kurvio {

// The text of a number field, which reads back to the value: the fixed form '  1,50     '
// (right-aligned, five trailing blanks) where it shows the value well — 0.1 < |v| < 100 as
// always, and below 100000 wherever it keeps two significant digits or is exact at its places
// ('  0,05     ', '  0,10     ', '250,00     '); |v| < 1e-20 is zero; otherwise the exponent
// form '  4,50 E-3', '  1,00 E+5'.
std::string FormatNumber(int decimals, double value);
// FormatNumber without the five trailing blanks of the fixed form.
std::string FormatNumberBare(int decimals, double value);

// The text of a readout: the value at `decimals` places, a value that rounds to zero as
// zero without a sign ('0,0000', never '-7,3238 E-11'), the exponent form of FormatNumber
// only from 100000 on. No blanks around it.
std::string FormatReadout(int decimals, double value);

// 0 where |value| is within `tolerance`, the rounding of its own computation; else the value.
double ZeroWithin(double value, double tolerance);

// What rounding alone may leave of a true zero in the slope of a tangent at x (value y,
// second derivative `curvature`, NaN where it has none): x is known to the ten digits of the
// term language's constants (pi/2 is 1,570796327), which moves the slope by f''(x) times
// that, and the evaluation rounds a few times more.
double SlopeRounding(double x, double y, double curvature);

// FormatReadout with only the decimals that `error` (an estimate of |value - exact|) leaves
// certain: each one fewer while the error is not below half a unit of the last digit shown.
// A value within the error of zero reads as zero. Empty where not even 0 decimals are certain.
std::string FormatCertain(int decimals, double value, double error);

// The general floating-point form: the value rounded to `precision` significant
// digits (1..17; halves away from zero), fixed notation without trailing zeros when the rounded
// value has at most `precision` digits before the separator and a magnitude of at least 0.00001,
// otherwise mantissa and the exponent as FormatNumber writes it. 0 is "0", a value that is not
// finite "---". With ',': 1.234 (2) "1,2"; 150 (2) "1,5 E+2"; 123456 (5) "1,2346 E+5";
// 1e-6 (15) "1 E-6".
std::string FormatGeneral(double value, int precision, char decimalSeparator);

// The fixed form: the value rounded to `precision` significant digits, written with exactly
// `decimals` places (halves away from zero): 1.41421356 (5, 5) "1,41420", 2.5e-5 (5, 4) "0,0000"
// without a sign. More than `precision` digits before the separator give the general form's
// exponent notation. Not finite: "---".
std::string FormatFixed(double value, int precision, int decimals, char decimalSeparator);

}  // namespace kurvio
