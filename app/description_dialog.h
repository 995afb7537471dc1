// app/description_dialog.h - the settings description dialogs: shown when a settings file with a
// description is opened (268), and asked for when settings are saved under a new name (269).
#pragma once

#include <string>

namespace qv {

// AskDescriptionOnOpening: dialog 268 shows description (multi-line field 3); OK (1) replaces it
// with the field's text and returns true, Cancel (2) leaves it and returns false. The prompt of
// ReadSettingsFile.
bool AskDescriptionOnOpening(std::string& description);

// AskDescriptionToSave: dialog 269 the same way, with the field as item 1 and OK as item 3.
bool AskDescriptionToSave(std::string& description);

}  // namespace qv
