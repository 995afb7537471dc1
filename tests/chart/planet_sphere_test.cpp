// Rendered globes and rings: which point of the surface map lands under each pixel for any
// turn of the globe (checked against the textbook orthographic inverse), lighting and eclipses,
// colours off, the rings' profile, extent and halves, and clipping at the image's edges.
#include "chart/planet_sphere.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "tests/chart/canvas.h"
#include "tests/chart/planet_globe.h"

namespace qv {
namespace {

using test::Deg;
using test::Globe;
using test::ViewOf;

constexpr int X = 60, Y = 50, R = 40;
constexpr double West = 270 * Deg;

// A map whose texels say where they are: red = longitude (0-255 over 360 degrees), green =
// colatitude (0-255 over 180 degrees), blue 255 as the reference for the lighting's factor.
struct CodedMap {
  static constexpr int Width = 256, Height = 256;
  std::vector<uint8_t> rgb = std::vector<uint8_t>(Width * Height * 3);
  CodedMap() {
    for (int row = 0; row < Height; ++row) {
      for (int column = 0; column < Width; ++column) {
        uint8_t* t = &rgb[(row * Width + column) * 3];
        t[0] = static_cast<uint8_t>(column);
        t[1] = static_cast<uint8_t>(row);
        t[2] = 255;
      }
    }
  }
  SurfaceMap Map() const { return {Width, Height, rgb.data()}; }
};

struct Decoded {
  double lon, lat;
};
Decoded DecodeTexel(Color c) {
  const double light = BlueOf(c) / 255.0;
  return {(RedOf(c) / light + 0.5) / 256 * 2 * std::numbers::pi,
          std::numbers::pi / 2 - (GreenOf(c) / light + 0.5) / 256 * std::numbers::pi};
}

TEST(PlanetSphere, SurfaceUnderEachPixelMatchesTheOrthographicGlobe) {
  // Lit from the viewer's side, so every pixel of the disk shows its texel. Tolerance 3 degrees:
  // half a texel (0.7 degree) and the truncated light factor, up to 1.3 steps of red or green
  // (1.8 degrees) at the dimmest pixels checked; a turn in the wrong sense, a swapped axis or a
  // mirrored map misses by tens of degrees.
  const CodedMap coded;
  const Globe globes[] = {
      {},
      {.centralLongitude = 100 * Deg, .centralLatitude = 25 * Deg, .poleAngle = 40 * Deg},
      {.centralLongitude = 300 * Deg,
       .centralLatitude = -60 * Deg,
       .poleAngle = 200 * Deg,
       .withRotation = true},
      {.centralLongitude = 45 * Deg,
       .centralLatitude = 10 * Deg,
       .poleAngle = -20 * Deg,
       .mirrored = true},
      {.centralLongitude = 200 * Deg,
       .centralLatitude = -5 * Deg,
       .poleAngle = 80 * Deg,
       .withRotation = true,
       .mirrored = true},
  };
  for (const Globe& g : globes) {
    SCOPED_TRACE(testing::Message() << g.centralLongitude << " " << g.centralLatitude << " "
                                    << g.poleAngle << " " << g.withRotation << g.mirrored);
    Canvas canvas(120, 100);
    RenderGlobe(canvas.image(), ViewOf(KindMars, X, Y, R, g), coded.Map(), TintNatural);
    for (int py = Y - R; py <= Y + R; py += 5) {
      for (int px = X - R; px <= X + R; px += 5) {
        const double u = double(px - X) / R, v = double(Y - py) / R;
        if (u * u + v * v > 0.5) continue;  // keep away from the dim limb
        const Decoded got = DecodeTexel(canvas.At(px, py));
        const test::LonLat want = test::GlobePointUnder(g, u, v);
        EXPECT_NEAR(test::AngleDifference(got.lon, want.lon) * std::cos(want.lat), 0, 3 * Deg)
            << px << "," << py;
        EXPECT_NEAR(got.lat, want.lat, 3 * Deg) << px << "," << py;
      }
    }
  }
}

TEST(PlanetSphere, LightingFollowsTheSunAndEclipsesDarkenTheGlobe) {
  const SurfaceMap grey{};  // no map: uniform grey 192
  Canvas canvas(120, 100);
  // Half lit from the west (right): c = u on the equator.
  RenderGlobe(canvas.image(),
              ViewOf(KindMoon, X, Y, R, Globe{.phase = std::numbers::pi / 2, .brightLimb = West}),
              grey, TintNatural);
  const int half = static_cast<int>(192 * std::pow(0.5, 0.72));
  EXPECT_EQ(canvas.At(X + R / 2, Y), MakeColor(half, half, half));
  EXPECT_EQ(canvas.At(X - R / 2, Y), ColorBlack);
  EXPECT_EQ(canvas.At(X + R - 1, Y - 2),
            canvas.At(X + R - 1, Y + 2));  // symmetric about the equator
  // Full: the centre is the map's grey itself.
  RenderGlobe(canvas.image(), ViewOf(KindMoon, X, Y, R, Globe{}), grey, TintNatural);
  EXPECT_EQ(canvas.At(X, Y), MakeColor(MissingMapGrey, MissingMapGrey, MissingMapGrey));
  // In its primary's shadow (phase angle pi) the whole globe is black.
  RenderGlobe(canvas.image(), ViewOf(KindIo, X, Y, R, Globe{.phase = std::numbers::pi}), grey,
              TintNatural);
  EXPECT_EQ(canvas.Lit(), PixelSet{});
}

TEST(PlanetSphere, WithoutColoursTexelsAreGreyOrRed) {
  std::vector<uint8_t> rgb = {200, 100, 0};  // one texel
  const SurfaceMap map{1, 1, rgb.data()};
  struct Case {
    TexelTint tint;
    Color centre;
  };
  for (const Case& c :
       {Case{TintNatural, MakeColor(200, 100, 0)}, Case{TintGrey, MakeColor(100, 100, 100)},
        Case{TintRed, MakeColor(100, 0, 0)}}) {
    Canvas canvas(120, 100);
    RenderGlobe(canvas.image(), ViewOf(KindMars, X, Y, R, Globe{}), map, c.tint);
    EXPECT_EQ(canvas.At(X, Y), c.centre);
  }
}

TEST(PlanetSphere, GlobeIsClippedToTheImage) {
  Canvas canvas(50, 40);
  RenderGlobe(canvas.image(), ViewOf(KindMars, -10, 45, 30, Globe{}), SurfaceMap{}, TintNatural);
  const Canvas::Box box = canvas.LitBox();
  EXPECT_EQ(box.left, 0);
  EXPECT_EQ(box.right, 19);  // x - r < px < x + r
  EXPECT_EQ(box.top, 17);
  EXPECT_EQ(box.bottom, 39);
}

constexpr int RX = 100, RY = 60, RR = 20;
const Globe RingTilt{.centralLatitude = 25 * Deg};  // north pole up, turned toward the viewer

// The ring brightening of a black pixel at full opacity: 255 x (1, 0.88, 0.82), truncated.
constexpr Color FullRing = MakeColor(255, 224, 209);

TEST(PlanetSphere, RingsSpanTheirRadiiWithTheProfilesOpacity) {
  const std::vector<uint8_t> opaque = {255, 0, 0};
  const PlanetView view = ViewOf(KindSaturn, RX, RY, RR, RingTilt);
  Canvas canvas(200, 120);
  RenderRings(canvas.image(), view, SurfaceMap{1, 1, opaque.data()}, RingsBehind, TintNatural);
  RenderRings(canvas.image(), view, SurfaceMap{1, 1, opaque.data()}, RingsInFront, TintNatural);
  // Along the line of nodes the rings run from 1.2324 r to 2.3217 r.
  for (int side : {-1, 1}) {
    EXPECT_EQ(canvas.At(RX + side * 25, RY), FullRing);    // 1.25 r
    EXPECT_EQ(canvas.At(RX + side * 46, RY), FullRing);    // 2.30 r
    EXPECT_EQ(canvas.At(RX + side * 24, RY), ColorBlack);  // 1.20 r
    EXPECT_EQ(canvas.At(RX + side * 47, RY), ColorBlack);  // 2.35 r
  }
  // Across it they are flattened by the sine of the tilt: 1.8 r sin 25 = 15.2 pixels.
  EXPECT_EQ(canvas.At(RX, RY - 15), FullRing);
  EXPECT_EQ(canvas.At(RX, RY + 15), FullRing);
  EXPECT_EQ(canvas.At(RX, RY - 21), ColorBlack);

  // Half opacity on a grey pixel, and the profile read across its first row: inner half clear.
  const std::vector<uint8_t> profile = {0, 0, 0, 128, 0, 0, 99, 99, 99, 99, 99, 99};  // 2 x 2
  Canvas grey(200, 120);
  SetPen(MakeColor(100, 100, 100), 0, true);
  DrawRect(Rect{0, 0, 200, 120});
  RenderRings(grey.image(), view, SurfaceMap{2, 2, profile.data()}, RingsInFront, TintNatural);
  const double a = 128 / 255.0;
  EXPECT_EQ(grey.At(RX, RY + 13), MakeColor(100, 100, 100));  // 1.54 r: the clear inner half
  EXPECT_EQ(grey.At(RX, RY + 17),
            MakeColor(static_cast<int>(100 + 155 * a), static_cast<int>(100 + 155 * a * 0.88),
                      static_cast<int>(100 + 155 * a * 0.82)));  // 2.0 r
}

TEST(PlanetSphere, FarHalfOfTheRingsIsHiddenBehindTheGlobe) {
  // Back rings, globe, front rings: above the centre (the far side) the globe covers the rings,
  // below it the rings cross the globe.
  const std::vector<uint8_t> opaque = {255, 0, 0};
  const SurfaceMap profile{1, 1, opaque.data()};
  const PlanetView view = ViewOf(KindSaturn, RX, RY, RR, RingTilt);
  Canvas canvas(200, 120);
  RenderRings(canvas.image(), view, profile, RingsBehind, TintNatural);
  const Color farRing = canvas.At(RX, RY - 15);
  EXPECT_EQ(farRing, FullRing);
  EXPECT_EQ(canvas.At(RX, RY + 15), ColorBlack);  // not yet: it lies in front
  RenderGlobe(canvas.image(), view, SurfaceMap{}, TintNatural);
  RenderRings(canvas.image(), view, profile, RingsInFront, TintNatural);
  const Color covered = canvas.At(RX, RY - 15);  // the plain grey globe there
  EXPECT_GT(RedOf(covered), 0);
  EXPECT_EQ(RedOf(covered), BlueOf(covered));
  EXPECT_EQ(RedOf(canvas.At(RX, RY + 15)), 255);  // rings over the globe
  // Seen edge-on the rings cover no pixel.
  Canvas edge(200, 120);
  RenderRings(edge.image(), ViewOf(KindSaturn, RX, RY, RR, Globe{}), profile, RingsInFront,
              TintNatural);
  EXPECT_EQ(edge.Lit(), PixelSet{});
}

TEST(PlanetSphere, RingsWithoutProfileOrColours) {
  const PlanetView view = ViewOf(KindSaturn, RX, RY, RR, RingTilt);
  Canvas canvas(200, 120);
  RenderRings(canvas.image(), view, SurfaceMap{}, RingsInFront, TintGrey);  // opacity 192 / 255
  const int grey = static_cast<int>(255 * (192 / 255.0) * 0.9);
  EXPECT_EQ(canvas.At(RX, RY + 15), MakeColor(grey, grey, grey));
  const std::vector<uint8_t> opaque = {255, 0, 0};
  RenderRings(canvas.image(), view, SurfaceMap{1, 1, opaque.data()}, RingsBehind, TintRed);
  EXPECT_EQ(canvas.At(RX, RY - 15), MakeColor(255, 0, 0));
}

}  // namespace
}  // namespace qv
