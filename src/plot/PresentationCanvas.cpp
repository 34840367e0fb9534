// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/PresentationCanvas.h"

#include <algorithm>

#include "plot/ColourVision.h"
#include "plot/PlotFrame.h"
#include "settings/Settings.h"

namespace kurvio {
namespace {

// Brightness 0..1 as the eye weighs red, green and blue.
double Lightness(Color c) {
  return (0.299 * RedOf(c) + 0.587 * GreenOf(c) + 0.114 * BlueOf(c)) / 255.0;
}

// Hue in degrees (0 red, 60 yellow, 120 green, 240 blue) and saturation 0..1.
void HueOf(Color c, double& hue, double& saturation) {
  const int r = RedOf(c), g = GreenOf(c), b = BlueOf(c);
  const int hi = std::max({r, g, b}), lo = std::min({r, g, b});
  saturation = hi == 0 ? 0.0 : static_cast<double>(hi - lo) / hi;
  hue = 0.0;
  if (hi == lo) return;
  const double d = hi - lo;
  if (hi == r)
    hue = 60.0 * ((g - b) / d);
  else if (hi == g)
    hue = 60.0 * ((b - r) / d + 2.0);
  else
    hue = 60.0 * ((r - g) / d + 4.0);
  if (hue < 0) hue += 360.0;
}

// The program's colours that stay too alike for one of the common colour-vision
// deficiencies beside their partners (f' and f'', sine and cosine, secant and
// tangent, the legs of a slope triangle, δ and f(δ)), each with one apart from
// the others in lightness and hue for all three.
struct Replacement {
  Color from, to;
};
constexpr Replacement kDistinct[] = {
    {RGB(255, 0, 0), RGB(213, 94, 0)},    // red: vermilion
    {RGB(128, 0, 0), RGB(0, 140, 120)},   // dark red: blue-green
    {RGB(128, 0, 128), RGB(120, 60, 0)},  // purple: brown
    {RGB(0, 128, 0), RGB(0, 114, 178)},   // dark green: sky blue
};

// Black curves over an area keep WCAG's enhanced contrast of 7 : 1.
constexpr double kAreaContrast = 7.0;

}  // namespace

Color PresentationColor(Color colour, Color background) {
  if (colour == background || Lightness(background) < 0.6) return colour;
  for (const Replacement& r : kDistinct) {
    if (colour == r.from) return r.to;
    if (colour == r.to) return colour;
  }
  double hue = 0.0, saturation = 0.0;
  HueOf(colour, hue, saturation);
  const double light = Lightness(colour);
  if (saturation < 0.2) return light > 0.6 ? RGB(96, 96, 96) : colour;  // light grey
  if (light <= 0.4) return colour;
  // Yellow becomes a deep gold, green a bluish green: both stay apart from
  // red for eyes that confuse red and green.
  if (hue >= 40.0 && hue < 75.0) return RGB(204, 150, 0);
  if (hue >= 75.0 && hue < 165.0) return RGB(0, 140, 120);
  // Any other hue darkened to the same lightness.
  const double f = 0.4 / light;
  return RGB(static_cast<int>(RedOf(colour) * f), static_cast<int>(GreenOf(colour) * f),
             static_cast<int>(BlueOf(colour) * f));
}

Color PresentationAreaColor(Color colour, Color background) {
  if (Lightness(background) < 0.6 || ContrastRatio(colour, kBlack) >= kAreaContrast) return colour;
  // Mixed with white in small steps until black stands out enough: the hue stays.
  for (int step = 1;; ++step) {
    const auto mix = [step](int c) { return c + (255 - c) * step / 32; };
    const Color lighter = RGB(mix(RedOf(colour)), mix(GreenOf(colour)), mix(BlueOf(colour)));
    if (ContrastRatio(lighter, kBlack) >= kAreaContrast) return lighter;
  }
}

Color PresentationCanvas::ColourCache::Shown(Color colour, Color background,
                                            Color (*shown)(Color, Color)) {
  // A curve is thousands of calls in one colour.
  if (!valid || colour != in || background != ground) {
    valid = true;
    in = colour;
    ground = background;
    out = shown(colour, ground);
  }
  return out;
}

void PresentationCanvas::Pass() {
  device_.pen = pen;
  device_.pen.color = penColours_.Shown(pen.color, background_, PresentationColor);
  device_.brush = brush;
  device_.brush.color = brush.area
                            ? areaColours_.Shown(brush.color, background_, PresentationAreaColor)
                            : brushColours_.Shown(brush.color, background_, PresentationColor);
  // The font only when it changed: the name is a string, and a curve is
  // thousands of calls.
  if (shownFont_ != font) {
    shownFont_ = font;
    device_.font = font;
    device_.font.color = PresentationColor(font.color, background_);
    device_.font.size = 2 * font.size;
  }
}

PictureCanvas::PictureCanvas(Canvas& device, bool presentation, Color background)
    : device_(device) {
  ForgetPlacedLabels();  // a new drawing: its labels make room for each other afresh
  if (presentation) shown_.emplace(device, background);
}

}  // namespace kurvio
