// app/trail_dialog.cpp - the Edit Object Trail dialog (trail_dialog.h).
#include "app/trail_dialog.h"

#include <cstdint>
#include <string>

#include "chart/trails.h"
#include "generated/string_numbers.h"
#include "objects/decimal_text.h"
#include "objects/printf_text.h"
#include "objects/store.h"
#include "platform/dialogs.h"
#include "platform/strings.h"

namespace qv {
namespace {

constexpr int TrailDialog = 265;
enum TrailItem : int {
  ItemOk = 1,
  ItemCancel = 2,
  ItemName = 4,
  ItemCapacity = 6,
  ItemTicksBox = 8,
  ItemTicks = 9,
  ItemDatesBox = 11,
  ItemDates = 12,
  ItemInSpace = 14,  // then InSky and InCurrentCoordinates, in the order of TrailType
  ItemInCoordinates = 16,
};

// What the dialog offers next time: what was last chosen.
struct TrailChoice {
  int32_t type = TrailInSky;
  int32_t capacity = 100;
  int32_t ticks = 1;
  int32_t dates = 0;
};

TrailChoice& LastChoice() {
  static TrailChoice choice;
  return choice;
}

void ShowInterval(WindowRef dialog, int box, int field, int32_t interval) {
  SetItemValue(dialog, box, interval > 0);
  SetItemText(dialog, field,
              interval > 0 ? PrintfText("%ld", static_cast<long>(interval)).c_str() : "");
}

void Fill(WindowRef dialog, ObjectId object) {
  const TrailChoice& last = LastChoice();
  const ObjectRecord* record = ObjectOfId(object);
  const char* missing = GetString(MessageObjectNotSelected);
  SetItemText(dialog, ItemName, record ? DisplayName(*record).c_str() : (missing ? missing : ""));
  SetItemText(dialog, ItemCapacity, PrintfText("%ld", static_cast<long>(last.capacity)).c_str());
  ShowInterval(dialog, ItemTicksBox, ItemTicks, last.ticks);
  ShowInterval(dialog, ItemDatesBox, ItemDates, last.dates);
  SetRadioGroup(dialog, ItemInSpace, ItemInCoordinates, ItemInSpace + last.type - TrailInSpace);
}

int32_t ReadWhole(WindowRef dialog, int item) {
  return static_cast<int32_t>(ParseWhole(GetItemText(dialog, item), INT32_MIN, INT32_MAX));
}

int32_t ReadInterval(WindowRef dialog, int box, int field) {
  return GetItemValue(dialog, box) ? ReadWhole(dialog, field) : 0;
}

void Read(WindowRef dialog, ObjectId object) {
  TrailChoice& last = LastChoice();
  if (const int radio = GetCheckedRadio(dialog, ItemInSpace, ItemInCoordinates))
    last.type = TrailInSpace + radio - ItemInSpace;
  last.ticks = ReadInterval(dialog, ItemTicksBox, ItemTicks);
  last.dates = ReadInterval(dialog, ItemDatesBox, ItemDates);
  last.capacity = ReadWhole(dialog, ItemCapacity);
  if (ObjectOfId(object)) CreateTrail(object, last.type, last.capacity, last.ticks, last.dates);
}

struct TrailDialogState {
  ObjectId object = 0;
  bool filling = true;  // the dialog's own texts are not typing
};

int TrailDialogHandler(TrailDialogState& state, int code, WindowRef dialog, int item, int part) {
  if (code == WindowCreatedEvent) {
    Fill(dialog, state.object);
    state.filling = false;
    return 0;
  }
  if (code != ControlEvent) return 1;
  const bool typed = part == PartTextChanged && !state.filling;
  switch (item) {
    case ItemOk:
      Read(dialog, state.object);
      EndModalDialog(1);
      return 0;
    case ItemCancel:
      EndModalDialog(0);
      return 0;
    case ItemTicks:
      if (typed) SetItemValue(dialog, ItemTicksBox, 1);
      return 0;
    case ItemDates:
      if (typed) SetItemValue(dialog, ItemDatesBox, 1);
      return 0;
    default:
      return 0;
  }
}

}  // namespace

int RunTrailDialog(ObjectId object) {
  TrailDialogState state{object};
  return RunModalDialog(TrailDialog, 0, [&state](int code, WindowRef dialog, int item, int part) {
    return TrailDialogHandler(state, code, dialog, item, part);
  });
}

}  // namespace qv
