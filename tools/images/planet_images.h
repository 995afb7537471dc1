// tools/images/planet_images.h - the planet surface images and Saturn's ring profile that the
// chart reads from "Images/" beside the program, made from the cylindrical maps of Debian's
// openuniverse-common (/usr/share/openuniverse/textures). Plain types only: the Qt image code
// stays in the .cpp.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qv {

// Ring radii in Saturn radii: the chart's profile spans the C ring to the outside of the A ring;
// the package's ring map covers the B ring to the A ring's edge (its Cassini division starts at
// column 155 of 256 and its Encke gap lies at column 240.5, so with the division's inner edge at
// 117,580 km and the gap at 133,589 km its columns run from 1.469 to 2.265 Saturn radii).
constexpr double ChartRingInner = 1.2324;
constexpr double ChartRingOuter = 2.3217;
constexpr double MapRingInner = 1.469;
constexpr double MapRingOuter = 2.265;
constexpr int RingProfileWidth = 512;

struct PlainImage {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // 0xRRGGBB, row by row from the top
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// ReadPlainImage: any image format Qt reads; false when the file cannot be read.
bool ReadPlainImage(const std::string& path, PlainImage& image);

// ConvertSurfaceMap: a cylindrical map (longitude across, north at the top) resampled to twice
// as wide as high (at least the source's width, at most 2048) and written as an RGB JPEG.
bool ConvertSurfaceMap(const std::string& source, const std::string& target, std::string& error);

// WriteRingProfile: the ring map's brightness across its columns becomes the opacity (red)
// profile over ChartRingInner..ChartRingOuter in every row of a RingProfileWidth-wide JPEG; the
// map's darkest gaps (a quarter of full brightness) count as clear, radii it does not cover as
// empty.
bool WriteRingProfile(const std::string& source, const std::string& target, std::string& error);

struct PlanetImagesReport {
  std::vector<std::string> written;  // "Jupiter.jpg", ..., "Saturn-Rings.jpg"
  std::vector<std::string> missing;  // source maps not found: those bodies stay grey spheres
};

// MakePlanetImages: every body of the chart's image list that has a map in sourceDir; false
// when an image cannot be written.
bool MakePlanetImages(const std::string& sourceDir, const std::string& imagesDir,
                      PlanetImagesReport& report, std::string& error);

}  // namespace qv
