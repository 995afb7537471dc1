// telescope/equator_of_date.h - telescope positions and the frame the mounts work in. The
// program works in J2000; command-set mounts point in the mean equator and equinox of the chart's
// date, so every position crosses the IAU 1976 precession (astro/frames.h) between the two.
#pragma once

namespace qv {

// EquatorialPosition: right ascension in [0, 2 pi) and declination, radians.
struct EquatorialPosition {
  double ra = 0, dec = 0;
};

// J2000ToEquatorOfDate / EquatorOfDateToJ2000: jde is the chart's dynamical time. The two are
// exact inverses (the rotation and its transpose).
EquatorialPosition J2000ToEquatorOfDate(const EquatorialPosition& p, double jde);
EquatorialPosition EquatorOfDateToJ2000(const EquatorialPosition& p, double jde);

// PositionsDiffer: R.A. (across 0h) or Dec. differ by more than limit radians.
bool PositionsDiffer(const EquatorialPosition& a, const EquatorialPosition& b, double limit);

}  // namespace qv
