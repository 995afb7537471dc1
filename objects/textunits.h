// objects/textunits.h - the units of object text files and the factors that take them to the
// units of the records (radians, radians per day, AU, AU per day, solar masses).
#pragma once

namespace qv {

constexpr double TimeSecondsPerYearToRadiansPerDay = 1.991021278111841e-07;  // R.A. motion
constexpr double ArcsecondsPerYearToRadiansPerDay = 1.3273475187412273e-08;  // Dec. motion
constexpr double KmPerSecondToAuPerDay = 0.0005775483300664642;              // radial velocity
constexpr double ParsecToAu = 206264.8062;
constexpr double ArcminuteToRadian = 0.00029088820873213997;    // deep-sky sizes
constexpr double KmToAu = 6.684587153547039e-9;                 // radii
constexpr double EarthMassToSolarMass = 3.0034900554444265e-6;  // 1 / 332946
constexpr double HoursToDegrees = 15.0;

}  // namespace qv
