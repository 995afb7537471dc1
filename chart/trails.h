// chart/trails.h - the trail pass of the chart drawing: the recorded paths of chosen objects.
#pragma once

namespace qv {

// DrawTrails: called before the stars when stars, deep-sky objects or planets are shown. The
// trail renderer is not built yet: the pass draws nothing.
void DrawTrails();

}  // namespace qv
