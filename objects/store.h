// objects/store.h - the object store: every database object in memory, organised by database
// file, read from disk on first use and dropped again under a memory budget.
//
// One store per process, reached with Store(). Files are numbered 1..16000; a file's objects
// have the ids (file number << 14 | index), index 1..16000. The store is used from the
// application's thread only; the lock count of a file keeps it in memory while it is read,
// edited or drawn from, against a memory trim further down the same call chain.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "objects/records.h"
#include "objects/summary.h"
#include "platform/files.h"

namespace qv {

using RecordTable = std::vector<std::unique_ptr<ObjectRecord>>;  // slot k holds index k + 1

struct DatabaseFile {
  std::string name;                  // relative to the database directory ("\", "/" or ":" inside)
  std::optional<RecordTable> table;  // none while the file is not in memory
  int64_t bytes = 0;                 // memory accounted to the file: table slots and records
  uint32_t lastUsed = 0;             // the chart's redraw counter when it last drew from the file
  uint32_t loadStamp = 0;  // the store's load counter when last read; 0 when not in memory
  bool modified = false;   // changed since last written
  bool readOnly = false;   // the file on disk may not be written
  int16_t lockCount = 0;   // above 0: the file may not be dropped from memory
  ObjectId fileId = 0;     // file number << 14; 0 while not registered
  uint32_t count = 0;      // highest index in use: the file's slots run 1..count
  FileSummary summary;
  uint32_t freeHint = 0;      // every slot below this one is occupied (speeds up adding)
  bool entryChanged = false;  // its index entry changed here since the index was read or written
  int readFailure = 0;        // the Result of a failed read, kept so it is not read again; 0 none
  std::string problem;        // why the read failed, in a few words
  bool failureReported = false;  // the failure has been shown to the user
};

struct ObjectStore {
  std::vector<std::unique_ptr<DatabaseFile>> files;  // [number - 1]; size: highest number in use
  int64_t bytesInUse = 0;
  int64_t budget = 0;             // 0: no budget yet (no trimming)
  uint32_t loadCounter = 0;       // advanced each time a file is read
  uint32_t redrawCounter = 0;     // the chart's redraw counter, compared with lastUsed
  std::string indexPath;          // the index file; empty while no database is open
  std::string databaseDirectory;  // the index file's directory
  bool indexChanged = false;      // files registered or removed, or a file's objects changed
  bool readOnly = false;          // the index file itself is read-only (a CD-ROM)
  std::string indexProblem;       // the damage of the index read last; the database is not changed
  FileLock lock;                  // the database folder's lock while this process changes it
  int changeDepth = 0;            // changes begun and not yet ended (objects/database.h)
  int lockWaitMs = 30000;         // how long a change waits for another program's change
};

ObjectStore& Store();

// MemoryBudget: a quarter of the physical memory less one eighth of the screen's bytes in bits
// (width * height * depth), never below 8,192,000 bytes.
int64_t MemoryBudget(int64_t physicalBytes, int screenWidth, int screenHeight, int depthBits);

// InitObjectStore: the budget for this machine and screen, at start-up.
void InitObjectStore();

// ---- Identifiers -----------------------------------------------------------------------------

// FileOfId: the file of an object or file id; none below 16384 or past the highest file.
DatabaseFile* FileOfId(ObjectId id);
// ObjectOfId: the record, reading its file first when needed; none for index 0, an index above
// the file's count, an empty slot or a failed read.
ObjectRecord* ObjectOfId(ObjectId id);

// Iteration: ascending file number, then ascending index; empty slots and numbers without a
// file are skipped, files are read as needed; 0 after the last.
ObjectId FirstFile();
ObjectId NextFile(ObjectId fileId);
ObjectId FirstObjectInFile(ObjectId fileId);
ObjectId NextObjectInFile(ObjectId id);
ObjectId FirstObject();
ObjectId NextObject(ObjectId id);

uint32_t FileCount();
uint32_t TotalObjectCount();       // sum of the files' counts
uint32_t TotalSolarSystemCount();  // sum of the files' solar-system counts

// ---- Objects ----------------------------------------------------------------------------------

// AddObject: with id naming an index within 1..count of its file, the record replaces that slot
// (reading a file, writing back an edited object); otherwise it takes the lowest empty slot,
// the table growing to 16,000 slots. A file not in memory is read first, so its objects are
// never lost. On success the store owns the record (record becomes null) and its new id is
// returned; on failure 0, and the record stays with the caller, who reports it (527).
ObjectId AddObject(std::unique_ptr<ObjectRecord>& record, ObjectId id);
// RemoveObject: takes the record out of its slot (its id becomes 0) and hands it over; count
// drops past trailing empty slots and the summary is recomputed. None when there is no object.
std::unique_ptr<ObjectRecord> RemoveObject(ObjectId id);
// RecomputeSummary: the summary again from the file's records (the file must be in memory).
void RecomputeSummary(DatabaseFile& file);
// PrimaryOf: the body an orbit circles, none for the Sun (primary 0) or an id that is gone.
ObjectRecord* PrimaryOf(const OrbitRecord& orbit);
// FindLocationByName: the first location, in store order and only in files holding locations,
// whose name equals text without regard to ASCII case; 0 when none.
ObjectId FindLocationByName(std::string_view text);

// ---- Files ------------------------------------------------------------------------------------

// NewDatabaseFile: a descriptor for a file that does not exist on disk yet: in memory, empty.
std::unique_ptr<DatabaseFile> NewDatabaseFile(std::string_view name);
// RegisterFile: places the file at the number of its file id, or (id 0) at the lowest free
// number, and returns its file id; the store then owns it, and the index has changed. 0 above
// 16,000 files or when the number is taken, and the descriptor stays with the caller.
ObjectId RegisterFile(std::unique_ptr<DatabaseFile>& file);
// ListFile: RegisterFile for a file as the index on disk lists it: nothing has changed.
ObjectId ListFile(std::unique_ptr<DatabaseFile>& file);
// UnregisterFile: takes the file out of the store (its file id becomes 0) and hands it over.
std::unique_ptr<DatabaseFile> UnregisterFile(ObjectId fileId);
void LockFile(ObjectId fileId);
void UnlockFile(ObjectId fileId);           // never below 0
bool IsReadOnly(const DatabaseFile& file);  // the file's own bit or the database's

// CreateTable: an empty table of count slots (16,000 for an empty file), accounted.
void CreateTable(DatabaseFile& file);
// FreeTable: frees the records and the table without writing anything (a failed read).
void FreeTable(DatabaseFile& file);
// EnsureLoaded: reads the file if it is not in memory, with alerts silenced. ResultOk, or the
// failure: the file stays registered, out of memory, and keeps its index entry; a missing or
// damaged file is remembered (readFailure, problem) and not read again, and the caller that owns
// the user's request reports it (ReportUnreadableFiles).
int EnsureLoaded(ObjectId fileId);
// DropFromMemory: frees a file's records and table, writing a modified file first (only within a
// change of the database, objects/database.h). Refused (ResultFailed) while locked, for a
// modified file outside a change, and when the write fails: changes are never thrown away.
int DropFromMemory(DatabaseFile& file);
void DropAllFromMemory();
// TrimMemory: while over budget, drops files the chart has not used lately, then files in
// order of most recent load. Runs after every add and every registration.
void TrimMemory();

// FullPathOf: the database directory joined with a relative file name.
std::string FullPathOf(std::string_view name);
// IsInsideDatabaseFolder: a relative name none of whose folders ("\", "/" or ":" between them)
// is "..": only such names are read, written or deleted.
bool IsInsideDatabaseFolder(std::string_view name);
// SameFileName: equal without regard to ASCII case, "\", "/" and ":" counting as equal.
bool SameFileName(std::string_view a, std::string_view b);
// FindFileByName: the file whose relative name equals nameOrPath (SameFileName), or whose full
// path equals it; none otherwise.
DatabaseFile* FindFileByName(std::string_view nameOrPath);

}  // namespace qv
