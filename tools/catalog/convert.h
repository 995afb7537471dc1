// tools/catalog/convert.h - the whole conversion: the sky-map package's data folder in, object
// text files for the program's importer out, plus "FileList.txt" naming them in import order.
#pragma once

#include <string>
#include <vector>

#include "tools/catalog/deep_sky.h"
#include "tools/catalog/figures.h"
#include "tools/catalog/layers.h"
#include "tools/catalog/star_motions.h"

namespace qv {

// Star layers: the default chart limit is 5.50 and a file is read only when its brightest star is
// brighter than the limit, so the whole-sky bright layer stops exactly there; each halving of the
// field lifts the limit by one magnitude, and the fainter layers are cut finer as the charts that
// reach them get narrower.
const std::vector<MagnitudeLayer>& StarLayers();
// Deep-sky layers: everything a wide chart shows (the faintest default kind limit is 9.50) in one
// file, the rest (and objects of unknown magnitude) by region.
const std::vector<MagnitudeLayer>& DeepSkyLayers();

struct CatalogReport {
  int stars = 0;
  int deepSky = 0;
  int figureLines = 0;
  int boundaryLines = 0;
  int skippedEntries = 0;  // package entries without position or magnitude
  int milkyWayRings = 0;   // in MilkyWay.txt, which is read beside the database, not imported
  FigureCounts figures;
  DeepSkyCounts deepSkyCounts;
  MotionMatchCounts motions;
  std::vector<std::string> files;  // in import order, the list's own name not included
};

// ConvertCatalog: reads dataDir (stars.14.json, starnames.json, dsos.14.json, dsonames.json,
// messier.json, constellations.json, constellations.lines.json, constellations.borders.json,
// mw.json) and
// the star files of starDataDir (namedstars.dat, unnamedstars.dat, stars.dat: motions and
// distances),
// and writes outDir's files: the object text files, their list and MilkyWay.txt. False with a
// one-line reason when a file cannot be read or written.
bool ConvertCatalog(const std::string& dataDir, const std::string& starDataDir,
                    const std::string& outDir, CatalogReport& report, std::string& error);

}  // namespace qv
