// SPDX-License-Identifier: GPL-3.0-or-later
// Presentation mode's colours: the curves a window draws side by side stay
// apart for eyes with deuteranopia, protanopia or tritanopia, and strips and
// areas stay light under black curves.
#include <gtest/gtest.h>

#include "plot/ColourVision.h"
#include "plot/PresentationCanvas.h"
#include "settings/IniFile.h"
#include "settings/Settings.h"

namespace kurvio {
namespace {

constexpr ColourVision kVisions[] = {ColourVision::Normal, ColourVision::Deuteranopia,
                                     ColourVision::Protanopia, ColourVision::Tritanopia};

TEST(ColourVision, DifferencesAndSimulationsMatchPublishedValues) {
  // CIEDE2000 test pairs of Sharma, Wu and Dalal (2005); sRGB red in CIELAB.
  EXPECT_NEAR(DeltaE2000({50, 2.6772, -79.7751}, {50, 0, -82.7485}), 2.0425, 1e-4);
  EXPECT_NEAR(DeltaE2000({22.7233, 20.0904, -46.694}, {23.0331, 14.973, -42.5619}), 2.0373, 1e-4);
  const Lab red = SeenLab(RGB(255, 0, 0), ColourVision::Normal);
  EXPECT_NEAR(red.L, 53.24, 0.05);
  EXPECT_NEAR(red.a, 80.09, 0.1);
  // Orange and olive are one colour to a red-green dichromat, not to a tritanope.
  const Color orange = RGB(200, 90, 0), olive = RGB(120, 120, 0);
  EXPECT_LT(ColourDifference(orange, olive, ColourVision::Deuteranopia), 10);
  EXPECT_LT(ColourDifference(orange, olive, ColourVision::Protanopia), 10);
  EXPECT_GT(ColourDifference(orange, olive, ColourVision::Tritanopia), 20);
  EXPECT_NEAR(ContrastRatio(RGB(96, 96, 96), kBlack), 3.34, 0.01);
}

// The colours of the curves one window draws together, as presentation mode
// draws them, with the file's colours and with "Defaultwerte".
TEST(PresentationColours, CurvesDrawnTogetherStayApartForEveryColourVision) {
  for (bool reset : {false, true}) {
    SetDefaultSettings();
    if (!reset) LoadSettings();  // no file: the file's defaults
    SetDefaultCircleColours();
    if (!reset)
      ReadSettingKeys(IniFile("[Farben]\ntangens=128\ncotangens=8388736\n"),
                      {"Farben/tangens", "Farben/cotangens"});
    const struct {
      const char* pair;
      Color a, b;
    } pairs[] = {
        {"f, f'", Farben::Zeichenstift, Farben::fStrich},
        {"f, f''", Farben::Zeichenstift, Farben::f2Strich},
        {"f', f''", Farben::fStrich, Farben::f2Strich},
        {"f, F", Farben::Zeichenstift, Farben::flaeche},
        {"secant, tangent", Farben::Sekante, Farben::Tangente},
        {"f, secant", Farben::Zeichenstift, Farben::Sekante},
        {"f, tangent or guess", Farben::Zeichenstift, Farben::Tangente},
        {"x rail, f(x) rail", RGB(255, 0, 0), RGB(0, 0, 255)},
        {"slope triangle's legs", RGB(0, 128, 0), RGB(255, 0, 0)},
        {"delta, f(delta)", Farben::delta, Farben::fvondelta},
        {"sin, cos", Farben::sinus, Farben::cosinus},
        {"tan, cot", Farben::tangens, Farben::cotangens},
    };
    for (const auto& p : pairs) {
      const Color a = PresentationColor(p.a, kWhite), b = PresentationColor(p.b, kWhite);
      for (ColourVision v : kVisions)
        EXPECT_GE(ColourDifference(a, b, v), 20)
            << p.pair << (reset ? " (Defaultwerte)" : "") << " vision " << static_cast<int>(v);
    }
  }
}

TEST(PresentationColours, AreasStayLightUnderBlackCurves) {
  const Color areas[] = {
      RGB(192, 192, 192),  // the epsilon strip
      RGB(255, 255, 187),  // the epsilon strip after "Defaultwerte"
      RGB(255, 255, 0),    // integral area, slope triangle
      RGB(0, 128, 0),      // integral area after "Defaultwerte"
      RGB(0, 255, 0),      // the unit circle's angle
      RGB(255, 0, 0),     RGB(0, 0, 128), kBlack,
  };
  for (Color area : areas) {
    const Color shown = PresentationAreaColor(area, kWhite);
    EXPECT_GE(ContrastRatio(shown, kBlack), 7) << area;
    // Only as much lighter as it takes: the hue stays, a light area stays as it is.
    if (ContrastRatio(area, kBlack) >= 7)
      EXPECT_EQ(shown, area);
    else
      EXPECT_LT(ContrastRatio(shown, kBlack), 8) << area;
    EXPECT_EQ(PresentationAreaColor(area, RGB(0, 0, 64)), area);  // a dark ground
  }
  // Lighter, not another hue: a grey stays grey, a green green.
  const Color grey = PresentationAreaColor(RGB(96, 96, 96), kWhite);
  const Color green = PresentationAreaColor(RGB(0, 128, 0), kWhite);
  EXPECT_TRUE(RedOf(grey) == GreenOf(grey) && GreenOf(grey) == BlueOf(grey)) << grey;
  EXPECT_TRUE(RedOf(green) == BlueOf(green) && BlueOf(green) < GreenOf(green)) << green;
}

}  // namespace
}  // namespace kurvio
