// chart/regions.cpp - the chart box and region culling (see regions.h).
#include "chart/regions.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "astro/angles.h"
#include "chart/lines.h"

namespace qv {
namespace {

constexpr double SamplesPerRadian = 11.459155902579235;  // 36 / pi: one sample per 5 degrees
constexpr int32_t HalfTurn = 536870912;

int32_t TurnUnits(double radians) { return static_cast<int32_t>(radians * TurnUnitsPerRadian); }

void Widen(ChartBox& box, const Vector3& v) {
  const Spherical s = RectangularToSpherical(v);
  double lon = s.lon;
  if (box.wrap && lon >= Pi) lon -= TwoPi;
  const int32_t l = TurnUnits(lon), b = TurnUnits(s.lat);
  box.lonMin = std::min(box.lonMin, l);
  box.lonMax = std::max(box.lonMax, l);
  box.latMin = std::min(box.latMin, b);
  box.latMax = std::max(box.latMax, b);
}

// Samples n + 1 pixels from (x0, y0) to (x1, y1) and widens the box by those with a sky
// direction.
void WalkEdge(const ChartFrame& f, ChartBox& box, int n, int x0, int y0, int x1, int y1) {
  for (int i = 0; i <= n; ++i) {
    const int x = i == n ? x1 : x0 + (x1 - x0) * i / n;
    const int y = i == n ? y1 : y0 + (y1 - y0) * i / n;
    Vector3 v;
    if (ChartToSky(f, x, y, v)) Widen(box, v);
  }
}

bool PoleShows(const ChartFrame& f, double z) {
  const ChartPoint p = ProjectToChart(f, {0, 0, z * DirectionLength});
  return p.front && p.x >= f.left && p.x <= f.right && p.y >= f.top && p.y <= f.bottom;
}

// Longitude ranges overlap on the circle: the region's plain range against the box's range
// taken a turn back, as it is, and a turn on.
bool LongitudesOverlap(const ChartBox& box, const RegionBox& region) {
  for (int64_t shift : {-int64_t{FullTurn}, int64_t{0}, int64_t{FullTurn}}) {
    if (region.lonMin <= box.lonMax + shift && region.lonMax >= box.lonMin + shift) return true;
  }
  return false;
}

Vector3 TurnDirection(int32_t lon, int32_t lat) {
  return SphericalToRectangular(lon / TurnUnitsPerRadian, lat / TurnUnitsPerRadian,
                                DirectionLength);
}

// Traces one edge of a region box (constant longitude or latitude) without drawing; true when
// some piece of it would be visible.
bool EdgeShows(const ChartFrame& f, int32_t lon0, int32_t lat0, int32_t lon1, int32_t lat1,
               int segments) {
  const double span = std::max(std::abs(double(lon1) - lon0), std::abs(double(lat1) - lat0));
  const int steps = static_cast<int>(span / TurnUnitsPerRadian / (TwoPi / segments)) + 1;
  ChartPen pen;
  TraceMoveTo(pen, f, TurnDirection(lon0, lat0));
  for (int i = 1; i <= steps; ++i) {
    const double t = double(i) / steps;
    const auto lon = static_cast<int32_t>(lon0 + (double(lon1) - lon0) * t);
    const auto lat = static_cast<int32_t>(lat0 + (double(lat1) - lat0) * t);
    if (TraceLineTo(pen, f, TurnDirection(lon, lat)).drawn) return true;
  }
  return false;
}

}  // namespace

ChartBox ComputeChartBox(const ChartFrame& f) {
  ChartBox box;
  const Vector3 centre{f.matrix.m[0][0], f.matrix.m[0][1], f.matrix.m[0][2]};
  const Spherical c = RectangularToSpherical(centre);
  box.centreLon = TurnUnits(c.lon);
  box.centreLat = TurnUnits(c.lat);
  if (f.fieldWidth > HalfPi) return box;  // the whole sky

  box.wrap = box.centreLon > 3 * QuarterTurn || box.centreLon < QuarterTurn;
  box.lonMin = box.wrap ? HalfTurn : FullTurn;
  box.lonMax = box.wrap ? -HalfTurn : 0;
  box.latMin = QuarterTurn;
  box.latMax = -QuarterTurn;
  const int n = std::max(1, static_cast<int>(f.fieldWidth * SamplesPerRadian));
  WalkEdge(f, box, n, f.left, f.top, f.right, f.top);
  WalkEdge(f, box, n, f.right, f.top, f.right, f.bottom);
  WalkEdge(f, box, n, f.right, f.bottom, f.left, f.bottom);
  WalkEdge(f, box, n, f.left, f.bottom, f.left, f.top);
  for (double z : {1.0, -1.0}) {
    if (!PoleShows(f, z)) continue;
    box.wrap = false;
    box.lonMin = 0;
    box.lonMax = FullTurn;
    if (z > 0)
      box.latMax = QuarterTurn;
    else
      box.latMin = -QuarterTurn;
  }
  return box;
}

bool RegionMayShow(const ChartFrame& f, const ChartBox& box, const RegionBox& region,
                   int segments) {
  const bool centreInside = region.lonMin <= box.centreLon && box.centreLon <= region.lonMax &&
                            region.latMin <= box.centreLat && box.centreLat <= region.latMax;
  if (centreInside) return true;
  if (region.latMin > box.latMax || region.latMax < box.latMin) return false;
  if (!LongitudesOverlap(box, region)) return false;
  segments = std::max(segments, 1);
  // West edge upward, north edge eastward, east edge downward, south edge westward.
  return EdgeShows(f, region.lonMin, region.latMin, region.lonMin, region.latMax, segments) ||
         EdgeShows(f, region.lonMin, region.latMax, region.lonMax, region.latMax, segments) ||
         EdgeShows(f, region.lonMax, region.latMax, region.lonMax, region.latMin, segments) ||
         EdgeShows(f, region.lonMax, region.latMin, region.lonMin, region.latMin, segments);
}

}  // namespace qv
