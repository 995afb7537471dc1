// astro/magnitude.cpp - the magnitude formulas of every kind of solar-system body.
// Sources in magnitude.h.
#include "astro/magnitude.h"

#include <cmath>

#include "astro/constants.h"
#include "astro/kinds.h"

namespace qv {

namespace {

constexpr double NoValue = HUGE_VAL;  // a formula that has no answer

double AsteroidMagnitude(const MagnitudeParameters& p, double delta, double r, double i) {
  if (i >= AsteroidPhaseLimit) return NoValue;
  const double t = std::tan(i / 2);
  const double phi1 = std::exp(-3.33 * std::pow(t, 0.63)),
               phi2 = std::exp(-1.87 * std::pow(t, 1.22));
  const double s = (1 - p.second) * phi1 + p.second * phi2;
  if (s <= 0) return NoValue;
  return p.first + 5 * std::log10(r * delta) - 2.5 * std::log10(s);
}

// Planets: V(1,0) plus the 1984 Astronomical Almanac phase polynomials (i in degrees).
double PlanetMagnitude(int kind, const MagnitudeParameters& p, double distances, double i) {
  const double deg = i * RadToDeg;
  const double base = 5 * std::log10(distances);
  switch (kind) {
    case KindMercury:
      return -0.42 + base + 0.038 * deg - 0.000273 * deg * deg + 0.000002 * deg * deg * deg;
    case KindVenus:
      return -4.4 + base + 0.0009 * deg + 0.000239 * deg * deg - 6.5e-07 * deg * deg * deg;
    case KindEarth:
      return base - 3.86;
    case KindMars:
      return -1.52 + base + 0.016 * deg;
    case KindJupiter:
      return -9.4 + base + 0.005 * deg;
    case KindSaturn: {
      const double sinB = std::sin(p.ringLatitude);
      return -8.88 + base + 0.044 * deg - 2.6 * std::fabs(sinB) + 1.25 * sinB * sinB;
    }
    case KindUranus:
      return -7.19 + base + 0.0028 * deg;
    case KindNeptune:
      return -6.87 + base;
    default:
      return -1.01 + base + 0.041 * deg;  // Pluto
  }
}

double MagnitudeValue(int kind, const MagnitudeParameters& p, double delta, double r, double i) {
  const bool unknownFirst = std::isinf(p.first), unknownSecond = std::isinf(p.second);
  switch (kind) {
    case KindSun:
      return 5 * std::log10(delta) - 26.72;
    case KindComet:
      if (unknownFirst || unknownSecond) return NoValue;
      return p.first + 5 * std::log10(delta) + 2.5 * p.second * std::log10(r);
    case KindAsteroid:
      if (unknownFirst || unknownSecond) return NoValue;
      return AsteroidMagnitude(p, delta, r, i);
    case KindEarthSatellite: {
      if (unknownFirst) return NoValue;
      const double km = delta * KmPerAu;
      return p.first - 15.75 + 2.5 * std::log10(km * km / ((1 + std::cos(i)) / 2));
    }
    default:
      break;
  }
  if (kind >= KindMercury && kind <= KindPluto) return PlanetMagnitude(kind, p, r * delta, i);
  return p.first + 5 * std::log10(r * delta) - 2.5 * std::log10((1 + std::cos(i)) / 2);
}

}  // namespace

int16_t Magnitude(int kind, const MagnitudeParameters& params, double delta, double r, double i) {
  if (i > NoMagnitudePhase || std::isinf(delta)) return MagnitudeUnknown;
  const double hundredths = std::trunc(MagnitudeValue(kind, params, delta, r, i) * 100);
  // A zero distance, a missing H (infinity) or a NaN from bad elements would not fit 16 bits.
  if (!std::isfinite(hundredths) || hundredths <= -32768 || hundredths >= MagnitudeUnknown)
    return MagnitudeUnknown;
  return static_cast<int16_t>(hundredths);
}

}  // namespace qv
