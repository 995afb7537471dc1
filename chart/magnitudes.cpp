// chart/magnitudes.cpp - magnitude limits and the star-size scale (see magnitudes.h).
#include "chart/magnitudes.h"

#include <algorithm>
#include <cmath>

namespace qv {
namespace {

constexpr int SizeBands = 5;  // star radii 1..6: five bands between the two limits
constexpr int LargestRadius = 6;

// The settings fields holding the limits of the deep-sky kinds 61-65, in kind order.
constexpr int16_t ChartOptions::*KindLimits[] = {
    &ChartOptions::FaintestOpenClusterMagnitude, &ChartOptions::FaintestGlobularClusterMagnitude,
    &ChartOptions::FaintestDiffuseNebulaMagnitude, &ChartOptions::FaintestPlanetaryNebulaMagnitude,
    &ChartOptions::FaintestGalaxyMagnitude};

// A limit moved by n. Repeated zooming must neither wrap the 16-bit value nor land exactly on
// 32767, which would silently turn the limit into "no limit".
int16_t Shifted(int16_t limit, int n) {
  const int moved = std::clamp(limit + n, -32768, NoMagnitudeLimit - 1);
  return static_cast<int16_t>(moved);
}

void ShiftIfSet(int16_t& limit, int n) {
  if (limit != NoMagnitudeLimit) limit = Shifted(limit, n);
}

}  // namespace

StarSizeScale& CurrentStarScale() {
  static StarSizeScale scale;
  return scale;
}

void UpdateStarScale(const ChartOptions& options, StarSizeScale& scale) {
  if (options.BrightestStarMagnitude != NoMagnitudeLimit) {
    scale.brightest = options.BrightestStarMagnitude;
  }
  if (options.FaintestStarMagnitude != NoMagnitudeLimit) {
    scale.faintest = options.FaintestStarMagnitude;
  }
  scale.step = (scale.faintest - scale.brightest) / SizeBands;
  if (scale.step == 0) scale.step = 1;
}

int StarRadius(const StarSizeScale& scale, int magnitude) {
  if (magnitude > scale.faintest) return 1;
  if (magnitude < scale.brightest) return LargestRadius;
  return (scale.faintest - magnitude) / scale.step + 1;
}

int16_t KindMagnitudeLimit(const ChartOptions& options, int kind) {
  return IsDeepSkyKind(kind) ? options.*KindLimits[kind - KindOpenCluster] : NoMagnitudeLimit;
}

void SetKindMagnitudeLimit(ChartOptions& options, int kind, int16_t limit) {
  if (IsDeepSkyKind(kind)) options.*KindLimits[kind - KindOpenCluster] = limit;
}

int16_t DeepSkyFaintest(const ChartOptions& options) {
  int16_t faintest = KindMagnitudeLimit(options, KindOpenCluster);
  for (int kind = KindOpenCluster + 1; kind <= KindGalaxy; ++kind) {
    faintest = std::max(faintest, KindMagnitudeLimit(options, kind));
  }
  return faintest;
}

void ShiftMagnitudeLimits(ChartOptions& options, int n) {
  // The star limits are always set in practice; one that reads 32767 stays "no limit" like the
  // others, so Fainter then Brighter restores every limit.
  ShiftIfSet(options.BrightestStarMagnitude, n);
  ShiftIfSet(options.FaintestStarMagnitude, n);
  for (int16_t ChartOptions::*limit : KindLimits) ShiftIfSet(options.*limit, n);
  ShiftIfSet(options.FaintestPlanetMagnitude, n);
  ShiftIfSet(options.FaintestStarLabelMagnitude, n);
  ShiftIfSet(options.FaintestPlanetLabelMagnitude, n);
  ShiftIfSet(options.FaintestDeepSkyLabelMagnitude, n);
}

int AutomaticLimitShift(double oldField, double newField) {
  if (!(oldField > 0 && newField > 0)) return 0;
  return static_cast<int>(std::round(100 * std::log2(oldField / newField)));
}

}  // namespace qv
