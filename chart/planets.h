// chart/planets.h - the planet and moon pass of the chart drawing: the Sun, the Moon, the
// planets and their moons, comets, asteroids and satellites of the store.
#pragma once

namespace qv {

// DrawPlanets: called after the stars and deep-sky objects when ShowPlanets is on. The planet
// renderer is not built yet: the pass draws nothing.
void DrawPlanets();

}  // namespace qv
