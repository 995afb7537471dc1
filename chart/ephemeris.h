// chart/ephemeris.h - the ephemeris table: one object's place and circumstances from a start date
// to an end date at a fixed step, as seen from the viewpoint of the observing settings, as
// tab-separated text, its coordinates in the equator and in the chart's coordinate system.
//
//   Ephemeris for: Mars
//
//   Viewed from: Greenwich                 (a viewer object: only this line, with its name)
//   East Longitude: +000 00 00
//   North Latitude:  +51 28 38
//   Altitude: 0.0 m
//   Time Zone: +0.0 hrs
//
//   column headers, then one row a date (bodies: place, distance in AU, magnitude, chart
//   coordinates, rise and set, size, illumination, central longitude and latitude, the pole's
//   position angle; stars and deep-sky objects: place, distance in pc, magnitude, chart
//   coordinates, rise and set, proper motions, radial velocity)
//
// Each row is computed for a sky context of its own date made from the settings, so every
// correction of the settings applies; the chart's sky and every cached position stay as they are.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "astro/observing.h"
#include "astro/time.h"
#include "objects/records.h"

namespace qv {

// Rows run at start + i * step for i = 0, 1, ... while at or before end; a row within
// EphemerisEndTolerance after end still counts, so a range the step divides always ends on
// its end date although the dates are not exact binary fractions.
constexpr double EphemerisEndTolerance = 1e-6;  // days, about 0.09 s

// EphemerisRowCount: the number of rows (at most INT64_MAX); 0 when start is after end, -1 when
// the step is not a positive number or a date is not finite.
int64_t EphemerisRowCount(JulianDate start, JulianDate end, double step);

// EphemerisText: false when the text could not be written (the table stops there).
using EphemerisText = std::function<bool(std::string_view text)>;

// WriteEphemeris: the header (the viewpoint of the settings, the time zone and equinox of the
// start date), the column headers and the rows, with a cancellable progress box
// (510) while the rows are computed. ResultOk; ResultCancelled when the user stopped it (the
// rows so far are written); ResultFailed for a step or dates EphemerisRowCount refuses
// (nothing written); ResultWriteError when write failed.
int WriteEphemeris(const EphemerisText& write, const ObjectRecord& object,
                   const ObservingSettings& settings, int coordinateSystem, JulianDate start,
                   JulianDate end, double step);

// WriteEphemerisFile: WriteEphemeris into a text file (type "TEXT", creator "ttxt"). The file is
// replaced only by a complete table (or, after Cancel, the rows written so far): an old file
// stays whole on any failure. Caution 257 with the file's title when it cannot be created, 259
// when it cannot be written.
int WriteEphemerisFile(const std::string& path, const ObjectRecord& object,
                       const ObservingSettings& settings, int coordinateSystem, JulianDate start,
                       JulianDate end, double step);

}  // namespace qv
