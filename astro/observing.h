// astro/observing.h - the observing settings: where the sky is seen from, when, and with which
// corrections and precision. They are the part of the settings record (ChartSettings) that the
// sky context is made from; the settings file names each field by its key. Angles in radians,
// Julian dates (UT unless DynamicTime), time zones in days east of Greenwich, altitudes in metres.
#pragma once

#include <cstdint>
#include <string>

#include "astro/constants.h"
#include "astro/kinds.h"
#include "astro/time.h"

namespace qv {

enum PlanetTheory : uint8_t {
  PlanetElements = 1,  // osculating elements
  PlanetVFP = 2,
  PlanetVSOP87 = 3,  // VSOP87D and Meeus' Pluto; the Sun and the Moon as VFP
};

enum SatelliteTheory : uint8_t {
  SatelliteSimple = 1,  // Keplerian ellipse with secular J2 rates and drag
  SatelliteSGP4 = 2,    // SGP4/SDP4
};

struct ObservingSettings {
  // Viewpoint and time.
  ObjectId ViewerObject = 0;                 // 0: viewing from the Earth site
  double ViewerObjectOffset[3] = {0, 0, 0};  // AU from the viewer object's centre
  std::string ViewerSiteName;                // at most SiteNameMaxLength characters
  double ViewerLongitude = 0;                // east positive
  double ViewerLatitude = 0;                 // north positive
  double ViewerAltitude = 0;                 // metres
  double TimeZone = 0;                       // days east of Greenwich
  double JulianDate = J2000;                 // replaced by the present time at start-up
  CalendarKind CalendarSystem = CalendarGregorian;
  bool DynamicTime = false;  // JulianDate is dynamical time, not UT
  bool DaylightSavingsTime = true;

  // Computation.
  bool StarParallax = true;
  double StarParallaxThreshold = 1000;  // AU from the Sun beyond which parallax applies
  bool StarMotion = true;
  double StarMotionThreshold = 365250;  // days from J2000 beyond which motion applies
  PlanetTheory PlanetComputation = PlanetVFP;
  bool PlanetLightTime = false;
  SatelliteTheory SatelliteModel = SatelliteSimple;
  double PrecessionEpoch = J2000;  // the fixed epoch, a Julian date
  bool Precession = true;          // true: current epoch; false: PrecessionEpoch
  bool Nutation = false;
  bool Aberration = false;
  bool Refraction = false;
  bool PreciseRiseSetTimes = true;
  double HorizonAltitude = 0;  // altitude of the horizon for rise and set
};

// ZoneInEffect: TimeZone, one hour more while DaylightSavingsTime is on and saving applies at jd.
double ZoneInEffect(const ObservingSettings& settings, JulianDate jd);

// LocalToUniversal: the UT of a local date and time given as a Julian date read at zone 0: less
// TimeZone, and less the daylight-saving hour when it is on and applies on that date.
JulianDate LocalToUniversal(const ObservingSettings& settings, JulianDate local);

}  // namespace qv
