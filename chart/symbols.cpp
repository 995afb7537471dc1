// chart/symbols.cpp - star and deep-sky symbols, B-V colours and rendered stars (symbols.h).
#include "chart/symbols.h"

#include <algorithm>
#include <cmath>

namespace qv {
namespace {

constexpr int UnknownIndex = 32767;
constexpr int MaxRenderedRadius = 2048;  // pixels; far beyond any real star's glow

// The box of a star disk of radius r: large disks are centred, small ones sit up and left of
// the centre by a quarter of their size.
Rect StarDiscBox(int x, int y, int r, bool large) {
  if (large) return Rect{x - r, y - r, x + r, y + r};
  const int q = r >> 2;
  return Rect{x - q - 1, y - q - 1, x - q - 1 + r, y - q - 1 + r};
}

// The multiple-star mark: a stroke from the box's lower-right corner past its upper-left one.
void DrawStrokeAcross(const Rect& box) {
  MoveTo(box.right, box.bottom);
  LineTo(box.left - 1, box.top - 1);
}

void DrawDisc(const Rect& box) { DrawEllipse(box.left, box.top, box.right, box.bottom); }

void DrawRing(const Rect& box) {
  SetFill(false);
  DrawDisc(box);
  SetFill(true);
}

// The variable-star symbol: a disk one size smaller inside a ring two pixels out; returns the
// ring's box for the multiple-star stroke.
Rect DrawVariableStar(int x, int y, int r, bool large) {
  const int s = r - 1;
  const Rect disc = StarDiscBox(x, y, s, large);
  DrawDisc(disc);
  const Rect ring{disc.left - 2, disc.top - 2, disc.right + 2, disc.bottom + 2};
  DrawRing(ring);
  return ring;
}

void DrawCircleOfRadius(int x, int y, int a) { DrawEllipse(x - a, y - a, x + a + 1, y + a + 1); }

void DrawSegment(int x0, int y0, int x1, int y1) {
  MoveTo(x0, y0);
  LineTo(x1, y1);
}

}  // namespace

Color StarColorFromIndex(int c) {
  if (c == UnknownIndex) return MakeColor(255, 255, 255);
  if (c < -50) return MakeColor(127, 127, 255);
  if (c < -25) return MakeColor(127, 127 + (c + 50) * 128 / 25, 255);
  if (c < 0) return MakeColor(127 + (c + 25) * 128 / 25, 255, 255);
  if (c < 100) return MakeColor(255, 255, 127 + (100 - c) * 128 / 100);
  if (c < 200) return MakeColor(255, 127 + (200 - c) * 128 / 100, 127);
  return MakeColor(255, 127, 127);
}

void DrawStarSymbol(int x, int y, int r, int marks, bool large) {
  if (marks & MarkVariable) {
    const Rect ring = DrawVariableStar(x, y, r, large);
    if (marks & MarkMultiple) DrawStrokeAcross(ring);
    return;
  }
  const Rect box = StarDiscBox(x, y, r, large);
  if (r == 1 && !large) {
    DrawPoint(x, y);
  } else {
    DrawDisc(box);
  }
  if (marks & MarkMultiple) DrawStrokeAcross(box);
}

void DrawDeepSkySymbol(int kind, int x, int y, int r) {
  Color color;
  int width;
  bool fill;
  GetPen(&color, &width, &fill);
  SetFill(false);
  switch (kind) {
    case 61: DrawCircleOfRadius(x, y, std::max(r, 3)); break;
    case 62: {
      const int a = std::max(r, 3);
      DrawCircleOfRadius(x, y, a);
      DrawSegment(x, y - a, x, y + a + 1);
      DrawSegment(x - a, y, x + a + 1, y);
      break;
    }
    case 63: {
      const int a = std::max(r, 4);
      MoveTo(x, y - a);
      LineTo(x + a, y);
      LineTo(x, y + a);
      LineTo(x - a, y);
      LineTo(x, y - a);
      break;
    }
    case 64: {
      const int a = std::max(r, 3);
      DrawCircleOfRadius(x, y, a);
      DrawSegment(x, y - a, x, y - 2 * a);
      DrawSegment(x - a, y, x - 2 * a, y);
      DrawSegment(x + a, y, x + 2 * a, y);
      DrawSegment(x, y + a, x, y + 2 * a);
      break;
    }
    case 65: {
      const int a = std::max(r, 3), b = a / 2;
      DrawEllipse(x - a, y - b - 1, x + a + 1, y + b + 2);
      break;
    }
    default: break;
  }
  SetFill(fill);
}

void RenderStar(Image* image, int x, int y, int magnitude, Color color, bool whiteSky,
                const StarSizeScale& scale) {
  if (!image || ImageDepth(image) != 32 || !ImageRow(image, 0)) return;  // rows to add into
  const int m = std::max(magnitude, scale.brightest);
  // Intensity relative to a star at the faint limit (0.25); the profile I / (7 d^2 + 1) falls
  // to 1/64 at the radius.
  const float intensity = std::pow(10.0f, 0.004f * static_cast<float>(scale.faintest - m)) * 0.25f;
  const float reach = std::ceil(std::sqrt((64 * intensity - 1) / 7));
  // Absurd limits (a faint limit of magnitude 300) would give an endless radius.
  const int radius = reach < MaxRenderedRadius ? static_cast<int>(reach) : MaxRenderedRadius;
  int channel[3] = {RedOf(color), GreenOf(color), BlueOf(color)};
  if (whiteSky) {
    for (int& c : channel) c = 255 - c;
  }
  const int width = ImageWidth(image), height = ImageHeight(image);
  for (int py = std::max(y - radius, 0); py <= std::min(y + radius, height - 1); ++py) {
    uint8_t* row = ImageRow(image, py);
    for (int px = std::max(x - radius, 0); px <= std::min(x + radius, width - 1); ++px) {
      const int d2 = (px - x) * (px - x) + (py - y) * (py - y);
      if (d2 > radius * radius) continue;
      const float f = std::min(intensity / (7.0f * d2 + 1), 1.0f);
      const float g = whiteSky ? -std::pow(f, 0.72f) : std::pow(f, 0.72f);
      int old[3];
      PixelValueToRGB(image, GetPixelValue(image, row, px), &old[0], &old[1], &old[2]);
      for (int k = 0; k < 3; ++k) {
        old[k] = std::clamp(static_cast<int>(old[k] + channel[k] * g), 0, 255);
      }
      SetPixelValue(image, row, px, PixelValueFromRGB(old[0], old[1], old[2]));
    }
  }
}

}  // namespace qv
