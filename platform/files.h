// platform/files.h - paths, file tests, buffered byte-stream files, text lines, and safe
// replacement of the program's own files.
//
// Paths are UTF-8 byte strings with "/" between components. Names stored by other systems with
// "\" (databases written elsewhere) are accepted everywhere: the path functions take "\" as a
// separator too, and every call that touches the disk turns "\" into "/". Paths are never cut to
// a fixed length (a cut path names another file). A ":" is an ordinary character here, not the
// end of a drive prefix.
//
// Failures are reported by results only (nullptr, false, 0 or a negative Result code); the caller
// that owns the user's request shows the message (257, 258, 259, 530 ...).
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// ---- Paths ----------------------------------------------------------------------------------

// GetProgramPath: the full path of the running program file (read from /proc/self/exe), so that
// ReplaceFileName(path, "Quorvane.ini") names the file beside the program.
std::string GetProgramPath();
// SetProgramPath: makes GetProgramPath answer path instead (tests point "beside the program" at a
// scratch folder); an empty path restores the real one.
void SetProgramPath(std::string path);
// PathBesideProgram: the path of name in the program's directory ("Quorvane.ini", "Database").
std::string PathBesideProgram(std::string_view name);

// ReplaceFileName: replaces everything after the last separator of path with name (all of path
// when it has no separator).
void ReplaceFileName(std::string& path, std::string_view name);
// AppendPathComponent: appends "/" unless path is empty or already ends with a separator, then
// name.
void AppendPathComponent(std::string& path, std::string_view name);
// StripLastComponent: removes the last separator and everything after it; the root "/" stays,
// and a path without separator is left alone.
void StripLastComponent(std::string& path);
// GetFileTitle: the last component ("Index.qvd" of "Database\Index.qvd").
std::string GetFileTitle(std::string_view path);
// GetFileExtension: from the file title, the part from its last "." on (".qvs"); a title
// without "." is returned whole.
std::string GetFileExtension(std::string_view path);
// DiskPath: path with every "\" turned into "/", as the calls below hand it to the system.
std::string DiskPath(std::string_view path);
// SamePath: equal when compared without regard to ASCII case, "\" and "/" counting as equal.
bool SamePath(std::string_view a, std::string_view b);

// ---- File tests and folders -------------------------------------------------------------------

bool FileExists(std::string_view path);  // exists and is not a directory (links followed)
bool DirectoryExists(std::string_view path);
// IsReadOnlyFile: an existing file that may not be written, either because the system refuses
// or because no write permission bit is set (so "chmod a-w" marks a file read-only even for root).
bool IsReadOnlyFile(std::string_view path);
bool CreateFolder(
    std::string_view path);  // true when the folder was created (false if anything is there)
bool RemoveFolder(std::string_view path);  // true when the empty folder was removed
bool DeleteFileAt(std::string_view path);  // true when the file was removed; never a directory
// FileStamp: what tells one version of a file from another without reading it; a file written
// anew (even to the same size, in the same second) or replaced by a rename has another stamp.
struct FileStamp {
  int64_t size = -1;
  int64_t modifiedNs = 0;  // last change of the contents, nanoseconds since 1970
  uint64_t inode = 0;
  bool operator==(const FileStamp&) const = default;
};
// StampOfFile: the stamp of an existing file (not a directory); false when there is none.
bool StampOfFile(std::string_view path, FileStamp& out);

// ---- Byte-stream files --------------------------------------------------------------------------

struct PlatformFile;  // an open buffered file; reached only through the calls below
struct FileCloser {
  void operator()(PlatformFile* file) const;  // closes; an unfinished replacement is abandoned
};
using FileHandle = std::unique_ptr<PlatformFile, FileCloser>;

// OpenFile: mode "rb" reads an existing file, "wb" creates or truncates one in place. Any other
// mode, a directory, or a file the system will not open gives nullptr. The four-character type
// and creator codes ("TEXT", "Qrvn") are accepted and not stored.
FileHandle OpenFile(std::string_view path, std::string_view mode, std::string_view type = {},
                    std::string_view creator = {});
// CloseFile: ResultOk, or ResultWriteError when buffered bytes could not be written (a full
// disk shows here). For a file from OpenFileForReplace it is CommitReplacedFile.
int CloseFile(FileHandle file);

// ReadBytes: reads up to bytes.size() bytes; the count read (short only at the end of the file)
// or ResultReadError.
int64_t ReadBytes(PlatformFile& file, std::span<uint8_t> bytes);
// WriteBytes: true when every byte was accepted (errors may still show at CloseFile).
bool WriteBytes(PlatformFile& file, std::span<const uint8_t> bytes);
bool WriteBytes(PlatformFile& file, std::string_view text);
enum SeekOrigin { SeekFromStart = SEEK_SET, SeekFromCurrent = SEEK_CUR, SeekFromEnd = SEEK_END };
bool SeekFile(PlatformFile& file, int64_t offset, SeekOrigin origin = SeekFromStart);
int64_t TellFile(PlatformFile& file);    // the position, or -1
int64_t FileLength(PlatformFile& file);  // the size in bytes (position kept), or -1
bool FileFailed(PlatformFile& file);     // a read or write on it has failed
// FileStream: the C stream under the file, for libraries that write through stdio (libjpeg).
// A library that closes what it is given (giflib, libtiff by descriptor) takes a dup() of
// fileno(FileStream(file)); the file itself is still closed or committed here.
std::FILE* FileStream(PlatformFile& file);

// OpenMemoryFile: a read-only file over a copy of bytes, so that tests and fuzz targets can feed
// readers that take a PlatformFile without touching the disk.
FileHandle OpenMemoryFile(std::span<const uint8_t> bytes);

// ReadWholeFile: the file's bytes. ResultOk, ResultOpenError, ResultReadError or ResultNoMemory.
int ReadWholeFile(std::string_view path, std::vector<uint8_t>& bytes);

// ---- Text lines ---------------------------------------------------------------------------------

constexpr size_t LineBufferSize = 256;  // the program's line buffers: 255 bytes of text

// ReadLine: reads one line of at most size - 1 bytes into text, without its ending, and returns
// the bytes consumed (text and ending); 0 only at the end of the file (or on a read error,
// which FileFailed tells apart). LineNumber then tells which line of the file it came from.
//   - "\r\n", a lone "\n" and a lone "\r" each end a line; lineEnding (when given) receives the
//     ending found, empty when the line had none (end of file, or a piece of a long line).
//   - A line longer than size - 1 bytes comes in pieces: the next call continues where this one
//     stopped.
//   - A "\r" as the last byte that fits still ends the line, and a "\n" right after it is
//     consumed with it, so "\r\n" split by the buffer never yields an extra empty line.
//   - size below 2 counts as 2: every call returns at least one byte until the end.
size_t ReadLine(PlatformFile& file, std::string& text, size_t size = LineBufferSize,
                std::string* lineEnding = nullptr);
// LineNumber: the 1-based number of the line the last ReadLine read from (every piece of a long
// line has that line's number); 0 before the first.
long LineNumber(const PlatformFile& file);

// WriteLine: writes text up to its first zero byte but at most maxLength bytes (0 writes no
// text), then lineEnding ("\r\n" when nullptr). Returns the bytes written.
size_t WriteLine(PlatformFile& file, std::string_view text, size_t maxLength,
                 const char* lineEnding = nullptr);

// ---- Safe replacement of the program's own files ------------------------------------------------
//
// Databases, the index, settings and exported images are written so that a crash, a killed
// process or a full disk never leaves half a file:
//
//   FileHandle file = OpenFileForReplace(path);      // a hidden temporary beside path
//   if (!file) return ResultOpenError;                 // path itself is untouched
//   ... WriteBytes / WriteLine / FileStream(*file) ...
//   return CommitReplacedFile(std::move(file));         // ResultOk, or ResultWriteError
//
// Commit flushes the temporary, syncs it to the disk and renames it over path in one step, so
// readers see either the old file whole or the new one whole. On any failure, and when the handle
// is dropped or passed to AbandonReplacedFile without a commit, the temporary is removed and the
// old file stays as it was. The new file takes the old one's permissions (new files get the
// usual 0666 less the umask); a path that is a symbolic link has its target replaced, the link
// stays.
//
// Only a regular file (or a new name) is replaced. A pipe or a character device (a terminal,
// /dev/null) is written in place, and "-" is standard output: the bytes gather in an unnamed
// temporary file (so that writers may seek) and the commit copies them out; nothing reaches the
// output before the commit. A pipe that no program reads is refused rather than waited for.

// OpenFileForReplace: nullptr when the folder does not exist or cannot be written, path is a
// directory, a block device or a socket, a pipe without a reader, or the existing file is
// read-only (IsReadOnlyFile); ReplaceFailureReason then says which.
FileHandle OpenFileForReplace(std::string_view path, std::string_view type = {},
                              std::string_view creator = {});
int CommitReplacedFile(FileHandle file);
void AbandonReplacedFile(FileHandle file);
// ReplaceFileContents: writes bytes to path through the steps above.
// ResultOk, ResultOpenError or ResultWriteError.
int ReplaceFileContents(std::string_view path, std::span<const uint8_t> bytes);
// ReplaceFailureReason: why OpenFileForReplace(path) cannot write there, in a few words for a
// message ("it is a folder", "its folder does not exist"); the system's own text otherwise.
std::string ReplaceFailureReason(std::string_view path);
// RemoveStaleReplacements: removes the temporaries that replacements of processes no longer
// running left in folder and its subfolders (a crash or a kill during a write); the count.
int RemoveStaleReplacements(std::string_view folder);

// ---- Advisory locks -----------------------------------------------------------------------------
//
// Programs that change the same files (the program and qv on one database) take turns through an
// exclusive advisory lock on a lock file, which stays in place between uses. Locks are held by
// open files, so two handles of one process exclude each other as two processes do.

struct LockedFile;
struct LockReleaser {
  void operator()(LockedFile* lock) const;  // unlocks
};
using FileLock = std::unique_ptr<LockedFile, LockReleaser>;

// LockFileAt: the lock of the file at path (created when missing), waiting up to waitMs for
// another holder to release it. ResultOk with lock set; ResultFailed when it is still held after
// the wait; ResultOpenError when the lock file can be neither created nor opened.
int LockFileAt(std::string_view path, int waitMs, FileLock& lock);

}  // namespace qv
