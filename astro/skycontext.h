// astro/skycontext.h - the sky context: everything derived from the observing settings that
// every position computation reads (dynamical and sidereal time, the frame matrices, the viewer's
// place and velocity, the Sun's direction). A context is a value made for one instant and one
// viewpoint: the functions that compute positions, light time, rising and setting and physical
// ephemerides take it as an argument, so any number of them may exist at once.
// Radians, AU, Julian dates (TT for the JDE).
#pragma once

#include <functional>

#include "astro/angles.h"
#include "astro/frames.h"
#include "astro/observing.h"
#include "astro/vector.h"

namespace qv {

struct SkyContext {
  ObservingSettings settings;  // what it was made from, with the viewer object in effect
  double jde = 0;              // dynamical time: the bodies' motions
  double ut = 0;               // universal time: the Earth's rotation and the local day
  double zone = 0;             // time zone with the daylight-saving hour, days
  double siderealTime = 0;     // local sidereal time, apparent with Nutation
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
};

// ViewerBody: the body the viewer stands on or beside, as MakeSkyContext needs it.
struct ViewerBody {
  ObjectId object = 0;  // the viewer object in effect; 0 for the Earth site of the settings
  bool isEarth = true;  // the body is the Earth, whose velocity is known
  Vector3 position;     // heliocentric, J2000 equator, AU
  double distance = 0;  // from the Sun, AU; +infinity for a body infinitely far
};

// ViewerLocator: the viewing body at the context's time. It is called with the times, the frames
// and the star-motion flag of the context already set.
using ViewerLocator = std::function<ViewerBody(const SkyContext& context)>;

// MakeSkyContext: the context of the settings, in this order: the effective zone, the JDE, the
// sidereal time; the chart's equinox and the frames; whether stars move; the viewer (its place
// from locate, its offset and velocity); whether stars show parallax; the Sun's direction and
// altitude.
SkyContext MakeSkyContext(const ObservingSettings& settings, const ViewerLocator& locate);

// BuiltInEarthViewer: the Earth site on the Earth of the built-in series, for a sky without a
// database.
ViewerBody BuiltInEarthViewer(const SkyContext& context);

// SystemMatrix: J2000 equator -> coordinate system 1-4 (CoordinateSystem) of the context.
const Matrix3& SystemMatrix(const SkyContext& context, int coordinateSystem);

// Zenith: the observer's zenith, unit vector in the J2000 equator.
Vector3 Zenith(const SkyContext& context);

// PlaceOfDate: a J2000 direction in the equator of the context's true date (R.A., Dec.).
Spherical PlaceOfDate(const SkyContext& context, const Vector3& j2000);

}  // namespace qv
