// app/info_window.cpp - the object info window (info_window.h).
#include "app/info_window.h"

#include <string>

#include "app/chart_window.h"
#include "app/commands.h"
#include "app/edit_object.h"
#include "app/settings.h"
#include "app/shell.h"
#include "app/trails.h"
#include "chart/centring.h"
#include "chart/object_info.h"
#include "objects/store.h"
#include "platform/dialogs.h"
#include "platform/draw.h"
#include "platform/result.h"
#include "platform/windows.h"

namespace qv {
namespace {

constexpr int InfoWindowDialog = 512;
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
  if (!FillObjectInfo(window, Shell().infoObject)) {
    ShowObjectInfo(0);
    return;
  }
  if (!Hooks().editTrail) EnableItem(window, TrailOnButton, false);  // no trail dialog to open
  InvalidateWindow(window, nullptr);  // the title
}

// DrawTitle: the object's name centred over the title area, at its top.
void DrawTitle(WindowRef window) {
  const ObjectRecord* object = ObjectOfId(Shell().infoObject);
  if (!object || !BeginWindowDrawing(window)) return;
  const std::string name = DisplayName(*object);
  const Rect area = GetItemRect(window, TitleArea);
  SetFont(DefaultFontFace, DefaultFontSize, FontBold);
  SetPen(ColorBlack, 1, false);
  int width = 0;
  MeasureText(name.c_str(), 0, &width, nullptr);
  DrawText(name.c_str(), 0, (area.left + area.right - width) / 2, area.top);
  EndWindowDrawing(window);
}

void CenterOnInfoObject() {
  if (CenterOnObject(Shell().infoObject) != ResultOk) return;
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
    case CenterButton: CenterOnInfoObject(); return;
    case CloseButton: CloseInfoWindow(); return;
    case EditButton: EditObject(Shell().infoObject, 0); return;
    case TrailOnButton:
      if (Hooks().editTrail) Hooks().editTrail(Shell().infoObject);
      FillTexts();
      return;
    case TrailOffButton: DeleteInfoObjectTrail(); return;
    default: return;
  }
}

}  // namespace

void CreateInfoWindow() {
  if (!Shell().infoWindow) Shell().infoWindow = CreateDialogWindow(InfoWindowDialog, 0, InfoWindowHandler);
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

bool IsInfoWindowShown() { return Shell().infoWindow && IsPlatformWindowVisible(Shell().infoWindow); }

ObjectId InfoObject() { return Shell().infoObject; }

int InfoWindowHandler(int code, WindowRef window, int p1, int /*p2*/) {
  switch (code) {
    case ControlEvent: PressButton(p1); return 0;
    case WindowUpdateEvent: DrawTitle(window); return 0;
    default: return 1;  // the close box then acts as Close
  }
}

}  // namespace qv
