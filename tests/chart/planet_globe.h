// Globes for the planet drawing tests: views of a body at a fixed place on a north-up chart,
// plain or mirrored, and the textbook orthographic inverse that says which point of the globe
// should be under a pixel.
#pragma once

#include <cmath>
#include <numbers>

#include "chart/planet_view.h"
#include "tests/support/degree.h"

namespace qv::test {

// North up; east to the left as on the sky, or to the right on a chart mirrored left-right.
inline SkyOnScreen NorthUp(bool mirrored) {
  SkyOnScreen sky;
  sky.eastRight = mirrored ? 1 : -1;
  return sky;
}

struct Globe {
  double centralLongitude = 0, centralLatitude = 0, poleAngle = 0;  // radians
  bool withRotation = false;
  double phase = 0, brightLimb = 0;
  bool mirrored = false;
};

inline PlanetView ViewOf(int kind, int x, int y, int r, const Globe& g) {
  GlobeOrientation o;
  o.centralLongitude = g.centralLongitude;
  o.centralLatitude = g.centralLatitude;
  o.poleAngle = g.poleAngle;
  o.longitudeWithRotation = g.withRotation;
  o.phase = g.phase;
  o.brightLimbAngle = g.brightLimb;
  return MakePlanetView(kind, x, y, r, NorthUp(g.mirrored), o);
}

// Longitude and latitude under the screen offset (u right, v up) in disk radii, from the
// orthographic projection's inverse (J. P. Snyder, Map Projections - A Working Manual, USGS
// Prof. Paper 1395 (1987), eqs. 20-14 and 20-15), in a plane turned so that the pole points up.
struct LonLat {
  double lon = 0, lat = 0;
};
inline LonLat GlobePointUnder(const Globe& g, double u, double v) {
  const double east = g.mirrored ? u : -u, north = v;
  const double x =
      east * std::cos(g.poleAngle) - north * std::sin(g.poleAngle);  // toward the globe's east
  const double y = north * std::cos(g.poleAngle) + east * std::sin(g.poleAngle);  // toward its pole
  const double cosC = std::sqrt(1 - x * x - y * y);
  const double b = g.centralLatitude;
  LonLat p;
  p.lat = std::asin(cosC * std::sin(b) + y * std::cos(b));
  const double offset = std::atan2(x, cosC * std::cos(b) - y * std::sin(b));
  // Westward longitudes grow toward the globe's east limb; the others toward its west limb.
  p.lon = g.withRotation ? g.centralLongitude - offset : g.centralLongitude + offset;
  return p;
}

// The difference of two angles, in (-pi, pi].
inline double AngleDifference(double a, double b) {
  return std::remainder(a - b, 2 * std::numbers::pi);
}

}  // namespace qv::test
