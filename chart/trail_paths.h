// chart/trail_paths.h - what trails record at each animation step and the paths the chart draws
// through what they recorded: from the object's present place back through its stored points,
// newest first, with tick marks and date labels, through the projected-line engine (so a trail is
// cut at the horizon and clipped like every sky line). Positions are read from the current sky.
#pragma once

#include "chart/chart_options.h"

namespace qv {

// RecordTrailPoint: stores the object's present place as the trail's newest point (the oldest
// falls off a full trail), with the sky's dynamical time less J2000:
//   TrailInSpace               the position in space (heliocentric, J2000 equator, AU); for a
//                              body that orbits a central body, relative to that body
//   TrailInSky                 the apparent direction, a unit vector in the store's frame
//   TrailInCurrentCoordinates  that direction in the chart's coordinate system (1-4)
// A trail whose object no longer exists is deleted instead.
void RecordTrailPoint(int slot, int coordinateSystem);

// RecordTrailPoints: RecordTrailPoint for every trail, in slot order.
void RecordTrailPoints(int coordinateSystem);

// DrawTrail: the trail's polyline in the current frame: from the object's present direction
// (unless the observer stands at it), then through each stored point. A point's direction: type 1
// the stored position plus the central body's present position less the observer's (a point
// at the observer is skipped); type 2 the stored direction; type 3 the stored vector turned back
// from the chart's present coordinate system. On each drawn segment whose end is visible, a
// vertical tick of 5 pixels when ticks are on and i mod t = count mod t, and the point's local
// date ("%4ld/%02hd/%02.0f") 3 pixels right and below when dates are on and i mod d = count mod d
// (i counts points from the newest, 0; tying marks to the count keeps each on its point as the
// trail grows). Colour: the foreground without colours, else the star colour for stars and
// deep-sky objects and the planet colour for solar-system bodies. A trail whose object no longer
// exists is deleted instead.
void DrawTrail(int slot, const ChartOptions& options);

// DrawTrails: DrawTrail for every trail, in slot order.
void DrawTrails(const ChartOptions& options);

}  // namespace qv
