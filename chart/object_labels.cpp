// chart/object_labels.cpp - the chart's object labels (see object_labels.h).
#include "chart/object_labels.h"

#include <algorithm>
#include <cstdint>
#include <numeric>

#include "chart/labels.h"

namespace qv {
namespace {

constexpr int SmallestHidingRadius = 2;   // pixels: a one-pixel point hides no letter
constexpr int SolarSystemRank = -100000;  // below every magnitude in hundredths

}  // namespace

void AddLabelDisk(ChartLabels& labels, int x, int y, int radius) {
  if (radius >= SmallestHidingRadius) labels.disks.push_back({x, y, radius});
}

void AddObjectLabel(const ChartOptions& s, ChartLabels& labels, const std::string& name, int x,
                    int y, int offset, int radius, Color color, int rank) {
  const int length = static_cast<int>(std::min(name.find(';'), name.size()));
  if (length == 0) return;
  int height = 0;
  MeasureText("A", 1, nullptr, &height);
  const int width = LabelWidth(name.c_str(), length);
  // Clear the disk diagonally: the corner at 7/10 of the radius plus the usual gap.
  if (s.AvoidLabelOverlap) offset = std::max(offset, 7 * radius / 10 + 3);
  labels.labels.push_back({name.substr(0, length), color, {x, y, offset, width, height}, rank});
}

int ObjectLabelRank(bool solarSystem, int magnitude) {
  return solarSystem ? SolarSystemRank + magnitude : magnitude;
}

int DrawObjectLabels(const ChartOptions& s, const ChartLabels& labels, const Rect& area) {
  std::vector<size_t> order(labels.labels.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    return labels.labels[a].rank < labels.labels[b].rank;
  });
  std::vector<LabelRequest> requests;
  requests.reserve(order.size());
  for (size_t i : order) requests.push_back(labels.labels[i].request);
  std::vector<Rect> boxes;
  if (s.AvoidLabelOverlap) {
    boxes = PlaceLabels(requests, labels.disks, area);
  } else {
    for (const LabelRequest& q : requests) boxes.push_back(UsualLabelBox(q));
  }
  int drawn = 0;
  for (size_t k = 0; k < order.size(); ++k) {
    if (boxes[k].right == boxes[k].left) continue;
    const ObjectLabel& label = labels.labels[order[k]];
    SetPen(label.color, 1, true);
    DrawLabel(label.text.c_str(), static_cast<int>(label.text.size()), boxes[k].left,
              boxes[k].bottom);
    ++drawn;
  }
  return drawn;
}

}  // namespace qv
