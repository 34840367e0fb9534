// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Family.h"

#include "module/ViewCheck.h"

#include <cmath>

#include "settings/Settings.h"
#include "term/NumberFormat.h"
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

std::string VertexLabel(double xS, double yS) {
  return "S(" + FormatGeneral(xS, 2, DecimalSeparator) + "|" +
         FormatGeneral(yS, 2, DecimalSeparator) + ")";
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

void InitWerte() { kurvio::InitWerte(PlotView()); }

void WertePruefen() {
  kurvio::WertePruefen(PlotView(), [] { InitWerte(); });
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
