// astro/sgp4.h - the SGP4/SDP4 propagation model of two-line element sets: SGP4 for orbits of
// less than 225 minutes, SDP4 (lunar and solar perturbations, the 12-hour and one-day
// resonances of the Earth's gravity) for longer ones. Kilometres, km/s, radians, minutes from
// the epoch; positions in TEME, the true equator and mean equinox of the epoch's date.
// [R3] F. R. Hoots, R. L. Roehrich, Models for Propagation of NORAD Element Sets, Spacetrack
//     Report No. 3 (1980, 1988 edition).
// [V] D. A. Vallado, P. Crawford, R. Hujsak, T. S. Kelso, Revisiting Spacetrack Report #3,
//     AIAA 2006-6753 (2006): the corrected equations, WGS-72 constants and the "improved"
//     operation mode (sidereal time at the epoch by the IAU 1982 formula).
#pragma once

#include "astro/vector.h"

namespace qv {

// Sgp4Elements: the mean elements of one two-line element set.
struct Sgp4Elements {
  double epoch = 0;       // Julian date (UTC) of the elements
  double meanMotion = 0;  // revolutions per day, as published (Kozai's mean motion)
  double e = 0;           // eccentricity
  double i = 0;           // inclination
  double omega = 0;       // argument of perigee
  double node = 0;        // right ascension of the ascending node
  double m = 0;           // mean anomaly at the epoch
  double bstar = 0;       // drag term B*, per Earth radius
};

// The results of Sgp4Initialize and Sgp4Propagate [V]; where several apply the first found wins.
enum Sgp4Status {
  Sgp4Ok = 0,
  Sgp4BadMeanElements = 1,       // mean eccentricity outside [-0.001, 1)
  Sgp4BadMeanMotion = 2,         // mean motion not positive
  Sgp4BadPerturbedElements = 3,  // eccentricity after the lunisolar terms outside [0, 1]
  Sgp4BadSemiLatusRectum = 4,    // semi-latus rectum negative
  Sgp4Decayed = 6,               // the satellite is below the Earth's surface
};

// The long-period terms one perturbing body (the Sun or the Moon) adds to a deep-space orbit
// (SDP4), fixed at the epoch: coefficients of f2 and f3 (and sin zf) in the body's anomaly zf.
struct Sgp4BodyPeriodics {
  double e2, e3, i2, i3, l2, l3, l4, gh2, gh3, gh4, h2, h3;
  double anomaly;  // the body's mean anomaly at the epoch, radians
  double rate;     // its mean motion, radians per minute
  double eccentricity;
};

struct Sgp4LunisolarTerms {
  Sgp4BodyPeriodics sun, moon;
};

// Secular rates from the Moon and the Sun, and the resonance terms, of a deep-space orbit.
struct Sgp4DeepSecular {
  double dedt = 0, didt = 0, dmdt = 0, dnodt = 0, domdt = 0;
  int resonance = 0;  // 0 none, 1 one-day (synchronous), 2 half-day (12-hour, e >= 0.5)
  double d2201 = 0, d2211 = 0, d3210 = 0, d3222 = 0, d4410 = 0, d4422 = 0;
  double d5220 = 0, d5232 = 0, d5421 = 0, d5433 = 0;
  double del1 = 0, del2 = 0, del3 = 0;
  double xfact = 0, xlamo = 0;
};

// Sgp4Orbit: everything the propagation needs, computed once from the elements.
struct Sgp4Orbit {
  Sgp4Elements elements;
  double no = 0;  // mean motion without Kozai's correction, radians per minute
  double ao = 0, cosio = 0, sinio = 0, con41 = 0, x1mth2 = 0, x7thm1 = 0;
  double eta = 0, cc1 = 0, cc4 = 0, cc5 = 0, d2 = 0, d3 = 0, d4 = 0, delmo = 0, sinmao = 0;
  double mdot = 0, argpdot = 0, nodedot = 0, nodecf = 0, omgcof = 0, xmcof = 0;
  double t2cof = 0, t3cof = 0, t4cof = 0, t5cof = 0, xlcof = 0, aycof = 0;
  bool simpleDrag = false;  // perigee below 220 km or deep space: drag to second order only
  bool deepSpace = false;   // period of 225 minutes or more: SDP4
  double gsto = 0;          // Greenwich mean sidereal time at the epoch, radians
  Sgp4LunisolarTerms lunisolar{};
  Sgp4DeepSecular secular;
};

struct Sgp4State {
  Vector3 positionKm;      // TEME
  Vector3 velocityKmPerS;  // TEME
};

// Sgp4Initialize: prepares the orbit of the elements [R3, V]; returns the status of the
// position at the epoch (Sgp4Ok, or why the elements cannot be propagated).
int Sgp4Initialize(const Sgp4Elements& elements, Sgp4Orbit& orbit);

// Sgp4DragTerm: the B* whose secular drag on the mean anomaly, 1.5 n C1 t^2 with C1
// proportional to B* [R3], equals (dn/dt / 2) t^2 of an element set with the same other elements
// (for element sets that keep dn/dt but lost their B*). 0 when the elements cannot be propagated.
//   halfRate  dn/dt / 2, revolutions per day^2
double Sgp4DragTerm(const Sgp4Elements& elements, double halfRate);

// Sgp4Propagate: position and velocity minutes after the epoch (before it when negative).
//   Returns  Sgp4Ok, or a status of Sgp4Status; out is then left as it was.
// Notes  1. The resonance integration of deep-space orbits always starts again from the epoch
//           (in steps of 720 minutes), so the result depends on the time alone, never on the
//           calls before.
int Sgp4Propagate(const Sgp4Orbit& orbit, double minutes, Sgp4State& out);

}  // namespace qv
