// chart/centring.cpp - centring on objects, coordinate-system switches and viewpoint moves
// (see centring.h).
#include "chart/centring.h"

#include <algorithm>
#include <cmath>

#include "astro/angles.h"
#include "chart/projection.h"
#include "chart/sky_link.h"
#include "chart/view.h"
#include "generated/string_numbers.h"
#include "objects/namesearch.h"
#include "objects/store.h"
#include "platform/alert.h"
#include "platform/events.h"
#include "platform/result.h"

namespace qv {
namespace {

constexpr double LargestDistanceStep = 0.5;

// The object's height above the horizon mask's level, in the units of HorizonHeight.
bool AtOrBelowHorizon(const ObjectRecord& record) {
  const Vector3 zenith = ChartZenith();
  const Vector3 v = RecordDirection(record);
  const int32_t level = SaturateToInt32(std::sin(ChartHorizonAltitude()) * DirectionLength);
  return SaturateToInt32(Dot(v, zenith)) <= level;
}

// The centred object with a finite, positive distance from the viewer, or none.
ObjectRecord* CentredObjectWithDistance(const ChartOptions& s, double& distance) {
  if (s.CenteredObject == 0) return nullptr;
  ObjectRecord* record = ObjectOfId(s.CenteredObject);
  if (!record || !UpdatePlace(*record)) return nullptr;
  distance = CurrentDistance(*record);
  return std::isfinite(distance) && distance > 0 ? record : nullptr;
}

// Places the viewer at distance from the centred object, looking at it along the chart
// centre's direction, so the object stays in the middle of the chart.
void ViewFromDistance(const ChartOptions& s, ObservingSettings& observing,
                      const ObjectRecord& record, double distance) {
  Vector3 u = SphericalToRectangular(s.ChartCenterLongitude, s.ChartCenterLatitude, 1);
  TransformTransposed(ChartSystemMatrix(s.ChartCoordinateSystem), u);
  observing.ViewerObject = record.id;
  observing.ViewerObjectOffset[0] = -distance * u.x;
  observing.ViewerObjectOffset[1] = -distance * u.y;
  observing.ViewerObjectOffset[2] = -distance * u.z;
}

void SetCentre(ChartOptions& s, const Vector3& storeDirection) {
  Vector3 v = storeDirection;
  Transform(ChartSystemMatrix(s.ChartCoordinateSystem), v);
  const Spherical centre = RectangularToSpherical(v);
  s.ChartCenterLongitude = centre.lon;
  s.ChartCenterLatitude = centre.lat;
}

}  // namespace

void FollowCentre(ChartOptions& s, const Vector3* telescope) {
  if (telescope) SetCentre(s, *telescope);
  if (s.CenteredObject == 0) return;
  ObjectRecord* record = ObjectOfId(s.CenteredObject);
  if (!record) {
    s.CenteredObject = 0;  // the object was deleted: stop following it
    return;
  }
  UpdatePlace(*record);
  SetCentre(s, RecordDirection(*record));
}

int CenterOnObject(ChartOptions& s, ObjectId id) {
  if (id == 0) {
    s.CenteredObject = 0;
    return ResultOk;
  }
  ObjectRecord* record = ObjectOfId(id);
  if (!record) return ResultNotFound;
  UpdatePlace(*record);
  if (s.ShowHorizonMask && AtOrBelowHorizon(*record)) {
    const int answer = Caution(ButtonsYesNoCancel, MessageBelowHorizon);
    if (answer == AnswerCancel || answer == AnswerNone) return ResultCancelled;
    if (answer == AnswerYes) s.ShowHorizonMask = false;
  }
  s.CenteredObject = id;
  return ResultOk;
}

int CenterOnPlanet(ChartOptions& options, const char* name) {
  ObjectId found = 0;
  if (FindObjectByName(name, false, true, 0, found) != ResultOk || found == 0) {
    Note(ButtonsOk, MessageNoSuchObject, name);
    return ResultNotFound;
  }
  return CenterOnObject(options, found);
}

void SetCoordinateSystem(ChartOptions& s, int system) {
  if (system < CoordinatesEquatorial || system > CoordinatesHorizon) return;
  ConvertCoordinates(ChartSystemMatrix(s.ChartCoordinateSystem), ChartSystemMatrix(system),
                     s.ChartCenterLongitude, s.ChartCenterLatitude);
  s.ChartCoordinateSystem = static_cast<CoordinateSystem>(system);
}

bool MoveViewpointAround(ChartOptions& s, ObservingSettings& observing, int bar, int part) {
  double distance = 0;
  ObjectRecord* record = CentredObjectWithDistance(s, distance);
  if (!record) return false;
  const double step = Pi / s.ChartScrollRate;
  if (part != PartLineUp && part != PartLineDown && part != PartPageUp && part != PartPageDown)
    return false;
  const bool back = part == PartLineUp || part == PartPageUp;
  if (bar == ScrollHorizontal) {
    const double left = s.ChartCoordinateSystem == CoordinatesHorizon ? -1 : 1;
    s.ChartCenterLongitude = NormalizeAngle(s.ChartCenterLongitude + (back ? left : -left) * step);
  } else {
    s.ChartCenterLatitude =
        std::clamp(s.ChartCenterLatitude + (back ? step : -step), -HalfPi, HalfPi);
  }
  ViewFromDistance(s, observing, *record, distance);
  return true;
}

bool MoveViewpointDistance(ChartOptions& s, ObservingSettings& observing, bool nearer) {
  double distance = 0;
  ObjectRecord* record = CentredObjectWithDistance(s, distance);
  if (!record) return false;
  const double step = std::min(Pi / s.ChartScrollRate, LargestDistanceStep);
  ViewFromDistance(s, observing, *record, distance * (nearer ? 1 - step : 1 + step));
  return true;
}

}  // namespace qv
