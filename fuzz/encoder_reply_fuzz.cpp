// fuzz/encoder_reply_fuzz.cpp - an encoder box's replies over arbitrary bytes. A greeting read is
// 0-999; counts read are finite numbers, which the alignment turns into angles.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "telescope/alignment.h"
#include "telescope/encoder_box.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view reply(reinterpret_cast<const char*>(data), size);
  int greeting = -1;
  if (qv::ReadEncoderGreeting(reply, greeting) && (greeting < 0 || greeting > 999)) std::abort();
  double first = 0, second = 0;
  if (qv::ReadEncoderCounts(reply, first, second)) {
    if (!std::isfinite(first) || !std::isfinite(second)) std::abort();
    const qv::EncoderAlignment a;
    const qv::MountAngles m =
        qv::FoldMountAngles(qv::MountAnglesFromCounts(a, first, second, 8192, -8192));
    if (!(m.lon >= 0 && m.lon < 7) || !(std::fabs(m.lat) <= 1.6)) std::abort();
  }
  return 0;
}
