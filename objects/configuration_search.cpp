// objects/configuration_search.cpp - the closest or widest configuration of two objects
// (configuration_search.h).
#include "objects/configuration_search.h"

#include <cmath>
#include <cstdint>

#include "objects/apparent.h"
#include "objects/bodies.h"
#include "objects/sky.h"

namespace qv {
namespace {

// AngleApart: the chord when small, else the arc. The arc is taken from the cross and dot
// products, not the arc-cosine of the dot product: stored directions are unit vectors only to
// 2^-30, and the arc-cosine would turn that into noise of 1e-9 / sin(angle) radians (0.1" at
// 0.1 degrees, enough to move a close conjunction's minimum by ten minutes).
double AngleApart(const Vector3& a, const Vector3& b) {
  Vector3 d;
  Subtract(b, a, d);
  const double chord = Length(d);
  if (chord <= ConfigurationChordLimit) return chord;
  Vector3 cross;
  Cross(a, b, cross);
  return std::atan2(Length(cross), Dot(a, b));
}

// PositionInSpace: heliocentric, J2000 equator, AU; NaN components when the object has none.
Vector3 PositionInSpace(const ObjectRecord& object, const SkyContext& sky) {
  if (IsSolarSystemKind(object.kind)) {
    PlaceComputation computation{sky, 0, {}};
    return HeliocentricPosition(computation, object, sky.jde).position;
  }
  const ApparentPlace place = PlaceAt(object, sky);
  if (!std::isfinite(place.distance)) return Vector3{NAN, NAN, NAN};
  const Vector3 u = VectorFromDirection(place.direction);
  const double r = place.distance;
  return Vector3{sky.viewerPosition.x + u.x * r, sky.viewerPosition.y + u.y * r,
                 sky.viewerPosition.z + u.z * r};
}

// IsExtremum: the middle of three successive samples (older, middle, newest).
bool IsExtremum(bool minimum, double older, double middle, double newest) {
  return minimum ? middle < newest && middle < older : newest < middle && older < middle;
}

// Search: one pass over start..end at step; a detected extremum is refined by a pass over the
// two steps around it at a tenth of the step. Each pass shrinks the step tenfold and the step
// is finite, so the recursion ends.
int Search(const ConfigurationSearch& search, JulianDate start, JulianDate end, double step,
           const ConfigurationProgress& progress, ConfigurationFound& found) {
  double older = 0, middle = 0, separation = 0;
  for (int64_t i = 0;; ++i) {
    const JulianDate date = start + static_cast<double>(i) * step;
    if (date > end) {
      found = {date, separation};
      return 0;
    }
    const double newest = ObjectSeparation(search, date);
    if (middle > 0) older = middle;
    if (separation > 0) middle = separation;
    separation = newest;
    if (older > 0 && middle > 0 && IsExtremum(search.minimum, older, middle, separation)) {
      if (step < ConfigurationFinestStep) {
        found = {date - step, middle};
        return 1;
      }
      return Search(search, date - 2 * step, date, step * ConfigurationRefinement, progress, found);
    }
    if (progress && progress(date, separation)) {
      found = {date, separation};
      return 0;
    }
  }
}

}  // namespace

double ObjectSeparation(const ConfigurationSearch& search, JulianDate date) {
  ObservingSettings at = search.settings;
  at.JulianDate = date;
  const SkyContext sky = MakeSkyContext(at);
  if (search.angular) {
    return AngleApart(VectorFromDirection(PlaceAt(*search.a, sky).direction),
                      VectorFromDirection(PlaceAt(*search.b, sky).direction));
  }
  Vector3 d;
  Subtract(PositionInSpace(*search.b, sky), PositionInSpace(*search.a, sky), d);
  return Length(d);
}

int FindConfiguration(const ConfigurationSearch& search, JulianDate start, JulianDate end,
                      double step, const ConfigurationProgress& progress,
                      ConfigurationFound& found) {
  if (!search.a || !search.b || !(step > 0) || !std::isfinite(step) || !std::isfinite(start) ||
      !std::isfinite(end)) {
    found = {end, 0};
    return 0;
  }
  return Search(search, start, end, step, progress, found);
}

}  // namespace qv
