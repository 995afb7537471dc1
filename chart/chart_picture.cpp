// chart/chart_picture.cpp - the chart as a recorded picture (chart_picture.h).
#include "chart/chart_picture.h"

#include "chart/drawing.h"
#include "generated/string_numbers.h"
#include "platform/alert.h"

namespace qv {
namespace {

constexpr int RenderedDepth = 32;  // rendered stars and planet disks need 32-bit pixels

bool FitsChart(const Image* image, const Rect& chart) {
  return image && ImageWidth(image) == RectWidth(chart) &&
         ImageHeight(image) == RectHeight(chart) && ImageDepth(image) == RenderedDepth;
}

}  // namespace

Picture* MakeChartPicture(const Rect& chart, const ChartOptions& options, const Image* chartImage,
                          const ChartOverlay& overlay) {
  // Rendered objects exist only as pixels: the picture then carries the chart image, drawn
  // before recording starts because only one drawing target can be current.
  Image* drawn = nullptr;
  if (options.ShowRenderedObjects && !FitsChart(chartImage, chart)) {
    drawn = RenderChartImage(chart, RenderedDepth, nullptr, options);
    if (!drawn) return nullptr;
    chartImage = drawn;
  }
  Picture* picture = NewPicture(chart);
  if (!picture) {
    DisposeImage(drawn);
    Caution(ButtonsOk, MessageNoMemory);
    return nullptr;
  }
  if (options.ShowRenderedObjects)
    CopyImage(chartImage, nullptr, &chart);
  else
    DrawChart(chart, options);
  if (overlay) overlay();
  ClosePicture();
  DisposeImage(drawn);
  return picture;
}

}  // namespace qv
