// astro/skycontext.cpp - the sky context from the observing settings (skycontext.h).
#include "astro/skycontext.h"

#include <algorithm>
#include <cmath>

#include "astro/constants.h"
#include "astro/corrections.h"
#include "astro/frames.h"
#include "astro/planets.h"
#include "astro/time.h"

namespace qv {
namespace {

// The chart's equinox and the frames. The horizon (and rising and setting) belong to the equator
// of the true date even when the chart is drawn for a fixed equinox.
void SetFrames(SkyContext& c, const ObservingSettings& s) {
  c.precessionEpoch = s.Precession ? c.jde : s.PrecessionEpoch;
  PrecessionMatrix(c.equatorialMatrix, J2000, c.precessionEpoch, s.Nutation);
  Matrix3 obliquity;
  ObliquityRotation(obliquity, MeanObliquity(c.precessionEpoch), 1);
  c.eclipticMatrix = c.equatorialMatrix;
  Multiply(obliquity, c.eclipticMatrix);
  GalacticMatrix(c.galacticMatrix, J2000, 1);
  PrecessionMatrix(c.dateMatrix, J2000, c.jde, s.Nutation);
  Matrix3 horizon;
  HorizonMatrix(horizon, c.siderealTime, s.ViewerLatitude, 1);
  c.horizonMatrix = c.dateMatrix;
  Multiply(horizon, c.horizonMatrix);
}

// The viewer's place, its offset from the viewing body's centre and its velocity.
void SetViewer(SkyContext& c, const ObservingSettings& s, const ViewerLocator& locate) {
  const ViewerBody body = locate(c);
  c.viewer = body.object;
  c.settings.ViewerObject = body.object;
  if (body.object != 0) {
    c.observerOffset =
        Vector3{s.ViewerObjectOffset[0], s.ViewerObjectOffset[1], s.ViewerObjectOffset[2]};
    // The Earth's velocity is known; other viewers get none, and so no aberration.
    c.observerVelocity = body.isEarth ? EarthVelocity(c.jde) : Vector3{};
  } else {
    c.observerOffset =
        ObserverGeocentricPosition(c.siderealTime, s.ViewerLatitude, s.ViewerAltitude * MetresToAu,
                                   EarthRadiusAu, EarthFlattening);
    TransformTransposed(c.dateMatrix, c.observerOffset);  // equator of date -> J2000
    c.observerVelocity = EarthVelocity(c.jde);
  }
  c.viewerPosition = body.position;
  c.viewerDistance = body.distance;
  if (std::isfinite(c.viewerDistance)) {
    Add(c.viewerPosition, c.observerOffset, c.viewerPosition);
    c.viewerDistance = Length(c.viewerPosition);
  }
  const Vector3& v = c.observerVelocity;
  c.observerVelocity = Vector3{v.x * LightDaysPerAu, v.y * LightDaysPerAu, v.z * LightDaysPerAu};
}

// Where the Sun is from the viewer.
void SetSun(SkyContext& c) {
  const Vector3& p = c.viewerPosition;
  if (std::isinf(c.viewerDistance))
    c.sunDirection = Vector3{-p.x, -p.y, -p.z};
  else if (c.viewerDistance <= 0)
    c.sunDirection = Vector3{};
  else
    c.sunDirection =
        Vector3{-p.x / c.viewerDistance, -p.y / c.viewerDistance, -p.z / c.viewerDistance};
  c.sunAltitude = std::asin(std::clamp(Dot(Zenith(c), c.sunDirection), -1.0, 1.0));
}

}  // namespace

SkyContext MakeSkyContext(const ObservingSettings& s, const ViewerLocator& locate) {
  SkyContext c;
  c.settings = s;
  c.zone = ZoneInEffect(s, s.JulianDate);
  // The clock is one time scale; each quantity takes the one it needs.
  c.jde = DynamicalTime(s.JulianDate, s.DynamicTime);
  c.ut = UniversalTime(s.JulianDate, s.DynamicTime);
  c.siderealTime = LocalSiderealTime(c.ut, s.ViewerLongitude);
  // The true equator of the frames needs the sidereal time from the true equinox.
  if (s.Nutation) c.siderealTime = NormalizeAngle(c.siderealTime + EquationOfEquinoxes(c.jde));
  SetFrames(c, s);
  // Star motion is settled before the viewer, which may be a star that moves.
  c.starMotion = s.StarMotion && std::fabs(c.jde - J2000) > s.StarMotionThreshold;
  SetViewer(c, s, locate);
  c.starParallax = s.StarParallax && c.viewerDistance > s.StarParallaxThreshold;
  SetSun(c);
  return c;
}

ViewerBody BuiltInEarthViewer(const SkyContext& c) {
  ViewerBody earth;
  earth.position = BuiltInHeliocentricPosition(KindEarth, c.jde);
  earth.distance = Length(earth.position);
  return earth;
}

const Matrix3& SystemMatrix(const SkyContext& c, int coordinateSystem) {
  switch (coordinateSystem) {
    case CoordinatesEcliptic:
      return c.eclipticMatrix;
    case CoordinatesGalactic:
      return c.galacticMatrix;
    case CoordinatesHorizon:
      return c.horizonMatrix;
    default:
      return c.equatorialMatrix;
  }
}

Vector3 Zenith(const SkyContext& c) {
  const Matrix3& h = c.horizonMatrix;
  return Vector3{h.m[2][0], h.m[2][1], h.m[2][2]};
}

Spherical PlaceOfDate(const SkyContext& c, const Vector3& j2000) {
  Vector3 v = j2000;
  Transform(c.dateMatrix, v);
  return RectangularToSpherical(v);
}

}  // namespace qv
