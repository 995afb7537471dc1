// astro/vfp_series.cpp - evaluation of the Van Flandern-Pulkkinen series (tables in
// vfp_tables.cpp).
#include "astro/vfp_series.h"

#include <cmath>

#include "astro/constants.h"
#include "astro/kinds.h"

namespace qv {

const SeriesBlock* SeriesBlockOfKind(int kind) {
  switch (kind) {
    case KindSun:
      return &SeriesBlocks[0];
    case KindMoon:
      return &SeriesBlocks[1];
    case KindMercury:
      return &SeriesBlocks[2];
    case KindVenus:
      return &SeriesBlocks[3];
    case KindMars:
      return &SeriesBlocks[4];
    case KindJupiter:
      return &SeriesBlocks[5];
    case KindSaturn:
      return &SeriesBlocks[6];
    case KindUranus:
      return &SeriesBlocks[7];
    case KindNeptune:
      return &SeriesBlocks[8];
    case KindPluto:
      return &SeriesBlocks[9];
    default:
      return nullptr;
  }
}

double EvaluateSeries(const double arguments[8], double T, const SeriesBlock& block, int first,
                      int last) {
  double sum = 0;
  for (int k = first; k <= last; ++k) {
    const SeriesTerm& term = block.terms[k];
    double angle = 0;
    for (int a = 0; a < 8; ++a)
      if (term.multipliers[a] != 0) angle += term.multipliers[a] * arguments[a];
    double value = term.coefficient * (term.function == 1 ? std::sin(angle) : std::cos(angle));
    for (int p = 0; p < term.power; ++p) value *= T;
    sum += value;
  }
  return sum;
}

Spherical SeriesPosition(int kind, double jde) {
  const bool earth = kind == KindEarth;
  const SeriesBlock* block = SeriesBlockOfKind(earth ? KindSun : kind);
  if (!block) return Spherical{};
  const double d = jde - J2000;
  double arguments[8];
  for (int a = 0; a < 8; ++a)
    arguments[a] = TwoPi * std::fmod(block->arguments[a][0] + block->arguments[a][1] * d, 1.0);
  const double T = d * CenturiesPerDay + 1.0;  // centuries from 1900.0
  Spherical s;
  s.lon = std::fmod(
      arguments[block->meanLongitudeIndex] +
          EvaluateSeries(arguments, T, *block, block->longitude.first, block->longitude.last) *
              ArcsecToRad,
      TwoPi);
  s.lat = EvaluateSeries(arguments, T, *block, block->latitude.first, block->latitude.last) *
          ArcsecToRad;
  s.r = EvaluateSeries(arguments, T, *block, block->radius.first, block->radius.last) * 1e-05;
  if (earth) {
    s.lon += Pi;
    if (s.lon > TwoPi) s.lon -= TwoPi;
    s.lat = -s.lat;
  }
  return s;
}

}  // namespace qv
