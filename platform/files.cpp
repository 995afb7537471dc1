// platform/files.cpp - file tests, folders, buffered files over C streams, text lines, and the
// safe replacement of files (hidden temporary beside the file, fsync, rename).
#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <new>

#include "platform/result.h"

namespace qv {

struct PlatformFile {
  std::FILE* stream = nullptr;
  bool writing = false;
  std::string target;           // the file a replacement becomes on commit; empty for plain files
  std::string temporary;        // the replacement while it is written; removed unless committed
  std::vector<uint8_t> memory;  // the bytes under a memory file
};

namespace {

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
  if (!file->temporary.empty()) ::unlink(file->temporary.c_str());
  delete file;
}

bool FileExists(std::string_view path) {
  struct stat st;
  return StatPath(path, st) && !S_ISDIR(st.st_mode);
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
    if (c == EOF) return text.size();
    if (c == '\r' || c == '\n') {
      std::ungetc(c, file.stream);
      break;
    }
    text.push_back(static_cast<char>(c));
  }
  return text.size() + ReadLineEnding(file.stream, lineEnding);
}

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
  const std::string target = ResolveLinks(DiskPath(path));
  struct stat old;
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (exists && (S_ISDIR(old.st_mode) || IsReadOnlyFile(target))) return nullptr;
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

}  // namespace qv
