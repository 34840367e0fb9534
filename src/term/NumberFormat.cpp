#include "term/NumberFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
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

std::string Format(int decimals, double v, bool trailingBlanks) {
  // More decimals than a double carries make no sense and would only widen the text.
  decimals = std::clamp(decimals, 0, 15);
  if (!std::isfinite(v)) return std::string(static_cast<std::size_t>(decimals) + 1, ' ') + "---";

  const double m = std::fabs(v);
  if ((m > 0.1 && m < 100.0) || m < 1e-20) {
    if (m < 1e-20) v = 0.0;  // so small that it shows as zero, without a sign
    std::string text = Fixed(v, decimals, decimals + 4);
    if (trailingBlanks) text += "     ";
    return text;
  }

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
  if (v < 0.0) mantissa = -mantissa;
  return " " + Fixed(mantissa, decimals, decimals + 3) + " E" + sign + Integer(exponent);
}

}  // namespace

std::string FormatNumber(int decimals, double value) { return Format(decimals, value, true); }

std::string FormatNumberBare(int decimals, double value) { return Format(decimals, value, false); }

std::string FormatGeneral(double value, int precision, int exponentDigits, char decimalSeparator) {
  if (!std::isfinite(value)) return "---";
  if (value == 0.0) return "0";
  precision = std::clamp(precision, 1, 17);
  exponentDigits = std::clamp(exponentDigits, 1, 4);

  // All decimal digits of |value| (a double has at most 767 significant ones), so
  // that halves round away from zero as in school: 0.125 to 2 digits is 0.13.
  char buffer[800];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                          std::chars_format::scientific, 780);
  if (error != std::errc()) return "---";
  const std::string_view text(buffer, static_cast<std::size_t>(end - buffer));
  const std::size_t e = text.find('e');
  if (e == std::string_view::npos || e + 2 >= text.size()) return "---";
  std::string digits;
  for (char c : text.substr(0, e))
    if (c != '.') digits += c;
  int exponent = 0;
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
  out += 'E';
  if (exponent < 0) out += '-';
  const std::string magnitude = Integer(std::abs(exponent));
  if (magnitude.size() < static_cast<std::size_t>(exponentDigits))
    out.append(exponentDigits - magnitude.size(), '0');
  return out + magnitude;
}

}  // namespace kurvio
