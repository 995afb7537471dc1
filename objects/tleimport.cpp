// objects/tleimport.cpp - converting two-line element sets into satellite records.
#include "objects/tleimport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <span>

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
constexpr size_t ElementLineLength = 69;
constexpr size_t ChecksumColumn = 68;

// The blanks and decimal points of each line, where the format puts them: a field that slipped
// by a column moves one of them.
struct FixedCharacter {
  size_t column;
  char c;
};
constexpr FixedCharacter Line1Fixed[] = {{1, ' '},  {8, ' '},  {17, ' '}, {23, '.'}, {32, ' '},
                                         {34, '.'}, {43, ' '}, {52, ' '}, {61, ' '}, {63, ' '}};
constexpr FixedCharacter Line2Fixed[] = {{1, ' '},  {7, ' '},  {11, '.'}, {16, ' '},
                                         {20, '.'}, {25, ' '}, {33, ' '}, {37, '.'},
                                         {42, ' '}, {46, '.'}, {51, ' '}, {54, '.'}};

// The elements that have a range of their own: line, column, width, name, range.
struct ElementField {
  int line;
  size_t column, width;
  const char* name;
  double min, max;
};
constexpr ElementField RangedFields[] = {
    {1, 20, 12, "epoch day of the year", 1, 366.99999999},
    {2, 8, 8, "inclination", 0, 180},
    {2, 17, 8, "node", 0, 360},
    {2, 34, 8, "argument of perigee", 0, 360},
    {2, 43, 8, "mean anomaly", 0, 360},
    // From a few turns a month (far beyond the Moon) to the turns of an orbit at the ground.
    {2, 52, 11, "mean motion", 0.01, 20},
};

int Checksum(std::string_view line) {
  int sum = 0;
  for (size_t k = 0; k < ChecksumColumn; ++k) {
    if (line[k] >= '0' && line[k] <= '9') sum += line[k] - '0';
    if (line[k] == '-') ++sum;
  }
  return sum % 10;
}

template <typename... Args>
std::string Describe(const char* format, Args... args) {
  char text[160];
  std::snprintf(text, sizeof text, format, args...);
  return text;
}

// LineProblem: the length, checksum and fixed characters of one line.
std::string LineProblem(int number, std::string_view line, std::span<const FixedCharacter> fixed) {
  if (line.size() < ElementLineLength)
    return Describe("line %d of the element set is shorter than 69 characters", number);
  const char written = line[ChecksumColumn];
  if (written < '0' || written > '9' || Checksum(line) != written - '0') {
    return Describe("the checksum of line %d of the element set is %d, not %c", number,
                    Checksum(line), written);
  }
  for (const FixedCharacter& f : fixed) {
    if (line[f.column] != f.c)
      return Describe("the fields of line %d of the element set are out of their columns", number);
  }
  return std::string();
}

bool AllDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

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

std::string ElementSetProblem(std::string_view line1, std::string_view line2) {
  std::string problem = LineProblem(1, line1, Line1Fixed);
  if (problem.empty()) problem = LineProblem(2, line2, Line2Fixed);
  if (!problem.empty()) return problem;
  if (line1.substr(2, 5) != line2.substr(2, 5))
    return "the two lines of the element set are of different satellites";
  if (!AllDigits(line1.substr(18, 2))) return "the epoch year of the element set is not a number";
  if (!AllDigits(line2.substr(26, 7))) return "the eccentricity of the element set is not a number";
  for (const ElementField& f : RangedFields) {
    double value = 0;
    if (!Column(f.line == 1 ? line1 : line2, f.column, f.width, value) || value < f.min ||
        value > f.max) {
      return Describe("the %s of the element set is not a number from %g to %g", f.name, f.min,
                      f.max);
    }
  }
  return std::string();
}

int ElementSetToRecord(std::string_view nameLine, std::string_view line1, std::string_view line2,
                       std::unique_ptr<ObjectRecord>& out, std::string* problem) {
  const std::string wrong = ElementSetProblem(line1, line2);
  if (!wrong.empty()) {
    if (problem) *problem = wrong;
    return ResultFailed;
  }
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
