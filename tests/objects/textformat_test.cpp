// Text formats: coordinate texts of the four systems, the carry rules that keep seconds below 60,
// sexagesimal fields, and date texts both ways, invalid ones refused.
#include "objects/textformat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "astro/constants.h"

namespace qv {
namespace {

double Radians(double degrees) {
  return degrees / RadToDeg;
}  // the inverse of the program's factor
double HmsDegrees(double h, double m, double s) { return (h + m / 60 + s / 3600) * 15; }

TEST(FormatCoordinates, EverySystemAndStyle) {
  struct Case {
    int system;
    double lonDeg, latDeg;
    int style;
    const char* lon;
    const char* lat;
  };
  const double m1Ra = HmsDegrees(5, 34, 31.94), m1Dec = 22 + 52.2 / 3600;
  const Case cases[] = {
      {1, m1Ra, m1Dec, CoordinateLabels, "R.A. (2000.0):", "Dec. (2000.0):"},
      {1, m1Ra, m1Dec, CoordinateValues, "05 34 31.94", "+22 00 52.2"},
      {1, m1Ra, m1Dec, CoordinateLabelsAndValues, "R.A. (2000.0): 05h 34m 31.94s",
       "Dec. (2000.0): +22\u00b0 00' 52.2\""},
      // Carries: 23h 59m 59.996s and -59.96" round up into the next hour and arcminute.
      {1, HmsDegrees(23, 59, 59.996), -59.96 / 3600, CoordinateValues, "00 00 00.00",
       "-00 01 00.0"},
      {1, HmsDegrees(11, 59, 59.994), 45 + 59 / 60.0 + 59.96 / 3600, CoordinateValues,
       "11 59 59.99", "+46 00 00.0"},
      {2, 123.4567, -5.25, CoordinateLabels, "Ecliptic Lon:", "Ecliptic Lat:"},
      {2, 123.4567, -5.25, CoordinateValues, "123.4567", "-05.2500"},
      {3, 266.405, -28.936, CoordinateLabelsAndValues, "Galactic Lon: 266.4050\u00b0",
       "Galactic Lat: -28.9360\u00b0"},
      {4, 45, 30, CoordinateLabelsAndValues, "Azimuth: 045.0000\u00b0", "Altitude: +30.0000\u00b0"},
      {4, TwoPi * RadToDeg, 0, CoordinateValues, "000.0000", "+00.0000"},  // never "360.0000"
      {5, 10, 10, CoordinateValues, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.lon) + " | " + c.lat);
    const CoordinateTexts t =
        FormatCoordinates(c.system, Radians(c.lonDeg), Radians(c.latDeg), c.style, J2000);
    EXPECT_EQ(t.lon, c.lon);
    EXPECT_EQ(t.lat, c.lat);
  }
  const CoordinateTexts b1950 =
      FormatCoordinates(1, 0, 0, CoordinateLabels, YearToJulianDate(1950));
  EXPECT_EQ(b1950.lon, "R.A. (1950.0):");
}

TEST(AngleText, FieldsReadAndWritten) {
  EXPECT_EQ(FormatAngleText(12.5), "+12 30 00.0");
  EXPECT_EQ(FormatAngleText(-12.5), "-12 30 00.0");  // not "-12 29 60.0"
  EXPECT_EQ(FormatAngleText(12.99998), "+13 00 00.0");
  EXPECT_EQ(FormatAngleText(-75.25, "%c%03hd %02hd %02.0f"), "-075 15 00");
  EXPECT_EQ(FormatAngleText(10 + 59 / 60.0 + 59.7 / 3600, "%c%03hd %02hd %02.0f"), "+011 00 00");

  struct Case {
    const char* text;
    double degrees;
  };
  const Case cases[] = {
      {"-00 30 00", -0.5},      // the sign of the text, though the degrees read as 0
      {"  -12 30 36", -12.51},  // the first non-blank character is the sign
      {"+12 30 36", 12.51},
      {"12 30.5",
       12.5 + 0.5 / 3600},  // "%hd%hd%lf": the minutes stop at the point, ".5" are seconds
      {"12", 12},
      {"5 7 3.6", 5 + 7 / 60.0 + 3.6 / 3600},
      {"", 0},
      {"north", 0},
      {"99999 10 0", 0},  // out of range for the whole units: nothing read
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_NEAR(ParseAngleText(c.text), c.degrees, 1e-12);
  }
}

TEST(AngleText, FormatThenParseNeverShowsSixtyAndComesBack) {
  std::mt19937 rng(36000);
  std::uniform_real_distribution<double> any(-180, 180);
  std::vector<double> values;
  for (int n = 0; n < 20000; ++n) values.push_back(any(rng));
  for (int whole = -3; whole <= 3; ++whole) {  // right at whole minutes, where carries happen
    for (double s : {-0.06, -0.04, -0.02, 0.0, 0.02, 0.04, 0.06})
      values.push_back(whole + 0.5 + s / 3600);
  }
  for (double v : values) {
    const std::string text = FormatAngleText(v);
    ASSERT_EQ(text.find(" 60"), std::string::npos) << v << " " << text;
    // Tenths of an arcsecond shown, plus the quarter step RoundedParts adds.
    ASSERT_NEAR(ParseAngleText(text), v, 0.076 / 3600) << text;
    const std::string whole = FormatAngleText(v, "%c%03hd %02hd %02.0f");
    ASSERT_EQ(whole.find(" 60"), std::string::npos) << v << " " << whole;
    ASSERT_NEAR(ParseAngleText(whole), v, 0.526 / 3600) << whole;
  }
}

TEST(DateText, FormatsLocalDateAndTime) {
  struct Case {
    JulianDate jd;
    double zone;
    int16_t calendar;
    const char* text;
  };
  const Case cases[] = {
      {2451545.0, 0, CalendarGregorian, "2000/01/01 12:00:00"},
      {2451545.0, 0.25, CalendarGregorian, "2000/01/01 18:00:00"},  // the day is printed whole
      {2451545.0, -0.5, CalendarGregorian, "2000/01/01 00:00:00"},
      {2451545.0, 0, CalendarJulian, "1999/12/19 12:00:00"},
      {2451545.0 - 0.4 / 86400, 0, CalendarGregorian, "2000/01/01 12:00:00"},  // 11:59:59.6
      {2451910.5 - 0.45 / 86400, 0, CalendarGregorian,
       "2001/01/01 00:00:00"},  // carries to a new year
      {0.0, 0, CalendarJulian, "-4712/01/01 12:00:00"},
      // At zone -11.5 h this instant splits as 03:59:60.0000001: it is 04:00:00, not 04:00:01.
      {CalendarToJulianDate(2024, 12, 31, 4, 0, 0, -23.0 / 48, CalendarGregorian), -23.0 / 48,
       CalendarGregorian, "2024/12/31 04:00:00"},
      {-15492000.5, 0, CalendarJulian,
       "-47127/03/20 00:00:00"},  // 10,604 four-year cycles before -4711/03/20
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(FormatDateTime(c.jd, c.zone, c.calendar), c.text);
  }
}

TEST(DateText, ParsesDatesWithOrWithoutTime) {
  struct Case {
    const char* text;
    double zone;
    JulianDate jd;
  };
  const Case cases[] = {
      {"2000/1/1.5", 0, 2451545.0},
      {"2000/01/01 12:00:00", 0, 2451545.0},
      {"2000/1/1 18:00:00", 0.25, 2451545.0},
      {"2000/1/1 12", 0, 2451545.0},  // the time as far as it goes
      {"2000/1/1 12:30", 0, 2451545.0 + 30.0 / 1440},
      {"  2000/ 1/ 1 6:00:00.5", 0, 2451544.75 + 0.5 / 86400},
      {"-4712/1/1.5", 0, 38.0},  // Gregorian reading of a Julian-calendar epoch
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    JulianDate jd = -1;
    EXPECT_TRUE(ParseDateTime(c.text, c.zone, CalendarGregorian, jd));
    EXPECT_NEAR(jd, c.jd, 1e-9);
  }
}

TEST(DateText, InvalidDatesAreRefusedAndChangeNothing) {
  for (const char* text : {"2000/1", "", "yesterday", "2000-01-01", "2000/13/1", "2000/0/10",
                           "2000/1/0", "2000/1/32", "99999999999/1/1", "2000000000/1/1"}) {
    SCOPED_TRACE(text);
    JulianDate jd = 1234.5;
    EXPECT_FALSE(ParseDateTime(text, 0, CalendarGregorian, jd));
    EXPECT_EQ(jd, 1234.5);
  }
}

TEST(DateText, FormatThenParseComesBackToTheSecond) {
  std::mt19937 rng(2451545);
  std::uniform_real_distribution<double> any(-35000000.0, 2816787.0);  // years -100,000 to 3000
  for (int16_t calendar : {int16_t(CalendarJulian), int16_t(CalendarGregorian)}) {
    for (int n = 0; n < 5000; ++n) {
      const JulianDate jd = any(rng);
      const double zone = (n % 25 - 12) / 24.0;
      const std::string text = FormatDateTime(jd, zone, calendar);
      JulianDate back = 0;
      ASSERT_TRUE(ParseDateTime(text, zone, calendar, back)) << text;
      // Whole seconds shown; a Julian date holds them to about 40 microseconds.
      ASSERT_NEAR(back, jd, 0.5001 / 86400) << text;
    }
  }
}

}  // namespace
}  // namespace qv
