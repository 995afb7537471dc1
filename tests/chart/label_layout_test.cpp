// Label placement: the usual corner first, the other places in turn, none over another label or
// a disk, and labels left out when nothing fits.
#include "chart/label_layout.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>

namespace qv {
namespace {

constexpr Rect Area{0, 0, 400, 300};

bool Intersect(const Rect& a, const Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool Touches(const LabelDisk& d, const Rect& b) {
  const int nx = std::clamp(d.x, b.left, b.right - 1), ny = std::clamp(d.y, b.top, b.bottom - 1);
  return (nx - d.x) * (nx - d.x) + (ny - d.y) * (ny - d.y) <= d.radius * d.radius;
}

TEST(LabelLayout, EachPlaceInTurnWhenTheEarlierOnesAreTaken) {
  // A 20 x 10 label at offset 3 from (200, 150); a disk blocks each earlier place in turn.
  const LabelRequest q{200, 150, 3, 20, 10};
  const struct {
    std::vector<LabelDisk> disks;
    Rect want;
  } cases[] = {
      {{}, {203, 137, 223, 147}},                              // up right
      {{{213, 142, 2}}, {177, 137, 197, 147}},                 // up left
      {{{213, 142, 2}, {187, 142, 2}}, {203, 153, 223, 163}},  // down right
      {{{213, 142, 2}, {187, 142, 2}, {213, 158, 2}}, {177, 153, 197, 163}},
      {{{200, 142, 14}, {200, 158, 14}}, {}},  // nothing fits
  };
  for (const auto& c : cases) {
    const std::vector<Rect> got = PlaceLabels({q}, c.disks, Area);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0], c.want) << got[0].left << "," << got[0].top;
  }
  EXPECT_EQ(UsualLabelBox(q), (Rect{203, 137, 223, 147}));
  // At the right edge the label goes to the left; the first request keeps its place.
  const std::vector<Rect> edge =
      PlaceLabels({{390, 150, 3, 20, 10}, {390, 150, 3, 20, 10}}, {}, Area);
  EXPECT_EQ(edge[0], (Rect{367, 137, 387, 147}));
  EXPECT_EQ(edge[1], (Rect{367, 153, 387, 163}));
}

TEST(LabelLayout, ACrowdedChartHasNoOverlapsAndReportsItsCount) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> x(0, Area.right - 1), y(0, Area.bottom - 1), r(2, 6);
  std::vector<LabelRequest> requests;
  std::vector<LabelDisk> disks;
  for (int i = 0; i < 300; ++i) {
    const LabelDisk d{x(random), y(random), r(random)};
    disks.push_back(d);
    requests.push_back({d.x, d.y, 7 * d.radius / 10 + 3, 30 + i % 40, 12});
  }
  const std::vector<Rect> placed = PlaceLabels(requests, disks, Area);
  int shown = 0;
  for (size_t i = 0; i < placed.size(); ++i) {
    if (placed[i].right == placed[i].left) continue;
    ++shown;
    EXPECT_TRUE(placed[i].left >= 0 && placed[i].top >= 0 && placed[i].right <= Area.right &&
                placed[i].bottom <= Area.bottom);
    for (size_t j = 0; j < i; ++j) EXPECT_FALSE(Intersect(placed[i], placed[j])) << i << " " << j;
    for (const LabelDisk& d : disks) EXPECT_FALSE(Touches(d, placed[i])) << i;
  }
  std::printf("labels shown: %d of %zu\n", shown, requests.size());
  EXPECT_GT(shown, 20);  // the brightest still get theirs
  EXPECT_LT(shown, 300);
}

}  // namespace
}  // namespace qv
