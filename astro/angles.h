// astro/angles.h - angle helpers, spherical <-> rectangular coordinates, separations and
// position angles. Radians throughout; longitudes and position angles in [0, 2 pi), latitudes in
// [-pi/2, +pi/2]. Degenerate input gives zeros, never errors; acos and asin arguments are not
// clamped: callers pass unit vectors.
#pragma once

#include <cstdint>

#include "astro/vector.h"

namespace qv {

// NormalizeAngle: x - floor(x / 2 pi) 2 pi, in [0, 2 pi) (with the program's 2 pi).
double NormalizeAngle(double x);

// AngleFromXY: the angle of the point (x, y) from +x towards +y, in [0, 2 pi);
// on the y axis pi/2 or 3 pi/2, and 0 at the origin.
double AngleFromXY(double y, double x);

// Sexagesimal parts of degrees (or hours). Only the whole part is taken by magnitude in
// DegreesFromParts; minutes and seconds enter with their own signs; sign '-' negates the sum.
struct AngleParts {
  int16_t whole = 0;
  int16_t minutes = 0;
  double seconds = 0;
  char sign = '+';
};
double DegreesFromParts(int16_t degrees, int16_t minutes, double seconds, char sign);
AngleParts PartsFromDegrees(double value);

struct Spherical {
  double lon = 0, lat = 0, r = 0;
};
struct SphericalRates {
  double lon = 0, lat = 0, r = 0;
  double dlon = 0, dlat = 0, dr = 0;  // per unit of time of the rectangular velocity
};
struct StateVector {
  Vector3 position, velocity;
};

Vector3 SphericalToRectangular(double lon, double lat, double r);
Spherical RectangularToSpherical(const Vector3& v);  // lat 0 at r = 0; lon 0 on the z axis
StateVector SphericalToRectangularWithRates(const SphericalRates& s);
SphericalRates RectangularToSphericalWithRates(const StateVector& s);  // all 0 on the z axis

double AngularSeparation(double lon1, double lat1, double lon2, double lat2);
double AngularSeparationOfVectors(const Vector3& u, const Vector3& v);
// PositionAngle: direction of point 2 seen from point 1, from north through east.
double PositionAngle(double lon1, double lat1, double lon2, double lat2);
// PositionAngleOfVectors: direction of unit vector q seen from unit vector p; 0 when p is at a
// pole or q coincides with p.
double PositionAngleOfVectors(const Vector3& p, const Vector3& q);

}  // namespace qv
