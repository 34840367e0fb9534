#include "app/Family.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "settings/Settings.h"
#include "term/Term.h"

namespace kurvio {

double FamilyValue(int kind, double x) {
  const double a = ParamA, b = ParamB, c = ParamC, t = ParamT;
  switch (kind) {
    case 1:
    case 6:
      TermDefined = true;
      return a * x + b;
    case 2:
      TermDefined = true;
      return a * x * x + b * x + c;
    case 3:
      TermDefined = true;
      return (x - b) * a * (x - b) + c;
    case 4:
      return EvalTerm(MainTerm, x, t, a, b, c, 0);
    case 5:
      return EvalDerivative(MainTerm, 1, x, t, a, b, c, 0);
    case 7:
      return EvalDerivative(MainTerm, 0, x - b, t, a, b, c, 0) * a + c;
    case 8:
      return EvalDerivative(MainTerm, 1, x - b, t, a, b, c, 0) * a;
    default:
      TermDefined = false;
      return 0.0;
  }
}

void FamilyVertex(int kind, double& xS, double& yS) {
  if (kind == 2) {
    xS = -ParamB / (2 * ParamA);
    yS = ParamC - ParamB * ParamB / (4 * ParamA);
  } else {
    xS = ParamB;
    yS = ParamC;
  }
}

std::string FormatGeneral(double v, int digits) {
  if (v == 0.0 || !std::isfinite(v)) return v == 0.0 ? "0" : "---";
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*e", digits - 1, v);
  const int exponent = std::atoi(std::strchr(buffer, 'e') + 1);
  std::string text;
  if (exponent < digits && std::fabs(v) >= 0.00001) {
    const int decimals = exponent >= digits - 1 ? 0 : digits - 1 - exponent;
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, v);
    text = buffer;
    if (text.find('.') != std::string::npos) {
      while (text.back() == '0') text.pop_back();
      if (text.back() == '.') text.pop_back();
    }
  } else {
    std::string mantissa(buffer, std::strchr(buffer, 'e'));
    if (mantissa.find('.') != std::string::npos) {
      while (mantissa.back() == '0') mantissa.pop_back();
      if (mantissa.back() == '.') mantissa.pop_back();
    }
    text = mantissa + "E" + std::to_string(exponent);
  }
  for (char& ch : text)
    if (ch == '.') ch = DecimalSeparator;
  return text;
}

std::string VertexLabel(double xS, double yS) {
  return "S(" + FormatGeneral(xS, 2) + "|" + FormatGeneral(yS, 2) + ")";
}

double ParamFromPosition(int n, double p1, double p2, int S) {
  if (S <= 0) return p1;
  return p1 + (p2 - p1) * n / S;
}

int PositionFromParam(double p, double p1, double p2, int S) {
  const double n = std::nearbyint((p - p1) * S / (p2 - p1));
  // Coinciding bounds or values far outside them must not overflow the conversion.
  if (!std::isfinite(n)) return 1;
  if (n > 1e9) return 1000000000;
  if (n < -1e9) return -1000000000;
  return static_cast<int>(n);
}

ParamRef FamilyParam(int index) {
  switch (index) {
    case 0:
      return {ParamA, ParamA1, ParamA2, StartValues.ParamA1, StartValues.ParamA2};
    case 1:
      return {ParamB, ParamB1, ParamB2, StartValues.ParamB1, StartValues.ParamB2};
    case 2:
      return {ParamC, ParamC1, ParamC2, StartValues.ParamC1, StartValues.ParamC2};
    default:
      return {ParamT, ParamT1, ParamT2, StartValues.ParamT1, StartValues.ParamT2};
  }
}

void RestoreEqualBounds() {
  for (int i = 0; i < kFamilyParamCount; ++i) {
    ParamRef p = FamilyParam(i);
    if (p.lower == p.upper) {
      p.lower = p.startLower;
      p.upper = p.startUpper;
    }
  }
}

void InitWerte() {
  x1 = StartValues.x1;
  x2 = StartValues.x2;
  y1 = StartValues.y1;
  y2 = StartValues.y2;
}

void WertePruefen() {
  if (x1 < -10000) x1 = -10000;
  if (y1 < -10000) y1 = -10000;
  if (x2 > 100000) x2 = 100000;
  if (y2 > 100000) y2 = 100000;
  auto unusable = [](double d) { return !(d <= 1e7) || d < 0.0001; };  // NaN too
  if (unusable(std::fabs(x2 - x1))) InitWerte();
  if (unusable(std::fabs(y2 - y1))) InitWerte();
}

Color SpectrumTableColor(int spectrum, int k) {
  const int j = 255 - k;
  switch (spectrum) {
    case 1:
      return RGB(k, 0, j);
    case 2:
      return RGB(0, j, k);
    case 3:
      return RGB(j, k, 0);
    case 4:
      return RGB(j, 0, 0);
    case 5:
      return RGB(0, j, 0);
    case 6:
      return RGB(0, 0, j);
    case 7:
      return RGB(0, k, 255);
    case 8:
      return RGB(k, 0, 255);
    case 9:
      return RGB(128, 0, k);
    case 10:
      return RGB(k, 0, 128);
    case 11:
      return RGB(0, k, 128);
    default:
      return RGB(k, k, k);
  }
}

Color SpectrumColor(int spectrum, double p, double p1, double p2) {
  double v = std::nearbyint(std::fabs((p - p1) / (p2 - p1)) * 127);
  if (!(v <= 127)) v = 127;  // also for coinciding bounds
  return SpectrumTableColor(spectrum, 2 * static_cast<int>(v));
}

}  // namespace kurvio
