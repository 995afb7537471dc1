// chart/drawing.cpp - the drawing sequence, the chart image and the colour rules (drawing.h).
#include "chart/drawing.h"

#include <utility>

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
#include "chart/sky_circle.h"
#include "chart/sky_link.h"
#include "chart/sky_objects.h"
#include "chart/trail_paths.h"
#include "generated/string_numbers.h"
#include "objects/store.h"
#include "platform/alert.h"
#include "platform/events.h"
#include "platform/result.h"

namespace qv {
namespace {

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

void SetChartFont(const ChartOptions& s) {
  const FontSetting& font = s.ChartWindowsFont;
  SetFont(font.Face.c_str(), font.Size, font.Style);
}

}  // namespace

ChartView ChartViewOf(const ChartOptions& s) {
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
  view.horizonAltitude = ChartHorizonAltitude();
  return view;
}

void BuildChartFrame(const Rect& chart, const ChartOptions& s) {
  const ChartView view = ChartViewOf(s);
  const int bottom = s.ShowChartLegend ? chart.bottom - LegendHeight(s) : chart.bottom;
  CurrentChartFrame() = MakeChartFrame(view, ChartSystemMatrix(s.ChartCoordinateSystem),
                                       ChartZenith(), chart.left, chart.top, chart.right, bottom);
}

int DrawChart(const Rect& chart, const ChartOptions& s) {
  SetClipRect(chart);
  SetChartFont(s);
  BuildChartFrame(chart, s);
  ClearEdgeLabels();
  UpdateStarScale(s, CurrentStarScale());
  ++Store().redrawCounter;
  SetLineOutput(true);
  DrawSkyBackground(s, chart, ChartSunAltitude(), ChartViewsFromEarth());
  if (s.ShowMilkyWay) DrawMilkyWayPass(s);
  if (s.ShowGridLines) DrawGridAndLines(s);
  if (s.ShowConstellations) DrawConstellations(s);
  int result = ResultOk;
  if (s.ShowStars || s.ShowDeepSkyObjects || s.ShowPlanets) DrawTrails(s);
  ChartLabels labels;
  if (s.ShowStars || s.ShowDeepSkyObjects) result = DrawStarsAndDeepSky(s, labels);
  if (result == ResultOk && s.ShowPlanets) DrawPlanets(s, labels);
  const ChartFrame& f = CurrentChartFrame();
  DrawObjectLabels(s, labels, Rect{f.left, f.top, f.right, f.bottom});
  if (s.ShowHorizonMask && s.ShowHorizonLine) DrawHorizonLine(s);
  if (s.ShowChartLegend) DrawLegend(s, chart, ChartLegendFacts());
  SetChartPen(s, PenForeground, 1, false);
  DrawRect(chart);
  ClearClip();
  return result;
}

Image* CurrentChartImage() { return DrawingImage(); }

Image* RenderChartImage(const Rect& chart, int depth, Image* current, const ChartOptions& options) {
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
  ChartOptions drawing = options;
  if (ImageDepth(image) < 32) drawing.ShowRenderedObjects = false;
  if (BeginImageDrawing(nullptr, image)) {
    DrawingImage() = image;
    DrawChart(Rect{0, 0, width, height}, drawing);
    DrawingImage() = nullptr;
    EndImageDrawing();
  }
  return image;
}

ChartOptions DrawingOptions(const ChartOptions& options, int screenDepth) {
  ChartOptions drawing = options;
  if (drawing.RedScreen) drawing.ShowColors = false;
  if (screenDepth < FewestColorBits) {
    drawing.ShowColors = false;
    if (drawing.SkyBackground == SkyColor) drawing.SkyBackground = SkyBlack;
  }
  return drawing;
}

const Image* ChartWindowImage() { return WindowImage(); }

void RelayoutChart(const Rect& chart, int screenDepth, const ChartOptions& options) {
  const bool deep = options.ShowRenderedObjects || screenDepth > MostPaletteBits;
  RelayoutChartAtDepth(chart, screenDepth, deep ? 32 : screenDepth, options);
}

void RelayoutChartAtDepth(const Rect& chart, int screenDepth, int imageDepth,
                          const ChartOptions& options) {
  const ChartOptions drawing = DrawingOptions(options, screenDepth);
  // The window shows no image while the new one is made: a message about it repaints the window.
  Image* current = std::exchange(WindowImage(), nullptr);
  WindowImage() = RenderChartImage(chart, imageDepth, current, drawing);
}

Image* WindowChartImage() { return WindowImage(); }

void RedrawChart(WindowRecord* window) {
  if (!WindowImage() || !BeginWindowDrawing(window)) return;
  CopyImage(WindowImage(), nullptr, nullptr);
  EndWindowDrawing(window);
}

}  // namespace qv
