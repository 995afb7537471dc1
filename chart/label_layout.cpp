// chart/label_layout.cpp - label placement without overlaps (see label_layout.h).
// Boxes and disks are kept in a grid of square cells, so each trial looks only at its
// neighbours: a crowded chart holds thousands of disks and hundreds of labels.
#include "chart/label_layout.h"

#include <algorithm>
#include <array>

namespace qv {
namespace {

constexpr int CellSize = 32;  // pixels; about two label heights

bool BoxesIntersect(const Rect& a, const Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool BoxInside(const Rect& box, const Rect& area) {
  return box.left >= area.left && box.top >= area.top && box.right <= area.right &&
         box.bottom <= area.bottom;
}

// A disk touches a box when the box's pixel nearest to its centre lies within its radius.
bool DiskTouchesBox(const LabelDisk& d, const Rect& box) {
  const int nx = std::clamp(d.x, box.left, box.right - 1);
  const int ny = std::clamp(d.y, box.top, box.bottom - 1);
  const int64_t dx = nx - d.x, dy = ny - d.y;
  return dx * dx + dy * dy <= static_cast<int64_t>(d.radius) * d.radius;
}

// The cells of the area, each listing the taken boxes and disks that reach into it.
class CellGrid {
 public:
  explicit CellGrid(const Rect& area)
      : area_(area),
        columns_(std::max(1, (RectWidth(area) + CellSize - 1) / CellSize)),
        rows_(std::max(1, (RectHeight(area) + CellSize - 1) / CellSize)),
        boxes_(static_cast<size_t>(columns_) * rows_),
        disks_(boxes_.size()) {}

  void AddDisk(const LabelDisk& d) {
    const Rect reach{d.x - d.radius, d.y - d.radius, d.x + d.radius + 1, d.y + d.radius + 1};
    ForCells(reach, [&](size_t cell) { disks_[cell].push_back(d); });
  }

  void AddBox(const Rect& box) {
    ForCells(box, [&](size_t cell) { boxes_[cell].push_back(box); });
  }

  bool Free(const Rect& box) const {
    bool free = true;
    ForCells(box, [&](size_t cell) {
      for (const Rect& taken : boxes_[cell]) free = free && !BoxesIntersect(box, taken);
      for (const LabelDisk& d : disks_[cell]) free = free && !DiskTouchesBox(d, box);
    });
    return free;
  }

 private:
  template <typename Visit>
  void ForCells(const Rect& box, Visit visit) const {
    const int c0 = std::max(0, (box.left - area_.left) / CellSize);
    const int c1 = std::min(columns_ - 1, (box.right - 1 - area_.left) / CellSize);
    const int r0 = std::max(0, (box.top - area_.top) / CellSize);
    const int r1 = std::min(rows_ - 1, (box.bottom - 1 - area_.top) / CellSize);
    for (int r = r0; r <= r1; ++r) {
      for (int c = c0; c <= c1; ++c) visit(static_cast<size_t>(r) * columns_ + c);
    }
  }

  Rect area_;
  int columns_, rows_;
  std::vector<std::vector<Rect>> boxes_;
  std::vector<std::vector<LabelDisk>> disks_;
};

// The eight trial boxes in the order they are tried.
std::array<Rect, 8> TrialBoxes(const LabelRequest& q) {
  const int d = q.offset, w = q.width, h = q.height;
  const int right = q.x + d, left = q.x - d - w, centreX = q.x - w / 2;
  const int above = q.y - d - h, below = q.y + d, middle = q.y - h / 2;
  return {
      Rect{right, above, right + w, above + h},     Rect{left, above, left + w, above + h},
      Rect{right, below, right + w, below + h},     Rect{left, below, left + w, below + h},
      Rect{right, middle, right + w, middle + h},   Rect{left, middle, left + w, middle + h},
      Rect{centreX, above, centreX + w, above + h}, Rect{centreX, below, centreX + w, below + h}};
}

}  // namespace

Rect UsualLabelBox(const LabelRequest& request) { return TrialBoxes(request)[0]; }

std::vector<Rect> PlaceLabels(const std::vector<LabelRequest>& requests,
                              const std::vector<LabelDisk>& disks, const Rect& area) {
  CellGrid grid(area);
  for (const LabelDisk& d : disks) grid.AddDisk(d);
  std::vector<Rect> placed(requests.size(), Rect{});
  for (size_t i = 0; i < requests.size(); ++i) {
    for (const Rect& box : TrialBoxes(requests[i])) {
      if (!BoxInside(box, area) || !grid.Free(box)) continue;
      grid.AddBox(box);
      placed[i] = box;
      break;
    }
  }
  return placed;
}

}  // namespace qv
