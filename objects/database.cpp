// objects/database.cpp - database files on disk, the index, and the database commands.
#include "objects/database.h"

#include <algorithm>
#include <array>
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
void ReportLoadFailure(ObjectId fileId, const std::string& name) {
  const std::string path = FullPathOf(name);
  Stop(ButtonsOk, FileOfId(fileId) ? MessageCannotRead : MessageCannotOpen, path.c_str());
}

}  // namespace

int ReadDatabaseFile(DatabaseFile& file) {
  const std::string path = FullPathOf(file.name);
  std::vector<uint8_t> bytes;
  const int read = ReadFileBytes(path, bytes);
  if (read != ResultOk) return read;
  file.readOnly = IsReadOnlyFile(path);
  std::vector<std::unique_ptr<ObjectRecord>> slots;
  const int decoded = DecodeDatabaseFile(bytes, slots);
  if (decoded != ResultOk) {
    Stop(ButtonsOk, decoded == ResultNoMemory ? MessageNoMemory : MessageCannotRead, path.c_str());
    return decoded;
  }
  FreeTable(file);
  if (file.count != slots.size()) Store().indexChanged = true;  // the index was out of date
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

int WriteDatabaseFile(DatabaseFile& file) {
  if (!file.table) return ResultOk;  // nothing in memory, nothing changed
  const int folders = CreateFoldersOf(file);
  if (folders != ResultOk) return folders;
  const std::vector<uint8_t> bytes = EncodeDatabaseFile(
      std::span(file.table->data(), std::min<size_t>(file.count, file.table->size())));
  const int result = WriteReplacing(FullPathOf(file.name), bytes);
  if (result == ResultOk) file.modified = false;
  return result;
}

int OpenDatabase(std::string_view indexPath) {
  const std::string path(indexPath);
  std::vector<uint8_t> bytes;
  const int read = ReadFileBytes(path, bytes);
  if (read != ResultOk) return read;
  std::vector<IndexEntry> entries;
  if (DecodeIndexFile(bytes, entries) != ResultOk) {
    Stop(ButtonsOk, MessageCannotRead, path.c_str());
    return ResultReadError;
  }
  for (IndexEntry& entry : entries) {
    auto file = std::make_unique<DatabaseFile>();
    file->name = std::move(entry.name);
    file->fileId = entry.fileId;
    file->count = entry.count;
    file->summary = entry.summary;
    if (RegisterFile(file) == 0) {  // a file number listed twice: open nothing, rewrite nothing
      Stop(ButtonsOk, MessageCannotAdd, GetFileTitle(path).c_str());
      Store().files.clear();
      Store().bytesInUse = 0;
      return ResultNoMemory;
    }
  }
  ObjectStore& store = Store();
  store.indexChanged = false;
  store.indexPath = path;
  store.databaseDirectory = path;
  StripLastComponent(store.databaseDirectory);
  store.readOnly = IsReadOnlyFile(path);
  return ResultOk;
}

int SaveIndex(std::string_view indexPath) {
  std::vector<IndexEntry> entries;
  for (const auto& file : Store().files) {
    if (file) entries.push_back(IndexEntry{file->fileId, file->count, file->summary, file->name});
  }
  const std::string path(indexPath);
  const int result = WriteReplacing(path, EncodeIndexFile(entries));
  if (result == ResultOk) {
    Store().indexChanged = false;
    Store().indexPath = path;
  }
  return result;
}

void CloseDatabase() {
  ObjectStore& store = Store();
  if (!store.readOnly) {  // a database on a read-only volume cannot take anything back
    if (!store.indexPath.empty() && store.indexChanged) SaveIndex(store.indexPath);
    for (const auto& file : store.files) {
      if (file && file->modified) WriteDatabaseFile(*file);
    }
  }
  store.files.clear();
  store.bytesInUse = 0;
  store.indexPath.clear();
  store.databaseDirectory.clear();
  store.indexChanged = false;
  store.readOnly = false;
}

ObjectId DefaultFile() {
  constexpr ObjectId FirstFileId = MakeObjectId(1, 0);
  if (FileOfId(FirstFileId)) return FirstFileId;
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

int ResolveDatabaseFileName(std::string_view given, std::string& name, ObjectId& existing) {
  const std::string base(BaseName(given));
  const std::string plain = base + ".qvd";
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
  for (int k = 1; k <= MaxNumberedNames; ++k) {
    const std::string numbered = base + std::to_string(k) + ".qvd";
    if (NameIsFree(numbered)) {
      name = numbered;
      return ResultOk;
    }
  }
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
  if (DefaultFile() == 0) return ResultWriteError;
  return SaveIndex(store.indexPath);
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
  if (Caution(ButtonsOkCancel, MessageConfirmDeleteFile, file->name.c_str()) != AnswerOk) {
    return ResultCancelled;
  }
  const std::string full = FullPathOf(file->name);
  if (!DeleteFileAt(full)) {
    Stop(ButtonsOk, MessageCannotDelete, full.c_str());
    return ResultFailed;
  }
  std::vector<std::string> folders = FoldersOf(file->name);
  for (auto it = folders.rbegin(); it != folders.rend(); ++it) {
    if (!RemoveFolder(FullPathOf(*it))) break;  // not empty: the folders above are not either
  }
  UnregisterFile(file->fileId);
  return SaveIndex(store.indexPath);
}

int BeginObjectEdit(ObjectId object, ObjectId& fileId) {
  const ObjectId target = object != 0 ? FileIdOf(object) : DefaultFile();
  const DatabaseFile* file = FileOfId(target);
  if (target == 0 || !file) return ResultNotFound;
  const std::string name = file->name;
  const int loaded = EnsureLoaded(target);
  if (loaded != ResultOk) {
    ReportLoadFailure(target, name);
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
  const ObjectId id = AddObject(record, editedId != 0 ? editedId : fileId);
  DatabaseFile* file = FileOfId(fileId);
  if (id == 0 || !file) {
    Caution(ButtonsOk, MessageCannotAdd, name.c_str());
    return 0;
  }
  RecomputeSummary(*file);
  file->modified = true;
  Store().indexChanged = true;
  if (WriteDatabaseFile(*file) == ResultOk && !Store().indexPath.empty())
    SaveIndex(Store().indexPath);
  return id;
}

void EndObjectEdit(ObjectId fileId) { UnlockFile(fileId); }

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
  RemoveObject(id);
  return ResultOk;
}

}  // namespace qv
