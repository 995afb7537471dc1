// Angles, vectors and the rotation builder: the fixed constants, the quadrant rules of
// AngleFromXY, the exact elementary rotation forms and the order of composed rotations.
#include "astro/angles.h"

#include <gtest/gtest.h>

#include <cmath>

#include "astro/constants.h"
#include "astro/vector.h"

namespace qv {
namespace {

constexpr double Tight = 1e-12;  // pure arithmetic on exact inputs: only rounding differs
// Angles past pi come back through the program's 2 pi (6.283185307), 1.8e-10 below the true one.
constexpr double TwoPiSlip = 2e-10;

void ExpectVectorNear(const Vector3& got, const Vector3& want, double tol = 1e-9) {
  EXPECT_NEAR(got.x, want.x, tol);
  EXPECT_NEAR(got.y, want.y, tol);
  EXPECT_NEAR(got.z, want.z, tol);
}

TEST(AngleFromXY, CoversEveryQuadrantAndTheAxes) {
  EXPECT_DOUBLE_EQ(AngleFromXY(1, 0), 1.570796327);
  EXPECT_DOUBLE_EQ(AngleFromXY(-1, 0), 4.712388981);
  EXPECT_EQ(AngleFromXY(0, 0), 0.0);
  EXPECT_NEAR(AngleFromXY(1, 1), std::atan(1.0), Tight);
  EXPECT_NEAR(AngleFromXY(1, -1), 3 * std::atan(1.0), Tight);
  const double justBelow = AngleFromXY(-0.5, 1);
  EXPECT_LT(justBelow, TwoPi);
  EXPECT_GT(justBelow, 5.8);
}

TEST(NormalizeAngle, WrapsIntoOneTurnWithTheProgramsTwoPi) {
  EXPECT_NEAR(NormalizeAngle(-0.1), 6.183185307, Tight);
  EXPECT_EQ(NormalizeAngle(6.283185307), 0.0);
  EXPECT_NEAR(NormalizeAngle(3 * TwoPi + 1), 1.0, 1e-9);
  for (double x = -50; x < 50; x += 0.37) {
    const double a = NormalizeAngle(x);
    EXPECT_GE(a, 0.0);
    EXPECT_LT(a, TwoPi);
  }
}

TEST(SexagesimalParts, SplitAndJoinRoundTrip) {
  const AngleParts p = PartsFromDegrees(-12.5);
  EXPECT_EQ(p.sign, '-');
  EXPECT_EQ(p.whole, 12);
  EXPECT_EQ(p.minutes, 30);
  EXPECT_NEAR(p.seconds, 0.0, 1e-9);
  for (double v = -89.99; v < 90; v += 1.2345) {
    const AngleParts q = PartsFromDegrees(v);
    EXPECT_NEAR(DegreesFromParts(q.whole, q.minutes, q.seconds, q.sign), v, 1e-12) << v;
  }
  // Only the whole part is taken by magnitude; minutes and seconds keep their own signs.
  EXPECT_NEAR(DegreesFromParts(-10, 30, 0, '+'), 10.5, Tight);
  EXPECT_NEAR(DegreesFromParts(10, -30, 0, '+'), 9.5, Tight);
  EXPECT_NEAR(DegreesFromParts(0, 30, 0, '-'), -0.5, Tight);
}

TEST(SphericalCoordinates, RoundTripAndDegenerateCases) {
  const Spherical south = RectangularToSpherical(Vector3{0, 0, -2});
  EXPECT_EQ(south.lon, 0.0);
  EXPECT_NEAR(south.lat, -HalfPi, 1e-9);
  EXPECT_EQ(south.r, 2.0);
  const Spherical origin = RectangularToSpherical(Vector3{});
  EXPECT_EQ(origin.lat, 0.0);
  EXPECT_EQ(origin.lon, 0.0);
  for (double lon = 0.1; lon < 6.2; lon += 0.7)
    for (double lat = -1.5; lat < 1.5; lat += 0.4) {
      const Spherical s = RectangularToSpherical(SphericalToRectangular(lon, lat, 3.5));
      EXPECT_NEAR(s.lon, lon, TwoPiSlip);
      EXPECT_NEAR(s.lat, lat, 1e-12);
      EXPECT_NEAR(s.r, 3.5, 1e-12);
    }
}

TEST(SphericalCoordinates, RatesMatchFiniteDifferences) {
  const SphericalRates s{1.2, 0.4, 2.0, 0.01, -0.02, 0.003};
  const StateVector st = SphericalToRectangularWithRates(s);
  const double h = 1e-6;
  const Vector3 ahead =
      SphericalToRectangular(s.lon + h * s.dlon, s.lat + h * s.dlat, s.r + h * s.dr);
  const Vector3 behind =
      SphericalToRectangular(s.lon - h * s.dlon, s.lat - h * s.dlat, s.r - h * s.dr);
  ExpectVectorNear(st.velocity,
                   Vector3{(ahead.x - behind.x) / (2 * h), (ahead.y - behind.y) / (2 * h),
                           (ahead.z - behind.z) / (2 * h)},
                   1e-8);
  const SphericalRates back = RectangularToSphericalWithRates(st);
  EXPECT_NEAR(back.lon, s.lon, 1e-12);
  EXPECT_NEAR(back.lat, s.lat, 1e-12);
  EXPECT_NEAR(back.r, s.r, 1e-12);
  EXPECT_NEAR(back.dlon, s.dlon, 1e-12);
  EXPECT_NEAR(back.dlat, s.dlat, 1e-12);
  EXPECT_NEAR(back.dr, s.dr, 1e-12);
  const SphericalRates pole = RectangularToSphericalWithRates(StateVector{{0, 0, 1}, {1, 1, 1}});
  EXPECT_EQ(pole.r, 0.0);
  EXPECT_EQ(pole.dlon, 0.0);
}

TEST(SeparationAndPositionAngle, AgreeBetweenAngleAndVectorForms) {
  // Position angle of a point due east is 90 degrees, due north 0.
  EXPECT_NEAR(PositionAngle(1.0, 0.2, 1.01, 0.2), HalfPi, 1e-2);
  EXPECT_NEAR(PositionAngle(1.0, 0.2, 1.0, 0.3), 0.0, 1e-12);
  const double pairs[][4] = {{0.3, 0.5, 0.9, -0.2}, {5.0, -1.0, 4.1, 0.8}, {2.0, 0.0, 2.0, 0.01}};
  for (const auto& p : pairs) {
    const Vector3 u = SphericalToRectangular(p[0], p[1], 1),
                  v = SphericalToRectangular(p[2], p[3], 1);
    EXPECT_NEAR(AngularSeparation(p[0], p[1], p[2], p[3]), AngularSeparationOfVectors(u, v), 1e-9);
    EXPECT_NEAR(PositionAngle(p[0], p[1], p[2], p[3]), PositionAngleOfVectors(u, v), 1e-9);
  }
  // A direction's separation from itself is about 0 (acos near 1 magnifies rounding to 1.5e-8),
  // never NaN although the rounded cosine may pass 1.
  for (double lon = 0; lon < TwoPi; lon += 0.05) {
    for (double lat = -1.5; lat <= 1.5; lat += 0.05) {
      const Vector3 u = SphericalToRectangular(lon, lat, 1);
      ASSERT_LT(AngularSeparationOfVectors(u, u), 1e-7) << lon << " " << lat;
      ASSERT_LT(AngularSeparation(lon, lat, lon, lat), 1e-7) << lon << " " << lat;
    }
  }
  EXPECT_EQ(PositionAngleOfVectors(Vector3{0, 0, 1}, Vector3{1, 0, 0}), 0.0);  // from the pole
  const Vector3 onEquator = SphericalToRectangular(1, 0, 1);  // both components exactly 0
  EXPECT_EQ(PositionAngleOfVectors(onEquator, onEquator), 0.0);
}

TEST(BuildRotation, ElementaryFormsAndOrder) {
  Matrix3 m;
  BuildRotation(m, {{AxisZ, HalfPi}});
  Vector3 v{1, 0, 0};
  Transform(m, v);
  ExpectVectorNear(v, {0, 1, 0});

  BuildRotation(m, {{AxisY, HalfPi}});
  v = {1, 0, 0};
  Transform(m, v);
  ExpectVectorNear(v, {0, 0, 1});
  v = {0, 0, 1};
  Transform(m, v);
  ExpectVectorNear(v, {-1, 0, 0});

  BuildRotation(m, {{AxisX, HalfPi}});
  v = {0, 1, 0};
  Transform(m, v);
  ExpectVectorNear(v, {0, 0, 1});

  // (z, a) then (x, b) is Rx(b) Rz(a): the z rotation acts first.
  const double a = 0.7, b = -1.3;
  BuildRotation(m, {{AxisZ, a}, {AxisX, b}});
  Matrix3 want = ElementaryRotation(AxisZ, a);
  Multiply(ElementaryRotation(AxisX, b), want);
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) EXPECT_DOUBLE_EQ(m.m[i][j], want.m[i][j]);

  BuildRotation(m, {});
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) EXPECT_EQ(m.m[i][j], i == j ? 1.0 : 0.0);
}

TEST(Transform, InPlaceAndTransposeUndoesIt) {
  Matrix3 m;
  BuildRotation(m, {{AxisZ, 0.4}, {AxisX, 0.41}, {AxisY, -2.0}});
  const Vector3 start{0.3, -0.5, 0.8};
  Vector3 v = start;
  Transform(m, v);
  EXPECT_NEAR(Length(v), Length(start), Tight);
  TransformTransposed(m, v);
  ExpectVectorNear(v, start, Tight);

  Matrix3 b = m;
  Multiply(m, b);  // B <- A B with A and B the same matrix must not read half-written rows
  Vector3 twice = start, viaProduct = start;
  Transform(m, twice);
  Transform(m, twice);
  Transform(b, viaProduct);
  ExpectVectorNear(viaProduct, twice, Tight);

  Vector3 c;
  Cross(Vector3{1, 0, 0}, Vector3{0, 1, 0}, c);
  ExpectVectorNear(c, {0, 0, 1}, 0);
  Vector3 a{1, 2, 3};
  Subtract(a, Vector3{1, 1, 1}, a);
  ExpectVectorNear(a, {0, 1, 2}, 0);
}

}  // namespace
}  // namespace qv
