// app/settings.cpp - the process-wide settings record and its built-in defaults.
#include "app/settings.h"

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

}  // namespace qv
