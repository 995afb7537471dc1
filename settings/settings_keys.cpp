// settings/settings_keys.cpp - the table of settings keys and their value conversions.
#include "settings/settings_keys.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <type_traits>

#include "objects/decimal_text.h"
#include "platform/result.h"
#include "settings/settings_objects.h"
#include "settings/telescope_settings.h"

namespace qv {
namespace {

template <auto Field>
using FieldType = std::remove_reference_t<decltype(std::declval<ChartSettings&>().*Field)>;

std::string WholeText(long value, const char* format = "%ld") {
  char text[32];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

template <typename T>
T ParseWholeOf(std::string_view value) {
  return static_cast<T>(
      ParseWhole(value, std::numeric_limits<T>::min(), std::numeric_limits<T>::max()));
}

// SkipPastComma: drops text up to and including the first comma at or after from (all of it
// when there is none).
void SkipPastComma(std::string_view& text, size_t from) {
  const size_t comma = text.find(',', from);
  text.remove_prefix(comma == std::string_view::npos ? text.size() : comma + 1);
}

bool IsBlankText(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\t'; });
}

// ---- Value kinds: each makes the write and read functions of one key -----------------------

template <auto Field>
constexpr SettingsKey Flag(const char* name) {
  return {name, [](const ChartSettings& s) { return WholeText(s.*Field ? 1 : 0); },
          [](ChartSettings& s, std::string_view v) {
            s.*Field = ParseWhole(v, INT64_MIN, INT64_MAX) != 0;
            return static_cast<int>(ResultOk);
          }};
}

template <auto Field, bool Sign = false>
constexpr SettingsKey Whole(const char* name) {
  return {name, [](const ChartSettings& s) { return WholeText(s.*Field, Sign ? "%+ld" : "%ld"); },
          [](ChartSettings& s, std::string_view v) {
            s.*Field = ParseWholeOf<FieldType<Field>>(v);
            return static_cast<int>(ResultOk);
          }};
}

// Text: a line of text, cut to MaxBytes on reading.
template <auto Field, size_t MaxBytes>
constexpr SettingsKey Text(const char* name) {
  return {name, [](const ChartSettings& s) { return s.*Field; },
          [](ChartSettings& s, std::string_view v) {
            s.*Field = CutText(v, MaxBytes);
            return static_cast<int>(ResultOk);
          }};
}

template <auto Field, int Precision>
constexpr SettingsKey Decimal(const char* name) {
  return {name, [](const ChartSettings& s) { return FormatFixed(s.*Field, Precision); },
          [](ChartSettings& s, std::string_view v) {
            s.*Field = ParseDecimal(v);
            return static_cast<int>(ResultOk);
          }};
}

// Angles: radians in memory, degrees in the file, converted with the settings' own factor.
template <auto Field, int Precision, bool Sign = false, int Width = 0>
constexpr SettingsKey Angle(const char* name) {
  return {name,
          [](const ChartSettings& s) {
            return FormatFixed(s.*Field / SettingsDegToRad, Precision, Sign, Width);
          },
          [](ChartSettings& s, std::string_view v) {
            s.*Field = ParseDecimal(v) * SettingsDegToRad;
            return static_cast<int>(ResultOk);
          }};
}

template <auto Field, bool LimitMayBeAbsent>
constexpr SettingsKey Magnitude(const char* name) {
  return {name,
          [](const ChartSettings& s) {
            if (LimitMayBeAbsent && s.*Field == NoMagnitudeLimit) return std::string();
            return FormatFixed(s.*Field / 100.0, 2, true);
          },
          [](ChartSettings& s, std::string_view v) {
            s.*Field = LimitMayBeAbsent && IsBlankText(v) ? NoMagnitudeLimit
                                                          : MagnitudeHundredths(ParseDecimal(v));
            return static_cast<int>(ResultOk);
          }};
}

// InRange: the key with the range of its value's number.
constexpr SettingsKey InRange(SettingsKey key, double min, double max,
                              double (*number)(std::string_view) = nullptr) {
  key.min = min;
  key.max = max;
  key.number = number;
  return key;
}

double FontSize(std::string_view value) { return ParseFontSetting(value).Size; }

// Ranges of the values that have one, in the file's units.
constexpr double MostDegrees = 360;          // angles around a circle, either way
constexpr double FaintestMagnitude = 30;     // beyond any object the program shows, either way
constexpr double FinestFieldWidth = 0.0027;  // a field of 1/360 degree, the narrowest one
constexpr double FinestRAInterval = 0.25;    // one minute of time, the dialog's finest
constexpr double FinestDecInterval = 0.016;  // one arcminute, the dialog's finest

struct NameList {
  std::span<const char* const> names;
  int first;  // the value of names[0]
};

template <auto Field, const NameList& List>
constexpr SettingsKey Named(const char* name) {
  return {name,
          [](const ChartSettings& s) {
            const long index = static_cast<long>(s.*Field) - List.first;
            if (index < 0 || index >= static_cast<long>(List.names.size())) return std::string();
            return std::string(List.names[index]);
          },
          [](ChartSettings& s, std::string_view v) {
            for (size_t i = 0; i < List.names.size(); ++i) {
              if (v == List.names[i]) {
                s.*Field = static_cast<FieldType<Field>>(List.first + i);
                return static_cast<int>(ResultOk);
              }
            }
            return SettingsNameUnknown;  // the field stays as it was
          }};
}

template <ColorItem Item>
constexpr SettingsKey ColorValue(const char* name) {
  return {name,
          [](const ChartSettings& s) {
            const Color c = s.Colors[Item];
            char text[16];
            std::snprintf(text, sizeof text, "%03d,%03d,%03d", RedOf(c), GreenOf(c), BlueOf(c));
            return std::string(text);
          },
          [](ChartSettings& s, std::string_view v) {
            int component[3] = {0, 0, 0};
            for (int& c : component) {
              size_t used = 0;
              c = static_cast<int>(ParseWhole(v, 0, 255, &used));
              SkipPastComma(v, used);
            }
            s.Colors[Item] = MakeColor(component[0], component[1], component[2]);
            return static_cast<int>(ResultOk);
          }};
}

template <auto Field>
constexpr SettingsKey NamedObject(const char* name) {
  return {name, [](const ChartSettings& s) { return SettingsObjectName(s.*Field); },
          [](ChartSettings& s, std::string_view v) {
            if (v.empty()) {
              s.*Field = 0;
              return static_cast<int>(ResultOk);
            }
            ObjectId id = 0;
            const int result = FindSettingsObject(v, id);
            if (result == ResultOk) s.*Field = id;
            return result;
          }};
}

// ---- Keys with their own conversions ----------------------------------------------------------

std::string WriteOffset(const ChartSettings& s) {
  return FormatScientific(s.ViewerObjectOffset[0], 9) + "," +
         FormatScientific(s.ViewerObjectOffset[1], 9) + "," +
         FormatScientific(s.ViewerObjectOffset[2], 9);
}

int ReadOffset(ChartSettings& s, std::string_view v) {
  for (double& component : s.ViewerObjectOffset) {
    size_t used = 0;
    component = ParseDecimal(v, &used);
    SkipPastComma(v, used);
  }
  return ResultOk;
}

// The time zone: days in memory, hours in the file with one decimal. Zones of a quarter hour
// (+5:45, +8:45, +12:45) would round to a tenth and shift every clock by minutes: they get the
// decimals they need.
std::string WriteTimeZone(const ChartSettings& s) {
  return FormatFixedKeeping(s.TimeZone * 24, 1, 6, true);
}

int ReadTimeZone(ChartSettings& s, std::string_view v) {
  s.TimeZone = ParseDecimal(v) * DaysPerHour;
  return ResultOk;
}

// The animation step: six decimals of a day lose 0.04 s of a one-minute step, which adds up over
// an animation: steps that six decimals cannot hold get up to twelve.
std::string WriteTimeStep(const ChartSettings& s) {
  return FormatFixedKeeping(s.AnimationTimeStep, 6, 12);
}

int ReadTimeStep(ChartSettings& s, std::string_view v) {
  s.AnimationTimeStep = ParseDecimal(v);
  return ResultOk;
}

std::string WriteMotionThreshold(const ChartSettings& s) {
  return FormatFixed(s.StarMotionThreshold * YearsPerDay, 1);
}

int ReadMotionThreshold(ChartSettings& s, std::string_view v) {
  s.StarMotionThreshold = ParseDecimal(v) * 365.25;
  return ResultOk;
}

// The precession epoch: a Julian date in memory, a year in the file.
std::string WriteEpoch(const ChartSettings& s) {
  return FormatFixed(JulianDateToYear(s.PrecessionEpoch), 1);
}

int ReadEpoch(ChartSettings& s, std::string_view v) {
  s.PrecessionEpoch = YearToJulianDate(ParseDecimal(v));
  return ResultOk;
}

// PlanetPerturbations: the older files' on/off switch between osculating elements and the VFP
// series; a PlanetComputation line after it decides.
std::string WritePerturbations(const ChartSettings& s) {
  return WholeText(s.PlanetComputation != PlanetElements ? 1 : 0);
}

int ReadPerturbations(ChartSettings& s, std::string_view v) {
  s.PlanetComputation = ParseWhole(v, INT64_MIN, INT64_MAX) != 0 ? PlanetVFP : PlanetElements;
  return ResultOk;
}

std::string WriteFont(const ChartSettings& s) { return FormatFontSetting(s.ChartWindowsFont); }

int ReadFont(ChartSettings& s, std::string_view v) {
  s.ChartWindowsFont = ParseFontSetting(v);
  return ResultOk;
}

// ---- Names of enumerations ----------------------------------------------------------------------

constexpr const char* CalendarNames[] = {"Julian", "Gregorian", "Islamic", "Indian"};
constexpr NameList Calendars{CalendarNames, CalendarJulian};
constexpr const char* TheoryNames[] = {"Elements", "VFP", "VSOP87"};
constexpr NameList Theories{TheoryNames, PlanetElements};
constexpr const char* SatelliteTheoryNames[] = {"Simple", "SGP4"};
constexpr NameList SatelliteTheories{SatelliteTheoryNames, SatelliteSimple};
constexpr const char* ProjectionNames[] = {"Planar", "Spherical", "Lambert", "Mercator",
                                           "Mollweide"};
constexpr NameList Projections{ProjectionNames, ProjectionPlanar};
constexpr const char* SystemNames[] = {"Equatorial", "Ecliptic", "Galactic", "Horizon"};
constexpr NameList Systems{SystemNames, CoordinatesEquatorial};
constexpr const char* BackgroundNames[] = {"Black", "White", "Color"};
constexpr NameList Backgrounds{BackgroundNames, SkyBlack};
constexpr const char* AnimationNames[] = {"Off", "Backward", "Forward"};
constexpr NameList Animations{AnimationNames, AnimationOff};
constexpr NameList Interfaces{TelescopeInterfaceNames, TelescopeLX200};

using S = ChartSettings;

// The keys in the order of a settings file.
constexpr SettingsKey Keys[] = {
    NamedObject<&S::ViewerObject>("ViewerObject"),
    {"ViewerObjectOffset", WriteOffset, ReadOffset},
    Text<&S::ViewerSiteName, SiteNameMaxLength>("ViewerSiteName"),
    InRange(Angle<&S::ViewerLongitude, 6, true, 11>("ViewerLongitude"), -360, 360),
    InRange(Angle<&S::ViewerLatitude, 6, true, 10>("ViewerLatitude"), -90, 90),
    InRange(Decimal<&S::ViewerAltitude, 1>("ViewerAltitude"), -11000, 1e9),
    InRange({"TimeZone", WriteTimeZone, ReadTimeZone}, -24, 24),
    InRange(Decimal<&S::JulianDate, 6>("JulianDate"), EarliestChartDate, LatestChartDate),
    Named<&S::CalendarSystem, Calendars>("CalendarSystem"),
    Flag<&S::DynamicTime>("DynamicTime"),
    Flag<&S::DaylightSavingsTime>("DaylightSavingsTime"),
    Flag<&S::StarParallax>("StarParallax"),
    Flag<&S::StarMotion>("StarMotion"),
    InRange(Decimal<&S::StarParallaxThreshold, 1>("StarParallaxThreshold"), 0, 1e15),
    InRange({"StarMotionThreshold", WriteMotionThreshold, ReadMotionThreshold}, 0, 1e9),
    {"PlanetPerturbations", WritePerturbations, ReadPerturbations},
    Named<&S::PlanetComputation, Theories>("PlanetComputation"),
    Flag<&S::PlanetLightTime>("PlanetLightTime"),
    Named<&S::SatelliteModel, SatelliteTheories>("SatelliteModel"),
    InRange({"PrecessionEpoch", WriteEpoch, ReadEpoch}, -4712, 9999),
    Flag<&S::Precession>("Precession"),
    Flag<&S::Nutation>("Nutation"),
    Flag<&S::Aberration>("Aberration"),
    Flag<&S::Refraction>("Refraction"),
    Flag<&S::PreciseRiseSetTimes>("PreciseRiseSetTimes"),
    InRange(Angle<&S::HorizonAltitude, 3>("HorizonAltitude"), -90, 90),
    Named<&S::ChartProjection, Projections>("ChartProjection"),
    Named<&S::ChartCoordinateSystem, Systems>("ChartCoordinateSystem"),
    NamedObject<&S::CenteredObject>("CenteredObject"),
    InRange(Angle<&S::ChartCenterLongitude, 6>("ChartCenterLongitude"), -MostDegrees, MostDegrees),
    InRange(Angle<&S::ChartCenterLatitude, 6, true>("ChartCenterLatitude"), -90, 90),
    InRange(Angle<&S::ChartFieldRotation, 6, true>("ChartFieldRotation"), -MostDegrees,
            MostDegrees),
    InRange(Angle<&S::ChartFieldWidth, 6>("ChartFieldWidth"), FinestFieldWidth, MostDegrees),
    Flag<&S::ChartInvertedHorizontally>("ChartInvertedHorizontally"),
    Flag<&S::ChartInvertedVertically>("ChartInvertedVertically"),
    Flag<&S::ShowStars>("ShowStars"),
    Flag<&S::ShowStarColors>("ShowStarColors"),
    Flag<&S::ShowLargeStars>("ShowLargeStars"),
    Flag<&S::ShowMultipleStars>("ShowMultipleStars"),
    Flag<&S::ShowVariableStars>("ShowVariableStars"),
    Flag<&S::ShowPlanets>("ShowPlanets"),
    Flag<&S::ShowPlanetSymbols>("ShowPlanetSymbols"),
    Flag<&S::ShowPlanetGrids>("ShowPlanetGrids"),
    InRange(Decimal<&S::PlanetMagnification, 6>("PlanetMagnification"), 0.1, 1000),
    Flag<&S::ShowRenderedObjects>("ShowRenderedObjects"),
    Flag<&S::ShowDeepSkyObjects>("ShowDeepSkyObjects"),
    Flag<&S::ShowConstellations>("ShowConstellations"),
    Flag<&S::ShowConstellationFigures>("ShowConstellationFigures"),
    Flag<&S::ShowConstellationBoundaries>("ShowConstellationBoundaries"),
    Flag<&S::ShowConstellationLabels>("ShowConstellationLabels"),
    Flag<&S::ShowObjectLabels>("ShowObjectLabels"),
    Flag<&S::AvoidLabelOverlap>("AvoidLabelOverlap"),
    Flag<&S::ShowChartLegend>("ShowChartLegend"),
    Flag<&S::ShowMouseCoordinates>("ShowMouseCoordinates"),
    Flag<&S::ShowChartControls>("ShowChartControls"),
    InRange(Decimal<&S::ChartScrollRate, 3>("ChartScrollRate"), 1, 1000),
    InRange(Decimal<&S::ChartZoomFactor, 3>("ChartZoomFactor"), 1.01, 1000),
    Flag<&S::ShowGridLines>("ShowGridLines"),
    Flag<&S::ShowMilkyWay>("ShowMilkyWay"),
    Flag<&S::ShowGridLabels>("ShowGridLabels"),
    Flag<&S::ShowEcliptic>("ShowEcliptic"),
    Flag<&S::ShowEquator>("ShowEquator"),
    Flag<&S::ShowGalacticEquator>("ShowGalacticEquator"),
    Flag<&S::ShowHorizonLine>("ShowHorizonLine"),
    Flag<&S::ShowHorizonMask>("ShowHorizonMask"),
    Flag<&S::ShowRADecGrid>("ShowRADecGrid"),
    InRange(Angle<&S::GridRAInterval, 6>("GridRAInterval"), FinestRAInterval, 180),
    InRange(Angle<&S::GridDecInterval, 6>("GridDecInterval"), FinestDecInterval, 90),
    InRange(Magnitude<&S::BrightestStarMagnitude, false>("BrightestStarMagnitude"),
            -FaintestMagnitude, FaintestMagnitude),
    InRange(Magnitude<&S::FaintestStarMagnitude, false>("FaintestStarMagnitude"),
            -FaintestMagnitude, FaintestMagnitude),
    InRange(Magnitude<&S::FaintestStarLabelMagnitude, true>("FaintestStarLabelMagnitude"),
            -FaintestMagnitude, FaintestMagnitude),
    InRange(Magnitude<&S::FaintestPlanetMagnitude, true>("FaintestPlanetMagnitude"),
            -FaintestMagnitude, FaintestMagnitude),
    InRange(Magnitude<&S::FaintestPlanetLabelMagnitude, true>("FaintestPlanetLabelMagnitude"),
            -FaintestMagnitude, FaintestMagnitude),
    InRange(Magnitude<&S::FaintestDeepSkyLabelMagnitude, true>("FaintestDeepSkyLabelMagnitude"),
            -FaintestMagnitude, FaintestMagnitude),
    InRange(Magnitude<&S::FaintestOpenClusterMagnitude, true>("FaintestOpenClusterMagnitude"),
            -FaintestMagnitude, FaintestMagnitude),
    InRange(
        Magnitude<&S::FaintestGlobularClusterMagnitude, true>("FaintestGlobularClusterMagnitude"),
        -FaintestMagnitude, FaintestMagnitude),
    InRange(Magnitude<&S::FaintestDiffuseNebulaMagnitude, true>("FaintestDiffuseNebulaMagnitude"),
            -FaintestMagnitude, FaintestMagnitude),
    InRange(
        Magnitude<&S::FaintestPlanetaryNebulaMagnitude, true>("FaintestPlanetaryNebulaMagnitude"),
        -FaintestMagnitude, FaintestMagnitude),
    InRange(Magnitude<&S::FaintestGalaxyMagnitude, true>("FaintestGalaxyMagnitude"),
            -FaintestMagnitude, FaintestMagnitude),
    Flag<&S::AutomaticMagnitudeLimits>("AutomaticMagnitudeLimits"),
    Flag<&S::ShowColors>("ShowColors"),
    Flag<&S::RedScreen>("RedScreen"),
    Named<&S::SkyBackground, Backgrounds>("SkyBackground"),
    ColorValue<StarColor>("StarColor"),
    ColorValue<PlanetColor>("PlanetColor"),
    ColorValue<DeepSkyObjectColor>("DeepSkyObjectColor"),
    ColorValue<ConstellationsColor>("ConstellationsColor"),
    ColorValue<ConstellationBoundariesColor>("ConstellationBoundariesColor"),
    ColorValue<RADecGridColor>("RADecGridColor"),
    ColorValue<EquatorColor>("EquatorColor"),
    ColorValue<EclipticColor>("EclipticColor"),
    ColorValue<GalacticEquatorColor>("GalacticEquatorColor"),
    ColorValue<HorizonColor>("HorizonColor"),
    ColorValue<DaytimeSkyColor>("DaytimeSkyColor"),
    ColorValue<CivilTwilightSkyColor>("CivilTwilightSkyColor"),
    ColorValue<NauticalTwilightSkyColor>("NauticalTwilightSkyColor"),
    ColorValue<AstronomicalTwilightSkyColor>("AstronomicalTwilightSkyColor"),
    ColorValue<NightSkyColor>("NightSkyColor"),
    ColorValue<MilkyWayColor>("MilkyWayColor"),
    InRange({"ChartWindowsFont", WriteFont, ReadFont}, 0, 200, FontSize),
    Named<&S::AnimationState, Animations>("AnimationState"),
    InRange({"AnimationTimeStep", WriteTimeStep, ReadTimeStep}, -1e8, 1e8),
    Named<&S::TelescopeInterface, Interfaces>("TelescopeInterface"),
    Flag<&S::TelescopeEmulated>("TelescopeEmulated"),
    InRange(Whole<&S::TelescopeConnectionPort>("TelescopeConnectionPort"), 1, 255),
    InRange(Whole<&S::TelescopeUpdatesPerSec>("TelescopeUpdatesPerSec"), 0, 100),
    Whole<&S::TelescopeLonEncoderSteps, true>("TelescopeLonEncoderSteps"),
    Whole<&S::TelescopeLatEncoderSteps, true>("TelescopeLatEncoderSteps"),
    Flag<&S::TelescopeEncodersSwapped>("TelescopeEncodersSwapped"),
    Text<&S::TelescopeINDIHost, IndiNameMaxLength>("TelescopeINDIHost"),
    InRange(Whole<&S::TelescopeINDIPort>("TelescopeINDIPort"), 1, 65535),
    Text<&S::TelescopeINDIDevice, IndiNameMaxLength>("TelescopeINDIDevice"),
    Flag<&S::ShowTelescopeFinderField>("ShowTelescopeFinderField"),
    Flag<&S::ShowTelescopeEyepieceField>("ShowTelescopeEyepieceField"),
    Flag<&S::ShowTelescopeCameraField>("ShowTelescopeCameraField"),
    InRange(Angle<&S::TelescopeFinderFieldWidth, 6>("TelescopeFinderFieldWidth"), 0, 180),
    InRange(Angle<&S::TelescopeEyepeiceFieldWidth, 6>("TelescopeEyepeiceFieldWidth"), 0, 180),
    InRange(Angle<&S::TelescopeCameraFieldWidth, 6>("TelescopeCameraFieldWidth"), 0, 180),
    InRange(Angle<&S::TelescopeCameraFieldHeight, 6>("TelescopeCameraFieldHeight"), 0, 180),
};

constexpr const char* StyleWords[] = {"Bold",   "Italic",    "Underline", "Outline",
                                      "Shadow", "Condensed", "Extended",  "Strikeout"};

}  // namespace

std::span<const SettingsKey> SettingsKeys() { return Keys; }

bool SettingsValueInRange(const SettingsKey& key, std::string_view value) {
  const double number = key.number ? key.number(value) : ParseDecimal(value);
  return number >= key.min && number <= key.max;
}

std::string DefaultSettingsValue(const SettingsKey& key) {
  static const ChartSettings defaults = DefaultSettings(32);  // ranged keys do not vary by screen
  return key.write(defaults);
}

const SettingsKey* FindSettingsKey(std::string_view name) {
  for (const SettingsKey& key : Keys) {
    if (name == key.name) return &key;
  }
  return nullptr;
}

std::string FormatFontSetting(const FontSetting& font) {
  std::string text = font.Face + "," + WholeText(font.Size);
  for (int bit = 0; bit < 8; ++bit) {
    if (font.Style & 1 << bit) text += std::string(",") + StyleWords[bit];
  }
  return text;
}

FontSetting ParseFontSetting(std::string_view value) {
  FontSetting font;
  const size_t comma = value.find(',');
  font.Face = CutText(value.substr(0, comma), FontFaceMaxLength);
  font.Size = 0;
  font.Style = 0;
  if (comma == std::string_view::npos) return font;
  value.remove_prefix(comma + 1);
  font.Size = ParseWholeOf<int16_t>(value);
  for (size_t next = value.find(','); next != std::string_view::npos; next = value.find(',')) {
    value.remove_prefix(next + 1);
    const std::string_view word = value.substr(0, value.find(','));
    for (int bit = 0; bit < 8; ++bit) {
      if (word == StyleWords[bit]) font.Style |= static_cast<int16_t>(1 << bit);
    }
  }
  return font;
}

int16_t MagnitudeHundredths(double value) {
  // Decimal text such as "0.29" is a hair below 0.29 in binary; a millionth of a hundredth is
  // far below any difference written text can hold, and far above the binary error.
  const double hundredths = value * 100 + std::copysign(1e-6, value);
  return static_cast<int16_t>(std::clamp(std::trunc(hundredths), -32768.0, 32767.0));
}

std::string CutText(std::string_view text, size_t maxBytes) {
  if (text.size() <= maxBytes) return std::string(text);
  size_t end = maxBytes;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return std::string(text.substr(0, end));
}

}  // namespace qv
