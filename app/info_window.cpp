// app/info_window.cpp - the object info window (info_window.h).
#include "app/info_window.h"

#include <string>

#include "app/chart_window.h"
#include "app/commands.h"
#include "app/edit_object.h"
#include "app/shell.h"
#include "app/trail_dialog.h"
#include "chart/centring.h"
#include "chart/object_info.h"
#include "chart/trails.h"
#include "objects/constellations.h"
#include "objects/store.h"
#include "platform/dialogs.h"
#include "platform/draw.h"
#include "platform/result.h"
#include "platform/windows.h"
#include "settings/settings.h"

namespace qv {
namespace {

constexpr int InfoWindowDialog = 512;
constexpr int InfoWindowMarginPx = 16, InfoWindowTopPx = 80;
enum InfoButton : int {
  CenterButton = 1,
  CloseButton = 2,
  EditButton = 3,
  TrailOnButton = 4,
  TrailOffButton = 5,
  TitleArea = 6,
};

// FillTexts: the window's lines for its object; an object that is gone empties the window.
void FillTexts() {
  WindowRef window = Shell().infoWindow;
  if (!FillObjectInfo(window, Shell().infoObject, Settings().ChartCoordinateSystem)) {
    ShowObjectInfo(0);
    return;
  }
  InvalidateWindow(window, nullptr);  // the title
}

// DrawTitle: the object's name centred over the title area, at its top.
void DrawTitle(WindowRef window) {
  const ObjectRecord* object = ObjectOfId(Shell().infoObject);
  if (!object || !BeginWindowDrawing(window)) return;
  const std::string name = InfoTitleText(DisplayName(*object));
  const Rect area = GetItemRect(window, TitleArea);
  SetFont(DefaultFontFace, DefaultFontSize, FontBold);
  SetPen(ColorBlack, 1, false);
  int width = 0;
  MeasureText(name.c_str(), 0, &width, nullptr);
  DrawText(name.c_str(), 0, (area.left + area.right - width) / 2, area.top);
  EndWindowDrawing(window);
}

void CenterOnInfoObject() {
  if (CenterOnObject(Settings(), Shell().infoObject) != ResultOk) return;
  StopFollowingTelescope();
  HidePlatformWindow(Shell().infoWindow);
  UpdateMenus();
  RelayoutChartWindow();
  InvalidateWindow(Shell().chartWindow, nullptr);
}

void DeleteInfoObjectTrail() {
  if (const int slot = FindTrail(Shell().infoObject)) DeleteTrail(slot);
  FillTexts();
  RelayoutChartWindow();
  InvalidateWindow(Shell().chartWindow, nullptr);
}

void PressButton(int item) {
  switch (item) {
    case CenterButton:
      CenterOnInfoObject();
      return;
    case CloseButton:
      CloseInfoWindow();
      return;
    case EditButton:
      EditObject(Shell().infoObject, 0);
      return;
    case TrailOnButton:
      RunTrailDialog(Shell().infoObject);
      FillTexts();
      return;
    case TrailOffButton:
      DeleteInfoObjectTrail();
      return;
    default:
      return;
  }
}

}  // namespace

std::string InfoTitleText(const std::string& name) {
  static const char* const superscripts[] = {"⁰", "¹", "²", "³", "⁴", "⁵", "⁶", "⁷", "⁸", "⁹"};
  std::string title;
  for (size_t i = 0; i < name.size(); ++i) {
    const int letter = name[i] == '$' && i + 1 < name.size() ? GreekLetterOfSymbol(name[i + 1]) : 0;
    if (letter == 0) {
      title += name[i];
      continue;
    }
    title += GreekLetters[letter - 1].utf8;
    ++i;
    if (i + 1 < name.size() && name[i + 1] >= '0' && name[i + 1] <= '9')
      title += superscripts[name[++i] - '0'];
  }
  return title;
}

void CreateInfoWindow() {
  if (Shell().infoWindow) return;
  WindowRef window = CreateDialogWindow(InfoWindowDialog, 0, InfoWindowHandler);
  Shell().infoWindow = window;
  if (!window) return;
  // Beside the chart: at the right edge of the screen, below the menu bar.
  const Rect client = GetClientRectangle(window);
  const int left = ScreenWidth() - RectWidth(client) - InfoWindowMarginPx;
  SetWindowClientRectangle(window, Rect{left, InfoWindowTopPx, left + RectWidth(client),
                                        InfoWindowTopPx + RectHeight(client)});
}

void ShowObjectInfo(ObjectId object) {
  ShellState& shell = Shell();
  shell.infoObject = object != 0 && ObjectOfId(object) ? object : 0;
  if (Settings().TelescopeConnected && Hooks().targetObject) Hooks().targetObject(shell.infoObject);
  if (!shell.infoWindow) return;
  if (shell.infoObject == 0) {
    HidePlatformWindow(shell.infoWindow);
    return;
  }
  FillTexts();
}

void OpenObjectInfo(ObjectId object) {
  ShowObjectInfo(object);
  if (Shell().infoObject != 0 && Shell().infoWindow) ShowPlatformWindow(Shell().infoWindow);
}

void BringInfoWindowToFront() {
  if (Shell().infoObject != 0 && Shell().infoWindow) SelectPlatformWindow(Shell().infoWindow);
}

void RefreshInfoWindow() {
  if (IsInfoWindowShown()) FillTexts();
}

void CloseInfoWindow() {
  if (Shell().infoWindow) HidePlatformWindow(Shell().infoWindow);
  UpdateMenus();
}

bool IsInfoWindowShown() {
  return Shell().infoWindow && IsPlatformWindowVisible(Shell().infoWindow);
}

ObjectId InfoObject() { return Shell().infoObject; }

int InfoWindowHandler(int code, WindowRef window, int p1, int /*p2*/) {
  switch (code) {
    case ControlEvent:
      PressButton(p1);
      return 0;
    case WindowUpdateEvent:
      DrawTitle(window);
      return 0;
    default:
      return 1;  // the close box then acts as Close
  }
}

}  // namespace qv
