// objects/summary.h - the per-file summary kept in the index, so that the chart can skip whole
// database files by magnitude and sky region without reading them.
#pragma once

#include <cstdint>

#include "objects/records.h"

namespace qv {

// Angles are binary: a full circle is 2^30, so +-2^28 is +-90 degrees.
constexpr double BinaryAnglePerRadian = 170891318.89899233;  // 2^30 / 2 pi

struct FileSummary {
  int16_t solarSystemCount = 0;      // kinds 1-38
  int16_t deepSkyCount = 0;          // kinds 61-65
  int16_t starCount = 0;             // kinds 51-56
  int16_t lineCount = 0;             // kinds 91-93
  int16_t locationCount = 0;         // kind 101
  int16_t deepSkyFaintest = -32768;  // largest V (hundredths) among deep-sky objects
  int16_t deepSkyBrightest = 32767;  // smallest V among deep-sky objects
  int16_t starFaintest = -32768;
  int16_t starBrightest = 32767;
  int32_t decMax = -(1 << 28);  // bounds of the sky objects' catalog positions
  int32_t decMin = 1 << 28;
  int32_t raMax = 0;
  int32_t raMin = 1 << 30;

  bool operator==(const FileSummary&) const = default;
};

// AddToSummary: counts the record and widens its group's magnitudes and the position bounds.
void AddToSummary(FileSummary& summary, const ObjectRecord& record);

}  // namespace qv
