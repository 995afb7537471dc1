// astro/constants.h - the fixed numbers of the astronomy core.
// These are the values the program computes with, rounded as they stand; changing one moves every
// position a little, so tests compare against them rather than against exact mathematics.
#pragma once

namespace qv {

constexpr double TwoPi = 6.283185307;
constexpr double Pi = 3.141592654;
constexpr double HalfPi = 1.570796327;
constexpr double QuarterPi = 0.7853981635;
constexpr double ThreeHalfPi = 4.712388981;
constexpr double InvTwoPi = 0.15915494309644432;  // 1 / (2 pi)

constexpr double DegToRad = 0.01745329252;  // in the astronomy formulas
constexpr double TwoDegToRad = 0.03490658504;
constexpr double RadToDeg = 57.29577951;
constexpr double SettingsDegToRad = 0.017453292520882225;  // degrees read from settings files
constexpr double ArcsecToRad = 4.848136812202333e-06;

constexpr double KmPerAu = 149597870.0;  // km in one astronomical unit
constexpr double ParsecsPerAu = 4.848136812202333e-06;
constexpr double MegaparsecsPerAu = 4.848136812202333e-12;
constexpr double AuPerParsec = 206264.8062;
constexpr double MetresToAu = 6.684587153547039e-12;
constexpr double EarthRadiusAu = 4.2635232707524516e-05;   // equatorial radius
constexpr double EarthFlattening = 0.0033528131778969143;  // 1 / 298.257
constexpr double LightDaysPerAu = 0.005775518;             // light time for 1 AU, days

constexpr double J2000 = 2451545.0;                         // JD of 2000 January 1.5 TT
constexpr double CenturiesPerDay = 2.7378507871321012e-05;  // 1 / 36525
constexpr double YearsPerDay = 0.0027378507871321013;       // 1 / 365.25
constexpr double DaysPerHour = 0.041666666666666664;        // 1 / 24
constexpr double DaysPerMinute = 0.0006944444444444445;     // 1 / 1440
constexpr double DaysPerSecond = 1.1574074074074073e-05;    // 1 / 86400

}  // namespace qv
