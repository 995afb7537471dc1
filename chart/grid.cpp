// chart/grid.cpp - grid and reference circles (see grid.h).
#include "chart/grid.h"

#include <cmath>
#include <string>

#include "astro/angles.h"
#include "chart/pens.h"
#include "chart/projection.h"
#include "chart/sky_circle.h"
#include "chart/sky_link.h"
#include "platform/draw.h"

namespace qv {
namespace {

constexpr const char* CompassPoints[8] = {"N", "NE", "E", "SE", "S", "SW", "W", "NW"};
// The most lines of one direction: parallels one arcminute apart, the finest grid the Symbols &
// Grids dialog gives. Whatever a settings file holds, drawing stays bounded.
constexpr int MaxGridLines = 10800;

bool UsableInterval(double interval) { return std::isfinite(interval) && interval > 0; }

void SetLinePen(const ChartOptions& s, int colorItem) {
  SetPen(s.ShowColors ? ChartColor(s, s.Colors[colorItem]) : ChartForegroundColor(s), 1, false);
}

void DrawParallel(const ChartOptions& s, int system, double latitude, const char* label) {
  const SkyCircle circle{CircleParallel, 0, latitude, TwoPi, s.GridSegmentsPerCircle, label};
  DrawSkyCircle(circle, ChartSystemMatrix(system), s.ShowGridLabels);
}

void DrawRADecGrid(const ChartOptions& s) {
  const int segments = s.GridSegmentsPerCircle;
  if (!UsableInterval(s.GridDecInterval) || !UsableInterval(s.GridRAInterval)) return;
  int lines = 0;
  for (double dec = s.GridDecInterval - HalfPi; dec < HalfPi && lines < MaxGridLines;
       dec += s.GridDecInterval, ++lines) {
    DrawParallel(s, CoordinatesEquatorial, dec, DeclinationLabel(dec).c_str());
  }
  lines = 0;
  for (double ra = 0; ra < TwoPi && lines < MaxGridLines; ra += s.GridRAInterval, ++lines) {
    const std::string label = HourLabel(ra);
    const SkyCircle circle{CircleMeridian, -HalfPi, ra, Pi, segments / 2, label.c_str()};
    DrawSkyCircle(circle, ChartSystemMatrix(CoordinatesEquatorial), s.ShowGridLabels);
  }
}

// A compass label centred on its horizon point (moved inside the chart and off other edge
// labels), on a patch of sky one pixel wider than the text on the left, top and bottom.
void DrawCompassLabel(const ChartOptions& s, const char* text, int x, int y, Color color) {
  int width = 0, height = 0;
  MeasureText(text, 0, &width, &height);
  Point patch;
  if (!PlaceEdgeLabel(width + 1, height + 2, x - width / 2 - 1, y - height / 2 - 1, patch)) return;
  const int left = patch.x + 1, top = patch.y + 1;
  FillSkyRectangle(s, Rect{left - 1, top - 1, left + width, top + height + 1});
  SetPen(color, 1, false);
  DrawText(text, 0, left, top);
}

void DrawCompassLabels(const ChartOptions& s, Color color) {
  const ChartFrame& f = CurrentChartFrame();
  Vector3 v;
  for (int i = 0; i < 8; ++i) {
    v = SphericalToRectangular(i * QuarterPi, ChartHorizonAltitude(), DirectionLength);
    TransformTransposed(ChartSystemMatrix(CoordinatesHorizon), v);
    int32_t x = 0, y = 0;
    if (IsOnChart(f, v, x, y)) DrawCompassLabel(s, CompassPoints[i], x, y, color);
  }
}

}  // namespace

void DrawGridAndLines(const ChartOptions& s) {
  SetLinePen(s, RADecGridColor);
  if (s.ShowRADecGrid) DrawRADecGrid(s);
  // Without colours the reference circles keep the grid's foreground pen.
  struct Reference {
    bool shown;
    int colorItem, system;
    const char* label;
  };
  const Reference references[] = {
      {s.ShowEquator, EquatorColor, CoordinatesEquatorial, "Equator"},
      {s.ShowEcliptic, EclipticColor, CoordinatesEcliptic, "Ecliptic"},
      {s.ShowGalacticEquator, GalacticEquatorColor, CoordinatesGalactic, "Galactic Equator"},
  };
  for (const Reference& r : references) {
    if (!r.shown) continue;
    if (s.ShowColors) SetLinePen(s, r.colorItem);
    DrawParallel(s, r.system, 0, r.label);
  }
  if (s.ShowHorizonLine) DrawHorizonLine(s);
}

void DrawHorizonLine(const ChartOptions& s) {
  ChartFrame& f = CurrentChartFrame();
  const Color color =
      s.ShowColors ? ChartColor(s, s.Colors[HorizonColor]) : ChartForegroundColor(s);
  SetPen(color, 1, false);
  const bool mask = f.horizonMask;
  f.horizonMask = false;  // the line is the mask's edge: never cut it
  DrawParallel(s, CoordinatesHorizon, ChartHorizonAltitude(), "Horizon");
  if (s.ShowGridLabels) DrawCompassLabels(s, color);
  f.horizonMask = mask;
}

}  // namespace qv
