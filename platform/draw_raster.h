// platform/draw_raster.h - pixel-exact lines, points, rectangles and ellipses in 32-bit pixel
// memory (0xffRRGGBB). The drawing port uses these on windows and images so that every pixel a
// chart test asserts follows the rules below, whatever the rendering library does.
#pragma once

#include <cstdint>

#include "platform/rect.h"

namespace qv {

struct RasterTarget {
  uint32_t* pixels = nullptr;
  int64_t stride = 0;        // pixels from one row to the next
  Rect clip;                 // pixels that may change, inside the memory's bounds
  uint32_t value = 0;        // 0xffRRGGBB
  bool exclusiveOr = false;  // combine the colour with the pixel instead of replacing it
};

// RasterPixel: one pixel when inside the clip.
void RasterPixel(const RasterTarget& t, int64_t x, int64_t y);

// RasterLine: the pixels nearest the line from (x0, y0) to (x1, y1), one per step along the
// longer axis: at each x the y of the exact line rounded half up (or x at each y for steep
// lines), the same pixels whichever end the line starts from. withEnd false leaves out
// (x1, y1); a line to its own start is then empty, and else the single pixel.
void RasterLine(const RasterTarget& t, int64_t x0, int64_t y0, int64_t x1, int64_t y1,
                bool withEnd);

// RasterShape: the pixels of box (a rectangle, or those whose centres lie inside the inscribed
// ellipse), all of them when fill is set, else the outer band penWidth pixels wide (a pixel is
// in the band when fewer than penWidth steps up, down, left or right leave the shape).
enum class ShapeKind { Rectangle, Ellipse };
void RasterShape(const RasterTarget& t, ShapeKind kind, Rect box, int penWidth, bool fill);

}  // namespace qv
