// chart/centring.cpp - centring on objects, coordinate-system switches and viewpoint moves
// (see centring.h).
#include "chart/centring.h"

#include <algorithm>
#include <cmath>

#include "app/settings.h"
#include "astro/angles.h"
#include "chart/projection.h"
#include "chart/sky_link.h"
#include "chart/view.h"
#include "objects/namesearch.h"
#include "objects/store.h"
#include "platform/alert.h"
#include "platform/events.h"
#include "platform/result.h"

namespace qv {
namespace {

constexpr int MessageNoSuchName = 523;
constexpr int MessageBelowHorizon = 540;
constexpr double LargestDistanceStep = 0.5;

// The object's height above the horizon mask's level, in the units of HorizonHeight.
bool AtOrBelowHorizon(const ObjectRecord& record) {
  const ChartSettings& s = Settings();
  const Vector3 zenith = ChartZenith();
  const Vector3 v = RecordDirection(record);
  const int32_t level = SaturateToInt32(std::sin(s.HorizonAltitude) * DirectionLength);
  return SaturateToInt32(Dot(v, zenith)) <= level;
}

// The centred object with a finite, positive distance from the viewer, or none.
ObjectRecord* CentredObjectWithDistance(double& distance) {
  const ChartSettings& s = Settings();
  if (s.CenteredObject == 0) return nullptr;
  ObjectRecord* record = ObjectOfId(s.CenteredObject);
  if (!record || !UpdatePlace(*record)) return nullptr;
  distance = CurrentDistance(*record);
  return std::isfinite(distance) && distance > 0 ? record : nullptr;
}

// Places the viewer at distance from the centred object, looking at it along the chart
// centre's direction, so the object stays in the middle of the chart.
void ViewFromDistance(const ObjectRecord& record, double distance) {
  ChartSettings& s = Settings();
  Vector3 u = SphericalToRectangular(s.ChartCenterLongitude, s.ChartCenterLatitude, 1);
  TransformTransposed(ChartSystemMatrix(s.ChartCoordinateSystem), u);
  s.ViewerObject = record.id;
  s.ViewerObjectOffset[0] = -distance * u.x;
  s.ViewerObjectOffset[1] = -distance * u.y;
  s.ViewerObjectOffset[2] = -distance * u.z;
}

}  // namespace

int CenterOnObject(ObjectId id) {
  ChartSettings& s = Settings();
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
  s.TelescopeStayCentered = false;
  return ResultOk;
}

int CenterOnPlanet(const char* name) {
  ObjectId found = 0;
  if (FindObjectByName(name, false, true, 0, found) != ResultOk || found == 0) {
    Note(ButtonsOk, MessageNoSuchName, name);
    return ResultNotFound;
  }
  return CenterOnObject(found);
}

void SetCoordinateSystem(int system) {
  if (system < CoordinatesEquatorial || system > CoordinatesHorizon) return;
  ChartSettings& s = Settings();
  ConvertCoordinates(ChartSystemMatrix(s.ChartCoordinateSystem), ChartSystemMatrix(system),
                     s.ChartCenterLongitude, s.ChartCenterLatitude);
  s.ChartCoordinateSystem = static_cast<CoordinateSystem>(system);
}

bool MoveViewpointAround(int bar, int part) {
  double distance = 0;
  ObjectRecord* record = CentredObjectWithDistance(distance);
  if (!record) return false;
  ChartSettings& s = Settings();
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
  ViewFromDistance(*record, distance);
  return true;
}

bool MoveViewpointDistance(bool nearer) {
  double distance = 0;
  ObjectRecord* record = CentredObjectWithDistance(distance);
  if (!record) return false;
  const double step = std::min(Pi / Settings().ChartScrollRate, LargestDistanceStep);
  ViewFromDistance(*record, distance * (nearer ? 1 - step : 1 + step));
  return true;
}

}  // namespace qv
