// app/textformat.cpp - date, time, coordinate and sexagesimal texts, with the carry rules that
// keep seconds and minutes below 60.
#include "app/textformat.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "app/printf_text.h"
#include "astro/constants.h"
#include "objects/textscan.h"
#include "platform/alert.h"

namespace qv {
namespace {

constexpr int InvalidDateNote = 525;
constexpr double HalfSecondDays = 5.787037037037037e-06;
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
      return {PrintfText("R.A. (%.1f): %02hdh %02hdm %05.2fs", year, ra.whole, ra.minutes, ra.seconds),
              PrintfText("Dec. (%.1f): %c%02hd%s %02hd' %04.1f\"", year, dec.sign, dec.whole, DegreeSign,
                     dec.minutes, dec.seconds)};
  }
  return {};
}

CoordinateTexts FormatInDegrees(const CoordinateLabelSet& labels, double lonDeg, double latDeg, int style) {
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
  CalendarDate d = JulianDateToCalendar(jd, timeZoneDays, calendar);
  // Seconds that would print as 60 show the next minute instead. Half a second later can still
  // land a few microseconds short of the minute, hence a second try.
  for (int attempt = 0; attempt < 2 && d.second >= 59.5; ++attempt) {
    jd += HalfSecondDays;
    d = JulianDateToCalendar(jd, timeZoneDays, calendar);
  }
  // The day is printed whole: its fraction is the time that follows.
  return PrintfText("%ld/%02hd/%02.0f %02hd:%02hd:%02.0f", static_cast<long>(d.year), d.month,
                std::floor(d.day), d.hour, d.minute, d.second);
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
  if (!valid) {
    Note(ButtonsOk, InvalidDateNote, std::string(text).c_str());
    return false;
  }
  // The time is optional, and read as far as it goes.
  if (s.ReadInt16(hour) && ReadLiteral(s, ':') && s.ReadInt16(minute) && ReadLiteral(s, ':')) {
    s.ReadDouble(second);
  }
  jd = CalendarToJulianDate(static_cast<int32_t>(year), month, day, hour, minute, second,
                            timeZoneDays, calendar);
  return true;
}

CoordinateTexts FormatCoordinates(int system, double lon, double lat, int style,
                                  JulianDate precessionEpoch) {
  const double lonDeg = lon * RadToDeg, latDeg = lat * RadToDeg;
  if (system == 1) return FormatEquatorial(lonDeg, latDeg, style, precessionEpoch);
  if (system >= 2 && system <= 4) return FormatInDegrees(DegreeSystemLabels[system - 2], lonDeg, latDeg, style);
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
