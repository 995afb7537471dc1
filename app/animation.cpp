// app/animation.cpp - animation, its clock and the animated GIF being saved (animation.h).
#include "app/animation.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "app/chart_window.h"
#include "app/commands.h"
#include "app/shell.h"
#include "chart/animation_gif.h"
#include "chart/drawing.h"
#include "chart/trail_paths.h"
#include "generated/string_numbers.h"
#include "objects/messages.h"
#include "platform/alert.h"
#include "platform/boxes.h"
#include "platform/events.h"
#include "platform/result.h"
#include "platform/strings.h"
#include "platform/windows.h"

namespace qv {
namespace {

// The animation clock: when animation was last started or restarted.
struct AnimationClock {
  uint32_t startMs = 0;
  JulianDate startDate = 0;
};

AnimationClock& Clock() {
  static AnimationClock clock;
  return clock;
}

// The animated GIF: the path chosen (empty: not saving) and its stream once started.
struct AnimationFile {
  std::string path;
  GifStream* gif = nullptr;
};

AnimationFile& File() {
  static AnimationFile file;
  return file;
}

bool IsRunning(AnimationMode state) {
  return state == AnimationBackward || state == AnimationForward;
}

void ShowNewChart() {
  RelayoutChartWindow();
  if (WindowRef window = Shell().chartWindow) InvalidateWindow(window, nullptr);
}

// EndStream: the GIF ended and its file put in place; a file that could not be written is
// reported, since the user waits for it.
void EndStream() {
  AnimationFile& file = File();
  GifStream* gif = std::exchange(file.gif, nullptr);
  if (gif && EndAnimationGif(gif) == ResultWriteError)
    Caution(ButtonsOk, MessageCannotWrite, file.path.c_str());
}

// StartStream: the chart drawn at the depth of saving and the GIF started for its image. A file
// that cannot be made is silently forgotten (the animation runs on without it), and the chart
// goes back to its own depth.
void StartStream() {
  AnimationFile& file = File();
  if (file.path.empty() || file.gif) return;
  RelayoutChartWindow();
  file.gif = StartAnimationGif(file.path, WindowChartImage());
  if (!file.gif) {
    file.path.clear();
    ShowNewChart();
  }
}

void StopSaving() {
  EndStream();
  File().path.clear();
  ShowNewChart();
}

std::string Text(int number) {
  const char* text = GetString(number);
  return text ? text : "";
}

}  // namespace

void RestartAnimationClock() { Clock() = AnimationClock{TickCount(), Settings().JulianDate}; }

void SetAnimationState(AnimationMode state) {
  ChartSettings& s = Settings();
  const AnimationMode previous = s.AnimationState;
  if (IsRunning(state)) RestartAnimationClock();
  if (SavingAnimation()) {
    if (state == AnimationOff) StopSaving();
    if (IsRunning(state) && previous == AnimationOff) StartStream();
  }
  if (state == previous) return;
  s.AnimationState = state;
  UpdateMenus();
}

void AnimationStep() {
  ChartSettings& s = Settings();
  if (!IsRunning(s.AnimationState)) return;
  double amount = s.AnimationTimeStep;
  if (amount == 0) {
    const AnimationClock& clock = Clock();
    s.JulianDate = clock.startDate;
    amount = static_cast<uint32_t>(TickCount() - clock.startMs) * DaysPerMillisecond;
  }
  s.JulianDate += s.AnimationState == AnimationForward ? amount : -amount;
  RecordTrailPoints(s.ChartCoordinateSystem);  // the sky is still the one the chart showed
  RefreshChart(false);
  if (GifStream* gif = File().gif) AppendAnimationFrame(gif, WindowChartImage());
}

void SetAnimationStep(double days) {
  Settings().AnimationTimeStep = days;
  UpdateMenus();
}

void StepAnimationOnce(AnimationMode direction) {
  ChartSettings& s = Settings();
  const AnimationMode previous = s.AnimationState;
  RestartAnimationClock();
  s.AnimationState = direction;
  AnimationStep();
  s.AnimationState = previous;
}

bool SavingAnimation() { return !File().path.empty(); }

void ExportAnimation() {
  if (SavingAnimation() && Caution(ButtonsOkCancel, MessageAlreadySaving) != AnswerOk) return;
  int filterIndex = 1;
  const std::optional<std::string> path =
      AskSaveFile(Text(StringSaveAnimationTitle).c_str(), Text(StringSaveAnimationFilter).c_str(),
                  "", filterIndex, true);
  if (!path) return;
  EndStream();
  File().path = *path;
  if (IsRunning(Settings().AnimationState)) {
    StartStream();
  } else if (Note(ButtonsOkCancel, NoteStartAnimating) == AnswerOk) {
    SetAnimationState(AnimationForward);
  } else {
    ShowNewChart();  // at the depth it will be saved at
  }
}

}  // namespace qv
