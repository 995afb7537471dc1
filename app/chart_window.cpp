// app/chart_window.cpp - the chart window and the refresh cycle (chart_window.h).
#include "app/chart_window.h"

#include "app/animation.h"
#include "app/chart_mouse.h"
#include "app/commands.h"
#include "app/info_window.h"
#include "app/red_screen.h"
#include "app/shell.h"
#include "app/telescope_control.h"
#include "astro/angles.h"
#include "chart/animation_gif.h"
#include "chart/centring.h"
#include "chart/drawing.h"
#include "chart/view.h"
#include "generated/string_numbers.h"
#include "objects/database.h"
#include "objects/sky.h"
#include "platform/alert.h"
#include "platform/dialogs.h"
#include "platform/menus.h"
#include "platform/startup_probe.h"
#include "platform/strings.h"
#include "platform/windows.h"
#include "settings/settings.h"

namespace qv {
namespace {

constexpr int ChartWindowResource = 100;
constexpr int ChartWindowStyle =
    31;  // title bar, system menu, resizable, maximise and minimise boxes
constexpr int InfoCenterButton = 1, InfoCloseButton = 2;

void ShowScrollBars(WindowRef window, bool on) {
  ShowItem(window, VerticalScrollBar, on);
  ShowItem(window, HorizontalScrollBar, on);
}

void SetScrollThumbs(WindowRef window) {
  const ScrollThumbs thumbs = ChartScrollThumbs(Settings());
  SetItemValue(window, VerticalScrollBar, thumbs.vertical);
  SetItemValue(window, HorizontalScrollBar, thumbs.horizontal);
}

// Scroll bar items and arrow keys to the chart's scroll bars and steps.
int ScrollBarOfItem(int item) {
  return item == VerticalScrollBar ? ScrollVertical : ScrollHorizontal;
}

void Scroll(int bar, int part, int position) {
  // With Shift held and an object centred, the steps move the viewpoint around the object.
  if (IsKeyDown(KeyShift) && part != PartThumbDragged && part != PartThumbReleased &&
      MoveViewpointAround(Settings(), Settings(), bar, part)) {
    RefreshChart(false);
    return;
  }
  ScrollChart(Settings(), bar, part, position);
  StopFollowingTelescope();
  RelayoutAndRedraw();
}

void ToggleRedrawTiming() {
  ShellState& shell = Shell();
  const uint32_t now = TickCount();
  if (!shell.timing) {
    shell.timing = true;
    shell.timingStartMs = now;
    shell.timingStartRedraws = shell.windowRedraws;
    return;
  }
  shell.timing = false;
  const long redraws = static_cast<long>(shell.windowRedraws - shell.timingStartRedraws);
  const double seconds = (now - shell.timingStartMs) / 1000.0;
  Note(ButtonsOk, NoteRedrawTiming, redraws, seconds, seconds > 0 ? redraws / seconds : 0.0);
}

void TypedCharacter(int character) {
  if ((character == 'A' || character == 'Z') && IsKeyDown(KeyShift)) {
    if (MoveViewpointDistance(Settings(), Settings(), character == 'A')) {
      RefreshChart(false);
      UpdateWindowNow(Shell().chartWindow);
    }
  } else if (character == 't') {
    ToggleRedrawTiming();
  }
}

void HandleKey(int key, int character) {
  WindowRef info = Shell().infoWindow;
  const bool infoShown = info && IsPlatformWindowVisible(info);
  switch (key) {
    case KeyReturn:
      if (infoShown) PressItem(info, InfoCenterButton);
      return;
    case KeyEscape:
      if (infoShown) PressItem(info, InfoCloseButton);
      return;
    case KeyLeft:
      Scroll(ScrollHorizontal, PartLineUp, 0);
      return;
    case KeyRight:
      Scroll(ScrollHorizontal, PartLineDown, 0);
      return;
    case KeyUp:
      Scroll(ScrollVertical, PartLineUp, 0);
      return;
    case KeyDown:
      Scroll(ScrollVertical, PartLineDown, 0);
      return;
    case 0:
      TypedCharacter(character);
      return;
    default:
      return;
  }
}

// PaintChartWindow: the update event: the chart image and what the mouse shows over it.
void PaintChartWindow(WindowRef window) {
  if (ScreenColorDepth() != Shell().lastScreenDepth) {
    RelayoutChartWindow();
    UpdateMenus();
  }
  RedrawChart(window);
  DrawTelescopeOverlay();
  DrawChartOverlays();
  ++Shell().windowRedraws;
  if (StartupProbeRequested()) EndStartupProbe();
}

}  // namespace

WindowRef CreateChartWindow() {
  const char* title = GetString(StringProgramTitle);
  // Three quarters of the screen until it is maximised (a desktop without a window manager
  // leaves a window at the size it was made).
  const int width = ScreenWidth() * 3 / 4, height = ScreenHeight() * 3 / 4;
  WindowRef window = CreatePlatformWindow(
      ChartWindowResource, title ? title : "Quorvane", (ScreenWidth() - width) / 2,
      (ScreenHeight() - height) / 2, width, height, false, ChartWindowStyle, 0, ChartWindowHandler);
  if (!window) return nullptr;
  LoadMenuBar(MenuBarResource);
  Rect vertical, horizontal;
  GetChartAreaRectangles(window, &vertical, &horizontal, nullptr);
  const bool shown = Settings().ShowChartControls;
  CreateScrollBar(window, VerticalScrollBar, "", vertical, shown, 0, -90, 90);
  CreateScrollBar(window, HorizontalScrollBar, "", horizontal, shown, 180, 1, 360);
  SetEraseBackground(window, false);  // the chart image covers the whole window
  return window;
}

Rect ChartRectangle() {
  WindowRef window = Shell().chartWindow;
  if (!Settings().ShowChartControls) {
    ShowScrollBars(window, false);
    return GetClientRectangle(window);
  }
  Rect vertical, horizontal, content;
  GetChartAreaRectangles(window, &vertical, &horizontal, &content);
  MoveItem(window, VerticalScrollBar, vertical);
  MoveItem(window, HorizontalScrollBar, horizontal);
  ShowScrollBars(window, true);
  return content;
}

namespace {

// The chart follows the telescope while Stay Centered is on, and its centred object.
void FollowChartCentre(ChartSettings& s) {
  const Vector3 telescope =
      SphericalToRectangular(s.TelescopeRightAscension, s.TelescopeDeclination, 1);
  FollowCentre(s, s.TelescopeStayCentered ? &telescope : nullptr);
}

}  // namespace

void RelayoutChartWindow() {
  WindowRef window = Shell().chartWindow;
  if (!window) return;
  const Rect chart = ChartRectangle();
  Shell().lastScreenDepth = ScreenColorDepth();
  if (RectWidth(chart) > 0 && RectHeight(chart) > 0) {
    ChartSettings& s = Settings();
    SetRedScreenColors(s.RedScreen);
    FollowChartCentre(s);
    const int screen = Shell().lastScreenDepth;
    if (SavingAnimation())
      RelayoutChartAtDepth(chart, screen, AnimationImageDepth, ChartMouseDrawingOptions(s));
    else
      RelayoutChart(chart, screen, ChartMouseDrawingOptions(s));
  }
  SetScrollThumbs(window);
}

void StopFollowingTelescope() { Settings().TelescopeStayCentered = false; }

void RedrawChartWindow() {
  if (WindowRef window = Shell().chartWindow) {
    InvalidateWindow(window, nullptr);
    UpdateWindowNow(window);  // its update event copies the image in
  }
}

void RelayoutAndRedraw() {
  RelayoutChartWindow();
  RedrawChartWindow();
}

void RefreshChart(bool recomputeAll) {
  const bool still = Settings().AnimationState == AnimationOff;
  if (still) SetWaitCursor();
  UpdateSkyContext();
  if (recomputeAll) {
    AdvanceStarGeneration();
    AdvancePlanetGeneration();
  }
  RelayoutChartWindow();
  if (WindowRef window = Shell().chartWindow) InvalidateWindow(window, nullptr);
  RefreshInfoWindow();
  if (still) SetArrowCursor();
  ReportUnreadableFiles();  // files the drawing could not read, once each, now alerts may show
}

int ChartWindowHandler(int code, WindowRef window, int p1, int p2) {
  switch (code) {
    case KeyDownEvent:
      HandleKey(p1, p2);
      return 0;
    case WindowResizedEvent:
      RelayoutChartWindow();
      InvalidateWindow(window, nullptr);
      return 0;
    case WindowActivatedEvent:
    case WindowDeactivatedEvent:
      if (Settings().ShowChartControls) ShowScrollBars(window, code == WindowActivatedEvent);
      return 0;
    case WindowUpdateEvent:
      PaintChartWindow(window);
      return 0;
    case MouseDownEvent:
      ChartMouseDown(p1, p2);
      return 0;
    case MouseDraggedEvent:
      ChartMouseDragged(p1, p2);
      return 0;
    case MouseUpEvent:
      ChartMouseUp(p1, p2);
      return 0;
    case DoubleClickEvent:
      ChartDoubleClick(p1, p2);
      return 0;
    case MouseMovedEvent:
      ChartMouseMoved(p1, p2);
      return 0;
    case MouseWheelEvent: {
      const Point at = UnpackPoint(p2);
      ChartMouseWheel(p1, at.x, at.y);
      return 0;
    }
    case ControlEvent:
      if (p1 != VerticalScrollBar && p1 != HorizontalScrollBar) return 1;
      Scroll(ScrollBarOfItem(p1), p2, GetItemValue(window, p1));
      return 0;
    case MenuEvent:  // every command, whatever window is in front of the chart
      DispatchMenuCommand(p1, p2);
      return 0;
    default:
      return 1;
  }
}

}  // namespace qv
