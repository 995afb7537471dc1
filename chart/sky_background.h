// chart/sky_background.h - the sky behind the chart, coloured by twilight.
#pragma once

#include "chart/chart_options.h"
#include "platform/draw.h"
#include "platform/rect.h"

namespace qv {

// The ground's colour on a Color sky: an earth brown whose luminance (0.12) gives 3:1 contrast
// with black and with white symbols alike, and stands apart from every twilight colour.
constexpr Color GroundColor = MakeColor(120, 95, 60);

// DrawSkyBackground: fills the chart rectangle (without the legend band) for the current
// frame. Where the rectangle's top-left pixel has no sky direction (Spherical, Mollweide) the
// rectangle takes the background colour and only the sphere's image the sky colour. On a Color
// sky seen from the Earth, the ground below the horizon takes an earth colour of its own.
void DrawSkyBackground(const ChartOptions& options, const Rect& chart, double sunAltitude,
                       bool viewingFromEarth);

}  // namespace qv
