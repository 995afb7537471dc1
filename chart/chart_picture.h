// chart/chart_picture.h - the chart as a recorded picture, for the clipboard and the vector files.
#pragma once

#include <functional>

#include "chart/chart_options.h"
#include "platform/picture.h"
#include "platform/rect.h"

namespace qv {

// ChartOverlay: what is drawn into the current port over a finished chart in pictures and on
// printed pages (the telescope's fields); empty draws nothing.
using ChartOverlay = std::function<void()>;

// MakeChartPicture: a picture whose frame is the chart rectangle. With rendered objects on it
// holds the chart image as a bitmap (chartImage when it has the rectangle's size and 32 bits,
// else one drawn for it), otherwise the chart as vectors; then the overlay. None when no picture
// can be started (after message 256 with the caution icon) or no image made (message 256 with
// the stop icon). The caller disposes of it.
Picture* MakeChartPicture(const Rect& chart, const ChartOptions& options, const Image* chartImage,
                          const ChartOverlay& overlay);

}  // namespace qv
