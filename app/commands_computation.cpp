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
#include "astro/time.h"
#include "generated/string_numbers.h"
#include "objects/decimal_text.h"
#include "platform/alert.h"
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

// ReadJulianDate: the whole text (blanks around it allowed) as a date the chart can show.
bool ReadJulianDate(const std::string& text, JulianDate& jd) {
  size_t used = 0;
  jd = ParseDecimal(text, &used);
  return used > 0 && text.find_first_not_of(" \t", used) == std::string::npos &&
         jd >= EarliestChartDate && jd <= LatestChartDate;
}

void AskJulianDate() {
  const char* title = GetString(StringProgramTitle);
  const char* prompt = GetString(StringJulianDatePrompt);
  std::string text = FormatNumber("%f", Settings().JulianDate);
  JulianDate jd = 0;
  // Text that is no date is said so and asked again, as the date dialog stays open.
  for (;;) {
    if (!AskText(title, prompt ? prompt : "", text)) return;
    if (ReadJulianDate(text, jd)) break;
    Note(ButtonsOk, MessageBadJulianDate, text.c_str());
  }
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
