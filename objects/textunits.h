// objects/textunits.h - the units of object text files and the factors that take them to the
// units of the records (radians, radians per day, AU, AU per day, solar masses).
#pragma once

#include "astro/constants.h"

namespace qv {

constexpr double TimeSecondsPerYearToRadiansPerDay =
    15 * ArcsecToRad / DaysPerJulianYear;                                             // R.A. motion
constexpr double ArcsecondsPerYearToRadiansPerDay = ArcsecToRad / DaysPerJulianYear;  // Dec. motion
constexpr double KmPerSecondToAuPerDay = SecondsPerDay / KmPerAu;  // radial velocity
constexpr double EarthMassesPerSolarMass = 332946.0;               // IAU 1976 system
constexpr double EarthMassToSolarMass = 1 / EarthMassesPerSolarMass;
constexpr double HoursToDegrees = 15.0;

}  // namespace qv
