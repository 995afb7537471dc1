// fuzz/dbindex_fuzz.cpp - the index file reader over arbitrary bytes. Whatever it accepts must
// write back into bytes that read again to the same entries.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "objects/dbfile.h"
#include "platform/result.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<qv::IndexEntry> entries;
  if (qv::DecodeIndexFile(std::span(data, size), entries) != qv::ResultOk) return 0;
  const std::vector<uint8_t> written = qv::EncodeIndexFile(entries);
  std::vector<qv::IndexEntry> again;
  if (qv::DecodeIndexFile(written, again) != qv::ResultOk) std::abort();
  if (qv::EncodeIndexFile(again) != written) std::abort();
  return 0;
}
