// tools/catalog/convert.cpp - the package's data folder to object text files.
#include "tools/catalog/convert.h"

#include <algorithm>
#include <fstream>
#include <limits>

#include "tools/catalog/package.h"
#include "tools/catalog/star_motions.h"
#include "tools/catalog/star_names.h"
#include "tools/catalog/text_lines.h"

namespace qv {

namespace {

constexpr double Unlimited = std::numeric_limits<double>::infinity();

struct PackageDocuments {
  nlohmann::json stars, starNames, deepSky, deepSkyNames, messier, constellations, figures, borders,
      milkyWay;
};

bool ReadDocuments(const std::string& dir, PackageDocuments& docs, std::string& error) {
  const std::pair<const char*, nlohmann::json*> files[] = {
      {"stars.14.json", &docs.stars},
      {"starnames.json", &docs.starNames},
      {"dsos.14.json", &docs.deepSky},
      {"dsonames.json", &docs.deepSkyNames},
      {"messier.json", &docs.messier},
      {"constellations.json", &docs.constellations},
      {"constellations.lines.json", &docs.figures},
      {"constellations.borders.json", &docs.borders},
      {"mw.json", &docs.milkyWay},
  };
  for (const auto& [name, doc] : files) {
    if (!ReadJsonFile(dir + "/" + name, *doc, error)) return false;
  }
  return true;
}

// WriteTextFile: one line per item.
template <typename Items, typename Format>
bool WriteTextFile(const std::string& path, const Items& items, Format format, std::string& error) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  for (const auto& item : items) out << format(item) << '\n';
  out.close();
  if (!out) {
    error = "cannot write " + path;
    return false;
  }
  return true;
}

// WriteSkyFiles: layer by layer, stars before deep-sky objects of the same layer, so bright
// objects come first: the importer numbers database files in this order and name searches walk
// them in it.
bool WriteSkyFiles(const std::string& outDir, const std::vector<SkyFile>& stars,
                   const std::vector<SkyFile>& deepSky, CatalogReport& report, std::string& error) {
  const size_t layers = std::max(StarLayers().size(), DeepSkyLayers().size());
  for (size_t layer = 0; layer < layers; ++layer) {
    for (const std::vector<SkyFile>* files : {&stars, &deepSky}) {
      for (const SkyFile& file : *files) {
        if (file.layer != layer) continue;
        if (!WriteTextFile(
                outDir + "/" + file.name, file.entries,
                [](const SkyEntry* e) { return SkyObjectLine(*e); }, error)) {
          return false;
        }
        report.files.push_back(file.name);
      }
    }
  }
  return true;
}

}  // namespace

const std::vector<MagnitudeLayer>& StarLayers() {
  static const std::vector<MagnitudeLayer> layers = {
      {5.50, 0}, {7.50, 45}, {9.50, 30}, {Unlimited, 45}};
  return layers;
}

const std::vector<MagnitudeLayer>& DeepSkyLayers() {
  static const std::vector<MagnitudeLayer> layers = {{9.50, 0}, {Unlimited, 45}};
  return layers;
}

bool ConvertCatalog(const std::string& dataDir, const std::string& starDataDir,
                    const std::string& outDir, CatalogReport& report, std::string& error) {
  PackageDocuments docs;
  if (!ReadDocuments(dataDir, docs, error)) return false;
  std::vector<DataFileStar> binaryStars, textStars;
  if (!ReadStarDataFiles(starDataDir, binaryStars, error) ||
      !ReadStarCatalogText(starDataDir + "/stars.dat", textStars, report.motions.unreadLines,
                           error)) {
    return false;
  }

  PackageReadCounts starCounts, deepSkyCounts;
  const std::vector<PackageConstellation> constellations =
      ReadPackageConstellations(docs.constellations);
  std::vector<SkyEntry> stars =
      BuildStars(ReadPackageStars(docs.stars, starCounts), ReadPackageStarNames(docs.starNames));
  AddStarMotions(stars, binaryStars, textStars, report.motions);
  const std::vector<SkyEntry> deepSky = BuildDeepSky(
      ReadPackageDeepSky(docs.deepSky, deepSkyCounts), ReadPackageDeepSkyNames(docs.deepSkyNames),
      ReadPackageMessier(docs.messier), report.deepSkyCounts);

  NameCounts names;
  CountNameParts(stars, names);
  CountNameParts(deepSky, names);
  const std::vector<FigureLine> figures =
      BuildFigureLines(ReadPackagePolylines(docs.figures), constellations, BuildStarIndex(stars),
                       names, report.figures);
  const std::vector<BoundaryLine> boundaries =
      BuildBoundaryLines(ReadPackagePolylines(docs.borders));

  report.stars = static_cast<int>(stars.size());
  report.deepSky = static_cast<int>(deepSky.size());
  report.figureLines = static_cast<int>(figures.size());
  report.boundaryLines = static_cast<int>(boundaries.size());
  report.skippedEntries = starCounts.skipped + deepSkyCounts.skipped;

  if (!WriteSkyFiles(outDir, SplitIntoFiles(stars, StarLayers(), "Stars"),
                     SplitIntoFiles(deepSky, DeepSkyLayers(), "DeepSky"), report, error)) {
    return false;
  }
  if (!WriteTextFile(outDir + "/Figures.txt", figures, FigureLineText, error) ||
      !WriteTextFile(outDir + "/Boundaries.txt", boundaries, BoundaryLineText, error)) {
    return false;
  }
  const std::vector<PackageMilkyWayRing> milkyWay = ReadPackageMilkyWay(docs.milkyWay);
  report.milkyWayRings = static_cast<int>(milkyWay.size());
  if (!WriteTextFile(
          outDir + "/MilkyWay.txt", std::vector<std::string>{MilkyWayText(milkyWay)},
          [](const std::string& text) { return text; }, error)) {
    return false;
  }
  report.files.push_back("Figures.txt");
  report.files.push_back("Boundaries.txt");
  return WriteTextFile(
      outDir + "/FileList.txt", report.files, [](const std::string& name) { return name; }, error);
}

}  // namespace qv
