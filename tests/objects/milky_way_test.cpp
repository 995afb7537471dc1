// The Milky Way file: rings and their levels read as written; a damaged file reads as nothing.
#include "objects/milky_way.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "platform/result.h"

namespace qv {
namespace {

TEST(MilkyWayFile, RingsKeepTheirLevelsAndVertices) {
  MilkyWay outline;
  ASSERT_TRUE(
      ParseMilkyWay("# outline\nR 1\n0 0\n90.000 0\n0 90\n\nR 5\r\n180 -45\r\n"
                    "181 -45\r\n181 -44\r\n",
                    outline));
  ASSERT_EQ(outline.rings.size(), 2u);
  EXPECT_EQ(outline.rings[0].level, 1);
  EXPECT_EQ(outline.rings[1].level, 5);
  ASSERT_EQ(outline.rings[0].points.size(), 3u);
  EXPECT_NEAR(outline.rings[0].points[1].y, 1, 1e-12);  // R.A. 90 deg
  EXPECT_NEAR(outline.rings[0].points[2].z, 1, 1e-12);  // Dec. +90 deg
  EXPECT_NEAR(outline.rings[1].points[0].x, -std::sqrt(0.5), 1e-12);
  // The galactic pole lies 62.87 deg from the celestial one.
  EXPECT_NEAR(std::acos(NorthGalacticPole().z) * 57.29577951308232, 62.87, 0.01);
}

TEST(MilkyWayFile, DamagedFilesGiveNoOutline) {
  const char* damaged[] = {
      "R 6\n0 0\n1 0\n1 1\n",         // no such level
      "0 0\nR 1\n1 0\n1 1\n2 2\n",    // a vertex before any ring
      "R 1\n0 0\n1 0\nR 2\n0 0\n",    // rings of fewer than three vertices
      "R 1\n0 0\n1 0\n1 95\n",        // off the sphere
      "R 1\n0 0\n1 0\n1 1 2\n",       // a third number
      "R 1\n0 0\n1 0\n1 1\nnan 1\n",  // not a number
      "R 1.5\n0 0\n1 0\n1 1\n",       // a level that is not whole
      "R\n0 0\n1 0\n1 1\n",           // no level
  };
  for (const char* text : damaged) {
    MilkyWay outline;
    EXPECT_FALSE(ParseMilkyWay(text, outline)) << text;
    EXPECT_TRUE(outline.rings.empty()) << text;
  }
  MilkyWay outline;
  EXPECT_EQ(ReadMilkyWay("/nonexistent/MilkyWay.txt", outline), ResultNotFound);
}

}  // namespace
}  // namespace qv
