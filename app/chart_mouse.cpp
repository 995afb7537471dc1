// app/chart_mouse.cpp - mouse gestures on the chart (chart_mouse.h). A gesture runs from the
// press to the release, with the mouse captured by the chart window in between.
#include "app/chart_mouse.h"

#include <string>

#include "app/chart_window.h"
#include "app/commands.h"
#include "app/constellation_edit.h"
#include "app/info_window.h"
#include "app/shell.h"
#include "astro/angles.h"
#include "chart/centring.h"
#include "chart/hit_test.h"
#include "chart/labels.h"
#include "chart/magnitudes.h"
#include "chart/pens.h"
#include "chart/projection.h"
#include "chart/readout.h"
#include "chart/sky_objects.h"
#include "chart/view.h"
#include "objects/store.h"
#include "platform/desktop.h"
#include "platform/draw.h"
#include "platform/result.h"
#include "platform/windows.h"
#include "settings/settings.h"

namespace qv {
namespace {

enum GestureKind { GestureNone, GestureObject, GestureDrag, GestureMeasure, GestureFigureLine };

constexpr int LighterLimitShift = -100;  // one magnitude brighter while dragging

struct Gesture {
  GestureKind kind = GestureNone;
  int startX = 0, startY = 0, lastX = 0, lastY = 0;
  uint32_t startMs = 0;
  ObjectId object = 0;  // the object pressed, if any
};
Gesture gesture;

bool WithinDoubleClickTime() {
  return TickCount() - gesture.startMs < static_cast<uint32_t>(DoubleClickTimeMs());
}

bool Over(ObjectId id, int x, int y) {
  const ObjectRecord* object = ObjectOfId(id);
  return object && HitTestObject(Settings(), *object, x, y, HoverTolerancePx);
}

// What is drawn over the chart image in the window: every repaint draws it again.
struct Overlay {
  bool label = false;    // the pressed object's name
  bool band = false;     // a line from the press to the pointer
  bool readout = false;  // the pointer's coordinates (with the press as second point on a band)
  int x = 0, y = 0;      // the pointer
};
Overlay overlay;

void ShowOverlay(const Overlay& next) {
  overlay = next;
  RedrawChartWindow();
}

// The object's name in a box of sky colour, at its label place.
void DrawNameLabel() {
  const ObjectRecord* object = ObjectOfId(gesture.object);
  if (!object) return;
  const ChartSettings& s = Settings();
  const SkyPlace place = PlaceSkyObject(s, *object);
  const std::string name = DisplayName(*object);
  int width = 0, height = 0;
  MeasureText(name.c_str(), 0, &width, &height);
  const int d = LabelOffset(object->kind, place.radius);
  FillSkyRectangle(s, Rect{place.x + d, place.y - d - height, place.x + d + width, place.y - d});
  SetChartPen(s, PenForeground, 1, true);
  DrawLabel(name.c_str(), 0, place.x + d, place.y - d);
}

// The rubber band, inverted over the chart.
void DrawBand() {
  SetPen(ChartForegroundColor(Settings()), 1, false);
  SetDrawingMode(DrawXor);
  DrawLine(gesture.startX, gesture.startY, overlay.x, overlay.y);
  SetDrawingMode(DrawCopy);
}

void UpdateNameLabel(int x, int y) {
  if (WithinDoubleClickTime()) return;
  const bool over = Over(gesture.object, x, y);
  if (over != overlay.label) ShowOverlay({over, false, false, x, y});
}

void DragChart(int x, int y) {
  const int dx = x - gesture.lastX, dy = y - gesture.lastY;
  if (dx == 0 && dy == 0) return;
  const ChartFrame& f = CurrentChartFrame();
  if (CenterAtPixel(Settings(), f.cx - dx, f.cy - dy)) {
    StopFollowingTelescope();
    RelayoutAndRedraw();
  }
}

// Opening the info window from a click: brought to the front only for a short click.
void OpenPressedObject(bool quick) {
  OpenObjectInfo(gesture.object);
  if (!quick) return;
  BringInfoWindowToFront();
  UpdateMenus();
}

void EndFigureLine(int x, int y) {
  RedrawChartWindow();
  const ObjectId other = FindObjectAt(Settings(), x, y, ClickTolerancePx, 0);
  if (other == 0 || other == gesture.object) return;
  if (ToggleFigureLine(gesture.object, other) == ResultOk) RelayoutAndRedraw();
}

void Begin(GestureKind kind, int x, int y, ObjectId object) {
  gesture.kind = kind;
  gesture.startX = gesture.lastX = x;
  gesture.startY = gesture.lastY = y;
  gesture.startMs = TickCount();
  gesture.object = object;
  SetMouseCapture(Shell().chartWindow);
}

}  // namespace

void ChartMouseDown(int x, int y) {
  const ChartSettings& s = Settings();
  if (s.ConstellationEditing) {
    const ObjectId object = FindObjectAt(s, x, y, ClickTolerancePx, 0);
    Begin(object != 0 ? GestureFigureLine : GestureDrag, x, y, object);
    return;
  }
  const ObjectId object = FindObjectAt(s, x, y, ClickTolerancePx, InfoObject());
  if (s.ShowMouseCoordinates)
    Begin(GestureMeasure, x, y, object);
  else
    Begin(object != 0 ? GestureObject : GestureDrag, x, y, object);
}

void ChartMouseDragged(int x, int y) {
  switch (gesture.kind) {
    case GestureObject:
      UpdateNameLabel(x, y);
      break;
    case GestureDrag:
      DragChart(x, y);
      break;
    case GestureMeasure:
    case GestureFigureLine:
      ShowOverlay({false, true, Settings().ShowMouseCoordinates, x, y});
      break;
    case GestureNone:
      return;
  }
  gesture.lastX = x;
  gesture.lastY = y;
}

void ChartMouseUp(int x, int y) {
  const GestureKind kind = gesture.kind;
  if (kind == GestureNone) return;
  gesture.kind = GestureNone;
  SetMouseCapture(nullptr);
  const bool quick = WithinDoubleClickTime();
  overlay.label = overlay.band = false;
  switch (kind) {
    case GestureObject:
      RedrawChartWindow();
      if (Over(gesture.object, x, y)) OpenPressedObject(quick);
      break;
    case GestureDrag:
      RelayoutAndRedraw();
      break;
    case GestureMeasure:
      RedrawChartWindow();
      if (gesture.object != 0 && quick && Over(gesture.object, x, y)) OpenPressedObject(true);
      break;
    case GestureFigureLine:
      EndFigureLine(x, y);
      break;
    case GestureNone:
      break;
  }
}

void ChartDoubleClick(int x, int y) {
  const ObjectId selected = InfoObject();
  if (selected != 0 && Over(selected, x, y)) {
    if (CenterOnObject(Settings(), selected) != ResultOk) return;
    StopFollowingTelescope();
  } else {
    Vector3 v;
    if (!ChartToSky(CurrentChartFrame(), x, y, v)) return;
    if (Settings().TelescopeConnected && Hooks().targetPoint) {
      const Spherical target = RectangularToSpherical(v);
      Hooks().targetPoint(target.lon, target.lat);
    }
    if (CenterAtPixel(Settings(), x, y)) StopFollowingTelescope();
  }
  RelayoutAndRedraw();
  UpdateMenus();
}

void ChartMouseMoved(int x, int y) {
  if (Settings().ShowMouseCoordinates) ShowOverlay({false, false, true, x, y});
}

void ChartMouseWheel(int notches, int x, int y) {
  if (gesture.kind != GestureNone || notches == 0) return;  // a drag or a measure owns the chart
  if (ZoomAtPixel(Settings(), CurrentChartFrame(), x, y, notches) != ResultOk) return;
  StopFollowingTelescope();
  RelayoutAndRedraw();
  UpdateMenus();
}

void DrawChartOverlays() {
  const bool readout = overlay.readout && Settings().ShowMouseCoordinates;
  WindowRef window = Shell().chartWindow;
  if ((!overlay.label && !overlay.band && !readout) || !BeginWindowDrawing(window)) return;
  const ChartSettings& s = Settings();
  const FontSetting& font = s.ChartWindowsFont;
  SetFont(font.Face.c_str(), font.Size, font.Style);
  if (readout) {
    if (overlay.band)
      DrawMouseReadout(s, overlay.x, overlay.y, gesture.startX, gesture.startY);
    else
      DrawMouseReadout(s, overlay.x, overlay.y, 0, 0);
  }
  if (overlay.label) DrawNameLabel();
  if (overlay.band) DrawBand();
  EndWindowDrawing(window);
}

ChartOptions ChartMouseDrawingOptions(const ChartOptions& options) {
  return gesture.kind == GestureDrag ? DraggedChartOptions(options) : options;
}

// Without what is slow to draw; disks stay recognisable by their grids.
ChartOptions DraggedChartOptions(const ChartOptions& options) {
  ChartOptions lighter = options;
  if (lighter.ShowRenderedObjects) lighter.ShowPlanetGrids = true;
  lighter.ShowRenderedObjects = false;
  lighter.ShowConstellationBoundaries = false;
  lighter.ShowConstellationLabels = false;
  lighter.ShowObjectLabels = false;
  ShiftMagnitudeLimits(lighter, LighterLimitShift);
  return lighter;
}

void ChartMouseIdle() {
  if (gesture.kind == GestureObject) UpdateNameLabel(gesture.lastX, gesture.lastY);
}

}  // namespace qv
