// The catalog converter's designations, kinds and text lines: the forms the program's importer
// parses and renders, so a figure line's star name matches and no star is left unnamed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/catalog/deep_sky.h"
#include "tools/catalog/star_names.h"
#include "tools/catalog/text_lines.h"

namespace qv {
namespace {

TEST(CatalogStarDesignations, UseTheProgramsTextFormsAndRejectWhatItCannotParse) {
  struct Case {
    const char* what;
    std::string got;
    const char* want;
  };
  const Case cases[] = {
      {"Greek letter", BayerDesignation("α", "CMa"), "$a CMa"},
      {"superscript", BayerDesignation("π3", "Ori"), "$p3 Ori"},
      {"last letter", BayerDesignation("ω2", "Sco"), "$w2 Sco"},
      {"chi is c", BayerDesignation("χ", "Cyg"), "$c Cyg"},
      {"Latin letter stays text", BayerDesignation("b1", "Cen"), "b1 Cen"},
      {"superscript 0", BayerDesignation("α0", "CMa"), ""},
      {"two digits", BayerDesignation("α12", "CMa"), ""},
      {"package placeholder", BayerDesignation("undefined3", "Cen"), ""},
      {"unknown constellation", BayerDesignation("α", "274"), ""},
      {"Flamsteed", FlamsteedDesignation("58", "Ori"), "58 Ori"},
      {"leading zero", FlamsteedDesignation("07", "Ori"), ""},
      {"four digits", FlamsteedDesignation("1000", "Ori"), ""},
      {"letters", FlamsteedDesignation("9a", "Ori"), ""},
      {"numbered variable", VariableDesignation("V0822", "Cyg"), "V822 Cyg"},
      {"two-letter variable", VariableDesignation("RR", "Lyr"), "RR Lyr"},
      {"lower case", VariableDesignation("rr", "Lyr"), ""},
      {"three letters", VariableDesignation("RRR", "Lyr"), ""},
      {"thin space", HdDesignation("HD\u200948915"), "HD48915"},
      {"plain space", HdDesignation("HD 1"), "HD1"},
      {"zero", HdDesignation("HD 0"), ""},
      {"seven digits", HdDesignation("HD 1234567"), ""},
      {"component", HdDesignation("HD 1234 B"), ""},
      {"no prefix", HdDesignation("48915"), ""},
  };
  for (const Case& c : cases) EXPECT_EQ(c.got, c.want) << c.what;
}

TEST(CatalogStarNames, OrderNameThenDesignationsAndFallBackToHipparcos) {
  PackageStarNames sirius{"Sirius", "α", "9", "", "HD\u200948915", "GJ 244A", "CMa"};
  EXPECT_EQ(StarNameParts(32349, &sirius),
            (std::vector<std::string>{"Sirius", "$a CMa", "9 CMa", "HD48915"}));

  PackageStarNames variable{"", "", "", "RR", "", "", "Lyr"};
  EXPECT_EQ(StarNameParts(95, &variable), std::vector<std::string>{"RR Lyr"});

  // Nothing usable: the package's names of an unknown constellation and a bad letter.
  PackageStarNames unusable{" ; ", "κ", "", "", "", "", "274"};
  EXPECT_EQ(StarNameParts(601, &unusable), std::vector<std::string>{"HIP 601"});
  EXPECT_EQ(StarNameParts(100, nullptr), std::vector<std::string>{"HIP 100"});

  EXPECT_EQ(CleanName("  Semi;colon\tname "), "Semi colon name");
}

TEST(CatalogStarKinds, FollowVariableNamesAndGlieseComponents) {
  struct Case {
    const char* variable;
    const char* gliese;
    int kind;
  };
  const Case cases[] = {
      {"", "", KindSingleStar},
      {"", "GJ 551", KindSingleStar},
      {"", "GJ 244A", KindMultipleStar},
      {"", "GJ 171.1B", KindMultipleStar},
      {"", "GJ 9999Z", KindSingleStar},
      {"RR", "", KindVariableStar},
      {"V0822", "GJ 1A", KindMultipleVariableStar},
  };
  for (const Case& c : cases) {
    PackageStarNames names;
    names.variable = c.variable;
    names.gliese = c.gliese;
    EXPECT_EQ(StarKind(names), c.kind) << c.variable << " / " << c.gliese;
  }
}

TEST(CatalogDeepSkyKinds, MapThePackageTypesAndCorrectTrumplerClusters) {
  struct Case {
    const char* type;
    const char* morph;
    int kind;
  };
  const Case cases[] = {
      {"oc", "II2m", KindOpenCluster},
      {"gc", "V", KindGlobularCluster},
      {"pn", "", KindPlanetaryNebula},
      {"bn", "3, 2, 2", KindDiffuseNebula},
      {"dn", "", KindDiffuseNebula},
      {"snr", "S", KindDiffuseNebula},
      {"rn", "", KindDiffuseNebula},
      {"en", "EN", KindDiffuseNebula},
      {"sfr", "I3rn", KindOpenCluster},
      {"sfr", "II2p", KindOpenCluster},
      {"sfr", "", KindDiffuseNebula},
      {"bn", "IIIx", KindDiffuseNebula},
      {"s", "SA(s)b", KindGalaxy},
      {"e", "E2", KindGalaxy},
      {"gg", "II-III", KindGalaxy},
      {"sd", "dSph", KindGalaxy},
      {"xx", "", 0},
      {"", "", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DeepSkyKind(c.type, c.morph), c.kind) << c.type << " " << c.morph;
  }
}

TEST(CatalogDeepSkyDesignations, RenderCatalogsTheProgramKnowsAndKeepTheRest) {
  struct Case {
    const char* id;
    const char* want;
  };
  const Case cases[] = {
      {"NGC 224", "NGC224"},
      {"M 31", "M31"},
      {"M 110", "M110"},
      {"M 111", "M 111"},
      {"IC 434a", "IC434A"},
      {"NGC 1234J", "NGC 1234J"},
      {"NGc 2269", "NGC2269"},
      {"UGCA 86", "UGCA86"},
      {"UGC 2094", "UGC2094"},
      {"PGC 17223", "PGC17223"},
      {"PGC 3074547", "PGC 3074547"},
      {"PN G 003.0-01.7", "PNG003.0-01.7"},
      {"Cr 39", "Cr 39"},
      {"PK 060-07.1", "PK60-07 1"},
      {"PK 339+88.2", "PK339+88 2"},
      {"PK 360-07.1", "PK 360-07.1"},
      {"Mel 22", "Mel 22"},
      {" B 33 ", "B 33"},
      {"Sh2 17", "Sh2 17"},
  };
  for (const Case& c : cases) EXPECT_EQ(DeepSkyDesignation(c.id), c.want) << c.id;
  EXPECT_EQ(MessierNumber("M45"), 45);
  EXPECT_EQ(MessierNumber("M 45"), 0);
  EXPECT_EQ(MessierNumber("M0"), 0);
  EXPECT_EQ(MessierNumber("Mel22"), 0);
}

TEST(CatalogTextLines, SexagesimalFieldsCarryInsteadOfPrintingSixty) {
  EXPECT_EQ(FormatRightAscension(101.2872), "06 45 08.928");
  EXPECT_EQ(FormatRightAscension(0), "00 00 00.000");
  // 23h 59m 59.9999s rounds up to the next whole millisecond: 24h, which is 0h.
  EXPECT_EQ(FormatRightAscension(359.9999999996), "00 00 00.000");
  EXPECT_EQ(FormatRightAscension(14.999999999), "01 00 00.000");
  EXPECT_EQ(FormatDeclination(-16.7161), "-16 42 57.96");
  EXPECT_EQ(FormatDeclination(-0.0001), "-00 00 00.36");
  EXPECT_EQ(FormatDeclination(89.99999999), "+90 00 00.00");
  EXPECT_EQ(FormatDeclination(0), "+00 00 00.00");
}

TEST(CatalogTextLines, NameTextStaysWithinTheImportersLimit) {
  EXPECT_EQ(JoinNameParts({"Sirius", "$a CMa"}), "Sirius; $a CMa");
  const std::string part100(100, 'x');
  const std::string joined = JoinNameParts({part100, part100, part100});
  EXPECT_EQ(joined, part100 + "; " + part100);  // the third part would pass 255 bytes
  // A single over-long part is cut, never in the middle of a two-byte character.
  std::string greek;
  for (int i = 0; i < 200; ++i) greek += "α";
  const std::string cut = JoinNameParts({greek});
  EXPECT_EQ(cut.size(), 254u);
  EXPECT_EQ(cut, greek.substr(0, 254));
}

TEST(CatalogTextLines, SkyObjectLinesHoldTheImportFields) {
  SkyEntry star;
  star.kind = KindMultipleStar;
  star.position = {101.2872, -16.7161};
  star.magnitude = -1.44;
  star.colorIndex = -0.001;
  star.sizeArcmin = 3;  // a star's size field means separation: never written from here
  star.names = {"Sirius", "$a CMa"};
  EXPECT_EQ(SkyObjectLine(star),
            "S2\t2000.0\t06 45 08.928\t-16 42 57.96\t\t\t-1.44\t0.00\t\t\t\tSirius; $a CMa");

  SkyEntry galaxy;
  galaxy.kind = KindGalaxy;
  galaxy.position = {10.6847, 41.26875};
  galaxy.sizeArcmin = 189.1;
  galaxy.names = {"M31", "NGC224"};
  EXPECT_EQ(SkyObjectLine(galaxy),
            "S15\t2000.0\t00 42 44.328\t+41 16 07.50\t\t\t\t\t\t\t189.100\tM31; NGC224");

  EXPECT_EQ(FigureLineText({"$a CMa", "HIP 100", "Canis Major"}),
            "C1\t$a CMa\tHIP 100\tCanis Major");
  EXPECT_EQ(FigureLineText({"$a CMa", "HIP 100", ""}), "C1\t$a CMa\tHIP 100");
  EXPECT_EQ(BoundaryLineText({{100, -10}, {359.99999, 89.5}}),
            "C2\t2000.0\t06 40 00.000\t-10 00 00.00\t23 59 59.998\t+89 30 00.00");
}

}  // namespace
}  // namespace qv
