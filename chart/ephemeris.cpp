// chart/ephemeris.cpp - the ephemeris table (ephemeris.h).
#include "chart/ephemeris.h"

#include <array>
#include <cmath>
#include <iterator>
#include <limits>

#include "astro/angles.h"
#include "astro/constants.h"
#include "chart/object_info.h"
#include "generated/string_numbers.h"
#include "objects/apparent.h"
#include "objects/physical.h"
#include "objects/printf_text.h"
#include "objects/sky.h"
#include "objects/store.h"
#include "objects/textformat.h"
#include "platform/alert.h"
#include "platform/files.h"
#include "platform/progress.h"
#include "platform/result.h"
#include "platform/strings.h"

namespace qv {
namespace {

constexpr const char* DegreeSign = "\u00b0";

// An unknown value leaves its column blank rather than print a number that is not one.
std::string KnownOrBlank(bool known, const char* format, double value) {
  return known ? PrintfText(format, value) : PrintfText("%10s", "");
}

// The header: the object and the viewpoint of the chart's sky.
std::string HeaderText(const ObjectRecord& object, const SkyContext& sky) {
  const ObservingSettings& s = sky.settings;
  std::string text = "Ephemeris for: " + DisplayName(object) + "\n\n";
  if (sky.viewer != 0) {
    const ObjectRecord* viewer = ObjectOfId(sky.viewer);
    return text + "Viewed from: " + (viewer ? DisplayName(*viewer) : std::string()) + "\n";
  }
  text += "Viewed from: " + s.ViewerSiteName + "\n";
  text +=
      "East Longitude: " + FormatAngleText(s.ViewerLongitude * RadToDeg, "%c%03hd %02hd %02.0f") +
      "\n";
  text +=
      "North Latitude:  " + FormatAngleText(s.ViewerLatitude * RadToDeg, "%c%02hd %02hd %02.0f") +
      "\n";
  text += PrintfText("Altitude: %.1f m\n", s.ViewerAltitude);
  return text + PrintfText("Time Zone: %+.1f hrs\n\n", sky.zone * 24.0);
}

// The date, the equatorial labels, distance and magnitude: the first five columns' headers.
std::string PlaceHeaders(bool body, const SkyContext& sky, int system) {
  const CoordinateTexts equatorial =
      FormatCoordinates(CoordinatesEquatorial, 0, 0, CoordinateLabels, sky.precessionEpoch);
  const CoordinateTexts chart =
      FormatCoordinates(system, 0, 0, CoordinateLabels, sky.precessionEpoch);
  return PrintfText("%20s\t%15s\t%15s\t%10s\t%10s\t%15s\t%15s\t%5s\t%5s",
                    body ? "Date:      Time:   " : "Date:       Time:    ", equatorial.lon.c_str(),
                    equatorial.lat.c_str(),
                    body ? "Dist(AU):" : "Dist(pc):", "Mag:", chart.lon.c_str(), chart.lat.c_str(),
                    "Rises:", "Sets:");
}

std::string ColumnHeaders(const ObjectRecord& object, const SkyContext& sky, int system) {
  if (IsSolarSystemKind(object.kind)) {
    return PlaceHeaders(true, sky, system) + PrintfText("\t%10s\t%10s", "Size(\"):", "Illum:") +
           PrintfText("\t%7s%s%s\t%7s%s%s\t%7s%s%s\n", "L0(", DegreeSign, "):", "B0(", DegreeSign,
                      "):", "PN(", DegreeSign, "):");
  }
  return PlaceHeaders(false, sky, system) +
         PrintfText("\t%10s\t%10s\t%10s\n", "\u00b5RA(s):", "\u00b5Dec(\"):", "RV(kps):");
}

std::string TimeOfDayText(const RiseSet& event) {
  if (event.missed) return std::string();  // a day without that event has no time
  const double hours = event.timeOfDay * RadToHours;
  const int whole = static_cast<int>(hours);
  const int minutes = static_cast<int>((hours - whole) * 60.0);
  return PrintfText("%02hd:%02hd", static_cast<short>(whole), static_cast<short>(minutes));
}

// One row's sky: the object's place, the context and the chart's coordinate system.
struct RowSky {
  const ObjectRecord& object;
  const ApparentPlace& place;
  const SkyContext& sky;
  int system;
};

// The columns every kind shares: date, place, distance, magnitude, chart place, rise and set.
std::string PlaceColumns(const RowSky& at, bool body) {
  const ChartPlace place = ObjectCoordinates(at.object, at.place, at.sky, at.system);
  const ObservingSettings& s = at.sky.settings;
  const CoordinateTexts equatorial = FormatCoordinates(CoordinatesEquatorial, place.ra, place.dec,
                                                       CoordinateValues, at.sky.precessionEpoch);
  const CoordinateTexts chart =
      FormatCoordinates(at.system, place.lon, place.lat, CoordinateValues, at.sky.precessionEpoch);
  const double distance = at.place.distance;
  const int magnitude = at.place.magnitude;
  const bool knownMagnitude = magnitude != UnknownMagnitude && magnitude != MagnitudeAtObserver;
  return PrintfText("%20s\t%15s\t%15s\t",
                    FormatDateTime(s.JulianDate, at.sky.zone, s.CalendarSystem).c_str(),
                    equatorial.lon.c_str(), equatorial.lat.c_str()) +
         KnownOrBlank(std::isfinite(distance), body ? "%10.5f" : "%10.2f",
                      body ? distance : distance * ParsecsPerAu) +
         "\t" + KnownOrBlank(knownMagnitude, "%10.1f", magnitude / 100.0) +
         PrintfText("\t%15s\t%15s\t", chart.lon.c_str(), chart.lat.c_str()) +
         TimeOfDayText(place.rise) + "\t" + TimeOfDayText(place.set);
}

std::string BodyRow(const RowSky& at) {
  std::string row = PlaceColumns(at, true);
  const std::array<float, 3>& physical = at.place.physical;
  const SubObserverPoint sub = PhysicalEphemeris(at.sky, at.object.kind, at.place);
  const double columns[] = {physical[PhysicalDiameter] * ArcsecondsPerRadian,
                            (1 + std::cos(physical[PhysicalPhaseAngle])) / 2,
                            sub.longitude * RadToDeg, sub.latitude * RadToDeg,
                            sub.poleAngle * RadToDeg};
  const char* const formats[] = {"%10.1f", "%10.4f", "%10.1f", "%+10.1f", "%10.1f"};
  for (size_t k = 0; k < std::size(columns); ++k)
    row += "\t" + KnownOrBlank(std::isfinite(columns[k]), formats[k], columns[k]);
  return row + "\n";
}

std::string SkyObjectRow(const RowSky& at) {
  std::string row = PlaceColumns(at, false);
  const SkyObjectRecord& sky = *SkyObjectOf(at.object);
  const SphericalRates rates =
      RectangularToSphericalWithRates({VectorFromDirection(sky.position), MotionPerDay(sky)});
  return row +
         PrintfText("\t%+10.4f\t%+10.3f\t", rates.dlon * TimeSecondsPerYearPerRadianPerDay,
                    rates.dlat * ArcsecondsPerYearPerRadianPerDay) +
         KnownOrBlank(std::isfinite(sky.radialVelocity), "%+10.1f",
                      sky.radialVelocity * KmPerSecondPerAuPerDay) +
         "\n";
}

// WriteRows: the rows, each computed for a sky context of its own date.
int WriteRows(const EphemerisText& write, const ObjectRecord& object, ObservingSettings at,
              int system, JulianDate start, double step, int64_t rows) {
  if (rows == 0) return ResultOk;
  const bool progress =
      OpenProgress(static_cast<double>(rows), 0, 1, 0, GetString(StringWritingEphemeris),
                   GetString(StringProgramTitle), true);
  int result = ResultOk;
  for (int64_t i = 0; i < rows && result == ResultOk; ++i) {
    at.JulianDate = start + static_cast<double>(i) * step;
    const SkyContext sky = MakeSkyContext(at);
    const ApparentPlace place = PlaceAt(object, sky);
    const RowSky row{object, place, sky, system};
    if (!write(IsSolarSystemKind(object.kind) ? BodyRow(row) : SkyObjectRow(row)))
      result = ResultWriteError;
    else if (progress && UpdateProgress(static_cast<double>(i + 1)) == 0)
      result = ResultCancelled;
  }
  if (progress) CloseProgress();
  return result;
}

}  // namespace

int64_t EphemerisRowCount(JulianDate start, JulianDate end, double step) {
  if (!(step > 0) || !std::isfinite(step) || !std::isfinite(start) || !std::isfinite(end))
    return -1;
  if (start > end + EphemerisEndTolerance) return 0;
  const double rows = std::floor((end + EphemerisEndTolerance - start) / step) + 1;
  // A tiny step gives more rows than an integer holds: as many as one can count.
  constexpr auto most = std::numeric_limits<int64_t>::max();
  return rows < static_cast<double>(most) ? static_cast<int64_t>(rows) : most;
}

int WriteEphemeris(const EphemerisText& write, const ObjectRecord& object,
                   const ObservingSettings& settings, int system, JulianDate start, JulianDate end,
                   double step) {
  const int64_t rows = EphemerisRowCount(start, end, step);
  if (rows < 0 || !(IsSolarSystemKind(object.kind) || IsSkyObjectKind(object.kind)))
    return ResultFailed;
  ObservingSettings first = settings;
  first.JulianDate = start;  // the header's zone and equinox are the first row's
  const SkyContext now = MakeSkyContext(first);
  if (!write(HeaderText(object, now)) || !write(ColumnHeaders(object, now, system)))
    return ResultWriteError;
  return WriteRows(write, object, settings, system, start, step, rows);
}

int WriteEphemerisFile(const std::string& path, const ObjectRecord& object,
                       const ObservingSettings& settings, int system, JulianDate start,
                       JulianDate end, double step) {
  if (EphemerisRowCount(start, end, step) < 0) return ResultFailed;
  FileHandle file = OpenFileForReplace(path, "TEXT", "ttxt");
  if (!file) {
    Caution(ButtonsOk, MessageCannotCreateFile, GetFileTitle(path).c_str());
    return ResultOpenError;
  }
  PlatformFile& out = *file;
  const int result = WriteEphemeris([&out](std::string_view text) { return WriteBytes(out, text); },
                                    object, settings, system, start, end, step);
  if (result == ResultFailed) return result;
  if (result == ResultWriteError || CommitReplacedFile(std::move(file)) != ResultOk) {
    Caution(ButtonsOk, MessageCannotWrite, GetFileTitle(path).c_str());
    return ResultWriteError;
  }
  return result;
}

}  // namespace qv
