// telescope/marker.cpp - the telescope marker (marker.h).
#include "telescope/marker.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "astro/angles.h"
#include "platform/draw.h"

namespace qv {
namespace {

Vector3 Scaled(const Vector3& v, double factor) {
  return {v.x * factor, v.y * factor, v.z * factor};
}

// DrawCircleField: a circle of the given angular diameter about the direction (length R).
void DrawCircleField(const ChartFrame& frame, const Vector3& at, double diameter) {
  if (diameter <= 0) return;
  const DiscPlace place = ProjectDisc(frame, at, std::sin(diameter / 2));
  if (!place.ok || place.radius <= 0) return;
  DrawEllipse(place.x - place.radius, place.y - place.radius, place.x + place.radius,
              place.y + place.radius);
}

// DrawCameraField: the corners projected one by one and joined as one closed outline, so that
// no pixel is inverted twice where two sides meet.
void DrawCameraField(const ChartFrame& frame, const EquatorialPosition& at, double width,
                     double height) {
  if (width <= 0 || height <= 0) return;
  int16_t xs[4], ys[4];
  const std::array<Vector3, 4> corners = CameraFieldCorners(at, width, height);
  for (size_t i = 0; i < corners.size(); ++i) {
    const ChartPoint p = ProjectToChart(frame, Scaled(corners[i], DirectionLength));
    constexpr int32_t limit = std::numeric_limits<int16_t>::max();
    if (!p.front || std::abs(p.x) > limit || std::abs(p.y) > limit) return;
    xs[i] = static_cast<int16_t>(p.x);
    ys[i] = static_cast<int16_t>(p.y);
  }
  Polygon* outline = NewPolygon(4, xs, ys);
  if (!outline) return;
  DrawPolygon(outline);
  DisposePolygon(outline);
}

}  // namespace

std::array<Vector3, 4> CameraFieldCorners(const EquatorialPosition& at, double width,
                                          double height) {
  const Vector3 centre = SphericalToRectangular(at.ra, at.dec, 1);
  const Vector3 east{-std::sin(at.ra), std::cos(at.ra), 0};
  const Vector3 north{-std::sin(at.dec) * std::cos(at.ra), -std::sin(at.dec) * std::sin(at.ra),
                      std::cos(at.dec)};
  const double u = std::tan(width / 2), v = std::tan(height / 2);
  std::array<Vector3, 4> corners;
  const double signs[4][2] = {{1, 1}, {-1, 1}, {-1, -1}, {1, -1}};
  for (size_t i = 0; i < corners.size(); ++i) {
    Vector3 c{centre.x + signs[i][0] * u * east.x + signs[i][1] * v * north.x,
              centre.y + signs[i][0] * u * east.y + signs[i][1] * v * north.y,
              centre.z + signs[i][0] * u * east.z + signs[i][1] * v * north.z};
    corners[i] = Scaled(c, 1 / Length(c));
  }
  return corners;
}

void DrawTelescopeMarker(const ChartFrame& frame, const EquatorialPosition& at,
                         const MarkerFields& fields) {
  const Vector3 direction = SphericalToRectangular(at.ra, at.dec, DirectionLength);
  DiscPlace place;
  if (!IsDiscOnChart(frame, direction, std::sin(fields.finderWidth / 2), place)) return;
  SetPen(ColorWhite, 1, false);
  SetDrawingMode(DrawXor);
  if (fields.finder) DrawCircleField(frame, direction, fields.finderWidth);
  if (fields.eyepiece) DrawCircleField(frame, direction, fields.eyepieceWidth);
  if (fields.camera) DrawCameraField(frame, at, fields.cameraWidth, fields.cameraHeight);
  SetDrawingMode(DrawCopy);
}

}  // namespace qv
