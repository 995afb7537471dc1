// chart/chart_print.cpp - printing the chart (chart_print.h).
#include "chart/chart_print.h"

#include "chart/drawing.h"
#include "generated/string_numbers.h"
#include "platform/print.h"
#include "platform/result.h"
#include "platform/strings.h"

namespace qv {
namespace {

constexpr int PageImageDepth = 32;

// PrintPages: the job's pages, one per copy.
int PrintPages(const ChartOptions& options, int copies, const ChartOverlay& overlay) {
  const char* title = GetString(StringProgramTitle);
  if (!OpenPrintJob(title ? title : "Quorvane")) {
    ClosePrintJob();
    return ResultFailed;
  }
  const Rect page = GetPrintPageRect();
  Image* image = nullptr;
  if (options.ShowRenderedObjects) {
    image = RenderChartImage(page, PageImageDepth, nullptr, options);  // 256 inside
    if (!image) {
      ClosePrintJob();
      return ResultNoMemory;
    }
  }
  int result = ResultOk;
  for (int copy = 0; copy < copies && result == ResultOk; ++copy) {
    if (!OpenPrintPage()) {
      result = ResultCancelled;
      break;
    }
    if (image)
      CopyImage(image, nullptr, &page);
    else
      DrawChart(page, options);
    if (overlay) overlay();
    if (!ClosePrintPage()) result = ResultFailed;
  }
  ClosePrintJob();
  DisposeImage(image);
  return result;
}

}  // namespace

int PrintChart(const ChartOptions& options, const ChartOverlay& overlay) {
  int copies = 1;
  if (!PrintDialog(nullptr, nullptr, &copies)) return ResultCancelled;
  return PrintPages(options, copies, overlay);
}

void PreviewChartPrint(const ChartOptions& options, const ChartOverlay& overlay) {
  PrintPreviewDialog([&] { PrintPages(options, 1, overlay); });
}

}  // namespace qv
