// telescope/binary_angle.cpp - 16-bit binary angles.
#include "telescope/binary_angle.h"

#include <cmath>

#include "telescope/command_text.h"

namespace qv {

uint16_t BinaryAngleFromDegrees(double degrees) {
  if (!std::isfinite(degrees)) return 0;
  // Whole turns first, so that the truncated value always fits the conversion to an integer.
  const double units = std::trunc(std::fmod(degrees, 360.0) * BinaryUnitsPerDegree);
  return static_cast<uint16_t>(static_cast<int32_t>(units));
}

double DegreesFromBinaryAngle(uint16_t value) { return value / BinaryUnitsPerDegree; }

double DeclinationFromBinaryAngle(uint16_t value) {
  const double degrees = DegreesFromBinaryAngle(value);
  switch (value >> 14) {
    case 3:
      return degrees - 360;
    case 0:
      return degrees;
    default:
      return 180 - degrees;
  }
}

BinaryPosition BinaryPositionOf(const EquatorialPosition& p) {
  return {BinaryAngleFromDegrees(p.ra * DegreesPerRadian),
          BinaryAngleFromDegrees(p.dec * DegreesPerRadian)};
}

EquatorialPosition PositionFromBinary(const BinaryPosition& b) {
  return {DegreesFromBinaryAngle(b.ra) / DegreesPerRadian,
          DeclinationFromBinaryAngle(b.dec) / DegreesPerRadian};
}

}  // namespace qv
