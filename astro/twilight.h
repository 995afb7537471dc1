// astro/twilight.h - the state of the sky from the Sun's geometric altitude (radians): the chart
// background takes its colour from it.
#pragma once

namespace qv {

enum class TwilightState { Night, Astronomical, Nautical, Civil, Daytime };

constexpr double AstronomicalTwilightAltitude = -0.31415926536;    // -18 degrees
constexpr double NauticalTwilightAltitude = -0.20943951024000002;  // -12 degrees
constexpr double CivilTwilightAltitude = -0.10471975512000001;     // -6 degrees
constexpr double SunriseAltitude = -0.014486232791599999;          // -0.83 degrees: upper limb

// TwilightStateOf: each state includes its lower bound's altitude exclusive and its upper
// inclusive; a viewer away from the Earth always sees night.
constexpr TwilightState TwilightStateOf(double sunAltitude, bool viewingFromEarth) {
  if (!viewingFromEarth || sunAltitude <= AstronomicalTwilightAltitude) return TwilightState::Night;
  if (sunAltitude <= NauticalTwilightAltitude) return TwilightState::Astronomical;
  if (sunAltitude <= CivilTwilightAltitude) return TwilightState::Nautical;
  if (sunAltitude <= SunriseAltitude) return TwilightState::Civil;
  return TwilightState::Daytime;
}

}  // namespace qv
