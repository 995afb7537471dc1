// astro/vsop87.h - the planetary theory VSOP87D: heliocentric ecliptic longitude, latitude and
// radius of Mercury to Neptune in the ecliptic and equinox of date, every published term.
// Radians, AU, Julian dates (TT; TDB differs by under 2 ms, which the series cannot tell).
// [V] P. Bretagnon, G. Francou, A&A 202, 309-315 (1988): the series and their precision, better
//     than 1" over 4000 years about J2000 for Mercury to Mars, a few tenths of an arc-second over
//     the same span for Jupiter to Neptune in their complete form.
#pragma once

#include <array>
#include <span>

#include "astro/angles.h"

namespace qv {

struct Vsop87Term {
  double amplitude, phase, frequency;  // A cos(B + C t), t in Julian millennia from J2000.0
};

// One coordinate: a series for each power of t, 0 to 5 (some empty).
struct Vsop87Series {
  std::array<std::span<const Vsop87Term>, 6> powers;
};

struct Vsop87Planet {
  const char* name;
  Vsop87Series longitude, latitude, radius;  // radians, radians, AU
};

constexpr int Vsop87PlanetCount = 8;
extern const Vsop87Planet Vsop87Planets[Vsop87PlanetCount];  // Mercury ... Neptune

// Vsop87PlanetOfKind: the series of a body kind 2 (Mercury) to 9 (Neptune), the Earth (4)
// included; nullptr for every other kind.
const Vsop87Planet* Vsop87PlanetOfKind(int kind);

// Vsop87Position: heliocentric ecliptic of date at jde: longitude in [0, 2 pi), latitude, radius.
Spherical Vsop87Position(const Vsop87Planet& planet, double jde);

}  // namespace qv
