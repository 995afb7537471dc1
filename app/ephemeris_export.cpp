// app/ephemeris_export.cpp - the Save Ephemeris dialog and the file it writes
// (ephemeris_dialogs.h).
//
// Items: 4 the object's name, 5 Select..., 7 start and 9 end (local date and time), 11 the step
// in days, 1 Save As... (enabled only with an object), 2 Cancel.
#include <optional>
#include <string>

#include "app/dialog_fields.h"
#include "app/ephemeris_dialogs.h"
#include "app/select_object.h"
#include "chart/ephemeris.h"
#include "generated/string_numbers.h"
#include "objects/store.h"
#include "platform/boxes.h"
#include "platform/dialogs.h"
#include "settings/settings.h"

namespace qv {
namespace {

constexpr int SaveEphemerisDialog = 267;
constexpr double FirstRangeDays = 365;
enum SaveEphemerisItem : int {
  SaveAsButton = 1,
  CancelButton = 2,
  ObjectName = 4,
  SelectButton = 5,
  StartDate = 7,
  EndDate = 9,
  StepDays = 11,
};

struct EphemerisChoice {
  ObjectId object = 0;
  JulianDate start = 0, end = 0;  // 0 until the first use
  double step = 1.0;              // days
};
EphemerisChoice remembered;  // for the run

void ShowObject(WindowRef dialog) {
  EnableItem(dialog, SaveAsButton, SetObjectItem(dialog, ObjectName, remembered.object));
}

void Fill(WindowRef dialog) {
  if (remembered.start == 0) {
    remembered.start = Settings().JulianDate;
    remembered.end = remembered.start + FirstRangeDays;
  }
  ShowObject(dialog);
  SetDateItem(dialog, StartDate, remembered.start);
  SetDateItem(dialog, EndDate, remembered.end);
  SetNumberItem(dialog, StepDays, "%.4f", remembered.step);
}

// ReadRange: the dates and the step, remembered when all three read; false after the message
// of the first that does not.
bool ReadRange(WindowRef dialog) {
  EphemerisChoice read = remembered;
  if (!ReadDateItem(dialog, StartDate, read.start) || !ReadDateItem(dialog, EndDate, read.end) ||
      !ReadStepItem(dialog, StepDays, read.step)) {
    return false;
  }
  remembered = read;
  return true;
}

std::optional<std::string> AskEphemerisFile() {
  const char* title = GetString(StringSaveEphemerisTitle);
  const char* filter = GetString(StringSaveEphemerisFilter);
  const ObjectRecord* object = ObjectOfId(remembered.object);
  int filterIndex = 1;  // ".eph"
  return AskSaveFile(title ? title : "", filter ? filter : "",
                     object ? DisplayName(*object).c_str() : "", filterIndex, true);
}

int SaveEphemerisHandler(std::string& path, int code, WindowRef dialog, int item) {
  if (code == WindowCreatedEvent) {
    Fill(dialog);
    return 0;
  }
  if (code != ControlEvent) return 1;
  switch (item) {
    case SelectButton:
      if (const ObjectId chosen = SelectObject()) {
        remembered.object = chosen;
        ShowObject(dialog);
      }
      return 0;
    case SaveAsButton:
      if (remembered.object == 0 || !ReadRange(dialog)) return 0;  // stays open
      if (const auto chosen = AskEphemerisFile()) {
        path = *chosen;
        EndModalDialog(SaveAsButton);
      }
      return 0;
    case CancelButton:
      EndModalDialog(CancelButton);
      return 0;
    default:
      return 0;
  }
}

}  // namespace

void ExportEphemeris() {
  std::string path;
  const int ended =
      RunModalDialog(SaveEphemerisDialog, 0, [&path](int code, WindowRef dialog, int item, int) {
        return SaveEphemerisHandler(path, code, dialog, item);
      });
  const ObjectRecord* object = ObjectOfId(remembered.object);
  if (ended != SaveAsButton || !object) return;
  SetWaitCursor();
  WriteEphemerisFile(path, *object, Settings(), Settings().ChartCoordinateSystem, remembered.start,
                     remembered.end, remembered.step);  // 257, 259 inside
  SetArrowCursor();
}

}  // namespace qv
