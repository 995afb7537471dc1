// app/viewpoint.cpp - the viewpoint (viewpoint.h).
#include "app/viewpoint.h"

#include "app/info_window.h"
#include "app/shell.h"
#include "chart/trails.h"
#include "objects/store.h"
#include "settings/settings.h"

namespace qv {
namespace {

bool Exists(ObjectId id) { return id != 0 && ObjectOfId(id) != nullptr; }

}  // namespace

void SetViewerObject(ObjectId object) {
  ChartSettings& s = Settings();
  if (object != 0 && object == s.CenteredObject) s.CenteredObject = s.ViewerObject;
  const ObjectRecord* record = Exists(object) ? ObjectOfId(object) : nullptr;
  s.ViewerObject = record && record->kind != KindEarth ? object : 0;
  s.ViewerObjectOffset[0] = s.ViewerObjectOffset[1] = s.ViewerObjectOffset[2] = 0;
}

void ViewFromHere() {
  ChartSettings& s = Settings();
  const HereLocation& here = Shell().here;
  s.ViewerObject = 0;
  s.ViewerSiteName = here.siteName;
  s.ViewerLongitude = here.longitude;
  s.ViewerLatitude = here.latitude;
  s.ViewerAltitude = here.altitude;
  s.TimeZone = here.timeZone;
}

void ForgetDatabaseObjects() {
  ShowObjectInfo(0);
  Settings().ViewerObject = 0;
  Settings().CenteredObject = 0;
  DeleteAllTrails();
}

void ForgetMissingObjects() {
  ChartSettings& s = Settings();
  if (!Exists(s.ViewerObject)) s.ViewerObject = 0;
  if (!Exists(s.CenteredObject)) s.CenteredObject = 0;
  if (Shell().infoObject != 0 && !Exists(Shell().infoObject)) ShowObjectInfo(0);
  for (int slot = FirstTrail(); slot != 0;) {
    const int next = NextTrail(slot);
    if (!Exists(GetTrail(slot)->Object)) DeleteTrail(slot);
    slot = next;
  }
}

}  // namespace qv
