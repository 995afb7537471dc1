// astro/apparent.h - an object's place as the chart and the info window read it: brought up to
// date when its stamp is stale, then carried from the J2000 equator into the equator of the
// chart's equinox, the chart's coordinate system (refracted on horizon charts) and the instants
// of rising and setting. Radians, Julian dates (UT for instants).
#pragma once

#include "astro/vector.h"
#include "objects/records.h"

namespace qv {

// RecomputeObject: the current values of a star, deep-sky object or solar-system body for the
// sky context; EnsureCurrent does it only when the record's stamp is stale.
void RecomputeObject(ObjectRecord& object);
void EnsureCurrent(ObjectRecord& object);

// SystemMatrix: J2000 equator -> the chart coordinate system (CoordinatesEquatorial ... Horizon).
const Matrix3& SystemMatrix(int coordinateSystem);

struct RiseSet {
  bool happens = false;  // false: never reaches the horizon altitude, or never goes below it
  double timeOfDay = 0;  // radians after local midnight (2 pi = 24 h); 0 never up, 2 pi always up
  double instant = 0;    // UT Julian date on the current local day
};

struct ChartPlace {
  double ra = 0, dec = 0;   // of the chart's equinox
  double lon = 0, lat = 0;  // in the chart's coordinate system, refracted on horizon charts
  RiseSet rise, set;
};

// ApparentChartPosition: the object's place in a coordinate system, with rise and set.
ChartPlace ApparentChartPosition(ObjectRecord& object, int coordinateSystem);

}  // namespace qv
