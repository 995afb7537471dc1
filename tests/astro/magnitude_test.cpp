// Magnitudes by kind, the rise/set hour angle and the twilight states at their boundaries.
#include "astro/magnitude.h"

#include <gtest/gtest.h>

#include <cmath>

#include "astro/constants.h"
#include "astro/kinds.h"
#include "astro/riseset.h"
#include "astro/twilight.h"
#include "tests/support/degree.h"

namespace qv {
namespace {

using test::Deg;
constexpr double Unknown = HUGE_VAL;

TEST(Magnitude, WorkedValuesOfEachFormula) {
  struct Case {
    const char* what;
    int kind;
    MagnitudeParameters params;
    double delta, r, phaseDeg;
    int16_t want;
  };
  const Case cases[] = {
      // The Sun at 1 AU: -26.72.
      {"Sun at 1 AU", KindSun, {}, 1.0, 0.0, 0, -2672},
      // Meeus, example 41.a: Venus 1992 Dec 20, r 0.724604, delta 0.910947, i 72.96: -4.2.
      {"Venus, Meeus 41.a", KindVenus, {}, 0.910947, 0.724604, 72.96, -421},
      // A satellite's standard magnitude is its brightness at 1000 km, half lit (the formula's
      // 15.75 is 2.5 log 2e6 rounded, so -1.80 comes out -1.7974).
      {"satellite at 1000 km, half lit",
       KindEarthSatellite,
       {-1.8, Unknown, 0},
       1000 / KmPerAu,
       1,
       90,
       -179},
      // Comet: H + 5 log delta + 2.5 K log r = 5.5 + 0 + 2.5 * 3.2 * log 2 = 7.908.
      {"comet at 2 AU from the Sun", KindComet, {5.5, 3.2, 0}, 1.0, 2.0, 40, 790},
      // Asteroid at opposition: H + 5 log(r delta) = 3.34 + 5 log 4.16, the phase function is 1.
      {"asteroid at opposition", KindAsteroid, {3.34, 0.12, 0}, 1.6, 2.6, 0, 643},
      // A moon at full phase: H + 5 log(r delta) = 5 + 5 log 10 = 10.
      {"moon at full phase", KindTitan, {5.0, Unknown, 0}, 1.0, 10.0, 0, 1000},
      // Saturn edge-on: -8.88 + 5 log 80.75 = +0.656; with its rings wide open (B = 26.7
      // degrees) 0.916 brighter.
      {"Saturn rings edge-on", KindSaturn, {0, 0, 0}, 8.5, 9.5, 0, 65},
      {"Saturn rings open", KindSaturn, {0, 0, 26.7 * Deg}, 8.5, 9.5, 0, -26},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Magnitude(c.kind, c.params, c.delta, c.r, c.phaseDeg * Deg), c.want) << c.what;
}

TEST(Magnitude, NoMagnitudeWhereTheFormulasStop) {
  const MagnitudeParameters asteroid{5.0, 0.15, 0};
  EXPECT_NE(Magnitude(KindAsteroid, asteroid, 1.0, 2.0, 119.9 * Deg), MagnitudeUnknown);
  EXPECT_EQ(Magnitude(KindAsteroid, asteroid, 1.0, 2.0, AsteroidPhaseLimit), MagnitudeUnknown);
  EXPECT_EQ(Magnitude(KindAsteroid, {5.0, Unknown, 0}, 1.0, 2.0, 0.1), MagnitudeUnknown);
  EXPECT_EQ(Magnitude(KindComet, {Unknown, 4.0, 0}, 1.0, 2.0, 0.1), MagnitudeUnknown);
  EXPECT_EQ(Magnitude(KindEarthSatellite, {Unknown, 0, 0}, 1e-5, 1.0, 0.1), MagnitudeUnknown);
  // Past 179.82 degrees of phase nothing has a magnitude, not even the Sun; at infinity neither.
  for (int kind = KindSun; kind <= KindCharon; ++kind) {
    EXPECT_EQ(Magnitude(kind, {1, 0.1, 0}, 1.0, 1.0, 3.1385), MagnitudeUnknown) << kind;
    EXPECT_EQ(Magnitude(kind, {1, 0.1, 0}, HUGE_VAL, 1.0, 0.5), MagnitudeUnknown) << kind;
  }
  // A viewer at the body (distance 0) or a body at the Sun would give an infinite magnitude: it
  // must come out unknown, not wrap around in 16 bits.
  EXPECT_EQ(Magnitude(KindMars, {}, 0.0, 1.5, 0.1), MagnitudeUnknown);
  EXPECT_EQ(Magnitude(KindSun, {}, 0.0, 0.0, 0.0), MagnitudeUnknown);
  EXPECT_EQ(Magnitude(KindTitan, {5, 0, 0}, 1.0, NAN, 0.1), MagnitudeUnknown);
  EXPECT_EQ(Magnitude(KindComet, {5, 4, 0}, 1e200, 1.0, 0.1), MagnitudeUnknown);  // too faint
}

TEST(RiseSetHourAngle, CircumpolarNeverRisingAndTheEquator) {
  const double phi = 60 * Deg;
  EXPECT_EQ(RiseSetHourAngle(0, 35 * Deg, phi), Pi);           // always above the horizon
  EXPECT_EQ(RiseSetHourAngle(0, -35 * Deg, phi), NeverRises);  // never reaches it
  EXPECT_NEAR(RiseSetHourAngle(0, 0, 0), HalfPi, 1e-9);        // twelve hours up on the equator
  // The Sun at the solstice from 60 north, 50' below the horizon: Meeus's formula 15.1.
  const double h0 = -0.8333 * Deg, dec = 23.44 * Deg;
  EXPECT_NEAR(
      RiseSetHourAngle(h0, dec, phi),
      std::acos((std::sin(h0) - std::sin(phi) * std::sin(dec)) / (std::cos(phi) * std::cos(dec))),
      1e-15);
  EXPECT_GT(RiseSetHourAngle(h0, dec, phi),
            RiseSetHourAngle(0, dec, phi));  // a lower horizon: longer day
}

TEST(TwilightState, BoundariesBelongToTheDarkerState) {
  EXPECT_EQ(TwilightStateOf(-0.5, true), TwilightState::Night);
  EXPECT_EQ(TwilightStateOf(AstronomicalTwilightAltitude, true), TwilightState::Night);
  EXPECT_EQ(TwilightStateOf(AstronomicalTwilightAltitude + 1e-9, true),
            TwilightState::Astronomical);
  EXPECT_EQ(TwilightStateOf(NauticalTwilightAltitude, true), TwilightState::Astronomical);
  EXPECT_EQ(TwilightStateOf(CivilTwilightAltitude, true), TwilightState::Nautical);
  EXPECT_EQ(TwilightStateOf(SunriseAltitude, true), TwilightState::Civil);
  EXPECT_EQ(TwilightStateOf(SunriseAltitude + 1e-9, true), TwilightState::Daytime);
  EXPECT_EQ(TwilightStateOf(1.0, false), TwilightState::Night);  // away from the Earth
  EXPECT_NEAR(AstronomicalTwilightAltitude, -18 * Deg, 1e-9);
  EXPECT_NEAR(SunriseAltitude, -0.83 * Deg, 1e-9);
}

}  // namespace
}  // namespace qv
