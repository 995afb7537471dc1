// The info window's lines: magnitude and distance texts at their boundaries, unit conversions of
// star motions, rise and set of circumpolar and never-rising stars, the Moon's distance and
// phase, a satellite's next pass in the info lines and the ephemeris columns, and the trail
// buttons.
#include "chart/object_info.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <regex>
#include <string>

#include "chart/ephemeris.h"
#include "chart/trails.h"
#include "objects/printf_text.h"
#include "objects/tleimport.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/result.h"
#include "tests/astro/ref_table.h"
#include "tests/chart/test_options.h"
#include "tests/objects/sky_fixture.h"

namespace qv {
namespace {

TEST(MagnitudeText, MultiplesShowTheCompanionVariablesTheFaintestMagnitude) {
  constexpr int None = UnknownMagnitude;
  const struct {
    int kind, m, f, c;
    const char* text;
  } cases[] = {
      {KindSingleStar, 146, 300, 500, "+1.46"},  // others ignore f and c
      {KindSingleStar, -144, None, None, "-1.44"},
      {KindMultipleStar, 200, 900, 350, "+2.00, +3.50"},  // only c matters for 52
      {KindMultipleStar, 200, 900, None, "+2.00, "},
      {KindVariableStar, 350, 610, 100, "+3.50 - +6.10"},  // only f matters for 53
      {KindVariableStar, 350, None, 100, "+3.50 -"},
      {KindMultipleVariableStar, 350, 610, 800, "+3.50 - +6.10, +8.00"},
      {KindMultipleVariableStar, 350, 610, None, "+3.50 - +6.10, "},
      {KindMultipleVariableStar, 350, None, 800, "+3.50 - , +8.00"},
      {KindMultipleVariableStar, 350, None, None, "+3.50 - ,"},
      {KindMultipleVariableStar, None, 610, 800, ""},  // no magnitude: nothing at all
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(FormatMagnitudeText(c.kind, c.m, c.f, c.c), c.text);
  }
}

TEST(DistanceText, UnitFollowsTheSizeOfTheDistance) {
  const struct {
    double au;
    const char* text;
  } cases[] = {
      {0.01, "Distance (km): 1495979"},  // 0.01 x 149597870.0 = 1495978.7
      {0.0999999, "Distance (km): 14959772"},
      {0.1, "Distance (AU): 0.10000"},
      {9999.99, "Distance (AU): 9999.99000"},
      {1e4, "Distance (pc): 0.048"},
      {1.3 * 206264.8062, "Distance (pc): 1.300"},
      {20e6 * 206264.8062, "Distance (Mpc): 20.00"},
      {UnknownValue, "Distance: "},
      {std::nan(""), "Distance: "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(DistanceText(c.au), c.text);
  }
}

TEST(RiseSetText, MixedCasesKeepTheOldTexts) {
  const double day = 6.283185307;
  std::string rise, set;
  ASSERT_TRUE(RiseSetTexts({false, 0, 0}, {false, 0, 0}, rise, set));
  EXPECT_EQ(rise, "Rises at: (doesn't rise)");
  EXPECT_EQ(set, "Sets at: (doesn't rise)");
  ASSERT_TRUE(RiseSetTexts({false, day, 0}, {false, day, 0}, rise, set));
  EXPECT_EQ(rise, "Rises at: (doesn't set)");
  EXPECT_EQ(set, "Sets at: (doesn't set)");
  // 6 h 30.5 min and 23 h 59.9 min: minutes are whole minutes of the time, not rounded.
  ASSERT_TRUE(RiseSetTexts({true, (6 + 30.5 / 60) * Pi / 12, 0},
                           {true, (23 + 59.9 / 60) * Pi / 12, 0}, rise, set));
  EXPECT_EQ(rise, "Rises at: 06:30");
  EXPECT_EQ(set, "Sets at: 23:59");
  EXPECT_FALSE(RiseSetTexts({true, 1.0, 0}, {false, day, 0}, rise, set));
  EXPECT_FALSE(RiseSetTexts({false, 0, 0}, {true, 1.0, 0}, rise, set));
  // A day without a moonrise shows no time for it, and the set that day.
  ASSERT_TRUE(RiseSetTexts({false, 0, 0, true}, {true, 1.0, 0}, rise, set));
  EXPECT_EQ(rise, "Rises at: (no rise)");
  EXPECT_EQ(set, "Sets at: 03:49");
  ASSERT_TRUE(RiseSetTexts({true, 1.0, 0}, {false, 0, 0, true}, rise, set));
  EXPECT_EQ(set, "Sets at: (no set)");
}

std::map<int, std::string> LinesOf(ObjectRecord& object) {
  std::map<int, std::string> lines;
  for (const InfoLine& line : ObjectInfoLines(object, test::Options().ChartCoordinateSystem))
    lines[line.item] = line.text;
  return lines;
}

using ObjectInfo = test::SkyTest;

TEST_F(ObjectInfo, StarMotionsAndVelocityInTheUnitsOfTheTextFiles) {
  SetTimeUt(2451545.0);
  // At R.A. 0, Dec. 0: 10 s/yr in R.A. and 10"/yr in Dec., as the object text files convert them.
  ObjectRecord& star = AddSkyObject(KindMultipleStar, {1, 0, 0}, 1.3 * 206264.8062, 146);
  SkyObjectRecord& sky = *SkyObjectOf(star);
  sky.motion = MotionFromPerDay({0, 10 * 1.991021278111841e-07, 10 * 1.3273475187412273e-08});
  sky.radialVelocity = static_cast<float>(-12.5 * 0.0005775483300664642);
  sky.colorIndex = 65;
  sky.companionOffset = 400;
  sky.variabilityOffset = UnknownMagnitude;
  sky.size = static_cast<float>(2.5 * 4.848136812202333e-06);
  std::map<int, std::string> lines = LinesOf(star);
  EXPECT_EQ(lines[InfoKindItem], "Type: Multiple star");
  EXPECT_EQ(lines[InfoDistanceItem], "Distance (pc): 1.300");
  // To the last digit shown.
  std::smatch ra, dec;
  ASSERT_TRUE(std::regex_match(lines[InfoLine15Item], ra,
                               std::regex(R"(R\.A\. motion \(s/yr\): \+(\d+\.\d{4}))")));
  EXPECT_NEAR(std::stod(ra[1]), 10.0, 0.0001);
  ASSERT_TRUE(std::regex_match(lines[InfoLine16Item], dec,
                               std::regex(R"(Dec\. motion \("/yr\): \+(\d+\.\d{3}))")));
  EXPECT_NEAR(std::stod(dec[1]), 10.0, 0.001);
  EXPECT_EQ(lines[InfoLine17Item], "Radial velocity (km/s): -12.5");
  EXPECT_EQ(lines[InfoLine18Item], "Color Index (B-V): +0.65");
  EXPECT_EQ(lines[InfoSizeItem], "Separation (\"): 2.5");
  EXPECT_EQ(lines[InfoLine19Item], "");
  EXPECT_TRUE(
      std::regex_match(lines[InfoMagnitudeItem], std::regex(R"(Magnitude: \+1\.4\d, \+5\.4\d)")))
      << lines[InfoMagnitudeItem];
  EXPECT_EQ(lines[InfoRightAscensionItem].rfind("R.A. (2000.0): ", 0), 0u)
      << lines[InfoRightAscensionItem];
}

TEST_F(ObjectInfo, StarsWithoutParallaxVelocityOrSizeShowBareLabels) {
  SetTimeUt(2451545.0);
  ObjectRecord& star = AddSkyObject(KindSingleStar, {0, 1, 0}, UnknownValue, 300);
  ObjectRecord& galaxy = AddSkyObject(KindGalaxy, {0, 0, 1}, 20e6 * 206264.8062, 900);
  std::map<int, std::string> lines = LinesOf(star);
  EXPECT_EQ(lines[InfoDistanceItem], "Distance: ");
  EXPECT_EQ(lines[InfoLine17Item], "Radial velocity (km/s): ");
  EXPECT_EQ(lines[InfoSizeItem], "Separation (\"): ");
  SkyObjectOf(galaxy)->size = static_cast<float>(3.5 * 0.00029088820873213997);
  lines = LinesOf(galaxy);
  EXPECT_EQ(lines[InfoDistanceItem], "Distance (Mpc): 20.00");
  EXPECT_EQ(lines[InfoSizeItem], "Angular Size ('): 3.5");
}

TEST_F(ObjectInfo, CircumpolarAndNeverRisingStarsFromLatitude47) {
  SetTimeUt(2451545.0);
  const double dec = 80 * test::Deg;
  ObjectRecord& north =
      AddSkyObject(KindSingleStar, {std::cos(dec), 0, std::sin(dec)}, UnknownValue, 300);
  ObjectRecord& south =
      AddSkyObject(KindSingleStar, {std::cos(dec), 0, -std::sin(dec)}, UnknownValue, 300);
  ObjectRecord& equator = AddSkyObject(KindSingleStar, {0, 1, 0}, UnknownValue, 300);
  for (bool precise : {false, true}) {
    test::Observing().PreciseRiseSetTimes = precise;
    std::map<int, std::string> lines = LinesOf(north);
    EXPECT_EQ(lines[InfoRiseItem], "Rises at: (doesn't set)");
    EXPECT_EQ(lines[InfoSetItem], "Sets at: (doesn't set)");
    lines = LinesOf(south);
    EXPECT_EQ(lines[InfoRiseItem], "Rises at: (doesn't rise)");
    EXPECT_EQ(lines[InfoSetItem], "Sets at: (doesn't rise)");
    // A star on the equator is up for 12 hours (plus a few minutes at the true horizon).
    lines = LinesOf(equator);
    std::smatch rise, set;
    ASSERT_TRUE(
        std::regex_match(lines[InfoRiseItem], rise, std::regex(R"(Rises at: (\d\d):(\d\d))")))
        << lines[InfoRiseItem];
    ASSERT_TRUE(std::regex_match(lines[InfoSetItem], set, std::regex(R"(Sets at: (\d\d):(\d\d))")))
        << lines[InfoSetItem];
    const int up = ((std::stoi(set[1]) - std::stoi(rise[1])) * 60 + std::stoi(set[2]) -
                    std::stoi(rise[2]) + 1440) %
                   1440;
    EXPECT_NEAR(up, 12 * 60 - 4, 6);  // sidereal day: up 11h58m of solar time
  }
}

TEST_F(ObjectInfo, MoonDistanceInKilometresAndItsPhase) {
  // Full moon 2000 Feb 19 16:27 UT and new moon 2000 Mar 6 05:17 UT.
  SetTimeUt(2451594.186);
  std::map<int, std::string> lines = LinesOf(Body(KindMoon));
  EXPECT_EQ(lines[InfoKindItem], "Type: Earth's moon");
  std::smatch km;
  ASSERT_TRUE(
      std::regex_match(lines[InfoDistanceItem], km, std::regex(R"(Distance \(km\): (\d+))")))
      << lines[InfoDistanceItem];
  EXPECT_GT(std::stod(km[1]), 350000);
  EXPECT_LT(std::stod(km[1]), 410000);
  std::smatch illumination;
  ASSERT_TRUE(std::regex_match(lines[InfoLine15Item], illumination,
                               std::regex(R"(Illumination: (\d\.\d{4}))")));
  EXPECT_GT(std::stod(illumination[1]), 0.99);
  EXPECT_TRUE(std::regex_match(lines[InfoLine16Item],
                               std::regex("P\\.A\\. of bright limb: \\d+\\.\\d\u00b0")));
  EXPECT_TRUE(std::regex_match(lines[InfoMagnitudeItem], std::regex(R"(Magnitude: -1\d\.\d)")))
      << lines[InfoMagnitudeItem];
  EXPECT_TRUE(std::regex_match(lines[InfoSizeItem], std::regex(R"(Angular Size: 1[7-9]\d\d\.\d")")))
      << lines[InfoSizeItem];
  SetTimeUt(2451609.720);
  lines = LinesOf(Body(KindMoon));
  ASSERT_TRUE(std::regex_match(lines[InfoLine15Item], illumination,
                               std::regex(R"(Illumination: (\d\.\d{4}))")));
  EXPECT_LT(std::stod(illumination[1]), 0.01);
  // Jupiter, far beyond 0.1 AU, in AU.
  EXPECT_TRUE(std::regex_match(LinesOf(Body(KindJupiter))[InfoDistanceItem],
                               std::regex(R"(Distance \(AU\): \d\.\d{5})")));
}

// The local clock reading "HH:MM" (zone 0) of a UT instant, minutes cut as the info texts cut
// them.
std::string ClockText(double jd) {
  const double minutes = std::floor((jd - 0.5 - std::floor(jd - 0.5)) * 1440);
  return PrintfText("%02d:%02d", static_cast<int>(minutes / 60), static_cast<int>(minutes) % 60);
}

// The ISS (the sample element set of 2026 April 7, as in tests/astro/ref/) from Ushuaia: the info
// window and the ephemeris rows give PyEphem's next pass (tests/astro/ref/passes_pyephem.tsv),
// not the fixed-star times, and the North Pole, which the ISS never passes, none.
TEST_F(ObjectInfo, SatelliteShowsItsNextPass) {
  std::unique_ptr<ObjectRecord> record;
  ASSERT_EQ(
      ElementSetToRecord(
          "ISS (ZARYA)", "1 25544U 98067A   26097.81163521  .00007114  00000+0  13797-3 0  9993",
          "2 25544  51.6331 288.3735 0006339 285.1531  74.8756 15.48821670560845", record),
      ResultOk);
  ObjectRecord& iss = *ObjectOfId(AddObject(record, fileId));
  test::RefRow want;
  for (const test::RefRow& row : test::LoadRefTable("passes_pyephem.tsv"))
    if (row.Text("satellite") == "ISS (ZARYA)" && row.Text("site") == "Ushuaia") want = row;
  ASSERT_FALSE(want.fields.empty());
  ObservingSettings& s = test::Observing();
  s.ViewerLatitude = want.Number("lat_deg") * test::Deg;
  s.ViewerLongitude = want.Number("lon_deg") * test::Deg;
  s.ViewerAltitude = 0;
  s.SatelliteModel = SatelliteSGP4;
  SetTimeUt(want.Number("start_jd_ut"));
  std::map<int, std::string> lines = LinesOf(iss);
  EXPECT_EQ(lines[InfoRiseItem], "Rises at: " + ClockText(want.Number("rise_jd_ut")));
  EXPECT_EQ(lines[InfoSetItem], "Sets at: " + ClockText(want.Number("set_jd_ut")));
  EXPECT_EQ(lines[InfoLine19Item],
            "Culminates at: " + ClockText(want.Number("culmination_jd_ut")) +
                PrintfText(", altitude %.1f\u00b0", want.Number("culmination_alt_deg")));
  std::string table;
  ASSERT_EQ(WriteEphemeris(
                [&table](std::string_view text) {
                  table += text;
                  return true;
                },
                iss, s, CoordinatesHorizon, s.JulianDate, s.JulianDate, 1),
            ResultOk);
  EXPECT_NE(table.find("\t" + ClockText(want.Number("rise_jd_ut")) + "\t" +
                       ClockText(want.Number("set_jd_ut")) + "\t"),
            std::string::npos)
      << table;
  s.ViewerLatitude = 90 * test::Deg;
  test::UpdateSky();
  lines = LinesOf(iss);
  EXPECT_EQ(lines[InfoRiseItem], "Rises at: (doesn't rise)");
  EXPECT_EQ(lines[InfoLine19Item], "Culminates at: ");
}

TEST_F(ObjectInfo, TrailButtonsFollowWhetherTheObjectHasATrail) {
  InitPlatform();
  SetTimeUt(2451545.0);
  WindowRef window = CreateDialogWindow(512, 0, nullptr);
  ASSERT_NE(window, nullptr);
  const ObjectId mars = ids.at(KindMars);
  ASSERT_TRUE(FillObjectInfo(window, mars, test::Options().ChartCoordinateSystem));
  EXPECT_TRUE(IsItemEnabled(window, InfoTrailOnItem));
  EXPECT_FALSE(IsItemEnabled(window, InfoTrailOffItem));
  EXPECT_EQ(GetItemText(window, InfoKindItem), "Type: Mars");
  ASSERT_NE(CreateTrail(mars, TrailInSky, 100, 0, 0), 0);
  ASSERT_TRUE(FillObjectInfo(window, mars, test::Options().ChartCoordinateSystem));
  EXPECT_FALSE(IsItemEnabled(window, InfoTrailOnItem));
  EXPECT_TRUE(IsItemEnabled(window, InfoTrailOffItem));
  DeleteAllTrails();
  EXPECT_FALSE(
      FillObjectInfo(window, mars + 1000,
                     test::Options().ChartCoordinateSystem));  // no such object: nothing written
  EXPECT_EQ(GetItemText(window, InfoKindItem), "Type: Mars");
  DisposeDialog(window);
}

}  // namespace
}  // namespace qv
