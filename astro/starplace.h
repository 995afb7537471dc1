// astro/starplace.h - the apparent place of stars and deep-sky objects: proper motion, parallax
// for the viewer's position, the change of brightness with distance, aberration, all in the
// J2000 equator; precession and the chart frame follow as one matrix for the whole chart.
// Directions in 2^30 units (DirectionVector), distances in AU, magnitudes in hundredths.
#pragma once

#include "astro/vector.h"
#include "objects/records.h"

namespace qv {

// ComputeStarPlace: the record's current direction, distance and magnitude for the sky context,
// stamped with the star generation. A viewer standing at the object gives distance 0 and
// magnitude MagnitudeAtObserver.
void ComputeStarPlace(ObjectRecord& star);

// StarHeliocentricPosition: a star or deep-sky object as a viewing place: its position (AU) and
// distance from the Sun; without a known distance, its unit direction and +infinity.
Vector3 StarHeliocentricPosition(const ObjectRecord& star, double& distance);

}  // namespace qv
