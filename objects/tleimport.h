// objects/tleimport.h - two-line orbital elements of Earth satellites.
//
// A set is three lines: a name line that is not empty, line 1 (starting "1") and line 2
// (starting "2"). Lines are read as a sliding window of three; lines that complete no set are
// passed over. A set is taken only when both lines are whole (69 characters), their checksums
// (column 68: the sum of the digits before it, a "-" counting 1, modulo 10) agree, their blanks
// and decimal points are where the format puts them, both name one satellite, and every element
// is within its range. Fields are read at fixed 0-based columns:
//   name line longer than 36 characters: size (m) at 16, standard magnitude at 30 ("%4lf");
//     with a magnitude the name is cut to 14 characters
//   line 1: epoch year 18 ("%2ld": below 51 is 20xx), day of the year 20 ("%12lf"), first
//     derivative of the mean motion / 2 at 33 ("%10lf", rev/day^2), second derivative / 6 as
//     mantissa 44 ("%6lf" x 1e-5) and exponent 50 ("%2d")
//   line 2: inclination 8, node 17, eccentricity 26 ("%7lf" x 1e-7), argument of perigee 34,
//     mean anomaly 43 (degrees, "%8lf"), mean motion 52 ("%11lf", rev/day)
// The orbit circles the database's Earth record; its rates come from the Earth's oblateness.
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <string_view>

#include "objects/records.h"

namespace qv {

// ElementSetProblem: why the two lines are no element set to take, in a few words ("the checksum
// of line 1 is 3, not 7"); empty when they are one.
std::string ElementSetProblem(std::string_view line1, std::string_view line2);

// ElementSetToRecord: the OrbitRecord of kind 14 for one set, with its apparent place computed
// once for the current sky context. ResultFailed when the set is not well formed (its problem
// in problem, when given) or the database holds no Earth (message 523 with "Earth").
int ElementSetToRecord(std::string_view nameLine, std::string_view line1, std::string_view line2,
                       std::unique_ptr<ObjectRecord>& out, std::string* problem = nullptr);

// ElementWindow: the last three lines seen.
struct ElementWindow {
  std::deque<std::string> lines;
};

// PushElementLine: adds a line; true when the window now holds a set, which is taken out of the
// window into nameLine, line1, line2.
bool PushElementLine(ElementWindow& window, std::string_view line, std::string& nameLine,
                     std::string& line1, std::string& line2);

}  // namespace qv
