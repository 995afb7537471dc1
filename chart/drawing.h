// chart/drawing.h - the chart drawing: every pass in its fixed order into the current port, the
// off-screen chart image the window shows, and the colour rules applied before each drawing.
#pragma once

#include "platform/draw.h"
#include "platform/rect.h"

namespace qv {

// BuildChartFrame: the frame of a drawing into the rectangle, from the settings: the centre
// follows the telescope (Stay Centered) or the centred object, and the legend band is taken
// off the bottom while the legend is shown.
void BuildChartFrame(const Rect& chart);

// DrawChart: one complete drawing into the current port. Returns ResultCancelled when Escape
// ended the stars and deep-sky pass (the planets are then skipped, the rest is drawn).
int DrawChart(const Rect& chart);

// The off-screen image the chart is drawn into, or none; rendered stars add into it.
Image* CurrentChartImage();

// RenderChartImage: draws the chart into an off-screen image of the rectangle's size and that
// depth (0: the screen's), reusing `current` when it fits; none (after message 256) when no
// image can be made. Below 32 bits rendered objects are off for the drawing.
Image* RenderChartImage(const Rect& chart, int depth, Image* current);

// ApplyColorRules: the red screen saves and restores Use Color; displays of fewer than 4 bits
// get no colours and no coloured sky.
void ApplyColorRules(int screenDepth);

// RelayoutChart: the colour rules, then the window's chart image at 32 bits with rendered
// objects or on a screen of more than 8 bits, else at the screen's depth. RedrawChart copies
// it into the window.
void RelayoutChart(const Rect& chart, int screenDepth);
void RedrawChart(WindowRecord* window);

}  // namespace qv
