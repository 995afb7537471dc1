// astro/frames.h - precession, nutation, obliquity and the fixed frames of the sky (equator of
// date, ecliptic, galactic, horizon). Radians, Julian dates (TT). Pure functions, no errors.
// [L] J. H. Lieske et al., A&A 58, 1-16 (1977): IAU 1976 precession angles.
// [M] J. Meeus, Astronomical Algorithms, 2nd ed. (1998): ch. 21 (precession, ecliptic angles
//     pi, Pi, p), ch. 22 (obliquity, short nutation series), ch. 13 (horizon).
#pragma once

#include <cstdint>

#include "astro/vector.h"

namespace qv {

// The coordinate systems a chart can be drawn in, numbered as the settings and menus number them.
enum CoordinateSystem : int16_t {
  CoordinatesEquatorial = 1,
  CoordinatesEcliptic = 2,
  CoordinatesGalactic = 3,
  CoordinatesHorizon = 4,
};

// PrecessionAngles: the IAU 1976 angles that carry the equator and ecliptic of jd0 to jd1.
//   zeta, z, theta   equatorial precession angles [L, M eq. 21.2]
//   pi, bigPi, p     ecliptic angles: inclination of the ecliptic of jd1 on that of jd0, the
//                    longitude of its node, and the general precession in longitude [M
//                    eq. 21.5-21.6]
struct PrecessionAngleSet {
  double zeta = 0, z = 0, theta = 0;
  double pi = 0, bigPi = 0, p = 0;
};
PrecessionAngleSet PrecessionAngles(double jd0, double jd1);

// MeanObliquity: obliquity of the mean ecliptic of jd [M eq. 22.2, truncated].
double MeanObliquity(double jd);

// Nutation: the short series of nutation in longitude and obliquity (about 0.5" and 0.1") [M ch.
// 22].
struct NutationAngles {
  double longitude = 0;  // delta psi
  double obliquity = 0;  // delta epsilon
};
NutationAngles Nutation(double jd);

// EquationOfEquinoxes: apparent less mean sidereal time at jd (TT), radians: the nutation in
// longitude projected on the true equator, delta psi cos(true obliquity) [M ch. 12].
double EquationOfEquinoxes(double jd);

// PrecessionMatrix: mean equator and equinox of jd0 -> mean (withNutation: true) equator of jd1.
void PrecessionMatrix(Matrix3& m, double jd0, double jd1, bool withNutation);

// EclipticPrecessionMatrix: ecliptic and equinox of jd0 -> ecliptic and equinox of jd1.
void EclipticPrecessionMatrix(Matrix3& m, double jd0, double jd1);

// ObliquityRotation: direction > 0 equatorial -> ecliptic of obliquity eps; otherwise back.
void ObliquityRotation(Matrix3& m, double eps, int direction);

// GalacticMatrix: direction > 0 equator of jd -> galactic (through B1950: pole at R.A. 192.25,
// Dec. +27.4 degrees, ascending node at galactic longitude 33 degrees); otherwise the inverse.
constexpr double B1950 = 2433282.423;  // JD of the Besselian epoch 1950.0 as the program uses it
void GalacticMatrix(Matrix3& m, double jd, int direction);

// HorizonMatrix: direction > 0 equator of date -> horizon (x north, y east, z zenith) for local
// sidereal time s and latitude phi; otherwise the inverse.
void HorizonMatrix(Matrix3& m, double s, double phi, int direction);

}  // namespace qv
