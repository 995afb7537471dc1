// astro/skycontext.cpp - the sky context and its fifteen steps from the settings, the generation
// counters and the temporary changes of time.
#include "astro/skycontext.h"

#include <algorithm>
#include <cmath>

#include "app/settings.h"
#include "astro/constants.h"
#include "astro/corrections.h"
#include "astro/frames.h"
#include "astro/planets.h"
#include "astro/starplace.h"
#include "astro/time.h"
#include "objects/store.h"

namespace qv {

namespace {

SkyContext context;

// The highest value each counter has ever had: advancing always goes past it, so a value handed
// out during a temporary change of time is never handed out again.
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
ObjectRecord* ViewingRecord(ChartSettings& s) {
  if (s.ViewerObject == 0) return nullptr;
  ObjectRecord* record = ObjectOfId(s.ViewerObject);
  if (!record || !(IsSolarSystemKind(record->kind) || IsSkyObjectKind(record->kind))) {
    s.ViewerObject = 0;  // the object is gone: back to the Earth
    return nullptr;
  }
  return record;
}

// The viewing body's heliocentric position at the new time: no primary taken from its cache.
Vector3 ViewerBodyPosition(const ObjectRecord* viewer, double& distance) {
  if (viewer && IsSkyObjectKind(viewer->kind)) return StarHeliocentricPosition(*viewer, distance);
  const ObjectRecord* body = viewer ? viewer : EarthRecord();
  Vector3 p = body ? HeliocentricPosition(*body, context.jde, false).position
                   : BuiltInHeliocentricPosition(KindEarth, context.jde);
  distance = Length(p);
  return p;
}

// Steps 4-8: the chart's equinox and the frames. The horizon (and rising and setting) belong to
// the equator of the true date even when the chart is drawn for a fixed equinox.
void UpdateFrames(const ChartSettings& s) {
  context.precessionEpoch = s.Precession ? context.jde : s.PrecessionEpoch;
  PrecessionMatrix(context.equatorialMatrix, J2000, context.precessionEpoch, s.Nutation);
  Matrix3 obliquity;
  ObliquityRotation(obliquity, MeanObliquity(context.precessionEpoch), 1);
  context.eclipticMatrix = context.equatorialMatrix;
  Multiply(obliquity, context.eclipticMatrix);
  GalacticMatrix(context.galacticMatrix, J2000, 1);
  PrecessionMatrix(context.dateMatrix, J2000, context.jde, s.Nutation);
  Matrix3 horizon;
  HorizonMatrix(horizon, context.siderealTime, s.ViewerLatitude, 1);
  context.horizonMatrix = context.dateMatrix;
  Multiply(horizon, context.horizonMatrix);
}

// Steps 9-11 and 13: the viewer's place, offset and velocity.
void UpdateViewer(ChartSettings& s) {
  const ObjectRecord* viewer = ViewingRecord(s);
  context.viewer = viewer ? s.ViewerObject : 0;
  if (viewer) {
    context.observerOffset =
        Vector3{s.ViewerObjectOffset[0], s.ViewerObjectOffset[1], s.ViewerObjectOffset[2]};
    // The Earth's velocity is known; other viewers get none, and so no aberration.
    context.observerVelocity = viewer->kind == KindEarth ? EarthVelocity(context.jde) : Vector3{};
  } else {
    context.observerOffset =
        ObserverGeocentricPosition(context.siderealTime, s.ViewerLatitude,
                                   s.ViewerAltitude * MetresToAu, EarthRadiusAu, EarthFlattening);
    TransformTransposed(context.dateMatrix, context.observerOffset);  // equator of date -> J2000
    context.observerVelocity = EarthVelocity(context.jde);
  }
  context.viewerPosition = ViewerBodyPosition(viewer, context.viewerDistance);
  if (std::isfinite(context.viewerDistance)) {
    Add(context.viewerPosition, context.observerOffset, context.viewerPosition);
    context.viewerDistance = Length(context.viewerPosition);
  }
  const Vector3& v = context.observerVelocity;
  context.observerVelocity =
      Vector3{v.x * LightDaysPerAu, v.y * LightDaysPerAu, v.z * LightDaysPerAu};
}

// Step 14: where the Sun is from the viewer.
void UpdateSun() {
  const Vector3& p = context.viewerPosition;
  if (std::isinf(context.viewerDistance))
    context.sunDirection = Vector3{-p.x, -p.y, -p.z};
  else if (context.viewerDistance <= 0)
    context.sunDirection = Vector3{};
  else
    context.sunDirection = Vector3{-p.x / context.viewerDistance, -p.y / context.viewerDistance,
                                   -p.z / context.viewerDistance};
  const Matrix3& h = context.horizonMatrix;
  const Vector3 zenith{h.m[2][0], h.m[2][1], h.m[2][2]};
  context.sunAltitude = std::asin(std::clamp(Dot(zenith, context.sunDirection), -1.0, 1.0));
}

// Step 15: advance each counter whose inputs changed.
void UpdateGenerations(const ChartSettings& s) {
  StarInputs stars{true,
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
  PlanetInputs planets{true,
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

}  // namespace

SkyContext& Sky() { return context; }

void AdvanceStarGeneration() { context.starGeneration = ++starHighWater; }
void AdvancePlanetGeneration() { context.planetGeneration = ++planetHighWater; }

void UpdateSkyContext() {
  ChartSettings& s = Settings();
  context.zone = s.TimeZone;
  if (s.DaylightSavingsTime && DaylightSavingInEffect(s.JulianDate, s.TimeZone))
    context.zone += DaysPerHour;
  context.jde = DynamicalTime(s.JulianDate, s.DynamicTime);
  context.siderealTime = LocalSiderealTime(s.JulianDate, s.ViewerLongitude);
  UpdateFrames(s);
  // Star motion is settled before the viewer, which may be a star that moves.
  context.starMotion = s.StarMotion && std::fabs(context.jde - J2000) > s.StarMotionThreshold;
  UpdateViewer(s);
  context.starParallax = s.StarParallax && context.viewerDistance > s.StarParallaxThreshold;
  UpdateSun();
  UpdateGenerations(s);
}

namespace {

// The settings that feed the sky context.
void CopyComputationSettings(const ChartSettings& from, ChartSettings& to) {
  to.JulianDate = from.JulianDate;
  to.TimeZone = from.TimeZone;
  to.DaylightSavingsTime = from.DaylightSavingsTime;
  to.DynamicTime = from.DynamicTime;
  to.ViewerObject = from.ViewerObject;
  std::copy(std::begin(from.ViewerObjectOffset), std::end(from.ViewerObjectOffset),
            to.ViewerObjectOffset);
  to.ViewerLongitude = from.ViewerLongitude;
  to.ViewerLatitude = from.ViewerLatitude;
  to.ViewerAltitude = from.ViewerAltitude;
  to.StarMotion = from.StarMotion;
  to.StarMotionThreshold = from.StarMotionThreshold;
  to.StarParallax = from.StarParallax;
  to.StarParallaxThreshold = from.StarParallaxThreshold;
  to.PlanetComputation = from.PlanetComputation;
  to.PlanetLightTime = from.PlanetLightTime;
  to.SatelliteModel = from.SatelliteModel;
  to.PrecessionEpoch = from.PrecessionEpoch;
  to.Precession = from.Precession;
  to.Nutation = from.Nutation;
  to.Aberration = from.Aberration;
  to.Refraction = from.Refraction;
  to.HorizonAltitude = from.HorizonAltitude;
  to.PreciseRiseSetTimes = from.PreciseRiseSetTimes;
}

}  // namespace

SkySnapshot SaveSkyContext() {
  SkySnapshot k;
  CopyComputationSettings(Settings(), k.computation);
  k.starGeneration = context.starGeneration;
  k.planetGeneration = context.planetGeneration;
  return k;
}

void RestoreSkyContext(const SkySnapshot& k) {
  CopyComputationSettings(k.computation, Settings());
  UpdateSkyContext();
  context.starGeneration = k.starGeneration;
  context.planetGeneration = k.planetGeneration;
}

namespace {

// Remembered ids of the first body of each solar-system kind; checked again on every use.
ObjectId rememberedBody[KindCharon + 1] = {};

bool IsBodyOfKind(ObjectId id, int kind) {
  const ObjectRecord* r = id ? ObjectOfId(id) : nullptr;
  return r && r->kind == kind;
}

// Only files that hold solar-system bodies are searched (and read).
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

ObjectRecord* SolarSystemBodyOfKind(int kind) {
  if (!IsSolarSystemKind(kind)) return nullptr;
  ObjectId& id = rememberedBody[kind];
  if (!IsBodyOfKind(id, kind)) id = FindBodyOfKind(kind);
  return id ? ObjectOfId(id) : nullptr;
}

ObjectRecord* EarthRecord() { return SolarSystemBodyOfKind(KindEarth); }

}  // namespace qv
