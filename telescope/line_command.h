// telescope/line_command.h - the line command set of the AIM Controls Coordinate: commands of text
// ending in a carriage return, replies of lines (at most 80 bytes) ending in a line feed. A line
// beginning "**" says more lines follow; the last line carries a two-digit status. The controller
// works in the equator of date.
//
//   open           "D"                      three "**" lines, then "00"
//   read position  "R"                      "** RA:hh:mm:ss.s DEC:sdd:mm:ss.s", then the status
//   go to          "XRA:hh:mm:ss DEC:sdd:mm:ss"   "01" invalid, "02" slewing, "04" below the
//                                                 horizon, "05" out of reach, else slewing there
//   sync           "SRA:... DEC:..."
//   stop           "TS"; the direction jogs "JD-n" north, "JR-n" east, "JD+n" south, "JR+n" west
//                  at n times the sidereal rate, "JD+0" and "JR+0" stop them
//   set time       "Ihh:mm:ss:cc", local time to hundredths of a second
#pragma once

#include <string_view>

#include "telescope/driver.h"

namespace qv {

extern const TelescopeDriver LineCommandDriver;

// ReadLineCommandPosition: the first line of the answer to "R" as a position of date; false
// (out unchanged) for anything else or out of range.
bool ReadLineCommandPosition(std::string_view line, EquatorialPosition& out);

}  // namespace qv
