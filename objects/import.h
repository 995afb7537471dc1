// objects/import.h - importing text files into the database: each imported file becomes one new
// database file named after it ("stars.txt" gives "stars.qvd"; a taken name asks 531).
//
// The progress box (537) shows the position in the file and can cancel. A record that cannot be
// added (527) or a line that gives no record asks whether to keep reading (524). Nothing is left
// behind when the import is cancelled or imports nothing. Replacing an existing database file
// (531, Yes) takes effect only when the new file has been written: until then the old one stays
// part of the database, on disk and in the index.
#pragma once

#include <string_view>

#include "objects/records.h"

namespace qv {

// ImportObjectTextFile: an object text file, or a file list when its name begins with
// "FileList" (any case): each line names a text file relative to the list's folder, imported in
// turn; after a failed one the user is asked 524 whether to go on with the list.
// ResultOk when a database file was written (its id in imported, for a single file);
// ResultNotFound when the file held nothing to import; ResultCancelled; or the failure.
int ImportObjectTextFile(std::string_view path, ObjectId* imported = nullptr);

// ImportSatelliteFile: a file of two-line element sets (objects/tleimport.h).
int ImportSatelliteFile(std::string_view path, ObjectId* imported = nullptr);

}  // namespace qv
