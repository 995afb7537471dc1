// app/configuration_dialog.cpp - the Find Configuration dialog (ephemeris_dialogs.h).
//
// Items: radio buttons 4 closest and 5 widest, 6 angular and 7 physical; 10 and 12 the names of
// objects A and B with their Select... buttons 11 and 13; 15 start, 17 end (local date and
// time), 19 the step in days; 20 the status line; 1 Search, 21 Stop/Next, 22 Display, 2 Done.
//
// While a search runs, the status line is framed in black and filled from the left as the
// search's date moves from the start to the end; the dialog's events are let through every
// PumpIntervalMs, so that Stop (or Done, which also closes) ends the search at the next sample.
#include <string>

#include "app/dialog_fields.h"
#include "app/ephemeris_dialogs.h"
#include "app/select_object.h"
#include "astro/constants.h"
#include "objects/configuration_search.h"
#include "objects/printf_text.h"
#include "objects/store.h"
#include "objects/textformat.h"
#include "platform/dialogs.h"
#include "platform/draw.h"
#include "platform/windows.h"
#include "settings/settings.h"

namespace qv {
namespace {

constexpr int FindConfigurationDialog = 266;
constexpr double FirstRangeDays = 365;
constexpr uint32_t PumpIntervalMs = 100;  // events are let through at most this often
constexpr int PumpBudgetMs = 50;          // and for at most this long
enum FindConfigurationItem : int {
  SearchButton = 1,
  DoneButton = 2,
  MinimumRadio = 4,
  MaximumRadio = 5,
  AngularRadio = 6,
  PhysicalRadio = 7,
  NameA = 10,
  SelectA = 11,
  NameB = 12,
  SelectB = 13,
  StartDate = 15,
  EndDate = 17,
  StepDays = 19,
  StatusLine = 20,
  NextButton = 21,
  DisplayButton = 22,
};

struct ConfigurationChoice {
  ObjectId a = 0, b = 0;
  bool minimum = true, angular = true;
  JulianDate start = 0, end = 0;  // 0 until the first use
  double step = 1.0;              // days
  bool found = false;             // the last search found result
  ConfigurationFound result;
};
ConfigurationChoice remembered;  // for the run

struct SearchState {
  JulianDate dialogStart = 0;  // the start date read by Search: the status bar's left edge
  JulianDate nextStart = 0;    // where Next goes on from
  Rect status;                 // the status line's rectangle
  bool searching = false;
  bool stop = false;   // Stop or Done was pressed during the search
  bool close = false;  // Done was: the dialog ends after the search
  int barWidth = 0;    // pixels of the status line filled
  uint32_t lastPumpMs = 0;
};

void ShowObjects(WindowRef dialog) {
  const bool a = SetObjectItem(dialog, NameA, remembered.a);
  const bool b = SetObjectItem(dialog, NameB, remembered.b);
  EnableItem(dialog, SearchButton, a && b);
}

void Fill(WindowRef dialog, SearchState& state) {
  if (remembered.start == 0) {
    remembered.start = Settings().JulianDate;
    remembered.end = remembered.start + FirstRangeDays;
  }
  ShowObjects(dialog);
  SetRadioGroup(dialog, MinimumRadio, MaximumRadio,
                remembered.minimum ? MinimumRadio : MaximumRadio);
  SetRadioGroup(dialog, AngularRadio, PhysicalRadio,
                remembered.angular ? AngularRadio : PhysicalRadio);
  SetDateItem(dialog, StartDate, remembered.start);
  SetDateItem(dialog, EndDate, remembered.end);
  SetNumberItem(dialog, StepDays, "%.1f", remembered.step);
  EnableItem(dialog, NextButton, false);
  EnableItem(dialog, DisplayButton, false);
  state.status = GetItemRect(dialog, StatusLine);
}

void Select(WindowRef dialog, ObjectId& object) {
  if (const ObjectId chosen = SelectObject()) {
    object = chosen;
    ShowObjects(dialog);
  }
}

// DrawStatusBar: the frame and the part filled so far, while a search runs.
void DrawStatusBar(WindowRef dialog, const SearchState& state) {
  if (!state.searching || !BeginWindowDrawing(dialog)) return;
  SetPen(ColorBlack, 1, false);
  DrawRect(state.status);
  if (state.barWidth > 0) {
    SetPen(ColorBlack, 0, true);
    DrawRect(Rect{state.status.left, state.status.top, state.status.left + state.barWidth,
                  state.status.bottom});
  }
  EndWindowDrawing(dialog);
}

// Progress: after each sample the bar reaches the sample's share of the range; now and then the
// dialog's events get through. True (stop) once Stop or Done was pressed.
bool Progress(WindowRef dialog, SearchState& state, JulianDate date, JulianDate end) {
  const double duration = end - state.dialogStart;
  const double share = duration > 0 ? (date - state.dialogStart) / duration : 1.0;
  const int width = RectWidth(state.status);
  const int filled = share <= 0 ? 0 : share >= 1 ? width : static_cast<int>(width * share);
  if (filled != state.barWidth) {
    state.barWidth = filled;
    InvalidateWindow(dialog, &state.status);
  }
  if (TickCount() - state.lastPumpMs >= PumpIntervalMs) {
    state.lastPumpMs = TickCount();
    ProcessPendingEvents(PumpBudgetMs);
  }
  return state.stop;
}

std::string ResultText(const ConfigurationFound& found, bool angular) {
  const ChartSettings& s = Settings();
  const std::string date =
      FormatDateTime(found.date, ZoneInEffect(s, found.date), s.CalendarSystem);
  return angular ? PrintfText("Date: %s  Distance: %.1f\u00b0", date.c_str(),
                              found.separation * RadToDeg)
                 : PrintfText("Date: %s  Distance: %.5f AU", date.c_str(), found.separation);
}

// ShowResult: Display for a found extremum; Next goes on from a result inside the range.
void ShowResult(WindowRef dialog, SearchState& state, int result, const ConfigurationFound& found,
                JulianDate end) {
  remembered.found = result == 1;
  remembered.result = found;
  EnableItem(dialog, DisplayButton, remembered.found);
  SetItemText(dialog, NextButton, "Next");
  const bool inside = found.date < end;
  EnableItem(dialog, NextButton, inside);
  if (inside) {
    state.nextStart = found.date;
    SetItemText(dialog, StatusLine, ResultText(found, remembered.angular).c_str());
  } else {
    remembered.found = false;
    SetItemText(dialog, StatusLine, "");
  }
}

// Next: a search from nextStart with the end, step and modes as the dialog shows them now.
void Next(WindowRef dialog, SearchState& state) {
  JulianDate end = remembered.end;
  double step = remembered.step;
  if (!ReadDateItem(dialog, EndDate, end) || !ReadStepItem(dialog, StepDays, step)) return;
  remembered.end = end;
  remembered.step = step;
  remembered.minimum = GetItemValue(dialog, MinimumRadio) != 0;
  remembered.angular = GetItemValue(dialog, AngularRadio) != 0;
  const ConfigurationSearch search{ObjectOfId(remembered.a), ObjectOfId(remembered.b), Settings(),
                                   remembered.minimum, remembered.angular};
  if (!search.a || !search.b) return;
  SetWaitCursor();
  SetItemText(dialog, NextButton, "Stop");
  EnableItem(dialog, NextButton, true);
  EnableItem(dialog, DisplayButton, false);
  SetItemText(dialog, StatusLine, "");
  state.searching = true;
  state.stop = false;
  state.barWidth = 0;
  state.lastPumpMs = TickCount();
  InvalidateWindow(dialog, &state.status);
  ConfigurationFound found;
  const int result = FindConfiguration(
      search, state.nextStart, end, step,
      [&](JulianDate date, double) { return Progress(dialog, state, date, end); }, found);
  state.searching = false;
  InvalidateWindow(dialog, &state.status);
  SetArrowCursor();
  ShowResult(dialog, state, result, found, end);
  if (state.close) EndModalDialog(0);
}

void Search(WindowRef dialog, SearchState& state) {
  JulianDate start = remembered.start;
  if (!ReadDateItem(dialog, StartDate, start)) return;
  remembered.start = start;
  state.dialogStart = state.nextStart = start;
  Next(dialog, state);
}

// Display: object A centred at the result's date.
void Display() {
  ChartSettings& s = Settings();
  s.CenteredObject = remembered.a;
  s.JulianDate = remembered.result.date;
  EndModalDialog(1);
}

// During a search only Stop and Done act: the others wait for it to end.
int ControlDuringSearch(SearchState& state, int item) {
  if (item == NextButton || item == DoneButton) state.stop = true;
  if (item == DoneButton) state.close = true;
  return 0;
}

int Control(WindowRef dialog, SearchState& state, int item) {
  if (state.searching) return ControlDuringSearch(state, item);
  switch (item) {
    case SearchButton:
      Search(dialog, state);
      return 0;
    case NextButton:
      Next(dialog, state);
      return 0;
    case DisplayButton:
      if (remembered.found) Display();
      return 0;
    case DoneButton:
      EndModalDialog(0);
      return 0;
    case SelectA:
      Select(dialog, remembered.a);
      return 0;
    case SelectB:
      Select(dialog, remembered.b);
      return 0;
    case MinimumRadio:
    case MaximumRadio:
      remembered.minimum = item == MinimumRadio;
      return 0;
    case AngularRadio:
    case PhysicalRadio:
      remembered.angular = item == AngularRadio;
      return 0;
    default:
      return 0;
  }
}

int FindConfigurationHandler(SearchState& state, int code, WindowRef dialog, int item) {
  switch (code) {
    case WindowCreatedEvent:
      Fill(dialog, state);
      return 0;
    case WindowUpdateEvent:
      DrawStatusBar(dialog, state);
      return 0;
    case ControlEvent:
      return Control(dialog, state, item);
    default:
      return 1;
  }
}

}  // namespace

int RunFindConfigurationDialog() {
  SearchState state;
  return RunModalDialog(FindConfigurationDialog, 0,
                        [&state](int code, WindowRef dialog, int item, int) {
                          return FindConfigurationHandler(state, code, dialog, item);
                        });
}

}  // namespace qv
