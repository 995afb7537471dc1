// chart/projection.h - the chart frame and the five projections: sky directions to chart pixels
// and back, disc radii and the on-chart tests with the horizon mask.
// Directions are in the store's frame (J2000 equatorial) scaled so that a unit vector has length
// R = 2^30, as DirectionVectors are; they are passed as doubles. Pixels are 32-bit here and may
// lie far outside the chart rectangle; only the line engine narrows them for the drawing surface.
// Nothing here draws or reports errors: a direction the projection cannot show is "not in front",
// a pixel outside the projection's image of the sphere has no sky direction.
#pragma once

#include <cstdint>

#include "astro/vector.h"
#include "chart/chart_options.h"
#include "objects/records.h"

namespace qv {

constexpr double DirectionLength = 1073741824.0;  // R = 2^30, length of a unit DirectionVector

// ChartView: the view options a frame is built from (fields of the settings record).
struct ChartView {
  int projection = ProjectionLambert;
  int system = CoordinatesHorizon;
  double centerLon = 0;   // radians, in the chart coordinate system
  double centerLat = 0;   // radians
  double fieldWidth = 0;  // radians across the rectangle's width
  double rotation = 0;    // radians about the centre
  bool invertHorizontally = false;
  bool invertVertically = false;
  bool horizonMask = false;    // hide what lies below the horizon
  double horizonAltitude = 0;  // radians
};

// ChartFrame: the projection state of one drawing, read by every projection call until the next.
struct ChartFrame {
  Matrix3 matrix;        // store frame -> chart axes: row A to the centre (depth), B across, C up
  Matrix3 systemMatrix;  // store frame -> the chart's coordinate system
  int projection = ProjectionLambert;
  int system = CoordinatesHorizon;
  int left = 0, top = 0, right = 0, bottom = 0;  // chart rectangle, edges included in tests
  int cx = 0, cy = 0;                            // centre pixel
  double scale = 0;            // S: pixels per unit of the projection's radial function
  double unitsPerPixel = 0;    // Q: direction units per pixel (Spherical, Mollweide)
  double inverseScale = 0;     // k: radians (or tangent units) per pixel, for ChartToSky
  int32_t depthThreshold = 0;  // T: a direction is in front when its depth is at least T
  double fieldWidth = 0;       // radians, as the frame was built with
  Vector3 zenith;              // observer's zenith, unit vector in the store's frame
  bool horizonMask = false;
  double horizonSine = 0;    // sin(horizon altitude)
  int32_t horizonLevel = 0;  // horizonSine * 2^30, truncated
};

// MakeChartFrame: the frame for a view, given the chart system's matrix (store frame -> system)
// and the zenith, into the rectangle (left, top, right, bottom) whose bottom already excludes
// any legend band.
ChartFrame MakeChartFrame(const ChartView& view, const Matrix3& systemMatrix, const Vector3& zenith,
                          int left, int top, int right, int bottom);

// The frame of the last drawing: projections between drawings (mouse, hit tests) use it.
ChartFrame& CurrentChartFrame();

struct ChartPoint {
  int32_t x = 0, y = 0;
  int32_t depth = 0;   // A component, truncated
  bool front = false;  // non-zero direction with depth >= T
};

// ProjectToChart: pixel of a direction (length R). Coordinates saturate at the 32-bit range.
ChartPoint ProjectToChart(const ChartFrame& f, const Vector3& v);

// ChartToSky: unit direction (store frame) under a pixel; false outside the projection's image.
bool ChartToSky(const ChartFrame& f, int32_t x, int32_t y, Vector3& out);

struct DiscPlace {
  bool ok = false;  // in front, overlapping the rectangle and (with the mask) above the horizon
  int32_t x = 0, y = 0;
  int32_t radius = 0;  // 0 when the disc is too large (>= 16384 px) or s >= 1
};

// ProjectDisc: place and pixel radius of a disc whose angular radius has sine s.
DiscPlace ProjectDisc(const ChartFrame& f, const Vector3& v, double s);
bool IsDiscOnChart(const ChartFrame& f, const Vector3& v, double s, DiscPlace& out);

// IsOnChart: in front, inside the rectangle (edges included) and, with the mask, not below the
// horizon. x, y are set whatever the answer.
bool IsOnChart(const ChartFrame& f, const Vector3& v, int32_t& x, int32_t& y);

// HorizonHeight: sin(altitude) * 2^30 of a direction of length R, truncated.
int32_t HorizonHeight(const ChartFrame& f, const Vector3& v);

// DiscRadius: pixel radius of a disc of angular-radius sine s in the frame's projection.
int32_t DiscRadius(const ChartFrame& f, double s);

// ChartVector: a DirectionVector as the projections take it (length 2^30, as doubles).
inline Vector3 ChartVector(const DirectionVector& d) {
  return {static_cast<double>(d.x), static_cast<double>(d.y), static_cast<double>(d.z)};
}
// RecordDirection: a record's current direction as ChartVector; zero when it has none.
inline Vector3 RecordDirection(const ObjectRecord& record) {
  const DirectionVector* d = CurrentDirection(record);
  return d ? ChartVector(*d) : Vector3{};
}

// SaturateToInt32: trunc toward zero, held inside the 32-bit range; NaN gives 0; a value within
// 1e-6 of a whole number gives that number.
int32_t SaturateToInt32(double value);

}  // namespace qv
