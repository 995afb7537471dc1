// app/edit_object.h - the Edit Star (263) and Edit Planet (264) dialogs: a star, deep-sky object
// or solar-system body edited as the fields of its object text line, then stored back into its
// database file (or the custom file "Custom.qvd" for a new object), which is written at once.
#pragma once

#include <string>
#include <vector>

#include "objects/records.h"

namespace qv {

// EditObject: edits the object, or with object 0 makes a new one of kind newType (51-65 with
// the Edit Star dialog, 1-38 with Edit Planet). Nothing opens for a read-only file (note 539) or
// another kind. After OK the object is stored, the chart recomputed and the object shown in the
// info window. Returns the stored object's id, or 0 when nothing was stored.
ObjectId EditObject(ObjectId object, int newType);

// NewObjectFields: the text fields a new object of that kind starts from ("New Star", "New
// Planet" and their defaults), as ObjectTextFields gives them for an existing one.
std::vector<std::string> NewObjectFields(int kind);

}  // namespace qv
