// chart/sky_background.cpp - the sky background (see sky_background.h).
#include "chart/sky_background.h"

#include <cmath>

#include "astro/constants.h"
#include "chart/pens.h"
#include "chart/projection.h"
#include "platform/draw.h"

namespace qv {

void DrawSkyBackground(const ChartOptions& s, const Rect& chart, double sunAltitude,
                       bool viewingFromEarth) {
  const ChartFrame& f = CurrentChartFrame();
  SetCurrentSkyColor(s.Colors[SkyColorItem(sunAltitude, viewingFromEarth)]);
  const Rect sky{chart.left, chart.top, chart.right, f.bottom};
  Vector3 corner;
  if (ChartToSky(f, sky.left, sky.top, corner)) {
    SetPen(SkyFillColor(s), 0, true);
    DrawRect(sky);
    return;
  }
  SetPen(ChartBackgroundColor(s), 0, true);
  DrawRect(sky);
  if (!s.ShowColors || s.SkyBackground != SkyColor) return;
  SetPen(SkyFillColor(s), 0, true);
  const int halfWidth = (sky.right - sky.left) / 2;
  if (f.projection == ProjectionSpherical) {
    const int r = static_cast<int>(halfWidth / std::sin(f.fieldWidth / 2));
    DrawEllipse(f.cx - r, f.cy - r, f.cx + r, f.cy + r);
  } else if (f.projection == ProjectionMollweide) {
    const int a = static_cast<int>(halfWidth * TwoPi / f.fieldWidth), b = a / 2;
    DrawEllipse(f.cx - a, f.cy - b, f.cx + a, f.cy + b);
  }
}

}  // namespace qv
