// astro/rotation.h - rotation models (pole and prime meridian) of the Sun, the planets, the Moon
// and the planetary moons, and the sub-observer point they give. Radians, Julian dates (TT).
// [I] M. E. Davies et al., Celest. Mech. 53, 377-397 (1992) (Sun, planets, Moon: the values the
//     program has always used) and P. K. Seidelmann et al., Celest. Mech. Dyn. Astron. 82, 83-110
//     (2002) (the planetary moons, rotation_tables.cpp).
#pragma once

#include <cstdint>
#include <span>

#include "astro/vector.h"

namespace qv {

// Pole right ascension and declination (J2000) and the prime meridian W, signed: W is negated
// for the bodies whose longitudes increase with the rotation (Sun, Venus, Earth, Pluto, Moon,
// Charon). Bodies without a model get the J2000 north pole and W = 0.
struct RotationState {
  double poleRa = 0, poleDec = 0, w = 0;
};

// Longitude systems of the giant planets: 1 and 2 (Jupiter's cloud bands), 3 (radio).
constexpr int RotationSystemI = 1, RotationSystemII = 2, RotationSystemIII = 3;

// LongitudeIncreasesWithRotation: the bodies whose longitudes grow with their rotation (Sun,
// Venus, Earth, Pluto, Moon, Charon); the others count longitude against it.
bool LongitudeIncreasesWithRotation(int kind);

// RotationModel: the state of body kind at time t. Physical ephemerides use system II for
// Jupiter and III for Saturn; other bodies ignore the system.
RotationState RotationModel(int kind, double t, int system);

// The sub-observer point and the pole's position angle, for the direction d from the viewer to
// the body (unit vector, J2000) and the body's rotation state.
struct SubObserverPoint {
  double longitude = 0, latitude = 0, poleAngle = 0;
};
SubObserverPoint SubObserverGeometry(const Vector3& d, const RotationState& rotation);

// Tables of the planetary moons (generated, rotation_tables.cpp).
struct RotationArgument {
  double c0, c1, c2;  // angle = c0 + c1 x (d or T) + c2 T^2, degrees
  bool perDay;        // c1 per day (else per century)
};
struct RotationTerm {
  int8_t target;       // 0 pole R.A., 1 pole Dec., 2 W
  int8_t function;     // 1 sine, 0 cosine
  int8_t multiple;     // of the argument
  int8_t argument;     // index into RotationArguments
  double coefficient;  // degrees
};
struct MoonRotation {
  int kind;
  double ra0, ra1, dec0, dec1;  // degrees, degrees per century
  double w0, w1, w2;            // degrees, per day, per century^2
  std::span<const RotationTerm> terms;
};
constexpr int RotationArgumentCount = 42, MoonRotationCount = 21;
extern const RotationArgument RotationArguments[RotationArgumentCount];
extern const MoonRotation MoonRotations[MoonRotationCount];

}  // namespace qv
