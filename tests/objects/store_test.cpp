// The object store and its database on disk: lazy loading, ids and limits, removal, files that
// vanish, the memory trim, new file names, safe writing and the database commands.
#include <filesystem>

#include "objects/dbfile.h"
#include "objects/messages.h"
#include "platform/memory.h"
#include "tests/objects/database_fixture.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

// A registered file of n stars with increasing magnitudes, written with the index in one change
// and dropped from memory.
ObjectId WriteStarFile(const std::string& name, int n) {
  EXPECT_EQ(BeginDatabaseChange(), ResultOk);
  std::unique_ptr<DatabaseFile> file = NewDatabaseFile(name);
  const ObjectId fileId = RegisterFile(file);
  for (int k = 0; k < n; ++k) {
    auto star = MakeStar(("HR " + std::to_string(k + 1)).c_str(), 0.1 * k, -0.2,
                         static_cast<int16_t>(100 * k));
    EXPECT_NE(AddObject(star, fileId), 0u);
  }
  EXPECT_EQ(DropFromMemory(*FileOfId(fileId)), ResultOk);
  EXPECT_EQ(EndDatabaseChange(), ResultOk);
  return fileId;
}

uint32_t SlotCountOnDisk(const std::string& path) {
  std::vector<uint8_t> bytes;
  FileHeader header;
  if (ReadWholeFile(path, bytes) != ResultOk || ReadFileHeader(bytes, header) != ResultOk) return 0;
  return header.count;
}

TEST_F(DatabaseTest, NewDatabaseHoldsTheDefaultFileAndReopensLazily) {
  CreateDatabase();
  EXPECT_TRUE(fs::exists(DatabasePath("Index.qvd")));
  EXPECT_TRUE(fs::exists(DatabasePath("Custom.qvd")));
  EXPECT_EQ(DefaultFile(), MakeObjectId(1, 0));

  const ObjectId stars = WriteStarFile("Stars/North.qvd", 3);
  auto site = NewRecord(KindLocation);
  SetObjectName(*site, "Observatory");
  const ObjectId siteId = AddObject(site, DefaultFile());
  EXPECT_EQ(siteId, MakeObjectId(1, 1));
  CloseDatabase();
  EXPECT_EQ(FileCount(), 0u);

  ASSERT_EQ(OpenDefaultDatabase(), ResultOk);
  EXPECT_EQ(FileCount(), 2u);
  EXPECT_EQ(TotalObjectCount(), 4u);
  EXPECT_FALSE(FileOfId(stars)->table) << "opening reads only the index";
  EXPECT_EQ(FileOfId(stars)->summary.starCount, 3);
  EXPECT_EQ(FileOfId(stars)->summary.starFaintest, 200);

  const ObjectRecord* second = ObjectOfId(stars | 2);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(DisplayName(*second), "HR2");
  EXPECT_EQ(second->id, stars | 2);
  EXPECT_GT(FileOfId(stars)->loadStamp, 0u);
  EXPECT_EQ(FindLocationByName("OBSERVATORY"), siteId);
  EXPECT_EQ(FindLocationByName("Home"), 0u);
  EXPECT_TRUE(shown.empty());
}

TEST_F(DatabaseTest, IterationRunsInFileThenIndexOrderSkippingGaps) {
  CreateDatabase();
  const ObjectId a = WriteStarFile("a.qvd", 3);  // file 2
  auto gap = UnregisterFile(DefaultFile());      // file 1 gone: numbers may have holes
  auto removed = RemoveObject(a | 2);
  ASSERT_NE(removed, nullptr);
  EXPECT_EQ(removed->id, NoObject);
  std::vector<ObjectId> seen;
  for (ObjectId id = FirstObject(); id != 0; id = NextObject(id)) seen.push_back(id);
  EXPECT_EQ(seen, (std::vector<ObjectId>{a | 1, a | 3}));
  EXPECT_EQ(FirstFile(), a);
  EXPECT_EQ(NextFile(a), 0u);
  EXPECT_EQ(ObjectOfId(a | 2), nullptr);
  EXPECT_EQ(ObjectOfId(a | 4), nullptr);
  EXPECT_EQ(ObjectOfId(a), nullptr);
  EXPECT_EQ(ObjectOfId(123), nullptr);
}

TEST_F(DatabaseTest, FileHoldsSixteenThousandObjectsAndNoMore) {
  CreateDatabase();
  const ObjectId file = DefaultFile();
  for (uint32_t k = 1; k <= MaxObjectsPerFile; ++k) {
    auto line = NewRecord(KindObjectLine);
    ASSERT_EQ(AddObject(line, file), file | k);
  }
  auto extra = MakeStar("One too many", 0, 0, 0);
  EXPECT_EQ(AddObject(extra, file), 0u);
  ASSERT_NE(extra, nullptr) << "a refused record stays with the caller";

  // A hole is filled before anything else, and the last index frees the count.
  auto gone = RemoveObject(file | 500);
  EXPECT_EQ(AddObject(extra, file), file | 500);
  EXPECT_EQ(FileOfId(file)->summary.starCount, 1);
  EXPECT_EQ(FileOfId(file)->summary.lineCount, 15999);
  RemoveObject(file | 16000);
  RemoveObject(file | 15999);
  EXPECT_EQ(FileOfId(file)->count, 15998u);
  ASSERT_EQ(WriteDatabaseFile(*FileOfId(file)), ResultOk);
  EXPECT_EQ(SlotCountOnDisk(DatabasePath("Custom.qvd")), 15998u);
}

// Reading never rewrites the index: a file that cannot be read keeps its entry, is reported once
// by whoever owns the request, and is read again only when the database is opened again.
TEST_F(DatabaseTest, UnreadableFilesStayInTheIndexAndAreReportedOnce) {
  CreateDatabase();
  const ObjectId a = WriteStarFile("a.qvd", 2);
  const ObjectId b = WriteStarFile("b.qvd", 2);
  CloseDatabase();
  const std::string index = ReadTextFile(DatabasePath("Index.qvd"));
  fs::rename(DatabasePath("a.qvd"), scratch / "a.qvd");
  ASSERT_EQ(OpenDefaultDatabase(), ResultOk);

  EXPECT_EQ(ObjectOfId(a | 1), nullptr);
  ASSERT_NE(FileOfId(a), nullptr);
  EXPECT_EQ(FileOfId(a)->problem, "it is missing");
  EXPECT_TRUE(shown.empty()) << "a lazy read shows no alert";
  EXPECT_NE(ObjectOfId(b | 2), nullptr);
  fs::rename(scratch / "a.qvd", DatabasePath("a.qvd"));
  EXPECT_EQ(ObjectOfId(a | 1), nullptr) << "a failed file is not read on every use";
  EXPECT_EQ(ReportUnreadableFiles(), 1);
  EXPECT_EQ(ReportUnreadableFiles(), 1);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].number, MessageCannotOpen);
  EXPECT_NE(shown[0].message.find(DatabasePath("a.qvd")), std::string::npos);
  CloseDatabase();
  EXPECT_EQ(ReadTextFile(DatabasePath("Index.qvd")), index);

  ASSERT_EQ(OpenDefaultDatabase(), ResultOk);
  EXPECT_EQ(FileCount(), 3u);
  ASSERT_NE(ObjectOfId(a | 2), nullptr);
  EXPECT_EQ(DisplayName(*ObjectOfId(a | 2)), "HR2");
}

// The counts in an index may be out of date (another program wrote a file): the file is trusted
// when read, and the index is corrected by the next change only, never by reading.
TEST_F(DatabaseTest, ReadingAnOutdatedIndexLeavesItAsItIs) {
  CreateDatabase();
  const ObjectId a = WriteStarFile("a.qvd", 3);
  CloseDatabase();
  std::vector<uint8_t> bytes;
  std::vector<IndexEntry> entries;
  ASSERT_EQ(ReadWholeFile(DatabasePath("Index.qvd"), bytes), ResultOk);
  ASSERT_EQ(DecodeIndexFile(bytes, entries), ResultOk);
  entries[1].count = 1;
  ASSERT_EQ(ReplaceFileContents(DatabasePath("Index.qvd"), EncodeIndexFile(entries)), ResultOk);
  const std::string stale = ReadTextFile(DatabasePath("Index.qvd"));

  ASSERT_EQ(OpenDefaultDatabase(), ResultOk);
  EXPECT_NE(ObjectOfId(a | 3), nullptr);
  EXPECT_EQ(FileOfId(a)->count, 3u);
  CloseDatabase();
  EXPECT_EQ(ReadTextFile(DatabasePath("Index.qvd")), stale);
}

// Two programs on one database: each change works on the index as it is on disk, so what the
// other program added or removed meanwhile survives.
TEST_F(DatabaseTest, ChangesOfAnotherProgramAreKept) {
  CreateDatabase();
  const ObjectId a = WriteStarFile("a.qvd", 2);
  CloseDatabase();
  ASSERT_EQ(OpenDefaultDatabase(), ResultOk);  // this program's view from now on
  // Another program adds other.qvd as file 3 and removes a.qvd.
  std::vector<std::unique_ptr<ObjectRecord>> slots;
  slots.push_back(MakeStar("Elsewhere", 1, 0.5, 100));
  ASSERT_EQ(ReplaceFileContents(DatabasePath("other.qvd"), EncodeDatabaseFile(slots)), ResultOk);
  FileSummary summary;
  AddToSummary(summary, *slots[0]);
  const std::vector<IndexEntry> theirs = {{MakeObjectId(1, 0), 0, {}, "Custom.qvd"},
                                          {MakeObjectId(3, 0), 1, summary, "other.qvd"}};
  ASSERT_EQ(ReplaceFileContents(DatabasePath("Index.qvd"), EncodeIndexFile(theirs)), ResultOk);
  fs::remove(DatabasePath("a.qvd"));

  const ObjectId b = WriteStarFile("b.qvd", 1);  // a change of this program
  EXPECT_EQ(FindFileByName("a.qvd"), nullptr) << "gone: the other program removed it";
  EXPECT_EQ(b, a) << "its number is the lowest free on disk";
  CloseDatabase();
  ASSERT_EQ(OpenDefaultDatabase(), ResultOk);
  std::vector<std::string> names;
  for (ObjectId id = FirstFile(); id != 0; id = NextFile(id)) names.push_back(FileOfId(id)->name);
  EXPECT_EQ(names, (std::vector<std::string>{"Custom.qvd", "b.qvd", "other.qvd"}));
  ASSERT_NE(ObjectOfId(MakeObjectId(3, 1)), nullptr);
  EXPECT_EQ(DisplayName(*ObjectOfId(MakeObjectId(3, 1))), "Elsewhere");
}

// A change waits for another program's change a bounded time, then fails with a message and
// writes nothing.
TEST_F(DatabaseTest, ABusyDatabaseRefusesAChangeAfterAWait) {
  CreateDatabase();
  const std::string index = ReadTextFile(DatabasePath("Index.qvd"));
  FileLock other;
  ASSERT_EQ(LockFileAt(DatabasePath(".quorvane-lock"), 0, other), ResultOk);
  Store().lockWaitMs = 40;
  auto star = MakeStar("Waiting", 0, 0, 100);
  EXPECT_EQ(CommitObjectEdit(DefaultFile(), 0, star), 0u);
  EXPECT_NE(star, nullptr) << "the record stays with the caller";
  EXPECT_TRUE(Shown(MessageDatabaseBusy));
  EXPECT_EQ(SaveIndex(Store().indexPath), ResultWriteError);
  EXPECT_EQ(ReadTextFile(DatabasePath("Index.qvd")), index);
  other.reset();
  EXPECT_EQ(CommitObjectEdit(DefaultFile(), 0, star), MakeObjectId(1, 1));
}

TEST_F(DatabaseTest, DamagedFileStaysRegisteredButOutOfMemory) {
  CreateDatabase();
  const ObjectId a = WriteStarFile("a.qvd", 2);
  std::string bytes = ReadTextFile(DatabasePath("a.qvd"));
  bytes[256] = 57;  // an unknown kind
  WriteTextFile(DatabasePath("a.qvd"), bytes);
  EXPECT_EQ(ObjectOfId(a | 1), nullptr);
  ASSERT_NE(FileOfId(a), nullptr);
  EXPECT_FALSE(FileOfId(a)->table);
  EXPECT_EQ(FileOfId(a)->bytes, 0);
  EXPECT_EQ(FileOfId(a)->problem, "slot 1 holds the unknown kind 57");
  std::string problem;
  EXPECT_EQ(CheckDatabaseFile(*FileOfId(a), problem), ResultReadError);
  EXPECT_EQ(problem, "slot 1 holds the unknown kind 57");
  EXPECT_EQ(ReportUnreadableFiles(), 1);
  EXPECT_EQ(shown.back().number, MessageCannotRead);
  CloseDatabase();
  EXPECT_EQ(ReadTextFile(DatabasePath("a.qvd")), bytes) << "a damaged file is never rewritten";
}

TEST_F(DatabaseTest, TrimDropsMostRecentlyLoadedUnlockedFilesFirst) {
  CreateDatabase();
  const ObjectId a = WriteStarFile("a.qvd", 50), b = WriteStarFile("b.qvd", 50),
                 c = WriteStarFile("c.qvd", 50);
  DropAllFromMemory();
  ASSERT_EQ(EnsureLoaded(a), ResultOk);
  ASSERT_EQ(EnsureLoaded(b), ResultOk);
  LockFile(b);
  const int64_t twoFiles = Store().bytesInUse;
  Store().budget = twoFiles + 1;  // room for two of the three
  ASSERT_EQ(EnsureLoaded(c), ResultOk);
  // c was the most recent load, but it was locked while being read; b is locked too, so a went.
  EXPECT_FALSE(FileOfId(a)->table);
  EXPECT_TRUE(FileOfId(b)->table);
  EXPECT_TRUE(FileOfId(c)->table);
  UnlockFile(b);
  UnlockFile(b);  // never below 0
  EXPECT_EQ(FileOfId(b)->lockCount, 0);
  Store().budget = twoFiles / 2 + 100;  // now room for one (all three files are the same size)
  TrimMemory();
  EXPECT_FALSE(FileOfId(c)->table) << "the newest load goes first";
  EXPECT_TRUE(FileOfId(b)->table);
  EXPECT_LE(Store().bytesInUse, Store().budget);
}

TEST_F(DatabaseTest, ChangesAreWrittenBeforeAFileIsDropped) {
  CreateDatabase();
  const ObjectId a = WriteStarFile("a.qvd", 2);
  auto star = MakeStar("Added", 1, 1, 500);
  ASSERT_EQ(AddObject(star, a), a | 3);
  EXPECT_TRUE(FileOfId(a)->modified);
  EXPECT_EQ(DropFromMemory(*FileOfId(a)), ResultFailed) << "written only within a change";
  ASSERT_EQ(BeginDatabaseChange(), ResultOk);
  ASSERT_EQ(DropFromMemory(*FileOfId(a)), ResultOk);
  EXPECT_EQ(SlotCountOnDisk(DatabasePath("a.qvd")), 3u);

  // A file that cannot be written keeps its changes in memory.
  star = MakeStar("Another", 1, 1, 500);
  ASSERT_EQ(AddObject(star, a), a | 4);
  fs::permissions(DatabasePath("a.qvd"),
                  fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  EXPECT_EQ(DropFromMemory(*FileOfId(a)), ResultFailed);
  EXPECT_EQ(EndDatabaseChange(), ResultOk);
  EXPECT_TRUE(FileOfId(a)->table);
  EXPECT_TRUE(Shown(MessageCannotCreateFile));
  EXPECT_EQ(SlotCountOnDisk(DatabasePath("a.qvd")), 3u) << "the old file stays whole";
}

TEST_F(DatabaseTest, NewFileNamesAskAndNumberUpToNinetyNine) {
  CreateDatabase();
  std::string name;
  ObjectId existing = 1;
  ASSERT_EQ(ResolveDatabaseFileName("stars.txt", name, existing), ResultOk);
  EXPECT_EQ(name, "stars.qvd");
  EXPECT_EQ(existing, 0u);
  auto first = NewDatabaseFile(name);
  const ObjectId stars = RegisterFile(first);

  answers = {AnswerYes};
  ASSERT_EQ(ResolveDatabaseFileName("STARS.TXT", name, existing), ResultOk);
  EXPECT_EQ(existing, stars);
  EXPECT_EQ(shown.back().number, MessageReplaceFile);

  answers = {AnswerCancel};
  EXPECT_EQ(ResolveDatabaseFileName("stars.txt", name, existing), ResultCancelled);

  for (int k = 1; k <= 99; ++k) {
    answers = {AnswerNo};
    ASSERT_EQ(ResolveDatabaseFileName("stars.txt", name, existing), ResultOk);
    EXPECT_EQ(name, "stars" + std::to_string(k) + ".qvd");
    auto numbered = NewDatabaseFile(name);
    RegisterFile(numbered);
  }
  answers = {AnswerNo};
  EXPECT_EQ(ResolveDatabaseFileName("stars.txt", name, existing), ResultFailed);
  EXPECT_EQ(shown.back().message,
            "Quorvane can't find a free name for a new database file: \"stars1.qvd\" to "
            "\"stars99.qvd\" are all taken.");

  // A file on disk that is not part of the database is never overwritten.
  WriteTextFile(DatabasePath("orphan.qvd"), "keep me");
  ASSERT_EQ(ResolveDatabaseFileName("orphan", name, existing), ResultOk);
  EXPECT_EQ(name, "orphan1.qvd");
  ASSERT_EQ(ResolveDatabaseFileName("a.b\\c", name, existing), ResultOk);
  EXPECT_EQ(name, "a.b\\c.qvd");
}

TEST_F(DatabaseTest, FilesAreFoundByNameOrPath) {
  CreateDatabase();
  const ObjectId deep = WriteStarFile("Stars\\North\\0001.qvd", 1);
  EXPECT_EQ(FindFileByName("stars/north:0001.QVD")->fileId, deep);
  EXPECT_EQ(FindFileByName(DatabasePath("Stars/North/0001.qvd"))->fileId, deep);
  EXPECT_TRUE(fs::exists(DatabasePath("Stars/North/0001.qvd")));
  EXPECT_EQ(FindFileByName("0001.qvd"), nullptr);
}

TEST_F(DatabaseTest, IndexOfTheOtherByteOrderAndEmptyIndexOpen) {
  fs::create_directory(scratch / "db");
  std::vector<uint8_t> bytes =
      EncodeIndexFile(std::vector<IndexEntry>{{MakeObjectId(7, 0), 2, {}, "x.qvd"}}, true);
  ASSERT_EQ(ReplaceFileContents(scratch / "db/Index.qvd", bytes), ResultOk);
  ASSERT_EQ(OpenDatabase(scratch / "db/Index.qvd"), ResultOk);
  EXPECT_EQ(FirstFile(), MakeObjectId(7, 0));
  EXPECT_EQ(FileOfId(FirstFile())->name, "x.qvd");
  CloseDatabase();

  ASSERT_EQ(ReplaceFileContents(scratch / "db/Empty.qvd", EncodeIndexFile({})), ResultOk);
  ASSERT_EQ(OpenDatabase(scratch / "db/Empty.qvd"), ResultOk);
  EXPECT_EQ(FileCount(), 0u);
  EXPECT_EQ(FirstObject(), 0u);
}

TEST_F(DatabaseTest, BadIndexesOpenNothing) {
  fs::create_directory(scratch / "db");
  EXPECT_EQ(OpenDatabase(scratch / "db/Missing.qvd"), ResultOpenError);
  EXPECT_TRUE(Shown(MessageCannotOpen));
  WriteTextFile(scratch / "db/Text.qvd", "not an index");
  EXPECT_EQ(OpenDatabase(scratch / "db/Text.qvd"), ResultReadError);
  EXPECT_TRUE(Shown(MessageCannotRead));
  EXPECT_EQ(FileCount(), 0u);
  EXPECT_TRUE(Store().indexPath.empty());
}

// An index that lists a file number twice opens with the first (the message says what is wrong)
// and is never rewritten: whatever the second entry was stays on disk for repair.
TEST_F(DatabaseTest, DamagedIndexOpensReadableAndIsNeverRewritten) {
  fs::create_directory(scratch / "db");
  const std::vector<IndexEntry> twice = {{MakeObjectId(2, 0), 0, {}, "a.qvd"},
                                         {MakeObjectId(2, 0), 0, {}, "b.qvd"}};
  const std::string path = scratch / "db/Index.qvd";
  ASSERT_EQ(ReplaceFileContents(path, EncodeIndexFile(twice)), ResultOk);
  const std::string bytes = ReadTextFile(path);
  EXPECT_EQ(OpenDatabase(path), ResultOk);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].number, MessageIndexDamaged);
  EXPECT_NE(shown[0].message.find("file number 2 is listed twice"), std::string::npos);
  EXPECT_EQ(FileCount(), 1u);
  EXPECT_EQ(DefaultFile(), 0u) << "no change to a damaged database";
  EXPECT_EQ(ReadTextFile(path), bytes);
}

// An index whose header counts fewer entries than it holds hides none of them, and the next
// write keeps them all.
TEST_F(DatabaseTest, EntriesBeyondTheIndexCountSurviveTheNextWrite) {
  CreateDatabase();
  WriteStarFile("a.qvd", 1);
  WriteStarFile("b.qvd", 1);
  CloseDatabase();
  for (char count : {'\0', '\2'}) {  // none, and one less than there are
    std::string bytes = ReadTextFile(DatabasePath("Index.qvd"));
    bytes[12] = count;
    WriteTextFile(DatabasePath("Index.qvd"), bytes);
    ASSERT_EQ(OpenDefaultDatabase(), ResultOk);
    EXPECT_EQ(FileCount(), 3u + count / 2);
    WriteStarFile(std::string("c") + char('0' + count) + ".qvd", 1);
    CloseDatabase();
  }
  ASSERT_EQ(OpenDefaultDatabase(), ResultOk);
  EXPECT_EQ(FileCount(), 5u);
}

// Names in the index never lead outside the database folder.
TEST_F(DatabaseTest, NamesOutsideTheDatabaseFolderAreNeverUsed) {
  CreateDatabase();
  fs::create_directory(scratch / "outside");
  std::vector<std::unique_ptr<ObjectRecord>> slots;
  slots.push_back(MakeStar("Intruder", 0, 0, 100));
  ASSERT_EQ(ReplaceFileContents(scratch / "outside/Stars0.qvd", EncodeDatabaseFile(slots)),
            ResultOk);
  const std::vector<IndexEntry> entries = {{MakeObjectId(1, 0), 0, {}, "Custom.qvd"},
                                           {MakeObjectId(2, 0), 1, {}, "../outside/Stars0.qvd"},
                                           {MakeObjectId(3, 0), 1, {}, "sub:..:..:x.qvd"}};
  ASSERT_EQ(ReplaceFileContents(DatabasePath("Index.qvd"), EncodeIndexFile(entries)), ResultOk);
  ASSERT_EQ(OpenDefaultDatabase(), ResultOk);
  for (ObjectId file : {MakeObjectId(2, 0), MakeObjectId(3, 0)}) {
    EXPECT_EQ(ObjectOfId(file | 1), nullptr);
    EXPECT_EQ(FileOfId(file)->problem, "its name leads outside the database folder");
  }
  EXPECT_FALSE(IsInsideDatabaseFolder("/etc/x.qvd"));
  EXPECT_TRUE(IsInsideDatabaseFolder("Stars\\..x\\North.qvd"));
  answers = {AnswerOk};
  EXPECT_EQ(DeleteDatabaseFile(scratch / "outside/Stars0.qvd"), ResultFailed);
  EXPECT_TRUE(fs::exists(scratch / "outside/Stars0.qvd"));
}

// Writers killed in the middle of a write leave hidden temporaries; opening the database removes
// those whose process is gone (no process has a number that high).
TEST_F(DatabaseTest, OpeningRemovesStaleTemporaries) {
  CreateDatabase();
  CloseDatabase();
  WriteTextFile(DatabasePath(".Custom.qvd.999999999.0.tmp"), "half a file");
  ASSERT_EQ(OpenDefaultDatabase(), ResultOk);
  EXPECT_FALSE(fs::exists(DatabasePath(".Custom.qvd.999999999.0.tmp")));
  EXPECT_TRUE(fs::exists(DatabasePath("Custom.qvd")));
}

TEST_F(DatabaseTest, DatabaseDocumentsOpenByTheirHeader) {
  CreateDatabase();
  EXPECT_EQ(OpenDatabaseDocument(DatabasePath("Custom.qvd")), ResultFailed);
  EXPECT_TRUE(Shown(MessageDatabaseFilePart));
  WriteTextFile(scratch / "notes.txt", "S1\t2000");
  EXPECT_EQ(OpenDatabaseDocument(scratch / "notes.txt"), ResultNotFound);
  EXPECT_EQ(OpenDatabaseDocument(DatabasePath("Index.qvd")), ResultOk);
  EXPECT_EQ(FileCount(), 1u);
}

TEST_F(DatabaseTest, DeletingAFileRemovesItsEmptiedFolders) {
  CreateDatabase();
  const ObjectId deep = WriteStarFile("Stars/North/0001.qvd", 1);
  WriteStarFile("Stars/South.qvd", 1);
  answers = {AnswerOk};
  ASSERT_EQ(DeleteDatabaseFile(DatabasePath("Stars/North/0001.qvd")), ResultOk);
  EXPECT_FALSE(fs::exists(DatabasePath("Stars/North")));
  EXPECT_TRUE(fs::exists(DatabasePath("Stars/South.qvd")));
  EXPECT_EQ(FileOfId(deep), nullptr);
  CloseDatabase();
  ASSERT_EQ(OpenDefaultDatabase(), ResultOk);
  EXPECT_EQ(FileCount(), 2u);

  EXPECT_EQ(DeleteDatabaseFile(DatabasePath("Index.qvd")), ResultFailed);
  EXPECT_EQ(shown.back().number, MessageCannotDelete);
  EXPECT_EQ(DeleteDatabaseFile(scratch / "elsewhere.qvd"), ResultFailed);
  EXPECT_EQ(shown.back().number, MessageNotInDatabase);
  answers = {AnswerCancel};
  EXPECT_EQ(DeleteDatabaseFile(DatabasePath("Stars/South.qvd")), ResultCancelled);
  EXPECT_TRUE(fs::exists(DatabasePath("Stars/South.qvd")));
}

TEST_F(DatabaseTest, EditsReplaceInPlaceAndReadOnlyFilesRefuse) {
  CreateDatabase();
  ObjectId file = 0;
  ASSERT_EQ(BeginObjectEdit(0, file), ResultOk);
  EXPECT_EQ(file, DefaultFile());
  EXPECT_EQ(FileOfId(file)->lockCount, 1);
  auto star = MakeStar("New Star", 0, 0, 100);
  const ObjectId id = CommitObjectEdit(file, 0, star);
  EndObjectEdit(file);
  ASSERT_EQ(id, file | 1);
  EXPECT_FALSE(FileOfId(file)->modified) << "an edit is written at once";

  ASSERT_EQ(BeginObjectEdit(id, file), ResultOk);
  auto edited = MakeStar("Renamed Star", 0, 0.5, 300);
  EXPECT_EQ(CommitObjectEdit(file, id, edited), id);
  EndObjectEdit(file);
  CloseDatabase();
  ASSERT_EQ(OpenDefaultDatabase(), ResultOk);
  ASSERT_NE(ObjectOfId(id), nullptr);
  EXPECT_EQ(DisplayName(*ObjectOfId(id)), "Renamed Star");
  EXPECT_EQ(FileOfId(file)->summary.starFaintest, 300);

  FileOfId(file)->readOnly = true;
  EXPECT_EQ(BeginObjectEdit(id, file), ResultFailed);
  EXPECT_EQ(shown.back().number, MessageReadOnly);
  answers = {AnswerOk};
  EXPECT_EQ(DeleteObject(id), ResultFailed);
  EXPECT_NE(ObjectOfId(id), nullptr);
  FileOfId(file)->readOnly = false;
  answers = {AnswerCancel};
  EXPECT_EQ(DeleteObject(id), ResultCancelled);
  answers = {AnswerOk};
  EXPECT_EQ(DeleteObject(id), ResultOk);
  EXPECT_EQ(ObjectOfId(id), nullptr);
  EXPECT_EQ(FileOfId(file)->count, 0u);
}

TEST(MemoryBudget, QuarterOfMemoryLessTheScreenWithAFloor) {
  EXPECT_EQ(MemoryBudget(int64_t{8} << 30, 1920, 1080, 32), (int64_t{2} << 30) - 1920 * 1080 * 4);
  EXPECT_EQ(MemoryBudget(16000000, 1024, 768, 8), 8192000);
  InitObjectStore();  // this machine: at least the floor, at most a quarter of its memory
  EXPECT_GE(Store().budget, 8192000);
  EXPECT_LE(Store().budget, std::max<int64_t>(PhysicalMemoryBytes() / 4, 8192000));
  Store().budget = 0;
}

}  // namespace
}  // namespace qv
