// app/datetime_dialog.cpp - the Date & Time dialog (computation_dialogs.h).
#include <string>

#include "app/computation_dialogs.h"
#include "app/dialog_fields.h"
#include "generated/string_numbers.h"
#include "objects/textformat.h"
#include "platform/alert.h"
#include "platform/dialogs.h"
#include "settings/settings.h"

namespace qv {
namespace {

constexpr int DateTimeDialog = 260;
enum DateTimeItem : int {
  LocalDateTime = 4,  // year/month/day h:m:s
  ZoneHours = 6,
  DaylightSavingBox = 7,
  JulianRadio = 9,
  GregorianRadio = 10,
  UniversalTimeRadio = 12,
  DynamicTimeRadio = 13,
};
constexpr double HoursPerDay = 24.0;

struct DateTimeState {
  int16_t calendar;  // the calendar the text of item 4 is written in
};

// The calendar radio buttons: Julian 0, Gregorian 1; the other calendars show neither.
int CalendarRadio(int16_t calendar) {
  if (calendar == CalendarJulian) return JulianRadio;
  if (calendar == CalendarGregorian) return GregorianRadio;
  return 0;
}

void Fill(WindowRef dialog, const DateTimeState& state) {
  const ChartSettings& s = Settings();
  SetItemText(dialog, LocalDateTime,
              FormatDateTime(s.JulianDate, ZoneInEffect(s, s.JulianDate), state.calendar).c_str());
  SetNumberItem(dialog, ZoneHours, "%.1f", s.TimeZone * HoursPerDay);
  SetRadioGroup(dialog, JulianRadio, GregorianRadio, CalendarRadio(state.calendar));
  SetRadioGroup(dialog, UniversalTimeRadio, DynamicTimeRadio,
                s.DynamicTime ? DynamicTimeRadio : UniversalTimeRadio);
  SetItemValue(dialog, DaylightSavingBox, s.DaylightSavingsTime);
}

// SwitchCalendar: the text is read in the calendar so far (quietly: an unreadable text stays
// as it is) and written again in the chosen one, for the same instant.
void SwitchCalendar(WindowRef dialog, DateTimeState& state, int16_t chosen) {
  if (chosen == state.calendar) return;
  JulianDate jd = 0;
  if (ParseDateTime(GetItemText(dialog, LocalDateTime), 0, state.calendar, jd))
    SetItemText(dialog, LocalDateTime, FormatDateTime(jd, 0, chosen).c_str());
  state.calendar = chosen;
  SetRadioGroup(dialog, JulianRadio, GregorianRadio, CalendarRadio(chosen));
}

// Read: false (after note 525) when the date cannot be read; the dialog then stays open.
bool Read(WindowRef dialog, const DateTimeState& state) {
  JulianDate local = 0;
  const std::string text = GetItemText(dialog, LocalDateTime);
  if (!ParseDateTime(text, 0, state.calendar, local)) {
    Note(ButtonsOk, MessageBadDate, text.c_str());
    return false;
  }
  ChartSettings& s = Settings();
  s.CalendarSystem = static_cast<CalendarKind>(state.calendar);
  s.DynamicTime = GetItemValue(dialog, DynamicTimeRadio) != 0;
  s.DaylightSavingsTime = GetItemValue(dialog, DaylightSavingBox) != 0;
  double hours = s.TimeZone * HoursPerDay;
  ReadNumberItem(dialog, ZoneHours, hours);
  s.TimeZone = hours / HoursPerDay;
  s.JulianDate = LocalToUniversal(Settings(), local);
  return true;
}

int DateTimeHandler(DateTimeState& state, int code, WindowRef dialog, int p1) {
  if (code == WindowCreatedEvent) {
    Fill(dialog, state);
    return 0;
  }
  if (code != ControlEvent) return 1;
  switch (p1) {
    case 1:
      if (Read(dialog, state)) EndModalDialog(1);
      return 0;
    case 2:
      EndModalDialog(0);
      return 0;
    case JulianRadio:
      SwitchCalendar(dialog, state, CalendarJulian);
      return 0;
    case GregorianRadio:
      SwitchCalendar(dialog, state, CalendarGregorian);
      return 0;
    default:
      return 0;
  }
}

}  // namespace

int RunDateTimeDialog() {
  DateTimeState state{Settings().CalendarSystem};
  return RunModalDialog(DateTimeDialog, 0, [&state](int code, WindowRef dialog, int p1, int) {
    return DateTimeHandler(state, code, dialog, p1);
  });
}

}  // namespace qv
