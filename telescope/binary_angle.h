// telescope/binary_angle.h - the 16-bit binary angles of the Celestron command sets: 65536 is a
// full circle. A value sent is the angle in degrees x 65536 / 360 truncated toward zero and kept
// to 16 bits (a negative declination becomes its two's complement); a value read is x 360 / 65536
// degrees, one unit being 19.8".
#pragma once

#include <cstdint>

#include "telescope/equator_of_date.h"

namespace qv {

constexpr double BinaryUnitsPerDegree = 65536.0 / 360.0;  // 182.0444...

uint16_t BinaryAngleFromDegrees(double degrees);
double DegreesFromBinaryAngle(uint16_t value);  // [0, 360)

// DeclinationFromBinaryAngle: degrees in [-90, 90], by the two top bits of the value:
//   00  0-90 degrees, as it is
//   11  270-360 degrees: a negative declination, value - 360
//   10  180-270 degrees: beyond the south pole, 180 - value
//   01  90-180 degrees, which mounts reporting within +-90 do not send: beyond the north pole,
//       180 - value, as for 10
double DeclinationFromBinaryAngle(uint16_t value);

struct BinaryPosition {
  uint16_t ra = 0, dec = 0;
};
// BinaryPositionOf / PositionFromBinary: radians to binary angles and back.
BinaryPosition BinaryPositionOf(const EquatorialPosition& p);
EquatorialPosition PositionFromBinary(const BinaryPosition& b);

}  // namespace qv
