// SPDX-License-Identifier: GPL-3.0-or-later
#include "term/FeatureText.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "term/ExactForm.h"
#include "term/NumberFormat.h"

namespace kurvio {
namespace {

const char* const kSubscripts[] = {"₀", "₁", "₂", "₃", "₄", "₅", "₆", "₇", "₈", "₉"};

std::string Index(int n) {
  std::string digits = std::to_string(n), out;
  for (char d : digits) out += kSubscripts[d - '0'];
  return out;
}

// A number as an end of the searched interval: as the user typed it.
std::string Plain(double v) { return FormatGeneral(v, 10, ','); }

// A place found by the search: its decimals, without the trailing zeros where
// it is that number to far more digits than shown ("2" for a pole at 2).
std::string Place(double v, int decimals) {
  const double scale = std::pow(10.0, decimals);
  const double rounded = std::round(v * scale) / scale;
  if (std::fabs(v - rounded) <= 1e-12 * std::max(1.0, std::fabs(v))) return Plain(rounded);
  return FormatReadout(decimals, v);
}

bool Settled(double v, int decimals) {
  const double scale = std::pow(10.0, decimals);
  return std::fabs(v - std::round(v * scale) / scale) <= 1e-12 * std::max(1.0, std::fabs(v));
}

const char* KindName(PointKind k) {
  switch (k) {
    case PointKind::Zero: return "Nullstelle";
    case PointKind::High: return "Hochpunkt";
    case PointKind::Low: return "Tiefpunkt";
    case PointKind::Inflection: return "Wendepunkt";
    case PointKind::Saddle: return "Sattelpunkt";
    case PointKind::Edge: return "Randpunkt";
  }
  return "";
}

const char* Letter(PointKind k) {
  switch (k) {
    case PointKind::Zero: return "N";
    case PointKind::High: return "H";
    case PointKind::Low: return "T";
    case PointKind::Inflection: return "W";
    case PointKind::Saddle: return "S";
    case PointKind::Edge: return "R";
  }
  return "";
}

// Whether an exact text is just a decimal number, which needs no "≈" after it.
bool IsDecimal(const std::string& s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) {
    return (c >= '0' && c <= '9') || c == '-' || c == ',';
  });
}

const char* TrendText(Trend t) {
  switch (t) {
    case Trend::Rising: return "streng monoton steigend";
    case Trend::Falling: return "streng monoton fallend";
    case Trend::Constant: return "konstant";
    case Trend::LeftCurved: return "linksgekrümmt";
    case Trend::RightCurved: return "rechtsgekrümmt";
    case Trend::Straight: return "nicht gekrümmt";
  }
  return "";
}

}  // namespace

FeatureTexts DescribeFeatures(const CurveFeatures& f, int decimals, const ExactLookup& exact) {
  decimals = std::clamp(decimals, 4, 10);
  FeatureTexts out;
  if (!f.limit.empty()) out.rows.push_back(f.limit);

  // The exact texts of the places, where proven, to write the interval ends alike.
  std::map<double, std::string> exactX;
  std::map<std::string, int> count, used;
  for (const SpecialPoint& p : f.points) ++count[Letter(p.kind)];
  for (const SpecialPoint& p : f.points) {
    const std::string letter = Letter(p.kind);
    const std::string name =
        letter + (count[letter] > 1 ? Index(++used[letter]) : std::string());
    out.marks.push_back({name, p.x, p.y});
    const std::string dx = p.kind == PointKind::Edge ? Plain(p.x) : FormatReadout(decimals, p.x);
    const std::string dy = p.kind == PointKind::Zero ? "0" : FormatReadout(decimals, p.y);
    std::optional<ExactCoordinates> e;
    if (exact) e = exact(DerivativeOrderOf(p.kind), p.x);
    std::string row = std::string(KindName(p.kind)) + " " + name;
    if (e) {
      if (p.kind != PointKind::Edge) exactX[p.x] = e->x;
      row += "(" + e->x + " | " + e->y + ")";
      // The decimals after a form that is not one already; a decimal one stays as it is.
      if (!IsDecimal(e->x) || !IsDecimal(e->y))
        row += " ≈ (" + (IsDecimal(e->x) ? e->x : dx) + " | " + (IsDecimal(e->y) ? e->y : dy) + ")";
    } else if (p.kind == PointKind::Edge) {
      row += "(" + dx + " | " + (Settled(p.y, decimals) ? Place(p.y, decimals) : "≈ " + dy) + ")";
    } else {
      row += " ≈ (" + dx + " | " + dy + ")";
    }
    out.rows.push_back(row);
  }
  for (const DomainBreak& b : f.breaks) {
    const std::string x = Place(b.x, decimals);
    out.rows.push_back(std::string(b.kind == BreakKind::Pole ? "Polstelle" : "Definitionslücke") +
                       (Settled(b.x, decimals) ? " x = " : " x ≈ ") + x);
  }
  const auto end = [&](double v) {
    if (v == f.from || v == f.to) return Plain(v);
    const auto it = exactX.find(v);
    return it != exactX.end() ? it->second : Place(v, decimals);
  };
  const auto interval = [&](const Stretch& s) {
    return std::string(s.fromOpen ? "]" : "[") + end(s.from) + "; " + end(s.to) +
           (s.toOpen ? "[" : "]");
  };
  for (const Stretch& s : f.undefined) {
    if (s.from == f.from && s.to == f.to)
      out.rows.push_back("nicht definiert auf " + interval(s));
    else if (s.from == f.from)
      out.rows.push_back("nicht definiert für x " + std::string(s.toOpen ? "<" : "≤") + " " + end(s.to));
    else if (s.to == f.to)
      out.rows.push_back("nicht definiert für x " + std::string(s.fromOpen ? ">" : "≥") + " " +
                         end(s.from));
    else
      out.rows.push_back("nicht definiert auf " + interval(s));
  }
  for (const auto* list : {&f.monotony, &f.curvature})
    for (const Stretch& s : *list) out.rows.push_back(std::string(TrendText(s.trend)) + " auf " + interval(s));
  return out;
}

ExactLookup ExactPointsOf(const TermNode* root, double a, double b, double c, double from,
                          double to) {
  std::shared_ptr<const ExactFunction> f = ExactFunction::Of(root, a, b, c);
  if (!f) return nullptr;
  // The proven zeros of f, f' and f'', each found once.
  auto zeros = std::make_shared<std::map<int, std::vector<ExactNumber>>>();
  return [f, zeros, from, to](int order, double x) -> std::optional<ExactCoordinates> {
    std::optional<ExactNumber> place;
    if (order < 0) {
      place = ExactDecimal(x);
    } else {
      auto it = zeros->find(order);
      if (it == zeros->end()) it = zeros->emplace(order, f->Zeros(order, from, to)).first;
      for (const ExactNumber& z : it->second)
        if (std::fabs(z.value - x) <= 1e-7 * std::max(1.0, std::fabs(x))) place = z;
      if (!place) place = f->Recognise(order, x);
    }
    if (!place) return std::nullopt;
    if (order == 0) return ExactCoordinates{place->text, "0"};
    const std::optional<ExactNumber> y = f->ValueAt(*place);
    if (!y) return std::nullopt;
    return ExactCoordinates{order < 0 ? Plain(x) : place->text, y->text};
  };
}

std::string PlaceText(double x, int decimals, const ExactLookup& exact, int order) {
  if (exact)
    if (const std::optional<ExactCoordinates> e = exact(order, x)) return e->x;
  return Place(x, std::clamp(decimals, 4, 10));
}

std::string GivenNumberText(double v) { return Plain(v); }

std::string SearchedText(double from, double to) {
  return "gesucht in [" + Plain(from) + "; " + Plain(to) + "]";
}

}  // namespace kurvio
