// objects/physical.h - what is shown of a solar-system body besides its place: apparent diameter,
// phase angle, position angle of the bright limb, magnitude, and the sub-observer point of its
// rotation model. Radians, AU, Julian dates (TT).
#pragma once

#include "astro/rotation.h"
#include "astro/skycontext.h"
#include "objects/bodies.h"
#include "objects/records.h"

namespace qv {

constexpr double SunRadiusAu = 0.004652;

// Indices of a body's physical values.
constexpr int PhysicalDiameter = 0, PhysicalPhaseAngle = 1, PhysicalBrightLimb = 2;

// ComputePhysicalQuantities: the place's physical values and magnitude from the body's apparent
// direction d (unit vector, viewer to body), its heliocentric result and its distance delta from
// the viewer. A moon in its primary's umbra gets phase angle pi and no magnitude.
void ComputePhysicalQuantities(const ObjectRecord& body, const SkyContext& sky, const Vector3& d,
                               const HeliocentricResult& r, double delta, ApparentPlace& place);

// Magnitude of a body record: its kind's formula with the record's magnitude parameters (for
// Saturn, the ring tilt from its rotation model at the context's JDE).
int16_t Magnitude(const ObjectRecord& body, const SkyContext& sky, const Vector3& d, double delta,
                  double r, double phase);

// PhysicalEphemeris: central longitude and latitude and the pole's position angle of a body of
// that kind at its place for the context (Jupiter in system II, Saturn in system III), at the
// light-time-retarded instant when light time is on.
SubObserverPoint PhysicalEphemeris(const SkyContext& sky, int kind, const ApparentPlace& place);

}  // namespace qv
