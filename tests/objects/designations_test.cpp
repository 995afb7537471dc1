// Catalog designations: parsing into packed numbers, rendering back, and the name texts that
// hold several of them.
#include "objects/designations.h"

#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

#include "objects/constellations.h"

namespace qv {
namespace {

struct DesignationCase {
  const char* text;
  CatalogNumber packed;  // worked out by hand from the packing of each catalog
  const char* rendered;
};

// Constellation numbers used below: And 1, Cap 16, Car 17, Cep 20, Cyg 31, Lyr 52, Sgr 72.
const DesignationCase StarCases[] = {
    {"BD+05 1234a", 700000000 + 10000000 + 5 * 100000 + 1234 * 10 + 1, "BD+05 1234a"},
    {"BD-05 1234", 700000000 + 5 * 100000 + 1234 * 10, "BD-05 1234"},
    {"BD+89 9999S", 700000000 + 10000000 + 89 * 100000 + 9999 * 10 + 5, "BD+89 9999s"},
    {"CoD-60 4567", 800000000 + 60 * 100000 + 4567, "CoD-60 4567"},
    {"CPD+00 99999", 900000000 + 10000000 + 99999, "CPD+00 99999"},
    {"GSC 0123-0456", 1000000000 + 123 * 10000 + 456, "GSC0123-0456"},
    {"GSC9537-9999", 1000000000 + 9537 * 10000 + 9999, "GSC9537-9999"},
    {"HR 1234", 400000000 + 1234, "HR1234"},
    {"HR9999", 400000000 + 9999, "HR9999"},
    {"HD 39801", 500000000 + 39801, "HD39801"},
    {"SAO 999998", 600000000 + 999998, "SAO999998"},
    {"61 Cyg", 300000000 + 61 * 100 + 31, "61 Cyg"},
    {"61 cygni", 300000000 + 61 * 100 + 31, "61 Cyg"},
    {"R And", 200000000 + 1 * 100 + 1, "R And"},
    {"Z And", 200000000 + 9 * 100 + 1, "Z And"},
    {"RR Lyr", 200000000 + 10 * 100 + 52, "RR Lyr"},
    {"SS Cyg", 200000000 + 19 * 100 + 31, "SS Cyg"},  // RR..RZ take 10-18
    {"ZZ Cep", 200000000 + 54 * 100 + 20, "ZZ Cep"},
    {"AA Cyg", 200000000 + 55 * 100 + 31, "AA Cyg"},
    {"AK Cyg", 200000000 + 64 * 100 + 31, "AK Cyg"},  // AJ is skipped: AI 63, AK 64
    {"BD Cyg", 200000000 + 82 * 100 + 31, "BD Cyg"},  // no Durchmusterung number: BB is 80
    {"QZ Car", 200000000 + 334 * 100 + 17, "QZ Car"},
    {"V335 Sgr", 200000000 + 335 * 100 + 72, "V335 Sgr"},
    {"V4334 Sgr", 200000000 + 4334 * 100 + 72, "V4334 Sgr"},
    {"$a And", 100000000 + 1 * 1000 + 1, "$a And"},
    {"$a2 Cap", 100000000 + 1 * 1000 + 2 * 100 + 16, "$a2 Cap"},
    {"$w  Cyg", 100000000 + 24 * 1000 + 31, "$w Cyg"},
};

const DesignationCase DeepSkyCases[] = {
    {"NGC 224", 2200000000u + 2240, "NGC224"},
    {"NGC 1234B", 2200000000u + 12342, "NGC1234B"},
    {"NGC 1234i", 2200000000u + 12349, "NGC1234I"},
    {"NGC 12Z", 2200000000u + 120, "NGC12"},
    {"IC 434", 2300000000u + 4340, "IC434"},
    {"M 31", 2100000000u + 31, "M31"},
    {"M110", 2100000000u + 110, "M110"},
    {"UGCA 86", 2500000000u + 86, "UGCA86"},
    {"UGC 12158", 2400000000u + 12158, "UGC12158"},
    {"PGC 2557", 2800000000u + 2557, "PGC2557"},
    {"PK 205+14 1", 2600000000u + 205 * 10000 + 1000 + 14 * 10 + 1, "PK205+14 1"},
    {"PK 64-5.1", 2600000000u + 64 * 10000 + 5 * 10 + 1, "PK64-05 1"},
    {"PNG 205.1+14.2", 2700000000u + 205 * 100000 + 10000 + 1000 + 142, "PNG205.1+14.2"},
    {"PNG 61.3-09.6", 2700000000u + 61 * 100000 + 3 * 10000 + 96, "PNG061.3-09.6"},
};

// Every case parses to its packed number, renders to its text, and the text parses back to
// the same number.
void CheckDesignations(std::span<const DesignationCase> cases,
                       bool (*parse)(std::string_view, CatalogNumber&)) {
  for (const DesignationCase& c : cases) {
    SCOPED_TRACE(c.text);
    CatalogNumber n = 0;
    ASSERT_TRUE(parse(c.text, n));
    EXPECT_EQ(n, c.packed);
    EXPECT_EQ(RenderDesignation(n), c.rendered);
    CatalogNumber again = 0;
    ASSERT_TRUE(parse(RenderDesignation(n), again));
    EXPECT_EQ(again, n);
  }
}

TEST(Designations, StarsParseAndRenderBack) { CheckDesignations(StarCases, ParseStarDesignation); }

TEST(Designations, DeepSkyObjectsParseAndRenderBack) {
  CheckDesignations(DeepSkyCases, ParseDeepSkyDesignation);
}

TEST(Designations, RejectsTextsOutsideEveryRule) {
  const char* stars[] = {
      "JK Cyg",       // J is never a variable-star letter
      "RQ Cyg",       // second letter before the first
      "Rr Lyr",       // letters are upper case
      "V334 Sgr",     // numbered names start at 335
      "BD 05 1234",   // no sign: must not become a southern zone
      "BD+90 1",      // zone 0-89
      "BD+05 10000",  // number 1-9999
      "CoD-60 100000",
      "GSC 9538-0001",
      "GSC 0123 0456",
      "HR 0",
      "HR 10000",
      "SAO 999999",
      "hr 1234",  // prefixes are case-sensitive
      "Sirius",
      "61",
      "61 Xyz",
      "0 Cyg",
      "$j And",
      "$a",
      "$aAnd",
      "$a0 And",
      "$",
      "",
  };
  for (const char* text : stars) {
    SCOPED_TRACE(text);
    CatalogNumber n = 0;
    EXPECT_FALSE(ParseStarDesignation(text, n));
  }
  const char* deepSky[] = {"NGC 0",
                           "NGC 10000",
                           "M111",
                           "M 0",
                           "PK 360+14 1",
                           "PK 205+14 0",
                           "PK 205 14 1",
                           "PNG 205.10+14.2",
                           "PNG 205.1+90.0",
                           "UGCA 99999",
                           "HR 1234",
                           "Orion Nebula",
                           ""};
  for (const char* text : deepSky) {
    SCOPED_TRACE(text);
    CatalogNumber n = 0;
    EXPECT_FALSE(ParseDeepSkyDesignation(text, n));
  }
}

TEST(Designations, DamagedNumbersRenderWithoutReadingOutOfTables) {
  // Codes that are no catalog render as nothing; fields out of range render without crashing.
  EXPECT_EQ(RenderDesignation(MakeCatalogNumber(11, 5)), "");
  EXPECT_EQ(RenderDesignation(MakeCatalogNumber(0, 5)), "");
  EXPECT_EQ(RenderDesignations(
                {MakeCatalogNumber(4, 1), MakeCatalogNumber(29, 1), MakeCatalogNumber(21, 1)}),
            "HR1; M1");
  EXPECT_EQ(RenderDesignation(MakeCatalogNumber(CatalogBayer, 99 * 1000 + 99)), "$? ");
  EXPECT_EQ(RenderDesignation(MakeCatalogNumber(CatalogBD, 99999999)), "BD-99 9999");
}

TEST(Designations, NameTextsSplitSortAndKeepWhatIsNoDesignation) {
  const std::vector<std::string_view> parts = SplitNameParts("  a; ;b ;;", 16);
  EXPECT_EQ(parts, (std::vector<std::string_view>{"a", "b "}));
  EXPECT_EQ(SplitNameParts("a;b;c", 2).size(), 2u);

  ParsedName both = ParseNameText("HR 1234; $a And", false);
  EXPECT_TRUE(both.complete);
  EXPECT_EQ(both.numbers, (std::vector<CatalogNumber>{100001001, 400001234}));  // Bayer first

  ParsedName mixed = ParseNameText("HR 1234; Sirius", false);
  EXPECT_FALSE(mixed.complete);
  EXPECT_EQ(mixed.numbers, (std::vector<CatalogNumber>{400001234}));

  // Nine designations: only eight fit a record, so the text must be kept to lose nothing.
  ParsedName nine = ParseNameText("M1;M2;M3;M4;M5;M6;M7;M8;M9", true);
  EXPECT_EQ(nine.numbers.size(), 8u);
  EXPECT_FALSE(nine.complete);

  // Star rules do not apply to deep-sky objects and the other way round.
  EXPECT_FALSE(ParseNameText("M 31", false).complete);
  EXPECT_FALSE(ParseNameText("HR 1234", true).complete);
}

TEST(Constellations, TablesMatchTheirNumbers) {
  EXPECT_EQ(FindConstellation("And"), 1);
  EXPECT_EQ(FindConstellation("cvn"), 13);
  EXPECT_EQ(FindConstellation("Virginis"), 86);
  EXPECT_EQ(FindConstellation("Vu"), 0);
  EXPECT_STREQ(Constellations[58].name, "Ophiucus");
  EXPECT_STREQ(Constellations[16].genitive, "Cariane");
  EXPECT_STREQ(Constellations[87].meaning, "Fox");
  for (int n = 1; n <= ConstellationCount; ++n) {  // abbreviations are unique
    EXPECT_EQ(FindConstellation(Constellations[n - 1].abbreviation), n);
  }
  EXPECT_EQ(GreekLetterOfSymbol('q'), 8);
  EXPECT_STREQ(GreekLetters[7].name, "Theta");
  EXPECT_STREQ(GreekLetters[7].utf8, "θ");
  EXPECT_EQ(GreekLetterOfSymbol('j'), 0);
}

}  // namespace
}  // namespace qv
