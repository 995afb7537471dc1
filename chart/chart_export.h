// chart/chart_export.h - File > Export > Chart As...: the save dialog with the chart formats,
// and the name and format remembered for the next export.
#pragma once

#include <cstdint>
#include <string>

#include "chart/chart_files.h"

namespace qv {

// The formats of the save dialog by their number (1-based, the dialog's filter index): the five
// classic ones, 1 Windows metafile, 2 bitmap, 3 GIF, 4 TIFF, 5 JPEG; then 6 PNG, 7 SVG, 8 PDF
// whose page is the chart, 9, 10, 11 PDF on A4, A3 and Letter paper. The dialog's filter is
// strings 743 and 744 in that order.
struct ChartExportFormat {
  ChartFileFormat format = ChartFormatNone;
  PaperSize paper = PaperOfFrame;
};
constexpr int ChartExportFormatCount = 11;
ChartExportFormat ChartExportFormatOf(int number);  // ChartFormatNone outside 1..count
std::string ChartExportFilter();

// ChartExportFormatForPath: the chosen number, unless the path's extension names another file
// format: then the first number of that format (a name typed as "m42.png" is a PNG).
int ChartExportFormatForPath(const std::string& path, int chosen);

// LastChartExport: the path and format number of the last export (for this run), where the next
// export's dialog starts.
struct ChartExportMemory {
  std::string path;
  int format = 1;
};
ChartExportMemory& LastChartExport();

// ExportChart: the save dialog titled with string 742; Cancel gives ResultCancelled. The choice
// is remembered, then the chart written with the wait cursor (WriteChartFile with the sources),
// a failure shown with message 257 or 259 and the path. The result of WriteChartFile.
int64_t ExportChart(const Rect& chart, const ChartOptions& options, const ChartSources& sources);

}  // namespace qv
