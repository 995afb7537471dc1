// chart/drawing.h - the chart drawing: every pass in its fixed order into the current port, the
// off-screen chart image the window shows, and the options a drawing on a screen uses. Charts
// are drawn for the current sky (objects/sky.h) with the options they are given.
#pragma once

#include "chart/chart_options.h"
#include "chart/projection.h"
#include "platform/draw.h"
#include "platform/rect.h"

namespace qv {

// ChartViewOf: the view fields of the options, with the current sky's horizon altitude.
ChartView ChartViewOf(const ChartOptions& options);

// BuildChartFrame: the frame of a drawing into the rectangle, from the options; the legend band
// is taken off the bottom while the legend is shown.
void BuildChartFrame(const Rect& chart, const ChartOptions& options);

// DrawChart: one complete drawing into the current port. Returns ResultCancelled when Escape
// ended the stars and deep-sky pass (the planets are then skipped, the rest is drawn).
int DrawChart(const Rect& chart, const ChartOptions& options);

// The off-screen image the chart is drawn into, or none; rendered stars add into it.
Image* CurrentChartImage();

// RenderChartImage: draws the chart into an off-screen image of the rectangle's size and that
// depth (0: the screen's), reusing `current` when it fits; none (after message 256) when no
// image can be made. Below 32 bits the drawing has no rendered objects.
Image* RenderChartImage(const Rect& chart, int depth, Image* current, const ChartOptions& options);

// DrawingOptions: the options as a screen of that depth shows them: no colours under the red
// screen, and neither colours nor a coloured sky on displays of fewer than 4 bits.
ChartOptions DrawingOptions(const ChartOptions& options, int screenDepth);

// ChartWindowImage: the image RelayoutChart made for the window, or none.
const Image* ChartWindowImage();

// RelayoutChart: the window's chart image with DrawingOptions, at 32 bits with rendered objects
// or on a screen of more than 8 bits, else at the screen's depth. RedrawChart copies it into the
// window.
void RelayoutChart(const Rect& chart, int screenDepth, const ChartOptions& options);
// RelayoutChartAtDepth: the same into an image of imageDepth bits (8 while an animation is saved).
void RelayoutChartAtDepth(const Rect& chart, int screenDepth, int imageDepth,
                          const ChartOptions& options);
// WindowChartImage: the window's chart image of the last relayout, or none.
Image* WindowChartImage();
void RedrawChart(WindowRecord* window);

}  // namespace qv
