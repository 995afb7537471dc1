// astro/riseset.h - rising and setting: the hour angle at the horizon altitude, the instants on
// the current local day, and their refinement with the object's motion. Radians; instants are UT
// Julian dates. Finding no event is a normal answer, not an error.
// [M] J. Meeus, Astronomical Algorithms, 2nd ed. (1998), ch. 15.
#pragma once

#include "astro/angles.h"
#include "astro/apparent.h"
#include "objects/records.h"

namespace qv {

constexpr double NeverRises = 0;  // the hour angle of an object that never reaches h0
constexpr double SiderealToSolar = 0.9972695663398204;
constexpr int RiseEvent = -1, SetEvent = 1;
constexpr int RiseSetMaxEvaluations = 10;
constexpr double RiseSetTolerance = 0.002;  // radians of the day, about 27.5 seconds

// RiseSetHourAngle: the hour angle H0 at which an object of declination dec crosses altitude h0
// at latitude phi; 0 when it never reaches h0, pi when it never goes below.
double RiseSetHourAngle(double h0, double dec, double phi);

// RiseSetTime: the event (RiseEvent or SetEvent) of an object at right ascension ra and
// declination dec of date, on the local day of the chart time, for the horizon altitude of the
// settings. No event: time of day 0 when it never rises, 2 pi when it never sets.
RiseSet RiseSetTime(double ra, double dec, int event);

// PlaceOfDate: a J2000 direction in the equator of the chart's true date (R.A., Dec.).
Spherical PlaceOfDate(const Vector3& j2000);

// RefineRiseSetTime: with "higher precision" on, moves the chart time to the event, recomputes
// the object there and the event again, until the time of day settles within RiseSetTolerance,
// no event is found, or RiseSetMaxEvaluations evaluations are made. The chart time and every
// cached position are as they were afterwards. Returns the number of evaluations made.
int RefineRiseSetTime(ObjectRecord& object, int event, RiseSet& result);

}  // namespace qv
