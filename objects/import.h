// objects/import.h - importing text files into the database: each imported file becomes one new
// database file named after it ("stars.txt" gives "stars.qvd"; a taken name asks 531).
//
// The progress box (537) shows the position in the file and can cancel. A record that cannot be
// added (527) or a line that gives no record (573 with its number and why, unless the reader's
// own message said so) asks whether to keep reading (524); a line longer than 1,023 characters is
// one such line. More than 16,000 objects go on into a second file with the next free numbered
// name ("stars1.qvd"), and so on.
//
// An import is one change of the database (objects/database.h): it waits for another program's
// change, and writes its files and the index together or nothing at all - nothing is left behind
// when the import is cancelled, imports nothing or cannot be written. Replacing an existing
// database file (531, Yes) takes only a complete import: one that stopped at a bad line keeps the
// old file (574). Until the new file is in place the old one stays part of the database, on disk
// and in the index. A file whose name holds ":" or "\" is refused (572): the database file named
// after it would lie in other folders.
#pragma once

#include <string_view>
#include <vector>

#include "objects/records.h"

namespace qv {

// ImportObjectTextFile: an object text file, or a file list when its name begins with
// "FileList" (any case): each line names a text file relative to the list's folder, imported in
// turn; after a failed one the user is asked 524 whether to go on with the list.
// ResultOk when the database files were written (their ids in imported, for a single file);
// ResultNotFound when the file held nothing to import; ResultCancelled; or the failure.
int ImportObjectTextFile(std::string_view path, std::vector<ObjectId>* imported = nullptr);

// ImportSatelliteFile: a file of two-line element sets (objects/tleimport.h).
int ImportSatelliteFile(std::string_view path, std::vector<ObjectId>* imported = nullptr);

}  // namespace qv
