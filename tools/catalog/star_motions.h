// tools/catalog/star_motions.h - proper motions and distances for the package's stars, from the
// star files (star_data.h). A star is first matched with the text file by position and
// magnitude: it reaches magnitude 9 and gives the Hipparcos parallaxes to 0.1 mas, where the
// binary files stop at magnitude 8 and round parallaxes to whole mas (Sirius 379.0 for 379.2),
// 5,850 of them below zero. A star the text file lacks is matched with the binary files by its HD
// number, else by position and magnitude.
#pragma once

#include <vector>

#include "tools/catalog/sky_entry.h"
#include "tools/catalog/star_data.h"

namespace qv {

// A position match: within this distance at epoch 2000.0 and this difference in magnitude.
constexpr double MotionMatchRadiusArcsec = 10.0;
constexpr double MotionMatchMagnitudes = 0.5;
// An HD match must still agree in position to this: a mistyped HD number never moves a star.
constexpr double HdMatchRadiusArcsec = 60.0;

struct MotionMatchCounts {
  int byHd = 0;
  int byPosition = 0;
  int byText = 0;  // by position and magnitude in the text file
  int unmatched = 0;
  int bright = 0;         // stars brighter than magnitude 8
  int brightMatched = 0;  // of those, the ones that got a motion
  int unreadLines = 0;    // lines of the text file that are no star
};

// AddStarMotions: sets the motion of every star that matches a star of the text file (text) or
// else of the binary files (binary); the nearest candidate wins a position match.
void AddStarMotions(std::vector<SkyEntry>& stars, const std::vector<DataFileStar>& binary,
                    const std::vector<DataFileStar>& text, MotionMatchCounts& counts);

}  // namespace qv
