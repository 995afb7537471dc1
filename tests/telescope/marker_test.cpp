// The camera field's corners: the rectangle's sides are the field's width along R.A. and its
// height along Dec., wherever the telescope points (at the equator, near a pole, across 0h).
#include "telescope/marker.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "astro/angles.h"

namespace qv {
namespace {

constexpr double Degree = std::numbers::pi / 180;
constexpr double Arcsecond = Degree / 3600;

Vector3 Midpoint(const Vector3& a, const Vector3& b) {
  const Vector3 m{a.x + b.x, a.y + b.y, a.z + b.z};
  const double length = Length(m);
  return {m.x / length, m.y / length, m.z / length};
}

double Separation(const Vector3& a, const Vector3& b) {
  Vector3 cross;
  Cross(a, b, cross);
  return std::atan2(Length(cross), Dot(a, b));
}

TEST(MarkerTest, CameraCornersSpanTheFieldAlongRightAscensionAndDeclination) {
  struct Case {
    double ra, dec, width, height;
  };
  const Case cases[] = {
      {0, 0, 0.25 * Degree, Degree / 6},
      {6.5 * 15 * Degree, 45 * Degree, 2 * Degree, 1 * Degree},
      {359.9 * Degree, -30 * Degree, 0.5 * Degree, 0.75 * Degree},
      {123 * Degree, 89.9 * Degree, 1 * Degree, 0.5 * Degree},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "ra " << c.ra / Degree << " dec " << c.dec / Degree);
    const auto corners = CameraFieldCorners({c.ra, c.dec}, c.width, c.height);
    const Vector3 top = Midpoint(corners[0], corners[1]), bottom = Midpoint(corners[2], corners[3]);
    const Vector3 left = Midpoint(corners[1], corners[2]), right = Midpoint(corners[3], corners[0]);
    EXPECT_NEAR(Separation(top, bottom), c.height, 0.01 * Arcsecond);
    EXPECT_NEAR(Separation(left, right), c.width, 0.01 * Arcsecond);
    // The top edge lies north of the centre, the first corner east of it.
    const Vector3 centre = SphericalToRectangular(c.ra, c.dec, 1);
    const Vector3 north{-std::sin(c.dec) * std::cos(c.ra), -std::sin(c.dec) * std::sin(c.ra),
                        std::cos(c.dec)};
    const Vector3 east{-std::sin(c.ra), std::cos(c.ra), 0};
    EXPECT_GT(Dot(top, north), Dot(centre, north));
    EXPECT_GT(Dot(right, east), Dot(centre, east));
  }
}

}  // namespace
}  // namespace qv
