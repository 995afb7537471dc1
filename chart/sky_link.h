// chart/sky_link.h - what the chart reads from the astronomy core and the object store: the
// coordinate systems' matrices, the zenith and the Sun, object places brought up to date, the
// viewpoint for the legend. One file, so the drawing passes read plain values.
#pragma once

#include <cstdint>

#include "astro/vector.h"
#include "chart/legend.h"
#include "objects/records.h"

namespace qv {

// ChartSystemMatrix: store frame (J2000 equatorial) -> coordinate system 1-4 at the chart's time.
const Matrix3& ChartSystemMatrix(int system);
Vector3 ChartZenith();              // unit vector, store frame
double ChartSunAltitude();          // radians, geometric
bool ChartViewsFromEarth();
uint32_t ChartStarGeneration();     // the counter current star places are stamped with
double ChartPrecessionEpoch();      // Julian date of the equator and equinox shown
LegendFacts ChartLegendFacts();

// UpdatePlace: brings a record's current direction up to date (stars and deep-sky objects by
// the star generation, solar-system bodies by the planet generation); false for other kinds.
bool UpdatePlace(ObjectRecord& record);

}  // namespace qv
