// chart/planet_view.cpp - the orientation of a body's disk on the chart (see planet_view.h).
//
// The globe is built in the sky's own frame at the body, (toward the viewer, north, east), which
// is right-handed, from the pole's position angle P, the central latitude B and the central
// longitude L of the physical ephemeris:
//   pole      Z = sin B toward + cos B (cos P north + sin P east)
//   meridian  Q = cos B toward - sin B (cos P north + sin P east)   (the equator under the viewer)
//   Y = +-(Z x Q): a quarter turn along the equator in the direction longitudes grow
//   x axis = cos L Q - sin L Y, y axis = sin L Q + cos L Y
// so the point facing the viewer has longitude L and latitude B. The sky frame then goes to the
// screen through north and east as the projection shows them.
#include "chart/planet_view.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace qv {
namespace {

// Sky-frame components: x toward the viewer, y north, z east.
Vector3 SkyDirection(double positionAngle) {
  return {0, std::cos(positionAngle), std::sin(positionAngle)};
}

Vector3 Combine(double a, const Vector3& u, double b, const Vector3& v) {
  return {a * u.x + b * v.x, a * u.y + b * v.y, a * u.z + b * v.z};
}

// A sky-frame vector in screen axes.
Vector3 SkyToScreen(const SkyOnScreen& sky, const Vector3& v) {
  return {v.x, v.y * sky.northRight + v.z * sky.eastRight, v.y * sky.northUp + v.z * sky.eastUp};
}

Vector3 Normalized(const Vector3& v) {
  const double n = Length(v);
  return n > 0 ? Vector3{v.x / n, v.y / n, v.z / n} : Vector3{};
}

// Pixel offsets are measured on a copy of the frame magnified this much about its centre, so a
// step of a fraction of a pixel still moves the projected point by thousands of units.
constexpr double Magnification = 16384.0;
constexpr double MaxProbeAngle = 1e-3;  // radians: small enough for the projection to be linear
constexpr double SaturationGuard = 1073741824.0;  // keep magnified offsets within 2^30

struct ScreenStep {
  double right = 0, up = 0;
};

// The screen displacement of a step from d along t (both unit vectors, store frame).
ScreenStep ProbeStep(const ChartFrame& magnified, const Vector3& d, const Vector3& t,
                     double angle) {
  const Vector3 ahead = Combine(DirectionLength, d, angle * DirectionLength, t);
  const Vector3 behind = Combine(DirectionLength, d, -angle * DirectionLength, t);
  const ChartPoint a = ProjectToChart(magnified, ahead);
  const ChartPoint b = ProjectToChart(magnified, behind);
  return {static_cast<double>(a.x) - b.x, static_cast<double>(b.y) - a.y};
}

}  // namespace

SkyOnScreen SkyOnScreenAt(const ChartFrame& f, const Vector3& d) {
  Vector3 east;
  Cross(Vector3{0, 0, 1}, d, east);
  east = Length(east) > 1e-12 ? Normalized(east) : Vector3{0, 1, 0};  // at a pole any east serves
  Vector3 north;
  Cross(d, east, north);

  // Magnify as far as the body's own distance from the centre allows.
  const ChartPoint at = ProjectToChart(f, Combine(DirectionLength, d, 0, d));
  const double offset = std::max(std::abs(static_cast<double>(at.x) - f.cx),
                                 std::abs(static_cast<double>(at.y) - f.cy));
  const double k = std::min(Magnification, SaturationGuard / (offset + 1));
  ChartFrame magnified = f;
  magnified.cx = 0;
  magnified.cy = 0;
  magnified.scale *= k;
  magnified.unitsPerPixel /= k;
  const double angle = f.scale > 0 ? std::min(MaxProbeAngle, 1 / f.scale) : MaxProbeAngle;

  const ScreenStep n = ProbeStep(magnified, d, north, angle);
  const ScreenStep e = ProbeStep(magnified, d, east, angle);
  SkyOnScreen sky;
  const double nLength = std::hypot(n.right, n.up), eLength = std::hypot(e.right, e.up);
  if (nLength > 0) {
    sky.northRight = n.right / nLength;
    sky.northUp = n.up / nLength;
  } else if (eLength > 0) {  // north degenerate: take it a quarter turn clockwise from east
    sky.northRight = e.up / eLength;
    sky.northUp = -e.right / eLength;
  }
  // Unmirrored, east lies a quarter turn counterclockwise from north.
  const bool mirrored = n.right * e.up - n.up * e.right < 0;
  const double turn = mirrored ? -1 : 1;
  sky.eastRight = -turn * sky.northUp;
  sky.eastUp = turn * sky.northRight;
  return sky;
}

PlanetView MakePlanetView(int kind, int x, int y, int r, const SkyOnScreen& sky,
                          const GlobeOrientation& globe) {
  const Vector3 toward{1, 0, 0};
  const Vector3 poleward = SkyDirection(globe.poleAngle);
  const double sinB = std::sin(globe.centralLatitude), cosB = std::cos(globe.centralLatitude);
  const Vector3 z = Combine(sinB, toward, cosB, poleward);
  const Vector3 q = Combine(cosB, toward, -sinB, poleward);
  Vector3 quarter;
  Cross(z, q, quarter);
  if (!globe.longitudeWithRotation) quarter = Combine(-1, quarter, 0, quarter);
  const double sinL = std::sin(globe.centralLongitude), cosL = std::cos(globe.centralLongitude);
  const Vector3 axes[3] = {
      SkyToScreen(sky, Combine(cosL, q, -sinL, quarter)),
      SkyToScreen(sky, Combine(sinL, q, cosL, quarter)),
      SkyToScreen(sky, z),
  };

  PlanetView view;
  view.kind = kind;
  view.x = x;
  view.y = y;
  view.r = r;
  for (int column = 0; column < 3; ++column) {  // each body axis is a column
    view.bodyToScreen.m[0][column] = axes[column].x;
    view.bodyToScreen.m[1][column] = axes[column].y;
    view.bodyToScreen.m[2][column] = axes[column].z;
  }
  view.phase = globe.phase;
  const double sinI = std::sin(globe.phase), cosI = std::cos(globe.phase);
  view.sunOnScreen =
      SkyToScreen(sky, Combine(cosI, toward, sinI, SkyDirection(globe.brightLimbAngle)));
  return view;
}

Vector3 ScreenPoint(const PlanetView& view, const Vector3& body) {
  Vector3 v = body;
  Transform(view.bodyToScreen, v);
  return v;
}

Vector3 BodyPoint(const PlanetView& view, const Vector3& screen) {
  Vector3 v = screen;
  TransformTransposed(view.bodyToScreen, v);
  return v;
}

}  // namespace qv
