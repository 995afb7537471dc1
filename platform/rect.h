// platform/rect.h - integer rectangles and points of windows, dialog items and drawing targets.
// Pixels, origin top-left, y downward. Plain types: every folder may include this.
#pragma once

#include <cstdint>

namespace qv {

// Rect: right and bottom are exclusive, so width = right - left.
struct Rect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

struct Point {
  int32_t x = 0, y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

inline void SetRect(Rect& r, int32_t left, int32_t top, int32_t right, int32_t bottom) {
  r = Rect{left, top, right, bottom};
}

// PointInRect: left <= x < right and top <= y < bottom.
inline bool PointInRect(int32_t x, int32_t y, const Rect& r) {
  return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

inline int32_t RectWidth(const Rect& r) { return r.right - r.left; }
inline int32_t RectHeight(const Rect& r) { return r.bottom - r.top; }

}  // namespace qv
