// app/chart_mouse.h - the mouse on the chart: a click opens the object under it in the info
// window (its name shown while the button is held), a drag over empty sky moves the chart, a
// drag with the coordinate readout on measures angles, a double click centres, and in
// constellation-editing mode a drag from star to star adds or removes a figure line.
// Coordinates are the chart window's client pixels.
#pragma once

#include "chart/chart_options.h"

namespace qv {

void ChartMouseDown(int x, int y);
void ChartMouseDragged(int x, int y);
void ChartMouseUp(int x, int y);
void ChartDoubleClick(int x, int y);
void ChartMouseMoved(int x, int y);
// ChartMouseWheel: each notch away from the user zooms in by the zoom factor, each one toward
// the user zooms out, keeping the sky under the pointer where it is.
void ChartMouseWheel(int notches, int x, int y);
// ChartMouseIdle: while the button is held on an object, its name appears once the double-click
// time has passed, even when the pointer does not move.
void ChartMouseIdle();

// ChartMouseDrawingOptions: the options the chart is drawn with: the settings', or while the
// chart is dragged a lighter copy of them (no rendered objects, boundaries, constellation or
// object labels, and one magnitude brighter everywhere) so that the moving chart draws quickly.
ChartOptions ChartMouseDrawingOptions(const ChartOptions& options);
// DraggedChartOptions: that lighter copy, whatever the mouse does.
ChartOptions DraggedChartOptions(const ChartOptions& options);

// DrawChartOverlays: what the mouse shows over the chart (a held object's name, the measuring
// line, the coordinate readout), drawn into the window after each copy of the chart image.
void DrawChartOverlays();

}  // namespace qv
