// objects/starplace.h - the apparent place of stars and deep-sky objects: proper motion, parallax
// for the viewer's position, the change of brightness with distance, aberration, all in the
// J2000 equator; precession and the chart frame follow as one matrix for the whole chart.
// Directions in 2^30 units (DirectionVector), distances in AU, magnitudes in hundredths.
#pragma once

#include "astro/skycontext.h"
#include "objects/records.h"

namespace qv {

// StarPlace: the star's current direction, distance and magnitude for the context. A viewer
// standing at the object gives distance 0 and magnitude MagnitudeAtObserver (the direction is
// then the one the record holds).
ApparentPlace StarPlace(const ObjectRecord& star, const SkyContext& sky);

// ComputeStarPlace: StarPlace for the current sky, stored in the record and stamped with the
// star generation.
void ComputeStarPlace(ObjectRecord& star);

// StarHeliocentricPosition: a star or deep-sky object as a viewing place at the context's time:
// its position (AU) and distance from the Sun; without a known distance, its unit direction and
// +infinity.
Vector3 StarHeliocentricPosition(const ObjectRecord& star, const SkyContext& sky, double& distance);

}  // namespace qv
