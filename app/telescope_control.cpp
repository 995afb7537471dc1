// app/telescope_control.cpp - the Telescope menu, the control windows and the marker
// (telescope_control.h).
// Command window items: 4/6 telescope R.A. and Dec., 8 target name, 10/12 target R.A. and Dec.,
// 14 magnitude, 16 size, 17 Go To, 18 Stop, 19 Sync, 20 Center, 21-24 the arrows north, east,
// south, west (held down to move), 25-28 the speeds.
// Alignment window items: 1 instruction, 3 target name, 7/9 telescope R.A. and Dec., 10 Align,
// 11 Center.
#include "app/telescope_control.h"

#include <string>

#include "app/chart_window.h"
#include "app/commands.h"
#include "app/info_window.h"
#include "app/shell.h"
#include "app/telescope_dialogs.h"
#include "astro/angles.h"
#include "astro/time.h"
#include "chart/centring.h"
#include "chart/projection.h"
#include "generated/string_numbers.h"
#include "objects/sky.h"
#include "objects/store.h"
#include "objects/textformat.h"
#include "platform/alert.h"
#include "platform/button_hold.h"
#include "platform/dialogs.h"
#include "platform/draw.h"
#include "platform/events.h"
#include "platform/menus.h"
#include "platform/result.h"
#include "platform/strings.h"
#include "platform/windows.h"
#include "settings/settings.h"
#include "settings/telescope_settings.h"
#include "telescope/interfaces.h"
#include "telescope/link.h"
#include "telescope/marker.h"
#include "telescope/target.h"

namespace qv {
namespace {

constexpr int TelescopeMenuNumber = 263;
enum TelescopeMenuItem : int {
  ItemDisplay = 1,
  ItemConnect = 2,
  ItemDisconnect = 3,
  ItemSetLocation = 5,
  ItemSetDateTime = 6,
  ItemSetTargetObject = 7,
  ItemSetTargetCoordinates = 8,
  ItemShowControlWindow = 10,
  ItemShowFields = 11,
  ItemStayCentered = 12,
  ItemTrackMovingTargets = 13,
};

constexpr int CommandWindowDialog = 513, AlignmentWindowDialog = 514;
constexpr int ControlWindowMarginPx = 16;
enum ControlItem : int {
  CommandTelescopeRa = 4,
  CommandTelescopeDec = 6,
  CommandTargetName = 8,
  CommandTargetRa = 10,
  CommandTargetDec = 12,
  CommandTargetMagnitude = 14,
  CommandTargetSize = 16,
  CommandGoTo = 17,
  CommandStop = 18,
  CommandSync = 19,
  CommandCenter = 20,
  CommandFirstArrow = 21,  // north, east, south, west: 21-24, as directions 1-4
  CommandLastArrow = 24,
  CommandFirstSpeed = 25,
  CommandLastSpeed = 28,
  AlignInstruction = 1,
  AlignTargetName = 3,
  AlignTelescopeRa = 7,
  AlignTelescopeDec = 9,
  AlignButton = 10,
  AlignCenter = 11,
};

TelescopeLink& link = Telescope();
WindowRef controlWindow = nullptr;

bool AlignmentWindow() {
  return InterfaceOf(link.options.TelescopeInterface).window == ControlWindowKind::Alignment;
}

TelescopeSky SkyNow() {
  const SkyContext& sky = CurrentSky();
  return {sky.jde, sky.siderealTime};
}

// SyncSettings: the settings' telescope state as the link has it.
void SyncSettings() {
  ChartSettings& s = Settings();
  s.TelescopeConnected = link.connected;
  if (!link.connected) {
    s.TelescopeShowFields = s.TelescopeStayCentered = s.TelescopeTrackMovingTargets = false;
  }
  s.TelescopeRightAscension = link.position.ra;
  s.TelescopeDeclination = link.position.dec;
}

void SetEquatorialTexts(int raItem, int decItem, const EquatorialPosition& at) {
  const CoordinateTexts texts =
      FormatCoordinates(CoordinatesEquatorial, at.ra, at.dec, CoordinateValues, J2000);
  SetItemText(controlWindow, raItem, texts.lon.c_str());
  SetItemText(controlWindow, decItem, texts.lat.c_str());
}

void FillPosition() {
  if (!controlWindow) return;
  if (AlignmentWindow()) {
    SetEquatorialTexts(AlignTelescopeRa, AlignTelescopeDec, link.position);
  } else {
    SetEquatorialTexts(CommandTelescopeRa, CommandTelescopeDec, link.position);
  }
}

void FillTarget() {
  if (!controlWindow) return;
  const ObjectRecord* object =
      link.target.object != NoObject ? ObjectOfId(link.target.object) : nullptr;
  const std::string name = object ? InfoTitleText(DisplayName(*object)) : std::string();
  if (AlignmentWindow()) {
    SetItemText(controlWindow, AlignTargetName, name.c_str());
    return;
  }
  SetItemText(controlWindow, CommandTargetName, name.c_str());
  SetEquatorialTexts(CommandTargetRa, CommandTargetDec, link.target.position);
  SetItemText(controlWindow, CommandTargetMagnitude,
              object ? TargetMagnitudeText(*object).c_str() : "");
  SetItemText(controlWindow, CommandTargetSize, object ? TargetSizeText(*object).c_str() : "");
}

// EnableCommands: what the interface offers; the arrows and speeds only where it moves.
void EnableCommands() {
  const TelescopeKind kind = link.options.TelescopeInterface;
  EnableItem(controlWindow, CommandGoTo, InterfaceOffers(kind, OperationGoTo));
  EnableItem(controlWindow, CommandStop, InterfaceOffers(kind, OperationStop));
  EnableItem(controlWindow, CommandSync, InterfaceOffers(kind, OperationSync));
  for (int item = CommandFirstArrow; item <= CommandLastArrow; ++item)
    EnableItem(controlWindow, item, InterfaceOffers(kind, OperationMove));
  const bool jog = InterfaceOf(kind).jogSpeedLabels;
  for (int item = CommandFirstSpeed; item <= CommandLastSpeed; ++item) {
    EnableItem(controlWindow, item, InterfaceOffers(kind, OperationSetSpeed));
    if (jog) SetItemText(controlWindow, item, JogSpeedLabels[item - CommandFirstSpeed]);
  }
}

int ControlWindowHandler(int code, WindowRef window, int item, int part);

void SetInstruction(int stringNumber) {
  const char* text = GetString(stringNumber);
  SetItemText(controlWindow, AlignInstruction, text ? text : "");
}

bool OpenControlWindow() {
  const int dialog = AlignmentWindow() ? AlignmentWindowDialog : CommandWindowDialog;
  controlWindow = CreateDialogWindow(dialog, 0, ControlWindowHandler);
  if (!controlWindow) return false;
  // At the lower left of the screen, where it hides the least of the chart's centre.
  const Rect client = GetClientRectangle(controlWindow);
  const int top = ScreenHeight() - RectHeight(client) - ControlWindowMarginPx * 4;
  SetWindowClientRectangle(
      controlWindow, Rect{ControlWindowMarginPx, top, ControlWindowMarginPx + RectWidth(client),
                          top + RectHeight(client)});
  if (AlignmentWindow()) {
    SetInstruction(AlignmentInstruction(link));
  } else {
    EnableCommands();
  }
  return true;
}

void CloseControlWindow() {
  if (controlWindow) DisposeDialog(controlWindow);
  controlWindow = nullptr;
}

void Disconnect() {
  DisconnectTelescope(link);
  CloseControlWindow();
  SyncSettings();
  UpdateMenus();
  RelayoutAndRedraw();
}

void Connect() {
  Disconnect();
  link.options = TelescopeOptionsOf(Settings());
  if (!OpenControlWindow()) {
    Stop(ButtonsOk, MessageNoMemory);
    return;
  }
  if (ConnectTelescope(link, link.options, SkyNow(), TickCount()) != ResultOk) {
    Disconnect();
    return;
  }
  Shell().lastTelescopeUpdateMs = TickCount();
  SyncSettings();
  Settings().TelescopeShowFields = true;
  FillPosition();
  FillTarget();
  ShowPlatformWindow(controlWindow);
  UpdateMenus();
  RelayoutAndRedraw();
}

// CenterOnTelescope: the chart's centre goes to the telescope, following no object.
void CenterOnTelescope() {
  ChartSettings& s = Settings();
  s.CenteredObject = 0;
  const Vector3 at = SphericalToRectangular(link.position.ra, link.position.dec, 1);
  FollowCentre(s, &at);
  RelayoutAndRedraw();
}

void GoToTarget() {
  if (TelescopeGoTo(link, SkyNow()) == ResultMountSlewing &&
      Caution(ButtonsYesNo, MessageRejectedWhileSlewing) == AnswerYes)
    TelescopeStop(link);
}

void Align() {
  const int instruction = TelescopeAlign(link, SkyNow());
  if (instruction) SetInstruction(instruction);
}

// ArrowPressed: press and release of an arrow start and stop its direction; a click from the
// keyboard only starts it.
void ArrowPressed(int item, int part) {
  const int direction = item - CommandFirstArrow + DirectionNorth;
  if (part == PartButtonReleased) {
    TelescopeMove(link, false, direction);
  } else {
    TelescopeMove(link, true, direction);
  }
}

void PressControl(int item, int part) {
  if (AlignmentWindow()) {
    if (item == AlignButton) Align();
    if (item == AlignCenter) CenterOnTelescope();
    return;
  }
  if (item >= CommandFirstArrow && item <= CommandLastArrow) {
    ArrowPressed(item, part);
    return;
  }
  if (part != PartClick) return;
  if (item >= CommandFirstSpeed && item <= CommandLastSpeed) {
    TelescopeSetSpeed(link, item - CommandFirstSpeed + 1);
    return;
  }
  switch (item) {
    case CommandGoTo:
      GoToTarget();
      return;
    case CommandStop:
      TelescopeStop(link);
      return;
    case CommandSync:
      TelescopeSync(link, SkyNow());
      return;
    case CommandCenter:
      CenterOnTelescope();
      return;
    default:
      return;
  }
}

void AskDisconnect() {
  if (Caution(ButtonsYesNo, MessageConfirmDisconnect) == AnswerYes) Disconnect();
}

int ControlWindowHandler(int code, WindowRef, int item, int part) {
  switch (code) {
    case ControlEvent:
      PressControl(item, part);
      return 0;
    case WindowCloseEvent:
      AskDisconnect();
      return 0;  // the window goes with the link, not by itself
    default:
      return 1;
  }
}

// ShiftMouseSky: the sky under the mouse in the chart window while Shift is held.
bool ShiftMouseSky(EquatorialPosition& at) {
  if (!IsKeyDown(KeyShift) || !Shell().chartWindow) return false;
  const Point mouse = GetMousePosition(Shell().chartWindow);
  Vector3 direction;
  if (!ChartToSky(CurrentChartFrame(), mouse.x, mouse.y, direction)) return false;
  const Spherical s = RectangularToSpherical(direction);
  at = {s.lon, s.lat};
  return true;
}

bool Poll() {
  EquatorialPosition mouse;
  const bool shift = ShiftMouseSky(mouse);
  const int outcome = PollTelescope(link, SkyNow(), TickCount(), shift ? &mouse : nullptr);
  if (outcome == PollFailed) {
    Disconnect();
    return false;
  }
  if (outcome == PollMoved) {
    SyncSettings();
    FillPosition();
    if (Settings().TelescopeStayCentered) {
      RelayoutAndRedraw();
    } else {
      RedrawChartWindow();
    }
  }
  return true;
}

void TargetObject(ObjectId id) {
  const ObjectRecord* object = id != NoObject ? ObjectOfId(id) : nullptr;
  if (!link.connected || !object) return;
  link.target = TargetFromObject(*object);
  FillTarget();
}

void SetTargetObject() {
  TargetObject(Shell().infoObject);
  if (link.target.object == Shell().infoObject && Shell().infoObject != 0) GoToTarget();
}

void SetTargetCoordinates() {
  EquatorialPosition at = link.target.position;
  if (!RunTelescopeTargetDialog(at)) return;
  SetTelescopeTarget(link, NoObject, at);
  FillTarget();
  GoToTarget();
}

bool AskSiteAndTime() {
  return !InterfaceOf(link.options.TelescopeInterface).asksBeforeSiteAndTime ||
         Caution(ButtonsYesNo, MessageConfirmSiteChange) == AnswerYes;
}

void SetLocation() {
  const ChartSettings& s = Settings();
  if (AskSiteAndTime())
    TelescopeSetSite(link, s.ViewerLongitude, s.ViewerLatitude, ZoneInEffect(s, s.JulianDate));
}

void SetDateAndTime() {
  const ChartSettings& s = Settings();
  const double ut = s.DynamicTime ? s.JulianDate - DeltaT(s.JulianDate) : s.JulianDate;
  if (AskSiteAndTime()) TelescopeSetDateTime(link, ut, ZoneInEffect(s, ut));
}

void ToggleFlag(bool ChartSettings::*flag) {
  ChartSettings& s = Settings();
  s.*flag = !(s.*flag);
  link.trackMovingTargets = s.TelescopeTrackMovingTargets;
  if (flag == &ChartSettings::TelescopeStayCentered && s.TelescopeStayCentered)
    s.CenteredObject = 0;
  if (flag == &ChartSettings::TelescopeTrackMovingTargets && s.TelescopeTrackMovingTargets) {
    if (const ObjectRecord* object = ObjectOfId(link.target.object)) {
      TrackTelescopeTarget(link, SkyNow(), *object);
      FillTarget();
    }
  }
  UpdateMenus();
  RelayoutAndRedraw();
}

// DrawTelescopeFieldsHere: the marker and the fields the settings show, into the current port
// (the window, a picture or a printed page) over the chart of the current frame.
void DrawTelescopeFieldsHere() {
  const ChartSettings& s = Settings();
  MarkerFields fields;
  fields.finder = s.ShowTelescopeFinderField;
  fields.eyepiece = s.ShowTelescopeEyepieceField;
  fields.camera = s.ShowTelescopeCameraField;
  fields.finderWidth = s.TelescopeFinderFieldWidth;
  fields.eyepieceWidth = s.TelescopeEyepeiceFieldWidth;
  fields.cameraWidth = s.TelescopeCameraFieldWidth;
  fields.cameraHeight = s.TelescopeCameraFieldHeight;
  DrawTelescopeMarker(CurrentChartFrame(), link.position, fields);
}

}  // namespace

void TelescopeCommand(int command) {
  switch (command - TelescopeMenuNumber * 100) {
    case ItemDisplay:
      if (RunTelescopeDisplayDialog()) RedrawChartWindow();
      return;
    case ItemConnect:
      if (RunTelescopeConnectionDialog()) Connect();
      return;
    case ItemDisconnect:
      AskDisconnect();
      return;
    case ItemSetLocation:
      SetLocation();
      return;
    case ItemSetDateTime:
      SetDateAndTime();
      return;
    case ItemSetTargetObject:
      SetTargetObject();
      return;
    case ItemSetTargetCoordinates:
      SetTargetCoordinates();
      return;
    case ItemShowControlWindow:
      if (controlWindow) ShowPlatformWindow(controlWindow);
      return;
    case ItemShowFields:
      ToggleFlag(&ChartSettings::TelescopeShowFields);
      return;
    case ItemStayCentered:
      ToggleFlag(&ChartSettings::TelescopeStayCentered);
      return;
    case ItemTrackMovingTargets:
      ToggleFlag(&ChartSettings::TelescopeTrackMovingTargets);
      return;
    default:
      return;
  }
}

void InstallTelescopeHooks() {
  ShellHooks& hooks = Hooks();
  hooks.pollTelescope = Poll;
  hooks.disconnectTelescope = DisconnectTelescopeLink;
  hooks.targetObject = TargetObject;
  hooks.drawTelescopeFields = DrawTelescopeFieldsHere;
  hooks.targetPoint = [](double ra, double dec) {
    SetTelescopeTarget(link, NoObject, {ra, dec});
    FillTarget();
  };
}

void DisconnectTelescopeLink() {
  if (link.connected) Disconnect();
}

WindowRef TelescopeControlWindow() { return controlWindow; }

void DrawTelescopeOverlay() {
  WindowRef window = Shell().chartWindow;
  if (!link.connected || !Settings().TelescopeShowFields || !BeginWindowDrawing(window)) return;
  DrawTelescopeFieldsHere();
  EndWindowDrawing(window);
}

}  // namespace qv
