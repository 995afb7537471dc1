// chart/planet_disk.cpp - flat disks, phases, globe grids and flat rings (see planet_disk.h).
#include "chart/planet_disk.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace qv {
namespace {

using std::numbers::pi;
constexpr int GridLatitudeCircles = 6;  // -90, -60 ... +60 degrees
constexpr int GridMeridians = 12;       // 0, 30 ... 330 degrees
constexpr double GridStep = pi / 6;
constexpr int GridCircleSegments = 72;
constexpr int GridMeridianSegments = 36;
constexpr int RingHalfSegments = 17;  // 18 points

int16_t ToPixel16(double v) {
  return static_cast<int16_t>(std::clamp(std::lround(v), long{INT16_MIN}, long{INT16_MAX}));
}

// The pixel of a screen-axes vector scaled to radius pixels around the disk centre.
void PixelOf(const PlanetView& view, double radius, double right, double up, int16_t& px,
             int16_t& py) {
  px = ToPixel16(view.x + radius * right);
  py = ToPixel16(view.y - radius * up);
}

// A circle on the globe or in the ring plane, body axes: centre + cos t a + sin t b.
struct GlobeCircle {
  Vector3 centre, a, b;
};

// Traces steps segments of the circle from start over sweep at radius pixels; with hideBack, the
// points on the far hemisphere only move the pen.
void TraceCircle(const PlanetView& view, const GlobeCircle& c, double radius, double start,
                 double sweep, int steps, bool hideBack) {
  bool penDown = false;
  for (int k = 0; k <= steps; ++k) {
    const double t = start + sweep * k / steps;
    const double ct = std::cos(t), st = std::sin(t);
    const Vector3 body{c.centre.x + ct * c.a.x + st * c.b.x, c.centre.y + ct * c.a.y + st * c.b.y,
                       c.centre.z + ct * c.a.z + st * c.b.z};
    const Vector3 p = ScreenPoint(view, body);
    if (hideBack && p.x < 0) {
      penDown = false;
      continue;
    }
    int16_t px, py;
    PixelOf(view, radius, p.y, p.z, px, py);
    if (penDown) {
      LineTo(px, py);
    } else {
      MoveTo(px, py);
      penDown = true;
    }
  }
}

// A new or eclipsed body is dark all over: filled so, since the polygon's chords would leave a
// lit rim along the limb.
bool IsAllDark(const PlanetView& view) { return view.phase >= pi - PhaseShadowThreshold; }

}  // namespace

PhaseShadow MakePhaseShadow(const PlanetView& view) {
  PhaseShadow shadow;
  if (!(view.phase > PhaseShadowThreshold) || IsAllDark(view)) return shadow;
  // Screen directions of the bright limb (t) and of the horns (p) in the plane of the sky.
  const double theta = std::atan2(view.sunOnScreen.z, view.sunOnScreen.y);
  const double tr = std::cos(theta), tu = std::sin(theta);
  const double pr = -tu, pu = tr;
  // The terminator's visible half reaches cos(phase) of the radius toward the dark limb's far
  // side: the limb itself at full phase, the centre line at half, the bright limb when new.
  const double reach = -std::cos(view.phase);
  constexpr int n = PhaseShadowHalfPoints;
  for (int k = 0; k < n; ++k) {
    const double a = pi * k / (n - 1);
    PixelOf(view, view.r, std::cos(a) * pr - std::sin(a) * tr, std::cos(a) * pu - std::sin(a) * tu,
            shadow.xs[k], shadow.ys[k]);
    const double b = pi - a;  // back from the far horn
    PixelOf(view, view.r, std::cos(b) * pr + std::sin(b) * reach * tr,
            std::cos(b) * pu + std::sin(b) * reach * tu, shadow.xs[n + k], shadow.ys[n + k]);
  }
  shadow.count = 2 * n;
  return shadow;
}

void DrawFlatDisk(const PlanetView& view, const DiskColors& colors) {
  const int left = view.x - view.r, top = view.y - view.r;
  const int right = view.x + view.r + 1, bottom = view.y + view.r + 1;
  SetPen(IsAllDark(view) ? colors.shadow : colors.fill, 1, true);
  DrawEllipse(left, top, right, bottom);
  const PhaseShadow shadow = MakePhaseShadow(view);
  if (shadow.count > 0) {
    if (Polygon* polygon = NewPolygon(shadow.count, shadow.xs, shadow.ys)) {
      SetPen(colors.shadow, 1, true);
      DrawPolygon(polygon);
      DisposePolygon(polygon);
    }
  }
  SetPen(colors.outline, 1, false);
  DrawEllipse(left, top, right, bottom);
}

void DrawPlanetGrid(const PlanetView& view) {
  for (int k = 0; k < GridLatitudeCircles; ++k) {
    const double lat = -pi / 2 + GridStep * k;
    const GlobeCircle circle{{0, 0, std::sin(lat)}, {std::cos(lat), 0, 0}, {0, std::cos(lat), 0}};
    TraceCircle(view, circle, view.r, 0, 2 * pi, GridCircleSegments, true);
  }
  for (int k = 0; k < GridMeridians; ++k) {
    const double lon = GridStep * k;
    const GlobeCircle meridian{{0, 0, 0}, {std::cos(lon), std::sin(lon), 0}, {0, 0, 1}};
    TraceCircle(view, meridian, view.r, -pi / 2, pi, GridMeridianSegments, true);
  }
}

void DrawFlatRings(const PlanetView& view, RingHalf half) {
  // A ring point at angle a lies at depth cos(a - phi) times the cosine of the ring tilt: the far
  // half runs from phi + pi/2, the near half from phi - pi/2.
  const Matrix3& m = view.bodyToScreen;
  const double phi = std::atan2(m.m[0][1], m.m[0][0]);
  const double start = half == RingsBehind ? phi + pi / 2 : phi - pi / 2;
  const GlobeCircle ring{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
  for (double factor : {RingInnerRadius, RingOuterRadius}) {
    const int radius = static_cast<int>(factor * view.r);
    TraceCircle(view, ring, radius, start, pi, RingHalfSegments, false);
  }
}

}  // namespace qv
