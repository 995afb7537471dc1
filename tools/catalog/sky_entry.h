// tools/catalog/sky_entry.h - the catalog converter's records: stars and deep-sky objects and the
// constellation lines, as they are written to object text files for the program's importer.
// Positions are J2000 right ascension and declination in degrees; magnitudes in magnitudes.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "objects/records.h"

namespace qv {

struct SkyPosition {
  double raDeg = 0;   // [0, 360)
  double decDeg = 0;  // [-90, +90]
};

// A star's motion and distance (Hipparcos values).
struct StarMotion {
  double raMas = 0;                   // proper motion in R.A. times cos Dec., mas/yr
  double decMas = 0;                  // proper motion in Dec., mas/yr
  std::optional<double> parallaxMas;  // none: not measured (or not positive)
};

// One star or deep-sky object. names are the parts of its name text in the order written:
// proper or common name first, then designations.
struct SkyEntry {
  int kind = KindSingleStar;  // ObjectKind 51-54, 61-65
  SkyPosition position;
  std::optional<double> magnitude;   // V; none = unknown
  std::optional<double> colorIndex;  // B-V; none = unknown
  double sizeArcmin = 0;             // apparent diameter of a deep-sky object; 0 = none
  std::vector<std::string> names;
  long hd = 0;                       // a star's Henry Draper number; 0 = none known
  std::optional<StarMotion> motion;  // stars only; none = not known
};

// A constellation figure line ("C1"): two objects named by designations that the importer finds
// with an exact name match; label is the constellation's name on one line per figure.
struct FigureLine {
  std::string first;
  std::string second;
  std::string label;
};

// A constellation boundary segment ("C2") between two fixed J2000 positions.
struct BoundaryLine {
  SkyPosition first;
  SkyPosition second;
};

}  // namespace qv
