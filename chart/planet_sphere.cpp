// chart/planet_sphere.cpp - rendered globes and rings (see planet_sphere.h).
#include "chart/planet_sphere.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

#include "chart/sphere_math.h"

namespace qv {
namespace {

using std::numbers::pi;
constexpr double RingTint[3] = {1.0, 0.88, 0.82};  // the rings' warm white, per channel
constexpr double RingGreyTint = (RingTint[0] + RingTint[1] + RingTint[2]) / 3;

struct Rgb {
  int r = 0, g = 0, b = 0;
};

// Rows and columns of the image to visit, clipped to it: top <= y < bottom.
struct PixelRows {
  int top = 0, bottom = 0;
};

PixelRows ClippedRows(const Image* image, int y, int halfHeight) {
  return {std::max(y - halfHeight, 0), std::min(y + halfHeight + 1, ImageHeight(image))};
}

// The columns [first, last] of x + [from, to] (pixel offsets), clipped to the image.
struct PixelSpan {
  int first = 0, last = -1;
};

PixelSpan ClippedSpan(const Image* image, int x, double from, double to) {
  return {std::max(static_cast<int>(std::ceil(x + from)), 0),
          std::min(static_cast<int>(std::floor(x + to)), ImageWidth(image) - 1)};
}

// The largest d with d^2 < limit (limit > 0): the half width of a disk's row.
int HalfChord(int64_t limit) {
  int d = static_cast<int>(std::sqrt(static_cast<double>(limit)));
  while (int64_t{d} * d >= limit) --d;
  while (int64_t{d + 1} * (d + 1) < limit) ++d;
  return d;
}

bool HasRows(Image* image) { return image && ImageDepth(image) == 32 && ImageRow(image, 0); }

Rgb Tinted(Rgb c, TexelTint tint) {
  if (tint == TintNatural) return c;
  const int grey = (c.r + c.g + c.b) / 3;
  return tint == TintRed ? Rgb{grey, 0, 0} : Rgb{grey, grey, grey};
}

Rgb TexelAt(const SurfaceMap& map, int column, int row) {
  if (!map.rgb || map.width <= 0 || map.height <= 0)
    return {MissingMapGrey, MissingMapGrey, MissingMapGrey};
  const uint8_t* t = map.rgb + (static_cast<size_t>(row) * map.width + column) * 3;
  return {t[0], t[1], t[2]};
}

// The texel under a body-axes unit vector: column by longitude 0 .. 2 pi, row by colatitude.
// The last column and row hold longitude 2 pi and the south pole, which rounding can reach.
Rgb SurfaceTexel(const SurfaceMap& map, const Vector3& p) {
  const int width = std::max(map.width, 1), height = std::max(map.height, 1);
  double lon = FastAtan2(p.y, p.x);
  if (lon < 0) lon += 2 * pi;
  const int column = std::min(static_cast<int>(width * lon / (2 * pi)), width - 1);
  const int row = std::min(static_cast<int>(height * FastAcos(p.z) / pi), height - 1);
  return TexelAt(map, column, row);
}

}  // namespace

void RenderGlobe(Image* image, const PlanetView& view, const SurfaceMap& map, TexelTint tint) {
  if (!HasRows(image) || view.r <= 0) return;
  const double r = view.r;
  const int64_t r2 = int64_t{view.r} * view.r;
  const PixelRows rows = ClippedRows(image, view.y, view.r);
  const Vector3& sun = view.sunOnScreen;
  // Screen axes in body axes: the rows of the body-to-screen matrix.
  const double(&m)[3][3] = view.bodyToScreen.m;
  for (int py = rows.top; py < rows.bottom; ++py) {
    const int dy = py - view.y;
    const int64_t limit = r2 - int64_t{dy} * dy;  // pixel centres strictly inside the disk
    if (limit <= 0) continue;
    const int chord = HalfChord(limit);
    const PixelSpan span = ClippedSpan(image, view.x, -chord, chord);
    // HasRows made sure of 32-bit pixels, so the row is written directly.
    uint32_t* row = reinterpret_cast<uint32_t*>(ImageRow(image, py));
    const double v = -dy / r;
    for (int px = span.first; px <= span.last; ++px) {
      const double u = (px - view.x) / r;
      const double w = std::sqrt(1 - u * u - v * v);
      const double c = w * sun.x + u * sun.y + v * sun.z;
      if (c <= 0) {
        row[px] = PixelValueFromRGB(0, 0, 0);
        continue;
      }
      const Vector3 body{m[0][0] * w + m[1][0] * u + m[2][0] * v,
                         m[0][1] * w + m[1][1] * u + m[2][1] * v,
                         m[0][2] * w + m[1][2] * u + m[2][2] * v};
      const Rgb texel = Tinted(SurfaceTexel(map, body), tint);
      const double light = LightFactor(c);
      row[px] =
          PixelValueFromRGB(static_cast<int>(texel.r * light), static_cast<int>(texel.g * light),
                            static_cast<int>(texel.b * light));
    }
  }
}

void RenderRings(Image* image, const PlanetView& view, const SurfaceMap& profile, RingHalf half,
                 TexelTint tint) {
  const Matrix3& m = view.bodyToScreen;
  // The ring plane's tilt toward the viewer: edge-on rings cover no pixel centre.
  const double tilt = m.m[0][2];
  if (!HasRows(image) || view.r <= 0 || tilt == 0) return;
  const double r = view.r;
  // The ring plane seen at screen offset (u, v) lies at depth a u + b v; its radius there is
  // rho^2 = (1 + a^2) u^2 + 2 a b u v + (1 + b^2) v^2, in planet radii.
  const double a = -m.m[1][2] / tilt, b = -m.m[2][2] / tilt;
  const double quadratic = 1 + a * a;
  const double inner2 = RingInnerRadius * RingInnerRadius,
               outer2 = RingOuterRadius * RingOuterRadius;
  // The outer edge's ellipse reaches this many radii above and below the centre.
  const int halfHeight =
      static_cast<int>(std::ceil(RingOuterRadius * r * std::hypot(m.m[2][0], m.m[2][1])));
  const PixelRows rows = ClippedRows(image, view.y, halfHeight);
  // Each profile column's brightening of the three channels: opacity times tint.
  const int profileWidth = std::max(profile.width, 1);
  double f[3] = {RingTint[0], RingTint[1], RingTint[2]};
  if (tint == TintGrey) std::fill(f, f + 3, RingGreyTint);
  if (tint == TintRed) f[1] = f[2] = 0;
  std::vector<std::array<double, 3>> gain(profileWidth);
  for (int column = 0; column < profileWidth; ++column) {
    const double alpha = TexelAt(profile, column, 0).r / 255.0;
    gain[column] = {alpha * f[0], alpha * f[1], alpha * f[2]};
  }
  for (int py = rows.top; py < rows.bottom; ++py) {
    const double v = (view.y - py) / r;
    // The row's stretch inside the outer edge: the roots of rho^2 = outer^2 in u.
    const double linear = 2 * a * b * v, constant = (1 + b * b) * v * v - outer2;
    const double discriminant = linear * linear - 4 * quadratic * constant;
    if (!(discriminant > 0)) continue;
    const double root = std::sqrt(discriminant);
    const PixelSpan span = ClippedSpan(image, view.x, r * (-linear - root) / (2 * quadratic),
                                       r * (-linear + root) / (2 * quadratic));
    uint32_t* row =
        reinterpret_cast<uint32_t*>(ImageRow(image, py));  // 32-bit, as HasRows made sure
    for (int px = span.first; px <= span.last; ++px) {
      const double u = (px - view.x) / r;
      const double depth = a * u + b * v;
      const double rho2 = depth * depth + u * u + v * v;
      if (!(rho2 > inner2 && rho2 < outer2)) continue;
      if ((depth < 0) != (half == RingsBehind)) continue;
      const int column =
          std::min(static_cast<int>((std::sqrt(rho2) - RingInnerRadius) * profileWidth /
                                    (RingOuterRadius - RingInnerRadius)),
                   profileWidth - 1);
      int old[3] = {static_cast<int>(row[px] >> 16 & 0xff), static_cast<int>(row[px] >> 8 & 0xff),
                    static_cast<int>(row[px] & 0xff)};
      for (int k = 0; k < 3; ++k)
        old[k] = static_cast<int>(old[k] + (255 - old[k]) * gain[column][k]);
      row[px] = PixelValueFromRGB(old[0], old[1], old[2]);
    }
  }
}

}  // namespace qv
