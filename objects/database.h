// objects/database.h - database files on disk: reading and writing one file, opening, saving
// and closing a database through its index, the default file "Custom.qvd", new file names, the
// database directory, and the store-level parts of the database commands.
//
// Failures are reported here with the messages of objects/messages.h (the alert layer is
// silenced while a file loads lazily) and returned as Result codes. Files are written through
// a temporary file renamed over the old one, so a failure leaves the previous file whole.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "objects/records.h"
#include "objects/store.h"

namespace qv {

// ReadDatabaseFile: the file's records into its table. ResultOpenError (257), ResultReadError
// (258: damage; the file stays out of memory), ResultNoMemory (527 with the record's name).
int ReadDatabaseFile(DatabaseFile& file);
// WriteDatabaseFile: creates missing folders of the file's name (529), writes the file (530 when
// it cannot be created, 259 on a write failure) and clears the modified flag on success.
int WriteDatabaseFile(DatabaseFile& file);

// OpenDatabase: registers every file of the index (none read yet); the caller closes the
// current database first. A bad index opens nothing (257, 258, or 527 for a file number twice).
int OpenDatabase(std::string_view indexPath);
// SaveIndex: writes the index of the registered files (530, 259) and makes it the index path.
int SaveIndex(std::string_view indexPath);
// CloseDatabase: writes a changed index and every modified file, then empties the store. The
// application clears its selected and followed objects, whose ids no longer name anything.
void CloseDatabase();

// DefaultFile: the id of file number 1, creating "Custom.qvd" there first when there is none;
// 0 when it cannot be written.
ObjectId DefaultFile();

// ResolveDatabaseFileName: the name of a new database file for given (a file title): the part
// before its extension and ".qvd". When a registered file has that name, question 531: Yes
// gives that file in existing, No the first of base1.qvd .. base99.qvd that is free, Cancel
// ResultCancelled. A name whose file exists on disk without being part of the database is
// never taken: it could hold something the user wants.
int ResolveDatabaseFileName(std::string_view given, std::string& name, ObjectId& existing);

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
// the index itself, 534 when it is not part of the database.
int DeleteDatabaseFile(std::string_view path);

// An edit: BeginObjectEdit reads and locks the object's file (the default file for object 0),
// refusing a read-only file with 539; CommitObjectEdit stores the record in place of the edited
// object (or as a new one), writes the file and then the index (527 when it cannot be added:
// the record stays with the caller); EndObjectEdit unlocks.
int BeginObjectEdit(ObjectId object, ObjectId& fileId);
ObjectId CommitObjectEdit(ObjectId fileId, ObjectId editedId,
                          std::unique_ptr<ObjectRecord>& record);
void EndObjectEdit(ObjectId fileId);

// DeleteObject: confirmed with 536; refused with 539 in a read-only file; the file is written
// when the database closes. ResultOk, ResultCancelled or ResultFailed.
int DeleteObject(ObjectId id);

}  // namespace qv
