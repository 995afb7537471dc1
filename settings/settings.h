// settings/settings.h - the settings record: every option of the chart and of the computation, the
// viewpoint, the chart's time, colours, font, animation and telescope, in one process-wide record.
//
// The record is composed of the parts each layer reads: the observing settings of the sky
// context (astro/observing.h) and the chart options (chart/chart_options.h); animation, telescope
// and what is not saved are its own. Library code is handed the part it reads; the one instance
// is reached with Settings() by the programs, whose commands and dialogs change it and then
// refresh the chart. Fields are named by their settings-file keys (settings/settings_file.h reads
// and writes them). Units in memory: angles in radians, times as Julian dates or days, distances in
// AU, altitudes in metres, magnitudes in hundredths (NoMagnitudeLimit where a limit may be
// absent).
#pragma once

#include <cstdint>
#include <string>

#include "astro/observing.h"
#include "chart/chart_options.h"
#include "telescope/telescope_options.h"  // TelescopeKind, the INDI defaults

namespace qv {

constexpr size_t DescriptionMaxLength = 32767;

enum AnimationMode : int16_t { AnimationOff = 1, AnimationBackward = 2, AnimationForward = 3 };

struct ChartSettings : ObservingSettings, ChartOptions {
  // Animation.
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
  std::string TelescopeINDIHost = IndiDefaultHost;  // the INDI server: a name or an address
  int32_t TelescopeINDIPort = IndiDefaultPort;
  std::string TelescopeINDIDevice;  // its telescope; empty: the first the server has
  bool ShowTelescopeFinderField = true;
  bool ShowTelescopeEyepieceField = true;
  bool ShowTelescopeCameraField = true;
  double TelescopeFinderFieldWidth = SettingsDegrees(3);
  double TelescopeEyepeiceFieldWidth = SettingsDegrees(1);
  double TelescopeCameraFieldWidth = SettingsDegrees(0.25);
  double TelescopeCameraFieldHeight = SettingsDegrees(1.0 / 6.0);

  // Not saved in settings files.
  bool ConstellationEditing = false;
  int16_t TelescopeMountType = 1;  // 1 equatorial, 2 alt-azimuth
  bool TelescopeConnected = false;
  bool TelescopeShowFields = false;
  bool TelescopeStayCentered = false;
  bool TelescopeTrackMovingTargets = false;
  double TelescopeRightAscension = 0;  // the telescope's last position, J2000
  double TelescopeDeclination = 0;
  std::string Description;   // at most DescriptionMaxLength bytes, CR LF lines
  std::string SettingsPath;  // the current settings file; empty = none
};

// Settings: the process-wide record. It holds DefaultSettings(32) until SetDefaultSettings runs.
ChartSettings& Settings();

// DefaultSettings: the built-in defaults for a screen of that many bits per pixel. At most 8 bits
// draw small planets as symbols with grids instead of rendered disks.
ChartSettings DefaultSettings(int screenBitsPerPixel);

// SetDefaultSettings: Settings() = DefaultSettings(screenBitsPerPixel); run once at start-up,
// before the chart window exists.
void SetDefaultSettings(int screenBitsPerPixel);

// UpdateSkyContext: makes the sky context of the settings the current sky (objects/sky.h) after
// any change of time, place or precision. A viewer object that no longer exists is cleared: the
// viewer is back at the Earth site.
void UpdateSkyContext();

}  // namespace qv
