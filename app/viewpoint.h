// app/viewpoint.h - where the chart is seen from: the Earth site of the settings, the user's
// home site, or an object of the database with an offset from it.
#pragma once

#include "objects/records.h"

namespace qv {

// SetViewerObject: places the viewer at the object, with no offset. When that object is the
// centred one, the previous viewer object is centred instead (a viewer cannot look at itself);
// the Earth (or 0) means the Earth site of the settings.
void SetViewerObject(ObjectId object);

// ViewFromHere: the viewer goes back to the home site (HereLocation): its name, place and zone.
void ViewFromHere();

// ForgetDatabaseObjects: after the database was closed, no object id names anything: the info
// window is emptied and hidden, the viewer goes back to the Earth site, nothing is centred and
// every trail is deleted.
void ForgetDatabaseObjects();

// ForgetMissingObjects: objects that no longer exist stop being shown, centred, viewed from or
// trailed (after a database file was deleted or an object removed).
void ForgetMissingObjects();

}  // namespace qv
