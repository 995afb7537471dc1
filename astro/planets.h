// astro/planets.h - where a solar-system body is by its kind: the series or the elements for the
// Sun, the planets and the Moon; elements for comets, asteroids and spacecraft; the satellite
// model; the moon theories. Positions are geometric, J2000 equator, AU; times are JDE.
#pragma once

#include "astro/kepler.h"
#include "astro/observing.h"
#include "astro/vector.h"

namespace qv {

constexpr double LightTimeTolerance = 1e-06;  // days
constexpr int LightTimeMaxSteps = 20;         // bound of the light-time loop

// PreciseHeliocentricPosition: a major body's heliocentric J2000 equatorial position, AU, by
// the precise theories of the setting "VSOP87": VSOP87D for Mercury to Neptune and the Earth
// (astro/vsop87.h), Meeus' periodic terms for Pluto within 1885-2099 (astro/pluto.h); the Sun,
// the Moon (about the Earth) and Pluto outside those years by the VFP series; zeros for others.
Vector3 PreciseHeliocentricPosition(int kind, double jde);

// BuiltInHeliocentricPosition: a planet's (or the Sun's, or the Earth's moon's) position from the
// series alone, for a body the database lacks.
Vector3 BuiltInHeliocentricPosition(int kind, double jde);

// OwnPosition: the body's position at t from its kind and elements, about its planet for the
// Earth's moon, the planetary moons and Earth satellites, about the Sun for the others. The Sun,
// the planets and the Moon follow PlanetComputation (their elements only for PlanetElements),
// Earth satellites SatelliteModel.
Vector3 OwnPosition(int kind, const OrbitalElements& elements, const ObservingSettings& settings,
                    double t);

// ParentKindOf: the planet a moon belongs to by its kind, the Earth for the Moon and satellites;
// 0 for bodies that orbit the Sun.
int ParentKindOf(int kind);

}  // namespace qv
