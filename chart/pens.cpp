// chart/pens.cpp - the chart's colours (see pens.h).
#include "chart/pens.h"

#include <algorithm>
#include <cmath>

namespace qv {
namespace {

// Sun altitudes (radians) above which each twilight state begins, brightest last.
struct TwilightStep {
  double above;
  int item;
};
constexpr TwilightStep TwilightSteps[] = {
    {-0.31415926536, AstronomicalTwilightSkyColor},  // -18 degrees
    {-0.20943951024, NauticalTwilightSkyColor},      // -12 degrees
    {-0.10471975512, CivilTwilightSkyColor},         // -6 degrees
    {-0.0144862327916, DaytimeSkyColor},             // -50 arc minutes: the Sun's upper limb
};

Color& CurrentSky() {
  static Color sky = MakeColor(0, 0, 0);
  return sky;
}

double RelativeLuminance(Color c) {
  // sRGB channels made linear, weighted by the eye's response (ITU-R BT.709 primaries).
  auto linear = [](int v) {
    const double x = v / 255.0;
    return x <= 0.04045 ? x / 12.92 : std::pow((x + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(RedOf(c)) + 0.7152 * linear(GreenOf(c)) + 0.0722 * linear(BlueOf(c));
}

}  // namespace

Color ChartForegroundColor(const ChartOptions& s) {
  if (s.SkyBackground == SkyWhite) return ColorBlack;
  return s.RedScreen ? ColorRed : ColorWhite;
}

Color ChartBackgroundColor(const ChartOptions& s) {
  if (s.SkyBackground == SkyWhite) return s.RedScreen ? ColorRed : ColorWhite;
  return ColorBlack;
}

void SetChartPen(const ChartOptions& s, int which, int width, bool filled) {
  SetPen(which == PenBackground ? ChartBackgroundColor(s) : ChartForegroundColor(s), width, filled);
}

int SkyColorItem(double sunAltitude, bool viewingFromEarth) {
  int item = NightSkyColor;
  if (!viewingFromEarth) return item;
  for (const TwilightStep& step : TwilightSteps) {
    if (sunAltitude > step.above) item = step.item;
  }
  return item;
}

void SetCurrentSkyColor(Color color) { CurrentSky() = color; }

Color SkyFillColor(const ChartOptions& s) {
  if (s.ShowColors && s.SkyBackground == SkyColor) return CurrentSky();
  return ChartBackgroundColor(s);
}

void FillSkyRectangle(const ChartOptions& options, const Rect& rect) {
  SetPen(SkyFillColor(options), 0, true);
  DrawRect(rect);
}

double ContrastRatio(Color a, Color b) {
  const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Color LegibleColor(Color c, Color sky) {
  if (ContrastRatio(c, sky) >= MinimumContrast) return c;
  // Mid-grey luminance 0.18 splits the skies: white reaches 3:1 on any darker one, black on any
  // lighter one, so the mix always ends legible.
  const int target = RelativeLuminance(sky) > 0.18 ? 0 : 255;
  Color mixed = c;
  for (int step = 1; step <= 16 && ContrastRatio(mixed, sky) < MinimumContrast; ++step) {
    auto mix = [&](int v) { return v + (target - v) * step / 16; };
    mixed = MakeColor(mix(RedOf(c)), mix(GreenOf(c)), mix(BlueOf(c)));
  }
  return mixed;
}

Color ChartColor(const ChartOptions& s, Color c) { return LegibleColor(c, SkyFillColor(s)); }

bool SkyIsLight(const ChartOptions& s) { return RelativeLuminance(SkyFillColor(s)) > 0.18; }

}  // namespace qv
