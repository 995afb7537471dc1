// astro/corrections.h - the corrections between a geometric and an apparent place: the
// observer's offset from the Earth's centre, the Earth's velocity, aberration and refraction.
// Radians, AU, Julian dates (TT). Pure functions, no errors.
// [M] J. Meeus, Astronomical Algorithms, 2nd ed. (1998): ch. 11 (observer's geocentric
//     coordinates), ch. 16 (refraction), ch. 23 (Ron-Vondrak velocity of the Earth).
// [Sa] T. Saemundsson, Sky and Telescope 72, 70 (1986): refraction for a true altitude, as
//     quoted in [M] eq. 16.4.
// [S] P. K. Seidelmann (ed.), Explanatory Supplement to the Astronomical Almanac (1992), 3.252
//     (relativistic aberration).
#pragma once

#include "astro/vector.h"

namespace qv {

// ObserverGeocentricPosition: the observer's place relative to the Earth's centre, in the
// equator of date, AU.
//   Given  s  local sidereal time;  phi  geodetic latitude;  h  altitude above sea level, AU
//          a  equatorial radius, AU;  f  flattening
Vector3 ObserverGeocentricPosition(double s, double phi, double h, double a, double f);

// EarthVelocity: the Earth's heliocentric velocity, J2000 equator, AU per day (leading terms of
// the Ron-Vondrak series [M table 23.A], good to about 1e-7 AU per day, 0.02" of aberration).
Vector3 EarthVelocity(double jde);

// Aberrate: relativistic aberration of direction p for an observer moving at beta (units of c).
//   Returns  the Doppler factor (1 - p.beta / |p|) / sqrt(1 - beta^2)
//   out      the aberrated direction, of the length of p; may be p itself
double Aberrate(const Vector3& p, const Vector3& beta, Vector3& out);

// Refraction: what to add to a true (airless) altitude to get the apparent one, radians.
//   Given  h             true altitude, radians, any value (Note 2)
//          pressureMbar  air pressure, millibars (hPa);  temperatureC  air temperature, Celsius
// Notes  1. Saemundsson's formula R = 1.02' / tan(h + 10.3 / (h + 5.11)) (h in degrees) for
//           1010 mbar and 10 C [Sa], scaled by (P / 1010) (283 / (273 + T)). It agrees with
//           Bennett's formula for apparent altitudes to about 4" [M ch. 16].
//        2. The formula peaks at h = sqrt(10.3) - 5.11 = -1.9 degrees (44.6') and is meaningless
//           below; lower altitudes keep that value, so the apparent altitude keeps rising with the
//           true one. It falls to zero at the zenith and stays at zero past it.
double Refraction(double h, double pressureMbar, double temperatureC);

constexpr double StandardPressureMbar = 1010.0;  // the refraction of the chart
constexpr double StandardTemperatureC = 10.0;

}  // namespace qv
