// chart/object_info.h - the lines of the object info window: kind, coordinates, distance,
// magnitude, size, rise and set, star motions or a body's illumination and orientation, and the
// coordinates in the chart's system. Each line is the text of one item of the info window.
// Magnitudes are hundredths (32767 = none), angles radians, distances AU.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "astro/constants.h"
#include "objects/apparent.h"
#include "objects/records.h"
#include "platform/events.h"

namespace qv {

// Rates of the info texts, shared with the ephemeris table: a star's motion in radians per day
// shown per year (R.A. in seconds of time, Dec. in arc seconds), radial velocity in AU per day
// shown in km/s.
constexpr double TimeSecondsPerYearPerRadianPerDay = ArcsecondsPerRadian / 15 * DaysPerJulianYear;
constexpr double ArcsecondsPerYearPerRadianPerDay = ArcsecondsPerRadian * DaysPerJulianYear;
constexpr double KmPerSecondPerAuPerDay = KmPerAu / SecondsPerDay;

// Items of the info window that this file writes.
enum InfoItem : int {
  InfoKindItem = 7,
  InfoRightAscensionItem = 8,
  InfoDeclinationItem = 9,
  InfoDistanceItem = 10,
  InfoMagnitudeItem = 11,
  InfoSizeItem = 12,
  InfoRiseItem = 13,
  InfoSetItem = 14,
  InfoLine15Item = 15,  // star: R.A. motion; body: illumination
  InfoLine16Item = 16,  // star: Dec. motion; body: P.A. of the bright limb
  InfoLine17Item = 17,  // star: radial velocity; body: central longitude
  InfoLine18Item = 18,  // star: colour index; body: central latitude
  InfoLine19Item = 19,  // star: empty; body: P.A. of the north pole; satellite: culmination
  InfoChartLonItem = 20,
  InfoChartLatItem = 21,
  InfoTrailOnItem = 4,
  InfoTrailOffItem = 5,
};

// ObjectCoordinates: where an object at its place for a context stands: R.A. and Dec. of the
// context's equinox, longitude and latitude in the coordinate system (refracted on horizon
// charts), rise and set on the context's local day (refined when PreciseRiseSetTimes is on).
ChartPlace ObjectCoordinates(const ObjectRecord& object, const ApparentPlace& place,
                             const SkyContext& sky, int coordinateSystem);

// FormatMagnitudeText: "%+.2f" of the magnitude, with the faintest magnitude of a variable
// (kinds 53, 54) and the companion's of a multiple star (52, 54); "" when magnitude is 32767.
std::string FormatMagnitudeText(int kind, int magnitude, int faintest, int companion);

// DistanceText: "Distance (km): ..." below 0.1 AU, AU below 1e4, pc below 1e10, Mpc beyond;
// the bare "Distance: " when the distance is not known.
std::string DistanceText(double au);

// RiseSetTexts: the texts of items 13 and 14, "(no rise)" or "(no set)" for an event the day
// lacks; false for a rise and set of which one happens and the other never does (the items then
// keep what they show).
bool RiseSetTexts(const RiseSet& rise, const RiseSet& set, std::string& riseText,
                  std::string& setText);

struct InfoLine {
  int item = 0;
  std::string text;
};
// ObjectInfoLines: every line of the window for the object at its place for the current sky,
// brought up to date first, its chart coordinates in the coordinate system given.
std::vector<InfoLine> ObjectInfoLines(ObjectRecord& object, int coordinateSystem);

// FillObjectInfo: writes the lines into the window and enables the trail buttons by whether the
// object has a trail. False, with nothing written, when no such object exists.
bool FillObjectInfo(WindowRef window, ObjectId id, int coordinateSystem);

}  // namespace qv
