// fuzz/dbfile_fuzz.cpp - the database file reader over arbitrary bytes. Whatever it accepts must
// write back into bytes that read again to the same file, and every record's name must render.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <vector>

#include "objects/dbfile.h"
#include "platform/result.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::unique_ptr<qv::ObjectRecord>> slots;
  if (qv::DecodeDatabaseFile(std::span(data, size), slots) != qv::ResultOk) return 0;
  for (const auto& slot : slots) {
    if (slot) (void)qv::DisplayName(*slot);
  }
  const std::vector<uint8_t> written = qv::EncodeDatabaseFile(slots);
  std::vector<std::unique_ptr<qv::ObjectRecord>> again;
  if (qv::DecodeDatabaseFile(written, again) != qv::ResultOk) std::abort();
  if (qv::EncodeDatabaseFile(again) != written) std::abort();
  return 0;
}
