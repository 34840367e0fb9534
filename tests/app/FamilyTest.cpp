// SPDX-License-Identifier: GPL-3.0-or-later
// The families of the main window without the window: every kind's values, the
// vertex and its label, equal bounds and every spectrum, one fact a line,
// compared with tests/pictures/families.txt (see support/KeptText.h).
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <tuple>

#include "app/Family.h"
#include "plot/PlotFrame.h"
#include "settings/IniFile.h"
#include "settings/Settings.h"
#include "support/KeptText.h"
#include "term/Term.h"

namespace kurvio {
namespace {

std::string N(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.17g", v);
  return text;
}

// a, b, c and t as the lines of a settings or lesson file give them, read as
// the program reads a window's lesson.
void UseParameters(const std::string& lines) {
  ReadSettingKeys(IniFile("[Parameter]\n" + lines),
                  {"Parameter/a", "Parameter/b", "Parameter/c", "Parameter/t"});
}

TEST(FamilyTest, ValuesVertexBoundsAndSpectraAreAsKept) {
  SetDefaultSettings();
  std::ostringstream out;
  UseParameters("a=2\nb=3\nc=-1\nt=0,5\n");
  for (const char* term : {"a*x^2+t", "sqrt(x)", "b*x-c"}) {
    CompileTerm(MainTerm, term, true);
    for (int kind = 0; kind <= 9; ++kind)
      for (double x : {-1.0, 2.0, 5.0}) {
        const double y = FamilyValue(kind, x);
        out << term << " kind " << kind << " at " << N(x) << ": "
            << (TermDefined ? N(y) : "undefined") << '\n';
      }
  }
  MainTerm.reset();
  for (const auto& [a, b, c] : {std::tuple{"2", "-4", "1"}, {"-0.5", "3", "0"}})
    for (int kind : {2, 3}) {
      UseParameters(std::string("a=") + a + "\nb=" + b + "\nc=" + c + "\n");
      double xS, yS;
      FamilyVertex(kind, xS, yS);
      out << "vertex of kind " << kind << " for " << a << ", " << b << ", " << c << ": " << N(xS)
          << " " << N(yS) << '\n';
    }
  for (const auto& [x, y] : {std::pair{1.234, -0.5}, {150.0, 0.0000012}, {-7.0, 0.0}})
    out << "label " << N(x) << " " << N(y) << ": " << VertexLabel(x, y) << '\n';
  // Bounds that coincide come back from the start values; reversed ones stay.
  StartValues.ParamA1 = -5, StartValues.ParamA2 = 5;
  ParamA1 = ParamA2 = 2, ParamB1 = 4, ParamB2 = -4, ParamC1 = ParamC2 = 0;
  RestoreEqualBounds();
  out << "bounds a " << ParamA1 << " " << ParamA2 << ", b " << ParamB1 << " " << ParamB2 << ", c "
      << ParamC1 << " " << ParamC2 << '\n';
  for (int spectrum = 0; spectrum <= 13; ++spectrum) {
    out << "spectrum " << spectrum << ":";
    for (int k : {0, 30, 254}) out << ' ' << SpectrumTableColor(spectrum, k);
    for (double p : {-12.0, -4.0, 0.0, 1.0, 4.0}) out << ' ' << SpectrumColor(spectrum, p, -4, 4);
    out << " without a range " << SpectrumColor(spectrum, 2, 2, 2) << '\n';
  }

  EXPECT_TRUE(testing::MatchesKept("families.txt", out.str()));
}

}  // namespace
}  // namespace kurvio
