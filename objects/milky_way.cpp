// objects/milky_way.cpp - reading the Milky Way's outline (milky_way.h).
#include "objects/milky_way.h"

#include <cmath>
#include <cstdint>
#include <string_view>

#include "objects/decimal_text.h"
#include "platform/files.h"
#include "platform/result.h"

namespace qv {

namespace {

constexpr double DegreesToRadians = 0.017453292519943295;

Vector3 UnitVector(double raDeg, double decDeg) {
  const double ra = raDeg * DegreesToRadians, dec = decDeg * DegreesToRadians;
  return Vector3{std::cos(dec) * std::cos(ra), std::cos(dec) * std::sin(ra), std::sin(dec)};
}

bool OnlyBlanksFrom(std::string_view line, size_t at) {
  return line.find_first_not_of(" \t\r\n\v\f", at) == std::string_view::npos;
}

// One line into the rings; false when it is none of the file's items. Numbers are read without
// the C library's scanf: it follows the user's locale and was most of a chart's drawing time.
bool ParseLine(std::string_view line, MilkyWay& out) {
  const size_t first = line.find_first_not_of(" \t\r");
  if (first == std::string_view::npos || line[first] == '#') return true;
  if (line[first] == 'R') {
    size_t used = 0;
    const int64_t level = ParseWhole(line.substr(first + 1), 0, MilkyWayLevels + 1, &used);
    if (used == 0 || !OnlyBlanksFrom(line, first + 1 + used)) return false;
    if (level < 1 || level > MilkyWayLevels) return false;
    if (!out.rings.empty() && out.rings.back().points.size() < 3) return false;
    out.rings.push_back({static_cast<int>(level), {}});
    return true;
  }
  size_t raEnd = 0, decUsed = 0;
  const double ra = ParseDecimal(line, &raEnd);
  const double dec = raEnd ? ParseDecimal(line.substr(raEnd), &decUsed) : 0;
  if (decUsed == 0 || !OnlyBlanksFrom(line, raEnd + decUsed)) return false;
  if (out.rings.empty() || !(std::fabs(dec) <= 90)) return false;
  out.rings.back().points.push_back(UnitVector(ra, dec));
  return true;
}

}  // namespace

Vector3 NorthGalacticPole() { return UnitVector(192.85948, 27.12825); }

bool ParseMilkyWay(std::string_view text, MilkyWay& out) {
  out.rings.clear();
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    if (!ParseLine(text.substr(start, end - start), out)) {
      out.rings.clear();
      return false;
    }
    start = end + 1;
  }
  if (!out.rings.empty() && out.rings.back().points.size() < 3) {
    out.rings.clear();
    return false;
  }
  return true;
}

int ReadMilkyWay(std::string_view path, MilkyWay& out) {
  std::vector<uint8_t> bytes;
  if (ReadWholeFile(path, bytes) != ResultOk) {
    out.rings.clear();
    return ResultNotFound;
  }
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  return ParseMilkyWay(text, out) ? ResultOk : ResultReadError;
}

}  // namespace qv
