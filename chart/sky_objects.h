// chart/sky_objects.h - the stars and deep-sky objects pass: regions culled by their boxes,
// objects filtered by magnitude, drawn as symbols or rendered stars, labelled when bright.
#pragma once

#include "chart/chart_options.h"
#include "chart/object_labels.h"
#include "objects/records.h"

namespace qv {

// SkyPlace: where a star or deep-sky object stands on the chart.
struct SkyPlace {
  bool visible = false;
  int x = 0, y = 0;
  int radius = 0;  // pixels: 0 for stars, points and deep-sky objects without a size
};

// PlaceSkyObject: the magnitude filter and projection of one object whose place is current;
// not visible when it is filtered out, off the chart or below the masked horizon. Solar-system
// bodies are placed by PlaceSolarSystemBody (chart/planets.h).
SkyPlace PlaceSkyObject(const ChartOptions& options, const ObjectRecord& record);

// PlaceDiscOrPoint: in the current frame, a disc whose angular radius has sine s when s > 0
// (IsDiscOnChart, with its pixel radius), else a point (IsOnChart). v has length 2^30.
SkyPlace PlaceDiscOrPoint(const Vector3& v, double s);

// DrawSkyObject: the symbol (or rendered star) of one placed object; its disk and label go into
// `labels`, drawn after every symbol.
void DrawSkyObject(const ChartOptions& options, const ObjectRecord& record, const SkyPlace& place,
                   ChartLabels& labels);

// DrawStarsAndDeepSky: every region that may show, region by region, gathering their labels.
// ResultOk, or ResultCancelled when Escape is held down.
int DrawStarsAndDeepSky(const ChartOptions& options, ChartLabels& labels);

// LabelOffset: the label's corner is this many pixels right of and above the symbol centre:
// 7 a / 10 + 3, a being 0 for stars and the pixel radius for disks (trimmed for diffuse nebulae
// and galaxies).
int LabelOffset(int kind, int radius);

}  // namespace qv
