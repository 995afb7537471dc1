// qv/animate_command.cpp - qv animate (commands.h).
#include <cmath>
#include <cstdlib>
#include <string>

#include "chart/animation_gif.h"
#include "chart/centring.h"
#include "chart/chart_files.h"
#include "chart/drawing.h"
#include "chart/trail_paths.h"
#include "chart/trails.h"
#include "objects/messages.h"
#include "platform/alert.h"
#include "platform/result.h"
#include "qv/commands.h"
#include "settings/settings.h"

namespace qv {
namespace {

constexpr long MaxFrames = 10000;
// The trails --trail asks for: apparent places against the stars with a tick on every point,
// long enough to keep every frame's point.
constexpr int32_t QvTrailTicks = 1, QvTrailDates = 0;

bool ParseDays(const std::string& text, double& days) {
  char* end = nullptr;
  days = std::strtod(text.c_str(), &end);
  return end != text.c_str() && *end == '\0' && std::isfinite(days) && days != 0;
}

bool ParseFrames(const std::string& text, long& frames) {
  char* end = nullptr;
  frames = std::strtol(text.c_str(), &end, 10);
  return end != text.c_str() && *end == '\0' && frames >= 1 && frames <= MaxFrames;
}

// CreateQvTrails: a trail for each name of the comma-separated list; false (after note 523)
// when one names no object.
bool CreateQvTrails(const std::string& list, int32_t capacity) {
  size_t start = 0;
  while (start <= list.size()) {
    const size_t comma = std::min(list.find(',', start), list.size());
    const std::string name = list.substr(start, comma - start);
    const ObjectRecord* object = FindQvObject(name);
    if (!object) return false;
    CreateTrail(object->id, TrailInSky, capacity, QvTrailTicks, QvTrailDates);
    start = comma + 1;
  }
  return true;
}

// WriteAnimation: frame 0 is the chart at the settings' time; before each later frame every trail
// records the place the last frame showed and the time moves on by the step. Bytes written, or a
// Result code.
int64_t WriteAnimation(const std::string& path, const Rect& chart, long frames, double step) {
  ChartSettings& s = Settings();
  Image* image = nullptr;
  GifStream* gif = nullptr;
  int64_t result = ResultOk;
  for (long frame = 0; frame < frames; ++frame) {
    if (frame > 0) {
      RecordTrailPoints(s.ChartCoordinateSystem);
      s.JulianDate += step;
      UpdateSkyContext();
    }
    FollowCentre(s, nullptr);
    image = RenderChartImage(chart, AnimationImageDepth, image, s);
    if (!image) {
      result = ResultNoMemory;  // after message 256
      break;
    }
    if (!gif && !(gif = StartAnimationGif(path, image))) {
      result = ResultOpenError;
      break;
    }
    if (!AppendAnimationFrame(gif, image)) break;  // the stream has failed: ending it says so
  }
  DisposeImage(image);
  const int64_t ended = gif ? EndAnimationGif(gif) : result;
  return result == ResultOk ? ended : result;
}

}  // namespace

int RunAnimateCommand(const QvArguments& args, const QvOutput& output) {
  QvSession session(output);
  const std::string path = args.Value("--out");
  if (ChartFormatOfPath(path) != ChartFormatGIF)
    return session.Fail(QvUserError, "--out needs a .gif file, not \"" + path + "\"");
  if (!args.Has("--jd") && !args.Has("--date"))
    return session.Fail(QvUserError, "give the first frame's time with --jd or --date");
  double step = 0;
  if (!ParseDays(args.Value("--step"), step)) {
    return session.Fail(QvUserError, "--step needs a number of days other than 0, not \"" +
                                         args.Value("--step") + "\"");
  }
  long frames = 0;
  if (!ParseFrames(args.Value("--frames"), frames)) {
    return session.Fail(QvUserError, "--frames needs a whole number from 1 to 10000, not \"" +
                                         args.Value("--frames") + "\"");
  }
  int width = 0, height = 0;
  if (!session.ReadChartSize(args, width, height)) return QvUserError;
  DeleteAllTrails();
  const int ready = session.OpenSky(args);
  if (ready != ResultOk) return ExitCodeOf(ready);
  const double last = Settings().JulianDate + step * (frames - 1);
  if (!(last >= QvEarliestDate && last <= QvLatestDate))
    return session.Fail(QvUserError, "the last frame would fall outside 4713 BC to AD 9999");
  if (args.Has("--trail") && !CreateQvTrails(args.Value("--trail"), static_cast<int32_t>(frames)))
    return QvUserError;
  const int64_t written = WriteAnimation(path, Rect{0, 0, width, height}, frames, step);
  DeleteAllTrails();
  if (written > 0) return QvSuccess;
  if (written == ResultOpenError) Caution(ButtonsOk, MessageCannotOpen, path.c_str());
  if (written == ResultWriteError) Caution(ButtonsOk, MessageCannotWrite, path.c_str());
  return ExitCodeOf(static_cast<int>(written));
}

}  // namespace qv
