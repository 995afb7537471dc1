// astro/skycontext.h - the sky context: everything derived from the settings of time, place and
// precision that every position computation reads (dynamical and sidereal time, the frame
// matrices, the viewer's place and velocity), and the two generation counters by which cached
// positions in the object records go stale. One process-wide instance, reached with Sky().
// Radians, AU, Julian dates (TT for the JDE).
#pragma once

#include <cstdint>

#include "app/settings.h"
#include "astro/vector.h"
#include "objects/records.h"

namespace qv {

struct SkyContext {
  double jde = 0;              // dynamical time of the chart
  double zone = 0;             // time zone with the daylight-saving hour, days
  double siderealTime = 0;     // local mean sidereal time
  double precessionEpoch = 0;  // the equinox of the chart: the fixed epoch, or the JDE
  Matrix3 equatorialMatrix;    // J2000 -> mean (with nutation: true) equator of the epoch
  Matrix3 eclipticMatrix;      // J2000 equator -> ecliptic of the epoch
  Matrix3 galacticMatrix;      // J2000 equator -> galactic
  Matrix3 horizonMatrix;       // J2000 equator -> horizon; its third row is the zenith
  Matrix3 dateMatrix;          // J2000 -> equator of the JDE, whatever the chart's equinox
  Vector3 viewerPosition;      // heliocentric, J2000 equator, AU
  double viewerDistance = 0;   // from the Sun, AU; +infinity for a viewer infinitely far
  Vector3 observerOffset;      // the observer from the viewing body's centre, J2000, AU
  Vector3 observerVelocity;   // units of the speed of light (zero for viewers other than the Earth)
  ObjectId viewer = 0;        // the viewing object; 0 for the Earth site
  bool starParallax = false;  // parallax applies to stars for this viewer
  bool starMotion = false;    // proper motion applies at this time
  Vector3 sunDirection;       // unit vector from the viewer to the Sun
  double sunAltitude = 0;     // geometric altitude of the Sun, radians
  uint32_t starGeneration = 1;    // stamps of stars and deep-sky objects
  uint32_t planetGeneration = 1;  // stamps of solar-system bodies
};

SkyContext& Sky();

// UpdateSkyContext: recomputes the context from the settings record after any change of time,
// place or precision, and advances each generation counter whose inputs changed.
void UpdateSkyContext();

// AdvanceStarGeneration / AdvancePlanetGeneration: a counter value never handed out before,
// so that a record stamped during a temporary change of time can never pass for current later.
void AdvanceStarGeneration();
void AdvancePlanetGeneration();

// A temporary change of time (search, animation, rise-set refinement) is bracketed by
// SaveSkyContext and RestoreSkyContext: the computation settings and both counters go out and
// come back, so positions cached before the change are still current after it.
struct SkySnapshot {
  ChartSettings computation;  // only the fields that feed the context are taken and put back
  uint32_t starGeneration = 0, planetGeneration = 0;
};
SkySnapshot SaveSkyContext();
void RestoreSkyContext(const SkySnapshot& snapshot);

// The Earth's record (kind 4) when the database has one, found once and remembered; none
// otherwise (its position then comes from the built-in theory).
ObjectRecord* EarthRecord();
// SolarSystemBodyOfKind: the first record of a solar-system kind in the store, remembered.
ObjectRecord* SolarSystemBodyOfKind(int kind);

}  // namespace qv
