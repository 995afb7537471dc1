// chart/chart_export.cpp - exporting the chart through the save dialog (chart_export.h).
#include "chart/chart_export.h"

#include "generated/string_numbers.h"
#include "platform/boxes.h"
#include "platform/events.h"
#include "platform/result.h"
#include "platform/strings.h"

namespace qv {
namespace {

constexpr ChartExportFormat ExportFormats[ChartExportFormatCount] = {
    {ChartFormatWMF},
    {ChartFormatBMP},
    {ChartFormatGIF},
    {ChartFormatTIFF},
    {ChartFormatJPEG},
    {ChartFormatPNG},
    {ChartFormatSVG},
    {ChartFormatPDF},
    {ChartFormatPDF, PaperA4},
    {ChartFormatPDF, PaperA3},
    {ChartFormatPDF, PaperLetter},
};

std::string Text(int number) {
  const char* text = GetString(number);
  return text ? text : "";
}

}  // namespace

ChartExportFormat ChartExportFormatOf(int number) {
  if (number < 1 || number > ChartExportFormatCount) return {};
  return ExportFormats[number - 1];
}

std::string ChartExportFilter() { return Text(StringChartFormats) + Text(StringMoreChartFormats); }

int ChartExportFormatForPath(const std::string& path, int chosen) {
  const ChartFileFormat named = ChartFormatOfPath(path);
  if (named == ChartFormatNone || named == ChartExportFormatOf(chosen).format) return chosen;
  for (int number = 1; number <= ChartExportFormatCount; ++number) {
    if (ExportFormats[number - 1].format == named) return number;
  }
  return chosen;
}

ChartExportMemory& LastChartExport() {
  static ChartExportMemory memory;
  return memory;
}

int64_t ExportChart(const Rect& chart, const ChartOptions& options, const ChartSources& sources) {
  ChartExportMemory& last = LastChartExport();
  const std::string filter = ChartExportFilter();
  int chosen = last.format;
  const auto path = AskSaveFile(Text(StringSaveChartTitle).c_str(), filter.c_str(),
                                last.path.c_str(), chosen, true);
  if (!path) return ResultCancelled;
  last = {*path, ChartExportFormatForPath(*path, chosen)};
  const ChartExportFormat format = ChartExportFormatOf(last.format);
  SetWaitCursor();
  const int64_t written =
      WriteChartFile(*path, format.format, format.paper, chart, options, sources);
  SetArrowCursor();
  ShowChartFileError(written, *path);
  return written;
}

}  // namespace qv
