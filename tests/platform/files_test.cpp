// Files: path strings with both separators, file tests and folders, byte streams, the three line
// endings with small buffers, and safe replacement under failure.
#include "platform/files.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/result.h"
#include "tests/support/scratch_folder.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

TEST(Paths, EditComponentsWithEitherSeparator) {
  struct Case {
    std::string path, name, replaced, appended, stripped;
  };
  const Case cases[] = {
      {"/opt/qv/quorvane", "Quorvane.ini", "/opt/qv/Quorvane.ini", "/opt/qv/quorvane/Quorvane.ini",
       "/opt/qv"},
      {"Database\\Index.qvd", "Stars.qvd", "Database\\Stars.qvd", "Database\\Index.qvd/Stars.qvd",
       "Database"},
      {"/opt/qv/", "Database", "/opt/qv/Database", "/opt/qv/Database", "/opt/qv"},
      {"Database\\", "Custom.qvd", "Database\\Custom.qvd", "Database\\Custom.qvd", "Database"},
      {"/Database", "x", "/x", "/Database/x", "/"},
      {"quorvane", "Quorvane.ini", "Quorvane.ini", "quorvane/Quorvane.ini", "quorvane"},
      {"", "Index.qvd", "Index.qvd", "Index.qvd", ""},
      {"M31: Andromeda.txt", "b", "b", "M31: Andromeda.txt/b", "M31: Andromeda.txt"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    std::string p = c.path;
    ReplaceFileName(p, c.name);
    EXPECT_EQ(p, c.replaced);
    p = c.path;
    AppendPathComponent(p, c.name);
    EXPECT_EQ(p, c.appended);
    p = c.path;
    StripLastComponent(p);
    EXPECT_EQ(p, c.stripped);
  }
}

TEST(Paths, TitlesExtensionsAndComparison) {
  struct Case {
    std::string path, title, extension;
  };
  const Case cases[] = {
      {"/home/a/Settings/Dark.qvs", "Dark.qvs", ".qvs"},
      {"D:\\DATABASE\\INDEX.QVD", "INDEX.QVD", ".QVD"},
      {"/home/a/archive.tar.gz", "archive.tar.gz", ".gz"},
      {"/home/a.b/README", "README", "README"},  // no dot in the title: the title whole
      {"Demo Settings Files/", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(GetFileTitle(c.path), c.title);
    EXPECT_EQ(GetFileExtension(c.path), c.extension);
  }
  EXPECT_EQ(DiskPath("Database\\Deep Sky\\NGC.qvd"), "Database/Deep Sky/NGC.qvd");
  EXPECT_TRUE(SamePath("Database\\INDEX.QVD", "database/Index.qvd"));
  EXPECT_FALSE(SamePath("Database/Index.qvd", "Database/Index.qvd2"));
  EXPECT_FALSE(SamePath("Database/Index.qvd", "Databases/Index.qvd"));
  EXPECT_FALSE(SamePath("\xc3\x89t\xc3\xa9.qvs", "\xc3\xa9t\xc3\xa9.qvs"));  // only ASCII folds
}

TEST(Paths, ProgramPathIsTheRunningTestProgramUnlessOverridden) {
  const std::string program = GetProgramPath();
  EXPECT_EQ(GetFileTitle(program), "tests_platform");
  EXPECT_TRUE(FileExists(program));
  EXPECT_EQ(PathBesideProgram("Quorvane.ini"),
            (fs::path(program).parent_path() / "Quorvane.ini").string());
  SetProgramPath("/srv/sky/quorvane");
  EXPECT_EQ(PathBesideProgram("Database"), "/srv/sky/Database");
  SetProgramPath("");
  EXPECT_EQ(GetProgramPath(), program);
}

TEST(FileTests, FilesFoldersAndReadOnly) {
  ScratchFolder dir;
  const std::string file = dir / "Custom.qvd", folder = dir / "Database";
  WriteTextFile(file, "x");
  EXPECT_TRUE(FileExists(file));
  EXPECT_FALSE(DirectoryExists(file));
  EXPECT_FALSE(FileExists(dir.path()));
  EXPECT_TRUE(DirectoryExists(dir.path()));
  EXPECT_FALSE(FileExists(dir / "missing"));

  EXPECT_TRUE(CreateFolder(folder));
  EXPECT_FALSE(CreateFolder(folder));  // already there
  EXPECT_FALSE(CreateFolder(dir / "no/such/parent"));
  WriteTextFile(folder + "/Index.qvd", "i");
  EXPECT_TRUE(FileExists(dir.path() + "\\Database\\Index.qvd"));  // stored names with "\"
  EXPECT_FALSE(RemoveFolder(folder));                             // not empty
  EXPECT_FALSE(DeleteFileAt(folder));                             // never a folder
  EXPECT_TRUE(DeleteFileAt(folder + "/Index.qvd"));
  EXPECT_FALSE(DeleteFileAt(folder + "/Index.qvd"));
  EXPECT_TRUE(RemoveFolder(folder));
  EXPECT_FALSE(DirectoryExists(folder));

  EXPECT_FALSE(IsReadOnlyFile(file));
  ASSERT_EQ(chmod(file.c_str(), 0444), 0);
  EXPECT_TRUE(IsReadOnlyFile(file));  // also for root, who could still write it
  EXPECT_FALSE(IsReadOnlyFile(dir / "missing"));
}

TEST(ByteFiles, WriteSeekReadBack) {
  ScratchFolder dir;
  const std::string path = dir / "bytes.bin";
  EXPECT_EQ(OpenFile(path, "rb"), nullptr);        // missing
  EXPECT_EQ(OpenFile(path, "r+b"), nullptr);       // only "rb" and "wb"
  EXPECT_EQ(OpenFile(dir.path(), "rb"), nullptr);  // a folder is no file

  std::vector<uint8_t> bytes(5000);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 7 + 3);
  FileHandle out = OpenFile(path, "wb", "DATA", "Qrvn");
  ASSERT_NE(out, nullptr);
  EXPECT_TRUE(WriteBytes(*out, bytes));
  EXPECT_EQ(TellFile(*out), 5000);
  EXPECT_EQ(CloseFile(std::move(out)), ResultOk);

  FileHandle in = OpenFile(dir.path() + "\\bytes.bin", "rb");
  ASSERT_NE(in, nullptr);
  EXPECT_EQ(FileLength(*in), 5000);
  ASSERT_TRUE(SeekFile(*in, 4990));
  EXPECT_EQ(FileLength(*in), 5000);
  EXPECT_EQ(TellFile(*in), 4990);  // the length does not move the position
  std::vector<uint8_t> tail(64);
  EXPECT_EQ(ReadBytes(*in, tail), 10);  // short only at the end
  EXPECT_EQ(tail[0], bytes[4990]);
  EXPECT_EQ(tail[9], bytes[4999]);
  ASSERT_TRUE(SeekFile(*in, -2, SeekFromEnd));
  EXPECT_EQ(ReadBytes(*in, std::span(tail).first(2)), 2);
  EXPECT_EQ(tail[1], bytes[4999]);
  EXPECT_FALSE(FileFailed(*in));
  EXPECT_EQ(CloseFile(std::move(in)), ResultOk);

  std::vector<uint8_t> whole;
  EXPECT_EQ(ReadWholeFile(path, whole), ResultOk);
  EXPECT_EQ(whole, bytes);
  EXPECT_EQ(ReadWholeFile(dir / "missing", whole), ResultOpenError);
  EXPECT_TRUE(whole.empty());
}

TEST(ByteFiles, FullDiskShowsAtClose) {
  FileHandle out = OpenFile("/dev/full", "wb");
  ASSERT_NE(out, nullptr);
  EXPECT_TRUE(WriteBytes(*out, "buffered, not yet written"));
  EXPECT_EQ(CloseFile(std::move(out)), ResultWriteError);
}

// ReadLine's contract, checked against a plain splitter: pieces of a line come without an ending
// and join up to the line; every ending ends exactly one line; nothing is lost or invented.
struct Line {
  std::string text, ending;
  bool operator==(const Line&) const = default;
};

std::vector<Line> SplitLines(const std::string& bytes) {
  std::vector<Line> lines;
  Line line;
  for (size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c != '\r' && c != '\n') {
      line.text.push_back(c);
      continue;
    }
    line.ending =
        (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ? "\r\n" : std::string(1, c);
    i += line.ending.size() - 1;
    lines.push_back(line);
    line = {};
  }
  if (!line.text.empty()) lines.push_back(line);
  return lines;
}

std::vector<Line> ReadAllLines(const std::string& path, size_t size, size_t& consumed) {
  std::vector<Line> lines;
  FileHandle file = OpenFile(path, "rb");
  std::string text, ending;
  Line line;
  consumed = 0;
  while (size_t n = ReadLine(*file, text, size, &ending)) {
    consumed += n;
    EXPECT_LE(text.size(), std::max<size_t>(size, 2) - 1);
    EXPECT_EQ(n, text.size() + ending.size());
    line.text += text;
    if (ending.empty()) continue;  // a piece: the line goes on
    line.ending = ending;
    lines.push_back(line);
    line = {};
  }
  if (!line.text.empty()) lines.push_back(line);
  return lines;
}

TEST(ReadLine, ReturnsTextConsumedBytesAndEnding) {
  ScratchFolder dir;
  const std::string path = dir / "lines.txt";
  WriteTextFile(path, "abc\r\ndef");
  FileHandle file = OpenFile(path, "rb");
  std::string text, ending;
  EXPECT_EQ(ReadLine(*file, text, 256, &ending), 5u);
  EXPECT_EQ(text, "abc");
  EXPECT_EQ(ending, "\r\n");
  EXPECT_EQ(TellFile(*file), 5);
  EXPECT_EQ(ReadLine(*file, text, 256, &ending), 3u);
  EXPECT_EQ(text, "def");
  EXPECT_EQ(ending, "");
  EXPECT_EQ(ReadLine(*file, text, 256, &ending), 0u);

  WriteTextFile(path, "abc\rdef");
  file = OpenFile(path, "rb");
  EXPECT_EQ(ReadLine(*file, text, 256, &ending), 4u);
  EXPECT_EQ(text, "abc");
  EXPECT_EQ(ending, "\r");
  EXPECT_EQ(ReadLine(*file, text), 3u);
  EXPECT_EQ(text, "def");
}

TEST(ReadLine, AnyBufferSizeKeepsEveryByteAndEveryLine) {
  ScratchFolder dir;
  const std::string path = dir / "lines.txt";
  const std::string inputs[] = {
      "abc\r\ndef",
      "abc\rdef\n",
      "\r\n\r\n\n\r\r\n",
      "ab\r\ncd\r\nef\r\n",  // "\r\n" falls across the buffer's end at small sizes
      "abcd\n\rxyz\r",       // "\n\r" is two endings
      std::string(300, 'x') + "\r\n" + std::string(254, 'y') + "\r\n" + std::string(255, 'z') +
          "\n",
      std::string("nul\0inside\r\n", 12),
  };
  for (const std::string& input : inputs) {
    WriteTextFile(path, input);
    const std::vector<Line> want = SplitLines(input);
    for (size_t size : {0, 1, 2, 3, 4, 5, 7, 256}) {
      SCOPED_TRACE("size " + std::to_string(size) + " input " + input.substr(0, 20));
      size_t consumed = 0;
      EXPECT_EQ(ReadAllLines(path, size, consumed), want);
      EXPECT_EQ(consumed, input.size());
    }
  }
}

TEST(ReadLine, MemoryFilesReadLikeDiskFiles) {
  const std::string input = "S\tSirius\r\nP\tMars\rC1";
  FileHandle file =
      OpenMemoryFile(std::span(reinterpret_cast<const uint8_t*>(input.data()), input.size()));
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(FileLength(*file), static_cast<int64_t>(input.size()));
  std::string text, ending;
  std::vector<Line> lines;
  while (ReadLine(*file, text, 4, &ending)) lines.push_back({text, ending});
  const std::vector<Line> want = {{"S\tS", ""}, {"iri", ""},   {"us", "\r\n"},
                                  {"P\tM", ""}, {"ars", "\r"}, {"C1", ""}};
  EXPECT_EQ(lines, want);
  FileHandle empty = OpenMemoryFile({});
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(ReadLine(*empty, text), 0u);
  EXPECT_FALSE(FileFailed(*empty));
}

TEST(ReadLine, NumbersLinesAndEveryPieceOfALongOne) {
  ScratchFolder dir;
  WriteTextFile(dir / "lines.txt", "a\r\n" + std::string(10, 'x') + "\n\nlast");
  FileHandle file = OpenFile(dir / "lines.txt", "rb");
  EXPECT_EQ(LineNumber(*file), 0);
  std::string text;
  std::vector<long> numbers;
  while (ReadLine(*file, text, 4) > 0) numbers.push_back(LineNumber(*file));
  EXPECT_EQ(numbers, (std::vector<long>{1, 2, 2, 2, 2, 3, 4, 4}));
}

TEST(WriteLine, CutsTextAndAddsTheEnding) {
  ScratchFolder dir;
  const std::string path = dir / "out.txt";
  FileHandle file = OpenFile(path, "wb");
  EXPECT_EQ(WriteLine(*file, "abc", 2), 4u);
  EXPECT_EQ(WriteLine(*file, "abc", 0), 2u);
  EXPECT_EQ(WriteLine(*file, "Trail", 255, "\n"), 6u);
  EXPECT_EQ(WriteLine(*file, std::string_view("ab\0cd", 5), 255, ""), 2u);  // stops at the zero
  EXPECT_EQ(CloseFile(std::move(file)), ResultOk);
  EXPECT_EQ(ReadTextFile(path), "ab\r\n\r\nTrail\nab");
}

size_t FilesIn(const std::string& folder) {
  return static_cast<size_t>(
      std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(SafeReplace, CommitReplacesWholeAndLeavesNoTemporary) {
  ScratchFolder dir;
  const std::string path = dir / "Index.qvd";
  WriteTextFile(path, "old contents");
  ASSERT_EQ(chmod(path.c_str(), 0640), 0);

  FileHandle file = OpenFileForReplace(path, "DATA", "Qrvn");
  ASSERT_NE(file, nullptr);
  EXPECT_TRUE(WriteBytes(*file, "new"));
  EXPECT_EQ(ReadTextFile(path), "old contents");  // untouched until the commit
  EXPECT_EQ(FilesIn(dir.path()), 2u);
  EXPECT_EQ(CommitReplacedFile(std::move(file)), ResultOk);
  EXPECT_EQ(ReadTextFile(path), "new");
  EXPECT_EQ(FilesIn(dir.path()), 1u);
  struct stat st;
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);

  const std::vector<uint8_t> bytes = {1, 0, 0, 0, 2};
  EXPECT_EQ(ReplaceFileContents(dir.path() + "\\Fresh.qvd", bytes), ResultOk);
  std::vector<uint8_t> back;
  EXPECT_EQ(ReadWholeFile(dir / "Fresh.qvd", back), ResultOk);
  EXPECT_EQ(back, bytes);
}

TEST(SafeReplace, AbandonedOrDroppedReplacementKeepsTheOldFile) {
  ScratchFolder dir;
  const std::string path = dir / "Custom.qvd";
  WriteTextFile(path, "keep me");
  FileHandle file = OpenFileForReplace(path);
  ASSERT_NE(file, nullptr);
  WriteLine(*file, "half a file", 255);
  AbandonReplacedFile(std::move(file));
  {
    FileHandle dropped = OpenFileForReplace(path);  // an early return without a commit
    WriteLine(*dropped, "half a file", 255);
  }
  EXPECT_EQ(ReadTextFile(path), "keep me");
  EXPECT_EQ(FilesIn(dir.path()), 1u);
}

TEST(SafeReplace, WriteFailureKeepsTheOldFile) {
  ScratchFolder dir;
  const std::string path = dir / "Quorvane.ini";
  WriteTextFile(path, "old settings");
  // A file-size limit fails writes the way a full disk does.
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit oldLimit;
  getrlimit(RLIMIT_FSIZE, &oldLimit);
  rlimit limit = oldLimit;
  limit.rlim_cur = 1000;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
  const std::vector<uint8_t> big(100000, 'x');
  const int result = ReplaceFileContents(path, big);
  setrlimit(RLIMIT_FSIZE, &oldLimit);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(result, ResultWriteError);
  EXPECT_EQ(ReadTextFile(path), "old settings");
  EXPECT_EQ(FilesIn(dir.path()), 1u);
}

TEST(SafeReplace, RefusesWhatItMustNotReplace) {
  ScratchFolder dir;
  const std::string readOnly = dir / "Stars.qvd";
  WriteTextFile(readOnly, "catalog");
  ASSERT_EQ(chmod(readOnly.c_str(), 0444), 0);
  EXPECT_EQ(OpenFileForReplace(readOnly), nullptr);
  EXPECT_EQ(OpenFileForReplace(dir.path()), nullptr);
  EXPECT_EQ(OpenFileForReplace(dir / "no/such/folder/x.qvd"), nullptr);
  EXPECT_EQ(ReadTextFile(readOnly), "catalog");
  EXPECT_EQ(FilesIn(dir.path()), 1u);
}

// Pipes and devices are written where they are; nothing but a regular file is ever replaced.
TEST(SafeReplace, PipesAndDevicesAreWrittenInPlace) {
  ScratchFolder dir;
  const std::string fifo = dir / "chart.fifo";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(OpenFileForReplace(fifo), nullptr) << "no reader: refused, never waited for";
  EXPECT_EQ(ReplaceFailureReason(fifo), "it is a pipe that no program reads");
  const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  FileHandle out = OpenFileForReplace(fifo);
  ASSERT_NE(out, nullptr);
  EXPECT_TRUE(WriteBytes(*out, "chart"));
  char got[16] = {};
  EXPECT_EQ(::read(reader, got, sizeof got), -1) << "nothing goes out before the commit";
  EXPECT_EQ(CommitReplacedFile(std::move(out)), ResultOk);
  EXPECT_EQ(::read(reader, got, sizeof got), 5);
  EXPECT_STREQ(got, "chart");
  ::close(reader);
  EXPECT_TRUE(fs::is_fifo(fifo));

  EXPECT_EQ(ReplaceFailureReason(dir.path()), "it is a folder");
  EXPECT_EQ(ReplaceFailureReason(dir / "none/x.png"), "its folder does not exist");
  EXPECT_EQ(FilesIn(dir.path()), 1u);

  // Devices of the test's own, never the system's: a fault would replace them. Only a process
  // that may make devices can run this part.
  const std::string null = dir / "null", full = dir / "full";
  if (mknod(null.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0 ||
      mknod(full.c_str(), S_IFCHR | 0666, makedev(1, 7)) != 0) {
    GTEST_SKIP() << "no permission to make devices";
  }
  EXPECT_EQ(ReplaceFileContents(null, std::vector<uint8_t>(70000, 'x')), ResultOk);
  EXPECT_TRUE(fs::is_character_file(null));
  EXPECT_EQ(ReplaceFileContents(full, std::vector<uint8_t>{1}), ResultWriteError);
  EXPECT_TRUE(fs::is_character_file(full));
}

// A process that no longer runs: a child that has been waited for.
pid_t EndedProcess() {
  const pid_t child = fork();
  if (child == 0) _exit(0);
  waitpid(child, nullptr, 0);
  return child;
}

TEST(SafeReplace, StaleTemporariesOfEndedProcessesAreRemoved) {
  ScratchFolder dir;
  CreateFolder(dir / "Stars");
  const std::string ended = std::to_string(EndedProcess());
  const std::string stale = dir / ("Stars/.North.qvd." + ended + ".0.tmp");
  const std::string live = dir / (".Index.qvd." + std::to_string(getppid()) + ".3.tmp");
  const std::string other = dir / (".notes." + ended + ".tmp");  // not a name of ours
  for (const std::string& path : {stale, live, other}) WriteTextFile(path, "half");
  EXPECT_EQ(RemoveStaleReplacements(dir.path()), 1);
  EXPECT_FALSE(fs::exists(stale));
  EXPECT_TRUE(fs::exists(live)) << "a running process may still commit it";
  EXPECT_TRUE(fs::exists(other));
}

TEST(Locks, OneHolderAtATimeAndABoundedWait) {
  ScratchFolder dir;
  const std::string path = dir / ".lock";
  FileLock first, second;
  ASSERT_EQ(LockFileAt(path, 0, first), ResultOk);
  EXPECT_EQ(LockFileAt(path, 60, second), ResultFailed);
  EXPECT_EQ(second, nullptr);
  first.reset();
  EXPECT_EQ(LockFileAt(path, 0, second), ResultOk);
  EXPECT_TRUE(fs::exists(path)) << "the lock file stays between uses";
  EXPECT_EQ(LockFileAt(dir / "no/such/.lock", 0, first), ResultOpenError);
}

TEST(SafeReplace, LinkKeepsPointingAtTheReplacedFile) {
  ScratchFolder dir;
  CreateFolder(dir / "real");
  WriteTextFile(dir / "real/Quorvane.ini", "old");
  fs::create_symlink(dir / "real/Quorvane.ini", dir / "Quorvane.ini");
  EXPECT_EQ(ReplaceFileContents(dir / "Quorvane.ini", std::vector<uint8_t>{'n', 'e', 'w'}),
            ResultOk);
  EXPECT_TRUE(fs::is_symlink(dir / "Quorvane.ini"));
  EXPECT_EQ(ReadTextFile(dir / "real/Quorvane.ini"), "new");
  EXPECT_EQ(FilesIn(dir / "real"), 1u);
}

}  // namespace
}  // namespace qv
