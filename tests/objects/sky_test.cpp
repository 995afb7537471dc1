// The sky context: its frames, when the generation counters advance, contexts of other instants
// beside the current one, and the apparent place of stars (motion, parallax, distance modulus,
// aberration).
#include "objects/sky.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>

#include "astro/constants.h"
#include "astro/corrections.h"
#include "astro/frames.h"
#include "astro/planets.h"
#include "astro/time.h"
#include "objects/apparent.h"
#include "objects/bodies.h"
#include "objects/starplace.h"
#include "tests/astro/ref_table.h"
#include "tests/objects/sky_fixture.h"

namespace qv {
namespace {

using test::SkyTest;

TEST_F(SkyTest, FramesFollowTheSettings) {
  ObservingSettings& s = test::Observing();
  s.Nutation = false;
  s.DynamicTime = true;
  SetTimeUt(J2000);
  // The current epoch at J2000 without nutation: no precession at all.
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      EXPECT_NEAR(CurrentSky().equatorialMatrix.m[i][j], i == j ? 1 : 0, 1e-15);
  EXPECT_EQ(CurrentSky().jde, J2000);  // dynamical time taken as given
  // The ecliptic frame tilts the pole by the obliquity.
  Vector3 pole{0, 0, 1};
  Transform(CurrentSky().eclipticMatrix, pole);
  EXPECT_NEAR(pole.y, std::sin(MeanObliquity(J2000)), 1e-12);
  // The zenith is the third row of the horizon matrix: at sidereal time s and latitude phi it
  // points to R.A. s, Dec. phi.
  const Matrix3& h = CurrentSky().horizonMatrix;
  const Spherical zenith = RectangularToSpherical(Vector3{h.m[2][0], h.m[2][1], h.m[2][2]});
  EXPECT_NEAR(zenith.lon, CurrentSky().siderealTime, 1e-9);
  EXPECT_NEAR(zenith.lat, s.ViewerLatitude, 1e-9);
  // Universal time: JDE = JD + Delta T; a fixed equinox keeps the chart's frame, the horizon
  // stays that of the date.
  s.DynamicTime = false;
  s.Precession = false;
  s.PrecessionEpoch = J2000;
  SetTimeUt(2469807.5);  // 2050
  // 1e-4 s: a Julian date near 2.5e6 holds time to 4e-5 s.
  EXPECT_NEAR((CurrentSky().jde - 2469807.5) / DaysPerSecond, DeltaT(2469807.5), 1e-4);
  EXPECT_NEAR(CurrentSky().equatorialMatrix.m[0][1], 0, 1e-15);
  Matrix3 ofDate;
  PrecessionMatrix(ofDate, J2000, CurrentSky().jde, false);
  EXPECT_NEAR(CurrentSky().dateMatrix.m[0][1], ofDate.m[0][1], 1e-15);
  EXPECT_GT(std::fabs(CurrentSky().dateMatrix.m[0][1]), 0.01);
}

TEST_F(SkyTest, DaylightSavingAddsAnHourToTheZone) {
  test::Observing().DaylightSavingsTime = true;
  test::Observing().TimeZone = 1.0 / 24;
  SetTimeUt(CalendarToJulianDate(2001, 7, 1, 12, 0, 0, 0, CalendarGregorian));
  EXPECT_NEAR(CurrentSky().zone, 2.0 / 24, 1e-15);
  SetTimeUt(CalendarToJulianDate(2001, 12, 1, 12, 0, 0, 0, CalendarGregorian));
  EXPECT_NEAR(CurrentSky().zone, 1.0 / 24, 1e-15);
}

TEST_F(SkyTest, CountersAdvanceOnlyWhenTheirInputsChange) {
  ObservingSettings& s = test::Observing();
  s.Aberration = false;
  s.StarMotion = true;
  s.StarMotionThreshold = 365.25 * 10;
  SetTimeUt(J2000 + 100);
  uint32_t stars = StarGeneration(), planets = PlanetGeneration();
  test::UpdateSky();  // nothing changed
  EXPECT_EQ(StarGeneration(), stars);
  EXPECT_EQ(PlanetGeneration(), planets);
  SetTimeUt(J2000 + 101);  // time moves: planets move; stars (no motion yet, no aberration) stay
  EXPECT_EQ(StarGeneration(), stars);
  EXPECT_NE(PlanetGeneration(), planets);
  EXPECT_FALSE(CurrentSky().starMotion);
  SetTimeUt(J2000 + 365.25 * 11);  // past the motion threshold: stars move too
  EXPECT_TRUE(CurrentSky().starMotion);
  EXPECT_NE(StarGeneration(), stars);
  stars = StarGeneration();
  s.Aberration = true;  // aberration on: every star changes
  test::UpdateSky();
  EXPECT_NE(StarGeneration(), stars);
  planets = PlanetGeneration();
  s.PlanetLightTime = false;
  test::UpdateSky();
  EXPECT_NE(PlanetGeneration(), planets);
  // Computing places (light time included) uses up no counter values: the next change is one on.
  s.PlanetLightTime = true;
  test::UpdateSky();
  planets = PlanetGeneration();
  ComputeApparentPlace(Body(KindCallisto));
  ComputeApparentPlace(Body(KindSaturn));
  EXPECT_EQ(PlanetGeneration(), planets);
  SetTimeUt(test::Observing().JulianDate + 1);
  EXPECT_EQ(PlanetGeneration(), planets + 1);
}

void ExpectSamePlace(const ApparentPlace& got, const ApparentPlace& want) {
  EXPECT_EQ(got.direction.x, want.direction.x);
  EXPECT_EQ(got.direction.y, want.direction.y);
  EXPECT_EQ(got.direction.z, want.direction.z);
  EXPECT_EQ(got.distance, want.distance);
  EXPECT_EQ(got.magnitude, want.magnitude);
  EXPECT_EQ(got.heliocentric.x, want.heliocentric.x);
  EXPECT_EQ(got.physical, want.physical);
}

// Contexts of two instants side by side: the Moon computed for each, in either order, is the
// place the current sky gives at that instant, and neither the current sky nor any cached place
// changes meanwhile.
TEST_F(SkyTest, ContextsOfTwoInstantsCoexistAndEachGivesItsOwnMoon) {
  ObjectRecord& moon = Body(KindMoon);
  SetTimeUt(2455000.5);
  ComputeApparentPlace(moon);
  const ApparentPlace cached = CachedPlace(moon);
  const uint32_t planets = PlanetGeneration();
  ObservingSettings at = test::Observing();
  at.JulianDate = 2455000.5 - 3.5;
  const SkyContext earlier = MakeSkyContext(at);
  at.JulianDate = 2455000.5 + 7.25;
  const SkyContext later = MakeSkyContext(at);
  const ApparentPlace first = PlaceAt(moon, earlier);
  const ApparentPlace second = PlaceAt(moon, later);
  const ApparentPlace firstAgain = PlaceAt(moon, earlier);
  EXPECT_EQ(CurrentSky().settings.JulianDate, 2455000.5);
  EXPECT_EQ(PlanetGeneration(), planets);
  EXPECT_TRUE(IsCurrent(moon, planets));
  ExpectSamePlace(CachedPlace(moon), cached);
  ExpectSamePlace(firstAgain, first);
  // Ten days apart the Moon has moved by more than 90 degrees.
  EXPECT_GT(test::SeparationArcsec(VectorFromDirection(first.direction),
                                   VectorFromDirection(second.direction)),
            90 * 3600.0);
  SetTimeUt(2455000.5 - 3.5);
  ComputeApparentPlace(moon);
  ExpectSamePlace(CachedPlace(moon), first);
  SetTimeUt(2455000.5 + 7.25);
  ComputeApparentPlace(moon);
  ExpectSamePlace(CachedPlace(moon), second);
}

TEST_F(SkyTest, StarMotionAppliesOnlyPastItsThreshold) {
  ObservingSettings& s = test::Observing();
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
  const double along = (CurrentSky().jde - J2000) * MotionPerDay(*SkyObjectOf(star)).y;
  EXPECT_NEAR(std::atan2(CurrentDirectionVector(star).y, 1), along, 1e-9);
  EXPECT_NEAR(along / 4.848136811e-6, 51, 0.01);
  EXPECT_TRUE(IsCurrent(star, StarGeneration()));
}

TEST_F(SkyTest, StarParallaxDependsOnTheViewersDistanceFromTheSun) {
  ObservingSettings& s = test::Observing();
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
  test::UpdateSky();
  ASSERT_TRUE(CurrentSky().starParallax);
  ComputeStarPlace(star);
  const Vector3 v = CurrentSky().viewerPosition;
  const double expected = std::hypot(v.x, v.y) / (1.3 * parsec) * test::ArcsecPerRadian;
  EXPECT_NEAR(test::SeparationArcsec(CurrentDirectionVector(star), Vector3{0, 0, 1}), expected,
              0.01);
  // Half way to the star it is 1.5 magnitudes brighter (5 log 2), distance halved.
  s.ViewerObject = star.id;
  s.ViewerObjectOffset[2] = -0.65 * parsec;
  test::UpdateSky();
  ObjectRecord& other = AddSkyObject(KindSingleStar, Vector3{0, 0, 1}, 1.3 * parsec, 10);
  ComputeStarPlace(other);
  EXPECT_EQ(CurrentMagnitude(other), 10 - 150);
  EXPECT_NEAR(CurrentDistance(other) / (0.65 * parsec), 1, 1e-6);
  // Standing at the star: distance 0 and the magnitude of an observer at the object.
  s.ViewerObjectOffset[2] = 0;
  test::UpdateSky();
  ComputeStarPlace(other);
  EXPECT_EQ(CurrentDistance(other), 0.0f);
  EXPECT_EQ(CurrentMagnitude(other), MagnitudeAtObserver);
}

TEST_F(SkyTest, StarAberrationReachesTwentyArcseconds) {
  test::Observing().StarMotion = false;
  ObjectRecord& star = AddSkyObject(KindSingleStar, Vector3{0, 0, 1}, HUGE_VAL, 100);
  SetTimeUt(2455000.5);
  test::Observing().Aberration = false;
  test::UpdateSky();
  ComputeStarPlace(star);
  const Vector3 still = CurrentDirectionVector(star);
  test::Observing().Aberration = true;
  test::UpdateSky();
  EXPECT_FALSE(IsCurrent(star, StarGeneration()));
  ComputeStarPlace(star);
  // The pole of the equator is 23.4 degrees from the ecliptic pole: between 20.5 cos(66.6) = 8"
  // and 20.5" of displacement through the year, never nothing.
  const double shift = test::SeparationArcsec(CurrentDirectionVector(star), still);
  EXPECT_GT(shift, 7.5);
  EXPECT_LT(shift, 21.0);
}

TEST_F(SkyTest, ChartPlaceInEachSystemWithRefractionOnHorizonCharts) {
  test::Observing().StarMotion = false;
  test::Observing().Aberration = false;
  ObjectRecord& star =
      AddSkyObject(KindSingleStar, SphericalToRectangular(1.0, 0.5, 1), HUGE_VAL, 100);
  SetTimeUt(2455000.5);
  const ChartPlace equatorial = ApparentChartPosition(star, CoordinatesEquatorial);
  EXPECT_EQ(equatorial.lon, equatorial.ra);
  const ChartPlace plain = ApparentChartPosition(star, CoordinatesHorizon);
  test::Observing().Refraction = true;
  test::UpdateSky();
  const ChartPlace refracted = ApparentChartPosition(star, CoordinatesHorizon);
  EXPECT_NEAR(refracted.lat - plain.lat,
              Refraction(plain.lat, StandardPressureMbar, StandardTemperatureC), 1e-15);
  const ChartPlace galactic = ApparentChartPosition(star, CoordinatesGalactic);
  Vector3 g = SphericalToRectangular(1.0, 0.5, 1);
  Transform(CurrentSky().galacticMatrix, g);
  EXPECT_NEAR(galactic.lat, RectangularToSpherical(g).lat, 1e-8);
}

// Reference: astro/ref/horizon_pyephem.tsv, written by tools/make_observing_ref.py: PyEphem's
// apparent altitude and azimuth of stars at four sites of both hemispheres, 1800-2200.
// The clock read as universal time or as dynamical time (shifted by Delta T) gives the same sky:
// the bodies take dynamical time and the Earth's rotation universal time. With nutation the
// sidereal time is the apparent one (the mean one is up to 16" off). Limit 1.5".
TEST_F(SkyTest, HorizonPlacesMatchPyEphemInEitherTimeScale) {
  ObservingSettings& s = test::Observing();
  s.ViewerAltitude = 0;
  s.StarMotion = false;
  std::map<std::string, ObjectRecord*> stars;
  double worst = 0;
  for (const test::RefRow& row : test::LoadRefTable("horizon_pyephem.tsv")) {
    const std::string& name = row.Text("body");
    ObjectRecord*& object = stars[name];
    if (!object)
      object = &AddSkyObject(
          KindSingleStar,
          test::UnitFromDegrees(row.Number("ra_j2000_deg"), row.Number("dec_j2000_deg")), HUGE_VAL,
          0);
    s.ViewerLatitude = row.Number("lat_deg") * test::Deg;
    s.ViewerLongitude = row.Number("lon_deg") * test::Deg;
    const double ut = row.Number("jd_ut");
    const Vector3 want = test::UnitFromDegrees(row.Number("az_deg"), row.Number("alt_deg"));
    for (const bool dynamical : {false, true}) {
      s.DynamicTime = dynamical;
      s.JulianDate = dynamical ? ut + DeltaT(ut) * DaysPerSecond : ut;
      test::UpdateSky();
      const ChartPlace place =
          ChartPlaceOf(CurrentSky(), VectorFromDirection(PlaceAt(*object, CurrentSky()).direction),
                       CoordinatesHorizon);
      const double error =
          test::SeparationArcsec(test::Unit(SphericalToRectangular(place.lon, place.lat, 1)), want);
      EXPECT_LT(error, 1.5) << name << " line " << row.line << (dynamical ? " TT" : " UT");
      worst = std::max(worst, error);
    }
  }
  std::printf("  horizon places: largest error %.2f\"\n", worst);
}

}  // namespace
}  // namespace qv
