// objects/database.h - database files on disk: reading and writing one file, opening, saving
// and closing a database through its index, the default file "Custom.qvd", new file names, the
// database directory, and the store-level parts of the database commands.
//
// Failures are reported here with the messages of objects/messages.h (the alert layer is
// silenced while a file loads lazily) and returned as Result codes. Files are written through
// a temporary file renamed over the old one, so a failure leaves the previous file whole.
//
// Changes. The program and qv may use one database at once. Whatever writes to it - an import,
// an edit, a deletion, closing with changes - is a change: BeginDatabaseChange takes the lock
// file ".quorvane-lock" in the database folder (waiting a bounded time for another program's
// change, then message 570) and brings the store up to date with the index on disk (files other
// programs added, removed or changed); EndDatabaseChange writes the index when it changed and
// releases the lock. So no program's change is lost to another's stale index. Reading never
// writes anything: a file that cannot be read keeps its index entry, and only a change the user
// made rewrites the index. A damaged index (571) is read as far as it goes and never rewritten.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "objects/records.h"
#include "objects/store.h"
#include "platform/files.h"

namespace qv {

// ReadDatabaseFile: the file's records into its table. ResultOpenError (257; a name outside the
// database folder 572), ResultReadError (258: damage; the file stays out of memory),
// ResultNoMemory (527 with the record's name). The problem goes into file.problem.
int ReadDatabaseFile(DatabaseFile& file);
// CheckDatabaseFile: reads the file's bytes without keeping anything; ResultOk, or the failure
// with the problem in a few words ("it is missing", "slot 12 holds the unknown kind 57").
int CheckDatabaseFile(const DatabaseFile& file, std::string& problem);
// WriteDatabaseFile: creates missing folders of the file's name (529), writes the file (530 when
// it cannot be created, 259 on a write failure) and clears the modified flag on success; a
// change of its own when none is under way.
int WriteDatabaseFile(DatabaseFile& file);
// PrepareDatabaseFile and CommitDatabaseFile: WriteDatabaseFile in two steps, so that a file
// replacing another goes in place only once everything else has succeeded: the bytes are written
// to a temporary beside the file (529, 530, 259), then put in place (259). For a file in memory,
// within a change.
int PrepareDatabaseFile(DatabaseFile& file, FileHandle& prepared);
int CommitDatabaseFile(DatabaseFile& file, FileHandle prepared);

// OpenDatabase: registers every file of the index (none read yet) and removes the temporaries
// that writers which no longer run left in the folder; the caller closes the current database
// first. An index that cannot be read opens nothing (257, 258); a damaged one opens the files
// it lists well (571).
int OpenDatabase(std::string_view indexPath);
// SaveIndex: writes the index of the registered files (530, 259) and makes it the index path;
// a change of its own when none is under way.
int SaveIndex(std::string_view indexPath);
// CloseDatabase: writes a changed index and every modified file (SaveDatabaseChanges), then
// empties the store. The application clears its selected and followed objects, whose ids no
// longer name anything.
void CloseDatabase();

// BeginDatabaseChange: ResultOk when the change may go on (calls nest: only the outermost one
// locks and reads the index); ResultWriteError when another program holds the lock longer than
// the store's lockWaitMs (570) or the lock file cannot be made (530); the failures of reading
// the index (257, 258, 571). Every ResultOk is matched by one EndDatabaseChange.
int BeginDatabaseChange();
// EndDatabaseChange: the outermost writes the index when it changed (530, 259), then unlocks.
int EndDatabaseChange();
// SaveDatabaseChanges: every modified file, then the index, in one change; the first failure
// (reported by the writer) stops it, and the store keeps what could not be written. ResultOk
// at once when nothing changed.
int SaveDatabaseChanges();
// ReportUnreadableFiles: shows 257 (cannot be opened) or 258 (damaged) once for each file whose
// read has failed; the number of such files, whether reported now or before.
int ReportUnreadableFiles();

// DefaultFile: the id of file number 1, creating "Custom.qvd" there first when there is none;
// 0 when it cannot be written.
ObjectId DefaultFile();

// ResolveDatabaseFileName: the name of a new database file for given (a file title): the part
// before its extension and ".qvd". When a registered file has that name, question 531: Yes
// gives that file in existing, No the first of base1.qvd .. base99.qvd that is free (575 when
// none is), Cancel ResultCancelled. A name whose file exists on disk without being part of the
// database is never taken: it could hold something the user wants.
int ResolveDatabaseFileName(std::string_view given, std::string& name, ObjectId& existing);
// NumberedDatabaseFileName: the first free name of base1.qvd .. base99.qvd for the name of a
// database file; ResultFailed (575) when all are taken.
int NumberedDatabaseFileName(std::string_view fileName, std::string& name);

// CreateDatabase: a new database in the folder (created when missing; 529 when it cannot be):
// the default file and an index, which becomes the open database. The store must be empty.
int CreateDatabase(std::string_view folder);
// CreateDatabaseDirectory: asks 528 for the "Database" directory beside the program; on Yes
// creates it (529) with the default file and an index. ResultCancelled on No.
int CreateDatabaseDirectory();

// ---- Database commands (the dialogs around them belong to the application) --------------------

// OpenDatabaseDocument: a document by its header: an index (type 1) closes the current
// database and opens it; a database file (type 2) is refused with 538 (ResultFailed); anything
// else is no database document (ResultNotFound) and goes to the other document readers.
int OpenDatabaseDocument(std::string_view path);
// OpenDefaultDatabase: "Database/Index.qvd" beside the program; the current database is closed
// only when that file exists (a missing one reports 257 and keeps the current database).
int OpenDefaultDatabase();
// DeleteDatabaseFile: a registered file is confirmed (535), deleted with the folders its
// removal empties, unregistered, and the index written; 533 when it cannot be deleted or is
// the index itself, 534 when it is not part of the database. A listed file that is missing is
// taken out of the index.
int DeleteDatabaseFile(std::string_view path);

// An edit: BeginObjectEdit reads and locks the object's file (the default file for object 0),
// refusing a read-only file with 539; CommitObjectEdit stores the record in place of the edited
// object (or as a new one), writes the file and then the index, in one change (527 when it
// cannot be added: the record stays with the caller); EndObjectEdit unlocks.
int BeginObjectEdit(ObjectId object, ObjectId& fileId);
ObjectId CommitObjectEdit(ObjectId fileId, ObjectId editedId,
                          std::unique_ptr<ObjectRecord>& record);
void EndObjectEdit(ObjectId fileId);
// CommitObjectRemoval: removes the object and writes its file and the index, in one change.
int CommitObjectRemoval(ObjectId id);

// DeleteObject: confirmed with 536; refused with 539 in a read-only file; then
// CommitObjectRemoval (the file is written at once, not when the database closes, so that
// another program's change cannot come between). ResultOk, ResultCancelled or the failure.
int DeleteObject(ObjectId id);

}  // namespace qv
