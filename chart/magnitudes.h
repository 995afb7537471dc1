// chart/magnitudes.h - magnitude limits and the star-size scale.
// Magnitudes are signed hundredths; NoMagnitudeLimit (32767) in a limit means "no limit", and
// an object without a magnitude carries the same value, so it passes only such a limit.
#pragma once

#include <cstdint>

#include "chart/chart_options.h"

namespace qv {

// StarSizeScale: the star sizes of one drawing. brightest and faintest copy the settings' star
// limits; a limit of 32767 leaves the previous copy. step = (faintest - brightest) / 5, at least 1.
struct StarSizeScale {
  int brightest = 50;
  int faintest = 550;
  int step = 100;
};

StarSizeScale& CurrentStarScale();
void UpdateStarScale(const ChartOptions& options, StarSizeScale& scale);

// StarRadius: 1 (faintest) to 6 (brightest): m > faintest 1, m < brightest 6, otherwise
// (faintest - m) / step + 1.
int StarRadius(const StarSizeScale& scale, int magnitude);

// The deep-sky limits by object kind: kinds 61-65 read the settings, every other kind has no
// limit; writes to other kinds are ignored.
int16_t KindMagnitudeLimit(const ChartOptions& options, int kind);
void SetKindMagnitudeLimit(ChartOptions& options, int kind, int16_t limit);
// DeepSkyFaintest: the largest of the limits of kinds 61-65.
int16_t DeepSkyFaintest(const ChartOptions& options);

// ShiftMagnitudeLimits: adds n hundredths to every limit that is set (not 32767). Results stay
// within the 16-bit range and never become 32767 by accident.
void ShiftMagnitudeLimits(ChartOptions& options, int n);

// AutomaticLimitShift: 100 log2(oldField / newField), rounded half away from zero: halving the
// field shows one magnitude fainter.
int AutomaticLimitShift(double oldField, double newField);

}  // namespace qv
