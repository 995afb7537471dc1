// chart/planet_disk.h - the vector drawing of a body's disk: the flat disk with its phase, the
// coordinate grid of its globe and the flat outline of Saturn's rings. Everything goes through the
// drawing port with pixel coordinates; a view (chart/planet_view.h) says how the globe lies.
#pragma once

#include "chart/planet_view.h"
#include "platform/draw.h"

namespace qv {

// The dark part is drawn only beyond this phase angle (radians): a nearly full disk has none.
constexpr double PhaseShadowThreshold = 0.05;
constexpr int PhaseShadowHalfPoints = 18;  // along the limb, and again along the terminator

// Rings of Saturn, in Saturn radii: inside of the C ring to outside of the A ring.
constexpr double RingInnerRadius = 1.2324;
constexpr double RingOuterRadius = 2.3217;

struct DiskColors {
  Color fill = 0;     // the disk
  Color shadow = 0;   // its dark part
  Color outline = 0;  // its edge
};

// PhaseShadow: the dark part as a polygon of 2 x PhaseShadowHalfPoints pixels: along the limb
// from one horn around the side away from the Sun, then back along the terminator. count is 0
// when the phase angle is at most PhaseShadowThreshold (nearly full), and when it is within that
// of pi (new, or eclipsed: the whole disk is dark).
struct PhaseShadow {
  int count = 0;
  int16_t xs[2 * PhaseShadowHalfPoints] = {};
  int16_t ys[2 * PhaseShadowHalfPoints] = {};
};
PhaseShadow MakePhaseShadow(const PlanetView& view);

// DrawFlatDisk: the filled disk (x - r, y - r, x + r + 1, y + r + 1), its dark part, then its
// outline, in the given colours. A new or eclipsed disk is filled with the dark colour.
void DrawFlatDisk(const PlanetView& view, const DiskColors& colors);

// DrawPlanetGrid: in the current pen, the parts on the visible hemisphere of the latitude circles
// -90, -60 ... +60 degrees (72 segments each) and of the meridians 0, 30 ... 330 degrees (pole to
// pole in 36 segments each) of the body's own longitude system.
void DrawPlanetGrid(const PlanetView& view);

// DrawFlatRings: in the current pen, the half of the rings' inner and outer edges (radii
// trunc(1.2324 r) and trunc(2.3217 r)) beyond the planet's centre, or the half before it, each
// as 18 points of an ellipse in the ring plane.
enum RingHalf : int { RingsBehind = 0, RingsInFront = 1 };
void DrawFlatRings(const PlanetView& view, RingHalf half);

}  // namespace qv
