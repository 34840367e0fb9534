#include "term/NumberFormat.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace kurvio {
namespace {

// printf-style "%*.*f" without depending on the process locale.
std::string Fixed(double v, int decimals, int width) {
  char buffer[512];
  std::snprintf(buffer, sizeof buffer, "%*.*f", width, decimals, v);
  std::string text(buffer);
  for (char& c : text)
    if (c == '.' || c == ',') c = ',';
  return text;
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
  return " " + Fixed(mantissa, decimals, decimals + 3) + " E" + sign + std::to_string(exponent);
}

}  // namespace

std::string FormatNumber(int decimals, double value) { return Format(decimals, value, true); }

std::string FormatNumberBare(int decimals, double value) { return Format(decimals, value, false); }

}  // namespace kurvio
