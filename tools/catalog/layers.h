// tools/catalog/layers.h - splitting sky objects into files by magnitude layer and sky region.
// The chart skips a whole database file when its brightest object is fainter than the limit, or
// when its box of positions lies off the chart; so bright objects share one file that a wide
// chart reads, and fainter layers are cut into regions that a narrow chart picks a few of.
#pragma once

#include <string>
#include <vector>

#include "tools/catalog/sky_entry.h"

namespace qv {

// A layer holds the objects fainter than the previous layer's limit and at most as faint as its
// own (the last layer also those of unknown magnitude). bandDeg 0: one whole-sky region;
// otherwise declination bands of that height, each cut into cells of about that width.
struct MagnitudeLayer {
  double faintestMagnitude;
  double bandDeg;
};

// Regions of a band height: cells per band = max(1, round(360 cos(mid-declination) / band)),
// numbered from the south pole eastward from right ascension 0; cells never straddle 0h.
int RegionCount(double bandDeg);
int RegionOf(SkyPosition position, double bandDeg);

struct SkyFile {
  std::string name;  // "Stars0.txt", "Stars2-17.txt"
  size_t layer = 0;
  std::vector<const SkyEntry*> entries;  // brightest first, unknown magnitudes last
};

// SplitIntoFiles: every entry in exactly one file; a region with more than MaxObjectsPerFile
// objects (the program's limit for one database file) continues in further files
// ("Stars2-17-2.txt"). Empty regions give no file.
std::vector<SkyFile> SplitIntoFiles(const std::vector<SkyEntry>& entries,
                                    const std::vector<MagnitudeLayer>& layers,
                                    const std::string& prefix);

}  // namespace qv
