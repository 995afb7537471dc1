// tools/catalog/catalog_main.cpp - qv_catalog: converts the sky-map package's data folder into
// object text files for the default database.
//   qv_catalog DATA_DIR OUT_DIR
#include <cstdio>
#include <string>

#include "tools/catalog/convert.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: qv_catalog DATA_DIR OUT_DIR\n");
    return 2;
  }
  qv::CatalogReport report;
  std::string error;
  if (!qv::ConvertCatalog(argv[1], argv[2], report, error)) {
    std::fprintf(stderr, "qv_catalog: %s\n", error.c_str());
    return 1;
  }
  std::printf(
      "qv_catalog: %d stars, %d deep-sky objects, %d figure lines (%d labelled), "
      "%d boundary lines in %zu files\n",
      report.stars, report.deepSky, report.figureLines, report.figures.labels, report.boundaryLines,
      report.files.size());
  if (report.skippedEntries > 0 || report.figures.unmatchedVertices > 0 ||
      report.figures.unlabelled > 0 || report.deepSkyCounts.unknownType > 0) {
    std::printf(
        "qv_catalog: left out %d entries without position or magnitude, %d deep-sky "
        "objects of unknown type, %d figure vertices without a star; %d constellations "
        "without figure\n",
        report.skippedEntries, report.deepSkyCounts.unknownType, report.figures.unmatchedVertices,
        report.figures.unlabelled);
  }
  return 0;
}
