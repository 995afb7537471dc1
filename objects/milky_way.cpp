// objects/milky_way.cpp - reading the Milky Way's outline (milky_way.h).
#include "objects/milky_way.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "platform/files.h"
#include "platform/result.h"

namespace qv {

namespace {

constexpr double DegreesToRadians = 0.017453292519943295;

Vector3 UnitVector(double raDeg, double decDeg) {
  const double ra = raDeg * DegreesToRadians, dec = decDeg * DegreesToRadians;
  return Vector3{std::cos(dec) * std::cos(ra), std::cos(dec) * std::sin(ra), std::sin(dec)};
}

// One line into the rings; false when it is none of the file's items.
bool ParseLine(const std::string& line, MilkyWay& out) {
  const size_t first = line.find_first_not_of(" \t\r");
  if (first == std::string::npos || line[first] == '#') return true;
  char tail = 0;
  int level = 0;
  if (std::sscanf(line.c_str(), " R %d %c", &level, &tail) == 1) {
    if (level < 1 || level > MilkyWayLevels) return false;
    if (!out.rings.empty() && out.rings.back().points.size() < 3) return false;
    out.rings.push_back({level, {}});
    return true;
  }
  double ra = 0, dec = 0;
  if (std::sscanf(line.c_str(), "%lf %lf %c", &ra, &dec, &tail) != 2) return false;
  if (out.rings.empty() || !std::isfinite(ra) || !(std::fabs(dec) <= 90)) return false;
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
    if (!ParseLine(std::string(text.substr(start, end - start)), out)) {
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
