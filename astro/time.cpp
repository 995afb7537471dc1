// astro/time.cpp - calendars, day of the week, daylight saving, dynamical time, sidereal time, the
// clock. [M] J. Meeus, Astronomical Algorithms, 2nd ed. (1998), ch. 7, 12.
#include "astro/time.h"

#include <cmath>

#include "astro/angles.h"
#include "astro/constants.h"
#include "platform/clock.h"

namespace qv {
namespace {

// Beyond this many days from the origin the calendar year no longer fits 32 bits; such dates
// (and NaN) read as the zero date rather than overflow.
constexpr double CalendarLimitDays = 5e11;

// Mean sidereal time at 0h UT in seconds of time, powers of T in Julian centuries from J2000:
// IAU 1982 (Aoki et al., A&A 105, 359), [M ch. 12].
constexpr double GmstAt0h[] = {24110.54841, 8640184.812866, 0.093104, -6.2e-06};
constexpr double SiderealPerSolar = 1.00273790934;  // sidereal days per solar day

int64_t FloorDivide(int64_t a, int64_t b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

}  // namespace

JulianDate CalendarToJulianDate(int32_t year, int16_t month, double day, int16_t hour,
                                int16_t minute, double second, double zone, int16_t calendar) {
  int64_t y = year, m = month;
  if (m < 3) {
    y -= 1;
    m += 12;
  }
  int64_t b = 0;
  if (calendar == CalendarGregorian) {
    // Whole centuries and leap centuries counted downward (floor), so that proleptic Gregorian
    // dates before the year 1 come out right too; from the year 1 on this is plain division.
    const int64_t a = FloorDivide(y, 100);
    b = 2 - a + FloorDivide(a, 4);
  }
  return std::floor(365.25 * static_cast<double>(y + 4716)) +
         std::floor(30.6001 * static_cast<double>(m + 1)) + day + static_cast<double>(b) - 1524.5 +
         hour * DaysPerHour + minute * DaysPerMinute + second * DaysPerSecond - zone;
}

CalendarDate JulianDateToCalendar(JulianDate jd, double zone, int16_t calendar) {
  const double j = jd + zone + 0.5;
  if (!(std::fabs(j) < CalendarLimitDays)) return {};
  const int64_t z = static_cast<int64_t>(std::floor(j));
  const double f = j - static_cast<double>(z);
  int64_t a = z;
  if (calendar == CalendarGregorian) {
    // Gregorian centuries since 400 March 1, counted downward (floor) for earlier dates so that
    // they match CalendarToJulianDate; from that day on this is the usual truncation.
    const auto alpha = static_cast<int64_t>(
        std::floor((static_cast<double>(z) - 1867216.25) * 2.7379070069885075e-05));  // / 36524.25
    a = z + 1 + alpha - FloorDivide(alpha, 4);
  }
  // Floor rather than truncation: the same for every date after -4712, and right before it.
  const int64_t b = a + 1524;
  const auto c = static_cast<int64_t>(std::floor((static_cast<double>(b) - 122.1) * YearsPerDay));
  const auto d = static_cast<int64_t>(std::floor(365.25 * static_cast<double>(c)));
  const auto e = static_cast<int64_t>(
      std::floor(static_cast<double>(b - d) * 0.03267963176590926));  // / 30.6001

  CalendarDate out;
  out.day = static_cast<double>(b - d) - std::floor(30.6001 * static_cast<double>(e)) + f;
  out.month = static_cast<int16_t>(e < 14 ? e - 1 : e - 13);
  out.year = static_cast<int32_t>(out.month > 2 ? c - 4716 : c - 4715);
  const double fraction = out.day - std::floor(out.day);
  out.hour = static_cast<int16_t>(fraction * 24);
  out.minute = static_cast<int16_t>(fraction * 1440 - out.hour * 60);
  out.second = fraction * 86400 - out.hour * 3600 - out.minute * 60;
  return out;
}

int DayOfWeek(JulianDate jd, double zone) {
  const double days = std::floor(jd + zone + 1.5);
  if (!std::isfinite(days)) return 0;
  const double weekday = std::fmod(days, 7.0);  // negative before the Julian-date origin
  return static_cast<int>(weekday < 0 ? weekday + 7 : weekday);
}

bool DaylightSavingInEffect(JulianDate jd, double zone, JulianDate* start, JulianDate* end) {
  const int32_t year = JulianDateToCalendar(jd, zone, CalendarGregorian).year;
  JulianDate first = CalendarToJulianDate(year, 4, 1.0, 2, 0, 0.0, zone, CalendarGregorian);
  const int firstDay = DayOfWeek(first, zone);
  if (firstDay > 0) first += 7 - firstDay;  // the first Sunday in April
  JulianDate last = CalendarToJulianDate(year, 10, 31.0, 2, 0, 0.0, zone, CalendarGregorian);
  last -= DayOfWeek(last, zone);  // the last Sunday in October
  if (start) *start = first;
  if (end) *end = last;
  return first < jd && jd < last;
}

JulianDate DynamicalTime(JulianDate jd, bool isDynamicalTime) {
  return isDynamicalTime ? jd : jd + DeltaT(jd) * DaysPerSecond;
}

JulianDate UniversalTime(JulianDate jd, bool isDynamicalTime) {
  if (!isDynamicalTime) return jd;
  const double ut = jd - DeltaT(jd) * DaysPerSecond;
  return jd - DeltaT(ut) * DaysPerSecond;
}

double LocalSiderealTime(JulianDate jd, double longitude) {
  const double j0 = std::floor(jd - 0.5) + 0.5;  // the preceding 0h UT
  const double t = (j0 - J2000) * CenturiesPerDay;
  const double seconds = GmstAt0h[0] + t * (GmstAt0h[1] + t * (GmstAt0h[2] + t * GmstAt0h[3]));
  const double g = seconds * DaysPerSecond;
  return NormalizeAngle(((jd - j0) * SiderealPerSolar + (g - std::floor(g))) * TwoPi + longitude);
}

JulianDate YearToJulianDate(double year) { return (year - 2000.0) * 365.25 + J2000; }

double JulianDateToYear(JulianDate jd) { return (jd - J2000) * YearsPerDay + 2000.0; }

JulianDate CurrentJulianDate() {
  const ClockReading now = ReadLocalClock();
  return CalendarToJulianDate(now.year, static_cast<int16_t>(now.month), now.day,
                              static_cast<int16_t>(now.hour), static_cast<int16_t>(now.minute),
                              now.second, 0.0, CalendarGregorian);
}

}  // namespace qv
