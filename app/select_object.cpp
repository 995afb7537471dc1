// app/select_object.cpp - the Select Object dialog (select_object.h).
//
// Items: 5 the search text, 7 the name found, 8 case-sensitive, 9 exact match, 1 Find (Select
// once something is found), 3 Find Next, 2 Cancel.
#include "app/select_object.h"

#include <string>

#include "generated/string_numbers.h"
#include "objects/namesearch.h"
#include "objects/store.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/result.h"
#include "platform/strings.h"

namespace qv {
namespace {

constexpr int SelectObjectDialog = 273;
enum SelectItem : int {
  FindButton = 1,
  CancelButton = 2,
  FindNextButton = 3,
  SearchText = 5,
  FoundName = 7,
  CaseSensitiveBox = 8,
  ExactMatchBox = 9,
};

struct SearchChoices {
  bool caseSensitive = false;
  bool exact = false;
};
SearchChoices remembered;  // kept from one use of the dialog to the next

struct SelectState {
  ObjectId found = 0;
  bool filling = true;  // the dialog's own changes of the search text are no edits
};

void ShowFound(WindowRef dialog, SelectState& state, ObjectId found) {
  state.found = found;
  const ObjectRecord* object = ObjectOfId(found);
  SetItemText(dialog, FoundName, object ? DisplayName(*object).c_str() : "");
  SetItemText(dialog, FindButton, "Select");
  EnableItem(dialog, FindNextButton, true);
}

void Forget(WindowRef dialog, SelectState& state, const char* shown) {
  state.found = 0;
  SetItemText(dialog, FoundName, shown);
  SetItemText(dialog, FindButton, "Find");
  EnableItem(dialog, FindNextButton, false);
}

// Search: from the start (after 0) or on from the last match. Not found: a beep, and unless the
// user cancelled, the found object forgotten with "No matching object found!".
void Search(WindowRef dialog, SelectState& state, ObjectId after) {
  SetWaitCursor();
  const std::string text = GetItemText(dialog, SearchText);
  ObjectId found = 0;
  const int result =
      FindObjectByName(text.c_str(), remembered.caseSensitive, remembered.exact, after, found);
  SetArrowCursor();
  if (result == ResultOk) {
    ShowFound(dialog, state, found);
    return;
  }
  Beep();
  if (result == ResultCancelled) {
    if (after == 0) SetItemText(dialog, FoundName, "");
    return;
  }
  const char* none = GetString(MessageNoMatch);
  Forget(dialog, state, none ? none : "");
}

int SelectHandler(SelectState& state, int code, WindowRef dialog, int p1, int p2) {
  if (code == WindowCreatedEvent) {
    SetItemValue(dialog, CaseSensitiveBox, remembered.caseSensitive);
    SetItemValue(dialog, ExactMatchBox, remembered.exact);
    Forget(dialog, state, "");
    SetItemText(dialog, SearchText, "");
    PressItem(dialog, SearchText);  // typing goes into the search text
    state.filling = false;
    return 0;
  }
  if (code != ControlEvent) return 1;
  switch (p1) {
    case FindButton:
      if (state.found != 0)
        EndModalDialog(FindButton);
      else
        Search(dialog, state, 0);
      return 0;
    case FindNextButton:
      if (state.found != 0) Search(dialog, state, state.found);
      return 0;
    case CancelButton:
      state.found = 0;
      EndModalDialog(CancelButton);
      return 0;
    case SearchText:
      if (p2 == PartTextChanged && !state.filling && state.found != 0) Forget(dialog, state, "");
      return 0;
    case CaseSensitiveBox:
      remembered.caseSensitive = GetItemValue(dialog, CaseSensitiveBox) != 0;
      return 0;
    case ExactMatchBox:
      remembered.exact = GetItemValue(dialog, ExactMatchBox) != 0;
      return 0;
    default:
      return 0;
  }
}

}  // namespace

ObjectId SelectObject() {
  SelectState state;
  const int ended =
      RunModalDialog(SelectObjectDialog, 0, [&state](int code, WindowRef dialog, int p1, int p2) {
        return SelectHandler(state, code, dialog, p1, p2);
      });
  return ended == FindButton ? state.found : 0;
}

}  // namespace qv
