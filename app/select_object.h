// app/select_object.h - the Select Object dialog (273): finding an object by its name for Find
// Object, Edit Object, Delete Object, Center Object and the Location dialog.
#pragma once

#include "objects/records.h"

namespace qv {

// SelectObject: runs the dialog; the object found and chosen with Select, or 0 after Cancel.
// The case-sensitive and exact-match choices are remembered from one use to the next.
ObjectId SelectObject();

}  // namespace qv
