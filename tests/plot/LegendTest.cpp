// The legend goes to the first corner that its curve crosses least.
#include "plot/Legend.h"

#include "plot/PlotTestSupport.h"

namespace kurvio::testing {
namespace {

using LegendTest = PlotTest;

CurveBatchFunction Line(double m, double c) {
  return [m, c](const double* x, std::size_t count, double* values, bool* defined) {
    for (std::size_t i = 0; i < count; ++i) values[i] = m * x[i] + c, defined[i] = true;
  };
}

TEST_F(LegendTest, SitsInTheFirstCornerTheCurveCrossesLeast) {
  // "f(x) = 1": 8 characters of 7 pixels and 4 pixels padding, 8 pixels from the edges.
  const struct {
    const char* curve;
    CurveBatchFunction f;
    const char* box;
  } rows[] = {
      {"none", {}, "Rectangle 8 8 72 48"},
      {"y = -x", Line(-1, 0), "Rectangle 628 8 692 48"},
      {"y = 6,8 along the top", Line(0, 6.8), "Rectangle 8 652 72 692"},
      {"y = -6,8 along the bottom", Line(0, -6.8), "Rectangle 8 8 72 48"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.curve);
    canvas = RecordingCanvas();
    DrawLegend({"f(x) = 1", "a = 2"}, row.f);
    ASSERT_EQ(canvas.calls.size(), 3u);
    EXPECT_EQ(canvas.calls[0], row.box);
  }
  EXPECT_EQ(canvas.calls[1], "TextOut 12 12 f(x) = 1");
  EXPECT_EQ(canvas.calls[2], "TextOut 12 28 a = 2");
}

}  // namespace
}  // namespace kurvio::testing
