// settings/settings_objects.cpp - object names in settings files, through the object store.
#include "settings/settings_objects.h"

#include "generated/string_numbers.h"
#include "objects/namesearch.h"
#include "objects/store.h"
#include "platform/alert.h"
#include "platform/result.h"

namespace qv {

std::string SettingsObjectName(ObjectId id) {
  const ObjectRecord* record = id != 0 ? ObjectOfId(id) : nullptr;
  return record ? DisplayName(*record) : std::string();
}

int FindSettingsObject(std::string_view name, ObjectId& id) {
  const std::string text(name);
  ObjectId found = 0;
  const int result = FindObjectByName(text.c_str(), false, true, 0, found);
  if (result == ResultOk) {
    id = found;
  } else if (result != ResultCancelled) {
    Note(ButtonsOk, MessageNoSuchObject, text.c_str());
  }
  return result;
}

}  // namespace qv
