// app/location_dialog.cpp - the Location dialog (computation_dialogs.h): the viewpoint on the
// Earth or at an object, and the list of named sites kept as location objects in the database.
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "app/computation_dialogs.h"
#include "app/dialog_fields.h"
#include "app/select_object.h"
#include "app/shell.h"
#include "app/viewpoint.h"
#include "astro/angles.h"
#include "astro/constants.h"
#include "generated/string_numbers.h"
#include "objects/database.h"
#include "objects/site_zone.h"
#include "objects/sky.h"
#include "objects/store.h"
#include "objects/textformat.h"
#include "objects/textimport.h"
#include "objects/textscan.h"
#include "platform/alert.h"
#include "platform/dialogs.h"
#include "platform/result.h"
#include "platform/strings.h"
#include "settings/settings.h"

namespace qv {
namespace {

constexpr int LocationDialog = 259;
enum LocationItem : int {
  EarthRadio = 3,
  SiteName = 4,
  Longitude = 6,  // degrees minutes seconds, east
  Latitude = 8,
  Altitude = 10,  // metres
  ZoneHours = 12,
  SiteList = 13,
  AddButton = 14,
  DeleteButton = 15,
  UseAsHereButton = 16,
  ObjectRadio = 17,
  ObjectName = 18,
  SelectButton = 19,
  OffsetDistance = 21,
  KmRadio = 22,
  AuRadio = 23,
  PcRadio = 24,
  OffsetRA = 26,   // hours minutes seconds
  OffsetDec = 28,  // degrees minutes seconds
};

constexpr double HoursPerDay = 24.0;

struct LocationState {
  ObjectId viewer = 0;          // the dialog's chosen viewer object
  std::vector<ObjectId> sites;  // the list's entries, in order
  bool filling = true;          // the dialog's own texts are not typing
};

std::string AngleText(double radians) { return FormatAngleText(radians * RadToDeg); }

// The two viewpoint radio buttons are far apart in the item numbers: set one by one, so that the
// items between them (the site list among them) keep their values.
void ViewFrom(WindowRef dialog, int radio) {
  SetItemValue(dialog, EarthRadio, radio == EarthRadio);
  SetItemValue(dialog, ObjectRadio, radio == ObjectRadio);
}

void FillSiteList(WindowRef dialog, LocationState& state, const std::string& selectName) {
  SetWaitCursor();
  for (int n = CountComboItems(dialog, SiteList); n > 0; --n) DeleteComboItem(dialog, SiteList, n);
  state.sites = SiteObjects();
  int selected = 0;
  for (size_t k = 0; k < state.sites.size(); ++k) {
    const std::string& name = SiteOf(*ObjectOfId(state.sites[k]))->name;
    AddComboItem(dialog, SiteList, static_cast<int>(k) + 1, name.c_str());
    if (selected == 0 && EqualsIgnoringCase(name, selectName)) selected = static_cast<int>(k) + 1;
  }
  if (selected == 0 && !state.sites.empty()) selected = 1;
  SetItemValue(dialog, SiteList, selected);
  SetArrowCursor();
}

void SetEarthFields(WindowRef dialog, const std::string& name, double lon, double lat,
                    const char* altitudeFormat, double altitude, double zoneDays) {
  SetItemText(dialog, SiteName, name.c_str());
  SetItemText(dialog, Longitude, AngleText(lon).c_str());
  SetItemText(dialog, Latitude, AngleText(lat).c_str());
  SetNumberItem(dialog, Altitude, altitudeFormat, altitude);
  SetNumberItem(dialog, ZoneHours, "%+.1f", zoneDays * HoursPerDay);
}

void SetOffsetFields(WindowRef dialog, const double offset[3]) {
  const Spherical s = RectangularToSpherical({offset[0], offset[1], offset[2]});
  const CoordinateTexts texts = FormatCoordinates(CoordinatesEquatorial, s.lon, s.lat,
                                                  CoordinateValues, CurrentSky().precessionEpoch);
  SetItemText(dialog, OffsetRA, texts.lon.c_str());
  SetItemText(dialog, OffsetDec, texts.lat.c_str());
  int unit = AuRadio;
  if (s.r < 0.1) {
    SetNumberItem(dialog, OffsetDistance, "%.0f", s.r * KmPerAu);
    unit = KmRadio;
  } else if (s.r >= 1e4) {
    SetNumberItem(dialog, OffsetDistance, "%.3f", s.r * ParsecsPerAu);
    unit = PcRadio;
  } else {
    SetNumberItem(dialog, OffsetDistance, "%.5f", s.r);
  }
  SetRadioGroup(dialog, KmRadio, PcRadio, unit);
}

void ShowViewer(WindowRef dialog, ObjectId viewer) {
  const ObjectRecord* object = viewer != 0 ? ObjectOfId(viewer) : nullptr;
  const char* none = GetString(MessageObjectNotSelected);
  SetItemText(dialog, ObjectName, object ? DisplayName(*object).c_str() : (none ? none : ""));
}

void Fill(WindowRef dialog, LocationState& state) {
  const ChartSettings& s = Settings();
  FillSiteList(dialog, state, s.ViewerSiteName);
  SetEarthFields(dialog, s.ViewerSiteName, s.ViewerLongitude, s.ViewerLatitude, "%.1f",
                 s.ViewerAltitude, s.TimeZone);
  SetOffsetFields(dialog, s.ViewerObjectOffset);
  state.viewer = s.ViewerObject;
  ShowViewer(dialog, state.viewer);
  ViewFrom(dialog, state.viewer != 0 ? ObjectRadio : EarthRadio);
}

void ChooseSite(WindowRef dialog, const LocationState& state) {
  const int row = GetItemValue(dialog, SiteList);
  if (row < 1 || row > static_cast<int>(state.sites.size())) return;
  const ObjectRecord* object = ObjectOfId(state.sites[row - 1]);
  if (!object) return;
  const SiteRecord& site = *SiteOf(*object);
  SetEarthFields(dialog, site.name, site.longitude, site.latitude, "%.0f", site.altitude,
                 site.timeZone);
  ViewFrom(dialog, EarthRadio);
}

// The site typed into the Earth fields as the text line of a location object.
std::string SiteLine(WindowRef dialog) {
  return "L\t" + GetItemText(dialog, Longitude) + "\t" + GetItemText(dialog, Latitude) + "\t" +
         GetItemText(dialog, Altitude) + "\t" + GetItemText(dialog, ZoneHours) + "\t" +
         GetItemText(dialog, SiteName);
}

void AddSite(WindowRef dialog, LocationState& state) {
  std::unique_ptr<ObjectRecord> record;
  if (ParseObjectLine(SiteLine(dialog), record) != ResultOk || !record) {
    Caution(ButtonsOk, MessageNoMemory);
    return;
  }
  const std::string name = SiteOf(*record)->name;
  const ObjectId existing = FindLocationByName(name);
  if (existing != 0 && Note(ButtonsOkCancel, MessageReplaceLocation, name.c_str()) != AnswerOk)
    return;
  ObjectId fileId = 0;
  if (BeginObjectEdit(existing, fileId) != ResultOk) return;           // read-only: note 539
  const ObjectId stored = CommitObjectEdit(fileId, existing, record);  // 527, file and index saved
  EndObjectEdit(fileId);
  if (stored != 0) FillSiteList(dialog, state, name);
}

void DeleteSite(WindowRef dialog, LocationState& state) {
  const int row = GetItemValue(dialog, SiteList);
  if (row < 1 || row > static_cast<int>(state.sites.size())) return;
  const ObjectId site = state.sites[row - 1];
  ObjectId fileId = 0;
  if (BeginObjectEdit(site, fileId) != ResultOk) return;  // read-only: note 539
  CommitObjectRemoval(site);
  EndObjectEdit(fileId);
  state.sites.erase(state.sites.begin() + (row - 1));
  DeleteComboItem(dialog, SiteList, row);
}

void UseAsHere(WindowRef dialog) {
  HereLocation& here = Shell().here;
  here.siteName = GetItemText(dialog, SiteName).substr(0, SiteNameMaxLength);
  here.longitude = ReadAngleItem(dialog, Longitude) * DegToRad;
  here.latitude = ReadAngleItem(dialog, Latitude) * DegToRad;
  double altitude = 0, hours = 0;
  ReadNumberItem(dialog, Altitude, altitude);
  ReadNumberItem(dialog, ZoneHours, hours);
  here.altitude = altitude;
  here.timeZone = hours / HoursPerDay;
}

void SelectViewer(WindowRef dialog, LocationState& state) {
  const ObjectId chosen = SelectObject();
  if (chosen == 0) return;
  state.viewer = chosen;
  ShowViewer(dialog, chosen);
  ViewFrom(dialog, ObjectRadio);
}

void ReadEarth(WindowRef dialog) {
  ChartSettings& s = Settings();
  s.ViewerObject = 0;
  s.ViewerSiteName = GetItemText(dialog, SiteName).substr(0, SiteNameMaxLength);
  s.ViewerLongitude = ReadAngleItem(dialog, Longitude) * DegToRad;
  s.ViewerLatitude = ReadAngleItem(dialog, Latitude) * DegToRad;
  ReadNumberItem(dialog, Altitude, s.ViewerAltitude);
  double hours = s.TimeZone * HoursPerDay;
  ReadNumberItem(dialog, ZoneHours, hours);
  s.TimeZone = hours / HoursPerDay;
}

void ReadOffset(WindowRef dialog, ObjectId viewer) {
  ChartSettings& s = Settings();
  SetViewerObject(viewer);
  if (s.ViewerObject == 0) return;  // the Earth: its site
  double distance = 0;
  ReadNumberItem(dialog, OffsetDistance, distance);
  switch (GetCheckedRadio(dialog, KmRadio, PcRadio)) {
    case KmRadio:
      distance *= AuPerKm;
      break;
    case PcRadio:
      distance *= AuPerParsec;
      break;
    default:
      break;
  }
  const Vector3 offset =
      SphericalToRectangular(ReadAngleItem(dialog, OffsetRA) * SettingsHourToRad,
                             ReadAngleItem(dialog, OffsetDec) * SettingsDegToRad, distance);
  s.ViewerObjectOffset[0] = offset.x;
  s.ViewerObjectOffset[1] = offset.y;
  s.ViewerObjectOffset[2] = offset.z;
}

// Ok: false (after caution 513) when viewing from an object and none is chosen.
bool Ok(WindowRef dialog, const LocationState& state) {
  if (GetItemValue(dialog, ObjectRadio) == 0) {
    ReadEarth(dialog);
    return true;
  }
  if (state.viewer == 0 || !ObjectOfId(state.viewer)) {
    Caution(ButtonsOk, MessageObjectNotSelected);
    return false;
  }
  ReadOffset(dialog, state.viewer);
  return true;
}

void Typed(WindowRef dialog, int item) {
  switch (item) {
    case SiteName:
    case Longitude:
    case Latitude:
    case Altitude:
    case ZoneHours:
      ViewFrom(dialog, EarthRadio);
      return;
    case OffsetDistance:
    case OffsetRA:
    case OffsetDec:
      ViewFrom(dialog, ObjectRadio);
      return;
    default:
      return;
  }
}

int LocationHandler(LocationState& state, int code, WindowRef dialog, int p1, int p2) {
  if (code == WindowCreatedEvent) {
    Fill(dialog, state);
    state.filling = false;
    return 0;
  }
  if (code != ControlEvent) return 1;
  if (state.filling) return 0;  // echoes of the dialog's own changes
  if (p2 == PartTextChanged) {
    Typed(dialog, p1);
    return 0;
  }
  state.filling = true;  // what follows writes texts and lists of its own
  switch (p1) {
    case 1:
      if (Ok(dialog, state)) EndModalDialog(1);
      break;
    case 2:
      EndModalDialog(0);
      break;
    case SiteList:
      ChooseSite(dialog, state);
      break;
    case AddButton:
      AddSite(dialog, state);
      break;
    case DeleteButton:
      DeleteSite(dialog, state);
      break;
    case UseAsHereButton:
      UseAsHere(dialog);
      break;
    case SelectButton:
      SelectViewer(dialog, state);
      break;
    default:
      break;
  }
  state.filling = false;
  return 0;
}

}  // namespace

int RunLocationDialog() {
  LocationState state;
  return RunModalDialog(LocationDialog, 0, [&state](int code, WindowRef dialog, int p1, int p2) {
    return LocationHandler(state, code, dialog, p1, p2);
  });
}

}  // namespace qv
