// Settings files: write -> read round trips of generated settings, the file's own units and
// formats read from hand-written files, bad and truncated files, descriptions, trails.
#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "chart/trails.h"
#include "generated/string_numbers.h"
#include "objects/records.h"
#include "objects/store.h"
#include "platform/alert.h"
#include "platform/files.h"
#include "platform/result.h"
#include "settings/settings.h"
#include "settings/settings_keys.h"
#include "tests/support/scratch_folder.h"

namespace qv {
namespace {

constexpr double Pi180 = 3.14159265358979323846 / 180;

struct Shown {
  int number;
  std::string message;
};

class SettingsFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetAlertPresenter([this](int, int, int number, const std::string& message) {
      shown.push_back({number, message});
      return AnswerOk;
    });
    SetDefaultSettings(32);
    DeleteAllTrails();
  }
  void TearDown() override {
    SetAlertPresenter(nullptr);
    SetDefaultSettings(32);
    DeleteAllTrails();
  }

  // Read: reads text as a settings file; the description prompt answers `keep`.
  bool Read(const std::string& text, bool keep = true) {
    WriteTextFile(folder / "test.qvs", text);
    return ReadSettingsFile(folder / "test.qvs", [this, keep](std::string& description) {
      prompted.push_back(description);
      return keep;
    });
  }

  // ReadSettingsLines: a settings file holding these key=value lines.
  bool ReadSettingsLines(const std::string& lines) {
    return Read("<QuorvaneSettingsFile>\r\nFileVersion=3.5\r\n\r\n<Settings>\r\n" + lines +
                "</Settings>\r\n\r\n</QuorvaneSettingsFile>\r\n");
  }

  ScratchFolder folder;
  std::vector<Shown> shown;
  std::vector<std::string> prompted;
};

// LinesOf: the lines of a written file, without their CR LF endings.
std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

std::string ValueOf(const std::string& text, const std::string& key) {
  for (const std::string& line : LinesOf(text)) {
    if (line.rfind(key + "=", 0) == 0) return line.substr(key.size() + 1);
  }
  return "(missing)";
}

// RandomSettings: every saved field set to a random value of its kind.
ChartSettings RandomSettings(std::mt19937& random) {
  auto uniform = [&](double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(random);
  };
  auto whole = [&](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  auto flag = [&] { return whole(0, 1) == 1; };
  auto magnitude = [&](bool mayBeAbsent) {
    return static_cast<int16_t>(mayBeAbsent && whole(0, 3) == 0 ? NoMagnitudeLimit
                                                                : whole(-3000, 3000));
  };
  auto text = [&](int length, const std::string& alphabet) {
    std::string s;
    for (int i = 0; i < length; ++i) s += alphabet[whole(0, static_cast<int>(alphabet.size()) - 1)];
    return s;
  };

  ChartSettings s = DefaultSettings(32);
  for (double& offset : s.ViewerObjectOffset)
    offset = uniform(-1, 1) * std::pow(10.0, whole(-8, 3));
  s.ViewerSiteName = text(whole(0, 47), "abcxyz ABC-=,.';01239");
  s.ViewerLongitude = uniform(-180, 180) * Pi180;
  s.ViewerLatitude = uniform(-90, 90) * Pi180;
  s.ViewerAltitude = uniform(-400, 8800);
  // Whole, tenth and quarter hours as real zones have them.
  const double zoneSteps[] = {1.0, 0.1, 0.25};
  const double step = zoneSteps[whole(0, 2)];
  s.TimeZone = std::round(uniform(-12, 14) / step) * step / 24;
  s.JulianDate = uniform(2268923.5, 2634166.5);
  s.CalendarSystem = static_cast<CalendarKind>(whole(0, 3));
  s.DynamicTime = flag();
  s.DaylightSavingsTime = flag();
  s.StarParallax = flag();
  s.StarParallaxThreshold = uniform(0, 1e6);
  s.StarMotion = flag();
  s.StarMotionThreshold = uniform(0, 1e7);
  s.PlanetComputation = static_cast<PlanetTheory>(whole(1, 3));
  s.PlanetLightTime = flag();
  s.SatelliteModel = static_cast<SatelliteTheory>(whole(1, 2));
  s.PrecessionEpoch = J2000 + whole(-4000, 4000) * 36.525;  // a year to a tenth
  for (bool* f :
       {&s.Precession, &s.Nutation, &s.Aberration, &s.Refraction, &s.PreciseRiseSetTimes}) {
    *f = flag();
  }
  s.HorizonAltitude = uniform(-5, 5) * Pi180;
  s.ChartProjection = static_cast<Projection>(whole(1, 5));
  s.ChartCoordinateSystem = static_cast<CoordinateSystem>(whole(1, 4));
  s.ChartCenterLongitude = uniform(0, 360) * Pi180;
  s.ChartCenterLatitude = uniform(-90, 90) * Pi180;
  s.ChartFieldRotation = uniform(-180, 180) * Pi180;
  s.ChartFieldWidth = uniform(1.0 / 360, 360) * Pi180;
  for (bool* f : {&s.ChartInvertedHorizontally,
                  &s.ChartInvertedVertically,
                  &s.ShowStars,
                  &s.ShowStarColors,
                  &s.ShowLargeStars,
                  &s.ShowMultipleStars,
                  &s.ShowVariableStars,
                  &s.ShowPlanets,
                  &s.ShowPlanetSymbols,
                  &s.ShowPlanetGrids,
                  &s.ShowRenderedObjects,
                  &s.ShowDeepSkyObjects,
                  &s.ShowConstellations,
                  &s.ShowConstellationFigures,
                  &s.ShowConstellationBoundaries,
                  &s.ShowConstellationLabels,
                  &s.ShowObjectLabels,
                  &s.ShowChartLegend,
                  &s.ShowMouseCoordinates,
                  &s.ShowChartControls,
                  &s.ShowGridLines,
                  &s.ShowGridLabels,
                  &s.ShowEquator,
                  &s.ShowEcliptic,
                  &s.ShowGalacticEquator,
                  &s.ShowHorizonLine,
                  &s.ShowHorizonMask,
                  &s.ShowRADecGrid,
                  &s.AutomaticMagnitudeLimits,
                  &s.ShowColors,
                  &s.RedScreen,
                  &s.TelescopeEmulated,
                  &s.TelescopeEncodersSwapped,
                  &s.ShowTelescopeFinderField,
                  &s.ShowTelescopeEyepieceField,
                  &s.ShowTelescopeCameraField}) {
    *f = flag();
  }
  s.PlanetMagnification = uniform(0.5, 100);
  s.ChartScrollRate = uniform(1, 100);
  s.ChartZoomFactor = uniform(1.1, 10);
  s.GridRAInterval = uniform(0.25, 90) * Pi180;
  s.GridDecInterval = uniform(0.1, 90) * Pi180;
  s.BrightestStarMagnitude = magnitude(false);
  s.FaintestStarMagnitude = magnitude(false);
  for (int16_t* m :
       {&s.FaintestStarLabelMagnitude, &s.FaintestPlanetMagnitude, &s.FaintestPlanetLabelMagnitude,
        &s.FaintestDeepSkyLabelMagnitude, &s.FaintestOpenClusterMagnitude,
        &s.FaintestGlobularClusterMagnitude, &s.FaintestDiffuseNebulaMagnitude,
        &s.FaintestPlanetaryNebulaMagnitude, &s.FaintestGalaxyMagnitude}) {
    *m = magnitude(true);
  }
  s.SkyBackground = static_cast<SkyBackgroundKind>(whole(1, 3));
  for (Color& c : s.Colors) c = MakeColor(whole(0, 255), whole(0, 255), whole(0, 255));
  s.ChartWindowsFont = {text(whole(1, 31), "Times New Roman Sans"),
                        static_cast<int16_t>(whole(6, 72)), static_cast<int16_t>(whole(0, 255))};
  s.AnimationState = static_cast<AnimationMode>(whole(1, 3));
  const double steps[] = {0, 1.0 / 1440, 1.0 / 144, 1.0 / 24, 1, 7, 36525, uniform(-10, 10)};
  s.AnimationTimeStep = steps[whole(0, 7)];
  s.TelescopeInterface = static_cast<TelescopeKind>(whole(1, TelescopeKindCount));
  s.TelescopeINDIHost = text(whole(1, 40), "observatory.example-192.168.1.20:");
  s.TelescopeINDIPort = whole(1, 65535);
  s.TelescopeINDIDevice = text(whole(0, 40), "Telescope Simulator EQMod Mount");
  s.TelescopeConnectionPort = static_cast<int16_t>(whole(1, 13));
  s.TelescopeUpdatesPerSec = static_cast<int16_t>(whole(0, 20));
  s.TelescopeLonEncoderSteps = whole(-100000, 100000);
  s.TelescopeLatEncoderSteps = whole(-100000, 100000);
  s.TelescopeFinderFieldWidth = uniform(0.1, 10) * Pi180;
  s.TelescopeEyepeiceFieldWidth = uniform(0.01, 5) * Pi180;
  s.TelescopeCameraFieldWidth = uniform(0.01, 5) * Pi180;
  s.TelescopeCameraFieldHeight = uniform(0.01, 5) * Pi180;
  return s;
}

// Every key of generated settings survives writing and reading: the values read back write the
// same text (so no key is lost, misread or read into another field), and the values the file
// holds to better than its last digit come back to that precision.
TEST_F(SettingsFileTest, GeneratedSettingsSurviveWriteThenRead) {
  std::mt19937 random(2024);
  for (int round = 0; round < 60; ++round) {
    SCOPED_TRACE(round);
    const ChartSettings written = RandomSettings(random);
    Settings() = written;
    ASSERT_EQ(WriteSettingsFile(folder / "round.qvs", ""), ResultOk);
    const std::string text = ReadTextFile(folder / "round.qvs");
    SetDefaultSettings(8);
    ASSERT_TRUE(ReadSettingsFile(folder / "round.qvs", [](std::string&) { return true; }));
    EXPECT_EQ(FormatSettingsFile(""), text);
    const ChartSettings& read = Settings();
    EXPECT_NEAR(read.TimeZone, written.TimeZone, 1e-12);
    EXPECT_NEAR(read.AnimationTimeStep, written.AnimationTimeStep, 1e-11);  // a microsecond
    EXPECT_NEAR(read.JulianDate, written.JulianDate, 6e-7);
    EXPECT_NEAR(read.ViewerLongitude, written.ViewerLongitude, 5e-7 * Pi180);
    EXPECT_NEAR(read.PrecessionEpoch, written.PrecessionEpoch, 1e-6);
    for (int i = 0; i < 3; ++i) {
      EXPECT_NEAR(read.ViewerObjectOffset[i], written.ViewerObjectOffset[i],
                  std::abs(written.ViewerObjectOffset[i]) * 1e-9);
    }
  }
  EXPECT_TRUE(shown.empty());
}

TEST_F(SettingsFileTest, DefaultsAreWrittenInTheFilesUnits) {
  const std::string text = FormatSettingsFile("");
  const std::vector<std::string> lines = LinesOf(text);
  ASSERT_GE(lines.size(), 5u);
  EXPECT_EQ(lines[0], "<QuorvaneSettingsFile>");
  EXPECT_EQ(lines[1], "FileVersion=3.5");
  EXPECT_EQ(lines[2], "");
  EXPECT_EQ(lines[3], "<Settings>");
  EXPECT_EQ(lines.back(), "</QuorvaneSettingsFile>");
  EXPECT_EQ(text.find("<Description>"), std::string::npos);
  struct Case {
    const char* key;
    const char* value;
  };
  const Case cases[] = {
      {"ViewerObject", ""},
      {"ViewerObjectOffset", "+0.000000000E+00,+0.000000000E+00,+0.000000000E+00"},
      {"ViewerLongitude", "+000.000000"},
      {"ViewerLatitude", "+00.000000"},
      {"ViewerAltitude", "0.0"},
      {"TimeZone", "+0.0"},
      {"JulianDate", "2451545.000000"},
      {"CalendarSystem", "Gregorian"},
      {"DaylightSavingsTime", "1"},
      {"StarParallaxThreshold", "1000.0"},
      {"StarMotionThreshold", "1000.0"},
      {"PlanetPerturbations", "1"},
      {"PlanetComputation", "VFP"},
      {"PrecessionEpoch", "2000.0"},
      {"HorizonAltitude", "0.000"},
      {"ChartProjection", "Lambert"},
      {"ChartCoordinateSystem", "Horizon"},
      {"ChartCenterLatitude", "+45.000000"},
      {"ChartFieldRotation", "+0.000000"},
      {"ChartFieldWidth", "180.000000"},
      {"ChartScrollRate", "36.000"},
      {"GridRAInterval", "15.000000"},
      {"GridDecInterval", "10.000000"},
      {"BrightestStarMagnitude", "+0.50"},
      {"FaintestStarMagnitude", "+5.50"},
      {"FaintestDeepSkyLabelMagnitude", "+10.50"},
      {"FaintestGalaxyMagnitude", "+9.50"},
      {"SkyBackground", "Black"},
      {"StarColor", "127,127,127"},
      {"ConstellationBoundariesColor", "000,072,000"},
      {"EclipticColor", "255,255,000"},
      {"AstronomicalTwilightSkyColor", "000,000,063"},
      {"ChartWindowsFont", "Arial,14"},
      {"AnimationState", "Off"},
      {"AnimationTimeStep", "1.000000"},
      {"TelescopeInterface", "LX200"},
      {"TelescopeINDIHost", "localhost"},
      {"TelescopeINDIPort", "7624"},
      {"TelescopeINDIDevice", ""},
      {"TelescopeLonEncoderSteps", "+2160"},
      {"TelescopeCameraFieldWidth", "0.250000"},
      {"TelescopeCameraFieldHeight", "0.166667"},
  };
  for (const Case& c : cases) EXPECT_EQ(ValueOf(text, c.key), c.value) << c.key;
  // Every key once, in the table's order, between <Settings> and </Settings>.
  const auto keys = SettingsKeys();
  ASSERT_EQ(lines[4 + keys.size()], "</Settings>");
  for (size_t i = 0; i < keys.size(); ++i) {
    EXPECT_EQ(lines[4 + i].substr(0, lines[4 + i].find('=')), keys[i].name);
  }
}

TEST_F(SettingsFileTest, ValuesAreConvertedFromTheFilesUnits) {
  ASSERT_TRUE(ReadSettingsLines(
      "ViewerLongitude=-122.500000\r\nViewerLatitude=+37.750000\r\nTimeZone=-5.0\r\n"
      "StarMotionThreshold=500.0\r\nPrecessionEpoch=1950.0\r\nChartFieldWidth=90\r\n"
      "FaintestStarMagnitude=+6.50\r\nBrightestStarMagnitude=-1.46\r\n"
      "FaintestGalaxyMagnitude=\r\nFaintestPlanetMagnitude=   \r\n"
      "FaintestStarLabelMagnitude=+0.29\r\nFaintestOpenClusterMagnitude=+6.559\r\n"
      "HorizonColor=255,128,7\r\nChartWindowsFont=Times New Roman,12,Bold,Italic\r\n"
      "ViewerObjectOffset=1.5E-03, -2,3e1\r\nTelescopeLatEncoderSteps=-4096\r\n"
      "ChartProjection=Mollweide\r\nTelescopeInterface=QEICoordinate\r\n"));
  const ChartSettings& s = Settings();
  // Angles to 1e-9 radian (0.2 milliarcsecond), far below the file's last digit.
  EXPECT_NEAR(s.ViewerLongitude, -122.5 * Pi180, 1e-9);
  EXPECT_NEAR(s.ViewerLatitude, 37.75 * Pi180, 1e-9);
  EXPECT_DOUBLE_EQ(s.TimeZone, -5.0 / 24);
  EXPECT_DOUBLE_EQ(s.StarMotionThreshold, 500 * 365.25);
  EXPECT_DOUBLE_EQ(s.PrecessionEpoch, 2433282.5);
  EXPECT_NEAR(s.ChartFieldWidth, Pi180 * 90, 1e-9);
  EXPECT_EQ(s.FaintestStarMagnitude, 650);
  EXPECT_EQ(s.BrightestStarMagnitude, -146);
  EXPECT_EQ(s.FaintestGalaxyMagnitude, NoMagnitudeLimit);
  EXPECT_EQ(s.FaintestPlanetMagnitude, NoMagnitudeLimit);
  EXPECT_EQ(s.FaintestStarLabelMagnitude, 29);
  EXPECT_EQ(s.FaintestOpenClusterMagnitude, 655);  // toward zero
  EXPECT_EQ(s.Colors[HorizonColor], MakeColor(255, 128, 7));
  EXPECT_EQ(s.ChartWindowsFont.Face, "Times New Roman");
  EXPECT_EQ(s.ChartWindowsFont.Size, 12);
  EXPECT_EQ(s.ChartWindowsFont.Style, FontBold | FontItalic);
  EXPECT_DOUBLE_EQ(s.ViewerObjectOffset[0], 1.5e-3);
  EXPECT_DOUBLE_EQ(s.ViewerObjectOffset[1], -2);
  EXPECT_DOUBLE_EQ(s.ViewerObjectOffset[2], 30);
  EXPECT_EQ(s.TelescopeLatEncoderSteps, -4096);
  EXPECT_EQ(s.ChartProjection, ProjectionMollweide);
  EXPECT_EQ(s.TelescopeInterface, TelescopeQEICoordinate);

  const std::string text = FormatSettingsFile("");
  EXPECT_EQ(ValueOf(text, "TimeZone"), "-5.0");
  EXPECT_EQ(ValueOf(text, "FaintestGalaxyMagnitude"), "");
  EXPECT_EQ(ValueOf(text, "FaintestStarMagnitude"), "+6.50");
  EXPECT_EQ(ValueOf(text, "ChartWindowsFont"), "Times New Roman,12,Bold,Italic");
  EXPECT_EQ(ValueOf(text, "PrecessionEpoch"), "1950.0");
  EXPECT_EQ(ValueOf(text, "HorizonColor"), "255,128,007");
}

TEST_F(SettingsFileTest, QuarterHourZonesAndMinuteStepsKeepTheirValue) {
  Settings().TimeZone = 5.75 / 24;            // Nepal
  Settings().AnimationTimeStep = 1.0 / 1440;  // one minute
  const std::string text = FormatSettingsFile("");
  EXPECT_EQ(ValueOf(text, "TimeZone"), "+5.75");
  EXPECT_EQ(ValueOf(text, "AnimationTimeStep"), "0.000694444444");
  ASSERT_TRUE(Read(text));
  EXPECT_NEAR(Settings().TimeZone * 24, 5.75, 1e-12);
  EXPECT_NEAR(Settings().AnimationTimeStep * 86400, 60, 1e-6);
}

TEST_F(SettingsFileTest, ReadingFollowsTheKeyRules) {
  struct Case {
    const char* lines;
    bool (*check)(const ChartSettings&);
  };
  const Case cases[] = {
      // Keys are case-sensitive; unknown keys are passed over.
      {"showstars=0\r\nShowStar=0\r\n<Settings>\r\n",
       [](const ChartSettings& s) { return s.ShowStars; }},
      // A line without "=" is all key, with an empty value.
      {"ShowStars\r\n", [](const ChartSettings& s) { return !s.ShowStars; }},
      // The last of repeated keys wins.
      {"ShowStars=0\r\nShowStars=1\r\nShowStars=0\r\n",
       [](const ChartSettings& s) { return !s.ShowStars; }},
      // The value is the rest of the line after the first "=".
      {"ViewerSiteName=a=b \r\n",
       [](const ChartSettings& s) { return s.ViewerSiteName == "a=b "; }},
      // Site names are cut to 47 characters, never inside a UTF-8 character.
      {"ViewerSiteName=\xC3\xA9"
       "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\xC3\xA9"
       "bbb\r\n",
       [](const ChartSettings& s) {
         return s.ViewerSiteName == "\xC3\xA9" + std::string(44, 'a');
       }},
      // Unparseable numbers read as 0.
      {"StarParallaxThreshold=abc\r\nShowStars=yes\r\nTelescopeUpdatesPerSec=\r\n",
       [](const ChartSettings& s) {
         return s.StarParallaxThreshold == 0 && !s.ShowStars && s.TelescopeUpdatesPerSec == 0;
       }},
      // Numbers beyond a field's range are held at its limits.
      {"TelescopeLonEncoderSteps=99999999999\r\nStarColor=300,-5,12\r\n",
       [](const ChartSettings& s) {
         return s.TelescopeLonEncoderSteps == 2147483647 &&
                s.Colors[StarColor] == MakeColor(255, 0, 12);
       }},
      // Unknown names, lower case included, leave enumerations as they were.
      {"CalendarSystem=julian\r\nChartProjection=Orthographic\r\nAnimationState=\r\n",
       [](const ChartSettings& s) {
         return s.CalendarSystem == CalendarGregorian && s.ChartProjection == ProjectionLambert &&
                s.AnimationState == AnimationOff;
       }},
      {"CalendarSystem=Julian\r\n",
       [](const ChartSettings& s) { return s.CalendarSystem == CalendarJulian; }},
      // The planet theory: VSOP87 without the legacy key; the legacy key alone; the later wins.
      {"PlanetComputation=VSOP87\r\n",
       [](const ChartSettings& s) { return s.PlanetComputation == PlanetVSOP87; }},
      {"PlanetPerturbations=0\r\n",
       [](const ChartSettings& s) { return s.PlanetComputation == PlanetElements; }},
      {"PlanetPerturbations=0\r\nPlanetComputation=VSOP87\r\n",
       [](const ChartSettings& s) { return s.PlanetComputation == PlanetVSOP87; }},
      {"PlanetComputation=Elements\r\nPlanetPerturbations=2\r\n",
       [](const ChartSettings& s) { return s.PlanetComputation == PlanetVFP; }},
      // The satellite model: the simple one unless SGP4 is named.
      {"SatelliteModel=SGP4\r\n",
       [](const ChartSettings& s) { return s.SatelliteModel == SatelliteSGP4; }},
      {"SatelliteModel=sgp4\r\n",
       [](const ChartSettings& s) { return s.SatelliteModel == SatelliteSimple; }},
      // Style words must match exactly; a font without size has size 0.
      {"ChartWindowsFont=Courier,9,bold,Strikeout,Italic \r\n",
       [](const ChartSettings& s) {
         return s.ChartWindowsFont.Style == FontStrikeout && s.ChartWindowsFont.Size == 9;
       }},
      {"ChartWindowsFont=Courier\r\n",
       [](const ChartSettings& s) {
         return s.ChartWindowsFont.Face == "Courier" && s.ChartWindowsFont.Size == 0;
       }},
      // EndOfSettings ends the section: later lines of the section are not read.
      {"ShowStars=0\r\nEndOfSettings\r\nShowPlanets=0\r\n",
       [](const ChartSettings& s) { return !s.ShowStars && s.ShowPlanets; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lines);
    SetDefaultSettings(32);
    ASSERT_TRUE(ReadSettingsLines(c.lines));
    EXPECT_TRUE(c.check(Settings()));
  }
  EXPECT_TRUE(shown.empty());
}

// A name that is not one of the key's keeps the field, is reported with what it stays, and does
// not end the reading.
TEST_F(SettingsFileTest, UnknownNamesKeepTheFieldAndAreReported) {
  WriteTextFile(folder / "names.qvs",
                "<QuorvaneSettingsFile>\r\nFileVersion=3.5\r\n\r\n<Settings>\r\n"
                "PlanetComputation=Bogus\r\nSatelliteModel=SGP4\r\nChartProjection=\r\n"
                "</Settings>\r\n</QuorvaneSettingsFile>\r\n");
  std::vector<std::string> unknown;
  ASSERT_TRUE(ReadSettingsFile(
      folder / "names.qvs", [](std::string&) { return true; }, &unknown));
  EXPECT_EQ(Settings().PlanetComputation, PlanetVFP);
  EXPECT_EQ(Settings().SatelliteModel, SatelliteSGP4);
  ASSERT_EQ(unknown.size(), 2u);
  EXPECT_EQ(unknown[0], "PlanetComputation=Bogus is not one of its names; it stays VFP");
  EXPECT_EQ(unknown[1].substr(0, 44), "ChartProjection= is not one of its names; it");
}

// A number outside its key's range (one that would draw nothing sensible or never finish) is
// replaced by the key's default, with a message naming the file's line, the key and the value;
// the lines after it are still read.
TEST_F(SettingsFileTest, ValuesOutOfRangeFallBackToTheDefaultWithTheirLine) {
  const char* const lines[] = {
      "GridRAInterval=0",          "GridDecInterval=0",
      "GridRAInterval=-15",        "GridRAInterval=0.0001",
      "GridDecInterval=nan",       "ChartFieldWidth=0",
      "ChartFieldWidth=1e999",     "JulianDate=-1",
      "JulianDate=1e300",          "FaintestStarMagnitude=-900",
      "ChartWindowsFont=Arial,-3", "ChartZoomFactor=abc",
      "ChartScrollRate=0",         "TelescopeConnectionPort=99999999999",
      "ViewerLatitude=91",         "TelescopeUpdatesPerSec=1000",
  };
  for (const std::string line : lines) {
    SCOPED_TRACE(line);
    SetDefaultSettings(32);
    shown.clear();
    const std::string name = line.substr(0, line.find('='));
    const std::string fallback = DefaultSettingsValue(*FindSettingsKey(name));
    ASSERT_TRUE(ReadSettingsLines("ShowStars=0\r\n" + line + "\r\nShowPlanets=0\r\n"));
    EXPECT_EQ(ValueOf(FormatSettingsFile(""), name), fallback);
    EXPECT_FALSE(Settings().ShowStars || Settings().ShowPlanets);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].number, MessageSettingOutOfRange);
    EXPECT_NE(shown[0].message.find("line 6: " + line + " is outside"), std::string::npos)
        << shown[0].message;
  }
  // The ends of a range are in it, and every default lies in its key's range.
  ASSERT_TRUE(ReadSettingsLines("GridRAInterval=0.25\r\nJulianDate=5373484.5\r\n"));
  EXPECT_EQ(ValueOf(FormatSettingsFile(""), "JulianDate"), "5373484.500000");
  for (const SettingsKey& key : SettingsKeys()) {
    EXPECT_TRUE(SettingsValueInRange(key, DefaultSettingsValue(key))) << key.name;
  }
}

TEST_F(SettingsFileTest, EveryLineEndingReads) {
  for (const char* end : {"\r\n", "\n", "\r"}) {
    SCOPED_TRACE(testing::PrintToString(end));
    SetDefaultSettings(32);
    const std::string e = end;
    ASSERT_TRUE(Read("<QuorvaneSettingsFile>" + e + "FileVersion=3.5" + e + "<Settings>" + e +
                     "ShowStars=0" + e + "ChartZoomFactor=3" + e + "</Settings>" + e));
    EXPECT_FALSE(Settings().ShowStars);
    EXPECT_EQ(Settings().ChartZoomFactor, 3);
  }
}

TEST_F(SettingsFileTest, AFileThatIsNotASettingsFileChangesNothing) {
  const int trail = CreateTrail(16385, TrailInSky, 10, 1, 0);
  Settings().Description = "kept";
  Settings().ShowStars = false;
  const std::string before = FormatSettingsFile("");
  const char* texts[] = {
      "",
      "<QuorvaneSettingsFile> \r\n<Settings>\r\nShowStars=1\r\n",
      "<QuorvaneSettingsFile>\t\r\n<Settings>\r\nShowStars=1\r\n",
      "<quorvanesettingsfile>\r\n<Settings>\r\nShowStars=1\r\n",
      "\r\n<QuorvaneSettingsFile>\r\n<Settings>\r\nShowStars=1\r\n",
      "GIF89a\x01\x00\x01\x00\x00\xff",
  };
  for (const char* text : texts) {
    SCOPED_TRACE(testing::PrintToString(text));
    shown.clear();
    EXPECT_FALSE(Read(text));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].number, 258);
    EXPECT_NE(shown[0].message.find("test.qvs"), std::string::npos);
  }
  EXPECT_EQ(FormatSettingsFile(""), before);
  EXPECT_EQ(Settings().Description, "kept");
  EXPECT_NE(GetTrail(trail), nullptr);

  shown.clear();
  EXPECT_FALSE(ReadSettingsFile(folder / "missing.qvs", [](std::string&) { return true; }));
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].number, 257);
  EXPECT_EQ(FormatSettingsFile(""), before);
}

// A file cut anywhere applies every whole line before the cut and nothing after it.
TEST_F(SettingsFileTest, TruncatedFilesApplyEveryLineReadBeforeTheEnd) {
  std::mt19937 random(99);
  Settings() = RandomSettings(random);
  const std::string full = FormatSettingsFile("");
  const std::vector<std::string> fullLines = LinesOf(full);
  const std::vector<std::string> defaultLines =
      LinesOf((SetDefaultSettings(32), FormatSettingsFile("")));
  for (size_t cut = 0; cut < full.size(); cut += 97) {
    SCOPED_TRACE(cut);
    SetDefaultSettings(32);
    const std::string kept = full.substr(0, cut);
    const bool isSettingsFile = kept.size() >= 22;  // the whole header, with or without its end
    EXPECT_EQ(Read(kept), isSettingsFile);
    const std::vector<std::string> lines = LinesOf(FormatSettingsFile(""));
    size_t wholeLines = 0;  // lines kept with their ending; the next one is cut or missing
    for (size_t at = kept.find("\r\n"); at != std::string::npos; at = kept.find("\r\n", at + 2)) {
      ++wholeLines;
    }
    for (size_t i = 4; i < lines.size() && lines[i] != "</Settings>"; ++i) {
      if (i < wholeLines) {
        EXPECT_EQ(lines[i], fullLines[i]);
      } else if (i > wholeLines) {
        EXPECT_EQ(lines[i], defaultLines[i]);
      }
    }
  }
}

TEST_F(SettingsFileTest, LongLinesNeverReadAsLinesOfTheirOwn) {
  // The site name line is 270 characters; its tail would read "ShowStars=0" as a key.
  const std::string line = "ViewerSiteName=" + std::string(240, 'a') + "ShowStars=0";
  ASSERT_EQ(line.size(), 266u);
  ASSERT_TRUE(ReadSettingsLines(line + "\r\nChartZoomFactor=5\r\n"));
  EXPECT_TRUE(Settings().ShowStars);
  EXPECT_EQ(Settings().ViewerSiteName, std::string(47, 'a'));
  EXPECT_EQ(Settings().ChartZoomFactor, 5);
}

TEST_F(SettingsFileTest, DescriptionIsWrittenOnlyWhenThereIsOne) {
  const std::string text = FormatSettingsFile("Winter sky\r\nfrom the garden");
  const std::vector<std::string> lines = LinesOf(text);
  ASSERT_GE(lines.size(), 8u);
  EXPECT_EQ(lines[3], "<Description>");
  EXPECT_EQ(lines[4], "Winter sky");
  EXPECT_EQ(lines[5], "from the garden");
  EXPECT_EQ(lines[6], "</Description>");
  EXPECT_EQ(lines[7], "");
  EXPECT_EQ(lines[8], "<Settings>");
  // A text that ends with a line break gets no second one.
  EXPECT_EQ(LinesOf(FormatSettingsFile("one line\r\n"))[5], "</Description>");
}

TEST_F(SettingsFileTest, DescriptionIsShownAndReadBackExactly) {
  const std::string longLine(600, 'x');
  const std::string descriptions[] = {"Winter sky\r\nfrom the garden", "one line\r\n",
                                      longLine + "\r\nshort", "\r\n\r\nblank lines\r\n\r\n"};
  for (const std::string& description : descriptions) {
    SCOPED_TRACE(description.substr(0, 20));
    prompted.clear();
    ASSERT_TRUE(Read(FormatSettingsFile(description)));
    const bool endsWithBreak = description.ends_with("\r\n");
    const std::string expected = endsWithBreak ? description : description + "\r\n";
    ASSERT_EQ(prompted.size(), 1u);
    EXPECT_EQ(prompted[0], expected);
    EXPECT_EQ(Settings().Description, expected);
  }
}

TEST_F(SettingsFileTest, DescriptionCancelLeavesTheSettingsOfTheFileUnread) {
  Settings().ShowStars = false;
  const std::string text = FormatSettingsFile("A test chart");
  SetDefaultSettings(32);
  ASSERT_TRUE(Read(text, false));
  EXPECT_EQ(prompted.size(), 1u);
  EXPECT_TRUE(Settings().ShowStars);
  EXPECT_EQ(Settings().Description, "A test chart\r\n");
}

TEST_F(SettingsFileTest, PromptMayEditTheDescription) {
  WriteTextFile(folder / "edit.qvs", FormatSettingsFile("old text"));
  ASSERT_TRUE(ReadSettingsFile(folder / "edit.qvs", [](std::string& description) {
    description = "new text";
    return true;
  }));
  EXPECT_EQ(Settings().Description, "new text");
}

TEST_F(SettingsFileTest, ReadingAFileWithoutDescriptionForgetsTheOldOne) {
  Settings().Description = "from an earlier file";
  ASSERT_TRUE(ReadSettingsLines("ShowStars=1\r\n"));
  EXPECT_TRUE(prompted.empty());
  EXPECT_EQ(Settings().Description, "");
}

TEST_F(SettingsFileTest, OverlongDescriptionsAreCut) {
  const std::string description(40000, 'd');
  ASSERT_TRUE(Read(FormatSettingsFile(description)));
  EXPECT_EQ(Settings().Description, std::string(DescriptionMaxLength, 'd'));
}

TEST_F(SettingsFileTest, AnObjectNameThatMatchesNothingStopsTheReading) {
  ASSERT_TRUE(
      ReadSettingsLines("ShowStars=0\r\nCenteredObject=Nowhere Nebula\r\nShowPlanets=0\r\n"));
  EXPECT_FALSE(Settings().ShowStars);
  EXPECT_TRUE(Settings().ShowPlanets);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].number, 523);
  EXPECT_NE(shown[0].message.find("\"Nowhere Nebula\""), std::string::npos);
}

TEST_F(SettingsFileTest, EmptyObjectNamesMeanNone) {
  Settings().ViewerObject = 16390;
  Settings().CenteredObject = 16391;
  ASSERT_TRUE(ReadSettingsLines("ViewerObject=\r\nCenteredObject=\r\n"));
  EXPECT_EQ(Settings().ViewerObject, 0u);
  EXPECT_EQ(Settings().CenteredObject, 0u);
  EXPECT_TRUE(shown.empty());
}

TEST_F(SettingsFileTest, ReadingDeletesTheTrailsAndSkipsTrailsWithoutObject) {
  CreateTrail(16385, TrailInSky, 10, 1, 0);
  ASSERT_TRUE(
      Read("<QuorvaneSettingsFile>\r\nFileVersion=3.5\r\n\r\n<Trail>\r\nTrailType=InSpace\r\n"
           "TrailPoints=5\r\n</Trail>\r\n\r\n<Settings>\r\nShowStars=0\r\n</Settings>\r\n"));
  EXPECT_EQ(TrailCount(), 0);
  EXPECT_FALSE(Settings().ShowStars);
  EXPECT_TRUE(shown.empty());
}

TEST_F(SettingsFileTest, ATrailOfAnUnknownObjectStopsTheReading) {
  ASSERT_TRUE(
      Read("<QuorvaneSettingsFile>\r\nFileVersion=3.5\r\n\r\n<Trail>\r\nTrailObject=Vulcan\r\n"
           "TrailPoints=5\r\n</Trail>\r\n\r\n<Settings>\r\nShowStars=0\r\n</Settings>\r\n"));
  EXPECT_TRUE(Settings().ShowStars);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].number, 523);
}

TEST_F(SettingsFileTest, WritingWhereNoFileCanBeMadeShows530AndKeepsNothingHalfWritten) {
  EXPECT_EQ(WriteSettingsFile(folder / "no such folder/a.qvs", ""), ResultOpenError);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].number, 530);
  EXPECT_NE(shown[0].message.find("a.qvs"), std::string::npos);
  EXPECT_FALSE(FileExists(folder / "no such folder/a.qvs"));
}

TEST_F(SettingsFileTest, DefaultSettingsFileSitsBesideTheProgramWithoutDescription) {
  SetProgramPath(folder / "quorvane");
  Settings().Description = "my description";
  Settings().ShowStars = false;
  ASSERT_EQ(SaveDefaultSettings(), ResultOk);
  EXPECT_EQ(Settings().Description, "my description");
  const std::string text = ReadTextFile(folder / "Quorvane.ini");
  EXPECT_EQ(text.find("<Description>"), std::string::npos);
  EXPECT_EQ(ValueOf(text, "ShowStars"), "0");
  SetDefaultSettings(32);
  EXPECT_TRUE(ReadDefaultSettings([this](std::string& d) {
    prompted.push_back(d);
    return true;
  }));
  EXPECT_FALSE(Settings().ShowStars);
  EXPECT_TRUE(prompted.empty());
  SetProgramPath("");
}

// A store of three named objects in one file held in memory.
class SettingsObjectsTest : public SettingsFileTest {
 protected:
  void SetUp() override {
    SettingsFileTest::SetUp();
    std::unique_ptr<DatabaseFile> file = NewDatabaseFile("test.qvd");
    fileId = RegisterFile(file);
    mars = Add(KindMars, "Mars");
    star = Add(KindSingleStar, "Betelgeuse; HR 2061");
    moon = Add(KindMoon, "Moon");
  }
  void TearDown() override {
    DeleteAllTrails();
    Store() = ObjectStore();
    SettingsFileTest::TearDown();
  }
  ObjectId Add(ObjectKind kind, const char* name) {
    std::unique_ptr<ObjectRecord> record = NewRecord(kind);
    SetObjectName(*record, name);
    return AddObject(record, fileId);
  }
  ObjectId fileId = 0, mars = 0, star = 0, moon = 0;
};

TEST_F(SettingsObjectsTest, ObjectsAndTrailsSurviveWriteThenRead) {
  ASSERT_NE(moon, 0u);
  Settings().ViewerObject = moon;
  Settings().CenteredObject = star;
  CreateTrail(moon, TrailInSky, 3, 1, 1);
  CreateTrail(mars, TrailInSpace, 500, 5, 10);
  CreateTrail(star, TrailInCurrentCoordinates, 7, 0, 2);
  DeleteTrail(1);  // the list has a gap: trails are written in slot order
  const std::string text = FormatSettingsFile("");
  EXPECT_EQ(ValueOf(text, "ViewerObject"), "Moon");
  EXPECT_EQ(ValueOf(text, "CenteredObject"), "Betelgeuse; HR 2061");

  DeleteAllTrails();
  SetDefaultSettings(32);
  ASSERT_TRUE(Read(text));
  EXPECT_EQ(Settings().ViewerObject, moon);
  EXPECT_EQ(Settings().CenteredObject, star);
  ASSERT_EQ(TrailCount(), 2);
  const Trail* first = GetTrail(FirstTrail());
  const Trail* second = GetTrail(NextTrail(FirstTrail()));
  EXPECT_EQ(first->Object, mars);
  EXPECT_EQ(first->Type, TrailInSpace);
  EXPECT_EQ(first->Capacity, 500);
  EXPECT_EQ(first->TicksInterval, 5);
  EXPECT_EQ(first->DatesInterval, 10);
  EXPECT_EQ(second->Object, star);
  EXPECT_EQ(second->Type, TrailInCurrentCoordinates);
  EXPECT_EQ(second->Capacity, 7);
  EXPECT_EQ(second->DatesInterval, 2);
  EXPECT_EQ(FormatSettingsFile(""), text);
  EXPECT_TRUE(shown.empty());
}

TEST_F(SettingsObjectsTest, NamesMatchWithoutRegardToCase) {
  ASSERT_TRUE(ReadSettingsLines("CenteredObject=MARS\r\nViewerObject=hr 2061;betelgeuse\r\n"));
  EXPECT_EQ(Settings().CenteredObject, mars);
  EXPECT_EQ(Settings().ViewerObject, star);
  EXPECT_TRUE(shown.empty());
}

TEST_F(SettingsObjectsTest, ATrailWhoseObjectIsGoneIsNotWrittenWithAnotherName) {
  CreateTrail(star, TrailInSky, 10, 1, 0);
  CreateTrail(mars, TrailInSky, 20, 1, 0);
  RemoveObject(star);
  ASSERT_TRUE(Read(FormatSettingsFile("")));
  ASSERT_EQ(TrailCount(), 1);
  EXPECT_EQ(GetTrail(FirstTrail())->Object, mars);
  EXPECT_TRUE(shown.empty());
}

TEST_F(SettingsObjectsTest, AFailedTrailInsideTheSettingsDoesNotEndThem) {
  ASSERT_TRUE(
      Read("<QuorvaneSettingsFile>\r\nFileVersion=3.5\r\n<Settings>\r\n<Trail>\r\n"
           "TrailObject=Vulcan\r\nTrailPoints=5\r\n</Trail>\r\n<Trail>\r\n"
           "TrailObject=Mars\r\nTrailPoints=9\r\n</Trail>\r\nShowStars=0\r\n"));
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].number, 523);
  EXPECT_EQ(FindTrail(mars), 1);
  EXPECT_EQ(GetTrail(1)->Type, TrailInSky);
  EXPECT_EQ(GetTrail(1)->Capacity, 9);
  EXPECT_FALSE(Settings().ShowStars);
}

}  // namespace
}  // namespace qv
