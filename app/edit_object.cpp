// app/edit_object.cpp - the edit dialogs (edit_object.h).
#include "app/edit_object.h"

#include <array>
#include <cstdio>
#include <memory>

#include "app/chart_window.h"
#include "app/info_window.h"
#include "objects/database.h"
#include "objects/store.h"
#include "objects/textfields.h"
#include "objects/textimport.h"
#include "platform/dialogs.h"
#include "platform/result.h"

namespace qv {
namespace {

constexpr int EditStarDialog = 263;
constexpr int EditPlanetDialog = 264;
constexpr int KindNameStrings = 1000;  // string 1000 + kind names the kind

// Where each field of the object text line sits in the dialog; field 0, the type, is the combo.
struct EditLayout {
  int dialog;
  int typeCombo;
  int firstKind, lastKind;
  char typeLetter;
  int kindOffset;                  // the type number written is kind - kindOffset
  std::array<int, 14> fieldItems;  // by field index; 0: not shown
  size_t fieldCount;
};

constexpr EditLayout StarLayout{
    EditStarDialog, 6, 51, 65, 'S', 50, {0, 8, 10, 12, 14, 16, 18, 20, 22, 24, 26, 4, 0, 0}, 12};
constexpr EditLayout PlanetLayout{
    EditPlanetDialog, 8, 1, 38, 'P', 0, {0, 10, 12, 15, 17, 19, 21, 23, 25, 27, 29, 31, 4, 6}, 14};

const EditLayout* LayoutOfKind(int kind) {
  if (IsSkyObjectKind(kind)) return &StarLayout;
  if (IsSolarSystemKind(kind)) return &PlanetLayout;
  return nullptr;
}

struct EditState {
  const EditLayout* layout;
  int kind;
  std::vector<std::string> fields;
  std::unique_ptr<ObjectRecord> record;  // made by OK
};

void FillTypeCombo(WindowRef dialog, const EditState& state) {
  const EditLayout& l = *state.layout;
  FillComboFromStrings(dialog, l.typeCombo, 1, KindNameStrings + l.firstKind,
                       KindNameStrings + l.lastKind);
  const std::string name = KindName(static_cast<ObjectKind>(state.kind));
  int chosen = 1;
  for (int position = 1; position <= CountComboItems(dialog, l.typeCombo); ++position)
    if (GetComboItemText(dialog, l.typeCombo, position) == name) chosen = position;
  SetItemValue(dialog, l.typeCombo, chosen);
}

// The kind whose name the combo shows, mapped back by its text.
int ChosenKind(WindowRef dialog, const EditLayout& l) {
  const std::string text = GetItemText(dialog, l.typeCombo);
  for (int kind = l.firstKind; kind <= l.lastKind; ++kind)
    if (text == KindName(static_cast<ObjectKind>(kind))) return kind;
  return l.firstKind;
}

// MakeRecord: the fields read back from the dialog and converted as an object text line.
bool MakeRecord(WindowRef dialog, EditState& state) {
  const EditLayout& l = *state.layout;
  char type[8];
  std::snprintf(type, sizeof type, "%c%02hd", l.typeLetter,
                static_cast<short>(ChosenKind(dialog, l) - l.kindOffset));
  std::string line = type;
  for (size_t field = 1; field < l.fieldCount; ++field)
    line += "\t" + GetItemText(dialog, l.fieldItems[field]);
  return ParseObjectLine(line, state.record) == ResultOk && state.record;
}

int EditHandler(EditState& state, int code, WindowRef dialog, int p1) {
  const EditLayout& l = *state.layout;
  if (code == WindowCreatedEvent) {
    FillTypeCombo(dialog, state);
    for (size_t field = 1; field < l.fieldCount && field < state.fields.size(); ++field)
      SetItemText(dialog, l.fieldItems[field], state.fields[field].c_str());
    return 0;
  }
  if (code != ControlEvent) return 1;
  // A record that cannot be made (an orbit centre not in memory: message 523) keeps the dialog
  // open, so nothing typed is lost.
  if (p1 == 1 && MakeRecord(dialog, state)) EndModalDialog(1);
  if (p1 == 2) EndModalDialog(2);
  return 0;
}

}  // namespace

std::vector<std::string> NewObjectFields(int kind) {
  if (IsSkyObjectKind(kind))
    return {"S01",   "2000.0", "00 00 00.00", "+00 00 00.0", "+0.0000", "+0.000",
            "+0.00", "+0.00",  "+0.0",        "1.000",       "0.0",     "New Star"};
  return {"P11",        "2000.0",   "1.00000000",      "0.00000000", "0.000000", "0.000000",
          "0.000000",   "0.000000", "2000/01/1.50000", "0.00 0.00",  "",         "",
          "New Planet", ""};
}

ObjectId EditObject(ObjectId object, int newType) {
  const ObjectRecord* existing = object != 0 ? ObjectOfId(object) : nullptr;
  if (object != 0 && !existing) return 0;
  const int kind = existing ? existing->kind : newType;
  const EditLayout* layout = LayoutOfKind(kind);
  if (!layout) return 0;
  ObjectId fileId = 0;
  if (BeginObjectEdit(object, fileId) != ResultOk) return 0;  // read-only: note 539
  existing = object != 0 ? ObjectOfId(object) : nullptr;      // the file was read and locked
  EditState state{layout, kind, existing ? ObjectTextFields(*existing) : NewObjectFields(kind),
                  nullptr};
  const int ended =
      RunModalDialog(layout->dialog, 0, [&state](int code, WindowRef dialog, int p1, int) {
        return EditHandler(state, code, dialog, p1);
      });
  ObjectId stored = 0;
  if (ended == 1 && state.record)
    stored = CommitObjectEdit(fileId, object, state.record);  // 527 inside
  EndObjectEdit(fileId);
  if (stored == 0) return 0;
  RefreshChart(true);
  OpenObjectInfo(stored);
  BringInfoWindowToFront();
  return stored;
}

}  // namespace qv
