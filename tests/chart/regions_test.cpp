// Region culling: the chart box, wrapping through longitude 0, poles on the chart, and which
// region boxes may contribute objects.
#include "chart/regions.h"

#include <gtest/gtest.h>

#include "tests/chart/chart_frame.h"

namespace qv {
namespace {

constexpr double Deg = 0.017453292519943295;

int32_t Turns(double degrees) { return static_cast<int32_t>(degrees * Deg * TurnUnitsPerRadian); }

RegionBox Box(double lon0, double lon1, double lat0, double lat1) {
  return {Turns(lon0), Turns(lon1), Turns(lat0), Turns(lat1)};
}

TEST(ChartBox, WideFieldsCoverTheWholeSky) {
  const ChartBox box = ComputeChartBox(EquatorialFrame(100, 20, 91));
  EXPECT_EQ(box.lonMin, 0);
  EXPECT_EQ(box.lonMax, FullTurn);
  EXPECT_EQ(box.latMin, -QuarterTurn);
  EXPECT_EQ(box.latMax, QuarterTurn);
  EXPECT_FALSE(box.wrap);
}

TEST(ChartBox, CoversTheRectanglesEdges) {
  // 60 degrees across 800 pixels, 45 degrees down 600: the box holds the centre +-30 degrees in
  // longitude at the equator and reaches past +-22 degrees of latitude.
  const ChartBox box = ComputeChartBox(EquatorialFrame(100, 0, 60));
  EXPECT_FALSE(box.wrap);
  EXPECT_NEAR(box.lonMin, Turns(70), Turns(1.5));
  EXPECT_GT(box.lonMax, Turns(130) - Turns(0.5));
  EXPECT_LT(box.lonMax, Turns(140));
  EXPECT_LT(box.latMin, Turns(-22));
  EXPECT_GT(box.latMax, Turns(22));
  EXPECT_EQ(box.centreLon, Turns(100));
}

TEST(ChartBox, WrapsThroughLongitudeZero) {
  const ChartBox box = ComputeChartBox(EquatorialFrame(10, 0, 40));
  EXPECT_TRUE(box.wrap);
  EXPECT_NEAR(box.lonMin, Turns(-10), Turns(1));
  EXPECT_NEAR(box.lonMax, Turns(30), Turns(1));
}

TEST(ChartBox, APoleOnTheChartOpensAllLongitudes) {
  const ChartBox north = ComputeChartBox(EquatorialFrame(45, 80, 30));
  EXPECT_EQ(north.lonMin, 0);
  EXPECT_EQ(north.lonMax, FullTurn);
  EXPECT_EQ(north.latMax, QuarterTurn);
  EXPECT_GT(north.latMin, Turns(60));
  const ChartBox south = ComputeChartBox(EquatorialFrame(200, -85, 20));
  EXPECT_EQ(south.latMin, -QuarterTurn);
  EXPECT_FALSE(south.wrap);
}

TEST(RegionCulling, RegionsOnEitherSideOfTheCentreAndBeyond) {
  const ChartFrame f = EquatorialFrame(100, 0, 60);
  const ChartBox box = ComputeChartBox(f);
  const struct {
    RegionBox region;
    bool shows;
  } cases[] = {
      {Box(80, 90, -5, 5), true},     // left of the centre
      {Box(110, 120, -5, 5), true},   // right of the centre
      {Box(95, 105, -5, 5), true},    // holds the centre
      {Box(140, 150, -5, 5), false},  // beyond the right edge
      {Box(90, 110, 40, 50), false},  // above the chart
      {Box(0, 360, -90, 90), true},   // the whole sky
      {Box(275, 285, -5, 5), false},  // behind
      {Box(125, 135, 15, 30), true},  // straddles the upper-left corner region
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RegionMayShow(f, box, c.region, 72), c.shows)
        << c.region.lonMin / TurnUnitsPerRadian / Deg << " "
        << c.region.latMin / TurnUnitsPerRadian / Deg;
  }
}

TEST(RegionCulling, WrappedChartsSeeRegionsOnBothSidesOfZero) {
  const ChartFrame f = EquatorialFrame(5, 0, 40);
  const ChartBox box = ComputeChartBox(f);
  EXPECT_TRUE(RegionMayShow(f, box, Box(350, 355, -5, 5), 72));
  EXPECT_TRUE(RegionMayShow(f, box, Box(15, 20, -5, 5), 72));
  EXPECT_FALSE(RegionMayShow(f, box, Box(180, 190, -5, 5), 72));
  // A region spanning 10 .. 350 degrees reaches into the chart on its western side.
  EXPECT_TRUE(RegionMayShow(f, box, Box(10, 350, -5, 5), 72));
}

TEST(RegionCulling, WideFieldsIgnoreLongitudeButNotVisibility) {
  const ChartFrame f = EquatorialFrame(0, 0, 120);
  const ChartBox box = ComputeChartBox(f);
  EXPECT_TRUE(RegionMayShow(f, box, Box(40, 50, 10, 20), 72));
  EXPECT_FALSE(RegionMayShow(f, box, Box(170, 190, -10, 10), 72));  // behind the projection
}

TEST(RegionCulling, RegionsBelowTheMaskedHorizonAreSkipped) {
  // Zenith at declination +90: the horizon is the equator; the chart looks at the equator.
  const ChartFrame masked = EquatorialFrame(100, 0, 60, true, {0, 0, 1});
  const ChartBox box = ComputeChartBox(masked);
  EXPECT_FALSE(RegionMayShow(masked, box, Box(110, 120, -20, -10), 72));
  EXPECT_TRUE(RegionMayShow(masked, box, Box(110, 120, 10, 20), 72));
  const ChartFrame open = EquatorialFrame(100, 0, 60, false, {0, 0, 1});
  EXPECT_TRUE(RegionMayShow(open, ComputeChartBox(open), Box(110, 120, -20, -10), 72));
}

}  // namespace
}  // namespace qv
