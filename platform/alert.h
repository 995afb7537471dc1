// platform/alert.h - alerts from the string table.
// An alert loads its string, formats it printf-style with the arguments (at most 1023
// characters) and shows it with the program's title. Who shows it is the presenter: the GUI
// installs a message box, the command-line program and the default print to standard error and
// take the safe answer, and tests install a hook that records and answers.
#pragma once

#include <functional>
#include <string>

namespace qv {

enum AlertKind { AlertNote = 1, AlertCaution = 2, AlertStop = 3 };
enum AlertButtons { ButtonsOk = 1, ButtonsOkCancel = 2, ButtonsYesNoCancel = 3, ButtonsYesNo = 4 };
enum AlertAnswer { AnswerNone = 0, AnswerOk = 1, AnswerYes = 1, AnswerCancel = 2, AnswerNo = 3 };

// ShowAlert: the answer (AlertAnswer); AnswerNone without showing anything when the alert switch
// is off or the string table has no such number.
int ShowAlert(int kind, int buttons, int stringNumber, ...);
int Note(int buttons, int stringNumber, ...);
int Caution(int buttons, int stringNumber, ...);
int Stop(int buttons, int stringNumber, ...);

// The alert switch: on in normal running; off while a database file loads lazily.
void SetAlertSwitch(bool on);
bool AlertSwitch();

// AlertPresenter: shows one formatted message and returns the answer. An empty one restores the
// default (standard error; OK for one button, else Cancel). Returns the previous presenter.
using AlertPresenter =
    std::function<int(int kind, int buttons, int stringNumber, const std::string& message)>;
AlertPresenter SetAlertPresenter(AlertPresenter presenter);

}  // namespace qv
