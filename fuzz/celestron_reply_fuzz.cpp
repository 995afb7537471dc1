// fuzz/celestron_reply_fuzz.cpp - the Celestron mounts' position replies over arbitrary bytes: the
// Ultima's hexadecimal text and the NexStar's four bytes. A reply read must be a position on the
// sky; nothing else may come out.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <numbers>
#include <string_view>

#include "telescope/nexstar.h"
#include "telescope/ultima.h"

namespace {

void CheckOnTheSky(const qv::EquatorialPosition& p) {
  if (!(p.ra >= 0 && p.ra < 2 * std::numbers::pi) || !(std::fabs(p.dec) <= std::numbers::pi / 2))
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view reply(reinterpret_cast<const char*>(data), size);
  qv::EquatorialPosition p;
  if (qv::ReadUltimaPosition(reply, p)) CheckOnTheSky(p);
  if (qv::NexStarPositionFromBytes(reply.substr(0, 4), p)) CheckOnTheSky(p);
  return 0;
}
