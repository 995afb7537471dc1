// chart/symbols.cpp - star and deep-sky symbols, B-V colours and rendered stars (symbols.h).
#include "chart/symbols.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <unordered_map>
#include <vector>

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

// A 32-bit image that rendered stars add their glow into, clipped to it. Its pixels are
// 0xffRRGGBB words (platform/draw.h), read and written whole.
struct GlowTarget {
  Image* image;
  Rect area;       // the pixels that may change
  int channel[3];  // the colour added (or, on a white sky, its complement taken away)
  bool subtract;

  uint8_t* Row(int py) const {
    return py >= area.top && py < area.bottom ? ImageRow(image, py) : nullptr;
  }

  void Add(uint8_t* row, int px, float g) const {
    if (!row || px < area.left || px >= area.right) return;
    uint8_t* pixel = row + 4 * px;
    uint32_t value;
    std::memcpy(&value, pixel, 4);
    const float signedG = subtract ? -g : g;
    int rgb[3] = {static_cast<int>(value >> 16 & 0xff), static_cast<int>(value >> 8 & 0xff),
                  static_cast<int>(value & 0xff)};
    for (int k = 0; k < 3; ++k)
      rgb[k] = std::clamp(static_cast<int>(rgb[k] + channel[k] * signedG), 0, 255);
    value = PixelValueFromRGB(rgb[0], rgb[1], rgb[2]);
    std::memcpy(pixel, &value, 4);
  }
};

// The glow of one magnitude: its radius and the profile g = min(1, I / (7 d^2 + 1))^0.72 for
// each squared distance d^2 up to the radius squared. Many stars share a magnitude, so the
// profiles are kept until the size limits change.
struct GlowProfile {
  int radius = 0;
  std::vector<float> g;  // by d^2
};

// Intensity relative to a star at the faint limit (0.25).
float GlowIntensity(int magnitude, const StarSizeScale& scale) {
  return std::pow(10.0f, 0.004f * static_cast<float>(scale.faintest - magnitude)) * 0.25f;
}

GlowProfile MakeGlowProfile(int magnitude, const StarSizeScale& scale) {
  // The profile falls to 1/64 at the radius.
  const float intensity = GlowIntensity(magnitude, scale);
  const float reach = std::ceil(std::sqrt((64 * intensity - 1) / 7));
  GlowProfile profile;
  // Absurd limits (a faint limit of magnitude 300) would give an endless radius.
  profile.radius = reach < MaxRenderedRadius ? static_cast<int>(reach) : MaxRenderedRadius;
  profile.g.resize(static_cast<size_t>(profile.radius) * profile.radius + 1);
  for (size_t d2 = 0; d2 < profile.g.size(); ++d2) {
    const float f = intensity / (7.0f * static_cast<float>(d2) + 1);
    profile.g[d2] = f >= 1 ? 1.0f : std::pow(f, 0.72f);
  }
  return profile;
}

const GlowProfile& GlowProfileFor(int magnitude, const StarSizeScale& scale) {
  static std::unordered_map<int, GlowProfile> profiles;
  static int faintest = 0, brightest = 0;
  if (scale.faintest != faintest || scale.brightest != brightest) {
    profiles.clear();
    faintest = scale.faintest;
    brightest = scale.brightest;
  }
  auto it = profiles.find(magnitude);
  if (it == profiles.end())
    it = profiles.emplace(magnitude, MakeGlowProfile(magnitude, scale)).first;
  return it->second;
}

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
    case 61:
      DrawCircleOfRadius(x, y, std::max(r, 3));
      break;
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
    default:
      break;
  }
  SetFill(fill);
}

void RenderStar(Image* image, int x, int y, int magnitude, Color color, bool whiteSky,
                const StarSizeScale& scale, const Rect* within) {
  if (!image || ImageDepth(image) != 32 || !ImageRow(image, 0)) return;  // rows to add into
  const GlowProfile& profile = GlowProfileFor(std::max(magnitude, scale.brightest), scale);
  Rect area{0, 0, ImageWidth(image), ImageHeight(image)};
  if (within) {
    area = Rect{std::max(area.left, within->left), std::max(area.top, within->top),
                std::min(area.right, within->right), std::min(area.bottom, within->bottom)};
  }
  GlowTarget target{image, area, {}, whiteSky};
  target.channel[0] = RedOf(color), target.channel[1] = GreenOf(color),
  target.channel[2] = BlueOf(color);
  if (whiteSky) {
    for (int& c : target.channel) c = 255 - c;
  }
  // The profile depends on the distance only: each value serves the four pixels (x +- dx,
  // y +- dy) of a quadrant.
  const int radius = profile.radius;
  for (int dy = 0; dy <= radius; ++dy) {
    uint8_t* below = target.Row(y + dy);
    uint8_t* above = dy > 0 ? target.Row(y - dy) : nullptr;
    if (!below && !above) continue;
    for (int dx = 0; dx <= radius; ++dx) {
      const int d2 = dx * dx + dy * dy;
      if (d2 > radius * radius) break;
      const float g = profile.g[d2];
      target.Add(below, x + dx, g);
      target.Add(above, x + dx, g);
      if (dx == 0) continue;
      target.Add(below, x - dx, g);
      target.Add(above, x - dx, g);
    }
  }
}

int RenderedStarReach(int magnitude, const StarSizeScale& scale) {
  // g = f^0.72 >= 1/2 where f = I / (7 d^2 + 1) >= 2^(-1/0.72) = 0.3817.
  const float intensity = GlowIntensity(std::max(magnitude, scale.brightest), scale);
  const float d2 = (intensity / 0.3817f - 1) / 7;
  return d2 > 0 ? std::min(static_cast<int>(std::sqrt(d2)), MaxRenderedRadius) : 0;
}

}  // namespace qv
