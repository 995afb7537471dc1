// tests/astro/series_geocentric.h - geocentric J2000 places from the series alone, or from the
// precise theories (light time for the planets), for tests that need a body's direction without
// the sky context.
#pragma once

#include <cmath>

#include "astro/constants.h"
#include "astro/frames.h"
#include "astro/kinds.h"
#include "astro/planets.h"
#include "astro/vfp_series.h"

namespace qv::test {

// Ecliptic of date -> J2000 equator, the rotation the series' results go through.
inline Vector3 SeriesToJ2000(const Spherical& s, double t) {
  Vector3 v = SphericalToRectangular(s.lon, s.lat, s.r);
  Matrix3 m, p;
  ObliquityRotation(m, MeanObliquity(t), -1);
  PrecessionMatrix(p, t, J2000, false);
  Multiply(p, m);
  Transform(m, v);
  return v;
}

// Geocentric J2000 position of a body seen from the Earth at t, the body at the retarded time.
template <class Heliocentric>
Vector3 GeocentricWithLightTime(Heliocentric heliocentric, int kind, double t) {
  const Vector3 earth = heliocentric(KindEarth, t);
  double tau = 0;
  Vector3 d;
  for (int k = 0; k < 10; ++k) {
    Subtract(heliocentric(kind, t - tau), earth, d);
    const double next = Length(d) * LightDaysPerAu;
    if (std::fabs(next - tau) < 1e-9) break;
    tau = next;
  }
  return d;
}

// Geocentric J2000 position with light time, from the series alone.
inline Vector3 GeocentricFromSeries(int kind, double t) {
  if (kind == KindSun) return SeriesToJ2000(SeriesPosition(KindSun, t), t);
  if (kind == KindMoon) {
    Spherical s = SeriesPosition(KindMoon, t);
    s.r *= EarthRadiusAu;
    return SeriesToJ2000(s, t);
  }
  return GeocentricWithLightTime(
      [](int k, double at) { return SeriesToJ2000(SeriesPosition(k, at), at); }, kind, t);
}

// The same from the precise theories of the setting "VSOP87" (the Sun at the origin).
inline Vector3 GeocentricFromPrecise(int kind, double t) {
  return GeocentricWithLightTime(PreciseHeliocentricPosition, kind, t);
}

}  // namespace qv::test
