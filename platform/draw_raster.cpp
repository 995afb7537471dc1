// platform/draw_raster.cpp - pixel-exact primitives in 32-bit pixel memory.
// Everything is clipped before it is walked, so a line or ellipse thousands of times larger
// than the target costs no more than one that fits.
#include "platform/draw_raster.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace qv {
namespace {

// Ellipse boxes are cut to this range so that the exact inside test fits in 128 bits; a box
// that large is a straight edge across any target anyway.
constexpr int64_t ShapeCoordinateLimit = int64_t{1} << 24;

inline void Put(const RasterTarget& t, int64_t x, int64_t y) {
  uint32_t& p = t.pixels[y * t.stride + x];
  p = t.exclusiveOr ? p ^ (t.value & 0x00ffffffu) : t.value;
}

// RoundedRatio: floor(n / d + 1/2), d != 0; 128 bits because n is a product of two spans.
int64_t RoundedRatio(__int128 n, __int128 d) {
  if (d < 0) n = -n, d = -d;
  const __int128 twice = 2 * n + d, d2 = 2 * d;
  return static_cast<int64_t>(twice >= 0 ? twice / d2 : -((-twice + d2 - 1) / d2));
}

struct Span {
  int64_t begin, end;  // [begin, end); empty when begin >= end
};

void PutSpan(const RasterTarget& t, int64_t y, int64_t begin, int64_t end) {
  begin = std::max<int64_t>(begin, t.clip.left);
  end = std::min<int64_t>(end, t.clip.right);
  for (int64_t x = begin; x < end; ++x) Put(t, x, y);
}

// Twice the box's centre and size: pixel centres then sit on odd numbers and everything
// stays integral.
struct EllipseBox {
  int64_t cx2, cy2, w, h;
  // Inside: ((2x+1-cx2)/w)^2 + ((2y+1-cy2)/h)^2 <= 1, multiplied out.
  bool Inside(int64_t x, int64_t y) const {
    const __int128 dx = 2 * x + 1 - cx2, dy = 2 * y + 1 - cy2;
    return dx * dx * h * h + dy * dy * w * w <= static_cast<__int128>(w) * w * h * h;
  }
};

Span EllipseSpan(const EllipseBox& e, int64_t y) {
  const int64_t dy = 2 * y + 1 - e.cy2;
  if (dy * dy > e.h * e.h) return {0, 0};
  const double half = e.w * std::sqrt(1.0 - double(dy) * dy / (double(e.h) * e.h));
  // Candidates from floating point, settled by the exact test.
  int64_t begin = static_cast<int64_t>(std::ceil((e.cx2 - half - 1) / 2));
  while (e.Inside(begin - 1, y)) --begin;
  while (2 * begin + 1 < e.cx2 && !e.Inside(begin, y)) ++begin;
  if (!e.Inside(begin, y)) return {0, 0};
  const int64_t end = e.cx2 - begin;  // mirror image of begin about the centre
  return {begin, end};
}

}  // namespace

void RasterPixel(const RasterTarget& t, int64_t x, int64_t y) {
  if (x >= t.clip.left && x < t.clip.right && y >= t.clip.top && y < t.clip.bottom) Put(t, x, y);
}

void RasterLine(const RasterTarget& t, int64_t x0, int64_t y0, int64_t x1, int64_t y1,
                bool withEnd) {
  const int64_t dx = x1 - x0, dy = y1 - y0;
  if (dx == 0 && dy == 0) {
    if (withEnd) RasterPixel(t, x0, y0);
    return;
  }
  const bool steep = std::abs(dy) > std::abs(dx);
  // Walk the longer axis as "u", the other as "v".
  const int64_t u0 = steep ? y0 : x0, u1 = steep ? y1 : x1, v0 = steep ? x0 : y0;
  const int64_t du = u1 - u0, dv = steep ? dx : dy;
  const int64_t last = withEnd ? u1 : u1 - (du > 0 ? 1 : -1);
  int64_t lo = std::min(u0, last), hi = std::max(u0, last);
  const Rect& c = t.clip;
  lo = std::max<int64_t>(lo, steep ? c.top : c.left);
  hi = std::min<int64_t>(hi, (steep ? c.bottom : c.right) - 1);
  const int64_t vMin = steep ? c.left : c.top, vEnd = steep ? c.right : c.bottom;
  for (int64_t u = lo; u <= hi; ++u) {
    const int64_t v = v0 + RoundedRatio(static_cast<__int128>(u - u0) * dv, du);
    if (v < vMin || v >= vEnd) continue;
    if (steep)
      Put(t, v, u);
    else
      Put(t, u, v);
  }
}

void RasterShape(const RasterTarget& t, ShapeKind kind, Rect box, int penWidth, bool fill) {
  if (!fill && penWidth <= 0) return;
  const int64_t limit = ShapeCoordinateLimit;
  const int64_t left = std::clamp<int64_t>(box.left, -limit, limit);
  const int64_t right = std::clamp<int64_t>(box.right, -limit, limit);
  const int64_t top = std::clamp<int64_t>(box.top, -limit, limit);
  const int64_t bottom = std::clamp<int64_t>(box.bottom, -limit, limit);
  if (left >= right || top >= bottom) return;
  const int64_t band = fill ? 0 : penWidth;
  // Rows that can change, with room for the band's erosion to see its neighbours.
  const int64_t first = std::max<int64_t>(top, int64_t{t.clip.top} - band);
  const int64_t end = std::min<int64_t>(bottom, int64_t{t.clip.bottom} + band);
  if (first >= end) return;

  const EllipseBox ellipse{left + right, top + bottom, right - left, bottom - top};
  std::vector<Span> shape(end - first);
  for (int64_t y = first; y < end; ++y) {
    shape[y - first] = kind == ShapeKind::Rectangle ? Span{left, right} : EllipseSpan(ellipse, y);
  }
  const auto drawRows = [&](auto&& draw) {
    for (int64_t y = std::max<int64_t>(first, t.clip.top);
         y < std::min<int64_t>(end, t.clip.bottom); ++y) {
      draw(y, shape[y - first]);
    }
  };
  if (fill) {
    drawRows([&](int64_t y, Span s) { PutSpan(t, y, s.begin, s.end); });
    return;
  }
  // The inside: the shape eroded band times, one pixel each time from every side.
  std::vector<Span> inside = shape;
  constexpr Span Empty{0, 0};
  const auto empty = [](Span s) { return s.begin >= s.end; };
  for (int64_t step = 0; step < band; ++step) {
    std::vector<Span> next(inside.size(), Empty);
    for (size_t i = 1; i + 1 < inside.size(); ++i) {
      const Span above = inside[i - 1], row = inside[i], below = inside[i + 1];
      if (empty(above) || empty(row) || empty(below)) continue;
      next[i] = {std::max({row.begin + 1, above.begin, below.begin}),
                 std::min({row.end - 1, above.end, below.end})};
    }
    inside = std::move(next);
  }
  drawRows([&](int64_t y, Span s) {
    const Span in = inside[y - first];
    if (empty(in)) {
      PutSpan(t, y, s.begin, s.end);
    } else {
      PutSpan(t, y, s.begin, in.begin);
      PutSpan(t, y, in.end, s.end);
    }
  });
}

}  // namespace qv
