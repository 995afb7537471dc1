// chart/sky_link.cpp - the chart's view of the sky context and the store (see sky_link.h).
#include "chart/sky_link.h"

#include "app/settings.h"
#include "astro/apparent.h"
#include "astro/skycontext.h"
#include "objects/store.h"

namespace qv {

const Matrix3& ChartSystemMatrix(int system) { return SystemMatrix(system); }

Vector3 ChartZenith() {
  const Matrix3& h = Sky().horizonMatrix;
  return {h.m[2][0], h.m[2][1], h.m[2][2]};
}

double ChartSunAltitude() { return Sky().sunAltitude; }

bool ChartViewsFromEarth() { return Sky().viewer == 0; }

uint32_t ChartStarGeneration() { return Sky().starGeneration; }

double ChartPrecessionEpoch() { return Sky().precessionEpoch; }

LegendFacts ChartLegendFacts() {
  const SkyContext& sky = Sky();
  LegendFacts facts;
  facts.timeZoneDays = sky.zone;
  facts.precessionEpoch = sky.precessionEpoch;
  if (sky.viewer != 0) {
    if (const ObjectRecord* viewer = ObjectOfId(sky.viewer))
      facts.viewerName = DisplayName(*viewer);
    const double* offset = Settings().ViewerObjectOffset;
    facts.viewerDistance = Length({offset[0], offset[1], offset[2]});
  }
  return facts;
}

bool UpdatePlace(ObjectRecord& record) {
  if (!IsSkyObjectKind(record.kind) && !IsSolarSystemKind(record.kind)) return false;
  EnsureCurrent(record);
  return true;
}

}  // namespace qv
