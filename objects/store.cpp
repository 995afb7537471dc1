// objects/store.cpp - the object store in memory: identifiers, iteration, adding and removing
// objects, registering files, lazy loading and the memory trim.
#include "objects/store.h"

#include <algorithm>

#include "objects/database.h"
#include "objects/textscan.h"
#include "platform/alert.h"
#include "platform/events.h"
#include "platform/files.h"
#include "platform/memory.h"
#include "platform/result.h"

namespace qv {
namespace {

constexpr int64_t SlotBytes = sizeof(std::unique_ptr<ObjectRecord>);
constexpr int64_t MinimumBudget = 8192000;

ObjectStore store;

void Account(DatabaseFile& file, int64_t delta) {
  file.bytes += delta;
  if (file.fileId != 0) store.bytesInUse += delta;
}

int64_t SignedSize(const ObjectRecord& record) { return int64_t{RecordMemorySize(record)}; }

// LowestEmptySlot: the index of the first empty slot, growing the table to its limit when it
// is full; 0 when the file holds 16,000 objects.
uint32_t LowestEmptySlot(DatabaseFile& file) {
  RecordTable& table = *file.table;
  uint32_t k = file.freeHint;
  while (k < table.size() && table[k]) ++k;
  file.freeHint = k;
  if (k < table.size()) return k + 1;
  if (table.size() >= MaxObjectsPerFile) return 0;
  const auto grown = static_cast<int64_t>(MaxObjectsPerFile - table.size());
  table.resize(MaxObjectsPerFile);
  Account(file, grown * SlotBytes);
  return k + 1;
}

void PlaceRecord(DatabaseFile& file, uint32_t index, std::unique_ptr<ObjectRecord>& record) {
  std::unique_ptr<ObjectRecord>& slot = (*file.table)[index - 1];
  if (slot) Account(file, -SignedSize(*slot));
  record->id = file.fileId | index;
  Account(file, SignedSize(*record));
  slot = std::move(record);
}

// NextFileNumber: the first registered file number at or above number; 0 when none.
uint32_t NextFileNumber(uint32_t number) {
  for (; number >= 1 && number <= store.files.size(); ++number) {
    if (store.files[number - 1]) return number;
  }
  return 0;
}

// The first occupied index at or above index in a file, reading the file; 0 when none.
ObjectId ObjectAtOrAfter(ObjectId fileId, uint32_t index) {
  if (EnsureLoaded(fileId) != ResultOk) return 0;
  const DatabaseFile* file = FileOfId(fileId);
  for (; index <= file->count; ++index) {
    if ((*file->table)[index - 1]) return fileId | index;
  }
  return 0;
}

}  // namespace

ObjectStore& Store() { return store; }

void CreateTable(DatabaseFile& file) {
  const uint32_t capacity = file.count > 0 ? file.count : MaxObjectsPerFile;
  file.table.emplace(capacity);
  file.freeHint = 0;
  Account(file, capacity * SlotBytes);
}

void FreeTable(DatabaseFile& file) {
  if (!file.table) return;
  Account(file, -file.bytes);
  file.table.reset();
  file.loadStamp = 0;
}

int64_t MemoryBudget(int64_t physicalBytes, int screenWidth, int screenHeight, int depthBits) {
  const int64_t screenBits =
      int64_t{std::max(screenWidth, 0)} * std::max(screenHeight, 0) * std::max(depthBits, 0);
  return std::max(physicalBytes / 4 - screenBits / 8, MinimumBudget);
}

void InitObjectStore() {
  store.budget =
      MemoryBudget(PhysicalMemoryBytes(), ScreenWidth(), ScreenHeight(), ScreenColorDepth());
}

DatabaseFile* FileOfId(ObjectId id) {
  const uint32_t number = FileNumberOf(id);
  if (number < 1 || number > store.files.size()) return nullptr;
  return store.files[number - 1].get();
}

ObjectRecord* ObjectOfId(ObjectId id) {
  const uint32_t index = IndexOf(id);
  if (index == 0 || !FileOfId(id) || EnsureLoaded(FileIdOf(id)) != ResultOk) return nullptr;
  const DatabaseFile* file = FileOfId(id);
  if (index > file->count) return nullptr;
  return (*file->table)[index - 1].get();
}

ObjectId FirstFile() { return MakeObjectId(NextFileNumber(1), 0); }

ObjectId NextFile(ObjectId fileId) {
  const uint32_t number = FileNumberOf(fileId);
  return number == 0 ? 0 : MakeObjectId(NextFileNumber(number + 1), 0);
}

ObjectId FirstObjectInFile(ObjectId fileId) {
  return FileOfId(fileId) ? ObjectAtOrAfter(FileIdOf(fileId), 1) : 0;
}

ObjectId NextObjectInFile(ObjectId id) {
  return FileOfId(id) && IndexOf(id) > 0 ? ObjectAtOrAfter(FileIdOf(id), IndexOf(id) + 1) : 0;
}

ObjectId FirstObject() {
  for (ObjectId file = FirstFile(); file != 0; file = NextFile(file)) {
    if (const ObjectId id = FirstObjectInFile(file)) return id;
  }
  return 0;
}

ObjectId NextObject(ObjectId id) {
  if (const ObjectId next = NextObjectInFile(id)) return next;
  for (ObjectId file = NextFile(FileIdOf(id)); file != 0; file = NextFile(file)) {
    if (const ObjectId first = FirstObjectInFile(file)) return first;
  }
  return 0;
}

uint32_t FileCount() {
  return static_cast<uint32_t>(std::count_if(store.files.begin(), store.files.end(),
                                             [](const auto& f) { return f != nullptr; }));
}

uint32_t TotalObjectCount() {
  uint32_t total = 0;
  for (const auto& file : store.files) total += file ? file->count : 0;
  return total;
}

uint32_t TotalSolarSystemCount() {
  uint32_t total = 0;
  for (const auto& file : store.files) total += file ? file->summary.solarSystemCount : 0;
  return total;
}

ObjectId AddObject(std::unique_ptr<ObjectRecord>& record, ObjectId id) {
  DatabaseFile* file = FileOfId(id);
  if (!record || !file) return 0;
  const ObjectId fileId = file->fileId;
  if (!file->table) {  // a file from the index: what it holds on disk is read first
    if (EnsureLoaded(fileId) != ResultOk) return 0;
    file = FileOfId(fileId);
  }
  uint32_t index = IndexOf(id);
  const bool replacing = index >= 1 && index <= file->count && index <= file->table->size();
  if (!replacing) {
    index = LowestEmptySlot(*file);
    if (index == 0) return 0;
    file->count = std::max(file->count, index);
    AddToSummary(file->summary, *record);
    file->modified = true;
    file->entryChanged = true;
    store.indexChanged = true;
  }
  PlaceRecord(*file, index, record);
  TrimMemory();
  return fileId | index;
}

std::unique_ptr<ObjectRecord> RemoveObject(ObjectId id) {
  const uint32_t index = IndexOf(id);
  if (index == 0 || !FileOfId(id) || EnsureLoaded(FileIdOf(id)) != ResultOk) return nullptr;
  DatabaseFile& file = *FileOfId(id);
  if (index > file.count || !(*file.table)[index - 1]) return nullptr;
  std::unique_ptr<ObjectRecord> record = std::move((*file.table)[index - 1]);
  record->id = NoObject;
  Account(file, -SignedSize(*record));
  file.freeHint = std::min(file.freeHint, index - 1);
  while (file.count > 0 && !(*file.table)[file.count - 1]) --file.count;
  RecomputeSummary(file);
  file.modified = true;
  file.entryChanged = true;
  store.indexChanged = true;
  return record;
}

void RecomputeSummary(DatabaseFile& file) {
  file.summary = FileSummary();
  if (!file.table) return;
  for (uint32_t k = 0; k < file.count; ++k) {
    if ((*file.table)[k]) AddToSummary(file.summary, *(*file.table)[k]);
  }
}

ObjectRecord* PrimaryOf(const OrbitRecord& orbit) {
  return orbit.primary == 0 ? nullptr : ObjectOfId(orbit.primary);
}

ObjectId FindLocationByName(std::string_view text) {
  for (ObjectId fileId = FirstFile(); fileId != 0; fileId = NextFile(fileId)) {
    if (FileOfId(fileId)->summary.locationCount <= 0) continue;
    for (ObjectId id = FirstObjectInFile(fileId); id != 0; id = NextObjectInFile(id)) {
      const ObjectRecord* record = ObjectOfId(id);
      if (IsLocationKind(record->kind) && EqualsIgnoringCase(StoredName(*record), text)) return id;
    }
  }
  return 0;
}

std::unique_ptr<DatabaseFile> NewDatabaseFile(std::string_view name) {
  auto file = std::make_unique<DatabaseFile>();
  file->name = name;
  CreateTable(*file);
  return file;
}

ObjectId RegisterFile(std::unique_ptr<DatabaseFile>& file) {
  DatabaseFile* registered = file.get();
  const ObjectId id = ListFile(file);
  if (id != 0) {
    registered->entryChanged = true;
    store.indexChanged = true;
  }
  return id;
}

ObjectId ListFile(std::unique_ptr<DatabaseFile>& file) {
  if (!file) return 0;
  uint32_t number = FileNumberOf(file->fileId);
  if (number == 0) {
    number = 1;
    while (number <= store.files.size() && store.files[number - 1]) ++number;
  }
  if (number > MaxFiles || (number <= store.files.size() && store.files[number - 1])) return 0;
  if (number > store.files.size()) store.files.resize(number);
  file->fileId = MakeObjectId(number, 0);
  store.bytesInUse += file->bytes;
  store.files[number - 1] = std::move(file);
  TrimMemory();
  return MakeObjectId(number, 0);
}

std::unique_ptr<DatabaseFile> UnregisterFile(ObjectId fileId) {
  if (!FileOfId(fileId)) return nullptr;
  std::unique_ptr<DatabaseFile> file = std::move(store.files[FileNumberOf(fileId) - 1]);
  store.bytesInUse -= file->bytes;
  file->fileId = 0;
  while (!store.files.empty() && !store.files.back()) store.files.pop_back();
  store.indexChanged = true;
  return file;
}

void LockFile(ObjectId fileId) {
  if (DatabaseFile* file = FileOfId(fileId)) ++file->lockCount;
}

void UnlockFile(ObjectId fileId) {
  DatabaseFile* file = FileOfId(fileId);
  if (file && file->lockCount > 0) --file->lockCount;
}

bool IsReadOnly(const DatabaseFile& file) { return file.readOnly || store.readOnly; }

int EnsureLoaded(ObjectId fileId) {
  DatabaseFile* file = FileOfId(fileId);
  if (!file) return ResultNotFound;
  if (file->table) return ResultOk;
  if (file->readFailure != 0) return file->readFailure;  // a chart must not read it on every draw
  const auto readSilently = [fileId] {
    const bool alerts = AlertSwitch();
    SetAlertSwitch(false);
    LockFile(fileId);
    const int result = ReadDatabaseFile(*FileOfId(fileId));
    UnlockFile(fileId);
    SetAlertSwitch(alerts);
    return result;
  };
  int result = readSilently();
  if (result == ResultNoMemory) {  // room for this file is made by dropping all others
    DropAllFromMemory();
    FreeTable(*file);
    result = readSilently();
  }
  if (result == ResultOk) {
    file->loadStamp = ++store.loadCounter;
    return result;
  }
  FreeTable(*file);
  if (result != ResultNoMemory) file->readFailure = result;  // memory may be found another time
  return result;
}

int DropFromMemory(DatabaseFile& file) {
  if (file.lockCount > 0) return ResultFailed;
  // Files are written only within a change, which holds the database's lock.
  if (file.modified && (store.changeDepth == 0 || WriteDatabaseFile(file) != ResultOk))
    return ResultFailed;
  FreeTable(file);
  return ResultOk;
}

void DropAllFromMemory() {
  for (const auto& file : store.files) {
    if (file) DropFromMemory(*file);
  }
}

void TrimMemory() {
  if (store.budget == 0 || store.bytesInUse <= store.budget) return;
  for (const auto& file : store.files) {
    if (file && file->table && file->lastUsed + 1 < store.redrawCounter) DropFromMemory(*file);
  }
  uint32_t below = store.loadCounter + 1;
  while (store.bytesInUse > store.budget) {
    DatabaseFile* chosen = nullptr;
    for (const auto& file : store.files) {
      if (file && file->loadStamp > 0 && file->loadStamp < below &&
          (!chosen || file->loadStamp > chosen->loadStamp)) {
        chosen = file.get();
      }
    }
    if (!chosen) break;
    below = chosen->loadStamp;
    DropFromMemory(*chosen);
  }
}

std::string FullPathOf(std::string_view name) {
  std::string relative(name);
  std::replace(relative.begin(), relative.end(), ':', '/');  // stored names may use ':' too
  std::string path = store.databaseDirectory;
  AppendPathComponent(path, relative);
  return path;
}

bool IsInsideDatabaseFolder(std::string_view name) {
  if (name.empty() || name.find_first_of("\\/:") == 0) return false;
  for (size_t start = 0; start <= name.size();) {
    const size_t end = std::min(name.find_first_of("\\/:", start), name.size());
    if (name.substr(start, end - start) == "..") return false;
    start = end + 1;
  }
  return true;
}

bool SameFileName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  const auto fold = [](char c) { return c == '\\' || c == ':' ? '/' : FoldCase(c); };
  for (size_t k = 0; k < a.size(); ++k) {
    if (fold(a[k]) != fold(b[k])) return false;
  }
  return true;
}

DatabaseFile* FindFileByName(std::string_view nameOrPath) {
  for (const auto& file : store.files) {
    if (file &&
        (SameFileName(file->name, nameOrPath) || SamePath(FullPathOf(file->name), nameOrPath))) {
      return file.get();
    }
  }
  return nullptr;
}

}  // namespace qv
