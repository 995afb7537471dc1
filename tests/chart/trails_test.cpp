// The trail list's slots: filling, replacing, deleting and visiting trails.
#include "chart/trails.h"

#include <gtest/gtest.h>

#include <vector>

namespace qv {
namespace {

class TrailListTest : public ::testing::Test {
 protected:
  void SetUp() override { DeleteAllTrails(); }
  void TearDown() override { DeleteAllTrails(); }

  static std::vector<ObjectId> VisitedObjects() {
    std::vector<ObjectId> objects;
    for (int slot = FirstTrail(); slot != 0; slot = NextTrail(slot)) {
      objects.push_back(GetTrail(slot)->Object);
    }
    return objects;
  }
};

TEST_F(TrailListTest, HoldsAtMost255TrailsInSlotsOneTo255) {
  for (ObjectId object = 1; object <= 255; ++object) {
    ASSERT_EQ(CreateTrail(object, TrailInSky, 10, 1, 0), static_cast<int>(object));
  }
  EXPECT_EQ(TrailCount(), 255);
  EXPECT_EQ(CreateTrail(1000, TrailInSky, 10, 1, 0), 0);
  EXPECT_EQ(TrailCount(), 255);
  EXPECT_EQ(FindTrail(1000), 0);
  // A new trail for an object that has one still fits: the old one goes first.
  EXPECT_EQ(CreateTrail(77, TrailInSpace, 5, 0, 0), 77);
  EXPECT_EQ(GetTrail(77)->Type, TrailInSpace);
  EXPECT_EQ(GetTrail(0), nullptr);
  EXPECT_EQ(GetTrail(256), nullptr);
}

TEST_F(TrailListTest, ReplacingAnObjectsTrailKeepsOneTrailInTheLowestFreeSlot) {
  CreateTrail(10, TrailInSky, 3, 1, 0);
  CreateTrail(20, TrailInSky, 3, 1, 0);
  CreateTrail(30, TrailInSky, 3, 1, 0);
  const int slot = CreateTrail(20, TrailInCurrentCoordinates, 7, 2, 3);
  EXPECT_EQ(slot, 2);
  EXPECT_EQ(TrailCount(), 3);
  const Trail* trail = GetTrail(FindTrail(20));
  ASSERT_NE(trail, nullptr);
  EXPECT_EQ(trail->Type, TrailInCurrentCoordinates);
  EXPECT_EQ(trail->Capacity, 7);
  EXPECT_EQ(trail->TicksInterval, 2);
  EXPECT_EQ(trail->DatesInterval, 3);
}

TEST_F(TrailListTest, CapacityBelowOneCreatesNothing) {
  for (int32_t capacity : {0, -1, INT32_MIN}) {
    EXPECT_EQ(CreateTrail(5, TrailInSky, capacity, 1, 0), 0);
  }
  EXPECT_EQ(TrailCount(), 0);
  EXPECT_EQ(FirstTrail(), 0);
}

TEST_F(TrailListTest, VisitsTrailsInSlotOrderAcrossGaps) {
  for (ObjectId object : {5u, 6u, 7u, 8u}) CreateTrail(object, TrailInSky, 2, 0, 0);
  DeleteTrail(1);
  DeleteTrail(3);
  DeleteTrail(3);    // already empty: the count must not drop twice
  DeleteTrail(0);    // never a trail
  DeleteTrail(999);  // outside the list
  EXPECT_EQ(VisitedObjects(), (std::vector<ObjectId>{6, 8}));
  EXPECT_EQ(TrailCount(), 2);
  EXPECT_EQ(CreateTrail(9, TrailInSky, 2, 0, 0), 1);  // the lowest free slot
  EXPECT_EQ(VisitedObjects(), (std::vector<ObjectId>{9, 6, 8}));
  EXPECT_EQ(NextTrail(255), 0);
}

TEST_F(TrailListTest, ResetForgetsPointsAndKeepsTrails) {
  const int slot = CreateTrail(4, TrailInSky, 3, 1, 0);
  GetTrail(slot)->Points.assign(3, TrailPoint{1, 2, 3, 4});
  ResetAllTrails();
  ASSERT_NE(GetTrail(slot), nullptr);
  EXPECT_TRUE(GetTrail(slot)->Points.empty());
  DeleteAllTrails();
  EXPECT_EQ(TrailCount(), 0);
  EXPECT_EQ(GetTrail(slot), nullptr);
}

}  // namespace
}  // namespace qv
