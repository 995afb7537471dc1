// astro/pluto.cpp - Pluto from the periodic terms of [M] ch. 37. Sources in pluto.h.
#include "astro/pluto.h"

#include <cmath>
#include <numbers>

#include "astro/constants.h"

namespace qv {
namespace {

constexpr double Radian = std::numbers::pi / 180;  // per degree, exact
// The arguments in degrees and their rates in degrees per Julian century [M eq. 37.1].
constexpr double Jupiter0 = 34.35, JupiterRate = 3034.9057;
constexpr double Saturn0 = 50.08, SaturnRate = 1222.1138;
constexpr double Pluto0 = 238.96, PlutoRate = 144.96;
// The mean values the terms are added to.
constexpr double MeanLongitude0 = 238.958116, MeanLatitude = -3.908239, MeanRadius = 40.7241346;

}  // namespace

bool PlutoTheoryCovers(double jde) { return jde >= PlutoTheoryFirst && jde < PlutoTheoryEnd; }

Spherical PlutoPosition(double jde) {
  const double t = (jde - J2000) / DaysPerJulianCentury;
  const double j = Jupiter0 + JupiterRate * t, s = Saturn0 + SaturnRate * t;
  const double p = Pluto0 + PlutoRate * t;
  double lon = MeanLongitude0 + PlutoRate * t, lat = MeanLatitude, r = MeanRadius;
  for (const PlutoTerm& term : PlutoTerms) {
    const double a = (term.j * j + term.s * s + term.p * p) * Radian;
    const double sinA = std::sin(a), cosA = std::cos(a);
    lon += term.lonSin * sinA + term.lonCos * cosA;
    lat += term.latSin * sinA + term.latCos * cosA;
    r += term.radiusSin * sinA + term.radiusCos * cosA;
  }
  lon = std::fmod(lon, 360.0);
  if (lon < 0) lon += 360.0;
  return Spherical{lon * Radian, lat * Radian, r};
}

}  // namespace qv
