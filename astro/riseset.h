// astro/riseset.h - rising and setting. Radians, Julian dates.
// [M] J. Meeus, Astronomical Algorithms, 2nd ed. (1998), ch. 15.
#pragma once

namespace qv {

constexpr double NeverRises = 0;          // hour angle of an object that never reaches h0
constexpr double SiderealToSolar = 0.9972695663398204;

// RiseSetHourAngle: the hour angle H0 at which an object of declination dec crosses altitude h0
// at latitude phi; 0 when it never reaches h0, pi when it never goes below.
double RiseSetHourAngle(double h0, double dec, double phi);

}  // namespace qv
