// qv ephemeris and qv info: the table's header, columns and steps, its places against PyEphem,
// the info lines of a star and a planet, and bad input.
#include "chart/ephemeris.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "objects/namesearch.h"
#include "objects/sky.h"
#include "objects/textformat.h"
#include "settings/settings.h"
#include "tests/qv/qv_fixture.h"

namespace qv {
namespace {

using Strings = std::vector<std::string>;

// The test settings: Greenwich, time zone +1 h without daylight saving, horizon chart, light
// time, aberration and nutation on, refraction off.
const std::string Observer = TestData("qv_observer.qvs");
// 2024 March 1, 0h UT, is 01:00 local; the reference rows run every 7.25 days to May 1.
constexpr double StartJd = 2460370.5, StepDays = 7.25;
constexpr int ReferenceRows = 9;

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::stringstream stream(line);
  for (std::string field; std::getline(stream, field, '\t');) fields.push_back(field);
  return fields;
}

// A sexagesimal value text ("14 31 27.93", "-17 47 32.7") in its units.
double Sexagesimal(const std::string& text) {
  char sign = '+';
  int whole = 0, minutes = 0;
  double seconds = 0;
  const char* p = text.c_str();
  while (*p == ' ') ++p;
  if (*p == '+' || *p == '-') sign = *p++;
  if (std::sscanf(p, "%d %d %lf", &whole, &minutes, &seconds) != 3) return NAN;
  const double value = whole + minutes / 60.0 + seconds / 3600.0;
  return sign == '-' ? -value : value;
}

// The value of a labelled info text ("R.A. (2024.2): 21h 02m 47.90s") with its unit marks as
// blanks.
std::string ValueOfLabelled(const std::string& text) {
  std::string value = text.substr(text.find("): ") + 3);
  for (const char* mark : {"\u00b0", "h", "m", "s", "'", "\""}) {
    for (size_t at; (at = value.find(mark)) != std::string::npos;)
      value.replace(at, std::strlen(mark), " ");
  }
  return value;
}

// The UT Julian date of a row's local date text at the test settings' zone (+1 h).
double RowDate(const std::string& text) {
  JulianDate jd = 0;
  return ParseDateTime(text, 1.0 / 24.0, CalendarGregorian, jd) ? jd : NAN;
}

struct Reference {
  std::string body;
  double jd, raHours, decDegrees, distanceAu;
};

// tests/qv/ref/qv_ephemeris_pyephem.tsv, written by tools/make_qv_ref.py with PyEphem.
std::vector<Reference> LoadReference() {
  std::ifstream in(std::string(QV_TEST_DATA_DIR) + "/qv/ref/qv_ephemeris_pyephem.tsv");
  std::vector<Reference> rows;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#' || line.rfind("body", 0) == 0) continue;
    const std::vector<std::string> f = Fields(line);
    rows.push_back(
        {f.at(0), std::stod(f.at(1)), std::stod(f.at(2)), std::stod(f.at(3)), std::stod(f.at(4))});
  }
  return rows;
}

double ArcminutesApart(double ra1Hours, double dec1, double ra2Hours, double dec2) {
  const double d2r = M_PI / 180;
  const double a = ra1Hours * 15 * d2r, b = ra2Hours * 15 * d2r, c = dec1 * d2r, d = dec2 * d2r;
  const double cosine = std::sin(c) * std::sin(d) + std::cos(c) * std::cos(d) * std::cos(a - b);
  return std::acos(std::min(1.0, cosine)) / d2r * 60;
}

class QvEphemerisTest : public QvTest {
 protected:
  int Ephemeris(const std::string& object, const std::string& start, const std::string& end,
                const std::string& step, std::vector<std::string> extra = {}) {
    std::vector<std::string> args = {"ephemeris", "--object",   object,  "--start",
                                     start,       "--end",      end,     "--step",
                                     step,        "--settings", Observer};
    args.insert(args.end(), extra.begin(), extra.end());
    return Run(args);
  }
  // The rows after the header (8 lines) and the column headers (1).
  Strings Rows() const {
    const Strings lines = OutputLines();
    return lines.size() > 9 ? Strings(lines.begin() + 9, lines.end()) : OutputLines();
  }
};

TEST_F(QvEphemerisTest, HeaderAndColumnHeadersOfABody) {
  ASSERT_EQ(Ephemeris("Mars", "2024/03/01 01:00:00", "2024/03/01", "1"), QvSuccess)
      << err;  // end before start
  const Strings want = {
      "Ephemeris for: Mars",
      "",
      "Viewed from: Greenwich",
      "East Longitude: +000 00 00",
      "North Latitude:  +51 28 40",
      "Altitude: 46.0 m",
      "Time Zone: +1.0 hrs",
      "",
      " Date:      Time:   \t R.A. (2024.2):\t Dec. (2024.2):\t Dist(AU):\t      Mag:\t       "
      "Azimuth:\t"
      "      Altitude:\tRises:\tSets:\t  Size(\"):\t    Illum:\t    L0(\u00b0):\t    B0(\u00b0):\t "
      "   PN(\u00b0):",
  };
  EXPECT_EQ(OutputLines(), want);
}

TEST_F(QvEphemerisTest, StarColumnsCarryDistanceInParsecsAndMotions) {
  ASSERT_EQ(Ephemeris("Vega", "2024/03/01 01:00:00", "2024/03/01 01:00:00", "1"), QvSuccess) << err;
  const Strings lines = OutputLines();
  ASSERT_EQ(lines.size(), 10u) << out;
  EXPECT_EQ(lines[8],
            "Date:       Time:    \t R.A. (2024.2):\t Dec. (2024.2):\t Dist(pc):\t      Mag:\t"
            "       Azimuth:\t      Altitude:\tRises:\tSets:\t  \u00b5RA(s):\t \u00b5Dec(\"):\t  "
            "RV(kps):");
  const std::vector<std::string> row = Fields(lines[9]);
  ASSERT_EQ(row.size(), 12u) << lines[9];
  EXPECT_EQ(row[0], " 2024/03/01 01:00:00");
  EXPECT_EQ(row[3], "      7.68");
  EXPECT_EQ(row[4], "       0.0");
  // The file's +0.0172 s/yr and +0.286"/yr, to the table's last digit.
  EXPECT_NEAR(std::stod(row[9]), 0.0172, 0.0001);
  EXPECT_NEAR(std::stod(row[10]), 0.286, 0.001);
  EXPECT_EQ(row[11], "     -20.6");
}

// The settings are the defaults, then Quorvane.ini beside the program, then --settings: each
// changes only what it names.
TEST_F(QvEphemerisTest, SettingsFileOverlaysQuorvaneIni) {
  const auto settingsFile = [](const std::string& lines) {
    return "<QuorvaneSettingsFile>\nFileVersion=3.5\n\n<Settings>\n" + lines +
           "</Settings>\n\n</QuorvaneSettingsFile>\n";
  };
  WriteTextFile(scratch / "Quorvane.ini", settingsFile("ViewerSiteName=Backyard\nTimeZone=+2.0\n"));
  const std::string zone = scratch / "zone.qvs";
  WriteTextFile(zone, settingsFile("TimeZone=-5.0\n"));
  const std::vector<std::string> mars = {"ephemeris",  "--object",   "Mars",
                                         "--start",    "2024/03/01", "--end",
                                         "2024/03/01", "--step",     "1"};
  ASSERT_EQ(Run(mars), QvSuccess) << err;
  Strings lines = OutputLines();
  ASSERT_GT(lines.size(), 6u) << out;
  EXPECT_EQ(lines[2], "Viewed from: Backyard");
  EXPECT_EQ(lines[6], "Time Zone: +2.0 hrs");

  std::vector<std::string> withZone = mars;
  withZone.insert(withZone.end(), {"--settings", zone});
  ASSERT_EQ(Run(withZone), QvSuccess) << err;
  lines = OutputLines();
  ASSERT_GT(lines.size(), 9u) << out;
  EXPECT_EQ(lines[2], "Viewed from: Backyard");
  EXPECT_EQ(lines[6], "Time Zone: -5.0 hrs");
  EXPECT_EQ(Fields(lines[9])[0], " 2024/03/01 00:00:00");  // local time in the file's zone
}

// A star without parallax, magnitude or radial velocity leaves those columns blank rather than
// print the numbers that stand for "unknown".
TEST_F(QvEphemerisTest, UnknownValuesLeaveTheirColumnsBlank) {
  const std::string faint = scratch / "faint.txt";
  WriteTextFile(faint, "S1\t2000.0\t05 16 41.4\t+45 59 53\t0\t0\t\t\t\t\t0\tNameless\n");
  ASSERT_EQ(Run({"import", faint}), QvSuccess) << err;
  ASSERT_EQ(Ephemeris("Nameless", "2024/03/01", "2024/03/01", "1"), QvSuccess) << err;
  const Strings rows = Rows();
  ASSERT_EQ(rows.size(), 1u) << out;
  const std::vector<std::string> row = Fields(rows[0]);
  ASSERT_EQ(row.size(), 12u) << rows[0];
  const std::string blank(10, ' ');
  EXPECT_EQ(row[3], blank);
  EXPECT_EQ(row[4], blank);
  EXPECT_EQ(row[11], blank);
  EXPECT_EQ(row[9], "   +0.0000");
}

// Reference: tests/qv/ref/qv_ephemeris_pyephem.tsv. Tolerance 2': the series reach about 50" for
// the Moon and Mars and Delta T differs by about a minute of time (30" of the Moon's motion); a
// date read in the wrong zone moves the Moon by 30' an hour, a wrong equinox misses by 20'.
TEST_F(QvEphemerisTest, RowsStepExactlyAndMatchPyEphem) {
  const std::vector<Reference> reference = LoadReference();
  ASSERT_EQ(reference.size(), 2u * ReferenceRows + 1);
  for (const char* body : {"Moon", "Mars"}) {
    SCOPED_TRACE(body);
    ASSERT_EQ(Ephemeris(body, "2024/03/01 01:00:00", "2024/05/01 01:00:00", "7.25"), QvSuccess)
        << err;
    const Strings rows = Rows();
    ASSERT_EQ(rows.size(), size_t{ReferenceRows}) << out;  // 61 days: the last row at day 58
    int i = 0;
    for (const Reference& ref : reference) {
      if (ref.body != body) continue;
      SCOPED_TRACE(rows[i]);
      const std::vector<std::string> f = Fields(rows[i]);
      ASSERT_EQ(f.size(), 14u);
      EXPECT_NEAR(RowDate(f[0]), StartJd + i * StepDays, 0.6 / 86400);
      EXPECT_NEAR(RowDate(f[0]), ref.jd, 0.6 / 86400);
      EXPECT_LT(ArcminutesApart(Sexagesimal(f[1]), Sexagesimal(f[2]), ref.raHours, ref.decDegrees),
                2.0);
      if (ref.body == "Mars") {  // the series' accuracy, about 1e-4 of the distance
        EXPECT_NEAR(std::stod(f[3]), ref.distanceAu, 5e-4);
      }
      ++i;
    }
  }
}

// A range the step divides ends on the end date although 0.1 day is no binary fraction; one it
// does not divide ends at the last step before the end.
TEST_F(QvEphemerisTest, LastRowAtOrBeforeTheEnd) {
  ASSERT_EQ(Ephemeris("Sun", "2024/03/01 00:00:00", "2024/03/02 00:00:00", "0.1"), QvSuccess)
      << err;
  Strings rows = Rows();
  ASSERT_EQ(rows.size(), 11u);
  EXPECT_EQ(Fields(rows.back())[0], " 2024/03/02 00:00:00");
  ASSERT_EQ(Ephemeris("Sun", "2024/03/01 00:00:00", "2024/03/02 00:00:00", "0.3"), QvSuccess)
      << err;
  rows = Rows();
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(Fields(rows.back())[0], " 2024/03/01 21:36:00");
}

TEST_F(QvEphemerisTest, OutFileHoldsWhatStandardOutputShows) {
  ASSERT_EQ(Ephemeris("Sirius", "2024/03/01", "2024/03/03", "1"), QvSuccess) << err;
  const std::string shown = out;
  ASSERT_EQ(Ephemeris("Sirius", "2024/03/01", "2024/03/03", "1", {"--out", scratch / "sirius.eph"}),
            QvSuccess)
      << err;
  EXPECT_TRUE(out.empty());
  EXPECT_EQ(ReadTextFile(scratch / "sirius.eph"), shown);
}

TEST_F(QvEphemerisTest, BadInputGivesItsMessageAndWritesNothing) {
  struct Case {
    std::vector<std::string> args;  // object, start, end, step
    const char* message;
  };
  const Case cases[] = {
      {{"Vulcan", "2024/03/01", "2024/03/03", "1"}, "no object containing the name \"Vulcan\""},
      {{"Mars", "2024/03", "2024/03/03", "1"}, "The date \"2024/03\" is invalid."},
      {{"Mars", "2024/03/01", "yesterday", "1"}, "The date \"yesterday\" is invalid."},
      {{"Mars", "2024/03/01", "2024/03/03", "0"}, "--step needs a positive number of days"},
      {{"Mars", "2024/03/01", "2024/03/03", "-1"}, "--step needs a positive number of days"},
      {{"Mars", "2024/03/01", "2024/03/03", "1d"}, "--step needs a positive number of days"},
      {{"Mars", "2024/03/01", "2025/03/01", "0.0001"}, "more than 1,000,000 rows"},
      {{"Mars", "2024/03/01", "2024/03/03", "1e-300"},
       "more than 1,000,000 rows"},  // beyond any integer
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    const std::string file = scratch / "bad.eph";
    EXPECT_EQ(Ephemeris(c.args[0], c.args[1], c.args[2], c.args[3], {"--out", file}), QvUserError);
    EXPECT_NE(err.find(c.message), std::string::npos) << err;
    EXPECT_FALSE(FileExists(file));
  }
  EXPECT_EQ(Run({"ephemeris", "--object", "Mars", "--start", "2024/03/01", "--end", "2024/03/02"}),
            QvUserError);
  EXPECT_NE(err.find("needs --step"), std::string::npos) << err;
}

// A file that cannot be made is a file error; an old table survives a failed run.
TEST_F(QvEphemerisTest, FileErrorsKeepOldTables) {
  const std::string old = scratch / "old.eph";
  WriteTextFile(old, "an older table\n");
  EXPECT_EQ(Ephemeris("Vulcan", "2024/03/01", "2024/03/03", "1", {"--out", old}), QvUserError);
  EXPECT_EQ(ReadTextFile(old), "an older table\n");

  EXPECT_EQ(
      Ephemeris("Mars", "2024/03/01", "2024/03/03", "1", {"--out", scratch / "none/mars.eph"}),
      QvFileError);
  EXPECT_NE(err.find("can't open the file \"mars.eph\""), std::string::npos) << err;
  EXPECT_TRUE(out.empty());
}

// Seen from another body the header names only that body.
TEST_F(QvEphemerisTest, HeaderFromAnotherBody) {
  const std::string fromMars = scratch / "from_mars.qvs";
  const std::string settings = ReadTextFile(Observer);
  const size_t end = settings.find("</Settings>");
  ASSERT_NE(end, std::string::npos);
  WriteTextFile(fromMars, settings.substr(0, end) + "ViewerObject=Mars\n" + settings.substr(end));
  ASSERT_EQ(Run({"ephemeris", "--object", "Jupiter", "--start", "2024/03/01", "--end", "2024/03/02",
                 "--step", "1", "--settings", fromMars}),
            QvSuccess)
      << err;
  const Strings lines = OutputLines();
  ASSERT_EQ(lines.size(), 6u) << out;
  EXPECT_EQ(Strings(lines.begin(), lines.begin() + 3),
            (Strings{"Ephemeris for: Jupiter", "", "Viewed from: Mars"}));
  EXPECT_EQ(lines[3].rfind(" Date:      Time:   \t", 0), 0u) << lines[3];
  EXPECT_EQ(Fields(lines[5]).size(), 14u) << lines[5];
}

// The table moves the chart's time through its rows and puts it back with every cached place.
TEST_F(QvEphemerisTest, ChartTimeIsTheSameAfterwards) {
  ASSERT_EQ(OpenDatabase(scratch / "Database/Index.qvd"), ResultOk);
  Settings().JulianDate = 2460000.25;
  UpdateSkyContext();
  const double jde = CurrentSky().jde;
  const uint32_t planets = PlanetGeneration();
  ObjectId mars = 0;
  ASSERT_EQ(FindObjectByName("Mars", false, true, 0, mars), ResultOk);
  std::string table;
  ASSERT_EQ(
      WriteEphemeris(
          [&table](std::string_view text) {
            table += text;
            return true;
          },
          *ObjectOfId(mars), Settings(), Settings().ChartCoordinateSystem, StartJd, StartJd + 3, 1),
      ResultOk);
  EXPECT_EQ(Settings().JulianDate, 2460000.25);
  EXPECT_EQ(CurrentSky().jde, jde);
  EXPECT_EQ(PlanetGeneration(), planets);
  EXPECT_NE(table.find("2024/03/04"), std::string::npos);
  EXPECT_EQ(WriteEphemeris([](std::string_view) { return true; }, *ObjectOfId(mars), Settings(),
                           CoordinatesEquatorial, StartJd, StartJd + 3, 0),
            ResultFailed);
}

// ---- qv info ---------------------------------------------------------------------------------

TEST_F(QvEphemerisTest, InfoOfAStarInItemOrder) {
  ASSERT_EQ(Run({"info", "--object", "vega", "--settings", Observer, "--jd", "2460370.5"}),
            QvSuccess)
      << err;
  const Strings lines = OutputLines();
  ASSERT_EQ(lines.size(), 15u) << out;  // items 7 to 21
  EXPECT_EQ(lines[0], "Type: Single star");
  const Reference vega = LoadReference().back();
  ASSERT_EQ(vega.body, "Vega");
  EXPECT_LT(ArcminutesApart(Sexagesimal(ValueOfLabelled(lines[1])),
                            Sexagesimal(ValueOfLabelled(lines[2])), vega.raHours, vega.decDegrees),
            2.0)
      << lines[1] << " " << lines[2];
  EXPECT_EQ(lines[3], "Distance (pc): 7.680");
  EXPECT_EQ(lines[4], "Magnitude: +0.03");
  EXPECT_EQ(lines[5], "Separation (\"): ");
  EXPECT_EQ(lines[6], "Rises at: (doesn't set)");  // circumpolar at Greenwich
  EXPECT_EQ(lines[7], "Sets at: (doesn't set)");
  EXPECT_EQ(lines[10], "Radial velocity (km/s): -20.6");
  EXPECT_EQ(lines[11], "Color Index (B-V): +0.00");
  EXPECT_EQ(lines[12], "");
  EXPECT_EQ(lines[13].rfind("Azimuth: ", 0), 0u) << lines[13];
  EXPECT_EQ(lines[14].rfind("Altitude: ", 0), 0u) << lines[14];
}

TEST_F(QvEphemerisTest, InfoOfAPlanetMatchesPyEphem) {
  ASSERT_EQ(
      Run({"info", "--object", "Mars", "--settings", Observer, "--date", "2024/03/01 01:00:00"}),
      QvSuccess)
      << err;
  const Strings lines = OutputLines();
  ASSERT_EQ(lines.size(), 15u) << out;
  EXPECT_EQ(lines[0], "Type: Mars");
  const Reference mars = LoadReference().at(ReferenceRows);
  ASSERT_EQ(mars.body, "Mars");
  const double ra = Sexagesimal(ValueOfLabelled(lines[1])),
               dec = Sexagesimal(ValueOfLabelled(lines[2]));
  EXPECT_LT(ArcminutesApart(ra, dec, mars.raHours, mars.decDegrees), 2.0)
      << lines[1] << " " << lines[2];
  EXPECT_NEAR(std::stod(lines[3].substr(lines[3].find(':') + 1)), mars.distanceAu, 5e-4)
      << lines[3];
  EXPECT_EQ(lines[4].rfind("Magnitude: +1.", 0), 0u) << lines[4];
  EXPECT_EQ(lines[8].rfind("Illumination: 0.9", 0), 0u) << lines[8];
}

// "M 13" names the cluster the database calls "M13", not the first name holding "M..." and "13".
TEST_F(QvEphemerisTest, DesignationsFindTheirObjectHoweverWritten) {
  const std::string clusters = scratch / "clusters.txt";
  WriteTextFile(clusters,
                "S1\t2000.0\t06 32 54.2\t+07 19 59\t0\t0\t4.47\t\t\t\t0\t13 Mon\n"
                "S12\t2000.0\t16 41 41.6\t+36 27 41\t0\t0\t5.8\t\t\t\t20\tM13; Hercules Cluster\n");
  ASSERT_EQ(Run({"import", clusters}), QvSuccess) << err;
  for (const char* name : {"M 13", "M13", "Hercules Cluster"}) {
    SCOPED_TRACE(name);
    ASSERT_EQ(Run({"info", "--object", name}), QvSuccess) << err;
    EXPECT_EQ(OutputLines().at(0), "Type: Globular cluster");
  }
  ASSERT_EQ(Run({"info", "--object", "13 mon"}), QvSuccess) << err;
  EXPECT_EQ(OutputLines().at(0), "Type: Single star");
}

TEST_F(QvEphemerisTest, InfoOfAnUnknownObject) {
  EXPECT_EQ(Run({"info", "--object", "Vulcan"}), QvUserError);
  EXPECT_NE(err.find("no object containing the name \"Vulcan\""), std::string::npos) << err;
  EXPECT_TRUE(out.empty());
}

}  // namespace
}  // namespace qv
