// objects/starplace.cpp - proper motion, parallax, distance modulus and aberration of stars.
#include "objects/starplace.h"

#include <algorithm>
#include <cmath>

#include "astro/constants.h"
#include "astro/corrections.h"
#include "objects/sky.h"

namespace qv {
namespace {

Vector3 MovedPosition(const SkyObjectRecord& star, const SkyContext& sky, bool withMotion) {
  Vector3 p{static_cast<double>(star.position.x), static_cast<double>(star.position.y),
            static_cast<double>(star.position.z)};
  if (withMotion) {
    const double units = (sky.jde - J2000) / MotionDaysPerUnit;
    p = Vector3{p.x + units * star.motion.x, p.y + units * star.motion.y,
                p.z + units * star.motion.z};
  }
  return p;
}

// Parallax: the star seen from the viewer, in 2^30 units of its distance from the Sun.
void ApplyParallax(Vector3& p, double starDistance, const SkyContext& sky) {
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

void SetDistanceAndMagnitude(const SkyObjectRecord& star, const SkyContext& sky, double m,
                             ApparentPlace& place) {
  const double starDistance = star.distance;
  if (!KnownDistance(star.distance)) {
    place.distance = UnknownValue;
    place.magnitude = star.visualMagnitude;
  } else if (std::isinf(sky.viewerDistance)) {
    place.distance = UnknownValue;
    place.magnitude = UnknownMagnitude;
  } else {
    place.distance = static_cast<float>(starDistance * m);
    place.magnitude = MagnitudeAtDistanceRatio(star.visualMagnitude, m);
  }
}

}  // namespace

ApparentPlace StarPlace(const ObjectRecord& record, const SkyContext& sky) {
  ApparentPlace place = CachedPlace(record);
  const SkyObjectRecord* star = SkyObjectOf(record);
  if (!star) return place;
  const double distance = star->distance;
  const bool parallax = sky.starParallax && KnownDistance(star->distance);
  if (!sky.starMotion && !parallax) {
    place.direction = star->position;
    place.distance = star->distance;
    place.magnitude = star->visualMagnitude;
  } else {
    Vector3 p = MovedPosition(*star, sky, sky.starMotion);
    if (parallax) ApplyParallax(p, distance, sky);
    const double lengthSquared = Dot(p, p);
    if (lengthSquared <= 0) {
      place.distance = 0;
      place.magnitude = MagnitudeAtObserver;
    } else {
      const double m = std::sqrt(lengthSquared) * DirectionUnit;
      place.direction = DirectionFromVector(
          Vector3{p.x / m * DirectionUnit, p.y / m * DirectionUnit, p.z / m * DirectionUnit});
      SetDistanceAndMagnitude(*star, sky, m, place);
    }
  }
  if (sky.settings.Aberration && place.distance > 0) {
    Vector3 u = VectorFromDirection(place.direction);
    Aberrate(u, sky.observerVelocity, u);
    place.direction = DirectionFromVector(u);
  }
  return place;
}

void ComputeStarPlace(ObjectRecord& star) {
  if (!SkyObjectOf(star)) return;
  StorePlace(star, StarPlace(star, CurrentSky()));
  MarkCurrent(star, StarGeneration());
}

Vector3 StarHeliocentricPosition(const ObjectRecord& record, const SkyContext& sky,
                                 double& distance) {
  const SkyObjectRecord* star = SkyObjectOf(record);
  if (!star) {
    distance = HUGE_VAL;
    return Vector3{};
  }
  const Vector3 p = MovedPosition(*star, sky, sky.starMotion);
  const double length = Length(p);
  if (KnownDistance(star->distance)) {
    const Vector3 position{p.x * star->distance * DirectionUnit,
                           p.y * star->distance * DirectionUnit,
                           p.z * star->distance * DirectionUnit};
    distance = Length(position);
    return position;
  }
  distance = HUGE_VAL;
  return length > 0 ? Vector3{p.x / length, p.y / length, p.z / length} : Vector3{};
}

}  // namespace qv
