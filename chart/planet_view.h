// chart/planet_view.h - how a solar-system body's disk lies on the chart: its centre and pixel
// radius, the turn of its globe (pole, central meridian, the chart's mirror flags) and the
// direction of the Sun that lights it. Everything the disk, sphere and ring drawings need, so that
// they read plain numbers and never the sky or the store.
//
// Screen axes are (toward the viewer, right, up): a point of the visible disk at pixel (px, py)
// is the unit vector (sqrt(1 - u^2 - v^2), u, v) with u = (px - x) / r, v = (y - py) / r.
// Body axes are those of its surface map: x at longitude 0 on the equator, y at longitude 90
// degrees in the body's own longitude system, z at the north pole. Radians throughout.
#pragma once

#include "astro/vector.h"
#include "chart/projection.h"
#include "objects/records.h"

namespace qv {

struct PlanetView {
  int kind = 0;
  int x = 0, y = 0;      // disk centre, pixels
  int r = 0;             // disk radius, pixels
  Matrix3 bodyToScreen;  // body axes -> screen axes; a reflection when the chart is mirrored
  double phase = 0;      // angle Sun-body-viewer
  Vector3 sunOnScreen{1, 0, 0};  // unit vector toward the Sun, screen axes
};

// SkyOnScreen: where the sky's north and east point on the screen at a place of the chart, as
// unit vectors (right, up). east is north turned a quarter counterclockwise, or clockwise on a
// mirrored chart.
struct SkyOnScreen {
  double northRight = 0, northUp = 1;
  double eastRight = -1, eastUp = 0;
};

// SkyOnScreenAt: north and east on the screen at the unit direction d (store frame), measured
// through the frame's own projection, so rotation, both mirror flags and the horizon system's
// turn are all in it.
SkyOnScreen SkyOnScreenAt(const ChartFrame& f, const Vector3& d);

// Orientation: the body's globe as the physical ephemeris gives it.
struct GlobeOrientation {
  double centralLongitude = 0;  // of the point facing the viewer, in the body's own system
  double centralLatitude = 0;
  double poleAngle = 0;                // position angle of the north pole, from north through east
  bool longitudeWithRotation = false;  // longitudes grow with the rotation (Sun, Venus, Earth,
                                       // Moon, Pluto, Charon): the map's east is y, else -y
  double phase = 0;                    // angle Sun-body-viewer
  double brightLimbAngle = 0;          // position angle of the bright limb
};

// MakePlanetView: the view of a body drawn at (x, y) with radius r, where the sky's north and
// east point as given.
PlanetView MakePlanetView(int kind, int x, int y, int r, const SkyOnScreen& sky,
                          const GlobeOrientation& globe);

// ScreenPoint: a body-axes vector in screen axes; BodyPoint the other way.
Vector3 ScreenPoint(const PlanetView& view, const Vector3& body);
Vector3 BodyPoint(const PlanetView& view, const Vector3& screen);

}  // namespace qv
