// platform/dialogs.h - dialogs from layouts by number, the modal loop, and dialog items.
// Layouts are resources/dialogs/NNN.ui (docs/dialogs.md says how to add one); controls are
// addressed by (dialog, item number) and talk through ControlEvent (platform/events.h).
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/events.h"
#include "platform/rect.h"
#include "platform/strings.h"

namespace qv {

// The platform's own layouts, addressed by name.
constexpr char AskBoxLayout[] = "ASKBOX";            // prompt 3, edit 4, OK 1, Cancel 2
constexpr char ProgressBoxLayout[] = "PROGRESSBOX";  // text 1, Cancel 2, bar 3
constexpr char PrintBoxLayout[] = "PRINTBOX";        // text 1, Cancel 2
constexpr int AboutBoxDialog = 256;                  // OK 1, picture 2

// CreateDialogWindow: the dialog hidden, owned by the main window, centred on the screen;
// sends WindowCreatedEvent (resource number, reference value: its low 32 bits, so a pointer is
// read back whole with GetWindowReference). nullptr when there is no such layout or it cannot
// be loaded.
WindowRef CreateDialogWindow(int resourceNumber, intptr_t referenceValue, EventHandler handler);
WindowRef CreateNamedDialog(const char* layoutName, intptr_t referenceValue, EventHandler handler);
void DisposeDialog(WindowRef dialog);

// RunModalDialog: creates the dialog, runs the modal loop until a handler calls
// EndModalDialog, destroys the dialog and returns that item number; 0 when it cannot be made.
int RunModalDialog(int resourceNumber, intptr_t referenceValue, EventHandler handler);
int RunNamedModalDialog(const char* layoutName, intptr_t referenceValue, EventHandler handler);
void EndModalDialog(int item);
// BeginModal / EndModal: the modal state around a dialog that pumps its own events (the
// progress box): shows and enables it and disables the windows below it - everything else at
// the first level, only the previous modal dialog when nested.
void BeginModal(WindowRef dialog);
void EndModal(WindowRef dialog);

// ModalDialogHook: called once inside each modal loop, as soon as it runs, so that tests can
// fill items and press buttons in place of a person. An empty hook removes it. Returns the
// previous hook.
using ModalDialogHook = std::function<void(WindowRef dialog, int resourceNumber)>;
ModalDialogHook SetModalDialogHook(ModalDialogHook hook);

// Items. Texts are UTF-8; GetItemText gives at most maxBytes, cut without splitting a character
// (a longer maxBytes for long texts such as a settings description).
std::string GetItemText(WindowRef dialog, int item, size_t maxBytes = StringMaxLength);
void SetItemText(WindowRef dialog, int item, const char* text);
Rect GetItemRect(WindowRef dialog, int item);  // dialog client coordinates
void SetItemIcon(WindowRef dialog, int item, int iconResource);
void EnableItem(WindowRef dialog, int item, bool on);
bool IsItemEnabled(WindowRef dialog, int item);
void ShowItem(WindowRef dialog, int item, bool on);
// Values by control class: check box and radio button 1 or 0; scroll bar, slider and progress
// bar their position; combo box and list 1-based selection (0 none); tab control 1-based tab.
int GetItemValue(WindowRef dialog, int item);
void SetItemValue(WindowRef dialog, int item, int value);
void SetRadioGroup(WindowRef dialog, int first, int last, int chosen);
int GetCheckedRadio(WindowRef dialog, int first, int last);  // first checked, or 0
// PressItem: a push button shows pressed for 125 ms, then clicks as if by the user; an edit
// field takes the keyboard focus.
void PressItem(WindowRef dialog, int item);

// Controls made at run time in any window or dialog, with item number id.
// CreateScrollBar: vertical when rect is at least as tall as wide; range min..max.
void CreateScrollBar(WindowRef window, int id, const char* title, const Rect& rect, bool visible,
                     int value, int min, int max);
void SetScrollBarRange(WindowRef window, int id, int min, int max);
void CreateEditField(WindowRef window, int id, const char* text, const Rect& rect, bool visible,
                     bool multiLine, bool readOnly);
void MoveItem(WindowRef window, int item, const Rect& rect);

// Combo boxes (and lists), positions from 1.
void AddComboItem(WindowRef dialog, int item, int position, const char* text);
void DeleteComboItem(WindowRef dialog, int item, int position);
std::string GetComboItemText(WindowRef dialog, int item, int position);
void SetComboItem(WindowRef dialog, int item, int position, const char* text);
int CountComboItems(WindowRef dialog, int item);
// FillComboFromStrings: inserts string-table entries firstString..lastString from position
// firstPosition on; numbers without a string are skipped.
void FillComboFromStrings(WindowRef dialog, int item, int firstPosition, int firstString,
                          int lastString);

}  // namespace qv
