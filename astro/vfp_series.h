// astro/vfp_series.h - the low-precision periodic series of Van Flandern and Pulkkinen for the
// Sun, the Moon and the major planets ("VFP"; the setting "VSOP87" computes the same).
// Results are geometric, mean ecliptic and equinox of date: the Sun and the Moon geocentric, the
// planets heliocentric. Radians, AU (the Moon in Earth radii), Julian dates (TT).
// [V] T. C. Van Flandern, K. F. Pulkkinen, ApJS 41, 391-411 (1979): about 1' (Pluto 15') within
//     a few centuries of 1900.
#pragma once

#include <cstdint>
#include <span>

#include "astro/angles.h"

namespace qv {

struct SeriesTerm {
  float coefficient;      // arc-seconds (longitude, latitude) or 1e-5 AU (radius)
  int8_t power;           // of T; <= 0: none
  int8_t function;        // 1 sine, otherwise cosine
  int8_t multipliers[8];  // of the block's eight arguments
};

struct SeriesRun {
  int first, last;  // inclusive term indices within the block
};

struct SeriesBlock {
  const char* name;
  double arguments[8][2];  // (revolutions, revolutions per day) from J2000.0
  std::span<const SeriesTerm> terms;
  int meanLongitudeIndex;  // the argument the longitude run is added to
  SeriesRun longitude, latitude, radius;
};

constexpr int SeriesBodyCount = 10;
extern const SeriesBlock SeriesBlocks[SeriesBodyCount];  // Sun, Moon, Mercury ... Pluto

// SeriesBlockOfKind: the block of a body kind (1-3, 5-10, 15), or nullptr.
const SeriesBlock* SeriesBlockOfKind(int kind);

// EvaluateSeries: sum over terms first..last of coefficient x f(sum of multiplier x argument) x
// T^power.
double EvaluateSeries(const double arguments[8], double T, const SeriesBlock& block, int first,
                      int last);

// SeriesPosition: ecliptic longitude, latitude and radius of a body kind at jde; the Earth (4) is
// the Sun's place turned through 180 degrees. Kinds without a series give zeros.
Spherical SeriesPosition(int kind, double jde);

}  // namespace qv
