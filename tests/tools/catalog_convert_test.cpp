// The catalog converter end to end on a small fixture in the sky-map package's formats
// (tests/tools/catalog_fixture, written for these tests): which file each object lands in, its
// kind, magnitude and name text, the figure lines' star names and labels, and the file list.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "objects/designations.h"
#include "tests/support/scratch_folder.h"
#include "tools/catalog/convert.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

using Fields = std::vector<std::string>;

Fields SplitTabs(const std::string& line) {
  Fields fields;
  size_t start = 0;
  for (size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1) {
    fields.push_back(line.substr(start, tab - start));
  }
  fields.push_back(line.substr(start));
  return fields;
}

std::vector<Fields> ReadLines(const fs::path& path) {
  std::vector<Fields> lines;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) lines.push_back(SplitTabs(line));
  return lines;
}

class CatalogConversion : public testing::Test {
 protected:
  void SetUp() override {
    const std::string fixture = std::string(QV_TEST_DATA_DIR) + "/tools/catalog_fixture";
    ok = ConvertCatalog(fixture, fixture + "/star_files", out.string(), report, error);
    for (const std::string& name : report.files) {
      for (Fields& f : ReadLines(out / name)) {
        if (f[0][0] == 'S') objects[f[11]] = {name, f};
      }
    }
  }
  // The written line of the object whose name text is text, and the file it is in.
  struct Written {
    std::string file;
    Fields fields;
  };
  const Written& Object(const std::string& text) {
    static const Written none;
    const auto it = objects.find(text);
    EXPECT_NE(it, objects.end()) << "no object named \"" << text << "\"";
    return it == objects.end() ? none : it->second;
  }

  ScratchFolder scratch;
  fs::path out = scratch.path();
  bool ok = false;
  CatalogReport report;
  std::string error;
  std::map<std::string, Written> objects;
};

TEST_F(CatalogConversion, StarsGetKindsNamesAndMagnitudeLayers) {
  ASSERT_TRUE(ok) << error;
  EXPECT_EQ(report.stars, 14);          // the fixture's 15 less the one without a magnitude
  EXPECT_EQ(report.skippedEntries, 2);  // that star and a deep-sky object at latitude 255

  const Written& sirius = Object("Sirius; $a CMa; 9 CMa; HD48915");
  EXPECT_EQ(sirius.file, "Stars0.txt");
  EXPECT_EQ(sirius.fields[0], "S2");  // GJ 244A: a component of a multiple system
  EXPECT_EQ(sirius.fields[2], "06 45 08.928");
  EXPECT_EQ(sirius.fields[6], "-1.44");
  EXPECT_EQ(sirius.fields[7], "0.01");

  EXPECT_EQ(Object("HIP 100").fields[7], "");                 // no B-V in the package: unknown
  EXPECT_EQ(Object("HIP 100").file.substr(0, 7), "Stars3-");  // 9.8: the faintest layer
  EXPECT_EQ(Object("V822 Cyg").fields[0], "S3");
  EXPECT_EQ(Object("RR Lyr").fields[0], "S4");
  EXPECT_EQ(Object("b1 Cen; HD120000").fields[0], "S1");
  // The limit between the bright layer and the next is the chart's default 5.50, inclusive.
  EXPECT_EQ(Object("Semi colon; HD2222").file, "Stars0.txt");
  EXPECT_EQ(Object("HIP 601").file.substr(0, 7), "Stars1-");
}

TEST_F(CatalogConversion, DeepSkyObjectsGetKindsDesignationsAndOneMessierNumberEach) {
  ASSERT_TRUE(ok) << error;
  const Written& m31 = Object("Andromeda Galaxy; M31; NGC224");
  EXPECT_EQ(m31.file, "DeepSky0.txt");
  EXPECT_EQ(m31.fields[0], "S15");
  // The Messier list's figures (3.4, 190') over the catalog entry's (3.44, 189.1').
  EXPECT_EQ(m31.fields[6], "3.40");
  EXPECT_EQ(m31.fields[7], "0.92");
  EXPECT_EQ(m31.fields[10], "190.000");

  EXPECT_EQ(Object("Pleiades; M45").fields[0], "S11");  // typed "sfr", Trumpler class I3rn

  // Two package entries claim M8: one object, the one with a magnitude, holding both names.
  const Written& m8 = Object("Lagoon Nebula; M8; NGC6523");
  EXPECT_EQ(m8.fields[0], "S13");
  EXPECT_EQ(m8.fields[6], "5.80");  // the list's, 0.8 magnitudes from the entry's 5.0
  EXPECT_EQ(report.deepSkyCounts.merged, 1);

  // The catalog entry M98 lands on holds a small part's photometry (13.50, 0.7', B-V -1.30):
  // the list's magnitude and size replace it, and the colour index goes with the magnitude.
  const Written& m98 = Object("M98; NGC4192");
  EXPECT_EQ(m98.file.substr(0, 9), "DeepSky1-");
  EXPECT_EQ(m98.fields[6], "10.10");
  EXPECT_EQ(m98.fields[7], "");
  EXPECT_EQ(m98.fields[10], "10.000");
  EXPECT_EQ(report.deepSkyCounts.messierCorrected, (std::vector<int>{8, 98}));
  const Written& m40 = Object("M40; WN 4");  // absent from the catalog: added from the list
  EXPECT_EQ(m40.fields[0], "S11");
  EXPECT_EQ(m40.fields[6], "8.00");
  EXPECT_EQ(report.deepSkyCounts.messierAdded, 1);

  EXPECT_EQ(Object("B 33").fields[6], "");  // a dark nebula's opacity class is no magnitude
  // An entry of the Lynds dark-nebula catalog typed as a cluster is a dark nebula all the same.
  EXPECT_EQ(Object("LDN 1670").fields[0], "S13");
  EXPECT_EQ(Object("LDN 1670").fields[6], "");
  EXPECT_EQ(Object("VdB 84").fields[6], "");  // magnitude 0: the package's placeholder
  EXPECT_EQ(Object("M13; NGC6205").fields[0], "S12");
  EXPECT_EQ(Object("Saturn Nebula; NGC7009").fields[0], "S14");
  EXPECT_EQ(Object("PNG003.0-01.7").fields[0], "S14");
  EXPECT_EQ(Object("IC1396").file.substr(0, 9), "DeepSky1-");  // unknown magnitude: last layer
  EXPECT_EQ(report.deepSkyCounts.unknownType, 1);
  EXPECT_EQ(report.deepSky, 12);
}

TEST_F(CatalogConversion, FigureLinesJoinTheNearestStarsByUniqueDesignations) {
  ASSERT_TRUE(ok) << error;
  const std::vector<Fields> lines = ReadLines(out / "Figures.txt");
  const std::vector<Fields> want = {
      // Sirius to HIP 100 and back: one line.
      {"C1", "$a CMa", "HIP 100", "Canis Major"},
      // Orion's label goes to the line starting nearest to its label position (at pi3 Ori);
      // the vertex at (120, +60) has no star, so both its lines are left out.
      {"C1", "$a Ori", "$p3 Ori"},
      {"C1", "$p3 Ori", "HIP 100", "Orion"},
      {"C1", "$a Lyr", "RR Lyr", "Lyra"},
      {"C1", "V822 Cyg", "$a Lyr", "Cygnus"},
      // The HD number wins over a Latin letter; the second "Twin" has no unique name.
      {"C1", "HD120000", "HD1111", "Centaurus"},
      // Two stars at the same distance from the vertex: the brighter one.
      {"C1", "HIP 401", "HIP 100", "Pisces"},
  };
  EXPECT_EQ(lines, want);
  EXPECT_EQ(report.figures.unmatchedVertices, 2);
  EXPECT_EQ(report.figures.labels, 6);
  EXPECT_EQ(report.figures.unlabelled, 1);  // Lepus has no figure in the fixture
}

TEST_F(CatalogConversion, BoundariesAndTheFileListInImportOrder) {
  ASSERT_TRUE(ok) << error;
  const std::vector<Fields> boundaries = ReadLines(out / "Boundaries.txt");
  ASSERT_EQ(boundaries.size(), 3u);  // a repeated vertex makes no segment
  EXPECT_EQ(boundaries[2], (Fields{"C2", "2000.0", "07 20 00.000", "-20 00 00.00", "12 40 00.000",
                                   "-10 00 00.00"}));

  std::vector<std::string> list;
  for (const Fields& f : ReadLines(out / "FileList.txt")) list.push_back(f[0]);
  EXPECT_EQ(list, report.files);
  ASSERT_GE(list.size(), 6u);
  EXPECT_EQ(list[0], "Stars0.txt");
  EXPECT_EQ(list[1], "DeepSky0.txt");
  EXPECT_EQ(list[list.size() - 2], "Figures.txt");
  EXPECT_EQ(list.back(), "Boundaries.txt");
  // Every object is written exactly once.
  size_t written = 0;
  for (const std::string& name : report.files) {
    if (name[0] == 'S' || name[0] == 'D') written += ReadLines(out / name).size();
  }
  EXPECT_EQ(written, static_cast<size_t>(report.stars + report.deepSky));
}

// A designation the converter writes must read back through the program's own parser and
// render to the same text: figure lines find their stars by that text.
// The Milky Way's rings with their levels, in degrees; rings of fewer than three vertices and
// features other than the five levels left out; read beside the database, not imported.
TEST_F(CatalogConversion, TheMilkyWayFileHoldsTheOutlinesRings) {
  ASSERT_TRUE(ok) << error;
  std::ifstream in(out / "MilkyWay.txt");
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text.substr(text.find('\n') + 1),
            "R 1\n10.000 0.000\n20.000 0.000\n20.000 10.000\n10.000 10.000\n"
            "R 1\n12.000 2.000\n14.000 2.000\n14.000 4.000\n"
            "R 5\n190.000 -30.000\n200.000 -30.000\n195.000 -25.000\n\n");
  EXPECT_EQ(report.milkyWayRings, 3);
  EXPECT_EQ(std::count(report.files.begin(), report.files.end(), "MilkyWay.txt"), 0);
}

TEST_F(CatalogConversion, DesignationsRoundTripThroughTheProgramsParser) {
  ASSERT_TRUE(ok) << error;
  std::set<std::string> parsed, unparsed;
  for (const auto& [text, written] : objects) {
    const bool deepSky = std::atoi(written.fields[0].c_str() + 1) > 10;
    for (std::string_view part : SplitNameParts(text, 16)) {
      CatalogNumber number = 0;
      const bool isDesignation =
          deepSky ? ParseDeepSkyDesignation(part, number) : ParseStarDesignation(part, number);
      if (isDesignation) {
        EXPECT_EQ(RenderDesignation(number), part);
      }
      (isDesignation ? parsed : unparsed).insert(std::string(part));
    }
  }
  for (const char* d : {"$a CMa", "$p3 Ori", "9 CMa", "58 Ori", "HD48915", "V822 Cyg", "RR Lyr",
                        "M31", "NGC224", "M45", "NGC6523", "PNG003.0-01.7"}) {
    EXPECT_TRUE(parsed.count(d)) << d;
  }
  for (const char* d : {"HIP 100", "b1 Cen", "Sirius", "B 33", "WN 4"}) {
    EXPECT_TRUE(unparsed.count(d)) << d;
  }
}

TEST(CatalogConversionFailures, NameTheFileThatIsMissingOrBroken) {
  CatalogReport report;
  std::string error;
  ScratchFolder scratch;
  const fs::path dir = scratch.path();
  const std::string fixture = std::string(QV_TEST_DATA_DIR) + "/tools/catalog_fixture";
  const std::string starFiles = fixture + "/star_files";
  EXPECT_FALSE(ConvertCatalog("/nonexistent/quorvane", starFiles, dir.string(), report, error));
  EXPECT_NE(error.find("stars.14.json"), std::string::npos) << error;
  EXPECT_FALSE(ConvertCatalog(fixture, "/nonexistent/quorvane", dir.string(), report, error));
  EXPECT_NE(error.find("namedstars.dat"), std::string::npos) << error;

  for (const fs::directory_entry& e : fs::directory_iterator(fixture)) {
    if (e.is_regular_file()) fs::copy_file(e.path(), dir / e.path().filename());
  }
  std::ofstream(dir / "dsos.14.json") << "{\"type\":\"FeatureCollection\",\"features\":[";
  EXPECT_FALSE(ConvertCatalog(dir.string(), starFiles, dir.string(), report, error));
  EXPECT_NE(error.find("dsos.14.json is not valid JSON"), std::string::npos) << error;
  EXPECT_FALSE(fs::exists(dir / "FileList.txt"));
}

}  // namespace
}  // namespace qv
