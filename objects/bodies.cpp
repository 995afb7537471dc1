// objects/bodies.cpp - positions and apparent places of solar-system bodies (bodies.h).
#include "objects/bodies.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "astro/constants.h"
#include "astro/corrections.h"
#include "astro/planets.h"
#include "objects/orbit_elements.h"
#include "objects/physical.h"
#include "objects/sky.h"
#include "objects/store.h"

namespace qv {
namespace {

bool SharesRecordCaches(const PlaceComputation& c) { return c.planetGeneration != 0; }

bool IsPrimaryCurrent(const PlaceComputation& c, const ObjectRecord& primary) {
  if (SharesRecordCaches(c)) return IsCurrent(primary, c.planetGeneration);
  return std::any_of(c.primaries.begin(), c.primaries.end(),
                     [&](const auto& known) { return known.first == &primary; });
}

Vector3 KnownPrimaryPosition(const PlaceComputation& c, const ObjectRecord& primary) {
  if (SharesRecordCaches(c)) return OrbitOf(primary)->heliocentric;
  for (const auto& known : c.primaries)
    if (known.first == &primary) return known.second;
  return Vector3{};
}

// Primaries' places are used only when current and cachedPrimaries allows it (not at a retarded
// or otherwise different time).
struct PositionRequest {
  double t;
  bool cachedPrimaries;
};

Vector3 PositionWithDepth(PlaceComputation& c, const ObjectRecord& body, const PositionRequest& at,
                          int depth, HeliocentricResult* out);

// The primary's heliocentric position at t: its known place when current, else computed.
bool PrimaryPosition(PlaceComputation& c, const ObjectRecord& body, const OrbitRecord& orbit,
                     const PositionRequest& at, int depth, Vector3& position) {
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
  if (at.cachedPrimaries && OrbitOf(*primary) && IsPrimaryCurrent(c, *primary))
    position = KnownPrimaryPosition(c, *primary);
  else
    position = PositionWithDepth(c, *primary, at, depth + 1, nullptr);
  return true;
}

Vector3 PositionWithDepth(PlaceComputation& c, const ObjectRecord& body, const PositionRequest& at,
                          int depth, HeliocentricResult* out) {
  const OrbitRecord* orbit = OrbitOf(body);
  if (!orbit || depth > PrimaryMaxDepth) return Vector3{};
  Vector3 p = OwnPosition(body.kind, ElementsOfRecord(*orbit), c.sky.settings, at.t);
  Vector3 primary;
  const bool hasPrimary = PrimaryPosition(c, body, *orbit, at, depth, primary);
  if (hasPrimary) Add(p, primary, p);
  if (out) {
    out->hasPrimary = hasPrimary;
    out->primary = primary;
  }
  return p;
}

std::optional<ApparentPlace> PlaceWithDepth(PlaceComputation& c, const ObjectRecord& body,
                                            int depth);

// The declared primary's place comes first, so that the body can read it.
void ComputePrimaryFirst(PlaceComputation& c, const OrbitRecord& orbit, const ObjectRecord& body,
                         int depth) {
  if (orbit.primary == 0) return;
  ObjectRecord* primary = PrimaryOf(orbit);
  if (!primary || primary == &body || !IsSolarSystemKind(primary->kind) ||
      IsPrimaryCurrent(c, *primary))
    return;
  const std::optional<ApparentPlace> place = PlaceWithDepth(c, *primary, depth + 1);
  if (!place) return;  // the chain of primaries was cut
  if (SharesRecordCaches(c)) {
    StorePlace(*primary, *place);
    MarkCurrent(*primary, c.planetGeneration);
  } else {
    c.primaries.emplace_back(primary, place->heliocentric);
  }
}

// The light-time loop: positions at the retarded time, the viewer where it is now.
HeliocentricResult RetardedPosition(PlaceComputation& c, const ObjectRecord& body, Vector3& d,
                                    double& delta) {
  const SkyContext& sky = c.sky;
  const bool lightTime = sky.settings.PlanetLightTime;
  HeliocentricResult r;
  double tau = 0;
  for (int step = 0; step < LightTimeMaxSteps; ++step) {
    r = HeliocentricPosition(c, body, sky.jde - tau, tau == 0);  // primaries retarded too
    Subtract(r.position, sky.viewerPosition, d);
    delta = Length(d);
    const double tauNew = delta * LightDaysPerAu;
    if (!lightTime || std::fabs(tauNew - tau) <= LightTimeTolerance) break;
    tau = tauNew;
  }
  return r;
}

std::optional<ApparentPlace> PlaceWithDepth(PlaceComputation& c, const ObjectRecord& body,
                                            int depth) {
  const OrbitRecord* orbit = OrbitOf(body);
  if (!orbit || depth > PrimaryMaxDepth) return std::nullopt;
  ApparentPlace place = CachedPlace(body);
  ComputePrimaryFirst(c, *orbit, body, depth);
  const SkyContext& sky = c.sky;
  HeliocentricResult r;
  Vector3 d;
  double delta;
  if (std::isinf(sky.viewerDistance)) {
    r = HeliocentricPosition(c, body, sky.jde);
    d = Vector3{-sky.viewerPosition.x, -sky.viewerPosition.y, -sky.viewerPosition.z};
    delta = HUGE_VAL;
  } else {
    r = RetardedPosition(c, body, d, delta);
    if (delta > 0) d = Vector3{d.x / delta, d.y / delta, d.z / delta};
  }
  if (sky.settings.Aberration) Aberrate(d, sky.observerVelocity, d);
  place.direction = DirectionFromVector(d);
  place.distance = std::isnan(delta) ? UnknownValue : static_cast<float>(delta);  // damaged
  place.heliocentric = r.position;
  ComputePhysicalQuantities(body, sky, d, r, delta, place);
  return place;
}

PlaceComputation CurrentSkyComputation() {
  return PlaceComputation{CurrentSky(), PlanetGeneration(), {}};
}

}  // namespace

HeliocentricResult HeliocentricPosition(PlaceComputation& c, const ObjectRecord& body, double jde,
                                        bool cachedPrimaries) {
  HeliocentricResult r;
  r.position = PositionWithDepth(c, body, PositionRequest{jde, cachedPrimaries}, 0, &r);
  r.distance = Length(r.position);
  return r;
}

Vector3 UncachedHeliocentricPosition(const ObjectRecord& body, const SkyContext& sky) {
  PlaceComputation c{sky, 0, {}};
  return PositionWithDepth(c, body, PositionRequest{sky.jde, false}, 0, nullptr);
}

ApparentPlace BodyPlace(PlaceComputation& c, const ObjectRecord& body) {
  return PlaceWithDepth(c, body, 0).value_or(CachedPlace(body));
}

void ComputeApparentPlace(ObjectRecord& body) {
  if (!OrbitOf(body)) return;
  PlaceComputation c = CurrentSkyComputation();
  StorePlace(body, BodyPlace(c, body));
  MarkCurrent(body, c.planetGeneration);
}

HeliocentricResult HeliocentricPosition(const ObjectRecord& body, double jde) {
  PlaceComputation c = CurrentSkyComputation();
  return HeliocentricPosition(c, body, jde);
}

}  // namespace qv
