// Kepler's equation in its branches, positions from elements, and elements carried between
// frames.
#include "astro/kepler.h"

#include <gtest/gtest.h>

#include <cmath>

#include "astro/constants.h"
#include "astro/frames.h"
#include "tests/support/degree.h"

namespace qv {
namespace {

using test::Deg;

double EccentricFromTrue(double nu, double e) {
  return 2 * std::atan(std::sqrt((1 - e) / (1 + e)) * std::tan(nu / 2));
}

TEST(SolveKepler, EllipticBranchesSolveTheEquation) {
  // e = 0.975 goes to the bisection, 0.9749 to Newton; both must leave |E - e sin E - M| at the
  // 1e-8 they iterate to (a little more after the round trip through the true anomaly).
  for (double e : {0.0, 0.1, 0.5, 0.9749, 0.975, 0.999}) {
    for (double m = -7.0; m < 7.0; m += 0.173) {
      const KeplerSolution s = SolveKepler(m, e, 1.0);
      const double E = EccentricFromTrue(s.nu, e);
      const double residual = std::remainder(E - e * std::sin(E) - m, 2 * M_PI);
      EXPECT_LE(std::fabs(residual), 3e-8) << "e " << e << " M " << m;
      EXPECT_NEAR(s.r, (1 - e * std::cos(E)) / (1 - e), 1e-9 * s.r);  // a (1 - e cos E), q = 1
    }
  }
  // Meeus, example 30.a: e = 0.1, M = 5 degrees gives E = 5.554589 degrees.
  const KeplerSolution s = SolveKepler(5 * Deg, 0.1, 1.0);
  EXPECT_NEAR(EccentricFromTrue(s.nu, 0.1) / Deg, 5.554589253872320, 1e-6);
}

TEST(SolveKepler, ParabolicAndHyperbolicBranches) {
  for (double m = -30; m <= 30; m += 1.7) {
    const KeplerSolution p = SolveKepler(m, 1.0, 0.5);  // Barker: s^3 + 3 s = M, s = tan(nu/2)
    const double s = std::tan(p.nu / 2);
    EXPECT_NEAR(s * s * s + 3 * s, m, 1e-7 * (1 + std::fabs(m)));
    EXPECT_NEAR(p.r, 0.5 * (1 + s * s), 1e-12 * p.r);
    const double e = 1.5;  // e sinh H - H = M
    const KeplerSolution h = SolveKepler(m, e, 0.5);
    const double H = 2 * std::atanh(std::sqrt((e - 1) / (e + 1)) * std::tan(h.nu / 2));
    EXPECT_NEAR(e * std::sinh(H) - H, m, 1e-7 * (1 + std::fabs(m)));
    EXPECT_NEAR(h.r, 0.5 / (e - 1) * (e * std::cosh(H) - 1), 1e-9 * h.r);
  }
  // Just past e = 1 the hyperbolic branch takes over and stays finite and outside perihelion.
  const KeplerSolution near = SolveKepler(0.3, 1 + 1e-12, 0.5);
  EXPECT_TRUE(std::isfinite(near.nu) && std::isfinite(near.r));
  EXPECT_GE(near.r, 0.5);
}

TEST(SolveKepler, NegativeEccentricityMirrorsThePosition) {
  for (double m : {0.2, 1.9, 4.0}) {
    const Vector3 a = ElementsToPosition(1.2, 0.3, 0.4, 0.5, 0.6, m);
    const Vector3 b = ElementsToPosition(1.2, -0.3, 0.4, 0.5, 0.6, m);
    EXPECT_DOUBLE_EQ(b.x, -a.x);
    EXPECT_DOUBLE_EQ(b.y, -a.y);
    EXPECT_DOUBLE_EQ(b.z, -a.z);
  }
  const KeplerSolution zero = SolveKepler(1.0, 0.2, 0.0);  // q = 0: everything at the focus
  EXPECT_EQ(zero.r, 0.0);
}

TEST(MeanMotion, ThreeConicsAndNoOrbit) {
  // The Earth: about 0.9856 degrees a day.
  EXPECT_NEAR(MeanMotion(GaussK2, 1.00000261 * (1 - 0.01671123), 0.01671123) / Deg, 0.98561, 1e-4);
  EXPECT_EQ(MeanMotion(GaussK2, 0, 0.5), 0.0);
  EXPECT_EQ(MeanMotion(GaussK2, -1, 0.5), 0.0);
  EXPECT_DOUBLE_EQ(MeanMotion(GaussK2, 2.0, 1.0), 3 * std::sqrt(GaussK2 / 16));
  EXPECT_DOUBLE_EQ(MeanMotion(GaussK2, 2.0, 3.0), std::sqrt(GaussK2));  // a = q / (e - 1) = 1
}

TEST(ElementsToPosition, PlacesThePerihelionAndTheNode) {
  // At M = 0 the body is at perihelion, at angle omega past the node along the orbit.
  const double q = 0.8, i = 30 * Deg, node = 40 * Deg;
  const Vector3 p = ElementsToPosition(q, 0.2, i, 0.0, node, 0.0);
  EXPECT_NEAR(Length(p), q, 1e-12);
  EXPECT_NEAR(std::atan2(p.y, p.x), node, 1e-12);
  EXPECT_NEAR(p.z, 0, 1e-15);
  const Vector3 top = ElementsToPosition(q, 0.0, i, 90 * Deg, node, 0.0);  // highest point
  EXPECT_NEAR(top.z, q * std::sin(i), 1e-12);
}

TEST(RotateOrbitalAngles, RotatedElementsGiveTheRotatedOrbit) {
  // Elements carried to another equinox must describe the same orbit: positions from the new
  // angles equal the old positions through the matrix, and the way back restores the angles.
  Matrix3 to1950, back;
  EclipticPrecessionMatrix(to1950, J2000, B1950);
  EclipticPrecessionMatrix(back, B1950, J2000);
  const OrbitalAngles cases[] = {
      {0.2, 1.0, 2.0}, {2.9, 4.0, 0.3}, {1e-9, 0.5, 1.5}, {HalfPi, 5.0, 6.0}};
  for (const OrbitalAngles& a : cases) {
    const OrbitalAngles r = RotateOrbitalAngles(to1950, a);
    for (double m : {0.0, 1.3, 3.7}) {
      Vector3 want = ElementsToPosition(1.5, 0.4, a.i, a.omega, a.node, m);
      Transform(to1950, want);
      const Vector3 got = ElementsToPosition(1.5, 0.4, r.i, r.omega, r.node, m);
      EXPECT_NEAR(got.x, want.x, 1e-9);
      EXPECT_NEAR(got.y, want.y, 1e-9);
      EXPECT_NEAR(got.z, want.z, 1e-9);
    }
    if (a.i < 1e-6) continue;  // the node of a flat orbit is not defined
    // The two precession polynomials are inverse to about 0.005" over 50 years.
    const OrbitalAngles round = RotateOrbitalAngles(back, r);
    EXPECT_NEAR(round.i, a.i, 1e-7);
    EXPECT_NEAR(std::remainder(round.omega - a.omega, TwoPi), 0, 1e-7);
    EXPECT_NEAR(std::remainder(round.node - a.node, TwoPi), 0, 1e-7);
  }
}

}  // namespace
}  // namespace qv
