// astro/time.h - Julian dates and calendars, day of the week, the daylight-saving rule, dynamical
// time (Delta T in astro/deltat.h), mean sidereal time, years as Julian dates, the computer's
// clock, and the observer's place.
// Julian dates are days (fraction from noon), universal time unless said; zones are days east of
// Greenwich (local = UT + zone); angles are radians. Reports no errors.
// [M] J. Meeus, Astronomical Algorithms, 2nd ed. (1998), ch. 7 (Julian day), ch. 12 (sidereal
// time).
#pragma once

#include <cstdint>
#include <string>

#include "astro/deltat.h"  // DeltaT belongs with the time scales

namespace qv {

using JulianDate = double;

// The dates the program takes for the chart: 4713 BC January 1.5 to the end of AD 9999, where
// the calendars and the astronomy are defined.
constexpr JulianDate EarliestChartDate = 0.0;
constexpr JulianDate LatestChartDate = 5373484.5;

// CalendarKind: the calendar of dates shown and entered (the CalendarSystem setting). Only
// Gregorian has rules of its own here; every other value converts as the Julian calendar (Islamic
// and Indian are kept in the settings and written back, nothing more).
enum CalendarKind : int16_t {
  CalendarJulian = 0,
  CalendarGregorian = 1,
  CalendarIslamic = 2,
  CalendarIndian = 3,
};

// ObserverLocation: the observer's place on the Earth.
constexpr size_t SiteNameMaxLength = 47;  // the site name's 48-byte field with its zero
struct ObserverLocation {
  double longitude = 0;  // radians, east positive
  double latitude = 0;   // radians, north positive
  double altitude = 0;   // metres above sea level
  std::string siteName;  // at most SiteNameMaxLength bytes
};

// CalendarToJulianDate: the UT Julian date of a local calendar date and time [M ch. 7].
//   year      any (astronomical numbering: 0 is 1 BC)
//   month     1-12; day may carry a fraction (1.5 = noon of the 1st)
//   zone      days; the local time less the zone is UT
//   calendar  CalendarGregorian, else the Julian calendar rules
JulianDate CalendarToJulianDate(int32_t year, int16_t month, double day, int16_t hour,
                                int16_t minute, double second, double zone, int16_t calendar);

struct CalendarDate {
  int32_t year = 0;
  int16_t month = 0;
  double day = 0;  // day of the month with the fraction of the day
  int16_t hour = 0, minute = 0;
  double second = 0;
};
// JulianDateToCalendar: the local calendar reading of jd at the zone [M ch. 7], in the proleptic
// calendars before their epochs too. Beyond about a billion years (and for NaN) all fields are 0.
CalendarDate JulianDateToCalendar(JulianDate jd, double zone, int16_t calendar);

// DayOfWeek: 0 = Sunday ... 6 = Saturday, of the local date.
int DayOfWeek(JulianDate jd, double zone);

// DaylightSavingInEffect: the rule of the first Sunday in April to the last Sunday in October,
// changing at 02:00 local standard time, for the local year of jd (both hemispheres, any zone).
// True when start < jd < end; start and end (UT) are stored when the pointers are given.
bool DaylightSavingInEffect(JulianDate jd, double zone, JulianDate* start = nullptr,
                            JulianDate* end = nullptr);

// DynamicalTime: the JDE of a chart time: jd itself when it is already dynamical time, else
// jd + DeltaT(jd).
JulianDate DynamicalTime(JulianDate jd, bool isDynamicalTime);

// UniversalTime: the UT of a chart time: jd itself when it is universal time, else the ut with
// ut + DeltaT(ut) = jd (Delta T changes by under 0.1 s a day, so two steps solve it exactly).
JulianDate UniversalTime(JulianDate jd, bool isDynamicalTime);

// LocalSiderealTime: mean sidereal time (IAU 1982) at jd (UT) for the east longitude, radians in
// [0, 2 pi). No equation of the equinoxes is added.
double LocalSiderealTime(JulianDate jd, double longitude);

// Years (2000.0 = J2000.0) and Julian dates, in Julian years of 365.25 days.
JulianDate YearToJulianDate(double year);
double JulianDateToYear(JulianDate jd);

// CurrentJulianDate: the Julian date whose Gregorian reading at zone 0 equals the computer's local
// clock (whole seconds). The zone is not subtracted: the caller decides how to treat it.
JulianDate CurrentJulianDate();

}  // namespace qv
