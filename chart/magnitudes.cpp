// chart/magnitudes.cpp - magnitude limits and the star-size scale (see magnitudes.h).
#include "chart/magnitudes.h"

#include <algorithm>
#include <cmath>

namespace qv {
namespace {

constexpr int SizeBands = 5;  // star radii 1..6: five bands between the two limits
constexpr int LargestRadius = 6;

// The settings fields holding the limits of the deep-sky kinds 61-65, in kind order.
constexpr int16_t ChartSettings::*KindLimits[] = {
    &ChartSettings::FaintestOpenClusterMagnitude, &ChartSettings::FaintestGlobularClusterMagnitude,
    &ChartSettings::FaintestDiffuseNebulaMagnitude,
    &ChartSettings::FaintestPlanetaryNebulaMagnitude, &ChartSettings::FaintestGalaxyMagnitude};

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

void UpdateStarScale(const ChartSettings& settings, StarSizeScale& scale) {
  if (settings.BrightestStarMagnitude != NoMagnitudeLimit) {
    scale.brightest = settings.BrightestStarMagnitude;
  }
  if (settings.FaintestStarMagnitude != NoMagnitudeLimit) {
    scale.faintest = settings.FaintestStarMagnitude;
  }
  scale.step = (scale.faintest - scale.brightest) / SizeBands;
  if (scale.step == 0) scale.step = 1;
}

int StarRadius(const StarSizeScale& scale, int magnitude) {
  if (magnitude > scale.faintest) return 1;
  if (magnitude < scale.brightest) return LargestRadius;
  return (scale.faintest - magnitude) / scale.step + 1;
}

int16_t KindMagnitudeLimit(const ChartSettings& settings, int kind) {
  return IsDeepSkyKind(kind) ? settings.*KindLimits[kind - KindOpenCluster] : NoMagnitudeLimit;
}

void SetKindMagnitudeLimit(ChartSettings& settings, int kind, int16_t limit) {
  if (IsDeepSkyKind(kind)) settings.*KindLimits[kind - KindOpenCluster] = limit;
}

int16_t DeepSkyFaintest(const ChartSettings& settings) {
  int16_t faintest = KindMagnitudeLimit(settings, KindOpenCluster);
  for (int kind = KindOpenCluster + 1; kind <= KindGalaxy; ++kind) {
    faintest = std::max(faintest, KindMagnitudeLimit(settings, kind));
  }
  return faintest;
}

void ShiftMagnitudeLimits(ChartSettings& settings, int n) {
  // The star limits are always set in practice; one that reads 32767 stays "no limit" like the
  // others, so Fainter then Brighter restores every limit.
  ShiftIfSet(settings.BrightestStarMagnitude, n);
  ShiftIfSet(settings.FaintestStarMagnitude, n);
  for (int16_t ChartSettings::*limit : KindLimits) ShiftIfSet(settings.*limit, n);
  ShiftIfSet(settings.FaintestPlanetMagnitude, n);
  ShiftIfSet(settings.FaintestStarLabelMagnitude, n);
  ShiftIfSet(settings.FaintestPlanetLabelMagnitude, n);
  ShiftIfSet(settings.FaintestDeepSkyLabelMagnitude, n);
}

int AutomaticLimitShift(double oldField, double newField) {
  if (!(oldField > 0 && newField > 0)) return 0;
  return static_cast<int>(std::round(100 * std::log2(oldField / newField)));
}

}  // namespace qv
