// astro/vsop87.cpp - evaluating the series VSOP87D. Sources in vsop87.h.
#include "astro/vsop87.h"

#include <cmath>

namespace qv {
namespace {

constexpr int MercuryKind = 2;  // the ObjectKind of Mercury; Neptune is 9
constexpr double DaysPerMillennium = 365250.0;
constexpr double J2000Epoch = 2451545.0;  // JD of J2000.0 (TT)
constexpr double FullTurn = 6.283185307179586;

// sum over powers p of t^p times the sum of the terms of that power (Horner in t).
double Evaluate(const Vsop87Series& series, double t) {
  double value = 0;
  for (auto p = series.powers.size(); p-- > 0;) {
    double sum = 0;
    for (const Vsop87Term& term : series.powers[p])
      sum += term.amplitude * std::cos(term.phase + term.frequency * t);
    value = value * t + sum;
  }
  return value;
}

}  // namespace

const Vsop87Planet* Vsop87PlanetOfKind(int kind) {
  const int index = kind - MercuryKind;
  return index >= 0 && index < Vsop87PlanetCount ? &Vsop87Planets[index] : nullptr;
}

Spherical Vsop87Position(const Vsop87Planet& planet, double jde) {
  const double t = (jde - J2000Epoch) / DaysPerMillennium;
  double lon = std::fmod(Evaluate(planet.longitude, t), FullTurn);
  if (lon < 0) lon += FullTurn;
  return Spherical{lon, Evaluate(planet.latitude, t), Evaluate(planet.radius, t)};
}

}  // namespace qv
