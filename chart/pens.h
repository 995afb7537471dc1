// chart/pens.h - the chart's colours: foreground and background by sky and red screen, the sky
// colour by twilight, and the rectangle fills behind texts.
#pragma once

#include "chart/chart_options.h"
#include "platform/draw.h"

namespace qv {

enum ChartPenKind : int { PenForeground = 0, PenBackground = 1 };

// Foreground: black on a white sky, else red with the red screen, else white. Background: white
// on a white sky (red with the red screen), else black.
Color ChartForegroundColor(const ChartOptions& options);
Color ChartBackgroundColor(const ChartOptions& options);
void SetChartPen(const ChartOptions& options, int which, int width, bool filled);

// SkyColorItem: the colour item of the sky for the Sun's geometric altitude (radians): night,
// then above -18, -12, -6 degrees and -50 arc minutes astronomical, nautical and civil twilight
// and daytime, each comparison strict. Away from the Earth it is always night.
int SkyColorItem(double sunAltitude, bool viewingFromEarth);

// The sky colour of the last drawing (set by DrawSkyBackground) and the colour that fills the
// sky: that colour with colours on and a Color sky, else the background colour.
void SetCurrentSkyColor(Color color);
Color SkyFillColor(const ChartOptions& options);
void FillSkyRectangle(const ChartOptions& options, const Rect& rect);

}  // namespace qv
