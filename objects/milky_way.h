// objects/milky_way.h - the Milky Way's outline, read from "MilkyWay.txt" in the database
// directory (the set-up tools write it from the sky-map package's mw.json).
//
// The file is text, one item a line:
//   # ...       a comment
//   R n         starts a ring of brightness level n, 1 (faintest and widest) to 5 (brightest)
//   ra dec      a vertex of the ring: J2000 right ascension and declination in degrees
// Blank lines are skipped. A ring is closed: its last vertex joins its first. The rings of one
// level bound that level's area by the even-odd rule on the sphere: a point lies inside when
// the great-circle arc to it from the north galactic pole, which lies outside every level,
// crosses the level's rings an odd number of times. So the two rings that follow the band's
// edges around the sky bound the band between them, and a ring inside it is a dark gap.
#pragma once

#include <string_view>
#include <vector>

#include "astro/vector.h"

namespace qv {

constexpr int MilkyWayLevels = 5;

struct MilkyWayRing {
  int level = 0;                // 1..MilkyWayLevels
  std::vector<Vector3> points;  // unit vectors, J2000 equator; at least 3
};

struct MilkyWay {
  std::vector<MilkyWayRing> rings;
};

// The north galactic pole (R.A. 192.85948, Dec. +27.12825 degrees, J2000), a unit vector.
Vector3 NorthGalacticPole();

// ParseMilkyWay: the rings of the text. False, with out emptied, when a line is none of the
// above (a level outside 1..5, a vertex before the first ring or off the sphere, a ring of
// fewer than 3 vertices): a damaged outline is not drawn at all rather than drawn wrong.
bool ParseMilkyWay(std::string_view text, MilkyWay& out);

// ReadMilkyWay: the file at path; ResultOk, ResultNotFound when it cannot be read (a database
// built without one), ResultReadError when it does not parse.
int ReadMilkyWay(std::string_view path, MilkyWay& out);

}  // namespace qv
