// The sky context: its frames, when the generation counters advance, temporary changes of time,
// and the apparent place of stars (motion, parallax, distance modulus, aberration).
#include <gtest/gtest.h>

#include <cmath>

#include "astro/apparent.h"
#include "astro/constants.h"
#include "astro/corrections.h"
#include "astro/frames.h"
#include "astro/planets.h"
#include "astro/starplace.h"
#include "astro/time.h"
#include "tests/astro/ref_table.h"
#include "tests/astro/sky_fixture.h"

namespace qv {
namespace {

using test::SkyTest;

TEST_F(SkyTest, FramesFollowTheSettings) {
  ChartSettings& s = Settings();
  s.Nutation = false;
  s.DynamicTime = true;
  SetTimeUt(J2000);
  // The current epoch at J2000 without nutation: no precession at all.
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) EXPECT_NEAR(Sky().equatorialMatrix.m[i][j], i == j ? 1 : 0, 1e-15);
  EXPECT_EQ(Sky().jde, J2000);  // dynamical time taken as given
  // The ecliptic frame tilts the pole by the obliquity.
  Vector3 pole{0, 0, 1};
  Transform(Sky().eclipticMatrix, pole);
  EXPECT_NEAR(pole.y, std::sin(MeanObliquity(J2000)), 1e-12);
  // The zenith is the third row of the horizon matrix: at sidereal time s and latitude phi it
  // points to R.A. s, Dec. phi.
  const Matrix3& h = Sky().horizonMatrix;
  const Spherical zenith = RectangularToSpherical(Vector3{h.m[2][0], h.m[2][1], h.m[2][2]});
  EXPECT_NEAR(zenith.lon, Sky().siderealTime, 1e-9);
  EXPECT_NEAR(zenith.lat, s.ViewerLatitude, 1e-9);
  // Universal time: JDE = JD + Delta T; a fixed equinox keeps the chart's frame, the horizon
  // stays that of the date.
  s.DynamicTime = false;
  s.Precession = false;
  s.PrecessionEpoch = J2000;
  SetTimeUt(2469807.5);  // 2050
  EXPECT_NEAR((Sky().jde - 2469807.5) / DaysPerSecond, DeltaT(2469807.5), 1e-6);
  EXPECT_NEAR(Sky().equatorialMatrix.m[0][1], 0, 1e-15);
  Matrix3 ofDate;
  PrecessionMatrix(ofDate, J2000, Sky().jde, false);
  EXPECT_NEAR(Sky().dateMatrix.m[0][1], ofDate.m[0][1], 1e-15);
  EXPECT_GT(std::fabs(Sky().dateMatrix.m[0][1]), 0.01);
}

TEST_F(SkyTest, DaylightSavingAddsAnHourToTheZone) {
  Settings().DaylightSavingsTime = true;
  Settings().TimeZone = 1.0 / 24;
  SetTimeUt(CalendarToJulianDate(2001, 7, 1, 12, 0, 0, 0, CalendarGregorian));
  EXPECT_NEAR(Sky().zone, 2.0 / 24, 1e-15);
  SetTimeUt(CalendarToJulianDate(2001, 12, 1, 12, 0, 0, 0, CalendarGregorian));
  EXPECT_NEAR(Sky().zone, 1.0 / 24, 1e-15);
}

TEST_F(SkyTest, CountersAdvanceOnlyWhenTheirInputsChange) {
  ChartSettings& s = Settings();
  s.Aberration = false;
  s.StarMotion = true;
  s.StarMotionThreshold = 365.25 * 10;
  SetTimeUt(J2000 + 100);
  uint32_t stars = Sky().starGeneration, planets = Sky().planetGeneration;
  UpdateSkyContext();  // nothing changed
  EXPECT_EQ(Sky().starGeneration, stars);
  EXPECT_EQ(Sky().planetGeneration, planets);
  SetTimeUt(J2000 + 101);  // time moves: planets move; stars (no motion yet, no aberration) stay
  EXPECT_EQ(Sky().starGeneration, stars);
  EXPECT_NE(Sky().planetGeneration, planets);
  EXPECT_FALSE(Sky().starMotion);
  SetTimeUt(J2000 + 365.25 * 11);  // past the motion threshold: stars move too
  EXPECT_TRUE(Sky().starMotion);
  EXPECT_NE(Sky().starGeneration, stars);
  stars = Sky().starGeneration;
  s.Aberration = true;  // aberration on: every star changes
  UpdateSkyContext();
  EXPECT_NE(Sky().starGeneration, stars);
  planets = Sky().planetGeneration;
  s.PlanetLightTime = false;
  UpdateSkyContext();
  EXPECT_NE(Sky().planetGeneration, planets);
  // Computing places (light time included) uses up no counter values: the next change is one on.
  s.PlanetLightTime = true;
  UpdateSkyContext();
  planets = Sky().planetGeneration;
  ComputeApparentPlace(Body(KindCallisto));
  ComputeApparentPlace(Body(KindSaturn));
  EXPECT_EQ(Sky().planetGeneration, planets);
  SetTimeUt(Settings().JulianDate + 1);
  EXPECT_EQ(Sky().planetGeneration, planets + 1);
}

TEST_F(SkyTest, TemporaryTimeLeavesCachedPositionsCurrentAndNeverReusesAStamp) {
  SetTimeUt(2455000.5);
  ObjectRecord& mars = Body(KindMars);
  ComputeApparentPlace(mars);
  const DirectionVector before = OrbitOf(mars)->current;
  const SkySnapshot saved = SaveSkyContext();
  Settings().JulianDate += 30;
  UpdateSkyContext();
  ComputeApparentPlace(mars);  // stamped during the excursion
  const uint32_t excursionStamp = OrbitOf(mars)->stamp;
  EXPECT_NE(OrbitOf(mars)->current.x, before.x);
  RestoreSkyContext(saved);
  EXPECT_EQ(Settings().JulianDate, 2455000.5);
  EXPECT_EQ(Sky().planetGeneration, saved.planetGeneration);
  // Mars was recomputed for the other time: stale now, and stale after the next change too,
  // although the counter then advances past the value it had before the excursion.
  EXPECT_FALSE(IsCurrent(mars, Sky().planetGeneration));
  ComputeApparentPlace(mars);
  EXPECT_EQ(OrbitOf(mars)->current.x, before.x);
  for (int k = 0; k < 3; ++k) {
    Settings().JulianDate += 1;
    UpdateSkyContext();
    EXPECT_NE(Sky().planetGeneration, excursionStamp);
  }
}

TEST_F(SkyTest, StarMotionAppliesOnlyPastItsThreshold) {
  ChartSettings& s = Settings();
  s.Aberration = false;
  s.StarMotionThreshold = 365.25 * 50;
  // A star moving 1" a year (in the J2000 equator along +y at R.A. 0).
  const double perDay = 4.848136811e-6 / 365.25;
  ObjectRecord& star = AddSkyObject(KindSingleStar, Vector3{1, 0, 0}, HUGE_VAL, 300);
  SkyObjectOf(star)->motion = MotionFromPerDay(Vector3{0, perDay, 0});
  SetTimeUt(J2000 + 365.25 * 49);  // inside: the catalog place unchanged
  ComputeStarPlace(star);
  EXPECT_EQ(SkyObjectOf(star)->current.y, 0);
  EXPECT_EQ(CurrentMagnitude(star), 300);
  SetTimeUt(J2000 + 365.25 * 51);  // outside: 51" along
  ComputeStarPlace(star);
  const double along = (Sky().jde - J2000) * MotionPerDay(*SkyObjectOf(star)).y;
  EXPECT_NEAR(std::atan2(CurrentDirectionVector(star).y, 1), along, 1e-9);
  EXPECT_NEAR(along / 4.848136811e-6, 51, 0.01);
  EXPECT_TRUE(IsCurrent(star, Sky().starGeneration));
}

TEST_F(SkyTest, StarParallaxDependsOnTheViewersDistanceFromTheSun) {
  ChartSettings& s = Settings();
  s.Aberration = false;
  s.StarMotion = false;
  const double parsec = 206264.8062;
  ObjectRecord& star = AddSkyObject(KindSingleStar, Vector3{0, 0, 1}, 1.3 * parsec, 10);
  SetTimeUt(2455000.5);
  ComputeStarPlace(star);  // from the Earth with the default threshold: no parallax
  EXPECT_EQ(SkyObjectOf(star)->current.x, 0);
  EXPECT_EQ(CurrentMagnitude(star), 10);
  // From Neptune (30 AU) with a 10 AU threshold: shifted by about 30/1.3 arc-seconds.
  s.StarParallaxThreshold = 10;
  s.ViewerObject = ids.at(KindNeptune);
  UpdateSkyContext();
  ASSERT_TRUE(Sky().starParallax);
  ComputeStarPlace(star);
  const Vector3 v = Sky().viewerPosition;
  const double expected = std::hypot(v.x, v.y) / (1.3 * parsec) * test::ArcsecPerRadian;
  EXPECT_NEAR(test::SeparationArcsec(CurrentDirectionVector(star), Vector3{0, 0, 1}), expected,
              0.01);
  // Half way to the star it is 1.5 magnitudes brighter (5 log 2), distance halved.
  s.ViewerObject = star.id;
  s.ViewerObjectOffset[2] = -0.65 * parsec;
  UpdateSkyContext();
  ObjectRecord& other = AddSkyObject(KindSingleStar, Vector3{0, 0, 1}, 1.3 * parsec, 10);
  ComputeStarPlace(other);
  EXPECT_EQ(CurrentMagnitude(other), 10 - 150);
  EXPECT_NEAR(CurrentDistance(other) / (0.65 * parsec), 1, 1e-6);
  // Standing at the star: distance 0 and the magnitude of an observer at the object.
  s.ViewerObjectOffset[2] = 0;
  UpdateSkyContext();
  ComputeStarPlace(other);
  EXPECT_EQ(CurrentDistance(other), 0.0f);
  EXPECT_EQ(CurrentMagnitude(other), MagnitudeAtObserver);
}

TEST_F(SkyTest, StarAberrationReachesTwentyArcseconds) {
  Settings().StarMotion = false;
  ObjectRecord& star = AddSkyObject(KindSingleStar, Vector3{0, 0, 1}, HUGE_VAL, 100);
  SetTimeUt(2455000.5);
  Settings().Aberration = false;
  UpdateSkyContext();
  ComputeStarPlace(star);
  const Vector3 still = CurrentDirectionVector(star);
  Settings().Aberration = true;
  UpdateSkyContext();
  EXPECT_FALSE(IsCurrent(star, Sky().starGeneration));
  ComputeStarPlace(star);
  // The pole of the equator is 23.4 degrees from the ecliptic pole: between 20.5 cos(66.6) = 8"
  // and 20.5" of displacement through the year, never nothing.
  const double shift = test::SeparationArcsec(CurrentDirectionVector(star), still);
  EXPECT_GT(shift, 7.5);
  EXPECT_LT(shift, 21.0);
}

TEST_F(SkyTest, ChartPlaceInEachSystemWithRefractionOnHorizonCharts) {
  Settings().StarMotion = false;
  Settings().Aberration = false;
  ObjectRecord& star =
      AddSkyObject(KindSingleStar, SphericalToRectangular(1.0, 0.5, 1), HUGE_VAL, 100);
  SetTimeUt(2455000.5);
  const ChartPlace equatorial = ApparentChartPosition(star, CoordinatesEquatorial);
  EXPECT_EQ(equatorial.lon, equatorial.ra);
  const ChartPlace plain = ApparentChartPosition(star, CoordinatesHorizon);
  Settings().Refraction = true;
  const ChartPlace refracted = ApparentChartPosition(star, CoordinatesHorizon);
  EXPECT_NEAR(refracted.lat - plain.lat, Refraction(plain.lat, 1013.25, 22.0), 1e-15);
  const ChartPlace galactic = ApparentChartPosition(star, CoordinatesGalactic);
  Vector3 g = SphericalToRectangular(1.0, 0.5, 1);
  Transform(Sky().galacticMatrix, g);
  EXPECT_NEAR(galactic.lat, RectangularToSpherical(g).lat, 1e-8);
}

}  // namespace
}  // namespace qv
