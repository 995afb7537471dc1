// telescope/ultima.h - the hexadecimal command set of the Celestron Ultima 2000: commands of
// ASCII text ending in "#", angles as four hexadecimal digits of a binary angle
// (telescope/binary_angle.h), replies ending in "#" (or in "%", the mount declining). The mount
// may echo a command before its answer. It works in the equator of date.
//
//   read position  "E#"              "RRRR,DDDD#"
//   go to          "RRRR,DDDD" after "R", then "#"; a short answer that is not looked at
//   sync           the same after "F"
//   stop           "M#", no answer
#pragma once

#include <string_view>

#include "telescope/driver.h"

namespace qv {

extern const TelescopeDriver UltimaDriver;

// ReadUltimaPosition: a whole reply, "#" included, as a position of date; false (out unchanged)
// for anything but four hexadecimal digits, a comma, four more and "#".
bool ReadUltimaPosition(std::string_view reply, EquatorialPosition& out);

}  // namespace qv
