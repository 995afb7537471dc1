// The fast arc tangent, arc cosine and light response against the standard library, over their
// whole domains, quadrant edges and out-of-range input included.
#include "chart/sphere_math.h"

#include <gtest/gtest.h>

#include <cmath>

namespace qv {
namespace {

TEST(SphereMath, ArcTangentMatchesTheLibraryInEveryQuadrant) {
  // 1e-7 radian: the series' own error is 2e-8; a quadrant folded the wrong way is off by pi/2.
  double worst = 0;
  for (int i = -200; i <= 200; ++i) {
    for (int j = -200; j <= 200; ++j) {
      const double y = i / 37.0, x = j / 41.0;
      if (x == 0 && y == 0) continue;
      worst = std::max(worst, std::abs(FastAtan2(y, x) - std::atan2(y, x)));
    }
  }
  EXPECT_LT(worst, 1e-7);
  EXPECT_EQ(FastAtan2(0, 0), 0);
  EXPECT_NEAR(FastAtan2(1e-300, -1), std::atan2(1e-300, -1), 1e-12);
  EXPECT_NEAR(FastAtan2(-1, 0), -std::atan2(1, 0), 1e-12);
}

TEST(SphereMath, ArcCosineMatchesTheLibraryAndClamps) {
  double worst = 0;
  for (int i = -10000; i <= 10000; ++i)
    worst = std::max(worst, std::abs(FastAcos(i / 10000.0) - std::acos(i / 10000.0)));
  EXPECT_LT(worst, 1e-7);
  // Rounding may carry a unit vector's component a little past 1.
  EXPECT_NEAR(FastAcos(1 + 1e-12), 0, 1e-12);
  EXPECT_NEAR(FastAcos(-1 - 1e-12), std::acos(-1.0), 1e-7);
}

TEST(SphereMath, LightFactorFollowsThePowerLaw) {
  double worstAbove = 0, worstBelow = 0;
  for (int i = 1; i <= 100000; ++i) {
    const double c = i / 100000.0, error = std::abs(LightFactor(c) - std::pow(c, 0.72));
    (c >= 0.01 ? worstAbove : worstBelow) = std::max(c >= 0.01 ? worstAbove : worstBelow, error);
  }
  EXPECT_LT(worstAbove, 1e-5);
  EXPECT_LT(worstBelow, 1e-3);
  EXPECT_EQ(LightFactor(0), 0);
  EXPECT_EQ(LightFactor(-0.5), 0);
  EXPECT_EQ(LightFactor(1), 1);
  EXPECT_EQ(LightFactor(1.5), 1);
  EXPECT_EQ(LightFactor(std::nan("")), 0);
}

}  // namespace
}  // namespace qv
