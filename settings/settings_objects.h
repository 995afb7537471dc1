// settings/settings_objects.h - the objects a settings file names (the viewer object, the centred
// object, trail objects): written by their display names and found again by exact,
// case-insensitive name match in the object store.
#pragma once

#include <string>
#include <string_view>

#include "settings/settings.h"

namespace qv {

// SettingsObjectName: the object's display name; empty for 0 or an object the store lacks.
std::string SettingsObjectName(ObjectId id);

// FindSettingsObject: ResultOk with the first object whose name matches; otherwise note 523 with
// the name is shown and the result is ResultNotFound (or ResultCancelled when the user stopped
// a long search).
int FindSettingsObject(std::string_view name, ObjectId& id);

}  // namespace qv
