// objects/textformat.h - the texts of dates, times and celestial coordinates that dialogs, the info
// window, the chart legend and the ephemeris file show and read. Angles in radians unless the
// name says degrees; Julian dates in UT; zones in days east of Greenwich. Texts are UTF-8 (the
// degree sign is "°").
//
// Seconds never show as 60: a value that would round up to 60 at the decimals printed carries
// into the minutes (and the minutes into the whole units), so 23h 59m 59.996s reads 00 00 00.00.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "astro/angles.h"
#include "astro/time.h"

namespace qv {

// FormatDateTime: the local date and time of jd as "year/month/day hour:minute:second"
// ("2000/01/01 12:00:00") in the calendar (CalendarKind), to the nearest second.
std::string FormatDateTime(JulianDate jd, double timeZoneDays, int16_t calendar);

// ParseDateTime: reads "year/month/day" (the day may carry a fraction, "2000/1/1.5"), optionally
// followed by "hour:minute:second" (what is missing of the time is 0), as a local date and time.
// On success stores the UT Julian date and returns true. A text without year, month and day, a
// month outside 1-12 or a day outside 1-31.999... gives false (jd untouched); the caller shows
// note 525 with the text.
bool ParseDateTime(std::string_view text, double timeZoneDays, int16_t calendar, JulianDate& jd);

// FormatCoordinates: the texts of a longitude and latitude (radians) in coordinate system 1-4
// (CoordinateSystem: equatorial, ecliptic, galactic, horizon). The equatorial labels carry the
// precession epoch (a Julian date) as a year. An unknown system gives empty texts.
enum CoordinateTextStyle {
  CoordinateLabels = 0,
  CoordinateValues = 1,
  CoordinateLabelsAndValues = 2
};
struct CoordinateTexts {
  std::string lon, lat;
};
CoordinateTexts FormatCoordinates(int system, double lon, double lat, int style,
                                  JulianDate precessionEpoch);

// RoundedParts: PartsFromDegrees of value + 0.25 / precision (of value when precision <= 0);
// precision is the number of smallest shown steps per unit (36000: tenths of a second).
AngleParts RoundedParts(double value, double precision);

// SplitSexagesimal: sign and whole units, minutes and seconds of value (degrees or hours), with
// seconds that would print as 60 at secondsDecimals decimals carried into the minutes.
AngleParts SplitSexagesimal(double value, int secondsDecimals);

// FormatAngleText: an angle in degrees (or a time in hours) as typed into the dialogs' sexagesimal
// fields, "+12 30 00.0", from RoundedParts(value, 36000). format, when given, is a printf format
// taking the same arguments (char sign, short whole, short minutes, double seconds), such as
// "%c%03hd %02hd %02.0f"; the carry follows the decimals of its seconds conversion.
std::string FormatAngleText(double degrees, const char* format = nullptr);

// ParseAngleText: degrees (or hours) from "whole minutes seconds" separated by blanks, as scanf's
// "%hd%hd%lf" reads them; what the text does not hold counts as 0. A '-' as the first non-blank
// character makes the whole angle negative ("-00 30 00" is -0.5).
double ParseAngleText(std::string_view text);

}  // namespace qv
