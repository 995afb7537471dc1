// chart/planets.cpp - the planet pass (see planets.h). The disks, phases, rings and symbols of
// the solar-system bodies come with the planet renderer; until then the chart shows none.
#include "chart/planets.h"

namespace qv {

void DrawPlanets() {}

}  // namespace qv
