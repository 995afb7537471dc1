// Time: Julian dates in both calendars against PyEphem and by round trip, mean sidereal time
// against PyEphem, the day of the week, the daylight-saving rule, dynamical time and the clock.
#include "astro/time.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "astro/constants.h"

namespace qv {
namespace {

// Reference: tests/astro/ref/time_pyephem.tsv (50 instants, 1000-2200, both calendars), written
// by tools/make_time_ref.py with PyEphem; regenerate it, never hand-edit it.
struct TimeRef {
  int calendar, year, month, day, hour, minute;
  double second, longitudeDeg, jd, meanLstHours;
  std::string line;
};

std::vector<TimeRef> LoadTimeRef() {
  std::vector<TimeRef> rows;
  std::ifstream in(std::string(QV_TEST_DATA_DIR) + "/astro/ref/time_pyephem.tsv");
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    TimeRef r;
    std::istringstream fields(line);
    fields >> r.calendar >> r.year >> r.month >> r.day >> r.hour >> r.minute >> r.second >>
        r.longitudeDeg >> r.jd >> r.meanLstHours;
    if (!fields) ADD_FAILURE() << "bad reference line: " << line;
    r.line = line;
    rows.push_back(r);
  }
  return rows;
}

// 1e-9 day (86 microseconds): both sides add the same terms; only the table's printed digits
// and double rounding of a 2.4e6 count differ.
constexpr double JdTolerance = 1e-9;
// 0.1 s of time: PyEphem's sidereal time is the apparent one, corrected here by an equation of the
// equinoxes good to 0.03 s; a wrong day count or a slip in the rate misses by seconds or minutes.
constexpr double LstToleranceSeconds = 0.1;

TEST(TimeReference, JulianDatesAndMeanSiderealTimeMatchPyEphem) {
  const std::vector<TimeRef> rows = LoadTimeRef();
  ASSERT_GE(rows.size(), 40u);
  double worst = 0, sumSquares = 0;
  for (const TimeRef& r : rows) {
    SCOPED_TRACE(r.line);
    const JulianDate jd = CalendarToJulianDate(
        r.year, static_cast<int16_t>(r.month), r.day, static_cast<int16_t>(r.hour),
        static_cast<int16_t>(r.minute), r.second, 0.0, static_cast<int16_t>(r.calendar));
    EXPECT_NEAR(jd, r.jd, JdTolerance);
    const double lstHours = LocalSiderealTime(r.jd, r.longitudeDeg * SettingsDegToRad) * 12 / Pi;
    double diffSeconds = std::remainder(lstHours - r.meanLstHours, 24.0) * 3600;
    EXPECT_LE(std::fabs(diffSeconds), LstToleranceSeconds);
    worst = std::max(worst, std::fabs(diffSeconds));
    sumSquares += diffSeconds * diffSeconds;
  }
  std::printf("sidereal time vs PyEphem: rms %.4f s, max %.4f s over %zu instants\n",
              std::sqrt(sumSquares / rows.size()), worst, rows.size());
}

TEST(CalendarToJulianDate, KnownEpochs) {
  struct Case {
    int32_t year;
    int16_t month;
    double day;
    int16_t calendar;
    double jd;
  };
  const Case cases[] = {
      {2000, 1, 1.5, CalendarGregorian, 2451545.0},
      {1582, 10, 15.0, CalendarGregorian, 2299160.5},
      {1582, 10, 4.0, CalendarJulian, 2299159.5},
      {-4712, 1, 1.5, CalendarJulian, 0.0},
      {-4712, 1, 1.5, CalendarIslamic, 0.0},  // other calendars convert as the Julian one
      {1582, 10, 4.0, CalendarIndian, 2299159.5},
      {1957, 10, 4.81, CalendarGregorian, 2436116.31},  // Meeus example 7.a
      {333, 1, 27.5, CalendarJulian, 1842713.0},        // Meeus example 7.b
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.year);
    EXPECT_NEAR(CalendarToJulianDate(c.year, c.month, c.day, 0, 0, 0, 0, c.calendar), c.jd, 1e-9);
  }
  // Local time less the zone is UT: 18:00 at zone +6 h is noon UT.
  EXPECT_NEAR(CalendarToJulianDate(2000, 1, 1, 18, 0, 0, 0.25, CalendarGregorian), 2451545.0, 1e-9);
}

TEST(JulianDateToCalendar, LocalReadingOfJ2000) {
  CalendarDate d = JulianDateToCalendar(2451545.0, 0, CalendarGregorian);
  EXPECT_EQ(d.year, 2000);
  EXPECT_EQ(d.month, 1);
  EXPECT_DOUBLE_EQ(d.day, 1.5);
  EXPECT_EQ(d.hour, 12);
  EXPECT_EQ(d.minute, 0);
  EXPECT_NEAR(d.second, 0, 1e-6);
  d = JulianDateToCalendar(2451545.0, 0.25, CalendarGregorian);
  EXPECT_EQ(d.hour, 18);
  d = JulianDateToCalendar(2299160.5, 0, CalendarJulian);  // the day after 1582 October 4 (Julian)
  EXPECT_EQ(d.year, 1582);
  EXPECT_EQ(d.month, 10);
  EXPECT_DOUBLE_EQ(d.day, 5.0);
  const CalendarDate none = JulianDateToCalendar(NAN, 0, CalendarGregorian);
  EXPECT_EQ(none.year, 0);
  EXPECT_EQ(none.month, 0);
}

bool IsLeap(int32_t year, int16_t calendar) {
  if (calendar != CalendarGregorian) return year % 4 == 0;
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysIn(int32_t year, int month, int16_t calendar) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeap(year, calendar) ? 29 : days[month - 1];
}

TEST(CalendarRoundTrip, CalendarToJulianDateAndBack) {
  std::mt19937 rng(1582);
  for (int16_t calendar : {int16_t(CalendarJulian), int16_t(CalendarGregorian)}) {
    for (int n = 0; n < 20000; ++n) {
      const int32_t year =
          std::uniform_int_distribution<int32_t>(n % 2 ? -100000 : -4800, 4000)(rng);
      const auto month = static_cast<int16_t>(std::uniform_int_distribution<int>(1, 12)(rng));
      const int day = std::uniform_int_distribution<int>(1, DaysIn(year, month, calendar))(rng);
      const auto hour = static_cast<int16_t>(std::uniform_int_distribution<int>(0, 23)(rng));
      const auto minute = static_cast<int16_t>(std::uniform_int_distribution<int>(0, 59)(rng));
      const double second = std::uniform_int_distribution<int>(0, 5999)(rng) / 100.0;
      const double zone = std::uniform_int_distribution<int>(-24, 28)(rng) / 2.0 / 24.0;
      const JulianDate jd =
          CalendarToJulianDate(year, month, day, hour, minute, second, zone, calendar);
      const CalendarDate back = JulianDateToCalendar(jd, zone, calendar);
      SCOPED_TRACE(std::to_string(year) + "-" + std::to_string(month) + "-" + std::to_string(day) +
                   " cal " + std::to_string(calendar));
      ASSERT_EQ(back.year, year);
      ASSERT_EQ(back.month, month);
      ASSERT_EQ(static_cast<int>(std::floor(back.day)), day);
      // A Julian date near 2.4e6 holds the time to about 40 microseconds, so the split can come
      // back a hair before a whole minute: compare the time of day in seconds.
      const double want = hour * 3600 + minute * 60 + second;
      const double got = back.hour * 3600 + back.minute * 60 + back.second;
      ASSERT_NEAR(got, want, 1e-3);
    }
  }
}

TEST(CalendarRoundTrip, JulianDateSplitStaysInRange) {
  for (JulianDate jd = 2299000.25; jd < 2500000; jd += 137.0 + 1.0 / 1440) {  // whole minutes
    for (int16_t calendar : {int16_t(CalendarJulian), int16_t(CalendarGregorian)}) {
      const CalendarDate d = JulianDateToCalendar(jd, 0, calendar);
      ASSERT_GE(d.second, 0.0) << jd;
      ASSERT_LT(d.second, 60.0) << jd;
      ASSERT_GE(d.minute, 0);
      ASSERT_LE(d.minute, 59);
      ASSERT_GE(d.hour, 0);
      ASSERT_LE(d.hour, 23);
      const JulianDate back = CalendarToJulianDate(d.year, d.month, std::floor(d.day), d.hour,
                                                   d.minute, d.second, 0, calendar);
      ASSERT_NEAR(back, jd, 1e-9) << jd;
    }
  }
}

TEST(DayOfWeek, CountsFromSundayAlsoBeforeTheOrigin) {
  EXPECT_EQ(DayOfWeek(2451545.0, 0), 6);    // 2000 January 1 was a Saturday
  EXPECT_EQ(DayOfWeek(2451545.0, 0.5), 0);  // already Sunday 00:00 at zone +12 h
  int previous = DayOfWeek(-3000.0, 0);
  for (double jd = -2999.0; jd < 3000; jd += 1) {
    const int day = DayOfWeek(jd, 0);
    ASSERT_GE(day, 0);
    ASSERT_EQ(day, (previous + 1) % 7) << jd;
    previous = day;
  }
}

TEST(DaylightSaving, FirstSundayInAprilToLastSundayInOctober) {
  JulianDate start = 0, end = 0;
  EXPECT_TRUE(DaylightSavingInEffect(
      CalendarToJulianDate(2001, 7, 1, 0, 0, 0, 0, CalendarGregorian), 0, &start, &end));
  EXPECT_DOUBLE_EQ(start, CalendarToJulianDate(2001, 4, 1, 2, 0, 0, 0, CalendarGregorian));
  EXPECT_DOUBLE_EQ(end, CalendarToJulianDate(2001, 10, 28, 2, 0, 0, 0, CalendarGregorian));
  EXPECT_FALSE(DaylightSavingInEffect(start, 0));  // both ends are outside
  EXPECT_TRUE(DaylightSavingInEffect(start + 1e-6, 0));
  EXPECT_FALSE(DaylightSavingInEffect(end, 0));
  EXPECT_FALSE(
      DaylightSavingInEffect(CalendarToJulianDate(2001, 12, 1, 0, 0, 0, 0, CalendarGregorian), 0));

  // At zone -5 h in 2024: Sunday April 7 and Sunday October 27, at 02:00 local standard time.
  const double zone = -5.0 / 24;
  DaylightSavingInEffect(CalendarToJulianDate(2024, 1, 10, 0, 0, 0, zone, CalendarGregorian), zone,
                         &start, &end);
  const CalendarDate s = JulianDateToCalendar(start, zone, CalendarGregorian);
  const CalendarDate e = JulianDateToCalendar(end, zone, CalendarGregorian);
  EXPECT_EQ(s.month, 4);
  EXPECT_DOUBLE_EQ(std::floor(s.day), 7);
  EXPECT_EQ(s.hour, 2);
  EXPECT_EQ(DayOfWeek(start, zone), 0);
  EXPECT_EQ(e.month, 10);
  EXPECT_DOUBLE_EQ(std::floor(e.day), 27);
  EXPECT_EQ(DayOfWeek(end, zone), 0);
}

TEST(Clock, CurrentJulianDateIsTheLocalClockReading) {
  const char* oldZone = std::getenv("TZ");
  const std::string saved = oldZone ? oldZone : "";
  for (const char* zone : {"UTC0", "XYZ-5"}) {  // POSIX zones: UTC and five hours east
    setenv("TZ", zone, 1);
    tzset();
    const double zoneDays = zone[0] == 'U' ? 0 : 5.0 / 24;
    const double before = std::time(nullptr) / 86400.0 + 2440587.5 + zoneDays;
    const JulianDate now = CurrentJulianDate();
    const double after = std::time(nullptr) / 86400.0 + 2440587.5 + zoneDays;
    EXPECT_GE(now, before - 1.5 / 86400) << zone;  // whole seconds are read
    EXPECT_LE(now, after + 0.5 / 86400) << zone;
  }
  if (oldZone) {
    setenv("TZ", saved.c_str(), 1);
  } else {
    unsetenv("TZ");
  }
  tzset();
}

}  // namespace
}  // namespace qv
