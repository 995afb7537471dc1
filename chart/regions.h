// chart/regions.h - region culling: which parts of the object store can show on the chart,
// decided from each database file's summary box before any of its objects is read.
// Angles here are binary: a full turn is 2^30 (90 degrees = 268435456), as in the store's
// file summaries. Longitudes are right ascensions, latitudes declinations (J2000).
#pragma once

#include <cstdint>

#include "chart/projection.h"

namespace qv {

constexpr double TurnUnitsPerRadian = 170891318.89899233;  // 2^30 / 2 pi
constexpr int32_t FullTurn = 1073741824;                   // 360 degrees
constexpr int32_t QuarterTurn = 268435456;                 // 90 degrees

// ChartBox: the part of the sky the chart covers, in the store frame's angles. With wrap set
// the longitudes run through 0 (-180 .. +180 degrees), otherwise 0 .. 360 degrees.
struct ChartBox {
  int32_t lonMin = 0, lonMax = FullTurn;
  int32_t latMin = -QuarterTurn, latMax = QuarterTurn;
  bool wrap = false;
  int32_t centreLon = 0, centreLat = 0;  // the chart centre
};

// ComputeChartBox: the whole sky for fields over 90 degrees; otherwise the box of the chart
// rectangle's edges (one sample per 5 degrees of field), opened to a whole band of longitude
// at a pole that shows on the chart.
ChartBox ComputeChartBox(const ChartFrame& f);

// RegionBox: a database file's summary box.
struct RegionBox {
  int32_t lonMin = 0, lonMax = 0;  // right ascension
  int32_t latMin = 0, latMax = 0;  // declination
};

// RegionMayShow: the chart centre lies in the region's box; or the boxes overlap and some part
// of the region's outline (traced through the line engine with `segments` steps per circle,
// nothing drawn) is visible. Regions failing it cannot contribute a visible object.
bool RegionMayShow(const ChartFrame& f, const ChartBox& box, const RegionBox& region, int segments);

}  // namespace qv
