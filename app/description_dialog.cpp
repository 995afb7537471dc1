// app/description_dialog.cpp - the two description dialogs.
#include "app/description_dialog.h"

#include "platform/dialogs.h"
#include "settings/settings.h"
#include "settings/settings_keys.h"

namespace qv {
namespace {

constexpr int OpeningDialog = 268, OpeningField = 3, OpeningOk = 1;
constexpr int SavingDialog = 269, SavingField = 1, SavingOk = 3;
constexpr int CancelItem = 2;

// The description keeps its lines with CR LF, as settings files hold them; the edit field
// with LF.
std::string FieldText(const std::string& description) {
  std::string text;
  for (size_t i = 0; i < description.size(); ++i) {
    if (description[i] == '\r' && i + 1 < description.size() && description[i + 1] == '\n')
      continue;
    text += description[i] == '\r' ? '\n' : description[i];
  }
  return text;
}

std::string DescriptionText(const std::string& field) {
  std::string description;
  for (const char c : field) {
    if (c == '\n') description += '\r';
    description += c;
  }
  return CutText(description, DescriptionMaxLength);
}

bool AskDescription(int dialogNumber, int field, int okItem, std::string& description) {
  const int answer = RunModalDialog(dialogNumber, 0, [&](int code, WindowRef dialog, int p1, int) {
    if (code == WindowCreatedEvent) {
      SetItemText(dialog, field, FieldText(description).c_str());
      return 0;
    }
    if (code != ControlEvent || (p1 != okItem && p1 != CancelItem)) return 1;
    if (p1 == okItem) {
      description = DescriptionText(GetItemText(dialog, field, DescriptionMaxLength));
    }
    EndModalDialog(p1 == okItem ? 1 : 0);
    return 0;
  });
  return answer == 1;
}

}  // namespace

bool AskDescriptionOnOpening(std::string& description) {
  return AskDescription(OpeningDialog, OpeningField, OpeningOk, description);
}

bool AskDescriptionToSave(std::string& description) {
  return AskDescription(SavingDialog, SavingField, SavingOk, description);
}

}  // namespace qv
