// SPDX-License-Identifier: GPL-3.0-or-later
// The special points, domain breaks and stretches of a curve discussion.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <string>

#include "term/SpecialPoints.h"
#include "term/Term.h"

namespace kurvio {
namespace {

std::string Num(double v) {
  if (std::fabs(v) < 5e-5) v = 0;
  char buffer[32];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, 4);
  std::string s(buffer, end.ptr);
  while (s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  return s;
}

// "N(0) H(-1|2) T(1|-2) W(0|0) S(..) pole(2) gap(0)", and R(..) for the ends when asked.
std::string Points(const CurveFeatures& f, bool edges = false) {
  std::string s;
  for (const SpecialPoint& p : f.points) {
    if (p.kind == PointKind::Edge && !edges) continue;
    static const char* const kLetter[] = {"N", "H", "T", "W", "S", "R"};
    s += std::string(kLetter[static_cast<int>(p.kind)]) + "(" + Num(p.x);
    if (p.kind != PointKind::Zero) s += "|" + Num(p.y);
    s += ") ";
  }
  for (const DomainBreak& b : f.breaks)
    s += (b.kind == BreakKind::Pole ? "pole(" : "gap(") + Num(b.x) + ") ";
  for (const Stretch& u : f.undefined)
    s += "undef" + std::string(u.fromOpen ? "]" : "[") + Num(u.from) + ";" + Num(u.to) +
         (u.toOpen ? "[" : "]") + " ";
  if (!s.empty()) s.pop_back();
  return s;
}

std::string Stretches(const std::vector<Stretch>& list) {
  static const char* const kTrend[] = {"up", "down", "const", "left", "right", "straight"};
  std::string s;
  for (const Stretch& t : list)
    s += std::string(kTrend[static_cast<int>(t.trend)]) + (t.fromOpen ? "]" : "[") +
         Num(t.from) + ";" + Num(t.to) + (t.toOpen ? "[" : "]") + " ";
  if (!s.empty()) s.pop_back();
  return s;
}

CurveFeatures Find(const char* text, double from, double to, TermInputs in = {}) {
  TermHandle term;
  CompileTerm(term, text, true);
  return FindCurveFeatures(term, in, from, to);
}

TEST(SpecialPointsTest, FoundAndNamedBySignChanges) {
  const struct {
    const char* term;
    double from, to;
    const char* points;
  } cases[] = {
      // clang-format off
      {"x^3-3x", -7, 7, "N(-1.7321) N(0) N(1.7321) H(-1|2) T(1|-2) W(0|0)"},
      {"x^4", -7, 7, "N(0) T(0|0)"},  // no inflection point where f'' only touches 0
      {"x^3", -7, 7, "N(0) S(0|0)"},
      {"x^3-0.001x", -7, 6, "N(-0.0316) N(0) N(0.0316) H(-0.0183|0) T(0.0183|0) W(0|0)"},
      {"(x-1)^2", -7, 7, "N(1) T(1|0)"},  // a double zero is an extremum too
      {"(x^2-1)^2", -7, 7, "N(-1) N(1) T(-1|0) H(0|1) T(1|0) W(-0.5774|0.4444) W(0.5774|0.4444)"},
      {"x*e^(-x)", -7, 7, "N(0) H(1|0.3679) W(2|0.2707)"},
      {"sin(x)", -7, 7, "N(-6.2832) N(-3.1416) N(0) N(3.1416) N(6.2832) H(-4.7124|1) "
                        "T(-1.5708|-1) H(1.5708|1) T(4.7124|-1) W(-6.2832|0) W(-3.1416|0) "
                        "W(0|0) W(3.1416|0) W(6.2832|0)"},
      {"1/(x-2)", -7, 7, "pole(2)"},
      {"1/x^2", -6.9, 7, "pole(0)"},  // even order: f' changes sign, f does not
      {"abs(x)-1", -7, 7, "N(-1) N(1) T(0|-1)"},  // a kink is an extremum
      {"abs(x^2-4)", -7, 7, "N(-2) N(2) T(-2|0) H(0|4) T(2|0)"},  // kinks between the samples
      {"x/x", -7, 7, "gap(0)"},
      {"sin(x)/x", -7, 6, "N(-6.2832) N(-3.1416) N(3.1416) T(-4.4934|-0.2172) T(4.4934|-0.2172) "
                          "W(-5.9404|-0.0566) W(-2.0816|0.4191) W(2.0816|0.4191) W(5.9404|-0.0566) "
                          "gap(0)"},  // no sample on the gap, and no high point there
      {"(x^2-2)/(x^2-2)", -7, 7, "gap(-1.4142) gap(1.4142)"},  // nor a double
      {"sqrt(x)", -7, 7, "N(0) undef[-7;0["},
      {"sqrt(4-x^2)", -7, 7, "N(-2) N(2) H(0|2) undef[-7;-2[ undef]2;7]"},  // zeros where the domain ends
      {"x^3-3x", 10, 20, ""},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.term);
    const CurveFeatures f = Find(c.term, c.from, c.to);
    EXPECT_EQ(Points(f), c.points);
    EXPECT_EQ(f.limit, "");
  }
}

TEST(SpecialPointsTest, ParametersWideningAndLimits) {
  // a x^2 + b x + c with a = -1, b = 4, c = 1: H(2 | 5); its zeros 2 +- sqrt 5.
  EXPECT_EQ(Points(Find("a*x^2+b*x+c", -7, 7, {0, 0, -1, 4, 1, 0})), "N(-0.2361) N(4.2361) H(2|5)");
  // An extremum outside the view is found once the interval reaches it.
  EXPECT_EQ(Points(Find("(x-12)^2+1", -7, 7)), "");
  EXPECT_EQ(Points(Find("(x-12)^2+1", -7, 20)), "T(12|1)");
  // Too many zeros to list: the search says so instead of listing some.
  const CurveFeatures wild = Find("sin(1/x)", -7, 7);
  EXPECT_EQ(wild.limit, "mehr als 50 Nullstellen – Intervall verkleinern");
  EXPECT_TRUE(wild.points.empty());
  // The ends are points at the edge, never extrema.
  EXPECT_EQ(Points(Find("x^2", 2, 5), true), "R(2|4) R(5|25)");
  EXPECT_EQ(Points(Find("x^2", 0, 5), true), "N(0) R(0|0) R(5|25)");
  EXPECT_EQ(Points(Find("ln(x-1)", -1, 5), true), "N(2) R(5|1.3863) undef[-1;1]");
  // An interval of no width, reversed or without an end holds nothing, not even its edge.
  for (const auto& [from, to] : {std::pair{1.0, 1.0}, {5.0, 2.0}, {0.0, std::nan("")}})
    EXPECT_EQ(Points(Find("x^2", from, to), true), "") << from << " " << to;
  EXPECT_EQ(Points(FindCurveFeatures(TermHandle(), {}, -7, 7), true), "");  // nor one of no term
  for (const char* flat : {"0*x", "(x-abs(x))/2", "(x+abs(x))/2"})
    EXPECT_EQ(Find(flat, -7, 7).limit, "f(x) = 0 auf einer Strecke – unendlich viele Nullstellen");
}

TEST(SpecialPointsTest, MonotonyAndCurvature) {
  const struct {
    const char* term;
    double from, to;
    const char* monotony;
    const char* curvature;
  } cases[] = {
      // clang-format off
      {"x^3-3x", -7, 7, "up[-7;-1] down[-1;1] up[1;7]", "right[-7;0] left[0;7]"},
      {"x^3", -7, 7, "up[-7;7]", "right[-7;0] left[0;7]"},  // a saddle does not cut monotony
      {"1/x", -7, 7, "down[-7;0[ down]0;7]", "right[-7;0[ left]0;7]"},
      {"sqrt(x)", -7, 7, "up[0;7]", "right[0;7]"},
      {"2x+1", -7, 7, "up[-7;7]", "straight[-7;7]"},
      {"5", -7, 7, "const[-7;7]", "straight[-7;7]"},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.term);
    const CurveFeatures f = Find(c.term, c.from, c.to);
    EXPECT_EQ(Stretches(f.monotony), c.monotony);
    EXPECT_EQ(Stretches(f.curvature), c.curvature);
  }
}

}  // namespace
}  // namespace kurvio
