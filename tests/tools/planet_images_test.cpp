// Planet images for the chart: cylindrical maps come out twice as wide as high with their colours
// where they were, and the ring profile's first row holds the ring map's opacity at the radii the
// chart expects (clear inside the C ring, in the Cassini division and outside the A ring).
// Written JPEGs are decoded again with libjpeg (through Qt's reader).
#include "tools/images/planet_images.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/scratch_folder.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

// Binary PPM (P6): a format the converter reads and a test can write without an encoder.
template <typename Color>
void WritePpm(const fs::path& path, int width, int height, Color color) {
  std::ofstream out(path, std::ios::binary);
  out << "P6\n" << width << " " << height << "\n255\n";
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint32_t rgb = color(x, y);
      out.put(static_cast<char>(rgb >> 16))
          .put(static_cast<char>(rgb >> 8 & 0xFF))
          .put(static_cast<char>(rgb & 0xFF));
    }
  }
}

int Channel(uint32_t rgb, int shift) { return static_cast<int>(rgb >> shift & 0xFF); }

// Profile column of a ring radius in Saturn radii.
int ProfileColumn(double radius) {
  return static_cast<int>((radius - ChartRingInner) / (ChartRingOuter - ChartRingInner) *
                          RingProfileWidth);
}

class PlanetImages : public testing::Test {
 protected:
  ScratchFolder scratch;
  fs::path dir = scratch.path();
  std::string error;
};

constexpr int JpegTolerance = 16;  // quality 90 blurs a sharp colour edge by a few levels only

TEST_F(PlanetImages, SurfaceMapsBecomeTwoToOneWithTheirColoursInPlace) {
  // A square map, west half red and east half blue, north quarter white.
  WritePpm(dir / "square.ppm", 64, 64, [](int x, int y) -> uint32_t {
    if (y < 16) return 0xFFFFFF;
    return x < 32 ? 0xFF0000 : 0x0000FF;
  });
  ASSERT_TRUE(ConvertSurfaceMap((dir / "square.ppm").string(), (dir / "Pluto.jpg").string(), error))
      << error;
  PlainImage image;
  ASSERT_TRUE(ReadPlainImage((dir / "Pluto.jpg").string(), image));
  EXPECT_EQ(image.width, 128);
  EXPECT_EQ(image.height, 64);
  EXPECT_NEAR(Channel(image.At(20, 40), 16), 255, JpegTolerance);
  EXPECT_NEAR(Channel(image.At(20, 40), 0), 0, JpegTolerance);
  EXPECT_NEAR(Channel(image.At(108, 40), 0), 255, JpegTolerance);
  EXPECT_NEAR(Channel(image.At(108, 40), 16), 0, JpegTolerance);
  EXPECT_NEAR(Channel(image.At(64, 4), 8), 255, JpegTolerance);

  // A map already wider than 2:1 keeps its width; very wide maps are capped at 2048.
  WritePpm(dir / "wide.ppm", 4096, 256, [](int, int) -> uint32_t { return 0x808080; });
  ASSERT_TRUE(ConvertSurfaceMap((dir / "wide.ppm").string(), (dir / "Wide.jpg").string(), error));
  ASSERT_TRUE(ReadPlainImage((dir / "Wide.jpg").string(), image));
  EXPECT_EQ(image.width, 2048);
  EXPECT_EQ(image.height, 1024);
}

TEST_F(PlanetImages, RingProfileMapsTheRingMapOntoTheChartsRadii) {
  // Ring map: brightness 200 with the Cassini division (columns 155-169) as clear as the map
  // gets, over four rows.
  WritePpm(dir / "rings.ppm", 256, 4,
           [](int x, int) -> uint32_t { return x >= 155 && x <= 169 ? 0x404040 : 0xC8C8C8; });
  ASSERT_TRUE(
      WriteRingProfile((dir / "rings.ppm").string(), (dir / "Saturn-Rings.jpg").string(), error))
      << error;
  PlainImage profile;
  ASSERT_TRUE(ReadPlainImage((dir / "Saturn-Rings.jpg").string(), profile));
  ASSERT_EQ(profile.width, RingProfileWidth);
  const int opaque = (200 - 64) * 255 / (255 - 64);  // brightness 200 above the clear level
  struct Case {
    const char* where;
    double radius;
    int red;
  };
  const Case cases[] = {
      {"C ring: not on the map", 1.30, 0}, {"B ring", 1.70, opaque},
      {"Cassini division", 1.9744, 0},     {"A ring", 2.15, opaque},
      {"outside the A ring", 2.30, 0},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(Channel(profile.At(ProfileColumn(c.radius), 0), 16), c.red, JpegTolerance)
        << c.where;
  }
}

TEST_F(PlanetImages, EveryMapFoundIsWrittenAndTheOthersReported) {
  const fs::path maps = dir / "textures", images = dir / "Images";
  fs::create_directories(maps);
  WritePpm(dir / "j.ppm", 32, 16, [](int, int) -> uint32_t { return 0xC08040; });
  ASSERT_TRUE(ConvertSurfaceMap((dir / "j.ppm").string(), (maps / "jupiter.jpg").string(), error));
  PlanetImagesReport report;
  ASSERT_TRUE(MakePlanetImages(maps.string(), images.string(), report, error)) << error;
  EXPECT_EQ(report.written, std::vector<std::string>{"Jupiter.jpg"});
  EXPECT_NE(std::find(report.missing.begin(), report.missing.end(), "rings.jpg"),
            report.missing.end());
  EXPECT_TRUE(fs::exists(images / "Jupiter.jpg"));
  EXPECT_FALSE(fs::exists(images / "Saturn-Rings.jpg"));

  std::ofstream(maps / "mars.jpg") << "not an image";
  EXPECT_FALSE(MakePlanetImages(maps.string(), images.string(), report, error));
  EXPECT_NE(error.find("mars.jpg"), std::string::npos) << error;
}

}  // namespace
}  // namespace qv
