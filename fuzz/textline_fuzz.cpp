// fuzz/textline_fuzz.cpp - the object text line parser over arbitrary lines (names looked up in
// a small store). A record it makes must be of a known kind and fit a database file.
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "fuzz/objects_store.h"
#include "objects/dbfile.h"
#include "objects/textimport.h"
#include "platform/result.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  qv::PrepareFuzzStore();
  std::string_view text(reinterpret_cast<const char*>(data), size);
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::unique_ptr<qv::ObjectRecord> record;
    if (qv::ParseObjectLine(text.substr(0, end), record) == qv::ResultOk) {
      if (!record || !qv::IsKnownKind(record->kind)) std::abort();
      std::vector<std::unique_ptr<qv::ObjectRecord>> slots;
      slots.push_back(std::move(record));
      std::vector<std::unique_ptr<qv::ObjectRecord>> back;
      if (qv::DecodeDatabaseFile(qv::EncodeDatabaseFile(slots), back) != qv::ResultOk) std::abort();
    }
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return 0;
}
