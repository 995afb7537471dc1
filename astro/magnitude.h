// astro/magnitude.h - apparent magnitudes of solar-system bodies by kind. Magnitudes in
// hundredths (16-bit), UnknownMagnitude when a body has none; distances in AU, angles in radians.
// [M] J. Meeus, Astronomical Algorithms, 2nd ed. (1998), ch. 41 (planets, 1984 Astronomical
//     Almanac), ch. 33 (comets, asteroids' H, G system after Bowell et al. 1989).
#pragma once

#include <cstdint>

namespace qv {

constexpr int16_t MagnitudeUnknown = 32767;          // the records' UnknownMagnitude
constexpr double NoMagnitudePhase = 3.138451061346;  // beyond this phase angle nothing is shown
constexpr double AsteroidPhaseLimit = 2.0943951026666667;  // 120 degrees: H, G invalid past it

// What the formulas need besides geometry: the record's two magnitude parameters (magnitudes,
// +infinity when not given: H and K for comets, H and G for asteroids, H for other kinds), and
// for Saturn the viewer's latitude on the ring plane.
struct MagnitudeParameters {
  double first = 0, second = 0;
  double ringLatitude = 0;
};

// Magnitude: hundredths, truncated toward zero, for a body of kind at distance delta from the
// viewer and r from the Sun, seen at phase angle i. UnknownMagnitude when the body has no
// magnitude there, and when the result cannot be stored (a zero distance, for example).
int16_t Magnitude(int kind, const MagnitudeParameters& params, double delta, double r, double i);

}  // namespace qv
