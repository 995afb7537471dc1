// chart/legend.h - the legend band at the bottom of the chart: viewpoint, local time, field,
// star magnitude samples and deep-sky symbols, in columns of four rows.
#pragma once

#include <string>
#include <vector>

#include "astro/observing.h"
#include "chart/chart_options.h"
#include "platform/rect.h"

namespace qv {

// LegendHeight: four rows of the chart font plus one pixel.
int LegendHeight(const ChartOptions& options);

// What the legend shows beside the chart options: the viewpoint and time of the sky drawn.
struct LegendFacts {
  ObservingSettings observing;  // the Earth site, the chart's time and calendar
  double timeZoneDays = 0;      // the effective zone, daylight saving included
  std::string viewerName;       // the viewer object's name; empty when viewing from the Earth
  double viewerDistance = 0;    // AU of the viewpoint from the viewer object
  double precessionEpoch = 2451545.0;  // Julian date the equatorial labels name
};

// LegendColumns: the texts of the first three columns, four rows each (headings first).
std::vector<std::vector<std::string>> LegendColumns(const ChartOptions& options,
                                                    const LegendFacts& facts);

// ViewerDistanceText: "0.52345 AU from", in Mpc, pc, AU or km by the distance.
std::string ViewerDistanceText(double au);

// DrawStarSamples: the legend's six sample columns from x, rows from top: each magnitude's text,
// and under it in rows 1-3 a plain (or rendered), a multiple and a variable star, each inside
// its cell (the text's width, one row high). Returns the width used.
int DrawStarSamples(const ChartOptions& options, int x, int top, int rowHeight);

// DrawLegend: the band across the bottom of the chart rectangle.
void DrawLegend(const ChartOptions& options, const Rect& chart, const LegendFacts& facts);

}  // namespace qv
