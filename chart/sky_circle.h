// chart/sky_circle.h - circles fixed to the sky (grid circles, equator, ecliptic, galactic
// equator, horizon), generated in their own coordinate system and drawn through the
// projected-line engine, with labels where they enter and leave the visible chart.
#pragma once

#include <string>
#include <vector>

#include "astro/vector.h"
#include "platform/rect.h"

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

// Edge labels (the circles' labels and the compass points) of the present drawing. PlaceEdgeLabel
// takes a label's box (width x height, top-left wanted at x, y), moves it inside the chart
// rectangle and, when it would cover an earlier edge label, along the edge by whole label heights
// (then widths) to the nearest free place inside; it keeps the box and sets at to its top-left
// corner. False when no free place is near: the label is left out, as crowded labels are.
bool PlaceEdgeLabel(int width, int height, int x, int y, Point& at);
void ClearEdgeLabels();                     // at the start of each drawing
const std::vector<Rect>& EdgeLabelBoxes();  // right and bottom exclusive

// Grid labels: declination "+45°", "-83°", "+12° 30'"; right ascension " 5h", "13h 30m".
std::string DeclinationLabel(double declination);
std::string HourLabel(double rightAscension);

}  // namespace qv
