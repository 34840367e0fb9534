// The families of the main window without the window: values, vertex, bounds, spectrum.
#include <gtest/gtest.h>

#include <cmath>

#include "app/Family.h"
#include "plot/PlotFrame.h"
#include "settings/Settings.h"
#include "term/Term.h"

namespace kurvio {
namespace {

class FamilyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetDefaultSettings();
    StartValues.x1 = StartValues.y1 = -7;
    StartValues.x2 = StartValues.y2 = 7;
    x1 = y1 = -7;
    x2 = y2 = 7;
    DecimalSeparator = ',';
  }
  void TearDown() override { MainTerm.reset(); }
};

TEST_F(FamilyTest, ValuesOfEveryKind) {
  ParamA = 2;
  ParamB = 3;
  ParamC = -1;
  ParamT = 0.5;
  CompileTerm(MainTerm, "a*x^2+t", true);
  struct Case {
    int kind;
    double x, expected;
  };
  const Case cases[] = {
      {1, 2, 7},            // 2·2 + 3
      {2, 2, 13},           // 2·4 + 3·2 - 1
      {3, 5, 7},            // 2·(5-3)² - 1
      {4, 2, 8.5},          // the term with a = 2, t = 0.5
      {5, 2, 8},            // its derivative 2·a·x
      {7, 5, 2 * 8.5 - 1},  // a·f(x - u) + v
      {8, 5, 2 * 8},        // a·f'(x - u)
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(FamilyValue(c.kind, c.x), c.expected, 1e-6) << c.kind;
    EXPECT_TRUE(TermDefined) << c.kind;
  }
  CompileTerm(MainTerm, "sqrt(x)", true);
  FamilyValue(7, 1);  // sqrt(1 - 3) is undefined
  EXPECT_FALSE(TermDefined);
}

TEST_F(FamilyTest, VertexAndItsLabel) {
  ParamA = 2;
  ParamB = -4;
  ParamC = 1;
  double xS, yS;
  FamilyVertex(2, xS, yS);
  EXPECT_DOUBLE_EQ(xS, 1);
  EXPECT_DOUBLE_EQ(yS, -1);
  FamilyVertex(3, xS, yS);
  EXPECT_DOUBLE_EQ(xS, -4);
  EXPECT_DOUBLE_EQ(yS, 1);
  EXPECT_EQ(VertexLabel(1.234, -0.5), "S(1,2|-0,5)");
  EXPECT_EQ(VertexLabel(150, 0.0000012), "S(1,5E2|1,2E-6)");
}

TEST_F(FamilyTest, EqualBoundsComeBackFromStartValues) {
  StartValues.ParamA1 = -5;
  StartValues.ParamA2 = 5;
  ParamA1 = ParamA2 = 2;
  ParamB1 = 4;  // reversed bounds stay
  ParamB2 = -4;
  RestoreEqualBounds();
  EXPECT_EQ(ParamA1, -5);
  EXPECT_EQ(ParamA2, 5);
  EXPECT_EQ(ParamB1, 4);
}

TEST_F(FamilyTest, SpectrumColours) {
  EXPECT_EQ(SpectrumColor(1, 4, -4, 4), RGB(254, 0, 1));
  EXPECT_EQ(SpectrumColor(1, 0, -4, 4), RGB(128, 0, 127));  // v = round(63.5) = 64
  EXPECT_EQ(SpectrumColor(1, -12, -4, 4), RGB(254, 0, 1));  // absolute value, capped
  EXPECT_EQ(SpectrumColor(3, 2, 2, 2), RGB(1, 254, 0));     // no range: the cap
  EXPECT_EQ(SpectrumTableColor(12, 30), RGB(30, 30, 30));
  EXPECT_EQ(SpectrumTableColor(7, 0), RGB(0, 0, 255));
}

}  // namespace
}  // namespace kurvio
