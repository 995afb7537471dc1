// tests/astro/series_geocentric.h - geocentric J2000 places from the series alone (light time
// for the planets), for tests that need a body's direction without the sky context.
#pragma once

#include "astro/constants.h"
#include "astro/frames.h"
#include "astro/kinds.h"
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

// Geocentric J2000 position with light time, from the series alone.
inline Vector3 GeocentricFromSeries(int kind, double t) {
  if (kind == KindSun) return SeriesToJ2000(SeriesPosition(KindSun, t), t);
  if (kind == KindMoon) {
    Spherical s = SeriesPosition(KindMoon, t);
    s.r *= EarthRadiusAu;
    return SeriesToJ2000(s, t);
  }
  const Vector3 earth = SeriesToJ2000(SeriesPosition(KindEarth, t), t);
  double tau = 0;
  Vector3 d;
  for (int k = 0; k < 10; ++k) {
    Subtract(SeriesToJ2000(SeriesPosition(kind, t - tau), t - tau), earth, d);
    tau = Length(d) * LightDaysPerAu;
  }
  return d;
}

}  // namespace qv::test
