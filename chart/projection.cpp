// chart/projection.cpp - the chart frame and the five projections (see projection.h).
// Radial functions, with theta the angle from the chart centre and h half the field:
//   Planar    r = S tan(theta)          S = W / tan h
//   Spherical r = S sin(theta)          S = W / sin h, Q = R sin h / W
//   Lambert   r = S tan(theta / 2)      S = W / tan(h / 2)
//   Mercator  x = S lon, y = S tan(lat) S = W / h, Q = R h / W (the tangent, not the log form)
//   Mollweide x = lon cos(lat) R / Q, y = (pi/2) sin(lat) R / Q: an ellipse of half axes
//             pi R / Q and (pi/2) R / Q
// so a point at theta = h lands W pixels from the centre. S and Q are kept unrounded: rounding
// them to integers makes the inverse disagree with the forward projection (a 360-degree
// Mercator chart misreads its edges by 0.2%) and, for fields of a few arc seconds, throws Q to 1
// or 0, which stretches the chart by a third or divides by zero.
#include "chart/projection.h"

#include <cmath>
#include <limits>

#include "astro/angles.h"
#include "astro/constants.h"

namespace qv {
namespace {

constexpr int32_t MostNegative = std::numeric_limits<int32_t>::min();
constexpr int32_t Largest = std::numeric_limits<int32_t>::max();
constexpr int32_t NearDepthThreshold = -1073741;        // -0.001 R: Planar and Spherical
constexpr int32_t LambertDepthThreshold = -1063004405;  // -0.99 R
constexpr double MaxDiscRadius = 16384.0;               // larger discs are not drawn as discs
constexpr double WholeNumberSlack = 1e-6;  // far above rounding noise, far below a pixel

double RowDot(const Matrix3& m, int row, const Vector3& v) {
  return m.m[row][0] * v.x + m.m[row][1] * v.y + m.m[row][2] * v.z;
}

// The coordinate of "centre minus offset", where a zero divisor sends the point to the far side
// the offset points to: to the most negative pixel for a positive numerator, else the largest.
int32_t OffsetFromCentre(int32_t centre, double numerator, double divisor) {
  if (divisor == 0) return numerator > 0 ? MostNegative : Largest;
  return SaturateToInt32(centre - numerator / divisor);
}

// Longitude in chart axes; on the plane A = 0 it is +-pi/2 by the sign of B.
double ChartLongitude(double a, double b) {
  if (a == 0) return b > 0 ? HalfPi : -HalfPi;
  return std::atan2(b, a);
}

void SetScales(ChartFrame& f, double halfWidthPx, double h) {
  double radial = 0;  // the radial function at the field's half width
  switch (f.projection) {
    case ProjectionPlanar:
      radial = std::tan(h);
      f.depthThreshold = NearDepthThreshold;
      break;
    case ProjectionSpherical:
      radial = std::sin(h);
      f.depthThreshold = NearDepthThreshold;
      break;
    case ProjectionLambert:
      radial = std::tan(h / 2);
      f.depthThreshold = LambertDepthThreshold;
      break;
    default:  // Mercator, Mollweide
      radial = h;
      f.depthThreshold = -1073741824;  // -R: every direction is in front
      break;
  }
  f.scale = halfWidthPx / radial;
  f.inverseScale = radial / halfWidthPx;
  f.unitsPerPixel = DirectionLength * radial / halfWidthPx;
}

}  // namespace

int32_t SaturateToInt32(double value) {
  if (std::isnan(value)) return 0;
  if (value <= static_cast<double>(MostNegative)) return MostNegative;
  if (value >= static_cast<double>(Largest)) return Largest;
  // Rounding noise of the matrix products (1e-16 of R) must not push an exact whole number to
  // its neighbour: the chart centre would land a pixel off.
  const double whole = std::nearbyint(value);
  if (std::abs(value - whole) < WholeNumberSlack) return static_cast<int32_t>(whole);
  return static_cast<int32_t>(value);
}

ChartFrame& CurrentChartFrame() {
  static ChartFrame frame;
  return frame;
}

ChartFrame MakeChartFrame(const ChartView& view, const Matrix3& systemMatrix, const Vector3& zenith,
                          int left, int top, int right, int bottom) {
  ChartFrame f;
  f.projection = view.projection;
  f.system = view.system;
  Matrix3 turn;
  BuildRotation(turn,
                {{AxisZ, -view.centerLon}, {AxisY, -view.centerLat}, {AxisX, -view.rotation}});
  CopyMatrix(f.systemMatrix, systemMatrix);
  CopyMatrix(f.matrix, systemMatrix);
  Multiply(turn, f.matrix);
  // Longitude grows to the left as seen on the sky; azimuth grows to the right. Each mirror flag
  // and the horizon system negate the cross row once, so two of them cancel.
  const bool flipAcross = view.invertHorizontally != (view.system == CoordinatesHorizon);
  for (int col = 0; col < 3; ++col) {
    if (flipAcross) f.matrix.m[1][col] = -f.matrix.m[1][col];
    if (view.invertVertically) f.matrix.m[2][col] = -f.matrix.m[2][col];
  }
  f.zenith = zenith;
  f.horizonMask = view.horizonMask;
  f.horizonSine = std::sin(view.horizonAltitude);
  f.horizonLevel = SaturateToInt32(f.horizonSine * DirectionLength);
  f.left = left;
  f.top = top;
  f.right = right;
  f.bottom = bottom;
  f.cx = (left + right) / 2;
  f.cy = (top + bottom) / 2;
  f.fieldWidth = view.fieldWidth;
  const int halfWidth = (right - left) / 2;
  SetScales(f, halfWidth > 0 ? halfWidth : 1, view.fieldWidth / 2);
  return f;
}

ChartPoint ProjectToChart(const ChartFrame& f, const Vector3& v) {
  const double a = RowDot(f.matrix, 0, v);
  const double b = RowDot(f.matrix, 1, v);
  const double c = RowDot(f.matrix, 2, v);
  ChartPoint p;
  switch (f.projection) {
    case ProjectionPlanar:
      p.x = OffsetFromCentre(f.cx, b, a / f.scale);
      p.y = OffsetFromCentre(f.cy, c, a / f.scale);
      break;
    case ProjectionSpherical:
      p.x = SaturateToInt32(f.cx - b / f.unitsPerPixel);
      p.y = SaturateToInt32(f.cy - c / f.unitsPerPixel);
      break;
    case ProjectionLambert:
      p.x = OffsetFromCentre(f.cx, b, (a + DirectionLength) / f.scale);
      p.y = OffsetFromCentre(f.cy, c, (a + DirectionLength) / f.scale);
      break;
    case ProjectionMercator: {
      const double across = DirectionLength * DirectionLength - c * c;
      p.x = SaturateToInt32(f.cx - f.scale * ChartLongitude(a, b));
      p.y = OffsetFromCentre(f.cy, f.scale * c, across > 0 ? std::sqrt(across) : 0);
      break;
    }
    default: {  // Mollweide
      const double across = DirectionLength * DirectionLength - c * c;
      const double width = across > 0 ? std::sqrt(across) : 0;
      p.x = SaturateToInt32(f.cx - ChartLongitude(a, b) * width / f.unitsPerPixel);
      p.y = SaturateToInt32(f.cy - HalfPi * c / f.unitsPerPixel);
      break;
    }
  }
  p.depth = SaturateToInt32(a);
  p.front = (v.x != 0 || v.y != 0 || v.z != 0) && p.depth >= f.depthThreshold;
  return p;
}

bool ChartToSky(const ChartFrame& f, int32_t x, int32_t y, Vector3& out) {
  const double u = (static_cast<double>(f.cx) - x) * f.inverseScale;
  const double w = (static_cast<double>(f.cy) - y) * f.inverseScale;
  Vector3 axes;
  switch (f.projection) {
    case ProjectionPlanar: {
      const double n = std::sqrt(1 + u * u + w * w);
      axes = {1 / n, u / n, w / n};
      break;
    }
    case ProjectionSpherical: {
      const double a2 = 1 - u * u - w * w;
      if (a2 <= 0) return false;
      axes = {std::sqrt(a2), u, w};
      break;
    }
    case ProjectionLambert: {
      const double q = (1 + u * u + w * w) / 2;
      axes = {1 / q - 1, u / q, w / q};
      break;
    }
    case ProjectionMercator: {
      const double lat = std::atan(w);
      axes = SphericalToRectangular(u, lat, 1);
      break;
    }
    default: {  // Mollweide
      const double s = w * 2 / Pi;
      if (s > 1 || s < -1) return false;
      const double lat = std::asin(s);
      const double lon = u / std::cos(lat);
      if (!(lon <= Pi && lon >= -Pi)) return false;  // also refuses the poles' 0 / 0
      axes = SphericalToRectangular(lon, lat, 1);
      break;
    }
  }
  TransformTransposed(f.matrix, axes);
  out = axes;
  return true;
}

int32_t DiscRadius(const ChartFrame& f, double s) {
  if (s >= 1) return 0;
  double r = 0;
  switch (f.projection) {
    case ProjectionPlanar:
      r = f.scale * std::tan(std::asin(s));
      break;
    case ProjectionSpherical:
      r = f.scale * s;
      break;
    case ProjectionLambert:
      r = f.scale * std::tan(std::asin(s) / 2);
      break;
    default:
      r = f.scale * std::asin(s);
      break;  // Mercator, Mollweide
  }
  if (!(r < MaxDiscRadius)) return 0;
  return static_cast<int32_t>(r);
}

int32_t HorizonHeight(const ChartFrame& f, const Vector3& v) {
  return SaturateToInt32(Dot(v, f.zenith));
}

namespace {
bool AboveHorizonMask(const ChartFrame& f, const Vector3& v) {
  return !f.horizonMask || HorizonHeight(f, v) >= f.horizonLevel;
}
}  // namespace

DiscPlace ProjectDisc(const ChartFrame& f, const Vector3& v, double s) {
  DiscPlace d;
  d.radius = DiscRadius(f, s);
  const ChartPoint p = ProjectToChart(f, v);
  d.x = p.x;
  d.y = p.y;
  // 64-bit sums: a point far off the chart must not wrap back onto it.
  const int64_t r = d.radius;
  d.ok = p.front && p.x >= f.left - r && p.x <= f.right + r && p.y >= f.top - r &&
         p.y <= f.bottom + r && AboveHorizonMask(f, v);
  return d;
}

bool IsDiscOnChart(const ChartFrame& f, const Vector3& v, double s, DiscPlace& out) {
  out = ProjectDisc(f, v, s);
  return out.ok;
}

bool IsOnChart(const ChartFrame& f, const Vector3& v, int32_t& x, int32_t& y) {
  const ChartPoint p = ProjectToChart(f, v);
  x = p.x;
  y = p.y;
  return p.front && p.x >= f.left && p.x <= f.right && p.y >= f.top && p.y <= f.bottom &&
         AboveHorizonMask(f, v);
}

}  // namespace qv
