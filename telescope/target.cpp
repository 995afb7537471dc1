// telescope/target.cpp - targets from database objects.
#include "telescope/target.h"

#include <cmath>
#include <cstdio>

#include "astro/angles.h"
#include "astro/constants.h"

namespace qv {

TelescopeTarget TargetFromObject(const ObjectRecord& record) {
  const Spherical s = RectangularToSpherical(CurrentDirectionVector(record));
  return {record.id, {s.lon, s.lat}};
}

std::string TargetSizeText(const ObjectRecord& record) {
  const double size = AngularSize(record);
  if (!(size > 0) || !std::isfinite(size)) return {};  // unknown sizes are infinite
  char text[64];
  if (IsDeepSkyKind(record.kind)) {
    std::snprintf(text, sizeof text, "%.1f'", size * ArcminutesPerRadian);
  } else {
    std::snprintf(text, sizeof text, "%.1f\"", size * ArcsecondsPerRadian);
  }
  return text;
}

}  // namespace qv
