// platform/embedded_files.h - files built into the program (dialog layouts), so nothing depends
// on the working directory. The build generates the tables from resources/.
#pragma once

#include <cstddef>
#include <string_view>

namespace qv {

struct EmbeddedFile {
  const char* name;            // file name without folder, "256.ui"; nullptr ends a table
  const unsigned char* bytes;  // followed by a zero
  size_t size;
};

// FindEmbeddedFile: the entry named name in a table, or nullptr.
inline const EmbeddedFile* FindEmbeddedFile(const EmbeddedFile* table, std::string_view name) {
  for (; table->name; ++table)
    if (name == table->name) return table;
  return nullptr;
}

}  // namespace qv
