// platform/image_qt.h - the Image record behind platform/draw.h, for platform/ code only.
// Its header and palette are laid out as in a bitmap file; the pixels of 32-bit and device
// images live in a QImage (Format_RGB32), those of palette images in bottom-up rows.
#pragma once

#include <QImage>
#include <array>
#include <cstdint>
#include <vector>

#include "platform/draw.h"

namespace qv {

// BitmapInfoHeader: the 40-byte information header of a bitmap file, field for field.
struct BitmapInfoHeader {
  uint32_t size = 40;
  int32_t width = 0;
  int32_t height = 0;  // positive: rows bottom-up
  uint16_t planes = 1;
  uint16_t bitCount = 0;
  uint32_t compression = 0;  // uncompressed
  uint32_t sizeImage = 0;    // ((width * bitCount + 31) / 32) * 4 * height
  int32_t xPelsPerMeter = 0;
  int32_t yPelsPerMeter = 0;
  uint32_t clrUsed = 0;
  uint32_t clrImportant = 0;
};

struct PaletteEntry {
  uint8_t blue = 0, green = 0, red = 0, reserved = 0;
};

struct Image {
  BitmapInfoHeader header;
  std::array<PaletteEntry, 256> palette{};
  std::vector<uint8_t> rows;  // palette images: sizeImage bytes, bottom row first
  // 32-bit and device images: the pixels. Palette images: the 32-bit buffer drawing goes
  // through, filled from the rows when drawing begins and mapped back when it ends.
  QImage surface;
  bool device = false;
};

constexpr int ImageMaxSide = 32767;  // the drawing surface's 16-bit coordinates

// ImageRowBytes: bytes in one padded row of an image of that width and depth.
inline int ImageRowBytes(int width, int bits) { return (width * bits + 31) / 32 * 4; }

// NewSurface: an RGB32 picture of that size, its pixels not yet set; null without the memory.
QImage NewSurface(int width, int height);

// ImageToQImage: the image's pixels as an RGB32 picture, whatever its depth. For 32-bit and
// device images it shares their pixels: use it at once, keep a copy() to hold on to it.
QImage ImageToQImage(const Image& image);

// ScreenDepth: bits per pixel of the primary screen (32 without one). ScreenDotsPerInch: its
// horizontal logical pixels per inch (96 without one), the size of a pixel on paper.
int ScreenDepth();
int ScreenDotsPerInch();

}  // namespace qv
