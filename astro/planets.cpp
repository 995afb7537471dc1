// astro/planets.cpp - heliocentric positions by kind and the apparent place of solar-system
// bodies.
#include "astro/planets.h"

#include <cmath>

#include "app/settings.h"
#include "astro/constants.h"
#include "astro/corrections.h"
#include "astro/frames.h"
#include "astro/moons.h"
#include "astro/orbit_elements.h"
#include "astro/physical.h"
#include "astro/pluto.h"
#include "astro/satellite.h"
#include "astro/skycontext.h"
#include "astro/vfp_series.h"
#include "astro/vsop87.h"
#include "objects/store.h"

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

// Ecliptic of date -> J2000 equator, for the series; rebuilt only when the time changes.
const Matrix3& EclipticOfDateToEquator(double t) {
  static double cachedT = NAN;
  static Matrix3 cached;
  if (t != cachedT) {
    Matrix3 precession;
    ObliquityRotation(cached, MeanObliquity(t), -1);
    PrecessionMatrix(precession, t, J2000, false);
    Multiply(precession, cached);
    cachedT = t;
  }
  return cached;
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

Vector3 ElementsHeliocentric(const OrbitRecord& orbit, double t) {
  const OrbitalElements el = AdvanceElements(ElementsOfRecord(orbit), t);
  Vector3 p = ElementsToPosition(el.q, el.e, el.i, el.omega, el.node, el.m);
  Transform(EclipticJ2000ToEquator(), p);
  return p;
}

bool IsMajorBody(int kind) { return (kind >= KindSun && kind <= KindPluto) || kind == KindMoon; }

// The body's own position: about its primary for moons and satellites, else about the Sun.
Vector3 OwnPosition(const ObjectRecord& body, const OrbitRecord& orbit, double t) {
  const int kind = body.kind;
  if (IsMajorBody(kind)) {
    switch (Settings().PlanetComputation) {
      case PlanetElements:
        return ElementsHeliocentric(orbit, t);
      case PlanetVSOP87:
        return PreciseHeliocentricPosition(kind, t);
      default:
        return SeriesHeliocentric(kind, t);
    }
  }
  if (kind == KindEarthSatellite) {
    const OrbitalElements el = ElementsOfRecord(orbit);
    return Settings().SatelliteModel == SatelliteSGP4 ? Sgp4SatellitePosition(el, t)
                                                      : SatellitePosition(el, t);
  }
  if (kind >= KindPhobos && kind <= KindCharon) return MoonPosition(kind, t);
  return ElementsHeliocentric(orbit, t);  // comets, asteroids, spacecraft
}

// The planet a moon belongs to by its kind, the Earth for the Moon and satellites; 0 for others.
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

// Primaries' cached positions are used only when current and cachedPrimaries allows it (not at a
// retarded or otherwise different time).
struct PositionRequest {
  double t;
  bool cachedPrimaries;
};

Vector3 PositionWithDepth(const ObjectRecord& body, const PositionRequest& at, int depth,
                          HeliocentricResult* out);

// The primary's heliocentric position at t: its cache when current, else computed.
bool PrimaryPosition(const ObjectRecord& body, const OrbitRecord& orbit, const PositionRequest& at,
                     int depth, Vector3& position) {
  const ObjectRecord* primary = orbit.primary != 0 ? PrimaryOf(orbit) : nullptr;
  if (primary && (primary == &body || !IsSolarSystemKind(primary->kind))) primary = nullptr;
  if (!primary && ParentKindOf(body.kind) != 0) {
    const int parentKind = ParentKindOf(body.kind);
    primary = SolarSystemBodyOfKind(parentKind);
    if (!primary) {
      position = BuiltInHeliocentricPosition(parentKind, at.t);
      return true;
    }
  }
  if (!primary) return false;
  const OrbitRecord* parentOrbit = OrbitOf(*primary);
  if (at.cachedPrimaries && parentOrbit && IsCurrent(*primary, Sky().planetGeneration))
    position = parentOrbit->heliocentric;
  else
    position = PositionWithDepth(*primary, at, depth + 1, nullptr);
  return true;
}

Vector3 PositionWithDepth(const ObjectRecord& body, const PositionRequest& at, int depth,
                          HeliocentricResult* out) {
  const OrbitRecord* orbit = OrbitOf(body);
  if (!orbit || depth > PrimaryMaxDepth) return Vector3{};
  Vector3 p = OwnPosition(body, *orbit, at.t);
  Vector3 primary;
  const bool hasPrimary = PrimaryPosition(body, *orbit, at, depth, primary);
  if (hasPrimary) Add(p, primary, p);
  if (out) {
    out->hasPrimary = hasPrimary;
    out->primary = primary;
  }
  return p;
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

HeliocentricResult HeliocentricPosition(const ObjectRecord& body, double jde,
                                        bool cachedPrimaries) {
  HeliocentricResult r;
  r.position = PositionWithDepth(body, PositionRequest{jde, cachedPrimaries}, 0, &r);
  r.distance = Length(r.position);
  return r;
}

namespace {

void ComputeApparentPlaceWithDepth(ObjectRecord& body, int depth);

void ComputePrimaryFirst(const OrbitRecord& orbit, ObjectRecord& body, int depth) {
  if (orbit.primary == 0) return;
  ObjectRecord* primary = PrimaryOf(orbit);
  if (primary && primary != &body && IsSolarSystemKind(primary->kind) &&
      !IsCurrent(*primary, Sky().planetGeneration))
    ComputeApparentPlaceWithDepth(*primary, depth + 1);
}

// The light-time loop: positions at the retarded time, the viewer where it is now.
HeliocentricResult RetardedPosition(const ObjectRecord& body, Vector3& d, double& delta) {
  SkyContext& sky = Sky();
  const double jde0 = sky.jde;
  const bool lightTime = Settings().PlanetLightTime;
  HeliocentricResult r;
  double tau = 0;
  for (int step = 0; step < LightTimeMaxSteps; ++step) {
    sky.jde = jde0 - tau;  // everything that reads the context's time sees the retarded time
    r = HeliocentricPosition(body, sky.jde, tau == 0);  // primaries too, not from their caches
    Subtract(r.position, sky.viewerPosition, d);
    delta = Length(d);
    const double tauNew = delta * LightDaysPerAu;
    if (!lightTime || std::fabs(tauNew - tau) <= LightTimeTolerance) break;
    tau = tauNew;
  }
  sky.jde = jde0;
  return r;
}

void ComputeApparentPlaceWithDepth(ObjectRecord& body, int depth) {
  OrbitRecord* orbit = OrbitOf(body);
  if (!orbit || depth > PrimaryMaxDepth) return;
  ComputePrimaryFirst(*orbit, body, depth);
  const SkyContext& sky = Sky();
  HeliocentricResult r;
  Vector3 d;
  double delta;
  if (std::isinf(sky.viewerDistance)) {
    r = HeliocentricPosition(body, sky.jde);
    d = Vector3{-sky.viewerPosition.x, -sky.viewerPosition.y, -sky.viewerPosition.z};
    delta = HUGE_VAL;
  } else {
    r = RetardedPosition(body, d, delta);
    if (delta > 0) d = Vector3{d.x / delta, d.y / delta, d.z / delta};
  }
  if (Settings().Aberration) Aberrate(d, sky.observerVelocity, d);
  orbit->current = DirectionFromVector(d);
  orbit->currentDistance =
      std::isnan(delta) ? UnknownValue : static_cast<float>(delta);  // damaged elements
  orbit->heliocentric = r.position;
  ComputePhysicalQuantities(body, d, r, delta);
  MarkCurrent(body, sky.planetGeneration);
}

}  // namespace

void ComputeApparentPlace(ObjectRecord& body) { ComputeApparentPlaceWithDepth(body, 0); }

}  // namespace qv
