// chart/pens.cpp - the chart's colours (see pens.h).
#include "chart/pens.h"

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

}  // namespace qv
