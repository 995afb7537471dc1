// The star files' readers and the matching of the package's stars with them, on the fixture of
// tests/tools/make_star_files_fixture.py: values as written there, both byte orders, damaged
// files refused, and each matching rule (HD number, position and magnitude, the text catalog)
// seen in the converted star lines.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "tests/support/scratch_folder.h"
#include "tools/catalog/convert.h"
#include "tools/catalog/star_data.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

const std::string Fixture = std::string(QV_TEST_DATA_DIR) + "/tools/catalog_fixture";
const std::string StarFiles = Fixture + "/star_files";

std::vector<uint8_t> FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<DataFileStar> ReadOrFail(const std::vector<uint8_t>& bytes) {
  std::vector<DataFileStar> stars;
  std::string error;
  EXPECT_TRUE(ReadStarDataFile(bytes, stars, error)) << error;
  return stars;
}

TEST(StarDataFile, ReadsEachStarOnceInEitherByteOrder) {
  const std::vector<DataFileStar> stars = ReadOrFail(FileBytes(StarFiles + "/namedstars.dat"));
  ASSERT_EQ(stars.size(), 2u);  // Sirius is stored in two regions
  const DataFileStar& sirius = stars[0];
  EXPECT_EQ(sirius.hd, 48915);
  EXPECT_DOUBLE_EQ(sirius.raMotionMas, -546.0);
  EXPECT_DOUBLE_EQ(sirius.decMotionMas, -1223.1);
  EXPECT_DOUBLE_EQ(sirius.parallaxMas, 379.2);
  EXPECT_DOUBLE_EQ(sirius.magnitude, -1.44);
  // Stored at epoch 1991.25; moved to 2000.0 it is the package's place again (to the files'
  // 0.036" resolution in R.A. and 0.036" in Dec.).
  const SkyPosition at2000 = PositionAtEpoch2000(sirius);
  EXPECT_NEAR(at2000.raDeg, 101.2872, 2e-5);
  EXPECT_NEAR(at2000.decDeg, -16.7161, 2e-5);
  EXPECT_GT(sirius.position.decDeg - at2000.decDeg, 10.6 / 3600);  // 8.75 years of -1.223"/yr

  const std::vector<DataFileStar> swapped =
      ReadOrFail(FileBytes(StarFiles + "/namedstars-big-endian.dat"));
  ASSERT_EQ(swapped.size(), stars.size());
  for (size_t i = 0; i < stars.size(); ++i) {
    EXPECT_EQ(swapped[i].hd, stars[i].hd);
    EXPECT_EQ(swapped[i].position.raDeg, stars[i].position.raDeg);
    EXPECT_EQ(swapped[i].decMotionMas, stars[i].decMotionMas);
  }
}

TEST(StarDataFile, DamagedFilesAreRefused) {
  const std::vector<uint8_t> good = FileBytes(StarFiles + "/unnamedstars.dat");
  ASSERT_GT(good.size(), 400u);
  constexpr size_t RegionCountAt = 129 + 11 * 16, FirstRegionAt = RegionCountAt + 4;
  struct Damage {
    const char* what;
    std::vector<uint8_t> bytes;
  };
  std::vector<Damage> damaged = {
      {"empty", {}},
      {"description only", {good.begin(), good.begin() + 124}},
      {"cut in the field table", {good.begin(), good.begin() + 200}},
      {"cut in the region index", {good.begin(), good.begin() + FirstRegionAt + 20}},
      {"cut in the records", {good.begin(), good.end() - 1}},
  };
  std::vector<uint8_t> mark = good;
  mark[124] = 'X';
  damaged.push_back({"no byte-order mark", mark});
  std::vector<uint8_t> regions = good;
  regions[RegionCountAt + 3] = 0x7f;  // about two billion regions
  damaged.push_back({"region count", regions});
  std::vector<uint8_t> offset = good;
  offset[FirstRegionAt + 7] = 0x7f;  // the first region's records far past the end
  damaged.push_back({"region offset", offset});
  std::vector<uint8_t> noHd = good;
  noHd[129 + 5 * 16] = 'h';  // the "HD" field renamed
  damaged.push_back({"no HD field", noHd});
  for (const Damage& d : damaged) {
    std::vector<DataFileStar> stars;
    std::string error;
    EXPECT_FALSE(ReadStarDataFile(d.bytes, stars, error)) << d.what;
    EXPECT_FALSE(error.empty()) << d.what;
  }
}

TEST(StarCatalogText, ReadsTheColumnsAndCountsOtherLines) {
  std::vector<DataFileStar> stars;
  int skipped = 0;
  std::string error;
  ASSERT_TRUE(ReadStarCatalogText(StarFiles + "/stars.dat", stars, skipped, error)) << error;
  ASSERT_EQ(stars.size(), 2u);
  EXPECT_EQ(skipped, 1);
  EXPECT_NEAR(stars[0].position.raDeg, 72.4601, 1e-4);  // 04 49 50.42
  EXPECT_NEAR(stars[0].position.decDeg, 6.9613, 3e-5);  // +06 57 40.7
  EXPECT_DOUBLE_EQ(stars[0].raMotionMas, 464.0);
  EXPECT_DOUBLE_EQ(stars[0].parallaxMas, 124.6);
  EXPECT_DOUBLE_EQ(stars[0].magnitude, 3.19);
  EXPECT_EQ(stars[0].hd, 0);
  EXPECT_FALSE(ReadStarCatalogText(StarFiles + "/none.dat", stars, skipped, error));
}

// The converted star lines by their name text: fields 4 (R.A. motion, s/yr), 5 (Dec. motion,
// "/yr) and 9 (distance, pc).
std::map<std::string, std::vector<std::string>> ConvertedStars(CatalogReport& report) {
  ScratchFolder scratch;
  std::string error;
  EXPECT_TRUE(ConvertCatalog(Fixture, StarFiles, scratch.path(), report, error)) << error;
  std::map<std::string, std::vector<std::string>> stars;
  for (const std::string& name : report.files) {
    std::ifstream in(scratch / name);
    for (std::string line; std::getline(in, line);) {
      std::vector<std::string> f;
      for (size_t start = 0, tab;; start = tab + 1) {
        tab = line.find('\t', start);
        f.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos) break;
      }
      const bool star = f.size() == 12 && f[0].size() == 2 && f[0][0] == 'S' && f[0][1] <= '6';
      if (star) stars[f[11]] = {f[4], f[5], f[9]};
    }
  }
  return stars;
}

TEST(StarMotions, EachMatchingRuleGivesOrWithholdsAMotion) {
  CatalogReport report;
  const auto stars = ConvertedStars(report);
  const struct {
    const char* name;
    const char* raSecondsPerYear;  // -546.0 mas / 15000 / cos(-16.7161 deg) for Sirius
    const char* decArcsecPerYear;
    const char* parsecs;
  } expected[] = {
      {"Sirius; $a CMa; 9 CMa; HD48915", "-0.0380061", "-1.22310", "2.63713"},     // by HD
      {"Betelgeuse; $a Ori; 58 Ori; HD39801", "0.0018488", "0.01130", "196.078"},  // text first
      {"Vega; $a Lyr; 3 Lyr; HD172167", "0.0171901", "0.28750", "7.75795"},  // 2": by position
      {"HIP 400", "0.0003333", "-0.00700", ""},  // by position; no parallax: no distance
      {"$p3 Ori; 1 Ori; HD30652", "0.0311631", "0.01120", "8.02568"},  // the text catalog
      {"HIP 401", "", "", ""},           // 5" away but 0.8 magnitudes brighter
      {"V822 Cyg", "", "", ""},          // 12" away
      {"b1 Cen; HD120000", "", "", ""},  // its HD number, but 2' away
  };
  for (const auto& e : expected) {
    const auto it = stars.find(e.name);
    ASSERT_NE(it, stars.end()) << e.name;
    EXPECT_EQ(it->second,
              (std::vector<std::string>{e.raSecondsPerYear, e.decArcsecPerYear, e.parsecs}))
        << e.name;
  }
  EXPECT_EQ(report.motions.byHd, 1);
  EXPECT_EQ(report.motions.byPosition, 2);
  EXPECT_EQ(report.motions.byText, 2);
  EXPECT_EQ(report.motions.unmatched, 9);
  EXPECT_EQ(report.motions.unreadLines, 1);
}

}  // namespace
}  // namespace qv
