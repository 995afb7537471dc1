// objects/textimport.cpp - building records from object text lines.
#include "objects/textimport.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "astro/angles.h"
#include "astro/constants.h"
#include "astro/frames.h"
#include "astro/kepler.h"
#include "astro/satellite.h"
#include "astro/time.h"
#include "objects/messages.h"
#include "objects/namesearch.h"
#include "objects/orbit_elements.h"
#include "objects/store.h"
#include "objects/textformat.h"
#include "objects/textscan.h"
#include "objects/textunits.h"
#include "platform/alert.h"
#include "platform/result.h"

namespace qv {
namespace {

constexpr size_t MaxFields = 16;
constexpr size_t NameFieldLength = 255;

using Fields = std::array<std::string_view, MaxFields>;

Fields SplitFields(std::string_view line) {
  Fields fields{};
  for (size_t k = 0; k < MaxFields; ++k) {
    const size_t tab = line.find('\t');
    fields[k] = line.substr(0, tab);
    if (tab == std::string_view::npos) break;
    line.remove_prefix(tab + 1);
  }
  return fields;
}

double Number(std::string_view field, double fallback) {
  TextScanner s(field);
  double value = fallback;
  s.ReadDouble(value);
  return value;
}

// The number after the record letter of field 0 ("S12", "P11").
int16_t TypeNumber(std::string_view field0, int16_t fallback) {
  TextScanner s(field0, 1);
  int16_t value = fallback;
  s.ReadInt16(value);
  return value;
}

std::string NameText(std::string_view field) {
  return std::string(field.substr(0, NameFieldLength));
}

// Sexagesimal "%hd%hd%lf" in degrees (or hours); what the field does not hold stays 0. The sign
// is the field's first character that is not a blank, so "-00 30" is south of the equator.
double Sexagesimal(std::string_view field) {
  TextScanner s(field);
  int16_t whole = 0, minutes = 0;
  double seconds = 0;
  if (s.ReadInt16(whole) && s.ReadInt16(minutes)) s.ReadDouble(seconds);
  TextScanner sign(field);
  sign.SkipBlanks();
  return DegreesFromParts(whole, minutes, seconds, sign.AtEnd() ? '+' : field[sign.pos]);
}

bool ReadSeparator(TextScanner& s, char separator) {
  s.SkipBlanks();
  char c = 0;
  return s.ReadChar(c) && c == separator;
}

struct CatalogMagnitudes {
  double visual = INFINITY, faintest = INFINITY, companion = INFINITY;
};

// Field 6: V; V,companion (multiple); V-faintest (variable); V-faintest,companion (both).
CatalogMagnitudes ReadMagnitudes(std::string_view field, ObjectKind kind) {
  CatalogMagnitudes m;
  TextScanner s(field);
  if (!s.ReadDouble(m.visual)) return m;
  const bool variable = kind == KindVariableStar || kind == KindMultipleVariableStar;
  const bool multiple = kind == KindMultipleStar || kind == KindMultipleVariableStar;
  if (variable && ReadSeparator(s, '-')) s.ReadDouble(m.faintest);
  if (multiple && ReadSeparator(s, ',')) s.ReadDouble(m.companion);
  return m;
}

// MagnitudeOffset: other - V in hundredths, so that V + offset gives other's hundredths exactly.
int16_t MagnitudeOffset(int16_t visual, double other) {
  const int16_t value = HundredthsFromValue(other);
  if (visual == UnknownMagnitude || value == UnknownMagnitude) return UnknownMagnitude;
  return static_cast<int16_t>(std::clamp(value - visual, -32767, 32766));
}

float KnownOrUnknown(double value) {
  return std::isfinite(value) ? static_cast<float>(value) : UnknownValue;
}

// The position and space motion at epoch 2000.0 on the J2000 equator, from a position and proper
// motion (radians, radians per day) for the equinox and epoch of a year.
void StorePosition(SkyObjectRecord& sky, double ra, double dec, double raMotion, double decMotion,
                   double epochYear) {
  SphericalRates s;
  s.lon = ra;
  s.lat = dec;
  s.r = 1;
  s.dlon = raMotion;
  s.dlat = decMotion;
  // Radial velocity enters as the change of the unit vector's length: (AU/day) / AU.
  if (std::isfinite(sky.radialVelocity) && std::isfinite(sky.distance) && sky.distance > 0) {
    s.dr = sky.radialVelocity / sky.distance;
  }
  StateVector v = SphericalToRectangularWithRates(s);
  if (epochYear != 2000.0) {
    const double jd = YearToJulianDate(epochYear);
    v.position.x += v.velocity.x * (J2000 - jd);
    v.position.y += v.velocity.y * (J2000 - jd);
    v.position.z += v.velocity.z * (J2000 - jd);
    Matrix3 m;
    PrecessionMatrix(m, jd, J2000, false);
    Transform(m, v.position);
    Transform(m, v.velocity);
  }
  sky.position = DirectionFromVector(v.position);
  sky.motion = MotionFromPerDay(v.velocity);
}

int BuildSkyObject(const Fields& f, std::unique_ptr<ObjectRecord>& out) {
  int kind = 50 + TypeNumber(f[0], 1);
  if (!IsSkyObjectKind(kind) || !IsKnownKind(kind)) kind = KindSingleStar;
  auto record = NewRecord(static_cast<ObjectKind>(kind));
  if (!record) return ResultNoMemory;
  SkyObjectRecord& sky = *SkyObjectOf(*record);
  const CatalogMagnitudes m = ReadMagnitudes(f[6], record->kind);
  sky.visualMagnitude = HundredthsFromValue(m.visual);
  sky.variabilityOffset = MagnitudeOffset(sky.visualMagnitude, m.faintest);
  sky.companionOffset = MagnitudeOffset(sky.visualMagnitude, m.companion);
  sky.colorIndex = HundredthsFromValue(Number(f[7], INFINITY));
  sky.radialVelocity = KnownOrUnknown(Number(f[8], INFINITY) * KmPerSecondToAuPerDay);
  sky.distance = KnownOrUnknown(Number(f[9], INFINITY) * AuPerParsec);
  sky.size = static_cast<float>(Number(f[10], 0) * (IsStarKind(kind) ? ArcsecToRad : ArcminToRad));
  StorePosition(sky, Sexagesimal(f[2]) * HoursToDegrees * DegToRad, Sexagesimal(f[3]) * DegToRad,
                Number(f[4], 0) * TimeSecondsPerYearToRadiansPerDay,
                Number(f[5], 0) * ArcsecondsPerYearToRadiansPerDay, Number(f[1], 2000.0));
  // Until the first computation the catalog values stand for the current ones.
  sky.current = sky.position;
  sky.currentDistance = sky.distance;
  sky.currentMagnitude = sky.visualMagnitude;
  SetObjectName(*record, NameText(f[11]));
  out = std::move(record);
  return ResultOk;
}

// FindNamedObject: the object of that exact name (ASCII case ignored); 523 when there is none.
bool FindNamedObject(std::string_view name, ObjectId& found) {
  const std::string text(name.substr(0, NameFieldLength));
  if (FindObjectByName(text.c_str(), false, true, 0, found) == ResultOk) return true;
  Stop(ButtonsOk, MessageNoSuchObject, text.c_str());
  return false;
}

// The epoch field "year/month/day.d" as a Julian date; 2000/1/1.5 where it says nothing.
double EpochOfField(std::string_view field) {
  TextScanner s(field);
  long year = 2000;
  int16_t month = 1;
  double day = 1.5;
  if (s.ReadLong(year) && ReadSeparator(s, '/') && s.ReadInt16(month) && ReadSeparator(s, '/')) {
    s.ReadDouble(day);
  }
  const auto clampedYear = static_cast<int32_t>(std::clamp(year, -1000000L, 1000000L));
  return CalendarToJulianDate(clampedYear, month, day, 0, 0, 0, 0, CalendarGregorian);
}

int BuildOrbit(const Fields& f, std::unique_ptr<ObjectRecord>& out) {
  int kind = TypeNumber(f[0], KindComet);
  if (!IsSolarSystemKind(kind)) kind = KindComet;
  ObjectId primary = 0;
  if (!f[13].empty() && !FindNamedObject(f[13], primary)) return ResultFailed;
  auto record = NewRecord(static_cast<ObjectKind>(kind));
  if (!record) return ResultNoMemory;
  OrbitRecord& orbit = *OrbitOf(*record);
  ElementEntry entry;
  entry.equinoxYear = Number(f[1], 2000.0);
  const double a = Number(f[2], 1.0);
  entry.e = Number(f[3], 0);
  entry.q = a < 0 ? -a : std::fabs(1 - entry.e) * a;
  entry.i = Number(f[4], 0) * DegToRad;
  entry.omega = Number(f[5], 0) * DegToRad;
  entry.node = Number(f[6], 0) * DegToRad;
  entry.m = Number(f[7], 0) * DegToRad;
  entry.epoch = EpochOfField(f[8]);
  TextScanner magnitudes(f[9]);
  entry.magnitude1 = entry.magnitude2 = INFINITY;
  if (magnitudes.ReadDouble(entry.magnitude1)) magnitudes.ReadDouble(entry.magnitude2);
  orbit.radius = static_cast<float>(Number(f[10], 0) * AuPerKm);
  orbit.mass = static_cast<float>(Number(f[11], 0) * EarthMassToSolarMass);
  orbit.primary = primary;
  const ObjectRecord* parent = primary ? ObjectOfId(primary) : nullptr;
  const double parentMass = parent && OrbitOf(*parent) ? OrbitOf(*parent)->mass : 0;
  StoreElementEntry(entry, parent ? GaussK2 * (parentMass + orbit.mass) : GaussK2, orbit);
  if (kind == KindEarthSatellite) {
    OrbitalElements el = ElementsOfRecord(orbit);
    SatelliteRates(el);
    orbit.meanMotion = static_cast<float>(el.n);
    orbit.omegaRate = static_cast<float>(el.omegaRate);
    orbit.nodeRate = static_cast<float>(el.nodeRate);
  }
  SetObjectName(*record, NameText(f[12]));
  out = std::move(record);
  return ResultOk;
}

// A line position: R.A. in hours and Dec. in degrees as angle text, for the equinox of a year.
DirectionVector LinePosition(std::string_view ra, std::string_view dec, double epochYear) {
  Vector3 v = SphericalToRectangular(ParseAngleText(ra) * HoursToDegrees * DegToRad,
                                     ParseAngleText(dec) * DegToRad, 1.0);
  if (epochYear != 2000.0) {
    Matrix3 m;
    PrecessionMatrix(m, YearToJulianDate(epochYear), J2000, false);
    Transform(m, v);
  }
  return DirectionFromVector(v);
}

int BuildLine(const Fields& f, std::unique_ptr<ObjectRecord>& out) {
  const char form = f[0].size() > 1 ? f[0][1] : 0;
  if (form != '1' && form != '2') return ResultFailed;
  std::unique_ptr<ObjectRecord> record;
  if (form == '1') {
    ObjectId ends[2] = {0, 0};
    if (!FindNamedObject(f[1], ends[0]) || !FindNamedObject(f[2], ends[1])) return ResultFailed;
    record = NewRecord(KindObjectLine);
    if (!record) return ResultNoMemory;
    LineRecord& line = *LineOf(*record);
    for (int k = 0; k < 2; ++k) {
      line.ends[k] = ends[k];
      const DirectionVector* direction = CurrentDirection(*ObjectOfId(ends[k]));
      if (direction) line.positions[k] = *direction;
    }
    SetObjectName(*record, NameText(f[3]));
  } else {
    record = NewRecord(KindPositionLine);
    if (!record) return ResultNoMemory;
    LineRecord& line = *LineOf(*record);
    const double epoch = Number(f[1], 2000.0);
    line.positions[0] = LinePosition(f[2], f[3], epoch);
    line.positions[1] = LinePosition(f[4], f[5], epoch);
  }
  out = std::move(record);
  return ResultOk;
}

int BuildSite(const Fields& f, std::unique_ptr<ObjectRecord>& out) {
  auto record = NewRecord(KindLocation);
  if (!record) return ResultNoMemory;
  SiteRecord& site = *SiteOf(*record);
  site.longitude = static_cast<float>(ParseAngleText(f[1]) * DegToRad);
  site.latitude = static_cast<float>(ParseAngleText(f[2]) * DegToRad);
  site.altitude = static_cast<float>(Number(f[3], 0));
  site.timeZone = static_cast<float>(Number(f[4], 0) * DaysPerHour);
  SetObjectName(*record, NameText(f[5]));
  out = std::move(record);
  return ResultOk;
}

}  // namespace

int ParseObjectLine(std::string_view line, std::unique_ptr<ObjectRecord>& out) {
  out.reset();
  const Fields f = SplitFields(line.substr(0, ObjectLineSize - 1));
  switch (f[0].empty() ? 0 : FoldCase(f[0][0])) {
    case 's':
      return BuildSkyObject(f, out);
    case 'p':
      return BuildOrbit(f, out);
    case 'c':
      return BuildLine(f, out);
    case 'l':
      return BuildSite(f, out);
    default:
      return ResultNotFound;
  }
}

}  // namespace qv
