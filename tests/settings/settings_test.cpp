// The settings record: defaults that depend on the screen, and the one shared instance.
#include "settings/settings.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(DefaultSettings, PlanetDrawingFollowsTheScreenDepth) {
  struct Case {
    int bits;
    bool symbols;
  };
  for (const Case c : {Case{1, true}, Case{4, true}, Case{8, true}, Case{16, false},
                       Case{24, false}, Case{32, false}}) {
    SCOPED_TRACE(c.bits);
    const ChartSettings s = DefaultSettings(c.bits);
    EXPECT_EQ(s.ShowPlanetSymbols, c.symbols);
    EXPECT_EQ(s.ShowPlanetGrids, c.symbols);
    EXPECT_EQ(s.ShowRenderedObjects, !c.symbols);
  }
}

TEST(DefaultSettings, SetDefaultSettingsReplacesEveryChangedField) {
  Settings().ShowStars = false;
  Settings().Colors[EclipticColor] = 0;
  Settings().Description = "changed";
  SetDefaultSettings(8);
  EXPECT_TRUE(Settings().ShowStars);
  EXPECT_TRUE(Settings().ShowPlanetSymbols);
  EXPECT_TRUE(Settings().Description.empty());
  // Ecliptic yellow: red in the low byte, green in the next, no blue.
  EXPECT_EQ(Settings().Colors[EclipticColor], 0x00FFFFu);
  EXPECT_EQ(Settings().Colors[GalacticEquatorColor], 0xFF0000u);
  SetDefaultSettings(32);
}

}  // namespace
}  // namespace qv
