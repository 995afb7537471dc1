// fuzz/tle_fuzz.cpp - the two-line element reader over arbitrary lines: the sliding window and
// the column-exact conversion of every set it finds (an Earth in the store to circle).
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz/objects_store.h"
#include "objects/tleimport.h"
#include "platform/result.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  qv::PrepareFuzzStore();
  std::string_view text(reinterpret_cast<const char*>(data), size);
  qv::ElementWindow window;
  std::string nameLine, line1, line2;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    if (qv::PushElementLine(window, text.substr(0, end), nameLine, line1, line2)) {
      std::unique_ptr<qv::ObjectRecord> record;
      if (qv::ElementSetToRecord(nameLine, line1, line2, record) == qv::ResultOk &&
          (!record || record->kind != qv::KindEarthSatellite)) {
        std::abort();
      }
    }
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return 0;
}
