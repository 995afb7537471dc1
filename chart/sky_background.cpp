// chart/sky_background.cpp - the sky background (see sky_background.h).
#include "chart/sky_background.h"

#include <algorithm>
#include <cmath>

#include "astro/constants.h"
#include "astro/vector.h"
#include "chart/pens.h"
#include "chart/projection.h"
#include "platform/draw.h"

namespace qv {
namespace {

constexpr int GroundStepPx = 8;  // rows are sampled this far apart, every pixel where they differ

enum PixelPlace : int { OffImage, InSky, InGround };

PixelPlace PlaceOf(const ChartFrame& f, int x, int y) {
  Vector3 v;
  if (!ChartToSky(f, x, y, v)) return OffImage;
  return Dot(v, f.zenith) < f.horizonSine ? InGround : InSky;
}

// FillGround: the pixels of the rectangle below the horizon, row by row in runs. A row is
// sampled every few pixels; where two samples differ, every pixel between them is looked at, so
// the edges of the ground and of the sphere's image are exact.
void FillGround(const ChartFrame& f, const Rect& sky) {
  SetPen(GroundColor, 0, true);
  for (int y = sky.top; y < sky.bottom; ++y) {
    PixelPlace place = PlaceOf(f, sky.left, y);
    int start = sky.left;  // where the run of ground under way began
    auto reach = [&](int x, PixelPlace now) {
      if (now == place) return;
      if (place == InGround) DrawRect(Rect{start, y, x, y + 1});
      if (now == InGround) start = x;
      place = now;
    };
    for (int x = sky.left; x < sky.right - 1;) {
      const int next = std::min(x + GroundStepPx, sky.right - 1);
      const PixelPlace sampled = PlaceOf(f, next, y);
      if (sampled != place) {
        for (int i = x + 1; i < next; ++i) reach(i, PlaceOf(f, i, y));
      }
      reach(next, sampled);
      x = next;
    }
    if (place == InGround) DrawRect(Rect{start, y, sky.right, y + 1});
  }
}

}  // namespace

void DrawSkyBackground(const ChartOptions& s, const Rect& chart, double sunAltitude,
                       bool viewingFromEarth) {
  const ChartFrame& f = CurrentChartFrame();
  SetCurrentSkyColor(s.Colors[SkyColorItem(sunAltitude, viewingFromEarth)]);
  const Rect sky{chart.left, chart.top, chart.right, f.bottom};
  Vector3 corner;
  const bool colorSky = s.ShowColors && s.SkyBackground == SkyColor;
  if (ChartToSky(f, sky.left, sky.top, corner)) {
    SetPen(SkyFillColor(s), 0, true);
    DrawRect(sky);
  } else {
    SetPen(ChartBackgroundColor(s), 0, true);
    DrawRect(sky);
    SetPen(SkyFillColor(s), 0, true);
    const int halfWidth = (sky.right - sky.left) / 2;
    if (colorSky && f.projection == ProjectionSpherical) {
      const int r = static_cast<int>(halfWidth / std::sin(f.fieldWidth / 2));
      DrawEllipse(f.cx - r, f.cy - r, f.cx + r, f.cy + r);
    } else if (colorSky && f.projection == ProjectionMollweide) {
      const int a = static_cast<int>(halfWidth * TwoPi / f.fieldWidth), b = a / 2;
      DrawEllipse(f.cx - a, f.cy - b, f.cx + a, f.cy + b);
    }
  }
  if (colorSky && viewingFromEarth) FillGround(f, sky);
}

}  // namespace qv
