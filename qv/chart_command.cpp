// qv/chart_command.cpp - qv chart (commands.h).
#include <string>

#include "chart/centring.h"
#include "chart/chart_files.h"
#include "platform/files.h"
#include "platform/result.h"
#include "qv/commands.h"
#include "settings/settings.h"

namespace qv {
namespace {

struct PaperName {
  const char* name;
  PaperSize paper;
};
constexpr PaperName PaperNames[] = {{"A4", PaperA4}, {"A3", PaperA3}, {"Letter", PaperLetter}};

bool ParsePaper(const std::string& text, PaperSize& paper) {
  for (const PaperName& p : PaperNames) {
    if (text == p.name) {
      paper = p.paper;
      return true;
    }
  }
  return false;
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
  int width = 0, height = 0;
  if (!session.ReadChartSize(args, width, height)) return QvUserError;
  PaperSize paper = PaperOfFrame;
  if (args.Has("--paper") &&
      (format != ChartFormatPDF || !ParsePaper(args.Value("--paper"), paper)))
    return session.Fail(QvUserError, "--paper needs A4, A3 or Letter and a .pdf chart, not \"" +
                                         args.Value("--paper") + "\"");
  const int ready = session.OpenSky(args);
  if (ready != ResultOk) return ExitCodeOf(ready);
  ChartOptions& options = Settings();
  if (args.Has("--no-legend")) options.ShowChartLegend = false;
  FollowCentre(options, nullptr);  // the centred object of the settings
  const int64_t written =
      WriteChartFile(path, format, paper, Rect{0, 0, width, height}, options, ChartSources{});
  if (written > 0) return QvSuccess;
  if (written == ResultOpenError)
    return session.Fail(QvFileError, "can't write \"" + path + "\": " + ReplaceFailureReason(path));
  ShowChartFileError(written, path);
  return QvFileError;
}

}  // namespace qv
