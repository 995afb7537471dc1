// tools/catalog/package.cpp - reading the sky-map package's data files.
#include "tools/catalog/package.h"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace qv {

namespace {

using nlohmann::json;

// The package marks an unknown deep-sky magnitude with 999.
constexpr double PackageUnknownMagnitude = 999;

const json* Member(const json& object, const char* key) {
  if (!object.is_object()) return nullptr;
  const auto it = object.find(key);
  return it == object.end() ? nullptr : &*it;
}

// The features array of a FeatureCollection, or an empty array.
const json& Features(const json& doc) {
  static const json empty = json::array();
  const json* features = Member(doc, "features");
  return features && features->is_array() ? *features : empty;
}

// [longitude, latitude] in degrees -> right ascension in [0, 360) and declination.
std::optional<SkyPosition> PositionFromPair(const json& pair) {
  if (!pair.is_array() || pair.size() < 2 || !pair[0].is_number() || !pair[1].is_number()) {
    return std::nullopt;
  }
  const double lon = pair[0].get<double>(), lat = pair[1].get<double>();
  if (!std::isfinite(lon) || !std::isfinite(lat) || std::fabs(lat) > 90) return std::nullopt;
  double ra = std::fmod(lon, 360.0);
  if (ra < 0) ra += 360.0;
  return SkyPosition{ra, lat};
}

std::optional<SkyPosition> PointPosition(const json& feature) {
  const json* geometry = Member(feature, "geometry");
  const json* coordinates = geometry ? Member(*geometry, "coordinates") : nullptr;
  return coordinates ? PositionFromPair(*coordinates) : std::nullopt;
}

const json& Properties(const json& feature) {
  static const json empty = json::object();
  const json* properties = Member(feature, "properties");
  return properties && properties->is_object() ? *properties : empty;
}

// The first dimension of "189.1x61.7" or "330", in arcminutes; 0 when there is none.
double MajorDimension(const std::string& text) {
  const char* start = text.c_str();
  char* end = nullptr;
  const double value = std::strtod(start, &end);
  return end != start && std::isfinite(value) && value > 0 ? value : 0;
}

std::optional<double> KnownMagnitude(const json& properties) {
  const std::optional<double> mag = NumberField(properties, "mag");
  if (!mag || *mag >= PackageUnknownMagnitude) return std::nullopt;
  return mag;
}

}  // namespace

bool ReadJsonFile(const std::string& path, json& out, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot open " + path;
    return false;
  }
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) {
    error = "cannot read " + path;
    return false;
  }
  out = json::parse(text.str(), nullptr, false);
  if (out.is_discarded()) {
    error = path + " is not valid JSON";
    return false;
  }
  return true;
}

std::optional<double> NumberField(const json& object, const char* key) {
  const json* value = Member(object, key);
  if (!value) return std::nullopt;
  if (value->is_number()) {
    const double v = value->get<double>();
    return std::isfinite(v) ? std::optional<double>(v) : std::nullopt;
  }
  if (!value->is_string()) return std::nullopt;
  const std::string& text = value->get_ref<const std::string&>();
  const char* start = text.c_str();
  char* end = nullptr;
  const double v = std::strtod(start, &end);
  while (end && *end == ' ') ++end;
  if (end == start || *end != '\0' || !std::isfinite(v)) return std::nullopt;
  return v;
}

std::string TextField(const json& object, const char* key) {
  const json* value = Member(object, key);
  if (!value) return {};
  if (value->is_string()) return value->get<std::string>();
  if (value->is_number_integer()) return std::to_string(value->get<long long>());
  return {};
}

std::vector<PackageStar> ReadPackageStars(const json& doc, PackageReadCounts& counts) {
  std::vector<PackageStar> stars;
  for (const json& feature : Features(doc)) {
    const json* id = Member(feature, "id");
    const std::optional<SkyPosition> position = PointPosition(feature);
    const std::optional<double> magnitude = NumberField(Properties(feature), "mag");
    if (!id || !id->is_number_integer() || id->get<long long>() <= 0 || !position || !magnitude) {
      ++counts.skipped;
      continue;
    }
    stars.push_back({static_cast<long>(id->get<long long>()), *position, *magnitude,
                     NumberField(Properties(feature), "bv")});
    ++counts.read;
  }
  return stars;
}

std::map<long, PackageStarNames> ReadPackageStarNames(const json& doc) {
  std::map<long, PackageStarNames> names;
  if (!doc.is_object()) return names;
  for (const auto& [key, entry] : doc.items()) {
    char* end = nullptr;
    const long hip = std::strtol(key.c_str(), &end, 10);
    if (hip <= 0 || *end != '\0' || !entry.is_object()) continue;
    names[hip] = {TextField(entry, "name"), TextField(entry, "bayer"), TextField(entry, "flam"),
                  TextField(entry, "var"),  TextField(entry, "hd"),    TextField(entry, "gl"),
                  TextField(entry, "c")};
  }
  return names;
}

std::vector<PackageDeepSky> ReadPackageDeepSky(const json& doc, PackageReadCounts& counts) {
  std::vector<PackageDeepSky> objects;
  for (const json& feature : Features(doc)) {
    const json& properties = Properties(feature);
    const std::string id = TextField(feature, "id");
    const std::optional<SkyPosition> position = PointPosition(feature);
    if (id.empty() || !position) {
      ++counts.skipped;
      continue;
    }
    objects.push_back({id, TextField(properties, "desig"), TextField(properties, "type"),
                       TextField(properties, "morph"), KnownMagnitude(properties),
                       NumberField(properties, "bv"), MajorDimension(TextField(properties, "dim")),
                       *position});
    ++counts.read;
  }
  return objects;
}

std::map<std::string, std::string> ReadPackageDeepSkyNames(const json& doc) {
  std::map<std::string, std::string> names;
  if (!doc.is_object()) return names;
  for (const auto& [key, entry] : doc.items()) {
    const std::string name = TextField(entry, "name");
    if (!name.empty()) names[key] = name;
  }
  return names;
}

std::vector<PackageMessier> ReadPackageMessier(const json& doc) {
  std::vector<PackageMessier> objects;
  for (const json& feature : Features(doc)) {
    const std::string id = TextField(feature, "id");  // "M31"
    const std::optional<SkyPosition> position = PointPosition(feature);
    if (id.size() < 2 || id[0] != 'M' || !position) continue;
    const int number = std::atoi(id.c_str() + 1);
    if (number < 1 || number > 110) continue;
    const json& properties = Properties(feature);
    objects.push_back({number, TextField(properties, "desig"), TextField(properties, "type"),
                       TextField(properties, "alt"), KnownMagnitude(properties),
                       MajorDimension(TextField(properties, "dim")), *position});
  }
  return objects;
}

std::vector<PackageConstellation> ReadPackageConstellations(const json& doc) {
  std::vector<PackageConstellation> constellations;
  for (const json& feature : Features(doc)) {
    const std::string id = TextField(feature, "id");
    const std::string name = TextField(Properties(feature), "name");
    const std::optional<SkyPosition> position = PointPosition(feature);
    if (id.empty() || name.empty() || !position) continue;
    constellations.push_back({id, name, *position});
  }
  return constellations;
}

std::vector<PackagePolylines> ReadPackagePolylines(const json& doc) {
  std::vector<PackagePolylines> result;
  for (const json& feature : Features(doc)) {
    std::string id = TextField(feature, "id");
    if (id.empty()) id = TextField(feature, "ids");  // shared borders name both sides
    const json* geometry = Member(feature, "geometry");
    const json* coordinates = geometry ? Member(*geometry, "coordinates") : nullptr;
    if (!coordinates || !coordinates->is_array()) continue;
    PackagePolylines lines{id, {}};
    for (const json& polyline : *coordinates) {
      if (!polyline.is_array()) continue;
      std::vector<SkyPosition> points;
      for (const json& pair : polyline) {
        if (const std::optional<SkyPosition> p = PositionFromPair(pair)) points.push_back(*p);
      }
      if (points.size() >= 2) lines.polylines.push_back(std::move(points));
    }
    result.push_back(std::move(lines));
  }
  return result;
}

std::vector<PackageMilkyWayRing> ReadPackageMilkyWay(const json& doc) {
  std::vector<PackageMilkyWayRing> rings;
  for (const json& feature : Features(doc)) {
    const std::string id = TextField(feature, "id");
    if (id.size() != 3 || id.compare(0, 2, "ol") != 0 || id[2] < '1' || id[2] > '5') continue;
    const json* geometry = Member(feature, "geometry");
    const json* polygons = geometry ? Member(*geometry, "coordinates") : nullptr;
    if (!polygons || !polygons->is_array()) continue;
    for (const json& polygon : *polygons) {
      if (!polygon.is_array()) continue;
      for (const json& ring : polygon) {
        if (!ring.is_array()) continue;
        PackageMilkyWayRing out{id[2] - '0', {}};
        for (const json& pair : ring) {
          if (const std::optional<SkyPosition> p = PositionFromPair(pair)) out.points.push_back(*p);
        }
        const bool closed = out.points.size() > 1 &&
                            out.points.front().raDeg == out.points.back().raDeg &&
                            out.points.front().decDeg == out.points.back().decDeg;
        if (closed) out.points.pop_back();
        if (out.points.size() >= 3) rings.push_back(std::move(out));
      }
    }
  }
  return rings;
}

}  // namespace qv
