// tools/catalog/deep_sky.h - deep-sky objects of the package (OpenNGC and other catalogs) as the
// program's sky objects: kinds from the package's types, Messier, NGC and IC designations in the
// program's text forms, common names, sizes in arcminutes and magnitudes.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "tools/catalog/package.h"
#include "tools/catalog/sky_entry.h"

namespace qv {

// DeepSkyKind: 61 open cluster, 62 globular, 63 nebulae (bright, dark, emission, reflection,
// star-forming, supernova remnants), 64 planetary nebula, 65 galaxies and galaxy clusters; 0 for
// a type the package does not document. A star-forming region or nebula whose morphology is a
// Trumpler cluster class ("I3rn") is an open cluster: the package types the Pleiades that way.
int DeepSkyKind(const std::string& type, const std::string& morph);

// DeepSkyDesignation: the program's text form of a designation ("NGC 224" -> "NGC224",
// "M 31" -> "M31", "IC 434a" -> "IC434A", "PN G 003.0-01.7" -> "PNG003.0-01.7",
// "PK 060-07.1" -> "PK60-07 1"); other catalogs
// keep their text ("Cr 39", "Sh2 155").
std::string DeepSkyDesignation(const std::string& id);
// MessierNumber: 1-110 for "M31", else 0.
int MessierNumber(const std::string& designation);

// A Messier object's catalog entry agrees with the Messier list when the magnitudes differ by at
// most this much and the sizes by at most this factor.
constexpr double MessierMagnitudeTolerance = 0.5;
constexpr double MessierSizeFactor = 2.0;

struct DeepSkyCounts {
  int unknownType = 0;   // package entries of a type the converter does not know: left out
  int merged = 0;        // entries that repeated another's Messier number
  int messierAdded = 0;  // Messier objects taken from the Messier list (absent otherwise)
  std::vector<int> messierCorrected;  // numbers whose entry disagreed with the Messier list
};

// BuildDeepSky: one entry per object; a Messier number is carried by exactly one object, with
// the Messier list's magnitude and size where the list gives them. Dark
// nebulae (and every entry of the Lynds and Barnard dark-nebula catalogs, whatever its type) and
// objects of magnitude 0 get no magnitude: the package's numbers there are opacity classes and
// placeholders.
std::vector<SkyEntry> BuildDeepSky(const std::vector<PackageDeepSky>& objects,
                                   const std::map<std::string, std::string>& commonNames,
                                   const std::vector<PackageMessier>& messier,
                                   DeepSkyCounts& counts);

}  // namespace qv
