// platform/boxes_qt.h - running the platform's Qt boxes, for platform/ and its tests only.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "platform/events.h"

namespace qv {

// RunBox: shows box modally and returns QDialog's result. Without a display and without a hook
// the box is not shown and the result is Rejected. The hook, when set, runs as soon as the box
// is up, so that tests can answer it (click a button, pick a colour).
int RunBox(QDialog& box);
using BoxRunHook = std::function<void(QDialog& box)>;
BoxRunHook SetBoxRunHook(BoxRunHook hook);
bool IsBoxUp();  // a box is running: no idle events

// ShowMessageBox: the alert presenter of a desktop session.
int ShowMessageBox(int kind, int buttons, int stringNumber, const std::string& message);

// The progress box behind platform/progress.h.
bool ProgressBoxOpen(const char* message, const char* title, bool cancellable);
bool ProgressBoxMove(double fraction);  // false when the user cancelled
void ProgressBoxClose();
WindowRef ProgressBoxWindow();  // nullptr until first opened

}  // namespace qv
