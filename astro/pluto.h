// astro/pluto.h - Pluto's heliocentric position from the periodic terms fitted to the numerical
// integration DE200, for 1885-2099. Radians, AU, Julian dates (TT).
// [M] J. Meeus, Astronomical Algorithms, 2nd ed. (1998), ch. 37: the 43 terms of table 37.A in
//     the arguments of Jupiter, Saturn and Pluto; within 0.5" in longitude and latitude and
//     2e-5 AU in radius of DE200 over 1885-2099, and not to be used outside those years.
#pragma once

#include <cstdint>

#include "astro/angles.h"

namespace qv {

struct PlutoTerm {
  int8_t j, s, p;               // multipliers of the arguments J, S, P
  double lonSin, lonCos;        // degrees
  double latSin, latCos;        // degrees
  double radiusSin, radiusCos;  // AU
};

constexpr int PlutoTermCount = 43;
extern const PlutoTerm PlutoTerms[PlutoTermCount];

constexpr double PlutoTheoryFirst = 2409542.5;  // 1885 January 1.0
constexpr double PlutoTheoryEnd = 2488069.5;    // 2100 January 1.0, the end of 2099

// PlutoTheoryCovers: PlutoTheoryFirst <= jde < PlutoTheoryEnd.
bool PlutoTheoryCovers(double jde);

// PlutoPosition: heliocentric ecliptic longitude, latitude and radius in the ecliptic and
// equinox of J2000.0 at jde. Outside the theory's years it extrapolates, badly: callers test
// PlutoTheoryCovers first.
Spherical PlutoPosition(double jde);

}  // namespace qv
