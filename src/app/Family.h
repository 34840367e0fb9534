// SPDX-License-Identifier: GPL-3.0-or-later
// The function families of the main window, without any user interface: the
// value of a family member, the vertex, the scroll grid of the parameters,
// the checks of bounds and coordinate window, and the colour spectrum.
#pragma once

#include <string>

#include "plot/Canvas.h"

namespace kurvio {

// The family parameters live in the settings globals ParamA..ParamT with
// their bounds; kinds: 1 and 6 a·x+b, 2 a·x²+b·x+c, 3 a(x-b)²+c, 4 the term,
// 5 its derivative, 7 a·f(x-b)+c, 8 a·f'(x-b).
double FamilyValue(int kind, double x);

// The vertex of kind 2 (a·x²+b·x+c), or (b, c) for the shifted families. Needs a != 0.
void FamilyVertex(int kind, double& xS, double& yS);
// "S(1,2|-0,5)": the vertex label with 2 significant digits.
std::string VertexLabel(double xS, double yS);

// One parameter with its bounds, by reference into the settings globals.
struct ParamRef {
  double& value;
  double& lower;
  double& upper;
  const double& startLower;
  const double& startUpper;
};
// 0 = a, 1 = b, 2 = c, 3 = t.
ParamRef FamilyParam(int index);
inline constexpr int kFamilyParamCount = 4;

// Bounds that coincide exactly are replaced by those of StartValues.
void RestoreEqualBounds();

// The main window's check of the coordinate window: limits -10000 below and
// 100000 above; a width or height outside 0.0001..1e7 brings back StartValues.
void WertePruefen();
void InitWerte();

// Colour of spectrum 1..12 for the fraction k = 0..254.
Color SpectrumTableColor(int spectrum, int k);
// The spectrum colour of parameter p within p1..p2.
Color SpectrumColor(int spectrum, double p, double p1, double p2);

}  // namespace kurvio
