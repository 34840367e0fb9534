// SPDX-License-Identifier: GPL-3.0-or-later
// How a colour is seen by eyes with one of the three common colour-vision
// deficiencies, how far apart two colours are seen, and how well a line
// stands out from its ground: what the presentation colours are chosen by.
#pragma once

#include "settings/Color.h"

namespace kurvio {

enum class ColourVision { Normal, Deuteranopia, Protanopia, Tritanopia };

// CIELAB under the D65 white.
struct Lab {
  double L = 0, a = 0, b = 0;
};

// The colour as `vision` sees it: the dichromat matrices of Machado, Oliveira
// and Fernandes (2009) at full severity, applied in linear sRGB, then CIELAB.
Lab SeenLab(Color colour, ColourVision vision);
// The CIEDE2000 difference of two CIELAB colours.
double DeltaE2000(const Lab& p, const Lab& q);
// The CIEDE2000 difference of two colours as `vision` sees them.
double ColourDifference(Color a, Color b, ColourVision vision);

// WCAG relative luminance, 0 for black to 1 for white.
double RelativeLuminance(Color colour);
// WCAG contrast ratio, 1 to 21.
double ContrastRatio(Color a, Color b);

}  // namespace kurvio
