// chart/chart_print.h - the chart on paper: printed copies and the print preview.
#pragma once

#include "chart/chart_options.h"
#include "chart/chart_picture.h"

namespace qv {

// PrintChart: the print dialog, then one page per copy it asks for, in a job titled with the
// program's name. The page is the printable area in logical units (a screen pixel each). With
// rendered objects on, the chart is drawn once into a 32-bit image of the page's size and that
// image printed on every copy; otherwise every page is drawn as vectors. The overlay follows the
// chart on every page. A job cancelled from the print box ends at its next page. ResultOk,
// ResultCancelled (the dialog or the print box), ResultNoMemory (no page image, after message
// 256; nothing printed) or ResultFailed (the job could not start or a page could not be ended).
int PrintChart(const ChartOptions& options, const ChartOverlay& overlay);

// PreviewChartPrint: the print preview of one copy exactly as PrintChart prints it.
void PreviewChartPrint(const ChartOptions& options, const ChartOverlay& overlay);

}  // namespace qv
