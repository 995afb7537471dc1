// objects/textfields.cpp - records as the fields of object text lines.
#include "objects/textfields.h"

#include <cmath>
#include <cstdio>

#include "astro/angles.h"
#include "astro/constants.h"
#include "astro/frames.h"
#include "astro/time.h"
#include "objects/decimal_text.h"
#include "objects/orbit_elements.h"
#include "objects/store.h"
#include "objects/textunits.h"

namespace qv {
namespace {

// Sexagesimal text from whole units of the last digit shown, so that no rounding ever shows 60:
// units is the value in hundredths of a second of time (R.A.) or tenths of an arcsecond (Dec.).
std::string RightAscensionText(double hours) {
  constexpr long PerHour = 360000, PerDay = 24 * PerHour;
  long units = std::lround(hours * PerHour) % PerDay;
  if (units < 0) units += PerDay;
  char text[32];
  std::snprintf(text, sizeof text, "%02ld %02ld %02ld.%02ld", units / PerHour, units / 6000 % 60,
                units / 100 % 60, units % 100);
  return text;
}

std::string DeclinationText(double degrees) {
  const long units = std::lround(std::fabs(degrees) * 36000);
  char text[32];
  std::snprintf(text, sizeof text, "%c%02ld %02ld %02ld.%ld", degrees < 0 && units > 0 ? '-' : '+',
                units / 36000, units / 600 % 60, units / 10 % 60, units % 10);
  return text;
}

std::string Hundredths(int16_t value, bool plusSign = true) {
  return value == UnknownMagnitude ? std::string() : FormatFixed(value * 0.01, 2, plusSign);
}

std::string KnownOrEmpty(float value, double unit, int precision, bool plusSign) {
  return std::isfinite(value) ? FormatFixed(value / unit, precision, plusSign) : std::string();
}

std::string MagnitudesText(ObjectKind kind, const SkyObjectRecord& s) {
  std::string text = Hundredths(s.visualMagnitude);
  if (text.empty()) return text;
  const SkyMagnitudes m = MagnitudesOf(s);
  if ((kind == KindVariableStar || kind == KindMultipleVariableStar) &&
      m.faintest != UnknownMagnitude) {
    text += "-" + Hundredths(m.faintest, false);
  }
  if ((kind == KindMultipleStar || kind == KindMultipleVariableStar) &&
      m.companion != UnknownMagnitude) {
    text += "," + Hundredths(m.companion, false);
  }
  return text;
}

std::string KindField(char letter, int number) {
  char text[8];
  std::snprintf(text, sizeof text, "%c%02d", letter, number);
  return text;
}

std::vector<std::string> SkyObjectFields(const ObjectRecord& record, const SkyObjectRecord& s,
                                         double epochYear) {
  StateVector v{VectorFromDirection(s.position), MotionPerDay(s)};
  if (epochYear != 2000.0) {  // the reverse of the import: precessed, then moved back in time
    const double jd = YearToJulianDate(epochYear);
    Matrix3 m;
    PrecessionMatrix(m, J2000, jd, false);
    Transform(m, v.position);
    Transform(m, v.velocity);
    v.position.x -= v.velocity.x * (J2000 - jd);
    v.position.y -= v.velocity.y * (J2000 - jd);
    v.position.z -= v.velocity.z * (J2000 - jd);
  }
  const SphericalRates place = RectangularToSphericalWithRates(v);
  const double sizeUnit = IsStarKind(record.kind) ? ArcsecToRad : ArcminToRad;
  return {KindField('S', record.kind - 50),
          FormatFixed(epochYear, 1),
          RightAscensionText(place.lon * RadToDeg / 15),
          DeclinationText(place.lat * RadToDeg),
          FormatFixed(place.dlon / TimeSecondsPerYearToRadiansPerDay, 4, true),
          FormatFixed(place.dlat / ArcsecondsPerYearToRadiansPerDay, 3, true),
          MagnitudesText(record.kind, s),
          Hundredths(s.colorIndex),
          KnownOrEmpty(s.radialVelocity, KmPerSecondToAuPerDay, 1, true),
          KnownOrEmpty(s.distance, AuPerParsec, 3, false),
          FormatFixed(s.size / sizeUnit, 1),
          DisplayName(record)};
}

std::vector<std::string> OrbitFields(const ObjectRecord& record, const OrbitRecord& o,
                                     double epochYear) {
  const ElementEntry entry = ShowElementEntry(o, epochYear);
  // A parabola has no semimajor axis: its perihelion distance is shown as a negative number.
  const double axis = entry.e == 1 ? -entry.q : entry.q / std::fabs(1 - entry.e);
  const CalendarDate epoch = JulianDateToCalendar(entry.epoch, 0, CalendarGregorian);
  char epochText[48];
  std::snprintf(epochText, sizeof epochText, "%ld/%02d/%s", static_cast<long>(epoch.year),
                static_cast<int>(epoch.month), FormatFixed(epoch.day, 5).c_str());
  std::string magnitudes = Hundredths(o.magnitudeParam1, false);
  if (!magnitudes.empty() && o.magnitudeParam2 != UnknownMagnitude) {
    magnitudes += " " + Hundredths(o.magnitudeParam2, false);
  }
  const ObjectRecord* primary = PrimaryOf(o);
  return {KindField('P', record.kind),
          FormatFixed(epochYear, 1),
          FormatFixedKeeping(axis, 8, 12),
          FormatFixedKeeping(entry.e, 8, 12),
          FormatFixed(entry.i * RadToDeg, 6),
          FormatFixed(entry.omega * RadToDeg, 6),
          FormatFixed(entry.node * RadToDeg, 6),
          FormatFixed(entry.m * RadToDeg, 6),
          epochText,
          magnitudes,
          FormatFixedKeeping(o.radius / AuPerKm, 1, 6),
          FormatFixedKeeping(o.mass / EarthMassToSolarMass, 1, 9),
          o.name,
          primary ? DisplayName(*primary) : std::string()};
}

}  // namespace

std::vector<std::string> ObjectTextFields(const ObjectRecord& record, double epochYear) {
  if (const SkyObjectRecord* sky = SkyObjectOf(record))
    return SkyObjectFields(record, *sky, epochYear);
  if (const OrbitRecord* orbit = OrbitOf(record)) return OrbitFields(record, *orbit, epochYear);
  return {};
}

}  // namespace qv
