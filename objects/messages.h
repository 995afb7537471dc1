// objects/messages.h - the numbers of the string-table messages and names the object database
// shows or uses. The texts are in resources/strings.txt.
#pragma once

#include <string>

namespace qv {

enum ObjectMessage : int {
  MessageNoMemory = 256,               // can't allocate memory
  MessageCannotOpen = 257,             // can't open the file "%s"
  MessageCannotRead = 258,             // can't read the file "%s"
  MessageCannotWrite = 259,            // can't write the file "%s"
  StringDatabaseFolder = 302,          // "Database"
  StringIndexFile = 303,               // "Index.qvd"
  StringCustomFile = 304,              // "Custom.qvd"
  MessageSearching = 511,              // Searching for "%s"...
  MessageNoSuchObject = 523,           // no object containing the name "%s"
  MessageKeepReading = 524,            // keep reading the file "%s"?
  MessageCannotAdd = 527,              // can't add the object "%s"
  MessageCreateDirectory = 528,        // can't find the "%s" directory; create one?
  MessageCannotCreateDirectory = 529,  // can't create the directory "%s"
  MessageCannotCreateFile = 530,       // can't open the file "%s" for writing
  MessageReplaceFile = 531,            // existing database file named "%s"; replace it?
  MessageCannotDelete = 533,           // can't delete the file "%s"
  MessageNotInDatabase = 534,          // "%s" is not part of the database
  MessageConfirmDeleteFile = 535,      // permanently remove the file "%s"?
  MessageConfirmDeleteObject = 536,    // permanently remove the object "%s"?
  MessageImporting = 537,              // Importing file "%s"...
  MessageDatabaseFilePart = 538,       // "%s" is part of a database; open its index
  MessageReadOnly = 539,               // the database file is read-only
  MessageDatabaseBusy = 570,           // another program is changing the database "%s"
  MessageIndexDamaged = 571,           // the index "%s" is damaged (%s); no changes
  MessageNameOutside = 572,            // the file name "%s" leads outside the database folder
  MessageBadLine = 573,                // line %ld of "%s" gives no object: %s
  MessageNotReplaced = 574,            // "%s" was not replaced: the import of "%s" stopped early
  MessageNoFreeName = 575,             // no free name: "%s1.qvd" to "%s99.qvd" are taken
};

// MessageText: the message of that number with its one "%s" filled in (progress texts).
std::string MessageText(int number, const std::string& argument);

}  // namespace qv
