// astro/starplace.cpp - proper motion, parallax, distance modulus and aberration of stars.
#include "astro/starplace.h"

#include <algorithm>
#include <cmath>

#include "app/settings.h"
#include "astro/constants.h"
#include "astro/corrections.h"
#include "astro/skycontext.h"

namespace qv {

namespace {

Vector3 MovedPosition(const SkyObjectRecord& sky, bool withMotion) {
  Vector3 p{static_cast<double>(sky.position.x), static_cast<double>(sky.position.y),
            static_cast<double>(sky.position.z)};
  if (withMotion) {
    const double units = (Sky().jde - J2000) / MotionDaysPerUnit;
    p = Vector3{p.x + units * sky.motion.x, p.y + units * sky.motion.y, p.z + units * sky.motion.z};
  }
  return p;
}

// Parallax: the star seen from the viewer, in 2^30 units of its distance from the Sun.
void ApplyParallax(Vector3& p, double starDistance) {
  const SkyContext& sky = Sky();
  const Vector3& v = sky.viewerPosition;
  if (std::isinf(sky.viewerDistance)) {
    p = Vector3{-v.x * DirectionUnit, -v.y * DirectionUnit, -v.z * DirectionUnit};
    return;
  }
  const double k = DirectionScale / starDistance;
  p = Vector3{p.x - k * v.x, p.y - k * v.y, p.z - k * v.z};
}

bool KnownDistance(float distance) { return std::isfinite(distance) && distance > 0; }

// The catalog magnitude changed by the distance modulus of a distance ratio m, in hundredths,
// held within the 16-bit range short of the two special values.
int16_t MagnitudeAtDistanceRatio(int16_t visual, double m) {
  if (visual == UnknownMagnitude) return UnknownMagnitude;
  const double value = visual + std::trunc(500 * std::log10(m));
  return static_cast<int16_t>(std::clamp(value, -32767.0, 32766.0));
}

void StoreDistanceAndMagnitude(SkyObjectRecord& sky, double m) {
  const double starDistance = sky.distance;
  if (!KnownDistance(sky.distance)) {
    sky.currentDistance = UnknownValue;
    sky.currentMagnitude = sky.visualMagnitude;
  } else if (std::isinf(Sky().viewerDistance)) {
    sky.currentDistance = UnknownValue;
    sky.currentMagnitude = UnknownMagnitude;
  } else {
    sky.currentDistance = static_cast<float>(starDistance * m);
    sky.currentMagnitude = MagnitudeAtDistanceRatio(sky.visualMagnitude, m);
  }
}

}  // namespace

void ComputeStarPlace(ObjectRecord& star) {
  SkyObjectRecord* sky = SkyObjectOf(star);
  if (!sky) return;
  const SkyContext& context = Sky();
  const double distance = sky->distance;
  const bool parallax = context.starParallax && KnownDistance(sky->distance);
  if (!context.starMotion && !parallax) {
    sky->current = sky->position;
    sky->currentDistance = sky->distance;
    sky->currentMagnitude = sky->visualMagnitude;
  } else {
    Vector3 p = MovedPosition(*sky, context.starMotion);
    if (parallax) ApplyParallax(p, distance);
    const double lengthSquared = Dot(p, p);
    if (lengthSquared <= 0) {
      sky->currentDistance = 0;
      sky->currentMagnitude = MagnitudeAtObserver;
    } else {
      const double m = std::sqrt(lengthSquared) * DirectionUnit;
      sky->current = DirectionFromVector(
          Vector3{p.x / m * DirectionUnit, p.y / m * DirectionUnit, p.z / m * DirectionUnit});
      StoreDistanceAndMagnitude(*sky, m);
    }
  }
  if (Settings().Aberration && sky->currentDistance > 0) {
    Vector3 u = VectorFromDirection(sky->current);
    Aberrate(u, context.observerVelocity, u);
    sky->current = DirectionFromVector(u);
  }
  MarkCurrent(star, context.starGeneration);
}

Vector3 StarHeliocentricPosition(const ObjectRecord& star, double& distance) {
  const SkyObjectRecord* sky = SkyObjectOf(star);
  if (!sky) {
    distance = HUGE_VAL;
    return Vector3{};
  }
  const Vector3 p = MovedPosition(*sky, Sky().starMotion);
  const double length = Length(p);
  if (KnownDistance(sky->distance)) {
    const Vector3 position{p.x * sky->distance * DirectionUnit, p.y * sky->distance * DirectionUnit,
                           p.z * sky->distance * DirectionUnit};
    distance = Length(position);
    return position;
  }
  distance = HUGE_VAL;
  return length > 0 ? Vector3{p.x / length, p.y / length, p.z / length} : Vector3{};
}

}  // namespace qv
