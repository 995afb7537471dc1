// app/chart_window.h - the chart window: its scroll bars, the refresh cycle that recomputes the
// sky and redraws the chart image, and its event handler (keys, size, activation, painting,
// mouse, scroll bars).
#pragma once

#include "platform/events.h"
#include "platform/rect.h"

namespace qv {

// Scroll bars of the chart window, by item number.
constexpr int VerticalScrollBar = 1;    // -90 .. 90, one unit per degree of latitude
constexpr int HorizontalScrollBar = 2;  // 1 .. 360, one unit per degree of longitude

// CreateChartWindow: the main window (resource 100, hidden) with its menu bar and scroll bars;
// none when the system refuses it.
WindowRef CreateChartWindow();

// ChartRectangle: the part of the chart window the chart fills, beside the scroll bars while
// they are shown (which this places and shows or hides).
Rect ChartRectangle();

// RelayoutChartWindow: draws the chart image anew for the window's size and the settings, and
// sets the scroll bars' thumbs. RedrawChartWindow: the window painted now, by its update event:
// the chart image copied in (relaid out first when the screen's depth changed) and what the
// mouse shows drawn over it. RelayoutAndRedraw does both.
void RelayoutChartWindow();
void RedrawChartWindow();
void RelayoutAndRedraw();

// StopFollowingTelescope: a command that chose the chart's centre itself ends Stay Centered.
void StopFollowingTelescope();

// RefreshChart: after every change of state: the sky context for the settings (every cached
// position made stale when recomputeAll), a new chart image, the window invalidated, and the
// info window's texts filled again.
void RefreshChart(bool recomputeAll);

// ChartWindowHandler: the chart window's events; menu commands go on to the application.
int ChartWindowHandler(int code, WindowRef window, int p1, int p2);

}  // namespace qv
