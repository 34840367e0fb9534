// SPDX-License-Identifier: GPL-3.0-or-later
#include "term/NumberFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>

namespace kurvio {
namespace {

// printf's "%*.*f" with a decimal comma.
std::string Fixed(double v, int decimals, int width) {
  // Only magnitudes below 100 (and mantissas below 10) come here, with at most 15 decimals.
  char buffer[64];
  const auto [end, error] =
      std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, decimals);
  if (error != std::errc()) return std::string(static_cast<std::size_t>(width), ' ');
  std::string text(buffer, end);
  std::replace(text.begin(), text.end(), '.', ',');
  if (text.size() < static_cast<std::size_t>(width)) text.insert(0, width - text.size(), ' ');
  return text;
}

std::string Integer(int n) {
  char buffer[16];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, n);
  return error == std::errc() ? std::string(buffer, end) : std::string();
}

// The exponent form: one blank, the mantissa with `decimals` places, " E", the exponent's sign
// and its digits: "  2,50 E+2", " -5,00 E-2".
std::string Exponent(int decimals, double v) {
  const double m = std::fabs(v);
  double mantissa = m;
  int exponent = 0;
  char sign;
  if (m > 1.0) {
    while (mantissa >= 10.0) {
      mantissa /= 10.0;
      ++exponent;
    }
    sign = '+';
  } else {
    while (mantissa < 0.999999999) {
      mantissa *= 10.0;
      ++exponent;
    }
    sign = '-';
  }
  // A mantissa that rounds up to 10 at its places is 1 of the next power: 999700 at two
  // places is 1,00 E+6, not 10,00 E+5.
  if (std::nearbyint(mantissa * std::pow(10.0, decimals)) >= 10.0 * std::pow(10.0, decimals)) {
    mantissa /= 10.0;
    exponent += sign == '+' ? 1 : -1;
  }
  if (v < 0.0) mantissa = -mantissa;
  return " " + Fixed(mantissa, decimals, decimals + 3) + " E" + sign + Integer(exponent);
}

// Below this magnitude a number keeps its fixed form: six digits before the separator at most.
constexpr double kFixedLimit = 1e5;

// Whether the fixed form with `decimals` places shows `m` well: within the range the fixed
// form always had, or with at least two significant digits, or exactly (0,05 and 0,1 with two
// places), and never with more than five digits before the separator.
bool FixedFits(int decimals, double m) {
  if (m > 0.1 && m < 100.0) return true;
  if (!(m < kFixedLimit)) return false;
  const double scale = std::pow(10.0, decimals);
  if (m * scale >= 10.0) return true;
  const double units = m * scale;
  return units >= 0.5 && std::fabs(units - std::nearbyint(units)) <= 1e-9 * units;
}

std::string Format(int decimals, double v, bool trailingBlanks) {
  // More decimals than a double carries make no sense and would only widen the text.
  decimals = std::clamp(decimals, 0, 15);
  if (!std::isfinite(v)) return std::string(static_cast<std::size_t>(decimals) + 1, ' ') + "---";

  const double m = std::fabs(v);
  if (m < 1e-20 || FixedFits(decimals, m)) {
    if (m < 1e-20) v = 0.0;  // so small that it shows as zero, without a sign
    std::string text = Fixed(v, decimals, decimals + 4);
    if (trailingBlanks) text += "     ";
    return text;
  }
  return Exponent(decimals, v);
}

std::string Trimmed(std::string text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The readout form: fixed with `decimals` places, a value that rounds to zero as zero
// without a sign; the exponent form only beyond the fixed form's digits.
std::string Readout(int decimals, double v) {
  decimals = std::clamp(decimals, 0, 15);
  if (!std::isfinite(v)) return "---";
  if (!(std::fabs(v) < kFixedLimit)) return Trimmed(Exponent(decimals, v));
  if (std::fabs(v) < 0.5 * std::pow(10.0, -decimals)) v = 0.0;
  std::string text = Trimmed(Fixed(v, decimals, 0));
  // A value a hair below half a unit can still round to zero with a sign: drop it.
  if (text[0] == '-' && text.find_first_of("123456789") == std::string::npos) text.erase(0, 1);
  return text;
}

// The decimal digits of |value| rounded to `precision` significant ones (halves away from
// zero, as in school: 0.125 to 2 digits is 0.13) and the decimal exponent of the first.
bool RoundedDigits(double value, int precision, std::string& digits, int& exponent) {
  // All decimal digits of |value| (a double has at most 767 significant ones).
  char buffer[800];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                          std::chars_format::scientific, 780);
  if (error != std::errc()) return false;
  const std::string_view text(buffer, static_cast<std::size_t>(end - buffer));
  const std::size_t e = text.find('e');
  if (e == std::string_view::npos || e + 2 >= text.size()) return false;
  digits.clear();
  for (char c : text.substr(0, e))
    if (c != '.') digits += c;
  exponent = 0;
  std::from_chars(text.data() + e + 2, text.data() + text.size(), exponent);
  if (text[e + 1] == '-') exponent = -exponent;

  const bool roundUp = digits[static_cast<std::size_t>(precision)] >= '5';
  digits.resize(static_cast<std::size_t>(precision));
  if (roundUp) {
    std::size_t i = digits.size();
    while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
    if (i > 0) {
      ++digits[i - 1];
    } else {  // 9.99 -> 10.0: one more digit before the separator
      digits.insert(digits.begin(), '1');
      digits.pop_back();
      ++exponent;
    }
  }
  return true;
}

}  // namespace

std::string FormatNumber(int decimals, double value) { return Format(decimals, value, true); }

std::string FormatNumberBare(int decimals, double value) { return Format(decimals, value, false); }

std::string FormatReadout(int decimals, double value) { return Readout(decimals, value); }

double ZeroWithin(double value, double tolerance) {
  return std::fabs(value) <= tolerance ? 0.0 : value;
}

double SlopeRounding(double x, double y, double curvature) {
  const double fromX =
      std::isfinite(curvature) ? std::fabs(curvature) * 1e-9 * std::max(std::fabs(x), 1.0) : 0.0;
  return fromX + 8 * std::numeric_limits<double>::epsilon() * std::fabs(y);
}

std::string FormatCertain(int decimals, double value, double error) {
  if (!std::isfinite(value) || !(error >= 0.0) || !std::isfinite(error)) return {};
  if (std::fabs(value) <= error) value = 0.0;
  for (int d = std::clamp(decimals, 0, 15); d >= 0; --d) {
    std::string text = Readout(d, value);
    // The unit of the last digit: 10^-d, or 10^(exponent - d) in the exponent form.
    int exponent = 0;
    const std::size_t e = text.find('E');
    if (e != std::string::npos) {
      std::from_chars(text.data() + e + 2, text.data() + text.size(), exponent);
      if (text[e + 1] == '-') exponent = -exponent;
    }
    if (error < 0.5 * std::pow(10.0, exponent - d)) return text;
  }
  return {};
}

std::string FormatGeneral(double value, int precision, char decimalSeparator) {
  if (!std::isfinite(value)) return "---";
  if (value == 0.0) return "0";
  precision = std::clamp(precision, 1, 17);
  std::string digits;
  int exponent = 0;
  if (!RoundedDigits(value, precision, digits, exponent)) return "---";
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string out = value < 0.0 ? "-" : "";
  // Fixed: at most `precision` digits before the separator, and at least 0.00001.
  if (exponent >= -5 && exponent < precision) {
    if (exponent < 0) {
      out += '0';
      out += decimalSeparator;
      out.append(static_cast<std::size_t>(-exponent - 1), '0');
      out += digits;
    } else {
      const std::size_t whole = static_cast<std::size_t>(exponent) + 1;
      if (digits.size() < whole) digits.append(whole - digits.size(), '0');
      out += digits.substr(0, whole);
      if (digits.size() > whole) {
        out += decimalSeparator;
        out += digits.substr(whole);
      }
    }
    return out;
  }
  out += digits[0];
  if (digits.size() > 1) {
    out += decimalSeparator;
    out += digits.substr(1);
  }
  // The exponent as FormatNumber writes it, so that every readout has one exponent form.
  out += exponent < 0 ? " E-" : " E+";
  return out + Integer(std::abs(exponent));
}

std::string FormatFixed(double value, int precision, int decimals, char decimalSeparator) {
  if (!std::isfinite(value)) return "---";
  precision = std::clamp(precision, 1, 17);
  decimals = std::clamp(decimals, 0, 17);
  std::string digits(static_cast<std::size_t>(precision), '0');
  int exponent = 0;
  if (value != 0.0 && !RoundedDigits(value, precision, digits, exponent)) return "---";
  // More digits before the separator than the precision keeps: the exponent form.
  if (exponent >= precision) return FormatGeneral(value, precision, decimalSeparator);

  std::string whole, fraction;
  if (exponent >= 0) {
    whole = digits.substr(0, static_cast<std::size_t>(exponent) + 1);
    fraction = digits.substr(static_cast<std::size_t>(exponent) + 1);
  } else {
    whole = "0";
    fraction = std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
  }
  // Then to `decimals` places, again halves away from zero.
  if (fraction.size() > static_cast<std::size_t>(decimals)) {
    const bool roundUp = fraction[static_cast<std::size_t>(decimals)] >= '5';
    fraction.resize(static_cast<std::size_t>(decimals));
    if (roundUp) {
      std::string all = whole + fraction;
      std::size_t i = all.size();
      while (i > 0 && all[i - 1] == '9') all[--i] = '0';
      if (i > 0)
        ++all[i - 1];
      else
        all.insert(all.begin(), '1');
      whole = all.substr(0, all.size() - fraction.size());
      fraction = all.substr(whole.size());
    }
  }
  fraction.append(static_cast<std::size_t>(decimals) - fraction.size(), '0');
  const bool zero = (whole + fraction).find_first_not_of('0') == std::string::npos;
  std::string out = value < 0.0 && !zero ? "-" : "";
  out += whole;
  if (decimals > 0) {
    out += decimalSeparator;
    out += fraction;
  }
  return out;
}

}  // namespace kurvio
