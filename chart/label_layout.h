// chart/label_layout.h - where object labels go so that they stay readable: no label over
// another label or over a drawn star or planet disk. Pure geometry in pixels; the chart's label
// pass (chart/object_labels.h) measures and draws.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/rect.h"

namespace qv {

// LabelDisk: a drawn star or planet that labels keep off: centre and radius in pixels.
struct LabelDisk {
  int x = 0, y = 0, radius = 0;
};

// LabelRequest: a label of width x height pixels for the symbol centred on (x, y) whose usual
// corner offset is `offset` (the lower-left corner at (x + offset, y - offset)).
struct LabelRequest {
  int x = 0, y = 0, offset = 0;
  int width = 0, height = 0;
};

// PlaceLabels: the box of each request, in request order (earlier requests win), or an empty
// box (right == left) for a label left out. Each label tries the usual corner first (up right),
// then up left, down right, down left, then right, left, above and below its symbol, and takes
// the first box that lies inside `area` and touches neither a box already taken nor a disk
// (its own included: the offset must clear it).
std::vector<Rect> PlaceLabels(const std::vector<LabelRequest>& requests,
                              const std::vector<LabelDisk>& disks, const Rect& area);

// UsualLabelBox: the box at the usual corner, where every label goes when overlap is allowed.
Rect UsualLabelBox(const LabelRequest& request);

}  // namespace qv
