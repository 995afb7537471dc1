// settings/settings.cpp - the process-wide settings record and its built-in defaults.
#include "settings/settings.h"

#include "objects/sky.h"

namespace qv {

ChartSettings& Settings() {
  static ChartSettings settings = DefaultSettings(32);
  return settings;
}

ChartSettings DefaultSettings(int screenBitsPerPixel) {
  ChartSettings defaults;
  // Few colours cannot shade a rendered disk: draw small planets as symbols, with grids.
  const bool fewColors = screenBitsPerPixel <= 8;
  defaults.ShowPlanetSymbols = fewColors;
  defaults.ShowPlanetGrids = fewColors;
  defaults.ShowRenderedObjects = !fewColors;
  return defaults;
}

void SetDefaultSettings(int screenBitsPerPixel) {
  Settings() = DefaultSettings(screenBitsPerPixel);
}

void UpdateSkyContext() {
  ChartSettings& s = Settings();
  const SkyContext sky = MakeSkyContext(s);
  s.ViewerObject = sky.viewer;
  SetCurrentSky(sky);
}

}  // namespace qv
