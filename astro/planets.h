// astro/planets.h - where the solar-system bodies are: the heliocentric position of any body by
// its kind (series or elements for the Sun, planets and Moon; elements for comets, asteroids and
// spacecraft; the satellite model; the moon theories), and its apparent place for the viewer of
// the sky context, with light time and aberration. Radians, AU, Julian dates (TT).
#pragma once

#include "astro/vector.h"
#include "objects/records.h"

namespace qv {

constexpr double LightTimeTolerance = 1e-06;  // days
constexpr int LightTimeMaxSteps = 20;         // bound of the light-time loop
constexpr int PrimaryMaxDepth = 8;            // a chain of primaries longer than this is damage

struct HeliocentricResult {
  Vector3 position;     // J2000 equator, AU
  double distance = 0;  // from the Sun, AU
  bool hasPrimary = false;
  Vector3 primary;  // the primary's heliocentric position at the same time
};

// HeliocentricPosition: the body's position at jde (the context's JDE when called from the
// apparent place), with its primary's position added. A primary whose cached position is
// current is read from its record (unless cachedPrimaries is false: a time other than the
// context's), otherwise recomputed. Moons, the Earth's moon and Earth
// satellites whose record names no primary are placed about the first body of their planet's
// kind, or the planet's built-in position. A cycle of primaries is cut after PrimaryMaxDepth.
HeliocentricResult HeliocentricPosition(const ObjectRecord& body, double jde,
                                        bool cachedPrimaries = true);

// PreciseHeliocentricPosition: a major body's heliocentric J2000 equatorial position, AU, by
// the precise theories of the setting "VSOP87": VSOP87D for Mercury to Neptune and the Earth
// (astro/vsop87.h), Meeus' periodic terms for Pluto within 1885-2099 (astro/pluto.h); the Sun,
// the Moon (about the Earth) and Pluto outside those years by the VFP series; zeros for others.
Vector3 PreciseHeliocentricPosition(int kind, double jde);

// BuiltInHeliocentricPosition: a planet's (or the Sun's, or the Earth's moon's) position from the
// series alone, for a body the database lacks.
Vector3 BuiltInHeliocentricPosition(int kind, double jde);

// ComputeApparentPlace: the body's direction and distance from the viewer, heliocentric position,
// physical quantities and magnitude for the current sky context; primaries first. Stamps the
// record with the planet generation.
void ComputeApparentPlace(ObjectRecord& body);

}  // namespace qv
