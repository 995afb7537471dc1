// chart/centring.h - view commands that need the sky: centring on objects and planets, the
// centre following them, switching the coordinate system, and moving the viewpoint around a
// centred object. Like the other view commands (chart/view.h) they change the options they are
// given; the caller recomputes and redraws.
#pragma once

#include "astro/observing.h"
#include "astro/vector.h"
#include "chart/chart_options.h"
#include "objects/records.h"

namespace qv {

// FollowCentre: before a drawing, the centre follows the telescope when its direction (unit
// vector, J2000) is given, and the centred object while it exists; a centred object that was
// deleted is no longer followed.
void FollowCentre(ChartOptions& options, const Vector3* telescope);

// CenterOnObject: follows the object from now on (0 stops following). With the horizon mask on
// and the object at or below the horizon, message 540 asks: Yes turns the mask off, No centres
// anyway, Cancel changes nothing (ResultCancelled). ResultNotFound for an id that names nothing.
int CenterOnObject(ChartOptions& options, ObjectId id);

// CenterOnPlanet: the object whose name is the menu text ("Sun", "Moon", "Mercury" ...);
// message 523 and ResultNotFound when no object carries that name.
int CenterOnPlanet(ChartOptions& options, const char* name);

// SetCoordinateSystem: the same sky point stays centred in the new system (1-4).
void SetCoordinateSystem(ChartOptions& options, int system);

// Moving the viewpoint around the centred object (Shift with the scroll keys): the centre turns
// by pi / ChartScrollRate and the viewer is placed at the object's distance on the far side of
// the new centre direction; MoveViewpointDistance goes nearer (or farther) by that step, at most
// half the distance. False, with nothing changed, when no object with a finite distance is
// centred.
bool MoveViewpointAround(ChartOptions& options, ObservingSettings& observing, int bar, int part);
bool MoveViewpointDistance(ChartOptions& options, ObservingSettings& observing, bool nearer);

}  // namespace qv
