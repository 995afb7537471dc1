// chart/sky_circle.cpp - the circle generator and the grid labels (see sky_circle.h).
// Points are turned step by step in fixed point. The fraction has 30 bits, not the 15 of the
// classic generator: with 15 bits a circle lands up to 6" off at its first point and drifts
// further with every turn, which at fields of a few arc minutes puts grid lines visibly in the
// wrong place. 30 bits keep the drift of a whole circle below a milliarcsecond.
#include "chart/sky_circle.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "astro/constants.h"
#include "chart/lines.h"
#include "chart/projection.h"
#include "platform/draw.h"

namespace qv {
namespace {

constexpr int FractionBits = 30;
constexpr double FixedOne = 1073741824.0;  // 2^30: the fixed-point unit and DirectionVector scale

int64_t Fixed(double value) { return static_cast<int64_t>(value * FixedOne); }

int64_t FixedProduct(int64_t a, int64_t b) { return (a * b) >> FractionBits; }

// Turns (u, v) by the angle whose cosine and sine are c and s.
void Turn(int64_t& u, int64_t& v, int64_t c, int64_t s) {
  const int64_t u2 = FixedProduct(u, c) - FixedProduct(v, s);
  v = FixedProduct(u, s) + FixedProduct(v, c);
  u = u2;
}

// A point of the circle in its own system, fixed point: a parallel turns (x, y) about the pole;
// a meridian turns (rho, z) along its longitude.
struct CirclePoint {
  int64_t u = 0, v = 0;            // parallel: x, y; meridian: rho, z
  int64_t z = 0;                   // parallel only
  int64_t cosLon = 0, sinLon = 0;  // meridian only
  int kind = CircleParallel;

  void Coordinates(int64_t p[3]) const {
    if (kind == CircleParallel) {
      p[0] = u, p[1] = v, p[2] = z;
    } else {
      p[0] = FixedProduct(u, cosLon), p[1] = FixedProduct(u, sinLon), p[2] = v;
    }
  }
};

CirclePoint FirstPoint(const SkyCircle& circle) {
  CirclePoint p;
  p.kind = circle.kind;
  if (circle.kind == CircleParallel) {
    const double rho = std::cos(circle.fixed);
    p.u = Fixed(rho * std::cos(circle.start));
    p.v = Fixed(rho * std::sin(circle.start));
    p.z = Fixed(std::sin(circle.fixed));
  } else {
    p.u = Fixed(std::cos(circle.start));
    p.v = Fixed(std::sin(circle.start));
    p.cosLon = Fixed(std::cos(circle.fixed));
    p.sinLon = Fixed(std::sin(circle.fixed));
  }
  return p;
}

// The store-frame direction (length 2^30) of a point: the transpose of the system matrix.
Vector3 ToStore(const int64_t f[3][3], const CirclePoint& point) {
  int64_t p[3];
  point.Coordinates(p);
  double out[3];
  for (int j = 0; j < 3; ++j) {
    out[j] = static_cast<double>(FixedProduct(f[0][j], p[0]) + FixedProduct(f[1][j], p[1]) +
                                 FixedProduct(f[2][j], p[2]));
  }
  return {out[0], out[1], out[2]};
}

std::vector<Rect>& PlacedLabels() {
  static std::vector<Rect> boxes;
  return boxes;
}

bool Overlaps(const Rect& box) {
  const auto& placed = PlacedLabels();
  return std::any_of(placed.begin(), placed.end(), [&](const Rect& r) {
    return box.left < r.right && r.left < box.right && box.top < r.bottom && r.top < box.bottom;
  });
}

// Inside: the top-left corner that keeps a box of that size inside the chart, top and left
// winning when the chart is smaller than the box.
Point Inside(const ChartFrame& f, int width, int height, int x, int y) {
  return Point{std::max(f.left, std::min(x, f.right - width)),
               std::max(f.top, std::min(y, f.bottom - height))};
}

// Labels stand with their top-left corner on the pixel, moved inside the chart and off the
// labels already there.
void DrawCircleLabel(const char* label, int x, int y) {
  int width = 0, height = 0;
  MeasureText(label, 0, &width, &height);
  Point at;
  if (PlaceEdgeLabel(width, height, x, y, at)) DrawText(label, 0, at.x, at.y);
}

}  // namespace

bool PlaceEdgeLabel(int width, int height, int x, int y, Point& at) {
  constexpr int Steps = 4;  // label sizes tried each way
  const ChartFrame& f = CurrentChartFrame();
  const Point wanted = Inside(f, width, height, x, y);
  // The wanted place, then nearest first: one height down, one up, two down, ...; then widths
  // right and left.
  for (int m = -1; m < 4 * Steps; ++m) {
    Point moved = wanted;
    if (m >= 0) {
      const int k = (m % (2 * Steps)) / 2 + 1, sign = m % 2 ? -1 : 1;
      if (m < 2 * Steps)
        moved.y += sign * k * (height + 1);
      else
        moved.x += sign * k * (width + 1);
    }
    at = Inside(f, width, height, moved.x, moved.y);
    const Rect box{at.x, at.y, at.x + width, at.y + height};
    if (!Overlaps(box)) {
      PlacedLabels().push_back(box);
      return true;
    }
  }
  return false;
}

void ClearEdgeLabels() { PlacedLabels().clear(); }

const std::vector<Rect>& EdgeLabelBoxes() { return PlacedLabels(); }

void DrawSkyCircle(const SkyCircle& circle, const Matrix3& system, bool showLabels) {
  if (circle.segments < 1) return;
  int64_t f[3][3];
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) f[i][j] = Fixed(system.m[i][j]);
  }
  const double step = circle.sweep / circle.segments;
  const int64_t c = Fixed(std::cos(step)), s = Fixed(std::sin(step));
  const bool labelled = showLabels && circle.label && *circle.label;
  CirclePoint point = FirstPoint(circle);
  MoveToSky(ToStore(f, point));
  for (int i = 1; i <= circle.segments; ++i) {
    Turn(point.u, point.v, c, s);
    const LineStep drawn = LineToSky(ToStore(f, point));
    if (!labelled || !drawn.drawn) continue;
    if (!drawn.startVisible) DrawCircleLabel(circle.label, drawn.x0, drawn.y0);
    if (!drawn.endVisible) DrawCircleLabel(circle.label, drawn.x1, drawn.y1);
  }
}

std::string DeclinationLabel(double declination) {
  const char sign = declination >= 0 ? '+' : '-';
  const double d = std::abs(declination) * RadToDeg;
  const double whole = std::floor(d);
  const double minutes = (d - whole) * 60;
  char text[32];
  if (minutes > 59.5) {
    std::snprintf(text, sizeof text, "%c%02d°", sign, static_cast<int>(whole) + 1);
  } else if (minutes >= 0.5) {
    std::snprintf(text, sizeof text, "%c%02d° %02.0f'", sign, static_cast<int>(whole), minutes);
  } else {
    std::snprintf(text, sizeof text, "%c%02d°", sign, static_cast<int>(whole));
  }
  return text;
}

std::string HourLabel(double rightAscension) {
  const double t = rightAscension * 12 / Pi;
  const double whole = std::floor(t);
  const double minutes = (t - whole) * 60;
  int hours = static_cast<int>(whole);
  char text[32];
  if (minutes > 59.5) {
    hours = (hours + 1) % 24;
    std::snprintf(text, sizeof text, "%2dh", hours);
  } else if (minutes < 0.5) {
    std::snprintf(text, sizeof text, "%2dh", hours);
  } else {
    std::snprintf(text, sizeof text, "%2dh %02.0fm", hours, minutes);
  }
  return text;
}

}  // namespace qv
