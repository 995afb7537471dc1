// objects/orbit_elements.h - the element set of an orbit record as the position code reads it, and
// the entry of elements referred to another equinox (the Edit Planet dialog). Radians, AU, Julian
// dates; the record keeps its epoch as a Modified Julian Date and its magnitude parameters in
// hundredths.
#pragma once

#include "astro/kepler.h"
#include "objects/records.h"

namespace qv {

constexpr double ModifiedJulianDateOffset = 2400000.5;

// ElementsOfRecord: the record's elements widened to doubles, the epoch as a Julian date.
OrbitalElements ElementsOfRecord(const OrbitRecord& orbit);

// Elements as the user enters and reads them: referred to the ecliptic and equinox of a year
// (2000 = J2000), the epoch a Julian date, magnitude parameters in magnitudes (+infinity: none).
struct ElementEntry {
  double equinoxYear = 2000;
  double epoch = 0;
  double q = 0, e = 0, i = 0, omega = 0, node = 0, m = 0;
  double magnitude1 = 0, magnitude2 = 0;
};

// StoreElementEntry: turns the orientation to J2000 (unless the year is 2000), stores the epoch
// as an MJD, the mean motion for mu (AU^3/day^2; GaussK2 x (parent mass + body mass) for a
// body with a parent), clears the derivatives and rates, and stores the magnitude parameters.
void StoreElementEntry(const ElementEntry& entry, double mu, OrbitRecord& orbit);

// ShowElementEntry: the reverse, for the equinox of the year given.
ElementEntry ShowElementEntry(const OrbitRecord& orbit, double equinoxYear);

}  // namespace qv
