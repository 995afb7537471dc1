// app/commands_edit_view.cpp - the Edit menu, and the View menu with its Center Planet, Center
// Horizon, Projection and Coordinates submenus.
#include <string>

#include "app/chart_output.h"
#include "app/chart_window.h"
#include "app/command_handlers.h"
#include "app/commands.h"
#include "app/edit_object.h"
#include "app/info_window.h"
#include "app/select_object.h"
#include "app/view_dialogs.h"
#include "app/viewpoint.h"
#include "chart/centring.h"
#include "chart/view.h"
#include "objects/database.h"
#include "platform/result.h"
#include "settings/settings.h"

namespace qv {
namespace {

enum EditViewCommand : int {
  CopyChart = 25804,
  FindObject = 25808,
  EditObjectCommand = 25809,
  DeleteObjectCommand = 25810,
  EditConstellations = 25812,
  CenterObject = 25903,
  CenterCoordinates = 25904,
  FieldCommand = 25909,
  ZoomInCommand = 25910,
  ZoomOutCommand = 25911,
  FirstFieldPreset = 25913,
};

void FindAndShowObject() {
  const ObjectId id = SelectObject();
  if (id == 0) return;
  ShowObjectInfo(id);
  BringInfoWindowToFront();
  UpdateMenus();
}

void DeleteChosenObject() {
  const ObjectId id = SelectObject();
  if (id == 0 || DeleteObject(id) != ResultOk) return;  // 536, 539 inside
  ForgetMissingObjects();
  RefreshChart(false);
}

// AfterViewChange: a new chart image in the window and the menus' check marks.
void AfterViewChange() {
  RelayoutAndRedraw();
  UpdateMenus();
}

void CenterPlanet(int item) {
  const std::string name = GetMenuItemText(MenuByNumber(CenterPlanetMenu), item);
  if (CenterOnPlanet(Settings(), name.c_str()) != ResultOk) return;  // 523, 540 inside
  StopFollowingTelescope();
  AfterViewChange();
}

void CenterChosenObject() {
  const ObjectId id = SelectObject();
  if (id == 0 || CenterOnObject(Settings(), id) != ResultOk) return;
  StopFollowingTelescope();
  AfterViewChange();
}

void SwitchCoordinates(int system) {
  SetCoordinateSystem(Settings(), system);
  RelayoutChartWindow();
  UpdateMenus();
  RedrawChartWindow();
  RefreshInfoWindow();
}

void ViewMenuCommand(int command) {
  switch (command) {
    case CenterObject:
      CenterChosenObject();
      return;
    case CenterCoordinates:
      if (RunCenterCoordinatesDialog() == 1) AfterViewChange();
      return;
    case FieldCommand:
      if (RunFieldDialog() == 1) AfterViewChange();
      return;
    case ZoomInCommand:
      if (ZoomIn(Settings()) == ResultOk) AfterViewChange();
      return;
    case ZoomOutCommand:
      if (ZoomOut(Settings()) == ResultOk) AfterViewChange();
      return;
    default:
      if (command >= FirstFieldPreset && command < FirstFieldPreset + FieldPresetCount &&
          SetFieldPreset(Settings(), command - FirstFieldPreset) == ResultOk)
        AfterViewChange();
      return;
  }
}

}  // namespace

void EditCommand(int command) {
  switch (command) {
    case CopyChart:
      CopyChartCommand();
      return;
    case FindObject:
      FindAndShowObject();
      return;
    case EditObjectCommand:
      if (const ObjectId id = SelectObject()) EditObject(id, 0);
      return;
    case DeleteObjectCommand:
      DeleteChosenObject();
      return;
    case EditConstellations:
      Settings().ConstellationEditing = !Settings().ConstellationEditing;
      UpdateMenus();
      return;
    default:
      return;
  }
}

void ViewCommand(int command) {
  const int menu = command / 100, item = command % 100;
  switch (menu) {
    case CenterPlanetMenu:
      CenterPlanet(item);
      return;
    case CenterHorizonMenu:
      CenterOnHorizonPoint(Settings(), item);
      StopFollowingTelescope();
      AfterViewChange();
      return;
    case ProjectionMenu:
      SetProjection(Settings(), item);
      AfterViewChange();
      return;
    case CoordinatesMenu:
      SwitchCoordinates(item);
      return;
    default:
      ViewMenuCommand(command);
      return;
  }
}

}  // namespace qv
