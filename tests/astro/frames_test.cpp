// Precession, nutation, obliquity, the galactic and horizon frames and the apparent-place
// corrections, against worked examples of J. Meeus, Astronomical Algorithms (2nd ed.) and against
// each other where two routes lead to the same place.
#include "astro/frames.h"

#include <gtest/gtest.h>

#include <cmath>

#include "astro/constants.h"
#include "astro/corrections.h"
#include "astro/kinds.h"
#include "tests/astro/ref_table.h"
#include "tests/astro/series_geocentric.h"

namespace qv {
namespace {

constexpr double Rad = 0.017453292519943295;
constexpr double ArcsecRad = Rad / 3600;

void ExpectMatrixNear(const Matrix3& a, const Matrix3& b, double tol) {
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) EXPECT_NEAR(a.m[i][j], b.m[i][j], tol) << i << "," << j;
}

// The two directions of a frame undo each other.
void ExpectInverses(const Matrix3& forward, Matrix3 inverse, double tol) {
  Multiply(forward, inverse);
  ExpectMatrixNear(inverse, Matrix3{}, tol);
}

TEST(Precession, ReproducesMeeusExample21b) {
  // theta Persei, J2000 place moved along its proper motion to 2028 Nov 13.19 TD (JD 2462088.69),
  // then precessed: 2h46m11.331s +49d20m54.54s. Tolerance 0.01": the example's own rounding.
  const double ra0 = (41.0499417 + 0.03425 * 15 * 28.86705 / 3600) * Rad;
  const double dec0 = (49.2284667 - 0.0895 * 28.86705 / 3600) * Rad;
  Vector3 v = SphericalToRectangular(ra0, dec0, 1);
  Matrix3 m;
  PrecessionMatrix(m, J2000, 2462088.69, false);
  Transform(m, v);
  const Spherical s = RectangularToSpherical(v);
  EXPECT_NEAR(s.lon / Rad * 240, (2 * 3600 + 46 * 60 + 11.331), 0.01 / 15 / std::cos(s.lat) + 1e-3);
  EXPECT_NEAR(s.lat / ArcsecRad, 49 * 3600 + 20 * 60 + 54.54, 0.01);
  // At the epoch itself, and without nutation, the matrix is the identity.
  PrecessionMatrix(m, J2000, J2000, false);
  ExpectMatrixNear(m, Matrix3{}, 1e-15);
}

TEST(Precession, EclipticAnglesAgreeWithTheEquatorialRoute) {
  // Ecliptic coordinates of jd0 -> of jd1 directly (pi, Pi, p), and through the equator
  // (obliquity of jd0, zeta z theta, obliquity of jd1): two sets of Lieske's polynomials that must
  // agree to the size of their truncation (below 0.1" within two centuries).
  for (double jd1 : {2415020.0, 2433282.423, 2469807.5, 2488069.5}) {
    Matrix3 direct, route, obl0, obl1;
    EclipticPrecessionMatrix(direct, J2000, jd1);
    ObliquityRotation(route, MeanObliquity(J2000), -1);
    PrecessionMatrix(obl0, J2000, jd1, false);
    Multiply(obl0, route);
    ObliquityRotation(obl1, MeanObliquity(jd1), 1);
    Multiply(obl1, route);
    ExpectMatrixNear(direct, route, 0.1 * ArcsecRad);
  }
}

TEST(Nutation, ShortSeriesMatchesMeeusExample22a) {
  // 1987 April 10, 0h TD: delta psi = -3.788", delta epsilon = +9.443" (full series). The short
  // series is good to 0.5" and 0.1".
  const NutationAngles n = Nutation(2446895.5);
  EXPECT_NEAR(n.longitude / ArcsecRad, -3.788, 0.5);
  EXPECT_NEAR(n.obliquity / ArcsecRad, 9.443, 0.1);
  // The mean obliquity there is 23d26'27.407" [M ex. 22.a].
  EXPECT_NEAR(MeanObliquity(2446895.5) / ArcsecRad, 23 * 3600 + 26 * 60 + 27.407, 0.01);
}

TEST(Obliquity, EclipticFrameTiltsTheCelestialPole) {
  const double eps = MeanObliquity(J2000);
  EXPECT_NEAR(eps, 23.439291 * DegToRad, 1e-15);
  Matrix3 m;
  ObliquityRotation(m, eps, 1);
  Vector3 pole{0, 0, 1};
  Transform(m, pole);
  EXPECT_NEAR(pole.x, 0, 1e-15);
  EXPECT_NEAR(pole.y, std::sin(eps), 1e-15);
  EXPECT_NEAR(pole.z, std::cos(eps), 1e-15);
  Matrix3 back;
  ObliquityRotation(back, eps, -1);
  ExpectInverses(m, back, 1e-15);
}

TEST(GalacticFrame, PoleAndCentreLandWhereTheyBelong) {
  Matrix3 g;
  GalacticMatrix(g, J2000, 1);
  // The galactic pole, defined at R.A. 192.25, Dec. +27.4 of B1950, precessed to J2000.
  Vector3 pole = SphericalToRectangular(192.25 * DegToRad, 27.4 * DegToRad, 1);
  Matrix3 toJ2000;
  PrecessionMatrix(toJ2000, B1950, J2000, false);
  Transform(toJ2000, pole);
  Transform(g, pole);
  EXPECT_NEAR(RectangularToSpherical(pole).lat, HalfPi, 1e-8);
  // Sagittarius A*, the galactic centre: l = 359.944, b = -0.046 degrees (J2000 266.41683,
  // -29.00781). The B1950 definition through FK5 precession differs from the IAU's by under 1'.
  Vector3 centre = SphericalToRectangular(266.41683 * Rad, -29.00781 * Rad, 1);
  Transform(g, centre);
  const Spherical gc = RectangularToSpherical(centre);
  EXPECT_NEAR(NormalizeAngle(gc.lon + Pi) - Pi, -0.056 * Rad, 1.0 / 60 * Rad);
  EXPECT_NEAR(gc.lat, -0.046 * Rad, 1.0 / 60 * Rad);
  Matrix3 inverse;
  GalacticMatrix(inverse, J2000, -1);
  ExpectInverses(g, inverse, 1e-12);
}

TEST(HorizonFrame, ZenithNorthAndEast) {
  Matrix3 m;
  HorizonMatrix(m, 1.0, HalfPi, 1);  // at the north pole the celestial pole is overhead
  Vector3 ncp{0, 0, 1};
  Transform(m, ncp);
  EXPECT_NEAR(ncp.z, 1, 1e-9);
  const double s = 2.3;
  HorizonMatrix(m, s, 0, 1);  // on the equator, the meridian point of R.A. s is overhead
  Vector3 v = SphericalToRectangular(s, 0, 1);
  Transform(m, v);
  EXPECT_NEAR(v.z, 1, 1e-9);
  Vector3 east = SphericalToRectangular(s + HalfPi, 0, 1);  // hour angle -6h: rising in the east
  Transform(m, east);
  EXPECT_NEAR(east.y, 1, 1e-9);
  Vector3 north{0, 0, 1};  // from the equator the celestial pole lies on the north horizon
  Transform(m, north);
  EXPECT_NEAR(north.x, 1, 1e-9);
  Matrix3 inverse;
  HorizonMatrix(inverse, s, 0.7, -1);
  HorizonMatrix(m, s, 0.7, 1);
  ExpectInverses(m, inverse, 1e-9);
}

TEST(ObserverPosition, ReproducesMeeusExample11a) {
  // Palomar: latitude 33d21'22", 1706 m: rho sin phi' = 0.546861, rho cos phi' = 0.836339.
  const double phi = (33 + 21 / 60.0 + 22 / 3600.0) * Rad;
  const Vector3 p =
      ObserverGeocentricPosition(0.4, phi, 1706 * MetresToAu, EarthRadiusAu, EarthFlattening);
  EXPECT_NEAR(p.z / EarthRadiusAu, 0.546861, 2e-6);
  EXPECT_NEAR(std::hypot(p.x, p.y) / EarthRadiusAu, 0.836339, 2e-6);
  EXPECT_NEAR(std::atan2(p.y, p.x), 0.4, 1e-12);
}

Vector3 SeriesVelocity(int kind, double t) {
  const double h = 0.25;
  const Vector3 ahead = test::SeriesToJ2000(SeriesPosition(kind, t + h), t + h);
  const Vector3 behind = test::SeriesToJ2000(SeriesPosition(kind, t - h), t - h);
  return Vector3{(ahead.x - behind.x) / (2 * h), (ahead.y - behind.y) / (2 * h),
                 (ahead.z - behind.z) / (2 * h)};
}

TEST(EarthVelocity, MatchesTheSeriesEarthsMotion) {
  // The velocity is barycentric: the Earth's heliocentric velocity from the series (positions a
  // quarter day either side) plus the Sun's reflex motion from the four giant planets (masses in
  // solar masses). Tolerance 1e-5 AU per day, 0.012" of aberration: the series' truncation leaves
  // up to 6e-6; a wrong sign or a lost term of the twice-yearly argument (3e-4) is far larger.
  const std::pair<int, double> giants[] = {{KindJupiter, 9.547919e-4},
                                           {KindSaturn, 2.858860e-4},
                                           {KindUranus, 4.366244e-5},
                                           {KindNeptune, 5.151389e-5}};
  for (double t = 2415020.0; t < 2488070.0; t += 2781.3) {
    Vector3 want = SeriesVelocity(KindEarth, t);
    for (const auto& [kind, mass] : giants) {
      const Vector3 v = SeriesVelocity(kind, t);
      want = Vector3{want.x - mass * v.x, want.y - mass * v.y, want.z - mass * v.z};
    }
    const Vector3 v = EarthVelocity(t);
    EXPECT_NEAR(v.x, want.x, 1e-5) << t;
    EXPECT_NEAR(v.y, want.y, 1e-5) << t;
    EXPECT_NEAR(v.z, want.z, 1e-5) << t;
  }
}

TEST(Aberration, DisplacesTowardsTheMotion) {
  const Vector3 p{3, 0, 0};
  Vector3 out;
  EXPECT_DOUBLE_EQ(Aberrate(p, Vector3{}, out), 1.0);
  EXPECT_DOUBLE_EQ(out.x, 3);
  EXPECT_DOUBLE_EQ(out.y, 0);
  // Moving across the line of sight at beta: the star shifts by asin(beta) towards the motion and
  // keeps its distance; moving towards it, it does not shift.
  const double beta = 1e-4;
  const double factor = Aberrate(p, Vector3{0, beta, 0}, out);
  EXPECT_NEAR(std::atan2(out.y, out.x), std::asin(beta), 1e-15);
  EXPECT_NEAR(Length(out), 3, 1e-12);
  EXPECT_NEAR(factor, 1 / std::sqrt(1 - beta * beta), 1e-15);
  Vector3 same = p;
  Aberrate(same, Vector3{beta, 0, 0}, same);  // output over the input
  EXPECT_NEAR(same.x, 3, 1e-12);
  EXPECT_NEAR(same.y, 0, 1e-15);
}

TEST(Refraction, BothBranchesAndTheirBoundary) {
  EXPECT_NEAR(Refraction(0, StandardPressureMbar, StandardTemperatureC) / DegToRad,
              1013.25 * 0.1594 / 295, 1e-12);
  EXPECT_NEAR(Refraction(0, StandardPressureMbar, StandardTemperatureC) / DegToRad, 0.5475, 1e-4);
  // Exactly at 0.2618 rad the low-altitude form still applies; just above, Bennett's.
  const double a = 0.2618 * RadToDeg;
  const double low =
      1013.25 * (0.1594 + 0.0196 * a + 0.00002 * a * a) / (295 * (1 + 0.505 * a + 0.0845 * a * a));
  EXPECT_NEAR(Refraction(0.2618, 1013.25, 22) / DegToRad, low, 1e-12);
  EXPECT_NEAR(Refraction(0.26181, 1013.25, 22) / DegToRad,
              0.00452 * 1013.25 / (295 * std::tan(0.26181)), 1e-12);
  // About a minute of arc at 45 degrees, falling towards the zenith.
  EXPECT_NEAR(Refraction(45 * Rad, 1013.25, 22) / Rad * 3600, 55.9, 0.2);
  EXPECT_LT(Refraction(80 * Rad, 1013.25, 22), Refraction(45 * Rad, 1013.25, 22));
}

}  // namespace
}  // namespace qv
