// app/trail_dialog.h - the Edit Object Trail dialog (265): a trail for one object, with the
// positions it keeps, its tick marks and dates and what its positions are; the values last
// chosen are offered the next time.
#pragma once

#include "objects/records.h"

namespace qv {

// RunTrailDialog: on OK the trail is created (replacing the object's trail; nothing is created
// for a capacity below 1 or a full trail list) and 1 returned; 0 after Cancel.
int RunTrailDialog(ObjectId object);

}  // namespace qv
