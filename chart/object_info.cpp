// chart/object_info.cpp - the texts of the object info window (object_info.h).
#include "chart/object_info.h"

#include <cmath>

#include "astro/angles.h"
#include "astro/constants.h"
#include "astro/riseset.h"
#include "chart/trails.h"
#include "objects/apparent.h"
#include "objects/physical.h"
#include "objects/printf_text.h"
#include "objects/sky.h"
#include "objects/store.h"
#include "objects/textformat.h"
#include "platform/dialogs.h"

namespace qv {
namespace {

constexpr double FullDay = TwoPi;  // the time of day of an object that never sets
constexpr const char* DegreeSign = "\u00b0";

bool Known(int magnitude) { return magnitude != UnknownMagnitude; }

// A magnitude seen from where the viewer stands; none when the viewer stands at the object.
int SeenMagnitude(const ApparentPlace& place) {
  const int m = place.magnitude;
  return m == MagnitudeAtObserver ? UnknownMagnitude : m;
}

std::string TimeOfDayText(const char* label, double timeOfDay) {
  const double hours = timeOfDay * ExactRadToHours;
  const int whole = static_cast<int>(hours);
  const int minutes = static_cast<int>((hours - whole) * 60.0);
  return PrintfText("%s%02hd:%02hd", label, static_cast<short>(whole), static_cast<short>(minutes));
}

void AddSkyObjectLines(const ObjectRecord& object, const ApparentPlace& place,
                       std::vector<InfoLine>& lines) {
  const SkyObjectRecord& sky = *SkyObjectOf(object);
  const int m = SeenMagnitude(place);
  const int faintest =
      Known(m) && Known(sky.variabilityOffset) ? m + sky.variabilityOffset : UnknownMagnitude;
  const int companion =
      Known(m) && Known(sky.companionOffset) ? m + sky.companionOffset : UnknownMagnitude;
  lines.push_back({InfoMagnitudeItem,
                   "Magnitude: " + FormatMagnitudeText(object.kind, m, faintest, companion)});
  const double size = sky.size;
  if (IsDeepSkyKind(object.kind)) {
    lines.push_back({InfoSizeItem,
                     size == 0 ? std::string("Angular Size ('): ")
                               : PrintfText("Angular Size ('): %.1f", size * ArcminutesPerRadian)});
  } else {
    lines.push_back({InfoSizeItem,
                     size == 0 ? std::string("Separation (\"): ")
                               : PrintfText("Separation (\"): %.1f", size * ArcsecondsPerRadian)});
  }
  lines.push_back({InfoLine18Item, "Color Index (B-V): " +
                                       FormatMagnitudeText(KindSingleStar, sky.colorIndex,
                                                           UnknownMagnitude, UnknownMagnitude)});
  const SphericalRates rates =
      RectangularToSphericalWithRates({VectorFromDirection(sky.position), MotionPerDay(sky)});
  lines.push_back({InfoLine15Item, PrintfText("R.A. motion (s/yr): %+.4f",
                                              rates.dlon * TimeSecondsPerYearPerRadianPerDay)});
  lines.push_back({InfoLine16Item, PrintfText("Dec. motion (\"/yr): %+.3f",
                                              rates.dlat * ArcsecondsPerYearPerRadianPerDay)});
  lines.push_back({InfoLine17Item, std::isfinite(sky.radialVelocity)
                                       ? PrintfText("Radial velocity (km/s): %+.1f",
                                                    sky.radialVelocity * KmPerSecondPerAuPerDay)
                                       : std::string("Radial velocity (km/s): ")});
  lines.push_back({InfoLine19Item, ""});
}

void AddBodyLines(const ObjectRecord& object, const ApparentPlace& place,
                  std::vector<InfoLine>& lines) {
  const int m = SeenMagnitude(place);
  lines.push_back({InfoMagnitudeItem, Known(m) ? PrintfText("Magnitude: %+.1f", m / 100.0)
                                               : std::string("Magnitude: ")});
  const double diameter = place.physical[PhysicalDiameter];
  lines.push_back({InfoSizeItem,
                   diameter > 0 ? PrintfText("Angular Size: %.1f\"", diameter * ArcsecondsPerRadian)
                                : std::string("Angular Size: ")});
  // Degenerate elements (an orbit of no size) give no number: such a line stays blank.
  const double phase = place.physical[PhysicalPhaseAngle];
  lines.push_back({InfoLine15Item, std::isfinite(phase)
                                       ? PrintfText("Illumination: %.4f", (1 + std::cos(phase)) / 2)
                                       : std::string("Illumination: ")});
  const SubObserverPoint sub = PhysicalEphemeris(CurrentSky(), object.kind, place);
  const struct {
    int item;
    const char* label;
    double angle;
  } angles[] = {
      {InfoLine16Item, "P.A. of bright limb", place.physical[PhysicalBrightLimb]},
      {InfoLine17Item, "Central longitude", sub.longitude},
      {InfoLine18Item, "Central latitude", sub.latitude},
      {InfoLine19Item, "P.A. of N. Pole", sub.poleAngle},
  };
  for (const auto& a : angles) {
    lines.push_back({a.item, std::isfinite(a.angle)
                                 ? PrintfText("%s: %.1f%s", a.label, a.angle * RadToDeg, DegreeSign)
                                 : PrintfText("%s: ", a.label)});
  }
}

// A satellite's item 19: the culmination of its next pass, time and altitude.
void SetCulminationLine(const SkyContext& sky, const SatellitePass& pass,
                        std::vector<InfoLine>& lines) {
  const std::string text =
      pass.status == PassFound
          ? TimeOfDayText("Culminates at: ", EventAtInstant(sky, pass.culmination).timeOfDay) +
                PrintfText(", altitude %.1f%s", pass.culminationAltitude * RadToDeg, DegreeSign)
          : std::string("Culminates at: ");
  for (InfoLine& line : lines)
    if (line.item == InfoLine19Item) line.text = text;
}

}  // namespace

ChartPlace ObjectCoordinates(const ObjectRecord& object, const ApparentPlace& place,
                             const SkyContext& sky, int coordinateSystem) {
  ChartPlace chart = ChartPlaceOf(sky, VectorFromDirection(place.direction), coordinateSystem);
  if (object.kind == KindEarthSatellite && sky.viewer == 0) {
    // A satellite crosses the sky in minutes: its pass, not the day's place, gives the times.
    chart.pass = SatellitePassOf(object, sky);
    PassRiseSet(sky, chart.pass, chart.rise, chart.set);
    return chart;
  }
  RefineRiseSetTime(object, sky, RiseEvent, chart.rise);
  RefineRiseSetTime(object, sky, SetEvent, chart.set);
  return chart;
}

std::string FormatMagnitudeText(int kind, int magnitude, int faintest, int companion) {
  if (!Known(magnitude)) return "";
  const double m = magnitude / 100.0, f = faintest / 100.0, c = companion / 100.0;
  switch (kind) {
    case KindMultipleStar:
      return Known(companion) ? PrintfText("%+.2f, %+.2f", m, c) : PrintfText("%+.2f, ", m);
    case KindVariableStar:
      return Known(faintest) ? PrintfText("%+.2f - %+.2f", m, f) : PrintfText("%+.2f -", m);
    case KindMultipleVariableStar:
      if (Known(faintest))
        return Known(companion) ? PrintfText("%+.2f - %+.2f, %+.2f", m, f, c)
                                : PrintfText("%+.2f - %+.2f, ", m, f);
      return Known(companion) ? PrintfText("%+.2f - , %+.2f", m, c) : PrintfText("%+.2f - ,", m);
    default:
      return PrintfText("%+.2f", m);
  }
}

std::string DistanceText(double au) {
  if (!std::isfinite(au) || au < 0) return "Distance: ";
  if (au < 0.1) return PrintfText("Distance (km): %.0f", au * KmPerAu);
  if (au < 1e4) return PrintfText("Distance (AU): %.5f", au);
  if (au < 1e10) return PrintfText("Distance (pc): %.3f", au * ParsecsPerAu);
  return PrintfText("Distance (Mpc): %.2f", au * MegaparsecsPerAu);
}

bool RiseSetTexts(const RiseSet& rise, const RiseSet& set, std::string& riseText,
                  std::string& setText) {
  const double r = rise.timeOfDay, s = set.timeOfDay;
  if (rise.missed || set.missed) {
    riseText = rise.missed ? "Rises at: (no rise)" : TimeOfDayText("Rises at: ", r);
    setText = set.missed ? "Sets at: (no set)" : TimeOfDayText("Sets at: ", s);
  } else if (r == 0 && s == 0) {
    riseText = "Rises at: (doesn't rise)";
    setText = "Sets at: (doesn't rise)";
  } else if (r >= FullDay && s >= FullDay) {
    riseText = "Rises at: (doesn't set)";
    setText = "Sets at: (doesn't set)";
  } else if (r > 0 && s < FullDay) {
    riseText = TimeOfDayText("Rises at: ", r);
    setText = TimeOfDayText("Sets at: ", s);
  } else {
    return false;
  }
  return true;
}

std::vector<InfoLine> ObjectInfoLines(ObjectRecord& object, int system) {
  std::vector<InfoLine> lines;
  lines.push_back({InfoKindItem, PrintfText("Type: %s", KindName(object.kind))});
  if (!IsSkyObjectKind(object.kind) && !IsSolarSystemKind(object.kind)) return lines;
  EnsureCurrent(object);
  const ApparentPlace current = CachedPlace(object);
  const SkyContext& sky = CurrentSky();
  const ChartPlace place = ObjectCoordinates(object, current, sky, system);
  lines.push_back({InfoDistanceItem, DistanceText(current.distance)});
  const double epoch = sky.precessionEpoch;
  const CoordinateTexts equatorial = FormatCoordinates(CoordinatesEquatorial, place.ra, place.dec,
                                                       CoordinateLabelsAndValues, epoch);
  lines.push_back({InfoRightAscensionItem, equatorial.lon});
  lines.push_back({InfoDeclinationItem, equatorial.lat});
  std::string riseText, setText;
  if (RiseSetTexts(place.rise, place.set, riseText, setText)) {
    lines.push_back({InfoRiseItem, riseText});
    lines.push_back({InfoSetItem, setText});
  }
  const CoordinateTexts chart =
      FormatCoordinates(system, place.lon, place.lat, CoordinateLabelsAndValues, epoch);
  lines.push_back({InfoChartLonItem, chart.lon});
  lines.push_back({InfoChartLatItem, chart.lat});
  if (IsSkyObjectKind(object.kind))
    AddSkyObjectLines(object, current, lines);
  else
    AddBodyLines(object, current, lines);
  if (object.kind == KindEarthSatellite && sky.viewer == 0)
    SetCulminationLine(sky, place.pass, lines);
  return lines;
}

bool FillObjectInfo(WindowRef window, ObjectId id, int system) {
  ObjectRecord* object = id != 0 ? ObjectOfId(id) : nullptr;
  if (!object) return false;
  for (const InfoLine& line : ObjectInfoLines(*object, system))
    SetItemText(window, line.item, line.text.c_str());
  const bool hasTrail = FindTrail(id) != 0;
  EnableItem(window, InfoTrailOnItem, !hasTrail);
  EnableItem(window, InfoTrailOffItem, hasTrail);
  return true;
}

}  // namespace qv
