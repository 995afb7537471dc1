// tools/catalog/package.h - reading the sky-map package's data files (GeoJSON feature collections
// and name tables, its data/readme.md describes them). Coordinates there are [longitude, latitude]
// in degrees with longitude in [-180, 180]; they become right ascension in [0, 360).
// Readers skip entries they cannot use and count them, so one bad entry never stops a build.
#pragma once

#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "tools/catalog/sky_entry.h"

namespace qv {

// ReadJsonFile: parses a whole file; false with a one-line reason when it cannot be read or is
// not JSON. Never throws.
bool ReadJsonFile(const std::string& path, nlohmann::json& out, std::string& error);

struct PackageStar {  // stars.14.json
  long hip = 0;
  SkyPosition position;
  double magnitude = 0;
  std::optional<double> colorIndex;
};

struct PackageStarNames {     // starnames.json, by Hipparcos number
  std::string name;           // proper name
  std::string bayer;          // Greek (or Latin) letter, optional superscript digit: "π1"
  std::string flamsteed;      // "9"
  std::string variable;       // "RR", "V0822"
  std::string hd;             // "HD 48915" (the package puts a thin space after HD)
  std::string gliese;         // "GJ 244A": a trailing component letter marks a multiple system
  std::string constellation;  // "CMa"
};

struct PackageDeepSky {             // dsos.14.json
  std::string id;                   // "NGC 224"
  std::string desig;                // "M 31"
  std::string type;                 // "s", "oc", "pn", ...
  std::string morph;                // morphology; Trumpler class for clusters ("II3m")
  std::optional<double> magnitude;  // none when absent or 999
  std::optional<double> colorIndex;
  double sizeArcmin = 0;  // first (major) dimension
  SkyPosition position;
};

struct PackageMessier {  // messier.json
  int number = 0;
  std::string desig;  // "NGC 4192", "NGC 5194/5", "" for none
  std::string type;
  std::string commonName;  // "alt"
  std::optional<double> magnitude;
  double sizeArcmin = 0;
  SkyPosition position;
};

struct PackageConstellation {  // constellations.json
  std::string abbreviation;    // "CMa"
  std::string name;            // "Canis Major"
  SkyPosition labelPosition;
};

struct PackagePolylines {  // constellations.lines.json and constellations.borders.json
  std::string id;          // constellation abbreviation, or "And,Lac" for a shared border
  std::vector<std::vector<SkyPosition>> polylines;
};

struct PackageMilkyWayRing {        // mw.json: one outline ring of a brightness level
  int level = 0;                    // 1 (faintest, widest) to 5
  std::vector<SkyPosition> points;  // the ring's vertices, the closing repeat dropped
};

struct PackageReadCounts {
  int read = 0;
  int skipped = 0;  // entries without the fields the converter needs
};

std::vector<PackageStar> ReadPackageStars(const nlohmann::json& doc, PackageReadCounts& counts);
std::map<long, PackageStarNames> ReadPackageStarNames(const nlohmann::json& doc);
std::vector<PackageDeepSky> ReadPackageDeepSky(const nlohmann::json& doc,
                                               PackageReadCounts& counts);
// Common English names of deep-sky objects keyed by the package's designation ("NGC 224").
std::map<std::string, std::string> ReadPackageDeepSkyNames(const nlohmann::json& doc);
std::vector<PackageMessier> ReadPackageMessier(const nlohmann::json& doc);
std::vector<PackageConstellation> ReadPackageConstellations(const nlohmann::json& doc);
std::vector<PackagePolylines> ReadPackagePolylines(const nlohmann::json& doc);
// ReadPackageMilkyWay: the rings of the features "ol1" to "ol5" (MultiPolygons); rings of fewer
// than three usable vertices are left out.
std::vector<PackageMilkyWayRing> ReadPackageMilkyWay(const nlohmann::json& doc);

// NumberField: a number given as a JSON number or as a numeric string ("0.482"); none when the
// field is absent, empty or not a number.
std::optional<double> NumberField(const nlohmann::json& object, const char* key);
// TextField: a string field, or "" when absent or not a string; numbers are given as text.
std::string TextField(const nlohmann::json& object, const char* key);

}  // namespace qv
