// chart/trails.cpp - the trail pass (see trails.h). Trails are drawn by the trail renderer
// through the projected-line engine; until it is built the chart shows none.
#include "chart/trails.h"

namespace qv {

void DrawTrails() {}

}  // namespace qv
