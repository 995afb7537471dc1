// Two-star alignment: a mount turned by a known rotation is recovered from two stars, for both
// mounts and with an axis counting backwards; the questions about doubtful stars; folding.
#include "telescope/alignment.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "astro/angles.h"
#include "generated/string_numbers.h"

namespace qv {
namespace {

constexpr double Degree = std::numbers::pi / 180;
constexpr double Arcsecond = Degree / 3600;
constexpr int32_t LonSteps = 8192, LatSteps = -4000;  // the altitude/Dec. axis counts backwards
constexpr double LonZero = 100, LatZero = -50;

// The encoder counts at which the mount, turned by rotation (mount -> sky), points at a star.
struct Counts {
  double lon, lat;
};
Counts CountsFor(const Matrix3& rotation, const Vector3& target) {
  Vector3 m = target;
  TransformTransposed(rotation, m);
  const Spherical s = RectangularToSpherical(m);
  return {LonZero + s.lon * LonSteps / (2 * std::numbers::pi),
          LatZero + (s.lat - std::numbers::pi / 2) * LatSteps / (2 * std::numbers::pi)};
}

Vector3 MountVector(const EncoderAlignment& a, const Counts& c) {
  const MountAngles m = FoldMountAngles(MountAnglesFromCounts(a, c.lon, c.lat, LonSteps, LatSteps));
  return SphericalToRectangular(m.lon, m.lat, 1.0);
}

TEST(Alignment, TwoStarsRecoverAKnownMountRotationToAnArcsecond) {
  Matrix3 rotation;
  BuildRotation(rotation, {{AxisZ, 0.3}, {AxisY, 0.05}, {AxisX, -0.02}});
  const double siderealTime = 1.234;
  const EquatorialPosition stars[] = {{1.0, 0.4}, {2.5, -0.2}};
  for (int mount : {MountEquatorial, MountAltAzimuth}) {
    SCOPED_TRACE(mount);
    EncoderAlignment a;
    EXPECT_EQ(ZeroEncoders(a, LonZero, LatZero), MessageAlignFirstStar);
    int instruction = 0;
    for (const EquatorialPosition& star : stars) {
      const Vector3 t = AlignmentTargetVector(star, mount, siderealTime);
      const Vector3 m = MountVector(a, CountsFor(rotation, t));
      const AlignmentQuestions q = CheckAlignmentStar(a, m, t);
      EXPECT_FALSE(q.offset || q.tooClose);
      instruction = TakeAlignmentStar(a, m, t);
    }
    EXPECT_EQ(instruction, MessageAligned);
    ASSERT_EQ(a.state, AlignmentAligned);
    double worst = 0;
    for (double ra = 0.1; ra < 6.2; ra += 0.5) {
      for (double dec = -1.2; dec < 1.3; dec += 0.3) {
        const Counts c = CountsFor(rotation, AlignmentTargetVector({ra, dec}, mount, siderealTime));
        const EquatorialPosition got = PositionFromMountAngles(
            a, MountAnglesFromCounts(a, c.lon, c.lat, LonSteps, LatSteps), mount, siderealTime);
        worst = std::max(worst, AngularSeparation(got.ra, got.dec, ra, dec));
      }
    }
    EXPECT_LT(worst, Arcsecond);
  }
}

TEST(Alignment, DoubtfulStarsRaiseTheirQuestionsWithTheAngles) {
  EncoderAlignment a;
  ZeroEncoders(a, 0, 0);
  const Vector3 first = SphericalToRectangular(0, 0, 1.0);
  EXPECT_FALSE(CheckAlignmentStar(a, first, first).offset);  // the first star is never doubted
  EXPECT_EQ(TakeAlignmentStar(a, first, first), MessageAlignSecondStar);

  // 5 degrees from the first star on the mount and in the sky: too close, not offset.
  const Vector3 near = SphericalToRectangular(5 * Degree, 0, 1.0);
  AlignmentQuestions q = CheckAlignmentStar(a, near, near);
  EXPECT_TRUE(q.tooClose);
  EXPECT_FALSE(q.offset);
  EXPECT_NEAR(q.separationDegrees, 5, 1e-9);

  // The mount moved 40 degrees, the sky says 43: offset by 3.
  q = CheckAlignmentStar(a, SphericalToRectangular(40 * Degree, 0, 1.0),
                         SphericalToRectangular(43 * Degree, 0, 1.0));
  EXPECT_TRUE(q.offset);
  EXPECT_FALSE(q.tooClose);
  EXPECT_NEAR(q.offsetDegrees, 3, 1e-9);

  // A star on top of the previous one cannot make a frame: the state stays.
  EXPECT_EQ(TakeAlignmentStar(a, first, first), 0);
  EXPECT_EQ(a.state, AlignmentOneStar);
}

TEST(Alignment, AnglesFoldOverThePolesAndWrap) {
  struct Case {
    double lon, lat, wantLon, wantLat;  // degrees
  };
  for (const Case& c : {Case{10, 100, 190, 80}, Case{350, -100, 170, -80}, Case{-30, 400, 330, 40},
                        Case{725, 90, 5, 90}, Case{0, 260, 180, -80}}) {
    const MountAngles m = FoldMountAngles({c.lon * Degree, c.lat * Degree});
    EXPECT_NEAR(m.lon, c.wantLon * Degree, 1e-12) << c.lon << " " << c.lat;
    EXPECT_NEAR(m.lat, c.wantLat * Degree, 1e-12) << c.lon << " " << c.lat;
  }
  // Before the alignment the folded angles are the position.
  EncoderAlignment a;
  const EquatorialPosition p =
      PositionFromMountAngles(a, {-30 * Degree, 100 * Degree}, MountAltAzimuth, 1.0);
  EXPECT_NEAR(p.ra, 150 * Degree, 1e-12);
  EXPECT_NEAR(p.dec, 80 * Degree, 1e-12);
}

}  // namespace
}  // namespace qv
