// chart/readout.h - the mouse coordinate readout in the chart's top-left corner.
#pragma once

#include <string>

#include "chart/chart_options.h"

namespace qv {

// MouseReadoutText: the sky coordinates under (x, y) in the chart's system and, with a second
// point (x2 != 0), the separation and position angle from it; false where the pixel has no sky.
bool MouseReadoutText(int x, int y, int x2, int y2, std::string& text);

// DrawMouseReadout: erases the previous readout and draws the new one at (3, 3) into the
// current port; a pixel without sky leaves the old readout standing.
void DrawMouseReadout(const ChartOptions& options, int x, int y, int x2, int y2);

}  // namespace qv
