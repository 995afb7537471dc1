// objects/physical.cpp - apparent size, phase, bright limb, magnitude and sub-observer point of
// solar-system bodies.
#include "objects/physical.h"

#include <algorithm>
#include <cmath>

#include "astro/angles.h"
#include "astro/constants.h"
#include "astro/magnitude.h"
#include "objects/store.h"

namespace qv {

namespace {

double AngularDiameter(double radius, double delta) {
  if (std::isinf(delta)) return 0;
  return radius < delta ? 2 * std::asin(radius / delta) : Pi;
}

// Angle Sun-body-viewer: between the body's heliocentric position and the direction to it.
double PhaseAngle(const Vector3& d, const Vector3& p) {
  const double r = Length(p);
  if (r <= 0) return 0;
  const double c = Dot(d, p) / r;
  return c > 1 ? 0 : std::acos(std::max(c, -1.0));
}

// A moon is in its primary's umbra when the Sun's disc, seen from the moon, lies wholly behind
// the primary's disc.
bool InPrimaryShadow(const ObjectRecord& body, const HeliocentricResult& r) {
  const OrbitRecord* orbit = OrbitOf(body);
  if (!r.hasPrimary || !orbit || orbit->primary == 0) return false;
  const ObjectRecord* primary = PrimaryOf(*orbit);
  const OrbitRecord* primaryOrbit = primary ? OrbitOf(*primary) : nullptr;
  if (!primaryOrbit || primaryOrbit->radius <= 0) return false;
  Vector3 q;
  Subtract(r.position, r.primary, q);
  const double pLength = Length(r.position), qLength = Length(q);
  if (pLength <= 0 || qLength <= primaryOrbit->radius) return false;
  const double c = std::acos(std::clamp(Dot(r.position, q) / (pLength * qLength), -1.0, 1.0));
  const double sunRadius = std::asin(std::min(SunRadiusAu / pLength, 1.0));
  return c + sunRadius < std::asin(primaryOrbit->radius / qLength);
}

}  // namespace

int16_t Magnitude(const ObjectRecord& body, const SkyContext& sky, const Vector3& d, double delta,
                  double r, double phase) {
  const OrbitRecord* orbit = OrbitOf(body);
  if (!orbit) return UnknownMagnitude;
  MagnitudeParameters params;
  params.first = ValueFromHundredths(orbit->magnitudeParam1);
  params.second = ValueFromHundredths(orbit->magnitudeParam2);
  if (body.kind == KindSaturn)
    params.ringLatitude =
        SubObserverGeometry(d, RotationModel(KindSaturn, sky.jde, RotationSystemIII)).latitude;
  return Magnitude(body.kind, params, delta, r, phase);
}

void ComputePhysicalQuantities(const ObjectRecord& body, const SkyContext& sky, const Vector3& d,
                               const HeliocentricResult& r, double delta, ApparentPlace& place) {
  const OrbitRecord* orbit = OrbitOf(body);
  if (!orbit) return;
  double phase = PhaseAngle(d, r.position);
  if (InPrimaryShadow(body, r)) phase = Pi;
  place.physical[PhysicalDiameter] = static_cast<float>(AngularDiameter(orbit->radius, delta));
  place.physical[PhysicalPhaseAngle] = static_cast<float>(phase);
  place.physical[PhysicalBrightLimb] =
      static_cast<float>(PositionAngleOfVectors(d, sky.sunDirection));
  place.magnitude = (delta <= 0 || std::isinf(delta))
                        ? UnknownMagnitude
                        : Magnitude(body, sky, d, delta, r.distance, phase);
}

SubObserverPoint PhysicalEphemeris(const SkyContext& sky, int kind, const ApparentPlace& place) {
  if (!IsSolarSystemKind(kind)) return SubObserverPoint{};
  const double delta = place.distance;
  double t = sky.jde;
  if (sky.settings.PlanetLightTime && std::isfinite(delta)) t -= delta * LightDaysPerAu;
  const int system = kind == KindJupiter ? RotationSystemII : RotationSystemIII;
  return SubObserverGeometry(VectorFromDirection(place.direction), RotationModel(kind, t, system));
}

}  // namespace qv
