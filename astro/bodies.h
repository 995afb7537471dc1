// astro/bodies.h - the kind numbers of the solar-system bodies as the position code dispatches on
// them (the kind byte of an orbit record). 1-38 is a solar-system body.
#pragma once

namespace qv::body {

constexpr int Sun = 1, Mercury = 2, Venus = 3, Earth = 4, Mars = 5, Jupiter = 6, Saturn = 7,
              Uranus = 8, Neptune = 9, Pluto = 10;
constexpr int Comet = 11, Asteroid = 12, Spacecraft = 13, EarthSatellite = 14, Moon = 15;
constexpr int Phobos = 16, Deimos = 17;
constexpr int Io = 18, Europa = 19, Ganymede = 20, Callisto = 21;
constexpr int Mimas = 22, Enceladus = 23, Tethys = 24, Dione = 25, Rhea = 26, Titan = 27,
              Hyperion = 28, Iapetus = 29, Phoebe = 30;
constexpr int Miranda = 31, Ariel = 32, Umbriel = 33, Titania = 34, Oberon = 35;
constexpr int Triton = 36, Nereid = 37, Charon = 38;
constexpr int LastSolarSystem = 38;

constexpr bool IsPlanetaryMoon(int kind) { return kind >= Phobos && kind <= Charon; }

}  // namespace qv::body
