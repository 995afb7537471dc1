// astro/kepler.h - Kepler's equation and positions from orbital elements.
// Radians, AU, Julian dates (TT). Reports no errors: degenerate input gives zeros, every
// iteration is bounded by KeplerMaxSteps.
// [M] J. Meeus, Astronomical Algorithms, 2nd ed. (1998): ch. 30 (equation of Kepler, bisection
//     of Sinnott), ch. 33 (elements to position), ch. 34 (parabolic), ch. 35 (near-parabolic).
// [D] J. M. A. Danby, Fundamentals of Celestial Mechanics, 2nd ed. (1988), 6.9 (hyperbolic).
#pragma once

#include "astro/vector.h"

namespace qv {

constexpr double GaussK2 = 0.00029591220828559115;  // k^2, AU^3 per day^2 per solar mass
constexpr int KeplerMaxSteps = 1000;                // iteration bound: astro/ never loops unbounded
constexpr double KeplerTolerance = 1e-08;           // radians of mean anomaly
constexpr double BisectionFromEccentricity = 0.975;  // Newton is unreliable above this

// An element set as the position code uses it: doubles, angles in radians, epoch a Julian date.
// Heliocentric bodies refer to the J2000 ecliptic; moons and Earth satellites to their own planes.
struct OrbitalElements {
  double epoch = 0;      // Julian date (TT) of M
  double q = 0;          // perihelion distance, AU
  double e = 0;          // eccentricity
  double i = 0;          // inclination
  double omega = 0;      // argument of perihelion
  double node = 0;       // longitude of the ascending node
  double m = 0;          // mean anomaly at the epoch
  double n = 0;          // mean motion, radians per day
  double drag = 0;       // half the first derivative of n, radians per day^2 (Earth satellites)
  double omegaRate = 0;  // radians per day
  double nodeRate = 0;   // radians per day
};

// MeanMotion: radians per day for gravitational parameter mu (AU^3/day^2), perihelion q and
// eccentricity e; 0 when q <= 0. Parabolas get 3 sqrt(mu / (2 q^3)), the rate of Barker's equation.
double MeanMotion(double mu, double q, double e);

// SolveKepler: true anomaly and radius for mean anomaly m.
//   Given    m  mean anomaly (parabola: 3 sqrt(mu/(2q^3)) (t - T)), any value
//            e  eccentricity: bisection for 0.975 <= e < 1, Newton below, Barker's equation for
//               e == 1, hyperbolic Newton above; a negative e mirrors the orbit (Note 1)
//            q  perihelion distance
//   Returns  nu in (-pi, pi], r (AU)
// Notes  1. e < 0 is taken as -e with q as -q: the position comes out mirrored through the focus.
//        2. Newton stops when |f| <= 1e-8, after KeplerMaxSteps, or when E runs beyond 1e8.
struct KeplerSolution {
  double nu = 0, r = 0;
};
KeplerSolution SolveKepler(double m, double e, double q);

// ElementsToPosition: the position in the frame of the elements (AU).
Vector3 ElementsToPosition(double q, double e, double i, double omega, double node, double m);

// AdvanceElements: the element set moved to time t with its mean motion and the two angle rates
// (no drag): M += n dt, omega and node turned and wrapped into [0, 2 pi).
OrbitalElements AdvanceElements(const OrbitalElements& el, double t);

// RotateOrbitalAngles: re-expresses i, omega and node in the frame reached by matrix m (for
// example another equinox, through EclipticPrecessionMatrix).
struct OrbitalAngles {
  double i = 0, omega = 0, node = 0;
};
OrbitalAngles RotateOrbitalAngles(const Matrix3& m, const OrbitalAngles& angles);

}  // namespace qv
