// platform/files.cpp - file tests, folders, buffered files over C streams, text lines, and the
// safe replacement of files (hidden temporary beside the file, fsync, rename).
#include "platform/files.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <new>
#include <thread>

#include "platform/result.h"

namespace qv {

struct PlatformFile {
  std::FILE* stream = nullptr;
  bool writing = false;
  std::string target;           // the file a replacement becomes on commit; empty for plain files
  std::string temporary;        // the replacement while it is written; removed unless committed
  std::vector<uint8_t> memory;  // the bytes under a memory file
  int output = -1;              // a pipe or device the commit copies the stream into
  long lineNumber = 0;          // the line the last ReadLine read from
  bool lineStart = true;        // the next ReadLine starts a new line
};

struct LockedFile {
  int fd = -1;
};

namespace {

constexpr int LockPollMs = 20;
constexpr int StaleSearchDepth = 8;  // database folders nest a few levels at most

bool StatPath(std::string_view path, struct stat& st) {
  return ::stat(DiskPath(path).c_str(), &st) == 0;
}

// A replacement is a hidden file beside the target, so the rename stays on one file system.
std::string TemporaryPathFor(const std::string& target, unsigned serial) {
  constexpr size_t TitleRoom = 200;  // keeps the name below the system's 255-byte limit
  std::string path = target;
  ReplaceFileName(path, "." + GetFileTitle(target).substr(0, TitleRoom) + "." +
                            std::to_string(getpid()) + "." + std::to_string(serial) + ".tmp");
  return path;
}

// ProcessOfTemporary: the process id in a name TemporaryPathFor made (".TITLE.PID.SERIAL.tmp");
// 0 when the name is not one of those.
pid_t ProcessOfTemporary(const std::string& name) {
  constexpr std::string_view Suffix = ".tmp";
  if (name.size() < 2 || name[0] != '.' || !name.ends_with(Suffix)) return 0;
  const std::string_view stem(name.data(), name.size() - Suffix.size());
  const size_t serialDot = stem.rfind('.');
  if (serialDot == std::string_view::npos || serialDot == 0) return 0;
  const size_t pidDot = stem.rfind('.', serialDot - 1);
  if (pidDot == std::string_view::npos || pidDot == 0) return 0;
  const std::string_view pid = stem.substr(pidDot + 1, serialDot - pidDot - 1);
  const std::string_view serial = stem.substr(serialDot + 1);
  const auto digits = [](std::string_view t) {
    return !t.empty() && t.size() < 10 &&
           std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; });
  };
  if (!digits(pid) || !digits(serial)) return 0;
  return static_cast<pid_t>(std::stol(std::string(pid)));
}

bool ProcessRunning(pid_t pid) { return ::kill(pid, 0) == 0 || errno != ESRCH; }

// OpenInPlace: a descriptor that writes into a pipe or character device where it is; -1 for
// anything else, and for a pipe that no program reads (opening it would wait for one forever).
int OpenInPlace(const std::string& target, const struct stat& st) {
  if (S_ISCHR(st.st_mode)) return ::open(target.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
  if (!S_ISFIFO(st.st_mode)) {
    errno = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    return -1;
  }
  const int fd = ::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd >= 0) fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
}

// OpenCopyOut: a file whose bytes the commit copies into output (which it then owns).
FileHandle OpenCopyOut(int output) {
  if (output < 0) return nullptr;
  std::FILE* stream = std::tmpfile();
  if (!stream) {
    ::close(output);
    return nullptr;
  }
  auto file = FileHandle(new PlatformFile{stream, true, {}, {}, {}});
  file->output = output;
  return file;
}

bool WriteAll(int fd, const char* bytes, size_t count) {
  while (count > 0) {
    const ssize_t n = ::write(fd, bytes, count);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes += n;
    count -= static_cast<size_t>(n);
  }
  return true;
}

int CommitCopy(PlatformFile& file) {
  bool ok = !std::ferror(file.stream) && std::fflush(file.stream) == 0 &&
            std::fseek(file.stream, 0, SEEK_SET) == 0;
  char buffer[65536];
  while (ok) {
    const size_t n = std::fread(buffer, 1, sizeof buffer, file.stream);
    if (n == 0) {
      ok = !std::ferror(file.stream);
      break;
    }
    ok = WriteAll(file.output, buffer, n);
  }
  ok = ::close(file.output) == 0 && ok;
  file.output = -1;
  ok = std::fclose(file.stream) == 0 && ok;
  file.stream = nullptr;
  return ok ? ResultOk : ResultWriteError;
}

// A link keeps pointing at the file it named: the target is what gets replaced.
std::string ResolveLinks(const std::string& path) {
  char* real = ::realpath(path.c_str(), nullptr);
  if (!real) return path;  // a new file
  std::string resolved(real);
  std::free(real);
  return resolved;
}

void KeepOwnerAndMode(int fd, const struct stat& old) {
  if (fchmod(fd, old.st_mode & 07777) != 0) return;  // the content matters more than the mode
  if (geteuid() == 0 && fchown(fd, old.st_uid, old.st_gid) != 0) return;
}

void SyncFolderOf(const std::string& path) {
  std::string folder = path;
  StripLastComponent(folder);
  if (folder == path) folder = ".";
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;  // the rename is done; only its durability across a power cut is at stake
  fsync(fd);
  ::close(fd);
}

int ClosePlain(PlatformFile& file) {
  const bool failed = file.writing && std::ferror(file.stream);
  const bool closed = std::fclose(file.stream) == 0;
  file.stream = nullptr;
  return !failed && closed ? ResultOk : ResultWriteError;
}

int CommitReplacement(PlatformFile& file) {
  bool ok =
      !std::ferror(file.stream) && std::fflush(file.stream) == 0 && fsync(fileno(file.stream)) == 0;
  ok = std::fclose(file.stream) == 0 && ok;
  file.stream = nullptr;
  if (!ok || std::rename(file.temporary.c_str(), file.target.c_str()) != 0) {
    return ResultWriteError;  // the closer removes the temporary; the old file is untouched
  }
  file.temporary.clear();
  SyncFolderOf(file.target);
  return ResultOk;
}

// Lines are read a byte at a time with getc_unlocked: the program runs on one thread, and the
// unlocked read is several times faster than getc.

// Consumes one line ending ("\r\n", "\n" or "\r") if one comes next; returns its length.
size_t ReadLineEnding(std::FILE* in, std::string* lineEnding) {
  const int c = getc_unlocked(in);
  if (c != '\r' && c != '\n') {
    if (c != EOF) std::ungetc(c, in);
    return 0;
  }
  std::string ending(1, static_cast<char>(c));
  if (c == '\r') {
    const int next = getc_unlocked(in);
    if (next == '\n') {
      ending.push_back('\n');
    } else if (next != EOF) {
      std::ungetc(next, in);
    }
  }
  if (lineEnding) *lineEnding = ending;
  return ending.size();
}

}  // namespace

void FileCloser::operator()(PlatformFile* file) const {
  if (file->stream) std::fclose(file->stream);
  if (file->output >= 0) ::close(file->output);
  if (!file->temporary.empty()) ::unlink(file->temporary.c_str());
  delete file;
}

void LockReleaser::operator()(LockedFile* lock) const {
  ::flock(lock->fd, LOCK_UN);
  ::close(lock->fd);
  delete lock;
}

bool FileExists(std::string_view path) {
  struct stat st;
  return StatPath(path, st) && !S_ISDIR(st.st_mode);
}

bool StampOfFile(std::string_view path, FileStamp& out) {
  struct stat st;
  if (!StatPath(path, st) || S_ISDIR(st.st_mode)) return false;
  out.size = static_cast<int64_t>(st.st_size);
  out.modifiedNs = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  out.inode = static_cast<uint64_t>(st.st_ino);
  return true;
}

bool DirectoryExists(std::string_view path) {
  struct stat st;
  return StatPath(path, st) && S_ISDIR(st.st_mode);
}

bool IsReadOnlyFile(std::string_view path) {
  struct stat st;
  if (!StatPath(path, st) || S_ISDIR(st.st_mode)) return false;
  const bool noWriteBits = (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
  return noWriteBits || ::access(DiskPath(path).c_str(), W_OK) != 0;
}

bool CreateFolder(std::string_view path) { return ::mkdir(DiskPath(path).c_str(), 0777) == 0; }

bool RemoveFolder(std::string_view path) { return ::rmdir(DiskPath(path).c_str()) == 0; }

bool DeleteFileAt(std::string_view path) {
  return FileExists(path) && ::unlink(DiskPath(path).c_str()) == 0;
}

FileHandle OpenFile(std::string_view path, std::string_view mode, std::string_view /*type*/,
                    std::string_view /*creator*/) {
  if (mode != "rb" && mode != "wb") return nullptr;
  const bool writing = mode == "wb";
  std::FILE* stream = std::fopen(DiskPath(path).c_str(), writing ? "wbe" : "rbe");
  if (!stream) return nullptr;
  struct stat st;
  if (fstat(fileno(stream), &st) != 0 || S_ISDIR(st.st_mode)) {  // Linux opens folders for reading
    std::fclose(stream);
    return nullptr;
  }
  return FileHandle(new PlatformFile{stream, writing, {}, {}, {}});
}

FileHandle OpenMemoryFile(std::span<const uint8_t> bytes) {
  auto file = FileHandle(new PlatformFile{nullptr, false, {}, {}, {bytes.begin(), bytes.end()}});
  // fmemopen wants at least one byte; an empty file reads like /dev/null.
  file->stream = file->memory.empty() ? std::fopen("/dev/null", "rbe")
                                      : fmemopen(file->memory.data(), file->memory.size(), "rb");
  if (!file->stream) return nullptr;
  return file;
}

int CloseFile(FileHandle file) {
  if (!file) return ResultFailed;
  if (file->output >= 0) return CommitCopy(*file);
  return file->target.empty() ? ClosePlain(*file) : CommitReplacement(*file);
}

int64_t ReadBytes(PlatformFile& file, std::span<uint8_t> bytes) {
  if (bytes.empty()) return 0;
  const size_t n = std::fread(bytes.data(), 1, bytes.size(), file.stream);
  if (n < bytes.size() && std::ferror(file.stream)) return ResultReadError;
  return static_cast<int64_t>(n);
}

bool WriteBytes(PlatformFile& file, std::span<const uint8_t> bytes) {
  return bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file.stream) == bytes.size();
}

bool WriteBytes(PlatformFile& file, std::string_view text) {
  return WriteBytes(file, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

bool SeekFile(PlatformFile& file, int64_t offset, SeekOrigin origin) {
  return fseeko(file.stream, static_cast<off_t>(offset), origin) == 0;
}

int64_t TellFile(PlatformFile& file) { return ftello(file.stream); }

int64_t FileLength(PlatformFile& file) {
  const int64_t position = TellFile(file);
  if (position < 0 || !SeekFile(file, 0, SeekFromEnd)) return -1;
  const int64_t length = TellFile(file);
  return SeekFile(file, position) ? length : -1;
}

bool FileFailed(PlatformFile& file) { return std::ferror(file.stream) != 0; }

std::FILE* FileStream(PlatformFile& file) { return file.stream; }

int ReadWholeFile(std::string_view path, std::vector<uint8_t>& bytes) {
  bytes.clear();
  FileHandle file = OpenFile(path, "rb");
  if (!file) return ResultOpenError;
  const int64_t length = FileLength(*file);
  if (length < 0) return ResultReadError;
  try {
    bytes.resize(static_cast<size_t>(length));
  } catch (const std::bad_alloc&) {
    return ResultNoMemory;
  }
  if (ReadBytes(*file, bytes) != length) {
    bytes.clear();
    return ResultReadError;
  }
  return ResultOk;
}

size_t ReadLine(PlatformFile& file, std::string& text, size_t size, std::string* lineEnding) {
  text.clear();
  if (lineEnding) lineEnding->clear();
  const size_t room = std::max<size_t>(size, 2) - 1;
  while (text.size() < room) {
    const int c = getc_unlocked(file.stream);
    if (c == EOF) break;
    if (c == '\r' || c == '\n') {
      std::ungetc(c, file.stream);
      break;
    }
    text.push_back(static_cast<char>(c));
  }
  const size_t ending = ReadLineEnding(file.stream, lineEnding);
  if (text.empty() && ending == 0) return 0;
  if (file.lineStart) ++file.lineNumber;
  file.lineStart = ending > 0;
  return text.size() + ending;
}

long LineNumber(const PlatformFile& file) { return file.lineNumber; }

size_t WriteLine(PlatformFile& file, std::string_view text, size_t maxLength,
                 const char* lineEnding) {
  const size_t length = std::min({text.size(), text.find('\0'), maxLength});
  const std::string_view ending = lineEnding ? lineEnding : "\r\n";
  size_t written = 0;
  if (length > 0) written += std::fwrite(text.data(), 1, length, file.stream);
  if (!ending.empty()) written += std::fwrite(ending.data(), 1, ending.size(), file.stream);
  return written;
}

FileHandle OpenFileForReplace(std::string_view path, std::string_view /*type*/,
                              std::string_view /*creator*/) {
  if (path == "-") return OpenCopyOut(::fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 0));
  const std::string target = ResolveLinks(DiskPath(path));
  struct stat old;
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (exists && !S_ISREG(old.st_mode)) return OpenCopyOut(OpenInPlace(target, old));
  if (exists && IsReadOnlyFile(target)) return nullptr;
  static unsigned serial = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {  // a name left by a crashed run is skipped
    const std::string temporary = TemporaryPathFor(target, serial++);
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno == EEXIST) continue;
    if (fd < 0) return nullptr;
    if (exists) KeepOwnerAndMode(fd, old);
    std::FILE* stream = fdopen(fd, "wb");
    if (!stream) {
      ::close(fd);
      ::unlink(temporary.c_str());
      return nullptr;
    }
    return FileHandle(new PlatformFile{stream, true, target, temporary, {}});
  }
  return nullptr;
}

int CommitReplacedFile(FileHandle file) { return CloseFile(std::move(file)); }

void AbandonReplacedFile(FileHandle file) { file.reset(); }

int ReplaceFileContents(std::string_view path, std::span<const uint8_t> bytes) {
  FileHandle file = OpenFileForReplace(path);
  if (!file) return ResultOpenError;
  if (!WriteBytes(*file, bytes)) return ResultWriteError;  // the closer removes the temporary
  return CommitReplacedFile(std::move(file));
}

std::string ReplaceFailureReason(std::string_view path) {
  const int error = errno;
  if (path == "-") return "standard output is closed";
  const std::string target = ResolveLinks(DiskPath(path));
  struct stat st;
  if (::stat(target.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) return "it is a folder";
    if (S_ISFIFO(st.st_mode)) return "it is a pipe that no program reads";
    if (S_ISBLK(st.st_mode) || S_ISSOCK(st.st_mode)) return "it is a disk device or a socket";
    if (S_ISREG(st.st_mode) && IsReadOnlyFile(target)) return "it is read-only";
  }
  std::string folder = target;
  StripLastComponent(folder);
  if (folder == target) folder = ".";
  if (!DirectoryExists(folder)) return "its folder does not exist";
  if (::access(folder.c_str(), W_OK) != 0) return "its folder may not be written";
  return std::strerror(error);
}

int RemoveStaleReplacements(std::string_view folder) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::recursive_directory_iterator it(DiskPath(folder),
                                      fs::directory_options::skip_permission_denied, ec);
  int removed = 0;
  for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
    if (it.depth() >= StaleSearchDepth) it.disable_recursion_pending();
    const pid_t pid = ProcessOfTemporary(it->path().filename().string());
    std::error_code ignored;
    if (pid <= 0 || pid == getpid() || ProcessRunning(pid) || !it->is_regular_file(ignored))
      continue;
    if (fs::remove(it->path(), ignored)) ++removed;
  }
  return removed;
}

int LockFileAt(std::string_view path, int waitMs, FileLock& lock) {
  const std::string disk = DiskPath(path);
  int fd = ::open(disk.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) fd = ::open(disk.c_str(), O_RDONLY | O_CLOEXEC);  // another user's lock file
  if (fd < 0) return ResultOpenError;
  for (int waited = 0;; waited += LockPollMs) {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      lock.reset(new LockedFile{fd});
      return ResultOk;
    }
    if (errno != EWOULDBLOCK && errno != EINTR) break;
    if (waited >= waitMs) {
      ::close(fd);
      return ResultFailed;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(LockPollMs));
  }
  ::close(fd);
  return ResultOpenError;
}

}  // namespace qv
