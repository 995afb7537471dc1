// chart/milky_way.h - the Milky Way on the chart: each brightness level's area filled, the
// faintest and widest first, under everything else drawn on the sky.
//
// A level's area is clipped on the sphere, where its meaning is plain (objects/milky_way.h), to
// the part of the sky the chart shows: above the horizon while the mask is on, and within a cap
// around the chart's centre that holds the whole chart but keeps away from where the projection
// runs off to infinity or turns over. Where a ring leaves that part, the part's edge is followed
// along the sky until a ring comes back, as far as the level's area reaches there. The Mercator
// and Mollweide maps of the whole sky are cut that way into their front half and the two halves
// of their back on either side of the rear seam, each drawn on its own. The clipped outlines are
// projected like every other line of the chart and filled by the even-odd rule.
#pragma once

#include <array>
#include <vector>

#include "chart/chart_options.h"
#include "chart/projection.h"
#include "objects/milky_way.h"
#include "platform/draw.h"

namespace qv {

// The fill of each level: level k lies k/5 of the way from the sky's colour to the Milky Way's.
using MilkyWayShades = std::array<Color, MilkyWayLevels>;
MilkyWayShades MilkyWayShadesBetween(Color sky, Color milkyWay);

// One level's area on the chart: pieces of its outline in chart pixels, open or closed, which
// together close (each open piece ends where another begins), filled by the even-odd rule.
struct MilkyWayArea {
  int level = 0;
  std::vector<std::vector<PolygonPoint>> pieces;
};

// MilkyWayAreas: the outline's levels as the frame shows them.
std::vector<MilkyWayArea> MilkyWayAreas(const MilkyWay& outline, const ChartFrame& frame);

// DrawMilkyWay: fills the areas of the outline on the frame into the current port.
void DrawMilkyWay(const MilkyWay& outline, const ChartFrame& frame, const MilkyWayShades& shades);

// DrawMilkyWayPass: the chart's pass: the outline beside the open database (read once for each
// database directory) on the current frame, in the options' custom colour MilkyWayColor (a grey
// of it without colours, a red on the red screen); nothing on a light (white or daytime) sky.
void DrawMilkyWayPass(const ChartOptions& options);

}  // namespace qv
