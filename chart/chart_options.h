// chart/chart_options.h - the chart options: projection, coordinate system and field, what is
// drawn and down to which magnitudes, colours and the font. They are the part of the settings
// record (ChartSettings) that the chart is drawn from; the settings file names each field by its
// key. Angles in radians, magnitudes in hundredths (NoMagnitudeLimit where a limit may be absent).
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "astro/constants.h"
#include "astro/frames.h"
#include "astro/kinds.h"
#include "platform/draw.h"

namespace qv {

constexpr int16_t NoMagnitudeLimit = 32767;  // the unknown magnitude: a limit that is absent

constexpr size_t FontFaceMaxLength = 31;

enum Projection : int16_t {
  ProjectionPlanar = 1,
  ProjectionSpherical = 2,
  ProjectionLambert = 3,
  ProjectionMercator = 4,
  ProjectionMollweide = 5,
};

enum SkyBackgroundKind : int16_t { SkyBlack = 1, SkyWhite = 2, SkyColor = 3 };

// The chart colours, numbered by the Draw > Custom Colors menu item that edits each; the colour
// table is indexed by these numbers. Items 4, 7 and 13 are menu separators and have no colour.
enum ColorItem : int {
  StarColor = 1,
  PlanetColor = 2,
  DeepSkyObjectColor = 3,
  ConstellationsColor = 5,
  ConstellationBoundariesColor = 6,
  RADecGridColor = 8,
  EquatorColor = 9,
  EclipticColor = 10,
  GalacticEquatorColor = 11,
  HorizonColor = 12,
  DaytimeSkyColor = 14,
  CivilTwilightSkyColor = 15,
  NauticalTwilightSkyColor = 16,
  AstronomicalTwilightSkyColor = 17,
  NightSkyColor = 18,
  MilkyWayColor = 19,
};
constexpr int ColorItemCount = 20;  // table size: items 1-19, entry 0 unused

// The chart font; Style holds the FontStyleBits of platform/draw.h.
struct FontSetting {
  std::string Face = DefaultFontFace;  // at most FontFaceMaxLength characters
  int16_t Size = DefaultFontSize;      // cell height in pixels
  int16_t Style = 0;
};

constexpr double SettingsDegrees(double degrees) { return degrees * SettingsDegToRad; }

struct ChartOptions {
  Projection ChartProjection = ProjectionLambert;
  CoordinateSystem ChartCoordinateSystem = CoordinatesHorizon;
  ObjectId CenteredObject = 0;
  double ChartCenterLongitude = 0;  // in the chart's coordinate system
  double ChartCenterLatitude = QuarterPi;
  double ChartFieldRotation = 0;
  double ChartFieldWidth = Pi;
  bool ChartInvertedHorizontally = false;
  bool ChartInvertedVertically = false;
  bool ShowStars = true;
  bool ShowStarColors = true;
  bool ShowLargeStars = false;
  bool ShowMultipleStars = false;
  bool ShowVariableStars = false;
  bool ShowPlanets = true;
  bool ShowPlanetSymbols = false;  // defaults depend on the screen: DefaultSettings
  bool ShowPlanetGrids = false;
  double PlanetMagnification = 1.0;
  bool ShowRenderedObjects = true;
  bool ShowDeepSkyObjects = true;
  bool ShowConstellations = true;
  bool ShowConstellationFigures = true;
  bool ShowConstellationBoundaries = true;
  bool ShowConstellationLabels = true;
  bool ShowObjectLabels = false;
  bool AvoidLabelOverlap = true;  // labels keep off each other and off star disks
  bool ShowChartLegend = true;
  bool ShowMouseCoordinates = false;
  bool ShowChartControls = true;
  double ChartScrollRate = 36;  // one scroll step is 1/rate of the field
  double ChartZoomFactor = 2;
  bool ShowGridLines = false;
  bool ShowMilkyWay = true;
  bool ShowGridLabels = true;
  bool ShowEquator = false;
  bool ShowEcliptic = false;
  bool ShowGalacticEquator = false;
  bool ShowHorizonLine = true;
  bool ShowHorizonMask = true;
  bool ShowRADecGrid = true;
  double GridRAInterval = SettingsDegrees(15);  // one hour
  double GridDecInterval = SettingsDegrees(10);
  int16_t BrightestStarMagnitude = 50;  // hundredths of a magnitude
  int16_t FaintestStarMagnitude = 550;
  int16_t FaintestStarLabelMagnitude = 350;  // these and below: NoMagnitudeLimit allowed
  int16_t FaintestPlanetMagnitude = 850;
  int16_t FaintestPlanetLabelMagnitude = 850;
  int16_t FaintestDeepSkyLabelMagnitude = 1050;
  int16_t FaintestOpenClusterMagnitude = 650;  // the limits of object kinds 61 to 65
  int16_t FaintestGlobularClusterMagnitude = 750;
  int16_t FaintestDiffuseNebulaMagnitude = 950;
  int16_t FaintestPlanetaryNebulaMagnitude = 950;
  int16_t FaintestGalaxyMagnitude = 950;
  bool AutomaticMagnitudeLimits = true;
  bool ShowColors = true;
  bool RedScreen = false;
  SkyBackgroundKind SkyBackground = SkyBlack;
  std::array<Color, ColorItemCount> Colors = {
      0,                         // no item 0
      MakeColor(127, 127, 127),  // StarColor
      MakeColor(255, 255, 255),  // PlanetColor
      MakeColor(127, 127, 127),  // DeepSkyObjectColor
      0,                         // separator
      MakeColor(0, 127, 0),      // ConstellationsColor
      MakeColor(0, 72, 0),       // ConstellationBoundariesColor
      0,                         // separator
      MakeColor(127, 127, 127),  // RADecGridColor
      MakeColor(255, 255, 255),  // EquatorColor
      MakeColor(255, 255, 0),    // EclipticColor
      MakeColor(0, 0, 255),      // GalacticEquatorColor
      MakeColor(255, 0, 0),      // HorizonColor
      0,                         // separator
      MakeColor(127, 255, 255),  // DaytimeSkyColor
      MakeColor(0, 0, 255),      // CivilTwilightSkyColor
      MakeColor(0, 0, 127),      // NauticalTwilightSkyColor
      MakeColor(0, 0, 63),       // AstronomicalTwilightSkyColor
      MakeColor(0, 0, 0),        // NightSkyColor
      MakeColor(64, 64, 88),     // MilkyWayColor: its brightest level
  };
  FontSetting ChartWindowsFont;
  int16_t GridSegmentsPerCircle = 72;  // not saved; edited in the Symbols & Grids dialog
};

}  // namespace qv
