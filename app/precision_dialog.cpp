// app/precision_dialog.cpp - the Precision dialog (computation_dialogs.h).
#include "app/computation_dialogs.h"
#include "app/dialog_fields.h"
#include "astro/constants.h"
#include "platform/dialogs.h"
#include "settings/settings.h"

namespace qv {
namespace {

constexpr int PrecisionDialog = 261;
enum PrecisionItem : int {
  ParallaxBox = 4,
  ParallaxThreshold = 6,  // AU from the Sun
  MotionBox = 8,
  MotionThreshold = 10,  // years from J2000
  ElementsRadio = 13,    // 13-15: PlanetComputation 1-3
  Vsop87Radio = 15,
  LightTimeBox = 16,
  AberrationBox = 18,
  RefractionBox = 19,
  FixedEpochRadio = 21,
  CurrentEpochRadio = 22,
  FixedEpoch = 23,  // year
  NutationBox = 24,
  HorizonAltitudeField = 27,  // degrees
  PreciseRiseSetBox = 28,
};

struct CheckField {
  int item;
  bool ChartSettings::*field;
};
constexpr CheckField CheckBoxes[] = {
    {ParallaxBox, &ChartSettings::StarParallax},
    {MotionBox, &ChartSettings::StarMotion},
    {LightTimeBox, &ChartSettings::PlanetLightTime},
    {AberrationBox, &ChartSettings::Aberration},
    {RefractionBox, &ChartSettings::Refraction},
    {NutationBox, &ChartSettings::Nutation},
    {PreciseRiseSetBox, &ChartSettings::PreciseRiseSetTimes},
};

void Fill(WindowRef dialog) {
  const ChartSettings& s = Settings();
  for (const CheckField& box : CheckBoxes) SetItemValue(dialog, box.item, s.*box.field);
  SetNumberItem(dialog, ParallaxThreshold, "%.1f", s.StarParallaxThreshold);
  SetNumberItem(dialog, MotionThreshold, "%.1f", s.StarMotionThreshold * YearsPerDay);
  SetRadioGroup(dialog, ElementsRadio, Vsop87Radio, ElementsRadio - 1 + s.PlanetComputation);
  SetRadioGroup(dialog, FixedEpochRadio, CurrentEpochRadio,
                s.Precession ? CurrentEpochRadio : FixedEpochRadio);
  SetNumberItem(dialog, FixedEpoch, "%.1f", JulianDateToYear(s.PrecessionEpoch));
  SetNumberItem(dialog, HorizonAltitudeField, "%.2f", s.HorizonAltitude * RadToDeg);
}

void Read(WindowRef dialog) {
  ChartSettings& s = Settings();
  for (const CheckField& box : CheckBoxes) s.*box.field = GetItemValue(dialog, box.item) != 0;
  ReadNumberItem(dialog, ParallaxThreshold, s.StarParallaxThreshold);
  double years = s.StarMotionThreshold * YearsPerDay;
  if (ReadNumberItem(dialog, MotionThreshold, years))
    s.StarMotionThreshold = years * DaysPerJulianYear;
  if (const int theory = GetCheckedRadio(dialog, ElementsRadio, Vsop87Radio))
    s.PlanetComputation = static_cast<PlanetTheory>(theory - ElementsRadio + 1);
  s.Precession = GetItemValue(dialog, CurrentEpochRadio) != 0;
  double year = JulianDateToYear(s.PrecessionEpoch);
  if (ReadNumberItem(dialog, FixedEpoch, year)) s.PrecessionEpoch = YearToJulianDate(year);
  double altitude = s.HorizonAltitude * RadToDeg;
  if (ReadNumberItem(dialog, HorizonAltitudeField, altitude))
    s.HorizonAltitude = altitude * DegToRad;
}

struct PrecisionState {
  bool filling = true;  // the dialog's own texts are not typing
};

int PrecisionHandler(PrecisionState& state, int code, WindowRef dialog, int p1, int p2) {
  if (code == WindowCreatedEvent) {
    Fill(dialog);
    state.filling = false;
    return 0;
  }
  if (code != ControlEvent) return 1;
  const bool typed = p2 == PartTextChanged && !state.filling;
  switch (p1) {
    case 1:
      Read(dialog);
      EndModalDialog(1);
      return 0;
    case 2:
      EndModalDialog(0);
      return 0;
    case ParallaxThreshold:
      if (typed) SetItemValue(dialog, ParallaxBox, 1);
      return 0;
    case MotionThreshold:
      if (typed) SetItemValue(dialog, MotionBox, 1);
      return 0;
    case FixedEpoch:
      if (typed) SetRadioGroup(dialog, FixedEpochRadio, CurrentEpochRadio, FixedEpochRadio);
      return 0;
    default:
      return 0;
  }
}

}  // namespace

int RunPrecisionDialog() {
  PrecisionState state;
  return RunModalDialog(PrecisionDialog, 0, [&state](int code, WindowRef dialog, int p1, int p2) {
    return PrecisionHandler(state, code, dialog, p1, p2);
  });
}

}  // namespace qv
