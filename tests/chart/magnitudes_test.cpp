// Magnitude limits and star sizes, B-V colours and the grid labels' rounding.
#include "chart/magnitudes.h"

#include <gtest/gtest.h>

#include <cmath>

#include "astro/constants.h"
#include "chart/sky_circle.h"
#include "chart/symbols.h"

namespace qv {
namespace {

TEST(StarRadius, FiveBandsBetweenTheLimits) {
  ChartOptions settings;
  settings.BrightestStarMagnitude = 50;
  settings.FaintestStarMagnitude = 550;
  StarSizeScale scale;
  UpdateStarScale(settings, scale);
  EXPECT_EQ(scale.step, 100);
  const struct {
    int magnitude, radius;
  } cases[] = {{550, 1}, {551, 1}, {449, 2}, {450, 2}, {350, 3}, {51, 5}, {50, 6}, {-150, 6}};
  for (const auto& c : cases) EXPECT_EQ(StarRadius(scale, c.magnitude), c.radius) << c.magnitude;

  settings.BrightestStarMagnitude = 300;
  settings.FaintestStarMagnitude = 300;
  UpdateStarScale(settings, scale);
  EXPECT_EQ(scale.step, 1);
  EXPECT_EQ(StarRadius(scale, 300), 1);

  // A limit of 32767 keeps the previous copy.
  settings.FaintestStarMagnitude = NoMagnitudeLimit;
  settings.BrightestStarMagnitude = 100;
  UpdateStarScale(settings, scale);
  EXPECT_EQ(scale.faintest, 300);
  EXPECT_EQ(scale.brightest, 100);
  EXPECT_EQ(scale.step, 40);
}

TEST(MagnitudeLimits, FainterThenBrighterRestoresEveryLimitAndEmptyStaysEmpty) {
  ChartOptions settings;
  settings.FaintestGalaxyMagnitude = NoMagnitudeLimit;
  settings.FaintestPlanetLabelMagnitude = NoMagnitudeLimit;
  const ChartOptions before = settings;
  ShiftMagnitudeLimits(settings, 100);
  EXPECT_EQ(settings.FaintestStarMagnitude, 650);
  EXPECT_EQ(settings.BrightestStarMagnitude, 150);
  EXPECT_EQ(settings.FaintestOpenClusterMagnitude, 750);
  EXPECT_EQ(settings.FaintestDeepSkyLabelMagnitude, 1150);
  EXPECT_EQ(settings.FaintestGalaxyMagnitude, NoMagnitudeLimit);
  EXPECT_EQ(settings.FaintestPlanetLabelMagnitude, NoMagnitudeLimit);
  ShiftMagnitudeLimits(settings, -100);
  EXPECT_EQ(settings.FaintestStarMagnitude, before.FaintestStarMagnitude);
  EXPECT_EQ(settings.BrightestStarMagnitude, before.BrightestStarMagnitude);
  for (int kind = 61; kind <= 65; ++kind) {
    EXPECT_EQ(KindMagnitudeLimit(settings, kind), KindMagnitudeLimit(before, kind)) << kind;
  }
  EXPECT_EQ(settings.FaintestPlanetMagnitude, before.FaintestPlanetMagnitude);
  EXPECT_EQ(settings.FaintestStarLabelMagnitude, before.FaintestStarLabelMagnitude);
}

TEST(MagnitudeLimits, ManyShiftsNeitherWrapNorBecomeNoLimit) {
  ChartOptions settings;
  for (int i = 0; i < 400; ++i) ShiftMagnitudeLimits(settings, 100);
  EXPECT_EQ(settings.FaintestStarMagnitude, NoMagnitudeLimit - 1);
  EXPECT_NE(settings.FaintestOpenClusterMagnitude, NoMagnitudeLimit);
  for (int i = 0; i < 800; ++i) ShiftMagnitudeLimits(settings, -100);
  EXPECT_EQ(settings.FaintestStarMagnitude, -32768);
}

TEST(MagnitudeLimits, AutomaticShiftFollowsTheFieldRatio) {
  EXPECT_EQ(AutomaticLimitShift(2.0, 1.0), 100);  // halving: one magnitude fainter
  EXPECT_EQ(AutomaticLimitShift(1.0, 4.0), -200);
  EXPECT_EQ(AutomaticLimitShift(1.0, 1.0), 0);
  // 100 log2(3) = 158.496 rounds to 158; either side of a half rounds away from zero.
  EXPECT_EQ(AutomaticLimitShift(3.0, 1.0), 158);
  EXPECT_EQ(AutomaticLimitShift(std::pow(2.0, 1.0051), 1.0), 101);
  EXPECT_EQ(AutomaticLimitShift(std::pow(2.0, 1.0049), 1.0), 100);
  EXPECT_EQ(AutomaticLimitShift(1.0, std::pow(2.0, 1.0051)), -101);
}

TEST(StarColor, FollowsTheBMinusVTable) {
  const struct {
    int index, r, g, b;
  } cases[] = {
      {32767, 255, 255, 255}, {-60, 127, 127, 255}, {-50, 127, 127, 255}, {-30, 127, 229, 255},
      {-25, 127, 255, 255},   {-1, 249, 255, 255},  {0, 255, 255, 255},   {65, 255, 255, 171},
      {150, 255, 191, 127},   {199, 255, 128, 127}, {200, 255, 127, 127}, {400, 255, 127, 127},
  };
  for (const auto& c : cases) {
    const Color color = StarColorFromIndex(c.index);
    EXPECT_EQ(RedOf(color), c.r) << c.index;
    EXPECT_EQ(GreenOf(color), c.g) << c.index;
    EXPECT_EQ(BlueOf(color), c.b) << c.index;
  }
}

TEST(GridLabels, DeclinationCirclesEverySevenDegrees) {
  // The circles run from interval - 90 degrees in steps of the interval; sums of radians land
  // a hair below whole degrees and the 59.5-minute rule carries them up.
  std::vector<std::string> labels;
  for (double d = 7 * DegToRad - 1.570796327; d < 1.570796327; d += 7 * DegToRad)
    labels.push_back(DeclinationLabel(d));
  ASSERT_EQ(labels.size(), 25u);
  EXPECT_EQ(labels.front(), "-83°");
  EXPECT_EQ(labels[1], "-76°");
  EXPECT_EQ(labels[11], "-06°");
  EXPECT_EQ(labels[12], "+01°");
  EXPECT_EQ(labels.back(), "+85°");
  EXPECT_EQ(DeclinationLabel(12.5 * DegToRad), "+12° 30'");
  EXPECT_EQ(DeclinationLabel(-(12 + 0.4 / 60) * DegToRad), "-12°");
}

TEST(GridLabels, HourCirclesRightAlignedWithMinuteCarry) {
  const double hour = 3.141592654 / 12;
  EXPECT_EQ(HourLabel(0), " 0h");
  EXPECT_EQ(HourLabel(1.5 * hour), " 1h 30m");
  EXPECT_EQ(HourLabel(3 * hour), " 3h");
  EXPECT_EQ(HourLabel(13.5 * hour), "13h 30m");
  EXPECT_EQ(HourLabel((4 + 59.7 / 60) * hour), " 5h");
  EXPECT_EQ(HourLabel((23 + 59.7 / 60) * hour), " 0h");
  std::vector<std::string> labels;
  for (double a = 0; a < 6.283185307; a += 1.5 * hour) labels.push_back(HourLabel(a));
  ASSERT_EQ(labels.size(), 16u);
  EXPECT_EQ(labels[15], "22h 30m");
}

}  // namespace
}  // namespace qv
