// chart/grid.h - the line work fixed to the sky: the R.A./Dec. grid, the equator, the ecliptic,
// the galactic equator and the horizon with its compass points.
#pragma once

#include "chart/chart_options.h"

namespace qv {

// DrawGridAndLines: the grid and the reference circles the settings ask for, the horizon line
// among them.
void DrawGridAndLines(const ChartOptions& options);

// DrawHorizonLine: the horizon circle, never cut by the horizon mask, with compass labels.
void DrawHorizonLine(const ChartOptions& options);

}  // namespace qv
