// astro/constants.h - the fixed numbers of the program, one home for each.
// The first group are the values the program is defined to compute with, rounded as they stand;
// changing one moves positions and printed numbers a little, so tests compare against them rather
// than against exact mathematics. Every other number is computed from them (or from a defining
// value named beside it), so each rounding lives in one place; the computed ones equal, to the
// bit, the values the program has always used.
#pragma once

#include <numbers>

namespace qv {

// Rounded values the program is defined to use; beside each, what it rounds.
constexpr double TwoPi = 6.283185307;                      // 2 pi
constexpr double Pi = 3.141592654;                         // pi
constexpr double HalfPi = 1.570796327;                     // pi / 2
constexpr double QuarterPi = 0.7853981635;                 // pi / 4
constexpr double ThreeHalfPi = 4.712388981;                // 3 pi / 2
constexpr double DegToRad = 0.01745329252;                 // pi / 180, in the astronomy formulas
constexpr double RadToDeg = 57.29577951;                   // 180 / pi
constexpr double SettingsDegToRad = 0.017453292520882225;  // pi / 180, for settings files
constexpr double RadToHours = 3.819718634;                 // 12 / pi: R.A., time of day
constexpr double ArcsecondsPerRadian = 206264.8062;        // 648000 / pi
constexpr double ArcminutesPerRadian = 3437.74677;         // 10800 / pi
constexpr double KmPerAu = 149597870.0;                    // IAU 1976 system
constexpr double LightDaysPerAu = 0.005775518;             // KmPerAu / 299792.458 km/s / 86400 s
constexpr double J2000 = 2451545.0;                        // JD of 2000 January 1.5 TT

// Defining values.
constexpr double DaysPerJulianYear = 365.25;
constexpr double DaysPerJulianCentury = 36525.0;
constexpr double SecondsPerDay = 86400.0;
constexpr double EarthRadiusKm = 6378.14;           // equatorial; IAU 1976 system
constexpr double EarthInverseFlattening = 298.257;  // IAU 1976 system

// Computed from the values above.
constexpr double TwoDegToRad = 2 * DegToRad;
constexpr double InvTwoPi = 1 / TwoPi;
constexpr double SettingsHourToRad = 15 * SettingsDegToRad;  // hours of R.A. typed or read
constexpr double ArcsecToRad = 1 / ArcsecondsPerRadian;
constexpr double ArcminToRad = 60 * ArcsecToRad;
// A parsec is the distance at which 1 AU spans one arc second.
constexpr double AuPerParsec = ArcsecondsPerRadian;
constexpr double ParsecsPerAu = 1 / AuPerParsec;
constexpr double MegaparsecsPerAu = ParsecsPerAu / 1e6;
constexpr double AuPerKm = 1 / KmPerAu;
constexpr double MetresToAu = 1 / (KmPerAu * 1000);
constexpr double EarthRadiusAu = EarthRadiusKm / KmPerAu;
constexpr double EarthFlattening = 1 / EarthInverseFlattening;
constexpr double CenturiesPerDay = 1 / DaysPerJulianCentury;
constexpr double YearsPerDay = 1 / DaysPerJulianYear;
constexpr double DaysPerHour = 1 / 24.0;
constexpr double DaysPerMinute = 1 / 1440.0;
constexpr double DaysPerSecond = 1 / SecondsPerDay;
constexpr double UnitsPerMinute = 1 / 60.0;  // minutes (of arc or time) as degrees or hours
constexpr double UnitsPerSecond = 1 / 3600.0;

// Exact conversions, where the program shows true angles rather than its rounded ones.
constexpr double ExactRadToHours = 12 / std::numbers::pi;
constexpr double ExactHourToRad = std::numbers::pi / 12;

}  // namespace qv
