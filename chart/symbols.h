// chart/symbols.h - the symbols of stars and deep-sky objects, star colours from B-V and the
// soft rendered star. Symbols draw with the current pen colour (the caller sets it); boxes are
// those of DrawEllipse: right and bottom exclusive.
#pragma once

#include "chart/magnitudes.h"
#include "platform/draw.h"

namespace qv {

// StarColorFromIndex: the colour of a B-V index in hundredths; 32767 (unknown) gives white.
Color StarColorFromIndex(int colorIndex);

// Marks added to a star symbol.
enum StarMarks : int { MarkNone = 0, MarkMultiple = 1, MarkVariable = 2 };

// DrawStarSymbol: the filled star of radius r (StarRadius) centred on (x, y) with its marks;
// large selects the larger disks (ShowLargeStars).
void DrawStarSymbol(int x, int y, int r, int marks, bool large);

// DrawDeepSkySymbol: the unfilled symbol of a deep-sky kind (61-65) of pixel radius r; other
// kinds draw nothing. The fill is off while it draws and restored afterwards.
void DrawDeepSkySymbol(int kind, int x, int y, int r);

// RenderStar: adds a soft star of that magnitude and colour into a 32-bit image (other depths
// are left alone), or subtracts its complement on a white sky; with `within`, only the pixels
// inside that rectangle (the legend's band) take the glow.
void RenderStar(Image* image, int x, int y, int magnitude, Color color, bool whiteSky,
                const StarSizeScale& scale, const Rect* within = nullptr);

// RenderedStarReach: the radius in pixels of a rendered star's bright part (where its glow is at
// least half of full), which labels keep off.
int RenderedStarReach(int magnitude, const StarSizeScale& scale);

}  // namespace qv
