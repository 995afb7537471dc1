// qv/chart_command.cpp - qv chart (commands.h).
#include <string>

#include "chart/centring.h"
#include "chart/chart_files.h"
#include "objects/messages.h"
#include "platform/files.h"
#include "platform/result.h"
#include "qv/commands.h"
#include "settings/settings.h"

namespace qv {

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
