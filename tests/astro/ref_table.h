// tests/astro/ref_table.h - reading the reference tables of tests/astro/ref/ (tab-separated, a
// '#' comment line, a header line, then rows), and small geometry helpers the comparisons share.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "astro/angles.h"
#include "astro/kinds.h"
#include "astro/vector.h"
#include "tests/support/degree.h"

namespace qv::test {

struct RefRow {
  std::map<std::string, std::string> fields;
  int line = 0;
  double Number(const std::string& column) const { return std::stod(fields.at(column)); }
  const std::string& Text(const std::string& column) const { return fields.at(column); }
};

inline std::vector<RefRow> LoadRefTable(const std::string& name) {
  std::ifstream in(std::string(QV_TEST_DATA_DIR) + "/astro/ref/" + name);
  std::vector<RefRow> rows;
  std::vector<std::string> header;
  std::string text;
  for (int line = 1; std::getline(in, text); ++line) {
    if (text.empty() || text[0] == '#') continue;
    std::vector<std::string> cells;
    std::stringstream split(text);
    for (std::string cell; std::getline(split, cell, '\t');) cells.push_back(cell);
    if (header.empty()) {
      header = cells;
      continue;
    }
    RefRow row;
    row.line = line;
    for (size_t k = 0; k < cells.size() && k < header.size(); ++k) row.fields[header[k]] = cells[k];
    rows.push_back(row);
  }
  EXPECT_FALSE(rows.empty()) << "reference table " << name << " is missing or empty";
  return rows;
}

// The bodies of the reference tables by name.
inline int BodyKindOfName(const std::string& name) {
  static const std::map<std::string, int> kinds = {
      {"Sun", KindSun},       {"Moon", KindMoon},     {"Mercury", KindMercury},
      {"Venus", KindVenus},   {"Mars", KindMars},     {"Jupiter", KindJupiter},
      {"Saturn", KindSaturn}, {"Uranus", KindUranus}, {"Neptune", KindNeptune},
      {"Pluto", KindPluto}};
  return kinds.at(name);
}
inline const char* const MajorBodyNames[] = {"Sun",     "Moon",   "Mercury", "Venus",   "Mars",
                                             "Jupiter", "Saturn", "Uranus",  "Neptune", "Pluto"};

constexpr double ArcsecPerRadian = 3600 / Deg;

inline Vector3 UnitFromDegrees(double raDeg, double decDeg) {
  return SphericalToRectangular(raDeg * Deg, decDeg * Deg, 1.0);
}

inline Vector3 Unit(const Vector3& v) {
  const double l = Length(v);
  return Vector3{v.x / l, v.y / l, v.z / l};
}

// Angle between two directions in arc-seconds (atan2 form: exact for small angles).
inline double SeparationArcsec(const Vector3& a, const Vector3& b) {
  Vector3 c;
  Cross(a, b, c);
  return std::atan2(Length(c), Dot(a, b)) * ArcsecPerRadian;
}

// Offsets (east, north) in arc-seconds of direction q from direction p, on the tangent plane at p.
struct SkyOffset {
  double east, north;
};
inline SkyOffset OffsetArcsec(const Vector3& p, const Vector3& q) {
  const Vector3 u = Unit(p);
  Vector3 east{-u.y, u.x, 0};
  east = Unit(east);
  Vector3 north;
  Cross(u, east, north);
  const Vector3 w = Unit(q);
  return SkyOffset{Dot(w, east) / Dot(w, u) * ArcsecPerRadian,
                   Dot(w, north) / Dot(w, u) * ArcsecPerRadian};
}

}  // namespace qv::test
