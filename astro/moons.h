// astro/moons.h - positions of the planetary moons (kinds 16-38) relative to their planets.
// Each moon has a fixed analytic theory giving six elements in a reference plane of its own (the
// planet's equator, a Laplace plane, the 1950 ecliptic or equator), or for the four large moons
// of Jupiter the rectangular position in Jupiter's equator. MoonPosition rotates the result into
// the J2000 equator. Radians, AU, Julian dates (TT). No errors: unknown kinds give zeros.
// [M] J. Meeus, Astronomical Algorithms, 2nd ed. (1998), ch. 44 (Jupiter), ch. 46 (Saturn).
// [H] D. Harper, D. B. Taylor, A&A 268, 326-349 (1993): Saturn's major moons (Iapetus).
// [L] J. Laskar, R. A. Jacobson, A&A 188, 212-224 (1987): GUST86, Uranus's moons (mean terms).
// [J] R. A. Jacobson, A&A 231, 241-250 (1990): Triton and Nereid.
#pragma once

#include "astro/vector.h"

namespace qv {

// The six quantities of a theory: semi-major axis (AU), eccentricity, inclination, longitude of
// pericentre, longitude of the node, mean anomaly; angles in [0, 2 pi).
struct MoonElements {
  double a = 0, e = 0, i = 0, varpi = 0, node = 0, m = 0;
};

// MoonTheory: the elements of a moon of kind 16, 17 or 22-38 at time t in its reference plane.
MoonElements MoonTheory(int kind, double t);

// JupiterMoonRectangular: Io, Europa, Ganymede or Callisto (18-21) in Jupiter's equator, AU.
Vector3 JupiterMoonRectangular(int kind, double t);

// MoonFrame: the rotation from a moon's reference plane to the J2000 equator at time t.
void MoonFrame(int kind, double t, Matrix3& m);

// MoonPosition: planetocentric position of a moon of kind 16-38, J2000 equator, AU.
Vector3 MoonPosition(int kind, double t);

// The rotation of the 1950 equator to J2000 that every 1950 frame ends with.
const Matrix3& PrecessionFrom1950();

}  // namespace qv
