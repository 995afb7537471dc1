// chart/sky_circle.h - circles fixed to the sky (grid circles, equator, ecliptic, galactic
// equator, horizon), generated in their own coordinate system and drawn through the
// projected-line engine, with labels where they enter and leave the visible chart.
#pragma once

#include <string>

#include "astro/vector.h"

namespace qv {

enum CircleKind : int { CircleParallel = 0, CircleMeridian = 1 };

// DrawSkyCircle: segments + 1 points of a parallel (latitude lat, longitudes from start over
// sweep) or a meridian (longitude lon, latitudes from start over sweep) of the system whose
// matrix takes store-frame directions into it. With a label and labels shown, the label stands
// at every pixel where the drawn circle enters or leaves the visible chart.
struct SkyCircle {
  int kind = CircleParallel;
  double start = 0;  // parallel: first longitude; meridian: first latitude
  double fixed = 0;  // parallel: the latitude; meridian: the longitude
  double sweep = 0;  // radians covered
  int segments = 72;
  const char* label = nullptr;  // none: no labels
};
void DrawSkyCircle(const SkyCircle& circle, const Matrix3& system, bool showLabels);

// Grid labels: declination "+45°", "-83°", "+12° 30'"; right ascension " 5h", "13h 30m".
std::string DeclinationLabel(double declination);
std::string HourLabel(double rightAscension);

}  // namespace qv
