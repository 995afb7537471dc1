// objects/textformat.cpp - date, time, coordinate and sexagesimal texts, with the carry rules that
// keep seconds and minutes below 60.
#include "objects/textformat.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "astro/constants.h"
#include "objects/printf_text.h"
#include "objects/textscan.h"

namespace qv {
namespace {

constexpr double AngleTextPrecision = 36000.0;  // tenths of a second per unit
constexpr const char* AngleTextFormat = "%c%02hd %02hd %04.1f";
constexpr const char* DegreeSign = "\u00b0";

// The decimals of the last %f conversion of a printf format (6 when it gives no precision).
int SecondsDecimals(const char* format) {
  int decimals = 6;
  for (const char* p = format; *p; ++p) {
    if (*p != '%') continue;
    if (*++p == '%') continue;
    int precision = 6;
    while (*p && std::strchr("-+ #0123456789", *p)) ++p;
    if (*p == '.') {
      precision = 0;
      while (*++p >= '0' && *p <= '9') precision = precision * 10 + (*p - '0');
    }
    while (*p == 'h' || *p == 'l' || *p == 'L') ++p;
    if (*p == 'f') decimals = precision;
    if (!*p) break;
  }
  return decimals;
}

// Seconds that would print as 60 become 0 with a minute carried; 60 minutes carry a unit.
void CarrySeconds(AngleParts& parts, int secondsDecimals) {
  if (parts.seconds >= 60 - 0.5 * std::pow(10.0, -secondsDecimals)) {
    parts.seconds = 0;
    ++parts.minutes;
  }
  if (parts.minutes > 59) {
    parts.minutes = 0;
    ++parts.whole;
  }
}

bool ReadLiteral(TextScanner& s, char c) {
  if (s.AtEnd() || s.text[s.pos] != c) return false;
  ++s.pos;
  return true;
}

struct CoordinateLabelSet {
  const char* lon;
  const char* lat;
};
// Labels of the ecliptic, galactic and horizon systems (2-4); equatorial labels carry the epoch.
constexpr CoordinateLabelSet DegreeSystemLabels[] = {
    {"Ecliptic Lon:", "Ecliptic Lat:"},
    {"Galactic Lon:", "Galactic Lat:"},
    {"Azimuth:", "Altitude:"},
};

CoordinateTexts FormatEquatorial(double lonDeg, double latDeg, int style, JulianDate epoch) {
  const double year = JulianDateToYear(epoch);
  AngleParts ra = SplitSexagesimal(lonDeg / 15, 2);
  if (ra.whole > 23) ra.whole = 0;
  const AngleParts dec = SplitSexagesimal(latDeg, 1);
  switch (style) {
    case CoordinateLabels:
      return {PrintfText("R.A. (%.1f):", year), PrintfText("Dec. (%.1f):", year)};
    case CoordinateValues:
      return {PrintfText("%02hd %02hd %05.2f", ra.whole, ra.minutes, ra.seconds),
              PrintfText("%c%02hd %02hd %04.1f", dec.sign, dec.whole, dec.minutes, dec.seconds)};
    case CoordinateLabelsAndValues:
      return {
          PrintfText("R.A. (%.1f): %02hdh %02hdm %05.2fs", year, ra.whole, ra.minutes, ra.seconds),
          PrintfText("Dec. (%.1f): %c%02hd%s %02hd' %04.1f\"", year, dec.sign, dec.whole,
                     DegreeSign, dec.minutes, dec.seconds)};
  }
  return {};
}

CoordinateTexts FormatInDegrees(const CoordinateLabelSet& labels, double lonDeg, double latDeg,
                                int style) {
  // A longitude a hair below 360 would round to "360.0000": it is 0.
  if (lonDeg >= 359.99995) lonDeg = 0;
  switch (style) {
    case CoordinateLabels:
      return {labels.lon, labels.lat};
    case CoordinateValues:
      return {PrintfText("%08.4f", lonDeg), PrintfText("%+08.4f", latDeg)};
    case CoordinateLabelsAndValues:
      return {PrintfText("%s %08.4f%s", labels.lon, lonDeg, DegreeSign),
              PrintfText("%s %+08.4f%s", labels.lat, latDeg, DegreeSign)};
  }
  return {};
}

}  // namespace

std::string FormatDateTime(JulianDate jd, double timeZoneDays, int16_t calendar) {
  // To the nearest second, in whole numbers: a time that rounds up to 60 seconds shows the next
  // minute (and 24:00:00 the next day), and minutes and seconds come from one rounding, so the
  // text never drifts a second from the instant.
  const double local = jd + timeZoneDays + 0.5;  // days, whole at local midnight
  double day = std::floor(local);
  double secondsOfDay = std::round((local - day) * 86400);
  if (secondsOfDay >= 86400) {
    day += 1;
    secondsOfDay = 0;
  }
  const CalendarDate date = JulianDateToCalendar(day, 0.0, calendar);  // at that day's noon
  const auto seconds = static_cast<long>(secondsOfDay);
  return PrintfText("%ld/%02hd/%02.0f %02ld:%02ld:%02ld", static_cast<long>(date.year), date.month,
                    std::floor(date.day), seconds / 3600, seconds / 60 % 60, seconds % 60);
}

bool ParseDateTime(std::string_view text, double timeZoneDays, int16_t calendar, JulianDate& jd) {
  TextScanner s(text);
  long year = 0;
  int16_t month = 0, hour = 0, minute = 0;
  double day = 0, second = 0;
  const bool dateRead = s.ReadLong(year) && ReadLiteral(s, '/') && s.ReadInt16(month) &&
                        ReadLiteral(s, '/') && s.ReadDouble(day);
  const bool valid = dateRead && year >= std::numeric_limits<int32_t>::min() &&
                     year <= std::numeric_limits<int32_t>::max() && month >= 1 && month <= 12 &&
                     day >= 1 && day < 32;
  // The time is optional, and read as far as it goes.
  if (valid && s.ReadInt16(hour) && ReadLiteral(s, ':') && s.ReadInt16(minute) &&
      ReadLiteral(s, ':')) {
    s.ReadDouble(second);
  }
  const JulianDate read = valid ? CalendarToJulianDate(static_cast<int32_t>(year), month, day, hour,
                                                       minute, second, timeZoneDays, calendar)
                                : 0;
  // A date too far out for the calendar (or a time pushing it there) reads back as no date.
  if (!valid || JulianDateToCalendar(read, timeZoneDays, calendar).month == 0) return false;
  jd = read;
  return true;
}

CoordinateTexts FormatCoordinates(int system, double lon, double lat, int style,
                                  JulianDate precessionEpoch) {
  const double lonDeg = lon * RadToDeg, latDeg = lat * RadToDeg;
  if (system == 1) return FormatEquatorial(lonDeg, latDeg, style, precessionEpoch);
  if (system >= 2 && system <= 4)
    return FormatInDegrees(DegreeSystemLabels[system - 2], lonDeg, latDeg, style);
  return {};
}

AngleParts RoundedParts(double value, double precision) {
  return PartsFromDegrees(precision > 0 ? value + 0.25 / precision : value);
}

AngleParts SplitSexagesimal(double value, int secondsDecimals) {
  AngleParts parts = PartsFromDegrees(value);
  CarrySeconds(parts, secondsDecimals);
  return parts;
}

std::string FormatAngleText(double degrees, const char* format) {
  if (!format) format = AngleTextFormat;
  AngleParts parts = RoundedParts(degrees, AngleTextPrecision);
  CarrySeconds(parts, SecondsDecimals(format));
  return PrintfText(format, parts.sign, parts.whole, parts.minutes, parts.seconds);
}

double ParseAngleText(std::string_view text) {
  TextScanner s(text);
  int16_t whole = 0, minutes = 0;
  double seconds = 0;
  if (s.ReadInt16(whole) && s.ReadInt16(minutes)) s.ReadDouble(seconds);
  s.pos = 0;
  s.SkipBlanks();
  const char sign = s.AtEnd() ? '+' : text[s.pos];
  return DegreesFromParts(whole, minutes, seconds, sign);
}

}  // namespace qv
