// platform/alert.cpp - formatting alerts and handing them to the current presenter.
#include "platform/alert.h"

#include <cstdarg>
#include <cstdio>
#include <utility>

#include "generated/string_numbers.h"
#include "platform/strings.h"

namespace qv {
namespace {

constexpr int AlertMessageSize = 1024;

int PrintToStandardError(int /*kind*/, int buttons, int /*stringNumber*/,
                         const std::string& message) {
  const char* title = GetString(StringProgramTitle);
  std::fprintf(stderr, "%s: %s\n", title ? title : "Quorvane", message.c_str());
  return buttons == ButtonsOk ? AnswerOk : AnswerCancel;
}

bool alertSwitch = true;
AlertPresenter presenter = PrintToStandardError;

int ShowAlertV(int kind, int buttons, int stringNumber, va_list args) {
  if (!alertSwitch) return AnswerNone;
  const char* format = GetString(stringNumber);
  if (!format) return AnswerNone;
  char message[AlertMessageSize];
  std::vsnprintf(message, sizeof message, format, args);
  return presenter(kind, buttons, stringNumber, message);
}

}  // namespace

#define QV_ALERT_ENTRY(kindValue)                                        \
  va_list args;                                                          \
  va_start(args, stringNumber);                                          \
  const int answer = ShowAlertV(kindValue, buttons, stringNumber, args); \
  va_end(args);                                                          \
  return answer

int ShowAlert(int kind, int buttons, int stringNumber, ...) { QV_ALERT_ENTRY(kind); }
int Note(int buttons, int stringNumber, ...) { QV_ALERT_ENTRY(AlertNote); }
int Caution(int buttons, int stringNumber, ...) { QV_ALERT_ENTRY(AlertCaution); }
int Stop(int buttons, int stringNumber, ...) { QV_ALERT_ENTRY(AlertStop); }

void SetAlertSwitch(bool on) { alertSwitch = on; }
bool AlertSwitch() { return alertSwitch; }

AlertPresenter SetAlertPresenter(AlertPresenter p) {
  AlertPresenter previous = std::move(presenter);
  presenter = p ? std::move(p) : AlertPresenter(PrintToStandardError);
  return previous;
}

}  // namespace qv
