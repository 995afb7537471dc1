// telescope/nexstar.h - the binary command set of the Celestron NexStar: one-letter commands,
// angles as big-endian 16-bit binary angles (telescope/binary_angle.h), replies of fixed
// lengths, perhaps after an echo of the command. The mount works in the equator of date and stays
// silent while it slews; the byte 40 hexadecimal (or "#") says that a slew has ended.
//
//   "?"                       one byte: the mount is ready
//   "E"                       four bytes: R.A. and Dec.
//   "R" R.A. Dec. (5 bytes)   no answer: slews there
#pragma once

#include <string_view>

#include "telescope/driver.h"

namespace qv {

extern const TelescopeDriver NexStarDriver;

// NexStarPositionFromBytes: the four bytes of the answer to "E" (R.A., then Dec.) as a position
// of date; false (out unchanged) when there are not four.
bool NexStarPositionFromBytes(std::string_view bytes, EquatorialPosition& out);

}  // namespace qv
