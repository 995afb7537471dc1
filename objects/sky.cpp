// objects/sky.cpp - sky contexts with viewers from the store, and the current sky (sky.h).
#include "objects/sky.h"

#include <cmath>

#include "astro/planets.h"
#include "objects/bodies.h"
#include "objects/starplace.h"
#include "objects/store.h"

namespace qv {
namespace {

SkyContext current;

// The highest value each counter has ever had: advancing always goes past it, so a value handed
// out once is never handed out again.
uint32_t starGeneration = 1, planetGeneration = 1;
uint32_t starHighWater = 1, planetHighWater = 1;

// What the counters were last advanced for.
struct StarInputs {
  bool valid = false;
  Vector3 viewer, velocity;
  bool motion = false, parallax = false, aberration = false;
  double jde = 0;
};
struct PlanetInputs {
  bool valid = false;
  Vector3 viewer;
  int computation = 0, satelliteModel = 0;
  bool lightTime = false, aberration = false;
  double jde = 0;
};
StarInputs lastStarInputs;
PlanetInputs lastPlanetInputs;

bool SameVector(const Vector3& a, const Vector3& b) {
  return a.x == b.x && a.y == b.y && a.z == b.z;
}

// The record of the viewing object: a star, deep-sky object or solar-system body that exists.
const ObjectRecord* ViewingRecord(ObjectId viewer) {
  if (viewer == 0) return nullptr;
  const ObjectRecord* record = ObjectOfId(viewer);
  if (!record || !(IsSolarSystemKind(record->kind) || IsSkyObjectKind(record->kind)))
    return nullptr;
  return record;
}

// The viewing body at the context's time: no primary taken from its cache.
ViewerBody StoreViewer(const SkyContext& c) {
  const ObjectRecord* viewer = ViewingRecord(c.settings.ViewerObject);
  ViewerBody body;
  body.object = viewer ? viewer->id : 0;
  body.isEarth = !viewer || viewer->kind == KindEarth;
  if (viewer && IsSkyObjectKind(viewer->kind)) {
    body.position = StarHeliocentricPosition(*viewer, c, body.distance);
    return body;
  }
  const ObjectRecord* planet = viewer ? viewer : EarthRecord();
  if (!planet) return BuiltInEarthViewer(c);
  body.position = UncachedHeliocentricPosition(*planet, c);
  body.distance = Length(body.position);
  return body;
}

// Remembered ids of the first body of each solar-system kind.
ObjectId rememberedBody[KindCharon + 1] = {};

bool IsBodyOfKind(ObjectId id, int kind) {
  const ObjectRecord* r = id ? ObjectOfId(id) : nullptr;
  return r && r->kind == kind;
}

ObjectId FindBodyOfKind(int kind) {
  for (ObjectId file = FirstFile(); file != 0; file = NextFile(file)) {
    const DatabaseFile* f = FileOfId(file);
    if (!f || f->summary.solarSystemCount <= 0) continue;
    for (ObjectId id = FirstObjectInFile(file); id != 0; id = NextObjectInFile(id)) {
      const ObjectRecord* r = ObjectOfId(id);
      if (r && r->kind == kind) return id;
    }
  }
  return 0;
}

}  // namespace

SkyContext MakeSkyContext(const ObservingSettings& settings) {
  return MakeSkyContext(settings, StoreViewer);
}

const SkyContext& CurrentSky() { return current; }
uint32_t StarGeneration() { return starGeneration; }
uint32_t PlanetGeneration() { return planetGeneration; }

void AdvanceStarGeneration() { starGeneration = ++starHighWater; }
void AdvancePlanetGeneration() { planetGeneration = ++planetHighWater; }

void SetCurrentSky(const SkyContext& context) {
  current = context;
  const ObservingSettings& s = context.settings;
  const StarInputs stars{true,
                         context.viewerPosition,
                         context.observerVelocity,
                         context.starMotion,
                         context.starParallax,
                         s.Aberration,
                         context.jde};
  const StarInputs& was = lastStarInputs;
  const bool starsChanged =
      !was.valid || (context.starParallax && !SameVector(stars.viewer, was.viewer)) ||
      (s.Aberration && !SameVector(stars.velocity, was.velocity)) || stars.motion != was.motion ||
      stars.parallax != was.parallax || stars.aberration != was.aberration ||
      (stars.jde != was.jde && (context.starMotion || s.Aberration));
  if (starsChanged) {
    AdvanceStarGeneration();
    lastStarInputs = stars;
  }
  const PlanetInputs planets{true,
                             context.viewerPosition,
                             static_cast<int>(s.PlanetComputation),
                             static_cast<int>(s.SatelliteModel),
                             s.PlanetLightTime,
                             s.Aberration,
                             context.jde};
  const PlanetInputs& had = lastPlanetInputs;
  const bool planetsChanged = !had.valid || !SameVector(planets.viewer, had.viewer) ||
                              planets.computation != had.computation ||
                              planets.satelliteModel != had.satelliteModel ||
                              planets.lightTime != had.lightTime ||
                              planets.aberration != had.aberration || planets.jde != had.jde;
  if (planetsChanged) {
    AdvancePlanetGeneration();
    lastPlanetInputs = planets;
  }
}

ObjectRecord* SolarSystemBodyOfKind(int kind) {
  if (!IsSolarSystemKind(kind)) return nullptr;
  ObjectId& id = rememberedBody[kind];
  if (!IsBodyOfKind(id, kind)) id = FindBodyOfKind(kind);
  return id ? ObjectOfId(id) : nullptr;
}

ObjectRecord* EarthRecord() { return SolarSystemBodyOfKind(KindEarth); }

}  // namespace qv
