// Importing files: new database files named after them, nothing left behind when nothing is
// imported or the import is cancelled, replacing and numbering names, the keep-reading question,
// file lists, and two-line element sets with their column-exact fields.
#include "objects/import.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>

#include "objects/messages.h"
#include "objects/sky.h"
#include "objects/tleimport.h"
#include "platform/progress.h"
#include "tests/objects/database_fixture.h"
#include "tests/objects/test_sky.h"
#include "tests/support/degree.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

using test::Deg;

// The classic published element set of the ISS (2008 September 20).
const char* const IssName = "ISS (ZARYA)             ";
const char* const IssLine1 =
    "1 25544U 98067A   08264.51782528 -.00002182  00000-0 -11606-4 0  2927";
const char* const IssLine2 =
    "2 25544  51.6416 247.4627 0006703 130.5360 325.0288 15.72125391563537";

// Edited: the line with text put at a column and its checksum (column 68) made right again.
std::string Edited(std::string line, size_t column, const std::string& text) {
  line.replace(column, text.size(), text);
  int sum = 0;
  for (size_t k = 0; k < 68; ++k) sum += std::isdigit(line[k]) ? line[k] - '0' : line[k] == '-';
  line[68] = static_cast<char>('0' + sum % 10);
  return line;
}

class ImportTest : public DatabaseTest {
 protected:
  void SetUp() override {
    DatabaseTest::SetUp();
    CreateDatabase();
  }
  void TearDown() override {
    SetProgressHook(nullptr);
    DatabaseTest::TearDown();
  }
  std::string TextFile(const std::string& name, const std::string& text) {
    WriteTextFile(scratch / name, text);
    return scratch / name;
  }
  void AddEarth() {
    auto earth = NewRecord(KindEarth);
    SetObjectName(*earth, "Earth");
    ASSERT_NE(AddObject(earth, DefaultFile()), 0u);
  }
  std::vector<std::string> NamesIn(ObjectId fileId) {
    std::vector<std::string> names;
    for (ObjectId id = FirstObjectInFile(fileId); id != 0; id = NextObjectInFile(id)) {
      names.push_back(DisplayName(*ObjectOfId(id)));
    }
    return names;
  }
};

const char* const ThreeStars =
    "S1\t2000\t06 45 09\t-16 43\t\t\t-1.46\t\t\t\t\tSirius\r\n"
    "# a comment line is skipped\r\n"
    "S1\t2000\t18 36 56\t+38 47\t\t\t0.03\t\t\t\t\tVega\n"
    "S15\t2000\t00 42 44\t+41 16\t\t\t3.44\t\t\t\t178\tM 31; NGC 224\r";

TEST_F(ImportTest, TextFileBecomesANewDatabaseFile) {
  std::vector<ObjectId> files;
  ASSERT_EQ(ImportObjectTextFile(TextFile("bright.txt", ThreeStars), &files), ResultOk);
  ASSERT_EQ(files.size(), 1u);
  const ObjectId fileId = files[0];
  ASSERT_NE(FileOfId(fileId), nullptr);
  EXPECT_EQ(FileOfId(fileId)->name, "bright.qvd");
  EXPECT_TRUE(fs::exists(DatabasePath("bright.qvd")));
  EXPECT_FALSE(FileOfId(fileId)->table) << "written and dropped from memory";
  EXPECT_EQ(FileOfId(fileId)->summary.starCount, 2);
  EXPECT_EQ(FileOfId(fileId)->summary.deepSkyCount, 1);
  CloseDatabase();
  ASSERT_EQ(OpenDefaultDatabase(), ResultOk);
  EXPECT_EQ(NamesIn(fileId), (std::vector<std::string>{"Sirius", "Vega", "M31; NGC224"}));
  EXPECT_TRUE(shown.empty());
}

TEST_F(ImportTest, NothingImportedOrCancelledLeavesNoFile) {
  const uint32_t files = FileCount();
  EXPECT_EQ(ImportObjectTextFile(TextFile("notes.txt", "Hello\nWorld\n# only comments\n")),
            ResultNotFound);
  EXPECT_EQ(ImportObjectTextFile(TextFile("empty.txt", "")), ResultNotFound);
  SetProgressHook([](double) { return false; });
  EXPECT_EQ(ImportObjectTextFile(TextFile("bright.txt", ThreeStars)), ResultCancelled);
  EXPECT_EQ(FileCount(), files);
  for (const char* name : {"notes.qvd", "empty.qvd", "bright.qvd"}) {
    EXPECT_FALSE(fs::exists(DatabasePath(name))) << name;
  }
  EXPECT_EQ(ImportObjectTextFile(scratch / "missing.txt"), ResultOpenError);
  EXPECT_EQ(shown.back().number, MessageCannotOpen);
}

TEST_F(ImportTest, SecondImportReplacesOrTakesANumberedName) {
  const std::string path = TextFile("bright.txt", ThreeStars);
  std::vector<ObjectId> files;
  ASSERT_EQ(ImportObjectTextFile(path, &files), ResultOk);
  const ObjectId first = files.at(0);

  answers = {AnswerNo};
  ASSERT_EQ(ImportObjectTextFile(path, &files), ResultOk);
  const ObjectId second = files.at(0);
  EXPECT_EQ(FileOfId(second)->name, "bright1.qvd");
  EXPECT_EQ(shown.back().number, MessageReplaceFile);

  // Replacing: a cancelled import keeps the old file whole, in the store and on disk.
  const std::string before = ReadTextFile(DatabasePath("bright.qvd"));
  answers = {AnswerYes};
  SetProgressHook([](double) { return false; });
  fs::create_directory(scratch / "other");
  EXPECT_EQ(ImportObjectTextFile(TextFile("other/bright.txt", "S1\t\t\t\t\t\t1\t\t\t\t\tNew")),
            ResultCancelled);
  EXPECT_NE(FileOfId(first), nullptr);
  EXPECT_EQ(ReadTextFile(DatabasePath("bright.qvd")), before);
  SetProgressHook(nullptr);

  answers = {AnswerYes};
  ASSERT_EQ(ImportObjectTextFile(path, &files), ResultOk);
  const ObjectId third = files.at(0);
  EXPECT_EQ(FileOfId(first), nullptr) << "the replaced file left the database";
  EXPECT_EQ(FileOfId(third)->name, "bright.qvd");
  EXPECT_EQ(FileCount(), 3u);  // Custom, bright1 and the new bright
  EXPECT_EQ(NamesIn(third).size(), 3u);
}

TEST_F(ImportTest, BadLinesAskWhetherToKeepReading) {
  const std::string path = TextFile("lines.txt",
                                    "S1\t\t\t\t\t\t1\t\t\t\t\tFirst\n"
                                    "C1\tFirst\tNowhere\tA line\n"
                                    "S1\t\t\t\t\t\t2\t\t\t\t\tSecond\n"
                                    "C1\tFirst\tSecond\tLine\n"
                                    "C1\tNobody\tFirst\n"
                                    "S1\t\t\t\t\t\t3\t\t\t\t\tThird\n");
  answers = {AnswerOk, AnswerYes, AnswerOk, AnswerNo};  // 523, 524 yes, 523, 524 no
  std::vector<ObjectId> files;
  ASSERT_EQ(ImportObjectTextFile(path, &files), ResultOk);
  const ObjectId fileId = files.at(0);
  ASSERT_EQ(shown.size(), 4u);
  EXPECT_EQ(shown[0].number, MessageNoSuchObject);
  EXPECT_EQ(shown[1].number, MessageKeepReading);
  EXPECT_EQ(shown[1].message, "Do you want to keep reading the file \"lines.txt\"?");
  EXPECT_EQ(NamesIn(fileId), (std::vector<std::string>{"First", "Second", ""}))
      << "what was read before No is kept; the line between the two stars is there";
}

TEST_F(ImportTest, FileListsImportEachFileAndAskAfterFailures) {
  fs::create_directory(scratch / "lists");
  TextFile("lists/a.txt", "S1\t\t\t\t\t\t1\t\t\t\t\tAlpha\n");
  TextFile("lists/b.txt", "S1\t\t\t\t\t\t2\t\t\t\t\tBeta\n");
  const std::string list =
      TextFile("lists/FILELIST-main.txt", "a.txt\r\nmissing.txt\r\n\r\nb.txt\r\n");
  answers = {AnswerOk, AnswerYes};  // 257 for missing.txt, then keep reading the list
  ASSERT_EQ(ImportObjectTextFile(list), ResultOk);
  EXPECT_NE(FindFileByName("a.qvd"), nullptr);
  EXPECT_NE(FindFileByName("b.qvd"), nullptr);
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[1].message, "Do you want to keep reading the file \"FILELIST-main.txt\"?");

  answers = {AnswerOk, AnswerNo};
  TextFile("lists/FileList2.txt", "missing.txt\nc.txt\n");
  TextFile("lists/c.txt", "S1\t\t\t\t\t\t1\t\t\t\t\tGamma\n");
  EXPECT_EQ(ImportObjectTextFile(scratch / "lists/FileList2.txt"), ResultNotFound);
  EXPECT_EQ(FindFileByName("c.qvd"), nullptr) << "No ends the list";
}

TEST_F(ImportTest, ReadOnlyDatabaseTakesNoImport) {
  Store().readOnly = true;
  EXPECT_EQ(ImportObjectTextFile(TextFile("bright.txt", ThreeStars)), ResultFailed);
  EXPECT_EQ(shown.back().number, MessageReadOnly);
}

TEST_F(ImportTest, ElementSetReadsEveryColumn) {
  AddEarth();
  std::unique_ptr<ObjectRecord> r;
  ASSERT_EQ(ElementSetToRecord(IssName, IssLine1, IssLine2, r), ResultOk);
  ASSERT_EQ(r->kind, KindEarthSatellite);
  const OrbitRecord& o = *OrbitOf(*r);
  EXPECT_EQ(o.primary, MakeObjectId(1, 1));
  EXPECT_EQ(o.name, "ISS (ZARYA)");  // the padding of the name line is not part of the name
  // 2008 day 264.51782528: JD 2454465.5 (2008 January 0.0) + 264.51782528.
  EXPECT_NEAR(o.epoch, 2454465.5 + 264.51782528 - 2400000.5, 1e-8);
  EXPECT_NEAR(o.i, 51.6416 * Deg, 1e-6);
  EXPECT_NEAR(o.node, 247.4627 * Deg, 1e-6);
  EXPECT_FLOAT_EQ(o.e, 0.0006703f);
  EXPECT_NEAR(o.omega, 130.5360 * Deg, 1e-6);
  EXPECT_NEAR(o.meanAnomaly, 325.0288 * Deg, 1e-6);
  EXPECT_NEAR(o.meanMotion, 15.72125391 * 2 * M_PI, 1e-4);
  EXPECT_NEAR(o.meanMotionRate, -0.00002182 * 2 * M_PI, 1e-9);
  EXPECT_EQ(o.meanMotionAccel, 0.0f);
  EXPECT_EQ(o.magnitudeParam1, UnknownMagnitude);
  // Independent figures of that orbit: perigee about 6726 km from the Earth's centre (350 km
  // up), the node regressing about 5.1 degrees and the perigee advancing about 3.8 a day.
  EXPECT_NEAR(o.q * 149597870.7, 6726, 5);
  EXPECT_NEAR(o.nodeRate / Deg, -5.12, 0.05);
  EXPECT_NEAR(o.omegaRate / Deg, 3.83, 0.05);
}

TEST_F(ImportTest, ElementSetEpochCenturyAndLongNameLines) {
  AddEarth();
  std::unique_ptr<ObjectRecord> r;
  std::string line1 = Edited(IssLine1, 18, "50001.00000000");
  ASSERT_EQ(ElementSetToRecord("A", line1, IssLine2, r), ResultOk);
  EXPECT_DOUBLE_EQ(OrbitOf(*r)->epoch, 2469807.5 - 2400000.5);  // 2050 January 1.0
  line1 = Edited(line1, 18, "51");
  ASSERT_EQ(ElementSetToRecord("A", line1, IssLine2, r), ResultOk);
  EXPECT_DOUBLE_EQ(OrbitOf(*r)->epoch, 2433647.5 - 2400000.5);  // 1951 January 1.0
  line1 = Edited(line1, 44, "-12345-3");  // second derivative / 6 = -0.12345e-3 rev/day^3
  ASSERT_EQ(ElementSetToRecord("A", line1, IssLine2, r), ResultOk);
  EXPECT_NEAR(OrbitOf(*r)->meanMotionAccel, -0.12345e-3 * 2 * M_PI, 1e-10);

  std::string name(40, ' ');
  name.replace(0, 15, "COSMOS 1234 R/B");
  name.replace(16, 4, "20.5");
  name.replace(21, 3, "3.0");
  name.replace(26, 3, "2.0");
  name.replace(30, 3, "5.5");
  ASSERT_EQ(ElementSetToRecord(name, IssLine1, IssLine2, r), ResultOk);
  EXPECT_EQ(OrbitOf(*r)->name, "COSMOS 1234 R/");
  EXPECT_EQ(OrbitOf(*r)->magnitudeParam1, 550);
  EXPECT_FLOAT_EQ(OrbitOf(*r)->radius, static_cast<float>(20.5 / 2 / 149597870700.0));

  EXPECT_EQ(ElementSetToRecord("A", "1", "2", r), ResultFailed) << "short lines read nothing";
}

// Sets that would give no orbit, or a wrong one, are refused with the reason: damaged lines by
// their checksums, slipped fields by their blanks and points, and values out of their ranges.
TEST_F(ImportTest, ElementSetsAreCheckedBeforeTheyAreTaken) {
  AddEarth();
  struct Case {
    std::string line1, line2, problem;
  };
  std::string shifted = std::string(IssLine2).insert(9, " ");
  shifted.resize(69);
  const Case cases[] = {
      {std::string(IssLine1).replace(68, 1, "3"), IssLine2,
       "the checksum of line 1 of the element set is 7, not 3"},
      {IssLine1, Edited(shifted, 0, "2"),
       "the fields of line 2 of the element set are out of their columns"},
      {IssLine1, std::string(IssLine2).substr(0, 60),
       "line 2 of the element set is shorter than 69 characters"},
      {IssLine1, Edited(IssLine2, 2, "25545"),
       "the two lines of the element set are of different satellites"},
      {IssLine1, Edited(IssLine2, 26, "-9e9999"),
       "the eccentricity of the element set is not a number"},
      {IssLine1, Edited(IssLine2, 52, "00.00000001"),
       "the mean motion of the element set is not a number from 0.01 to 20"},
      {IssLine1, Edited(IssLine2, 52, "00.00000000"),
       "the mean motion of the element set is not a number from 0.01 to 20"},
      {Edited(IssLine1, 20, "999.51782528"), IssLine2,
       "the epoch day of the year of the element set is not a number from 1 to 367"},
      {IssLine1, Edited(IssLine2, 8, "999.9999"),
       "the inclination of the element set is not a number from 0 to 180"},
      {IssLine1, Edited(IssLine2, 43, "-25.0288"),
       "the mean anomaly of the element set is not a number from 0 to 360"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.problem);
    EXPECT_EQ(ElementSetProblem(c.line1, c.line2), c.problem);
    std::unique_ptr<ObjectRecord> r;
    std::string problem;
    EXPECT_EQ(ElementSetToRecord("A", c.line1, c.line2, r, &problem), ResultFailed);
    EXPECT_EQ(problem, c.problem);
  }
  EXPECT_EQ(ElementSetProblem(IssLine1, IssLine2), "");

  // In a file, the set is a bad line with its number, and reading may go on past it.
  const std::string set = std::string("GOOD\n") + IssLine1 + "\n" + IssLine2 + "\n";
  const std::string bad = std::string("BAD\n") + IssLine1 + "\n" + cases[8].line2 + "\n";
  answers = {AnswerOk, AnswerYes};
  std::vector<ObjectId> files;
  ASSERT_EQ(ImportSatelliteFile(TextFile("mixed.tle", bad + set), &files), ResultOk);
  EXPECT_EQ(NamesIn(files.at(0)), std::vector<std::string>{"GOOD"});
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].message,
            "Line 3 of the file \"mixed.tle\" gives no object: " + cases[8].problem + ".");
  EXPECT_EQ(shown[1].number, MessageKeepReading);
}

// A line longer than 1,023 characters is one bad line, never several: the tail of a long comment
// must not import as a star. A line of exactly 1,023 characters is a line like any other.
TEST_F(ImportTest, ALineTooLongIsOneBadLineWithItsNumber) {
  const std::string star = "S1\t\t\t\t\t\t1\t\t\t\t\t";
  std::string exact = star + "Exact\t";
  exact += std::string(1023 - exact.size(), 'x');
  const std::string text = star + "First\n# " + std::string(1021, '-') + star + "Tail\r\n" + exact +
                           "\n" + star + "Last";
  answers = {AnswerOk, AnswerYes};
  std::vector<ObjectId> files;
  ASSERT_EQ(ImportObjectTextFile(TextFile("long.txt", text), &files), ResultOk);
  EXPECT_EQ(NamesIn(files.at(0)), (std::vector<std::string>{"First", "Exact", "Last"}));
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].message,
            "Line 2 of the file \"long.txt\" gives no object: it is longer than 1,023 "
            "characters.");
}

// Replacing a database file takes a complete import: one that stopped at a bad line leaves the
// old file as it was, on disk and in the index.
TEST_F(ImportTest, ReplacingTakesACompleteImport) {
  std::vector<ObjectId> files;
  ASSERT_EQ(ImportObjectTextFile(TextFile("bright.txt", ThreeStars), &files), ResultOk);
  const ObjectId old = files.at(0);
  const std::string before = ReadTextFile(DatabasePath("bright.qvd"));
  fs::create_directory(scratch / "new");
  const std::string partial = TextFile("new/bright.txt",
                                       "S1\t\t\t\t\t\t1\t\t\t\t\tNew\n"
                                       "C1\tNew\tNobody\n"
                                       "S1\t\t\t\t\t\t2\t\t\t\t\tNever read\n");
  answers = {AnswerYes, AnswerOk, AnswerNo, AnswerOk};  // replace, 523, stop, 574
  EXPECT_EQ(ImportObjectTextFile(partial, &files), ResultFailed);
  EXPECT_EQ(shown.back().message,
            "The database file \"bright.qvd\" was not replaced, because the import of "
            "\"bright.txt\" stopped before the end of the file.");
  EXPECT_EQ(ReadTextFile(DatabasePath("bright.qvd")), before);
  EXPECT_EQ(NamesIn(old).size(), 3u);
  EXPECT_EQ(FileCount(), 2u);

  answers = {AnswerYes, AnswerOk, AnswerYes};  // replace, 523, read on
  ASSERT_EQ(ImportObjectTextFile(partial, &files), ResultOk);
  EXPECT_EQ(NamesIn(files.at(0)), (std::vector<std::string>{"New", "Never read"}));
  EXPECT_EQ(FileCount(), 2u);
}

// More objects than a database file holds go on into numbered files, none of them dropped.
TEST_F(ImportTest, MoreThanSixteenThousandObjectsGoOnInANumberedFile) {
  std::string text;
  for (int k = 1; k <= 16003; ++k)
    text += "S1\t\t1\t2\t\t\t5\t\t\t\t\tHR " + std::to_string(k) + "\n";
  WriteTextFile(DatabasePath("big1.qvd"), "not part of the database");  // a name not to take
  std::vector<ObjectId> files;
  ASSERT_EQ(ImportObjectTextFile(TextFile("big.txt", text), &files), ResultOk);
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(FileOfId(files[0])->name, "big.qvd");
  EXPECT_EQ(FileOfId(files[1])->name, "big2.qvd");
  CloseDatabase();
  ASSERT_EQ(OpenDefaultDatabase(), ResultOk);
  EXPECT_EQ(FileOfId(files[0])->count, 16000u);
  EXPECT_EQ(NamesIn(files[1]), (std::vector<std::string>{"HR 16001", "HR 16002", "HR 16003"}));
  EXPECT_TRUE(shown.empty());
}

// An import that cannot be completed - here the index cannot be written - removes the file it
// wrote, and the store is as it was: a second try takes the same name.
TEST_F(ImportTest, AFailedImportLeavesNothingBehind) {
  const std::string index = ReadTextFile(DatabasePath("Index.qvd"));
  fs::permissions(DatabasePath("Index.qvd"), fs::perms::all, fs::perm_options::remove);
  fs::permissions(DatabasePath("Index.qvd"), fs::perms::owner_read, fs::perm_options::add);
  const std::string path = TextFile("bright.txt", ThreeStars);
  EXPECT_EQ(ImportObjectTextFile(path), ResultOpenError);
  EXPECT_EQ(std::count_if(shown.begin(), shown.end(),
                          [](const ShownAlert& a) { return a.number == MessageCannotCreateFile; }),
            1);
  EXPECT_FALSE(fs::exists(DatabasePath("bright.qvd")));
  EXPECT_EQ(FileCount(), 1u);
  EXPECT_FALSE(Store().indexChanged);
  EXPECT_EQ(ReadTextFile(DatabasePath("Index.qvd")), index);
  fs::permissions(DatabasePath("Index.qvd"), fs::perms::owner_write, fs::perm_options::add);
  std::vector<ObjectId> files;
  ASSERT_EQ(ImportObjectTextFile(path, &files), ResultOk);
  EXPECT_EQ(FileOfId(files.at(0))->name, "bright.qvd");
}

// A database file is named after the imported file; a name that would make folders of it (the
// old ":" separator) is refused before anything is written.
TEST_F(ImportTest, NamesThatWouldLeadIntoFoldersAreRefused) {
  EXPECT_EQ(ImportObjectTextFile(TextFile("..:..:evil.txt", ThreeStars)), ResultFailed);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].number, MessageNameOutside);
  EXPECT_EQ(FileCount(), 1u);
  EXPECT_FALSE(fs::exists(scratch / "evil.qvd"));
  EXPECT_FALSE(fs::exists(scratch.path() + "/../evil.qvd"));
}

TEST_F(ImportTest, SatelliteFileUsesTheSlidingWindow) {
  AddEarth();
  const std::string text = std::string("junk\n") + IssName + "\n" + IssLine1 + "\n" + IssLine2 +
                           "\n" + "\n" + IssLine1 + "\n" + IssLine2 +
                           "\n" +  // no name: passed over
                           "SECOND\r\n" + IssLine1 + "\r\n" + IssLine2 + "\r\n" + IssLine2 + "\n";
  std::vector<ObjectId> files;
  ASSERT_EQ(ImportSatelliteFile(TextFile("stations.tle", text), &files), ResultOk);
  const ObjectId fileId = files.at(0);
  EXPECT_EQ(NamesIn(fileId), (std::vector<std::string>{"ISS (ZARYA)", "SECOND"}));
  EXPECT_EQ(FileOfId(fileId)->summary.solarSystemCount, 2);
}

TEST_F(ImportTest, NewSatelliteHasItsPlaceComputedOnce) {
  AddEarth();
  test::Observing() = ObservingSettings{};
  test::Observing().JulianDate = 2454730.0;  // about the epoch of the set
  test::UpdateSky();
  std::unique_ptr<ObjectRecord> r;
  ASSERT_EQ(ElementSetToRecord(IssName, IssLine1, IssLine2, r), ResultOk);
  const OrbitRecord& o = *OrbitOf(*r);
  EXPECT_EQ(o.stamp, PlanetGeneration());
  // Seen from a place on the Earth the station is between 350 km and an Earth's diameter away.
  EXPECT_GT(o.currentDistance * 149597870.7, 300);
  EXPECT_LT(o.currentDistance * 149597870.7, 13200);
  test::Observing() = ObservingSettings{};
}

TEST_F(ImportTest, SatelliteFileWithoutEarthShows523ForEverySet) {
  const std::string set = std::string("SAT\n") + IssLine1 + "\n" + IssLine2 + "\n";
  answers = {AnswerOk, AnswerYes, AnswerOk, AnswerYes};
  EXPECT_EQ(ImportSatelliteFile(TextFile("two.tle", set + set)), ResultNotFound);
  ASSERT_EQ(shown.size(), 4u);
  EXPECT_EQ(shown[0].message, "There's no object containing the name \"Earth\" in memory!");
  EXPECT_EQ(shown[2].number, MessageNoSuchObject);
  EXPECT_FALSE(fs::exists(DatabasePath("two.qvd")));
}

}  // namespace
}  // namespace qv
