// platform/image_png.cpp - the PNG writer, through libpng. Charts are mostly flat colour: they
// are written without row filters at zlib's fastest level, which packs a 1920x1080 sky chart
// to 9% more bytes than level 3 (libpng's fast setting) in 15% less time. libpng reads the
// 32-bit pixels as they lie in memory and drops their fourth byte itself, so no 24-bit copy of
// the image is made.
#include <png.h>

#include <QImage>
#include <QSysInfo>
#include <csetjmp>

#include "platform/files.h"
#include "platform/image_files.h"
#include "platform/image_qt.h"
#include "platform/image_write.h"
#include "platform/result.h"

namespace qv {
namespace {

constexpr int ChartCompressionLevel = 1;
constexpr png_fixed_point FileGamma = 45455;  // 1/2.2 in units of 1/100000, as in the gAMA chunk

// libpng's own handlers print to standard error; a failure here is reported as a result code.
[[noreturn]] void StopWriting(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void IgnoreWarning(png_structp, png_const_charp) {}

// WritePngStream: the RGB32 pixels as an 8-bit RGB PNG on stream; false when libpng fails
// (a write error among others).
bool WritePngStream(const QImage& pixels, std::FILE* stream) {
  png_structp png =
      png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, StopWriting, IgnoreWarning);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, stream);
  png_set_IHDR(png, info, static_cast<png_uint_32>(pixels.width()),
               static_cast<png_uint_32>(pixels.height()), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
  // Only the usual gamma of 1/2.2, not marked sRGB: viewers show the colours as they showed
  // Qt's files, which had no colour chunk at all.
  png_set_gAMA_fixed(png, info, FileGamma);
  png_write_info(png, info);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_NO_FILTERS);
  png_set_compression_level(png, ChartCompressionLevel);
  // An RGB32 pixel is the word 0xffRRGGBB: bytes B, G, R, 0xff on a little-endian machine.
  if (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
    png_set_bgr(png);
    png_set_filler(png, 0, PNG_FILLER_AFTER);
  } else {
    png_set_filler(png, 0, PNG_FILLER_BEFORE);
  }
  for (int y = 0; y < pixels.height(); ++y) png_write_row(png, pixels.constScanLine(y));
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

int64_t WriteImagePNG(const Image* image, std::string_view path) {
  if (!image) return ResultFailed;
  const QImage pixels = ImageToQImage(*image);
  if (pixels.isNull()) return ResultNoMemory;
  return WriteReplacing(
      path, [&](PlatformFile& file) { return WritePngStream(pixels, FileStream(file)); });
}

}  // namespace qv
