// chart/trail_paths.cpp - recording trail points and drawing trails (trail_paths.h).
#include "chart/trail_paths.h"

#include <cmath>
#include <string>

#include "astro/constants.h"
#include "astro/time.h"
#include "chart/lines.h"
#include "chart/pens.h"
#include "chart/projection.h"
#include "chart/sky_link.h"
#include "chart/trails.h"
#include "objects/bodies.h"
#include "objects/printf_text.h"
#include "objects/sky.h"
#include "objects/store.h"
#include "platform/draw.h"

namespace qv {
namespace {

constexpr int TickHalfLengthPx = 2;  // a tick runs from 2 pixels above its point to 2 below
constexpr int DateOffsetPx = 3;      // a date's top-left corner, right of and below its point
// A star or deep-sky object of unknown distance is placed this far along its direction, so that
// a trail in space keeps its direction from any observer in the solar system (float holds it).
constexpr double UnknownDistanceAu = 1e12;

// Where an object is in space now, heliocentric, J2000 equator, AU.
struct SpacePlace {
  Vector3 position;  // relative to the central body when there is one
  bool hasCentral = false;
  Vector3 central;  // the central body's heliocentric position
};

SpacePlace PlaceInSpace(const ObjectRecord& record, const SkyContext& sky) {
  SpacePlace place;
  if (IsSolarSystemKind(record.kind)) {
    const HeliocentricResult r = HeliocentricPosition(record, sky.jde);
    place.position = r.position;
    place.hasCentral = r.hasPrimary;
    place.central = r.primary;
    if (r.hasPrimary) Subtract(r.position, r.primary, place.position);
    return place;
  }
  const double distance = CurrentDistance(record);
  const double d = std::isfinite(distance) && distance > 0 ? distance : UnknownDistanceAu;
  const Vector3 u = CurrentDirectionVector(record);
  const Vector3& viewer = sky.viewerPosition;
  place.position = {viewer.x + d * u.x, viewer.y + d * u.y, viewer.z + d * u.z};
  return place;
}

Vector3 RecordedVector(const ObjectRecord& record, int type, int coordinateSystem,
                       const SkyContext& sky) {
  if (type == TrailInSpace) return PlaceInSpace(record, sky).position;
  Vector3 v = CurrentDirectionVector(record);
  if (type == TrailInCurrentCoordinates) Transform(SystemMatrix(sky, coordinateSystem), v);
  return v;
}

// What the points of one trail are drawn against: the present central body and observer
// (type 1) and the chart's present coordinate system (type 3).
struct PointFrame {
  int type = TrailInSky;
  Vector3 central;   // zero when the object has no central body
  Vector3 observer;  // heliocentric, AU
  const Matrix3* system = nullptr;
};

// PointDirection: the stored point as a direction of length R; false for a point at the
// observer.
bool PointDirection(const TrailPoint& p, const PointFrame& f, Vector3& v) {
  v = {p.x, p.y, p.z};
  if (f.type == TrailInSpace) {
    Add(v, f.central, v);
    Subtract(v, f.observer, v);
  } else if (f.type == TrailInCurrentCoordinates) {
    TransformTransposed(*f.system, v);
  }
  const double length = Length(v);
  if (!(length > 0) || !std::isfinite(length)) return false;
  v = {v.x * DirectionLength / length, v.y * DirectionLength / length,
       v.z * DirectionLength / length};
  return true;
}

Color TrailColor(const ChartOptions& s, int kind) {
  if (!s.ShowColors) return ChartForegroundColor(s);
  return s.Colors[IsSolarSystemKind(kind) ? PlanetColor : StarColor];
}

bool MarkFalls(int32_t interval, int i, int count) {
  return interval != 0 && i % interval == count % interval;
}

std::string TrailDateText(float time, const SkyContext& sky) {
  const CalendarDate date =
      JulianDateToCalendar(time + J2000, sky.zone, sky.settings.CalendarSystem);
  return PrintfText("%4ld/%02hd/%02.0f", static_cast<long>(date.year), date.month,
                    std::floor(date.day));
}

// MarkPoint: the tick and the date of point i at its pixel; the drawing position is left there.
void MarkPoint(const Trail& trail, int i, int count, int x, int y, const SkyContext& sky) {
  if (trail.TicksInterval > 0 && MarkFalls(trail.TicksInterval, i, count)) {
    DrawLine(x, y - TickHalfLengthPx, x, y + TickHalfLengthPx);
  }
  if (MarkFalls(trail.DatesInterval, i, count)) {
    const std::string text = TrailDateText(trail.Points[i].time, sky);
    DrawText(text.c_str(), 0, x + DateOffsetPx, y + DateOffsetPx);
  }
  MoveTo(x, y);
}

// TrailObjectNow: the trail's object at the current time; nullptr when there is no trail, or
// when its object is gone (the trail is then deleted).
ObjectRecord* TrailObjectNow(int slot, const Trail* trail) {
  if (!trail) return nullptr;
  ObjectRecord* record = ObjectOfId(trail->Object);
  if (!record) {
    DeleteTrail(slot);
    return nullptr;
  }
  UpdatePlace(*record);
  return record;
}

}  // namespace

void RecordTrailPoint(int slot, int coordinateSystem) {
  Trail* trail = GetTrail(slot);
  ObjectRecord* record = TrailObjectNow(slot, trail);
  if (!record) return;
  const SkyContext& sky = CurrentSky();
  const Vector3 v = RecordedVector(*record, trail->Type, coordinateSystem, sky);
  const TrailPoint point{static_cast<float>(v.x), static_cast<float>(v.y), static_cast<float>(v.z),
                         static_cast<float>(sky.jde - J2000)};
  std::vector<TrailPoint>& points = trail->Points;
  points.insert(points.begin(), point);
  if (points.size() > static_cast<size_t>(trail->Capacity)) points.resize(trail->Capacity);
}

void RecordTrailPoints(int coordinateSystem) {
  for (int slot = FirstTrail(); slot != 0; slot = NextTrail(slot)) {
    RecordTrailPoint(slot, coordinateSystem);  // may delete this slot, never the next
  }
}

void DrawTrail(int slot, const ChartOptions& s) {
  const Trail* trail = GetTrail(slot);
  ObjectRecord* record = TrailObjectNow(slot, trail);
  if (!record) return;
  const SkyContext& sky = CurrentSky();
  SetPen(TrailColor(s, record->kind), 1, false);
  bool started = CurrentDistance(*record) > 0;  // else the observer stands at the object
  if (started) MoveToSky(RecordDirection(*record));
  PointFrame frame;
  frame.type = trail->Type;
  frame.observer = sky.viewerPosition;
  frame.system = &ChartSystemMatrix(s.ChartCoordinateSystem);
  if (trail->Type == TrailInSpace) {
    const SpacePlace place = PlaceInSpace(*record, sky);
    if (place.hasCentral) frame.central = place.central;
  }
  const int count = static_cast<int>(trail->Points.size());
  for (int i = 0; i < count; ++i) {
    Vector3 v;
    if (!PointDirection(trail->Points[i], frame, v)) continue;
    if (!started) {
      MoveToSky(v);
      started = true;
      continue;
    }
    const LineStep step = LineToSky(v);
    if (step.drawn && step.endVisible) MarkPoint(*trail, i, count, step.x1, step.y1, sky);
  }
}

void DrawTrails(const ChartOptions& options) {
  for (int slot = FirstTrail(); slot != 0; slot = NextTrail(slot)) {
    DrawTrail(slot, options);  // may delete this slot, never the next
  }
}

}  // namespace qv
