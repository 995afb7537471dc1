// objects/bodies.h - where the solar-system bodies of the store are: their heliocentric
// positions with the primaries they orbit, and their apparent place for a sky context with light
// time and aberration, the physical quantities and the magnitude. Radians, AU, Julian dates (TT).
#pragma once

#include <utility>
#include <vector>

#include "astro/skycontext.h"
#include "objects/records.h"

namespace qv {

constexpr int PrimaryMaxDepth = 8;  // a chain of primaries longer than this is damage

struct HeliocentricResult {
  Vector3 position;     // J2000 equator, AU
  double distance = 0;  // from the Sun, AU
  bool hasPrimary = false;
  Vector3 primary;  // the primary's heliocentric position at the same time
};

// PlaceComputation: the places of one sky context being computed. For the current sky
// (planetGeneration set to its counter) the records' caches are read while current and the
// primaries computed along are stored in their records, stamped. For any other context
// (planetGeneration 0) no record is read from its cache or written: the primaries computed along
// are kept here.
struct PlaceComputation {
  const SkyContext& sky;
  uint32_t planetGeneration = 0;
  std::vector<std::pair<const ObjectRecord*, Vector3>> primaries;  // heliocentric, AU
};

// HeliocentricPosition: the body's position at jde, with its primary's position added. The
// primary's place is the one of the computation while it is current there (unless
// cachedPrimaries is false: a time other than the context's), otherwise computed. Moons, the
// Earth's moon and Earth satellites whose record names no primary are placed about the first
// body of their planet's kind, or the planet's built-in position. A cycle of primaries is cut
// after PrimaryMaxDepth.
HeliocentricResult HeliocentricPosition(PlaceComputation& computation, const ObjectRecord& body,
                                        double jde, bool cachedPrimaries = true);

// UncachedHeliocentricPosition: the same at the context's time with every primary computed.
Vector3 UncachedHeliocentricPosition(const ObjectRecord& body, const SkyContext& sky);

// BodyPlace: the body's direction and distance from the viewer (at the light-time-retarded
// instant when PlanetLightTime is on; aberrated when Aberration is on), heliocentric position,
// physical quantities and magnitude; its primaries' places first.
ApparentPlace BodyPlace(PlaceComputation& computation, const ObjectRecord& body);

// For the current sky: ComputeApparentPlace stores the body's place in its record, stamped with
// the planet generation; HeliocentricPosition reads current primaries from their records.
void ComputeApparentPlace(ObjectRecord& body);
HeliocentricResult HeliocentricPosition(const ObjectRecord& body, double jde);

}  // namespace qv
