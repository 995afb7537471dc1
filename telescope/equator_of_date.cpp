// telescope/equator_of_date.cpp - precession between J2000 and the telescope's equator of date.
#include "telescope/equator_of_date.h"

#include <cmath>
#include <numbers>

#include "astro/angles.h"
#include "astro/constants.h"
#include "astro/frames.h"

namespace qv {
namespace {

EquatorialPosition Rotate(const EquatorialPosition& p, double jde, bool toDate) {
  Matrix3 m;
  PrecessionMatrix(m, J2000, jde, false);
  Vector3 v = SphericalToRectangular(p.ra, p.dec, 1.0);
  if (toDate) {
    Transform(m, v);
  } else {
    TransformTransposed(m, v);
  }
  const Spherical s = RectangularToSpherical(v);
  return {s.lon, s.lat};
}

}  // namespace

EquatorialPosition J2000ToEquatorOfDate(const EquatorialPosition& p, double jde) {
  return Rotate(p, jde, true);
}

EquatorialPosition EquatorOfDateToJ2000(const EquatorialPosition& p, double jde) {
  return Rotate(p, jde, false);
}

bool PositionsDiffer(const EquatorialPosition& a, const EquatorialPosition& b, double limit) {
  const double dRa = std::remainder(a.ra - b.ra, 2 * std::numbers::pi);
  return std::fabs(dRa) > limit || std::fabs(a.dec - b.dec) > limit;
}

}  // namespace qv
