// SPDX-License-Identifier: GPL-3.0-or-later
// The rows of the list of a curve discussion: each special point with its
// kind, name and coordinates — exact where that is proven, the decimals after
// it — then the poles and gaps, the stretches of monotony and curvature, and
// what limited the search.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "term/SpecialPoints.h"

namespace kurvio {

// The texts of a place's coordinates where they are proven exact ("-√3", "0").
struct ExactCoordinates {
  std::string x, y;
};
// Looks up the exact coordinates of a zero of f^(order) (0 zeros, 1 extrema,
// 2 inflection and saddle points) near x, or with order -1 of the point of f at
// the end x of the interval; nullopt where none is proven.
using ExactLookup = std::function<std::optional<ExactCoordinates>(int order, double x)>;

// A point as the picture marks it: "N₁", "H", "W₂" at (x, y).
struct NamedPoint {
  std::string name;
  double x, y;
};

struct FeatureTexts {
  std::vector<std::string> rows;   // UTF-8
  std::vector<NamedPoint> marks;   // the named points
};

// "Hochpunkt H(-1 | 2)", "Nullstelle N₁(-√3 | 0) ≈ (-1,7321 | 0)",
// "Wendepunkt W ≈ (0,5671 | 0,1234)", "Polstelle x = 2",
// "streng monoton fallend auf [-1; 1]", with `decimals` places (at least 4).
FeatureTexts DescribeFeatures(const CurveFeatures& features, int decimals,
                              const ExactLookup& exact);

// The exact coordinates term/ExactForm proves for the points of the term (with a,
// b and c; t = n = 0) in [from, to]; null where the term has no exact form.
ExactLookup ExactPointsOf(const TermNode* root, double a, double b, double c, double from,
                          double to);

// How a list writes a place a search found: the exact text `exact` proves for a zero of
// f^(order) there, else its decimals ("2" for a place at 2 to far more digits than shown).
std::string PlaceText(double x, int decimals, const ExactLookup& exact, int order);
// A number the user gave (an end of an interval) as a list writes it: "-7", "1,5".
std::string GivenNumberText(double v);

// "gesucht in [-7; 7]".
std::string SearchedText(double from, double to);

}  // namespace kurvio
