// tools/catalog/catalog_main.cpp - qv_catalog: converts the sky-map package's data folder into
// object text files for the default database.
//   qv_catalog DATA_DIR STAR_DATA_DIR OUT_DIR
#include <cstdio>
#include <string>

#include "tools/catalog/convert.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: qv_catalog DATA_DIR STAR_DATA_DIR OUT_DIR\n");
    return 2;
  }
  qv::CatalogReport report;
  std::string error;
  if (!qv::ConvertCatalog(argv[1], argv[2], argv[3], report, error)) {
    std::fprintf(stderr, "qv_catalog: %s\n", error.c_str());
    return 1;
  }
  std::printf(
      "qv_catalog: %d stars, %d deep-sky objects, %d figure lines (%d labelled), "
      "%d boundary lines in %zu files\n",
      report.stars, report.deepSky, report.figureLines, report.figures.labels, report.boundaryLines,
      report.files.size());
  const qv::MotionMatchCounts& m = report.motions;
  std::printf(
      "qv_catalog: motions for %d stars by HD number, %d by position, %d from the text "
      "catalog, %d without; %d of %d stars brighter than magnitude 8 (%.1f%%)\n",
      m.byHd, m.byPosition, m.byText, m.unmatched, m.brightMatched, m.bright,
      m.bright > 0 ? 100.0 * m.brightMatched / m.bright : 0.0);
  if (!report.deepSkyCounts.messierCorrected.empty()) {
    std::printf("qv_catalog: magnitude or size from the Messier list for");
    for (int m : report.deepSkyCounts.messierCorrected) std::printf(" M%d", m);
    std::printf("\n");
  }
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
