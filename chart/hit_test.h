// chart/hit_test.h - which object lies under a pixel of the chart: the hit test of one object's
// symbol, and the search through what the last drawing drew, so that repeated clicks on
// overlapping symbols visit each of them in turn.
#pragma once

#include "chart/chart_options.h"
#include "objects/records.h"

namespace qv {

constexpr int ClickTolerancePx = 3;  // finding the object under a click
constexpr int HoverTolerancePx = 5;  // whether the pointer is still over a given object

// HitTestObject: the pixel (x, y) lies on the object's symbol, widened by tolerance pixels, in
// the frame of the last drawing. Diffuse nebulae are diamonds, galaxies ellipses twice as wide
// as high, everything else a disc. An object the chart would not place is never hit.
bool HitTestObject(const ChartOptions& options, const ObjectRecord& object, int x, int y,
                   int tolerance);

// FindObjectAt: the first object hit at (x, y) among the regions the last drawing drew from,
// in store order, starting after the selected object (0: from the start) and wrapping round
// once; 0 when nothing is hit. Regions are not read from disk.
ObjectId FindObjectAt(const ChartOptions& options, int x, int y, int tolerance, ObjectId selected);

}  // namespace qv
