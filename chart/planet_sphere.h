// chart/planet_sphere.h - rendered bodies: a globe shaded from its cylindrical surface map and
// lit by the Sun, and Saturn's rings from their radial profile, written straight into the
// chart's 32-bit off-screen image (other images are left alone).
#pragma once

#include <cstdint>

#include "chart/planet_disk.h"
#include "chart/planet_view.h"
#include "platform/draw.h"

namespace qv {

// SurfaceMap: a cylindrical map, rows top-down, three bytes (red, green, blue) a texel. Columns
// run over longitude 0 to 360 degrees of the body's own system, rows from the north pole down to
// the south pole. The ring profile's first row runs from the rings' inner to their outer edge,
// its red bytes the opacity. An empty map (no pixels) stands for a missing file.
struct SurfaceMap {
  int width = 0, height = 0;
  const uint8_t* rgb = nullptr;
};

// How texels are coloured: as they are, as grey (colours off), or as red only (red screen).
enum TexelTint : int { TintNatural = 0, TintGrey = 1, TintRed = 2 };

// The grey of a body without a surface map, and the opacity of rings without a profile.
constexpr int MissingMapGrey = 192;

// RenderGlobe: every pixel of the image whose centre lies inside the disk (1 - u^2 - v^2 > 0)
// takes the texel under it, times c^0.72 where c is the cosine between the surface's normal and
// the Sun (black where c <= 0).
void RenderGlobe(Image* image, const PlanetView& view, const SurfaceMap& map, TexelTint tint);

// RenderRings: the pixels of one half of the rings (behind or before the planet's centre) are
// brightened toward white by the profile's opacity a: each channel c becomes
// trunc(c + (255 - c) a f), f = 1, 0.88, 0.82 for red, green, blue (the grey mean of those
// without colours, red only on a red screen).
void RenderRings(Image* image, const PlanetView& view, const SurfaceMap& profile, RingHalf half,
                 TexelTint tint);

}  // namespace qv
