// objects/configuration_search.h - when two objects come closest together or stand farthest
// apart within a range of dates: in the sky (the angle between their apparent directions) or in
// space (the distance between their positions). Radians, AU, Julian dates in the time scale of
// the observing settings (UT unless DynamicTime).
//
// The search samples the separation at a fixed step, takes the middle of three samples as an
// extremum when it is below (above) both neighbours, and refines it by searching the two steps
// around it again at a tenth of the step, until the step is below ConfigurationFinestStep. Each
// sample is computed for a sky context of its own date made from the settings, so every
// correction of the settings applies; the current sky and every cached place stay as they are.
#pragma once

#include <functional>

#include "astro/observing.h"
#include "objects/records.h"

namespace qv {

constexpr double ConfigurationFinestStep = 0.001;  // days: a step below this ends the refinement
constexpr double ConfigurationRefinement = 0.1;    // each refinement's step, of the one before
// Angular separations above this chord length are taken as the arc; below it the chord is the
// angle to within 1e-7 of itself and, unlike the arc-cosine, keeps its precision.
constexpr double ConfigurationChordLimit = 0.001;

struct ConfigurationSearch {
  const ObjectRecord* a = nullptr;
  const ObjectRecord* b = nullptr;
  ObservingSettings settings;  // viewpoint and corrections; JulianDate is set by the search
  bool minimum = true;         // closest (true) or widest (false)
  bool angular = true;         // in the sky (true) or in space (false)
};

struct ConfigurationFound {
  JulianDate date = 0;
  double separation = 0;  // radians or AU
};

// ConfigurationProgress: called with each sample that is not an extremum; true stops the search.
using ConfigurationProgress = std::function<bool(JulianDate date, double separation)>;

// ObjectSeparation: the separation of the two objects at date: the angle between their apparent
// directions from the viewer (angular), or the distance between their geometric positions at
// the same instant (solar-system bodies heliocentric, stars and deep-sky objects from their
// apparent place and distance). NaN when an object has no place in space.
double ObjectSeparation(const ConfigurationSearch& search, JulianDate date);

// FindConfiguration: samples start, start + step, ... while at or before end.
//   Returns 1 with found = the extremum's date and separation, refined to below
//           ConfigurationFinestStep (a 1-day step refines at 0.1, 0.01, 0.001 and 0.0001 day);
//           0 when none lies strictly inside the samples (found = the first date after end and
//           the last separation), when progress stopped it (found = the sample it stopped at),
//           or when the step is not a positive number or a date not finite (found = end, 0).
// Notes  1. Only positive separations enter the three-sample history, so an object searched
//           against itself finds nothing.
//        2. An extremum within the first two steps cannot be found: it needs a sample on both
//           sides.
int FindConfiguration(const ConfigurationSearch& search, JulianDate start, JulianDate end,
                      double step, const ConfigurationProgress& progress,
                      ConfigurationFound& found);

}  // namespace qv
