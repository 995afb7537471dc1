// astro/riseset.h - rising and setting: the hour angle at the horizon altitude and the instants on
// the local day of a sky context. Radians; instants are UT Julian dates. Finding no event is a
// normal answer, not an error. (Refining an object's event with its motion is objects/apparent.h.)
// [M] J. Meeus, Astronomical Algorithms, 2nd ed. (1998), ch. 15.
#pragma once

#include "astro/skycontext.h"

namespace qv {

constexpr double NeverRises = 0;  // the hour angle of an object that never reaches h0
constexpr double SiderealToSolar = 0.9972695663398204;
constexpr int RiseEvent = -1, SetEvent = 1;
constexpr int RiseSetMaxEvaluations = 10;
constexpr double RiseSetTolerance = 0.002;  // radians of the day, about 27.5 seconds

struct RiseSet {
  bool happens = false;  // false: never reaches the horizon altitude, or never goes below it
  double timeOfDay = 0;  // radians after local midnight (2 pi = 24 h); 0 never up, 2 pi always up
  double instant = 0;    // UT Julian date on the local day
  bool missed = false;   // no such event on this day, though the object rises and sets
};

// RiseSetHourAngle: the hour angle H0 at which an object of declination dec crosses altitude h0
// at latitude phi; 0 when it never reaches h0, pi when it never goes below.
double RiseSetHourAngle(double h0, double dec, double phi);

// RiseSetTime: the event (RiseEvent or SetEvent) of an object at right ascension ra and
// declination dec of date, on the local day of the context's time, for the horizon altitude of
// its settings. No event: time of day 0 when it never rises, 2 pi when it never sets.
RiseSet RiseSetTime(const SkyContext& sky, double ra, double dec, int event);

// LocalMidnight: the start of the context's local day, a UT Julian date.
double LocalMidnight(const SkyContext& sky);

// ChartTimeOfUniversal: the chart time (UT, or dynamical time with DynamicTime) of a UT instant.
JulianDate ChartTimeOfUniversal(const ObservingSettings& settings, JulianDate ut);

}  // namespace qv
