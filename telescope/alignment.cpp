// telescope/alignment.cpp - two-star alignment and positions from encoder counts.
#include "telescope/alignment.h"

#include <cmath>
#include <numbers>

#include "astro/angles.h"
#include "generated/string_numbers.h"

namespace qv {
namespace {

constexpr double TwoPi = 2 * std::numbers::pi;
constexpr double HalfPi = std::numbers::pi / 2;
constexpr double DegreesPerRadian = 180 / std::numbers::pi;
constexpr double OffsetLimitDegrees = 1;
constexpr double SeparationLimitDegrees = 10;
// Cross products shorter than this (two stars 0.0006 degrees apart) give no usable frame.
constexpr double ParallelLimit = 1e-8;

double WrapLongitude(double lon) {
  const double wrapped = std::fmod(lon, TwoPi);
  return wrapped < 0 ? wrapped + TwoPi : wrapped;
}

bool UnitCross(const Vector3& a, const Vector3& b, Vector3& out) {
  Cross(a, b, out);
  const double length = Length(out);
  if (length < ParallelLimit) return false;
  out = {out.x / length, out.y / length, out.z / length};
  return true;
}

// Columns: c[0], c[1], c[2].
Matrix3 FromColumns(const Vector3 c[3]) {
  Matrix3 m;
  for (int i = 0; i < 3; ++i) {
    m.m[0][i] = c[i].x;
    m.m[1][i] = c[i].y;
    m.m[2][i] = c[i].z;
  }
  return m;
}

// The inverse by cofactors; false when the determinant vanishes.
bool Invert(const Matrix3& a, Matrix3& out) {
  const auto& m = a.m;
  const double c00 = m[1][1] * m[2][2] - m[1][2] * m[2][1];
  const double c01 = m[1][2] * m[2][0] - m[1][0] * m[2][2];
  const double c02 = m[1][0] * m[2][1] - m[1][1] * m[2][0];
  const double det = m[0][0] * c00 + m[0][1] * c01 + m[0][2] * c02;
  if (std::fabs(det) < ParallelLimit) return false;
  const double inv = 1 / det;
  out.m[0][0] = c00 * inv;
  out.m[1][0] = c01 * inv;
  out.m[2][0] = c02 * inv;
  out.m[0][1] = (m[0][2] * m[2][1] - m[0][1] * m[2][2]) * inv;
  out.m[1][1] = (m[0][0] * m[2][2] - m[0][2] * m[2][0]) * inv;
  out.m[2][1] = (m[0][1] * m[2][0] - m[0][0] * m[2][1]) * inv;
  out.m[0][2] = (m[0][1] * m[1][2] - m[0][2] * m[1][1]) * inv;
  out.m[1][2] = (m[0][2] * m[1][0] - m[0][0] * m[1][2]) * inv;
  out.m[2][2] = (m[0][0] * m[1][1] - m[0][1] * m[1][0]) * inv;
  return true;
}

}  // namespace

MountAngles MountAnglesFromCounts(const EncoderAlignment& a, double lonCount, double latCount,
                                  int32_t lonSteps, int32_t latSteps) {
  const double lonTurn = TwoPi / (lonSteps != 0 ? lonSteps : 1);
  const double latTurn = TwoPi / (latSteps != 0 ? latSteps : 1);
  return {(lonCount - a.lonZero) * lonTurn, (latCount - a.latZero) * latTurn + HalfPi};
}

MountAngles FoldMountAngles(MountAngles m) {
  double lat = std::remainder(m.lat, TwoPi);  // (-pi, pi]
  double lon = m.lon;
  if (lat > HalfPi) {
    lat = std::numbers::pi - lat;
    lon += std::numbers::pi;
  } else if (lat < -HalfPi) {
    lat = -std::numbers::pi - lat;
    lon += std::numbers::pi;
  }
  return {WrapLongitude(lon), lat};
}

Vector3 AlignmentTargetVector(const EquatorialPosition& star, int mount, double siderealTime) {
  const double lon = mount == MountAltAzimuth ? star.ra - siderealTime : star.ra;
  return SphericalToRectangular(lon, star.dec, 1.0);
}

int ZeroEncoders(EncoderAlignment& a, double lonCount, double latCount) {
  a = EncoderAlignment{};
  a.lonZero = lonCount;
  a.latZero = latCount;
  a.state = AlignmentZeroed;
  return MessageAlignFirstStar;
}

AlignmentQuestions CheckAlignmentStar(const EncoderAlignment& a, const Vector3& mount,
                                      const Vector3& target) {
  AlignmentQuestions q;
  if (a.state < AlignmentOneStar) return q;
  const double moved = AngularSeparationOfVectors(mount, a.mount[1]) * DegreesPerRadian;
  const double apart = AngularSeparationOfVectors(target, a.target[1]) * DegreesPerRadian;
  q.offsetDegrees = std::fabs(apart - moved);
  q.offset = q.offsetDegrees > OffsetLimitDegrees;
  q.separationDegrees = moved;
  q.tooClose = moved < SeparationLimitDegrees;
  return q;
}

bool MatrixFromStarPairs(const Vector3 mount[2], const Vector3 target[2], Matrix3& out) {
  Vector3 m[3] = {mount[0], mount[1], {}};
  Vector3 t[3] = {target[0], target[1], {}};
  Matrix3 inverse;
  if (!UnitCross(m[0], m[1], m[2]) || !UnitCross(t[0], t[1], t[2]) ||
      !Invert(FromColumns(m), inverse))
    return false;
  out = inverse;
  Multiply(FromColumns(t), out);  // T M^-1
  return true;
}

int TakeAlignmentStar(EncoderAlignment& a, const Vector3& mount, const Vector3& target) {
  if (a.state >= AlignmentOneStar) {
    const Vector3 mounts[2] = {a.mount[1], mount};
    const Vector3 targets[2] = {a.target[1], target};
    Matrix3 matrix;
    if (!MatrixFromStarPairs(mounts, targets, matrix)) return 0;
    a.matrix = matrix;
  }
  a.mount[0] = a.mount[1];
  a.target[0] = a.target[1];
  a.mount[1] = mount;
  a.target[1] = target;
  a.state = a.state < AlignmentOneStar ? AlignmentOneStar : AlignmentAligned;
  return a.state == AlignmentOneStar ? MessageAlignSecondStar : MessageAligned;
}

EquatorialPosition PositionFromMountAngles(const EncoderAlignment& a, MountAngles m, int mount,
                                           double siderealTime) {
  m = FoldMountAngles(m);
  if (a.state != AlignmentAligned) return {m.lon, m.lat};
  Vector3 v = SphericalToRectangular(m.lon, m.lat, 1.0);
  Transform(a.matrix, v);
  const Spherical s = RectangularToSpherical(v);
  const double ra = mount == MountAltAzimuth ? s.lon + siderealTime : s.lon;
  return {WrapLongitude(ra), s.lat};
}

}  // namespace qv
