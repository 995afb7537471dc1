// objects/tleimport.cpp - converting two-line element sets into satellite records.
#include "objects/tleimport.h"

#include <cmath>

#include "astro/constants.h"
#include "astro/satellite.h"
#include "astro/time.h"
#include "objects/bodies.h"
#include "objects/messages.h"
#include "objects/orbit_elements.h"
#include "objects/store.h"
#include "objects/textscan.h"
#include "platform/alert.h"
#include "platform/result.h"

namespace qv {
namespace {

constexpr double RevolutionsPerDayToRadiansPerMinute = TwoPi / 1440;
constexpr double HalfSizeMetresToAu = MetresToAu / 2;  // size / 2 in m, as AU
constexpr size_t LongNameLine = 36;
constexpr size_t NameWithMagnitude = 14;
constexpr long FirstCenturyYear = 51;  // two-digit years below this are 20xx, others 19xx

// A fixed-width field at a 0-based column; absent when the line is shorter or it does not read.
bool Column(std::string_view line, size_t column, size_t width, double& out) {
  if (column >= line.size()) return false;
  TextScanner s(line, column);
  return s.ReadDouble(out, width);
}

bool ColumnLong(std::string_view line, size_t column, size_t width, long& out) {
  if (column >= line.size()) return false;
  TextScanner s(line, column);
  return s.ReadLong(out, width);
}

// The first Earth (kind 4) in files that hold solar-system bodies.
ObjectId FindEarth() {
  for (ObjectId file = FirstFile(); file != 0; file = NextFile(file)) {
    if (FileOfId(file)->summary.solarSystemCount <= 0) continue;
    for (ObjectId id = FirstObjectInFile(file); id != 0; id = NextObjectInFile(id)) {
      if (ObjectOfId(id)->kind == KindEarth) return id;
    }
  }
  return 0;
}

struct NameLineValues {
  std::string name;
  double sizeMetres = 0;
  double magnitude = INFINITY;
};

NameLineValues ReadNameLine(std::string_view line) {
  NameLineValues v;
  if (line.size() > LongNameLine) {
    Column(line, 16, 4, v.sizeMetres);
    if (Column(line, 30, 4, v.magnitude)) line = line.substr(0, NameWithMagnitude);
  }
  while (!line.empty() && IsBlank(line.back())) line.remove_suffix(1);  // padded names
  v.name = std::string(line);
  return v;
}

}  // namespace

int ElementSetToRecord(std::string_view nameLine, std::string_view line1, std::string_view line2,
                       std::unique_ptr<ObjectRecord>& out) {
  const ObjectId earth = FindEarth();
  if (earth == 0) {
    Stop(ButtonsOk, MessageNoSuchObject, "Earth");
    return ResultFailed;
  }
  long year = 0, exponent = 0;
  double day = 0, rate = 0, accelMantissa = 0;
  ColumnLong(line1, 18, 2, year);
  Column(line1, 20, 12, day);
  Column(line1, 33, 10, rate);
  Column(line1, 44, 6, accelMantissa);
  ColumnLong(line1, 50, 2, exponent);
  year += year < FirstCenturyYear ? 2000 : 1900;

  double i = 0, node = 0, eScaled = 0, omega = 0, m = 0, revolutionsPerDay = 0;
  Column(line2, 8, 8, i);
  Column(line2, 17, 8, node);
  Column(line2, 26, 7, eScaled);
  Column(line2, 34, 8, omega);
  Column(line2, 43, 8, m);
  Column(line2, 52, 11, revolutionsPerDay);
  const double e = eScaled * 1e-7;
  const double n = revolutionsPerDay * RevolutionsPerDayToRadiansPerMinute;
  if (!(n > 0) || e >= 1) return ResultFailed;  // no closed orbit to follow

  // The semimajor axis (Earth radii) of the mean motion; the oblateness rates follow from it.
  OrbitalElements el;
  el.e = e;
  el.i = i * DegToRad;
  el.q = (1 - e) * std::pow(SatelliteKe / n, 2.0 / 3.0) / EarthRadiiPerAu;
  SatelliteRates(el);

  auto record = NewRecord(KindEarthSatellite);
  if (!record) return ResultNoMemory;
  OrbitRecord& orbit = *OrbitOf(*record);
  const NameLineValues named = ReadNameLine(nameLine);
  orbit.primary = earth;
  orbit.epoch =
      CalendarToJulianDate(static_cast<int32_t>(year), 1, day, 0, 0, 0, 0, CalendarGregorian) -
      ModifiedJulianDateOffset;
  orbit.q = static_cast<float>(el.q);
  orbit.e = static_cast<float>(e);
  orbit.i = static_cast<float>(el.i);
  orbit.omega = static_cast<float>(omega * DegToRad);
  orbit.node = static_cast<float>(node * DegToRad);
  orbit.meanAnomaly = static_cast<float>(m * DegToRad);
  orbit.meanMotion = static_cast<float>(el.n);
  orbit.meanMotionRate = static_cast<float>(rate * TwoPi);
  orbit.meanMotionAccel =
      static_cast<float>(accelMantissa * 1e-5 * std::pow(10.0, exponent) * TwoPi);
  orbit.omegaRate = static_cast<float>(el.omegaRate);
  orbit.nodeRate = static_cast<float>(el.nodeRate);
  orbit.magnitudeParam1 = HundredthsFromValue(named.magnitude);
  orbit.magnitudeParam2 = UnknownMagnitude;
  orbit.radius = static_cast<float>(named.sizeMetres * HalfSizeMetresToAu);
  SetObjectName(*record, named.name);
  ComputeApparentPlace(*record);  // the first position, for the sky context as it stands
  out = std::move(record);
  return ResultOk;
}

bool PushElementLine(ElementWindow& window, std::string_view line, std::string& nameLine,
                     std::string& line1, std::string& line2) {
  window.lines.emplace_back(line);
  if (window.lines.size() > 3) window.lines.pop_front();
  if (window.lines.size() < 3 || window.lines[0].empty() || !window.lines[1].starts_with('1') ||
      !window.lines[2].starts_with('2')) {
    return false;
  }
  nameLine = std::move(window.lines[0]);
  line1 = std::move(window.lines[1]);
  line2 = std::move(window.lines[2]);
  window.lines.clear();
  return true;
}

}  // namespace qv
