// Magnitude layers and sky regions of the catalog files: every object in exactly one file, no
// file over the program's 16,000 objects, regions that tile the sky without straddling 0h.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "tools/catalog/convert.h"
#include "tools/catalog/layers.h"

namespace qv {
namespace {

TEST(CatalogRegions, TileTheSkyWithCellsOfAboutTheBandSize) {
  EXPECT_EQ(RegionCount(0), 1);
  // 45 degree bands: 3 cells at +-67.5, 7 at +-22.5; 30 degree bands: 3, 8 and 12 per band.
  EXPECT_EQ(RegionCount(45), 20);
  EXPECT_EQ(RegionCount(30), 46);
  for (double band : {30.0, 45.0}) {
    std::set<int> seen;
    for (double dec = -90; dec <= 90; dec += 2.5) {
      for (double ra = 0; ra < 360; ra += 2.5) {
        const int region = RegionOf({ra, dec}, band);
        ASSERT_GE(region, 0);
        ASSERT_LT(region, RegionCount(band));
        seen.insert(region);
      }
    }
    EXPECT_EQ(static_cast<int>(seen.size()), RegionCount(band)) << band;
  }
  // Cells are numbered eastward from 0h, so the two sides of 0h are different cells, and the
  // poles belong to the first and last bands.
  EXPECT_NE(RegionOf({359.99, 10}, 45), RegionOf({0.01, 10}, 45));
  EXPECT_EQ(RegionOf({0, -90}, 45), 0);
  EXPECT_EQ(RegionOf({359.999, 90}, 45), RegionCount(45) - 1);
}

TEST(CatalogFiles, SplitByLayerKeepBrightFirstAndNeverPassTheFileLimit) {
  std::vector<SkyEntry> entries;
  // One crowded cell: 16,001 stars of layer 2 near (10h, +5) must become two files.
  for (uint32_t i = 0; i < MaxObjectsPerFile + 1; ++i) {
    SkyEntry e;
    e.position = {150.0 + i * 1e-5, 5.0};
    e.magnitude = 8.0 + (i % 100) * 0.01;
    entries.push_back(e);
  }
  SkyEntry bright, unknown;
  bright.position = unknown.position = {150.0, 5.0};
  bright.magnitude = 1.0;
  entries.push_back(bright);
  entries.push_back(unknown);

  const std::vector<SkyFile> files = SplitIntoFiles(entries, StarLayers(), "Stars");
  ASSERT_EQ(files.size(), 4u);
  EXPECT_EQ(files[0].name, "Stars0.txt");
  EXPECT_EQ(files[0].entries.size(), 1u);
  const int cell = RegionOf({150.0, 5.0}, 30) + 1;
  EXPECT_EQ(files[1].name, "Stars2-" + std::to_string(cell) + ".txt");
  EXPECT_EQ(files[2].name, "Stars2-" + std::to_string(cell) + "-2.txt");
  EXPECT_EQ(files[1].entries.size(), static_cast<size_t>(MaxObjectsPerFile));
  EXPECT_EQ(files[2].entries.size(), 1u);
  EXPECT_EQ(files[3].layer, 3u);  // unknown magnitude: the last layer
  EXPECT_FALSE(files[3].entries[0]->magnitude.has_value());

  size_t total = 0;
  for (const SkyFile& f : files) {
    total += f.entries.size();
    for (size_t i = 1; i < f.entries.size(); ++i) {
      ASSERT_LE(*f.entries[i - 1]->magnitude, *f.entries[i]->magnitude) << f.name;
    }
  }
  EXPECT_EQ(total, entries.size());
}

}  // namespace
}  // namespace qv
