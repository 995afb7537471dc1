// qv db, qv find and qv import on the test database (qv_fixture.h).
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/qv/qv_fixture.h"

namespace qv {
namespace {

using Strings = std::vector<std::string>;

// The summaries follow from tests/app/data/qv_objects.txt: magnitudes -1.46 (Sirius) to +2.06
// (Alpheratz), R.A. 0h08m (Alpheratz) to 18h37m (Vega), Dec. -16 43' (Sirius) to +89 16' (Polaris).
TEST_F(QvTest, DbListsEveryFileWithItsCountsAndSummary) {
  ASSERT_EQ(Run({"db"}), QvSuccess) << err;
  const Strings lines = OutputLines();
  ASSERT_EQ(lines.size(), 7u) << out;
  EXPECT_EQ(lines[0], "Database: " + scratch / "Database/Index.qvd");
  EXPECT_EQ(lines[1], "Files: 3\tObjects: 56");
  EXPECT_EQ(lines[4], "1\tCustom.qvd\t0\t0\t0\t0\t0\t0\t-\t-\t-\t-");
  EXPECT_EQ(lines[5], "2\tSolarSystem.qvd\t50\t50\t0\t0\t0\t0\t-\t-\t-\t-");
  EXPECT_EQ(lines[6],
            "3\tqv_objects.qvd\t6\t0\t5\t1\t0\t0\t-1.46 .. +2.06\t+3.44 .. +3.44\t00.1 .. "
            "18.6\t-16.7 .. +89.3");
}

TEST_F(QvTest, DbWithoutDatabaseIsAFileError) {
  EXPECT_EQ(Run({"db", "--database", scratch / "nowhere"}), QvFileError);
  EXPECT_NE(err.find("can't open the file \"" + scratch / "nowhere/Index.qvd"), std::string::npos)
      << err;
  EXPECT_TRUE(out.empty());
}

TEST_F(QvTest, DbTakesTheIndexFileItselfToo) {
  ASSERT_EQ(Run({"db", "--database", scratch / "Database/Index.qvd"}), QvSuccess) << err;
  EXPECT_EQ(OutputLines().at(1), "Files: 3\tObjects: 56");
}

TEST_F(QvTest, FindFollowsTheCaseAndExactFlags) {
  struct Case {
    Strings args;
    Strings want;  // empty: no match
  };
  const Case cases[] = {
      {{"find", "vega"}, {"Vega\tSingle star"}},
      {{"find", "Vega", "--case"}, {"Vega\tSingle star"}},
      {{"find", "VEGA", "--case"}, {}},
      {{"find", "gal"}, {"Andromeda Galaxy\tGalaxy"}},
      {{"find", "andromeda galaxy", "--exact"}, {"Andromeda Galaxy\tGalaxy"}},
      {{"find", "Andromeda", "--exact"}, {}},
      {{"find", "moon", "--exact"}, {"Moon\tEarth's moon"}},
      // Store order: the solar-system file (number 2) before the stars (number 3), each by index.
      {{"find", "us"},
       {"Venus\tVenus", "Uranus\tUranus", "Enceladus\tEnceladus", "Iapetus\tIapetus",
        "Sirius\tSingle star", "Betelgeuse\tVariable star"}},
      {{"find", "Polaris; Vega", "--exact"}, {}},  // every alternative must be one of the parts
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[1]);
    const int code = Run(c.args);
    EXPECT_EQ(OutputLines(), c.want);
    if (c.want.empty()) {
      EXPECT_EQ(code, QvUserError);
      EXPECT_NE(err.find("No matching object found!"), std::string::npos) << err;
    } else {
      EXPECT_EQ(code, QvSuccess) << err;
    }
  }
}

TEST_F(QvTest, ImportedTextFileBecomesADatabaseFileNamedAfterIt) {
  const std::string more = scratch / "more.txt";
  WriteTextFile(
      more,
      "S1\t2000.0\t14 15 39.7\t+19 10 57\t-0.0733\t-1.999\t-0.05\t1.23\t-5.2\t11.26\t0\tArcturus\n"
      "# not an object\n"
      "S12\t2000.0\t16 41 41.6\t+36 27 41\t0\t0\t5.8\t\t\t\t20\tM 13; Hercules Cluster\n");
  ASSERT_EQ(Run({"import", more}), QvSuccess) << err;
  EXPECT_EQ(OutputLines(), Strings{"imported " + more + " into more.qvd (2 objects)"});
  EXPECT_TRUE(FileExists(scratch / "Database/more.qvd"));
  ASSERT_EQ(Run({"find", "hercules"}), QvSuccess) << err;
  EXPECT_EQ(OutputLines(), Strings{"M 13; Hercules Cluster\tGlobular cluster"});
  ASSERT_EQ(Run({"db"}), QvSuccess);
  EXPECT_EQ(OutputLines().at(1), "Files: 4\tObjects: 58");
}

TEST_F(QvTest, ImportedSatelliteOrbitsTheEarth) {
  ASSERT_EQ(Run({"import", TestData("qv_satellites.tle")}), QvSuccess) << err;
  EXPECT_NE(out.find("into qv_satellites.qvd (1 objects)"), std::string::npos) << out;
  ASSERT_EQ(Run({"find", "iss"}), QvSuccess) << err;
  EXPECT_EQ(OutputLines(), Strings{"ISS (ZARYA)\tEarth Satellite"});
}

// Element files often come named .txt: by its name such a file is an object text file, which it
// is not; --satellites reads it as the elements it holds.
TEST_F(QvTest, SatellitesFlagReadsAnyNameAsElements) {
  const std::string stations = scratch / "stations.txt";
  WriteTextFile(stations, ReadTextFile(TestData("qv_satellites.tle")));
  EXPECT_EQ(Run({"import", stations}), QvUserError);
  EXPECT_NE(err.find("nothing was imported"), std::string::npos) << err;
  ASSERT_EQ(Run({"import", stations, "--satellites"}), QvSuccess) << err;
  EXPECT_NE(out.find("into stations.qvd (1 objects)"), std::string::npos) << out;
  ASSERT_EQ(Run({"find", "iss"}), QvSuccess) << err;
  EXPECT_EQ(OutputLines(), Strings{"ISS (ZARYA)\tEarth Satellite"});
}

TEST_F(QvTest, ImportCreatesADatabaseOnlyWhenAsked) {
  const std::string bare = scratch / "bare";
  EXPECT_EQ(Run({"import", TestData("qv_satellites.tle"), "--database", bare}), QvFileError);
  EXPECT_NE(err.find("can't open the file \"" + bare + "/Index.qvd\""), std::string::npos) << err;
  EXPECT_FALSE(DirectoryExists(bare));

  // A new database holds no Earth, around which satellites go.
  EXPECT_EQ(Run({"import", "--create", TestData("qv_satellites.tle"), "--database", bare}),
            QvUserError);
  EXPECT_EQ(OutputLines(), Strings{"created the database " + bare + "/Index.qvd"});
  EXPECT_NE(err.find("no object containing the name \"Earth\""), std::string::npos) << err;
  EXPECT_NE(err.find("nothing was imported"), std::string::npos) << err;
  EXPECT_FALSE(FileExists(bare + "/qv_satellites.qvd"));
  ASSERT_EQ(Run({"db", "--database", bare}), QvSuccess) << err;
  EXPECT_EQ(OutputLines().at(1), "Files: 1\tObjects: 0");

  // --create leaves an existing database as it is.
  ASSERT_EQ(Run({"import", "--create", SolarSystemFile(), "--database", bare}), QvSuccess) << err;
  EXPECT_EQ(OutputLines().size(), 1u) << out;
  ASSERT_EQ(Run({"db", "--database", bare}), QvSuccess) << err;
  EXPECT_EQ(OutputLines().at(1), "Files: 2\tObjects: 50");
}

TEST_F(QvTest, ImportingATakenNameAsksAndTheSafeAnswerKeepsTheDatabase) {
  const std::string objects = TestData("qv_objects.txt");
  EXPECT_EQ(Run({"import", objects}), QvUserError);
  EXPECT_NE(err.find("existing database file named \"qv_objects.qvd\""), std::string::npos) << err;
  EXPECT_NE(err.find("give --replace or --rename"), std::string::npos) << err;
  ASSERT_EQ(Run({"db"}), QvSuccess);
  EXPECT_EQ(OutputLines().at(1), "Files: 3\tObjects: 56");

  ASSERT_EQ(Run({"import", objects, "--rename"}), QvSuccess) << err;
  EXPECT_NE(out.find("into qv_objects1.qvd (6 objects)"), std::string::npos) << out;
  ASSERT_EQ(Run({"import", objects, "--replace"}), QvSuccess) << err;
  EXPECT_NE(out.find("into qv_objects.qvd (6 objects)"), std::string::npos) << out;
  ASSERT_EQ(Run({"db"}), QvSuccess);
  EXPECT_EQ(OutputLines().at(1), "Files: 4\tObjects: 62");
}

TEST_F(QvTest, ImportStopsAtALineWithoutObjectUnlessToldToGoOn) {
  const std::string mixed = scratch / "mixed.txt";
  WriteTextFile(
      mixed,
      "S1\t2000.0\t14 15 39.7\t+19 10 57\t0\t0\t-0.05\t\t\t\t0\tArcturus\n"
      "P12\t2000.0\t2.7\t0.1\t10\t0\t0\t0\t2000/1/1.5\t\t\t\tNobody's moon\tNo such planet\n"
      "S1\t2000.0\t05 16 41.4\t+45 59 53\t0\t0\t0.08\t\t\t\t0\tCapella\n");
  EXPECT_EQ(Run({"import", mixed}), QvUserError);
  EXPECT_NE(err.find("\"No such planet\""), std::string::npos) << err;
  EXPECT_NE(out.find("into mixed.qvd (1 objects)"), std::string::npos) << out;
  EXPECT_EQ(Run({"find", "capella"}), QvUserError);

  // Replacing takes a complete import: one that stops at the bad line keeps the old file.
  const std::string before = ReadTextFile(scratch / "Database/mixed.qvd");
  EXPECT_EQ(Run({"import", mixed, "--replace"}), QvUserError);
  EXPECT_NE(err.find("\"mixed.qvd\" was not replaced"), std::string::npos) << err;
  EXPECT_EQ(ReadTextFile(scratch / "Database/mixed.qvd"), before);

  ASSERT_EQ(Run({"import", mixed, "--replace", "--keep-going"}), QvSuccess) << err;
  EXPECT_NE(out.find("into mixed.qvd (2 objects)"), std::string::npos) << out;
  EXPECT_EQ(Run({"find", "capella"}), QvSuccess);
}

// A database file that cannot be read is named on standard error and makes the run a file
// error, whatever the command; it keeps its place in the index.
TEST_F(QvTest, UnreadableFilesAreNamedAndFailTheRun) {
  const std::string stars = scratch / "Database/qv_objects.qvd";
  const std::string index = ReadTextFile(scratch / "Database/Index.qvd");
  WriteTextFile(stars, ReadTextFile(stars).substr(0, 256));  // the header alone
  EXPECT_EQ(Run({"find", "Sirius"}), QvFileError);
  EXPECT_NE(err.find("can't read the file \"" + stars + "\""), std::string::npos) << err;
  EXPECT_EQ(Run({"chart", "--jd", "2460370.5", "--size", "100x80", "--out", scratch / "c.png"}),
            QvFileError);
  EXPECT_EQ(Run({"db"}), QvSuccess) << "the listing reads the index alone";
  EXPECT_EQ(Run({"db", "--check"}), QvFileError);
  EXPECT_NE(out.find("Files that cannot be read:\n3\tqv_objects.qvd\tit ends after 0 of the 6 "
                     "slots its header counts\n"),
            std::string::npos)
      << out;
  EXPECT_NE(err.find("can't read the file \"" + stars + "\""), std::string::npos) << err;

  std::filesystem::remove(stars);
  EXPECT_EQ(Run({"find", "Sirius"}), QvFileError);
  EXPECT_NE(err.find("can't open the file \"" + stars + "\""), std::string::npos) << err;
  EXPECT_EQ(ReadTextFile(scratch / "Database/Index.qvd"), index);
  ASSERT_EQ(Run({"db", "--check"}), QvFileError);
  EXPECT_NE(out.find("3\tqv_objects.qvd\tit is missing"), std::string::npos) << out;
  ASSERT_EQ(Run({"import", TestData("qv_objects.txt"), "--replace"}), QvSuccess) << err;
  ASSERT_EQ(Run({"db", "--check"}), QvSuccess) << err;
  EXPECT_NE(out.find("Every file reads well."), std::string::npos);
}

TEST_F(QvTest, ImportFailuresLeaveNoDatabaseFile) {
  const std::string empty = scratch / "comments.txt";
  WriteTextFile(empty, "# only a comment\nX\tnot an object either\n");
  EXPECT_EQ(Run({"import", empty}), QvUserError);
  EXPECT_NE(err.find("nothing was imported from " + empty), std::string::npos) << err;
  EXPECT_FALSE(FileExists(scratch / "Database/comments.qvd"));

  EXPECT_EQ(Run({"import", scratch / "missing.txt"}), QvFileError);
  EXPECT_NE(err.find("can't open the file \"" + scratch / "missing.txt"), std::string::npos) << err;
  ASSERT_EQ(Run({"db"}), QvSuccess);
  EXPECT_EQ(OutputLines().at(1), "Files: 3\tObjects: 56");
}

}  // namespace
}  // namespace qv
