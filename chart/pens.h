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

// ContrastRatio: (L1 + 0.05) / (L2 + 0.05) of the two colours' relative luminances (sRGB), the
// lighter over the darker: 1 for equal colours, 21 for black and white.
double ContrastRatio(Color a, Color b);

// LegibleColor: c when it stands out from the sky by at least MinimumContrast, else c mixed
// towards black (on a light sky) or white (on a dark one) just far enough, so that a bright star
// colour on a daylight or white sky is drawn dark, as in a printed atlas.
constexpr double MinimumContrast = 3.0;
Color LegibleColor(Color c, Color sky);

// ChartColor: a colour as the chart draws it over its sky fill (LegibleColor).
Color ChartColor(const ChartOptions& options, Color c);

// SkyIsLight: the sky fill is light, so rendered stars darken it instead of adding light.
bool SkyIsLight(const ChartOptions& options);

}  // namespace qv
