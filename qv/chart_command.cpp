// qv/chart_command.cpp - qv chart (commands.h).
#include <cstdlib>
#include <string>

#include "chart/centring.h"
#include "chart/chart_files.h"
#include "objects/messages.h"
#include "platform/files.h"
#include "platform/result.h"
#include "qv/commands.h"
#include "settings/settings.h"

namespace qv {
namespace {

constexpr int DefaultChartWidth = 1600, DefaultChartHeight = 1000;
constexpr int MinChartSide = 64;  // room for the legend band and some sky above it
constexpr int MaxChartSide = 16384;

bool ParseChartSize(const std::string& text, int& width, int& height) {
  char* end = nullptr;
  const long w = std::strtol(text.c_str(), &end, 10);
  if (end == text.c_str() || (*end != 'x' && *end != 'X')) return false;
  const char* heightText = end + 1;
  const long h = std::strtol(heightText, &end, 10);
  if (end == heightText || *end != '\0') return false;
  if (w < MinChartSide || h < MinChartSide || w > MaxChartSide || h > MaxChartSide) return false;
  width = static_cast<int>(w);
  height = static_cast<int>(h);
  return true;
}

}  // namespace

int RunChartCommand(const QvArguments& args, const QvOutput& output) {
  QvSession session(output);
  const std::string path = args.Value("--out");
  const ChartFileFormat format = path == "-" ? ChartFormatPNG : ChartFormatOfPath(path);
  if (format == ChartFormatNone) {
    return session.Fail(QvUserError,
                        "cannot tell the format of \"" + path +
                            "\": name it .png, .bmp, .gif, .tif, .jpg, .wmf, .svg or .pdf");
  }
  int width = DefaultChartWidth, height = DefaultChartHeight;
  if (args.Has("--size") && !ParseChartSize(args.Value("--size"), width, height)) {
    return session.Fail(QvUserError,
                        "--size needs WIDTHxHEIGHT in pixels, each 64 to 16384, not \"" +
                            args.Value("--size") + "\"");
  }
  const int ready = session.OpenSky(args);
  if (ready != ResultOk) return ExitCodeOf(ready);
  ChartOptions& options = Settings();
  if (args.Has("--no-legend")) options.ShowChartLegend = false;
  FollowCentre(options, nullptr);  // the centred object of the settings
  const int64_t written = WriteChartFile(path, format, Rect{0, 0, width, height}, options);
  if (written > 0) return QvSuccess;
  if (written == ResultOpenError)
    return session.Fail(QvFileError, "can't write \"" + path + "\": " + ReplaceFailureReason(path));
  Caution(ButtonsOk, MessageCannotWrite, path.c_str());
  return QvFileError;
}

}  // namespace qv
