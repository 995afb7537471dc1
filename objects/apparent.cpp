// objects/apparent.cpp - an object's place of date, in the chart's system, with rise and set.
#include "objects/apparent.h"

#include <cmath>

#include "astro/angles.h"
#include "astro/constants.h"
#include "astro/corrections.h"
#include "astro/time.h"
#include "objects/bodies.h"
#include "objects/orbit_elements.h"
#include "objects/sky.h"
#include "objects/starplace.h"

namespace qv {

ApparentPlace PlaceAt(const ObjectRecord& object, const SkyContext& sky) {
  if (IsSkyObjectKind(object.kind)) return StarPlace(object, sky);
  PlaceComputation computation{sky, 0, {}};
  return BodyPlace(computation, object);
}

void RecomputeObject(ObjectRecord& object) {
  if (IsSkyObjectKind(object.kind))
    ComputeStarPlace(object);
  else if (IsSolarSystemKind(object.kind))
    ComputeApparentPlace(object);
}

void EnsureCurrent(ObjectRecord& object) {
  const uint32_t counter = IsSkyObjectKind(object.kind) ? StarGeneration() : PlanetGeneration();
  if (!IsCurrent(object, counter)) RecomputeObject(object);
}

ChartPlace ChartPlaceOf(const SkyContext& sky, const Vector3& u, int coordinateSystem) {
  ChartPlace place;
  Vector3 v = u;
  Transform(sky.equatorialMatrix, v);
  const Spherical equatorial = RectangularToSpherical(v);
  place.ra = equatorial.lon;
  place.dec = equatorial.lat;
  v = u;
  Transform(SystemMatrix(sky, coordinateSystem), v);
  const Spherical chart = RectangularToSpherical(v);
  place.lon = chart.lon;
  place.lat = chart.lat;
  if (coordinateSystem == CoordinatesHorizon && sky.settings.Refraction)
    place.lat += Refraction(chart.lat, StandardPressureMbar, StandardTemperatureC);
  const Spherical ofDate = PlaceOfDate(sky, u);
  place.rise = RiseSetTime(sky, ofDate.lon, ofDate.lat, RiseEvent);
  place.set = RiseSetTime(sky, ofDate.lon, ofDate.lat, SetEvent);
  return place;
}

ChartPlace ApparentChartPosition(ObjectRecord& object, int coordinateSystem) {
  EnsureCurrent(object);
  return ChartPlaceOf(CurrentSky(), CurrentDirectionVector(object), coordinateSystem);
}

namespace {

// One event searched for on one local day.
struct DaySearch {
  const ObjectRecord& object;
  const SkyContext& sky;
  int event;
  double midnight;  // the day's start, UT
  int evaluations = 0;
};

SkyContext ContextAt(const DaySearch& d, double timeOfDay) {
  ObservingSettings at = d.sky.settings;
  at.JulianDate = ChartTimeOfUniversal(at, d.midnight + timeOfDay * InvTwoPi);
  return MakeSkyContext(at);
}

bool IsUp(DaySearch& d, double timeOfDay) {
  const SkyContext moved = ContextAt(d, timeOfDay);
  ++d.evaluations;
  const Vector3 u = VectorFromDirection(PlaceAt(d.object, moved).direction);
  return Dot(Zenith(moved), u) > std::sin(d.sky.settings.HorizonAltitude);
}

// The event for the place at the time found, from the place at local noon on (so the answer is
// the day's whatever the hour asked), each time on the branch nearest the last: the time it
// settles on, which may lie outside the day. False when a place has no event at all.
bool IterateOnTheDay(DaySearch& d, double& timeOfDay) {
  const ObservingSettings& s = d.sky.settings;
  const double theta0 = LocalSiderealTime(d.midnight, s.ViewerLongitude);
  timeOfDay = Pi;
  while (d.evaluations < RiseSetMaxEvaluations) {
    const SkyContext moved = ContextAt(d, timeOfDay);
    const Spherical place =
        PlaceOfDate(moved, VectorFromDirection(PlaceAt(d.object, moved).direction));
    ++d.evaluations;
    const double h0 = RiseSetHourAngle(s.HorizonAltitude, place.lat, s.ViewerLatitude);
    if (h0 == NeverRises || h0 == Pi) return false;
    const double last = timeOfDay / SiderealToSolar;
    const double next =
        (last + std::remainder(place.lon - theta0 + d.event * h0 - last, TwoPi)) * SiderealToSolar;
    const bool settled = std::fabs(next - timeOfDay) <= RiseSetTolerance;
    timeOfDay = next;
    if (settled) break;
  }
  return true;
}

// Where no place has the event (polar day and night, or an object near the limit), the day has
// it when the object is down at one end of the day and up at the other: found by halving.
RiseSet EventByState(DaySearch& d) {
  RiseSet r;
  const bool upFirst = IsUp(d, 0), upLast = IsUp(d, TwoPi);
  if (upFirst == upLast) {
    r.timeOfDay = upFirst ? TwoPi : 0;
    return r;
  }
  if (upLast != (d.event == RiseEvent)) {
    r.missed = true;
    return r;
  }
  double low = 0, high = TwoPi;
  while (high - low > RiseSetTolerance) {
    const double middle = 0.5 * (low + high);
    (IsUp(d, middle) == upFirst ? low : high) = middle;
  }
  r.happens = true;
  r.timeOfDay = 0.5 * (low + high);
  r.instant = d.midnight + r.timeOfDay * InvTwoPi;
  return r;
}

}  // namespace

int RefineRiseSetTime(const ObjectRecord& object, const SkyContext& sky, int event,
                      RiseSet& result) {
  if (!sky.settings.PreciseRiseSetTimes) return 0;
  DaySearch d{object, sky, event, LocalMidnight(sky)};
  double timeOfDay = 0;
  if (!IterateOnTheDay(d, timeOfDay)) {
    result = EventByState(d);
  } else if (timeOfDay < 0 || timeOfDay >= TwoPi) {
    result = RiseSet{};
    result.missed = true;  // the event falls on the day before or after
  } else {
    result = RiseSet{};
    result.happens = true;
    result.timeOfDay = timeOfDay;
    result.instant = d.midnight + timeOfDay * InvTwoPi;
  }
  return d.evaluations;
}

SatellitePass SatellitePassOf(const ObjectRecord& satellite, const SkyContext& sky) {
  const OrbitRecord* orbit = OrbitOf(satellite);
  if (!orbit) return SatellitePass{};
  return NextSatellitePass(ElementsOfRecord(*orbit), sky.settings, sky.ut);
}

RiseSet EventAtInstant(const SkyContext& sky, double instant) {
  RiseSet r;
  r.happens = true;
  r.instant = instant;
  r.timeOfDay = NormalizeAngle((instant - LocalMidnight(sky)) * TwoPi);
  return r;
}

void PassRiseSet(const SkyContext& sky, const SatellitePass& pass, RiseSet& rise, RiseSet& set) {
  rise = set = RiseSet{};
  if (pass.status == PassAlwaysUp) {
    rise.timeOfDay = set.timeOfDay = TwoPi;
  } else if (pass.status == PassFound) {
    if (std::isnan(pass.rise))
      rise.missed = true;
    else
      rise = EventAtInstant(sky, pass.rise);
    set = EventAtInstant(sky, pass.set);
  }
}

}  // namespace qv
