// Precession, nutation, obliquity, the galactic and horizon frames and the apparent-place
// corrections, against worked examples of J. Meeus, Astronomical Algorithms (2nd ed.) and against
// each other where two routes lead to the same place.
#include "astro/frames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "astro/constants.h"
#include "astro/corrections.h"
#include "astro/kinds.h"
#include "tests/astro/ref_table.h"
#include "tests/astro/series_geocentric.h"
#include "tests/support/degree.h"

namespace qv {
namespace {

using test::Deg;
constexpr double ArcsecRad = Deg / 3600;

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
  const double ra0 = (41.0499417 + 0.03425 * 15 * 28.86705 / 3600) * Deg;
  const double dec0 = (49.2284667 - 0.0895 * 28.86705 / 3600) * Deg;
  Vector3 v = SphericalToRectangular(ra0, dec0, 1);
  Matrix3 m;
  PrecessionMatrix(m, J2000, 2462088.69, false);
  Transform(m, v);
  const Spherical s = RectangularToSpherical(v);
  EXPECT_NEAR(s.lon / Deg * 240, (2 * 3600 + 46 * 60 + 11.331), 0.01 / 15 / std::cos(s.lat) + 1e-3);
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
  Vector3 centre = SphericalToRectangular(266.41683 * Deg, -29.00781 * Deg, 1);
  Transform(g, centre);
  const Spherical gc = RectangularToSpherical(centre);
  EXPECT_NEAR(NormalizeAngle(gc.lon + Pi) - Pi, -0.056 * Deg, 1.0 / 60 * Deg);
  EXPECT_NEAR(gc.lat, -0.046 * Deg, 1.0 / 60 * Deg);
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
  const double phi = (33 + 21 / 60.0 + 22 / 3600.0) * Deg;
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

// Refraction for true altitudes. Standard values: about 29' on the horizon and 35' at -0.69
// degrees (where the Sun's upper limb touches the horizon), about 1' at 45 degrees [Sa]; the
// formula for apparent altitudes used on true ones gives 33' and 43.5' there.
// Reference: astro/ref/refraction_pyephem.tsv (-1 to 89 degrees, 1010 mbar, 10 C), written by
// tools/make_astro_ref.py with PyEphem, whose own fit differs from Saemundsson's by up to 0.4'
// near the horizon and 4 % higher up; the 0.5' limit is far below a formula of the wrong kind.
TEST(Refraction, TrueAltitudesAgainstStandardValuesAndPyEphem) {
  const auto arcmin = [](double deg, double mbar = StandardPressureMbar,
                         double celsius = StandardTemperatureC) {
    return Refraction(deg * Deg, mbar, celsius) / Deg * 60;
  };
  EXPECT_NEAR(arcmin(0), 29.0, 0.1);
  EXPECT_NEAR(arcmin(-0.69), 35.5, 0.2);
  EXPECT_NEAR(arcmin(45), 1.0, 0.05);
  EXPECT_EQ(arcmin(90), 0.0);
  EXPECT_NEAR(arcmin(10, 2 * StandardPressureMbar), 2 * arcmin(10), 1e-12);  // scales with P
  EXPECT_LT(arcmin(10, StandardPressureMbar, 30), arcmin(10));  // warmer air bends less

  double worst = 0;
  for (const test::RefRow& row : test::LoadRefTable("refraction_pyephem.tsv")) {
    const double error = arcmin(row.Number("true_alt_deg")) - row.Number("refraction_arcmin");
    EXPECT_LE(std::fabs(error), 0.5) << "line " << row.line;
    worst = std::max(worst, std::fabs(error));
  }
  std::printf("  refraction vs PyEphem: largest difference %.2f'\n", worst);

  // Below the horizon the apparent altitude keeps rising with the true one, down to the nadir.
  double previous = -HUGE_VAL;
  for (double deg = -90; deg <= 90; deg += 0.01) {
    const double apparent = deg * Deg + Refraction(deg * Deg, 1010, 10);
    ASSERT_GT(apparent, previous) << deg;
    previous = apparent;
  }
}

}  // namespace
}  // namespace qv
