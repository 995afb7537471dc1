// app/open_document.h - opening any file the program understands, told apart by its content:
// a settings file, a database index (or a database file, which must be opened through its
// index), a satellite element file (".tle") or an object text file (".txt").
#pragma once

#include <string>

namespace qv {

// OpenDocument: opens, reads or imports the file and refreshes the chart; the messages of
// failures are shown here (257 cannot open, 258 not a file of the program, 538 a database file).
// ResultOk or the failure.
int OpenDocument(const std::string& path);

}  // namespace qv
