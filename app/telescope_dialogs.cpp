// app/telescope_dialogs.cpp - the Telescope Display, Connection and Target dialogs
// (telescope_dialogs.h).
// Display items: 1 OK, 2 Cancel, 3/5/7 the finder, eyepiece and camera check boxes, 4/6/8 their
// widths, 10 the camera height ("d m s").
// Connection items: 4 interface, 6 mount, 8 serial port, 10 updates per second, 11/13 the encoder
// labels and 12/14 their steps, 15 Swapped, 16 Emulate, 18 the INDI server, 20 its device.
// Target items: 4 R.A. (hours), 6 Dec. (degrees), both J2000.
#include "app/telescope_dialogs.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>

#include "app/dialog_fields.h"
#include "objects/textformat.h"
#include "platform/dialogs.h"
#include "platform/serial.h"
#include "platform/windows.h"
#include "settings/settings.h"
#include "settings/telescope_settings.h"
#include "telescope/command_text.h"  // HoursPerRadian, DegreesPerRadian
#include "telescope/indi.h"
#include "telescope/interfaces.h"

namespace qv {
namespace {

constexpr int DisplayDialog = 270, ConnectionDialog = 271, TargetDialog = 272;
constexpr int ItemOk = 1, ItemCancel = 2;

// ---- Telescope Display ----------------------------------------------------------------------

struct FieldItems {
  int check, width;
  bool ChartSettings::*shown;
  double ChartSettings::*size;
};
constexpr FieldItems Fields[] = {
    {3, 4, &ChartSettings::ShowTelescopeFinderField, &ChartSettings::TelescopeFinderFieldWidth},
    {5, 6, &ChartSettings::ShowTelescopeEyepieceField, &ChartSettings::TelescopeEyepeiceFieldWidth},
    {7, 8, &ChartSettings::ShowTelescopeCameraField, &ChartSettings::TelescopeCameraFieldWidth},
    {0, 10, nullptr, &ChartSettings::TelescopeCameraFieldHeight},
};

void SetFieldSize(WindowRef dialog, int item, double radians) {
  const AngleParts parts = SplitSexagesimal(radians * DegreesPerRadian, 1);
  char text[64];
  std::snprintf(text, sizeof text, "%hd %02hd %04.1f", static_cast<short>(parts.whole),
                static_cast<short>(parts.minutes), parts.seconds);
  SetItemText(dialog, item, text);
}

int DisplayHandler(int code, WindowRef dialog, int item, int) {
  ChartSettings& s = Settings();
  if (code == WindowCreatedEvent) {
    for (const FieldItems& f : Fields) {
      if (f.shown) SetItemValue(dialog, f.check, s.*f.shown);
      SetFieldSize(dialog, f.width, s.*f.size);
    }
    return 0;
  }
  if (code != ControlEvent) return 1;
  if (item == ItemOk) {
    for (const FieldItems& f : Fields) {
      if (f.shown) s.*f.shown = GetItemValue(dialog, f.check) != 0;
      const double degrees = ReadAngleItem(dialog, f.width);
      if (degrees >= 0 && std::isfinite(degrees)) s.*f.size = degrees / DegreesPerRadian;
    }
  }
  if (item == ItemOk || item == ItemCancel) EndModalDialog(item);
  return 0;
}

// ---- Telescope Connection -------------------------------------------------------------------

enum ConnectionItem : int {
  ItemInterface = 4,
  ItemMount = 6,
  ItemPort = 8,
  ItemUpdates = 10,
  ItemLonLabel = 11,
  ItemLonSteps = 12,
  ItemLatLabel = 13,
  ItemLatSteps = 14,
  ItemSwapped = 15,
  ItemEmulate = 16,
  ItemIndiServer = 18,
  ItemIndiDevice = 20,
};

// The mount list: "Equatorial" and "Alt-Azimuth", in the order of TelescopeMount.
constexpr int MountListStrings[] = {2600, 2601};
constexpr const char* LonStepsLabel = "Azm./R.A. encoder steps:";
constexpr const char* LatStepsLabel = "Alt./Dec. encoder steps:";

void SetWholeItem(WindowRef dialog, int item, const char* format, long value) {
  char text[32];
  std::snprintf(text, sizeof text, format, value);
  SetItemText(dialog, item, text);
}

// ReadWholeItem: a whole number within the field's type, or the old value.
template <typename T>
T ReadWholeItem(WindowRef dialog, int item, T old, long low, long high) {
  double value = 0;
  if (!ReadNumberItem(dialog, item, value) || !(value >= low && value <= high)) return old;
  return static_cast<T>(std::lround(value));
}

void SetStepLabels(WindowRef dialog) {
  const bool swapped = GetItemValue(dialog, ItemSwapped) != 0;
  SetItemText(dialog, ItemLonLabel, swapped ? LatStepsLabel : LonStepsLabel);
  SetItemText(dialog, ItemLatLabel, swapped ? LonStepsLabel : LatStepsLabel);
}

// EnableForInterface: only the fields the chosen interface reads.
void EnableForInterface(WindowRef dialog) {
  const auto kind = static_cast<TelescopeKind>(GetItemValue(dialog, ItemInterface));
  const bool indi = InterfaceOf(kind).family == ProtocolFamily::Indi;
  const bool encoders = InterfaceOffers(kind, OperationAlign);
  EnableItem(dialog, ItemPort, !indi);
  EnableItem(dialog, ItemIndiServer, indi);
  EnableItem(dialog, ItemIndiDevice, indi);
  for (int item : {ItemMount, ItemLonSteps, ItemLatSteps, ItemSwapped})
    EnableItem(dialog, item, encoders);
}

void FillConnection(WindowRef dialog) {
  const ChartSettings& s = Settings();
  FillComboFromStrings(dialog, ItemInterface, 1, InterfaceOf(TelescopeLX200).listString,
                       InterfaceOf(TelescopeINDI).listString);
  SetItemValue(dialog, ItemInterface, s.TelescopeInterface);
  FillComboFromStrings(dialog, ItemMount, 1, MountListStrings[0], MountListStrings[1]);
  SetItemValue(dialog, ItemMount, s.TelescopeMountType == MountAltAzimuth ? 2 : 1);
  const int ports = SerialPortCount();
  for (int port = 1; port <= ports; ++port)
    AddComboItem(dialog, ItemPort, port, SerialPortName(port).c_str());
  if (s.TelescopeConnectionPort >= 1 && s.TelescopeConnectionPort <= ports)
    SetItemValue(dialog, ItemPort, s.TelescopeConnectionPort);
  SetWholeItem(dialog, ItemUpdates, "%hd", s.TelescopeUpdatesPerSec);
  SetWholeItem(dialog, ItemLonSteps, "%+ld", s.TelescopeLonEncoderSteps);
  SetWholeItem(dialog, ItemLatSteps, "%+ld", s.TelescopeLatEncoderSteps);
  SetItemValue(dialog, ItemSwapped, s.TelescopeEncodersSwapped);
  SetItemValue(dialog, ItemEmulate, s.TelescopeEmulated);
  char server[300];
  std::snprintf(server, sizeof server,
                s.TelescopeINDIHost.find(':') != std::string::npos ? "[%s]:%d" : "%s:%d",
                s.TelescopeINDIHost.c_str(), static_cast<int>(s.TelescopeINDIPort));
  SetItemText(dialog, ItemIndiServer, server);
  SetItemText(dialog, ItemIndiDevice, s.TelescopeINDIDevice.c_str());
  SetStepLabels(dialog);
  EnableForInterface(dialog);
}

void ReadConnection(WindowRef dialog) {
  ChartSettings& s = Settings();
  const int kind = GetItemValue(dialog, ItemInterface);
  if (kind >= 1 && kind <= TelescopeKindCount)
    s.TelescopeInterface = static_cast<TelescopeKind>(kind);
  s.TelescopeMountType = GetItemValue(dialog, ItemMount) == 2 ? MountAltAzimuth : MountEquatorial;
  if (const int port = GetItemValue(dialog, ItemPort); port >= 1)
    s.TelescopeConnectionPort = static_cast<int16_t>(port);
  s.TelescopeUpdatesPerSec =
      ReadWholeItem<int16_t>(dialog, ItemUpdates, s.TelescopeUpdatesPerSec, 0, INT16_MAX);
  s.TelescopeLonEncoderSteps = ReadWholeItem<int32_t>(
      dialog, ItemLonSteps, s.TelescopeLonEncoderSteps, -INT32_MAX, INT32_MAX);
  s.TelescopeLatEncoderSteps = ReadWholeItem<int32_t>(
      dialog, ItemLatSteps, s.TelescopeLatEncoderSteps, -INT32_MAX, INT32_MAX);
  s.TelescopeEncodersSwapped = GetItemValue(dialog, ItemSwapped) != 0;
  s.TelescopeEmulated = GetItemValue(dialog, ItemEmulate) != 0;
  ReadIndiAddress(GetItemText(dialog, ItemIndiServer), s.TelescopeINDIHost, s.TelescopeINDIPort);
  s.TelescopeINDIDevice = GetItemText(dialog, ItemIndiDevice, IndiNameMaxLength);
}

int ConnectionHandler(int code, WindowRef dialog, int item, int) {
  if (code == WindowCreatedEvent) {
    FillConnection(dialog);
    return 0;
  }
  if (code != ControlEvent) return 1;
  if (item == ItemSwapped) SetStepLabels(dialog);
  if (item == ItemInterface) EnableForInterface(dialog);
  if (item == ItemOk) ReadConnection(dialog);
  if (item == ItemOk || item == ItemCancel) EndModalDialog(item);
  return 0;
}

// ---- Telescope Target -----------------------------------------------------------------------

constexpr int ItemRightAscension = 4, ItemDeclination = 6;

int TargetHandler(int code, WindowRef dialog, int item, int) {
  auto* target = reinterpret_cast<EquatorialPosition*>(GetWindowReference(dialog));
  if (code == WindowCreatedEvent) {
    SetItemText(dialog, ItemRightAscension, FormatAngleText(target->ra * HoursPerRadian).c_str());
    SetItemText(dialog, ItemDeclination, FormatAngleText(target->dec * DegreesPerRadian).c_str());
    return 0;
  }
  if (code != ControlEvent) return 1;
  if (item == ItemOk) {
    const double ra = ReadAngleItem(dialog, ItemRightAscension) / HoursPerRadian;
    const double dec = ReadAngleItem(dialog, ItemDeclination) / DegreesPerRadian;
    target->ra =
        std::fmod(std::fmod(ra, 2 * std::numbers::pi) + 2 * std::numbers::pi, 2 * std::numbers::pi);
    target->dec = std::clamp(dec, -std::numbers::pi / 2, std::numbers::pi / 2);
  }
  if (item == ItemOk || item == ItemCancel) EndModalDialog(item);
  return 0;
}

}  // namespace

bool RunTelescopeDisplayDialog() {
  return RunModalDialog(DisplayDialog, 0, DisplayHandler) == ItemOk;
}

bool RunTelescopeConnectionDialog() {
  return RunModalDialog(ConnectionDialog, 0, ConnectionHandler) == ItemOk;
}

bool RunTelescopeTargetDialog(EquatorialPosition& target) {
  EquatorialPosition edited = target;
  if (RunModalDialog(TargetDialog, reinterpret_cast<intptr_t>(&edited), TargetHandler) != ItemOk)
    return false;
  target = edited;
  return true;
}

}  // namespace qv
