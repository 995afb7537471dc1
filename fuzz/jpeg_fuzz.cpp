// fuzz/jpeg_fuzz.cpp - the JPEG reader of planet surface maps over arbitrary bytes. A success
// must give a picture of the size it claims within the size limit, a failure no pixels at all.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "platform/image_files.h"
#include "platform/result.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  qv::RgbPixels pixels;
  const int result = qv::DecodeJPEG(std::span<const uint8_t>(data, size), pixels);
  if (result == qv::ResultOk) {
    const int64_t count = int64_t{pixels.width} * pixels.height;
    if (pixels.width < 1 || pixels.height < 1 || count > qv::JpegMaxPixels) std::abort();
    if (pixels.rgb.size() != size_t(count) * 3) std::abort();
  } else if (result != qv::ResultReadError && result != qv::ResultNoMemory) {
    std::abort();
  } else if (!pixels.rgb.empty() || pixels.width != 0 || pixels.height != 0) {
    std::abort();
  }
  return 0;
}
