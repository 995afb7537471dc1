// objects/database.cpp - database files on disk, the index, changes under the database's lock,
// and the database commands.
#include "objects/database.h"

#include <algorithm>
#include <array>
#include <functional>
#include <vector>

#include "objects/dbfile.h"
#include "objects/messages.h"
#include "platform/alert.h"
#include "platform/files.h"
#include "platform/result.h"
#include "platform/strings.h"

namespace qv {
namespace {

constexpr int MaxNumberedNames = 99;
constexpr const char* DatabaseLockName = ".quorvane-lock";

std::string StringOr(int number, const char* fallback) {
  const char* text = GetString(number);
  return text ? text : fallback;
}

// The folders of a relative file name, outermost first ("a/b/c.qvd" gives "a" and "a/b").
std::vector<std::string> FoldersOf(std::string_view name) {
  std::vector<std::string> folders;
  for (size_t k = 0; k < name.size(); ++k) {
    if (name[k] == '\\' || name[k] == '/' || name[k] == ':')
      folders.emplace_back(name.substr(0, k));
  }
  return folders;
}

int CreateFoldersOf(const DatabaseFile& file) {
  for (const std::string& folder : FoldersOf(file.name)) {
    const std::string path = FullPathOf(folder);
    if (!DirectoryExists(path) && !CreateFolder(path)) {
      Stop(ButtonsOk, MessageCannotCreateDirectory, path.c_str());
      return ResultWriteError;
    }
  }
  return ResultOk;
}

// WriteReplacing: bytes over path through a temporary file, reporting 530 or 259.
int WriteReplacing(const std::string& path, std::span<const uint8_t> bytes) {
  const int result = ReplaceFileContents(path, bytes);
  if (result == ResultOpenError)
    Stop(ButtonsOk, MessageCannotCreateFile, path.c_str());
  else if (result != ResultOk)
    Stop(ButtonsOk, MessageCannotWrite, path.c_str());
  return result;
}

// ReadFileBytes: the whole file, reporting 257 (cannot open), 258 (cannot read) or 256.
int ReadFileBytes(const std::string& path, std::vector<uint8_t>& bytes) {
  const int result = ReadWholeFile(path, bytes);
  if (result == ResultOpenError)
    Stop(ButtonsOk, MessageCannotOpen, path.c_str());
  else if (result == ResultNoMemory)
    Stop(ButtonsOk, MessageNoMemory);
  else if (result != ResultOk)
    Stop(ButtonsOk, MessageCannotRead, path.c_str());
  return result;
}

// ReadFileProblem: why a database file's bytes could not be read, in a few words.
std::string ReadFileProblem(int result, const std::string& path) {
  if (result == ResultOpenError) return FileExists(path) ? "it cannot be opened" : "it is missing";
  return result == ResultNoMemory ? "there is no memory for it" : "it cannot be read";
}

bool NameIsFree(const std::string& name) {
  return !FindFileByName(name) && !FileExists(FullPathOf(name));
}

// The part of a file name before its extension: cut at the last "." unless a separator follows.
std::string_view BaseName(std::string_view given) {
  const size_t dot = given.rfind('.');
  const size_t separator = given.find_last_of("\\/:");
  if (dot == std::string_view::npos || (separator != std::string_view::npos && separator > dot)) {
    return given;
  }
  return given.substr(0, dot);
}

// ReportLoadFailure: why an edit cannot start on a file a lazy read (with alerts off) failed.
void ReportLoadFailure(const DatabaseFile& file) {
  const std::string path = FullPathOf(file.name);
  Stop(ButtonsOk, file.readFailure == ResultOpenError ? MessageCannotOpen : MessageCannotRead,
       path.c_str());
}

// ReadIndexOnDisk: the entries of the open database's index as it is now. A missing index is an
// empty one only while every registered file is new (a database being created).
int ReadIndexOnDisk(std::vector<IndexEntry>& entries) {
  ObjectStore& store = Store();
  std::vector<uint8_t> bytes;
  if (!FileExists(store.indexPath)) {
    const bool allNew = std::all_of(store.files.begin(), store.files.end(),
                                    [](const auto& file) { return !file || file->entryChanged; });
    if (allNew) return ResultOk;
  }
  const int read = ReadFileBytes(store.indexPath, bytes);
  if (read != ResultOk) return read;
  std::string problem;
  if (DecodeIndexFile(bytes, entries, &problem) != ResultOk) {
    store.indexProblem = problem;
    Stop(ButtonsOk, MessageIndexDamaged, store.indexPath.c_str(), problem.c_str());
    return ResultReadError;
  }
  store.indexProblem.clear();
  return ResultOk;
}

std::unique_ptr<DatabaseFile> FileOfEntry(IndexEntry& entry) {
  auto file = std::make_unique<DatabaseFile>();
  file->name = std::move(entry.name);
  file->fileId = entry.fileId;
  file->count = entry.count;
  file->summary = entry.summary;
  return file;
}

// RefreshFromIndex: the store brought up to date with the index on disk, which other programs
// may have changed since it was read. What this process changed and has not written yet wins;
// every other file takes its entry on disk: it goes when the index no longer lists it, and is
// read again when its entry differs. Files in use (locked) are left as they are.
int RefreshFromIndex() {
  ObjectStore& store = Store();
  if (store.indexPath.empty()) return ResultOk;
  std::vector<IndexEntry> entries;
  const int read = ReadIndexOnDisk(entries);
  if (read != ResultOk) return read;
  std::vector<const IndexEntry*> listed(MaxFiles + 1, nullptr);
  for (const IndexEntry& entry : entries) listed[FileNumberOf(entry.fileId)] = &entry;
  for (uint32_t number = 1; number <= store.files.size(); ++number) {
    DatabaseFile* file = store.files[number - 1].get();
    if (!file || file->entryChanged || file->modified || file->lockCount > 0) continue;
    const IndexEntry* entry = listed[number];
    if (!entry || !SameFileName(entry->name, file->name)) {
      UnregisterFile(file->fileId);
      continue;
    }
    if (entry->count != file->count || !(entry->summary == file->summary)) {
      FreeTable(*file);
      file->count = entry->count;
      file->summary = entry->summary;
      file->readFailure = 0;
      file->problem.clear();
      file->failureReported = false;
    }
  }
  for (IndexEntry& entry : entries) {
    if (FileOfId(entry.fileId)) continue;
    std::unique_ptr<DatabaseFile> file = FileOfEntry(entry);
    ListFile(file);
  }
  return ResultOk;
}

int LockDatabase() {
  ObjectStore& store = Store();
  std::string path = store.databaseDirectory;
  AppendPathComponent(path, DatabaseLockName);
  const int locked = LockFileAt(path, store.lockWaitMs, store.lock);
  if (locked == ResultFailed)
    Stop(ButtonsOk, MessageDatabaseBusy, store.databaseDirectory.c_str());
  else if (locked != ResultOk)
    Stop(ButtonsOk, MessageCannotCreateFile, path.c_str());
  return locked == ResultOk ? ResultOk : ResultWriteError;
}

// RemoveStaleTemporaries: what writers killed in the middle of a write left behind, removed only
// while no other program is changing the database.
void RemoveStaleTemporaries(const std::string& folder) {
  std::string path = folder;
  AppendPathComponent(path, DatabaseLockName);
  FileLock lock;
  if (LockFileAt(path, 0, lock) == ResultOk) RemoveStaleReplacements(folder);
}

// WriteIndexFile: the index of the registered files at path, within a change.
int WriteIndexFile(const std::string& path) {
  std::vector<IndexEntry> entries;
  for (const auto& file : Store().files) {
    if (file) entries.push_back(IndexEntry{file->fileId, file->count, file->summary, file->name});
  }
  const int result = WriteReplacing(path, EncodeIndexFile(entries));
  if (result != ResultOk) return result;
  ObjectStore& store = Store();
  store.indexChanged = false;
  store.indexPath = path;
  for (const auto& file : store.files) {
    if (file) file->entryChanged = false;
  }
  return ResultOk;
}

// InOwnChange: runs write within a change, which it begins and ends when none is under way;
// file stays locked meanwhile so that bringing the store up to date leaves it alone.
int InOwnChange(DatabaseFile* file, const std::function<int()>& write) {
  if (Store().changeDepth > 0) return write();
  if (file) ++file->lockCount;
  int result = BeginDatabaseChange();
  if (result == ResultOk) {
    result = write();
    const int ended = EndDatabaseChange();
    if (result == ResultOk) result = ended;
  }
  if (file) --file->lockCount;
  return result;
}

bool AnyFileModified() {
  return std::any_of(Store().files.begin(), Store().files.end(),
                     [](const auto& file) { return file && file->modified; });
}

ObjectId CreateDefaultFile() {
  std::string name;
  ObjectId existing = 0;
  if (ResolveDatabaseFileName(StringOr(StringCustomFile, "Custom.qvd"), name, existing) !=
      ResultOk) {
    return 0;
  }
  if (existing != 0) return existing;
  std::unique_ptr<DatabaseFile> file = NewDatabaseFile(name);
  const ObjectId id = RegisterFile(file);
  if (id == 0) return 0;
  if (WriteDatabaseFile(*FileOfId(id)) != ResultOk) {
    UnregisterFile(id);
    return 0;
  }
  return id;
}

}  // namespace

int ReadDatabaseFile(DatabaseFile& file) {
  const std::string path = FullPathOf(file.name);
  if (!IsInsideDatabaseFolder(file.name)) {
    file.problem = "its name leads outside the database folder";
    Stop(ButtonsOk, MessageNameOutside, file.name.c_str());
    return ResultOpenError;
  }
  std::vector<uint8_t> bytes;
  const int read = ReadFileBytes(path, bytes);
  if (read != ResultOk) {
    file.problem = ReadFileProblem(read, path);
    return read;
  }
  file.readOnly = IsReadOnlyFile(path);
  std::vector<std::unique_ptr<ObjectRecord>> slots;
  const int decoded = DecodeDatabaseFile(bytes, slots, &file.problem);
  if (decoded != ResultOk) {
    Stop(ButtonsOk, decoded == ResultNoMemory ? MessageNoMemory : MessageCannotRead, path.c_str());
    return decoded;
  }
  FreeTable(file);
  // The file is trusted over a count in the index that disagrees; the index is corrected only
  // by the next change, never by reading.
  file.count = static_cast<uint32_t>(slots.size());
  CreateTable(file);
  for (size_t k = 0; k < slots.size(); ++k) {
    if (!slots[k]) continue;
    if (AddObject(slots[k], file.fileId | static_cast<uint32_t>(k + 1)) == 0) {
      Stop(ButtonsOk, MessageCannotAdd, DisplayName(*slots[k]).c_str());
      FreeTable(file);
      return ResultNoMemory;
    }
  }
  return ResultOk;
}

int CheckDatabaseFile(const DatabaseFile& file, std::string& problem) {
  if (!IsInsideDatabaseFolder(file.name)) {
    problem = "its name leads outside the database folder";
    return ResultOpenError;
  }
  const std::string path = FullPathOf(file.name);
  std::vector<uint8_t> bytes;
  const int read = ReadWholeFile(path, bytes);
  if (read != ResultOk) {
    problem = ReadFileProblem(read, path);
    return read;
  }
  std::vector<std::unique_ptr<ObjectRecord>> slots;
  return DecodeDatabaseFile(bytes, slots, &problem);
}

int PrepareDatabaseFile(DatabaseFile& file, FileHandle& prepared) {
  if (!IsInsideDatabaseFolder(file.name)) {
    Stop(ButtonsOk, MessageNameOutside, file.name.c_str());
    return ResultOpenError;
  }
  const int folders = CreateFoldersOf(file);
  if (folders != ResultOk) return folders;
  const std::string path = FullPathOf(file.name);
  prepared = OpenFileForReplace(path, ".QVD", "Qrvn");
  if (!prepared) {
    Stop(ButtonsOk, MessageCannotCreateFile, path.c_str());
    return ResultOpenError;
  }
  const std::vector<uint8_t> bytes = EncodeDatabaseFile(
      std::span(file.table->data(), std::min<size_t>(file.count, file.table->size())));
  if (WriteBytes(*prepared, bytes) && !FileFailed(*prepared)) return ResultOk;
  prepared.reset();
  Stop(ButtonsOk, MessageCannotWrite, path.c_str());
  return ResultWriteError;
}

int CommitDatabaseFile(DatabaseFile& file, FileHandle prepared) {
  if (CommitReplacedFile(std::move(prepared)) != ResultOk) {
    Stop(ButtonsOk, MessageCannotWrite, FullPathOf(file.name).c_str());
    return ResultWriteError;
  }
  file.modified = false;
  return ResultOk;
}

int WriteDatabaseFile(DatabaseFile& file) {
  if (!file.table) return ResultOk;  // nothing in memory, nothing changed
  return InOwnChange(&file, [&file] {
    FileHandle prepared;
    const int result = PrepareDatabaseFile(file, prepared);
    return result == ResultOk ? CommitDatabaseFile(file, std::move(prepared)) : result;
  });
}

int OpenDatabase(std::string_view indexPath) {
  const std::string path(indexPath);
  std::vector<uint8_t> bytes;
  const int read = ReadFileBytes(path, bytes);
  if (read != ResultOk) return read;
  FileHeader header;
  if (ReadFileHeader(bytes, header) != ResultOk || header.type != IndexFileType) {
    Stop(ButtonsOk, MessageCannotRead, path.c_str());
    return ResultReadError;
  }
  std::vector<IndexEntry> entries;
  ObjectStore& store = Store();
  if (DecodeIndexFile(bytes, entries, &store.indexProblem) != ResultOk)
    Stop(ButtonsOk, MessageIndexDamaged, path.c_str(), store.indexProblem.c_str());
  for (IndexEntry& entry : entries) {
    std::unique_ptr<DatabaseFile> file = FileOfEntry(entry);
    ListFile(file);  // the numbers are distinct: the decoder passed over a second one
  }
  store.indexChanged = false;
  store.indexPath = path;
  store.databaseDirectory = path;
  StripLastComponent(store.databaseDirectory);
  store.readOnly = IsReadOnlyFile(path);
  if (!store.readOnly) RemoveStaleTemporaries(store.databaseDirectory);
  return ResultOk;
}

int SaveIndex(std::string_view indexPath) {
  const std::string path(indexPath);
  return InOwnChange(nullptr, [&path] { return WriteIndexFile(path); });
}

int BeginDatabaseChange() {
  ObjectStore& store = Store();
  if (store.changeDepth > 0 || store.databaseDirectory.empty()) {  // nested, or nothing on disk
    ++store.changeDepth;
    return ResultOk;
  }
  const int locked = LockDatabase();
  if (locked != ResultOk) return locked;
  ++store.changeDepth;
  const int refreshed = RefreshFromIndex();
  if (refreshed != ResultOk) {
    --store.changeDepth;
    store.lock.reset();
  }
  return refreshed;
}

int EndDatabaseChange() {
  ObjectStore& store = Store();
  if (store.changeDepth == 0) return ResultOk;
  int result = ResultOk;
  if (store.changeDepth == 1 && store.indexChanged && !store.indexPath.empty())
    result = WriteIndexFile(store.indexPath);
  if (--store.changeDepth == 0) store.lock.reset();
  return result;
}

int SaveDatabaseChanges() {
  ObjectStore& store = Store();
  if (store.readOnly || (!store.indexChanged && !AnyFileModified())) return ResultOk;
  const int begun = BeginDatabaseChange();
  if (begun != ResultOk) return begun;
  for (const std::unique_ptr<DatabaseFile>& file : store.files) {
    if (file && file->modified && !IsReadOnly(*file) && WriteDatabaseFile(*file) != ResultOk) {
      EndDatabaseChange();
      return ResultWriteError;
    }
  }
  return EndDatabaseChange();
}

int ReportUnreadableFiles() {
  int count = 0;
  for (const std::unique_ptr<DatabaseFile>& file : Store().files) {
    if (!file || file->readFailure == 0) continue;
    ++count;
    if (file->failureReported) continue;
    file->failureReported = true;
    ReportLoadFailure(*file);
  }
  return count;
}

void CloseDatabase() {
  SaveDatabaseChanges();  // what cannot be written was reported by the writer
  ObjectStore& store = Store();
  store.files.clear();
  store.bytesInUse = 0;
  store.indexPath.clear();
  store.databaseDirectory.clear();
  store.indexProblem.clear();
  store.indexChanged = false;
  store.readOnly = false;
}

ObjectId DefaultFile() {
  constexpr ObjectId FirstFileId = MakeObjectId(1, 0);
  if (FileOfId(FirstFileId)) return FirstFileId;
  if (BeginDatabaseChange() != ResultOk) return 0;
  // Another program may have made it meanwhile.
  const ObjectId id = FileOfId(FirstFileId) ? FirstFileId : CreateDefaultFile();
  const int ended = EndDatabaseChange();
  return ended == ResultOk ? id : 0;
}

int ResolveDatabaseFileName(std::string_view given, std::string& name, ObjectId& existing) {
  const std::string plain = std::string(BaseName(given)) + ".qvd";
  existing = 0;
  if (NameIsFree(plain)) {
    name = plain;
    return ResultOk;
  }
  if (const DatabaseFile* taken = FindFileByName(plain)) {
    const int answer = Caution(ButtonsYesNoCancel, MessageReplaceFile, plain.c_str());
    if (answer == AnswerYes) {
      name = plain;
      existing = taken->fileId;
      return ResultOk;
    }
    if (answer != AnswerNo) return ResultCancelled;
  }
  return NumberedDatabaseFileName(plain, name);
}

int NumberedDatabaseFileName(std::string_view fileName, std::string& name) {
  const std::string base(BaseName(fileName));
  for (int k = 1; k <= MaxNumberedNames; ++k) {
    const std::string numbered = base + std::to_string(k) + ".qvd";
    if (NameIsFree(numbered)) {
      name = numbered;
      return ResultOk;
    }
  }
  Stop(ButtonsOk, MessageNoFreeName, base.c_str(), base.c_str());
  return ResultFailed;
}

int CreateDatabase(std::string_view folderPath) {
  const std::string folder(folderPath);
  if (!DirectoryExists(folder) && !CreateFolder(folder)) {
    Stop(ButtonsOk, MessageCannotCreateDirectory, folder.c_str());
    return ResultWriteError;
  }
  ObjectStore& store = Store();
  store.databaseDirectory = folder;
  store.indexPath = folder;
  AppendPathComponent(store.indexPath, StringOr(StringIndexFile, "Index.qvd"));
  const int begun = BeginDatabaseChange();
  if (begun != ResultOk) return begun;
  store.indexChanged = true;  // a new database's index is written even when another made it
  const ObjectId defaultFile = DefaultFile();
  const int ended = EndDatabaseChange();
  return defaultFile == 0 ? ResultWriteError : ended;
}

int CreateDatabaseDirectory() {
  const std::string folder = PathBesideProgram(StringOr(StringDatabaseFolder, "Database"));
  if (DirectoryExists(folder)) return ResultOk;
  if (Caution(ButtonsYesNoCancel, MessageCreateDirectory, folder.c_str()) != AnswerYes) {
    return ResultCancelled;
  }
  return CreateDatabase(folder);
}

int OpenDatabaseDocument(std::string_view path) {
  std::array<uint8_t, HeaderSize> header{};
  FileHandle file = OpenFile(path, "rb");
  if (!file || ReadBytes(*file, header) != static_cast<int64_t>(header.size())) {
    return ResultNotFound;
  }
  FileHeader parsed;
  if (ReadFileHeader(header, parsed) != ResultOk) return ResultNotFound;
  if (parsed.type == DatabaseFileType) {
    Stop(ButtonsOk, MessageDatabaseFilePart, GetFileTitle(path).c_str());
    return ResultFailed;
  }
  if (parsed.type != IndexFileType) return ResultNotFound;
  CloseDatabase();
  return OpenDatabase(path);
}

int OpenDefaultDatabase() {
  std::string path = PathBesideProgram(StringOr(StringDatabaseFolder, "Database"));
  AppendPathComponent(path, StringOr(StringIndexFile, "Index.qvd"));
  if (FileExists(path)) CloseDatabase();
  return OpenDatabase(path);
}

int DeleteDatabaseFile(std::string_view path) {
  ObjectStore& store = Store();
  const DatabaseFile* file = FindFileByName(path);
  const std::string shown(path);
  if (!file) {
    const bool isIndex = !store.indexPath.empty() && SamePath(path, store.indexPath);
    Stop(ButtonsOk, isIndex ? MessageCannotDelete : MessageNotInDatabase, shown.c_str());
    return ResultFailed;
  }
  const std::string name = file->name;
  if (Caution(ButtonsOkCancel, MessageConfirmDeleteFile, name.c_str()) != AnswerOk) {
    return ResultCancelled;
  }
  if (!IsInsideDatabaseFolder(name)) {
    Stop(ButtonsOk, MessageNameOutside, name.c_str());
    return ResultFailed;
  }
  const int begun = BeginDatabaseChange();
  if (begun != ResultOk) return begun;
  file = FindFileByName(name);  // another program may have removed it meanwhile
  const std::string full = FullPathOf(name);
  if (file && FileExists(full) && !DeleteFileAt(full)) {
    Stop(ButtonsOk, MessageCannotDelete, full.c_str());
    EndDatabaseChange();
    return ResultFailed;
  }
  std::vector<std::string> folders = FoldersOf(name);
  for (auto it = folders.rbegin(); it != folders.rend(); ++it) {
    if (!RemoveFolder(FullPathOf(*it))) break;  // not empty: the folders above are not either
  }
  if (file) UnregisterFile(file->fileId);
  return EndDatabaseChange();
}

int BeginObjectEdit(ObjectId object, ObjectId& fileId) {
  const ObjectId target = object != 0 ? FileIdOf(object) : DefaultFile();
  const DatabaseFile* file = FileOfId(target);
  if (target == 0 || !file) return ResultNotFound;
  const int loaded = EnsureLoaded(target);
  if (loaded != ResultOk) {
    ReportLoadFailure(*FileOfId(target));
    return loaded;
  }
  if (IsReadOnly(*FileOfId(target))) {
    Note(ButtonsOk, MessageReadOnly);
    return ResultFailed;
  }
  LockFile(target);
  fileId = target;
  return ResultOk;
}

ObjectId CommitObjectEdit(ObjectId fileId, ObjectId editedId,
                          std::unique_ptr<ObjectRecord>& record) {
  const std::string name = record ? DisplayName(*record) : std::string();
  if (BeginDatabaseChange() != ResultOk) return 0;
  const ObjectId id = AddObject(record, editedId != 0 ? editedId : fileId);
  DatabaseFile* file = FileOfId(fileId);
  if (id == 0 || !file) {
    Caution(ButtonsOk, MessageCannotAdd, name.c_str());
    EndDatabaseChange();
    return 0;
  }
  RecomputeSummary(*file);
  file->modified = true;
  file->entryChanged = true;
  Store().indexChanged = true;
  WriteDatabaseFile(*file);  // a failure is reported; the file keeps its change in memory
  EndDatabaseChange();
  return id;
}

void EndObjectEdit(ObjectId fileId) { UnlockFile(fileId); }

int CommitObjectRemoval(ObjectId id) {
  const int begun = BeginDatabaseChange();
  if (begun != ResultOk) return begun;
  const std::unique_ptr<ObjectRecord> removed = RemoveObject(id);
  DatabaseFile* file = FileOfId(id);
  const int written = removed && file ? WriteDatabaseFile(*file) : ResultNotFound;
  const int ended = EndDatabaseChange();
  return written == ResultOk ? ended : written;
}

int DeleteObject(ObjectId id) {
  const ObjectRecord* record = ObjectOfId(id);
  if (!record) return ResultNotFound;
  if (Note(ButtonsOkCancel, MessageConfirmDeleteObject, DisplayName(*record).c_str()) != AnswerOk) {
    return ResultCancelled;
  }
  if (IsReadOnly(*FileOfId(id))) {
    Note(ButtonsOk, MessageReadOnly);
    return ResultFailed;
  }
  return CommitObjectRemoval(id);
}

}  // namespace qv
