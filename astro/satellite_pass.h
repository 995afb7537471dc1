// astro/satellite_pass.h - the next pass of an Earth satellite over an Earth site: rise,
// culmination with its altitude, and set, found by stepping the satellite's propagation (the
// model of the settings' SatelliteModel) rather than from a fixed place, since a satellite crosses
// the sky in minutes. Radians; instants are UT Julian dates. Finding no pass is a normal answer.
// Altitudes are geometric and topocentric, compared with the settings' HorizonAltitude, as the
// rising and setting of other bodies are (astro/riseset.h): refraction is not added.
// [M] J. Meeus, Astronomical Algorithms, 2nd ed. (1998), ch. 11 (the observer's geocentric place).
// [P] W. H. Press et al., Numerical Recipes, 3rd ed. (2007), 10.2 (golden section search).
#pragma once

#include <limits>

#include "astro/kepler.h"
#include "astro/observing.h"

namespace qv {

constexpr double PassSearchDays = 1.0;  // how far ahead a pass is looked for
constexpr double PassCoarseStepDays =
    30.0 / 86400;  // the shortest step: a pass under 30 s may be missed
constexpr double PassLongestStepDays = 1.0 / 24;   // the longest step, far below the horizon
constexpr double PassToleranceDays = 0.5 / 86400;  // rise, set and culmination refined to 0.5 s

enum SatellitePassStatus {
  PassFound = 1,     // rise (or the satellite was up at the start), culmination and set
  PassNone = 0,      // does not reach the horizon altitude within PassSearchDays
  PassAlwaysUp = 2,  // up at the start and throughout PassSearchDays
  PassNoOrbit = -1,  // the model cannot follow the orbit (decayed, e out of range)
};

struct SatellitePass {
  int status = PassNoOrbit;
  double rise = std::numeric_limits<double>::quiet_NaN();         // UT; NaN: up all the day before
  double culmination = std::numeric_limits<double>::quiet_NaN();  // UT of the highest point
  double culminationAltitude = std::numeric_limits<double>::quiet_NaN();  // radians
  double set = std::numeric_limits<double>::quiet_NaN();                  // UT
};

// NextSatellitePass: the first pass of the satellite of elements el (epoch in UT) seen from the
// Earth site of the settings (ViewerLatitude, ViewerLongitude, ViewerAltitude) above their
// HorizonAltitude, rising within PassSearchDays after startUt, propagated by their SatelliteModel.
// Notes  1. A satellite up at startUt gives the pass under way: its rise is before startUt
//           (searched back at most PassSearchDays; NaN when not found), its culmination may be.
//           One that stays up for PassSearchDays after startUt (geostationary) is PassAlwaysUp.
//        2. The set is looked for until PassSearchDays after the rise (PassFound needs it).
//        3. Steps are as long as the satellite surely stays on its side of the horizon: its
//           angle from the site's zenith, seen from the Earth's centre, against the angle of the
//           horizon at its perigee and apogee, at its fastest motion (at perigee) plus the
//           Earth's rotation; at least PassCoarseStepDays, at most PassLongestStepDays. Each
//           crossing is halved to PassToleranceDays; the highest point by golden section
//           between the samples about the highest one [P].
SatellitePass NextSatellitePass(const OrbitalElements& el, const ObservingSettings& settings,
                                double startUt);

}  // namespace qv
