// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/ColourVision.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kurvio {
namespace {

using Matrix = double[3][3];

constexpr Matrix kIdentity = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
constexpr Matrix kDeuteranopia = {{0.367322, 0.860646, -0.227968},
                                  {0.280085, 0.672501, 0.047413},
                                  {-0.011820, 0.042940, 0.968881}};
constexpr Matrix kProtanopia = {{0.152286, 1.052583, -0.204868},
                                {0.114503, 0.786281, 0.099216},
                                {-0.003882, -0.048116, 1.051998}};
constexpr Matrix kTritanopia = {{1.255528, -0.076749, -0.178779},
                                {-0.078411, 0.930809, 0.147602},
                                {0.004733, 0.691367, 0.303900}};

const Matrix& MatrixFor(ColourVision vision) {
  switch (vision) {
    case ColourVision::Deuteranopia:
      return kDeuteranopia;
    case ColourVision::Protanopia:
      return kProtanopia;
    case ColourVision::Tritanopia:
      return kTritanopia;
    case ColourVision::Normal:
      break;
  }
  return kIdentity;
}

double Linear(int channel) {
  const double c = channel / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double LabF(double t) {
  constexpr double kEpsilon = 216.0 / 24389.0, kKappa = 24389.0 / 27.0;
  return t > kEpsilon ? std::cbrt(t) : (kKappa * t + 16.0) / 116.0;
}

double Degrees(double radians) { return radians * 180.0 / std::numbers::pi; }
double Radians(double degrees) { return degrees * std::numbers::pi / 180.0; }

}  // namespace

Lab SeenLab(Color colour, ColourVision vision) {
  const double in[3] = {Linear(RedOf(colour)), Linear(GreenOf(colour)), Linear(BlueOf(colour))};
  const Matrix& m = MatrixFor(vision);
  double rgb[3];
  for (int i = 0; i < 3; ++i)
    rgb[i] = std::clamp(m[i][0] * in[0] + m[i][1] * in[1] + m[i][2] * in[2], 0.0, 1.0);
  const double x = 0.4124 * rgb[0] + 0.3576 * rgb[1] + 0.1805 * rgb[2];
  const double y = 0.2126 * rgb[0] + 0.7152 * rgb[1] + 0.0722 * rgb[2];
  const double z = 0.0193 * rgb[0] + 0.1192 * rgb[1] + 0.9505 * rgb[2];
  const double fx = LabF(x / 0.95047), fy = LabF(y), fz = LabF(z / 1.08883);
  return {116.0 * fy - 16.0, 500.0 * (fx - fy), 200.0 * (fy - fz)};
}

double DeltaE2000(const Lab& p, const Lab& q) {
  const double meanChroma = (std::hypot(p.a, p.b) + std::hypot(q.a, q.b)) / 2;
  const double c7 = std::pow(meanChroma, 7);
  const double g = 0.5 * (1 - std::sqrt(c7 / (c7 + std::pow(25.0, 7))));
  const double a1 = (1 + g) * p.a, a2 = (1 + g) * q.a;
  const double c1 = std::hypot(a1, p.b), c2 = std::hypot(a2, q.b);
  const auto hue = [](double b, double a) {
    const double h = Degrees(std::atan2(b, a));
    return h < 0 ? h + 360 : h;
  };
  const double h1 = c1 == 0 ? 0 : hue(p.b, a1), h2 = c2 == 0 ? 0 : hue(q.b, a2);
  double dh = 0;
  if (c1 * c2 != 0) {
    dh = h2 - h1;
    if (dh > 180) dh -= 360;
    if (dh < -180) dh += 360;
  }
  const double dL = q.L - p.L, dC = c2 - c1;
  const double dH = 2 * std::sqrt(c1 * c2) * std::sin(Radians(dh / 2));
  const double meanL = (p.L + q.L) / 2, meanC = (c1 + c2) / 2;
  double meanH = h1 + h2;
  if (c1 * c2 != 0) {
    if (std::fabs(h1 - h2) <= 180)
      meanH /= 2;
    else
      meanH = meanH < 360 ? (meanH + 360) / 2 : (meanH - 360) / 2;
  }
  const double t = 1 - 0.17 * std::cos(Radians(meanH - 30)) + 0.24 * std::cos(Radians(2 * meanH)) +
                   0.32 * std::cos(Radians(3 * meanH + 6)) -
                   0.20 * std::cos(Radians(4 * meanH - 63));
  const double rotation = 30 * std::exp(-std::pow((meanH - 275) / 25, 2));
  const double meanC7 = std::pow(meanC, 7);
  const double rc = 2 * std::sqrt(meanC7 / (meanC7 + std::pow(25.0, 7)));
  const double sl = 1 + 0.015 * std::pow(meanL - 50, 2) / std::sqrt(20 + std::pow(meanL - 50, 2));
  const double sc = 1 + 0.045 * meanC, sh = 1 + 0.015 * meanC * t;
  const double rt = -std::sin(Radians(2 * rotation)) * rc;
  const double l = dL / sl, c = dC / sc, h = dH / sh;
  return std::sqrt(l * l + c * c + h * h + rt * c * h);
}

double ColourDifference(Color first, Color second, ColourVision vision) {
  return DeltaE2000(SeenLab(first, vision), SeenLab(second, vision));
}

double RelativeLuminance(Color colour) {
  return 0.2126 * Linear(RedOf(colour)) + 0.7152 * Linear(GreenOf(colour)) +
         0.0722 * Linear(BlueOf(colour));
}

double ContrastRatio(Color a, Color b) {
  const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace kurvio
