// chart/drawing.cpp - the drawing sequence, the chart image and the colour rules (drawing.h).
#include "chart/drawing.h"

#include <utility>

#include "app/red_screen.h"
#include "app/settings.h"
#include "astro/angles.h"
#include "chart/constellations.h"
#include "chart/grid.h"
#include "chart/legend.h"
#include "chart/lines.h"
#include "chart/magnitudes.h"
#include "chart/milky_way.h"
#include "chart/pens.h"
#include "chart/planets.h"
#include "chart/projection.h"
#include "chart/sky_background.h"
#include "chart/sky_link.h"
#include "chart/sky_objects.h"
#include "chart/trails.h"
#include "objects/store.h"
#include "platform/alert.h"
#include "platform/events.h"
#include "platform/result.h"

namespace qv {
namespace {

constexpr int MessageNoMemory = 256;
constexpr int FewestColorBits = 4;  // fewer bits cannot show the chart's colours
constexpr int MostPaletteBits = 8;  // deeper screens get 32-bit images

Image*& DrawingImage() {  // the image being drawn, for rendered stars
  static Image* image = nullptr;
  return image;
}

Image*& WindowImage() {  // the image the chart window shows
  static Image* image = nullptr;
  return image;
}

void SetCentre(ChartSettings& s, const Vector3& storeDirection, const Matrix3& system) {
  Vector3 v = storeDirection;
  Transform(system, v);
  const Spherical centre = RectangularToSpherical(v);
  s.ChartCenterLongitude = centre.lon;
  s.ChartCenterLatitude = centre.lat;
}

// The centre follows the telescope while Stay Centered is on, and the centred object while
// it exists.
void FollowCentre(ChartSettings& s, const Matrix3& system) {
  if (s.TelescopeStayCentered) {
    SetCentre(s, SphericalToRectangular(s.TelescopeRightAscension, s.TelescopeDeclination, 1),
              system);
  }
  if (s.CenteredObject == 0) return;
  ObjectRecord* record = ObjectOfId(s.CenteredObject);
  if (!record) {
    s.CenteredObject = 0;  // the object was deleted: stop following it
    return;
  }
  UpdatePlace(*record);
  SetCentre(s, RecordDirection(*record), system);
}

void SetChartFont() {
  const FontSetting& font = Settings().ChartWindowsFont;
  SetFont(font.Face.c_str(), font.Size, font.Style);
}

// Red-screen mode: Use Color is saved and switched off, and the system colours keep only their
// red components until the mode ends and both come back.
void ApplyRedScreen(ChartSettings& s) {
  static bool applied = false;
  static bool savedShowColors = true;
  if (s.RedScreen == applied) return;
  if (s.RedScreen) {
    savedShowColors = s.ShowColors;
    s.ShowColors = false;
  } else {
    s.ShowColors = savedShowColors;
  }
  SetRedScreenColors(s.RedScreen);
  applied = s.RedScreen;
}

}  // namespace

void BuildChartFrame(const Rect& chart) {
  ChartSettings& s = Settings();
  const Matrix3& system = ChartSystemMatrix(s.ChartCoordinateSystem);
  FollowCentre(s, system);
  ChartView view;
  view.projection = s.ChartProjection;
  view.system = s.ChartCoordinateSystem;
  view.centerLon = s.ChartCenterLongitude;
  view.centerLat = s.ChartCenterLatitude;
  view.fieldWidth = s.ChartFieldWidth;
  view.rotation = s.ChartFieldRotation;
  view.invertHorizontally = s.ChartInvertedHorizontally;
  view.invertVertically = s.ChartInvertedVertically;
  view.horizonMask = s.ShowHorizonMask;
  view.horizonAltitude = s.HorizonAltitude;
  const int bottom = s.ShowChartLegend ? chart.bottom - LegendHeight() : chart.bottom;
  CurrentChartFrame() =
      MakeChartFrame(view, system, ChartZenith(), chart.left, chart.top, chart.right, bottom);
}

int DrawChart(const Rect& chart) {
  ChartSettings& s = Settings();
  SetClipRect(chart);
  SetChartFont();
  BuildChartFrame(chart);
  UpdateStarScale(s, CurrentStarScale());
  Store().redrawCounter = ++s.RedrawCounter;
  SetLineOutput(true);
  DrawSkyBackground(chart, ChartSunAltitude(), ChartViewsFromEarth());
  if (s.ShowMilkyWay) DrawMilkyWayPass();
  if (s.ShowGridLines) DrawGridAndLines();
  if (s.ShowConstellations) DrawConstellations();
  int result = ResultOk;
  if (s.ShowStars || s.ShowDeepSkyObjects || s.ShowPlanets) {
    DrawTrails();
    if (s.ShowStars || s.ShowDeepSkyObjects) result = DrawStarsAndDeepSky();
    if (result == ResultOk && s.ShowPlanets) DrawPlanets();
  }
  if (s.ShowHorizonMask && s.ShowHorizonLine) DrawHorizonLine();
  if (s.ShowChartLegend) DrawLegend(chart, ChartLegendFacts());
  SetChartPen(PenForeground, 1, false);
  DrawRect(chart);
  ClearClip();
  return result;
}

Image* CurrentChartImage() { return DrawingImage(); }

Image* RenderChartImage(const Rect& chart, int depth, Image* current) {
  const int width = RectWidth(chart), height = RectHeight(chart);
  const bool fits = current && ImageWidth(current) == width && ImageHeight(current) == height &&
                    (depth == 0 || (ImageDepth(current) == depth && ImageRow(current, 0)));
  Image* image = current;
  if (!fits) {
    DisposeImage(current);
    image = NewImage(width, height, depth);
    if (!image) {
      Stop(ButtonsOk, MessageNoMemory);
      return nullptr;
    }
  }
  ChartSettings& s = Settings();
  const bool rendered = s.ShowRenderedObjects;
  if (ImageDepth(image) < 32) s.ShowRenderedObjects = false;
  if (BeginImageDrawing(nullptr, image)) {
    DrawingImage() = image;
    DrawChart(Rect{0, 0, width, height});
    DrawingImage() = nullptr;
    EndImageDrawing();
  }
  s.ShowRenderedObjects = rendered;
  return image;
}

void ApplyColorRules(int screenDepth) {
  ChartSettings& s = Settings();
  ApplyRedScreen(s);
  if (screenDepth < FewestColorBits) {
    s.ShowColors = false;
    if (s.SkyBackground == SkyColor) s.SkyBackground = SkyBlack;
  }
}

void RelayoutChart(const Rect& chart, int screenDepth) {
  ApplyColorRules(screenDepth);
  const int depth =
      Settings().ShowRenderedObjects || screenDepth > MostPaletteBits ? 32 : screenDepth;
  // The window shows no image while the new one is made: a message about it repaints the window.
  Image* current = std::exchange(WindowImage(), nullptr);
  WindowImage() = RenderChartImage(chart, depth, current);
}

void RedrawChart(WindowRecord* window) {
  if (!WindowImage() || !BeginWindowDrawing(window)) return;
  CopyImage(WindowImage(), nullptr, nullptr);
  EndWindowDrawing(window);
}

}  // namespace qv
