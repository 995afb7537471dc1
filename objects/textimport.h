// objects/textimport.h - object text lines: the tab-separated lines of the program's object text
// files, each of which describes one record.
//
// The first character of the first field selects the record, without regard to case:
//   "S"  star or deep-sky object (SkyObjectRecord): S<type>, epoch, R.A. h m s, Dec. d m s,
//        R.A. motion (s/yr), Dec. motion ("/yr), magnitudes, B-V, radial velocity (km/s),
//        distance (pc), size (" for stars, ' otherwise), name
//   "P"  orbit (OrbitRecord): P<kind>, equinox, semimajor axis (AU; negative: -q), e, i, w, W, M
//        (degrees), epoch y/m/d.d, two magnitude parameters, radius (km), mass (Earths), name,
//        name of the body it orbits
//   "C1" line between two named objects, "C2" line between two positions (LineRecord)
//   "L"  location (SiteRecord): longitude, latitude (degrees), altitude, time zone (h), name
// Lines are at most 1023 characters with at most 16 fields; a missing, empty or unreadable field
// keeps its default. Angles are converted to radians, magnitudes to hundredths, distances to AU.
#pragma once

#include <memory>
#include <string_view>

#include "objects/records.h"

namespace qv {

constexpr size_t ObjectLineSize = 1024;  // line buffer: 1023 characters

// ParseObjectLine: ResultOk with a record; ResultNotFound for a line of no record kind (it is
// skipped); ResultFailed when a line of a record kind gives no record - an object it names is
// not in memory (message 523 with that name) or its kind letter is followed by no known form.
int ParseObjectLine(std::string_view line, std::unique_ptr<ObjectRecord>& out);

}  // namespace qv
