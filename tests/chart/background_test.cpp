// Pixels of the line engine's output and of the sky background: output off draws nothing, the
// sky takes the twilight colour (strict thresholds), and only the sphere's image is sky in the
// Spherical and Mollweide projections.
#include <gtest/gtest.h>

#include <cmath>

#include "astro/angles.h"
#include "astro/constants.h"
#include "astro/vector.h"
#include "chart/lines.h"
#include "chart/pens.h"
#include "chart/projection.h"
#include "chart/sky_background.h"
#include "tests/chart/canvas.h"
#include "tests/chart/test_options.h"
#include "tests/support/degree.h"

namespace qv {
namespace {

using test::Deg;

// UseFrame: centred on (1, 0, 0), the zenith by default the pole (the horizon then runs through
// the centre); a zenith at the centre puts the whole visible hemisphere above the horizon.
constexpr Vector3 ZenithAtCentre{1, 0, 0};
ChartFrame& UseFrame(int projection, double fieldDeg, int width, int height,
                     const Vector3& zenith = {0, 0, 1}) {
  ChartView view;
  view.projection = projection;
  view.system = CoordinatesEquatorial;
  view.fieldWidth = fieldDeg * Deg;
  return CurrentChartFrame() = MakeChartFrame(view, Matrix3{}, zenith, 0, 0, width, height);
}

// A tilted great circle through the chart, drawn as a polyline of 72 segments.
std::vector<LineStep> DrawTiltedCircle() {
  std::vector<LineStep> steps;
  Matrix3 tilt;
  BuildRotation(tilt, {{AxisX, 0.5}});
  for (int i = 0; i <= 72; ++i) {
    Vector3 v = SphericalToRectangular(i * 5 * Deg, 0, DirectionLength);
    Transform(tilt, v);
    if (i == 0) {
      MoveToSky(v);
    } else {
      steps.push_back(LineToSky(v));
    }
  }
  return steps;
}

TEST(LineOutput, OffDrawsNothingAndReportsTheSame) {
  UseFrame(ProjectionLambert, 120, 200, 150);
  std::vector<LineStep> drawnSteps, silentSteps;
  {
    Canvas canvas(200, 150);
    SetPen(MakeColor(255, 255, 255), 1, false);
    drawnSteps = DrawTiltedCircle();
    EXPECT_GT(canvas.Lit().size(), 100u);
  }
  {
    Canvas canvas(200, 150);
    SetPen(MakeColor(255, 255, 255), 1, false);
    EXPECT_TRUE(SetLineOutput(false));
    silentSteps = DrawTiltedCircle();
    EXPECT_FALSE(SetLineOutput(true));
    EXPECT_TRUE(canvas.Lit().empty());
  }
  ASSERT_EQ(drawnSteps.size(), silentSteps.size());
  for (size_t i = 0; i < drawnSteps.size(); ++i) {
    EXPECT_EQ(drawnSteps[i].drawn, silentSteps[i].drawn) << i;
    EXPECT_EQ(drawnSteps[i].x1, silentSteps[i].x1) << i;
  }
}

TEST(LineOutput, PolylinePixelsFollowTheEquator) {
  // Equator in an equatorial chart centred on it: the row through the centre, from edge to edge.
  UseFrame(ProjectionLambert, 90, 200, 150);
  Canvas canvas(200, 150);
  SetPen(MakeColor(255, 255, 255), 1, false);
  MoveToSky(SphericalToRectangular(-60 * Deg, 0, DirectionLength));
  for (int lon = -55; lon <= 60; lon += 5)
    LineToSky(SphericalToRectangular(lon * Deg, 0, DirectionLength));
  const Canvas::Box box = canvas.LitBox();
  EXPECT_EQ(box.top, 75);
  EXPECT_EQ(box.bottom, 75);
  EXPECT_LE(box.left, 1);
  EXPECT_GE(box.right, 198);
}

TEST(SkyColour, TwilightThresholdsAreStrict) {
  const struct {
    double altitudeDeg;
    int item;
  } cases[] = {
      {-30, NightSkyColor},
      {-18, NightSkyColor},
      {-17.99, AstronomicalTwilightSkyColor},
      {-12, AstronomicalTwilightSkyColor},
      {-6, NauticalTwilightSkyColor},
      {-5.99, CivilTwilightSkyColor},
      {-50.0 / 60, CivilTwilightSkyColor},
      {-0.8, DaytimeSkyColor},
      {45, DaytimeSkyColor},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SkyColorItem(c.altitudeDeg * DegToRad, true), c.item) << c.altitudeDeg;
  }
  EXPECT_EQ(SkyColorItem(0.5, false), NightSkyColor);  // away from the Earth: always night
}

class SkyBackgroundTest : public testing::Test {
 protected:
  void SetUp() override { test::Options() = ChartOptions{}; }
  void TearDown() override { test::Options() = ChartOptions{}; }
};

TEST_F(SkyBackgroundTest, FillsWithTheTwilightColourOnAColorSky) {
  test::Options().SkyBackground = SkyColor;
  UseFrame(ProjectionLambert, 90, 100, 80, ZenithAtCentre);
  Canvas canvas(100, 80);
  DrawSkyBackground(test::Options(), Rect{0, 0, 100, 80}, -6 * DegToRad, true);
  EXPECT_EQ(canvas.At(0, 0), test::Options().Colors[NauticalTwilightSkyColor]);
  EXPECT_EQ(canvas.At(99, 79), test::Options().Colors[NauticalTwilightSkyColor]);
  // Colours off, or a black sky: the background colour.
  test::Options().ShowColors = false;
  DrawSkyBackground(test::Options(), Rect{0, 0, 100, 80}, 0.5, true);
  EXPECT_EQ(canvas.At(50, 40), ColorBlack);
  // A white sky with the red screen: red background.
  test::Options().SkyBackground = SkyWhite;
  test::Options().RedScreen = true;
  DrawSkyBackground(test::Options(), Rect{0, 0, 100, 80}, 0.5, true);
  EXPECT_EQ(canvas.At(50, 40), ColorRed);
  EXPECT_EQ(ChartForegroundColor(test::Options()), ColorBlack);
}

TEST_F(SkyBackgroundTest, OnlyTheSpheresImageIsSkyInSphericalAndMollweide) {
  test::Options().SkyBackground = SkyColor;
  const Color day = test::Options().Colors[DaytimeSkyColor];
  {
    UseFrame(ProjectionSpherical, 180, 200, 160,
             ZenithAtCentre);  // disc of radius 100 about (100, 80)
    Canvas canvas(200, 160);
    DrawSkyBackground(test::Options(), Rect{0, 0, 200, 160}, 0.5, true);
    EXPECT_EQ(canvas.At(0, 0), ColorBlack);
    EXPECT_EQ(canvas.At(100, 80), day);
    EXPECT_EQ(canvas.At(2, 80), day);
    EXPECT_EQ(canvas.At(100 - 72, 80 - 72), ColorBlack);  // just outside the disc
  }
  {
    UseFrame(ProjectionMollweide, 360, 200, 160,
             ZenithAtCentre);  // ellipse of half axes 100 and 50
    Canvas canvas(200, 160);
    DrawSkyBackground(test::Options(), Rect{0, 0, 200, 160}, 0.5, true);
    EXPECT_EQ(canvas.At(100, 80), day);
    EXPECT_EQ(canvas.At(100, 32), day);
    EXPECT_EQ(canvas.At(100, 28), ColorBlack);
    EXPECT_EQ(canvas.At(5, 10), ColorBlack);
  }
}

// On a Color sky seen from the Earth the pixels under the horizon, and only they, are ground,
// the edge found to the pixel however the horizon crosses the rows.
TEST_F(SkyBackgroundTest, GroundBelowTheHorizonOnAColorSkyFromTheEarth) {
  test::Options().SkyBackground = SkyColor;
  const Color day = test::Options().Colors[DaytimeSkyColor];
  const Vector3 tilted{0.3, 0.2, std::sqrt(0.87)};  // a unit zenith off the chart axes
  for (const int projection : {ProjectionPlanar, ProjectionLambert, ProjectionSpherical,
                               ProjectionMollweide, ProjectionMercator}) {
    SCOPED_TRACE(projection);
    const ChartFrame& f =
        UseFrame(projection, projection == ProjectionPlanar ? 120 : 180, 200, 160, tilted);
    Canvas canvas(200, 160);
    DrawSkyBackground(test::Options(), Rect{0, 0, 200, 160}, 0.5, true);
    int ground = 0, sky = 0, wrong = 0;
    for (int y = 0; y < 160; ++y) {
      for (int x = 0; x < 200; ++x) {
        Vector3 v;
        if (!ChartToSky(f, x, y, v)) continue;
        const bool below = Dot(v, tilted) < 0;
        ground += below;
        sky += !below && canvas.At(x, y) == day;
        wrong += (canvas.At(x, y) == GroundColor) != below;
      }
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_GT(ground, 1000);
    EXPECT_GT(sky, 1000);
  }
  // Away from the Earth there is no ground; nor on a black sky.
  UseFrame(ProjectionLambert, 90, 100, 80);
  Canvas canvas(100, 80);
  DrawSkyBackground(test::Options(), Rect{0, 0, 100, 80}, 0.5, false);
  EXPECT_EQ(canvas.At(50, 75), test::Options().Colors[NightSkyColor]);
  test::Options().SkyBackground = SkyBlack;
  DrawSkyBackground(test::Options(), Rect{0, 0, 100, 80}, 0.5, true);
  EXPECT_EQ(canvas.At(50, 75), ColorBlack);
  // Symbols of either kind stay legible on it.
  EXPECT_GE(ContrastRatio(GroundColor, ColorBlack), MinimumContrast);
  EXPECT_GE(ContrastRatio(GroundColor, ColorWhite), MinimumContrast);
}

// Star, label and line colours on every sky: 3:1 or better, untouched when already so.
TEST(SkyColour, ChartColoursStandOutFromEverySky) {
  const Color skies[] = {ColorWhite,           MakeColor(127, 255, 255), MakeColor(0, 0, 255),
                         MakeColor(0, 0, 127), MakeColor(128, 128, 128), ColorBlack};
  const Color colours[] = {ColorWhite,
                           ColorBlack,
                           MakeColor(127, 127, 127),
                           MakeColor(255, 255, 0),
                           MakeColor(155, 176, 255),
                           MakeColor(255, 204, 111),
                           ColorRed,
                           MakeColor(64, 64, 88)};
  for (const Color sky : skies) {
    for (const Color c : colours) {
      SCOPED_TRACE(testing::Message() << std::hex << sky << " " << c);
      const Color got = LegibleColor(c, sky);
      EXPECT_GE(ContrastRatio(got, sky), MinimumContrast);
      if (ContrastRatio(c, sky) >= MinimumContrast) {
        EXPECT_EQ(got, c);
      }
    }
  }
  EXPECT_NEAR(ContrastRatio(ColorBlack, ColorWhite), 21, 1e-9);
  EXPECT_NEAR(ContrastRatio(ColorRed, ColorRed), 1, 1e-9);
}

}  // namespace
}  // namespace qv
