// fuzz/meade_reply_fuzz.cpp - a Meade mount's position replies over arbitrary bytes. A reply
// the readers accept must be a position on the sky; nothing else may come out of them.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <numbers>
#include <string_view>

#include "telescope/meade.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view reply(reinterpret_cast<const char*>(data), size);
  double ra = -1, dec = -9;
  if (qv::ReadMeadeRightAscension(reply, ra) && !(ra >= 0 && ra < 2 * std::numbers::pi))
    std::abort();
  if (qv::ReadMeadeDeclination(reply, dec) && !(std::fabs(dec) <= std::numbers::pi / 2))
    std::abort();
  return 0;
}
