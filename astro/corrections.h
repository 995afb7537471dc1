// astro/corrections.h - the corrections between a geometric and an apparent place: the
// observer's offset from the Earth's centre, the Earth's velocity, aberration and refraction.
// Radians, AU, Julian dates (TT). Pure functions, no errors.
// [M] J. Meeus, Astronomical Algorithms, 2nd ed. (1998): ch. 11 (observer's geocentric
//     coordinates), ch. 16 (refraction), ch. 23 (Ron-Vondrak velocity of the Earth).
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

// Refraction: what to add to a true altitude h (radians) for pressure (millibars) and temperature
// (Celsius): Bennett's form above 15 degrees, a rational fit below [M ch. 16].
double Refraction(double h, double pressureMbar, double temperatureC);

constexpr double StandardPressureMbar = 1013.25;  // refraction of the chart and rise/set
constexpr double StandardTemperatureC = 22.0;

}  // namespace qv
