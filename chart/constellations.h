// chart/constellations.h - constellation figures, boundaries and names from the store's line
// records, drawn as polylines through the projected-line engine.
#pragma once

#include "chart/chart_options.h"

namespace qv {

// DrawConstellations: every line record of every loadable region in the store's order; figure
// lines (between two stars) first take their ends from the stars' current places and are
// skipped when a star is gone.
void DrawConstellations(const ChartOptions& options);

}  // namespace qv
