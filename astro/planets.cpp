// astro/planets.cpp - positions of solar-system bodies by kind (planets.h).
#include "astro/planets.h"

#include "astro/constants.h"
#include "astro/frames.h"
#include "astro/kinds.h"
#include "astro/moons.h"
#include "astro/pluto.h"
#include "astro/satellite.h"
#include "astro/vfp_series.h"
#include "astro/vsop87.h"

namespace qv {
namespace {

// Ecliptic of J2000 -> J2000 equator, for elements.
const Matrix3& EclipticJ2000ToEquator() {
  static const Matrix3 m = [] {
    Matrix3 r;
    ObliquityRotation(r, MeanObliquity(J2000), -1);
    return r;
  }();
  return m;
}

// Ecliptic of date -> J2000 equator, for the series.
Matrix3 EclipticOfDateToEquator(double t) {
  Matrix3 m, precession;
  ObliquityRotation(m, MeanObliquity(t), -1);
  PrecessionMatrix(precession, t, J2000, false);
  Multiply(precession, m);
  return m;
}

// A position in ecliptic coordinates of date, J2000 equator.
Vector3 EclipticOfDateToJ2000(const Spherical& s, double t) {
  Vector3 p = SphericalToRectangular(s.lon, s.lat, s.r);
  Transform(EclipticOfDateToEquator(t), p);
  return p;
}

Vector3 SeriesHeliocentric(int kind, double t) {
  if (kind == KindSun) return Vector3{};
  Spherical s = SeriesPosition(kind, t);
  if (kind == KindMoon) s.r *= EarthRadiusAu;  // the series gives Earth radii
  return EclipticOfDateToJ2000(s, t);
}

Vector3 ElementsHeliocentric(const OrbitalElements& elements, double t) {
  const OrbitalElements el = AdvanceElements(elements, t);
  Vector3 p = ElementsToPosition(el.q, el.e, el.i, el.omega, el.node, el.m);
  Transform(EclipticJ2000ToEquator(), p);
  return p;
}

bool IsMajorBody(int kind) { return (kind >= KindSun && kind <= KindPluto) || kind == KindMoon; }

Vector3 MajorBodyPosition(int kind, const OrbitalElements& elements, PlanetTheory theory,
                          double t) {
  switch (theory) {
    case PlanetElements:
      return ElementsHeliocentric(elements, t);
    case PlanetVSOP87:
      return PreciseHeliocentricPosition(kind, t);
    default:
      return SeriesHeliocentric(kind, t);
  }
}

}  // namespace

Vector3 PreciseHeliocentricPosition(int kind, double jde) {
  if (const Vsop87Planet* planet = Vsop87PlanetOfKind(kind))
    return EclipticOfDateToJ2000(Vsop87Position(*planet, jde), jde);
  if (kind == KindPluto && PlutoTheoryCovers(jde)) {
    const Spherical s = PlutoPosition(jde);
    Vector3 p = SphericalToRectangular(s.lon, s.lat, s.r);
    Transform(EclipticJ2000ToEquator(), p);
    return p;
  }
  return SeriesHeliocentric(kind, jde);
}

Vector3 BuiltInHeliocentricPosition(int kind, double jde) {
  Vector3 p = SeriesHeliocentric(kind, jde);
  if (kind == KindMoon) Add(p, SeriesHeliocentric(KindEarth, jde), p);
  return p;
}

Vector3 OwnPosition(int kind, const OrbitalElements& elements, const ObservingSettings& settings,
                    double t) {
  if (IsMajorBody(kind)) return MajorBodyPosition(kind, elements, settings.PlanetComputation, t);
  if (kind == KindEarthSatellite)
    return settings.SatelliteModel == SatelliteSGP4 ? Sgp4SatellitePosition(elements, t)
                                                    : SatellitePosition(elements, t);
  if (kind >= KindPhobos && kind <= KindCharon) return MoonPosition(kind, t);
  return ElementsHeliocentric(elements, t);  // comets, asteroids, spacecraft
}

int ParentKindOf(int kind) {
  if (kind == KindMoon || kind == KindEarthSatellite) return KindEarth;
  if (kind == KindPhobos || kind == KindDeimos) return KindMars;
  if (kind >= KindIo && kind <= KindCallisto) return KindJupiter;
  if (kind >= KindMimas && kind <= KindPhoebe) return KindSaturn;
  if (kind >= KindMiranda && kind <= KindOberon) return KindUranus;
  if (kind == KindTriton || kind == KindNereid) return KindNeptune;
  if (kind == KindCharon) return KindPluto;
  return 0;
}

}  // namespace qv
