// app/commands_computation.cpp - the Computation menu: the viewpoint, the time and the
// computation options.
#include <string>

#include "app/animation.h"
#include "app/chart_window.h"
#include "app/command_handlers.h"
#include "app/commands.h"
#include "app/computation_dialogs.h"
#include "app/dialog_fields.h"
#include "app/ephemeris_dialogs.h"
#include "app/viewpoint.h"
#include "generated/string_numbers.h"
#include "objects/decimal_text.h"
#include "platform/boxes.h"
#include "platform/strings.h"
#include "settings/settings.h"

namespace qv {
namespace {

enum ComputationCommandNumber : int {
  LocationCommand = 26101,
  HereCommand = 26102,
  DateTimeCommand = 26104,
  JulianDateCommand = 26105,
  NowCommand = 26106,
  PrecisionCommand = 26108,
  RecomputeAll = 26109,
  FindConfigurationCommand = 26111,
};

void TimeChanged() {
  RefreshChart(false);
  RestartAnimationClock();
}

void AskJulianDate() {
  const char* title = GetString(StringProgramTitle);
  const char* prompt = GetString(StringJulianDatePrompt);
  std::string text = FormatNumber("%f", Settings().JulianDate);
  if (!AskText(title, prompt ? prompt : "", text)) return;
  size_t used = 0;
  const double jd = ParseDecimal(text, &used);
  if (used == 0) return;  // nothing readable: the date stays
  Settings().JulianDate = jd;
  TimeChanged();
}

}  // namespace

void SetTimeToNow() { Settings().JulianDate = LocalToUniversal(Settings(), CurrentJulianDate()); }

void ComputationCommand(int command) {
  switch (command) {
    case LocationCommand:
      if (RunLocationDialog() != 1) return;
      RefreshChart(false);
      UpdateMenus();
      return;
    case HereCommand:
      ViewFromHere();
      RefreshChart(false);
      return;
    case DateTimeCommand:
      if (RunDateTimeDialog() == 1) TimeChanged();
      return;
    case JulianDateCommand:
      AskJulianDate();
      return;
    case NowCommand:
      SetTimeToNow();
      TimeChanged();
      return;
    case PrecisionCommand:
      if (RunPrecisionDialog() == 1) RefreshChart(false);
      return;
    case RecomputeAll:
      RefreshChart(true);
      return;
    case FindConfigurationCommand:
      if (RunFindConfigurationDialog() == 1) TimeChanged();
      return;
    default:
      return;
  }
}

}  // namespace qv
