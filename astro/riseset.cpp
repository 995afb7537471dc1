// astro/riseset.cpp - rising and setting. Sources in riseset.h.
#include "astro/riseset.h"

#include <cmath>

#include "astro/constants.h"

namespace qv {

double RiseSetHourAngle(double h0, double dec, double phi) {
  const double c = (std::sin(h0) - std::sin(phi) * std::sin(dec)) / (std::cos(phi) * std::cos(dec));
  if (c >= 1.0) return NeverRises;
  if (c <= -1.0) return Pi;
  return std::acos(c);
}

}  // namespace qv
