// fuzz/line_command_reply_fuzz.cpp - the line command controller's position line over arbitrary
// bytes. A line read must be a position on the sky; nothing else may come out.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <numbers>
#include <string_view>

#include "telescope/line_command.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view line(reinterpret_cast<const char*>(data), size);
  qv::EquatorialPosition p{-1, -9};
  if (qv::ReadLineCommandPosition(line, p) &&
      (!(p.ra >= 0 && p.ra < 2 * std::numbers::pi) || !(std::fabs(p.dec) <= std::numbers::pi / 2)))
    std::abort();
  return 0;
}
