// astro/satellite.h - Earth satellites, by two models: the simple one, a Keplerian ellipse about
// the Earth whose perigee and node turn at the secular rates of the Earth's oblateness and whose
// mean motion grows with a constant drag term (perigee distance kept, apogee lowered), good to
// tens of km within a day of the epoch for low orbits; and SGP4/SDP4 (astro/sgp4.h). Radians,
// AU; times are Julian dates in TT, element epochs in UT (the element sets' UTC), and the
// propagation runs in UT: the satellite is where it is at that UT, whatever Delta T.
// [R] F. R. Hoots, R. L. Roehrich, Spacetrack Report No. 3 (1980): k_e, k_2, the recovery of
//     the original mean motion (the 134/81 series).
// [B] R. R. Bate, D. D. Mueller, J. E. White, Fundamentals of Astrodynamics (1971), 8.4: secular
//     J2 rates of the perigee and node.
#pragma once

#include "astro/kepler.h"
#include "astro/sgp4.h"
#include "astro/vector.h"

namespace qv {

constexpr double EarthRadiiPerAu = 23454.79830702862;
constexpr double SatelliteKe = 0.0743669161;  // Earth radii^1.5 per minute
constexpr double SatelliteK2 = 0.000541308;   // J2 / 2, Earth radii^2 (1.5 k2 = 0.000811962)
constexpr double MinutesPerDay = 1440.0;

// SatellitePosition: the simple model's geocentric position, J2000 equator, AU, at time t (TT)
// for elements that refer to the mean equator and equinox of date (el.drag: half dn/dt, radians
// per day^2; el.epoch in UT).
// Notes  1. Drag shrinks a = q/(1 - e) f^(2/3), f = n / (n + 2 D dt), keeping q until the orbit is
//           circular; it is left out while n + 2 D dt <= 0 (long before the epoch) or e >= 1.
//        2. dt = t - epoch is counted in UT: t less Delta T (astro/deltat.h).
Vector3 SatellitePosition(const OrbitalElements& el, double t);

// SatelliteOfDatePosition: the simple model's geocentric position in the mean equator and
// equinox of date, AU, dt days (UT) after the epoch.
Vector3 SatelliteOfDatePosition(const OrbitalElements& el, double dt);

// Sgp4SatellitePosition: SGP4/SDP4's geocentric position, J2000 equator, AU, at time t (TT) for
// the same elements (el.epoch in UT); zeros where the model cannot follow the orbit (decayed,
// eccentricity out of range).
// Notes  1. The database keeps the element set's dn/dt but not its B*: the B* used is the one
//           whose secular drag on the mean anomaly equals that dn/dt (Sgp4DragTerm).
//        2. SGP4's TEME frame (true equator, mean equinox) is turned to J2000 through the
//           equation of the equinoxes, nutation and precession of t.
Vector3 Sgp4SatellitePosition(const OrbitalElements& el, double t);

// Sgp4OrbitOfElements: SGP4's orbit prepared from the elements (B* as in Sgp4SatellitePosition,
// Note 1), for propagating many times; false when the model cannot follow it.
bool Sgp4OrbitOfElements(const OrbitalElements& el, Sgp4Orbit& orbit);

// SatelliteRates: fills n, omegaRate and nodeRate (radians per day) from q, e and i: the mean
// motion of the semi-major axis with the oblateness correction, and the secular J2 rates.
// Elements with q <= 0 or e outside [0, 1) get zeros.
void SatelliteRates(OrbitalElements& el);

}  // namespace qv
