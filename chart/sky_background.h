// chart/sky_background.h - the sky behind the chart, coloured by twilight.
#pragma once

#include "chart/chart_options.h"
#include "platform/rect.h"

namespace qv {

// DrawSkyBackground: fills the chart rectangle (without the legend band) for the current
// frame. Where the rectangle's top-left pixel has no sky direction (Spherical, Mollweide) the
// rectangle takes the background colour and only the sphere's image the sky colour.
void DrawSkyBackground(const ChartOptions& options, const Rect& chart, double sunAltitude,
                       bool viewingFromEarth);

}  // namespace qv
