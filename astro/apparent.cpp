// astro/apparent.cpp - an object's place of date, in the chart's system, with rise and set.
#include "astro/apparent.h"

#include "app/settings.h"
#include "astro/angles.h"
#include "astro/corrections.h"
#include "astro/planets.h"
#include "astro/riseset.h"
#include "astro/skycontext.h"
#include "astro/starplace.h"

namespace qv {

void RecomputeObject(ObjectRecord& object) {
  if (IsSkyObjectKind(object.kind))
    ComputeStarPlace(object);
  else if (IsSolarSystemKind(object.kind))
    ComputeApparentPlace(object);
}

void EnsureCurrent(ObjectRecord& object) {
  const SkyContext& sky = Sky();
  const uint32_t counter = IsSkyObjectKind(object.kind) ? sky.starGeneration : sky.planetGeneration;
  if (!IsCurrent(object, counter)) RecomputeObject(object);
}

const Matrix3& SystemMatrix(int coordinateSystem) {
  const SkyContext& sky = Sky();
  switch (coordinateSystem) {
    case CoordinatesEcliptic:
      return sky.eclipticMatrix;
    case CoordinatesGalactic:
      return sky.galacticMatrix;
    case CoordinatesHorizon:
      return sky.horizonMatrix;
    default:
      return sky.equatorialMatrix;
  }
}

ChartPlace ApparentChartPosition(ObjectRecord& object, int coordinateSystem) {
  EnsureCurrent(object);
  const Vector3 u = CurrentDirectionVector(object);
  ChartPlace place;
  Vector3 v = u;
  Transform(Sky().equatorialMatrix, v);
  const Spherical equatorial = RectangularToSpherical(v);
  place.ra = equatorial.lon;
  place.dec = equatorial.lat;
  v = u;
  Transform(SystemMatrix(coordinateSystem), v);
  const Spherical chart = RectangularToSpherical(v);
  place.lon = chart.lon;
  place.lat = chart.lat;
  if (coordinateSystem == CoordinatesHorizon && Settings().Refraction)
    place.lat += Refraction(chart.lat, StandardPressureMbar, StandardTemperatureC);
  const Spherical ofDate = PlaceOfDate(u);
  place.rise = RiseSetTime(ofDate.lon, ofDate.lat, RiseEvent);
  place.set = RiseSetTime(ofDate.lon, ofDate.lat, SetEvent);
  return place;
}

}  // namespace qv
