// chart/sky_link.h - what the chart derives from the sky context and the object store: the
// zenith, the viewpoint for the legend, and object places brought up to date.
#pragma once

#include <cstdint>

#include "astro/vector.h"
#include "chart/legend.h"
#include "objects/records.h"

namespace qv {

// ChartSystemMatrix: store frame (J2000 equator) -> coordinate system 1-4 at the chart's time.
const Matrix3& ChartSystemMatrix(int system);
Vector3 ChartZenith();          // unit vector in the store frame
double ChartSunAltitude();      // radians, geometric
double ChartHorizonAltitude();  // radians: the altitude of the horizon for rise, set and the mask
bool ChartViewsFromEarth();
uint32_t ChartStarGeneration();  // the stamp of current star places
double ChartPrecessionEpoch();   // Julian date of the equator and equinox the chart shows
LegendFacts ChartLegendFacts();

// UpdatePlace: brings a star's, deep-sky object's or solar-system body's current direction up
// to date for the sky context; false (nothing done) for other kinds.
bool UpdatePlace(ObjectRecord& record);

}  // namespace qv
