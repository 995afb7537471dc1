// app/commands_animation.cpp - the Animation menu: the state, single steps, the time step and
// its presets, and the trails.
#include <cmath>
#include <cstdint>
#include <string>

#include "app/animation.h"
#include "app/chart_window.h"
#include "app/command_handlers.h"
#include "app/info_window.h"
#include "app/select_object.h"
#include "app/trail_dialog.h"
#include "chart/trails.h"
#include "generated/string_numbers.h"
#include "objects/decimal_text.h"
#include "objects/printf_text.h"
#include "objects/textscan.h"
#include "platform/boxes.h"
#include "platform/strings.h"

namespace qv {
namespace {

enum AnimationCommandNumber : int {
  OffCommand = 26201,
  BackwardCommand = 26202,
  ForwardCommand = 26203,
  StepBackwardCommand = 26205,
  StepForwardCommand = 26206,
  SetTimeStepCommand = 26208,
  RealTimeCommand = 26209,  // then the presets, 1 Minute ... 10,000 Years
  LastPresetCommand = 26218,
  TrailForCommand = 26220,
  ResetTrailsCommand = 26221,
  DeleteTrailsCommand = 26222,
};
// Real Time, 1 Minute, 10 Minutes, 1 Hour, 1 Day, 1 Week, 1 Month, 1 Year, 100 and 10,000 Years.
constexpr double StepPresets[] = {0, 1.0 / 1440, 1.0 / 144, 1.0 / 24, 1,
                                  7, 30,         365.25,    36525,    3652500};
constexpr int SecondsPerDay = 86400;
constexpr double DaysPerSecond = 1.1574074074074073e-5;

// FormatTimeStep: whole days (truncated toward zero), then the rest as hours, minutes and
// seconds, "%ld  %02hd:%02hd:%02.0f"; a negative step's parts are all negative. The rest is taken
// in whole seconds first, so that a minute held as 0.000694444 day shows as 00:01:00, not
// 00:00:60.
std::string FormatTimeStep(double step) {
  double whole = std::trunc(step);
  long long rest = std::llround((step - whole) * SecondsPerDay);
  if (std::llabs(rest) >= SecondsPerDay) {
    whole += rest > 0 ? 1 : -1;
    rest -= rest > 0 ? SecondsPerDay : -SecondsPerDay;
  }
  return PrintfText("%ld  %02hd:%02hd:%02.0f", static_cast<long>(whole),
                    static_cast<short>(rest / 3600), static_cast<short>(rest / 60 % 60),
                    static_cast<double>(rest % 60));
}

// ParseTimeStep: a plain number of days ("0.5"), else "%ld %hd:%hd:%lf" as scanf reads it, the
// fields after the first that fails counting 0. False when no number of days can be read.
bool ParseTimeStep(const std::string& text, double& step) {
  size_t used = 0;
  const double decimal = ParseDecimal(text, &used);
  if (used > 0 && text.find_first_not_of(" \t", used) == std::string::npos) {
    step = decimal;
    return true;
  }
  TextScanner scan(text);
  long days = 0;
  int16_t hours = 0, minutes = 0;
  double seconds = 0;
  char colon = 0;
  if (!scan.ReadLong(days)) return false;
  if (scan.ReadInt16(hours) && scan.ReadChar(colon) && colon == ':' && scan.ReadInt16(minutes) &&
      scan.ReadChar(colon) && colon == ':')
    scan.ReadDouble(seconds);
  step = days + hours / 24.0 + minutes / 1440.0 + seconds * DaysPerSecond;
  return true;
}

void AskTimeStep() {
  const char* title = GetString(StringProgramTitle);
  const char* prompt = GetString(StringTimeStepPrompt);
  std::string text = FormatTimeStep(Settings().AnimationTimeStep);
  if (!AskText(title, prompt ? prompt : "", text)) return;
  double step = 0;
  if (ParseTimeStep(text, step)) SetAnimationStep(step);
}

void TrailsChanged() {
  RefreshInfoWindow();  // its Trail buttons
  RelayoutAndRedraw();
}

}  // namespace

void AnimationCommand(int command) {
  switch (command) {
    case OffCommand:
      SetAnimationState(AnimationOff);
      return;
    case BackwardCommand:
      SetAnimationState(AnimationBackward);
      return;
    case ForwardCommand:
      SetAnimationState(AnimationForward);
      return;
    case StepBackwardCommand:
      StepAnimationOnce(AnimationBackward);
      return;
    case StepForwardCommand:
      StepAnimationOnce(AnimationForward);
      return;
    case SetTimeStepCommand:
      AskTimeStep();
      return;
    case TrailForCommand:
      if (const ObjectId object = SelectObject()) RunTrailDialog(object);
      RefreshInfoWindow();
      return;
    case ResetTrailsCommand:
      ResetAllTrails();
      TrailsChanged();
      return;
    case DeleteTrailsCommand:
      DeleteAllTrails();
      TrailsChanged();
      return;
    default:
      break;
  }
  if (command >= RealTimeCommand && command <= LastPresetCommand) {
    SetAnimationStep(StepPresets[command - RealTimeCommand]);
    if (command == RealTimeCommand) RestartAnimationClock();
  }
}

}  // namespace qv
