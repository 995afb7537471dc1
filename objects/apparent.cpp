// objects/apparent.cpp - an object's place of date, in the chart's system, with rise and set.
#include "objects/apparent.h"

#include <cmath>

#include "astro/angles.h"
#include "astro/corrections.h"
#include "objects/bodies.h"
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

int RefineRiseSetTime(const ObjectRecord& object, const SkyContext& sky, int event,
                      RiseSet& result) {
  if (!sky.settings.PreciseRiseSetTimes || !result.happens) return 0;
  ObservingSettings at = sky.settings;
  int evaluations = 0;
  while (evaluations < RiseSetMaxEvaluations) {
    at.JulianDate = ChartTimeOfUniversal(sky.settings, result.instant);
    const SkyContext moved = MakeSkyContext(at);
    const Spherical place =
        PlaceOfDate(moved, VectorFromDirection(PlaceAt(object, moved).direction));
    const RiseSet next = RiseSetTime(moved, place.lon, place.lat, event);
    ++evaluations;
    const bool settled = std::fabs(next.timeOfDay - result.timeOfDay) <= RiseSetTolerance;
    result = next;
    if (!next.happens || settled) break;
  }
  return evaluations;
}

}  // namespace qv
