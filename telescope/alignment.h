// telescope/alignment.h - two-star alignment of digital setting circles, and sky positions from
// encoder counts. Pure functions on an alignment record; radians.
//
// The mount's own frame: longitude around the polar (or azimuth) axis, latitude from its
// equator, 90 degrees at the axis. The user first points at the axis and zeroes the encoders;
// then each aligned star pairs a mount vector with a target vector (the star's R.A. and Dec.;
// for an alt-azimuth mount R.A. minus the local sidereal time as longitude). From two stars,
// with the normalised cross products of each pair as a third vector, the matrix that carries the
// mount vectors onto the target vectors is the alignment.
#pragma once

#include <cstdint>

#include "astro/vector.h"
#include "telescope/equator_of_date.h"
#include "telescope/telescope_options.h"

namespace qv {

// AlignmentState: 0 pointing at the axis, 1 zeroed, 2 one star taken, 3 aligned.
enum AlignmentState : int {
  AlignmentAtAxis = 0,
  AlignmentZeroed = 1,
  AlignmentOneStar = 2,
  AlignmentAligned = 3,
};

struct EncoderAlignment {
  int state = AlignmentAtAxis;
  double lonZero = 0, latZero = 0;  // encoder counts at the axis
  Vector3 mount[2];                 // the two most recent stars, [1] the newest
  Vector3 target[2];
  Matrix3 matrix;  // mount -> target, valid in state 3
};

struct MountAngles {
  double lon = 0, lat = 0;
};

// MountAnglesFromCounts: (count - zero) x 2 pi / steps on each axis, the latitude from 90
// degrees at the axis. Steps of 0 count as 1 (a field left empty must not divide by zero).
MountAngles MountAnglesFromCounts(const EncoderAlignment& a, double lonCount, double latCount,
                                  int32_t lonSteps, int32_t latSteps);

// FoldMountAngles: a latitude beyond either pole is folded back with the longitude turned by
// pi, whatever the number of turns; the longitude is wrapped into [0, 2 pi).
MountAngles FoldMountAngles(MountAngles m);

// AlignmentTargetVector: the unit vector a star stands for: its R.A. (equatorial mount) or
// R.A. - sidereal time (alt-azimuth) as longitude, its Dec. as latitude.
Vector3 AlignmentTargetVector(const EquatorialPosition& star, int mount, double siderealTime);

// ZeroEncoders: the counts at the axis; state 0 -> 1. Returns the next instruction (2711).
int ZeroEncoders(EncoderAlignment& a, double lonCount, double latCount);

// AlignmentQuestions: before a star from the second on is taken, the caller asks the user
//   offset      (string 2715, with offsetDegrees) when the star's separation from the previous
//               star differs by more than 1 degree between the mount and the sky
//   tooClose    (string 2716, with separationDegrees) when the mount moved less than 10 degrees
// A No to either abandons the star (TakeAlignmentStar is not called).
struct AlignmentQuestions {
  bool offset = false, tooClose = false;
  double offsetDegrees = 0, separationDegrees = 0;
};
AlignmentQuestions CheckAlignmentStar(const EncoderAlignment& a, const Vector3& mount,
                                      const Vector3& target);

// TakeAlignmentStar: keeps the star as the newest of two; from the second star on makes the
// matrix. The state advances 1 -> 2 -> 3 and stays at 3. Returns the next instruction (2712 or
// 2713); 0 when the two stars' vectors are parallel, which leaves the alignment as it was.
int TakeAlignmentStar(EncoderAlignment& a, const Vector3& mount, const Vector3& target);

// MatrixFromStarPairs: the matrix M with M m_i = t_i for i = 1, 2 and the cross products;
// false when either pair is parallel.
bool MatrixFromStarPairs(const Vector3 mount[2], const Vector3 target[2], Matrix3& out);

// PositionFromMountAngles: the folded angles unchanged before state 3 (equatorial: R.A. and
// Dec.); aligned, the mount vector through the matrix, plus the sidereal time for alt-azimuth.
EquatorialPosition PositionFromMountAngles(const EncoderAlignment& a, MountAngles m, int mount,
                                           double siderealTime);

}  // namespace qv
