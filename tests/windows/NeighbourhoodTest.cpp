// The sampling of a half delta neighbourhood: which x are taken, the extremes
// with their x, and the bound on the number of samples.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "windows/limits/Neighbourhood.h"

namespace kurvio {
namespace {

// Records the x of every sample.
struct Probe {
  std::vector<double> xs;
  double (*value)(double) = [](double x) { return x; };
  std::function<double(double)> Fn() {
    return [this](double x) {
      xs.push_back(x);
      return value(x);
    };
  }
};

TEST(NeighbourhoodTest, SamplesStayStrictlyOnTheirSideOfXo) {
  const struct {
    HalfSide side;
    double xo, delta, step;
    std::vector<double> xs;
  } cases[] = {
      {HalfSide::Left, 1, 1, 0.25, {0, 0.25, 0.5, 0.75}},
      {HalfSide::Right, 1, 1, 0.25, {2, 1.75, 1.5, 1.25}},
      {HalfSide::Right, 1, 1, -0.25, {2, 1.75, 1.5, 1.25}},  // the sign of the step is the side's
      // A step longer than delta, and delta 0: still the first sample.
      {HalfSide::Left, 3, 1, 5, {2}},
      {HalfSide::Right, 3, 0, 0.1, {3}},
  };
  for (const auto& c : cases) {
    Probe p;
    const NeighbourhoodExtremes e = SampleHalfNeighbourhood(p.Fn(), c.xo, c.delta, c.step, c.side);
    ASSERT_EQ(p.xs.size(), c.xs.size()) << c.xo << " " << c.delta << " " << c.step;
    for (std::size_t i = 0; i < c.xs.size(); ++i) EXPECT_NEAR(p.xs[i], c.xs[i], 1e-12) << i;
    EXPECT_EQ(e.samples, static_cast<long>(c.xs.size()));
  }
}

TEST(NeighbourhoodTest, ExtremesKeepTheirFirstXAndIgnoreWhatIsNoNumber) {
  Probe p;
  p.value = [](double x) { return x * x; };
  NeighbourhoodExtremes e = SampleHalfNeighbourhood(p.Fn(), 1, 2, 0.5, HalfSide::Left);
  EXPECT_EQ(e.yMax, 1);  // at -1, not again at 1 (xo is not sampled)
  EXPECT_EQ(e.xMax, -1);
  EXPECT_EQ(e.yMin, 0);
  EXPECT_EQ(e.xMin, 0);
  // Not a number never replaces the starting values.
  p.value = [](double) { return std::numeric_limits<double>::quiet_NaN(); };
  e = SampleHalfNeighbourhood(p.Fn(), 0, 1, 0.125, HalfSide::Left);
  EXPECT_EQ(e.samples, 8);
  EXPECT_EQ(e.yMax, -1e6);
  EXPECT_EQ(e.xMax, -1e6);
  EXPECT_EQ(e.yMin, 1e6);
}

TEST(NeighbourhoodTest, TooFineAStepIsMadeCoarserOnlyWhenNeeded) {
  const struct {
    double xo, delta, step;
    long samples;
  } cases[] = {
      {1, 1, 1e-9, kMaxNeighbourhoodSamples},  // a view 0.0001 wide with delta 1 would be far more
      {1, 1, 0, kMaxNeighbourhoodSamples},
      {1, 1, 1.0 / 50000, 50000},  // below the cap: the step as given
      {1e20, 1, 1e-9, 1},          // steps lost in the rounding of x: one sample, no endless loop
  };
  for (const auto& c : cases)
    for (HalfSide side : {HalfSide::Left, HalfSide::Right}) {
      Probe p;
      const NeighbourhoodExtremes e = SampleHalfNeighbourhood(p.Fn(), c.xo, c.delta, c.step, side);
      EXPECT_NEAR(e.samples, c.samples, 1) << c.delta << " " << c.step;
      EXPECT_LE(e.samples, kMaxNeighbourhoodSamples);
      EXPECT_EQ(static_cast<long>(p.xs.size()), e.samples);
    }
}

}  // namespace
}  // namespace kurvio
