// objects/summary.cpp - widening a file summary by one record.
#include "objects/summary.h"

#include <algorithm>
#include <cmath>

#include "astro/angles.h"

namespace qv {

void AddToSummary(FileSummary& s, const ObjectRecord& record) {
  const SkyObjectRecord* sky = SkyObjectOf(record);
  if (!sky) {
    if (IsSolarSystemKind(record.kind))
      ++s.solarSystemCount;
    else if (IsLineKind(record.kind))
      ++s.lineCount;
    else if (IsLocationKind(record.kind))
      ++s.locationCount;
    return;
  }
  const int16_t v = sky->visualMagnitude;
  if (IsDeepSkyKind(record.kind)) {
    ++s.deepSkyCount;
    s.deepSkyFaintest = std::max(s.deepSkyFaintest, v);
    s.deepSkyBrightest = std::min(s.deepSkyBrightest, v);
  } else {
    ++s.starCount;
    s.starFaintest = std::max(s.starFaintest, v);
    s.starBrightest = std::min(s.starBrightest, v);
  }
  const Spherical p = RectangularToSpherical(VectorFromDirection(sky->position));
  const auto dec = static_cast<int32_t>(std::trunc(p.lat * BinaryAnglePerRadian));
  const auto ra = static_cast<int32_t>(std::trunc(p.lon * BinaryAnglePerRadian));
  s.decMax = std::max(s.decMax, dec);
  s.decMin = std::min(s.decMin, dec);
  s.raMax = std::max(s.raMax, ra);
  s.raMin = std::min(s.raMin, ra);
}

}  // namespace qv
