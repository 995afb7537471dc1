// app/center_dialog.cpp - the Center Coordinates dialog (see view_dialogs.h).
// Items: 1 OK, 2 Cancel, 4-7 radio buttons Equatorial, Ecliptic, Galactic, Horizon, 8 and 10
// the labels of the two values, 9 and 11 the values: right ascension in hours, minutes and
// seconds and declination in degrees, minutes and seconds, or decimal degrees in the others.
#include <cstdio>

#include "app/view_dialogs.h"
#include "astro/constants.h"
#include "chart/sky_link.h"
#include "chart/view.h"
#include "objects/textformat.h"
#include "platform/dialogs.h"
#include "settings/settings.h"

namespace qv {
namespace {

constexpr int CenterDialog = 257;
enum CenterItem : int {
  ItemOk = 1,
  ItemCancel = 2,
  ItemEquatorial = 4,
  ItemHorizon = 7,
  ItemLonLabel = 8,
  ItemLon = 9,
  ItemLatLabel = 10,
  ItemLat = 11,
};

void ShowCentre(WindowRef dialog, int system, double lon, double lat) {
  const double epoch = ChartPrecessionEpoch();
  const CoordinateTexts labels = FormatCoordinates(system, lon, lat, CoordinateLabels, epoch);
  const CoordinateTexts values = FormatCoordinates(system, lon, lat, CoordinateValues, epoch);
  SetItemText(dialog, ItemLonLabel, labels.lon.c_str());
  SetItemText(dialog, ItemLatLabel, labels.lat.c_str());
  SetItemText(dialog, ItemLon, values.lon.c_str());
  SetItemText(dialog, ItemLat, values.lat.c_str());
}

double DecimalDegrees(const std::string& text) {
  double value = 0;
  std::sscanf(text.c_str(), "%lf", &value);
  return value;
}

// The two values typed in the fields, read in the given system (radians).
void ReadCentre(WindowRef dialog, int system, double& lon, double& lat) {
  const std::string lonText = GetItemText(dialog, ItemLon), latText = GetItemText(dialog, ItemLat);
  if (system == CoordinatesEquatorial) {
    lon = ParseAngleText(lonText) * ExactHourToRad;
    lat = ParseAngleText(latText) * SettingsDegToRad;
  } else {
    lon = DecimalDegrees(lonText) * SettingsDegToRad;
    lat = DecimalDegrees(latText) * SettingsDegToRad;
  }
}

struct CenterDialogState {
  int system = CoordinatesEquatorial;  // the system the fields are in

  int Handle(int code, WindowRef dialog, int item) {
    if (code == WindowCreatedEvent) {
      const ChartSettings& s = Settings();
      system = s.ChartCoordinateSystem;
      SetRadioGroup(dialog, ItemEquatorial, ItemHorizon, ItemEquatorial + system - 1);
      ShowCentre(dialog, system, s.ChartCenterLongitude, s.ChartCenterLatitude);
      return 0;
    }
    if (code != ControlEvent) return 1;
    if (item >= ItemEquatorial && item <= ItemHorizon) {
      SwitchSystem(dialog, item - ItemEquatorial + 1);
    } else if (item == ItemOk) {
      Apply(dialog);
      EndModalDialog(item);
    } else if (item == ItemCancel) {
      EndModalDialog(item);
    }
    return 0;
  }

  void SwitchSystem(WindowRef dialog, int chosen) {
    SetRadioGroup(dialog, ItemEquatorial, ItemHorizon, ItemEquatorial + chosen - 1);
    if (chosen == system) return;
    double lon = 0, lat = 0;
    ReadCentre(dialog, system, lon, lat);
    ConvertCoordinates(ChartSystemMatrix(system), ChartSystemMatrix(chosen), lon, lat);
    system = chosen;
    ShowCentre(dialog, system, lon, lat);
  }

  void Apply(WindowRef dialog) {
    ChartSettings& s = Settings();
    double lon = 0, lat = 0;
    ReadCentre(dialog, system, lon, lat);
    s.CenteredObject = 0;
    s.TelescopeStayCentered = false;  // the centre is the one chosen here
    s.ChartCoordinateSystem = static_cast<CoordinateSystem>(system);
    s.ChartCenterLongitude = lon;
    s.ChartCenterLatitude = lat;
  }
};

}  // namespace

int RunCenterCoordinatesDialog() {
  CenterDialogState state;
  return RunModalDialog(CenterDialog, 0, [&state](int code, WindowRef dialog, int p1, int) {
    return state.Handle(code, dialog, p1);
  });
}

}  // namespace qv
