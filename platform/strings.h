// platform/strings.h - the numbered string table: every message, label and file name the
// program shows. The table is resources/strings.txt, built into the program.
#pragma once

#include <string>

namespace qv {

// Longest text of a name, path or item that callers keep (names, item texts, ask box). Table
// texts themselves are never cut: some messages are longer.
constexpr int StringMaxLength = 255;

// GetString: the string of that number, or nullptr when the table has none. The pointer stays
// valid for the rest of the run.
const char* GetString(int number);

// LoadString: copies the string into out; false (and out empty) when there is none.
bool LoadString(int number, std::string& out);

}  // namespace qv
