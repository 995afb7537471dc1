// chart/sky_link.cpp - the chart's view of the sky context and the store (see sky_link.h).
#include "chart/sky_link.h"

#include "objects/apparent.h"
#include "objects/sky.h"
#include "objects/store.h"

namespace qv {

const Matrix3& ChartSystemMatrix(int system) { return SystemMatrix(CurrentSky(), system); }

Vector3 ChartZenith() { return Zenith(CurrentSky()); }

double ChartSunAltitude() { return CurrentSky().sunAltitude; }

double ChartHorizonAltitude() { return CurrentSky().settings.HorizonAltitude; }

bool ChartViewsFromEarth() { return CurrentSky().viewer == 0; }

uint32_t ChartStarGeneration() { return StarGeneration(); }

double ChartPrecessionEpoch() { return CurrentSky().precessionEpoch; }

LegendFacts ChartLegendFacts() {
  const SkyContext& sky = CurrentSky();
  LegendFacts facts;
  facts.observing = sky.settings;
  facts.timeZoneDays = sky.zone;
  facts.precessionEpoch = sky.precessionEpoch;
  if (sky.viewer != 0) {
    if (const ObjectRecord* viewer = ObjectOfId(sky.viewer))
      facts.viewerName = DisplayName(*viewer);
    const double* offset = sky.settings.ViewerObjectOffset;
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
