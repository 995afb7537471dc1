// astro/angles.cpp - angle helpers, coordinate conversions, separations and position angles.
#include "astro/angles.h"

#include <algorithm>
#include <cmath>

#include "astro/constants.h"

namespace qv {

double NormalizeAngle(double x) { return x - std::floor(x * InvTwoPi) * TwoPi; }

double AngleFromXY(double y, double x) {
  if (x != 0) {
    const double a = std::atan2(y, x);
    return y < 0 ? a + TwoPi : a;
  }
  if (y > 0) return HalfPi;
  if (y < 0) return ThreeHalfPi;
  return 0;
}

double DegreesFromParts(int16_t degrees, int16_t minutes, double seconds, char sign) {
  const double value = std::abs(degrees) + minutes * UnitsPerMinute + seconds * UnitsPerSecond;
  return sign == '-' ? -value : value;
}

AngleParts PartsFromDegrees(double value) {
  AngleParts p;
  p.sign = value >= 0 ? '+' : '-';
  const double a = std::fabs(value);
  const double whole = std::floor(a);
  const double minutes = std::floor((a - whole) * 60);
  p.whole = static_cast<int16_t>(whole);
  p.minutes = static_cast<int16_t>(minutes);
  p.seconds = (a - whole - minutes / 60) * 3600;
  return p;
}

Vector3 SphericalToRectangular(double lon, double lat, double r) {
  const double cosLat = std::cos(lat);
  return Vector3{r * cosLat * std::cos(lon), r * cosLat * std::sin(lon), r * std::sin(lat)};
}

Spherical RectangularToSpherical(const Vector3& v) {
  Spherical s;
  s.r = Length(v);
  s.lat = s.r == 0 ? 0 : std::asin(v.z / s.r);
  s.lon = (v.x == 0 && v.y == 0) ? 0 : AngleFromXY(v.y, v.x);
  return s;
}

StateVector SphericalToRectangularWithRates(const SphericalRates& s) {
  const double cosLat = std::cos(s.lat), sinLat = std::sin(s.lat);
  const double cosLon = std::cos(s.lon), sinLon = std::sin(s.lon);
  StateVector out;
  out.position = SphericalToRectangular(s.lon, s.lat, s.r);
  out.velocity.x =
      (-cosLat * sinLon * s.dlon - sinLat * cosLon * s.dlat) * s.r + cosLat * cosLon * s.dr;
  out.velocity.y =
      (cosLat * cosLon * s.dlon - sinLat * sinLon * s.dlat) * s.r + cosLat * sinLon * s.dr;
  out.velocity.z = cosLat * s.r * s.dlat + sinLat * s.dr;
  return out;
}

SphericalRates RectangularToSphericalWithRates(const StateVector& s) {
  const Vector3& p = s.position;
  const Vector3& v = s.velocity;
  SphericalRates out;
  const double r = Length(p);
  if (r == 0 || (p.x == 0 && p.y == 0)) return out;
  out.r = r;
  out.lat = std::asin(p.z / r);
  out.lon = AngleFromXY(p.y, p.x);
  out.dr = Dot(p, v) / r;
  out.dlat = (v.z * r - out.dr * p.z) / (r * r * std::cos(out.lat));
  out.dlon = (p.x * v.y - p.y * v.x) / (p.x * p.x + p.y * p.y);
  return out;
}

namespace {
// Rounding can carry the cosine of two (nearly) equal directions just past 1, where acos has no
// value: the separation is then 0, not NaN.
double AcosOfCosine(double cosine) { return std::acos(std::clamp(cosine, -1.0, 1.0)); }
}  // namespace

double AngularSeparation(double lon1, double lat1, double lon2, double lat2) {
  return AcosOfCosine(std::cos(lon2 - lon1) * std::cos(lat1) * std::cos(lat2) +
                      std::sin(lat1) * std::sin(lat2));
}

double AngularSeparationOfVectors(const Vector3& u, const Vector3& v) {
  return AcosOfCosine(Dot(u, v));
}

double PositionAngle(double lon1, double lat1, double lon2, double lat2) {
  const double d = lon2 - lon1;
  return AngleFromXY(
      std::sin(d) * std::cos(lat2),
      std::cos(lat1) * std::sin(lat2) - std::cos(d) * std::sin(lat1) * std::cos(lat2));
}

double PositionAngleOfVectors(const Vector3& p, const Vector3& q) {
  const double z = p.z;
  const double s = std::sqrt(1 - z * z);
  if (s == 0 || std::isnan(s)) return 0;
  const double east = (p.x / s) * q.y - (p.y / s) * q.x;
  const double north = s * q.z - (p.x * z / s) * q.x - (z * p.y / s) * q.y;
  if (east == 0 && north == 0) return 0;
  return AngleFromXY(east, north);
}

}  // namespace qv
