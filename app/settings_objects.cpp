// app/settings_objects.cpp - object names for settings files (no object store yet: no names).
#include "app/settings_objects.h"

#include "platform/alert.h"
#include "platform/result.h"

namespace qv {

std::string SettingsObjectName(ObjectId) { return std::string(); }

int FindSettingsObject(std::string_view name, ObjectId& id) {
  id = 0;
  Note(ButtonsOk, 523, std::string(name).c_str());
  return ResultNotFound;
}

}  // namespace qv
