// app/settings.h - the settings record: every option of the chart and of the computation, the
// viewpoint, the chart's time, colours, font, animation and telescope, in one process-wide record.
//
// The one instance is reached with Settings(); every subsystem reads it directly, menu commands and
// dialogs change it and then refresh the chart. Fields are named by their settings-file keys
// (app/settings_file.h reads and writes them). Units in memory: angles in radians, times as
// Julian dates or days, distances in AU, altitudes in metres, magnitudes in hundredths
// (NoMagnitudeLimit where a limit may be absent). The generation counters by which cached
// positions go stale belong to SkyContext (astro/), not to this record.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "astro/constants.h"
#include "astro/time.h"  // CalendarKind, SiteNameMaxLength
#include "platform/draw.h"
#include "telescope/telescope_options.h"  // TelescopeKind

namespace qv {

using ObjectId = uint32_t;  // as objects/records.h: file number x 16384 + index; 0 = none

constexpr int16_t NoMagnitudeLimit = 32767;  // the unknown magnitude: a limit that is absent

constexpr size_t FontFaceMaxLength = 31;
constexpr size_t DescriptionMaxLength = 32767;

enum PlanetTheory : uint8_t {
  PlanetElements = 1,  // osculating elements
  PlanetVFP = 2,
  PlanetVSOP87 = 3,  // computed as VFP
};

enum Projection : int16_t {
  ProjectionPlanar = 1,
  ProjectionSpherical = 2,
  ProjectionLambert = 3,
  ProjectionMercator = 4,
  ProjectionMollweide = 5,
};

enum CoordinateSystem : int16_t {
  CoordinatesEquatorial = 1,
  CoordinatesEcliptic = 2,
  CoordinatesGalactic = 3,
  CoordinatesHorizon = 4,
};

enum SkyBackgroundKind : int16_t { SkyBlack = 1, SkyWhite = 2, SkyColor = 3 };

enum AnimationMode : int16_t { AnimationOff = 1, AnimationBackward = 2, AnimationForward = 3 };

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
};
constexpr int ColorItemCount = 19;  // table size: items 1-18, entry 0 unused

// The chart font; Style holds the FontStyleBits of platform/draw.h.
struct FontSetting {
  std::string Face = DefaultFontFace;  // at most FontFaceMaxLength characters
  int16_t Size = DefaultFontSize;      // cell height in pixels
  int16_t Style = 0;
};

constexpr double SettingsDegrees(double degrees) { return degrees * SettingsDegToRad; }

struct ChartSettings {
  // Viewpoint and time.
  ObjectId ViewerObject = 0;                 // 0: viewing from the Earth site
  double ViewerObjectOffset[3] = {0, 0, 0};  // AU from the viewer object's centre
  std::string ViewerSiteName;                // at most SiteNameMaxLength characters
  double ViewerLongitude = 0;                // east positive
  double ViewerLatitude = 0;                 // north positive
  double ViewerAltitude = 0;                 // metres
  double TimeZone = 0;                       // days east of Greenwich
  double JulianDate = J2000;                 // replaced by the present time at start-up
  CalendarKind CalendarSystem = CalendarGregorian;
  bool DynamicTime = false;  // JulianDate is dynamical time, not UT
  bool DaylightSavingsTime = true;

  // Computation.
  bool StarParallax = true;
  double StarParallaxThreshold = 1000;  // AU from the Sun beyond which parallax applies
  bool StarMotion = true;
  double StarMotionThreshold = 365250;  // days from J2000 beyond which motion applies
  PlanetTheory PlanetComputation = PlanetVFP;
  bool PlanetLightTime = false;
  double PrecessionEpoch = J2000;  // the fixed epoch, a Julian date
  bool Precession = true;          // true: current epoch; false: PrecessionEpoch
  bool Nutation = false;
  bool Aberration = false;
  bool Refraction = false;
  bool PreciseRiseSetTimes = true;
  double HorizonAltitude = 0;  // altitude of the horizon for rise and set

  // Chart.
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
  bool ShowChartLegend = true;
  bool ShowMouseCoordinates = false;
  bool ShowChartControls = true;
  double ChartScrollRate = 36;  // one scroll step is 1/rate of the field
  double ChartZoomFactor = 2;
  bool ShowGridLines = false;
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
  };
  FontSetting ChartWindowsFont;
  AnimationMode AnimationState = AnimationOff;
  double AnimationTimeStep = 1.0;  // days; 0 = real time

  // Telescope.
  TelescopeKind TelescopeInterface = TelescopeLX200;
  bool TelescopeEmulated = false;
  int16_t TelescopeConnectionPort = 1;  // 1-based position in the serial port list
  int16_t TelescopeUpdatesPerSec = 4;
  int32_t TelescopeLonEncoderSteps = 2160;  // steps per revolution, signed
  int32_t TelescopeLatEncoderSteps = 2160;
  bool TelescopeEncodersSwapped = false;
  bool ShowTelescopeFinderField = true;
  bool ShowTelescopeEyepieceField = true;
  bool ShowTelescopeCameraField = true;
  double TelescopeFinderFieldWidth = SettingsDegrees(3);
  double TelescopeEyepeiceFieldWidth = SettingsDegrees(1);
  double TelescopeCameraFieldWidth = SettingsDegrees(0.25);
  double TelescopeCameraFieldHeight = SettingsDegrees(1.0 / 6.0);

  // Not saved in settings files.
  bool ConstellationEditing = false;
  int16_t GridSegmentsPerCircle = 72;  // edited in the Symbols & Grids dialog
  int16_t TelescopeMountType = 1;      // 1 equatorial, 2 alt-azimuth
  bool TelescopeConnected = false;
  bool TelescopeShowFields = false;
  bool TelescopeStayCentered = false;
  bool TelescopeTrackMovingTargets = false;
  double TelescopeRightAscension = 0;  // the telescope's last position, J2000
  double TelescopeDeclination = 0;
  std::string Description;     // at most DescriptionMaxLength bytes, CR LF lines
  std::string SettingsPath;    // the current settings file; empty = none
  uint32_t RedrawCounter = 0;  // the chart's drawings so far
};

// Settings: the process-wide record. It holds DefaultSettings(32) until SetDefaultSettings runs.
ChartSettings& Settings();

// DefaultSettings: the built-in defaults for a screen of that many bits per pixel. At most 8 bits
// draw small planets as symbols with grids instead of rendered disks.
ChartSettings DefaultSettings(int screenBitsPerPixel);

// SetDefaultSettings: Settings() = DefaultSettings(screenBitsPerPixel); run once at start-up,
// before the chart window exists.
void SetDefaultSettings(int screenBitsPerPixel);

}  // namespace qv
