// platform/image.cpp - off-screen images: creation, palette, rows and pixel values, and the
// mapping between palette rows and the 32-bit buffer that drawing goes through.
#include <sys/mman.h>

#include <QGuiApplication>
#include <QScreen>
#include <cstdint>
#include <memory>
#include <new>
#include <unordered_map>

#include "platform/draw_qt.h"
#include "platform/image_qt.h"

namespace qv {
namespace {

constexpr uint64_t ImageMaxBytes = uint64_t{1} << 30;

// The first 16 palette entries of every palette image; the rest start black.
constexpr uint8_t DefaultPalette[16][3] = {
    {0, 0, 0},     {255, 255, 255}, {255, 0, 0},     {0, 255, 0},     {0, 0, 255}, {0, 255, 255},
    {255, 0, 255}, {255, 255, 0},   {192, 192, 192}, {127, 127, 127}, {127, 0, 0}, {0, 127, 0},
    {0, 0, 127},   {0, 127, 127},   {127, 0, 127},   {127, 127, 0},
};

std::unique_ptr<DrawTarget> imageTarget;
Image* imageDrawn = nullptr;  // the image imageTarget draws into

bool IsPaletteDepth(int bits) { return bits == 1 || bits == 4 || bits == 8; }

int PaletteSize(const Image& image) {
  return IsPaletteDepth(image.header.bitCount) ? 1 << image.header.bitCount : 0;
}

uint32_t PaletteRGB32(const PaletteEntry& e) { return PixelValueFromRGB(e.red, e.green, e.blue); }

// NearestPaletteIndex: the entry closest in RGB distance among the image's 2^bits entries;
// the lowest index wins a tie.
int NearestPaletteIndex(const Image& image, uint32_t rgb) {
  const int r = rgb >> 16 & 0xff, g = rgb >> 8 & 0xff, b = rgb & 0xff;
  int best = 0;
  int bestDistance = INT32_MAX;
  for (int i = 0, n = PaletteSize(image); i < n; ++i) {
    const PaletteEntry& e = image.palette[i];
    const int dr = e.red - r, dg = e.green - g, db = e.blue - b;
    const int distance = dr * dr + dg * dg + db * db;
    if (distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return best;
}

}  // namespace

namespace {

// Pixels of an image of 2 MB or more are mapped for it alone, aligned to and advised into the
// system's 2 MB pages: drawing a full-screen chart then first touches a handful of pages instead
// of one 4 KB page per 1024 pixels, each of them a fault that costs dearly on a virtual machine.
constexpr size_t LargePageBytes = size_t{2} << 20;

struct PixelMapping {
  void* start;
  size_t length;
};

void UnmapPixels(void* info) {
  const auto* mapping = static_cast<PixelMapping*>(info);
  munmap(mapping->start, mapping->length);
  delete mapping;
}

// MapLargePages: length bytes (a multiple of LargePageBytes) of zeroed memory aligned to
// LargePageBytes, as a mapping of its own; null when the system has none to give.
void* MapLargePages(size_t length) {
  const size_t spare = LargePageBytes;  // room to slide the start up to the next boundary
  void* mapped =
      mmap(nullptr, length + spare, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapped == MAP_FAILED) return nullptr;
  const auto base = reinterpret_cast<uintptr_t>(mapped);
  const uintptr_t start = (base + LargePageBytes - 1) & ~(LargePageBytes - 1);
  if (start > base) munmap(mapped, start - base);
  if (start + length < base + length + spare)
    munmap(reinterpret_cast<void*>(start + length), base + spare - start);
  madvise(reinterpret_cast<void*>(start), length, MADV_HUGEPAGE);  // a hint: 4 KB pages do too
  return reinterpret_cast<void*>(start);
}

}  // namespace

QImage NewSurface(int width, int height) {
  const size_t bytes = size_t(width) * size_t(height) * 4;
  if (bytes < LargePageBytes) return QImage(width, height, QImage::Format_RGB32);
  const size_t length = (bytes + LargePageBytes - 1) & ~(LargePageBytes - 1);
  void* pixels = MapLargePages(length);
  if (!pixels) return QImage();
  auto* mapping = new (std::nothrow) PixelMapping{pixels, length};
  if (!mapping) {
    munmap(pixels, length);
    return QImage();
  }
  return QImage(static_cast<uchar*>(pixels), width, height, width * 4, QImage::Format_RGB32,
                UnmapPixels, mapping);
}

namespace {
const QScreen* PrimaryScreen() {
  auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
  return app ? app->primaryScreen() : nullptr;
}
// Palette rows to the 32-bit buffer drawing goes through, and back: each colour mapped to the
// nearest of the first 2^bits palette entries.
void ImageSurfaceFromRows(Image& image) { image.surface = ImageToQImage(image); }

void ImageRowsFromSurface(Image& image) {
  // Drawn charts hold few colours in long runs: remember the last one and every one seen.
  std::unordered_map<uint32_t, int> seen;
  uint32_t lastColor = PaletteRGB32(image.palette[0]);
  int lastIndex = NearestPaletteIndex(image, lastColor);
  for (int y = 0; y < image.header.height; ++y) {
    const auto* in = reinterpret_cast<const uint32_t*>(image.surface.constScanLine(y));
    uint8_t* row = ImageRow(&image, y);
    for (int x = 0; x < image.header.width; ++x) {
      const uint32_t color = in[x] | 0xff000000u;
      if (color != lastColor) {
        auto [it, added] = seen.try_emplace(color, 0);
        if (added) it->second = NearestPaletteIndex(image, color);
        lastColor = color;
        lastIndex = it->second;
      }
      SetPixelValue(&image, row, x, lastIndex);
    }
  }
}

}  // namespace

// --- Images as drawing targets --------------------------------------------------------------

bool BeginImageDrawing(WindowRecord* /*window*/, Image* image) {
  if (!image) return false;
  if (image->header.bitCount <= 8) ImageSurfaceFromRows(*image);
  if (image->surface.isNull()) return false;
  EndImageDrawing();
  imageTarget = NewSurfaceTarget(image->surface);
  imageDrawn = image;
  BeginDrawing(imageTarget.get());
  return true;
}

void EndImageDrawing() {
  if (!imageTarget) return;
  EndDrawing(imageTarget.get());
  if (imageDrawn->header.bitCount <= 8) {
    ImageRowsFromSurface(*imageDrawn);
    imageDrawn->surface = QImage();  // the rows hold the pixels again
  }
  imageTarget.reset();
  imageDrawn = nullptr;
}

int ScreenDepth() {
  const QScreen* screen = PrimaryScreen();
  return screen ? screen->depth() : 32;
}

int ScreenDotsPerInch() {
  const QScreen* screen = PrimaryScreen();
  return screen ? qRound(screen->logicalDotsPerInchX()) : 96;
}

Image* NewImage(int width, int height, int bits) {
  if (width < 1 || height < 1 || width > ImageMaxSide || height > ImageMaxSide) return nullptr;
  if (bits != 0 && bits != 32 && !IsPaletteDepth(bits)) return nullptr;
  const int depth = bits == 0 ? ScreenDepth() : bits;
  const uint64_t size = uint64_t(ImageRowBytes(width, depth)) * uint64_t(height);
  if (size > ImageMaxBytes) return nullptr;

  auto* image = new (std::nothrow) Image;
  if (!image) return nullptr;
  image->header.width = width;
  image->header.height = height;
  image->header.bitCount = static_cast<uint16_t>(depth);
  image->header.sizeImage = static_cast<uint32_t>(size);
  image->device = bits == 0;
  if (IsPaletteDepth(bits)) {
    for (int i = 0; i < 16; ++i) {
      image->palette[i] = {DefaultPalette[i][2], DefaultPalette[i][1], DefaultPalette[i][0], 0};
    }
    try {
      image->rows.assign(size, 0);
    } catch (const std::bad_alloc&) {
      delete image;
      return nullptr;
    }
  } else {
    image->surface = NewSurface(width, height);
    if (image->surface.isNull()) {
      delete image;
      return nullptr;
    }
    image->surface.fill(PixelValueFromRGB(0, 0, 0));
  }
  return image;
}

void DisposeImage(Image* image) {
  if (image && image == imageDrawn) EndImageDrawing();
  delete image;
}

int ImageWidth(const Image* image) { return image ? image->header.width : 0; }
int ImageHeight(const Image* image) { return image ? image->header.height : 0; }
int ImageDepth(const Image* image) { return image ? image->header.bitCount : 0; }

void SetImagePaletteEntry(Image* image, int index, int red, int green, int blue) {
  if (!image || index < 0 || index >= PaletteSize(*image)) return;
  image->palette[index] = {static_cast<uint8_t>(blue), static_cast<uint8_t>(green),
                           static_cast<uint8_t>(red), 0};
}

void GetImagePaletteEntry(const Image* image, int index, int* red, int* green, int* blue) {
  PaletteEntry e;
  if (image && index >= 0 && index < PaletteSize(*image)) e = image->palette[index];
  if (red) *red = e.red;
  if (green) *green = e.green;
  if (blue) *blue = e.blue;
}

uint8_t* ImageRow(Image* image, int y) {
  return const_cast<uint8_t*>(ImageRow(static_cast<const Image*>(image), y));
}

const uint8_t* ImageRow(const Image* image, int y) {
  if (!image || image->device || y < 0 || y >= image->header.height) return nullptr;
  if (image->header.bitCount == 32) {
    // The surface is never shared, so the constant scan line is the image's own memory.
    return image->surface.constScanLine(y);
  }
  const int rowBytes = ImageRowBytes(image->header.width, image->header.bitCount);
  return image->rows.data() + size_t(image->header.height - 1 - y) * rowBytes;
}

uint32_t GetPixelValue(const Image* image, const uint8_t* row, int x) {
  if (!image || !row || x < 0 || x >= image->header.width) return 0;
  switch (image->header.bitCount) {
    case 32:
      return reinterpret_cast<const uint32_t*>(row)[x];
    case 8:
      return row[x];
    case 4:
      return (x & 1) ? row[x / 2] & 0x0f : row[x / 2] >> 4;
    case 1:
      return row[x / 8] >> (7 - x % 8) & 1;
    default:
      return 0;
  }
}

void SetPixelValue(const Image* image, uint8_t* row, int x, uint32_t value) {
  if (!image || !row || x < 0 || x >= image->header.width) return;
  switch (image->header.bitCount) {
    case 32:
      reinterpret_cast<uint32_t*>(row)[x] = value | 0xff000000u;
      break;
    case 8:
      row[x] = static_cast<uint8_t>(value);
      break;
    case 4: {
      const int shift = (x & 1) ? 0 : 4;
      row[x / 2] = static_cast<uint8_t>((row[x / 2] & ~(0x0f << shift)) | (value & 0x0f) << shift);
      break;
    }
    case 1: {
      const int bit = 7 - x % 8;
      row[x / 8] = static_cast<uint8_t>((row[x / 8] & ~(1 << bit)) | (value & 1) << bit);
      break;
    }
    default:
      break;
  }
}

void PixelValueToRGB(const Image* image, uint32_t value, int* red, int* green, int* blue) {
  int r = 0, g = 0, b = 0;
  if (image && image->header.bitCount > 8) {
    r = value >> 16 & 0xff;
    g = value >> 8 & 0xff;
    b = value & 0xff;
  } else if (image && value < uint32_t(PaletteSize(*image))) {
    const PaletteEntry& e = image->palette[value];
    r = e.red;
    g = e.green;
    b = e.blue;
  }
  if (red) *red = r;
  if (green) *green = g;
  if (blue) *blue = b;
}

QImage ImageToQImage(const Image& image) {
  if (image.header.bitCount > 8) return image.surface;
  const int width = image.header.width, height = image.header.height;
  QImage out = NewSurface(width, height);
  if (out.isNull()) return out;
  for (int y = 0; y < height; ++y) {
    const uint8_t* row = ImageRow(&image, y);
    auto* pixels = reinterpret_cast<uint32_t*>(out.scanLine(y));
    for (int x = 0; x < width; ++x)
      pixels[x] = PaletteRGB32(image.palette[GetPixelValue(&image, row, x)]);
  }
  return out;
}

}  // namespace qv
