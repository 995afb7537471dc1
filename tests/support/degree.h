// One degree in radians, exact, for tests that state angles in degrees. The program's own rounded
// factors (DegToRad, SettingsDegToRad) are in astro/constants.h.
#pragma once

#include <numbers>

namespace qv::test {

constexpr double Deg = std::numbers::pi / 180;

}  // namespace qv::test
